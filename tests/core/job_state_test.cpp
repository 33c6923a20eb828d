#include "core/job_state.h"

#include <gtest/gtest.h>

namespace {

TEST(SortStockByLengthTest, LongestFirstStableAndNothingPastTheCount) {
  JobState job;
  const std::pair<double, const char*> rows[] = {{240, "A"}, {480, "B"}, {240, "C"}, {999, "x"}};
  for (int i = 0; i < 4; ++i) {
    job.stock[i].length = rows[i].first;
    job.stock[i].bin = rows[i].second;
  }
  const std::vector<std::string> sorted = {"B", "A", "C", "x"};  // "x" is a stale entry
  for (const int count : {3, 1, 0}) {
    SortStockByLength(count, job.stock);
    std::vector<std::string> bins;
    for (int i = 0; i < 4; ++i) bins.push_back(job.stock[i].bin);
    EXPECT_EQ(bins, sorted) << count;
  }
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

}  // namespace
