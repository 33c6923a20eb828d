#include "lists/list_editing.h"

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

void PrintTo(const StockQuantityRow& row, std::ostream* os) { *os << '"' << row.typed << '"'; }

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

TEST_F(StockEditingTest, AddRefusesNegativeAndOversizedQuantities) {
  EXPECT_EQ(Add("-0.2"), StockEdit::QuantityRefused);
  EXPECT_EQ(Add("40000"), StockEdit::QuantityRefused);
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_FALSE(job.dataChanged);
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
  EXPECT_EQ(ChangeStockRow(job, 0, 0, {30.0, "2", "", "W8X31"}), StockEdit::NoSelection);
  EXPECT_EQ(Change(0, "99999"), StockEdit::QuantityRefused);
  EXPECT_EQ(job.stock[0].quantity, 5);
  EXPECT_FALSE(job.dataChanged);
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

void PrintTo(const CutRefusalRow& row, std::ostream* os) {
  *os << '"' << row.quantity << "\", \"" << row.mark << '"';
}

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
  EXPECT_EQ(Change(0, "1500.4"), CutEdit::TooManyForLine);
  EXPECT_EQ(Change(0, "-40000"), CutEdit::QuantityRefused);
  EXPECT_EQ(job.cuts[0].quantity, 5);
  EXPECT_EQ(job.pieceCount, 5);
  EXPECT_FALSE(job.dataChanged);
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
