#include "optimizer/search_jobs.h"

#include <algorithm>
#include <sstream>

#include "core/number_text.h"

double StoredLength(double length) { return LeadingNumber(ShortestDecimal(length)); }

void ClearJob(JobState& job) {
  job.stockCount = 0;
  job.pieceCount = 0;
  job.barCount = 0;
  job.usedPieceCount = 0;
  job.totalStockQuantity = 0;
  job.kerf = "0";
  job.UnuseableLen = "0";
}

void AddStockRow(JobState& job, double length, int quantity) {
  StockItem& row = job.stock[job.stockCount];
  row.nonInventory = quantity == 0;
  row.quantity = static_cast<std::int16_t>(quantity == 0 ? kOrderableQuantity : quantity);
  row.usedCount = 0;
  row.length = length;
  row.material = kSearchMaterial;
  row.bin = "B" + std::to_string(job.stockCount);
  ++job.stockCount;
}

void AddPieces(JobState& job, double length, int count) {
  for (int i = 0; i < count; ++i) {
    CutPiece& piece = job.pieces[job.pieceCount];
    piece.length = length;
    piece.used = false;
    piece.mark = "M" + std::to_string(job.pieceCount);
    piece.material.clear();
    ++job.pieceCount;
  }
}

void FinishJob(JobState& job) {
  SortStockByLength(job.stockCount, job.stock);
  SortPiecesByLength(job.pieceCount, job.pieces);
  job.totalStockQuantity = 0;
  for (int i = 0; i < job.stockCount; ++i) {
    job.totalStockQuantity += std::max<int>(job.stock[i].quantity, 0);
  }
}

namespace {

std::string BarText(const BarPlan& bar) {
  std::ostringstream text;
  text.precision(17);
  text << "bin " << bar.bin << (bar.nonInventory ? " (order)" : "") << ", length "
       << bar.stockLength << ", pieces";
  for (int i = 0; i < bar.pieceCount; ++i) text << ' ' << bar.pieceIndex[i];
  return text.str();
}

}  // namespace

std::string PlanDifference(const JobState& expected, const JobState& actual) {
  std::ostringstream difference;
  difference.precision(17);
  if (expected.barCount != actual.barCount) {
    difference << "bar count " << expected.barCount << " != " << actual.barCount << "; ";
  }
  for (int i = 0; i < std::min(expected.barCount, actual.barCount); ++i) {
    const std::string want = BarText(expected.bars[i]);
    const std::string got = BarText(actual.bars[i]);
    if (want != got) {
      difference << "bar " << i << ": " << want << " != " << got << "; ";
      break;
    }
  }
  if (expected.usedPieceCount != actual.usedPieceCount) {
    difference << "used pieces " << expected.usedPieceCount << " != " << actual.usedPieceCount
               << "; ";
  }
  if (expected.dropTolerance != actual.dropTolerance) {
    difference << "drop tolerance " << expected.dropTolerance << " != " << actual.dropTolerance
               << "; ";
  }
  for (int i = 0; i < expected.stockCount; ++i) {
    const StockItem& want = expected.stock[i];
    const StockItem& got = actual.stock[i];
    if (want.quantity != got.quantity || want.usedCount != got.usedCount) {
      difference << "stock row " << i << ": quantity " << want.quantity << " used "
                 << want.usedCount << " != quantity " << got.quantity << " used " << got.usedCount
                 << "; ";
      break;
    }
  }
  for (int i = 0; i < expected.pieceCount; ++i) {
    const CutPiece& want = expected.pieces[i];
    const CutPiece& got = actual.pieces[i];
    if (want.used != got.used || want.material != got.material) {
      difference << "piece " << i << ": used " << want.used << " '" << want.material << "' != used "
                 << got.used << " '" << got.material << "'; ";
      break;
    }
  }
  return difference.str();
}
