#include "mainwindow/list_editing.h"

#include <gtest/gtest.h>

#include <string>

#include "core/job_state.h"

namespace {

class StockEditingTest : public ::testing::Test {
 protected:
  StockEdit Add(const std::string& quantity, const std::string& bin = "", double length = 20.0) {
    return AddStockRow(job, job.stockCount, {length, quantity, bin, "  W8X31 "});
  }
  StockEdit Change(int row, const std::string& quantity, const std::string& bin = "") {
    return ChangeStockRow(job, row, job.stockCount, {30.0, quantity, bin, "W8X31"});
  }
  JobState job;
};

struct StockQuantityRow {
  const char* typed;
  bool nonInventory;
  std::int16_t addStores;
  std::int16_t changeStores;
};

class StockQuantityTest : public StockEditingTest,
                          public ::testing::WithParamInterface<StockQuantityRow> {};

TEST_P(StockQuantityTest, AddAndChangeStoreTheQuantity) {
  const StockQuantityRow& row = GetParam();
  ASSERT_EQ(Add(row.typed), StockEdit::Done);
  EXPECT_EQ(job.stock[0].quantity, row.addStores);
  EXPECT_EQ(job.stock[0].nonInventory, row.nonInventory);
  ASSERT_EQ(Change(0, row.typed), StockEdit::Done);
  EXPECT_EQ(job.stock[0].quantity, row.changeStores);
  EXPECT_EQ(job.stock[0].nonInventory, row.nonInventory);
}

INSTANTIATE_TEST_SUITE_P(Quantities, StockQuantityTest,
                         ::testing::Values(StockQuantityRow{"5", false, 5, 5},
                                           StockQuantityRow{"0", true, 30000, 30000},
                                           StockQuantityRow{"00", false, 30000, 30000},
                                           StockQuantityRow{"0.4", false, 30000, 0},
                                           StockQuantityRow{"2.5", false, 2, 2},
                                           StockQuantityRow{"3.5 bars", false, 4, 4},
                                           StockQuantityRow{"abc", false, 30000, 30000}));

TEST_F(StockEditingTest, AddTrimsTheMaterialAndNumbersEmptyBins) {
  ASSERT_EQ(Add("1", "  R7  "), StockEdit::Done);
  ASSERT_EQ(Add("1"), StockEdit::Done);
  ASSERT_EQ(Add("1", "   "), StockEdit::Done);
  EXPECT_EQ(job.stockCount, 3);
  EXPECT_EQ(job.matl, "W8X31");
  EXPECT_EQ(job.stock[0].material, "W8X31");
  EXPECT_EQ(job.stock[0].bin, "R7");
  EXPECT_EQ(job.stock[1].bin, "2");
  EXPECT_EQ(job.stock[2].bin, "3");
  EXPECT_TRUE(job.dataChanged);
}

TEST_F(StockEditingTest, AddRefusals) {
  EXPECT_EQ(AddStockRow(job, 0, {20.0, "1", "", ""}), StockEdit::NoMaterial);
  EXPECT_EQ(Add("-1"), StockEdit::QuantityRefused);
  EXPECT_EQ(Add("-0.2"), StockEdit::QuantityRefused);
  EXPECT_EQ(Add("40000"), StockEdit::QuantityRefused);
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_FALSE(job.dataChanged);

  for (int i = 0; i < kMaxStockRows; ++i) ASSERT_EQ(Add("1"), StockEdit::Done);
  EXPECT_EQ(Add("1"), StockEdit::ListFull);
  EXPECT_EQ(job.stockCount, kMaxStockRows);
}

TEST_F(StockEditingTest, AddAfterAListWithMoreLinesThanRowsCountsUpToTheLines) {
  job.stockCount = 1;
  ASSERT_EQ(AddStockRow(job, 3, {20.0, "1", "", "W8X31"}), StockEdit::Done);
  EXPECT_EQ(job.stockCount, 4);
  EXPECT_EQ(job.stock[3].bin, "4");
}

TEST_F(StockEditingTest, ChangeRewritesTheRowButKeepsItsUsedCount) {
  ASSERT_EQ(Add("0", "B"), StockEdit::Done);
  job.stock[0].usedCount = 2;
  ASSERT_EQ(Change(0, "5", "  "), StockEdit::Done);
  EXPECT_EQ(job.stock[0].quantity, 5);
  EXPECT_FALSE(job.stock[0].nonInventory);
  EXPECT_EQ(job.stock[0].bin, "");
  EXPECT_EQ(job.stock[0].length, 30.0);
  EXPECT_EQ(job.stock[0].usedCount, 2);
}

TEST_F(StockEditingTest, ChangeRefusals) {
  ASSERT_EQ(Add("5", "B"), StockEdit::Done);
  job.dataChanged = false;
  EXPECT_EQ(Change(0, "-2"), StockEdit::QuantityRefused);
  EXPECT_EQ(Change(-1, "2"), StockEdit::NoSelection);
  EXPECT_EQ(ChangeStockRow(job, 0, 0, {30.0, "2", "", "W8X31"}), StockEdit::NoSelection);
  EXPECT_EQ(Change(0, "99999"), StockEdit::QuantityRefused);
  EXPECT_EQ(job.stock[0].quantity, 5);
  EXPECT_FALSE(job.dataChanged);
}

TEST_F(StockEditingTest, DeleteMovesLaterRowsUpOrDropsTheLast) {
  ASSERT_EQ(Add("1", "A"), StockEdit::Done);
  ASSERT_EQ(Add("2", "B"), StockEdit::Done);
  ASSERT_EQ(Add("0", "C"), StockEdit::Done);
  DeleteStockRow(job, 0);
  ASSERT_EQ(job.stockCount, 2);
  EXPECT_EQ(job.stock[0].bin, "B");
  EXPECT_EQ(job.stock[1].bin, "C");
  EXPECT_TRUE(job.stock[1].nonInventory);
  EXPECT_EQ(job.stock[1].quantity, kOrderableQuantity);

  DeleteStockRow(job, -1);
  ASSERT_EQ(job.stockCount, 1);
  EXPECT_EQ(job.stock[0].bin, "B");
  DeleteStockRow(job, -1);
  DeleteStockRow(job, -1);
  EXPECT_EQ(job.stockCount, 0);
}

class CutEditingTest : public ::testing::Test {
 protected:
  CutEdit Add(const std::string& quantity, const std::string& mark = "A1") {
    return AddCutRow(job, job.cutCount, {quantity, 10.0, mark, " W8X31  "});
  }
  CutEdit Change(int row, const std::string& quantity, const std::string& mark = "  A1  ") {
    return ChangeCutRow(job, row, job.cutCount, {quantity, 12.0, mark, " W8X31 "});
  }
  JobState job;
};

TEST_F(CutEditingTest, AddStoresTheRoundedQuantityAndTrimmedTexts) {
  ASSERT_EQ(Add("2.5", "  A1  "), CutEdit::Done);
  ASSERT_EQ(Add("3.5 pcs"), CutEdit::Done);
  ASSERT_EQ(Add("0.4"), CutEdit::Done);
  ASSERT_EQ(Add("1500"), CutEdit::Done);
  EXPECT_EQ(job.cutCount, 4);
  EXPECT_EQ(job.pieceCount, 2 + 4 + 0 + 1500);
  EXPECT_EQ(job.cuts[0].mark, "A1");
  EXPECT_EQ(job.cuts[2].quantity, 0);
  EXPECT_EQ(job.matl, "W8X31");
  EXPECT_EQ(job.cuts[0].material, "W8X31");
}

struct CutRefusalRow {
  const char* quantity;
  const char* mark;
  CutEdit result;
};

class CutAddRefusalTest : public CutEditingTest,
                          public ::testing::WithParamInterface<CutRefusalRow> {};

TEST_P(CutAddRefusalTest, ChangesNothing) {
  const CutRefusalRow& row = GetParam();
  EXPECT_EQ(Add(row.quantity, row.mark), row.result);
  EXPECT_EQ(job.cutCount, 0);
  EXPECT_EQ(job.pieceCount, 0);
  EXPECT_FALSE(job.dataChanged);
}

INSTANTIATE_TEST_SUITE_P(Refusals, CutAddRefusalTest,
                         ::testing::Values(CutRefusalRow{"1", "", CutEdit::NoMark},
                                           CutRefusalRow{"1500.4", "A", CutEdit::TooManyForLine},
                                           CutRefusalRow{"0", "A", CutEdit::NotPositive},
                                           CutRefusalRow{"abc", "A", CutEdit::NotPositive},
                                           CutRefusalRow{"-3", "A", CutEdit::NotPositive}));

TEST_F(CutEditingTest, AMarkOfBlanksPasses) { EXPECT_EQ(Add("1", "  "), CutEdit::Done); }

TEST_F(CutEditingTest, PieceAndRowCapacities) {
  for (int i = 0; i < 199; ++i) ASSERT_EQ(Add("10"), CutEdit::Done);
  EXPECT_EQ(Add("11"), CutEdit::PieceCapacity);
  EXPECT_EQ(job.pieceCount, 1990);
  EXPECT_EQ(job.cutCount, 199);
  EXPECT_EQ(Add("10"), CutEdit::Done);
  EXPECT_EQ(job.pieceCount, 2000);

  // A change that would raise the total above the capacity is refused too.
  EXPECT_EQ(Change(0, "11"), CutEdit::PieceCapacity);
  EXPECT_EQ(job.cuts[0].quantity, 10);
  EXPECT_EQ(Change(0, "9"), CutEdit::Done);
  EXPECT_EQ(job.pieceCount, 1999);

  JobState full;
  for (int i = 0; i < kMaxCutRows; ++i) {
    ASSERT_EQ(AddCutRow(full, i, {"1", 1.0, "M", "X"}), CutEdit::Done);
  }
  EXPECT_EQ(AddCutRow(full, kMaxCutRows, {"1", 1.0, "M", "X"}), CutEdit::ListFull);
  EXPECT_EQ(full.cutCount, kMaxCutRows);
}

TEST_F(CutEditingTest, ChangeKeepsTheMarkAsTypedAndAcceptsWhatAddRefuses) {
  ASSERT_EQ(Add("5"), CutEdit::Done);
  ASSERT_EQ(Change(0, "-2", ""), CutEdit::Done);
  EXPECT_EQ(job.cuts[0].quantity, -2);
  EXPECT_EQ(job.pieceCount, -2);
  EXPECT_EQ(job.cuts[0].mark, "");
  ASSERT_EQ(Change(0, "3"), CutEdit::Done);
  EXPECT_EQ(job.cuts[0].mark, "  A1  ");
  EXPECT_EQ(job.cuts[0].material, " W8X31 ");
  EXPECT_EQ(job.matl, "W8X31");
  EXPECT_EQ(job.cuts[0].length, 12.0);
  EXPECT_EQ(job.pieceCount, 3);
}

TEST_F(CutEditingTest, ChangeRefusals) {
  ASSERT_EQ(Add("5"), CutEdit::Done);
  job.dataChanged = false;
  EXPECT_EQ(Change(-1, "2"), CutEdit::NoSelection);
  EXPECT_EQ(Change(0, "1500.4"), CutEdit::TooManyForLine);
  EXPECT_EQ(Change(0, "-40000"), CutEdit::QuantityRefused);
  EXPECT_EQ(job.cuts[0].quantity, 5);
  EXPECT_EQ(job.pieceCount, 5);
  EXPECT_FALSE(job.dataChanged);
}

TEST_F(CutEditingTest, DeleteMovesRowsUpAndSelectsTheRowAbove) {
  for (const char* mark : {"A", "B", "C", "D", "E"}) ASSERT_EQ(Add("2", mark), CutEdit::Done);
  job.cuts[2].quantity = 3;
  job.pieceCount = 11;
  EXPECT_EQ(DeleteCutRow(job, 2), 1);
  ASSERT_EQ(job.cutCount, 4);
  EXPECT_EQ(job.pieceCount, 8);
  EXPECT_EQ(job.cuts[2].mark, "D");
  EXPECT_EQ(job.cuts[3].mark, "E");
  EXPECT_EQ(DeleteCutRow(job, 3), 2);
  EXPECT_EQ(job.cutCount, 3);
  EXPECT_EQ(DeleteCutRow(job, 0), -1);
  EXPECT_EQ(job.cuts[0].mark, "B");

  JobState empty;
  EXPECT_EQ(DeleteCutRow(empty, -1), -2);
  EXPECT_EQ(empty.cutCount, 0);
  EXPECT_TRUE(empty.dataChanged);
}

TEST_F(CutEditingTest, DeleteReadsWithinAFullList) {
  for (int i = 0; i < kMaxCutRows; ++i) {
    ASSERT_EQ(AddCutRow(job, i, {"1", 1.0, std::to_string(i), "X"}), CutEdit::Done);
  }
  EXPECT_EQ(DeleteCutRow(job, kMaxCutRows - 1), kMaxCutRows - 2);
  EXPECT_EQ(job.cutCount, kMaxCutRows - 1);
  EXPECT_EQ(job.pieceCount, kMaxCutRows - 1);
}

}  // namespace
