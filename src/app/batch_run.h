#pragma once

#include <chrono>
#include <ostream>
#include <string_view>

#include "optimizer/stock_file_lock.h"

struct JobState;
class Frontend;

// Exit statuses of a job run from the command line.
inline constexpr int kExitJobRan = 0;
inline constexpr int kExitJobNotRun = 1;
inline constexpr int kExitOutputFailed = 2;

// The optimisation level of a run without the slider: drop_length read by
// the leading-number rule, rounded half to even and kept within 0 to 10.
int BatchOptimizationLevel(const JobState& job);

// Whether a kerf argument is a plain decimal number of 0 or more: blanks
// around it, digits with at most one point, an optional exponent, and a
// finite value.
bool IsKerfArgument(std::string_view text);

// What a batch run writes to standard output: the lower-bound line of a run
// of the best optimiser, or the plan as one JSON document (--json).
enum class BatchOutput { Text, Json };

// Cuts the job that the arguments named (the files, material and kerf are
// already in the job) without any window and returns the exit status. The
// stock file is held from the first read to the stock update; another run
// holding it is waited for at most `lockWait`. A run of the best optimiser
// writes the report's lower-bound line to `output`; nothing else goes there,
// unless `form` asks for the JSON plan instead. Why a job could not run, or
// which files could not be written, goes to `errors` as "brx: " + the reason.
int RunBatchJob(JobState& job, Frontend& frontend, std::ostream& output, std::ostream& errors,
                BatchOutput form = BatchOutput::Text,
                std::chrono::milliseconds lockWait = kStockLockWait);

// Cuts every material of the job that has cut rows (--all-materials), each
// with its own report and export, then writes the job summary. A material
// that cannot be cut is named on `errors` as "brx: " + material + ": " + the
// reason, and the others go on. Exit status: kExitOutputFailed when any file
// could not be written, else kExitJobRan when every material was cut, else
// kExitJobNotRun (no material, or not every one, could be cut).
int RunBatchWholeJob(JobState& job, Frontend& frontend, std::ostream& output, std::ostream& errors,
                     BatchOutput form = BatchOutput::Text,
                     std::chrono::milliseconds lockWait = kStockLockWait);
