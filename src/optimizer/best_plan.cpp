#include "optimizer/best_plan.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/text_util.h"
#include "optimizer/cutting_model.h"
#include "optimizer/greedy_bars.h"
#include "optimizer/pack_bars.h"
#include "optimizer/pattern_master.h"

namespace {

// Work done at one level. Every limit counts steps, never time, so a job
// gives the same plan on every machine.
struct Effort {
  double work = 0.0;               // column generation and dives, see WorkBudget
  PatternMaster::DiveLimits dive;  // no dive when depth is 0
  int integerNodes = 0;            // branch-and-bound nodes over the generated patterns
  long long greedyNodes = 2000;    // knapsack nodes per greedy bar and stock type
  PricingEffort pricing{2000, 100000, 5, 50};
  int enumerationLimit = 3000;  // all patterns are columns when there are no more
};

Effort EffortForLevel(int level) {
  level = std::clamp(level, 0, 10);
  Effort effort;
  effort.work = 2e6 * (1 + level * level);
  effort.dive.depth = level == 0 ? 0 : 1 + level / 3;
  effort.dive.discrepancies = (level + 2) / 4;
  effort.integerNodes = 20 * level * level;
  return effort;
}

// Progress bar and event pumping: events run when kPumpInterval of work has
// passed since they last did, so Cancel acts quickly whatever the job.
class SearchProgress {
 public:
  SearchProgress(JobState& job, ProgressView& frontend) : job_(job), frontend_(frontend) {}

  bool StopRequested() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ >= kPumpInterval) {
      frontend_.PumpEvents();
      lastPump_ = now;
    }
    return job_.cancelRequested;
  }

  void Show(float percent) {
    frontend_.ShowProgress(percent);
    frontend_.PumpEvents();
    lastPump_ = std::chrono::steady_clock::now();
  }

  StopRequest AsStopRequest() {
    return [this] { return StopRequested(); };
  }

 private:
  JobState& job_;
  ProgressView& frontend_;
  std::chrono::steady_clock::time_point lastPump_ = std::chrono::steady_clock::now();
};

class BestPlanSearch {
 public:
  BestPlanSearch(const CuttingModel& model, const Effort& effort, SearchProgress& progress)
      : model_(model),
        effort_(effort),
        progress_(progress),
        stop_(progress.AsStopRequest()),
        budget_(effort.work) {}

  BarList Run() {
    if (model_.pieceTypes.empty() || model_.stockTypes.empty()) return best_;
    AddGreedyBars(model_, effort_.greedyNodes, best_);
    TidyBars(model_, best_);
    progress_.Show(10.0f);
    if (progress_.StopRequested()) return best_;
    double allowance = 0.0;
    if (model_.CutCounts(best_) != Demands()) {
      CutMostLength();
      allowance = UncutLength(best_);
    }
    progress_.Show(20.0f);
    if (!progress_.StopRequested()) LeastStock(allowance);
    return best_;
  }

  // The best bound on the stock length of plans that cut these pieces (of
  // each piece type) and no less length than the plan found.
  double LowerBound(const std::vector<int>& cutCounts) const {
    return RoundedBound(std::max(lpBound_, ContinuousBound(model_, cutCounts)));
  }

 private:
  std::vector<int> Demands() const {
    std::vector<int> demands;
    for (const PieceType& type : model_.pieceTypes) demands.push_back(type.Demand());
    return demands;
  }

  double UncutLength(const BarList& bars) const {
    const std::vector<int> cut = model_.CutCounts(bars);
    double uncut = 0.0;
    for (std::size_t type = 0; type < cut.size(); ++type) {
      uncut += (model_.pieceTypes[type].Demand() - cut[type]) * model_.pieceTypes[type].length;
    }
    return uncut;
  }

  void Consider(std::optional<BarList> bars) {
    if (!bars) return;
    TidyBars(model_, *bars);
    if (IsBetter(model_.Score(*bars), model_.Score(best_))) best_ = std::move(*bars);
  }

  void SeedColumns(PatternMaster& master) const {
    master.AddAllPatterns(effort_.enumerationLimit);
    master.AddBars(best_);
    master.AddSingleTypePatterns();
  }

  // When the stock cannot hold every piece: the plan that cuts the most length.
  void CutMostLength() {
    PatternMaster master(model_, MasterGoal::LeastUncutLength, 0.0, effort_.pricing, budget_);
    SeedColumns(master);
    if (master.Generate(stop_, true) == PatternMaster::Outcome::Converged) {
      Consider(master.SolveInteger(
          best_, effort_.integerNodes, stop_,
          {PatternMaster::IntegerGoal::UncutLength, std::nullopt, std::nullopt}));
    }
  }

  // The least stock length for the pieces, leaving at most `allowance` uncut.
  void LeastStock(double allowance) {
    PatternMaster master(model_, MasterGoal::LeastStockLength, allowance, effort_.pricing, budget_);
    SeedColumns(master);
    if (Optimal()) return;
    const PatternMaster::Outcome root = master.Generate(stop_, true);
    lpBound_ = master.LowerBound();
    progress_.Show(40.0f);
    if (root == PatternMaster::Outcome::Stopped || Optimal()) return;
    Consider(RepairedLpBars(master));
    if (effort_.dive.depth > 0 && !Optimal()) {
      int nodes = 0;
      master.Dive(
          effort_.dive, DiveCutoff(),
          [this](const BarList& bars) {
            Consider(bars);
            // Nothing is better than a plan at the bound.
            return Optimal() ? -1.0 : DiveCutoff();
          },
          // Progress creeps towards 80% as the dive goes on.
          [this, &nodes] {
            progress_.Show(80.0f - 40.0f * 20.0f / static_cast<float>(20 + ++nodes));
          },
          stop_);
      progress_.Show(80.0f);
    }
    // The integer program is worth its cost only where column generation
    // finished within the work allowed.
    if (Optimal() || budget_.Exhausted() || progress_.StopRequested()) return;
    if (!StockSettled()) {
      Consider(master.SolveInteger(
          best_, effort_.integerNodes, stop_,
          {PatternMaster::IntegerGoal::StockLength, std::nullopt, std::nullopt}));
    }
    // Then, for the same stock length, less orderable stock and fewer bars.
    const PlanScore score = model_.Score(best_);
    if (!OrderableSettled() && !progress_.StopRequested()) {
      Consider(master.SolveInteger(
          best_, effort_.integerNodes, stop_,
          {PatternMaster::IntegerGoal::OrderableLength, score.stockLength, std::nullopt}));
    }
    if (!BarsSettled() && !progress_.StopRequested()) {
      const PlanScore settled = model_.Score(best_);
      Consider(master.SolveInteger(
          best_, effort_.integerNodes, stop_,
          {PatternMaster::IntegerGoal::Bars, settled.stockLength, settled.orderableLength}));
    }
  }

  // The LP solution's whole bars, with the pieces they leave cut greedily.
  BarList RepairedLpBars(const PatternMaster& master) const {
    BarList bars = master.WholeLpBars();
    TidyBars(model_, bars);
    AddGreedyBars(model_, effort_.greedyNodes, bars);
    return bars;
  }

  bool SingleStockLength() const { return model_.stockTypes.size() == 1; }

  // With one stock length a plan takes whole bars of it.
  double RoundedBound(double bound) const {
    if (!SingleStockLength() || bound <= 0.0) return bound;
    const double length = model_.stockTypes[0].length;
    return std::ceil(bound / length - 1e-6) * length;
  }

  double UnroundedBound() const {
    return std::max(lpBound_, ContinuousBound(model_, model_.CutCounts(best_)));
  }

  // No plan can beat this one: no whole bars reaching the bound are shorter
  // in total, and no whole bars of that total need less orderable stock or
  // fewer bars.
  bool Optimal() const { return StockSettled() && OrderableSettled() && BarsSettled(); }

  bool StockSettled() const {
    const double stock = model_.Score(best_).stockLength;
    return stock <= WholeBarsReaching(model_, UnroundedBound()) + Tolerance(stock);
  }

  bool OrderableSettled() const {
    const PlanScore score = model_.Score(best_);
    const std::optional<BarMix> mix = BestBarMix(model_, score.stockLength, score.orderableLength);
    return mix && score.orderableLength <= mix->orderableLength + Tolerance(score.stockLength);
  }

  bool BarsSettled() const {
    const PlanScore score = model_.Score(best_);
    const std::optional<BarMix> mix = BestBarMix(model_, score.stockLength, score.orderableLength);
    return mix && score.bars <= mix->bars;
  }

  static double Tolerance(double length) { return kLengthEpsilon + 1e-9 * length; }

  // An LP value above this cannot lead to a better plan.
  double DiveCutoff() const {
    const PlanScore score = model_.Score(best_);
    if (!SingleStockLength()) return score.stockLength + 1e-9 * score.stockLength;
    const double length = model_.stockTypes[0].length;
    return (score.bars - 1 + 1e-6) * length;
  }

  const CuttingModel& model_;
  const Effort effort_;
  SearchProgress& progress_;
  const StopRequest stop_;
  WorkBudget budget_;
  BarList best_;
  double lpBound_ = 0.0;  // from the pattern LP
};

// What planning changes in a job: enough to put one plan aside and to bring
// it or the unplanned job back.
struct PlanSnapshot {
  std::vector<StockItem> stock;
  std::vector<CutPiece> pieces;
  std::vector<BarPlan> bars;
  std::vector<std::int16_t> freePieces;
  std::int16_t barCount = 0;
  std::int16_t usedPieceCount = 0;

  explicit PlanSnapshot(const JobState& job)
      : stock(job.stock.begin(), job.stock.begin() + job.stockCount),
        pieces(job.pieces.begin(), job.pieces.begin() + job.pieceCount),
        bars(job.bars.begin(), job.bars.begin() + job.barCount),
        freePieces(job.freePieces.begin(), job.freePieces.begin() + job.pieceCount),
        barCount(job.barCount),
        usedPieceCount(job.usedPieceCount) {}

  void RestoreTo(JobState& job) const {
    std::copy(stock.begin(), stock.end(), job.stock.begin());
    std::copy(pieces.begin(), pieces.end(), job.pieces.begin());
    std::copy(bars.begin(), bars.end(), job.bars.begin());
    std::copy(freePieces.begin(), freePieces.end(), job.freePieces.begin());
    job.barCount = barCount;
    job.usedPieceCount = usedPieceCount;
  }
};

// No bars, every piece free: the state the planners start from. The pieces'
// flags and the stock rows are those the run has just read.
void ClearPlan(JobState& job) {
  job.barCount = 0;
  job.usedPieceCount = 0;
  for (int i = 0; i < job.pieceCount; ++i) job.freePieces[i] = static_cast<std::int16_t>(i);
}

// Pieces of each type that the job's plan cuts.
std::vector<int> CutCountsOf(const CuttingModel& model, const JobState& job) {
  std::vector<int> counts;
  for (const PieceType& type : model.pieceTypes) {
    counts.push_back(
        static_cast<int>(std::count_if(type.pieces.begin(), type.pieces.end(),
                                       [&](int piece) { return job.pieces[piece].used; })));
  }
  return counts;
}

}  // namespace

PlanResult RunBestPlan(JobState& job, ProgressView& frontend, int level) {
  // A plan left by an earlier run is no part of this one.
  ClearPlan(job);
  // The bar packing search runs on the job itself so that Cancel reaches it;
  // its plan is kept aside and the job reset for the best plan.
  const PlanSnapshot unplanned(job);
  PackBars(job, frontend, level);
  const PlanSnapshot classic(job);
  const PlanScore classicScore = ScoreJobPlan(job);
  unplanned.RestoreTo(job);

  SearchProgress progress(job, frontend);
  const CuttingModel model = BuildCuttingModel(job);
  BestPlanSearch search(model, EffortForLevel(level), progress);
  CommitBars(model, search.Run(), job);
  if (IsBetter(classicScore, ScoreJobPlan(job))) classic.RestoreTo(job);
  progress.Show(100.0f);

  PlanResult result;
  result.stockLength = ScoreJobPlan(job).stockLength;
  result.lowerBound = search.LowerBound(CutCountsOf(model, job));
  // The LP value of an optimal plan may exceed its length by rounding noise.
  if (result.lowerBound <= result.stockLength + kLengthEpsilon + 1e-9 * result.stockLength) {
    result.lowerBound = std::min(result.lowerBound, result.stockLength);
  }
  result.cancelled = job.cancelRequested;
  return result;
}

std::optional<OptimizerKind> OptimizerNamed(const std::string& name) {
  const std::string upper = ToUpperAscii(name);
  if (upper == ToUpperAscii(kClassicOptimizerName)) return OptimizerKind::Classic;
  if (upper == ToUpperAscii(kBestOptimizerName)) return OptimizerKind::Best;
  return std::nullopt;
}

PlanResult RunOptimizer(OptimizerKind kind, JobState& job, ProgressView& frontend, int level) {
  if (kind == OptimizerKind::Best) return RunBestPlan(job, frontend, level);
  PackBars(job, frontend, level);
  PlanResult result;
  result.stockLength = ScoreJobPlan(job).stockLength;
  result.cancelled = job.cancelRequested;
  return result;
}
