#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

struct JobState;
class MessageView;
class ReportText;

// The cutting report: the plan bar by bar with each bar's scrap, the total
// drop, the pieces not cut, the inventory list and the order list, ended by
// the date and time.

// The date and time of the report's last line: the C library's %x and %X in
// the user's LC_TIME locale, joined by two blanks.
std::string ReportTimeText(const std::tm& localTime);
std::string CurrentReportTime();

// Writes the whole report to `path`, after the input section when
// `inputReportFlag` is "1" or in batch mode. False when the report file could
// not be written (reported through ShowError; the old file stays as it was).
bool WriteCuttingReport(const JobState& job, MessageView& frontend, const std::string& path,
                        const std::string& reportTime = CurrentReportTime());

// After a run of the best optimiser: the plan's lower bound on the stock
// length and how far the plan is from it, as the report's line below the total
// drop. nullopt when the run gave no bound (the classic optimiser, nothing cut).
std::optional<std::string> LowerBoundLine(const JobState& job, MessageView& frontend);

// The group of equal pieces being counted within one bar.
struct PieceGroup {
  std::string lengthText;
  std::string markText;
  std::int16_t count = 0;
};

// The grouping step for the piece at position j of a bar of n pieces: equal
// pieces in a row (mark and length text equal, ignoring letter case) give one
// line with their count.
void WriteGroupLine(ReportText& out, PieceGroup& group, const std::string& lengthText,
                    const std::string& markText, int j, int n);
