#pragma once

#include "optimizer/cutting_model.h"

// A quick complete plan: bar after bar, the stock type and selection of the
// pieces still to cut that fill a bar best (the least drop per stock length,
// found by the exact knapsack), repeated while the pieces and the stock last.
// Starts from the bars already in `bars` and appends to them; the pieces
// they hold count as cut. Deterministic.
void AddGreedyBars(const CuttingModel& model, long long knapsackNodes, BarList& bars);
