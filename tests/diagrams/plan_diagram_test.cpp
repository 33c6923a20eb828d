// Plans made by the search on generated jobs, drawn as diagrams: every bar
// adds up to its stock length under the kerf and exact-fit rules, identical
// bars are drawn once with their count, no two labels overlap, and the export
// the run writes reads back as the same drawing. Hostile exports are refused
// with a message that says where and why.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/brx_error.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "diagrams/diagram_layout.h"
#include "diagrams/export_diagram.h"
#include "optimizer/pack_bars.h"
#include "optimizer/search_jobs.h"
#include "reports/cut_list_export.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace {

constexpr int kJobs = BRX_TEST_SCALE_SMALL ? 40 : 200;
constexpr double kSixteenth = 1.0 / 192.0;  // an inch's 16th, in feet

// Marks as users type them, a comma and a leading quote among them.
const char* const kMarks[] = {"B1", "B2", "C10", "b1", "B,1", "\"Q7", "P-12A", "X"};

// A job of one material cut by the search: feet-inch or millimetres, stock
// on hand and to order, long and very short pieces, a kerf and an unusable
// end or none.
void GenerateJob(JobState& job, JobRandom& random, bool withUnusable) {
  ClearJob(job);
  job.matl = kSearchMaterial;
  const bool metric = random.OneIn(3);
  job.unit_flag = metric ? "1" : "0";
  const double unit = metric ? 1.0 : kSixteenth;  // the lengths' step
  const double stock = metric ? random.Pick({6000, 9000, 12000}) : random.Pick({20, 30, 40});
  for (int row = random.Between(1, 3); row > 0; --row) {
    AddStockRow(job, stock - row * (metric ? 500 : 2), random.OneIn(3) ? 0 : random.Between(2, 30));
  }
  const double stockUnits = stock / unit;
  const int marks = random.Between(1, 8);
  for (int m = 0; m < marks; ++m) {
    // Mostly real pieces; some so short their labels cannot stay inside.
    const double units = random.OneIn(4) ? random.Between(8, 64)
                                         : random.Between(static_cast<int>(stockUnits / 12),
                                                          static_cast<int>(stockUnits / 2));
    const int count = random.Between(1, 25);
    for (int i = 0; i < count && job.pieceCount < kMaxPieces; ++i) {
      CutPiece& piece = job.pieces[job.pieceCount++];
      piece = CutPiece{units * unit, false, kMarks[m], {}};
    }
  }
  job.kerf = ShortestDecimal(random.OneIn(3) ? 0.0 : (metric ? 3.0 : 2 * kSixteenth));
  job.UnuseableLen =
      withUnusable && random.OneIn(2) ? ShortestDecimal(metric ? 150.0 : 96 * kSixteenth) : "0";
  FinishJob(job);
  RecordingFrontend frontend;
  PackBars(job, frontend, random.Between(0, 10));
}

struct PieceKey {
  std::string mark;
  double length;
  bool operator==(const PieceKey&) const = default;
};

struct BarKey {
  std::string bin;
  bool order;
  double stock;
  std::vector<PieceKey> pieces;
  bool operator==(const BarKey&) const = default;
};

// The plan's bars grouped the plain way: equal keys, in order of first use.
std::vector<std::pair<BarKey, int>> PlanGroups(const JobState& job) {
  std::vector<std::pair<BarKey, int>> groups;
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[b];
    BarKey key{bar.bin, bar.nonInventory, bar.stockLength, {}};
    for (int j = 0; j < bar.pieceCount; ++j) {
      const CutPiece& piece = job.pieces[bar.pieceIndex[j]];
      key.pieces.push_back({piece.mark, piece.length});
    }
    auto it =
        std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == key; });
    if (it == groups.end()) {
      groups.emplace_back(std::move(key), 1);
    } else {
      ++it->second;
    }
  }
  return groups;
}

// Segments laid end to end from 0 to the stock length, none empty; pieces
// each followed by a kerf, only the last of them without one and then only
// when that kerf does not fit (exact fit); then the drop, then the unusable
// end, neither longer than the run allows.
void ExpectBarAddsUp(const BarDiagram& bar, const BarKey& key, double kerf, double unusable) {
  const double tolerance = 1e-9 * std::max(1.0, bar.stockLength);
  double end = 0.0;
  double used = 0.0;
  std::vector<PieceKey> pieces;
  std::size_t i = 0;
  for (; i < bar.segments.size(); ++i) {
    const DiagramSegment& segment = bar.segments[i];
    if (segment.kind == SegmentKind::Scrap || segment.kind == SegmentKind::Unusable) break;
    EXPECT_EQ(segment.start, end);
    EXPECT_GT(segment.length, 0.0);
    end = segment.start + segment.length;
    if (segment.kind == SegmentKind::Piece) {
      pieces.push_back({segment.mark, segment.length});
      used += segment.length;
      const bool kerfFollows =
          i + 1 < bar.segments.size() && bar.segments[i + 1].kind == SegmentKind::Kerf;
      if (!kerfFollows && kerf > 0.0) {
        EXPECT_EQ(pieces.size(), key.pieces.size()) << "only the last kerf may be left off";
      }
    } else {
      EXPECT_NEAR(segment.length, kerf, tolerance);
      used += segment.length;
    }
  }
  EXPECT_EQ(pieces.size(), key.pieces.size());
  for (std::size_t p = 0; p < std::min(pieces.size(), key.pieces.size()); ++p) {
    EXPECT_EQ(pieces[p].mark, key.pieces[p].mark);
    EXPECT_NEAR(pieces[p].length, key.pieces[p].length, tolerance);
  }
  const double usable = bar.stockLength - unusable;
  EXPECT_LE(used, usable + kLengthEpsilon) << "the plan cuts into the unusable end";
  const std::size_t kerfs = static_cast<std::size_t>(
      std::count_if(bar.segments.begin(), bar.segments.end(),
                    [](const DiagramSegment& s) { return s.kind == SegmentKind::Kerf; }));
  if (kerf > 0.0 && kerfs < pieces.size()) {
    EXPECT_GT(used + kerf, usable + kLengthEpsilon) << "a kerf that fits was left off";
  }
  double tail = 0.0;
  for (; i < bar.segments.size(); ++i) {
    const DiagramSegment& segment = bar.segments[i];
    EXPECT_EQ(segment.start, end);
    EXPECT_GT(segment.length, 0.0);
    end = segment.start + segment.length;
    tail += segment.length;
    ASSERT_TRUE(segment.kind == SegmentKind::Scrap || segment.kind == SegmentKind::Unusable);
    if (segment.kind == SegmentKind::Unusable) {
      EXPECT_LE(segment.length, unusable + tolerance);
      EXPECT_EQ(i + 1, bar.segments.size()) << "the unusable end ends the bar";
    }
  }
  EXPECT_NEAR(end, bar.stockLength, tolerance);
  EXPECT_NEAR(tail, bar.stockLength - used, tolerance);
}

DiagramMetrics FixedPitch() {
  DiagramMetrics metrics;
  metrics.textWidth = [](std::string_view text) { return 5.0 * static_cast<double>(text.size()); };
  return metrics;
}

// Labels inside their segment, or within the width in a lane where no other
// label overlaps them and, unless they say so, no nearer label stands across
// their leader; lanes are filled from the bar outwards.
void ExpectLabelsApart(const BarDiagram& bar, double width, double scale) {
  const DiagramMetrics metrics = FixedPitch();
  const BarLayout layout = LayOutBar(bar, width, scale, metrics);
  const auto labelled =
      std::count_if(bar.segments.begin(), bar.segments.end(),
                    [](const DiagramSegment& s) { return s.kind != SegmentKind::Kerf; });
  ASSERT_EQ(static_cast<long>(layout.labels.size()), labelled);
  for (const PlacedLabel& a : layout.labels) {
    const DiagramSegment& segment = bar.segments[a.segment];
    if (a.place == LabelPlace::Inside) {
      EXPECT_GE(a.left, segment.start * scale + metrics.padding - 1e-9);
      EXPECT_LE(a.left + a.width,
                (segment.start + segment.length) * scale - metrics.padding + 1e-9);
      continue;
    }
    EXPECT_GE(a.left, 0.0);
    if (a.width <= width) {
      EXPECT_LE(a.left + a.width, width + 1e-9);
    }
    EXPECT_LE(a.lane, a.place == LabelPlace::Above ? layout.lanesAbove : layout.lanesBelow);
    if (a.lane > 1) {
      EXPECT_TRUE(std::any_of(
          layout.labels.begin(), layout.labels.end(),
          [&](const PlacedLabel& b) { return b.place == a.place && b.lane == a.lane - 1; }))
          << "an empty lane below lane " << a.lane;
    }
    for (const PlacedLabel& b : layout.labels) {
      if (&a == &b || b.place != a.place) continue;
      if (b.lane == a.lane) {
        EXPECT_FALSE(a.left < b.left + b.width && b.left < a.left + a.width)
            << a.lines[0] << " overlaps " << b.lines[0] << " at width " << width;
      }
      if (b.lane < a.lane && a.leaderClear) {
        EXPECT_FALSE(a.anchor > b.left && a.anchor < b.left + b.width)
            << b.lines[0] << " stands across the leader of " << a.lines[0];
      }
    }
  }
}

TEST(PlanDiagramTest, GeneratedPlansAddUpGroupAndLabelApart) {
  JobRandom random(20261207);
  JobState job;
  int grouped = 0;
  int outside = 0;
  for (int n = 0; n < kJobs; ++n) {
    GenerateJob(job, random, true);
    RecordingFrontend frontend;
    ASSERT_TRUE(job.barCount == 0 || PlanInMemory(job));
    const PlanDiagram diagram = DiagramOfPlan(job, frontend);
    const std::vector<std::pair<BarKey, int>> groups = PlanGroups(job);
    ASSERT_EQ(diagram.bars.size(), groups.size()) << "job " << n;
    for (std::size_t b = 0; b < groups.size(); ++b) {
      SCOPED_TRACE("job " + std::to_string(n) + " bar " + std::to_string(b));
      const BarDiagram& bar = diagram.bars[b];
      const BarKey& key = groups[b].first;
      EXPECT_EQ(bar.count, groups[b].second);
      EXPECT_EQ(bar.bin, key.bin);
      EXPECT_EQ(bar.order, key.order);
      EXPECT_EQ(bar.stockLength, key.stock);
      ExpectBarAddsUp(bar, key, KerfLength(job), UnusableLength(job));
      for (const double width : {150.0, 500.0, 1500.0}) {
        ExpectLabelsApart(bar, width, width / diagram.longestStock);
      }
      grouped += bar.count > 1;
      const BarLayout narrow = LayOutBar(bar, 150.0, 150.0 / diagram.longestStock, FixedPitch());
      outside += narrow.lanesAbove + narrow.lanesBelow;
    }
    EXPECT_TRUE(frontend.messages.empty());
  }
  // The generated plans reach the cases that matter.
  EXPECT_GT(grouped, kJobs / 4);
  EXPECT_GT(outside, kJobs);
}

// The export a run writes, read back, draws what the plan in memory draws:
// the same bars, counts, marks and texts, the same segments to scale. Jobs
// without an unusable end, which the export does not hold apart from scrap.
TEST(PlanDiagramTest, ExportReadsBackAsThePlan) {
  JobRandom random(7);
  JobState job;
  TempFolder folder;
  for (int n = 0; n < kJobs / 2; ++n) {
    GenerateJob(job, random, false);
    RecordingFrontend frontend;
    ASSERT_TRUE(ExportCutList(job, frontend, folder.Path("Export.txt")));
    const PlanDiagram expected = DiagramOfPlan(job, frontend);
    PlanDiagram read;
    try {
      read = ReadExportDiagram(ExportFileName(folder.Path("Export.txt"), job.matl));
    } catch (const BrxError& error) {
      FAIL() << "job " << n << ": " << error.description;
    }
    ASSERT_EQ(read.bars.size(), expected.bars.size()) << "job " << n;
    EXPECT_EQ(read.material, job.barCount > 0 ? job.matl : "");
    EXPECT_EQ(read.markStyles, expected.markStyles);
    for (std::size_t b = 0; b < read.bars.size(); ++b) {
      SCOPED_TRACE("job " + std::to_string(n) + " bar " + std::to_string(b));
      const BarDiagram& x = expected.bars[b];
      const BarDiagram& y = read.bars[b];
      EXPECT_EQ(y.count, x.count);
      EXPECT_EQ(y.bin, x.bin);
      EXPECT_EQ(y.order, x.order);
      EXPECT_EQ(y.material, x.material);
      EXPECT_EQ(y.stockLengthText, x.stockLengthText);
      ASSERT_EQ(y.segments.size(), x.segments.size());
      for (std::size_t s = 0; s < x.segments.size(); ++s) {
        EXPECT_EQ(y.segments[s].kind, x.segments[s].kind);
        EXPECT_EQ(y.segments[s].mark, x.segments[s].mark);
        EXPECT_EQ(y.segments[s].lengthText, x.segments[s].lengthText);
        EXPECT_NEAR(y.segments[s].start / y.stockLength, x.segments[s].start / x.stockLength, 1e-4);
      }
    }
  }
}

struct HostileExport {
  const char* name;
  std::string text;
  std::string why;
};

TEST(PlanDiagramTest, HostileExportsAreRefusedSayingWhereAndWhy) {
  const std::string header = "Status,Stock#,Shape,Length,Mark,Cut\r\n";
  const std::string piece = "INVENTORY,A14,W8X31,40'-0\",B1,12'-6 5/8\"\r\n";
  const std::string noHeader =
      "it does not begin with the export header \"Status,Stock#,Shape,Length,Mark,Cut\"";
  const HostileExport cases[] = {
      {"empty", "", noHeader},
      {"foreign columns", "Status,Stock,Shape,Length,Mark,Cut\r\n" + piece, noHeader},
      {"binary", std::string("\0\xff\xfe\r\n", 5) + piece, noHeader},
      {"no scrap line at the end", header + piece,
       "it ends inside a bar, without the bar's SCRAP line"},
      {"cut inside a length", header + "INVENTORY,A14,W8X31,40'-0\",B1,12'-",
       "line 2 holds a length that is not one: \"12'-\""},
      {"cut after the mark", header + "INVENTORY,A14,W8X31,40'-0\",B1",
       "line 2 does not hold the 6 fields of a piece or the 4 of a scrap line"},
      {"foreign status", header + "SOLD,A14,W8X31,40'-0\",B1,12'-0\"\r\nSCRAP,A14,W8X31,0\"",
       "line 2 has neither INVENTORY nor NON-INVENTORY as its status"},
      {"mixed units", header + piece + "SCRAP,A14,W8X31,300.00000",
       "line 3 mixes millimetres with feet and inches"},
      {"pieces past the stock",
       header + "INVENTORY,A14,W8X31,10'-0\",B1,12'-0\"\r\nSCRAP,A14,W8X31,0\"",
       "line 3 ends a bar whose pieces are longer than its stock"},
      {"bins change inside a bar", header + piece + "INVENTORY,A15,W8X31,40'-0\",B1,1'-0\"\r\n",
       "line 3 names another bar than the lines before it"},
      {"huge length", header + "INVENTORY,A,W,1e300,B1,1\r\nSCRAP,A,W,0.00000",
       "line 2 holds a length that is not one: \"1e300\""},
  };
  for (const HostileExport& hostile : cases) {
    SCOPED_TRACE(hostile.name);
    try {
      DiagramOfExportText(hostile.text);
      ADD_FAILURE() << "read";
    } catch (const BrxError& error) {
      EXPECT_EQ(error.number, 13);
      EXPECT_EQ(error.description, hostile.why);
    }
  }
}

}  // namespace
