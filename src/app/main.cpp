#include <QApplication>
#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/batch_frontend.h"
#include "app/batch_run.h"
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/interactive_start.h"
#include "app/pdf_command.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "core/job_state.h"
#include "core/ui_texts.h"
#include "core/version.h"
#include "import/import_command.h"
#include "import/import_texts.h"

namespace {

constexpr int kJobArgumentCount = 5;
// CUT STOCK EXPORT KERF: the material is every one of the job.
constexpr int kWholeJobArgumentCount = 4;
constexpr const char* kNoDisplay =
    "brx: no display; give the five job arguments to run without a window (brx --help)";

// Five job arguments: cut the job without any window and end. An optimizer
// named on the command line holds for this run only and is not stored.
int RunBatch(const std::vector<std::string>& jobArguments, const ProgramOptions& options) {
  JobState job;
  BatchFrontend frontend(std::cerr);
  LoadStartupSettings(job, frontend);
  if (!options.optimizer.empty()) job.optimizer = options.optimizer;
  const BatchOutput form = options.json ? BatchOutput::Json : BatchOutput::Text;
  if (options.allMaterials) {
    ApplyJobArguments(job, {jobArguments.begin(), jobArguments.begin() + 3});
    job.kerf = jobArguments[3];
    return RunBatchWholeJob(job, frontend, std::cout, std::cerr, form);
  }
  ApplyJobArguments(job, jobArguments);
  return RunBatchJob(job, frontend, std::cout, std::cerr, form);
}

int ReportUsageError(const std::string& error) {
  std::cerr << "brx: " << error << "\n\n" << UsageText();
  return 1;
}

// Pages of a report to PDF, as printing would lay them out.
int RunPdf(int& argc, char** argv, const std::vector<std::string>& arguments) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  JobState job;
  BatchFrontend frontend(std::cerr);
  LoadSettings(job, frontend);
  return RunPdfCommand(arguments, job, frontend);
}

// brx --import kiss|winest FILE: the menu import after its file dialog, with
// the messages on the error stream. The batch frontend shows no status, so
// the outcome is written there too.
int RunImportCommandLine(const std::vector<std::string>& arguments) {
  const std::optional<ImportFormat> format =
      arguments.size() == 2 ? ImportFormatNamed(arguments[0]) : std::nullopt;
  if (!format) {
    std::cerr << UsageText();
    return 1;
  }
  JobState job;
  BatchFrontend frontend(std::cerr);
  LoadStartupSettings(job, frontend);
  const bool imported = RunImport(job, frontend, *format, arguments[1]);
  if (imported) SaveSettings(job);
  std::cerr << (imported ? import_texts::kImportComplete : import_texts::kImportUnsuccessful)
            << '\n';
  return imported ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit then fails the write (the old file stays, the run says
  // so) instead of killing the program half-way.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ProgramOptions options = ParseProgramOptions(arguments);
  switch (options.action) {
    case ProgramOptions::Action::PrintVersion: std::cout << texts::kVersion << '\n'; return 0;
    case ProgramOptions::Action::PrintHelp: std::cout << UsageText(); return 0;
    case ProgramOptions::Action::WritePdf: return RunPdf(argc, argv, options.optionArguments);
    case ProgramOptions::Action::Import: return RunImportCommandLine(options.optionArguments);
    case ProgramOptions::Action::UsageError: return ReportUsageError(options.error);
    case ProgramOptions::Action::RunJob: break;
  }
  // brx FILE.stk, as a file manager opens a stock file: checked before the
  // split, which would cut a path at a comma.
  const std::string stockFile = StockFileArgument(options.jobArguments);
  const std::vector<std::string> jobArguments =
      stockFile.empty() ? SplitCommandLine(JoinArguments(options.jobArguments), kJobArgumentCount)
                        : std::vector<std::string>{};
  if (options.allMaterials) {
    const std::vector<std::string> wholeJob =
        SplitCommandLine(JoinArguments(options.jobArguments), kJobArgumentCount);
    if (static_cast<int>(wholeJob.size()) != kWholeJobArgumentCount) {
      return ReportUsageError("--all-materials takes four arguments: CUT STOCK EXPORT KERF");
    }
    return RunBatch(wholeJob, options);
  }
  const bool batch = static_cast<int>(jobArguments.size()) == kJobArgumentCount;
  if (batch) return RunBatch(jobArguments, options);
  if (options.json) return ReportUsageError("--json applies to a job run without a window");
  if (!options.optimizer.empty()) {
    return ReportUsageError("--optimizer applies to a job run with all five job arguments");
  }
  // Qt would abort without a display; say what to do instead.
  if (!CanOpenDisplay(arguments)) {
    std::cerr << kNoDisplay << '\n';
    return 1;
  }
  return RunInteractive(argc, argv, jobArguments, stockFile);
}
