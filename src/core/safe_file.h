#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/brx_error.h"

// Whole-file access for job files, reports, exports and imports. Failures are
// thrown as BrxError with the classic error numbers.

// True when the path names something that is not a folder. A missing path and
// a folder both count as "no file".
bool FileExists(const std::string& path);

// The whole content of a regular file, bytes unchanged. Anything else (a
// folder, a FIFO, a device) is refused with "Path/File access error" instead
// of blocking or reading without end.
std::string ReadWholeFile(const std::string& path);

// Writes the content to a new temporary file in the target's folder and
// renames it over the target only once every byte is on disk, so a full disk,
// a read-only folder or a crash never leaves a truncated or emptied file. On
// failure the temporary file is removed and the target is left as it was. An
// existing target keeps its permission bits; a symbolic link is followed and
// the file it names is replaced. An empty path is "Bad file name or number".
void WriteFileSafely(const std::string& path, std::string_view content);

// WriteFileSafely for callers that report the failure themselves: the error,
// or nothing when the file was written.
std::optional<BrxError> TryWriteFileSafely(const std::string& path, std::string_view content);
