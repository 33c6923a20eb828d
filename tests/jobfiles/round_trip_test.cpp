// Generated lists of several materials written into one stock file and one
// cut file, then read back material by material.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "job_file_fixture.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/record_io.h"
#include "jobfiles/stock_file.h"

namespace {

const std::vector<std::string> kMaterials = {"W8X31",     "L3X3X1/4",     "PIPE 2\" SCH,40",
                                             "C8 X 11.5", "FB 1/4\"x3\"", "w8x31"};
constexpr int kRowsPerMaterial = BRX_TEST_SCALE_SMALL ? 40 : 150;

class RoundTripTest : public JobFileTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  RoundTripTest() : random_(GetParam()) {}

  // A length of whole sixteenths of an inch, in feet, as the files hold it.
  double Length() { return static_cast<double>(random_() % 9600 + 1) / 192.0; }
  int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
  std::string Text() {
    static const std::string kParts[] = {"A", "B 7", "12", "x,y", "\"Q\"", "", "M-3"};
    return kParts[Pick(7)] + kParts[Pick(7)];
  }

  std::vector<StockItem> StockRows(const std::string& material) {
    std::vector<StockItem> rows(static_cast<std::size_t>(Pick(kRowsPerMaterial) + 1));
    for (StockItem& row : rows) {
      const auto quantity = static_cast<std::int16_t>(Pick(40));
      row = StockItem{quantity == 0, 0,        quantity == 0 ? kOrderableQuantity : quantity,
                      Length(),      material, Text()};
    }
    return rows;
  }

  std::vector<CutItem> CutRows(const std::string& material) {
    std::vector<CutItem> rows(static_cast<std::size_t>(Pick(kRowsPerMaterial) + 1));
    for (CutItem& row : rows) {
      row = CutItem{static_cast<std::int16_t>(Pick(12) + 1), Length(), Text(), material};
    }
    return rows;
  }

  void SaveStock(const std::string& material, const std::vector<StockItem>& rows) {
    job.matl = material;
    std::copy(rows.begin(), rows.end(), job.stock.begin());
    job.stockCount = static_cast<std::int16_t>(rows.size());
    WriteStockFile(job, frontend);
  }

  void SaveCuts(const std::string& material, const std::vector<CutItem>& rows) {
    job.matl = material;
    std::copy(rows.begin(), rows.end(), job.cuts.begin());
    job.cutCount = static_cast<std::int16_t>(rows.size());
    WriteCutFile(job, frontend);
  }

  // The lines of the file that do not belong to `material`, byte for byte.
  std::vector<std::string> LinesWithout(const std::string& path, const std::string& material) {
    const std::string alone = RecordLine({material});
    const std::string written = alone.substr(0, alone.size() - RecordLine({}).size()) + ",";
    std::vector<std::string> lines;
    std::istringstream text(ReadText(path));
    for (std::string line; std::getline(text, line);) {
      if (line.rfind(written, 0) != 0 && line.find("," + written) == std::string::npos) {
        lines.push_back(line);
      }
    }
    return lines;
  }

  std::mt19937 random_;
};

TEST_P(RoundTripTest, StockRowsReadBackPerMaterial) {
  std::vector<std::vector<StockItem>> saved;
  for (const std::string& material : kMaterials) {
    saved.push_back(StockRows(material));
    SaveStock(material, saved.back());
    // An empty bin was replaced by the row's position.
    for (std::size_t i = 0; i < saved.back().size(); ++i) saved.back()[i].bin = job.stock[i].bin;
  }
  for (std::size_t m = 0; m < kMaterials.size(); ++m) {
    job.matl = kMaterials[m];
    ASSERT_TRUE(ReadStockFile(job, frontend));
    ASSERT_EQ(job.stockCount, static_cast<int>(saved[m].size())) << kMaterials[m];
    for (std::size_t i = 0; i < saved[m].size(); ++i) {
      const StockItem& row = job.stock[i];
      EXPECT_EQ(row.material, saved[m][i].material);
      EXPECT_EQ(row.bin, saved[m][i].bin);
      EXPECT_EQ(row.quantity, saved[m][i].quantity);
      EXPECT_EQ(row.nonInventory, saved[m][i].nonInventory);
      EXPECT_EQ(ShortestDecimal(row.length), ShortestDecimal(saved[m][i].length));
    }
  }
  const std::vector<std::string> others = LinesWithout(job.stock_filename, kMaterials[2]);
  SaveStock(kMaterials[2], StockRows(kMaterials[2]));
  EXPECT_EQ(LinesWithout(job.stock_filename, kMaterials[2]), others);
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_P(RoundTripTest, CutRowsReadBackPerMaterial) {
  std::vector<std::vector<CutItem>> saved;
  for (const std::string& material : kMaterials) {
    saved.push_back(CutRows(material));
    SaveCuts(material, saved.back());
  }
  for (std::size_t m = 0; m < kMaterials.size(); ++m) {
    job.matl = kMaterials[m];
    ASSERT_TRUE(ReadCutFile(job, frontend));
    ASSERT_EQ(job.cutCount, static_cast<int>(saved[m].size())) << kMaterials[m];
    int pieces = 0;
    for (std::size_t i = 0; i < saved[m].size(); ++i) {
      const CutItem& row = job.cuts[i];
      EXPECT_EQ(row.mark, saved[m][i].mark);
      EXPECT_EQ(row.material, saved[m][i].material);
      EXPECT_EQ(row.quantity, saved[m][i].quantity);
      EXPECT_EQ(ShortestDecimal(row.length), ShortestDecimal(saved[m][i].length));
      pieces += row.quantity;
    }
    EXPECT_EQ(job.pieceCount, pieces);
  }
  const std::vector<std::string> others = LinesWithout(job.cut_filename, kMaterials[0]);
  SaveCuts(kMaterials[0], CutRows(kMaterials[0]));
  EXPECT_EQ(LinesWithout(job.cut_filename, kMaterials[0]), others);
  EXPECT_TRUE(frontend.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoundTripTest, ::testing::Values(1u, 2u, 3u));

}  // namespace
