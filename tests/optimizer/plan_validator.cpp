#include "optimizer/plan_validator.h"

#include <cmath>
#include <map>
#include <tuple>

#include "core/number_text.h"

namespace {

constexpr double kEpsilon = 1e-6;

// Rows that bars cannot tell apart: a bar records the row's length, bin and
// whether it is orderable, not the row itself.
using RowKey = std::tuple<double, std::string, bool>;

RowKey KeyOf(const StockItem& row) { return {row.length, row.bin, row.nonInventory}; }

bool BarFits(const JobState& job, const BarPlan& bar, double kerf, double unusable) {
  double sum = 0.0;
  for (int k = 0; k < bar.pieceCount; ++k) sum += job.pieces[bar.pieceIndex[k]].length;
  const double usable = bar.stockLength - unusable;
  const int count = bar.pieceCount;
  const bool withAllKerfs = sum + count * kerf <= usable + kEpsilon;
  const bool exactFill = std::fabs(sum + (count - 1) * kerf - usable) <= kEpsilon;
  return withAllKerfs || exactFill;
}

void CheckBars(const JobState& before, const JobState& after, std::vector<std::string>& problems) {
  const double kerf = LeadingNumber(before.kerf);
  const double unusable = LeadingNumber(before.UnuseableLen);
  if (after.barCount < 0 || after.barCount > kMaxBars) problems.push_back("bar count out of range");
  if (after.barCount > std::max(0, before.totalStockQuantity)) {
    problems.push_back("more bars than the stock file holds");
  }
  std::vector<int> timesCut(before.pieceCount, 0);
  for (int b = 0; b < after.barCount && b <= kMaxBars; ++b) {
    const BarPlan& bar = after.bars[b];
    const std::string name = "bar " + std::to_string(b + 1);
    if (bar.pieceCount < 1 || bar.pieceCount > MAX_STK_CUTS) {
      problems.push_back(name + ": piece count " + std::to_string(bar.pieceCount));
      continue;
    }
    bool indicesValid = true;
    for (int k = 0; k < bar.pieceCount; ++k) {
      const int piece = bar.pieceIndex[k];
      if (piece < 0 || piece >= before.pieceCount) {
        problems.push_back(name + ": piece index " + std::to_string(piece));
        indicesValid = false;
      } else if (++timesCut[piece] == 2) {
        problems.push_back("piece " + std::to_string(piece) + " in more than one bar");
      }
    }
    if (indicesValid && !BarFits(before, bar, kerf, unusable)) {
      problems.push_back(name + ": pieces do not fit");
    }
  }
  int cutPieces = 0;
  for (int piece = 0; piece < before.pieceCount; ++piece) {
    const bool cut = timesCut[piece] > 0;
    cutPieces += cut ? 1 : 0;
    if (after.pieces[piece].used != cut) {
      problems.push_back("piece " + std::to_string(piece) + ": used flag");
    }
    if (!cut && !after.pieces[piece].material.empty()) {
      problems.push_back("piece " + std::to_string(piece) + ": material set but not cut");
    }
  }
  if (after.usedPieceCount != cutPieces) problems.push_back("usedPieceCount");
  int freeAt = 0;
  for (int piece = 0; piece < before.pieceCount; ++piece) {
    if (timesCut[piece] == 0 && after.freePieces[freeAt++] != piece) {
      problems.push_back("freePieces");
      break;
    }
  }
}

void CheckStock(const JobState& before, const JobState& after, std::vector<std::string>& problems) {
  std::map<RowKey, int> barsPerKey;
  std::map<RowKey, std::string> materialOf;
  for (int b = 0; b < after.barCount && b <= kMaxBars; ++b) {
    const BarPlan& bar = after.bars[b];
    ++barsPerKey[{bar.stockLength, bar.bin, bar.nonInventory}];
  }
  std::map<RowKey, int> usedPerKey;
  for (int row = 0; row < before.stockCount; ++row) {
    const StockItem& was = before.stock[row];
    const StockItem& now = after.stock[row];
    const std::string name = "stock row " + std::to_string(row + 1);
    usedPerKey[KeyOf(was)] += now.usedCount;
    materialOf[KeyOf(was)] = was.material;
    if (now.usedCount < 0 || (was.quantity <= 0 && now.usedCount > 0)) {
      problems.push_back(name + ": used without bars left");
    }
    const bool runsDown = was.quantity >= 1 && was.quantity <= 999;
    if (runsDown && now.usedCount > was.quantity)
      problems.push_back(name + ": used beyond quantity");
    const int expected = runsDown ? was.quantity - now.usedCount : was.quantity;
    if (now.quantity != expected) problems.push_back(name + ": quantity");
  }
  std::map<RowKey, int> keys = barsPerKey;
  keys.insert(usedPerKey.begin(), usedPerKey.end());
  for (const auto& entry : keys) {
    const RowKey& key = entry.first;
    if (usedPerKey[key] != barsPerKey[key]) {
      problems.push_back("bin " + std::get<1>(key) + ": bars do not match the rows' used counts");
    }
  }
  for (int b = 0; b < after.barCount && b <= kMaxBars; ++b) {
    const BarPlan& bar = after.bars[b];
    const std::string& material = materialOf[{bar.stockLength, bar.bin, bar.nonInventory}];
    for (int k = 0; k < bar.pieceCount && k < MAX_STK_CUTS; ++k) {
      const int piece = bar.pieceIndex[k];
      if (piece >= 0 && piece < before.pieceCount && after.pieces[piece].material != material) {
        problems.push_back("piece " + std::to_string(piece) + ": material");
      }
    }
  }
}

}  // namespace

std::vector<std::string> PlanProblems(const JobState& before, const JobState& after) {
  std::vector<std::string> problems;
  CheckBars(before, after, problems);
  CheckStock(before, after, problems);
  return problems;
}

PlanTotals TotalsOf(const JobState& job) {
  PlanTotals totals;
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[b];
    for (int k = 0; k < bar.pieceCount; ++k)
      totals.cutLength += job.pieces[bar.pieceIndex[k]].length;
    totals.stockLength += bar.stockLength;
    if (bar.nonInventory) totals.orderableLength += bar.stockLength;
  }
  totals.bars = job.barCount;
  return totals;
}
