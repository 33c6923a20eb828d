#include "optimizer/whole_job_run.h"

#include <algorithm>
#include <set>

#include "core/file_names.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "jobfiles/stock_file.h"
#include "optimizer/cutting_run.h"
#include "reports/job_summary.h"

namespace {

// The frontend each material's run talks through: the one progress window
// stays open and its bar spans the whole job, no report is opened before the
// summary, and a Cancel seen while events run is kept for the whole job (each
// search clears the job's own flag as it starts).
class WholeJobFrontend : public Frontend {
 public:
  WholeJobFrontend(Frontend& frontend, JobState& job, int count)
      : frontend_(frontend), job_(job), count_(std::max(count, 1)) {}

  void StartMaterial(int index) { index_ = index; }
  // True once Cancel was pressed at any time during the run.
  bool Stopped() {
    stopped_ = stopped_ || job_.cancelRequested;
    return stopped_;
  }

  void ShowStatus(const std::string& text) override { frontend_.ShowStatus(text); }
  void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
    frontend_.ShowMessage(title, text, icon);
  }
  Answer AskYesNo(const std::string& title, const std::string& text) override {
    return frontend_.AskYesNo(title, text);
  }
  void RefreshStockList(int selectIndex) override { frontend_.RefreshStockList(selectIndex); }
  void RefreshCutList(int selectIndex) override { frontend_.RefreshCutList(selectIndex); }
  std::vector<std::string> MaterialEntries() const override { return frontend_.MaterialEntries(); }
  void SetMaterialEntries(const std::vector<std::string>& entries) override {
    frontend_.SetMaterialEntries(entries);
  }
  void ShowStockFileName(const std::string& path) override { frontend_.ShowStockFileName(path); }
  void ShowCutFileName(const std::string& path) override { frontend_.ShowCutFileName(path); }
  void MarkMaterialSaved() override { frontend_.MarkMaterialSaved(); }
  void RunSaveAs() override { frontend_.RunSaveAs(); }
  void SetOptimizationLevel(int level) override { frontend_.SetOptimizationLevel(level); }
  void ShowProgressWindow(bool) override {}
  void ShowProgress(float percent) override {
    frontend_.ShowProgress((static_cast<float>(index_) * 100.0f + percent) /
                           static_cast<float>(count_));
  }
  void ShowReport(const std::string&) override {}
  void PumpEvents() override {
    frontend_.PumpEvents();
    Stopped();
  }
  void PauseWithEvents(int milliseconds) override {
    frontend_.PauseWithEvents(milliseconds);
    Stopped();
  }

 private:
  Frontend& frontend_;
  JobState& job_;
  int count_;
  int index_ = 0;
  bool stopped_ = false;
};

// The reason a material is passed over before it is read: its report would
// take the name of the summary or of an earlier material's report.
std::string SharedReportReason(const std::string& reportFile) {
  return "its report " + reportFile + " would replace the summary or another material's report";
}

}  // namespace

std::string NoStockReason(const JobState& job) {
  return "there is no " + job.matl + " stock in " + job.stock_filename;
}

std::string NoCutsReason(const JobState& job) {
  return "there are no " + job.matl + " cuts in " + job.cut_filename;
}

std::vector<std::string> WholeJobMaterials(const JobState& job, Frontend& frontend) {
  std::vector<std::string> order = frontend.MaterialEntries();
  order.push_back(job.matl);
  const std::vector<std::string> withCuts = CutFileMaterials(job.cut_filename);
  order.insert(order.end(), withCuts.begin(), withCuts.end());
  std::vector<std::string> materials;
  for (const std::string& material : order) {
    const auto listed = [&material](const std::vector<std::string>& list) {
      return std::find(list.begin(), list.end(), material) != list.end();
    };
    if (listed(withCuts) && !listed(materials)) materials.push_back(material);
  }
  return materials;
}

WholeJobResult RunWholeJobLocked(JobState& job, Frontend& frontend, int level, ListOrder order,
                                 const MaterialStarted& started) {
  SaveShownLists(job, frontend);
  const std::string currentMaterial = job.matl;
  const std::string currentReport = job.reportFileName;
  const std::vector<std::string> materials = WholeJobMaterials(job, frontend);
  const int count = static_cast<int>(materials.size());
  WholeJobFrontend quiet(frontend, job, count);
  std::set<std::string> reportFiles{JobSummaryFileName(currentReport)};

  WholeJobResult result;
  job.cancelRequested = false;
  frontend.ShowProgressWindow(true);
  for (int k = 0; k < count; ++k) {
    const std::string& material = materials[k];
    quiet.StartMaterial(k);
    if (started && !quiet.Stopped()) started(k + 1, count, material);
    if (quiet.Stopped()) {
      result.plans.push_back(NotCutPlan(material, kCancelledReason));
      continue;
    }
    job.matl = material;
    job.reportFileName = MaterialReportFileName(currentReport, material);
    if (!reportFiles.insert(job.reportFileName).second) {
      result.plans.push_back(NotCutPlan(material, SharedReportReason(job.reportFileName)));
      continue;
    }
    ReadJobLists(job, quiet, order);
    if (job.stockCount == 0 || job.pieceCount == 0) {
      result.plans.push_back(
          NotCutPlan(material, job.stockCount == 0 ? NoStockReason(job) : NoCutsReason(job)));
      continue;
    }
    MaterialPlan plan;
    const CuttingRunResult run =
        RunCuttingLocked(job, quiet, level, [&quiet, &plan](const JobState& planned) {
          if (quiet.Stopped()) return false;
          plan = CapturePlan(planned, quiet);
          return true;
        });
    switch (run.outcome) {
      case CuttingRunOutcome::Completed:
      case CuttingRunOutcome::OutputFailed:
        result.unwrittenFiles.insert(result.unwrittenFiles.end(), run.unwrittenFiles.begin(),
                                     run.unwrittenFiles.end());
        result.plans.push_back(std::move(plan));
        ++result.cutCount;
        break;
      case CuttingRunOutcome::NoStock:
        result.plans.push_back(NotCutPlan(material, NoStockReason(job)));
        break;
      case CuttingRunOutcome::NoCuts:
        result.plans.push_back(NotCutPlan(material, NoCutsReason(job)));
        break;
      case CuttingRunOutcome::Stopped:
      case CuttingRunOutcome::StockInUse:
        result.plans.push_back(NotCutPlan(material, kCancelledReason));
        break;
    }
  }
  frontend.ShowProgressWindow(false);
  result.cancelled = quiet.Stopped();

  job.matl = currentMaterial;
  job.reportFileName = currentReport;
  if (result.cutCount > 0) {
    const std::string summary = JobSummaryFileName(currentReport);
    if (WriteJobSummary(job, frontend, summary, result.plans)) {
      result.summaryFile = summary;
    } else {
      result.unwrittenFiles.push_back(summary);
    }
  }
  OpenJob(job, frontend, order);
  return result;
}
