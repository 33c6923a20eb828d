#include "import/field_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The WinEst line tests pin blanks kept inside fields, runs of separators and
// bytes that are no text; these are the separators and limits they leave out.
TEST(ParseFieldsTest, SplitsIntoNumberedFields) {
  const struct {
    const char* text;
    int maxFields;
    std::vector<std::string> fields;  // fields 1 to n
  } rows[] = {
      {",a,,b,", 10, {"a", "b"}},
      {"a\tb;c'd\x16;,e", 10, {"a", "b", "c", "d", "e"}},
      {"12'-6\" \"x\"|y", 10, {"12", "-6\" \"x\"|y"}},
      {",;\t'\x16", 10, {}},
      {"1,2,3,4,5,6,7,8", 6, {"1", "2", "3", "4", "5", "6"}},
      {"a,b", 0, {}},
  };
  for (const auto& row : rows) {
    std::vector<std::string> expected{""};
    expected.insert(expected.end(), row.fields.begin(), row.fields.end());
    EXPECT_EQ(ParseFields(row.text, row.maxFields), expected) << row.text;
  }
  // Ten fields unless told otherwise.
  EXPECT_EQ(ParseFields("1,2,3,4,5,6,7,8,9,10,11,12"), ParseFields("1,2,3,4,5,6,7,8,9,10", 10));
}

}  // namespace
