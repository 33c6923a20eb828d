#include "optimizer/pattern_master.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/job_state.h"
#include "optimizer/knapsack.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::max();
// LP values this close to a whole number count as whole.
constexpr double kIntegrality = 1e-6;
// The integer program measures stock in units of 1/10000 of the longest
// stock length; its tie-breaks per bar stay far below one such unit over the
// largest plan: orderable stock, then each bar.
constexpr double kIntegerScale = 1e4;
constexpr double kOrderableBarCost = 1e-3;
constexpr double kBarCost = 1e-4;

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

// Single-length patterns are seeded only while there are this few.
constexpr std::size_t kSingleLengthPatterns = 20000;

}  // namespace

PatternMaster::PatternMaster(const CuttingModel& model, MasterGoal goal, double uncutAllowance,
                             const PricingEffort& pricing, WorkBudget& budget)
    : model_(model),
      goal_(goal),
      pricing_(pricing),
      budget_(budget),
      tolerance_(1e-9 * LongestStock(model)) {
  for (const PieceType& type : model.pieceTypes) {
    pieceRow_.push_back(lp_.AddRow(type.Demand(), kInfinity));
  }
  for (const StockType& type : model.stockTypes) {
    stockRow_.push_back(type.Unlimited() ? -1 : lp_.AddRow(-kInfinity, type.AvailableBars()));
  }
  barRow_ = lp_.AddRow(-kInfinity, model.barLimit);
  const bool piecesMayStayUncut = goal == MasterGoal::LeastUncutLength || uncutAllowance > 0.0;
  uncutColumn_.assign(model.pieceTypes.size(), -1);
  if (!piecesMayStayUncut) return;
  int lengthRow = -1;
  if (goal == MasterGoal::LeastStockLength) {
    lengthRow = lp_.AddRow(-kInfinity, uncutAllowance * (1.0 + 1e-12) + kLengthTolerance);
  }
  for (std::size_t type = 0; type < model.pieceTypes.size(); ++type) {
    const double length = model.pieceTypes[type].length;
    std::vector<LinearProgram::Entry> entries{{pieceRow_[type], 1.0}};
    if (lengthRow >= 0) entries.push_back({lengthRow, length});
    const double cost = goal == MasterGoal::LeastUncutLength ? length : 0.0;
    uncutColumn_[type] = lp_.AddColumn(cost, 0.0, model.pieceTypes[type].Demand(), entries);
    patternOf_.push_back(-1);
  }
}

double PatternMaster::PatternCost(const Pattern& pattern) const {
  return goal_ == MasterGoal::LeastStockLength ? model_.stockTypes[pattern.stockType].length : 0.0;
}

void PatternMaster::AddPattern(const Pattern& pattern) {
  if (pattern.items.empty() || columnOf_.count(pattern) > 0) return;
  std::vector<LinearProgram::Entry> entries;
  for (const auto& [type, count] : pattern.items) entries.push_back({pieceRow_[type], 1.0 * count});
  if (stockRow_[pattern.stockType] >= 0) entries.push_back({stockRow_[pattern.stockType], 1.0});
  entries.push_back({barRow_, 1.0});
  const int column = lp_.AddColumn(PatternCost(pattern), 0.0, kInfinity, entries);
  columnOf_.emplace(pattern, column);
  patternOf_.push_back(static_cast<int>(patterns_.size()));
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
                                                         double target) {
  TypePricing result;
  std::vector<int> taken(model_.pieceTypes.size(), 0);
  for (int column = 0; column < pricing_.columnsPerType; ++column) {
    const KnapsackResult priced =
        knapsack.Solve(model_.stockTypes[stock].usable, target + tolerance_, pricing_.knapsackNodes,
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

PatternMaster::Pricing PatternMaster::PriceColumns(const std::vector<double>& duals, double lpValue,
                                                   bool improvesBound) {
  std::vector<KnapsackItem> items;
  for (std::size_t type = 0; type < model_.pieceTypes.size(); ++type) {
    items.push_back({static_cast<int>(type), model_.pieceTypes[type].length, duals[pieceRow_[type]],
                     model_.pieceTypes[type].Demand()});
  }
  const Knapsack knapsack(items, model_.kerf, MAX_STK_CUTS);
  const int types = static_cast<int>(model_.stockTypes.size());
  int added = 0;
  int priced = 0;
  bool exact = true;
  double lagrangian = lpValue;
  // Stock types in turn from where the last round stopped, until enough
  // columns were found.
  for (; priced < types && added < pricing_.columnsPerRound && !budget_.Exhausted(); ++priced) {
    const int stock = (nextStockType_ + priced) % types;
    const StockType& type = model_.stockTypes[stock];
    const double stockDual = stockRow_[stock] >= 0 ? duals[stockRow_[stock]] : 0.0;
    const double cost = PatternCost({stock, {}});
    const double target = cost - stockDual - duals[barRow_];
    const TypePricing pricing = PriceStockType(stock, knapsack, target);
    added += pricing.added;
    exact = exact && pricing.complete;
    // Bars of this type in any better solution: within the supply, the bar
    // limit and the LP value over the cost of one bar.
    double bars = std::min<double>(type.AvailableBars(), model_.barLimit);
    if (cost > 0.0) bars = std::min(bars, std::floor(lpValue / cost + kIntegrality));
    lagrangian += std::min(0.0, target - pricing.upperBound) * bars;
  }
  nextStockType_ = (nextStockType_ + priced) % types;
  const bool pricedAll = priced == types;
  if (pricedAll && improvesBound && goal_ == MasterGoal::LeastStockLength) {
    lowerBound_ = std::max(lowerBound_, added == 0 && exact ? lpValue : lagrangian);
  }
  if (added > 0) return Pricing::Added;
  return pricedAll ? Pricing::NoneFound : Pricing::OutOfWork;
}

PatternMaster::Outcome PatternMaster::Generate(const StopRequest& stop, bool improvesBound) {
  for (;;) {
    if (stop && stop()) return Outcome::Stopped;
    if (budget_.Exhausted()) return Outcome::OutOfWork;
    const LinearProgram::Status status = lp_.Solve();
    // An iteration costs about the square of the rows once there are many.
    const double rows = lp_.RowCount();
    budget_.Spend(lp_.LastIterations() * rows * std::max(1.0, rows / 100.0));
    lpValueKnown_ = status == LinearProgram::Status::Optimal;
    if (!lpValueKnown_) return Outcome::Infeasible;
    lpValue_ = lp_.Objective();
    switch (PriceColumns(lp_.RowDuals(), lpValue_, improvesBound)) {
      case Pricing::Added: break;
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
    for (int i = 0; i < copies; ++i) bars.push_back(patterns_[patternOf_[column]]);
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

std::optional<BarList> PatternMaster::Dive(int variant, int backtracks, double cutoff,
                                           const StopRequest& stop) {
  struct Step {
    std::size_t logSize;  // bound changes made before this step
    int column;           // the column rounded up
    double value;         // its LP value then
  };
  std::vector<Step> steps;
  std::optional<BarList> result;
  for (;;) {
    const Outcome outcome = Generate(stop, false);
    if (outcome == Outcome::Stopped || outcome == Outcome::OutOfWork) break;
    if (outcome == Outcome::Infeasible || lp_.Objective() > cutoff) {
      // Takes back the last rounding and keeps that column from rounding up.
      if (steps.empty() || backtracks-- == 0) break;
      const Step last = steps.back();
      steps.pop_back();
      UndoBounds(last.logSize);
      ChangeBounds(last.column, lp_.ColumnLower(last.column), std::floor(last.value));
      continue;
    }
    const std::vector<double> values = lp_.ColumnValues();
    // Fractional pattern columns, most fractional (closest to rounding up) first.
    std::vector<std::pair<double, int>> fractional;
    for (std::size_t column = 0; column < values.size(); ++column) {
      const double part = values[column] - std::floor(values[column]);
      if (IsPatternColumn(static_cast<int>(column)) && part > kIntegrality &&
          part < 1.0 - kIntegrality) {
        fractional.emplace_back(-part, static_cast<int>(column));
      }
    }
    if (fractional.empty()) {
      result = BarsOf(values);
      break;
    }
    std::sort(fractional.begin(), fractional.end());
    const std::size_t pick =
        steps.empty() ? std::min<std::size_t>(variant, fractional.size() - 1) : std::size_t{0};
    const int column = fractional[pick].second;
    steps.push_back({boundLog_.size(), column, values[column]});
    // Keeps the whole bars of the solution and rounds one column up.
    for (std::size_t other = 0; other < values.size(); ++other) {
      const int index = static_cast<int>(other);
      const double whole = std::floor(values[other] + kIntegrality);
      if (IsPatternColumn(index) && whole > lp_.ColumnLower(index)) {
        ChangeBounds(index, whole, lp_.ColumnUpper(index));
      }
    }
    ChangeBounds(column, std::ceil(values[column]), lp_.ColumnUpper(column));
  }
  UndoBounds(0);
  return result;
}

double PatternMaster::IntegerCost(int column) const {
  const double scale = kIntegerScale / LongestStock(model_);
  if (!IsPatternColumn(column)) {
    const int type = static_cast<int>(std::find(uncutColumn_.begin(), uncutColumn_.end(), column) -
                                      uncutColumn_.begin());
    return goal_ == MasterGoal::LeastUncutLength ? model_.pieceTypes[type].length * scale : 0.0;
  }
  if (goal_ == MasterGoal::LeastUncutLength) return 0.0;
  const StockType& type = model_.stockTypes[patterns_[patternOf_[column]].stockType];
  const double orderable = type.inventoryBars == 0 ? kOrderableBarCost : 0.0;
  return type.length * scale + orderable + kBarCost;
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
  return values;
}

std::optional<BarList> PatternMaster::SolveInteger(const BarList& start, int maxNodes,
                                                   const StopRequest& stop) {
  AddBars(start);
  LinearProgram::IntegerSearch search;
  for (int column = 0; column < lp_.ColumnCount(); ++column) {
    search.costs.push_back(IntegerCost(column));
  }
  search.start = ColumnsOf(start);
  search.maxNodes = maxNodes;
  search.stop = stop;
  const std::vector<double> solution = lp_.SolveInteger(search);
  if (solution.empty()) return std::nullopt;
  return BarsOf(solution);
}
