#include <gtest/gtest.h>
#include <algorithm>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/number_text.h"
#include "optimizer/best_plan_run.h"
#include "support/random_draws.h"

namespace {

// The best plan of a small job, found by trying every way to cut it: for each
// set of pieces cut and each use of the rows with limited bars, the least
// (stock length, orderable length, bars), built bar by bar from every subset
// of pieces that fits a row. Then the set with the most length cut wins.
struct Cost {
  double stock = std::numeric_limits<double>::infinity();
  double orderable = 0.0;
  int bars = 0;

  bool operator<(const Cost& other) const {
    if (stock != other.stock) return stock < other.stock;
    if (orderable != other.orderable) return orderable < other.orderable;
    return bars < other.bars;
  }
};

PlanTotals ExhaustiveOptimum(const JobState& job) {
  const int pieces = job.pieceCount;
  const int subsets = 1 << pieces;
  // A negative kerf or unusable length counts as 0.
  const double kerf = std::max(0.0, LeadingNumber(job.kerf));
  const double unusable = std::max(0.0, LeadingNumber(job.UnuseableLen));
  // Rows with 1 to 999 bars count down; the others never run out.
  std::vector<int> radix(job.stockCount, 0);
  int states = 1;
  for (int row = 0; row < job.stockCount; ++row) {
    if (job.stock[row].quantity >= 1 && job.stock[row].quantity <= 999) {
      radix[row] = states;
      states *= job.stock[row].quantity + 1;
    }
  }
  std::vector<std::vector<bool>> fits(subsets, std::vector<bool>(job.stockCount));
  std::vector<double> length(subsets, 0.0);
  for (int subset = 1; subset < subsets; ++subset) {
    int count = 0;
    for (int piece = 0; piece < pieces; ++piece) {
      if (subset & (1 << piece)) {
        length[subset] += job.pieces[piece].length;
        ++count;
      }
    }
    for (int row = 0; row < job.stockCount; ++row) {
      const double usable = job.stock[row].length - unusable;
      fits[subset][row] = job.stock[row].quantity > 0 &&
                          (length[subset] + count * kerf <= usable + 1e-6 ||
                           std::fabs(length[subset] + (count - 1) * kerf - usable) <= 1e-6);
    }
  }
  std::vector<std::vector<Cost>> best(subsets, std::vector<Cost>(states));
  best[0][0].stock = 0.0;
  for (int cut = 1; cut < subsets; ++cut) {
    const int lowest = cut & -cut;
    // Every bar holding the lowest piece of the set, then the rest as before.
    for (int bar = cut; bar > 0; bar = (bar - 1) & cut) {
      if (!(bar & lowest)) continue;
      for (int row = 0; row < job.stockCount; ++row) {
        if (!fits[bar][row]) continue;
        const StockItem& stock = job.stock[row];
        const int limit = radix[row] > 0 ? stock.quantity : 0;
        for (int state = 0; state < states; ++state) {
          const Cost& before = best[cut ^ bar][state];
          if (std::isinf(before.stock)) continue;
          int next = state;
          if (radix[row] > 0) {
            if (state / radix[row] % (limit + 1) == limit) continue;
            next += radix[row];
          }
          Cost cost = before;
          cost.stock += stock.length;
          cost.orderable += stock.nonInventory ? stock.length : 0.0;
          ++cost.bars;
          if (cost < best[cut][next]) best[cut][next] = cost;
        }
      }
    }
  }
  PlanTotals optimum;
  Cost optimumCost;
  optimumCost.stock = 0.0;
  for (int cut = 1; cut < subsets; ++cut) {
    for (const Cost& cost : best[cut]) {
      if (std::isinf(cost.stock)) continue;
      if (length[cut] > optimum.cutLength ||
          (length[cut] == optimum.cutLength && cost < optimumCost)) {
        optimum.cutLength = length[cut];
        optimumCost = cost;
      }
    }
  }
  optimum.stockLength = optimumCost.stock;
  optimum.orderableLength = optimumCost.orderable;
  optimum.bars = optimumCost.bars;
  return optimum;
}

// Up to ten pieces from lengths that often add up exactly, two or three
// stock lengths, orderable rows or a few bars in inventory, and kerfs and
// unusable lengths that decide whether pieces fit.
JobState SmallJob(std::uint64_t seed) {
  Sequence random(seed * 2654435761ULL + 1);
  std::vector<TestStock> stock;
  const int rows = 2 + random.Below(2);
  for (int row = 0; row < rows; ++row) {
    const double length = random.Pick(std::array<double, 6>{50, 60, 62, 75, 90, 100});
    stock.push_back({length, random.Below(3) == 0 ? 0 : 1 + random.Below(3)});
  }
  std::vector<double> pieces;
  const int count = 6 + random.Below(BRX_TEST_SCALE_SMALL ? 3 : 5);
  for (int i = 0; i < count; ++i) {
    pieces.push_back(random.Pick(std::array<double, 9>{12, 15, 20, 24, 25, 30, 40, 45, 59}));
  }
  return MakeTestJob(stock, pieces, random.Pick(std::array<std::string, 3>{"0", "1", "2.5"}),
                     random.Pick(std::array<std::string, 2>{"0", "2"}));
}

TEST(BestPlanExhaustiveTest, SmallJobsGetTheOptimum) {
  const int jobs = BRX_TEST_SCALE_SMALL ? 25 : 150;
  for (int seed = 0; seed < jobs; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const JobState before = SmallJob(seed);
    const PlanTotals optimum = ExhaustiveOptimum(before);
    const CheckedRun run = RunChecked(before, 10);
    EXPECT_NEAR(run.totals.cutLength, optimum.cutLength, 1e-9);
    EXPECT_NEAR(run.totals.stockLength, optimum.stockLength, 1e-9);
    EXPECT_NEAR(run.totals.orderableLength, optimum.orderableLength, 1e-9);
    EXPECT_EQ(run.totals.bars, optimum.bars);
    EXPECT_LE(run.result.lowerBound, optimum.stockLength + 1e-9);
  }
}

}  // namespace
