#pragma once

#include <string>
#include <vector>

#include "core/job_state.h"
#include "support/test_job.h"

// An independent check of a plan in a job, written from the rules of a valid
// plan rather than from the optimiser: every test applies it to every plan.

// What is wrong with the plan held by `after`, planned from the job `before`
// (its stock rows, pieces and settings as the run started); empty when the
// plan is valid: each piece in at most one bar, every bar within its usable
// length under the exact-fit kerf rule, within the limits of bars and pieces
// per bar, cut from a stock row that had bars left, and the rows' quantities,
// used counts, the pieces' flags and materials, `usedPieceCount` and
// `freePieces` as the run leaves them.
std::vector<std::string> PlanProblems(const JobState& before, const JobState& after);

struct PlanTotals {
  double cutLength = 0.0;
  double stockLength = 0.0;
  double orderableLength = 0.0;
  int bars = 0;
};

PlanTotals TotalsOf(const JobState& job);
