#include "reports/input_report.h"

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/length_text.h"
#include "core/number_text.h"
#include "core/ui_texts.h"
#include "reports/report_text.h"

namespace {

constexpr std::size_t kOwnerNameWidth = 30;

// The owner name cut or blank-padded to its fixed width.
std::string OwnerNameField(const std::string& ownerName) {
  std::string field = ownerName.substr(0, kOwnerNameWidth);
  field.resize(kOwnerNameWidth, ' ');
  return field;
}

// The quantity as entered: what is left plus what the run took, or 0 for an
// orderable row. Computed in 32 bits, since the sum may not fit 16.
int ShownQuantity(const StockItem& row) {
  if (row.quantity == kOrderableQuantity) return 0;
  return int{row.quantity} + int{row.usedCount};
}

void WriteHeading(const JobState& job, const LengthText& lengths, ReportText& out) {
  out.Write("Optimized Cutting Report for " + OwnerNameField(job.ownerName) + std::string(kCrLf));
  out.Write(std::string(kInputHeading) + job.matl);
  out.Write("Kerf                   = " + lengths.FormatLength(KerfLength(job)));
  const double unusable = UnusableLength(job);
  if (unusable > 0) out.Write("Unuseable stock length = " + lengths.FormatLength(unusable));
  out.WriteLineBreak();
}

void WriteStockList(const JobState& job, const LengthText& lengths, ReportText& out) {
  out.Write("STOCK LIST: (0 pcs = NON-INVENTORY)");
  for (int i = 0; i < job.stockCount; ++i) {
    const StockItem& row = job.stock[i];
    out.Write("Bin: " + PadLeft(row.bin, 10) + " " +
              PadLeft(std::to_string(ShownQuantity(row)), 4) + " pcs @  " +
              PadLeft(lengths.FormatLength(row.length), 13));
  }
  out.WriteLineBreak();
}

void WriteCutList(const JobState& job, MessageView& frontend, const LengthText& lengths,
                  ReportText& out) {
  out.Write("SPECIFIED CUTTING LIST :" + std::string(kCrLf));
  for (int i = 0; i < job.cutCount; ++i) {
    const CutItem& row = job.cuts[i];
    if (row.quantity == 0) {
      frontend.ShowMessage(texts::kProgramTitle,
                           lengths.FormatLength(row.length) +
                               " Software check reports ZERO qty encountered in cut list item: " +
                               std::to_string(i));
    }
    out.Write("Cut " + PadLeft(std::to_string(row.quantity), 5) + "  pcs " + PadLeft(row.mark, 8) +
              "  @ " + PadLeft(lengths.FormatLength(row.length), 13));
  }
}

}  // namespace

std::string InputReportText(const JobState& job, MessageView& frontend) {
  frontend.ShowStatus("Saving input data");
  const LengthText lengths(job, frontend);
  ReportText out;
  WriteHeading(job, lengths, out);
  WriteStockList(job, lengths, out);
  WriteCutList(job, frontend, lengths, out);
  return out.Content();
}
