#include "reports/job_summary.h"

#include <algorithm>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/length_text.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "reports/report_text.h"

namespace {

constexpr std::string_view kMaterialHeading = "Material: ";

// What the lines of one material and of the whole job count.
struct Tally {
  int piecesCut = 0;
  int piecesNotCut = 0;
  int bars = 0;
  double stockLength = 0.0;
  double drop = 0.0;
  double lowerBound = 0.0;
  bool bounded = true;  // every material counted had a lower bound

  void Add(const MaterialPlan& plan) {
    piecesCut += plan.piecesCut;
    piecesNotCut += static_cast<int>(plan.piecesNotCut.size());
    bars += static_cast<int>(plan.bars.size());
    stockLength += plan.stockLength;
    drop += plan.drop;
    lowerBound += plan.lowerBound;
    bounded = bounded && plan.lowerBound > 0.0;
  }
};

std::string TallyText(const Tally& tally, const LengthText& lengths) {
  std::string text = std::to_string(tally.piecesCut) + " pieces cut, " +
                     std::to_string(tally.piecesNotCut) + " not cut, " +
                     std::to_string(tally.bars) + " bar(s), stock length " +
                     lengths.FormatLength(tally.stockLength);
  if (tally.stockLength > 0) {
    text += ", drop " + DropPercentText(tally.drop * 100 / tally.stockLength) + "%";
  }
  if (tally.bounded && tally.lowerBound > 0.0) {
    const double gap = (tally.stockLength - tally.lowerBound) / tally.lowerBound * 100;
    text += ", within " + FixedDecimal(gap, 2) + "% of the lower bound " +
            lengths.FormatLength(tally.lowerBound);
  }
  return text;
}

// The orderable bars of one material, longest first, one line per length.
void WritePurchases(const MaterialPlan& plan, const LengthText& lengths, ReportText& out) {
  const std::vector<Purchase> purchases = PurchasesOf(plan);
  if (purchases.empty()) return;
  out.Write(std::string(kMaterialHeading) + plan.material);
  for (const Purchase& purchase : purchases) {
    out.Write("Order " + PadLeft(std::to_string(purchase.count), 3) + " item(s)   " +
              PadLeft(purchase.length.text, 14) + "   total length " +
              PadLeft(lengths.FormatLength(purchase.totalLength), 14));
  }
}

}  // namespace

std::string JobSummaryText(const JobState& job, MessageView& frontend,
                           const std::vector<MaterialPlan>& plans, const std::string& reportTime) {
  const LengthText lengths(job, frontend);
  ReportText out;
  out.WriteLineBreak();
  out.Write("BRX JOB SUMMARY:");
  Tally total;
  for (const MaterialPlan& plan : plans) {
    if (!plan.notCutReason.empty()) continue;
    Tally one;
    one.Add(plan);
    total.Add(plan);
    out.Write(plan.material + ": " + TallyText(one, lengths));
  }
  out.Write("Job total: " + TallyText(total, lengths));
  out.Write("");
  if (std::any_of(plans.begin(), plans.end(),
                  [](const MaterialPlan& plan) { return !plan.notCutReason.empty(); })) {
    out.Write("MATERIALS NOT CUT:");
    for (const MaterialPlan& plan : plans) {
      if (!plan.notCutReason.empty()) out.Write(plan.material + ": " + plan.notCutReason);
    }
    out.Write("");
  }
  out.Write("PURCHASE LIST:");
  for (const MaterialPlan& plan : plans) WritePurchases(plan, lengths, out);
  out.Write("");
  if (total.piecesNotCut > 0) {
    out.Write("UNABLE to cut the following pieces:");
    for (const MaterialPlan& plan : plans) {
      if (plan.piecesNotCut.empty()) continue;
      out.Write(std::string(kMaterialHeading) + plan.material);
      for (const PlannedPiece& piece : plan.piecesNotCut) {
        out.Write("Unable to cut 1 pc (" + piece.mark + ") of " + piece.length.text);
      }
    }
    out.Write("");
  }
  out.Write("End of report: " + reportTime);
  return out.Content();
}

bool WriteJobSummary(const JobState& job, MessageView& frontend, const std::string& path,
                     const std::vector<MaterialPlan>& plans, const std::string& reportTime) {
  frontend.ShowStatus("Saving job summary ...");
  if (const auto error =
          TryWriteFileSafely(path, JobSummaryText(job, frontend, plans, reportTime))) {
    ShowError(frontend, *error);
    return false;
  }
  return true;
}
