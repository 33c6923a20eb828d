#include "lists/list_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "core/length_text.h"
#include "support/recording_frontend.h"

namespace {

// Shows every blank as a middle dot, as the examples write them, so the
// columns can be counted.
std::string Dots(const std::string& text) {
  std::string out;
  for (char c : text) out += c == ' ' ? std::string("·") : std::string(1, c);
  return out;
}

class ListLinesTest : public ::testing::Test {
 protected:
  StockItem Stock(std::int16_t quantity, std::string bin, double length) {
    StockItem item;
    item.quantity = quantity;
    item.bin = std::move(bin);
    item.length = length;
    return item;
  }
  CutItem Cut(std::int16_t quantity, std::string mark, double length) {
    CutItem item;
    item.quantity = quantity;
    item.mark = std::move(mark);
    item.length = length;
    return item;
  }

  JobState job;
  RecordingFrontend frontend;
  LengthText lengthText{job, frontend};
};

// The window tests check the common lines; these are the edges.
TEST_F(ListLinesTest, StockLinesPadEachColumn) {
  // An orderable row shows quantity 0 whatever its flag says.
  EXPECT_EQ(Dots(StockLine(Stock(kOrderableQuantity, "", 20.5), lengthText)),
            "···0·pcs·············@···········20'-6\"");
  // Texts wider than their column are shown whole and push the rest right.
  EXPECT_EQ(StockLine(Stock(1000, "BIN-12345678", 1.0), lengthText),
            "1000 pcs BIN-12345678 @            1'-0\"");
}

TEST_F(ListLinesTest, CutLinesCarryASignPositionAndWiderColumns) {
  EXPECT_EQ(CutLine(Cut(1000, "M", 1.0), lengthText).substr(0, 5), " 1000");
  EXPECT_EQ(CutLine(Cut(-3, "M", 1.0), lengthText).substr(0, 4), "  -3");
  EXPECT_EQ(CutLine(Cut(1, "MARK-1234567890", 2.0), lengthText),
            "   1 pcs. MARK-1234567890 @             2'-0\"");
}

TEST_F(ListLinesTest, MetricLengthsShowFiveDecimals) {
  job.unit_flag = "1";
  const std::string line = StockLine(Stock(2, "R1", 6000.0), lengthText);
  EXPECT_EQ(line.substr(line.size() - 16), "      6000.00000");
}

TEST_F(ListLinesTest, StatusAndQuantityFieldTexts) {
  EXPECT_EQ(StockListFocusText(12), " 12 stock list items");
  EXPECT_EQ(Dots(CutStatusText(0, 0)), "·0·cut·list·items·for·a·total·of··0·cut·pieces");
  EXPECT_EQ(CutStatusText(1, -4), " 1 cut list items for a total of -4 cut pieces");
  EXPECT_EQ(StockQuantityFieldText(Stock(100, "", 1)), " 100");
  EXPECT_EQ(CutQuantityFieldText(Cut(100, "", 1)), " 100");
}

TEST_F(ListLinesTest, StockRebuildSortsLongestFirstAndReadsOnlyCountedRows) {
  job.stock[0] = Stock(1, "short", 10);
  job.stock[1] = Stock(2, "long", 40);
  job.stock[2] = Stock(3, "middle", 20);
  job.stock[3] = Stock(4, "stale", 99);
  job.stockCount = 3;
  const std::vector<std::string> lines = SortedStockLines(job, lengthText);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], StockLine(Stock(2, "long", 40), lengthText));
  EXPECT_EQ(job.stock[1].bin, "middle");
  EXPECT_EQ(job.stock[2].bin, "short");
  EXPECT_EQ(job.stock[3].bin, "stale");
}

TEST_F(ListLinesTest, CutRebuildKeepsRowOrderAndSortsPieces) {
  job.cuts[0] = Cut(1, "A", 2);
  job.cuts[1] = Cut(1, "B", 8);
  job.cutCount = 2;
  job.pieces[0].length = 2;
  job.pieces[1].length = 8;
  job.pieceCount = 2;
  const std::vector<std::string> lines = SortedCutLines(job, lengthText);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], CutLine(Cut(1, "A", 2), lengthText));
  EXPECT_EQ(job.pieces[0].length, 8);
}

TEST_F(ListLinesTest, CutRebuildSurvivesANegativePieceTotal) {
  job.cuts[0] = Cut(-3, "A", 2);
  job.cutCount = 1;
  job.pieceCount = -3;
  EXPECT_EQ(SortedCutLines(job, lengthText).size(), 1u);
}

}  // namespace
