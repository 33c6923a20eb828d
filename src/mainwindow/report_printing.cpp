#include "mainwindow/report_printing.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/ui_texts.h"
#include "diagrams/export_diagram.h"
#include "mainwindow/diagram_pages.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/window_style.h"
#include "reports/print_layout.h"
#include "reports/report_view.h"

namespace {

// Point size of the header line before any scaling.
constexpr double kHeaderPoints = 12.0;
// The rule under the header: its distance below the header line and its
// thickness, in printer points.
constexpr double kRuleOffsetPoints = 0.5;
constexpr double kRuleWidthPoints = 1.0;
// Half an inch: the narrowest default margin, so the header and the page
// number clear what most printers cannot reach.
constexpr double kMarginMillimetres = 12.7;
// The fonts shrink in these steps until the page fits; the floor only stops
// the search on a page too small for any text.
constexpr double kShrinkStep = 0.98;
constexpr double kSmallestScale = 0.05;

double Points(const QPaintDevice& device, double points) {
  return points * device.logicalDpiY() / 72.0;
}

// The header and report fonts, scaled together so that the widest header,
// the widest report line and a full page of lines fit inside the margins.
struct PageFonts {
  QFont header;
  QFont body;
};

class PageFitter {
 public:
  PageFitter(const QPaintDevice& device, const std::vector<PrintedPage>& pages, int linesPerPage)
      : device_(device), linesPerPage_(linesPerPage) {
    for (const PrintedPage& page : pages) {
      widestHeader_ = std::max(widestHeader_, page.header.size());
      for (const std::string& line : page.lines) widestLine_ = std::max(widestLine_, line.size());
    }
  }

  PageFonts Fonts() const {
    double scale = 1.0;
    while (scale > kSmallestScale && !Fits(FontsAt(scale))) scale *= kShrinkStep;
    return FontsAt(scale);
  }

 private:
  static PageFonts FontsAt(double scale) {
    return {FixedPitchFont(kHeaderPoints * scale, true),
            FixedPitchFont(kReportPoints * scale, false)};
  }

  bool Fits(const PageFonts& fonts) const {
    const QFontMetricsF header(fonts.header, &device_);
    const QFontMetricsF body(fonts.body, &device_);
    // Fixed pitch: the widest text is the one with the most characters.
    const double width = std::max(
        header.horizontalAdvance(QString(static_cast<qsizetype>(widestHeader_), QLatin1Char('M'))),
        body.horizontalAdvance(QString(static_cast<qsizetype>(widestLine_), QLatin1Char('M'))));
    const double height = header.lineSpacing() + Points(device_, kRuleOffsetPoints) +
                          (linesPerPage_ + 1) * body.lineSpacing();
    return width <= device_.width() && height <= device_.height();
  }

  const QPaintDevice& device_;
  int linesPerPage_;
  std::size_t widestHeader_ = 0;
  std::size_t widestLine_ = 0;
};

// Paints one page inside the margins: the header, the rule, an empty line,
// the report lines.
void PaintPage(QPainter& painter, const QPaintDevice& device, const PageFonts& fonts,
               const PrintedPage& page) {
  double y = PaintPageHeader(painter, device, fonts.header, page.header);

  painter.setFont(fonts.body);
  const QFontMetricsF body(painter.font(), &device);
  y += body.lineSpacing();
  for (const std::string& line : page.lines) {
    y += body.lineSpacing();
    painter.drawText(QPointF(0, y - body.descent()), ToQt(line));
  }
}

// Paints `copies` whole copies: the report's pages (when there are lines),
// then the diagram pages (when there is a diagram), numbered on from them;
// each copy numbered from page 1.
bool PaintDocument(const std::vector<std::string>* lines, const PlanDiagram* diagram,
                   const std::string& material, const std::string& linesPerPage, Frontend& frontend,
                   QPagedPaintDevice& device, int copies) {
  QPainter painter;
  if (!painter.begin(&device)) {
    ShowError(frontend, MakeError(kErrDeviceIo));
    return false;
  }
  const std::vector<PrintedPage> pages = lines != nullptr
                                             ? LayOutReportPages(*lines, material, linesPerPage)
                                             : std::vector<PrintedPage>{};
  const PageFonts fonts = PageFitter(device, pages, ReportLinesPerPage(linesPerPage)).Fonts();
  bool firstPage = true;
  for (int copy = 0; copy < copies; ++copy) {
    for (const PrintedPage& page : pages) {
      if (!firstPage) device.newPage();
      firstPage = false;
      PaintPage(painter, device, fonts, page);
      frontend.PumpEvents();
    }
    if (diagram != nullptr) {
      PaintDiagramPages(painter, device, *diagram, material, static_cast<int>(pages.size()),
                        !firstPage, frontend);
      firstPage = false;
    }
  }
  return painter.end();
}

bool PaintReport(const std::vector<std::string>& lines, const std::string& material,
                 const std::string& linesPerPage, Frontend& frontend, QPagedPaintDevice& device,
                 int copies) {
  return PaintDocument(&lines, nullptr, material, linesPerPage, frontend, device, copies);
}

}  // namespace

QFont FixedPitchFont(double points, bool bold) {
  QFont font = ReportFont();
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont PageHeaderFont(const QPaintDevice& device, const std::string& header) {
  double scale = 1.0;
  while (scale > kSmallestScale) {
    const QFont font = FixedPitchFont(kHeaderPoints * scale, true);
    if (QFontMetricsF(font, &device).horizontalAdvance(ToQt(header)) <= device.width()) return font;
    scale *= kShrinkStep;
  }
  return FixedPitchFont(kHeaderPoints * scale, true);
}

double PaintPageHeader(QPainter& painter, const QPaintDevice& device, const QFont& font,
                       const std::string& header) {
  double y = 0;
  painter.setFont(font);
  const QFontMetricsF metrics(painter.font(), &device);
  painter.drawText(QPointF(0, y + metrics.ascent()), ToQt(header));
  y += metrics.lineSpacing() + Points(device, kRuleOffsetPoints);
  painter.setPen(QPen(Qt::black, Points(device, kRuleWidthPoints)));
  painter.drawLine(QPointF(0, y), QPointF(device.width(), y));
  return y;
}

QPageLayout DefaultReportPageLayout() {
  const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
  const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                          kMarginMillimetres);
  return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                     margins, QPageLayout::Millimeter);
}

void UseDefaultReportPage(QPrinter& printer) {
  const QPageLayout wanted = DefaultReportPageLayout();
  printer.setPageSize(wanted.pageSize());
  printer.setPageOrientation(wanted.orientation());
  // A printer that cannot reach that close to the edge keeps its own minimum.
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF minimum = layout.minimumMargins();
  const QMarginsF margins = wanted.margins();
  printer.setPageMargins(
      QMarginsF(std::max(margins.left(), minimum.left()), std::max(margins.top(), minimum.top()),
                std::max(margins.right(), minimum.right()),
                std::max(margins.bottom(), minimum.bottom())),
      QPageLayout::Millimeter);
}

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
  return PaintReport(lines, material, linesPerPage, frontend, printer, copies);
}

QByteArray ReportPdf(const std::vector<std::string>& lines, const std::string& material,
                     const std::string& linesPerPage, Frontend& frontend) {
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(DefaultReportPageLayout());
    if (!PaintReport(lines, material, linesPerPage, frontend, writer, 1)) return {};
  }
  return pdf;
}

ReportPrinting::ReportPrinting(const JobState& job, Frontend& frontend, Dialogs& dialogs)
    : job_(job), frontend_(frontend), dialogs_(dialogs) {
  UseDefaultReportPage(printer_);
}

DiagramSource ReportPrinting::Diagram() const { return LastRunDiagram(job_, frontend_); }

void ReportPrinting::PageSetup(QWidget* parent) { dialogs_.PageSetup(parent, printer_); }

void ReportPrinting::Print(QWidget* parent, PrintContent content) {
  printer_.setCopyCount(1);
  if (!dialogs_.Print(parent, printer_, content)) return;
  // The copies are printed one after the other, each a whole report.
  const int copies = printer_.copyCount();
  printer_.setCopyCount(1);
  if (content == PrintContent::Report) {
    PrintReport(job_.reportFileName, job_.matl, job_.linesPerPage, frontend_, printer_, copies);
    return;
  }
  const DiagramSource source = Diagram();
  if (!source.diagram) {
    frontend_.ShowMessage(texts::kProgramTitle, source.note);
    return;
  }
  std::vector<std::string> lines;
  if (content == PrintContent::Both) {
    try {
      lines = ReadReportLines(job_.reportFileName);
    } catch (const BrxError& error) {
      ShowError(frontend_, error);
      return;
    }
  }
  PaintDocument(content == PrintContent::Both ? &lines : nullptr, &*source.diagram, job_.matl,
                job_.linesPerPage, frontend_, printer_, copies);
}
