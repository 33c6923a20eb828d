#include "optimizer/knapsack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "support/random_draws.h"

namespace {

struct Instance {
  std::vector<KnapsackItem> items;
  double usable = 0.0;
  double kerf = 0.0;
  int maxPieces = 0;
};

// Lengths in thirds and sixteenths, so that sums meet the usable length only
// within rounding and the last kerf decides.
Instance RandomInstance(std::uint64_t seed) {
  Sequence random(seed + 0x9E3779B97F4A7C15ULL);
  Instance instance;
  instance.kerf = random.Below(3) * 0.125;
  instance.usable = 10.0 + random.Below(20);
  instance.maxPieces = 2 + random.Below(6);
  const int types = 1 + random.Below(6);
  for (int type = 0; type < types; ++type) {
    const double length =
        random.Below(2) == 0 ? (1 + random.Below(30)) / 3.0 : (16 + random.Below(160)) / 16.0;
    const double value = random.Below(4) == 0 ? length : 1.0 + random.Below(100) / 10.0;
    instance.items.push_back({type, length, value, 1 + random.Below(4)});
  }
  return instance;
}

// The most valuable selection by trying every count of every item.
double BruteForceBest(const Instance& instance, std::size_t item, double length, int count,
                      double value) {
  if (item == instance.items.size()) {
    const bool fits = count == 0 || length + count * instance.kerf <= instance.usable + 1e-6 ||
                      std::fabs(length + (count - 1) * instance.kerf - instance.usable) <= 1e-6;
    return fits && count <= instance.maxPieces ? value : -1.0;
  }
  double best = -1.0;
  const KnapsackItem& entry = instance.items[item];
  for (int copies = 0; copies <= entry.maxCount; ++copies) {
    best = std::max(best, BruteForceBest(instance, item + 1, length + copies * entry.length,
                                         count + copies, value + copies * entry.value));
  }
  return best;
}

double ValueOf(const Instance& instance, const KnapsackResult& result) {
  double value = 0.0;
  for (const auto& [type, count] : result.counts) value += count * instance.items[type].value;
  return value;
}

TEST(BestPlanKnapsackTest, FindsTheMostValuableSelectionThatFits) {
  const int instances = BRX_TEST_SCALE_SMALL ? 300 : 3000;
  for (int seed = 0; seed < instances; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const Instance instance = RandomInstance(seed);
    const double best = BruteForceBest(instance, 0, 0.0, 0, 0.0);
    const Knapsack knapsack(instance.items, instance.kerf, instance.maxPieces);
    const KnapsackResult result = knapsack.Solve(instance.usable, 0.0, 1000000);
    ASSERT_TRUE(result.complete);
    EXPECT_NEAR(ValueOf(instance, result), best, 1e-9);
    EXPECT_NEAR(result.value, best, 1e-9);
    EXPECT_GE(result.upperBound, best - 1e-9);
    // Stopped early it still bounds every selection.
    EXPECT_GE(knapsack.Solve(instance.usable, 0.0, 2).upperBound, best - 1e-9);
    // Nothing is worth more than the best.
    EXPECT_TRUE(knapsack.Solve(instance.usable, best + 1e-6, 1000000).counts.empty());
  }
}

TEST(BestPlanKnapsackTest, CopiesAlreadyTakenAreLeftOut) {
  const Knapsack knapsack({{0, 6.0, 6.0, 2}, {1, 4.0, 4.0, 3}}, 0.0, 10);
  const KnapsackResult all = knapsack.Solve(20.0, 0.0, 1000);
  EXPECT_EQ(all.counts, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));
  const KnapsackResult rest = knapsack.Solve(20.0, 0.0, 1000, {2, 2});
  EXPECT_EQ(rest.counts, (std::vector<std::pair<int, int>>{{1, 1}}));
}

}  // namespace
