#pragma once

#include <string>

struct JobState;
class MessageView;

// The input section at the head of the report file: owner, material, kerf,
// unusable length, the stock list and the cut list as entered.

// The input section's text, as the head of the report file. The report is
// written once, whole, by WriteCuttingReport.
std::string InputReportText(const JobState& job, MessageView& frontend);
