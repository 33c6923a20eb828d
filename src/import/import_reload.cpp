// The steps after an import that load the new job files. Kept apart from the
// import itself so that the readers and the command build and test without
// the job file readers.
#include "core/job_state.h"
#include "import/import_command.h"
#include "jobfiles/open_job.h"

namespace {

void LoadImportedJob(JobState& job, Frontend& frontend) { OpenJob(job, frontend); }

}  // namespace

bool RunImport(JobState& job, Frontend& frontend, ImportFormat format, const std::string& path) {
  if (!ImportCutList(job, frontend, format, path)) return false;
  LoadImportedJob(job, frontend);
  return true;
}
