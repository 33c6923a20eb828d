#include "import/import_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "import/temp_folder.h"
#include "support/recording_frontend.h"

namespace {

using namespace std::string_literals;

struct NamesRow {
  std::string path;
  ImportFileNames names;
};

void PrintTo(const NamesRow& row, std::ostream* os) { *os << row.path; }

class ImportFileNamesTest : public ::testing::TestWithParam<NamesRow> {};

TEST_P(ImportFileNamesTest, DerivesTheJobFiles) {
  const NamesRow& row = GetParam();
  const ImportFileNames names = ImportFileNamesFor(row.path);
  EXPECT_EQ(names.base, row.names.base);
  EXPECT_EQ(names.stockFile, row.names.stockFile);
  EXPECT_EQ(names.cutFile, row.names.cutFile);
  EXPECT_EQ(names.exportFile, row.names.exportFile);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImportFileNamesTest,
    ::testing::Values(NamesRow{"/jobs/bridge.txt",
                               {"/jobs/bridge", "/jobs/bridge.stk", "/jobs/bridge.cut",
                                "/jobs/bridge_cutlist.txt"}},
                      NamesRow{"/jobs/bridge.KSS",
                               {"/jobs/bridge", "/jobs/bridge.stk", "/jobs/bridge.cut",
                                "/jobs/bridge_cutlist.txt"}},
                      NamesRow{"/jobs/Rev.2/bridge",
                               {"/jobs/Rev.2/bridge", "/jobs/Rev.2/bridge.stk",
                                "/jobs/Rev.2/bridge.cut", "/jobs/Rev.2/bridge_cutlist.txt"}},
                      NamesRow{"/jobs/a.b.kss",
                               {"/jobs/a.b", "/jobs/a.b.stk", "/jobs/a.b.cut",
                                "/jobs/a.b_cutlist.txt"}}));

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
  std::vector<std::string> JobNames() const {
    return {job.filename, job.stock_filename, job.cut_filename, job.export_filename};
  }

  TempFolder folder;
  JobState job;
  RecordingFrontend frontend;
};

TEST_F(ImportCutListTest, KissSuccessTakesTheNewFiles) {
  const std::string path = folder.Write("bridge.kss", "KISS\r\nD,1,2,B1,A,1,8,W,31,6096\r\n");
  ASSERT_TRUE(ImportCutList(job, frontend, ImportFormat::Kiss, path));
  const std::string base = folder.Path("bridge");
  EXPECT_EQ(JobNames(),
            (std::vector<std::string>{base, base + ".stk", base + ".cut", base + "_cutlist.txt"}));
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{
                "Import Complete", "File : " + base + ".cut          Select material from list."}));
  EXPECT_EQ(frontend.stockFileName, base + ".stk");
  EXPECT_FALSE(job.dataChanged);
  EXPECT_EQ(ReadWholeFile(base + ".cut"), "Mark(Bin),Material,Qty,Length\r\nB1-A,8W 31,1,20\r\n");
}

TEST_F(ImportCutListTest, WinEstSuccessNamesTheCutFileOnly) {
  const std::string path = folder.Write("bridge", "W8X31,4,120610,B7\r\n");
  ASSERT_TRUE(ImportCutList(job, frontend, ImportFormat::WinEst, path));
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{"Import Complete", "File : " + path + ".cut"}));
  EXPECT_EQ(job.cut_filename, path + ".cut");
}

TEST_F(ImportCutListTest, FailureLeavesTheJobAsItWas) {
  for (const ImportFormat format : {ImportFormat::Kiss, ImportFormat::WinEst}) {
    const std::string old = "Mark(Bin),Material,Qty,Length\r\nOLD,W8X31,1,10\r\n";
    folder.Write("bridge.cut", old);
    frontend.statuses.clear();
    EXPECT_FALSE(ImportCutList(job, frontend, format, folder.Write("bridge.txt", "W8X31,4")));
    EXPECT_EQ(JobNames(), (std::vector<std::string>{"/old/job", "/old/job.stk", "/old/job.cut",
                                                    "/old/job_cutlist.txt"}));
    EXPECT_EQ(frontend.statuses, std::vector<std::string>{"Import Unsuccessful"});
    EXPECT_TRUE(frontend.stockFileName.empty());
    EXPECT_TRUE(job.dataChanged);
    EXPECT_EQ(ReadWholeFile(folder.Path("bridge.cut")), old);
  }
}

}  // namespace
