#include "reports/print_layout.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/text_util.h"
#include "reports/report_text.h"

namespace {

constexpr std::size_t kMaterialWidth = 18;
constexpr std::size_t kPageColumn = 71;  // "Page" starts in the column after this
// The header, its rule and the empty line below count as this many lines.
constexpr int kHeaderLines = 4;
constexpr const char* kLineIndent = "       ";
constexpr double kDefaultPageLines = 63;
constexpr double kFewestPageLines = 10;
constexpr double kMostPageLines = 120;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string PageHeaderText(std::string_view material) {
  return "BARLYNE REPORT for " + TrimSpaces(material).substr(0, kMaterialWidth);
}

std::string PageHeaderLine(std::string_view material, int page) {
  std::string line = PageHeaderText(material);
  if (line.size() < kPageColumn) line.resize(kPageColumn, ' ');
  return line + "Page " + std::to_string(page);
}

double PageLineLimit(std::string_view linesPerPage) {
  if (!IsNumericText(linesPerPage)) return kDefaultPageLines;
  return std::clamp(LeadingNumber(linesPerPage), kFewestPageLines, kMostPageLines);
}

int ReportLinesPerPage(std::string_view linesPerPage) {
  // A page ends when its line count, the header's four included, passes the limit.
  return static_cast<int>(std::floor(PageLineLimit(linesPerPage))) - kHeaderLines + 1;
}

std::vector<PrintedPage> LayOutReportPages(const std::vector<std::string>& reportLines,
                                           std::string_view material,
                                           std::string_view linesPerPage) {
  const std::size_t perPage = static_cast<std::size_t>(ReportLinesPerPage(linesPerPage));
  std::vector<PrintedPage> pages;
  for (std::size_t i = 0; i < reportLines.size(); ++i) {
    if (i % perPage == 0) {
      const int number = static_cast<int>(pages.size()) + 1;
      pages.push_back(PrintedPage{number, PageHeaderLine(material, number), {}});
    }
    pages.back().lines.push_back(kLineIndent + reportLines[i]);
  }
  return pages;
}

std::optional<std::string> ReportMaterial(const std::vector<std::string>& reportLines) {
  for (const std::string& line : reportLines) {
    for (const std::string_view heading : {kInputHeading, kInventoryHeading, kOrderHeading}) {
      if (line.starts_with(heading)) return line.substr(heading.size());
    }
  }
  return std::nullopt;
}

std::vector<std::string> SplitReportLines(std::string_view content) {
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(content.substr(start));
      break;
    }
    lines.emplace_back(content.substr(start, end - start));
    start = end + 1;
    if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
}
