#include "import/field_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct SplitRow {
  std::string text;
  int maxFields;
  std::vector<std::string> fields;  // fields 1 to n
};

void PrintTo(const SplitRow& row, std::ostream* os) { *os << "'" << row.text << "'"; }

class ParseFieldsTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(ParseFieldsTest, SplitsIntoNumberedFields) {
  const SplitRow& row = GetParam();
  std::vector<std::string> expected{""};
  expected.insert(expected.end(), row.fields.begin(), row.fields.end());
  EXPECT_EQ(ParseFields(row.text, row.maxFields), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseFieldsTest,
    ::testing::Values(SplitRow{",a,,b,", 10, {"a", "b"}},
                      SplitRow{"a\tb;c'd\x16;,e", 10, {"a", "b", "c", "d", "e"}},
                      SplitRow{" a , b ", 10, {" a ", " b "}},
                      SplitRow{"12'-6\" \"x\"|y", 10, {"12", "-6\" \"x\"|y"}},
                      SplitRow{"a\0b\xff,c"s, 10, {"a\0b\xff"s, "c"}},
                      SplitRow{",;\t'\x16", 10, {}},
                      SplitRow{"1,2,3,4,5,6,7,8", 6, {"1", "2", "3", "4", "5", "6"}},
                      SplitRow{"a,b", 0, {}}));

TEST(ParseFieldsDefaultTest, KeepsTenFields) {
  const std::vector<std::string> fields = ParseFields("1,2,3,4,5,6,7,8,9,10,11,12");
  ASSERT_EQ(fields.size(), 11u);
  EXPECT_EQ(fields[10], "10");
}

}  // namespace
