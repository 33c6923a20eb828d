#include "jobfiles/cut_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job_file_fixture.h"

namespace {

class CutFileTest : public JobFileTest {
 protected:
  void WriteCuts(const std::string& text) { WriteText(job.cut_filename, text); }
  std::string CutText() const { return ReadText(job.cut_filename); }

  void AddRow(const std::string& mark, std::int16_t quantity, double length) {
    CutItem& item = job.cuts[job.cutCount++];
    item = CutItem{quantity, length, mark, job.matl};
    job.pieceCount = static_cast<std::int16_t>(job.pieceCount + quantity);
  }

  std::string NotLoadedText(int rows) const {
    return job.cut_filename + ": " + std::to_string(rows) +
           " row(s) of W8X31 were not loaded; they are kept in the file unchanged.";
  }
};

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
  EXPECT_EQ(frontend.cutRefreshes, (std::vector<int>{0, 0}));
  EXPECT_EQ(frontend.pumps, 2);
}

TEST_F(CutFileTest, BatchModeReadsWithoutStatusOrRebuild) {
  job.batchMode = true;
  WriteCuts(",,,\r\nB1,W8X31,2,10.5\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.pieceCount, 2);
  EXPECT_TRUE(frontend.statuses.empty());
  EXPECT_TRUE(frontend.cutRefreshes.empty());
}

struct RowCase {
  std::string quantity;
  std::string length;
  int pieces;  // 0: the row is skipped
};

class CutRowTest : public CutFileTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(CutRowTest, QuantityAndLengthDecideTheRow) {
  WriteCuts("Mark(Bin),Material,Qty,Length\r\n M7 ,W8X31," + GetParam().quantity + "," +
            GetParam().length + "\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.pieceCount, GetParam().pieces);
  EXPECT_EQ(job.cutCount, GetParam().pieces > 0 ? 1 : 0);
  EXPECT_TRUE(frontend.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, CutRowTest,
                         ::testing::Values(RowCase{"2.5", "10", 2}, RowCase{"3.5", "10", 4},
                                           RowCase{"5 pcs", "10", 5}, RowCase{"1", "12ft", 1},
                                           RowCase{"0", "10", 0}, RowCase{"0.5", "10", 0},
                                           RowCase{"-2", "10", 0}, RowCase{"x", "10", 0},
                                           RowCase{"", "10", 0}, RowCase{"2", "0", 0},
                                           RowCase{"2", "-1", 0}, RowCase{"2", "", 0}));

class CutQuantityOverflowTest : public CutFileTest,
                                public ::testing::WithParamInterface<std::string> {};

TEST_P(CutQuantityOverflowTest, SkipsTheRowAndKeepsIt) {
  const std::string bad = "B2,W8X31," + GetParam() + ",5\r\n";
  WriteCuts(",,,\r\nB1,W8X31,3,10\r\n" + bad + "B3,W8X31,2,7\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.cutCount, 2);
  EXPECT_EQ(job.pieceCount, 5);
  EXPECT_EQ(job.cuts[1].quantity, 2);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{NotLoadedText(1)});
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\n" + bad + "B1,W8X31,3,10\r\nB3,W8X31,2,7\r\n");
}

INSTANTIATE_TEST_SUITE_P(Quantities, CutQuantityOverflowTest,
                         ::testing::Values("32768", "1e9", "-40000"));

TEST_F(CutFileTest, PiecesBeyondCapacityEndTheReading) {
  WriteCuts(",,,\r\nA,W8X31,1000,1\r\nB,W8X31,999,2\r\nC,W8X31,2,3\r\nD,W8X31,1,4\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.cutCount, 2);
  EXPECT_EQ(job.pieceCount, 1999);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{NotLoadedText(2)});
}

TEST_F(CutFileTest, FullListEndsTheReading) {
  std::string text = ",,,\r\n";
  for (int i = 0; i < kMaxCutRows + 1; ++i) text += "M" + std::to_string(i) + ",W8X31,1,5\r\n";
  WriteCuts(text);
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.cutCount, kMaxCutRows);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{NotLoadedText(1)});
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText().substr(0, 17), ",,,\r\nM1000,W8X31,");
}

TEST_F(CutFileTest, FileEndingInsideARecordKeepsTheRowsBefore) {
  WriteCuts(",,,\r\nB1,W8X31,2,10\r\nB2,W8X31\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.cutCount, 1);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{NotLoadedText(1)});
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\nB2,W8X31,,\r\nB1,W8X31,2,10\r\n");
}

TEST_F(CutFileTest, EmptyMaterialIsPassedOverAndQuotedMaterialIsTrimmed) {
  WriteCuts(",,,\r\nB1,,2,10\r\nB2,\" W8X31 \",1,4\r\nB3,L3,1,1\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  ASSERT_EQ(job.cutCount, 1);
  EXPECT_EQ(job.cuts[0].material, "W8X31");
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\nB1,,2,10\r\nB3,L3,1,1\r\nB2,W8X31,1,4\r\n");
}

TEST_F(CutFileTest, HeaderIsWrittenBackWithNumbersShortened) {
  WriteCuts("1, 2.50,\"3.0\",x\r\nB1,L3,1,1\r\n");
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), "1,2.5,3.0,x\r\nB1,L3,1,1\r\n");
  WriteCuts("Mark(Bin),Material,Qty,Length\r\n");
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), "Mark(Bin),Material,Qty,Length\r\n");
}

TEST_F(CutFileTest, OtherMaterialsComeFirst) {
  AddRow("B1", 2, 10.5);
  WriteCutFile(job, frontend);
  job.matl = "L3";
  job.cutCount = 0;
  AddRow("C1", 1, 2);
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\nB1,W8X31,2,10.5\r\nC1,L3,1,2\r\n");
}

TEST_F(CutFileTest, StockFileNameOnlyWarns) {
  job.cut_filename = Path("MyStock.stk");
  AddRow("B1", 1, 2);
  WriteCutFile(job, frontend);
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].title, "Brx");
  EXPECT_EQ(frontend.messages[0].text, "hold on error 1");
  EXPECT_EQ(CutText(), ",,,\r\nB1,W8X31,1,2\r\n");
}

// A read that cannot go on leaves no rows behind that a later write could put
// under another material.
struct EarlyExit {
  std::string name;
  std::string material;
  std::string file;
};

class CutEarlyExitTest : public CutFileTest, public ::testing::WithParamInterface<EarlyExit> {};

TEST_P(CutEarlyExitTest, LeavesAnEmptyList) {
  WriteCuts(",,,\r\nB1,W8X31,2,10\r\n");
  job.cutCount = 5;
  job.pieceCount = 9;
  job.matl = GetParam().material;
  job.cut_filename = GetParam().file.empty() ? "" : Path(GetParam().file);
  EXPECT_FALSE(ReadCutFile(job, frontend));
  EXPECT_EQ(job.cutCount, 0);
  EXPECT_EQ(job.pieceCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Exits, CutEarlyExitTest,
                         ::testing::Values(EarlyExit{"NoMaterial", "", "MyCuts.cut"},
                                           EarlyExit{"NoFileName", "W8X31", ""},
                                           EarlyExit{"MissingFile", "W8X31", "Missing.cut"}),
                         [](const auto& exitCase) { return exitCase.param.name; });

TEST_F(CutFileTest, NothingIsWrittenWithoutMaterial) {
  WriteCuts(",,,\r\nB1,W8X31,2,10\r\n");
  ASSERT_TRUE(ReadCutFile(job, frontend));
  job.matl.clear();
  WriteCutFile(job, frontend);
  WriteCutFile(job, frontend);
  EXPECT_EQ(CutText(), ",,,\r\nB1,W8X31,2,10\r\n");
}

TEST_F(CutFileTest, UnnamedFileAsksForANameWhenThereArePieces) {
  job.cut_filename.clear();
  WriteCutFile(job, frontend);
  EXPECT_EQ(frontend.saveAsRuns, 0);
  AddRow("B1", 1, 2);
  WriteCutFile(job, frontend);
  EXPECT_EQ(frontend.saveAsRuns, 1);
  EXPECT_EQ(MessageTexts().back(), "Error # 52 was generated by Brx\rBad file name or number");
}

}  // namespace
