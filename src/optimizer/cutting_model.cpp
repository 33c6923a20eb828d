#include "optimizer/cutting_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "core/job_state.h"
#include "core/number_text.h"

bool PiecesFit(double sum, int count, double kerf, double usable) {
  if (count == 0) return true;
  return sum + count * kerf <= usable + kLengthEpsilon ||
         std::fabs(sum + (count - 1) * kerf - usable) <= kLengthEpsilon;
}

int StockType::AvailableBars() const {
  return std::min(kUnlimitedBars, inventoryBars + orderableBars);
}

int Pattern::PieceCount() const {
  int count = 0;
  for (const auto& item : items) count += item.second;
  return count;
}

namespace {

bool NearlyEqual(double a, double b) {
  return std::fabs(a - b) <= kLengthEpsilon + 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

// -1, 0 or 1 as `a` is below, within the tolerance of, or above `b`.
int CompareLengths(double a, double b) {
  if (NearlyEqual(a, b)) return 0;
  return a < b ? -1 : 1;
}

// Bars a row can still give.
int RowBars(const StockItem& row) {
  if (row.quantity <= 0) return 0;
  return QuantityRunsDown(row.quantity) ? row.quantity : kUnlimitedBars;
}

std::vector<StockType> BuildStockTypes(const JobState& job, double unusable) {
  std::map<double, StockType, std::greater<>> byLength;
  for (int row = 0; row < job.stockCount; ++row) {
    const StockItem& item = job.stock[row];
    const int bars = RowBars(item);
    if (bars == 0) continue;
    StockType& type = byLength[item.length];
    type.length = item.length;
    type.usable = item.length - unusable;
    int& supply = item.nonInventory ? type.orderableBars : type.inventoryBars;
    supply = std::min(kUnlimitedBars, supply + bars);
    type.rows.push_back(static_cast<std::int16_t>(row));
  }
  std::vector<StockType> types;
  for (auto& entry : byLength) {
    StockType& type = entry.second;
    std::stable_partition(type.rows.begin(), type.rows.end(),
                          [&](std::int16_t row) { return !job.stock[row].nonInventory; });
    types.push_back(std::move(type));
  }
  return types;
}

// Orderable bars among `bars` bars of one type: inventory rows are used first.
int OrderableBars(const StockType& type, int bars) {
  return std::max(0, bars - type.inventoryBars);
}

}  // namespace

bool IsBetter(const PlanScore& a, const PlanScore& b) {
  if (const int cut = CompareLengths(a.cutLength, b.cutLength)) return cut > 0;
  if (const int stock = CompareLengths(a.stockLength, b.stockLength)) return stock < 0;
  if (const int orderable = CompareLengths(a.orderableLength, b.orderableLength)) {
    return orderable < 0;
  }
  return a.bars < b.bars;
}

double CuttingModel::PieceLength(const Pattern& pattern) const {
  double sum = 0.0;
  for (const auto& [type, count] : pattern.items) {
    for (int i = 0; i < count; ++i) sum += pieceTypes[type].length;
  }
  return sum;
}

bool CuttingModel::Fits(const Pattern& pattern) const {
  const int count = pattern.PieceCount();
  return count <= MAX_STK_CUTS &&
         PiecesFit(PieceLength(pattern), count, kerf, stockTypes[pattern.stockType].usable);
}

bool CuttingModel::FitsType(int stockType, double pieceLength) const {
  return PiecesFit(pieceLength, 1, kerf, stockTypes[stockType].usable);
}

PlanScore CuttingModel::Score(const BarList& bars) const {
  PlanScore score;
  std::vector<int> barsPerType(stockTypes.size(), 0);
  for (const Pattern& bar : bars) {
    score.cutLength += PieceLength(bar);
    score.stockLength += stockTypes[bar.stockType].length;
    ++barsPerType[bar.stockType];
  }
  for (std::size_t type = 0; type < stockTypes.size(); ++type) {
    score.orderableLength +=
        OrderableBars(stockTypes[type], barsPerType[type]) * stockTypes[type].length;
  }
  score.bars = static_cast<int>(bars.size());
  return score;
}

std::vector<int> CuttingModel::CutCounts(const BarList& bars) const {
  std::vector<int> counts(pieceTypes.size(), 0);
  for (const Pattern& bar : bars) {
    for (const auto& [type, count] : bar.items) counts[type] += count;
  }
  return counts;
}

double ContinuousBound(const CuttingModel& model, const std::vector<int>& cutCounts) {
  // Each bar of k pieces of total length S holds S + k * kerf <= usable + kerf.
  double demand = 0.0;
  for (std::size_t type = 0; type < cutCounts.size(); ++type) {
    demand += cutCounts[type] * (model.pieceTypes[type].length + model.kerf - kLengthEpsilon);
  }
  std::vector<int> cheapestFirst;
  for (std::size_t stock = 0; stock < model.stockTypes.size(); ++stock) {
    if (model.stockTypes[stock].usable + model.kerf > 0.0) {
      cheapestFirst.push_back(static_cast<int>(stock));
    }
  }
  const auto costPerLength = [&](int stock) {
    const StockType& type = model.stockTypes[stock];
    return type.length / (type.usable + model.kerf);
  };
  std::stable_sort(cheapestFirst.begin(), cheapestFirst.end(),
                   [&](int a, int b) { return costPerLength(a) < costPerLength(b); });
  double bound = 0.0;
  for (const int stock : cheapestFirst) {
    if (demand <= 0.0) break;
    const StockType& type = model.stockTypes[stock];
    const double bars = std::min<double>(type.AvailableBars(), demand / (type.usable + model.kerf));
    bound += bars * type.length;
    demand -= bars * (type.usable + model.kerf);
  }
  return bound;
}

namespace {

// Depth-first over the number of bars of each type, longest first; the last
// type makes up the rest.
class WholeBarSearch {
 public:
  WholeBarSearch(const CuttingModel& model, double length)
      : types_(model.stockTypes), target_(length - 1e-9 * length), best_(kNone) {}

  double Run() {
    if (!types_.empty()) Extend(0, 0.0);
    return stopped_ || best_ == kNone ? target_ : best_;
  }

 private:
  static constexpr double kNone = std::numeric_limits<double>::infinity();
  static constexpr long kStepLimit = 100000;

  void Extend(std::size_t type, double total) {
    if (stopped_ || total >= best_) return;
    if (++steps_ > kStepLimit) {
      stopped_ = true;
      return;
    }
    const StockType& stock = types_[type];
    const double needed = std::max(0.0, std::ceil((target_ - total) / stock.length - 1e-9));
    if (type + 1 == types_.size()) {
      if (needed <= stock.AvailableBars()) best_ = std::min(best_, total + needed * stock.length);
      return;
    }
    const int most = static_cast<int>(std::min<double>(needed, stock.AvailableBars()));
    for (int bars = most; bars >= 0 && !stopped_; --bars)
      Extend(type + 1, total + bars * stock.length);
  }

  const std::vector<StockType>& types_;
  const double target_;
  double best_;
  long steps_ = 0;
  bool stopped_ = false;
};

// Depth-first over the number of bars of each type whose lengths add up to
// one stock length exactly.
class BarMixSearch {
 public:
  BarMixSearch(const CuttingModel& model, double stockLength, double orderableLength)
      : types_(model.stockTypes),
        tolerance_(kLengthEpsilon + 1e-9 * stockLength),
        orderableCap_(orderableLength + tolerance_) {
    mix_.orderableLength = std::numeric_limits<double>::infinity();
    mix_.bars = std::numeric_limits<int>::max();
    Extend(0, stockLength, 0.0, 0);
  }

  std::optional<BarMix> Result() const {
    if (stopped_ || mix_.bars == std::numeric_limits<int>::max()) return std::nullopt;
    return mix_;
  }

 private:
  static constexpr long kStepLimit = 100000;

  void Extend(std::size_t type, double left, double orderable, int bars) {
    if (stopped_ || type == types_.size()) return;
    if (++steps_ > kStepLimit) {
      stopped_ = true;
      return;
    }
    const StockType& stock = types_[type];
    const auto most = static_cast<int>(
        std::min<double>(stock.AvailableBars(), std::floor((left + tolerance_) / stock.length)));
    for (int count = 0; count <= most; ++count) {
      const double rest = left - count * stock.length;
      const double nowOrderable =
          orderable + std::max(0, count - stock.inventoryBars) * stock.length;
      if (std::fabs(rest) <= tolerance_) {
        Record(nowOrderable, bars + count);
      } else {
        Extend(type + 1, rest, nowOrderable, bars + count);
      }
    }
  }

  void Record(double orderable, int bars) {
    mix_.orderableLength = std::min(mix_.orderableLength, orderable);
    if (orderable <= orderableCap_) mix_.bars = std::min(mix_.bars, bars);
  }

  const std::vector<StockType>& types_;
  const double tolerance_;
  const double orderableCap_;
  BarMix mix_;
  long steps_ = 0;
  bool stopped_ = false;
};

}  // namespace

double WholeBarsReaching(const CuttingModel& model, double length) {
  if (length <= 0.0) return length;
  return WholeBarSearch(model, length).Run();
}

std::optional<BarMix> BestBarMix(const CuttingModel& model, double stockLength,
                                 double orderableLength) {
  return BarMixSearch(model, stockLength, orderableLength).Result();
}

CuttingModel BuildCuttingModel(const JobState& job) {
  CuttingModel model;
  model.kerf = KerfLength(job);
  model.barLimit = std::clamp(job.totalStockQuantity, 0, kMaxBars);
  model.stockTypes = BuildStockTypes(job, UnusableLength(job));

  std::map<double, PieceType, std::greater<>> byLength;
  for (int piece = 0; piece < job.pieceCount; ++piece) {
    PieceType& type = byLength[job.pieces[piece].length];
    type.length = job.pieces[piece].length;
    type.pieces.push_back(static_cast<std::int16_t>(piece));
  }
  for (auto& entry : byLength) {
    bool fitsSomeStock = false;
    for (std::size_t stock = 0; stock < model.stockTypes.size() && !fitsSomeStock; ++stock) {
      fitsSomeStock = model.FitsType(static_cast<int>(stock), entry.first);
    }
    if (fitsSomeStock) model.pieceTypes.push_back(std::move(entry.second));
  }
  return model;
}

namespace {

// Removes pieces cut beyond the demand, from the last bars first.
void DropSurplusPieces(const CuttingModel& model, BarList& bars) {
  std::vector<int> surplus = model.CutCounts(bars);
  for (std::size_t type = 0; type < surplus.size(); ++type) {
    surplus[type] -= model.pieceTypes[type].Demand();
  }
  for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar) {
    for (auto& [type, count] : bar->items) {
      const int removed = std::clamp(surplus[type], 0, count);
      count -= removed;
      surplus[type] -= removed;
    }
    std::erase_if(bar->items, [](const auto& item) { return item.second == 0; });
  }
  std::erase_if(bars, [](const Pattern& bar) { return bar.items.empty(); });
}

// Moves each bar to the shortest stock type with bars left that holds it.
void MoveToShorterStock(const CuttingModel& model, BarList& bars) {
  std::vector<int> used(model.stockTypes.size(), 0);
  for (const Pattern& bar : bars) ++used[bar.stockType];
  for (Pattern& bar : bars) {
    const double length = model.PieceLength(bar);
    const int count = bar.PieceCount();
    for (int type = static_cast<int>(model.stockTypes.size()) - 1; type > bar.stockType; --type) {
      if (used[type] < model.stockTypes[type].AvailableBars() &&
          PiecesFit(length, count, model.kerf, model.stockTypes[type].usable)) {
        --used[bar.stockType];
        ++used[type];
        bar.stockType = type;
        break;
      }
    }
  }
}

}  // namespace

void TidyBars(const CuttingModel& model, BarList& bars) {
  DropSurplusPieces(model, bars);
  MoveToShorterStock(model, bars);
  // Longest stock first, then the bars holding the longest pieces.
  std::sort(bars.begin(), bars.end(), [](const Pattern& a, const Pattern& b) {
    if (a.stockType != b.stockType) return a.stockType < b.stockType;
    return std::lexicographical_compare(a.items.begin(), a.items.end(), b.items.begin(),
                                        b.items.end(), [](const auto& x, const auto& y) {
                                          return x.first != y.first ? x.first < y.first
                                                                    : x.second > y.second;
                                        });
  });
}

namespace {

// The first row of the type with bars left: inventory rows come first.
int TakeRow(const StockType& type, const JobState& job) {
  for (const std::int16_t row : type.rows) {
    if (job.stock[row].quantity > 0) return row;
  }
  return -1;
}

}  // namespace

void CommitBars(const CuttingModel& model, const BarList& bars, JobState& job) {
  std::vector<std::size_t> nextPiece(model.pieceTypes.size(), 0);
  int freeCount = 0;
  for (const Pattern& pattern : bars) {
    const int row = TakeRow(model.stockTypes[pattern.stockType], job);
    if (row < 0 || job.barCount >= kMaxBars) break;
    BarPlan& bar = job.bars[job.barCount];
    bar.pieceCount = 0;
    for (const auto& [type, count] : pattern.items) {
      for (int i = 0; i < count; ++i) {
        bar.pieceIndex[bar.pieceCount++] = model.pieceTypes[type].pieces[nextPiece[type]++];
      }
    }
    CommitBar(job, row, freeCount);
  }
}

PlanScore ScoreJobPlan(const JobState& job) {
  PlanScore score;
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[b];
    for (int k = 0; k < bar.pieceCount; ++k)
      score.cutLength += job.pieces[bar.pieceIndex[k]].length;
    score.stockLength += bar.stockLength;
    if (bar.nonInventory) score.orderableLength += bar.stockLength;
  }
  score.bars = job.barCount;
  return score;
}
