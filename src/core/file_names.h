#pragma once

#include <string>
#include <string_view>

// Makes a text safe as part of a file name: "/", "|", "?", "*" and '"' become
// "_", then blanks at both ends are removed. Backslashes and colons stay.
std::string CleanFileName(std::string_view text);

// The path without its extension. The extension point is looked for only in
// the last component (after the last "/"), so "/home/j.doe/out" has none.
std::string BaseName(std::string_view path);

// The path with its extension replaced by `extension` (which starts with the
// point), or appended when the last component has none.
std::string WithExtension(std::string_view path, std::string_view extension);

// The files of a run of every material, beside the report file a single run
// writes: its base name, "_", then the cleaned material text (or "summary"
// for the job summary), and ".bxl". The export already carries the material
// in its name the same way.
std::string MaterialReportFileName(std::string_view reportPath, std::string_view material);
std::string JobSummaryFileName(std::string_view reportPath);

// Joins a folder and a file name with "/".
std::string JoinPath(std::string_view folder, std::string_view name);

// $USERPROFILE/BRX when USERPROFILE is set, else $HOME/BRX.
std::string UserDataFolder();
