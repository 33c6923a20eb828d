#pragma once

#include <string>

struct JobState;
class Frontend;

// The input section at the head of the report file: owner, material, kerf,
// unusable length, the stock list and the cut list as entered.

// Creates the report file anew at `path` with the input section, whose text
// is also returned in `text`. False when the file could not be written (the
// error is reported through ShowError and the file is left as it was).
bool WriteInputReport(const JobState& job, Frontend& frontend, const std::string& path,
                      std::string& text);
bool WriteInputReport(const JobState& job, Frontend& frontend, const std::string& path);
