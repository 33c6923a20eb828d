#include "import/import_command.h"

#include <filesystem>
#include <system_error>

#include "core/file_names.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "import/import_texts.h"
#include "import/kiss_import.h"
#include "import/winest_import.h"

namespace fs = std::filesystem;

namespace {

// Only the KISS import asks for a material after its file name.
constexpr const char* kSelectMaterialHint = "          Select material from list.";

bool RunReader(const JobState& job, Frontend& frontend, ImportFormat format,
               const std::string& path, const std::string& cutPath) {
  if (format == ImportFormat::Kiss) return ImportKissFile(job, frontend, path, cutPath);
  return ImportWinEstFile(job, frontend, path, cutPath);
}

// The path made absolute against the current folder, "." steps dropped, so
// that the job names the same files when the program next starts elsewhere.
// ".." steps stay: a folder link makes them differ from a plain cut.
std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (path.empty() || error) return path;
  fs::path cleaned;
  for (const fs::path& step : absolute) {
    if (step != ".") cleaned /= step;
  }
  return cleaned.string();
}

// A folder, a FIFO, a device or a link loop; a missing file is the readers'
// own failure.
bool IsNonRegularFile(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error) return error == std::errc::too_many_symbolic_link_levels;
  return fs::exists(status) && !fs::is_regular_file(status);
}

// Both names lead to one existing file (the same path, a link or a hard link).
bool IsSameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return fs::equivalent(first, second, error) && !error;
}

// The reason the file cannot be imported at all, or empty text.
std::string RefusalOf(const std::string& path, const std::string& cutPath) {
  if (IsNonRegularFile(path)) return import_texts::kNotRegularFile;
  if (IsSameFile(path, cutPath)) return import_texts::kCutFileIsSource;
  return {};
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
                   const std::string& givenPath) {
  const std::string path = AbsolutePath(givenPath);
  const ImportFileNames names = ImportFileNamesFor(path);
  if (const std::string refusal = RefusalOf(path, names.cutFile); !refusal.empty()) {
    frontend.ShowMessage(texts::kProgramTitle, import_texts::kCannotImport + path + refusal);
    frontend.ShowStatus(import_texts::kImportUnsuccessful);
    return false;
  }
  if (!RunReader(job, frontend, format, path, names.cutFile)) {
    frontend.ShowStatus(import_texts::kImportUnsuccessful);
    return false;
  }
  TakeFileNames(job, names);
  frontend.ShowStatus(import_texts::kImportComplete);
  frontend.ShowStockFileName(job.stock_filename);
  job.dataChanged = false;
  const std::string hint = format == ImportFormat::Kiss ? kSelectMaterialHint : "";
  frontend.ShowStatus(texts::kFileStatus + job.cut_filename + hint);
  return true;
}
