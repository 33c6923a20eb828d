#include "core/length_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/job_state.h"
#include "support/recording_frontend.h"

namespace {

struct Mode {
  const char* unitFlag;
  const char* inchOnly;
  const char* inch32;
};
constexpr Mode kFeet16{"0", "0", "0"};
constexpr Mode kFeet32{"0", "0", "1"};
constexpr Mode kInch16{"0", "1", "0"};
constexpr Mode kInch32{"0", "1", "1"};
constexpr Mode kMetric{"1", "0", "0"};

class LengthTextTest : public ::testing::Test {
 protected:
  void Use(Mode mode) {
    job.unit_flag = mode.unitFlag;
    job.inchOnlyFlag = mode.inchOnly;
    job.inch32Flag = mode.inch32;
  }
  JobState job;
  RecordingFrontend frontend;
  LengthText text{job, frontend};
};

// A typed text, the number it reads as, and the text that number shows as.
struct LengthRow {
  std::string typed;
  double number;
  std::string shown;
};

void PrintTo(const std::pair<Mode, LengthRow>& row, std::ostream* os) {
  *os << "'" << row.second.typed << "'";
}

class LengthTableTest : public LengthTextTest,
                        public ::testing::WithParamInterface<std::pair<Mode, LengthRow>> {};

TEST_P(LengthTableTest, TypedTextReadsAndShows) {
  const auto& [mode, row] = GetParam();
  Use(mode);
  const double number = text.ParseLength(row.typed);
  EXPECT_NEAR(number, row.number, 1e-9) << "typed '" << row.typed << "'";
  EXPECT_EQ(text.FormatLength(number), row.shown) << "typed '" << row.typed << "'";
  EXPECT_TRUE(frontend.messages.empty());
}

std::vector<std::pair<Mode, LengthRow>> Rows(Mode mode, std::vector<LengthRow> rows) {
  std::vector<std::pair<Mode, LengthRow>> out;
  for (auto& row : rows) out.emplace_back(mode, std::move(row));
  return out;
}

INSTANTIATE_TEST_SUITE_P(FeetInch16ths, LengthTableTest,
                         ::testing::ValuesIn(Rows(kFeet16,
                                                  {
                                                      {"120610", 12.5520833333333, "12'-6 5/8\""},
                                                      {"610", 0.5520833333333, "6 5/8\""},
                                                      {"1206", 1.03125, "1'-0 3/8\""},
                                                      {"10", 0.0520833333333, " 5/8\""},
                                                      {"", 0.0, "0\""},
                                                      {"12.5", 1.0026041666667, "1'-0 1/32\""},
                                                      {"121510", 13.3020833333333, "13'-3 5/8\""},
                                                      {"120620", 12.6041666666667, "12'-7 1/4\""},
                                                      {"12ft", 1.0, "1'-0\""},
                                                      {"-120610", 11.4479166666667, "11'-5 3/8\""},
                                                      {"  100000", 10.0, "10'-0\""},
                                                  })));

INSTANTIATE_TEST_SUITE_P(FeetInch32nds, LengthTableTest,
                         ::testing::ValuesIn(Rows(kFeet32,
                                                  {
                                                      {"400911", 40.7786458333333, "40'-9 11/32\""},
                                                      {"120610", 12.5260416666667, "12'-6 5/16\""},
                                                  })));

INSTANTIATE_TEST_SUITE_P(InchesOnly16ths, LengthTableTest,
                         ::testing::ValuesIn(Rows(kInch16, {
                                                               {"12011", 120.6875, "120 11/16\""},
                                                               {"120", 2.25, "2 1/4\""},
                                                               {"", 0.0, "0\""},
                                                           })));

INSTANTIATE_TEST_SUITE_P(InchesOnly32nds, LengthTableTest,
                         ::testing::ValuesIn(Rows(kInch32, {
                                                               {"12019", 120.59375, "120 19/32\""},
                                                           })));

INSTANTIATE_TEST_SUITE_P(Metric, LengthTableTest,
                         ::testing::ValuesIn(Rows(kMetric, {
                                                               {" 25.4mm", 25.4, "25.40000"},
                                                               {"1234.5", 1234.5, "1234.50000"},
                                                               {"0", 0.0, "0.00000"},
                                                               {"120610", 120610.0, "120610.00000"},
                                                           })));

TEST_F(LengthTextTest, FeetInchTextOfNumbers) {
  Use(kFeet16);
  EXPECT_EQ(text.FormatLength(10.0), "10'-0\"");
  EXPECT_EQ(text.FormatLength(11.99999), "12'-0\"");  // 32nds carry into inches, inches into feet
  EXPECT_EQ(text.FormatLength(-1.5), "- 1'-6\"");
  EXPECT_EQ(text.FormatLength(3.0 / 32.0 / 12.0), " 3/32\"");  // the nearest 32nd, even in 16ths
  EXPECT_EQ(text.FormatLength(20.5), "20'-6\"");
  Use(kInch16);
  EXPECT_EQ(text.FormatLength(5.0), "5\"");
  EXPECT_EQ(text.FormatLength(11.99999), "12\"");
  // A report total beyond 16-bit inches still has a text.
  EXPECT_EQ(text.FormatLength(40000.0), "40000\"");
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(LengthTextTest, MetricTextComesBackUnchanged) {
  Use(kMetric);
  EXPECT_EQ(text.ParseCodedLength("120610"), "120610");
  EXPECT_EQ(text.FormatFeetInches("12.5"), "12.5");
}

TEST_F(LengthTextTest, CodedTextGivesShortestDecimal) {
  Use(kFeet16);
  EXPECT_EQ(text.ParseCodedLength("120610"), "12.5520833333333");
  EXPECT_EQ(text.ParseCodedLength("400000"), "40");
  Use(kInch16);
  EXPECT_EQ(text.ParseCodedLength("12011"), "120.6875");
}

TEST_F(LengthTextTest, LengthsWithoutTextAreReportedAsOverflow) {
  for (Mode mode : {kFeet16, kInch16}) {
    Use(mode);
    for (double value : {99999999990000.0, 1e300, 3e9}) {
      frontend.messages.clear();
      EXPECT_EQ(text.FormatLength(value), "") << value;
      ASSERT_EQ(frontend.messages.size(), 1u) << value;
      EXPECT_EQ(frontend.messages[0].title, "Error");
      EXPECT_EQ(frontend.messages[0].text, "Error # 6 was generated by Brx\rOverflow");
    }
  }
  // Text whose value is not finite reads as 0 by the leading-number rule.
  Use(kFeet16);
  frontend.messages.clear();
  EXPECT_EQ(text.FormatFeetInches("1E400"), "0\"");
  EXPECT_EQ(text.FormatLength(std::nan("")), "0\"");
  EXPECT_TRUE(frontend.messages.empty());
}

TEST(PadLeftTest, PadsToWidthPlusOne) {
  EXPECT_EQ(PadLeft("5", 3), "   5");
  EXPECT_EQ(PadLeft("", 4), "     ");
  EXPECT_EQ(PadLeft("abcd", 3), "abcd");
  EXPECT_EQ(PadLeft("abcdef", 3), "abcdef");
}

// Every 16th (and 32nd) from 0 to 100 feet, typed as a code, shows as itself.
TEST_F(LengthTextTest, RoundTripOfEveryFraction) {
  for (const bool thirtySeconds : {false, true}) {
    Use(thirtySeconds ? kFeet32 : kFeet16);
    const int perInch = thirtySeconds ? 32 : 16;
    for (int feet = 0; feet <= 100; ++feet) {
      for (int inches = 0; inches < 12; ++inches) {
        for (int n = 0; n < perInch; ++n) {
          auto twoDigits = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
          const std::string code = std::to_string(feet) + twoDigits(inches) + twoDigits(n);
          const double value = text.ParseLength(code);
          const std::string shown = text.FormatLength(value);
          // The shown text typed back in coded form reads as the same number.
          EXPECT_NEAR(value, feet + inches / 12.0 + n / (12.0 * perInch), 1e-9) << code;
          std::string expected = feet > 0 ? std::to_string(feet) + "'-" : "";
          if (inches > 0 || feet > 0 || n == 0) expected += std::to_string(inches);
          if (n > 0) {
            int num = n * (32 / perInch), den = 32;
            while (num % 2 == 0) num /= 2, den /= 2;
            expected += " " + std::to_string(num) + "/" + std::to_string(den);
          }
          expected += "\"";
          ASSERT_EQ(shown, expected) << code;
        }
      }
    }
  }
}

}  // namespace
