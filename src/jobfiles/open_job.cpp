#include "jobfiles/open_job.h"

#include <filesystem>

#include "core/brx_error.h"
#include "core/file_names.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/safe_file.h"
#include "core/ui_texts.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/record_io.h"
#include "jobfiles/stock_file.h"

JobFileNames JobFileNamesFor(std::string_view path) {
  const std::string base = BaseName(path);
  JobFileNames names{base, base + ".stk", base + ".cut", base + "_cutlist.txt"};
  const std::string folder = UserDataFolder();
  if (names.stockFile == JoinPath(folder, kDefaultStockFile)) {
    names.cutFile = JoinPath(folder, kDefaultCutFile);
  }
  return names;
}

std::string JobFileProblem(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) return {};
  return std::string(texts::kJobFileText) + path +
         (FileExists(path) ? texts::kNotRegularFileText : texts::kFileMissingText);
}

OpenedJob ReadJobLists(JobState& job, Frontend& frontend, ListOrder order) {
  const bool sort = order == ListOrder::LongestFirst;
  OpenedJob opened;
  opened.stockRead = ReadStockFile(job, frontend);
  if (opened.stockRead && sort) SortStockByLength(job.stockCount, job.stock);
  opened.cutRead = ReadCutFile(job, frontend);
  if (opened.cutRead && sort) SortPiecesByLength(job.pieceCount, job.pieces);
  return opened;
}

OpenedJob OpenJob(JobState& job, Frontend& frontend, ListOrder order) {
  LoadMaterials(job, frontend);
  const OpenedJob opened = ReadJobLists(job, frontend, order);
  job.usedPieceCount = 0;
  job.barCount = 0;
  job.dataChanged = false;
  if (!job.batchMode) {
    frontend.ShowStockFileName(job.stock_filename);
    frontend.RefreshStockList(0);
    frontend.RefreshCutList(0);
  }
  return opened;
}

OpenedJob OpenJob(JobState& job, Frontend& frontend, const JobFileNames& names) {
  job.filename = names.base;
  job.stock_filename = names.stockFile;
  job.cut_filename = names.cutFile;
  job.export_filename = names.exportFile;
  return OpenJob(job, frontend);
}

int CutFileRecordCount(const std::string& path) {
  if (!FileExists(path)) return 0;
  std::string content;
  try {
    content = ReadWholeFile(path);
  } catch (const BrxError&) {
    return 0;
  }
  RecordReader reader(content);
  int count = 0;
  if (!reader.Next()) return 0;  // the header
  while (reader.Next()) ++count;
  return count;
}
