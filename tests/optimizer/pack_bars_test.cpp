#include "optimizer/pack_bars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "optimizer/literal_pack_bars.h"
#include "optimizer/search_jobs.h"
#include "support/recording_frontend.h"

namespace {

struct Rows {
  double length;
  int quantity;
};
struct Pieces {
  double length;
  int count;
};

void BuildJob(JobState& job, const std::vector<Rows>& rows, const std::vector<Pieces>& pieces) {
  ClearJob(job);
  for (const Rows& row : rows) AddStockRow(job, row.length, row.quantity);
  for (const Pieces& group : pieces) AddPieces(job, group.length, group.count);
  FinishJob(job);
}

// One line per bar: its row's bin and the indices of its pieces, in order.
std::vector<std::string> PlanLines(const JobState& job) {
  std::vector<std::string> lines;
  for (int i = 0; i < job.barCount; ++i) {
    const BarPlan& bar = job.bars[i];
    std::string line = bar.bin + ":";
    for (int j = 0; j < bar.pieceCount; ++j) line += " " + std::to_string(bar.pieceIndex[j]);
    lines.push_back(line);
  }
  return lines;
}

std::vector<int> Quantities(const JobState& job) {
  std::vector<int> quantities;
  for (int i = 0; i < job.stockCount; ++i) quantities.push_back(job.stock[i].quantity);
  return quantities;
}

struct PlanCase {
  const char* name;
  std::vector<Rows> rows;
  std::vector<Pieces> pieces;
  const char* kerf;
  const char* unusable;
  int level;
  std::vector<std::string> plan;  // rows are sorted longest first, pieces too
  std::vector<int> quantities;    // after the search; empty: not checked
};

void PrintTo(const PlanCase& row, std::ostream* os) { *os << row.name; }

class PackBarsPlanTest : public testing::TestWithParam<PlanCase> {};

// The fast search and the literal one must both give the plan worked out by hand.
TEST_P(PackBarsPlanTest, GivesThePlan) {
  const PlanCase& c = GetParam();
  for (const bool literal : {false, true}) {
    SCOPED_TRACE(literal ? "literal search" : "PackBars");
    JobState job;
    BuildJob(job, c.rows, c.pieces);
    job.kerf = c.kerf;
    job.UnuseableLen = c.unusable;
    RecordingFrontend frontend;
    if (literal) {
      LiteralPackBars(job, c.level);
    } else {
      PackBars(job, frontend, c.level);
    }
    EXPECT_EQ(PlanLines(job), c.plan);
    if (!c.quantities.empty()) {
      EXPECT_EQ(Quantities(job), c.quantities);
    }
    int used = 0;
    for (int i = 0; i < job.pieceCount; ++i) used += job.pieces[i].used ? 1 : 0;
    EXPECT_EQ(job.usedPieceCount, used);
  }
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, PackBarsPlanTest,
    testing::Values(
        // Size 2 starts with 12 + 8 = 20 (drop 0); then 8 + 5 beats the 8 alone.
        PlanCase{"TwoBarsOfTwo",
                 {{20, 5}},
                 {{12, 1}, {8, 2}, {5, 1}},
                 "0",
                 "0",
                 10,
                 {"B0: 0 1", "B0: 2 3"},
                 {3}},
        PlanCase{"LastKerfNotNeeded",
                 {{20, 1}},
                 {{10, 1}, {9.875, 1}},
                 "0.125",
                 "0",
                 10,
                 {"B0: 0 1"},
                 {0}},
        PlanCase{"EqualRowsToleranceMetTakesTheLater",
                 {{20, 1}, {20, 1}},
                 {{15, 1}},
                 "0",
                 "0",
                 0,
                 {"B1: 0"},
                 {1, 0}},
        PlanCase{"EqualRowsSmallerDropKeepsTheEarlier",
                 {{20, 1}, {20, 1}},
                 {{15, 1}},
                 "0",
                 "0",
                 10,
                 {"B0: 0"},
                 {0, 1}},
        PlanCase{"PieceLongerThanEveryRowStays",
                 {{20, 5}},
                 {{25, 1}, {10, 1}},
                 "0",
                 "0",
                 10,
                 {"B0: 1"},
                 {4}},
        PlanCase{"NothingFits", {{5, 5}}, {{10, 2}}, "0", "0", 0, {}, {5}},
        PlanCase{"NoRowWithStock", {{20, -2}}, {{10, 2}}, "0", "0", 0, {}, {-2}},
        PlanCase{"NegativeQuantityRowPassedOver",
                 {{20, -1}, {40, 1}},
                 {{20, 1}},
                 "0",
                 "0",
                 10,
                 {"B1: 0"},
                 {0, -1}},
        // 6'-8" three times adds up to 20.00000000000001.
        PlanCase{"ThirdsFillTheBar",
                 {{20, 1}},
                 {{6.66666666666667, 3}},
                 "0",
                 "0",
                 10,
                 {"B0: 0 1 2"},
                 {0}},
        // 3'-4" three times leaves 1.07e-14, which meets level 10's tolerance 0.
        PlanCase{"RoundingNoiseMeetsTolerance",
                 {{10, 1}, {10, 1}},
                 {{3.33333333333333, 3}},
                 "0",
                 "0",
                 10,
                 {"B1: 0 1 2"},
                 {1, 0}},
        // The lowered length must not be lowered again for the row one kerf shorter.
        PlanCase{"ExactFitLoweredOnce",
                 {{20, 1}, {19.875, 1}},
                 {{10, 1}, {9.875, 1}},
                 "0.125",
                 "0",
                 10,
                 {"B0: 0 1"},
                 {0, 1}},
        PlanCase{"UnusableLengthText",
                 {{20, 2}},
                 {{10, 1}, {8, 1}},
                 "0",
                 "2.5 ft",
                 10,
                 {"B0: 0", "B0: 1"},
                 {0}},
        PlanCase{
            "KerfText", {{20, 2}}, {{10, 1}, {9.5, 1}}, "1 in", "0", 10, {"B0: 0", "B0: 1"}, {0}}),
    [](const testing::TestParamInfo<PlanCase>& param) { return param.param.name; });

// The literal search shares the shortest-piece rule, so the differential test
// cannot see it: with no piece shorter than 100000, the shortest counts as 100000.
TEST(PackBarsToleranceTest, ShortestPieceCountsAtMost100000) {
  JobState job;
  RecordingFrontend frontend;
  BuildJob(job, {{20, 5}}, {{200000, 1}});
  PackBars(job, frontend, 4);
  EXPECT_EQ(job.dropTolerance, 60000);
}

// No bar may hold more than MAX_STK_CUTS pieces, however many would fit.
TEST(PackBarsTest, NoBarHoldsMoreThan1500Pieces) {
  JobState job;
  BuildJob(job, {{20, 2}}, {{0.01, 1600}});
  RecordingFrontend frontend;
  PackBars(job, frontend, 10);
  ASSERT_EQ(job.barCount, 2);
  EXPECT_EQ(job.bars[0].pieceCount, MAX_STK_CUTS);
  EXPECT_EQ(job.bars[1].pieceCount, 100);
  EXPECT_EQ(job.usedPieceCount, 1600);
}

// Sets the cancel request at its first event pump, as the progress window's
// Cancel button would, and notes how many bars were cut by then.
class CancellingFrontend : public RecordingFrontend {
 public:
  explicit CancellingFrontend(JobState& job) : job_(job) {}
  void PumpEvents() override {
    if (pumps++ == 0) barsAtCancel = job_.barCount;
    job_.cancelRequested = true;
  }
  int barsAtCancel = -1;

 private:
  JobState& job_;
};

void BuildLargeJob(JobState& job) {
  std::vector<Pieces> pieces;
  for (int i = 0; i < 300; ++i) pieces.push_back({1 + (i * 37 % 191) / 16.0, 1});
  BuildJob(job, {{20, 0}, {40, 0}}, pieces);
  job.kerf = "0.0104166666666667";
}

TEST(PackBarsTest, CancelEndsTheSearchAfterAtMostOneMoreBar) {
  JobState job;
  BuildLargeJob(job);
  job.cancelRequested = true;  // a request left from before is cleared at the start
  CancellingFrontend frontend(job);
  PackBars(job, frontend, 10, std::chrono::milliseconds(0));
  ASSERT_GE(frontend.barsAtCancel, 0);
  EXPECT_LE(job.barCount, frontend.barsAtCancel + 1);
  EXPECT_LT(job.usedPieceCount, job.pieceCount);
  int used = 0;
  for (int i = 0; i < job.pieceCount; ++i) used += job.pieces[i].used ? 1 : 0;
  EXPECT_EQ(used, job.usedPieceCount);
}

TEST(PackBarsTest, ShowsRisingProgressWhenPumpingEvents) {
  JobState job;
  BuildLargeJob(job);
  RecordingFrontend frontend;
  PackBars(job, frontend, 10, std::chrono::milliseconds(0));
  ASSERT_GT(frontend.pumps, 1);
  EXPECT_EQ(frontend.progress.size(), static_cast<size_t>(frontend.pumps));
  EXPECT_TRUE(std::is_sorted(frontend.progress.begin(), frontend.progress.end()));
  EXPECT_GE(frontend.progress.front(), 0.0f);
  EXPECT_LE(frontend.progress.back(), 100.0f);
  EXPECT_EQ(job.usedPieceCount, job.pieceCount);
}

}  // namespace
