#pragma once

#include <string>
#include <vector>

#include "core/job_state.h"

class LengthText;

// The fixed-column text lines of the main window's stock and cut list boxes
// and the row counts the status bar shows after each rebuild. Blanks in front
// line the columns up in a fixed-pitch font as long as the texts fit.

// "   5 pcs        A12 @           40'-0\"": quantity (0 for an orderable
// row), bin and length, each padded on the left.
std::string StockLine(const StockItem& item, const LengthText& lengthText);
// "  12 pcs.           B1 @            6 5/8\"": the quantity carries a sign
// position, the mark and length columns are one wider than the stock line's.
std::string CutLine(const CutItem& item, const LengthText& lengthText);

// " 3 stock items"
std::string StockStatusText(int stockCount);
// " 3 stock list items": the status when the stock list gets the focus.
std::string StockListFocusText(int stockCount);
// " 3 cut list items for a total of  12 cut pieces"
std::string CutStatusText(int cutCount, int pieceCount);

// Sorts the stock rows longest first and gives their lines in that order.
std::vector<std::string> SortedStockLines(JobState& job, const LengthText& lengthText);
// Sorts the pieces longest first (the cut rows keep their order) and gives
// the cut rows' lines.
std::vector<std::string> SortedCutLines(JobState& job, const LengthText& lengthText);

// What the quantity fields show for a selected row: the stock quantity with a
// sign position ("0" for an orderable row), the cut quantity likewise.
std::string StockQuantityFieldText(const StockItem& item);
std::string CutQuantityFieldText(const CutItem& item);
