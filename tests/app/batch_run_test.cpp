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
    job.cut_filename = folder.Write("a.cut", kCutText);
    job.stock_filename = folder.Write("a.stk", kStockText);
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

}  // namespace
