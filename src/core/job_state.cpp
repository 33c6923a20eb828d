#include "core/job_state.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "core/number_text.h"

JobState::JobState()
    : stock(kMaxStockRows + 1),
      cuts(kMaxCutRows + 1),
      pieces(kMaxPieces + 1),
      freePieces(kMaxPieces + 1),
      bars(kMaxBars + 1) {}

double KerfLength(const JobState& job) { return std::max(0.0, LeadingNumber(job.kerf)); }

double UnusableLength(const JobState& job) {
  return std::max(0.0, LeadingNumber(job.UnuseableLen));
}

double KeptDropLength(const JobState& job) { return std::max(0.0, LeadingNumber(job.remnantMin)); }

namespace {

// Straight insertion sort: a record moves down past every strictly shorter
// one, so records of equal length keep their order.
template <typename Record>
void InsertionSortLongestFirst(int count, std::vector<Record>& records) {
  assert(count >= 0 && count <= static_cast<int>(records.size()));
  for (int i = 1; i < count; ++i) {
    Record taken = std::move(records[i]);
    int j = i - 1;
    while (j >= 0 && records[j].length < taken.length) {
      records[j + 1] = std::move(records[j]);
      --j;
    }
    records[j + 1] = std::move(taken);
  }
}

}  // namespace

void SortStockByLength(int count, std::vector<StockItem>& stock) {
  InsertionSortLongestFirst(count, stock);
}

void SortPiecesByLength(int count, std::vector<CutPiece>& pieces) {
  InsertionSortLongestFirst(count, pieces);
}
