#pragma once

#include <array>
#include <chrono>
#include <cstdint>

#include "core/job_state.h"
#include "core/pump_interval.h"

class ProgressView;

// The bar packing search: assigns the job's pieces to stock bars one bar at a
// time and records the plan in `bars`.

// Lengths that differ by no more than this (in the job's unit) are equal: the
// rounding noise of summed decimal lengths such as thirds of a foot.
inline constexpr double kLengthEpsilon = 1e-6;
// Best drop at the start of every bar: larger than any real drop.
inline constexpr double kNoDropYet = 4000000.0;
// ShortestFreePieceLength when no free piece is shorter.
inline constexpr double kNoShortPiece = 100000.0;

// A selection of k free pieces: strictly increasing positions in `freePieces`.
using Selection = std::array<std::int16_t, kMaxPieces + 1>;

// Fills the plan from the job's stock rows and pieces, both sorted longest
// first and every piece unassigned, at optimisation level `level` (0 to 10).
// The kerf and the unusable length are KerfLength and UnusableLength. Rows with a quantity of 0 or
// less are passed over. Progress is shown and events are pumped every `pumpInterval` of work; a
// cancel request seen then ends the search after the bar being searched (committed if a selection
// was recorded for it).
void PackBars(JobState& job, ProgressView& progress, int level,
              std::chrono::milliseconds pumpInterval = kPumpInterval);

// The smallest length among unassigned pieces, or 100000 when none is shorter.
double ShortestFreePieceLength(const JobState& job);

// True when taking a bar from a row with this quantity lowers it: quantities 1
// to 999. Orderable rows (30000) and any quantity of 1000 or more never run
// out.
constexpr bool QuantityRunsDown(int quantity) { return quantity >= 1 && quantity <= 999; }

// Cuts the bar at `barCount` from stock row `stockRow`: takes one bar from the
// row (when QuantityRunsDown), marks the bar's pieces used, rebuilds
// `freePieces` and sets `freeCount` to its length, and counts the bar.
void CommitBar(JobState& job, int stockRow, int& freeCount);

// Sets the progress bar to done / total (0 to 100 percent).
void ShowCuttingProgress(ProgressView& progress, int done, int total);
