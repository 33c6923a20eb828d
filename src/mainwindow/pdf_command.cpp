#include "mainwindow/pdf_command.h"

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/ui_texts.h"
#include "mainwindow/report_printing.h"

int RunPdfCommand(const std::vector<std::string>& arguments, const JobState& settings,
                  Frontend& frontend) {
  if (arguments.size() < 2 || arguments.size() > 3) {
    frontend.ShowMessage(texts::kProgramTitle, kPdfUsage);
    return 2;
  }
  const std::string& material = arguments.size() == 3 ? arguments[2] : settings.matl;
  return PrintReportToPdf(arguments[0], material, settings.linesPerPage, frontend, arguments[1])
             ? 0
             : 1;
}
