#include "reports/print_layout.h"

#include "core/number_text.h"
#include "core/text_util.h"

namespace {

constexpr std::size_t kMaterialWidth = 18;
constexpr std::size_t kPageColumn = 71;  // "Page" starts in the column after this
// The header, its rule and the empty line below count as this many lines.
constexpr int kHeaderLines = 4;
constexpr const char* kLineIndent = "       ";

std::string HeaderLine(std::string_view material, int page) {
  std::string line = PageHeaderText(material);
  if (line.size() < kPageColumn) line.resize(kPageColumn, ' ');
  return line + "Page " + std::to_string(page);
}

}  // namespace

std::string PageHeaderText(std::string_view material) {
  return "BARLYNE REPORT for " + TrimSpaces(material).substr(0, kMaterialWidth);
}

std::vector<PrintedPage> LayOutReportPages(const std::vector<std::string>& reportLines,
                                           std::string_view material,
                                           std::string_view linesPerPage) {
  const double limit = LeadingNumber(linesPerPage);
  std::vector<PrintedPage> pages;
  int lineCounter = 0;
  for (const std::string& line : reportLines) {
    if (lineCounter == 0) {
      const int number = static_cast<int>(pages.size()) + 1;
      pages.push_back(PrintedPage{number, HeaderLine(material, number), {}});
      lineCounter = kHeaderLines;
    }
    pages.back().lines.push_back(kLineIndent + line);
    ++lineCounter;
    if (lineCounter > limit) lineCounter = 0;
  }
  return pages;
}

std::vector<std::string> SplitReportLines(std::string_view content) {
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
