#include "reports/cut_list_export.h"

#include <filesystem>
#include <system_error>

#include "core/brx_error.h"
#include "core/file_names.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/length_text.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/ui_texts.h"
#include "reports/bar_cuts.h"
#include "reports/report_text.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kExportErrorTitle =
    "Error Exporting Cut List. Make sure the file is not open in another program...";

void ShowExportError(MessageView& frontend, const std::string& path, const BrxError& error) {
  frontend.ShowMessage(kExportErrorTitle,
                       "Can not open file: " + path + ".  " + ErrorReportText(error));
}

// Whether two paths name the same file: the same file on disk when both
// exist, else the same normalised absolute path.
bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  const fs::path absoluteA = fs::absolute(a, ec).lexically_normal();
  const fs::path absoluteB = fs::absolute(b, ec).lexically_normal();
  return absoluteA == absoluteB;
}

bool IsJobFile(const JobState& job, const std::string& path) {
  return SameFile(path, job.stock_filename) || SameFile(path, job.cut_filename);
}

// A field holding a comma is quoted, its quotes doubled; every other field,
// feet-inch lengths with their inch marks included, is written as it is.
std::string CsvField(const std::string& text) {
  if (text.find(',') == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

std::string CsvLine(std::initializer_list<std::string> fields) {
  std::string line;
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) line += ',';
    first = false;
    line += CsvField(field);
  }
  return line;
}

std::string ExportText(const JobState& job, MessageView& frontend) {
  const LengthText lengths(job, frontend);
  const double kerf = KerfLength(job);
  ReportText out;
  out.Write("Status,Stock#,Shape,Length,Mark,Cut");
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[b];
    const std::string status = bar.nonInventory ? "NON-INVENTORY" : "INVENTORY";
    const std::string stockLength = lengths.FormatLength(bar.stockLength);
    const BarCuts cuts = ReadBarCuts(job, bar, kerf, frontend);
    std::string shape;
    for (int p : cuts.pieces) {
      const CutPiece& piece = job.pieces[p];
      shape = piece.material;
      out.Write(CsvLine(
          {status, bar.bin, shape, stockLength, piece.mark, lengths.FormatLength(piece.length)}));
    }
    out.Write(CsvLine({"SCRAP", bar.bin, shape, lengths.FormatLength(cuts.scrap)}));
  }
  return out.Content();
}

// Removes a file left at the configured path itself; false when it cannot.
bool DeleteConfiguredFile(MessageView& frontend, const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path, ec) || fs::is_directory(path, ec)) return true;
  if (fs::remove(path, ec)) return true;
  ShowExportError(frontend, path, ErrorFromErrno(ec.value()));
  return false;
}

}  // namespace

std::string ExportFileName(const std::string& configuredPath, const std::string& material) {
  return BaseName(configuredPath) + "_" + CleanFileName(material) + ".txt";
}

bool ExportCutList(const JobState& job, MessageView& frontend, const std::string& configuredPath) {
  const std::string exportPath = ExportFileName(configuredPath, job.matl);
  for (const std::string& path : {configuredPath, exportPath}) {
    const char* refusal = IsJobFile(job, path)                 ? " is a job file"
                          : SameFile(path, job.reportFileName) ? " is the report file"
                                                               : nullptr;
    if (refusal != nullptr) {
      frontend.ShowMessage(texts::kProgramTitle,
                           "The export file " + path + refusal + "; the export was not written.");
      return false;
    }
  }
  if (!DeleteConfiguredFile(frontend, configuredPath)) return false;
  frontend.ShowStatus("Exporting cutting list ...");
  const std::string text = ExportText(job, frontend);
  if (const auto error = TryWriteFileSafely(exportPath, text)) {
    ShowExportError(frontend, exportPath, *error);
    return false;
  }
  return true;
}
