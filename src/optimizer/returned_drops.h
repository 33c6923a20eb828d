#pragma once

#include <string>
#include <vector>

struct JobState;
class MessageView;

// Drops that go back into stock: when a run subtracts its bars from the stock
// file and "Keep drops of at least" is set (KeptDropLength), the scrap of
// every bar that long becomes a bar of stock of the current material.

// One stock row the run's drops go to: an existing row they merge into, or a
// new row.
struct ReturnedDrop {
  std::string bin;      // "R" + the bin of the bar's row, or "R-ORDER" for an ordered bar
  double length = 0.0;  // the row's length, in the job's unit
  int count = 0;        // drops this run adds to the row
  int row = -1;         // the existing row's place in the stock list; -1 for a new row
};

// The rows the plan's drops go to, longest first; none unless the run updates
// the stock list (`stk_update`) and KeptDropLength is above 0. Drops of one bin and one shown
// length merge into one row, an existing inventory row of the current material included. No row
// goes beyond 999 bars, since a larger quantity would never be lowered again (a drop past that
// starts a new row), and a new row is planned only while the stock list has room for it; a drop
// that fits neither is not kept. A new row's length is the scrap as the stock file stores it.
std::vector<ReturnedDrop> PlanReturnedDrops(const JobState& job, MessageView& frontend);

// Adds planned drops to the stock list: a merged row's quantity grows, and a
// new row stands after every row at least as long, which is where reading the
// written file back and sorting it puts it.
void AddReturnedDrops(JobState& job, const std::vector<ReturnedDrop>& drops);

// The report section that lists them after the order list, one line per row
// with the drops it was given; empty when there are none.
std::string ReturnedDropsSection(const JobState& job, MessageView& frontend,
                                 const std::vector<ReturnedDrop>& drops);
