#include <gtest/gtest.h>

#include <filesystem>

#include "reports/cut_list_export.h"
#include "reports/cutting_report.h"
#include "reports/input_report.h"
#include "reports/planned_job.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace {

constexpr const char* kTime = "01/02/24  13:45:00";
constexpr const char* kExportHeader = "Status,Stock#,Shape,Length,Mark,Cut\r\n";

// A metric job of one stock row and two pieces, without a plan.
class ReportFilesTest : public ::testing::Test {
 protected:
  ReportFilesTest() {
    plan.job.matl = "FLAT 50X6";
    plan.job.unit_flag = "1";
    plan.job.kerf = "3";
    plan.AddStock("12", 4, 6000);
    plan.AddCut("A1", 2, 2500);
  }

  // Writes the cutting report and the export; returns the report.
  std::string WriteBoth() {
    EXPECT_TRUE(WriteCuttingReport(plan.job, frontend, folder.Path("r.bxl"), kTime));
    EXPECT_TRUE(ExportCutList(plan.job, frontend, folder.Path("x.txt")));
    return FileBytes(folder.Path("r.bxl"));
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : frontend.messages) texts.push_back(m.title + ": " + m.text);
    return texts;
  }

  PlannedJob plan;
  TempFolder folder;
  RecordingFrontend frontend;
};

TEST_F(ReportFilesTest, NothingCutListsEveryPieceAndExportsOnlyTheHeader) {
  EXPECT_EQ(WriteBoth(),
            "\r\n\r\nBRX CUTTING List:\r\n\r\n"
            "UNABLE to cut the following pieces:\r\n"
            "Unable to cut 1 pc (A1) of 2500.00000\r\n"
            "Unable to cut 1 pc (A1) of 2500.00000\r\n\r\n\r\n"
            "INVENTORY LIST REPORT for: FLAT 50X6\r\n\r\n\r\n"
            "ORDER LIST REPORT for: FLAT 50X6\r\n\r\n"
            "End of report: 01/02/24  13:45:00\r\n");
  EXPECT_EQ(FileBytes(folder.Path("x_FLAT 50X6.txt")), kExportHeader);
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{"Saving cutting list ...", "Exporting cutting list ..."}));
}

TEST_F(ReportFilesTest, InconsistentPlanIsReportedAndTheBarStillGetsItsScrap) {
  plan.AddBar(0, {0});
  plan.job.bars[0].pieceIndex[1] = 7;  // past the two pieces
  plan.job.bars[0].pieceCount = 2;
  plan.AddBar(0, {});
  plan.job.bars[1].pieceCount = MAX_STK_CUTS + 1;
  const std::string report = WriteBoth();
  EXPECT_NE(report.find("INVENTORY Stock No. 12 length of 6000.00000  cut:\r\n"
                        "      Scrap = 3497.00000\r\n\r\n"
                        "INVENTORY Stock No. 12 length of 6000.00000  cut:\r\n"
                        "      Scrap = 6000.00000\r\n\r\n"),
            std::string::npos)
      << report;
  EXPECT_EQ(FileBytes(folder.Path("x_FLAT 50X6.txt")),
            std::string(kExportHeader) +
                "INVENTORY,12,FLAT 50X6,6000.00000,A1,2500.00000\r\n"
                "SCRAP,12,FLAT 50X6,3497.00000\r\n"
                "SCRAP,12,,6000.00000\r\n");
  const std::string badIndex = "Brx: BRX Message: Reference to cut list index 7 exceeds list size.";
  const std::string tooMany = "Brx: SW bug:  cut list length > MAX_STK_CUTS";
  EXPECT_EQ(Messages(), (std::vector<std::string>{badIndex, tooMany, badIndex, tooMany}));
}

TEST_F(ReportFilesTest, BoundLineFollowsTheTotalOnlyAfterTheBestOptimizer) {
  plan.AddBar(0, {0, 1});
  plan.AddBar(0, {});
  const std::string total =
      "Total stock length of 12000.00000 cutting 2 pieces with a TOTAL DROP of 58.2%\r\n";
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.Path("classic.bxl"), kTime));
  const std::string classic = FileBytes(folder.Path("classic.bxl"));
  EXPECT_NE(classic.find(total + "\r\n\r\n\r\nINVENTORY LIST"), std::string::npos) << classic;
  EXPECT_EQ(LowerBoundLine(plan.job, frontend), std::nullopt);

  plan.job.planLowerBound = 11000.0 / 3;
  const std::string bound =
      "Lower bound on stock length: 3666.66667 (this plan is within 227.27% of it)";
  EXPECT_EQ(LowerBoundLine(plan.job, frontend), bound);
  ASSERT_TRUE(WriteCuttingReport(plan.job, frontend, folder.Path("best.bxl"), kTime));
  std::string best = FileBytes(folder.Path("best.bxl"));
  ASSERT_NE(best.find(total + bound + "\r\n\r\n\r\n\r\nINVENTORY LIST"), std::string::npos) << best;
  EXPECT_EQ(best.erase(best.find(bound), bound.size() + 2), classic);
}

TEST_F(ReportFilesTest, InputReportCutsTheOwnerNameAndEnteredQuantitiesNeverOverflow) {
  plan.job.ownerName = "Northern Structural Steel Fabrication Ltd";
  plan.job.stock[0].quantity = 32000;
  plan.job.stock[0].usedCount = 1000;
  plan.job.UnuseableLen = "abc";
  EXPECT_EQ(InputReportText(plan.job, frontend),
            "Optimized Cutting Report for Northern Structural Steel Fabr\r\n\r\n"
            "CUTTING REPORT for: FLAT 50X6\r\n"
            "Kerf                   = 3.00000\r\n\r\n\r\n"
            "STOCK LIST: (0 pcs = NON-INVENTORY)\r\n"
            "Bin:          12 33000 pcs @      6000.00000\r\n\r\n\r\n"
            "SPECIFIED CUTTING LIST :\r\n\r\n"
            "Cut      2  pcs        A1  @     2500.00000\r\n");
  EXPECT_EQ(frontend.statuses, std::vector<std::string>{"Saving input data"});
}

TEST_F(ReportFilesTest, AMissingFolderIsReportedAndLeavesNothingBehind) {
  EXPECT_FALSE(WriteCuttingReport(plan.job, frontend, folder.Path("gone/r.bxl"), kTime));
  EXPECT_FALSE(ExportCutList(plan.job, frontend, folder.Path("gone/Export.txt")));
  const std::string exportPath = folder.Path("gone/Export_FLAT 50X6.txt");
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                "Error: Error # 53 was generated by Brx\rFile not found",
                "Error Exporting Cut List. Make sure the file is not open in another "
                "program...: Can not open file: " +
                    exportPath + ".  Error # 53 was generated by Brx\rFile not found"}));
  EXPECT_TRUE(folder.Names().empty());
}

// The material goes into the name with unsafe characters replaced and blanks
// trimmed; the extension is cut from the last path component only.
TEST(ExportFileNameTest, MaterialSuffixAfterTheNameOnly) {
  EXPECT_EQ(ExportFileName("/jobs/Export.txt", "W8X31"), "/jobs/Export_W8X31.txt");
  EXPECT_EQ(ExportFileName("Export.txt", "W8X31"), "Export_W8X31.txt");
  EXPECT_EQ(ExportFileName("/home/j.doe/Export.txt", "W8X31"), "/home/j.doe/Export_W8X31.txt");
  EXPECT_EQ(ExportFileName("/home/j.doe/out", "W8X31"), "/home/j.doe/out_W8X31.txt");
  EXPECT_EQ(ExportFileName("/jobs/a.b.txt", " L3X3X1/4 "), "/jobs/a.b_L3X3X1_4.txt");
  EXPECT_EQ(ExportFileName("/jobs/x", "a|b?c*d\"e\\f"), "/jobs/x_a_b_c_d_e\\f.txt");
}

TEST_F(ReportFilesTest, ExportRemovesTheConfiguredFileAndWritesBesideIt) {
  plan.job.matl = "PL 1/2";
  WriteBytes(folder.Path("Export.txt"), "stale");
  ASSERT_TRUE(ExportCutList(plan.job, frontend, folder.Path("Export.txt")));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Export_PL 1_2.txt"});
  EXPECT_EQ(plan.job.matl, "PL 1/2");
}

// The export is refused whenever it would delete or replace a job file.
TEST_F(ReportFilesTest, ExportNeverTouchesAJobFile) {
  const std::string stockPath = folder.Path("job.stk");
  const std::string cutPath = folder.Path("job_FLAT 50X6.txt");
  plan.job.stock_filename = stockPath;
  plan.job.cut_filename = cutPath;
  WriteBytes(stockPath, "stock rows");
  for (const auto& [configured, named] :
       {std::pair{stockPath, stockPath},
        {folder.Path("sub/../job.stk"), folder.Path("sub/../job.stk")},
        {folder.Path("job.bak"), cutPath}}) {
    frontend.messages.clear();
    EXPECT_FALSE(ExportCutList(plan.job, frontend, configured));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Brx: The export file " + named +
                                                   " is a job file; the export was not written."});
    EXPECT_EQ(FileBytes(stockPath), "stock rows");
    EXPECT_FALSE(std::filesystem::exists(cutPath));
  }
}

}  // namespace
