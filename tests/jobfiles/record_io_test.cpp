#include "jobfiles/record_io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// Each record as the texts of the fields the file reached.
std::vector<Texts> ReadAll(std::string_view text) {
  std::vector<Texts> records;
  RecordReader reader(text);
  while (const std::optional<Record> record = reader.Next()) {
    Texts texts;
    for (int i = 0; i < record->fieldCount; ++i) texts.push_back(record->Text(i));
    records.push_back(texts);
  }
  return records;
}

struct ReadRow {
  std::string name;
  std::string text;
  std::vector<Texts> records;
};

void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }

class RecordReaderTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(RecordReaderTest, SplitsTheTextIntoRecords) {
  EXPECT_EQ(ReadAll(GetParam().text), GetParam().records);
}

// Layouts, quotes, and the blank lines, trailing commas and early ends that
// must not shift the records that follow. Text after a closing quote and a
// file ending inside a record are pinned by the stock and cut file tests.
INSTANTIATE_TEST_SUITE_P(
    Records, RecordReaderTest,
    ::testing::Values(
        ReadRow{"CrLf", "a,b,c,d\r\ne,f,g,h\r\n", {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"Lf", "a,b,c,d\ne,f,g,h\n", {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"Cr", "a,b,c,d\re,f,g,h", {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"BlanksAroundFields", " a ,\tb c\t, c ,d ", {{"a", "b c", "c", "d"}}},
        ReadRow{"RecordOverTwoLines",
                "a,b\r\nc,d\r\ne,f,g,h",
                {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"EmptyLastField", "a,b,c,\r\ne,f,g,h", {{"a", "b", "c", ""}, {"e", "f", "g", "h"}}},
        ReadRow{"EmptyText", "", {}}, ReadRow{"NoFinalLineEnd", "a,b,c,d", {{"a", "b", "c", "d"}}},
        ReadRow{
            "CommaAndLineEndInside", "\"x,y\",\"l1\r\nl2\",c,d", {{"x,y", "l1\r\nl2", "c", "d"}}},
        ReadRow{"DoubledQuote", "\"say \"\"hi\"\"\",b,c,d", {{"say \"hi\"", "b", "c", "d"}}},
        ReadRow{"InnerBlanksKept", " \" W8X31 \" ,b,c,d", {{" W8X31 ", "b", "c", "d"}}},
        ReadRow{"QuoteInsideUnquotedField", "6\" pipe,b\"c,c,d", {{"6\" pipe", "b\"c", "c", "d"}}},
        ReadRow{"Unterminated", "a,\"b,c\r\nd", {{"a", "b,c\r\nd"}}},
        ReadRow{"BlankLinesSkipped",
                "\r\n  \r\na,b,c,d\r\n\t\r\n\r\ne,f,g,h\r\n\r\n   ",
                {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"BlankLineInsideRecord",
                "a,b\r\n \r\nc,d\r\ne,f,g,h",
                {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"TrailingComma",
                "A,b1,3,20,\r\nB,b2,4,30, \r\nC,b3,5,40,",
                {{"A", "b1", "3", "20"}, {"B", "b2", "4", "30"}, {"C", "b3", "5", "40"}}},
        ReadRow{"CommaAfterFourthFieldBeforeText",
                "a,b,c,d,e,f\r\n",
                {{"a", "b", "c", "d"}, {"e", "f"}}},
        ReadRow{"EndsAfterComma", "a,b,", {{"a", "b", ""}}}),
    [](const auto& row) { return row.param.name; });

// Only texts holding a comma or a quote are quoted; every other text, blanks
// included, is written as it is.
TEST(RecordLineTest, QuotesOnlyTextsWithCommasOrQuotes) {
  EXPECT_EQ(RecordLine({"PIPE 2,5", "6\" bin", " x ", ""}), "\"PIPE 2,5\",\"6\"\" bin\", x ,\r\n");
}

}  // namespace
