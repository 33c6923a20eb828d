#pragma once

#include <ostream>

struct JobState;
class Frontend;

// Exit statuses of a job run from the command line.
inline constexpr int kExitJobRan = 0;
inline constexpr int kExitJobNotRun = 1;
inline constexpr int kExitOutputFailed = 2;

// The optimisation level of a run without the slider: drop_length read by
// the leading-number rule, rounded half to even and kept within 0 to 10.
int BatchOptimizationLevel(const JobState& job);

// Cuts the job that the arguments named (the files, material and kerf are
// already in the job) without any window and returns the exit status. A run
// of the best optimiser writes the report's lower-bound line to `output`;
// nothing else goes there. Why a job could not run is written to `errors` as
// "brx: " + the reason.
int RunBatchJob(JobState& job, Frontend& frontend, std::ostream& output, std::ostream& errors);
