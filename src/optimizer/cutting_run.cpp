#include "optimizer/cutting_run.h"

#include <algorithm>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/ui_texts.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/open_job.h"
#include "jobfiles/stock_file.h"
#include "optimizer/best_plan.h"
#include "optimizer/returned_drops.h"
#include "optimizer/stock_file_lock.h"
#include "reports/cut_list_export.h"
#include "reports/cutting_report.h"

namespace {

constexpr const char* kStockNotUpdated =
    "The stock file was not updated because the report or the export could not be written.";

// Reads both files back, sorted longest first. A file that could not be read
// leaves its list empty, which the checks then report.
void ReloadLists(JobState& job, Frontend& frontend) { OpenJob(job, frontend); }

// The empty-list checks; messages only when someone is there to read them.
CuttingRunOutcome CheckLists(const JobState& job, Frontend& frontend) {
  if (job.stockCount == 0) {
    if (!job.batchMode) {
      frontend.ShowMessage(texts::kProgramTitle, "There is no " + job.matl +
                                                     " stock\rPlease enter stock material "
                                                     "before cutting");
    }
    return CuttingRunOutcome::NoStock;
  }
  if (job.pieceCount == 0) {
    if (!job.batchMode) {
      frontend.ShowMessage(texts::kProgramTitle, "There are no " + job.matl +
                                                     " cuts\rPlease enter cut list before "
                                                     "cutting.");
    }
    return CuttingRunOutcome::NoCuts;
  }
  return CuttingRunOutcome::Completed;
}

// Subtracts the bars taken from the stock file, and adds the drops kept, only
// when the results that account for them were written; otherwise restores the
// quantities. False when the subtraction was due and its write failed.
bool UpdateStock(JobState& job, Frontend& frontend, bool resultsWritten,
                 const std::vector<ReturnedDrop>& drops) {
  if (job.UpdatesStockList() && resultsWritten) {
    if (drops.empty()) return WriteStockFile(job, frontend);
    // A drop the stock file did not take is not shown as stock either.
    const std::vector<StockItem> subtracted(job.stock.begin(), job.stock.end());
    const std::int16_t rows = job.stockCount;
    const std::int32_t total = job.totalStockQuantity;
    AddReturnedDrops(job, drops);
    if (WriteStockFile(job, frontend)) return true;
    std::copy(subtracted.begin(), subtracted.end(), job.stock.begin());
    job.stockCount = rows;
    job.totalStockQuantity = total;
    return false;
  }
  ReadStockFile(job, frontend);
  if (job.UpdatesStockList()) {
    frontend.ShowMessage(texts::kProgramTitle, kStockNotUpdated, MessageIcon::Exclamation);
  }
  return true;
}

// Writes the report and the export, then updates the stock file with the
// bars taken and the drops kept. The report is written before the stock file
// and names the drops kept only once they are in it: it is written again with
// their section after the stock file was. Both writes are composed from the
// job as the search left it.
CuttingRunResult WriteResults(JobState& job, Frontend& frontend) {
  CuttingRunResult result;
  const std::vector<ReturnedDrop> drops = PlanReturnedDrops(job, frontend);
  const CuttingReportText report = ComposeCuttingReport(job, frontend, CurrentReportTime());
  const std::string dropsSection = ReturnedDropsSection(job, frontend, drops);
  const bool reportWritten =
      WriteReportFile(frontend, job.reportFileName, report.body + report.closing);
  if (!reportWritten) result.unwrittenFiles.push_back(job.reportFileName);
  const bool exportWritten = ExportCutList(job, frontend, job.export_filename);
  if (!exportWritten) {
    result.unwrittenFiles.push_back(ExportFileName(job.export_filename, job.matl));
  }
  const bool resultsWritten = reportWritten && exportWritten;
  if (!UpdateStock(job, frontend, resultsWritten, drops)) {
    result.unwrittenFiles.push_back(job.stock_filename);
  } else if (resultsWritten && !dropsSection.empty() &&
             !WriteReportFile(frontend, job.reportFileName,
                              report.body + dropsSection + report.closing)) {
    result.unwrittenFiles.insert(result.unwrittenFiles.begin(), job.reportFileName);
  }
  return result;
}

}  // namespace

// So the run starts from exactly what the files hold.
void SaveShownLists(JobState& job, Frontend& frontend) {
  if (job.stockCount > 0) WriteStockFile(job, frontend);
  // A cut list emptied in the window is saved too, so deleted rows stay deleted.
  if (job.pieceCount > 0 || job.cutListEdited) WriteCutFile(job, frontend);
}

CuttingRunResult RunCuttingLocked(JobState& job, Frontend& frontend, int level,
                                  const PlanCheck& beforeWriting) {
  job.planLowerBound = 0.0;
  SaveShownLists(job, frontend);
  ReloadLists(job, frontend);
  if (const CuttingRunOutcome check = CheckLists(job, frontend);
      check != CuttingRunOutcome::Completed) {
    return {check, {}};
  }

  frontend.ShowProgressWindow(true);
  const OptimizerKind optimizer = OptimizerNamed(job.optimizer).value_or(OptimizerKind::Classic);
  job.planLowerBound = RunOptimizer(optimizer, job, frontend, level).lowerBound;
  frontend.PumpEvents();
  frontend.ShowProgressWindow(false);
  if (beforeWriting && !beforeWriting(job)) return {CuttingRunOutcome::Stopped, {}};

  CuttingRunResult result = WriteResults(job, frontend);
  if (!job.batchMode) {
    frontend.RefreshStockList(0);
    frontend.ShowReport(job.reportFileName);
    frontend.PumpEvents();
  }
  if (!result.unwrittenFiles.empty()) result.outcome = CuttingRunOutcome::OutputFailed;
  return result;
}

CuttingRunOutcome RunCutting(JobState& job, Frontend& frontend, int level) {
  StockFileLock lock;
  if (!lock.Acquire(job.stock_filename, kStockLockWait, frontend)) {
    if (!job.batchMode) {
      frontend.ShowMessage(texts::kProgramTitle, StockInUseText(job.stock_filename),
                           MessageIcon::Exclamation);
    }
    return CuttingRunOutcome::StockInUse;
  }
  return RunCuttingLocked(job, frontend, level).outcome;
}
