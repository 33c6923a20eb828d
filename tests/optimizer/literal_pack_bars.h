#pragma once

#include "optimizer/pack_bars.h"

struct JobState;

// Moves `selection` to the next selection of k of the n free positions in the
// walk order (the first call gives 0 … k-1). True when the selection now held
// is the last one for n and k; it must not be called again after that.
bool NextSelection(int n, int k, bool firstCall, Selection& selection);

// The bar packing search written plainly, selection by selection, as the judge
// of PackBars: every selection of the walk is summed in position order and
// tested against the stock rows, with the same four eps comparisons, exact-fit
// lowering at most once per selection, no selection of more than MAX_STK_CUTS
// pieces recorded and rows with a quantity of 0 or less passed over. No
// progress, events or cancel.
void LiteralPackBars(JobState& job, int level);
