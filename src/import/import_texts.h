#pragma once

// Texts shared by the KISS and WinEstimator imports.
namespace import_texts {

inline constexpr const char* kItemsNotProcessed =
    "Some line items were not processed due to unrecognized file formatting.";

}  // namespace import_texts
