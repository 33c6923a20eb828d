#include "lists/list_lines.h"

#include <algorithm>

#include "core/length_text.h"
#include "core/number_text.h"

namespace {

bool IsOrderable(const StockItem& item) { return item.quantity == kOrderableQuantity; }

}  // namespace

std::string StockLine(const StockItem& item, const LengthText& lengthText) {
  const std::string quantity = IsOrderable(item) ? "0" : std::to_string(item.quantity);
  return PadLeft(quantity, 3) + " pcs " + PadLeft(item.bin, 10) + " @ " +
         PadLeft(lengthText.FormatLength(item.length), 15);
}

std::string CutLine(const CutItem& item, const LengthText& lengthText) {
  return PadLeft(SignedCountText(item.quantity), 3) + " pcs. " + PadLeft(item.mark, 12) + " @ " +
         PadLeft(lengthText.FormatLength(item.length), 16);
}

std::string StockStatusText(int stockCount) { return SignedCountText(stockCount) + " stock items"; }

std::string StockListFocusText(int stockCount) {
  return SignedCountText(stockCount) + " stock list items";
}

std::string CutStatusText(int cutCount, int pieceCount) {
  return SignedCountText(cutCount) + " cut list items for a total of " +
         SignedCountText(pieceCount) + " cut pieces";
}

std::vector<std::string> SortedStockLines(JobState& job, const LengthText& lengthText) {
  SortStockByLength(job.stockCount, job.stock);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(job.stockCount));
  for (int i = 0; i < job.stockCount; ++i) lines.push_back(StockLine(job.stock[i], lengthText));
  return lines;
}

std::vector<std::string> SortedCutLines(JobState& job, const LengthText& lengthText) {
  // Change accepts quantities of 0 and below, so the running total can drop
  // under 0; only real entries are sorted.
  SortPiecesByLength(std::clamp<int>(job.pieceCount, 0, kMaxPieces), job.pieces);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(job.cutCount));
  for (int i = 0; i < job.cutCount; ++i) lines.push_back(CutLine(job.cuts[i], lengthText));
  return lines;
}

std::string StockQuantityFieldText(const StockItem& item) {
  return PadLeft(IsOrderable(item) ? "0" : SignedCountText(item.quantity), 3);
}

std::string CutQuantityFieldText(const CutItem& item) {
  return PadLeft(SignedCountText(item.quantity), 3);
}
