#include "diagrams/diagram_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "diagrams/diagram_texts.h"

namespace {

namespace dt = diagram_texts;

// Outside lanes tried per side with the leader lines kept clear of labels;
// beyond them a label takes a new lane of its own.
constexpr int kClearLanes = 8;

struct Interval {
  double left;
  double right;
};

bool Overlaps(const Interval& a, const Interval& b, double gap) {
  return a.left < b.right + gap && b.left < a.right + gap;
}

// The labels and leader crossings of one lane.
struct Lane {
  std::vector<Interval> labels;
  std::vector<double> leaders;  // x of leaders passing through to outer lanes

  bool Free(const Interval& box, double gap) const {
    for (const Interval& label : labels) {
      if (Overlaps(label, box, gap)) return false;
    }
    for (const double x : leaders) {
      if (x > box.left - gap && x < box.right + gap) return false;
    }
    return true;
  }
  // No label of this lane stands in the way of a leader at x.
  bool LeaderClear(double x, double gap) const {
    for (const Interval& label : labels) {
      if (x > label.left - gap && x < label.right + gap) return false;
    }
    return true;
  }
};

class LaneSet {
 public:
  LaneSet(double width, double gap) : width_(width), gap_(gap) {}

  struct Spot {
    LabelPlace side;
    int lane;  // from 1
    double left;
    bool leaderClear;
  };

  // Places a label of the given width over `anchor` on the nearest lane that
  // holds it, the preferred side first at each distance from the bar, with
  // its leader clear of the labels on nearer lanes. Where every such lane
  // within reach is barred, the nearest lane with room takes it all the same.
  Spot Place(LabelPlace preferred, double anchor, double labelWidth) {
    const LabelPlace other = preferred == LabelPlace::Above ? LabelPlace::Below : LabelPlace::Above;
    for (const bool clear : {true, false}) {
      for (int lane = 0; clear ? lane < kClearLanes : true; ++lane) {
        for (const LabelPlace side : {preferred, other}) {
          if (const std::optional<double> left = TryLane(side, lane, anchor, labelWidth, clear)) {
            return {side, lane + 1, *left, clear};
          }
        }
      }
    }
    return {preferred, 1, 0.0, false};  // not reached: an empty lane always has room
  }

  // Lanes up to the outermost that holds a label.
  int Used(LabelPlace side) {
    const std::vector<Lane>& lanes = Lanes(side);
    int used = 0;
    for (std::size_t i = 0; i < lanes.size(); ++i) {
      if (!lanes[i].labels.empty()) used = static_cast<int>(i) + 1;
    }
    return used;
  }

 private:
  std::vector<Lane>& Lanes(LabelPlace side) { return side == LabelPlace::Above ? above_ : below_; }

  std::optional<double> TryLane(LabelPlace side, int lane, double anchor, double labelWidth,
                                bool leaderClear) {
    std::vector<Lane>& lanes = Lanes(side);
    if (lane > static_cast<int>(lanes.size())) return std::nullopt;  // no empty lane between
    if (lane == static_cast<int>(lanes.size())) lanes.emplace_back();
    // The leader runs through every nearer lane.
    for (int inner = 0; leaderClear && inner < lane; ++inner) {
      if (!lanes[static_cast<std::size_t>(inner)].LeaderClear(anchor, gap_)) return std::nullopt;
    }
    const double right = std::max(0.0, width_ - labelWidth);
    for (const double candidate :
         {anchor - labelWidth / 2, anchor - gap_, anchor - labelWidth + gap_}) {
      const double left = std::clamp(candidate, 0.0, right);
      const Interval box{left, left + labelWidth};
      if (!lanes[static_cast<std::size_t>(lane)].Free(box, gap_)) continue;
      lanes[static_cast<std::size_t>(lane)].labels.push_back(box);
      for (int inner = 0; inner < lane; ++inner) {
        lanes[static_cast<std::size_t>(inner)].leaders.push_back(anchor);
      }
      return left;
    }
    return std::nullopt;
  }

  double width_;
  double gap_;
  std::vector<Lane> above_;
  std::vector<Lane> below_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text;
}

double WidestLine(const std::vector<std::string>& lines, const DiagramMetrics& metrics) {
  double widest = 0.0;
  for (const std::string& line : lines) widest = std::max(widest, metrics.textWidth(line));
  return widest;
}

// Marks in the order people count them: digit runs by their value, so A2
// comes before A10; other bytes as they are.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      std::size_t endA = i;
      std::size_t endB = j;
      while (endA < a.size() && digit(a[endA])) ++endA;
      while (endB < b.size() && digit(b[endB])) ++endB;
      // Leading zeros aside, a longer run is a larger number.
      const std::string_view runA = std::string_view(a).substr(i, endA - i);
      const std::string_view runB = std::string_view(b).substr(j, endB - j);
      const std::string_view numA = runA.substr(std::min(runA.find_first_not_of('0'), runA.size()));
      const std::string_view numB = runB.substr(std::min(runB.find_first_not_of('0'), runB.size()));
      if (numA.size() != numB.size()) return numA.size() < numB.size();
      if (numA != numB) return numA < numB;
      if (runA.size() != runB.size()) return runA.size() < runB.size();
      i = endA;
      j = endB;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<std::string> LabelLines(const DiagramSegment& segment) {
  switch (segment.kind) {
    case SegmentKind::Piece:
      if (segment.mark.empty()) return {segment.lengthText};
      return {segment.mark, segment.lengthText};
    case SegmentKind::Scrap:
      if (segment.lengthText.empty()) return {dt::kScrap};
      return {dt::kScrap, segment.lengthText};
    case SegmentKind::Unusable: return {dt::kUnusable, segment.lengthText};
    case SegmentKind::Kerf: break;
  }
  return {};
}

std::string BarHeading(const BarDiagram& bar) {
  // Orderable rows often carry ORDER as their bin already.
  std::string heading = bar.order ? dt::kOrder : dt::kBin;
  if (!bar.order || bar.bin != dt::kOrder) heading += (bar.order ? " " : "") + bar.bin;
  heading += "   " + bar.stockLengthText;
  if (!bar.material.empty()) heading += "   " + bar.material;
  return heading;
}

std::string BarCountText(const BarDiagram& bar) {
  return bar.count > 1 ? dt::kTimes + std::to_string(bar.count) : std::string();
}

BarLayout LayOutBar(const BarDiagram& bar, double width, double scale,
                    const DiagramMetrics& metrics) {
  BarLayout layout;
  LaneSet lanes(width, metrics.padding);
  bool nextAbove = true;
  for (std::size_t i = 0; i < bar.segments.size(); ++i) {
    const DiagramSegment& segment = bar.segments[i];
    std::vector<std::string> lines = LabelLines(segment);
    if (lines.empty()) continue;
    const double segmentLeft = segment.start * scale;
    const double segmentWidth = segment.length * scale;
    const double anchor = segmentLeft + segmentWidth / 2;
    const double inside = WidestLine(lines, metrics);
    if (inside + 2 * metrics.padding <= segmentWidth) {
      layout.labels.push_back(
          {i, LabelPlace::Inside, 0, anchor - inside / 2, inside, std::move(lines), anchor, true});
      continue;
    }
    std::string text = Joined(lines);
    const double textWidth = metrics.textWidth(text);
    // Sides take turns, so neighbouring short segments spread both ways.
    const LaneSet::Spot spot =
        lanes.Place(nextAbove ? LabelPlace::Above : LabelPlace::Below, anchor, textWidth);
    nextAbove = !nextAbove;
    layout.labels.push_back({i,
                             spot.side,
                             spot.lane,
                             spot.left,
                             textWidth,
                             {std::move(text)},
                             anchor,
                             spot.leaderClear});
  }
  layout.lanesAbove = lanes.Used(LabelPlace::Above);
  layout.lanesBelow = lanes.Used(LabelPlace::Below);
  layout.barTop = metrics.headingHeight + layout.lanesAbove * metrics.lineHeight +
                  (layout.lanesAbove > 0 ? metrics.leaderGap : 0.0);
  layout.height = layout.barTop + metrics.barHeight + layout.lanesBelow * metrics.lineHeight +
                  (layout.lanesBelow > 0 ? metrics.leaderGap : 0.0) + metrics.blockGap;
  return layout;
}

double LegendEntryWidth(const LegendEntry& entry, const DiagramMetrics& metrics) {
  return metrics.lineHeight + metrics.padding + metrics.textWidth(entry.text) + 4 * metrics.padding;
}

std::vector<LegendRow> LayOutLegend(const PlanDiagram& diagram, double width,
                                    const DiagramMetrics& metrics) {
  std::vector<LegendEntry> entries;
  for (const auto& [mark, style] : diagram.markStyles) {
    entries.push_back({LegendEntry::Kind::Mark, mark, style, 0.0});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const LegendEntry& a, const LegendEntry& b) {
    return NaturalLess(a.text, b.text);
  });
  // The other kinds only where the drawing holds them.
  const auto drawn = [&diagram](SegmentKind kind) {
    return std::any_of(diagram.bars.begin(), diagram.bars.end(), [kind](const BarDiagram& bar) {
      return std::any_of(bar.segments.begin(), bar.segments.end(),
                         [kind](const DiagramSegment& segment) { return segment.kind == kind; });
    });
  };
  if (drawn(SegmentKind::Scrap)) entries.push_back({LegendEntry::Kind::Scrap, dt::kScrap, 0, 0.0});
  if (drawn(SegmentKind::Unusable)) {
    entries.push_back({LegendEntry::Kind::Unusable, dt::kUnusable, 0, 0.0});
  }
  if (drawn(SegmentKind::Kerf)) entries.push_back({LegendEntry::Kind::Kerf, dt::kKerf, 0, 0.0});
  std::vector<LegendRow> rows;
  if (entries.empty()) return rows;
  rows.emplace_back();
  double x = 0.0;
  for (LegendEntry& entry : entries) {
    const double entryWidth = LegendEntryWidth(entry, metrics);
    if (x > 0.0 && x + entryWidth > width) {
      rows.emplace_back();
      x = 0.0;
    }
    entry.left = x;
    x += entryWidth;
    rows.back().push_back(std::move(entry));
  }
  return rows;
}

DiagramLayout LayOutDiagram(const PlanDiagram& diagram, double width,
                            const DiagramMetrics& metrics) {
  DiagramLayout layout;
  layout.width = width;
  layout.scale = diagram.longestStock > 0.0 ? width / diagram.longestStock : 0.0;
  layout.legend = LayOutLegend(diagram, width, metrics);
  double top = 0.0;
  for (std::size_t i = 0; i < layout.legend.size(); ++i) {
    const bool last = i + 1 == layout.legend.size();
    const double height = metrics.lineHeight + metrics.padding + (last ? metrics.blockGap : 0.0);
    layout.blocks.push_back({DiagramBlock::Kind::Legend, i, top, height});
    top += height;
  }
  layout.bars.reserve(diagram.bars.size());
  for (std::size_t i = 0; i < diagram.bars.size(); ++i) {
    layout.bars.push_back(LayOutBar(diagram.bars[i], width, layout.scale, metrics));
    layout.blocks.push_back({DiagramBlock::Kind::Bar, i, top, layout.bars.back().height});
    top += layout.bars.back().height;
  }
  layout.height = top;
  return layout;
}

std::vector<std::vector<DiagramBlock>> PageBlocks(const DiagramLayout& layout, double pageHeight) {
  std::vector<std::vector<DiagramBlock>> pages;
  double used = 0.0;
  for (const DiagramBlock& block : layout.blocks) {
    if (pages.empty() || (used + block.height > pageHeight && !pages.back().empty())) {
      pages.emplace_back();
      used = 0.0;
    }
    pages.back().push_back(block);
    used += block.height;
  }
  return pages;
}

std::size_t FirstBlockBelow(const DiagramLayout& layout, double y) {
  const auto it = std::upper_bound(
      layout.blocks.begin(), layout.blocks.end(), y,
      [](double value, const DiagramBlock& block) { return value < block.top + block.height; });
  return static_cast<std::size_t>(it - layout.blocks.begin());
}
