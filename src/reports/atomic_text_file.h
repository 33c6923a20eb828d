#pragma once

#include <string>

#include "core/brx_error.h"

// Writes `content` to a temporary file in the target's folder and renames it
// over `path` only when every byte is on disk, so a failed write never leaves
// a truncated or emptied file behind. On failure the target is unchanged, the
// temporary file is removed and `error` says why.
bool WriteTextFileAtomically(const std::string& path, const std::string& content, BrxError& error);
