#include "reports/print_layout.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> NumberedLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

TEST(PrintLayoutTest, ReportOf130LinesAt63LinesPerPage) {
  const std::vector<PrintedPage> pages = LayOutReportPages(NumberedLines(130), "W8X31", "63");
  ASSERT_EQ(pages.size(), 3u);
  const std::string header = "BARLYNE REPORT for W8X31" + std::string(47, ' ') + "Page ";
  const struct {
    std::size_t size;
    const char* first;
    const char* last;
  } expected[] = {
      {60, "line 1", "line 60"}, {60, "line 61", "line 120"}, {10, "line 121", "line 130"}};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(pages[i].number, static_cast<int>(i) + 1);
    EXPECT_EQ(pages[i].header, header + std::to_string(i + 1));
    ASSERT_EQ(pages[i].lines.size(), expected[i].size);
    EXPECT_EQ(pages[i].lines.front(), std::string("       ") + expected[i].first);
    EXPECT_EQ(pages[i].lines.back(), std::string("       ") + expected[i].last);
  }
}

// The setting's number brought into 10..120; text that is not a number is 63.
TEST(PrintLayoutTest, LinesPerPageSettingEdges) {
  const struct {
    const char* setting;
    int reportLines;
  } rows[] = {{"63", 60}, {" 80 ", 77}, {"10.5", 7}, {"4", 7}, {"0", 7},
              {"-5", 7},  {"500", 117}, {"abc", 60}, {"", 60}, {"12abc", 60}};
  for (const auto& row : rows) {
    EXPECT_EQ(ReportLinesPerPage(row.setting), row.reportLines) << row.setting;
    const std::vector<PrintedPage> pages = LayOutReportPages(NumberedLines(130), "X", row.setting);
    EXPECT_EQ(pages.front().lines.size(), static_cast<std::size_t>(row.reportLines));
    EXPECT_EQ(pages.size(),
              static_cast<std::size_t>((130 + row.reportLines - 1) / row.reportLines));
  }
  // A report ending on a full page gets no empty page after it.
  EXPECT_EQ(LayOutReportPages(NumberedLines(120), "W8X31", "63").size(), 2u);
  EXPECT_TRUE(LayOutReportPages({}, "W8X31", "63").empty());
}

TEST(PrintLayoutTest, HeaderCutsTheTrimmedMaterialTo18Characters) {
  EXPECT_EQ(PageHeaderText("  W8X31  "), "BARLYNE REPORT for W8X31");
  EXPECT_EQ(PageHeaderText("HSS 6X6X1/4 A500 GRADE B"), "BARLYNE REPORT for HSS 6X6X1/4 A500 G");
  const std::vector<PrintedPage> pages = LayOutReportPages({"x"}, "HSS 6X6X1/4 A500 GRADE B", "63");
  EXPECT_EQ(pages.front().header.find("Page 1"), 71u);
}

TEST(SplitReportLinesTest, AnyLineEndAndNoLineAfterTheLastEnd) {
  EXPECT_EQ(SplitReportLines("a\r\n\r\nb\nc\rd"),
            (std::vector<std::string>{"a", "", "b", "c", "d"}));
  EXPECT_EQ(SplitReportLines("a\r\n"), std::vector<std::string>{"a"});
  EXPECT_TRUE(SplitReportLines("").empty());
  EXPECT_EQ(SplitReportLines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(SplitReportLines("\xEF\xBB\xBF"
                             "a\r\n\xEF\xBB\xBF"),
            (std::vector<std::string>{"a", "\xEF\xBB\xBF"}));
}

TEST(ReportMaterialTest, FirstHeadingThatNamesAMaterial) {
  EXPECT_EQ(ReportMaterial({"BRX CUTTING List:", "INVENTORY LIST REPORT for: W8X31 ",
                            "ORDER LIST REPORT for: L3X3"}),
            "W8X31 ");
  EXPECT_EQ(ReportMaterial({"CUTTING REPORT for: HSS 6X6", "ORDER LIST REPORT for: X"}), "HSS 6X6");
  EXPECT_EQ(ReportMaterial({" ORDER LIST REPORT for: W8X31", "report"}), std::nullopt);
}

}  // namespace
