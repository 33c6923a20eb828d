#include "app/startup.h"

#include <filesystem>

#include "app/settings_store.h"
#include "core/file_names.h"
#include "core/job_state.h"
#include "jobfiles/open_job.h"

namespace {

// A job argument names a file in the batch folder unless it is absolute.
std::string InBatchFolder(const JobState& job, const std::string& name) {
  if (std::filesystem::path(name).is_absolute()) return name;
  return JoinPath(job.batchDir, name);
}

void CreateUserDataFolderOnFirstStart(JobState& job) {
  const std::string folder = UserDataFolder();
  std::error_code error;
  if (std::filesystem::exists(folder, error)) return;
  job.filename = folder;
  job.cut_filename = JoinPath(folder, kDefaultCutFile);
  job.stock_filename = JoinPath(folder, kDefaultStockFile);
  // No material is chosen yet; the material box shows its placeholder.
  job.matl.clear();
  std::filesystem::create_directories(folder, error);
}

}  // namespace

// The stored job names are kept as they are: the cut file of the default job
// (MyCuts.cut) and of a job named by Save As or Open is stored with it, so
// deriving it from the stock file's name would open another cut file than
// the one the last session saved. Only a missing cut name is derived.
void ApplyMainWindowLoadStep(JobState& job) {
  if (job.cut_filename.empty()) job.cut_filename = WithExtension(job.stock_filename, ".cut");
  job.reportFileName = WithExtension(job.stock_filename, ".bxl");
}

void LoadStartupSettings(JobState& job, Frontend& frontend) {
  LoadSettings(job, frontend);
  ApplyMainWindowLoadStep(job);
  CreateUserDataFolderOnFirstStart(job);
  SaveSettings(job);
  LoadSettings(job, frontend);
}

int ApplyJobArguments(JobState& job, const std::vector<std::string>& arguments) {
  const int count = static_cast<int>(arguments.size());
  if (count >= 1) job.cut_filename = InBatchFolder(job, arguments[0]);
  if (count >= 2) {
    job.stock_filename = InBatchFolder(job, arguments[1]);
    job.filename = job.stock_filename;
  }
  if (count >= 3) {
    job.export_filename = JoinPath(job.batchDir, CleanFileName(arguments[2]));
    job.reportFileName = WithExtension(job.export_filename, ".bxl");
    WriteSetting("output_filename", job.reportFileName);
  }
  if (count >= 4) job.matl = arguments[3];
  if (count >= 5) job.kerf = arguments[4];
  return std::min(count, 5);
}
