#include "optimizer/knapsack.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "optimizer/cutting_model.h"

namespace {

double Density(const Knapsack::Item& item) {
  return item.weight > 0.0 ? item.item.value / item.weight
                           : std::numeric_limits<double>::infinity();
}

// One search for one usable length. Every selection the exact-fit rule
// accepts has length + count * kerf within usable + kerf + tolerance, so that
// sum is the capacity of the fractional bound.
class KnapsackSearch {
 public:
  KnapsackSearch(const std::vector<Knapsack::Item>& items, double kerf, int maxPieces,
                 double usable, double target, long long nodeLimit, const std::vector<int>& taken)
      : items_(items),
        kerf_(kerf),
        maxPieces_(maxPieces),
        usable_(usable),
        capacity_(usable + kerf + kLengthEpsilon),
        target_(target),
        nodeLimit_(nodeLimit),
        chosen_(items.size(), 0),
        best_(items.size(), 0),
        bestValue_(target) {
    for (const Knapsack::Item& entry : items) {
      const int gone = taken.empty() ? 0 : taken[entry.item.type];
      counts_.push_back(std::max(0, entry.item.maxCount - gone));
    }
  }

  KnapsackResult Run() {
    KnapsackResult result;
    const double rootBound = Bound(0, capacity_);
    Search(0, 0.0, 0.0, 0, 0.0);
    result.complete = !stopped_;
    result.nodes = nodes_;
    result.upperBound = stopped_ ? rootBound : std::max(bestValue_, target_) + PruneMargin();
    if (!found_) return result;
    result.value = bestValue_;
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (best_[i] > 0) result.counts.emplace_back(items_[i].item.type, best_[i]);
    }
    std::sort(result.counts.begin(), result.counts.end());
    return result;
  }

 private:
  // Value a selection must beat by more than rounding noise to count.
  double PruneMargin() const { return 1e-9 * std::max(1.0, std::fabs(bestValue_)); }

  // Copies of an item that keep the selection within the capacity.
  int MostCopies(std::size_t index, double weight, int count) const {
    const Knapsack::Item& entry = items_[index];
    int most = std::min(counts_[index], maxPieces_ - count);
    if (entry.weight <= 0.0) return most;
    const double room = capacity_ - weight;
    if (room < 0.0) return 0;
    most = static_cast<int>(std::min<double>(most, std::floor(room / entry.weight) + 1.0));
    while (most > 0 && weight + most * entry.weight > capacity_) --most;
    return most;
  }

  // The fractional bound on what items from `first` on can add within `room`.
  double Bound(std::size_t first, double room) const {
    double value = 0.0;
    for (std::size_t i = first; i < items_.size(); ++i) {
      const Knapsack::Item& entry = items_[i];
      const double full = counts_[i] * entry.weight;
      if (full <= room) {
        value += counts_[i] * entry.item.value;
        room -= full;
      } else {
        return value + room / entry.weight * entry.item.value;
      }
    }
    return value;
  }

  void Search(std::size_t next, double weight, double length, int count, double value) {
    if (++nodes_ > nodeLimit_) {
      stopped_ = true;
      return;
    }
    if (value > bestValue_ && PiecesFit(length, count, kerf_, usable_)) {
      bestValue_ = value;
      best_ = chosen_;
      found_ = true;
    }
    if (next == items_.size()) return;
    if (value + Bound(next, capacity_ - weight) <= bestValue_ + PruneMargin()) return;
    const Knapsack::Item& entry = items_[next];
    for (int copies = MostCopies(next, weight, count); copies >= 0 && !stopped_; --copies) {
      chosen_[next] = copies;
      Search(next + 1, weight + copies * entry.weight, length + copies * entry.item.length,
             count + copies, value + copies * entry.item.value);
    }
    chosen_[next] = 0;
  }

  const std::vector<Knapsack::Item>& items_;
  const double kerf_;
  const int maxPieces_;
  const double usable_;
  const double capacity_;
  const double target_;
  const long long nodeLimit_;
  std::vector<int> counts_;  // copies available per item
  std::vector<int> chosen_;
  std::vector<int> best_;
  double bestValue_;
  bool found_ = false;
  bool stopped_ = false;
  long long nodes_ = 0;
};

}  // namespace

Knapsack::Knapsack(const std::vector<KnapsackItem>& items, double kerf, int maxPieces)
    : kerf_(kerf), maxPieces_(maxPieces) {
  for (const KnapsackItem& item : items) {
    if (item.value > 0.0 && item.maxCount > 0) items_.push_back({item, item.length + kerf});
  }
  std::sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
    const double densityA = Density(a), densityB = Density(b);
    if (densityA != densityB) return densityA > densityB;
    if (a.item.length != b.item.length) return a.item.length > b.item.length;
    return a.item.type < b.item.type;
  });
}

KnapsackResult Knapsack::Solve(double usable, double target, long long nodeLimit,
                               const std::vector<int>& taken) const {
  return KnapsackSearch(items_, kerf_, maxPieces_, usable, target, nodeLimit, taken).Run();
}

GridKnapsack Knapsack::SolveOnGrid(double usable, double target, double unitsPerLength,
                                   long long cellLimit, int selections, bool coarse) const {
  GridKnapsack result;
  // Coarse units round the weights up, so that what fits in units fits.
  const auto units = [&](double length) {
    const double scaled = length * unitsPerLength;
    return static_cast<long long>(coarse ? std::ceil(scaled - 1e-9) : std::round(scaled));
  };
  // A selection of weight W (lengths plus one kerf each) fits when W is
  // within the usable length, or exactly one kerf over it (the last cut
  // needs none).
  const long long fits =
      coarse ? static_cast<long long>(std::floor(usable * unitsPerLength + 1e-9)) : units(usable);
  const long long exact = coarse ? fits : units(usable + kerf_);
  if (fits < 0 || exact < fits) return result;
  // Copies of each item split into parts of 1, 2, 4 ... so that each part is
  // taken at most once.
  struct Part {
    std::size_t item;
    int copies;
    long long weight;
    double value;
  };
  std::vector<Part> parts;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const long long weight = units(items_[i].weight);
    if (weight <= 0) return result;
    int left = static_cast<int>(std::min<long long>(items_[i].item.maxCount, exact / weight));
    for (int part = 1; left > 0; part *= 2) {
      const int copies = std::min(part, left);
      parts.push_back({i, copies, copies * weight, copies * items_[i].item.value});
      left -= copies;
    }
  }
  const long long width = exact + 1;
  if (static_cast<double>(width) * static_cast<double>(parts.size() + 1) >
      static_cast<double>(cellLimit)) {
    return result;
  }
  // The best value of each exact weight; unreachable weights stay hugely
  // negative, so that the inner loop needs no test. `took` marks the weights
  // each part improved, to read the selections back.
  std::vector<double> best(width, -1e300);
  std::vector<std::uint8_t> took(parts.size() * width, 0);
  best[0] = 0.0;
  long long reach = 0;  // no weight above this is reached yet
  for (std::size_t p = 0; p < parts.size(); ++p) {
    const long long weight = parts[p].weight;
    const double value = parts[p].value;
    reach = std::min(exact, reach + weight);
    double* const table = best.data();
    std::uint8_t* const row = took.data() + p * width;
    for (long long w = reach; w >= weight; --w) {
      const double with = table[w - weight] + value;
      const bool better = with > table[w];
      row[w] = better;
      table[w] = better ? with : table[w];
    }
    result.cells += reach + 1;
  }
  result.solved = true;
  // The weights that fit, best value first.
  std::vector<long long> ends;
  for (long long w = 0; w <= fits; ++w) {
    if (best[w] > target) ends.push_back(w);
  }
  if (exact > fits && best[exact] > target) ends.push_back(exact);
  result.bestValue = target;
  for (const long long w : ends) result.bestValue = std::max(result.bestValue, best[w]);
  const auto count = std::min<std::size_t>(ends.size(), static_cast<std::size_t>(selections));
  std::partial_sort(ends.begin(), ends.begin() + static_cast<std::ptrdiff_t>(count), ends.end(),
                    [&](long long a, long long b) { return best[a] > best[b]; });
  for (std::size_t e = 0; e < count; ++e) {
    std::vector<int> copies(items_.size(), 0);
    int pieces = 0;
    long long at = ends[e];
    for (std::size_t p = parts.size(); p-- > 0;) {
      if (took[p * width + at]) {
        copies[parts[p].item] += parts[p].copies;
        pieces += parts[p].copies;
        at -= parts[p].weight;
      }
    }
    if (pieces > maxPieces_) continue;
    std::vector<std::pair<int, int>> selection;
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (copies[i] > 0) selection.emplace_back(items_[i].item.type, copies[i]);
    }
    std::sort(selection.begin(), selection.end());
    result.selections.push_back(std::move(selection));
  }
  return result;
}
