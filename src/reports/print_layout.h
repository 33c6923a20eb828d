#pragma once

#include <optional>
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

// The header line of a page: the header text, blanks to column 71, "Page "
// and the page number.
std::string PageHeaderLine(std::string_view material, int page);

// The lines a page holds, header included, from the setting text: its number
// brought into 10 to 120 (the settings dialog's range), or 63 when the text is
// not a number.
double PageLineLimit(std::string_view linesPerPage);

// The report lines a page holds: the page line limit less the header, its
// rule and the empty line below them (60 with the default of 63).
int ReportLinesPerPage(std::string_view linesPerPage);

// Lays out one copy of the report, ReportLinesPerPage lines to a page.
// `linesPerPage` is the setting text.
std::vector<PrintedPage> LayOutReportPages(const std::vector<std::string>& reportLines,
                                           std::string_view material,
                                           std::string_view linesPerPage);

// The lines of a report file's text, without their line ends (CRLF, LF or
// CR); a line end at the very end does not start another line. A UTF-8
// byte-order mark at the start is skipped.
std::vector<std::string> SplitReportLines(std::string_view content);

// The material a report names in its first heading that names one (the input
// report's, the inventory list's or the order list's), or nothing.
std::optional<std::string> ReportMaterial(const std::vector<std::string>& reportLines);
