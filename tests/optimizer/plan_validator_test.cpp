#include "optimizer/plan_validator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Stock: 20 (2 in inventory) and 20 orderable; pieces 12, 8, 7.875, 5;
// kerf 0. The plan: bar 1 from inventory holds 12 and 7.875, bar 2 from the
// orderable row holds 8 and 5.
struct ValidPlan {
  JobState before = MakeTestJob({{20, 2}, {20, 0}}, {12, 7.875, 8, 5});
  JobState after = before;

  ValidPlan() {
    AddBar(0, {0, 2});
    AddBar(1, {1, 3});
  }

  void AddBar(int row, std::vector<std::int16_t> pieces) {
    StockItem& stock = after.stock[row];
    BarPlan& bar = after.bars[after.barCount++];
    bar.bin = stock.bin;
    bar.nonInventory = stock.nonInventory;
    bar.stockLength = stock.length;
    bar.pieceCount = static_cast<std::int16_t>(pieces.size());
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      bar.pieceIndex[k] = pieces[k];
      after.pieces[pieces[k]].used = true;
      after.pieces[pieces[k]].material = stock.material;
      ++after.usedPieceCount;
    }
    if (!stock.nonInventory) --stock.quantity;
    ++stock.usedCount;
  }
};

TEST(PlanValidatorTest, AcceptsAValidPlanAndTotalsIt) {
  const ValidPlan plan;
  EXPECT_THAT(PlanProblems(plan.before, plan.after), IsEmpty());
  const PlanTotals totals = TotalsOf(plan.after);
  EXPECT_DOUBLE_EQ(totals.cutLength, 32.875);
  EXPECT_DOUBLE_EQ(totals.stockLength, 40.0);
  EXPECT_DOUBLE_EQ(totals.orderableLength, 20.0);
  EXPECT_EQ(totals.bars, 2);
}

TEST(PlanValidatorTest, ExactFillNeedsNoLastKerf) {
  ValidPlan plan;
  plan.before.kerf = "0.125";  // 12, a kerf and 7.875 fill the 20 exactly
  EXPECT_THAT(PlanProblems(plan.before, plan.after), IsEmpty());
  plan.before.UnuseableLen = "0.125";
  EXPECT_THAT(PlanProblems(plan.before, plan.after), ElementsAre("bar 1: pieces do not fit"));
}

struct Fault {
  const char* name;
  std::function<void(ValidPlan&)> apply;
  std::vector<std::string> problems;
};

void PrintTo(const Fault& row, std::ostream* os) { *os << row.name; }

class PlanValidatorFaultTest : public ::testing::TestWithParam<Fault> {};

TEST_P(PlanValidatorFaultTest, ReportsTheFault) {
  ValidPlan plan;
  GetParam().apply(plan);
  EXPECT_EQ(PlanProblems(plan.before, plan.after), GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PlanValidatorFaultTest,
    ::testing::Values(Fault{"PieceInTwoBars",
                            [](ValidPlan& p) {
                              p.after.bars[1].pieceIndex[2] = 0;
                              p.after.bars[1].pieceCount = 3;
                            },
                            {"piece 0 in more than one bar", "bar 2: pieces do not fit"}},
                      Fault{"LongerPieces",
                            [](ValidPlan& p) {
                              p.before.pieces[3].length = 13;
                              p.after.pieces[3].length = 13;
                            },
                            {"bar 2: pieces do not fit"}},
                      Fault{"InventoryUsedBeyondItsQuantity",
                            [](ValidPlan& p) {
                              p.before.stock[0].quantity = 1;
                              p.after.bars[1].bin = p.after.stock[0].bin;
                              p.after.bars[1].nonInventory = false;
                              p.after.stock[0].usedCount = 2;
                              p.after.stock[0].quantity = -1;
                              p.after.stock[1].usedCount = 0;
                            },
                            {"stock row 1: used beyond quantity"}},
                      Fault{"QuantityNotLowered",
                            [](ValidPlan& p) { p.after.stock[0].quantity = 2; },
                            {"stock row 1: quantity"}},
                      Fault{"OrderableQuantityLowered",
                            [](ValidPlan& p) { --p.after.stock[1].quantity; },
                            {"stock row 2: quantity"}},
                      Fault{"BarFromNoRow",
                            [](ValidPlan& p) { p.after.bars[0].bin = "elsewhere"; },
                            {"bin B1: bars do not match the rows' used counts",
                             "bin elsewhere: bars do not match the rows' used counts",
                             "piece 0: material", "piece 2: material"}},
                      Fault{"MoreBarsThanStock",
                            [](ValidPlan& p) {
                              p.before.totalStockQuantity = 1;
                              p.after.totalStockQuantity = 1;
                            },
                            {"more bars than the stock file holds"}},
                      Fault{"TooManyPiecesInABar",
                            [](ValidPlan& p) { p.after.bars[0].pieceCount = 1501; },
                            {"bar 1: piece count 1501", "piece 0: used flag",
                             "piece 0: material set but not cut", "piece 2: used flag",
                             "piece 2: material set but not cut", "usedPieceCount", "freePieces"}}),
    [](const ::testing::TestParamInfo<Fault>& fault) { return fault.param.name; });

}  // namespace
