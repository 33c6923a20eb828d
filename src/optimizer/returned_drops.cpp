#include "optimizer/returned_drops.h"

#include <algorithm>

#include "core/job_state.h"
#include "core/length_text.h"
#include "core/number_text.h"
#include "reports/bar_cuts.h"
#include "reports/report_text.h"

namespace {

constexpr const char* kOrderedBarBin = "R-ORDER";
constexpr const char* kDropBinPrefix = "R";

// Plans the drops one bar at a time, keeping track of how full each row gets.
class DropPlanner {
 public:
  DropPlanner(const JobState& job, MessageView& frontend) : job_(job), lengths_(job, frontend) {}

  void Add(const std::string& bin, double scrap) {
    const std::string shown = lengths_.FormatLength(scrap);
    for (Target& target : targets_) {
      if (target.drop.bin == bin && target.shown == shown &&
          target.quantity < kMaxCountedQuantity) {
        ++target.drop.count;
        ++target.quantity;
        return;
      }
    }
    if (const int row = MergeableRow(bin, shown); row >= 0) {
      AddTarget(bin, job_.stock[row].length, row, shown, job_.stock[row].quantity + 1);
      return;
    }
    if (job_.stockCount + newRows_ >= kMaxStockRows) return;
    ++newRows_;
    // The length as the stock file stores it, so the list equals the file read back.
    AddTarget(bin, LeadingNumber(ShortestDecimal(scrap)), -1, shown, 1);
  }

  std::vector<ReturnedDrop> Drops() const {
    std::vector<ReturnedDrop> drops;
    for (const Target& target : targets_) drops.push_back(target.drop);
    std::stable_sort(drops.begin(), drops.end(), [](const ReturnedDrop& a, const ReturnedDrop& b) {
      return a.length > b.length;
    });
    return drops;
  }

 private:
  struct Target {
    ReturnedDrop drop;
    std::string shown;  // the length as the lists and the report show it
    int quantity = 0;   // the row's quantity with the drops planned so far
  };

  // Built member by member: GCC 12 at -O3 takes the nested aggregate
  // initialiser's string for uninitialised (-Wmaybe-uninitialized).
  void AddTarget(const std::string& bin, double length, int row, const std::string& shown,
                 int quantity) {
    Target& target = targets_.emplace_back();
    target.drop.bin = bin;
    target.drop.length = length;
    target.drop.count = 1;
    target.drop.row = row;
    target.shown = shown;
    target.quantity = quantity;
  }

  // An inventory row of the current material that can take one more bar and
  // is not a target yet; -1 when there is none.
  int MergeableRow(const std::string& bin, const std::string& shown) const {
    for (int i = 0; i < job_.stockCount; ++i) {
      const StockItem& item = job_.stock[i];
      if (item.nonInventory || item.quantity < 0 || item.quantity >= kMaxCountedQuantity ||
          item.material != job_.matl || item.bin != bin) {
        continue;
      }
      const bool targeted = std::any_of(targets_.begin(), targets_.end(),
                                        [i](const Target& target) { return target.drop.row == i; });
      if (!targeted && lengths_.FormatLength(item.length) == shown) return i;
    }
    return -1;
  }

  const JobState& job_;
  const LengthText lengths_;
  std::vector<Target> targets_;
  int newRows_ = 0;
};

}  // namespace

std::vector<ReturnedDrop> PlanReturnedDrops(const JobState& job, MessageView& frontend) {
  const double shortest = KeptDropLength(job);
  if (!job.UpdatesStockList() || shortest <= 0.0) return {};
  DropPlanner planner(job, frontend);
  const double kerf = KerfLength(job);
  for (int b = 0; b < job.barCount; ++b) {
    const BarPlan& bar = job.bars[b];
    const double scrap = ReadBarCutsQuietly(job, bar, kerf).scrap;
    // A drop that shows as the shortest length kept is kept, whatever its
    // last bits.
    if (scrap <= 0.0 || scrap < shortest - kScrapEpsilon) continue;
    planner.Add(bar.nonInventory ? kOrderedBarBin : kDropBinPrefix + bar.bin, scrap);
  }
  return planner.Drops();
}

void AddReturnedDrops(JobState& job, const std::vector<ReturnedDrop>& drops) {
  // Merges first: inserting new rows moves the rows after them.
  for (const ReturnedDrop& drop : drops) {
    if (drop.row < 0) continue;
    job.stock[drop.row].quantity =
        static_cast<std::int16_t>(job.stock[drop.row].quantity + drop.count);
    job.totalStockQuantity += drop.count;
  }
  for (const ReturnedDrop& drop : drops) {
    if (drop.row >= 0 || job.stockCount >= kMaxStockRows) continue;
    const auto end = job.stock.begin() + job.stockCount;
    const auto place = std::find_if(job.stock.begin(), end, [&drop](const StockItem& item) {
      return item.length < drop.length;
    });
    std::move_backward(place, end, end + 1);
    *place =
        StockItem{false, 0, static_cast<std::int16_t>(drop.count), drop.length, job.matl, drop.bin};
    ++job.stockCount;
    job.totalStockQuantity += drop.count;
  }
}

std::string ReturnedDropsSection(const JobState& job, MessageView& frontend,
                                 const std::vector<ReturnedDrop>& drops) {
  if (drops.empty()) return {};
  const LengthText lengths(job, frontend);
  ReportText out;
  out.WriteLineBreak();
  out.Write(std::string(kReturnedDropsHeading) + job.matl);
  for (const ReturnedDrop& drop : drops) {
    out.Write("Bin: " + drop.bin + " kept " + PadLeft(std::to_string(drop.count), 3) +
              " item(s)    " + PadLeft(lengths.FormatLength(drop.length), 14));
  }
  return out.Content();
}
