#include "import/import_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "import/import_test_support.h"
#include "support/recording_frontend.h"

namespace {

Texts JobNames(const JobState& job) {
  return {job.filename, job.stock_filename, job.cut_filename, job.export_filename};
}

Texts NamesFromBase(const std::string& base) {
  return {base, base + ".stk", base + ".cut", base + "_cutlist.txt"};
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
  EXPECT_EQ(FileBytes(base + ".cut"), kCutHeader + std::string("B1-A,8W 31,1,20\r\n"));
}

TEST_F(ImportCutListTest, WinEstSuccessShowsTheCutFileOnly) {
  const std::string path = folder.Write("bridge", "W8X31,4,120610,B7\r\n");
  ASSERT_TRUE(ImportCutList(job, frontend, ImportFormat::WinEst, path));
  EXPECT_EQ(frontend.statuses, (Texts{"Import Complete", "File : " + path + ".cut"}));
  EXPECT_EQ(JobNames(job), NamesFromBase(path));
}

TEST_F(ImportCutListTest, FailureLeavesTheJobAsItWas) {
  folder.Write("bridge.cut", kOldCutFile);
  for (const ImportFormat format : {ImportFormat::Kiss, ImportFormat::WinEst}) {
    frontend.statuses.clear();
    EXPECT_FALSE(ImportCutList(job, frontend, format, folder.Write("bridge.txt", "W8X31,4")));
    EXPECT_EQ(JobNames(job), NamesFromBase("/old/job"));
    EXPECT_EQ(frontend.statuses, Texts{"Import Unsuccessful"});
    EXPECT_TRUE(frontend.stockFileName.empty());
    EXPECT_TRUE(job.dataChanged);
    EXPECT_EQ(FileBytes(folder.Path("bridge.cut")), kOldCutFile);
  }
}

}  // namespace
