#pragma once

#include <QFont>
#include <QPointF>

#include "diagrams/diagram_layout.h"

class QPainter;
class QPaintDevice;

// Paints diagram blocks with QPainter: the engine's layout, nothing decided
// here but colours, fonts and strokes. Sizes are in points of the device, so
// a block looks the same on the screen, in a PDF and in an SVG.
class DiagramPainter {
 public:
  DiagramPainter(const QPaintDevice& device, double labelPoints);

  const DiagramMetrics& Metrics() const { return metrics_; }

  // Paints one block with its top left corner at `origin`.
  void PaintBlock(QPainter& painter, const PlanDiagram& diagram, const DiagramLayout& layout,
                  const DiagramBlock& block, QPointF origin) const;

 private:
  void PaintBar(QPainter& painter, const std::map<std::string, int>& markStyles,
                const BarDiagram& bar, const BarLayout& barLayout, double scale, double width,
                QPointF origin) const;
  void PaintLegendRow(QPainter& painter, const LegendRow& row, QPointF origin) const;
  void FillSegment(QPainter& painter, const QRectF& rect, SegmentKind kind, int style) const;

  QFont label_;
  QFont heading_;
  double hairline_ = 0.5;
  DiagramMetrics metrics_;
};

// The label font: a sans-serif face that every BRX installation has.
QFont DiagramFont(double points, bool bold);
