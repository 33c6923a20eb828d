#pragma once

#include <string>
#include <string_view>

// Byte-string helpers: bytes outside ASCII pass through unchanged.

// Removes spaces at both ends.
std::string TrimSpaces(std::string_view text);
// Removes blanks (spaces and tabs) at both ends.
std::string TrimBlanks(std::string_view text);
// ASCII letters folded to upper case; other bytes unchanged.
std::string ToUpperAscii(std::string_view text);
