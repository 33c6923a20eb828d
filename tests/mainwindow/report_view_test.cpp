#include "mainwindow/report_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/brx_error.h"

namespace {

std::vector<std::string> NumberedLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

std::string EmptyLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\r\n";
  return text;
}

TEST(ReportViewTest, AHundredLineReportScrollsByTenAndEndsInEmptyLines) {
  const ReportScrollRange range = ScrollRangeFor(100);
  EXPECT_EQ(range.minimum, 1);
  EXPECT_EQ(range.maximum, 100);
  EXPECT_EQ(range.pageStep, 10);

  const std::vector<std::string> lines = NumberedLines(100);
  EXPECT_EQ(ReportWindowText(lines, 100), "line 100\r\n" + EmptyLines(28));
  std::string first;
  for (int i = 1; i <= kReportWindowLines; ++i) first += "line " + std::to_string(i) + "\r\n";
  EXPECT_EQ(ReportWindowText(lines, 1), first);
}

TEST(ReportViewTest, ShortReportsKeepAPageStepOfOneLine) {
  EXPECT_EQ(ScrollRangeFor(5).pageStep, 1);
  EXPECT_EQ(ScrollRangeFor(5).maximum, 5);
  EXPECT_EQ(ScrollRangeFor(0).maximum, 1);
  EXPECT_EQ(ReportWindowText(NumberedLines(5), 5), "line 5\r\n" + EmptyLines(28));
  EXPECT_EQ(ReportWindowText({}, 1), EmptyLines(kReportWindowLines));
}

TEST(ReportViewTest, ReadsTheFileAndReportsAMissingOne) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "brx_report_view_test.bxl";
  {
    std::ofstream file(path, std::ios::binary);
    file << "first\r\nsecond\r\n\r\nlast";
  }
  EXPECT_EQ(ReadReportLines(path.string()),
            (std::vector<std::string>{"first", "second", "", "last"}));
  std::filesystem::remove(path);
  try {
    ReadReportLines(path.string());
    FAIL() << "a missing report was read";
  } catch (const BrxError& error) {
    EXPECT_EQ(error.number, kErrFileNotFound);
  }
}

}  // namespace
