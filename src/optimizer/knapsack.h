#pragma once

#include <utility>
#include <vector>

// The bounded knapsack that prices patterns: which pieces to cut from one bar
// so that their values add up to the most. Exact for double lengths: a
// selection is accepted only when it fits under the exact-fit kerf rule
// (PiecesFit); nothing is rounded to a grid.

struct KnapsackItem {
  int type = 0;  // the caller's piece type
  double length = 0.0;
  double value = 0.0;  // items worth nothing are ignored
  int maxCount = 0;
};

struct KnapsackResult {
  // The best selection worth more than the target, as (type, count) with the
  // type ascending; empty when no selection found is worth more.
  std::vector<std::pair<int, int>> counts;
  double value = 0.0;
  // No selection is worth more than this (valid even when the search stopped
  // at its node limit).
  double upperBound = 0.0;
  bool complete = true;  // the search ran to its end: `counts` is optimal
  long long nodes = 0;   // search nodes visited
};

struct GridKnapsack {
  bool solved = false;
  double bestValue = 0.0;  // no selection is worth more (the target when none is)
  std::vector<std::vector<std::pair<int, int>>> selections;  // as KnapsackResult::counts
  long long cells = 0;                                       // table cells filled
};

// One set of items, ordered once, solved for bars of any usable length.
class Knapsack {
 public:
  Knapsack(const std::vector<KnapsackItem>& items, double kerf, int maxPieces);

  // Depth-first branch and bound over the items in order of value per length
  // plus kerf, most copies first, pruned by the fractional bound; at most
  // `nodeLimit` nodes. Only selections worth more than `target` are sought.
  // `taken`, when not empty, holds per caller type the copies no longer
  // available.
  KnapsackResult Solve(double usable, double target, long long nodeLimit,
                       const std::vector<int>& taken = {}) const;

  // The search solved exactly by dynamic programming over whole units of
  // length (`unitsPerLength` per unit), when the usable length, the kerf and
  // every piece length are whole numbers of units: up to `selections`
  // selections worth more than `target`, of different total lengths, the
  // best first. Not solved when the table would exceed `cellLimit` cells.
  // `coarse`: any units; the piece weights are rounded up and the usable
  // length down, so that every selection fits but not every fit is seen.
  GridKnapsack SolveOnGrid(double usable, double target, double unitsPerLength, long long cellLimit,
                           int selections, bool coarse = false) const;

  struct Item {
    KnapsackItem item;
    double weight = 0.0;  // length plus one kerf
  };

 private:
  std::vector<Item> items_;
  double kerf_;
  int maxPieces_;
};
