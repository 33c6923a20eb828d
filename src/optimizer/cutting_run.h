#pragma once

#include <functional>
#include <string>
#include <vector>

struct JobState;
class Frontend;

// How a cutting run ended, for batch mode's exit status.
enum class CuttingRunOutcome {
  Completed,     // the job ran (pieces left uncut and warnings included)
  NoStock,       // the current material has no stock rows
  NoCuts,        // the current material has no pieces to cut
  OutputFailed,  // the report, the export or the stock file was not written
  StockInUse,    // another cutting run held the stock file; nothing was written
  Stopped,       // the caller's check after the search said stop; nothing was written
};

struct CuttingRunResult {
  CuttingRunOutcome outcome = CuttingRunOutcome::Completed;
  // OutputFailed: the report, export and stock files whose write failed, in
  // that order.
  std::vector<std::string> unwrittenFiles;
};

// Looks at the finished plan before anything is written; false stops the run
// there (Stopped), leaving the report, the export and the stock file as they were.
using PlanCheck = std::function<bool(const JobState&)>;

// The cutting run's engine sequence for a caller that holds the stock file's
// lock (StockFileLock): save and reload the job files, check the lists, run
// the optimiser that `optimizer` names at `level` (0 to 10) from the unplanned
// job, write the report and the export, update or re-read the stock file and
// show the report. Windows come in through the Frontend.
CuttingRunResult RunCuttingLocked(JobState& job, Frontend& frontend, int level,
                                  const PlanCheck& beforeWriting = {});

// Writes the lists as shown (the current material's rows) to the job files,
// as every run does first.
void SaveShownLists(JobState& job, Frontend& frontend);

// The Cut command: takes the stock file's lock, waiting for another run at
// most kStockLockWait (StockInUse and a message when it does not come), then
// RunCuttingLocked.
CuttingRunOutcome RunCutting(JobState& job, Frontend& frontend, int level);
