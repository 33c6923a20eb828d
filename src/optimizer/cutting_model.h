#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "optimizer/pack_bars.h"

// The job as the best-plan optimiser sees it: pieces grouped by length, stock
// rows grouped by length, and plans as lists of bars cut by patterns.

// True when `count` pieces of total length `sum` can be cut from a bar of
// usable length `usable`: each piece takes its length plus one kerf, except
// that the last cut needs no kerf when the pieces fill the usable length
// exactly (both within kLengthEpsilon, as in the bar packing search).
bool PiecesFit(double sum, int count, double kerf, double usable);

// Pieces of one length; the optimiser treats them as interchangeable.
struct PieceType {
  double length = 0.0;
  std::vector<std::int16_t> pieces;  // piece indices, ascending

  int Demand() const { return static_cast<int>(pieces.size()); }
};

// Bars a stock type can give when one of its rows never runs out: a row with
// a quantity of 1000 or more (orderable rows hold 30000) is never lowered.
inline constexpr int kUnlimitedBars = 1 << 20;

// The stock rows of one length that have bars left.
struct StockType {
  double length = 0.0;
  double usable = 0.0;             // length less the unusable length
  int inventoryBars = 0;           // from inventory rows, at most kUnlimitedBars
  int orderableBars = 0;           // from orderable rows, at most kUnlimitedBars
  std::vector<std::int16_t> rows;  // inventory rows first, each group in row order

  int AvailableBars() const;
  bool Unlimited() const { return AvailableBars() >= kUnlimitedBars; }
};

// How one bar is cut: its stock type and the number of pieces of each type.
struct Pattern {
  int stockType = 0;
  std::vector<std::pair<int, int>> items;  // (piece type, count > 0), piece type ascending

  int PieceCount() const;
  auto operator<=>(const Pattern&) const = default;
};

using BarList = std::vector<Pattern>;  // one pattern per bar

// How good a plan is, compared in this order: more length cut, less stock
// length used, less orderable stock, fewer bars.
struct PlanScore {
  double cutLength = 0.0;
  double stockLength = 0.0;
  double orderableLength = 0.0;
  int bars = 0;
};

// True when `a` is strictly better than `b`; lengths within the tolerance tie.
bool IsBetter(const PlanScore& a, const PlanScore& b);

struct CuttingModel {
  double kerf = 0.0;
  int barLimit = 0;                   // bars a plan may hold
  std::vector<PieceType> pieceTypes;  // longest first; only pieces some stock type holds
  std::vector<StockType> stockTypes;  // longest first

  // The pattern's piece lengths added in cutting order (longest first).
  double PieceLength(const Pattern& pattern) const;
  bool Fits(const Pattern& pattern) const;
  bool FitsType(int stockType, double pieceLength) const;
  // Score of a plan cut from these bars, inventory rows taken first.
  PlanScore Score(const BarList& bars) const;
  // Pieces of each type cut by the bars.
  std::vector<int> CutCounts(const BarList& bars) const;
};

// The least stock length whose usable lengths, plus one kerf per bar, hold
// the lengths of the pieces cut plus one kerf each, with bars taken in
// fractions: no plan cutting these pieces uses less.
double ContinuousBound(const CuttingModel& model, const std::vector<int>& cutCounts);

// The least total length of whole bars, within the stock types' supplies,
// that reaches `length`: no plan uses less stock than that of any bound it
// meets. `length` itself when the search for it would take too long.
double WholeBarsReaching(const CuttingModel& model, double length);

// Among the sets of whole bars (within the supplies, inventory bars taken
// first) whose lengths add up to `stockLength`: the least orderable length,
// and the fewest bars among those with no more orderable length than
// `orderableLength`. Empty when there is none or the search would take too
// long.
struct BarMix {
  double orderableLength = 0.0;
  int bars = 0;
};
std::optional<BarMix> BestBarMix(const CuttingModel& model, double stockLength,
                                 double orderableLength);

// Builds the model from the job's current stock rows, pieces, kerf and
// unusable length (KerfLength and UnusableLength).
CuttingModel BuildCuttingModel(const JobState& job);

// Turns an integer solution into a plan the job can hold: pieces beyond the
// demand are dropped, empty bars removed, each bar moved to the shortest stock
// type with bars left that still holds it, and the bars put in a fixed order.
void TidyBars(const CuttingModel& model, BarList& bars);

// Writes the bars into the job with the bar packing search's CommitBar, rows
// of each stock type taken inventory first. The job must hold no plan yet.
void CommitBars(const CuttingModel& model, const BarList& bars, JobState& job);

// Score of the plan the job holds.
PlanScore ScoreJobPlan(const JobState& job);
