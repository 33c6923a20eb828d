#include "optimizer/pack_bars.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "core/frontend.h"
#include "core/number_text.h"

// How the search stays exact while skipping work.
//
// For size k the walk visits, in order, the selections made of a prefix of
// the first p positions, one moving position m and the k-1-p last positions,
// for p = k-1 down to 0 and m rising. A selection matters only when its row
// loop records a pair or meets the tolerance; every other selection can be
// passed over without changing the plan. A selection can matter only when its
// required length R lies near some open row's usable length L: within
// [L - reach, L + eps] (a drop small enough to record or to meet the
// tolerance) or within eps of L + kerf (the exact-fit lowering).
//
// A quick sum (prefix sum + moving length + suffix sum) stands in for the
// literal sum; both are within `slack` of the exact real sum, so a selection
// whose quick sum lies outside every widened interval cannot matter. Quick and
// literal sums both only fall as m rises (the lengths are sorted and rounded
// addition is monotone), which lets the search jump to the next m whose quick
// sum reaches the next interval. Every selection that may matter is summed in
// position order and run through the row loop exactly as written, so records,
// ties and the tolerance come out as in the plain walk.

namespace {

constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon() / 2;
constexpr double kNothingBelow = -std::numeric_limits<double>::infinity();
// The clock is read once per this many steps of work.
constexpr int kStepsPerClockCheck = 64;

// Shows progress and lets window events run after every interval of work.
class Pacer {
 public:
  Pacer(JobState& job, ProgressView& frontend, std::chrono::milliseconds interval)
      : job_(job), frontend_(frontend), interval_(interval), lastPump_(Clock::now()) {}

  // Counts one step of work; true once a cancel has been requested.
  bool Step() {
    if (++steps_ >= kStepsPerClockCheck) {
      steps_ = 0;
      if (Clock::now() - lastPump_ >= interval_) {
        ShowCuttingProgress(frontend_, job_.usedPieceCount, job_.pieceCount);
        frontend_.PumpEvents();
        lastPump_ = Clock::now();
      }
    }
    return job_.cancelRequested;
  }

 private:
  using Clock = std::chrono::steady_clock;

  JobState& job_;
  ProgressView& frontend_;
  std::chrono::milliseconds interval_;
  Clock::time_point lastPump_;
  int steps_ = 0;
};

// One selection of the walk: positions 0 … prefix-1, `moving`, and the
// size-1-prefix last free positions.
struct WalkPoint {
  int size = 0;
  int prefix = 0;
  int moving = 0;
};

// Consecutive open stock rows of the same usable length give the same drop:
// only the first can record a smaller drop, and when the tolerance is met the
// last one is recorded.
struct RowRun {
  int first = 0;
  int last = 0;
  double usable = 0.0;
};

// Where a quick sum lies against the open rows.
struct Probe {
  bool mayMatter = false;
  double nextTop = kNothingBelow;  // highest interval end below the sum
};

// Bounds that hold while one selection size is searched.
struct SizeBounds {
  int size = 0;
  double kerfTotal = 0.0;  // size × kerf, as the literal sum adds it
  double slack = 0.0;      // quick sum to literal sum, and rounding of the bounds
  double fitSlack = 0.0;   // kLengthEpsilon + slack
  double reach = 0.0;      // largest drop that can still matter, plus slack
  double lowest = 0.0;     // no smaller required length can matter
  double highest = 0.0;    // no larger required length fits an open row
};

class BarSearch {
 public:
  BarSearch(JobState& job, ProgressView& frontend, std::chrono::milliseconds pumpInterval)
      : job_(job),
        pacer_(job, frontend, pumpInterval),
        kerf_(KerfLength(job)),
        unusable_(UnusableLength(job)),
        tolerance_(job.dropTolerance),
        length_(kMaxPieces + 1),
        prefixSum_(kMaxPieces + 2),
        suffixSum_(kMaxPieces + 2),
        usable_(kMaxStockRows + 1) {
    runs_.reserve(kMaxStockRows + 1);
    openLengths_.reserve(kMaxStockRows + 1);
    for (int row = 0; row < job.stockCount; ++row) usable_[row] = job.stock[row].length - unusable_;
  }

  void Run() {
    freeCount_ = job_.pieceCount;
    LoadPieces();
    LoadOpenRows();
    bool stop = false;
    do {
      job_.bars[job_.barCount].pieceCount = 0;
      SearchBar();
      stop = !recorded_ || cancelled_;
      if (recorded_) {
        CommitBest();
        if (job_.barCount >= kMaxBars) stop = true;
      }
    } while (!stop && job_.usedPieceCount < job_.pieceCount &&
             job_.barCount < job_.totalStockQuantity);
  }

 private:
  void LoadPieces() {
    for (int position = 0; position < freeCount_; ++position) {
      length_[position] = job_.pieces[job_.freePieces[position]].length;
    }
    // The jumps rely on the cutting run's longest-first order of the pieces.
    assert(std::is_sorted(length_.begin(), length_.begin() + freeCount_, std::greater<>()));
    prefixSum_[0] = 0.0;
    for (int position = 0; position < freeCount_; ++position) {
      prefixSum_[position + 1] = prefixSum_[position] + length_[position];
    }
    suffixSum_[0] = 0.0;
    for (int count = 1; count <= freeCount_; ++count) {
      suffixSum_[count] = suffixSum_[count - 1] + length_[freeCount_ - count];
    }
  }

  void LoadOpenRows() {
    runs_.clear();
    largestAbsUsable_ = 0.0;
    for (int row = 0; row < job_.stockCount; ++row) {
      if (job_.stock[row].quantity <= 0) continue;
      const double usable = usable_[row];
      if (!runs_.empty() && runs_.back().usable == usable) {
        runs_.back().last = row;
      } else {
        runs_.push_back({row, row, usable});
      }
      largestAbsUsable_ = std::max(largestAbsUsable_, std::abs(usable));
    }
    // Far above the rounding of any drop or kerf test on these lengths.
    const double noise = 32.0 * kUnitRoundoff * (largestAbsUsable_ + std::abs(kerf_) + 1.0);
    const double wideGap = 2.0 * kLengthEpsilon + noise;
    bool descending = true;
    spacedRuns_ = kerf_ >= 0.0;
    for (std::size_t i = 1; i < runs_.size(); ++i) {
      const double gap = runs_[i - 1].usable - runs_[i].usable;
      descending = descending && gap > 0.0;
      spacedRuns_ = spacedRuns_ && gap > wideGap;
    }
    openLengths_.clear();
    for (auto run = runs_.rbegin(); run != runs_.rend(); ++run) openLengths_.push_back(run->usable);
    if (!descending) {
      std::sort(openLengths_.begin(), openLengths_.end());
      openLengths_.erase(std::unique(openLengths_.begin(), openLengths_.end()), openLengths_.end());
    }
  }

  void SearchBar() {
    bestDrop_ = kNoDropYet;
    bestRow_ = 0;
    recorded_ = false;
    if (freeCount_ == 0 || openLengths_.empty()) return;
    const int sizeLimit = SizeLimit();
    for (int size = 1; size <= sizeLimit && !cancelled_; ++size) {
      within_ = false;
      SetSize(size);
      SearchSize();
      if (within_) return;
    }
  }

  // The largest size worth trying: when even the shortest pieces of a size
  // fit no open row, no larger size fits either (as long as every piece plus
  // the kerf adds length). Sizes above MAX_STK_CUTS are never tried, so no
  // bar can overrun its piece slots.
  int SizeLimit() {
    const int limit = std::min(freeCount_, MAX_STK_CUTS);
    if (length_[freeCount_ - 1] + kerf_ < 0.0) return limit;
    for (int size = 1; size <= limit; ++size) {
      SetSize(size);
      if (QuickRequired(0, freeCount_ - size) > size_.highest) return size - 1;
    }
    return limit;
  }

  void SetSize(int size) {
    const double largestPiece = std::max(std::abs(length_[0]), std::abs(length_[freeCount_ - 1]));
    const double absKerf = std::abs(kerf_);
    size_.size = size;
    size_.kerfTotal = size * kerf_;
    // Recursive summation of size+3 terms errs by at most (size+2)·u·Σ|terms|
    // for either sum; the factor 8 also covers the rounding of the bounds.
    size_.slack = 8.0 * (size + 4) * kUnitRoundoff *
                  (size * (largestPiece + absKerf) + largestAbsUsable_ + absKerf + 1.0);
    size_.fitSlack = kLengthEpsilon + size_.slack;
    size_.highest = openLengths_.back() + std::max(kerf_, 0.0) + size_.fitSlack;
    UpdateReach();
  }

  // A drop matters when it is smaller than the best by more than eps or meets
  // the tolerance; the bounds narrow as the best drop falls.
  void UpdateReach() {
    const double widest = std::max(bestDrop_ - kLengthEpsilon, tolerance_ + kLengthEpsilon);
    size_.reach = widest + size_.slack + 4.0 * kUnitRoundoff * std::abs(widest);
    size_.lowest = openLengths_.front() - size_.reach;
    if (kerf_ != 0.0) {
      size_.lowest = std::min(size_.lowest, openLengths_.front() + kerf_ - size_.fitSlack);
    }
  }

  void SearchSize() {
    const int size = size_.size;
    for (int prefix = size - 1; prefix >= 0; --prefix) {
      if (Cancelled()) return;
      const int first = prefix == size - 1 ? prefix : prefix + 1;
      const int last = freeCount_ - size + prefix;
      if (first > last) continue;
      // A smaller prefix swaps long pieces for short ones: its largest sum is
      // no larger than this one.
      if (QuickRequired(prefix, first) < size_.lowest) return;
      if (QuickRequired(prefix, last) > size_.highest) continue;
      for (int moving = NextCandidate(prefix, first, last); moving >= 0;
           moving = NextCandidate(prefix, moving + 1, last)) {
        Evaluate({size, prefix, moving});
        if (within_ || Cancelled()) return;
      }
    }
  }

  // Counts a step of work for the pacer; true once a cancel was requested.
  bool Cancelled() {
    cancelled_ = pacer_.Step();
    return cancelled_;
  }

  double QuickRequired(int prefix, int moving) const {
    return ((prefixSum_[prefix] + length_[moving]) + suffixSum_[size_.size - 1 - prefix]) +
           size_.kerfTotal;
  }

  // The required length exactly as the literal walk computes it: the lengths
  // in position order, then size × kerf.
  double ExactRequired(const WalkPoint& point) const {
    double sum = prefixSum_[point.prefix] + length_[point.moving];
    for (int position = freeCount_ - (point.size - 1 - point.prefix); position < freeCount_;
         ++position) {
      sum += length_[position];
    }
    return sum + point.size * kerf_;
  }

  // The first moving position from `moving` to `last` whose selection may
  // matter, or -1.
  int NextCandidate(int prefix, int moving, int last) const {
    while (moving <= last) {
      const Probe probe = ProbeRows(QuickRequired(prefix, moving));
      if (probe.mayMatter) return moving;
      if (probe.nextTop == kNothingBelow) return -1;
      moving = FirstAtOrBelow(prefix, moving + 1, last, probe.nextTop);
    }
    return -1;
  }

  // The first position in [from, last] whose quick sum is at most `top`, or
  // last + 1; quick sums fall as the position rises. Gallops, then bisects.
  int FirstAtOrBelow(int prefix, int from, int last, double top) const {
    int low = from;
    int high = last + 1;
    for (int span = 1; low < high; span *= 2) {
      const int probe = std::min(low + span - 1, high - 1);
      if (QuickRequired(prefix, probe) <= top) {
        high = probe;
        break;
      }
      low = probe + 1;
    }
    while (low < high) {
      const int middle = low + (high - low) / 2;
      if (QuickRequired(prefix, middle) <= top) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    return low;
  }

  Probe ProbeRows(double required) const {
    const auto begin = openLengths_.begin();
    const auto end = openLengths_.end();
    const auto holding = std::lower_bound(begin, end, required - size_.fitSlack);
    if (holding != end && *holding <= required + size_.reach) return {true, 0.0};
    Probe probe;
    if (holding != begin) probe.nextTop = *(holding - 1) + size_.fitSlack;
    if (kerf_ != 0.0) {
      const auto exact = std::lower_bound(begin, end, required - kerf_ - size_.fitSlack);
      if (exact != end && *exact <= required - kerf_ + size_.fitSlack) return {true, 0.0};
      if (exact != begin) {
        probe.nextTop = std::max(probe.nextTop, *(exact - 1) + kerf_ + size_.fitSlack);
      }
    }
    return probe;
  }

  // Where the row loop of a selection needing `required` may start. When the
  // runs fall by more than 2 eps each, a kerf of 0 or more can be lowered only
  // on the last run that holds the selection or a later one, and each holding
  // run records over the one before it (its drop is smaller by more than eps),
  // so the last holding run decides.
  std::size_t FirstDecidingRun(double required) const {
    if (!spacedRuns_) return 0;
    const auto holding = std::partition_point(runs_.begin(), runs_.end(), [&](const RowRun& run) {
      return !(run.usable - required < -kLengthEpsilon);
    });
    return holding == runs_.begin() ? 0 : static_cast<std::size_t>(holding - runs_.begin()) - 1;
  }

  // The row loop of one selection, as written, over runs of equal rows.
  void Evaluate(const WalkPoint& point) {
    double required = ExactRequired(point);
    bool lowered = false;
    for (auto run = runs_.begin() + FirstDecidingRun(required); run != runs_.end(); ++run) {
      // The last cut needs no kerf when the pieces fill the row exactly; the
      // lowering happens at most once per selection.
      if (!lowered && std::abs(required - kerf_ - run->usable) <= kLengthEpsilon) {
        required -= kerf_;
        lowered = true;
      }
      const double drop = run->usable - required;
      if (drop < -kLengthEpsilon) return;
      if (drop <= tolerance_ + kLengthEpsilon) within_ = true;
      if (within_) {
        Record(drop, run->last, point);
      } else if (drop < bestDrop_ - kLengthEpsilon) {
        Record(drop, run->first, point);
      }
    }
  }

  void Record(double drop, int row, const WalkPoint& point) {
    bestDrop_ = std::abs(drop) <= kLengthEpsilon ? 0.0 : drop;
    bestRow_ = row;
    best_ = point;
    recorded_ = true;
    UpdateReach();
  }

  void CommitBest() {
    BarPlan& bar = job_.bars[job_.barCount];
    int cursor = 0;
    const auto take = [&](int position) { bar.pieceIndex[cursor++] = job_.freePieces[position]; };
    for (int position = 0; position < best_.prefix; ++position) take(position);
    take(best_.moving);
    for (int position = freeCount_ - (best_.size - 1 - best_.prefix); position < freeCount_;
         ++position) {
      take(position);
    }
    job_.barPieceCursor = static_cast<std::int16_t>(cursor);
    bar.pieceCount = static_cast<std::int16_t>(best_.size);
    CommitBar(job_, bestRow_, freeCount_);
    LoadPieces();
    if (job_.stock[bestRow_].quantity <= 0) LoadOpenRows();
  }

  JobState& job_;
  Pacer pacer_;
  const double kerf_;
  const double unusable_;
  const double tolerance_;
  int freeCount_ = 0;
  std::vector<double> length_;       // by free position, longest first
  std::vector<double> prefixSum_;    // [p]: positions 0 … p-1 added in order from 0
  std::vector<double> suffixSum_;    // [j]: the last j positions
  std::vector<double> usable_;       // per stock row: length - unusable length
  std::vector<RowRun> runs_;         // open rows (quantity above 0) in stock order
  bool spacedRuns_ = false;          // see FirstDecidingRun
  std::vector<double> openLengths_;  // distinct usable lengths of open rows, ascending
  double largestAbsUsable_ = 0.0;
  SizeBounds size_;
  bool within_ = false;
  bool recorded_ = false;
  bool cancelled_ = false;
  double bestDrop_ = kNoDropYet;
  int bestRow_ = 0;
  WalkPoint best_;
};

}  // namespace

void PackBars(JobState& job, ProgressView& frontend, int level,
              std::chrono::milliseconds pumpInterval) {
  job.dropTolerance = ShortestFreePieceLength(job) * (10 - level) / 10;
  job.cancelRequested = false;
  job.barCount = 0;
  job.usedPieceCount = 0;
  for (int i = 0; i < job.pieceCount; ++i) job.freePieces[i] = static_cast<std::int16_t>(i);
  BarSearch(job, frontend, pumpInterval).Run();
}

double ShortestFreePieceLength(const JobState& job) {
  double shortest = kNoShortPiece;
  for (int i = 0; i < job.pieceCount; ++i) {
    const CutPiece& piece = job.pieces[i];
    if (!piece.used && piece.length < shortest) shortest = piece.length;
  }
  return shortest;
}

void CommitBar(JobState& job, int stockRow, int& freeCount) {
  StockItem& row = job.stock[stockRow];
  if (QuantityRunsDown(row.quantity)) --row.quantity;
  ++row.usedCount;
  BarPlan& bar = job.bars[job.barCount];
  bar.stockLength = row.length;
  bar.nonInventory = row.nonInventory;
  bar.bin = row.bin;
  for (int i = 0; i < bar.pieceCount; ++i) {
    CutPiece& piece = job.pieces[bar.pieceIndex[i]];
    piece.used = true;
    piece.material = row.material;
    ++job.usedPieceCount;
  }
  freeCount = 0;
  for (int i = 0; i < job.pieceCount; ++i) {
    if (!job.pieces[i].used) job.freePieces[freeCount++] = static_cast<std::int16_t>(i);
  }
  ++job.barCount;
}

void ShowCuttingProgress(ProgressView& frontend, int done, int total) {
  const double percent = total > 0 ? static_cast<double>(done) / total * 100 : 0.0;
  frontend.ShowProgress(static_cast<float>(percent));
}
