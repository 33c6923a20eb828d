#include "app/batch_run.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/job_state.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "jobfiles/open_job.h"
#include "optimizer/cutting_run.h"
#include "reports/cutting_report.h"

namespace {

// Why a run could not start or failed, or empty when it ran.
std::string ReasonFor(const JobState& job, CuttingRunOutcome outcome) {
  switch (outcome) {
    case CuttingRunOutcome::Completed: return {};
    case CuttingRunOutcome::NoStock:
      return "there is no " + job.matl + " stock in " + job.stock_filename;
    case CuttingRunOutcome::NoCuts:
      return "there are no " + job.matl + " cuts in " + job.cut_filename;
    case CuttingRunOutcome::OutputFailed:
      return "the report, the export or the stock file could not be written";
  }
  return {};
}

// Why a job file cannot be read, or empty when both can.
std::string JobFileProblem(const JobState& job) {
  std::error_code error;
  for (const std::string* path : {&job.cut_filename, &job.stock_filename}) {
    if (std::filesystem::is_regular_file(*path, error)) continue;
    return *path + (FileExists(*path) ? " is not a regular file" : " does not exist");
  }
  return {};
}

}  // namespace

int BatchOptimizationLevel(const JobState& job) {
  const double level = LeadingNumber(job.drop_length);
  const auto rounded = RoundHalfEvenToInt16(std::clamp(level, 0.0, 10.0));
  return rounded.value_or(0);
}

int RunBatchJob(JobState& job, Frontend& frontend, std::ostream& output, std::ostream& errors) {
  job.batchMode = true;
  job.dataChanged = true;
  if (const std::string problem = JobFileProblem(job); !problem.empty()) {
    errors << "brx: the job file " << problem << "\n";
    return kExitJobNotRun;
  }
  // As the window's cutNow: open the job's files, then run the Cut command.
  OpenJob(job, frontend);
  const CuttingRunOutcome outcome = RunCutting(job, frontend, BatchOptimizationLevel(job));
  if (const auto bound = LowerBoundLine(job, frontend)) output << *bound << '\n';
  if (outcome == CuttingRunOutcome::Completed) return kExitJobRan;
  errors << "brx: " << ReasonFor(job, outcome) << '\n';
  return outcome == CuttingRunOutcome::OutputFailed ? kExitOutputFailed : kExitJobNotRun;
}
