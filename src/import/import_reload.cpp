// The steps after an import that load the new job files. Kept apart from the
// import itself so that the readers and the command build and test without
// the job file readers.
#include "core/job_state.h"
#include "import/import_command.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/stock_file.h"

namespace {

void LoadImportedJob(JobState& job, Frontend& frontend) {
  LoadMaterials(job, frontend);
  if (ReadStockFile(job, frontend)) SortStockByLength(job.stockCount, job.stock);
  if (ReadCutFile(job, frontend)) SortPiecesByLength(job.pieceCount, job.pieces);
  job.barCount = 0;
  job.dataChanged = false;
}

}  // namespace

bool RunImport(JobState& job, Frontend& frontend, ImportFormat format, const std::string& path) {
  if (!ImportCutList(job, frontend, format, path)) return false;
  LoadImportedJob(job, frontend);
  return true;
}
