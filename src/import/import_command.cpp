#include "import/import_command.h"

#include "core/file_names.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "import/kiss_import.h"
#include "import/winest_import.h"

namespace {

constexpr const char* kImportComplete = "Import Complete";
constexpr const char* kImportUnsuccessful = "Import Unsuccessful";
// Only the KISS import asks for a material after its file name.
constexpr const char* kSelectMaterialHint = "          Select material from list.";

bool RunReader(const JobState& job, Frontend& frontend, ImportFormat format,
               const std::string& path, const std::string& cutPath) {
  if (format == ImportFormat::Kiss) return ImportKissFile(job, frontend, path, cutPath);
  return ImportWinEstFile(job, frontend, path, cutPath);
}

void TakeFileNames(JobState& job, const ImportFileNames& names) {
  job.filename = names.base;
  job.stock_filename = names.stockFile;
  job.cut_filename = names.cutFile;
  job.export_filename = names.exportFile;
}

}  // namespace

std::optional<ImportFormat> ImportFormatNamed(std::string_view name) {
  const std::string upper = ToUpperAscii(name);
  if (upper == "KISS") return ImportFormat::Kiss;
  if (upper == "WINEST") return ImportFormat::WinEst;
  return std::nullopt;
}

ImportFileNames ImportFileNamesFor(std::string_view path) {
  const std::string base = BaseName(path);
  return ImportFileNames{base, base + ".stk", base + ".cut", base + "_cutlist.txt"};
}

bool ImportCutList(JobState& job, Frontend& frontend, ImportFormat format,
                   const std::string& path) {
  const ImportFileNames names = ImportFileNamesFor(path);
  if (!RunReader(job, frontend, format, path, names.cutFile)) {
    frontend.ShowStatus(kImportUnsuccessful);
    return false;
  }
  TakeFileNames(job, names);
  frontend.ShowStatus(kImportComplete);
  frontend.ShowStockFileName(job.stock_filename);
  job.dataChanged = false;
  const std::string hint = format == ImportFormat::Kiss ? kSelectMaterialHint : "";
  frontend.ShowStatus(texts::kFileStatus + job.cut_filename + hint);
  return true;
}
