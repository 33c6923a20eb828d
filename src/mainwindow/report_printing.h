#pragma once

#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QPrinter>
#include <string>
#include <vector>

#include "diagrams/export_diagram.h"
#include "mainwindow/dialogs.h"

struct JobState;
class Frontend;
class QPainter;
class QPaintDevice;
class QWidget;

// The page reports print on unless the user sets up another: Letter where the
// locale measures in inches, A4 elsewhere, with half-inch margins.
QPageLayout DefaultReportPageLayout();
// Gives the printer that page, keeping any wider minimum margins it has.
void UseDefaultReportPage(QPrinter& printer);

// The report lines' point size before any scaling, and the resolution of
// the PDF pages that reports and diagrams are written to.
inline constexpr double kReportPoints = 10.0;
inline constexpr int kPdfResolution = 1200;

// The report's fixed-pitch font, bold or regular, at the given point size.
QFont FixedPitchFont(double points, bool bold);
// The bold header font, shrunk from 12 points until the header fits the width.
QFont PageHeaderFont(const QPaintDevice& device, const std::string& header);
// Paints the page header line and the rule under it at the top of the page;
// the distance from the top down to the rule.
double PaintPageHeader(QPainter& painter, const QPaintDevice& device, const QFont& font,
                       const std::string& header);

// Prints the report file in pages with a header, a rule and page numbers,
// `linesPerPage` lines to a page, in fixed-pitch type: 12-point bold header
// and 10-point lines, both scaled down together where the header, the widest
// line or a full page would not fit inside the margins. The layout is the
// engine's; this only paints it. Failures (no printer, an unreadable report)
// are reported through ShowError; the result says whether it printed.
bool PrintReport(const std::string& reportPath, const std::string& material,
                 const std::string& linesPerPage, Frontend& frontend, QPrinter& printer,
                 int copies);

// The same pages of the report lines as a PDF document on the default page,
// exactly as printing would make them; empty when painting failed.
QByteArray ReportPdf(const std::vector<std::string>& lines, const std::string& material,
                     const std::string& linesPerPage, Frontend& frontend);

// The printer that the PRINT button and the File menu's Page Setup and Print
// share, so a page setup holds for the next print.
class ReportPrinting {
 public:
  ReportPrinting(const JobState& job, Frontend& frontend, Dialogs& dialogs);

  // The diagrams of the last run, or a note why there are none.
  DiagramSource Diagram() const;

  // The printer setup dialog; cancelling does nothing.
  void PageSetup(QWidget* parent);
  // The print dialog, offering the report, the diagrams of the last run or
  // both (`content` is chosen when it opens), then what was chosen as many
  // times as the copies chosen. The page range chosen has no effect: the
  // whole report prints. Diagrams without a plan to draw are refused with a
  // message that says why.
  void Print(QWidget* parent, PrintContent content = PrintContent::Report);

 private:
  const JobState& job_;
  Frontend& frontend_;
  Dialogs& dialogs_;
  QPrinter printer_;
};
