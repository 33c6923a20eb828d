#pragma once

// Texts shown by more than one part of the program, in one place.
namespace texts {

inline constexpr const char* kProgramTitle = "Brx";
inline constexpr const char* kErrorTitle = "Error";
inline constexpr const char* kOk = "OK";
// The material of a new job and of the first start.
inline constexpr const char* kNewJobMaterial = "Select/Enter material description";
// The status that names the job file after an open or an import.
inline constexpr const char* kFileStatus = "File : ";
// A job file named to be opened that cannot be: kJobFileText + path + why.
inline constexpr const char* kJobFileText = "The job file ";
inline constexpr const char* kFileMissingText = " does not exist";
inline constexpr const char* kNotRegularFileText = " is not a regular file";

}  // namespace texts
