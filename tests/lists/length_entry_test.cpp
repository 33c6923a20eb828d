#include "lists/length_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/job_state.h"
#include "core/length_text.h"
#include "support/recording_frontend.h"

namespace {

struct ShownRow {
  const char* text;
  bool inchOnly;
  double value;  // feet, or inches in inches-only mode
};

void PrintTo(const ShownRow& row, std::ostream* os) { *os << '"' << row.text << '"'; }

class ShownFormTest : public ::testing::TestWithParam<ShownRow> {};

TEST_P(ShownFormTest, ReadsAsTheLengthItShows) {
  const ShownRow& row = GetParam();
  const std::optional<double> value = ParseShownLength(row.text, row.inchOnly);
  ASSERT_TRUE(value.has_value()) << row.text;
  EXPECT_NEAR(*value, row.value, 1e-12) << row.text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ShownFormTest,
    ::testing::Values(ShownRow{"12'-6 5/8\"", false, 12.0 + 6.625 / 12.0},
                      ShownRow{"12'-6 3/4\"", false, 12.0 + 6.75 / 12.0},
                      ShownRow{"6 5/8\"", false, 6.625 / 12.0}, ShownRow{"12'-0\"", false, 12.0},
                      ShownRow{" 5/8\"", false, 0.625 / 12.0}, ShownRow{"0\"", false, 0.0},
                      ShownRow{"40'-9 11/32\"", false, 40.0 + 9.34375 / 12.0},
                      ShownRow{"  12' - 6 1/2\"  ", false, 12.0 + 6.5 / 12.0},
                      ShownRow{"12'6\"", false, 12.5}, ShownRow{"12'", false, 12.0},
                      ShownRow{"120 11/16\"", true, 120.6875}, ShownRow{"10'-6\"", true, 126.0}));

class NotShownFormTest : public ::testing::TestWithParam<const char*> {};

TEST_P(NotShownFormTest, IsLeftToTheTypedReading) {
  EXPECT_EQ(ParseShownLength(GetParam(), false), std::nullopt) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Others, NotShownFormTest,
                         ::testing::Values("120610", "12.5", "", "\"", "'", "12'-6", "6 5/8",
                                           "6 5/7\"", "6 5/64\"", "6 5/\"", "-6\"", "12ft\"",
                                           "6\" 1", "6 5/8\"x", "12'-6 5\"", "1234567890\"",
                                           "1'-1234567890\""));

class LengthFieldTest : public ::testing::Test {
 protected:
  double Read(const std::string& text, const std::optional<ShownLength>& shown) {
    const UnitMode mode = UnitModeOf(job);
    return ReadLengthField(lengthText, mode.metric, mode.inchOnly, text, shown);
  }
  JobState job;
  RecordingFrontend frontend;
  LengthText lengthText{job, frontend};
};

TEST_F(LengthFieldTest, UntouchedShownTextKeepsTheStoredLength) {
  const double stored = 12.0 + 6.6 / 12.0;  // not a whole number of 32nds
  const ShownLength shown{lengthText.FormatLength(stored), stored};
  ASSERT_EQ(shown.text, "12'-6 19/32\"");
  EXPECT_EQ(Read(shown.text, shown), stored);

  job.unit_flag = "1";
  const ShownLength metric{lengthText.FormatLength(1234.567891), 1234.567891};
  EXPECT_EQ(Read(metric.text, metric), 1234.567891);
}

TEST_F(LengthFieldTest, EditedShownTextIsReadAfresh) {
  const ShownLength shown{"12'-6 5/8\"", 12.5};
  // A coded entry gives the same number as its shown form.
  EXPECT_EQ(Read("120610", shown), Read("12'-6 5/8\"", std::nullopt));
  EXPECT_DOUBLE_EQ(Read("120610", std::nullopt), lengthText.ParseLength("120610"));

  job.inchOnlyFlag = "1";
  EXPECT_DOUBLE_EQ(Read("120 11/16\"", std::nullopt), 120.6875);
}

TEST_F(LengthFieldTest, MetricTextIsNeverReadAsFeetAndInches) {
  job.unit_flag = "1";
  EXPECT_DOUBLE_EQ(Read("12'-6\"", std::nullopt), 12.0);
  EXPECT_DOUBLE_EQ(Read(" 25.4mm", std::nullopt), 25.4);
}

}  // namespace
