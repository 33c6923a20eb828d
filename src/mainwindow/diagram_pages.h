#pragma once

#include <QByteArray>
#include <string>

#include "diagrams/plan_diagram.h"

class Frontend;
class QPainter;
class QPagedPaintDevice;

// Label size on paper and in files, in points.
inline constexpr double kPaperLabelPoints = 7.0;

// Paints the diagram in pages after `pagesBefore` pages already on the
// device: each page with the report's page header (numbered on from
// pagesBefore), the rule and an empty line, then as many blocks (legend rows,
// bars) as fit; a new page is started first when `newPageFirst`. A plan
// without bars gives one page saying so.
void PaintDiagramPages(QPainter& painter, QPagedPaintDevice& device, const PlanDiagram& diagram,
                       const std::string& material, int pagesBefore, bool newPageFirst,
                       Frontend& frontend);

// The diagram pages as a PDF document on the default report page; empty
// when painting failed.
QByteArray DiagramPdf(const PlanDiagram& diagram, const std::string& material, Frontend& frontend);

// The diagram as one SVG drawing, headed by the report's header text; empty
// when painting failed.
QByteArray DiagramSvg(const PlanDiagram& diagram, const std::string& material);
