#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "diagrams/plan_diagram.h"

// Where everything of a diagram goes on a drawing of a given width: the
// scale, the labels of every bar, the legend and the blocks (legend rows and
// bars) from top to bottom. Drawing units are whatever the painter measures
// text in; nothing here knows fonts beyond the measures it is given.

struct DiagramMetrics {
  std::function<double(std::string_view)> textWidth;  // in the label font
  double lineHeight = 10.0;                           // one line of label text
  double headingHeight = 12.0;                        // a bar's heading line
  double barHeight = 24.0;                            // holds two label lines
  double padding = 2.0;    // around text inside a segment, and between labels
  double leaderGap = 4.0;  // between the bar and the nearest outside lane
  double blockGap = 6.0;   // below every block
};

enum class LabelPlace { Inside, Above, Below };

struct PlacedLabel {
  std::size_t segment = 0;
  LabelPlace place = LabelPlace::Inside;
  int lane = 0;  // outside labels: 1 nearest the bar
  double left = 0.0;
  double width = 0.0;
  std::vector<std::string> lines;  // inside: mark (or kind) over length; outside: one line
  double anchor = 0.0;             // x of the segment's centre, where its leader starts
  bool leaderClear = true;         // no label of a nearer lane stands across the leader
};

struct BarLayout {
  std::vector<PlacedLabel> labels;
  int lanesAbove = 0;
  int lanesBelow = 0;
  double barTop = 0.0;  // from the block's top
  double height = 0.0;  // the whole block, its gap included
};

// The texts of a segment's label: the mark (or "Scrap", "Unusable") over the
// length; kerfs have none.
std::vector<std::string> LabelLines(const DiagramSegment& segment);

// The heading of a bar block: bin (or ORDER and bin), stock length, material.
std::string BarHeading(const BarDiagram& bar);
// " x N" for a group of identical bars, else empty.
std::string BarCountText(const BarDiagram& bar);

// Labels that fit inside their segment stay there; the others go into lanes
// above and below the bar (nearest lanes first, taking turns), each over its
// segment's centre where it can be, so that no two labels overlap; a label
// stands across another's leader line only in crowds of short segments where
// no lane within reach is free of it. Every label lies within 0 and `width`.
// `scale` is drawing units per length unit.
BarLayout LayOutBar(const BarDiagram& bar, double width, double scale,
                    const DiagramMetrics& metrics);

// The legend: one entry per mark, then scrap, unusable end and kerf where the
// drawing holds them, each a swatch and a text, in rows that fit the width.
struct LegendEntry {
  enum class Kind { Mark, Scrap, Unusable, Kerf };
  Kind kind = Kind::Mark;
  std::string text;
  int style = 0;  // marks only
  double left = 0.0;
};
using LegendRow = std::vector<LegendEntry>;
std::vector<LegendRow> LayOutLegend(const PlanDiagram& diagram, double width,
                                    const DiagramMetrics& metrics);
// The swatch of a legend entry is a square of the line height; the text
// follows after the padding.
double LegendEntryWidth(const LegendEntry& entry, const DiagramMetrics& metrics);

// The whole drawing: legend rows first, then the bars, each a block.
struct DiagramBlock {
  enum class Kind { Legend, Bar };
  Kind kind = Kind::Legend;
  std::size_t index = 0;  // into legend or bars
  double top = 0.0;       // on the whole drawing
  double height = 0.0;
};

struct DiagramLayout {
  double width = 0.0;
  double scale = 0.0;
  std::vector<LegendRow> legend;
  std::vector<BarLayout> bars;
  std::vector<DiagramBlock> blocks;
  double height = 0.0;
};

DiagramLayout LayOutDiagram(const PlanDiagram& diagram, double width,
                            const DiagramMetrics& metrics);

// The blocks of each page, in order: as many as the page height holds, never
// fewer than one, a block never split.
std::vector<std::vector<DiagramBlock>> PageBlocks(const DiagramLayout& layout, double pageHeight);

// The index of the first block whose bottom is below y (blocks sorted by top).
std::size_t FirstBlockBelow(const DiagramLayout& layout, double y);
