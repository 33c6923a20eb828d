#pragma once

#include <string>

#include "core/job_state.h"

// The row rules of the stock and cut list editing: what Add, Change and
// Delete do to the job. The window reads the entry fields, calls these and
// shows the outcome (messages, focus, list rebuilds).

// The material box's text as the current material: blanks at both ends
// removed, whatever its length.
std::string MaterialName(const std::string& boxText);

// The stock entry fields as the window read them.
struct StockEntry {
  double length = 0.0;
  std::string quantityText;
  std::string bin;
  std::string material;  // the material box's text
};

enum class StockEdit {
  Done,
  NoMaterial,       // Add with an empty material box
  ListFull,         // Add with 1000 rows
  QuantityRefused,  // below 0, or beyond a 16-bit count
  NoSelection,      // Change with no line selected
};

// Appends the row at index lineCount, the stock list box's number of lines.
StockEdit AddStockRow(JobState& job, int lineCount, const StockEntry& entry);
// Rewrites the selected row (-1: none); usedCount keeps its value.
StockEdit ChangeStockRow(JobState& job, int selected, int lineCount, const StockEntry& entry);
// Removes the selected row, or the last one when selected is -1.
void DeleteStockRow(JobState& job, int selected);

// The cut entry fields as the window read them.
struct CutEntry {
  std::string quantityText;
  double length = 0.0;
  std::string mark;
  std::string material;  // the material box's text
};

enum class CutEdit {
  Done,
  ListFull,         // Add with 1000 rows
  NoMark,           // Add with an empty mark
  TooManyForLine,   // more than 1500 pieces in one row
  NotPositive,      // Add with a quantity of 0 or less: refused silently
  PieceCapacity,    // the job would hold more than 2000 pieces
  QuantityRefused,  // Change to a quantity beyond a 16-bit count
  NoSelection,      // Change with no line selected: nothing happens
};

inline constexpr int kMaxPiecesPerCutRow = 1500;
// The largest stock quantity a row takes; the next one marks orderable rows.
inline constexpr int kMaxStockQuantity = kOrderableQuantity - 1;

// The entry checks that Add and Change make before a row changes. A stock
// quantity is a number that rounds to 0 (orderable) up to kMaxStockQuantity;
// a cut quantity a number that rounds to 1 or more (the upper limit per row
// has its own message).
bool IsStockQuantityText(const std::string& text);
bool IsCutQuantityText(const std::string& text);

// Where the stock row `row` stands once the list is sorted longest first by
// the stable sort the list display uses, the other rows being sorted already.
int SortedStockPosition(const JobState& job, int row);

// Appends the row at index lineCount, the cut list box's number of lines.
CutEdit AddCutRow(JobState& job, int lineCount, const CutEntry& entry);
// Rewrites the selected row (-1: none) and moves the piece total with it.
CutEdit ChangeCutRow(JobState& job, int selected, int lineCount, const CutEntry& entry);
// Removes the selected row (0 or above), lowering the piece total by its
// quantity; with -1 only the row count drops. Returns the position to select
// afterwards: the row above (a position of 0 or below selects nothing).
int DeleteCutRow(JobState& job, int selected);
