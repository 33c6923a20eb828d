#include <gtest/gtest.h>

#include <functional>

#include "reports/cut_list_export.h"
#include "reports/cutting_report.h"
#include "reports/planned_job.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

// Whole reports and exports compared byte for byte with reviewed files.

namespace {

constexpr const char* kReportTime = "01/02/24  13:45:00";
constexpr const char* kEighthInchInFeet = "0.0104166666666667";

// Feet-inch 16ths with the input report: grouping across letter case, a cut
// row of quantity 0, pieces not cut, used and unused orderable rows.
void FeetInch16ths(PlannedJob& plan) {
  JobState& job = plan.job;
  job.matl = "W8X31";
  job.ownerName = "Acme Steel Fabricators";
  job.inputReportFlag = "1";
  job.kerf = kEighthInchInFeet;
  job.UnuseableLen = "0.25";
  plan.AddStock("A12", 5, 40);
  plan.AddStock("R7", 2, 30);
  plan.AddStock("ORD2", 0, 25);
  plan.AddStock("1", 0, 20);
  plan.AddCut("D4", 1, 45);                  // 0: longer than every bar
  plan.AddCut("C3", 1, 18);                  // 1
  plan.AddCut("B1", 2, 12.5520833333333);    // 2, 3
  plan.AddCut("b1", 1, 12.5520833333333);    // 4
  plan.AddCut("F6", 1, 6);                   // 5
  plan.AddCut("G7", 2, 3.375);               // 6, 7
  plan.AddCut("Z9", 0, 5.5);                 // no pieces
  plan.AddCut("H8", 1, 0.0520833333333333);  // 8: 5/8 inch, not cut
  plan.AddBar(0, {2, 3, 4});
  plan.AddBar(0, {1});
  plan.AddBar(3, {5, 6, 7});
}

// Feet-inch 32nds without the input report: a bar whose scrap is rounding
// noise and a bar filled exactly without its last kerf; the total drop is 0.
void FeetInch32nds(PlannedJob& plan) {
  JobState& job = plan.job;
  job.matl = "L3X3X1/4";
  job.inch32Flag = "1";
  job.kerf = kEighthInchInFeet;
  plan.AddStock("S1", 2, 20);
  plan.AddCut("K2", 1, 10);
  plan.AddCut("A1", 2, 9.98958333333333);
  plan.AddCut("K3", 1, 9.98958333333333);
  plan.AddCut("M5", 1, 5.17447916666667);  // 5'-2 3/32", no stock left for it
  plan.AddBar(0, {1, 2});
  plan.AddBar(0, {0, 3});
}

// Inches only in batch mode, which writes the input report whatever its
// flag says: marks that only contain each other stay apart, a comma in a bin
// and a mark is quoted in the export.
void InchesOnlyBatch(PlannedJob& plan) {
  JobState& job = plan.job;
  job.matl = "FB 2X1/4";
  job.inchOnlyFlag = "1";
  job.batchMode = true;
  job.kerf = "0.125";
  job.UnuseableLen = "-2";
  plan.AddStock("R1", 0, 240);
  plan.AddStock("BIN,3", 1, 144);
  plan.AddCut("B1001-a100", 2, 60.5);
  plan.AddCut("B1001-a10", 1, 60.5);
  plan.AddCut("a10", 1, 30.0625);
  plan.AddCut("A10", 1, 30.0625);
  plan.AddCut("Q,\"7\"", 1, 12);
  plan.AddBar(0, {0, 1, 2});
  plan.AddBar(1, {3, 4, 5});
}

// Metric: the grouping and export examples and an exact fit, all pieces cut.
void Metric(PlannedJob& plan) {
  JobState& job = plan.job;
  job.matl = "FLAT 50X6";
  job.unit_flag = "1";
  job.kerf = "3";
  plan.AddStock("13", 2, 9000);
  plan.AddStock("12", 4, 6000);
  plan.AddStock("90", 0, 12000);
  plan.AddCut("B1", 2, 3000);
  plan.AddCut("B2", 1, 2000);
  plan.AddCut("A1", 1, 2500);
  plan.AddCut("A2", 1, 2500);
  plan.AddCut("C7", 1, 2997);
  plan.AddCut("C8", 1, 3000);
  plan.AddBar(0, {0, 1, 2});
  plan.AddBar(1, {3, 4});
  plan.AddBar(1, {5, 6});
}

struct GoldenCase {
  const char* name;
  std::function<void(PlannedJob&)> build;
  std::vector<std::string> messages;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class GoldenReportTest : public testing::TestWithParam<GoldenCase> {
 protected:
  // Compares with the golden file; a differing output is kept for review.
  void ExpectGolden(const std::string& actualPath, const std::string& goldenName) {
    const std::string goldenPath = std::string(BRX_REPORTS_GOLDEN_DIR) + "/" + goldenName;
    const std::string actual = FileBytes(actualPath);
    if (actual == FileBytes(goldenPath)) return;
    const std::string keptPath = testing::TempDir() + goldenName;
    WriteBytes(keptPath, actual);
    ADD_FAILURE() << goldenName << " differs from its golden file; output kept in " << keptPath;
  }
};

TEST_P(GoldenReportTest, ReportAndExportMatch) {
  const GoldenCase& c = GetParam();
  PlannedJob plan;
  c.build(plan);
  TempFolder folder;
  RecordingFrontend frontend;
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.Path("report.bxl"), kReportTime));
  ASSERT_TRUE(ExportCutList(plan.job, frontend, folder.Path("Export.txt")));
  ExpectGolden(folder.Path("report.bxl"), std::string(c.name) + ".bxl");
  ExpectGolden(ExportFileName(folder.Path("Export.txt"), plan.job.matl),
               std::string(c.name) + "_export.txt");
  std::vector<std::string> messages;
  for (const auto& m : frontend.messages) messages.push_back(m.title + ": " + m.text);
  EXPECT_EQ(messages, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, GoldenReportTest,
    testing::Values(
        GoldenCase{"feet_inch_16ths",
                   FeetInch16ths,
                   {"Brx: 5'-6\" Software check reports ZERO qty encountered in cut list item: 6"}},
        GoldenCase{"feet_inch_32nds", FeetInch32nds, {}},
        GoldenCase{"inches_only_batch", InchesOnlyBatch, {}}, GoldenCase{"metric", Metric, {}}),
    [](const testing::TestParamInfo<GoldenCase>& param) { return std::string(param.param.name); });

}  // namespace
