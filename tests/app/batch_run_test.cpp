#include "app/batch_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/batch_frontend.h"
#include "core/job_state.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace {

constexpr const char* kCutText = "x,,,\r\nP1,M,2,20\r\n";
constexpr const char* kStockText = "MATERIAL, MARK, QTY, LENGTH\r\nM,R5,5,20\r\n";

// A job as the five arguments set it up, with stock update on.
struct BatchJob {
  BatchJob() {
    folder.Write("a.cut", kCutText);
    folder.Write("a.stk", kStockText);
    NewRun();
  }
  // The job as a new start of the program sets it up on the same files.
  void NewRun() {
    job = JobState();
    job.cut_filename = folder.Path("a.cut");
    job.stock_filename = folder.Path("a.stk");
    job.export_filename = folder.Path("out.txt");
    job.reportFileName = folder.Path("out.bxl");
    job.matl = "M";
    job.stk_update = "1";
  }
  int Run(std::chrono::milliseconds lockWait = kStockLockWait) {
    return RunBatchJob(job, frontend, output, errors, BatchOutput::Text, lockWait);
  }
  // Nothing was written: the job files as they were, no report, no export.
  void ExpectUntouched() const {
    EXPECT_EQ(FileBytes(job.cut_filename), kCutText);
    EXPECT_EQ(FileBytes(job.stock_filename), kStockText);
    EXPECT_FALSE(std::filesystem::exists(job.reportFileName));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out_M.txt")));
  }

  TempFolder folder;
  JobState job;
  std::ostringstream output;
  std::ostringstream errors;
  BatchFrontend frontend{errors};
};

class RefusedKerfTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedKerfTest, EndsTheRunBeforeAnyFileIsTouched) {
  BatchJob batch;
  batch.job.kerf = GetParam();
  EXPECT_EQ(batch.Run(), kExitJobNotRun);
  EXPECT_EQ(batch.errors.str(), "brx: the kerf \"" + GetParam() +
                                    "\" is not a length of 0 or more in the job's unit\n");
  batch.ExpectUntouched();
}

INSTANTIATE_TEST_SUITE_P(NotALength, RefusedKerfTest,
                         ::testing::Values("-1", "abc", "1/8", "0,125", "nan", "1e400", "", "  ",
                                           "inf", "+1", "-0", "1.2.3", ".", "1e", "0x10", "1 2",
                                           "1e5000000000000000000000", "\t1"));

class AcceptedKerfTest : public ::testing::TestWithParam<std::string> {};

TEST_P(AcceptedKerfTest, RunsTheJob) {
  BatchJob batch;
  batch.job.kerf = GetParam();
  EXPECT_EQ(batch.Run(), kExitJobRan) << batch.errors.str();
  EXPECT_EQ(FileBytes(batch.job.stock_filename), "MATERIAL, MARK, QTY, LENGTH\r\nM,R5,3,20\r\n");
}

// Blanks around; digits with at most one point; an exponent; a value too
// small for a double is 0.
INSTANTIATE_TEST_SUITE_P(PlainDecimal, AcceptedKerfTest,
                         ::testing::Values("0", " 0.125 ", ".5", "5.", "1E-3", "2e+1", "1e-400",
                                           "0.000e999999", "00012"));

// Another run holds the stock file, reached through a link to it: this run
// waits, then ends without writing.
TEST(BatchRunLockTest, AStockFileHeldByAnotherRunIsLeftAlone) {
  BatchJob batch;
  const std::string link = batch.folder.Path("link.stk");
  std::filesystem::create_symlink(batch.job.stock_filename, link);
  StockFileLock other;
  RecordingFrontend quiet;
  ASSERT_TRUE(other.Acquire(link, std::chrono::milliseconds(0), quiet));
  EXPECT_EQ(batch.Run(std::chrono::milliseconds(100)), kExitJobNotRun);
  EXPECT_EQ(batch.errors.str(), "brx: the stock file " + batch.job.stock_filename +
                                    " is in use by another cutting run\n");
  batch.ExpectUntouched();
}

// Drops of at least 6' kept: those of the bars of A merge into one row RA,
// those of the ordered bars of B into R-ORDER; the 3' drop is too short. The
// rows stand among the material's rows longest first, the other material's
// after them.
constexpr const char* kDropStock =
    "MATERIAL, MARK, QTY, LENGTH\r\nX,Z,7,33\r\nM,A,7,20\r\nM,B,0,30\r\n";
constexpr const char* kDropCuts = "x,,,\r\nQ,M,1,17\r\nP,M,4,14\r\nR,M,2,24\r\n";
constexpr const char* kDropsKept =
    "MATERIAL, MARK, QTY, LENGTH\r\nM,B,0,30\r\nM,A,2,20\r\nM,R-ORDER,2,6\r\nM,RA,4,6\r\n"
    "X,Z,7,33\r\n";
constexpr const char* kDropsSection =
    "Bin: B Order    2 item(s)            30'-0\"\r\n\r\n\r\n"
    "DROPS RETURNED TO STOCK for: M\r\n"
    "Bin: R-ORDER kept    2 item(s)              6'-0\"\r\n"
    "Bin: RA kept    4 item(s)              6'-0\"\r\n\r\nEnd of report: ";

struct DropsJob : BatchJob {
  DropsJob() {
    folder.Write("a.cut", kDropCuts);
    folder.Write("a.stk", kDropStock);
    job.remnantMin = "6";
  }
  std::string Report() const { return FileBytes(job.reportFileName); }
};

TEST(KeptDropsTest, GoBackOncePerBarMergedAndTheNextRunCutsThem) {
  DropsJob batch;
  ASSERT_EQ(batch.Run(), kExitJobRan) << batch.errors.str();
  EXPECT_EQ(FileBytes(batch.job.stock_filename), kDropsKept);
  EXPECT_NE(batch.Report().find(kDropsSection), std::string::npos) << batch.Report();

  // The next run cuts a 5'-6" piece from a drop of RA; its 6" drop is too
  // short to keep.
  batch.folder.Write("a.cut", "x,,,\r\nS,M,1,5.5\r\n");
  batch.NewRun();
  batch.job.remnantMin = "6";
  ASSERT_EQ(batch.Run(), kExitJobRan) << batch.errors.str();
  EXPECT_EQ(FileBytes(batch.job.stock_filename),
            "MATERIAL, MARK, QTY, LENGTH\r\nM,B,0,30\r\nM,A,2,20\r\nM,R-ORDER,2,6\r\n"
            "M,RA,3,6\r\nX,Z,7,33\r\n");
  EXPECT_EQ(batch.Report().find("DROPS"), std::string::npos);
}

// A row holds at most 999 bars, as a larger quantity would never run down:
// the drop past that starts a row of its own.
TEST(KeptDropsTest, ARowFullOfDropsStartsAnother) {
  DropsJob batch;
  batch.folder.Write("a.stk", "MATERIAL, MARK, QTY, LENGTH\r\nM,A,7,20\r\nM,RA,998,6\r\n");
  batch.folder.Write("a.cut", "x,,,\r\nP,M,2,14\r\n");
  ASSERT_EQ(batch.Run(), kExitJobRan) << batch.errors.str();
  EXPECT_EQ(FileBytes(batch.job.stock_filename),
            "MATERIAL, MARK, QTY, LENGTH\r\nM,A,5,20\r\nM,RA,999,6\r\nM,RA,1,6\r\n");
}

// Nothing comes back, and the report names nothing, when the stock is not
// updated or a result of the run could not be written.
struct NoDropsCase {
  const char* name;
  const char* stk_update;
  const char* reportFile;  // in the job's folder
  const char* exportFile;
  int status;
};

class NoDropsTest : public ::testing::TestWithParam<NoDropsCase> {};

TEST_P(NoDropsTest, LeaveTheStockFileWithoutThem) {
  const NoDropsCase& c = GetParam();
  DropsJob batch;
  batch.job.stk_update = c.stk_update;
  batch.job.reportFileName = batch.folder.Path(c.reportFile);
  batch.job.export_filename = batch.folder.Path(c.exportFile);
  EXPECT_EQ(batch.Run(), c.status) << batch.errors.str();
  EXPECT_EQ(FileBytes(batch.job.stock_filename).find(",R"), std::string::npos);
  EXPECT_EQ(batch.Report().find("DROPS"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoDropsTest,
    ::testing::Values(NoDropsCase{"StockNotUpdated", "0", "out.bxl", "out.txt", kExitJobRan},
                      NoDropsCase{"NoReport", "1", "gone/out.bxl", "out.txt", kExitOutputFailed},
                      NoDropsCase{"NoExport", "1", "out.bxl", "gone/out.txt", kExitOutputFailed}),
    [](const ::testing::TestParamInfo<NoDropsCase>& param) { return param.param.name; });

}  // namespace
