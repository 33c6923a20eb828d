#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "optimizer/cutting_model.h"
#include "optimizer/lp_solver.h"

class Knapsack;

// The cutting-stock model over patterns (one column per pattern per stock
// type) and the methods on it: column generation with knapsack pricing for
// its linear relaxation and lower bound, diving for integer plans, and the
// integer program over the generated patterns.
//
// Rows: each piece type covered at least its demand, each stock type with
// limited bars at most its supply, all bars at most the bar limit, the bars
// of a stock type beyond its inventory counted as orderable, and, when
// pieces may stay uncut, their length at most the allowance.

// How the integer program measures lengths: `perLength` units per unit of
// length, whole numbers when `whole`.
struct LengthUnits {
  double perLength = 1.0;
  bool whole = false;
  double Of(double length) const;
};

enum class MasterGoal {
  LeastUncutLength,  // cut as much length as the stock allows
  LeastStockLength,  // cut the demand (less the allowance) from the least stock
};

// Asked between steps; true ends the work with the best result so far.
using StopRequest = std::function<bool()>;

// The work the LP side may do, counted in steps so that a job gets the same
// amount of it on every machine: simplex iterations weighted by their cost
// (which grows with the rows of the program), each solve's setup over its
// rows and columns, knapsack search nodes and pricing table cells.
// About 3e7 units take a second on a 2020s desktop core.
class WorkBudget {
 public:
  explicit WorkBudget(double units) : left_(units) {}
  void Spend(double units) { left_ -= units; }
  bool Exhausted() const { return left_ <= 0.0; }

 private:
  double left_;
};

struct PricingEffort {
  long long knapsackNodes = 0;  // per knapsack while columns are found
  long long provingNodes = 0;   // per knapsack to show that none improves
  int columnsPerType = 1;       // patterns priced per stock type and round, each
                                // from the pieces the ones before left
  int columnsPerRound = 1;      // a round ends when this many were added
};

class PatternMaster {
 public:
  // `uncutAllowance` (least stock length only): the length that may stay
  // uncut; 0 means every piece is cut.
  PatternMaster(const CuttingModel& model, MasterGoal goal, double uncutAllowance,
                const PricingEffort& pricing, WorkBudget& budget);

  // Adds the pattern as a column unless it is one already.
  void AddPattern(const Pattern& pattern);
  void AddBars(const BarList& bars);
  // For each stock type and piece type, a bar of as many of those pieces as
  // fit, unless that makes too many columns.
  void AddSingleTypePatterns();
  // Adds every pattern that fits, when there are at most `limit` of them; the
  // integer program is then exact. False (adding none) when there are more.
  bool AddAllPatterns(int limit);

  enum class Outcome { Converged, OutOfWork, Stopped, Infeasible };
  // Column generation from the current bounds until no column improves the
  // LP, or, with one stock length, until the bound it proves rounds up to the
  // same whole bars as the LP value. `improvesBound` when no column is fixed,
  // so that its duals bound the whole problem.
  Outcome Generate(const StopRequest& stop, bool improvesBound);

  // Lower bound on the stock length of every plan that cuts the demand (less
  // the allowance): the LP value once column generation converged, the
  // Lagrangian bound of its best round before. 0 until a round was solved.
  double LowerBound() const { return lowerBound_; }

  // Diving with limited discrepancy search over the generated patterns. Each
  // step fixes the pattern whose LP value is closest to a whole number of
  // bars above those already fixed, at that number; it takes their pieces out
  // of the demand and prices columns for what is left, until the LP solution
  // is whole (a plan, given to `found`, which returns the new cutoff) or its
  // value exceeds the cutoff. Within the first `depth` steps and up to
  // `discrepancies` times on one path, the search then tries the next
  // patterns in that order instead, the ones tried before them at that step
  // kept from being fixed below it (a tabu list).
  // `nodeDone` is called after each step's LP. False when stop was
  // requested or the work ran out. Leaves the bounds as they were.
  struct DiveLimits {
    int discrepancies = 0;
    int depth = 0;
  };
  using PlanFound = std::function<double(const BarList&)>;
  bool Dive(const DiveLimits& limits, double cutoff, const PlanFound& found,
            const std::function<void()>& nodeDone, const StopRequest& stop);

  // The whole bars of the current LP solution (its values rounded down).
  BarList WholeLpBars() const;

  enum class IntegerGoal { UncutLength, StockLength, OrderableLength, Bars };
  // What the integer program minimises, with the lengths that earlier goals
  // settled as limits.
  struct IntegerStage {
    IntegerGoal goal = IntegerGoal::StockLength;
    std::optional<double> stockLength;
    std::optional<double> orderableLength;
  };
  // The integer program over the generated patterns, started from `start`
  // (a plan this master accepts, within the stage's limits); empty when no
  // solution was found.
  std::optional<BarList> SolveInteger(const BarList& start, int maxNodes, const StopRequest& stop,
                                      const IntegerStage& stage);

 private:
  enum class ColumnKind { Pattern, Uncut, Orderable };
  struct ColumnOf {
    ColumnKind kind;
    int index;  // into patterns_, or the piece or stock type
  };

  void AddOrderableColumns();
  double PatternCost(const Pattern& pattern) const;
  double IntegerCost(int column, IntegerGoal goal) const;
  bool IsPatternColumn(int column) const { return columns_[column].kind == ColumnKind::Pattern; }
  std::vector<double> ColumnsOf(const BarList& bars) const;
  BarList BarsOf(const std::vector<double>& values) const;
  struct BoundChange {
    int column;
    double lower;
    double upper;
  };
  // Column bound changes made by a dive, so that they can be taken back.
  void ChangeBounds(int column, double lower, double upper);
  void UndoBounds(std::size_t logSize);
  // Demand less the pieces of the bars fixed by column lower bounds; patterns
  // that need more than that are kept from growing.
  void UpdateResidual();
  struct DiveState;
  void DiveNode(DiveState& state, int depth, int discrepancies);

  enum class Pricing { Added, NoneFound, OutOfWork };
  // Prices the stock types in turn; a round that prices them all updates the
  // lower bound.
  // `exactRound`: the LP's duals priced exactly, for a bound.
  Pricing PriceColumns(const std::vector<double>& duals, double lpValue, bool improvesBound,
                       bool exactRound);
  // The bound proved in this column generation rounds up to the same whole
  // bars as the LP value: more columns cannot change what it proves.
  bool BoundSettled() const;
  struct TypePricing {
    int added = 0;
    double upperBound = 0.0;  // no pattern of the type is worth more
    bool complete = true;     // the first knapsack was solved to the end
  };
  // `nodeLimit` kGridPricing or kCoarsePricing: PriceOnGrid where it can.
  TypePricing PriceStockType(int stock, const Knapsack& knapsack, double target,
                             long long nodeLimit);
  struct PricingPass {
    int added = 0;
    bool pricedAll = false;
    bool exact = true;  // every first knapsack was solved to the end
    double lagrangian = 0.0;
  };
  // Patterns of a stock type from the exact knapsack on the length grid;
  // empty when its table would be too large.
  // `mode`: kGridPricing, kCoarsePricing (no exact table when the coarse
  // one finds nothing) or kExactPricing (no coarse table).
  std::optional<TypePricing> PriceOnGrid(int stock, const Knapsack& knapsack, double target,
                                         long long mode);
  // Adds the pattern when it fits and is not a column yet: 1 when added.
  int AddNewPattern(const Pattern& pattern);
  PricingPass PriceStockTypes(const std::vector<double>& duals, double lpValue,
                              long long nodeLimit);

  const CuttingModel& model_;
  const MasterGoal goal_;
  const PricingEffort pricing_;
  WorkBudget& budget_;
  const double tolerance_;  // reduced cost below which a column does not improve
  LengthUnits stockUnits_;
  LengthUnits pieceUnits_;
  // Units in which the pieces, kerf and usable lengths are whole numbers, for
  // exact pricing; 0 when they are on no grid.
  double gridUnits_ = 0.0;
  LinearProgram lp_;
  std::vector<int> pieceRow_;
  std::vector<int> stockRow_;      // -1 for stock types without a limit
  std::vector<int> orderableRow_;  // -1 for stock types without orderable and inventory rows
  int barRow_ = -1;
  std::vector<int> uncutColumn_;  // -1 when pieces are all cut
  std::vector<Pattern> patterns_;
  std::vector<ColumnOf> columns_;
  std::map<Pattern, int> columnOf_;
  double lowerBound_ = 0.0;
  double lpValue_ = 0.0;
  bool lpValueKnown_ = false;  // the last LP solve found the optimum
  int nextStockType_ = 0;      // where the next round starts pricing
  std::vector<BoundChange> boundLog_;
  std::vector<int> residual_;     // pieces of each type pricing may use
  std::vector<double> smoothed_;  // the mix of duals priced first
  double generateBound_ = 0.0;    // bound proved in the current column generation
  double wholeBars_ = 0.0;        // the one stock length plans take whole bars of, or 0
};
