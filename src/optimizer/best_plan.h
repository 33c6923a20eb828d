#pragma once

#include <optional>
#include <string>

struct JobState;
class ProgressView;

// Which optimiser plans a cutting run: the bar packing search, or the best
// plan that also proves how far it can be from the best possible one.
enum class OptimizerKind { Classic, Best };

// The texts that name the optimisers in the settings store and on the
// command line.
inline constexpr const char* kClassicOptimizerName = "classic";
inline constexpr const char* kBestOptimizerName = "best";

// The optimiser a text names, ignoring letter case; nullopt for any other text.
std::optional<OptimizerKind> OptimizerNamed(const std::string& name);

struct PlanResult {
  // No plan that cuts what this plan cuts can use less stock length: the
  // pattern LP bound (or, where column generation did not finish within the
  // level's effort or Cancel, the best bound it proved, and never less than
  // the total length the pieces need), rounded up to whole bars when the
  // stock rows with bars left share one length. 0 when nothing was cut, and
  // from RunOptimizer with the classic optimiser.
  double lowerBound = 0.0;
  double stockLength = 0.0;  // total stock length of the plan
  bool cancelled = false;    // Cancel was pressed: the best plan found so far
};

// Plans the job (the current stock rows and pieces, sorted longest first,
// every piece unassigned) with the effort of `level` (0 quick to 10
// thorough), and writes the plan into the job exactly as the bar packing
// search commits its bars. The bar packing search runs first at the same
// level, and its plan is kept when it is better: more length cut, then less
// stock length, less orderable stock, fewer bars. Shows progress and pumps
// events through `progress`; `cancelRequested` ends it with the best plan
// found so far. The same job and level always give the same plan.
PlanResult RunBestPlan(JobState& job, ProgressView& progress, int level);

// The cutting run's optimiser call: the bar packing search (`PackBars`) or
// RunBestPlan.
PlanResult RunOptimizer(OptimizerKind kind, JobState& job, ProgressView& progress, int level);
