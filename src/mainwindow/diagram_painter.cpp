#include "mainwindow/diagram_painter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include "mainwindow/qt_text.h"

namespace {

const QColor kScrapFill(0xee, 0xee, 0xee);
const QColor kUnusableFill(0xb8, 0xb8, 0xb8);
const QColor kInk(Qt::black);
const QColor kPatternInk(0, 0, 0, 70);

double Points(const QPaintDevice& device, double points) {
  return points * device.logicalDpiY() / 72.0;
}

}  // namespace

QFont DiagramFont(double points, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

DiagramPainter::DiagramPainter(const QPaintDevice& device, double labelPoints)
    : label_(DiagramFont(labelPoints, false)), heading_(DiagramFont(labelPoints + 1, true)) {
  const QFontMetricsF label(label_, &device);
  const QFontMetricsF heading(heading_, &device);
  hairline_ = Points(device, 0.5);
  metrics_.textWidth = [label](std::string_view text) {
    return label.horizontalAdvance(ToQt(std::string(text)));
  };
  metrics_.lineHeight = label.height();
  metrics_.headingHeight = heading.height() + Points(device, 2);
  metrics_.padding = Points(device, 2);
  metrics_.barHeight = 2 * label.height() + 2 * metrics_.padding;
  metrics_.blockGap = Points(device, 6);
  metrics_.leaderGap = Points(device, 4);
}

void DiagramPainter::PaintBlock(QPainter& painter, const PlanDiagram& diagram,
                                const DiagramLayout& layout, const DiagramBlock& block,
                                QPointF origin) const {
  if (block.kind == DiagramBlock::Kind::Legend) {
    PaintLegendRow(painter, layout.legend[block.index], origin);
  } else {
    PaintBar(painter, diagram.markStyles, diagram.bars[block.index], layout.bars[block.index],
             layout.scale, layout.width, origin);
  }
}

void DiagramPainter::FillSegment(QPainter& painter, const QRectF& rect, SegmentKind kind,
                                 int style) const {
  switch (kind) {
    case SegmentKind::Piece: {
      const Rgb rgb = StyleColour(style);
      painter.fillRect(rect, QColor(rgb.red, rgb.green, rgb.blue));
      const int pattern = StylePattern(style);
      if (pattern == 1) painter.fillRect(rect, QBrush(kPatternInk, Qt::BDiagPattern));
      if (pattern == 2) painter.fillRect(rect, QBrush(kPatternInk, Qt::Dense7Pattern));
      break;
    }
    case SegmentKind::Scrap:
      painter.fillRect(rect, kScrapFill);
      painter.fillRect(rect, QBrush(kPatternInk, Qt::FDiagPattern));
      break;
    case SegmentKind::Unusable:
      painter.fillRect(rect, kUnusableFill);
      painter.fillRect(rect, QBrush(kPatternInk, Qt::DiagCrossPattern));
      break;
    case SegmentKind::Kerf: painter.fillRect(rect, Qt::white); break;
  }
}

void DiagramPainter::PaintBar(QPainter& painter, const std::map<std::string, int>& markStyles,
                              const BarDiagram& bar, const BarLayout& barLayout, double scale,
                              double width, QPointF origin) const {
  const double x0 = origin.x();
  const double y0 = origin.y();
  painter.setPen(kInk);
  painter.setFont(heading_);
  const QFontMetricsF heading(heading_, painter.device());
  painter.drawText(QPointF(x0, y0 + heading.ascent()), ToQt(BarHeading(bar)));
  const QString count = ToQt(BarCountText(bar));
  if (!count.isEmpty()) {
    painter.drawText(QPointF(x0 + width - heading.horizontalAdvance(count), y0 + heading.ascent()),
                     count);
  }

  const double top = y0 + barLayout.barTop;
  const double height = metrics_.barHeight;
  const QPen outline(kInk, hairline_);
  for (const DiagramSegment& segment : bar.segments) {
    const QRectF rect(x0 + segment.start * scale, top, segment.length * scale, height);
    const auto style = markStyles.find(segment.mark);
    FillSegment(painter, rect, segment.kind, style == markStyles.end() ? 0 : style->second);
    if (segment.kind != SegmentKind::Kerf) {
      painter.setPen(outline);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(rect);
    }
  }
  painter.setPen(outline);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(x0, top, bar.stockLength * scale, height));

  painter.setFont(label_);
  const QFontMetricsF label(label_, painter.device());
  const double lineHeight = metrics_.lineHeight;
  for (const PlacedLabel& placed : barLayout.labels) {
    painter.setPen(kInk);
    if (placed.place == LabelPlace::Inside) {
      const double textTop =
          top + (height - lineHeight * static_cast<double>(placed.lines.size())) / 2;
      for (std::size_t i = 0; i < placed.lines.size(); ++i) {
        const QString text = ToQt(placed.lines[i]);
        const double x = x0 + placed.anchor - label.horizontalAdvance(text) / 2;
        painter.drawText(QPointF(x, textTop + static_cast<double>(i) * lineHeight + label.ascent()),
                         text);
      }
      continue;
    }
    const bool above = placed.place == LabelPlace::Above;
    const double gap = metrics_.leaderGap;
    const double boxTop = above ? top - gap - placed.lane * lineHeight
                                : top + height + gap + (placed.lane - 1) * lineHeight;
    painter.drawText(QPointF(x0 + placed.left, boxTop + label.ascent()), ToQt(placed.lines[0]));
    painter.setPen(QPen(kInk, hairline_));
    const double leaderEnd = above ? boxTop + lineHeight : boxTop;
    painter.drawLine(QPointF(x0 + placed.anchor, above ? top : top + height),
                     QPointF(x0 + placed.anchor, leaderEnd));
  }
}

void DiagramPainter::PaintLegendRow(QPainter& painter, const LegendRow& row, QPointF origin) const {
  painter.setFont(label_);
  const QFontMetricsF label(label_, painter.device());
  const double size = metrics_.lineHeight;
  for (const LegendEntry& entry : row) {
    const QRectF swatch(origin.x() + entry.left, origin.y(), size, size);
    SegmentKind kind = SegmentKind::Piece;
    if (entry.kind == LegendEntry::Kind::Scrap) kind = SegmentKind::Scrap;
    if (entry.kind == LegendEntry::Kind::Unusable) kind = SegmentKind::Unusable;
    if (entry.kind == LegendEntry::Kind::Kerf) kind = SegmentKind::Kerf;
    FillSegment(painter, swatch, kind, entry.style);
    painter.setPen(QPen(kInk, hairline_));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch);
    painter.setPen(kInk);
    painter.drawText(QPointF(swatch.right() + metrics_.padding, origin.y() + label.ascent()),
                     ToQt(entry.text));
  }
}
