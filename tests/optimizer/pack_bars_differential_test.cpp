// PackBars against the literal search on generated jobs: the plans must be
// identical, bar for bar, row for row and piece for piece.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "optimizer/literal_pack_bars.h"
#include "optimizer/pack_bars.h"
#include "optimizer/search_jobs.h"
#include "support/recording_frontend.h"

namespace {

constexpr int kShards = 8;
constexpr int kJobsPerShard = BRX_TEST_SCALE_SMALL ? 250 : 2500;
// Every this many jobs one reaches the 1000-bar limit.
constexpr int kBarLimitEvery = 250;

class JobMaker : public JobRandom {
 public:
  explicit JobMaker(unsigned seed) : JobRandom(seed), level_(Between(0, 10)) {}

  // The optimisation level the job is searched at.
  int Level() const { return level_; }

  void SetKerf(JobState& job, double kerf) {
    kerf_ = kerf;
    job.kerf = ShortestDecimal(kerf);
  }

  // Up to 30 pieces in a few distinct lengths drawn by `length`.
  void AddPieceGroups(JobState& job, const std::function<double()>& length) {
    const int target = Between(1, 30);
    while (job.pieceCount < target) {
      AddPieces(job, length(), std::min(Between(1, 6), target - job.pieceCount));
    }
  }

  // The length a selection of the walk needs before the exact-fit lowering:
  // the first p pieces, one moving piece and the k-1-p shortest, plus k kerfs.
  double WalkRequired(const JobState& job) {
    std::vector<double> lengths;
    for (int i = 0; i < job.pieceCount; ++i) lengths.push_back(job.pieces[i].length);
    std::sort(lengths.begin(), lengths.end(), std::greater<>());
    const int n = static_cast<int>(lengths.size());
    const int k = Between(1, std::min(n, 6));
    const int prefix = k == n ? k - 1 : Between(0, k - 1);
    const int moving =
        prefix == k - 1 ? Between(prefix, n - 1) : Between(prefix + 1, n - k + prefix);
    double sum = 0.0;
    for (int i = 0; i < prefix; ++i) sum += lengths[i];
    sum += lengths[moving];
    for (int i = n - (k - 1 - prefix); i < n; ++i) sum += lengths[i];
    return sum + k * kerf_;
  }

  int Quantity() { return OneIn(4) ? 0 : Between(1, 3); }

  // A length right at the edge where `inside` stops holding towards
  // `outward` (+inf or -inf): the last one inside or the first one outside.
  double OnEdge(double guess, const std::function<bool(double)>& inside, double outward) {
    double length = guess;
    while (!inside(length)) length = std::nextafter(length, -outward);
    while (inside(std::nextafter(length, outward))) length = std::nextafter(length, outward);
    return OneIn(2) ? length : std::nextafter(length, outward);
  }

 private:
  int level_;
  double kerf_ = 0.0;
};

using JobKind = void (*)(JobMaker&, JobState&);

// Feet with sixteenths of an inch (not exact in binary), or inches with
// sixteenths (exact), on 20, 40 and 60 foot bars and odd lengths.
void FeetAndInches(JobMaker& make, JobState& job) {
  const double unit = make.OneIn(3) ? 1.0 : 12.0;  // inches per unit of length
  make.SetKerf(job, make.OneIn(2) ? 0.0 : StoredLength(0.125 / unit));
  if (make.OneIn(4)) job.UnuseableLen = ShortestDecimal(StoredLength(make.Between(1, 4) / unit));
  make.AddPieceGroups(job, [&] { return StoredLength(make.Between(192, 2304) / 16.0 / unit); });
  for (int rows = make.Between(1, 6); rows > 0; --rows) {
    const double feet = make.OneIn(2) ? make.Pick({20, 40, 60}) : make.Between(192, 720) / 24.0;
    AddStockRow(job, StoredLength(feet * 12 / unit), make.Quantity());
  }
}

void Millimetres(JobMaker& make, JobState& job) {
  make.SetKerf(job, make.Pick({0, 3, 2.5}));
  if (make.OneIn(4)) job.UnuseableLen = "25";
  make.AddPieceGroups(job, [&] { return make.Between(600, 6000) / 2.0; });
  for (int rows = make.Between(1, 6); rows > 0; --rows) {
    AddStockRow(job, make.OneIn(2) ? make.Pick({6000, 12000}) : make.Between(2000, 12000),
                make.Quantity());
  }
}

// Thirds and twelfths of a foot: sums meet the bar lengths only within eps.
void ThirdsOfAFoot(JobMaker& make, JobState& job) {
  make.SetKerf(job, make.Pick({0, 0, StoredLength(1.0 / 12), StoredLength(kEighthInchInFeet)}));
  make.AddPieceGroups(job, [&] {
    return StoredLength(make.OneIn(2) ? make.Between(2, 30) / 3.0 : make.Between(6, 120) / 12.0);
  });
  for (int rows = make.Between(1, 5); rows > 0; --rows) {
    const double feet = make.OneIn(2) ? make.Pick({10, 20, 40}) : make.Between(60, 480) / 12.0;
    AddStockRow(job, feet, make.Quantity());
  }
}

// Rows that a walk selection fills exactly only thanks to the exact-fit
// lowering, and rows one kerf shorter and longer than those.
void KerfExactFits(JobMaker& make, JobState& job) {
  const bool metric = make.OneIn(2);
  make.SetKerf(
      job, metric ? make.Pick({3, 2.5}) : StoredLength(make.Pick({kEighthInchInFeet, 1.0 / 12})));
  make.AddPieceGroups(job, [&] {
    return metric ? make.Between(300, 3000) : StoredLength(make.Between(192, 1536) / 192.0);
  });
  const double kerf = LeadingNumber(job.kerf);
  for (int fits = make.Between(1, 3); fits > 0; --fits) {
    const double usable = make.WalkRequired(job) - kerf;
    AddStockRow(job, StoredLength(usable), make.Between(1, 2));
    AddStockRow(job, StoredLength(usable - kerf), make.Quantity());
    if (make.OneIn(2)) AddStockRow(job, StoredLength(usable + kerf), make.Quantity());
  }
}

// Several rows of one length (some running out, some that never do) next to
// rows of other lengths.
void EqualRows(JobMaker& make, JobState& job) {
  make.SetKerf(job, make.OneIn(2) ? 0.0 : StoredLength(kEighthInchInFeet));
  make.AddPieceGroups(job, [&] { return StoredLength(make.Between(48, 480) / 24.0); });
  const double shared = make.Pick({20, 24, 40});
  for (int rows = make.Between(2, 4); rows > 0; --rows) {
    AddStockRow(job, shared, static_cast<int>(make.Pick({0, 1, 1, 2, 1000})));
  }
  for (int rows = make.Between(0, 2); rows > 0; --rows) {
    AddStockRow(job, make.Between(10, 40), make.Between(1, 2));
  }
}

// Pieces longer than every usable length stay unassigned.
void TooLongPieces(JobMaker& make, JobState& job) {
  make.SetKerf(job, make.OneIn(2) ? 0.0 : StoredLength(kEighthInchInFeet));
  const double unusable = StoredLength(make.Between(0, 12) / 12.0);
  job.UnuseableLen = ShortestDecimal(unusable);
  AddPieces(job, StoredLength(20 - unusable + make.Between(1, 96) / 192.0), make.Between(1, 3));
  make.AddPieceGroups(job, [&] { return StoredLength(make.Between(192, 2304) / 192.0); });
  AddStockRow(job, 20, make.Quantity());
  if (make.OneIn(2)) AddStockRow(job, 16, make.Quantity());
}

// Rows right at an eps edge of a walk selection, to the last unit in the last
// place: the end of the fit, the tolerance, both ends of the exact-fit
// lowering, and a second row whose drop is smaller by just about eps. Lengths
// in halves sum exactly; feet with sixteenths do not, so there the order of
// the additions shows in the last place.
void NearEpsilon(JobMaker& make, JobState& job) {
  const bool binary = make.OneIn(2);
  // Kerfs within 2 eps, and below 0 (a hand-edited setting), can be lowered
  // on rows that hold the selection.
  make.SetKerf(job, make.OneIn(4) ? kLengthEpsilon * make.Pick({0.5, 1, 2, 2.5, -1, -100000})
                    : binary      ? make.Pick({0, 0.25})
                                  : make.Pick({0, kEighthInchInFeet}));
  make.AddPieceGroups(job, [&] {
    return binary ? make.Between(2, 20) / 2.0 : StoredLength(make.Between(192, 1920) / 192.0);
  });
  constexpr double kUp = std::numeric_limits<double>::infinity();
  const double eps = kLengthEpsilon;
  const double tolerance = ShortestFreePieceLength(job) * (10 - make.Level()) / 10;
  const double kerf = LeadingNumber(job.kerf);
  for (int rows = make.Between(1, 6); rows > 0; --rows) {
    const double r = make.WalkRequired(job);
    const auto holds = [&](double usable) { return !(usable - r < -eps); };
    const auto meetsTolerance = [&](double usable) { return usable - r <= tolerance + eps; };
    const auto lowers = [&](double usable) { return std::abs(r - kerf - usable) <= eps; };
    double usable = 0.0;
    switch (make.Between(0, 3)) {
      case 0: usable = make.OnEdge(r - eps, holds, -kUp); break;
      case 1: usable = make.OnEdge(r + tolerance + eps, meetsTolerance, kUp); break;
      case 2: usable = make.OnEdge(r - kerf - eps, lowers, -kUp); break;
      default: usable = make.OnEdge(r - kerf + eps, lowers, kUp); break;
    }
    AddStockRow(job, usable, make.Between(1, 2));
    const auto smallerDrop = [&](double other) { return other - r < (usable - r) - eps; };
    if (make.OneIn(2)) AddStockRow(job, make.OnEdge(usable - eps, smallerDrop, kUp), 1);
    if (make.OneIn(2)) AddStockRow(job, r, 1);
  }
}

// The supply count ends the search, whatever the rows still hold.
void SupplyBound(JobMaker& make, JobState& job) {
  FeetAndInches(make, job);
  FinishJob(job);
  job.totalStockQuantity = make.Between(0, 4);
}

// Rows with a quantity below 0, some of which would fit best, are passed over.
void NegativeQuantities(JobMaker& make, JobState& job) {
  make.SetKerf(job, make.OneIn(2) ? 0.0 : 0.125);
  make.AddPieceGroups(job, [&] { return make.Between(16, 480) / 16.0; });
  AddStockRow(job, make.WalkRequired(job), make.Between(-3, -1));
  AddStockRow(job, 240, make.Quantity());
  AddStockRow(job, make.WalkRequired(job), make.Between(-1, 1));
}

// One exact-fit piece per bar on orderable rows: the plan stops at 1000 bars.
void BarLimit(JobMaker& make, JobState& job) {
  make.SetKerf(job, make.OneIn(2) ? 0.0 : StoredLength(kEighthInchInFeet));
  const int pieces = make.Between(1001, 1010);
  AddPieces(job, 20, pieces / 2);
  AddPieces(job, 8, pieces - pieces / 2);
  AddStockRow(job, 20, 0);
  AddStockRow(job, 8, 0);
}

constexpr JobKind kJobKinds[] = {FeetAndInches, Millimetres, ThirdsOfAFoot,
                                 KerfExactFits, EqualRows,   TooLongPieces,
                                 NearEpsilon,   SupplyBound, NegativeQuantities};

// Builds job `index` of a shard; the same index always gives the same job.
int MakeJob(int shard, int index, JobState& job) {
  JobMaker make(static_cast<unsigned>(shard * 1000003 + index));
  ClearJob(job);
  const bool barLimit = index % kBarLimitEvery == kBarLimitEvery - 1;
  const JobKind kind = barLimit ? BarLimit : kJobKinds[index % std::size(kJobKinds)];
  kind(make, job);
  if (kind != SupplyBound) FinishJob(job);
  return make.Level();
}

// What the generated plans went through, so a change to the generator cannot
// quietly stop covering a case.
struct Coverage {
  int barLimit = 0;     // the plan stopped at 1000 bars
  int supplyBound = 0;  // pieces left when the bar count reached the supply count
  int uncut = 0;        // pieces left over
  int lowered = 0;      // a bar holds more than its usable length minus one kerf per piece
  int withinEps = 0;    // a bar's drop is not 0 but no more than eps either way
  int rowRanOut = 0;    // an inventory row gave its last bar
  int orderedBar = 0;   // a bar from an orderable row

  void Tally(const JobState& job) {
    const double kerf = LeadingNumber(job.kerf);
    const double unusable = LeadingNumber(job.UnuseableLen);
    barLimit += job.barCount == kMaxBars;
    const bool piecesLeft = job.usedPieceCount < job.pieceCount;
    uncut += piecesLeft;
    supplyBound += piecesLeft && job.barCount == job.totalStockQuantity;
    bool anyLowered = false, anyWithinEps = false, anyOrdered = false, anyRanOut = false;
    for (int i = 0; i < job.barCount; ++i) {
      const BarPlan& bar = job.bars[i];
      double required = 0.0;
      for (int j = 0; j < bar.pieceCount; ++j) required += job.pieces[bar.pieceIndex[j]].length;
      required += bar.pieceCount * kerf;
      const double drop = bar.stockLength - unusable - required;
      anyLowered |= kerf > 0 && drop < -kLengthEpsilon;
      const double lastDrop = drop < -kLengthEpsilon ? drop + kerf : drop;
      anyWithinEps |= lastDrop != 0 && std::abs(lastDrop) <= kLengthEpsilon;
      anyOrdered |= bar.nonInventory;
    }
    for (int i = 0; i < job.stockCount; ++i) {
      anyRanOut |= job.stock[i].quantity == 0 && job.stock[i].usedCount > 0;
    }
    lowered += anyLowered;
    withinEps += anyWithinEps;
    orderedBar += anyOrdered;
    rowRanOut += anyRanOut;
  }
};

class PackBarsDifferentialTest : public testing::TestWithParam<int> {};

TEST_P(PackBarsDifferentialTest, SamePlanAsTheLiteralSearch) {
  const int shard = GetParam();
  JobState literal;
  JobState fast;
  RecordingFrontend frontend;
  Coverage coverage;
  for (int index = 0; index < kJobsPerShard; ++index) {
    const int level = MakeJob(shard, index, literal);
    MakeJob(shard, index, fast);
    LiteralPackBars(literal, level);
    PackBars(fast, frontend, level);
    ASSERT_EQ(PlanDifference(literal, fast), "")
        << "shard " << shard << ", job " << index << ", level " << level << ", kerf " << fast.kerf
        << ", unusable " << fast.UnuseableLen;
    coverage.Tally(literal);
  }
  EXPECT_GT(coverage.barLimit, 0);
  EXPECT_GT(coverage.supplyBound, 0);
  EXPECT_GT(coverage.uncut, 0);
  EXPECT_GT(coverage.lowered, 0);
  EXPECT_GT(coverage.withinEps, 0);
  EXPECT_GT(coverage.rowRanOut, 0);
  EXPECT_GT(coverage.orderedBar, 0);
}

INSTANTIATE_TEST_SUITE_P(Shards, PackBarsDifferentialTest, testing::Range(0, kShards));

}  // namespace
