#pragma once

#include <QPrinter>
#include <string>

struct JobState;
class Dialogs;
class Frontend;
class QWidget;

// Prints the report file in pages with a header, a rule and page numbers,
// `linesPerPage` lines to a page, in 10-point fixed-pitch type. The layout is
// the engine's; this only paints it. Failures (no printer, an unreadable
// report) are reported through ShowError; the result says whether it printed.
bool PrintReport(const std::string& reportPath, const std::string& material,
                 const std::string& linesPerPage, Frontend& frontend, QPrinter& printer,
                 int copies);

// The same pages written to a PDF file, exactly as printing would make them.
bool PrintReportToPdf(const std::string& reportPath, const std::string& material,
                      const std::string& linesPerPage, Frontend& frontend,
                      const std::string& pdfPath);

// The printer that the PRINT button and the File menu's Page Setup and Print
// share, so a page setup holds for the next print.
class ReportPrinting {
 public:
  ReportPrinting(const JobState& job, Frontend& frontend, Dialogs& dialogs);

  // The printer setup dialog; cancelling does nothing.
  void PageSetup(QWidget* parent);
  // The print dialog, then the job's report file as many times as the copies
  // chosen. The page range chosen has no effect: the whole report prints.
  void Print(QWidget* parent);

 private:
  const JobState& job_;
  Frontend& frontend_;
  Dialogs& dialogs_;
  QPrinter printer_;
};
