#include "mainwindow/report_view.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "core/brx_error.h"

std::vector<std::string> ReadReportLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw ErrorFromErrno(errno);
  const std::string content((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
  if (file.bad()) throw MakeError(kErrDeviceIo);

  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
    if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
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
