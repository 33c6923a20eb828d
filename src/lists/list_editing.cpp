#include "lists/list_editing.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/number_text.h"
#include "core/text_util.h"

namespace {

std::string DefaultBin(int index) { return std::to_string(index + 1); }

// A cut list edit: unsaved, and saved by the next run even when now empty.
void MarkCutListEdited(JobState& job) {
  job.dataChanged = true;
  job.cutListEdited = true;
}

}  // namespace

std::string MaterialName(const std::string& boxText) { return TrimSpaces(boxText); }

namespace {

// The rounded value of a quantity field's text, when it is a number at all.
std::optional<std::int16_t> TypedQuantity(const std::string& text) {
  if (!IsNumericText(text)) return std::nullopt;
  return RoundHalfEvenToInt16(LeadingNumber(text));
}

}  // namespace

bool IsStockQuantityText(const std::string& text) {
  const std::optional<std::int16_t> quantity = TypedQuantity(text);
  return quantity && *quantity >= 0 && *quantity <= kMaxStockQuantity;
}

bool IsCutQuantityText(const std::string& text) {
  if (!IsNumericText(text)) return false;
  const double typed = LeadingNumber(text);
  // Beyond a 16-bit count is still "too many for one row", not a bad text.
  return typed > kMaxPiecesPerCutRow || TypedQuantity(text).value_or(0) >= 1;
}

int SortedStockPosition(const JobState& job, int row) {
  const double length = job.stock[row].length;
  int position = 0;
  for (int j = 0; j < job.stockCount; ++j) {
    if (j == row) continue;
    const double other = job.stock[j].length;
    if (other > length || (other == length && j < row)) ++position;
  }
  return position;
}

StockEdit AddStockRow(JobState& job, int lineCount, const StockEntry& entry) {
  if (entry.material.empty()) return StockEdit::NoMaterial;
  if (lineCount >= kMaxStockRows) return StockEdit::ListFull;
  const double typed = LeadingNumber(entry.quantityText);
  const std::optional<std::int16_t> quantity = RoundHalfEvenToInt16(typed);
  if (typed < 0 || !quantity) return StockEdit::QuantityRefused;

  if (lineCount > job.stockCount) job.stockCount = static_cast<std::int16_t>(lineCount);
  StockItem& row = job.stock[lineCount];
  // Only the exact text "0" marks a row orderable, but any quantity that
  // rounds to 0 gets the orderable quantity.
  row.nonInventory = entry.quantityText == "0";
  row.length = entry.length;
  row.quantity = *quantity == 0 ? kOrderableQuantity : *quantity;
  ++job.stockCount;
  job.matl = MaterialName(entry.material);
  row.material = job.matl;
  row.bin = TrimSpaces(entry.bin);
  if (row.bin.empty()) row.bin = DefaultBin(lineCount);
  job.dataChanged = true;
  return StockEdit::Done;
}

StockEdit ChangeStockRow(JobState& job, int selected, int lineCount, const StockEntry& entry) {
  job.matl = MaterialName(entry.material);
  const double typed = LeadingNumber(entry.quantityText);
  if (typed < 0) return StockEdit::QuantityRefused;
  if (lineCount == 0 || selected < 0) return StockEdit::NoSelection;
  const std::optional<std::int16_t> quantity = RoundHalfEvenToInt16(typed);
  if (!quantity) return StockEdit::QuantityRefused;

  StockItem& row = job.stock[selected];
  row.length = entry.length;
  // Change looks at the value read, not the rounded one: 0.4 stores 0.
  row.quantity = typed == 0 ? kOrderableQuantity : *quantity;
  row.nonInventory = entry.quantityText == "0";
  row.material = job.matl;
  row.bin = TrimSpaces(entry.bin);
  job.dataChanged = true;
  return StockEdit::Done;
}

void DeleteStockRow(JobState& job, int selected) {
  if (selected >= 0 && selected <= job.stockCount - 2) {
    std::move(job.stock.begin() + selected + 1, job.stock.begin() + job.stockCount,
              job.stock.begin() + selected);
  }
  if (job.stockCount > 0) --job.stockCount;
  job.dataChanged = true;
}

CutEdit AddCutRow(JobState& job, int lineCount, const CutEntry& entry) {
  if (lineCount >= kMaxCutRows) return CutEdit::ListFull;
  if (entry.mark.empty()) return CutEdit::NoMark;
  const double typed = LeadingNumber(entry.quantityText);
  if (typed > kMaxPiecesPerCutRow) return CutEdit::TooManyForLine;
  if (typed <= 0) return CutEdit::NotPositive;

  CutItem& row = job.cuts[lineCount];
  row.quantity = *RoundHalfEvenToInt16(typed);
  row.mark = TrimSpaces(entry.mark);
  row.length = entry.length;
  job.matl = MaterialName(entry.material);
  row.material = job.matl;
  if (job.pieceCount + row.quantity > kMaxPieces) return CutEdit::PieceCapacity;

  ++job.cutCount;
  job.pieceCount = static_cast<std::int16_t>(job.pieceCount + row.quantity);
  MarkCutListEdited(job);
  return CutEdit::Done;
}

CutEdit ChangeCutRow(JobState& job, int selected, int lineCount, const CutEntry& entry) {
  job.matl = MaterialName(entry.material);
  if (lineCount == 0 || selected < 0) return CutEdit::NoSelection;
  const double typed = LeadingNumber(entry.quantityText);
  if (typed > kMaxPiecesPerCutRow) return CutEdit::TooManyForLine;
  const std::optional<std::int16_t> quantity = RoundHalfEvenToInt16(typed);
  if (!quantity) return CutEdit::QuantityRefused;

  CutItem& row = job.cuts[selected];
  const int total = job.pieceCount - row.quantity + *quantity;
  if (total > kMaxPieces) return CutEdit::PieceCapacity;
  if (total < std::numeric_limits<std::int16_t>::min()) return CutEdit::QuantityRefused;

  job.pieceCount = static_cast<std::int16_t>(total);
  row.quantity = *quantity;
  row.mark = entry.mark;
  row.length = entry.length;
  row.material = entry.material;
  MarkCutListEdited(job);
  return CutEdit::Done;
}

int DeleteCutRow(JobState& job, int selected) {
  if (selected >= 0) {
    job.pieceCount = static_cast<std::int16_t>(job.pieceCount - job.cuts[selected].quantity);
    // Row cutCount is within the array even for a full list of 1000 rows.
    for (int k = selected; k < job.cutCount; ++k) job.cuts[k] = job.cuts[k + 1];
  }
  if (job.cutCount > 0) --job.cutCount;
  MarkCutListEdited(job);
  return selected - 1;
}
