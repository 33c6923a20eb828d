#include "diagrams/plan_diagram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "core/job_state.h"
#include "core/length_text.h"
#include "optimizer/pack_bars.h"
#include "reports/bar_cuts.h"

namespace {

// Lighter and darker tones take turns, so that palette neighbours differ in
// grey level as well as in hue; all stay light enough for black text.
constexpr std::array<Rgb, kPaletteSize> kPalette = {{
    {0x9e, 0xc5, 0xe8},  // blue
    {0xf6, 0xe0, 0x8c},  // yellow
    {0xd9, 0x9a, 0x9a},  // red
    {0xc4, 0xe8, 0xb4},  // green
    {0xb8, 0xa4, 0xd8},  // violet
    {0xf9, 0xcf, 0xa8},  // orange
    {0x8f, 0xc9, 0xbf},  // teal
    {0xf2, 0xc4, 0xde},  // pink
    {0xb0, 0xb0, 0x80},  // olive
    {0xd6, 0xe9, 0xf5},  // pale blue
    {0xc8, 0xa8, 0x8c},  // brown
    {0xe9, 0xf2, 0xc6},  // lime
}};

// FNV-1a: the same text gives the same number on every machine and run.
std::uint32_t TextHash(const std::string& text) {
  std::uint32_t hash = 2166136261u;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

bool SameSegments(const BarDiagram& a, const BarDiagram& b) {
  if (a.segments.size() != b.segments.size()) return false;
  for (std::size_t i = 0; i < a.segments.size(); ++i) {
    const DiagramSegment& x = a.segments[i];
    const DiagramSegment& y = b.segments[i];
    if (x.kind != y.kind || x.mark != y.mark || x.lengthText != y.lengthText ||
        std::abs(x.length - y.length) > kLengthEpsilon) {
      return false;
    }
  }
  return true;
}

bool SameBar(const BarDiagram& a, const BarDiagram& b) {
  return a.bin == b.bin && a.order == b.order && a.material == b.material &&
         a.stockLengthText == b.stockLengthText &&
         std::abs(a.stockLength - b.stockLength) <= kLengthEpsilon && SameSegments(a, b);
}

std::map<std::string, int> AssignStyles(const std::vector<BarDiagram>& bars) {
  std::set<std::string> marks;
  for (const BarDiagram& bar : bars) {
    for (const DiagramSegment& segment : bar.segments) {
      if (segment.kind == SegmentKind::Piece) marks.insert(segment.mark);
    }
  }
  std::map<std::string, int> styles;
  std::vector<bool> taken(kMarkStyleCount, false);
  int takenCount = 0;
  for (const std::string& mark : marks) {
    // Once every style is taken they are shared again; the labels still
    // name each mark.
    if (takenCount == kMarkStyleCount) {
      std::fill(taken.begin(), taken.end(), false);
      takenCount = 0;
    }
    int style = static_cast<int>(TextHash(mark) % kMarkStyleCount);
    while (taken[static_cast<std::size_t>(style)]) style = (style + 1) % kMarkStyleCount;
    taken[static_cast<std::size_t>(style)] = true;
    ++takenCount;
    styles[mark] = style;
  }
  return styles;
}

void AddSegment(BarDiagram& bar, SegmentKind kind, double length, std::string mark = {},
                std::string text = {}) {
  bar.segments.push_back({kind, 0.0, length, std::move(mark), std::move(text)});
}

}  // namespace

Rgb StyleColour(int style) { return kPalette[static_cast<std::size_t>(style % kPaletteSize)]; }

int StylePattern(int style) { return (style / kPaletteSize) % kPatternCount; }

void CloseBar(BarDiagram& bar) {
  double total = 0.0;
  for (const DiagramSegment& segment : bar.segments) total += segment.length;
  double excess = total - bar.stockLength;
  // Rounding noise is absorbed by the last segment below.
  if (excess < -kLengthEpsilon) {
    if (!bar.segments.empty() && bar.segments.back().kind == SegmentKind::Scrap) {
      bar.segments.back().length -= excess;
    } else {
      AddSegment(bar, SegmentKind::Scrap, -excess);
    }
  }
  excess = std::max(excess, 0.0);
  // Overruns come off the end: what is left over first, pieces last.
  for (const SegmentKind kind :
       {SegmentKind::Scrap, SegmentKind::Unusable, SegmentKind::Kerf, SegmentKind::Piece}) {
    for (auto it = bar.segments.rbegin(); it != bar.segments.rend() && excess > 0.0; ++it) {
      if (it->kind != kind) continue;
      const double cut = std::min(excess, it->length);
      it->length -= cut;
      excess -= cut;
    }
  }
  std::erase_if(bar.segments,
                [](const DiagramSegment& segment) { return !(segment.length > 0.0); });
  double start = 0.0;
  for (DiagramSegment& segment : bar.segments) {
    segment.start = start;
    start += segment.length;
  }
  // The last segment ends at the stock length itself, not at a sum of parts.
  if (!bar.segments.empty()) {
    DiagramSegment& last = bar.segments.back();
    last.length = std::max(0.0, bar.stockLength - last.start);
  }
}

PlanDiagram FinishDiagram(std::string material, std::vector<BarDiagram> bars) {
  PlanDiagram diagram;
  diagram.material = std::move(material);
  for (BarDiagram& bar : bars) {
    diagram.longestStock = std::max(diagram.longestStock, bar.stockLength);
    auto same = std::find_if(diagram.bars.begin(), diagram.bars.end(),
                             [&](const BarDiagram& drawn) { return SameBar(drawn, bar); });
    if (same != diagram.bars.end()) {
      same->count += bar.count;
    } else {
      diagram.bars.push_back(std::move(bar));
    }
  }
  diagram.markStyles = AssignStyles(diagram.bars);
  return diagram;
}

bool PlanInMemory(const JobState& job) {
  if (job.barCount <= 0) return false;
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[static_cast<std::size_t>(b)];
    for (int j = 0; j < bar.pieceCount && j < kPieceSlotsPerBar; ++j) {
      const int p = bar.pieceIndex[static_cast<std::size_t>(j)];
      if (p < 0 || p >= job.pieceCount || !job.pieces[static_cast<std::size_t>(p)].used) {
        return false;
      }
    }
  }
  return true;
}

PlanDiagram DiagramOfPlan(const JobState& job, MessageView& messages) {
  const LengthText lengths(job, messages);
  const double kerf = KerfLength(job);
  const double unusable = UnusableLength(job);
  std::vector<BarDiagram> bars;
  std::string material = job.matl;
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& plan = job.bars[static_cast<std::size_t>(b)];
    const BarCuts cuts = ReadBarCuts(job, plan, kerf, messages);
    BarDiagram bar;
    bar.bin = plan.bin;
    bar.order = plan.nonInventory;
    bar.stockLength = plan.stockLength;
    bar.stockLengthText = lengths.FormatLength(plan.stockLength);
    bar.material = job.matl;
    double pieces = 0.0;
    for (int p : cuts.pieces) {
      const CutPiece& piece = job.pieces[static_cast<std::size_t>(p)];
      if (!piece.material.empty()) bar.material = piece.material;
      pieces += piece.length;
    }
    // The kerf after the last piece is not cut when the pieces fill the
    // usable length without it, as the search decided.
    const double usable = plan.stockLength - unusable;
    const int n = static_cast<int>(cuts.pieces.size());
    int kerfs = n;
    if (n > 0 && pieces + n * kerf > usable + kLengthEpsilon &&
        pieces + (n - 1) * kerf <= usable + kLengthEpsilon) {
      kerfs = n - 1;
    }
    for (int j = 0; j < n; ++j) {
      const CutPiece& piece = job.pieces[static_cast<std::size_t>(cuts.pieces[j])];
      AddSegment(bar, SegmentKind::Piece, piece.length, piece.mark,
                 lengths.FormatLength(piece.length));
      if (j < kerfs) AddSegment(bar, SegmentKind::Kerf, kerf);
    }
    const double used = pieces + kerfs * kerf;
    const double drop = usable - used;
    if (drop > kLengthEpsilon)
      AddSegment(bar, SegmentKind::Scrap, drop, {}, lengths.FormatLength(drop));
    const double end = plan.stockLength - std::max(used, usable);
    if (end > kLengthEpsilon) {
      AddSegment(bar, SegmentKind::Unusable, end, {}, lengths.FormatLength(end));
    }
    CloseBar(bar);
    if (b == 0) material = bar.material;
    bars.push_back(std::move(bar));
  }
  return FinishDiagram(material, std::move(bars));
}
