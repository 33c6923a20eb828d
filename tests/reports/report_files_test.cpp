#include <gtest/gtest.h>

#include <filesystem>

#include "reports/cut_list_export.h"
#include "reports/cutting_report.h"
#include "reports/input_report.h"
#include "reports/planned_job.h"
#include "support/recording_frontend.h"

namespace {

constexpr const char* kTime = "01/02/24  13:45:00";

// A metric job of one stock row and two pieces, without a plan.
PlannedJob MetricJob() {
  PlannedJob plan;
  plan.job.matl = "FLAT 50X6";
  plan.job.unit_flag = "1";
  plan.job.kerf = "3";
  plan.AddStock("12", 4, 6000);
  plan.AddCut("A1", 2, 2500);
  return plan;
}

std::vector<std::string> MessageTexts(const RecordingFrontend& frontend) {
  std::vector<std::string> texts;
  for (const auto& m : frontend.messages) texts.push_back(m.title + ": " + m.text);
  return texts;
}

TEST(CuttingReportTest, NothingCutListsEveryPieceAndExportsOnlyTheHeader) {
  PlannedJob plan = MetricJob();
  ScratchFolder folder;
  RecordingFrontend frontend;
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.File("r.bxl"), kTime));
  ASSERT_TRUE(ExportCutList(plan.job, frontend, folder.File("x.txt")));
  EXPECT_EQ(ReadWholeFile(folder.File("r.bxl")),
            "\r\n\r\nBRX CUTTING List:\r\n\r\n"
            "UNABLE to cut the following pieces:\r\n"
            "Unable to cut 1 pc (A1) of 2500.00000\r\n"
            "Unable to cut 1 pc (A1) of 2500.00000\r\n\r\n\r\n"
            "INVENTORY LIST REPORT for: FLAT 50X6\r\n\r\n\r\n"
            "ORDER LIST REPORT for: FLAT 50X6\r\n\r\n"
            "End of report: 01/02/24  13:45:00\r\n");
  EXPECT_EQ(ReadWholeFile(folder.File("x_FLAT 50X6.txt")),
            "Status,Stock#,Shape,Length,Mark,Cut\r\n");
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{"Saving cutting list ...", "Exporting cutting list ..."}));
}

TEST(CuttingReportTest, InconsistentPlanIsReportedAndTheBarStillGetsItsScrap) {
  PlannedJob plan = MetricJob();
  plan.AddBar(0, {0});
  plan.job.bars[0].pieceIndex[1] = 7;  // past the two pieces
  plan.job.bars[0].pieceCount = 2;
  plan.AddBar(0, {});
  plan.job.bars[1].pieceCount = MAX_STK_CUTS + 1;
  ScratchFolder folder;
  RecordingFrontend frontend;
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.File("r.bxl"), kTime));
  ASSERT_TRUE(ExportCutList(plan.job, frontend, folder.File("x.txt")));
  const std::string report = ReadWholeFile(folder.File("r.bxl"));
  EXPECT_NE(report.find("INVENTORY Stock No. 12 length of 6000.00000  cut:\r\n"
                        "      Scrap = 3497.00000\r\n\r\n"
                        "INVENTORY Stock No. 12 length of 6000.00000  cut:\r\n"
                        "      Scrap = 6000.00000\r\n\r\n"),
            std::string::npos)
      << report;
  EXPECT_EQ(ReadWholeFile(folder.File("x_FLAT 50X6.txt")),
            "Status,Stock#,Shape,Length,Mark,Cut\r\n"
            "INVENTORY,12,FLAT 50X6,6000.00000,A1,2500.00000\r\n"
            "SCRAP,12,FLAT 50X6,3497.00000\r\n"
            "SCRAP,12,,6000.00000\r\n");
  const std::string badIndex = "Brx: BRX Message: Reference to cut list index 7 exceeds list size.";
  const std::string tooMany = "Brx: SW bug:  cut list length > MAX_STK_CUTS";
  EXPECT_EQ(MessageTexts(frontend),
            (std::vector<std::string>{badIndex, tooMany, badIndex, tooMany}));
}

TEST(CuttingReportTest, BoundLineFollowsTheTotalOnlyAfterTheBestOptimizer) {
  PlannedJob plan = MetricJob();
  plan.AddBar(0, {0, 1});
  plan.AddBar(0, {});
  ScratchFolder folder;
  RecordingFrontend frontend;
  const std::string total =
      "Total stock length of 12000.00000 cutting 2 pieces with a TOTAL DROP of 58.2%\r\n";
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.File("classic.bxl"), kTime));
  const std::string classic = ReadWholeFile(folder.File("classic.bxl"));
  EXPECT_NE(classic.find(total + "\r\n\r\n\r\nINVENTORY LIST"), std::string::npos) << classic;
  EXPECT_EQ(LowerBoundLine(plan.job, frontend), std::nullopt);

  plan.job.planLowerBound = 11000.0 / 3;
  const std::string bound =
      "Lower bound on stock length: 3666.66667 (this plan is within 227.27% of it)";
  EXPECT_EQ(LowerBoundLine(plan.job, frontend), bound);
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.File("best.bxl"), kTime));
  std::string best = ReadWholeFile(folder.File("best.bxl"));
  ASSERT_NE(best.find(total + bound + "\r\n\r\n\r\n\r\nINVENTORY LIST"), std::string::npos) << best;
  EXPECT_EQ(best.erase(best.find(bound), bound.size() + 2), classic);
}

TEST(InputReportTest, OwnerNameIsCutAndEnteredQuantitiesNeverOverflow) {
  PlannedJob plan = MetricJob();
  plan.job.ownerName = "Northern Structural Steel Fabrication Ltd";
  plan.job.stock[0].quantity = 32000;
  plan.job.stock[0].usedCount = 1000;
  plan.job.UnuseableLen = "abc";
  ScratchFolder folder;
  RecordingFrontend frontend;
  ASSERT_TRUE(WriteInputReport(plan.job, frontend, folder.File("r.bxl")));
  EXPECT_EQ(ReadWholeFile(folder.File("r.bxl")),
            "Optimized Cutting Report for Northern Structural Steel Fabr\r\n\r\n"
            "CUTTING REPORT for: FLAT 50X6\r\n"
            "Kerf                   = 3.00000\r\n\r\n\r\n"
            "STOCK LIST: (0 pcs = NON-INVENTORY)\r\n"
            "Bin:          12 33000 pcs @      6000.00000\r\n\r\n\r\n"
            "SPECIFIED CUTTING LIST :\r\n\r\n"
            "Cut      2  pcs        A1  @     2500.00000\r\n");
  EXPECT_EQ(frontend.statuses, std::vector<std::string>{"Saving input data"});
}

TEST(ReportFailureTest, AMissingFolderIsReportedAndLeavesNothingBehind) {
  PlannedJob plan = MetricJob();
  ScratchFolder folder;
  RecordingFrontend frontend;
  EXPECT_FALSE(WriteCuttingReport(plan.job, frontend, folder.File("gone/r.bxl"), kTime));
  EXPECT_FALSE(ExportCutList(plan.job, frontend, folder.File("gone/Export.txt")));
  const std::string exportPath = folder.File("gone/Export_FLAT 50X6.txt");
  EXPECT_EQ(MessageTexts(frontend),
            (std::vector<std::string>{
                "Error: Error # 53 was generated by Brx\rFile not found",
                "Error Exporting Cut List. Make sure the file is not open in another program...: "
                "Can not open file: " +
                    exportPath + ".  Error # 53 was generated by Brx\rFile not found"}));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(ExportFileNameTest, MaterialSuffixAfterTheNameOnly) {
  EXPECT_EQ(ExportFileName("/jobs/Export.txt", "W8X31"), "/jobs/Export_W8X31.txt");
  EXPECT_EQ(ExportFileName("/home/j.doe/Export.txt", "W8X31"), "/home/j.doe/Export_W8X31.txt");
  EXPECT_EQ(ExportFileName("/home/j.doe/out", "W8X31"), "/home/j.doe/out_W8X31.txt");
  EXPECT_EQ(ExportFileName("/jobs/a.b.txt", " L3X3X1/4 "), "/jobs/a.b_L3X3X1_4.txt");
}

TEST(ExportTest, RemovesTheConfiguredFileAndWritesBesideIt) {
  PlannedJob plan = MetricJob();
  plan.job.matl = "PL 1/2";
  ScratchFolder folder;
  WriteWholeFile(folder.File("Export.txt"), "stale");
  RecordingFrontend frontend;
  ASSERT_TRUE(ExportCutList(plan.job, frontend, folder.File("Export.txt")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("Export.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("Export_PL 1_2.txt")));
  EXPECT_EQ(plan.job.matl, "PL 1/2");
}

// The export is refused whenever it would delete or replace a job file.
TEST(ExportTest, NeverTouchesAJobFile) {
  ScratchFolder folder;
  const std::string stockPath = folder.File("job.stk");
  const std::string cutPath = folder.File("job_FLAT 50X6.txt");
  const struct {
    std::string configured;
    std::string named;
  } cases[] = {
      {stockPath, stockPath},
      {folder.File("sub/../job.stk"), folder.File("sub/../job.stk")},
      {folder.File("job.bak"), cutPath},
  };
  for (const auto& c : cases) {
    PlannedJob plan = MetricJob();
    plan.job.stock_filename = stockPath;
    plan.job.cut_filename = cutPath;
    WriteWholeFile(stockPath, "stock rows");
    RecordingFrontend frontend;
    EXPECT_FALSE(ExportCutList(plan.job, frontend, c.configured));
    EXPECT_EQ(MessageTexts(frontend),
              std::vector<std::string>{"Brx: The export file " + c.named +
                                       " is a job file; the export was not written."});
    EXPECT_EQ(ReadWholeFile(stockPath), "stock rows");
    EXPECT_FALSE(std::filesystem::exists(cutPath));
  }
}

}  // namespace
