#include "app/pdf_command.h"

#include <optional>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/safe_file.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "mainwindow/report_printing.h"
#include "reports/print_layout.h"
#include "reports/report_view.h"

namespace {

constexpr const char* kPdfExtension = ".PDF";
constexpr const char* kNotPdfName = " does not end in \".pdf\"; nothing was written.";
constexpr const char* kReportUnreadable = " cannot be read: ";
constexpr const char* kPdfUnwritten = " could not be written: ";

bool EndsInPdf(const std::string& path) { return ToUpperAscii(path).ends_with(kPdfExtension); }

int Fail(Frontend& frontend, const std::string& text) {
  frontend.ShowMessage(texts::kProgramTitle, text);
  return 1;
}

}  // namespace

int RunPdfCommand(const std::vector<std::string>& arguments, const JobState& settings,
                  Frontend& frontend) {
  if (arguments.size() < 2 || arguments.size() > 3) {
    frontend.ShowMessage(texts::kProgramTitle, kPdfUsage);
    return 2;
  }
  const std::string& reportPath = arguments[0];
  const std::string& pdfPath = arguments[1];
  if (!EndsInPdf(pdfPath)) return Fail(frontend, "The PDF file " + pdfPath + kNotPdfName);
  std::vector<std::string> lines;
  try {
    lines = ReadReportLines(reportPath);
  } catch (const BrxError& error) {
    return Fail(frontend, "The report " + reportPath + kReportUnreadable + error.description);
  }
  // The report's own material, so that an old report is not headed with
  // whatever material the settings hold today.
  const std::optional<std::string> named = ReportMaterial(lines);
  const std::string material = arguments.size() == 3 ? arguments[2] : named.value_or(settings.matl);
  const QByteArray pdf = ReportPdf(lines, material, settings.linesPerPage, frontend);
  if (pdf.isEmpty()) return 1;
  // Written beside the target and renamed over it, so a failed write leaves
  // an existing PDF whole.
  if (const std::optional<BrxError> error =
          TryWriteFileSafely(pdfPath, std::string_view(pdf.constData(), pdf.size()))) {
    return Fail(frontend, "The PDF file " + pdfPath + kPdfUnwritten + error->description);
  }
  return 0;
}
