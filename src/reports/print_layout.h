#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the printed report is laid out in pages. The printer only paints this:
// one header line in bold 12-point type, a thin rule under it, an empty line,
// then the page's report lines in 10-point Courier.

struct PrintedPage {
  int number = 0;                  // from 1 in every copy
  std::string header;              // header text, blanks to column 71, "Page " + number
  std::vector<std::string> lines;  // the report lines, seven blanks in front of each
};

// "BARLYNE REPORT for " + the first 18 characters of the trimmed material.
std::string PageHeaderText(std::string_view material);

// Lays out one copy of the report. Every page holds linesPerPage - 3 report
// lines (at least one): the header, rule and empty line take the other three.
// `linesPerPage` is the setting text, read with the leading-number rule.
std::vector<PrintedPage> LayOutReportPages(const std::vector<std::string>& reportLines,
                                           std::string_view material,
                                           std::string_view linesPerPage);

// The lines of a report file's text, without their line ends (CRLF, LF or
// CR); a line end at the very end does not start another line.
std::vector<std::string> SplitReportLines(std::string_view content);
