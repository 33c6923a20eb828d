#pragma once

#include <string>

struct JobState;
class MessageView;

// Turns the detail records of a KISS file into the cut file `cutPath`
// (header line, then mark, material, quantity and length in the job's unit).
// The cut file is replaced only when the file was recognised as KISS and read
// to its end; otherwise the old file stays as it was and the result is false.
// Messages go through the frontend; the job is only read (for its unit).
bool ImportKissFile(const JobState& job, MessageView& frontend, const std::string& kissPath,
                    const std::string& cutPath);
