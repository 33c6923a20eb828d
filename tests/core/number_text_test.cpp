#include "core/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Hostile texts read as 0: no number, no finite value, or a break before the
// digits.
TEST(LeadingNumberTest, ReadsTheLeadingNumber) {
  const std::pair<const char*, double> rows[] = {
      {"12", 12},     {"12ft", 12},    {"1 2", 12},   {" \t\n-3.5", -3.5},
      {"+7", 7},      {"- 4", -4},     {".5", 0.5},   {"5.", 5},
      {"1e3", 1000},  {"1E-2x", 0.01}, {"2e", 2},     {"2e+", 2},
      {"1.2.3", 1.2}, {"12-06", 12},   {"0012", 12},  {"", 0},
      {"abc", 0},     {"-", 0},        {".", 0},      {"+-3", 0},
      {"e5", 0},      {"1E400", 0},    {"-1e999", 0}, {"\r12", 0}};
  for (const auto& [text, value] : rows) EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << text;
  EXPECT_EQ(LeadingNumber(std::string(5000, '9') + "x"), 0);
  EXPECT_EQ(LeadingNumber("0." + std::string(5000, '0') + "1"), 0);
  EXPECT_EQ(LeadingNumber(std::string{'1', '\0', '2'}), 1);
}

TEST(ShortestDecimalTest, MatchesPrintfG15) {
  EXPECT_EQ(ShortestDecimal(40.0), "40");
  EXPECT_EQ(ShortestDecimal(12.0 + 6.0 / 12.0 + 10.0 / 192.0), "12.5520833333333");
  EXPECT_EQ(ShortestDecimal(0.1 + 0.2), "0.3");
  EXPECT_EQ(ShortestDecimal(1e15), "1e+15");
  EXPECT_EQ(ShortestDecimal(-2.5), "-2.5");
  EXPECT_EQ(ShortestDecimal(0.0), "0");
  EXPECT_EQ(ShortestDecimal(1.5e-7), "1.5e-07");
}

// The stock and cut file tests read 2.5, 3.5, 32767, 32768 and 1e9; these are
// the edges they leave out.
TEST(RoundHalfEvenTest, RoundsHalvesToEvenAndRefusesOverflow) {
  EXPECT_EQ(RoundHalfEvenToInt16(-2.5), -2);
  EXPECT_EQ(RoundHalfEvenToInt16(2.6), 3);
  EXPECT_EQ(RoundHalfEvenToInt16(32767.4), 32767);
  EXPECT_EQ(RoundHalfEvenToInt16(-32768.0), -32768);
  EXPECT_FALSE(RoundHalfEvenToInt16(32767.5).has_value());
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

}  // namespace
