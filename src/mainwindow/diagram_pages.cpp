#include "mainwindow/diagram_pages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "diagrams/diagram_layout.h"
#include "diagrams/diagram_texts.h"
#include "mainwindow/diagram_painter.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_printing.h"
#include "reports/print_layout.h"

namespace {

// The SVG drawing: 7.5 inches wide in points, as on a Letter page.
constexpr int kSvgWidth = 540;
constexpr int kSvgResolution = 72;
constexpr double kSvgMargin = 9.0;

void PaintNoBars(QPainter& painter, const DiagramPainter& diagramPainter, double top) {
  painter.setFont(DiagramFont(kPaperLabelPoints, false));
  painter.setPen(Qt::black);
  painter.drawText(QPointF(0, top + diagramPainter.Metrics().lineHeight), diagram_texts::kNoBars);
}

}  // namespace

void PaintDiagramPages(QPainter& painter, QPagedPaintDevice& device, const PlanDiagram& diagram,
                       const std::string& material, int pagesBefore, bool newPageFirst,
                       Frontend& frontend) {
  const DiagramPainter diagramPainter(device, kPaperLabelPoints);
  const DiagramLayout layout = LayOutDiagram(diagram, device.width(), diagramPainter.Metrics());
  const QFont header = PageHeaderFont(device, PageHeaderLine(material, pagesBefore + 1));
  // The header, its rule and one empty line of report type, as on report pages.
  const double top = QFontMetricsF(header, &device).lineSpacing() +
                     QFontMetricsF(FixedPitchFont(kReportPoints, false), &device).lineSpacing() +
                     device.logicalDpiY() / 72.0;
  std::vector<std::vector<DiagramBlock>> pages = PageBlocks(layout, device.height() - top);
  if (diagram.bars.empty()) pages.assign(1, {});
  bool newPage = newPageFirst;
  int number = pagesBefore;
  for (const std::vector<DiagramBlock>& page : pages) {
    if (newPage) device.newPage();
    newPage = true;
    PaintPageHeader(painter, device, header, PageHeaderLine(material, ++number));
    if (diagram.bars.empty()) PaintNoBars(painter, diagramPainter, top);
    const double shift = page.empty() ? 0.0 : page.front().top;
    for (const DiagramBlock& block : page) {
      diagramPainter.PaintBlock(painter, diagram, layout, block,
                                QPointF(0, top + block.top - shift));
    }
    frontend.PumpEvents();
  }
}

QByteArray DiagramPdf(const PlanDiagram& diagram, const std::string& material, Frontend& frontend) {
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(DefaultReportPageLayout());
    writer.setTitle(ToQt(PageHeaderText(material)));
    QPainter painter;
    if (!painter.begin(&writer)) {
      ShowError(frontend, MakeError(kErrDeviceIo));
      return {};
    }
    PaintDiagramPages(painter, writer, diagram, material, 0, false, frontend);
    if (!painter.end()) return {};
  }
  return pdf;
}

QByteArray DiagramSvg(const PlanDiagram& diagram, const std::string& material) {
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(kSvgResolution);
  generator.setTitle(ToQt(PageHeaderText(material)));
  const DiagramPainter diagramPainter(generator, kPaperLabelPoints);
  const DiagramLayout layout = LayOutDiagram(diagram, kSvgWidth, diagramPainter.Metrics());
  const QFont header = FixedPitchFont(12.0, true);
  const double top = QFontMetricsF(header, &generator).lineSpacing() * 2;
  const double height = top + std::max(layout.height, diagramPainter.Metrics().lineHeight * 2);
  const QSizeF size(kSvgWidth + 2 * kSvgMargin, std::ceil(height + 2 * kSvgMargin));
  generator.setSize(size.toSize());
  generator.setViewBox(QRectF(QPointF(0, 0), size));
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  painter.translate(kSvgMargin, kSvgMargin);
  painter.setFont(header);
  painter.setPen(Qt::black);
  painter.drawText(QPointF(0, QFontMetricsF(header, &generator).ascent()),
                   ToQt(PageHeaderText(material)));
  if (diagram.bars.empty()) PaintNoBars(painter, diagramPainter, top);
  for (const DiagramBlock& block : layout.blocks) {
    diagramPainter.PaintBlock(painter, diagram, layout, block, QPointF(0, top + block.top));
  }
  if (!painter.end()) return {};
  return svg;
}
