#pragma once

struct JobState;
class Frontend;

// How a cutting run ended, for batch mode's exit status.
enum class CuttingRunOutcome {
  Completed,     // the job ran (pieces left uncut and warnings included)
  NoStock,       // the current material has no stock rows
  NoCuts,        // the current material has no pieces to cut
  OutputFailed,  // the report, the export or the stock file was not written
};

// The cutting run's engine sequence: save and reload the job files, check the
// lists, run the optimiser that `optimizer` names at `level` (0 to 10), write the reports and the
// export, update or re-read the stock file and show the report. Windows come
// in through the Frontend.
CuttingRunOutcome RunCutting(JobState& job, Frontend& frontend, int level);
