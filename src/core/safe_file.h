#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/brx_error.h"

// Whole-file access for job files, reports, exports and imports. Failures are
// thrown as BrxError with the classic error numbers.

// True when something stands under the name: a file, a folder, a FIFO, a
// link loop. Only a missing name (or a link to one) is "no file".
bool FileExists(const std::string& path);

// The error for a name that stands for no regular file: error 75, with a
// description that says so.
BrxError NotRegularFileError();

// The whole content of a regular file, bytes unchanged. Anything else (a
// folder, a FIFO, a device, a link loop) is refused with NotRegularFileError
// instead of blocking or reading without end.
std::string ReadWholeFile(const std::string& path);

// Writes the content to a new temporary file in the target's folder and
// renames it over the target only once every byte is on disk, so a full disk,
// a read-only folder or a crash never leaves a truncated or emptied file. On
// failure the temporary file is removed and the target is left as it was. An
// existing target keeps its permission bits; a symbolic link is followed and
// the file it names is replaced. An empty path is "Bad file name or number";
// a target that is not a regular file (a folder, a FIFO) is refused with
// NotRegularFileError. Once the file is replaced, the temporary files that
// saves of the same file killed part way left behind are removed; a save in
// progress holds a lock on its temporary file, so its file is never taken.
void WriteFileSafely(const std::string& path, std::string_view content);

// WriteFileSafely for callers that report the failure themselves: the error,
// or nothing when the file was written.
std::optional<BrxError> TryWriteFileSafely(const std::string& path, std::string_view content);
