#include "optimizer/best_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "optimizer/best_plan_run.h"
#include "optimizer/pack_bars.h"
#include "support/random_draws.h"

namespace {

std::vector<int> UsedCounts(const JobState& job) {
  std::vector<int> used;
  for (int row = 0; row < job.stockCount; ++row) used.push_back(job.stock[row].usedCount);
  return used;
}

int UncutPieces(const JobState& job) { return job.pieceCount - job.usedPieceCount; }

struct FitCase {
  const char* name;
  std::string kerf;
  std::vector<double> pieces;
  int bars;
};

void PrintTo(const FitCase& row, std::ostream* os) { *os << row.name; }

class BestPlanFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(BestPlanFitTest, BarsNeededOnTwentyFootStock) {
  const FitCase& fit = GetParam();
  const CheckedRun run = RunChecked(MakeTestJob({{20, 0}}, fit.pieces, fit.kerf), 10);
  EXPECT_EQ(run.job.barCount, fit.bars);
  EXPECT_EQ(UncutPieces(run.job), 0);
}

INSTANTIATE_TEST_SUITE_P(
    ExactFitRule, BestPlanFitTest,
    ::testing::Values(FitCase{"LastCutNeedsNoKerf", "0.125", {10, 9.875}, 1},
                      FitCase{"OneKerfTooLong", "0.125", {10, 9.9}, 2},
                      FitCase{"KerfBetweenEveryPiece", "0.125", {6.5, 6.5, 6.75}, 1},
                      FitCase{"ThirdsOfAFootWithinRoundingNoise",
                              "0",
                              {6.66666666666667, 6.66666666666667, 6.66666666666667},
                              1}),
    [](const ::testing::TestParamInfo<FitCase>& fit) { return fit.param.name; });

TEST(BestPlanTest, TakesInventoryBeforeOrderableStock) {
  const JobState before = MakeTestJob({{100, 0}, {100, 2}}, {100, 100, 100, 100});
  const CheckedRun run = RunChecked(before, 5);
  // Rows of equal length keep their order: the orderable row stays first.
  EXPECT_TRUE(run.job.stock[0].nonInventory);
  EXPECT_EQ(UsedCounts(run.job), (std::vector<int>{2, 2}));
  EXPECT_EQ(run.job.stock[0].quantity, kOrderableQuantity);
  EXPECT_EQ(run.job.stock[1].quantity, 0);
  EXPECT_DOUBLE_EQ(run.totals.orderableLength, 200.0);
}

TEST(BestPlanTest, CutsTheMostLengthWhenStockRunsShort) {
  const CheckedRun run = RunChecked(MakeTestJob({{100, 1}}, {60, 50, 40}), 5);
  EXPECT_DOUBLE_EQ(run.totals.cutLength, 100.0);
  EXPECT_FALSE(run.job.pieces[1].used);  // the 50
}

TEST(BestPlanTest, KeepsToTheLimitsOfBarsAndPiecesPerBar) {
  const CheckedRun bars = RunChecked(MakeTestJob({{100, 0}}, std::vector<double>(1001, 60)), 0);
  EXPECT_EQ(bars.job.barCount, kMaxBars);
  EXPECT_EQ(UncutPieces(bars.job), 1);

  const CheckedRun pieces = RunChecked(MakeTestJob({{100, 0}}, std::vector<double>(1600, 0.01)), 0);
  EXPECT_EQ(pieces.job.barCount, 2);
  EXPECT_EQ(pieces.job.bars[0].pieceCount, MAX_STK_CUTS);
}

TEST(BestPlanTest, KeepsToTheBarsTheStockFileHolds) {
  JobState before = MakeTestJob({{100, 0}}, {60, 60, 60});
  before.totalStockQuantity = 2;
  const CheckedRun run = RunChecked(before, 5);
  EXPECT_EQ(run.job.barCount, 2);
}

TEST(BestPlanTest, BoundIsWholeBarsOnlyWithOneUsableLength) {
  EXPECT_DOUBLE_EQ(RunChecked(MakeTestJob({{100, 0}}, {50, 50, 50}), 5).result.lowerBound, 200.0);
  EXPECT_DOUBLE_EQ(RunChecked(MakeTestJob({{100, 3}, {100, 0}}, {50, 50, 50}), 5).result.lowerBound,
                   200.0);
  // With a second length the LP bound may take part of a bar.
  const CheckedRun mixed = RunChecked(MakeTestJob({{100, 0}, {75, 0}}, {50, 50, 50}), 5);
  EXPECT_DOUBLE_EQ(mixed.totals.stockLength, 175.0);
  EXPECT_DOUBLE_EQ(mixed.result.lowerBound, 150.0);
}

// Triplets of pieces that fill 1000 exactly, one long and two short, as in
// the hard bin-packing sets: the optimum is one bar each.
std::vector<double> Triplets(int count, std::uint64_t seed) {
  Sequence random(seed);
  std::vector<double> pieces;
  for (int i = 0; i < count; ++i) {
    const int first = 380 + random.Below(111);
    const int second = 250 + random.Below((1000 - first) / 2 - 250 + 1);
    pieces.insert(pieces.end(), {1.0 * first, 1.0 * second, 1000.0 - first - second});
  }
  return pieces;
}

// Pieces in sixteenths on three stock lengths with a kerf and an unusable
// length, inventory running short.
JobState MixedJob(std::uint64_t seed, int pieceCount) {
  Sequence random(seed);
  std::vector<double> pieces;
  for (int i = 0; i < pieceCount; ++i) pieces.push_back(5 + random.Below(65 * 16) / 16.0);
  return MakeTestJob({{120, 0}, {100, 4}, {80, 3}}, pieces, "0.125", "0.5");
}

class BestPlanRepeatTest : public ::testing::TestWithParam<int> {};

// The dive and the integer program (level 10) as well as the quicker phases.
TEST_P(BestPlanRepeatTest, SameJobSamePlan) {
  const JobState before =
      GetParam() == 5 ? MixedJob(7, 30) : MakeTestJob({{1000, 0}}, Triplets(12, 5));
  const CheckedRun first = RunChecked(before, GetParam());
  const CheckedRun second = RunChecked(before, GetParam());
  ASSERT_EQ(first.job.barCount, second.job.barCount);
  for (int b = 0; b < first.job.barCount; ++b) {
    const BarPlan& one = first.job.bars[b];
    const BarPlan& other = second.job.bars[b];
    EXPECT_EQ(one.bin, other.bin);
    EXPECT_EQ(one.pieceCount, other.pieceCount);
    EXPECT_TRUE(std::equal(one.pieceIndex.begin(), one.pieceIndex.begin() + one.pieceCount,
                           other.pieceIndex.begin()));
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, BestPlanRepeatTest, ::testing::Values(5, 10));

class BestPlanTripletTest : public ::testing::TestWithParam<std::uint64_t> {};

// Jobs whose optimum only the dive finds.
TEST_P(BestPlanTripletTest, FindsTheOptimumAndProvesIt) {
  const CheckedRun run = RunChecked(MakeTestJob({{1000, 0}}, Triplets(20, GetParam())), 10);
  EXPECT_EQ(run.job.barCount, 20);
  EXPECT_DOUBLE_EQ(run.result.lowerBound, 20000.0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, BestPlanTripletTest, ::testing::Values(1, 2, 3, 5, 10));

// Distinct lengths of which every bar holds at most `perBar` and any
// `perBar` fit: the pattern LP bound is the pieces over `perBar` bars, well
// above the total length, and finding it takes a knapsack over many sizes.
struct LargeBarCase {
  const char* name;
  double shortest;
  double step;
  int perBar;
};

void PrintTo(const LargeBarCase& row, std::ostream* os) { *os << row.name; }

class BestPlanLargeBarTest : public ::testing::TestWithParam<LargeBarCase> {};

TEST_P(BestPlanLargeBarTest, BoundIsThePatternLpBound) {
  const LargeBarCase& bars = GetParam();
  std::vector<double> pieces;
  for (int i = 0; i < 60; ++i) pieces.push_back(bars.shortest + i * bars.step);
  const CheckedRun run = RunChecked(MakeTestJob({{100000, 0}}, pieces), 10);
  EXPECT_DOUBLE_EQ(run.result.lowerBound, 60 / bars.perBar * 100000.0);
  EXPECT_EQ(run.job.barCount, 60 / bars.perBar);
}

INSTANTIATE_TEST_SUITE_P(PiecesPerBar, BestPlanLargeBarTest,
                         ::testing::Values(LargeBarCase{"ThreeOfAQuarterToAThird", 25001, 137, 3},
                                           LargeBarCase{"TwoOfAThirdToAHalf", 33334, 271, 2}),
                         [](const ::testing::TestParamInfo<LargeBarCase>& bars) {
                           return bars.param.name;
                         });

// Presses Cancel at the given progress report.
class CancellingFrontend : public RecordingFrontend {
 public:
  CancellingFrontend(JobState& job, std::size_t cancelAt) : job_(job), cancelAt_(cancelAt) {}
  void ShowProgress(float percent) override {
    RecordingFrontend::ShowProgress(percent);
    if (progress.size() == cancelAt_) job_.cancelRequested = true;
  }

 private:
  JobState& job_;
  std::size_t cancelAt_;
};

class BestPlanCancelTest : public ::testing::TestWithParam<int> {};

// Reports 1 to 3 come before the dive, the later ones after its steps.
TEST_P(BestPlanCancelTest, CancelGivesAValidPlanNoWorseThanTheSearch) {
  const JobState before = MakeTestJob({{1000, 0}}, Triplets(20, 1));
  CheckedRun run{before, {}, {}};
  CancellingFrontend frontend(run.job, static_cast<std::size_t>(GetParam()));
  run.result = PlanChecked(before, run.job, 10, frontend);
  EXPECT_GT(frontend.progress.size(), static_cast<std::size_t>(GetParam()));
  EXPECT_TRUE(run.result.cancelled);
  EXPECT_EQ(UncutPieces(run.job), 0);
  JobState classic = before;
  RecordingFrontend quiet;
  PackBars(classic, quiet, 10);
  EXPECT_LE(run.job.barCount, classic.barCount);
  EXPECT_GE(run.job.barCount, 20);
}

INSTANTIATE_TEST_SUITE_P(AtEachProgressReport, BestPlanCancelTest,
                         ::testing::Values(1, 2, 3, 5, 12));

TEST(RunOptimizerTest, ClassicIsTheSearchAloneAndBestAddsTheBound) {
  const JobState before = MakeTestJob({{100, 0}}, {60, 50, 40, 30, 20});
  RecordingFrontend frontend;
  JobState classic = before;
  const PlanResult plain = RunOptimizer(OptimizerKind::Classic, classic, frontend, 10);
  JobState search = before;
  PackBars(search, frontend, 10);
  EXPECT_EQ(TotalsOf(classic).bars, TotalsOf(search).bars);
  EXPECT_DOUBLE_EQ(plain.stockLength, TotalsOf(search).stockLength);
  EXPECT_DOUBLE_EQ(plain.lowerBound, 0.0);

  JobState best = before;
  EXPECT_DOUBLE_EQ(RunOptimizer(OptimizerKind::Best, best, frontend, 10).lowerBound, 200.0);
  EXPECT_THAT(PlanProblems(before, best), ::testing::IsEmpty());
}

// -1, 0 or 1 as plan `a` is worse than, as good as or better than plan `b`:
// more length cut, then less stock, less orderable stock, fewer bars.
int Compare(const PlanTotals& a, const PlanTotals& b) {
  const auto order = [](double x, double y) {
    return std::fabs(x - y) <= 1e-6 ? 0 : x < y ? -1 : 1;
  };
  if (const int cut = order(a.cutLength, b.cutLength)) return cut;
  if (const int stock = order(a.stockLength, b.stockLength)) return -stock;
  if (const int orderable = order(a.orderableLength, b.orderableLength)) return -orderable;
  return a.bars == b.bars ? 0 : a.bars < b.bars ? 1 : -1;
}

TEST(BestPlanTest, GeneratedJobsGetValidPlansNoWorseThanTheSearch) {
  const int jobs = BRX_TEST_SCALE_SMALL ? 3 : 8;
  for (int seed = 0; seed < jobs; ++seed) {
    const JobState before = MixedJob(100 + seed, 16 + 4 * seed);
    for (const int level : {0, 2}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " level " + std::to_string(level));
      const CheckedRun run = RunChecked(before, level);
      EXPECT_EQ(UncutPieces(run.job), 0);
      JobState classic = before;
      RecordingFrontend frontend;
      PackBars(classic, frontend, level);
      EXPECT_GE(Compare(run.totals, TotalsOf(classic)), 0);
    }
  }
}

}  // namespace
