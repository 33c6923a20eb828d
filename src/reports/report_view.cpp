#include "reports/report_view.h"

#include <algorithm>

#include "core/safe_file.h"
#include "reports/print_layout.h"

std::vector<std::string> ReadReportLines(const std::string& path) {
  return SplitReportLines(ReadWholeFile(path));
}

ReportScrollRange ScrollRangeFor(int lineCount) {
  return {1, std::max(1, lineCount), std::max(1, lineCount / 10)};
}

std::string ReportWindowText(const std::vector<std::string>& lines, int first) {
  std::string text;
  for (int number = first; number < first + kReportWindowLines; ++number) {
    if (number >= 1 && number <= static_cast<int>(lines.size())) text += lines[number - 1];
    text += "\r\n";
  }
  return text;
}
