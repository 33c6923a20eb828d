#include "optimizer/literal_pack_bars.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "core/job_state.h"
#include "core/number_text.h"
#include "optimizer/pack_bars.h"

bool NextSelection(int n, int k, bool firstCall, Selection& selection) {
  if (firstCall) {
    for (int i = 0; i < k; ++i) selection[i] = static_cast<std::int16_t>(i);
  } else if (selection[k - 1] < n - 1) {
    ++selection[k - 1];
  } else {
    // The positions after j already hold their highest values.
    int j = k - 2;
    while (selection[j] >= n - k + j) --j;
    assert(j >= 0);
    ++selection[j];
  }
  return selection[0] >= n - k;
}

void LiteralPackBars(JobState& job, int level) {
  const int pieceTotal = job.pieceCount;
  job.dropTolerance = ShortestFreePieceLength(job) * (10 - level) / 10;
  job.cancelRequested = false;
  job.barCount = 0;
  job.usedPieceCount = 0;
  // A negative kerf or unusable length counts as 0.
  const double kerf = std::max(0.0, LeadingNumber(job.kerf));
  const double unusable = std::max(0.0, LeadingNumber(job.UnuseableLen));
  int n = pieceTotal;
  int kmax = pieceTotal;
  for (int i = 0; i < pieceTotal; ++i) job.freePieces[i] = static_cast<std::int16_t>(i);

  Selection c{};
  bool stop = true;
  do {
    BarPlan& bar = job.bars[job.barCount];
    bar.pieceCount = 0;
    stop = true;
    double bestDrop = kNoDropYet;
    int bestRow = 0;
    for (int k = 1; k <= kmax; ++k) {
      bool within = false;
      bool firstCall = true;
      for (;;) {
        const bool last = NextSelection(n, k, firstCall, c);
        firstCall = false;
        double required = 0.0;
        for (int i = 0; i < k; ++i) required += job.pieces[job.freePieces[c[i]]].length;
        required += k * kerf;
        bool lowered = false;
        for (int s = 0; s < job.stockCount; ++s) {
          if (job.stock[s].quantity <= 0) continue;
          const double usable = job.stock[s].length - unusable;
          if (!lowered && std::abs(required - kerf - usable) <= kLengthEpsilon) {
            required -= kerf;
            lowered = true;
          }
          const double drop = usable - required;
          if (drop < -kLengthEpsilon) break;
          if (drop <= job.dropTolerance + kLengthEpsilon) within = true;
          if ((drop < bestDrop - kLengthEpsilon || within) && k <= MAX_STK_CUTS) {
            bestDrop = std::abs(drop) <= kLengthEpsilon ? 0.0 : drop;
            bestRow = s;
            stop = false;
            for (job.barPieceCursor = 0; job.barPieceCursor < k; ++job.barPieceCursor) {
              bar.pieceIndex[job.barPieceCursor] = job.freePieces[c[job.barPieceCursor]];
            }
            bar.pieceCount = static_cast<std::int16_t>(k);
          }
        }
        if (last || within) break;
      }
      if (within) break;
    }
    if (bar.pieceCount > 0) {
      CommitBar(job, bestRow, n);
      if (job.barCount >= kMaxBars) stop = true;
      kmax = n;
    }
  } while (!(job.usedPieceCount >= pieceTotal || stop || job.barCount >= job.totalStockQuantity));
}
