#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/job_state.h"

// A job for the tests: stock rows as (length, quantity, with 0 orderable),
// pieces by length, sorted longest first as a cutting run sorts them.
struct TestStock {
  double length = 0.0;
  int quantity = 0;
};
inline JobState MakeTestJob(const std::vector<TestStock>& stock, const std::vector<double>& pieces,
                            const std::string& kerf = "0", const std::string& unusable = "0") {
  JobState job;
  job.matl = "W8X31";
  job.kerf = kerf;
  job.UnuseableLen = unusable;
  for (const TestStock& given : stock) {
    StockItem& row = job.stock[job.stockCount];
    row.material = job.matl;
    row.bin = "B" + std::to_string(job.stockCount + 1);
    row.length = given.length;
    row.nonInventory = given.quantity == 0;
    row.quantity =
        static_cast<std::int16_t>(row.nonInventory ? kOrderableQuantity : given.quantity);
    job.totalStockQuantity += std::max<int>(0, row.quantity);
    ++job.stockCount;
  }
  for (const double length : pieces) {
    CutPiece& piece = job.pieces[job.pieceCount];
    piece.length = length;
    piece.mark = "M" + std::to_string(job.pieceCount + 1);
    ++job.pieceCount;
  }
  SortStockByLength(job.stockCount, job.stock);
  SortPiecesByLength(job.pieceCount, job.pieces);
  return job;
}
