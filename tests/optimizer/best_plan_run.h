#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/job_state.h"
#include "optimizer/best_plan.h"
#include "optimizer/plan_validator.h"
#include "support/recording_frontend.h"

// A best-plan run on a copy of `before`, with the checks every plan must
// pass: valid, its stock length as reported, and the bound never above it.
struct CheckedRun {
  JobState job;
  PlanResult result;
  PlanTotals totals;
};

// Plans `job`, a copy of `before`, and checks the plan.
inline PlanResult PlanChecked(const JobState& before, JobState& job, int level,
                              Frontend& frontend) {
  const PlanResult result = RunBestPlan(job, frontend, level);
  const double stockLength = TotalsOf(job).stockLength;
  EXPECT_THAT(PlanProblems(before, job), ::testing::IsEmpty());
  EXPECT_NEAR(result.stockLength, stockLength, 1e-9 * stockLength);
  EXPECT_LE(result.lowerBound, stockLength);
  return result;
}

inline CheckedRun RunChecked(const JobState& before, int level) {
  RecordingFrontend frontend;
  CheckedRun run{before, {}, {}};
  run.result = PlanChecked(before, run.job, level, frontend);
  run.totals = TotalsOf(run.job);
  return run;
}
