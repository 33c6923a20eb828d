#include "core/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LeadingRow {
  std::string text;
  double value;
};

void PrintTo(const LeadingRow& row, std::ostream* os) {
  *os << "'" << row.text.substr(0, 40) << "'";
}

class LeadingNumberTest : public ::testing::TestWithParam<LeadingRow> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().value)
      << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, LeadingNumberTest,
    ::testing::Values(LeadingRow{"12", 12}, LeadingRow{"12ft", 12}, LeadingRow{"1 2", 12},
                      LeadingRow{" \t\n-3.5", -3.5}, LeadingRow{"+7", 7}, LeadingRow{"- 4", -4},
                      LeadingRow{".5", 0.5}, LeadingRow{"5.", 5}, LeadingRow{"1e3", 1000},
                      LeadingRow{"1E-2x", 0.01}, LeadingRow{"2e", 2}, LeadingRow{"2e+", 2},
                      LeadingRow{"1.2.3", 1.2}, LeadingRow{"12-06", 12}, LeadingRow{"0012", 12}));

INSTANTIATE_TEST_SUITE_P(Hostile, LeadingNumberTest,
                         ::testing::Values(LeadingRow{"", 0}, LeadingRow{"abc", 0},
                                           LeadingRow{"-", 0}, LeadingRow{".", 0},
                                           LeadingRow{"+-3", 0}, LeadingRow{"e5", 0},
                                           LeadingRow{"1E400", 0}, LeadingRow{"-1e999", 0},
                                           LeadingRow{"\r12", 0},
                                           LeadingRow{std::string(5000, '9') + "x", 0},
                                           LeadingRow{"0." + std::string(5000, '0') + "1", 0},
                                           LeadingRow{std::string("1\0"
                                                                  "2",
                                                                  3),
                                                      1}));

TEST(ShortestDecimalTest, MatchesPrintfG15) {
  EXPECT_EQ(ShortestDecimal(40.0), "40");
  EXPECT_EQ(ShortestDecimal(12.0 + 6.0 / 12.0 + 10.0 / 192.0), "12.5520833333333");
  EXPECT_EQ(ShortestDecimal(0.1 + 0.2), "0.3");
  EXPECT_EQ(ShortestDecimal(1e15), "1e+15");
  EXPECT_EQ(ShortestDecimal(-2.5), "-2.5");
  EXPECT_EQ(ShortestDecimal(0.0), "0");
  EXPECT_EQ(ShortestDecimal(1.5e-7), "1.5e-07");
}

TEST(RoundHalfEvenTest, RoundsHalvesToEvenAndRefusesOverflow) {
  EXPECT_EQ(RoundHalfEvenToInt16(2.5), 2);
  EXPECT_EQ(RoundHalfEvenToInt16(3.5), 4);
  EXPECT_EQ(RoundHalfEvenToInt16(-2.5), -2);
  EXPECT_EQ(RoundHalfEvenToInt16(2.6), 3);
  EXPECT_EQ(RoundHalfEvenToInt16(32767.4), 32767);
  EXPECT_EQ(RoundHalfEvenToInt16(-32768.0), -32768);
  EXPECT_FALSE(RoundHalfEvenToInt16(32767.5).has_value());
  EXPECT_FALSE(RoundHalfEvenToInt16(1e9).has_value());
  EXPECT_FALSE(RoundHalfEvenToInt16(-40000).has_value());
}

TEST(NumericTextTest, AcceptsOnlyWholeNumbers) {
  for (const char* text : {"5", " 5 ", "-3", "+2.5", "1e3", "2.", ".5", "1.5E-2", "\t7"}) {
    EXPECT_TRUE(IsNumericText(text)) << "'" << text << "'";
  }
  for (const char* text : {"", " ", "x", "5x", "1.2.3", "e3", "1e", "--1", "1 2", ".", "+"}) {
    EXPECT_FALSE(IsNumericText(text)) << "'" << text << "'";
  }
}

TEST(SignedCountTextTest, LeavesTheSignPosition) {
  EXPECT_EQ(SignedCountText(3), " 3");
  EXPECT_EQ(SignedCountText(0), " 0");
  EXPECT_EQ(SignedCountText(-2), "-2");
}

}  // namespace
