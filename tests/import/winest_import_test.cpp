#include "import/winest_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "import/temp_folder.h"
#include "support/recording_frontend.h"

namespace {

using namespace std::string_literals;

constexpr const char* kHeader = "Mark(Bin),Material,Qty,Length\r\n";
constexpr const char* kNotProcessed =
    "Brx|Some line items were not processed due to unrecognized file formatting.";
constexpr const char* kReadError =
    "Error|Error reading WinEst Export file. Check the Format Code in the Import Configuration "
    "in the Program Settings menu.";
constexpr const char* kOldCutFile = "Mark(Bin),Material,Qty,Length\r\nOLD,W8X31,1,10\r\n";

struct Mode {
  const char* unitFlag;
  const char* inchOnly;
  const char* inch32;
};
constexpr Mode kFeet16{"0", "0", "0"};
constexpr Mode kFeet32{"0", "0", "1"};
constexpr Mode kInch16{"0", "1", "0"};
constexpr Mode kMetric{"1", "0", "0"};

class WinEstImportTest : public ::testing::Test {
 protected:
  void Use(Mode mode) {
    job.unit_flag = mode.unitFlag;
    job.inchOnlyFlag = mode.inchOnly;
    job.inch32Flag = mode.inch32;
  }
  // Imports the text as job.txt into job.cut.
  bool Import(std::string_view text) {
    return ImportWinEstFile(job, frontend, folder.Write("job.txt", text), cutPath);
  }
  std::string CutFile() const { return ReadWholeFile(cutPath); }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : frontend.messages)
      texts.push_back(message.title + "|" + message.text);
    return texts;
  }

  TempFolder folder;
  std::string cutPath = folder.Path("job.cut");
  JobState job;
  RecordingFrontend frontend;
};

// One export line and the cut line it gives.
struct LineRow {
  Mode mode;
  std::string line;
  std::string cutLine;
};

void PrintTo(const LineRow& row, std::ostream* os) { *os << "'" << row.line << "'"; }

class WinEstLineTest : public WinEstImportTest, public ::testing::WithParamInterface<LineRow> {};

TEST_P(WinEstLineTest, WritesTheCutLine) {
  const LineRow& row = GetParam();
  Use(row.mode);
  ASSERT_TRUE(Import(row.line + "\r\n"));
  EXPECT_EQ(CutFile(), kHeader + row.cutLine + "\r\n");
  EXPECT_TRUE(frontend.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WinEstLineTest,
    ::testing::Values(LineRow{kFeet16, "W8X31,4,120610,B7", "B7,W8X31,4,12.5520833333333"},
                      LineRow{kFeet32, "W8X31,4,400911,B7", "B7,W8X31,4,40.7786458333333"},
                      LineRow{kInch16, "W8X31,4,12011,B7", "B7,W8X31,4,120.6875"},
                      LineRow{kMetric, "W8X31,4, 3048.5 ,B7", "B7,W8X31,4,3048.5"},
                      LineRow{kFeet16, "W8X31,4,120610, ", "  ,W8X31,4,12.5520833333333"},
                      LineRow{kFeet16, "W8X31,4,120610", "  ,W8X31,4,12.5520833333333"},
                      LineRow{kFeet16, "W8X31,4,120610,B7,x,y,z", "B7,W8X31,4,12.5520833333333"},
                      LineRow{kFeet16, "W8X31;4\t120610'B7", "B7,W8X31,4,12.5520833333333"},
                      LineRow{kFeet16, "W8X31,,4,,,120610,,B7,", "B7,W8X31,4,12.5520833333333"},
                      LineRow{kFeet16, " W8X31 , 4 , 120610 , B7 ",
                              "B7, W8X31 ,4,12.5520833333333"}));

TEST_F(WinEstImportTest, SkipsShortLaterLinesWithOneMessage) {
  ASSERT_TRUE(
      Import("W8X31,4,120610,B7\r\n"
             "W8X31,2\r\n"
             "\r\n"
             "L3X3,1,50000,A1\r\n"
             ",,,\r\n"
             "   \r\n"
             "L3X3\r\n"));
  EXPECT_EQ(CutFile(), kHeader + "B7,W8X31,4,12.5520833333333\r\nA1,L3X3,1,5\r\n"s);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{kNotProcessed});
}

TEST_F(WinEstImportTest, SkipsEmptyLinesWithoutAMessage) {
  ASSERT_TRUE(Import("W8X31,4,120610,B7\r\n\r\n;;\r\n\t\r\n"));
  EXPECT_EQ(CutFile(), kHeader + "B7,W8X31,4,12.5520833333333\r\n"s);
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(WinEstImportTest, AcceptsEveryLineEnd) {
  const std::string expected = kHeader + "B7,W8X31,4,12.5520833333333\r\nA1,L3X3,1,5\r\n"s;
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    ASSERT_TRUE(Import("W8X31,4,120610,B7" + end + "L3X3,1,50000,A1"));
    EXPECT_EQ(CutFile(), expected);
  }
}

TEST_F(WinEstImportTest, PassesBinaryBytesThrough) {
  ASSERT_TRUE(Import("W\0\xff,4,120610,B\x80\r\n\x01\x02\x03\r\n"s));
  EXPECT_EQ(CutFile(), kHeader + "B\x80,W\0\xff,4,12.5520833333333\r\n"s);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{kNotProcessed});
}

TEST_F(WinEstImportTest, ReadsOneHundredThousandLines) {
  constexpr int kLines = 100000;
  std::string text;
  for (int i = 0; i < kLines; ++i) text += "W8X31,1,10000,B" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(Import(text));
  const std::string cut = CutFile();
  EXPECT_EQ(std::count(cut.begin(), cut.end(), '\n'), kLines + 1);
  EXPECT_NE(cut.find("\r\nB99999,W8X31,1,1\r\n"), std::string::npos);
}

// Exports whose first line cannot be read: the error message, and the old
// cut file left whole.
struct FailureRow {
  std::string name;
  std::string text;
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class WinEstFailureTest : public WinEstImportTest,
                          public ::testing::WithParamInterface<FailureRow> {};

TEST_P(WinEstFailureTest, KeepsTheOldCutFile) {
  folder.Write("job.cut", kOldCutFile);
  EXPECT_FALSE(Import(GetParam().text));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{kReadError});
  EXPECT_EQ(CutFile(), kOldCutFile);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"job.cut", "job.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WinEstFailureTest,
    ::testing::Values(FailureRow{"TwoFields", "W8X31,4\r\nL3X3,1,50000,A1\r\n"},
                      FailureRow{"EmptyFile", ""},
                      FailureRow{"EmptyFirstLine", "\r\nW8X31,4,120610,B7\r\n"},
                      FailureRow{"SeparatorsOnly", ",,,;;;"}));

TEST_F(WinEstImportTest, AMissingFileFails) {
  EXPECT_FALSE(ImportWinEstFile(job, frontend, folder.Path("gone.txt"), cutPath));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{kReadError});
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(WinEstImportTest, ACutFileInAMissingFolderIsReported) {
  EXPECT_FALSE(ImportWinEstFile(job, frontend, folder.Write("job.txt", "W8X31,4,120610,B7\r\n"),
                                folder.Path("gone/job.cut")));
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Error|Error # 53 was generated by Brx\rFile not found"});
}

}  // namespace
