#include "optimizer/greedy_bars.h"

#include <algorithm>

#include "core/job_state.h"
#include "optimizer/knapsack.h"

namespace {

// Stock types tried for each bar; with more types, a spread of them, each
// bar then moved to the shortest type that holds it.
constexpr std::size_t kTypesTried = 16;

struct Choice {
  Pattern pattern;
  double fill = -1.0;  // cut length over stock length
};

std::vector<int> TypesToTry(const CuttingModel& model, const std::vector<int>& barsUsed) {
  std::vector<int> withBars;
  for (std::size_t stock = 0; stock < model.stockTypes.size(); ++stock) {
    if (barsUsed[stock] < model.stockTypes[stock].AvailableBars()) {
      withBars.push_back(static_cast<int>(stock));
    }
  }
  if (withBars.size() <= kTypesTried) return withBars;
  std::vector<int> spread;
  for (std::size_t i = 0; i < kTypesTried; ++i) {
    spread.push_back(withBars[i * (withBars.size() - 1) / (kTypesTried - 1)]);
  }
  return spread;
}

// The shortest stock type from `longest` on with bars left that holds the
// pieces, or -1.
int ShortestHolding(const CuttingModel& model, const Pattern& pattern,
                    const std::vector<int>& barsUsed) {
  const double length = model.PieceLength(pattern);
  const int count = pattern.PieceCount();
  for (int stock = static_cast<int>(model.stockTypes.size()) - 1; stock >= pattern.stockType;
       --stock) {
    const StockType& type = model.stockTypes[stock];
    if (barsUsed[stock] < type.AvailableBars() &&
        PiecesFit(length, count, model.kerf, type.usable)) {
      return stock;
    }
  }
  return -1;
}

// The bar that cuts the largest share of its stock length.
Choice BestBar(const CuttingModel& model, const std::vector<int>& toCut,
               const std::vector<int>& barsUsed, long long knapsackNodes) {
  std::vector<KnapsackItem> items;
  for (std::size_t type = 0; type < model.pieceTypes.size(); ++type) {
    const double length = model.pieceTypes[type].length;
    // A tiny value keeps pieces of no length in the selection.
    items.push_back({static_cast<int>(type), length, std::max(length, 1e-9), toCut[type]});
  }
  const Knapsack knapsack(items, model.kerf, MAX_STK_CUTS);
  Choice best;
  for (const int stock : TypesToTry(model, barsUsed)) {
    const KnapsackResult result =
        knapsack.Solve(model.stockTypes[stock].usable, 0.0, knapsackNodes);
    Pattern pattern{stock, result.counts};
    if (result.counts.empty()) continue;
    pattern.stockType = ShortestHolding(model, pattern, barsUsed);
    if (pattern.stockType < 0) continue;
    const double fill = model.PieceLength(pattern) / model.stockTypes[pattern.stockType].length;
    if (fill > best.fill) best = {pattern, fill};
  }
  return best;
}

}  // namespace

void AddGreedyBars(const CuttingModel& model, long long knapsackNodes, BarList& bars) {
  std::vector<int> toCut(model.pieceTypes.size());
  for (std::size_t type = 0; type < toCut.size(); ++type) {
    toCut[type] = model.pieceTypes[type].Demand();
  }
  std::vector<int> barsUsed(model.stockTypes.size(), 0);
  for (const Pattern& bar : bars) {
    ++barsUsed[bar.stockType];
    for (const auto& [type, count] : bar.items) toCut[type] = std::max(0, toCut[type] - count);
  }
  while (static_cast<int>(bars.size()) < model.barLimit) {
    const Choice choice = BestBar(model, toCut, barsUsed, knapsackNodes);
    if (choice.pattern.items.empty()) break;
    // The same bar again while its pieces and its stock last.
    int repeats = model.barLimit - static_cast<int>(bars.size());
    repeats = std::min(repeats, model.stockTypes[choice.pattern.stockType].AvailableBars() -
                                    barsUsed[choice.pattern.stockType]);
    for (const auto& [type, count] : choice.pattern.items) {
      repeats = std::min(repeats, toCut[type] / count);
    }
    for (int i = 0; i < repeats; ++i) bars.push_back(choice.pattern);
    barsUsed[choice.pattern.stockType] += repeats;
    for (const auto& [type, count] : choice.pattern.items) toCut[type] -= repeats * count;
  }
}
