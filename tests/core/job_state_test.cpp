#include "core/job_state.h"

#include <gtest/gtest.h>

namespace {

StockItem Row(double length, const char* bin) {
  StockItem row;
  row.length = length;
  row.bin = bin;
  return row;
}

std::vector<std::string> Bins(const JobState& job, int count) {
  std::vector<std::string> bins;
  for (int i = 0; i < count; ++i) bins.push_back(job.stock[i].bin);
  return bins;
}

TEST(SortStockByLengthTest, LongestFirstAndStable) {
  JobState job;
  job.stock[0] = Row(240, "A");
  job.stock[1] = Row(480, "B");
  job.stock[2] = Row(240, "C");
  SortStockByLength(3, job.stock);
  EXPECT_EQ(Bins(job, 3), (std::vector<std::string>{"B", "A", "C"}));
}

TEST(SortStockByLengthTest, NeverTouchesStaleEntriesPastTheCount) {
  JobState job;
  job.stock[0] = Row(10, "A");
  job.stock[1] = Row(20, "B");
  job.stock[2] = Row(999, "stale");
  SortStockByLength(2, job.stock);
  EXPECT_EQ(Bins(job, 3), (std::vector<std::string>{"B", "A", "stale"}));
  SortStockByLength(1, job.stock);
  SortStockByLength(0, job.stock);
  EXPECT_EQ(Bins(job, 3), (std::vector<std::string>{"B", "A", "stale"}));
}

TEST(SortPiecesByLengthTest, EqualLengthsKeepTheirOrderAtFullCapacity) {
  JobState job;
  for (int i = 0; i < kMaxPieces; ++i) {
    job.pieces[i].length = (i % 3 == 0) ? 5.0 : 7.0;
    job.pieces[i].mark = std::to_string(i);
  }
  job.pieces[kMaxPieces].length = 1e9;  // stale slot past the count
  SortPiecesByLength(kMaxPieces, job.pieces);
  int lastSeven = -1, lastFive = -1;
  for (int i = 0; i < kMaxPieces; ++i) {
    const int original = std::stoi(job.pieces[i].mark);
    int& last = job.pieces[i].length == 7.0 ? lastSeven : lastFive;
    ASSERT_GT(original, last) << "order of equal lengths changed at " << i;
    last = original;
    if (i > 0) {
      ASSERT_GE(job.pieces[i - 1].length, job.pieces[i].length);
    }
  }
  EXPECT_EQ(job.pieces[kMaxPieces].length, 1e9);
}

TEST(JobStateTest, HoldsTheCapacitiesPlusOneSlot) {
  JobState job;
  EXPECT_EQ(job.stock.size(), 1001u);
  EXPECT_EQ(job.cuts.size(), 1001u);
  EXPECT_EQ(job.pieces.size(), 2001u);
  EXPECT_EQ(job.freePieces.size(), 2001u);
  EXPECT_EQ(job.bars.size(), 1001u);
  EXPECT_EQ(job.bars[0].pieceIndex.size(), 1501u);
}

}  // namespace
