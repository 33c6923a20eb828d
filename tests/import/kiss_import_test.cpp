#include "import/kiss_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "import/temp_folder.h"
#include "support/recording_frontend.h"

namespace {

using namespace std::string_literals;

constexpr const char* kHeader = "Mark(Bin),Material,Qty,Length\r\n";
constexpr const char* kNotKiss = "File is not in KISS format.";
constexpr const char* kNotProcessed =
    "Some line items were not processed due to unrecognized file formatting.";
constexpr const char* kOldCutFile = "Mark(Bin),Material,Qty,Length\r\nOLD,W8X31,1,10\r\n";

enum class Unit { Feet, Inches, Millimetres };

class KissImportTest : public ::testing::Test {
 protected:
  void Use(Unit unit) {
    job.unit_flag = unit == Unit::Millimetres ? "1" : "0";
    job.inchOnlyFlag = unit == Unit::Inches ? "1" : "0";
  }
  // Imports the text as job.kss into job.cut.
  bool Import(std::string_view kiss) {
    return ImportKissFile(job, frontend, folder.Write("job.kss", kiss), cutPath);
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

// One detail record after the recognition line, and the cut line it gives.
struct RecordRow {
  Unit unit;
  std::string record;
  std::string cutLine;
};

void PrintTo(const RecordRow& row, std::ostream* os) { *os << "'" << row.record << "'"; }

class KissRecordTest : public KissImportTest, public ::testing::WithParamInterface<RecordRow> {};

TEST_P(KissRecordTest, WritesTheCutLine) {
  const RecordRow& row = GetParam();
  Use(row.unit);
  ASSERT_TRUE(Import("KISS,1.0\r\n" + row.record + "\r\n"));
  EXPECT_EQ(CutFile(), kHeader + row.cutLine + "\r\n");
  EXPECT_TRUE(frontend.messages.empty());
}

constexpr const char* kRealRecord = "D,8000GR,3,8000GR,m52,1,ROD,1 3/8,6061-T6,101.60,,ROD";

INSTANTIATE_TEST_SUITE_P(
    Rows, KissRecordTest,
    ::testing::Values(
        RecordRow{Unit::Feet, "D,1,2,B12,A,3,8,W,31,6096", "B12-A,8W 31,3,20"},
        RecordRow{Unit::Feet, "D,1,2,B12,A,3,8,W,31,304.8", "B12-A,8W 31,3,1"},
        RecordRow{Unit::Feet, "D,1,2,B12,A,3,8,W,31,1000", "B12-A,8W 31,3,3.28083989501312"},
        RecordRow{Unit::Inches, "D,1,2,B12,A,3,8,W,31,6096", "B12-A,8W 31,3,240"},
        RecordRow{Unit::Millimetres, "D,1,2,B12,A,3,8,W,31,6096.50", "B12-A,8W 31,3,6096.5"},
        RecordRow{Unit::Feet, kRealRecord, "8000GR-m52,ROD1 3/8 6061-T6,1,0.333333333333333"},
        RecordRow{Unit::Inches, kRealRecord, "8000GR-m52,ROD1 3/8 6061-T6,1,4"},
        RecordRow{Unit::Millimetres, kRealRecord, "8000GR-m52,ROD1 3/8 6061-T6,1,101.6"},
        // Empty fields keep their places, alone or in runs.
        RecordRow{Unit::Feet, "D,1,2,B12,,3,8,W,31,6096", "B12- ,8W 31,3,20"},
        RecordRow{Unit::Feet, "D,1,2,,,3,8,W,31,6096", " - ,8W 31,3,20"},
        RecordRow{Unit::Feet, "D,,,,A,2,W,8X31,,3048", " -A,W8X31 ,2,10"},
        // Mark and quantity keep their blanks; the material parts are trimmed.
        RecordRow{Unit::Feet, "D,1,2, B12,A, 3,  8 ,W , 31,6096", " B12-A,8W 31, 3,20"},
        RecordRow{Unit::Feet, "D,1,2,B1,,0,8,W,31,6096", "B1- ,8W 31,0,20"},
        RecordRow{Unit::Feet, "D,1,2,B1,A,1,PL,3/8X6,A36,152.4,x,y,z,w", "B1-A,PL3/8X6 A36,1,0.5"},
        RecordRow{Unit::Feet, "DKISS,1,2,B1,A,1,8,W,31,6096", "B1-A,8W 31,1,20"}));

// Detail records that are skipped: field 7 empty, 0 or negative.
class KissSkippedRecordTest : public KissImportTest,
                              public ::testing::WithParamInterface<std::string> {};

TEST_P(KissSkippedRecordTest, IsLeftOutWithOneMessage) {
  const std::string record = GetParam();
  ASSERT_TRUE(Import("KISS\r\n" + record + "\r\n" + record + "\r\n"));
  EXPECT_EQ(CutFile(), kHeader);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Brx|"s + kNotProcessed});
}

INSTANTIATE_TEST_SUITE_P(Rows, KissSkippedRecordTest,
                         ::testing::Values("D,1,2,B12,A,3,0,W,31,6096",
                                           "D,1,2,B12,A,3,-2,W,31,6096", "D,1,2,B12,A,3,,W,31,6096",
                                           "D,1,2,B12,A,3, ,W,31,6096",
                                           "D,1,2,B12,A,3,0.0e5,W,31,6096"));

TEST_F(KissImportTest, ReadsFromTheRecognitionLineOn) {
  ASSERT_TRUE(
      Import("D,1,2,B1,A,1,8,W,31,6096\r\n"
             "H,header\r\n"
             "KISS,1.0\r\n"
             "D,1,2,B12,A,3,8,W,31,6096\r\n"
             "X,1,2,B2,A,3,8,W,31,6096\r\n"
             "d,1,2,B3,A,3,8,W,31,6096\r\n"
             "D,1,2,B13,A,2,0,W,31,6096\r\n"
             "D,1,2,B14,A,1,8,W,31,304.8\r\n"));
  EXPECT_EQ(CutFile(), kHeader + "B12-A,8W 31,3,20\r\nB14-A,8W 31,1,1\r\n"s);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Brx|"s + kNotProcessed});
}

TEST_F(KissImportTest, ImportsAFileInTheDetailingProgramsLayout) {
  ASSERT_TRUE(
      Import("KISS,1.0,Detailer 2024,BRX test model,03/14/2024\r\n"
             "H,1042,Warehouse mezzanine,Acme Fabricators,,,Imperial\r\n"
             "*,Main mark B1\r\n"
             "D,B1,2,B1,p1,2,W,8X31,A992,6096.00,,W8X31\r\n"
             "L,B1,p1,1,Hole,0.8125,152.40,76.20\r\n"
             "D,B1,2,B1,,1,PL,3/8X6,A36,152.40,,PL3/8X6\r\n"
             "S,B1,p1,Shop primer\r\n"
             "*,Main mark 8000GR\r\n"
             "D,8000GR,3,8000GR,m52,1,ROD,1 3/8,6061-T6,101.60,,ROD\r\n"
             "D,C3,1,,,0,L,3X3X1/4,A36,914.40,,L3X3X1/4\r\n"
             "D,C4,1,C4,a,1,,,,,,\r\n"));
  EXPECT_EQ(CutFile(), kHeader +
                           "B1-p1,W8X31 A992,2,20\r\n"
                           "B1- ,PL3/8X6 A36,1,0.5\r\n"
                           "8000GR-m52,ROD1 3/8 6061-T6,1,0.333333333333333\r\n"
                           " - ,L3X3X1/4 A36,0,3\r\n"s);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Brx|"s + kNotProcessed});
}

TEST_F(KissImportTest, AcceptsEveryLineEnd) {
  const std::string expected = kHeader + "B1-A,8W 31,1,20\r\nB2-A,8W 31,2,20\r\n"s;
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    ASSERT_TRUE(
        Import("KISS" + end + "D,1,2,B1,A,1,8,W,31,6096" + end + "D,1,2,B2,A,2,8,W,31,6096"));
    EXPECT_EQ(CutFile(), expected);
  }
  ASSERT_TRUE(Import("KISS\r\rD,1,2,B1,A,1,8,W,31,6096\n\nD,1,2,B2,A,2,8,W,31,6096\r\n\r\n"));
  EXPECT_EQ(CutFile(), expected);
}

TEST_F(KissImportTest, PassesBinaryBytesThrough) {
  ASSERT_TRUE(Import("\xff\xfe\0\x01garbage\r\nKISS\0\r\nD,1,2,B\xe9,A,1,W\0X,8,\xff,6096\r\n"s));
  EXPECT_EQ(CutFile(), kHeader + "B\xe9-A,W\0X8 \xff,1,20\r\n"s);
}

TEST_F(KissImportTest, ReadsOneHundredThousandRecords) {
  constexpr int kRecords = 100000;
  std::string kiss = "KISS,1.0\r\n";
  for (int i = 0; i < kRecords; ++i)
    kiss += "D,M,1,B" + std::to_string(i) + ",,1,W,8X31,,304.8\r\n";
  ASSERT_TRUE(Import(kiss));
  const std::string cut = CutFile();
  EXPECT_EQ(std::count(cut.begin(), cut.end(), '\n'), kRecords + 1);
  EXPECT_NE(cut.find("\r\nB99999- ,W8X31 ,1,1\r\n"), std::string::npos);
}

TEST_F(KissImportTest, ReplacesAnOldCutFileOnSuccess) {
  folder.Write("job.cut", kOldCutFile);
  ASSERT_TRUE(Import("KISS\r\nD,1,2,B1,A,1,8,W,31,6096\r\n"));
  EXPECT_EQ(CutFile(), kHeader + "B1-A,8W 31,1,20\r\n"s);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"job.cut", "job.kss"}));
}

// Files that fail: the messages shown, and the old cut file left whole.
struct FailureRow {
  std::string name;
  std::string kiss;
  std::string message;  // title|text
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class KissFailureTest : public KissImportTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(KissFailureTest, KeepsTheOldCutFile) {
  const FailureRow& row = GetParam();
  folder.Write("job.cut", kOldCutFile);
  EXPECT_FALSE(Import(row.kiss));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{row.message});
  EXPECT_EQ(CutFile(), kOldCutFile);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"job.cut", "job.kss"}));
}

constexpr const char* kFormatError = "Import File Format Error|At Line :  ";

INSTANTIATE_TEST_SUITE_P(
    Rows, KissFailureTest,
    ::testing::Values(
        FailureRow{"NoRecognitionLine", "kiss\r\nD,1,2,B12,A,3,8,W,31,6096\r\n",
                   "Brx|"s + kNotKiss},
        FailureRow{"EmptyFile", "", "Brx|"s + kNotKiss},
        FailureRow{
            "NineFields", "KISS\r\nD,1,2,B12,A,3,8,W,31,6096\r\nD,1,2,B12,A,3,8,W,31\r\n",
            kFormatError +
                "3\rBRX read: 'D,1,2,B12,A,3,8,W,31'   \rError: Brx : Subscript out of range"s},
        FailureRow{
            "TrailingEmptyLength", "KISS\nD,1,2,B12,A,3,8,W,31,",
            kFormatError +
                "2\rBRX read: 'D,1,2,B12,A,3,8,W,31,'   \rError: Brx : Subscript out of range"s},
        FailureRow{
            "EmptyFieldsShown", "x\nKISS\nD,,2,B12,,\n",
            kFormatError + "3\rBRX read: 'D, ,2,B12, ,'   \rError: Brx : Subscript out of range"s},
        FailureRow{"DetailLetterOnly", "KISS\r\nD\r\n",
                   kFormatError + "2\rBRX read: 'D'   \rError: Brx : Subscript out of range"s}));

TEST_F(KissImportTest, AMissingFileIsNotKiss) {
  EXPECT_FALSE(ImportKissFile(job, frontend, folder.Path("gone.kss"), cutPath));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Brx|"s + kNotKiss});
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(KissImportTest, ACutFileThatCannotBeReplacedIsReported) {
  std::filesystem::create_directory(cutPath);
  EXPECT_FALSE(Import("KISS\r\nD,1,2,B1,A,1,8,W,31,6096\r\n"));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{
                                "Error|Error # 75 was generated by Brx\rPath/File access error"});
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"job.cut", "job.kss"}));
}

}  // namespace
