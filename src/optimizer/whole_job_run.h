#pragma once

#include <functional>
#include <string>
#include <vector>

#include "jobfiles/open_job.h"
#include "reports/material_plan.h"

struct JobState;
class Frontend;

// Why a material of a run of every material was not cut.
std::string NoStockReason(const JobState& job);
std::string NoCutsReason(const JobState& job);
inline constexpr const char* kCancelledReason = "the run was cancelled before it was cut";

struct WholeJobResult {
  // Every material of the job in order; those not cut carry the reason.
  std::vector<MaterialPlan> plans;
  int cutCount = 0;
  bool cancelled = false;
  // The reports, exports, stock file and summary whose write failed.
  std::vector<std::string> unwrittenFiles;
  // The summary written, or empty when none was (no material was cut).
  std::string summaryFile;
};

// Told as material `number` (from 1) of `count` starts.
using MaterialStarted = std::function<void(int number, int count, const std::string& material)>;

// The materials that have cut rows, in the order of the material box; the
// current material and then those of the cut file that the box does not list
// follow.
std::vector<std::string> WholeJobMaterials(const JobState& job, Frontend& frontend);

// The cutting run for every material that has cut rows, for a caller that
// holds the stock file's lock: the current material's lists are saved first;
// then each material is read, cut, reported and exported exactly as a single
// run does, its report named by MaterialReportFileName. One progress window
// spans the whole job, and Cancel ends it: the material being cut and those
// after it are left as they were. Afterwards the job summary is written beside
// the reports when any material was cut, and the current material is read
// again. A material that cannot be cut is passed over with its reason.
WholeJobResult RunWholeJobLocked(JobState& job, Frontend& frontend, int level, ListOrder order,
                                 const MaterialStarted& started = {});
