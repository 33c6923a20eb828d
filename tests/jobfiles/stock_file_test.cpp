#include "jobfiles/stock_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job_file_fixture.h"

namespace {

const std::string kHeader = "MATERIAL, MARK, QTY, LENGTH\r\n";

class StockFileTest : public JobFileTest {
 protected:
  void WriteStock(const std::string& rows) { WriteText(job.stock_filename, rows); }
  std::string StockText() const { return ReadText(job.stock_filename); }

  std::string NotLoadedText(int rows) const {
    return job.stock_filename + ": " + std::to_string(rows) +
           " row(s) of W8X31 were not loaded; they are kept in the file unchanged.";
  }

  void AddRow(const std::string& bin, std::int16_t quantity, double length) {
    StockItem& item = job.stock[job.stockCount++];
    item = StockItem{};
    item.material = job.matl;
    item.bin = bin;
    item.quantity = quantity;
    item.length = length;
  }
};

TEST_F(StockFileTest, ReadsTheCurrentMaterialsRows) {
  WriteStock(kHeader + "W8X31,A12,5,40\r\nW8X31,1,0,20\r\nL3X3X1/4,0,2,21.5\r\n");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  ASSERT_EQ(job.stockCount, 2);
  EXPECT_EQ(job.stock[0].bin, "A12");
  EXPECT_EQ(job.stock[0].quantity, 5);
  EXPECT_FALSE(job.stock[0].nonInventory);
  EXPECT_EQ(job.stock[0].length, 40.0);
  EXPECT_EQ(job.stock[1].quantity, kOrderableQuantity);
  EXPECT_TRUE(job.stock[1].nonInventory);
  EXPECT_EQ(job.totalStockQuantity, 30005);
  EXPECT_EQ(frontend.statuses, (std::vector<std::string>{"Reading..." + job.stock_filename,
                                                         " 2 stock sizes entered"}));
  EXPECT_EQ(frontend.stockFileName, job.stock_filename);
  EXPECT_EQ(frontend.stockRefreshes, std::vector<int>{0});
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(StockFileTest, HeaderOnlyGivesAnEmptyList) {
  WriteStock(kHeader);
  EXPECT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_EQ(frontend.LastStatus(), " 0 stock sizes entered");
}

TEST_F(StockFileTest, FirstLineIsAlwaysTheHeaderAndMaterialsCompareExactly) {
  WriteStock("W8X31,A,1,10\r\nw8x31,B,2,20\r\n W8X31 ,C,3,30\r\n\" W8X31\",D,4,40\r\n");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  ASSERT_EQ(job.stockCount, 2);
  EXPECT_EQ(job.stock[0].bin, "C");
  EXPECT_EQ(job.stock[1].bin, "D");
  EXPECT_EQ(job.stock[1].material, "W8X31");
}

TEST_F(StockFileTest, MissingFileGivesAnEmptyListAndTrue) {
  job.stockCount = 7;
  EXPECT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_EQ(frontend.stockRefreshes, std::vector<int>{0});
  EXPECT_TRUE(frontend.statuses.empty());
}

TEST_F(StockFileTest, NoFileNameOrNoMaterialReadsNothing) {
  WriteStock(kHeader + "W8X31,A,1,10\r\n");
  job.matl.clear();
  EXPECT_FALSE(ReadStockFile(job, frontend));
  EXPECT_EQ(frontend.statuses, (std::vector<std::string>{"Enter or Select a shape", ""}));
  EXPECT_EQ(frontend.pauses, std::vector<int>{1000});
  job.matl = "W8X31";
  job.stock_filename.clear();
  EXPECT_FALSE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_TRUE(frontend.stockRefreshes.empty());
}

TEST_F(StockFileTest, BatchModeLeavesOutStatusNameAndRebuild) {
  job.batchMode = true;
  WriteStock(kHeader + "W8X31,A,x,10\r\n");
  EXPECT_TRUE(ReadStockFile(job, frontend));
  EXPECT_TRUE(frontend.statuses.empty());
  EXPECT_TRUE(frontend.stockFileName.empty());
  EXPECT_TRUE(frontend.stockRefreshes.empty());
  EXPECT_EQ(frontend.messages.size(), 2u);
}

struct QuantityRow {
  std::string field;
  std::int16_t quantity;
  bool nonInventory;
};

class StockQuantityTest : public StockFileTest,
                          public ::testing::WithParamInterface<QuantityRow> {};

TEST_P(StockQuantityTest, RoundsHalfToEven) {
  WriteStock(kHeader + "W8X31,A," + GetParam().field + ",12.5\r\n");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  ASSERT_EQ(job.stockCount, 1);
  EXPECT_EQ(job.stock[0].quantity, GetParam().quantity);
  EXPECT_EQ(job.stock[0].nonInventory, GetParam().nonInventory);
  EXPECT_EQ(job.stock[0].length, 12.5);
}

INSTANTIATE_TEST_SUITE_P(
    Quantities, StockQuantityTest,
    ::testing::Values(QuantityRow{"2.5", 2, false}, QuantityRow{"3.5", 4, false},
                      QuantityRow{" 7 ", 7, false}, QuantityRow{"+1e2", 100, false},
                      QuantityRow{"-3", -3, false}, QuantityRow{"0", kOrderableQuantity, true},
                      QuantityRow{"0.4", kOrderableQuantity, true},
                      QuantityRow{"32767", 32767, false},
                      QuantityRow{"1e-999", kOrderableQuantity, true}));

// A quantity that is not numeric ends the reading; the rows before it stay
// loaded, and it and the current material's rows after it are kept.
class NonNumericQuantityTest : public StockFileTest,
                               public ::testing::WithParamInterface<std::string> {};

TEST_P(NonNumericQuantityTest, EndsTheReadingWithAMessage) {
  WriteStock(kHeader + "W8X31,A,1,10\r\nW8X31,B," + GetParam() +
             ",20\r\nL3,C,1,5\r\nW8X31,D,4,40\r\n");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 1);
  EXPECT_EQ(MessageTexts(),
            (std::vector<std::string>{"Non numeric value found in stock file for Qty: W8X31",
                                      NotLoadedText(2)}));
  EXPECT_EQ(frontend.messages[0].title, "Brx");
  EXPECT_EQ(frontend.messages[1].title, "BRX");

  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + "W8X31,A,1,10\r\nW8X31,B," + GetParam() +
                             ",20\r\nL3,C,1,5\r\nW8X31,D,4,40\r\n");
}

INSTANTIATE_TEST_SUITE_P(Fields, NonNumericQuantityTest,
                         ::testing::Values("x", "", "5 pcs", "1.2.3", "--1", "1e"));

class QuantityOverflowTest : public StockFileTest,
                             public ::testing::WithParamInterface<std::string> {};

TEST_P(QuantityOverflowTest, IsTheOverflowErrorAndKeepsEveryRow) {
  const std::string rows = "W8X31,A,1,10\r\nW8X31,B," + GetParam() + ",20\r\nW8X31,C,4,40\r\n";
  WriteStock(kHeader + rows);
  EXPECT_FALSE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_TRUE(frontend.stockRefreshes.empty());
  ASSERT_EQ(frontend.messages.size(), 2u);
  EXPECT_EQ(frontend.messages[0].title, "Error");
  EXPECT_EQ(frontend.messages[0].text,
            "Error # 6 was generated by Brx\rOverflow in stock file: " + job.stock_filename +
                "\rThe Stock file does not have the correct data.\r\nDelete or correct the file.");
  EXPECT_EQ(frontend.messages[1].text, NotLoadedText(3));

  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + rows);
}

INSTANTIATE_TEST_SUITE_P(Fields, QuantityOverflowTest,
                         ::testing::Values("32768", "-32769", "1e9", "1e999", "99999999999"));

TEST_F(StockFileTest, FullListKeepsTheRowsItDidNotLoad) {
  std::string rows;
  for (int i = 0; i < kMaxStockRows + 5; ++i) {
    rows += "W8X31,B" + std::to_string(i) + ",1," + std::to_string(i + 1) + "\r\n";
    if (i % 100 == 0) rows += "L3,K" + std::to_string(i) + ",2,7\r\n";
  }
  WriteStock(kHeader + rows);
  ASSERT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, kMaxStockRows);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{NotLoadedText(5)});

  SortStockByLength(job.stockCount, job.stock);
  WriteStockFile(job, frontend);
  WriteStockFile(job, frontend);
  const std::string saved = StockText();
  for (int i = 0; i < kMaxStockRows + 5; ++i) {
    EXPECT_NE(saved.find("\nW8X31,B" + std::to_string(i) + ",1,"), std::string::npos) << i;
  }
  EXPECT_NE(saved.find("\nL3,K900,2,7\r\nW8X31,B1000,1,1001\r\nL3,K1000,2,7\r\nW8X31,B1001,"),
            std::string::npos);
  job.stockCount = 0;
  ReadStockFile(job, frontend);
  EXPECT_EQ(MessageTexts().back(), NotLoadedText(5));
}

TEST_F(StockFileTest, FileEndingInsideARecordKeepsTheRowsBefore) {
  WriteStock(kHeader + "W8X31,A,1,10\r\nL3,B,1,5\r\nW8X31,C,5");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 1);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{NotLoadedText(1)});
  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + "W8X31,A,1,10\r\nL3,B,1,5\r\nW8X31,C,5,\r\n");
}

TEST_F(StockFileTest, AnotherMaterialsPartialRecordIsCarriedWithoutNote) {
  WriteStock(kHeader + "W8X31,A,1,10\r\nL3,B");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 1);
  EXPECT_TRUE(frontend.messages.empty());
  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + "W8X31,A,1,10\r\nL3,B,,\r\n");
}

TEST_F(StockFileTest, EmptyMaterialRecordIsPassedOverAndKept) {
  WriteStock(kHeader + "W8X31,A,1,10\r\n,X,1,1\r\nW8X31,B,2,20\r\nL3,C,1,5\r\n");
  ASSERT_TRUE(ReadStockFile(job, frontend));
  EXPECT_EQ(job.stockCount, 2);
  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + "W8X31,A,1,10\r\nW8X31,B,2,20\r\n,X,1,1\r\nL3,C,1,5\r\n");
}

TEST_F(StockFileTest, WriteReplacesTheCurrentRowsAndCarriesTheOthers) {
  WriteStock("h1,h2,h3,h4\r\nL3 , K1 ,2, 7.50\r\nW8X31,OLD,1,1\r\n\"PIPE\",\"x\"y,1,2\r\n\r\n");
  AddRow("A12", 5, 40);
  AddRow("", kOrderableQuantity, 20);
  AddRow("", 3, 12.0 + 6.0 / 12.0 + 10.0 / 192.0);
  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader +
                             "W8X31,A12,5,40\r\nW8X31,1,0,20\r\nW8X31,2,3,12.5520833333333\r\n"
                             "L3,K1,2,7.50\r\nPIPE,x,1,2\r\n");
  EXPECT_EQ(job.stock[1].bin, "1");
  EXPECT_EQ(job.stock[2].bin, "2");
  EXPECT_EQ(frontend.statuses,
            (std::vector<std::string>{"Saving Stock Data for W8X31 in " + job.stock_filename, ""}));
  EXPECT_EQ(frontend.stockFileName, job.stock_filename);
  EXPECT_EQ(frontend.materialSavedMarks, 1);
}

TEST_F(StockFileTest, CommasAndQuotesAreWrittenQuotedAndReadBack) {
  job.matl = "PIPE 2\" SCH,40";
  AddRow("bin \"7\"", 2, 21);
  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + "\"PIPE 2\"\" SCH,40\",\"bin \"\"7\"\"\",2,21\r\n");
  job.stockCount = 0;
  ASSERT_TRUE(ReadStockFile(job, frontend));
  ASSERT_EQ(job.stockCount, 1);
  EXPECT_EQ(job.stock[0].material, job.matl);
  EXPECT_EQ(job.stock[0].bin, "bin \"7\"");
}

TEST_F(StockFileTest, WriteWithoutMaterialWritesNothing) {
  WriteStock(kHeader + "W8X31,A,1,10\r\n");
  job.matl.clear();
  WriteStockFile(job, frontend);
  EXPECT_EQ(StockText(), kHeader + "W8X31,A,1,10\r\n");
  EXPECT_EQ(frontend.statuses, (std::vector<std::string>{"Enter material description", ""}));
  EXPECT_EQ(frontend.pauses, std::vector<int>{1000});
}

TEST_F(StockFileTest, WriteWithoutFileNameAsksForOne) {
  job.stock_filename.clear();
  job.batchMode = true;
  WriteStockFile(job, frontend);
  EXPECT_EQ(frontend.saveAsRuns, 1);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Error # 52 was generated by Brx\rBad file name or number"});
  EXPECT_TRUE(frontend.statuses.empty());
  EXPECT_EQ(frontend.materialSavedMarks, 0);
}

TEST_F(StockFileTest, LoadMaterialsListsCutThenStockMaterialsOnce) {
  WriteText(job.cut_filename, ",,,\r\nB1,W8X31,1,1\r\nB2,L3,1,1\r\nB3,W8X31,1,1\r\nB4,,1,1\r\n");
  WriteStock(kHeader + "PIPE,A,1,1\r\nPIPE,B,1,1\r\nL3,C,1,1\r\nC8,D,1,1\r\nC8,E");
  frontend.materials = {"OLD"};
  LoadMaterials(job, frontend);
  EXPECT_EQ(frontend.materials, (std::vector<std::string>{"W8X31", "L3", "PIPE", "C8"}));
  const std::string status = "Reading material in ..." + job.stock_filename;
  EXPECT_EQ(frontend.statuses, (std::vector<std::string>{status, status}));
}

TEST_F(StockFileTest, LoadMaterialsWithoutCutFileKeepsTheOldEntries) {
  WriteStock(kHeader + "PIPE,A,1,1\r\nOLD,B,1,1\r\n");
  frontend.materials = {"OLD"};
  LoadMaterials(job, frontend);
  EXPECT_EQ(frontend.materials, (std::vector<std::string>{"OLD", "PIPE"}));
  EXPECT_EQ(frontend.statuses.size(), 1u);
}

TEST_F(StockFileTest, EmptyMaterialCountsAsListed) {
  frontend.materials = {"W8X31"};
  EXPECT_TRUE(IsMaterialListed(frontend, ""));
  EXPECT_TRUE(IsMaterialListed(frontend, "W8X31"));
  EXPECT_FALSE(IsMaterialListed(frontend, "w8x31"));
}

}  // namespace
