#include "optimizer/pattern_master.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "core/job_state.h"
#include "optimizer/knapsack.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::max();
// LP values this close to a whole number count as whole.
constexpr double kIntegrality = 1e-6;
// Lengths off every grid are measured in the integer program in units of
// 1/10000 of the longest.
constexpr double kFallbackUnits = 1e4;

double LongestStock(const CuttingModel& model) {
  double longest = 0.0;
  for (const StockType& type : model.stockTypes) longest = std::max(longest, type.length);
  return longest > 0.0 ? longest : 1.0;
}

// Most pieces of one length a bar of the stock type holds, up to `limit`.
int MostOfOneLength(const CuttingModel& model, int stockType, int pieceType, int limit) {
  const double length = model.pieceTypes[pieceType].length;
  const double usable = model.stockTypes[stockType].usable;
  double sum = 0.0;
  int count = 0;
  while (count < std::min(limit, MAX_STK_CUTS)) {
    sum += length;
    if (!PiecesFit(sum, count + 1, model.kerf, usable)) break;
    ++count;
  }
  return count;
}

// Largest table of the exact pricing knapsack.
constexpr long long kGridCells = 50000000;

// Pricing's node limits that ask for the knapsack on the length grid, only
// on its coarse grid, or only exactly.
constexpr long long kGridPricing = 0;
constexpr long long kCoarsePricing = -1;
constexpr long long kExactPricing = -2;

// Every this many rounds the LP's duals are priced exactly, which proves a
// bound while the columns still improve the LP.
constexpr int kExactRounds = 8;

// Weight of the earlier duals in the mix that is priced first.
constexpr double kSmoothing = 0.5;

// Width of the coarse pricing table.
constexpr double kCoarseCells = 4096.0;

// Single-length patterns are seeded only while there are this few.
constexpr std::size_t kSingleLengthPatterns = 20000;

// Units that make every length a whole number: the grid of the lengths (whole
// units, binary fractions, sixteenths of an inch in feet, tenths ...) times
// their greatest common divisor. The integer program's objective then moves
// in whole steps, which lets it prune every node that cannot gain a step.
LengthUnits UnitsFor(const std::vector<double>& lengths) {
  for (const double grid :
       {1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0, 10.0, 100.0, 192.0, 384.0, 1000.0}) {
    long long divisor = 0;
    bool whole = true;
    for (const double length : lengths) {
      const double scaled = length * grid;
      const double rounded = std::round(scaled);
      whole = whole && std::fabs(scaled - rounded) <= 1e-6 && rounded <= 1e9;
      if (!whole) break;
      divisor = std::gcd(divisor, static_cast<long long>(rounded));
    }
    if (whole && divisor > 0) return {grid / static_cast<double>(divisor), true};
  }
  double longest = 0.0;
  for (const double length : lengths) longest = std::max(longest, length);
  return {longest > 0.0 ? kFallbackUnits / longest : 1.0, false};
}

}  // namespace

double LengthUnits::Of(double length) const {
  return whole ? std::round(length * perLength) : length * perLength;
}

PatternMaster::PatternMaster(const CuttingModel& model, MasterGoal goal, double uncutAllowance,
                             const PricingEffort& pricing, WorkBudget& budget)
    : model_(model),
      goal_(goal),
      pricing_(pricing),
      budget_(budget),
      tolerance_(1e-9 * LongestStock(model)) {
  std::vector<double> lengths;
  for (const StockType& type : model.stockTypes) lengths.push_back(type.length);
  stockUnits_ = UnitsFor(lengths);
  lengths.clear();
  for (const PieceType& type : model.pieceTypes) lengths.push_back(type.length);
  pieceUnits_ = UnitsFor(lengths);
  lengths.push_back(model.kerf);
  for (const StockType& type : model.stockTypes) lengths.push_back(type.usable);
  if (const LengthUnits grid = UnitsFor(lengths); grid.whole) gridUnits_ = grid.perLength;
  for (const PieceType& type : model.pieceTypes) {
    pieceRow_.push_back(lp_.AddRow(type.Demand(), kInfinity));
    residual_.push_back(type.Demand());
  }
  if (goal == MasterGoal::LeastStockLength && model.stockTypes.size() == 1) {
    wholeBars_ = model.stockTypes[0].length;
  }
  for (const StockType& type : model.stockTypes) {
    stockRow_.push_back(type.Unlimited() ? -1 : lp_.AddRow(-kInfinity, type.AvailableBars()));
  }
  barRow_ = lp_.AddRow(-kInfinity, model.barLimit);
  AddOrderableColumns();
  const bool piecesMayStayUncut = goal == MasterGoal::LeastUncutLength || uncutAllowance > 0.0;
  uncutColumn_.assign(model.pieceTypes.size(), -1);
  if (!piecesMayStayUncut) return;
  int lengthRow = -1;
  if (goal == MasterGoal::LeastStockLength) {
    lengthRow = lp_.AddRow(-kInfinity, uncutAllowance * (1.0 + 1e-12) + kLengthEpsilon);
  }
  for (std::size_t type = 0; type < model.pieceTypes.size(); ++type) {
    const double length = model.pieceTypes[type].length;
    std::vector<LinearProgram::Entry> entries{{pieceRow_[type], 1.0}};
    if (lengthRow >= 0) entries.push_back({lengthRow, length});
    const double cost = goal == MasterGoal::LeastUncutLength ? length : 0.0;
    uncutColumn_[type] = lp_.AddColumn(cost, 0.0, model.pieceTypes[type].Demand(), entries);
    columns_.push_back({ColumnKind::Uncut, static_cast<int>(type)});
  }
}

// The orderable bars of a stock type with inventory and orderable rows: at
// least its bars beyond the inventory. Free in the LP; the integer program
// counts their length when orderable stock is its objective.
void PatternMaster::AddOrderableColumns() {
  orderableRow_.assign(model_.stockTypes.size(), -1);
  for (std::size_t stock = 0; stock < model_.stockTypes.size(); ++stock) {
    const StockType& type = model_.stockTypes[stock];
    if (type.orderableBars == 0 || type.inventoryBars >= kUnlimitedBars) continue;
    orderableRow_[stock] = lp_.AddRow(-kInfinity, type.inventoryBars);
    lp_.AddColumn(0.0, 0.0, kInfinity, {{orderableRow_[stock], -1.0}});
    columns_.push_back({ColumnKind::Orderable, static_cast<int>(stock)});
  }
}

double PatternMaster::PatternCost(const Pattern& pattern) const {
  return goal_ == MasterGoal::LeastStockLength ? model_.stockTypes[pattern.stockType].length : 0.0;
}

void PatternMaster::AddPattern(const Pattern& pattern) {
  if (pattern.items.empty() || columnOf_.count(pattern) > 0) return;
  std::vector<LinearProgram::Entry> entries;
  for (const auto& [type, count] : pattern.items) entries.push_back({pieceRow_[type], 1.0 * count});
  for (const int row : {stockRow_[pattern.stockType], orderableRow_[pattern.stockType], barRow_}) {
    if (row >= 0) entries.push_back({row, 1.0});
  }
  const int column = lp_.AddColumn(PatternCost(pattern), 0.0, kInfinity, entries);
  columnOf_.emplace(pattern, column);
  columns_.push_back({ColumnKind::Pattern, static_cast<int>(patterns_.size())});
  patterns_.push_back(pattern);
}

void PatternMaster::AddBars(const BarList& bars) {
  for (const Pattern& bar : bars) AddPattern(bar);
}

void PatternMaster::AddSingleTypePatterns() {
  if (model_.stockTypes.size() * model_.pieceTypes.size() > kSingleLengthPatterns) return;
  for (std::size_t stock = 0; stock < model_.stockTypes.size(); ++stock) {
    for (std::size_t piece = 0; piece < model_.pieceTypes.size(); ++piece) {
      const int count = MostOfOneLength(model_, static_cast<int>(stock), static_cast<int>(piece),
                                        model_.pieceTypes[piece].Demand());
      if (count > 0) AddPattern({static_cast<int>(stock), {{static_cast<int>(piece), count}}});
    }
  }
}

namespace {

// Every pattern of one stock type, piece types taken in order; the lengths
// are added in cutting order as the model adds them.
class PatternEnumerator {
 public:
  PatternEnumerator(const CuttingModel& model, int stockType, int limit,
                    std::vector<Pattern>& found)
      : model_(model), stockType_(stockType), limit_(limit), found_(found) {}

  bool Run() {
    Extend(0, 0.0, 0);
    return !overflow_;
  }

 private:
  void Extend(std::size_t type, double length, int count) {
    if (overflow_) return;
    if (type == model_.pieceTypes.size()) {
      if (count == 0) return;
      if (static_cast<int>(found_.size()) >= limit_) {
        overflow_ = true;
        return;
      }
      found_.push_back({stockType_, items_});
      return;
    }
    Extend(type + 1, length, count);
    const double pieceLength = model_.pieceTypes[type].length;
    items_.emplace_back(static_cast<int>(type), 0);
    for (int copies = 1; copies <= model_.pieceTypes[type].Demand(); ++copies) {
      length += pieceLength;
      if (count + copies > MAX_STK_CUTS ||
          !PiecesFit(length, count + copies, model_.kerf, model_.stockTypes[stockType_].usable)) {
        break;
      }
      items_.back().second = copies;
      Extend(type + 1, length, count + copies);
    }
    items_.pop_back();
  }

  const CuttingModel& model_;
  const int stockType_;
  const int limit_;
  std::vector<Pattern>& found_;
  std::vector<std::pair<int, int>> items_;
  bool overflow_ = false;
};

}  // namespace

bool PatternMaster::AddAllPatterns(int limit) {
  std::vector<Pattern> found;
  for (std::size_t stock = 0; stock < model_.stockTypes.size(); ++stock) {
    if (!PatternEnumerator(model_, static_cast<int>(stock), limit, found).Run()) return false;
  }
  for (const Pattern& pattern : found) AddPattern(pattern);
  return true;
}

// Prices up to the configured number of patterns for one stock type, each
// from the pieces the ones before left, and adds them.
PatternMaster::TypePricing PatternMaster::PriceStockType(int stock, const Knapsack& knapsack,
                                                         double target, long long nodeLimit) {
  if (nodeLimit <= kGridPricing) {
    if (const std::optional<TypePricing> exact = PriceOnGrid(stock, knapsack, target, nodeLimit)) {
      return *exact;
    }
    nodeLimit = pricing_.provingNodes;
  }
  TypePricing result;
  std::vector<int> taken(model_.pieceTypes.size(), 0);
  for (int column = 0; column < pricing_.columnsPerType; ++column) {
    const KnapsackResult priced =
        knapsack.Solve(model_.stockTypes[stock].usable, target + tolerance_, nodeLimit,
                       column == 0 ? std::vector<int>{} : taken);
    budget_.Spend(static_cast<double>(priced.nodes));
    if (column == 0) {
      result.upperBound = priced.upperBound;
      result.complete = priced.complete;
    }
    if (priced.counts.empty()) break;
    const Pattern pattern{stock, priced.counts};
    if (!model_.Fits(pattern) || columnOf_.count(pattern) > 0) break;
    AddPattern(pattern);
    ++result.added;
    for (const auto& [type, count] : priced.counts) taken[type] += count;
  }
  return result;
}

std::optional<PatternMaster::TypePricing> PatternMaster::PriceOnGrid(int stock,
                                                                     const Knapsack& knapsack,
                                                                     double target,
                                                                     long long mode) {
  const double usable = model_.stockTypes[stock].usable;
  const double span = usable + model_.kerf;
  TypePricing result;
  // A wide table is first tried on a coarse grid, which finds most columns
  // for a fraction of the work.
  if (span * gridUnits_ > 2.0 * kCoarseCells && mode != kExactPricing) {
    const GridKnapsack coarse =
        knapsack.SolveOnGrid(usable, target + tolerance_, kCoarseCells / span, kGridCells,
                             pricing_.columnsPerType, true);
    budget_.Spend(static_cast<double>(coarse.cells) / 32.0);
    for (const auto& counts : coarse.selections) result.added += AddNewPattern({stock, counts});
    if (result.added > 0) {
      const KnapsackResult bound = knapsack.Solve(usable, target + tolerance_, 0);
      result.upperBound = bound.upperBound;
      result.complete = false;
      return result;
    }
    if (mode == kCoarsePricing) {
      result.complete = false;
      result.upperBound = std::numeric_limits<double>::max();
      return result;
    }
  }
  const GridKnapsack priced = knapsack.SolveOnGrid(usable, target + tolerance_, gridUnits_,
                                                   kGridCells, pricing_.columnsPerType);
  // The table's inner loop runs some thirty cells in the time of one search
  // node.
  budget_.Spend(static_cast<double>(priced.cells) / 32.0);
  if (!priced.solved) return std::nullopt;
  result.upperBound = priced.bestValue + 1e-9 * std::max(1.0, std::fabs(priced.bestValue));
  for (const auto& counts : priced.selections) result.added += AddNewPattern({stock, counts});
  // A better selection that the table could not give as a pattern.
  result.complete = result.added > 0 || priced.selections.empty();
  return result;
}

int PatternMaster::AddNewPattern(const Pattern& pattern) {
  if (!model_.Fits(pattern) || columnOf_.count(pattern) > 0) return 0;
  AddPattern(pattern);
  return 1;
}

PatternMaster::PricingPass PatternMaster::PriceStockTypes(const std::vector<double>& duals,
                                                          double lpValue, long long nodeLimit) {
  std::vector<KnapsackItem> items;
  for (std::size_t type = 0; type < model_.pieceTypes.size(); ++type) {
    items.push_back({static_cast<int>(type), model_.pieceTypes[type].length, duals[pieceRow_[type]],
                     residual_[type]});
  }
  const Knapsack knapsack(items, model_.kerf, MAX_STK_CUTS);
  const int types = static_cast<int>(model_.stockTypes.size());
  PricingPass pass;
  pass.lagrangian = lpValue;
  int priced = 0;
  // Stock types in turn from where the last round stopped, until enough
  // columns were found.
  for (; priced < types && pass.added < pricing_.columnsPerRound && !budget_.Exhausted();
       ++priced) {
    const int stock = (nextStockType_ + priced) % types;
    const StockType& type = model_.stockTypes[stock];
    double target = PatternCost({stock, {}}) - duals[barRow_];
    for (const int row : {stockRow_[stock], orderableRow_[stock]}) {
      if (row >= 0) target -= duals[row];
    }
    const TypePricing pricing = PriceStockType(stock, knapsack, target, nodeLimit);
    pass.added += pricing.added;
    pass.exact = pass.exact && pricing.complete;
    // Bars of this type in any better solution: within the supply, the bar
    // limit and the LP value over the cost of one bar.
    const double cost = PatternCost({stock, {}});
    double bars = std::min<double>(type.AvailableBars(), model_.barLimit);
    if (cost > 0.0) bars = std::min(bars, std::floor(lpValue / cost + kIntegrality));
    pass.lagrangian += std::min(0.0, target - pricing.upperBound) * bars;
  }
  pass.pricedAll = priced == types;
  if (pass.added > 0 || pass.pricedAll) nextStockType_ = (nextStockType_ + priced) % types;
  return pass;
}

PatternMaster::Pricing PatternMaster::PriceColumns(const std::vector<double>& duals, double lpValue,
                                                   bool improvesBound, bool exactRound) {
  PricingPass pass;
  if (exactRound && gridUnits_ > 0.0) {
    smoothed_ = duals;
    pass = PriceStockTypes(duals, lpValue, kExactPricing);
  } else {
    // Columns are sought first at a mix of these duals and the earlier
    // mixes, which damps the swings of the duals that make column generation
    // tail off; the LP's own duals are priced when the mix finds none.
    if (smoothed_.size() == duals.size()) {
      for (std::size_t row = 0; row < duals.size(); ++row) {
        smoothed_[row] = kSmoothing * smoothed_[row] + (1.0 - kSmoothing) * duals[row];
      }
      PricingPass mixed = PriceStockTypes(smoothed_, lpValue, pricing_.knapsackNodes);
      if (mixed.added == 0 && mixed.pricedAll && gridUnits_ > 0.0) {
        mixed = PriceStockTypes(smoothed_, lpValue, kCoarsePricing);
      }
      if (mixed.added > 0) return Pricing::Added;
    }
    smoothed_ = duals;
    pass = PriceStockTypes(duals, lpValue, pricing_.knapsackNodes);
    // Only an exact knapsack, or a longer search, shows that no column
    // improves the LP.
    if (pass.added == 0 && pass.pricedAll && !pass.exact && gridUnits_ > 0.0) {
      pass = PriceStockTypes(duals, lpValue, kGridPricing);
    }
    if (pass.added == 0 && pass.pricedAll && !pass.exact) {
      pass = PriceStockTypes(duals, lpValue, pricing_.provingNodes);
    }
  }
  if (pass.pricedAll && goal_ == MasterGoal::LeastStockLength) {
    const double bound = pass.added == 0 && pass.exact ? lpValue : pass.lagrangian;
    generateBound_ = std::max(generateBound_, bound);
    if (improvesBound) lowerBound_ = std::max(lowerBound_, bound);
  }
  if (pass.added > 0) return Pricing::Added;
  return pass.pricedAll ? Pricing::NoneFound : Pricing::OutOfWork;
}

bool PatternMaster::BoundSettled() const {
  if (wholeBars_ <= 0.0 || generateBound_ <= 0.0) return false;
  return std::ceil(generateBound_ / wholeBars_ - 1e-6) >= std::ceil(lpValue_ / wholeBars_ - 1e-6);
}

PatternMaster::Outcome PatternMaster::Generate(const StopRequest& stop, bool improvesBound) {
  smoothed_.clear();
  generateBound_ = 0.0;
  for (int round = 1;; ++round) {
    if (stop && stop()) return Outcome::Stopped;
    if (budget_.Exhausted()) return Outcome::OutOfWork;
    const LinearProgram::Status status = lp_.Solve();
    // An iteration costs about the square of the rows once there are many;
    // each solve sets up its work over all rows and columns first.
    const double rows = lp_.RowCount();
    budget_.Spend(lp_.LastIterations() * rows * std::max(1.0, rows / 100.0) + 100.0 * rows +
                  10.0 * lp_.ColumnCount());
    lpValueKnown_ = status == LinearProgram::Status::Optimal;
    if (!lpValueKnown_) return Outcome::Infeasible;
    lpValue_ = lp_.Objective();
    switch (PriceColumns(lp_.RowDuals(), lpValue_, improvesBound, round % kExactRounds == 0)) {
      case Pricing::Added:
        if (BoundSettled()) return Outcome::Converged;
        break;
      case Pricing::NoneFound: return Outcome::Converged;
      case Pricing::OutOfWork: return Outcome::OutOfWork;
    }
  }
}

BarList PatternMaster::BarsOf(const std::vector<double>& values) const {
  BarList bars;
  for (std::size_t column = 0; column < values.size(); ++column) {
    if (!IsPatternColumn(static_cast<int>(column))) continue;
    const int copies = static_cast<int>(std::floor(values[column] + kIntegrality));
    for (int i = 0; i < copies; ++i) bars.push_back(patterns_[columns_[column].index]);
  }
  return bars;
}

BarList PatternMaster::WholeLpBars() const {
  return lpValueKnown_ ? BarsOf(lp_.ColumnValues()) : BarList{};
}

void PatternMaster::ChangeBounds(int column, double lower, double upper) {
  boundLog_.push_back({column, lp_.ColumnLower(column), lp_.ColumnUpper(column)});
  lp_.SetColumnBounds(column, lower, upper);
}

void PatternMaster::UndoBounds(std::size_t logSize) {
  while (boundLog_.size() > logSize) {
    const BoundChange& change = boundLog_.back();
    lp_.SetColumnBounds(change.column, change.lower, change.upper);
    boundLog_.pop_back();
  }
}

void PatternMaster::UpdateResidual() {
  for (std::size_t type = 0; type < residual_.size(); ++type) {
    residual_[type] = model_.pieceTypes[type].Demand();
  }
  for (std::size_t column = 0; column < columns_.size(); ++column) {
    const double fixed = lp_.ColumnLower(static_cast<int>(column));
    if (!IsPatternColumn(static_cast<int>(column)) || fixed <= 0.0) continue;
    for (const auto& [type, count] : patterns_[columns_[column].index].items) {
      residual_[type] -= static_cast<int>(fixed) * count;
    }
  }
  const std::size_t columns = columns_.size();
  // Bars of one piece length within what is left keep the LP feasible
  // wherever the stock allows.
  if (model_.stockTypes.size() * model_.pieceTypes.size() <= kSingleLengthPatterns) {
    for (std::size_t stock = 0; stock < model_.stockTypes.size(); ++stock) {
      for (std::size_t piece = 0; piece < model_.pieceTypes.size(); ++piece) {
        if (residual_[piece] <= 0) continue;
        const int count = MostOfOneLength(model_, static_cast<int>(stock), static_cast<int>(piece),
                                          residual_[piece]);
        if (count > 0) AddPattern({static_cast<int>(stock), {{static_cast<int>(piece), count}}});
      }
    }
  }
  for (std::size_t column = 0; column < columns; ++column) {
    const int index = static_cast<int>(column);
    if (!IsPatternColumn(index) || lp_.ColumnUpper(index) <= lp_.ColumnLower(index)) continue;
    const auto& items = patterns_[columns_[column].index].items;
    if (std::any_of(items.begin(), items.end(),
                    [&](const auto& item) { return item.second > residual_[item.first]; })) {
      ChangeBounds(index, lp_.ColumnLower(index), lp_.ColumnLower(index));
    }
  }
}

struct PatternMaster::DiveState {
  DiveLimits limits;
  double cutoff = 0.0;
  const PlanFound& found;
  const std::function<void()>& nodeDone;
  const StopRequest& stop;
  std::vector<char> tabu;  // per column: not to be fixed here
  bool ended = false;      // stop requested or the work ran out
};

void PatternMaster::DiveNode(DiveState& state, int depth, int discrepancies) {
  const Outcome outcome = Generate(state.stop, false);
  if (outcome == Outcome::Stopped || outcome == Outcome::OutOfWork) {
    state.ended = true;
    return;
  }
  state.nodeDone();
  const double value = lp_.Objective();
  if (outcome == Outcome::Infeasible || value > state.cutoff) return;
  const std::vector<double> values = lp_.ColumnValues();
  struct Candidate {
    double distance;  // from the value to the bars it is fixed at
    int column;
    double bars;
  };
  std::vector<Candidate> candidates;
  bool wholeSolution = true;
  for (std::size_t column = 0; column < values.size(); ++column) {
    const int index = static_cast<int>(column);
    const double fixed = lp_.ColumnLower(index);
    if (!IsPatternColumn(index) || values[column] <= fixed + kIntegrality) continue;
    const double rounded = std::round(values[column]);
    wholeSolution = wholeSolution && std::fabs(values[column] - rounded) <= kIntegrality;
    if (state.tabu.size() <= column || !state.tabu[column]) {
      const double bars = std::max(fixed + 1.0, rounded);
      candidates.push_back({std::fabs(values[column] - bars), index, bars});
    }
  }
  if (wholeSolution) {
    state.cutoff = state.found(BarsOf(values));
    return;
  }
  // Only patterns kept from being fixed here are fractional.
  if (candidates.empty()) return;
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.distance != b.distance ? a.distance < b.distance : a.column < b.column;
  });
  const std::size_t logSize = boundLog_.size();
  state.tabu.resize(std::max(state.tabu.size(), values.size()), 0);
  std::vector<int> tried;
  for (std::size_t i = 0; i < candidates.size() && !state.ended && value <= state.cutoff; ++i) {
    if (i > 0 && (static_cast<int>(i) > discrepancies || depth >= state.limits.depth)) break;
    const Candidate& pick = candidates[i];
    ChangeBounds(pick.column, pick.bars, std::max(pick.bars, lp_.ColumnUpper(pick.column)));
    UpdateResidual();
    DiveNode(state, depth + 1, discrepancies - static_cast<int>(i));
    UndoBounds(logSize);
    UpdateResidual();
    state.tabu[pick.column] = 1;
    tried.push_back(pick.column);
  }
  for (const int column : tried) state.tabu[column] = 0;
}

bool PatternMaster::Dive(const DiveLimits& limits, double cutoff, const PlanFound& found,
                         const std::function<void()>& nodeDone, const StopRequest& stop) {
  DiveState state{limits, cutoff, found, nodeDone, stop, {}, false};
  DiveNode(state, 0, limits.discrepancies);
  UndoBounds(0);
  UpdateResidual();
  return !state.ended;
}

// The objective of the integer program for one column.
double PatternMaster::IntegerCost(int column, IntegerGoal goal) const {
  const ColumnOf& of = columns_[column];
  switch (goal) {
    case IntegerGoal::UncutLength:
      return of.kind == ColumnKind::Uncut ? pieceUnits_.Of(model_.pieceTypes[of.index].length)
                                          : 0.0;
    case IntegerGoal::StockLength:
      return of.kind == ColumnKind::Pattern
                 ? stockUnits_.Of(model_.stockTypes[patterns_[of.index].stockType].length)
                 : 0.0;
    case IntegerGoal::OrderableLength:
      return of.kind == ColumnKind::Orderable ? stockUnits_.Of(model_.stockTypes[of.index].length)
                                              : 0.0;
    case IntegerGoal::Bars: return of.kind == ColumnKind::Pattern ? 1.0 : 0.0;
  }
  return 0.0;
}

std::vector<double> PatternMaster::ColumnsOf(const BarList& bars) const {
  std::vector<double> values(lp_.ColumnCount(), 0.0);
  std::vector<int> covered(model_.pieceTypes.size(), 0);
  for (const Pattern& bar : bars) {
    values[columnOf_.at(bar)] += 1.0;
    for (const auto& [type, count] : bar.items) covered[type] += count;
  }
  for (std::size_t type = 0; type < uncutColumn_.size(); ++type) {
    if (uncutColumn_[type] >= 0) {
      values[uncutColumn_[type]] = std::max(0, model_.pieceTypes[type].Demand() - covered[type]);
    }
  }
  std::vector<int> barsPerType(model_.stockTypes.size(), 0);
  for (const Pattern& bar : bars) ++barsPerType[bar.stockType];
  for (std::size_t column = 0; column < columns_.size(); ++column) {
    const ColumnOf& of = columns_[column];
    if (of.kind == ColumnKind::Orderable) {
      values[column] =
          std::max(0, barsPerType[of.index] - model_.stockTypes[of.index].inventoryBars);
    }
  }
  return values;
}

std::optional<BarList> PatternMaster::SolveInteger(const BarList& start, int maxNodes,
                                                   const StopRequest& stop,
                                                   const IntegerStage& stage) {
  AddBars(start);
  const int columns = lp_.ColumnCount();
  LinearProgram::IntegerSearch search;
  LinearProgram::IntegerSearch::Row stockRow, orderableRow;
  for (int column = 0; column < columns; ++column) {
    search.costs.push_back(IntegerCost(column, stage.goal));
    stockRow.coefficients.push_back(IntegerCost(column, IntegerGoal::StockLength));
    orderableRow.coefficients.push_back(IntegerCost(column, IntegerGoal::OrderableLength));
  }
  // The lengths already settled stay within rounding of the start's.
  if (stage.stockLength) {
    stockRow.upper = stockUnits_.Of(*stage.stockLength) * (1.0 + 1e-9) + 1e-6;
    search.rows.push_back(stockRow);
  }
  if (stage.orderableLength) {
    orderableRow.upper = stockUnits_.Of(*stage.orderableLength) * (1.0 + 1e-9) + 1e-6;
    search.rows.push_back(orderableRow);
  }
  const bool wholeSteps =
      stage.goal == IntegerGoal::Bars ||
      (stage.goal == IntegerGoal::UncutLength ? pieceUnits_ : stockUnits_).whole;
  search.objectiveStep = wholeSteps ? 1.0 : 0.0;
  search.start = ColumnsOf(start);
  search.maxNodes = maxNodes;
  search.stop = stop;
  const std::vector<double> solution = lp_.SolveInteger(search);
  if (solution.empty()) return std::nullopt;
  return BarsOf(solution);
}
