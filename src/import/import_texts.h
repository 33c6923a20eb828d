#pragma once

// Texts shared by the KISS and WinEstimator imports.
namespace import_texts {

// The outcome of an import, in the status bar and on the command line.
inline constexpr const char* kImportComplete = "Import Complete";
inline constexpr const char* kImportUnsuccessful = "Import Unsuccessful";

inline constexpr const char* kItemsNotProcessed =
    "Some line items were not processed due to unrecognized file formatting.";

// The imported file's path stands between the prefix and each reason.
inline constexpr const char* kCannotImport = "Cannot import ";
inline constexpr const char* kNotRegularFile = ": it is not a regular file.";
inline constexpr const char* kCutFileIsSource =
    ": the cut file of the import would replace the file itself.";

}  // namespace import_texts
