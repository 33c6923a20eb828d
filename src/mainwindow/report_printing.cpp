#include "mainwindow/report_printing.h"

#include <QFontMetrics>
#include <QPainter>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_view.h"
#include "mainwindow/window_style.h"
#include "reports/print_layout.h"

namespace {

// Point sizes of the header line and the report lines.
constexpr double kHeaderPoints = 12.0;
// The rule under the header: its distance below the header line and its
// thickness, in printer points.
constexpr double kRuleOffsetPoints = 0.5;
constexpr double kRuleWidthPoints = 1.0;

QFont HeaderFont() {
  QFont font = ReportFont();
  font.setPointSizeF(kHeaderPoints);
  font.setBold(true);
  return font;
}

double Points(const QPrinter& printer, double points) {
  return points * printer.resolution() / 72.0;
}

// Paints one page: the header, the rule, an empty line, the report lines.
void PaintPage(QPainter& painter, QPrinter& printer, const PrintedPage& page) {
  const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRectF printable(0, 0, area.width(), area.height());
  double y = 0;

  painter.setFont(HeaderFont());
  const QFontMetricsF header(painter.font(), &printer);
  painter.drawText(QPointF(0, y + header.ascent()), ToQt(page.header));
  y += header.lineSpacing() + Points(printer, kRuleOffsetPoints);
  painter.setPen(QPen(Qt::black, Points(printer, kRuleWidthPoints)));
  painter.drawLine(QPointF(printable.left(), y), QPointF(printable.right(), y));

  painter.setFont(ReportFont());
  const QFontMetricsF body(painter.font(), &printer);
  y += body.lineSpacing();
  for (const std::string& line : page.lines) {
    y += body.lineSpacing();
    painter.drawText(QPointF(0, y - body.descent()), ToQt(line));
  }
}

}  // namespace

bool PrintReport(const std::string& reportPath, const std::string& material,
                 const std::string& linesPerPage, Frontend& frontend, QPrinter& printer,
                 int copies) {
  std::vector<std::string> lines;
  try {
    lines = ReadReportLines(reportPath);
  } catch (const BrxError& error) {
    ShowError(frontend, error);
    return false;
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowError(frontend, MakeError(kErrDeviceIo));
    return false;
  }
  bool firstPage = true;
  for (int copy = 0; copy < copies; ++copy) {
    for (const PrintedPage& page : LayOutReportPages(lines, material, linesPerPage)) {
      if (!firstPage) printer.newPage();
      firstPage = false;
      PaintPage(painter, printer, page);
      frontend.PumpEvents();
    }
  }
  return painter.end();
}

bool PrintReportToPdf(const std::string& reportPath, const std::string& material,
                      const std::string& linesPerPage, Frontend& frontend,
                      const std::string& pdfPath) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(pdfPath.c_str()));
  return PrintReport(reportPath, material, linesPerPage, frontend, printer, 1);
}

ReportPrinting::ReportPrinting(const JobState& job, Frontend& frontend, Dialogs& dialogs)
    : job_(job), frontend_(frontend), dialogs_(dialogs) {}

void ReportPrinting::PageSetup(QWidget* parent) { dialogs_.PageSetup(parent, printer_); }

void ReportPrinting::Print(QWidget* parent) {
  printer_.setCopyCount(1);
  if (!dialogs_.Print(parent, printer_)) return;
  // The copies are printed one after the other, each a whole report.
  const int copies = printer_.copyCount();
  printer_.setCopyCount(1);
  PrintReport(job_.reportFileName, job_.matl, job_.linesPerPage, frontend_, printer_, copies);
}
