#pragma once

#include <string>
#include <vector>

#include "core/job_state.h"

// A job with a plan built by hand, as the search would leave it.
struct PlannedJob {
  JobState job;

  // A stock row; quantity 0 makes it orderable.
  void AddStock(const std::string& bin, int quantity, double length) {
    StockItem& row = job.stock[job.stockCount++];
    row.nonInventory = quantity == 0;
    row.quantity = static_cast<std::int16_t>(quantity == 0 ? kOrderableQuantity : quantity);
    row.length = length;
    row.material = job.matl;
    row.bin = bin;
  }

  // A cut row and the pieces it expands to.
  void AddCut(const std::string& mark, int quantity, double length) {
    job.cuts[job.cutCount++] = CutItem{static_cast<std::int16_t>(quantity), length, mark, job.matl};
    for (int i = 0; i < quantity; ++i)
      job.pieces[job.pieceCount++] = CutPiece{length, false, mark, {}};
  }

  // A bar of the stock row holding the pieces, committed as the search does.
  void AddBar(int row, const std::vector<int>& pieces) {
    StockItem& stock = job.stock[row];
    if (stock.quantity >= 1 && stock.quantity <= 999) --stock.quantity;
    ++stock.usedCount;
    BarPlan& bar = job.bars[job.barCount++];
    bar = BarPlan{stock.bin, stock.nonInventory, stock.length, 0, {}};
    for (int p : pieces) {
      bar.pieceIndex[bar.pieceCount++] = static_cast<std::int16_t>(p);
      job.pieces[p].used = true;
      job.pieces[p].material = stock.material;
      ++job.usedPieceCount;
    }
  }
};
