#pragma once

#include <string>

struct JobState;
class MessageView;

// The comma-separated export of the plan: a header, one line per piece cut
// and one scrap line per bar.

// The file the export writes for the configured path: its name without the
// extension, "_", the cleaned material text and ".txt".
std::string ExportFileName(const std::string& configuredPath, const std::string& material);

// Deletes a file at the configured path itself, then writes the export file
// beside it. Never deletes or writes a job file (the stock or cut file) or the
// run's report file (`reportFileName`). False
// when the export was not written; the reason has been shown as a message.
bool ExportCutList(const JobState& job, MessageView& frontend, const std::string& configuredPath);
