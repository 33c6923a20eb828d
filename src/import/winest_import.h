#pragma once

#include <string>

struct JobState;
class MessageView;

// Turns a WinEstimator cut list export (material, quantity, coded length,
// mark on each line) into the cut file `cutPath`, lengths converted with the
// job's unit settings. The cut file is replaced only when the first line had
// at least three fields and the file was read to its end; otherwise the old
// file stays as it was and the result is false.
bool ImportWinEstFile(const JobState& job, MessageView& frontend, const std::string& exportPath,
                      const std::string& cutPath);
