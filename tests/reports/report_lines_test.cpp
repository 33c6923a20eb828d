#include <gtest/gtest.h>

#include <cstdlib>

#include "reports/cutting_report.h"
#include "reports/report_text.h"

namespace {

TEST(DropPercentTextTest, FirstFourCharactersOfThePlainDigits) {
  const std::pair<double, const char*> cases[] = {{100.0 / 3.0, "33.3"},
                                                  {10.0 / 3.0, "3.33"},
                                                  {12.5, "12.5"},
                                                  {100.0, "100"},
                                                  {0.0, "0"},
                                                  {4.0, "4"},
                                                  {0.00012, "0.00"},
                                                  {1.07e-13, "0.00"},
                                                  {1e-7, "0.00"},
                                                  {9.99999999999999e-5, "0.00"},
                                                  {5.5e-3, "0.00"},
                                                  {0.1 + 0.2, "0.3"},
                                                  {99.999999999999986, "100"}};
  for (const auto& [percent, text] : cases) EXPECT_EQ(DropPercentText(percent), text) << percent;
}

// The grouping of one bar's pieces, given as (mark, length) pairs already
// padded as the report pads them.
std::string GroupLines(const std::vector<std::pair<std::string, std::string>>& pieces) {
  ReportText out;
  PieceGroup group;
  const int n = static_cast<int>(pieces.size());
  for (int j = 0; j < n; ++j) {
    WriteGroupLine(out, group, pieces[j].second, pieces[j].first, j, n);
  }
  return out.Content();
}

// The golden reports pin runs of equal pieces, letter case and the piece a
// group line shows; these are the pieces that must not be counted together.
TEST(WriteGroupLineTest, OnlyEqualPiecesInARowShareOneLine) {
  const std::string m3000 = "     3000.00000";
  const std::string m2000 = "     2000.00000";
  // Equal pieces apart from each other.
  EXPECT_EQ(GroupLines({{"       B1", m3000}, {"       B2", m3000}, {"       B1", m3000}}),
            "      1 piece           B1        3000.00000\r\n"
            "      1 piece           B2        3000.00000\r\n"
            "      1 piece           B1        3000.00000\r\n");
  // Equal marks of different lengths.
  EXPECT_EQ(GroupLines({{"       B1", m3000}, {"       B1", m2000}}),
            "      1 piece           B1        3000.00000\r\n"
            "      1 piece           B1        2000.00000\r\n");
}

TEST(ReportTimeTextTest, CLocaleShortDateAndLongTime) {
  const char* saved = std::getenv("LC_ALL");
  const std::string savedValue = saved != nullptr ? saved : "";
  setenv("LC_ALL", "C", 1);
  std::tm when{};
  when.tm_year = 124;
  when.tm_mon = 2;
  when.tm_mday = 5;
  when.tm_hour = 14;
  when.tm_min = 7;
  when.tm_sec = 9;
  EXPECT_EQ(ReportTimeText(when), "03/05/24  14:07:09");
  if (saved != nullptr) {
    setenv("LC_ALL", savedValue.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
}

}  // namespace
