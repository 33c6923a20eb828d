#pragma once

#include <string>
#include <vector>

// What the report viewer shows: the report file's lines, numbered from 1, a
// window of kReportWindowLines at a time.

inline constexpr int kReportWindowLines = 29;

// The report file's lines without their line ends (CRLF, LF or CR).
// Throws BrxError when the file cannot be read or is not a regular file (a
// folder or a FIFO is refused at once).
std::vector<std::string> ReadReportLines(const std::string& path);

// The scroll bar over a report of lineCount lines: the number of the first
// line shown runs from 1 to the last line; a page is a tenth of the report,
// at least one line.
struct ReportScrollRange {
  int minimum = 1;
  int maximum = 1;
  int pageStep = 1;
};
ReportScrollRange ScrollRangeFor(int lineCount);

// Lines first to first + 28 (numbered from 1), each followed by CR LF; lines
// past the end of the report are empty.
std::string ReportWindowText(const std::vector<std::string>& lines, int first);
