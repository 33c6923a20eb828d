#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct JobState;
class MessageView;

// The cutting plan as drawings to scale: every bar a row of segments (the
// pieces, the kerfs between them, the drop and the unusable end) that add up
// to its stock length. Lengths are in one unit throughout a diagram: the
// job's unit for a plan in memory, inches or millimetres for a plan read back
// from its export file.

enum class SegmentKind { Piece, Kerf, Scrap, Unusable };

struct DiagramSegment {
  SegmentKind kind = SegmentKind::Piece;
  double start = 0.0;  // from the bar's left end
  double length = 0.0;
  std::string mark;        // pieces only
  std::string lengthText;  // the length as the lists show it; empty for kerfs
};

struct BarDiagram {
  std::string bin;
  bool order = false;  // the bar is to be bought, not taken from stock
  std::string material;
  double stockLength = 0.0;
  std::string stockLengthText;
  int count = 1;  // identical bars drawn as this one
  // Left to right, without gaps or overlaps, ending at stockLength.
  std::vector<DiagramSegment> segments;
};

struct PlanDiagram {
  std::string material;
  std::vector<BarDiagram> bars;  // identical bars grouped, in plan order of their first
  double longestStock = 0.0;     // every bar is drawn to this one's scale
  // Every mark's style number (see MarkStyleOf), marks in byte order.
  std::map<std::string, int> markStyles;
};

// The drawing of the plan the job holds after a run: the kerf and the
// unusable length as the run used them, the exact-fit rule (the last kerf is
// left off when the pieces fill the usable length without it), lengths shown
// through FormatLength. Bars are read as the report reads them, up to the
// first inconsistency in the plan.
PlanDiagram DiagramOfPlan(const JobState& job, MessageView& messages);

// Whether the job's plan in memory still describes its last run: there are
// bars and every piece they name is in the list and marked as cut (a reload
// of the cut list since then clears those marks).
bool PlanInMemory(const JobState& job);

// Groups identical bars (same bin, order flag, material, stock length and the
// same pieces in the same order) into the first of them with its count, and
// fills the longest stock and the mark styles.
PlanDiagram FinishDiagram(std::string material, std::vector<BarDiagram> bars);

// Makes the segments end exactly at the stock length: rounding left over at
// the end becomes (or widens) the scrap; an overrun is taken off the end,
// scrap and unusable first, then kerfs, then pieces. Segments that come out
// empty are dropped and the starts are laid end to end again.
void CloseBar(BarDiagram& bar);

// The styles marks are drawn in: kPaletteSize colours times kPatternCount
// fill patterns. A mark keeps the style its text hashes to unless a mark
// before it (in byte order) in the same plan took that style, so the same
// marks get the same styles in every run.
inline constexpr int kPaletteSize = 12;
inline constexpr int kPatternCount = 3;
inline constexpr int kMarkStyleCount = kPaletteSize * kPatternCount;

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};
// Style number to fill colour: light enough for black text, and neighbouring
// palette entries differ in grey level so that they stay apart in grey-scale.
Rgb StyleColour(int style);
// 0 plain, 1 diagonal lines, 2 dots.
int StylePattern(int style);
