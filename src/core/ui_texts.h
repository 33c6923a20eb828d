#pragma once

// Texts shown by more than one part of the program, in one place.
namespace texts {

inline constexpr const char* kProgramTitle = "Brx";
inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kVersion = "2.8.26";

}  // namespace texts
