#include "jobfiles/record_io.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// Each record as the texts of its first four fields, and "+n" for n more.
std::vector<Texts> ReadAll(std::string_view text) {
  std::vector<Texts> records;
  RecordReader reader(text);
  while (const std::optional<Record> record = reader.Next()) {
    Texts texts;
    for (int i = 0; i < std::min(record->fieldCount, kFieldsPerRecord); ++i) {
      texts.push_back(record->Text(i));
    }
    if (record->fieldCount > kFieldsPerRecord) {
      texts.push_back("+" + std::to_string(record->fieldCount - kFieldsPerRecord));
    }
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

// Layouts, quotes, and the blank lines, trailing commas and short or long
// lines that must not shift the records that follow: a record is one line.
INSTANTIATE_TEST_SUITE_P(
    Records, RecordReaderTest,
    ::testing::Values(
        ReadRow{"CrLf", "a,b,c,d\r\ne,f,g,h\r\n", {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"LfAndCr", "a,b,c,d\ne,f,g,h\r", {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"BlanksAroundFields", " a ,\tb c\t, c ,d ", {{"a", "b c", "c", "d"}}},
        ReadRow{"ShortLinesStayApart",
                "a,b\r\nc,d\r\ne,f,g,h",
                {{"a", "b"}, {"c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"FifthField",
                "W8X31,A14,2,30,note\r\nL3,B3,6,20\r\n",
                {{"W8X31", "A14", "2", "30", "+1"}, {"L3", "B3", "6", "20"}}},
        ReadRow{
            "QuoteNeverHoldsALineEnd", "a,\"b,c\r\nd,e,f,g", {{"a", "b,c"}, {"d", "e", "f", "g"}}},
        ReadRow{"DoubledQuote", "\"say \"\"hi\"\"\",b,c,d", {{"say \"hi\"", "b", "c", "d"}}},
        ReadRow{"TextAfterClosingQuoteDropped", "\"a\"x ,b,c,d", {{"a", "b", "c", "d"}}},
        ReadRow{"InnerBlanksKept", " \" W8X31 \" ,b,c,d", {{" W8X31 ", "b", "c", "d"}}},
        ReadRow{"QuoteInsideUnquotedField", "6\" pipe,b\"c,c,d", {{"6\" pipe", "b\"c", "c", "d"}}},
        ReadRow{"BlankLinesSkipped",
                "\r\n  \r\na,b,c,d\r\n\t\r\n\r\ne,f,g,h\r\n\r\n   ",
                {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}},
        ReadRow{"TrailingComma",
                "A,b1,3,20,\r\nB,b2,4,30, \r\nC,b3,5,40,,\r\nD,b4,5,",
                {{"A", "b1", "3", "20"},
                 {"B", "b2", "4", "30"},
                 {"C", "b3", "5", "40", "+2"},
                 {"D", "b4", "5", ""}}},
        ReadRow{"ByteOrderMarkSkippedAtTheStartOnly",
                "\xEF\xBB\xBFW8X31,A,1,2\r\n\xEF\xBB\xBFx,b,c,d",
                {{"W8X31", "A", "1", "2"}, {"\xEF\xBB\xBFx", "b", "c", "d"}}}),
    [](const auto& row) { return row.param.name; });

// Only texts holding a comma or a quote are quoted; every other text, blanks
// included, is written as it is.
TEST(RecordLineTest, QuotesOnlyTextsWithCommasOrQuotes) {
  EXPECT_EQ(RecordLine({"PIPE 2,5", "6\" bin", " x ", ""}), "\"PIPE 2,5\",\"6\"\" bin\", x ,\r\n");
}

}  // namespace
