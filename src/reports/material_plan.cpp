#include "reports/material_plan.h"

#include <algorithm>

#include "core/job_state.h"
#include "core/length_text.h"
#include "reports/bar_cuts.h"

namespace {

// The row each bar was taken from: the first row of the bar's bin, length and
// kind that still has bars of the run's count left to account for.
int StockRowOf(const BarPlan& bar, const std::vector<PlannedStockRow>& rows,
               std::vector<int>& accounted) {
  int fallback = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PlannedStockRow& row = rows[i];
    if (row.bin != bar.bin || row.length.value != bar.stockLength ||
        row.orderable != bar.nonInventory) {
      continue;
    }
    if (fallback < 0) fallback = static_cast<int>(i);
    if (accounted[i] < row.used) {
      ++accounted[i];
      return static_cast<int>(i);
    }
  }
  return fallback;
}

}  // namespace

MaterialPlan CapturePlan(const JobState& job, MessageView& frontend) {
  const LengthText lengths(job, frontend);
  const auto length = [&lengths](double value) {
    return PlannedLength{value, lengths.FormatLength(value)};
  };
  MaterialPlan plan;
  plan.material = job.matl;
  plan.piecesCut = job.usedPieceCount;
  plan.lowerBound = job.planLowerBound;
  for (int i = 0; i < job.stockCount; ++i) {
    const StockItem& row = job.stock[i];
    plan.stock.push_back({row.bin, row.nonInventory, length(row.length), row.usedCount});
  }
  std::vector<int> accounted(plan.stock.size(), 0);
  const double kerf = KerfLength(job);
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[b];
    const BarCuts cuts = ReadBarCuts(job, bar, kerf, frontend);
    PlannedBar planned{StockRowOf(bar, plan.stock, accounted),
                       bar.bin,
                       bar.nonInventory,
                       length(bar.stockLength),
                       {},
                       length(cuts.scrap)};
    for (int p : cuts.pieces) {
      planned.pieces.push_back({job.pieces[p].mark, length(job.pieces[p].length)});
    }
    plan.bars.push_back(std::move(planned));
    plan.drop += cuts.scrap;
    plan.stockLength += bar.stockLength;
  }
  for (int i = 0; i < job.pieceCount; ++i) {
    const CutPiece& piece = job.pieces[i];
    if (!piece.used) plan.piecesNotCut.push_back({piece.mark, length(piece.length)});
  }
  return plan;
}

MaterialPlan NotCutPlan(const std::string& material, const std::string& reason) {
  MaterialPlan plan;
  plan.material = material;
  plan.notCutReason = reason;
  return plan;
}

std::vector<Purchase> PurchasesOf(const MaterialPlan& plan) {
  std::vector<Purchase> purchases;
  for (const PlannedStockRow& row : plan.stock) {
    if (!row.orderable || row.used <= 0) continue;
    auto same = std::find_if(purchases.begin(), purchases.end(), [&row](const Purchase& p) {
      return p.length.text == row.length.text;
    });
    if (same == purchases.end()) same = purchases.insert(purchases.end(), {row.length, 0, 0.0});
    same->count += row.used;
    same->totalLength += row.used * row.length.value;
  }
  std::stable_sort(purchases.begin(), purchases.end(), [](const Purchase& a, const Purchase& b) {
    return a.length.value > b.length.value;
  });
  return purchases;
}
