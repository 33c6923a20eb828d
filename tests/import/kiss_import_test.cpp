#include "import/kiss_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "import/import_test_support.h"

namespace {

using namespace std::string_literals;

constexpr const char* kNotKiss = "Brx|File is not in KISS format.";

class KissImportTest : public ReaderTest {
 protected:
  KissImportTest() : ReaderTest(&ImportKissFile) {}
};

// One detail record after the recognition line, and the cut line it gives.
class KissRecordTest : public KissImportTest, public ::testing::WithParamInterface<LineRow> {};

TEST_P(KissRecordTest, WritesTheCutLine) {
  UseUnits(job, GetParam().unit);
  ExpectImported({"", "KISS,1.0\r\n" + GetParam().line, GetParam().cutLine + "\r\n", {}});
}

constexpr const char* kRealRecord = "D,8000GR,3,8000GR,m52,1,ROD,1 3/8,6061-T6,101.60,,ROD";

INSTANTIATE_TEST_SUITE_P(
    Rows, KissRecordTest,
    ::testing::Values(
        LineRow{kFeet16, "D,1,2,B12,A,3,8,W,31,6096", "B12-A,8W 31,3,20"},
        LineRow{kFeet32, "D,1,2,B12,A,3,8,W,31,1000", "B12-A,8W 31,3,3.28083989501312"},
        LineRow{kInch16, "D,1,2,B12,A,3,8,W,31,6096", "B12-A,8W 31,3,240"},
        LineRow{kMetric, "D,1,2,B12,A,3,8,W,31,6096.50", "B12-A,8W 31,3,6096.5"},
        LineRow{kFeet16, kRealRecord, "8000GR-m52,ROD1 3/8 6061-T6,1,0.333333333333333"},
        // Empty fields keep their places, alone or in runs.
        LineRow{kFeet16, "D,1,2,B12,,3,8,W,31,6096", "B12- ,8W 31,3,20"},
        LineRow{kFeet16, "D,1,2,,,3,8,W,31,6096", " - ,8W 31,3,20"},
        LineRow{kFeet16, "D,,,,A,2,W,8X31,,3048", " -A,W8X31 ,2,10"},
        // Mark and quantity keep their blanks; the material parts are trimmed.
        LineRow{kFeet16, "D,1,2, B12,A, 3,  8 ,W , 31,6096", " B12-A,8W 31, 3,20"},
        LineRow{kFeet16, "D,1,2,B1,A,0,PL,3/8X6,A36,152.4,x,y,z,w", "B1-A,PL3/8X6 A36,0,0.5"},
        LineRow{kFeet16, "DKISS,1,2,B1,A,1,8,W,31,6096", "B1-A,8W 31,1,20"}));

class KissFileTest : public KissImportTest, public ::testing::WithParamInterface<FileRow> {};

TEST_P(KissFileTest, ImportsTheDetailRecords) { ExpectImported(GetParam()); }

constexpr const char* kTwoRecords = "B1-A,8W 31,1,20\r\nB2-A,8W 31,2,20\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, KissFileTest,
    ::testing::Values(
        FileRow{"FromTheRecognitionLineOn",
                "D,1,2,B0,A,1,8,W,31,6096\r\nH,header\r\nKISS,1.0\r\nD,1,2,B1,A,1,8,W,31,6096\r\n"
                "X,1,2,B7,A,3,8,W,31,6096\r\nd,1,2,B8,A,3,8,W,31,6096\r\n"
                "D,1,2,B9,A,2,0,W,31,6096\r\nD,1,2,B9,A,2,-2,W,31,6096\r\n"
                "D,1,2,B9,A,2,,W,31,6096\r\nD,1,2,B9,A,2, ,W,31,6096\r\n"
                "D,1,2,B2,A,2,8,W,31,6096\r\n",
                kTwoRecords,
                {kNotProcessed}},
        FileRow{"DetailingProgramLayout",
                "KISS,1.0,Detailer 2024,BRX test model,03/14/2024\r\n"
                "H,1042,Warehouse mezzanine,Acme Fabricators,,,Imperial\r\n"
                "*,Main mark B1\r\n"
                "D,B1,2,B1,p1,2,W,8X31,A992,6096.00,,W8X31\r\n"
                "L,B1,p1,1,Hole,0.8125,152.40,76.20\r\n"
                "D,B1,2,B1,,1,PL,3/8X6,A36,152.40,,PL3/8X6\r\n"
                "S,B1,p1,Shop primer\r\n"
                "D,C3,1,,,0,L,3X3X1/4,A36,914.40,,L3X3X1/4\r\n"
                "D,C4,1,C4,a,1,,,,,,\r\n",
                "B1-p1,W8X31 A992,2,20\r\nB1- ,PL3/8X6 A36,1,0.5\r\n - ,L3X3X1/4 A36,0,3\r\n",
                {kNotProcessed}},
        FileRow{"LineFeedsAndCarriageReturns",
                "KISS\nD,1,2,B1,A,1,8,W,31,6096\rD,1,2,B2,A,2,8,W,31,6096",
                kTwoRecords,
                {}},
        FileRow{"BinaryBytes",
                "\xff\xfe\0\x01\r\nKISS\0\r\nD,1,2,B\xe9,A,1,W\0X,8,\xff,6096\r\n"s,
                "B\xe9-A,W\0X8 \xff,1,20\r\n"s,
                {}}));

TEST_F(KissImportTest, ReadsOneHundredThousandRecords) {
  constexpr int kRecords = 100000;
  std::string kiss = "KISS,1.0\r\n";
  for (int i = 0; i < kRecords; ++i)
    kiss += "D,M,1,B" + std::to_string(i) + ",,1,W,8X31,,304.8\r\n";
  ASSERT_TRUE(Import(kiss));
  const std::string cut = CutFile();
  EXPECT_EQ(std::count(cut.begin(), cut.end(), '\n'), kRecords + 1);
  EXPECT_TRUE(cut.ends_with("\r\nB99999- ,W8X31 ,1,1\r\n"));
}

class KissFailureTest : public KissImportTest, public ::testing::WithParamInterface<FileRow> {};

TEST_P(KissFailureTest, KeepsTheOldCutFile) { ExpectFailed(GetParam().input, GetParam().messages); }

std::string FieldError(const std::string& line, const std::string& read) {
  return "Import File Format Error|At Line :  " + line + "\rBRX read: '" + read +
         "'   \rError: Brx : Subscript out of range";
}

INSTANTIATE_TEST_SUITE_P(
    Files, KissFailureTest,
    ::testing::Values(
        FileRow{"NoRecognitionLine", "kiss\r\nD,1,2,B12,A,3,8,W,31,6096\r\n", "", {kNotKiss}},
        FileRow{"Empty", "", "", {kNotKiss}},
        FileRow{"NineFields",
                "KISS\r\nD,1,2,B1,A,3,8,W,31,6096\r\nD,1,2,B12,A,3,8,W,31\r\n",
                "",
                {FieldError("3", "D,1,2,B12,A,3,8,W,31")}},
        FileRow{"EmptyFieldsShown", "x\nKISS\nD,,2,B12,,\n", "", {FieldError("3", "D, ,2,B12, ,")}},
        FileRow{"DetailLetterOnly", "KISS\r\nD", "", {FieldError("2", "D")}}));

TEST_F(KissImportTest, AMissingFileOrAFolderIsNotKiss) {
  EXPECT_FALSE(ImportPath(folder.Path("gone.kss")));
  EXPECT_FALSE(ImportPath(folder.Path(".")));
  EXPECT_EQ(Messages(), (Texts{kNotKiss, kNotKiss}));
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(KissImportTest, ACutFileThatCannotBeReplacedIsReported) {
  std::filesystem::create_directory(cutPath);
  EXPECT_FALSE(Import("KISS\r\nD,1,2,B1,A,1,8,W,31,6096\r\n"));
  EXPECT_EQ(
      Messages(),
      Texts{"Error|Error # 75 was generated by Brx\rPath/File access error (not a regular file)"});
  EXPECT_EQ(folder.Names(), (Texts{"job.cut", "job.in"}));
}

}  // namespace
