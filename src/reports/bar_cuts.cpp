#include "reports/bar_cuts.h"

#include <string>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/ui_texts.h"

namespace {

constexpr const char* kTooManyCutsText = "SW bug:  cut list length > MAX_STK_CUTS";

std::string BadPieceIndexText(int index) {
  return "BRX Message: Reference to cut list index " + std::to_string(index) +
         " exceeds list size.";
}

}  // namespace

BarCuts ReadBarCuts(const JobState& job, const BarPlan& bar, double kerf, MessageView& frontend) {
  BarCuts cuts;
  double used = 0.0;
  for (int j = 0; j < bar.pieceCount; ++j) {
    if (bar.pieceCount > MAX_STK_CUTS) {
      frontend.ShowMessage(texts::kProgramTitle, kTooManyCutsText);
      break;
    }
    const int p = bar.pieceIndex[static_cast<std::size_t>(j)];
    // A negative index is as wrong as one past the list, and must not be read.
    if (p < 0 || p >= job.pieceCount) {
      frontend.ShowMessage(texts::kProgramTitle, BadPieceIndexText(p));
      break;
    }
    used += job.pieces[p].length + kerf;
    cuts.pieces.push_back(p);
  }
  const double scrap = bar.stockLength - used;
  cuts.scrap = scrap < kScrapEpsilon ? 0.0 : scrap;
  return cuts;
}
