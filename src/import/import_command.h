#pragma once

#include <optional>
#include <string>
#include <string_view>

struct JobState;
class Frontend;

// The cut list formats the program imports.
enum class ImportFormat { Kiss, WinEst };

// "kiss" or "winest" in any letter case, as the command line names them.
std::optional<ImportFormat> ImportFormatNamed(std::string_view name);

// The job file names an import derives from the imported file's path. The
// base is the path without its extension, looked for only after the last
// "/"; a path whose last component has no point is its own base, so
// "/jobs/bridge" imports into "/jobs/bridge.cut".
struct ImportFileNames {
  std::string base;
  std::string stockFile;
  std::string cutFile;
  std::string exportFile;
};
ImportFileNames ImportFileNamesFor(std::string_view path);

// Reads the file at `path` into a new cut file beside it, with the reader's
// messages and the status texts. On success the job takes the file names
// derived from the absolute path and dataChanged becomes false; on failure the
// job, its file names and the old cut file stay as they were and the status is
// "Import Unsuccessful". A source that is not a regular file, or whose cut
// file would be the source itself, is refused with a message before reading.
// Needs no window: the menu commands and the command line both run it.
bool ImportCutList(JobState& job, Frontend& frontend, ImportFormat format, const std::string& path);

// The whole import after the file dialog: ImportCutList, then, on success,
// the material box and the current material's stock and cut rows loaded from
// the new files and any earlier plan dropped. The caller then shows `matl` in
// the material box. Returns whether the import succeeded.
bool RunImport(JobState& job, Frontend& frontend, ImportFormat format, const std::string& path);
