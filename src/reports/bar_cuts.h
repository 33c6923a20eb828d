#pragma once

#include <vector>

struct JobState;
struct BarPlan;
class MessageView;

// A scrap below this (rounding noise of the lengths' sums) counts as none.
inline constexpr double kScrapEpsilon = 1e-6;

// The pieces of one bar as the report and the export read them.
struct BarCuts {
  std::vector<int> pieces;  // piece indices in cutting order
  double scrap = 0.0;       // stock length less every piece and its kerf; never negative
};

// Reads the bar's pieces up to the first inconsistency in the plan (more than
// MAX_STK_CUTS pieces, or a piece index outside the piece list), which is
// shown as a message and leaves the rest of the bar's pieces out.
BarCuts ReadBarCuts(const JobState& job, const BarPlan& bar, double kerf, MessageView& frontend);
