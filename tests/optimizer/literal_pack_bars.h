#pragma once

struct JobState;

// The bar packing search written plainly, selection by selection, as the judge
// of PackBars: every selection of the walk is summed in position order and
// tested against the stock rows, with the same four eps comparisons, exact-fit
// lowering at most once per selection, no selection of more than MAX_STK_CUTS
// pieces recorded and rows with a quantity of 0 or less passed over. No
// progress, events or cancel.
void LiteralPackBars(JobState& job, int level);
