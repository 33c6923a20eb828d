#include "import/import_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "import/import_test_support.h"
#include "support/recording_frontend.h"

namespace {

Texts NamesOf(const ImportFileNames& names) {
  return {names.base, names.stockFile, names.cutFile, names.exportFile};
}

Texts JobNames(const JobState& job) {
  return {job.filename, job.stock_filename, job.cut_filename, job.export_filename};
}

Texts NamesFromBase(const std::string& base) {
  return {base, base + ".stk", base + ".cut", base + "_cutlist.txt"};
}

TEST(ImportFileNamesTest, CutsTheExtensionOnlyInTheLastComponent) {
  EXPECT_EQ(NamesOf(ImportFileNamesFor("/jobs/bridge.KSS")), NamesFromBase("/jobs/bridge"));
  EXPECT_EQ(NamesOf(ImportFileNamesFor("/jobs/a.b.txt")), NamesFromBase("/jobs/a.b"));
  EXPECT_EQ(NamesOf(ImportFileNamesFor("/jobs/Rev.2/bridge")), NamesFromBase("/jobs/Rev.2/bridge"));
}

TEST(ImportFormatNamedTest, KnowsTheCommandLineNames) {
  EXPECT_EQ(ImportFormatNamed("kiss"), ImportFormat::Kiss);
  EXPECT_EQ(ImportFormatNamed("WinEst"), ImportFormat::WinEst);
  EXPECT_EQ(ImportFormatNamed("kss"), std::nullopt);
}

class ImportCutListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    job.filename = "/old/job";
    job.stock_filename = "/old/job.stk";
    job.cut_filename = "/old/job.cut";
    job.export_filename = "/old/job_cutlist.txt";
    job.dataChanged = true;
  }

  TempFolder folder;
  JobState job;
  RecordingFrontend frontend;
};

TEST_F(ImportCutListTest, KissSuccessTakesTheNewFiles) {
  const std::string path = folder.Write("bridge.kss", "KISS\r\nD,1,2,B1,A,1,8,W,31,6096\r\n");
  ASSERT_TRUE(ImportCutList(job, frontend, ImportFormat::Kiss, path));
  const std::string base = folder.Path("bridge");
  EXPECT_EQ(JobNames(job), NamesFromBase(base));
  EXPECT_EQ(
      frontend.statuses,
      (Texts{"Import Complete", "File : " + base + ".cut          Select material from list."}));
  EXPECT_EQ(frontend.stockFileName, base + ".stk");
  EXPECT_FALSE(job.dataChanged);
  EXPECT_EQ(ReadWholeFile(base + ".cut"), "Mark(Bin),Material,Qty,Length\r\nB1-A,8W 31,1,20\r\n");
}

TEST_F(ImportCutListTest, WinEstSuccessShowsTheCutFileOnly) {
  const std::string path = folder.Write("bridge", "W8X31,4,120610,B7\r\n");
  ASSERT_TRUE(ImportCutList(job, frontend, ImportFormat::WinEst, path));
  EXPECT_EQ(frontend.statuses, (Texts{"Import Complete", "File : " + path + ".cut"}));
  EXPECT_EQ(JobNames(job), NamesFromBase(path));
}

TEST_F(ImportCutListTest, FailureLeavesTheJobAsItWas) {
  const std::string old = "Mark(Bin),Material,Qty,Length\r\nOLD,W8X31,1,10\r\n";
  folder.Write("bridge.cut", old);
  for (const ImportFormat format : {ImportFormat::Kiss, ImportFormat::WinEst}) {
    frontend.statuses.clear();
    EXPECT_FALSE(ImportCutList(job, frontend, format, folder.Write("bridge.txt", "W8X31,4")));
    EXPECT_EQ(JobNames(job), NamesFromBase("/old/job"));
    EXPECT_EQ(frontend.statuses, Texts{"Import Unsuccessful"});
    EXPECT_TRUE(frontend.stockFileName.empty());
    EXPECT_TRUE(job.dataChanged);
    EXPECT_EQ(ReadWholeFile(folder.Path("bridge.cut")), old);
  }
}

}  // namespace
