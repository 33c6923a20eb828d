#include "jobfiles/cut_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "job_file_fixture.h"

namespace {

class CutFileTest : public JobFileTest {
 protected:
  void WriteCuts(const std::string& text) { WriteBytes(job.cut_filename, text); }
  std::string CutText() const { return FileBytes(job.cut_filename); }

  void AddRow(const std::string& mark, std::int16_t quantity, double length) {
    job.cuts[job.cutCount++] = CutItem{quantity, length, mark, job.matl};
    job.pieceCount = static_cast<std::int16_t>(job.pieceCount + quantity);
  }

  // Each loaded row as "mark|material|quantity|length".
  std::vector<std::string> LoadedRows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < job.cutCount; ++i) {
      const CutItem& item = job.cuts[i];
      rows.push_back(item.mark + "|" + item.material + "|" + std::to_string(item.quantity) + "|" +
                     ShortestDecimal(item.length));
    }
    return rows;
  }
};

// Reading a file, then saving the rows read: what is loaded, what the user is
// told and what the file holds afterwards.
struct ReadSaveCase {
  std::string name;
  std::string text;
  std::vector<std::string> rows;
  int pieces;
  std::vector<std::string> messages;
  std::string saved;
};

void PrintTo(const ReadSaveCase& row, std::ostream* os) { *os << row.name; }

class CutReadSaveTest : public CutFileTest, public ::testing::WithParamInterface<ReadSaveCase> {};

TEST_P(CutReadSaveTest, LoadsTellsAndKeeps) {
  WriteCuts(GetParam().text);
  EXPECT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(LoadedRows(), GetParam().rows);
  EXPECT_EQ(job.pieceCount, GetParam().pieces);
  EXPECT_EQ(Messages(job.cut_filename), GetParam().messages);
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), GetParam().saved);
}

const std::string kNotLoaded1 =
    "BRX: {file}: 1 row(s) of W8X31 were not loaded; they are kept in the file unchanged.";

INSTANTIATE_TEST_SUITE_P(
    Files, CutReadSaveTest,
    ::testing::Values(
        ReadSaveCase{"QuantityAndLengthDecide",
                     "Mark(Bin),Material,Qty,Length\r\n M1 ,W8X31,2.5,10\r\nM2,W8X31,3.5,10\r\n"
                     "M3,W8X31,5 pcs,12ft\r\nZ1,W8X31,0,10\r\nZ2,W8X31,0.5,10\r\nZ3,W8X31,-2,10\r\n"
                     "Z4,W8X31,x,10\r\nZ5,W8X31,,10\r\nZ6,W8X31,2,0\r\nZ7,W8X31,2,-1\r\n",
                     {"M1|W8X31|2|10", "M2|W8X31|4|10", "M3|W8X31|5|12"},
                     11,
                     {},
                     "Mark(Bin),Material,Qty,Length\r\nM1,W8X31,2,10\r\nM2,W8X31,4,10\r\n"
                     "M3,W8X31,5,12\r\n"},
        ReadSaveCase{"RowsNotLoadedFollowTheLoadedOnes",
                     ",,,\r\nB1,W8X31,3,10\r\nB2,W8X31,32768,5\r\nB3,W8X31,1e400,5\r\n"
                     "B4,W8X31,2,7\r\nB5,W8X31,2, nan\r\nB6,W8X31,-INF,1\r\nL1,L3,2,1e400\r\n",
                     {"B1|W8X31|3|10", "B4|W8X31|2|7"},
                     5,
                     {"BRX: {file}: 4 row(s) of W8X31 were not loaded; they are kept in the file "
                      "unchanged."},
                     ",,,\r\nL1,L3,2,1e400\r\nB1,W8X31,3,10\r\nB4,W8X31,2,7\r\n"
                     "B2,W8X31,32768,5\r\nB3,W8X31,1e400,5\r\nB5,W8X31,2,nan\r\n"
                     "B6,W8X31,-INF,1\r\n"},
        ReadSaveCase{"PiecesBeyondCapacity",
                     ",,,\r\nA,W8X31,1000,1\r\nB,W8X31,999,2\r\nC,W8X31,2,3\r\nD,L3,1,4\r\n",
                     {"A|W8X31|1000|1", "B|W8X31|999|2"},
                     1999,
                     {kNotLoaded1},
                     ",,,\r\nD,L3,1,4\r\nA,W8X31,1000,1\r\nB,W8X31,999,2\r\nC,W8X31,2,3\r\n"},
        ReadSaveCase{"LinesWithoutFourFieldsAreKeptInPlace",
                     ",,,\r\nB1,W8X31,2,10\r\nB2, W8X31 ,1,4,x\nB3,L3,1,1\r\nB4,W8X31",
                     {"B1|W8X31|2|10"},
                     2,
                     {"BRX: {file}: 2 line(s) do not hold four fields; they were not read and are "
                      "kept in the file unchanged."},
                     ",,,\r\nB2, W8X31 ,1,4,x\r\nB3,L3,1,1\r\nB4,W8X31\r\nB1,W8X31,2,10\r\n"},
        ReadSaveCase{"EmptyMaterialPassedOverQuotedMaterialTrimmed",
                     ",,,\r\nB1,,2,10\r\nB2,\" W8X31 \",1,4\r\nB3,L3,1,1\r\n",
                     {"B2|W8X31|1|4"},
                     1,
                     {},
                     ",,,\r\nB1,,2,10\r\nB3,L3,1,1\r\nB2,W8X31,1,4\r\n"},
        ReadSaveCase{"HeaderNumbersShortenedByteOrderMarkSkipped",
                     "\xEF\xBB\xBF"
                     "1, 2.50,\"3.0\",x\r\nB1,L3,1,1\r\n",
                     {},
                     0,
                     {},
                     "1,2.5,3.0,x\r\nB1,L3,1,1\r\n"},
        ReadSaveCase{"BlankLinesAndTrailingCommas",
                     ",,,\r\n\r\nB1,W8X31,2,10,\r\n \r\nB2,L3,1,1,\r\nB3,W8X31,1,4\r\n\r\n",
                     {"B1|W8X31|2|10", "B3|W8X31|1|4"},
                     3,
                     {},
                     ",,,\r\nB2,L3,1,1\r\nB1,W8X31,2,10\r\nB3,W8X31,1,4\r\n"}),
    [](const auto& file) { return file.param.name; });

TEST_F(CutFileTest, NewFileHoldsTheRowsAndReadsBack) {
  AddRow("B1", 2, 10.5);
  AddRow("B2", 1, 3);
  job.dataChanged = true;
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\nB1,W8X31,2,10.5\r\nB2,W8X31,1,3\r\n");
  EXPECT_FALSE(job.dataChanged);
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{"Saving cut data in " + job.cut_filename, ""}));

  job.dataChanged = true;
  frontend.statuses.clear();
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.cutCount, 2);
  EXPECT_EQ(job.pieceCount, 3);
  EXPECT_EQ(job.pieces[1].mark, "B1");
  EXPECT_EQ(job.pieces[2].length, 3.0);
  EXPECT_FALSE(job.dataChanged);
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{"Reading File: " + job.cut_filename,
                                      " 2 cut sizes entered for a total of  3 cut pieces"}));
}

// Cut rows never replace a file whose own name ends in ".stk".
TEST_F(CutFileTest, StockNamedFileIsNotWritten) {
  std::filesystem::create_directory(Path("stk-jobs"));
  AddRow("B1", 1, 2);
  for (const auto& [name, refused] : {std::pair{"MyStock.stk", true},
                                      {"Job.Stk", true},
                                      {"stk-jobs/MyCuts.cut", false},
                                      {"MyCuts.stkx", false}}) {
    frontend.messages.clear();
    job.cut_filename = Path(name);
    EXPECT_EQ(WriteCutFile(job, frontend), !refused) << name;
    EXPECT_EQ(Messages(), refused ? std::vector<std::string>{"Brx: hold on error 1"}
                                  : std::vector<std::string>{})
        << name;
    EXPECT_EQ(std::filesystem::exists(job.cut_filename), !refused) << name;
  }
}

// A read that cannot go on leaves no rows behind that a later write could put
// under another material: no material, no file name, a missing file.
TEST_F(CutFileTest, EarlyExitsLeaveAnEmptyList) {
  WriteCuts(",,,\r\nB1,W8X31,2,10\r\n");
  for (const auto& [material, file] :
       {std::pair{"", "MyCuts.cut"}, {"W8X31", ""}, {"W8X31", "Missing.cut"}}) {
    job.cutCount = 5;
    job.pieceCount = 9;
    job.matl = material;
    job.cut_filename = *file == '\0' ? "" : Path(file);
    EXPECT_FALSE(ReadCutFile(job, frontend)) << material << file;
    EXPECT_EQ(job.cutCount, 0) << material << file;
    EXPECT_EQ(job.pieceCount, 0) << material << file;
  }
}

TEST_F(CutFileTest, NothingIsWrittenWithoutMaterial) {
  WriteCuts(",,,\r\nB1,W8X31,2,10\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  job.matl.clear();
  WriteCutFile(job, frontend);
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\nB1,W8X31,2,10\r\n");
}

}  // namespace
