#include "reports/cutting_report.h"

#include <locale.h>

#include <ctime>
#include <vector>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/length_text.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/text_util.h"
#include "reports/bar_cuts.h"
#include "reports/input_report.h"
#include "reports/report_text.h"

namespace {

std::string GroupLine(std::int16_t count, const std::string& markText,
                      const std::string& lengthText) {
  const char* suffix = count >= 2 ? "s" : " ";
  return "   " + PadLeft(std::to_string(count), 3) + " piece" + suffix + "   " + markText + "   " +
         lengthText;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return ToUpperAscii(a) == ToUpperAscii(b);
}

const char* StatusText(bool nonInventory) { return nonInventory ? "NON-INVENTORY" : "INVENTORY"; }

// Walks the plan for the cutting list and its totals.
class CuttingListWriter {
 public:
  CuttingListWriter(const JobState& job, MessageView& frontend, ReportText& out)
      : job_(job), frontend_(frontend), lengths_(job, frontend), out_(out) {}

  void Write() {
    out_.WriteLineBreak();
    out_.Write("BRX CUTTING List:");
    const double kerf = KerfLength(job_);
    for (int b = 0; b < job_.barCount; ++b) WriteBar(job_.bars[b], kerf);
    if (totalStock_ > 0) WriteTotal();
    WriteUncutPieces();
  }

 private:
  void WriteBar(const BarPlan& bar, double kerf) {
    out_.Write(std::string(StatusText(bar.nonInventory)) + " Stock No. " + bar.bin + " length of " +
               lengths_.FormatLength(bar.stockLength) + "  cut:");
    const BarCuts cuts = ReadBarCuts(job_, bar, kerf, frontend_);
    PieceGroup group;
    for (std::size_t j = 0; j < cuts.pieces.size(); ++j) {
      const CutPiece& piece = job_.pieces[cuts.pieces[j]];
      WriteGroupLine(out_, group, PadLeft(lengths_.FormatLength(piece.length), 14),
                     PadLeft(piece.mark, 8), static_cast<int>(j), bar.pieceCount);
    }
    out_.Write("      Scrap = " + lengths_.FormatLength(cuts.scrap) + std::string(kCrLf));
    totalDrop_ += cuts.scrap;
    totalStock_ += bar.stockLength;
  }

  // The total line, then the bound line when there is one, then an empty line.
  void WriteTotal() {
    out_.Write("Total stock length of " + lengths_.FormatLength(totalStock_) + " cutting " +
               std::to_string(job_.usedPieceCount) + " pieces with a TOTAL DROP of " +
               DropPercentText(totalDrop_ * 100 / totalStock_) + "%");
    if (const auto bound = LowerBoundLine(job_, frontend_)) out_.Write(*bound);
    out_.Write("");
  }

  void WriteUncutPieces() {
    if (job_.usedPieceCount < job_.pieceCount) {
      out_.Write("");
      out_.Write("UNABLE to cut the following pieces:");
      for (int i = 0; i < job_.pieceCount; ++i) {
        const CutPiece& piece = job_.pieces[i];
        if (piece.used) continue;
        out_.Write("Unable to cut 1 pc (" + piece.mark + ") of " +
                   lengths_.FormatLength(piece.length));
      }
    }
    out_.WriteLineBreak();
  }

  const JobState& job_;
  MessageView& frontend_;
  const LengthText lengths_;
  ReportText& out_;
  double totalDrop_ = 0.0;
  double totalStock_ = 0.0;
};

// The stock rows the run took bars from, and the orderable rows.
void WriteStockLists(const JobState& job, const LengthText& lengths, ReportText& out) {
  out.Write(std::string(kInventoryHeading) + job.matl);
  for (int i = 0; i < job.stockCount; ++i) {
    const StockItem& row = job.stock[i];
    if (row.nonInventory || row.usedCount <= 0) continue;
    out.Write("Bin: " + row.bin + " used " + PadLeft(std::to_string(row.usedCount), 3) +
              " item(s)    " + PadLeft(lengths.FormatLength(row.length), 14));
  }
  out.WriteLineBreak();
  out.Write(std::string(kOrderHeading) + job.matl);
  for (int i = 0; i < job.stockCount; ++i) {
    const StockItem& row = job.stock[i];
    if (!row.nonInventory) continue;
    out.Write("Bin: " + row.bin + " Order " + PadLeft(std::to_string(row.usedCount), 3) +
              " item(s)   " + PadLeft(lengths.FormatLength(row.length), 14));
  }
}

}  // namespace

std::optional<std::string> LowerBoundLine(const JobState& job, MessageView& frontend) {
  const double bound = job.planLowerBound;
  if (bound <= 0.0) return std::nullopt;
  double planLength = 0.0;
  for (int b = 0; b < job.barCount; ++b) planLength += job.bars[b].stockLength;
  const double gapPercent = (planLength - bound) / bound * 100;
  return "Lower bound on stock length: " + LengthText(job, frontend).FormatLength(bound) +
         " (this plan is within " + FixedDecimal(gapPercent, 2) + "% of it)";
}

std::string ReportTimeText(const std::tm& localTime) {
  // The user's LC_TIME from the environment, whatever the process locale is.
  locale_t userLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
  if (userLocale == static_cast<locale_t>(nullptr)) {
    userLocale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
  }
  std::vector<char> buffer(256);
  const std::size_t size =
      strftime_l(buffer.data(), buffer.size(), "%x  %X", &localTime, userLocale);
  freelocale(userLocale);
  return std::string(buffer.data(), size);
}

std::string CurrentReportTime() {
  const std::time_t now = std::time(nullptr);
  std::tm localTime{};
  localtime_r(&now, &localTime);
  return ReportTimeText(localTime);
}

void WriteGroupLine(ReportText& out, PieceGroup& group, const std::string& lengthText,
                    const std::string& markText, int j, int n) {
  if (n == 1) {
    out.Write(GroupLine(1, markText, lengthText));
  } else if (j == 0) {
    group.count = 1;
  } else if (EqualIgnoringCase(markText, group.markText) &&
             EqualIgnoringCase(lengthText, group.lengthText)) {
    ++group.count;
    if (j == n - 1) out.Write(GroupLine(group.count, markText, lengthText));
  } else {
    out.Write(GroupLine(group.count, group.markText, group.lengthText));
    group.count = 1;
    if (j == n - 1) out.Write(GroupLine(1, markText, lengthText));
  }
  group.lengthText = lengthText;
  group.markText = markText;
}

bool WriteCuttingReport(const JobState& job, MessageView& frontend, const std::string& path,
                        const std::string& reportTime) {
  ReportText out;
  // One write of the whole text, so a failed or killed run never leaves a
  // report that holds only its input section.
  std::string inputSection;
  if (job.PrintsInputData() || job.batchMode) inputSection = InputReportText(job, frontend);
  frontend.ShowStatus("Saving cutting list ...");
  CuttingListWriter(job, frontend, out).Write();
  WriteStockLists(job, LengthText(job, frontend), out);
  out.Write("");
  out.Write("End of report: " + reportTime);
  if (const auto error = TryWriteFileSafely(path, inputSection + out.Content())) {
    ShowError(frontend, *error);
    return false;
  }
  return true;
}
