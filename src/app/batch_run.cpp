#include "app/batch_run.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/ui_texts.h"
#include "jobfiles/open_job.h"
#include "jobfiles/stock_file.h"
#include "optimizer/cutting_run.h"
#include "optimizer/whole_job_run.h"
#include "reports/cutting_report.h"
#include "reports/plan_json.h"

namespace {

// Larger than the decimal exponent of any double, small or large.
constexpr long long kExponentBeyondDouble = 100000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string UnwrittenReason(const std::vector<std::string>& files) {
  std::string list;
  for (const std::string& file : files) list += (list.empty() ? "" : ", ") + file;
  return "could not write " + list;
}

// Why a run could not start or failed, or empty when it ran.
std::string ReasonFor(const JobState& job, const CuttingRunResult& result) {
  switch (result.outcome) {
    case CuttingRunOutcome::Completed: return {};
    case CuttingRunOutcome::NoStock: return NoStockReason(job);
    case CuttingRunOutcome::NoCuts: return NoCutsReason(job);
    case CuttingRunOutcome::StockInUse: return StockInUseText(job.stock_filename);
    case CuttingRunOutcome::Stopped: return kCancelledReason;
    case CuttingRunOutcome::OutputFailed: return UnwrittenReason(result.unwrittenFiles);
  }
  return {};
}

// The job file that cannot be read and why, or empty when both can.
std::string UnreadableJobFile(const JobState& job) {
  std::error_code error;
  for (const std::string* path : {&job.cut_filename, &job.stock_filename}) {
    if (std::filesystem::is_regular_file(*path, error)) continue;
    return *path + (FileExists(*path) ? texts::kNotRegularFileText : texts::kFileMissingText);
  }
  return {};
}

int ExitStatusOf(CuttingRunOutcome outcome) {
  if (outcome == CuttingRunOutcome::Completed) return kExitJobRan;
  return outcome == CuttingRunOutcome::OutputFailed ? kExitOutputFailed : kExitJobNotRun;
}

}  // namespace

int BatchOptimizationLevel(const JobState& job) {
  const double level = LeadingNumber(job.drop_length);
  const auto rounded = RoundHalfEvenToInt16(std::clamp(level, 0.0, 10.0));
  return rounded.value_or(0);
}

bool IsKerfArgument(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  std::size_t pos = 0;
  bool digits = false;
  bool point = false;
  for (; pos < text.size() && (IsDigit(text[pos]) || (text[pos] == '.' && !point)); ++pos) {
    point = point || text[pos] == '.';
    digits = digits || text[pos] != '.';
  }
  if (!digits) return false;
  const std::string_view mantissa = text.substr(0, pos);
  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    const bool negative = ++pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    if (pos == start) return false;
    if (std::from_chars(text.data() + start, text.data() + pos, exponent).ec != std::errc()) {
      exponent = kExponentBeyondDouble;
    }
    if (negative) exponent = -exponent;
  }
  if (pos != text.size()) return false;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && std::isfinite(value)) return true;
  if (ec != std::errc::result_out_of_range) return false;
  // Out of range: a value too small for a double reads as 0, which is a
  // length; one too large is none. The power of ten of the first nonzero
  // digit tells which.
  const auto pointAt = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
  const auto firstNonZero = static_cast<long long>(mantissa.find_first_not_of("0."));
  const long long power = pointAt - firstNonZero - (firstNonZero < pointAt ? 1 : 0) + exponent;
  return power < 0;
}

namespace {

// The checks before a run and its stock file lock; the exit status of a job
// that cannot start, or nothing when the lock is held.
std::optional<int> PrepareBatchRun(JobState& job, Frontend& frontend, std::ostream& errors,
                                   StockFileLock& lock, std::chrono::milliseconds lockWait) {
  job.batchMode = true;
  job.dataChanged = true;
  if (!IsKerfArgument(job.kerf)) {
    errors << "brx: the kerf \"" << job.kerf
           << "\" is not a length of 0 or more in the job's unit\n";
    return kExitJobNotRun;
  }
  if (const std::string problem = UnreadableJobFile(job); !problem.empty()) {
    errors << "brx: the job file " << problem << "\n";
    return kExitJobNotRun;
  }
  // Held from the first read, so another run's subtraction is never lost.
  if (!lock.Acquire(job.stock_filename, lockWait, frontend)) {
    errors << "brx: " << StockInUseText(job.stock_filename) << '\n';
    return kExitJobNotRun;
  }
  return std::nullopt;
}

}  // namespace

int RunBatchJob(JobState& job, Frontend& frontend, std::ostream& output, std::ostream& errors,
                BatchOutput form, std::chrono::milliseconds lockWait) {
  StockFileLock lock;
  if (const auto status = PrepareBatchRun(job, frontend, errors, lock, lockWait)) return *status;
  // As the window's cutNow: open the job's files, then run the Cut command.
  OpenJob(job, frontend, ListOrder::AsInFiles);
  std::optional<MaterialPlan> plan;
  const auto capture = [&plan, &frontend](const JobState& planned) {
    plan = CapturePlan(planned, frontend);
    return true;
  };
  const CuttingRunResult result =
      RunCuttingLocked(job, frontend, BatchOptimizationLevel(job),
                       form == BatchOutput::Json ? PlanCheck(capture) : PlanCheck());
  if (form == BatchOutput::Json) {
    output << PlanJson(job, frontend,
                       {plan ? *plan : NotCutPlan(job.matl, ReasonFor(job, result))});
  } else if (const auto bound = LowerBoundLine(job, frontend)) {
    output << *bound << '\n';
  }
  if (result.outcome != CuttingRunOutcome::Completed) {
    errors << "brx: " << ReasonFor(job, result) << '\n';
  }
  return ExitStatusOf(result.outcome);
}

int RunBatchWholeJob(JobState& job, Frontend& frontend, std::ostream& output, std::ostream& errors,
                     BatchOutput form, std::chrono::milliseconds lockWait) {
  StockFileLock lock;
  if (const auto status = PrepareBatchRun(job, frontend, errors, lock, lockWait)) return *status;
  LoadMaterials(job, frontend);
  const WholeJobResult result =
      RunWholeJobLocked(job, frontend, BatchOptimizationLevel(job), ListOrder::AsInFiles);
  for (const MaterialPlan& plan : result.plans) {
    if (!plan.notCutReason.empty())
      errors << "brx: " << plan.material << ": " << plan.notCutReason << '\n';
  }
  if (!result.unwrittenFiles.empty())
    errors << "brx: " << UnwrittenReason(result.unwrittenFiles) << '\n';
  if (form == BatchOutput::Json) output << PlanJson(job, frontend, result.plans);
  if (!result.unwrittenFiles.empty()) return kExitOutputFailed;
  const bool everyMaterialCut = result.cutCount == static_cast<int>(result.plans.size());
  return everyMaterialCut && result.cutCount > 0 ? kExitJobRan : kExitJobNotRun;
}
