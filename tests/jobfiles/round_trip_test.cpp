// Generated lists of several materials written into one stock file or one cut
// file, then read back material by material.

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "job_file_fixture.h"
#include "job_file_properties.h"

namespace {

const std::vector<std::string> kMaterials = {"W8X31",     "L3X3X1/4",     "PIPE 2\" SCH,40",
                                             "C8 X 11.5", "FB 1/4\"x3\"", "w8x31"};
// At most 12 pieces a row, so a list always fits the piece capacity.
constexpr int kRowsPerMaterial = BRX_TEST_SCALE_SMALL ? 40 : 150;

class RoundTripTest : public JobFileTest,
                      public ::testing::WithParamInterface<std::tuple<const FileKind*, unsigned>> {
 protected:
  RoundTripTest() : kind_(*std::get<0>(GetParam())), random_(std::get<1>(GetParam())) {
    job.*kind_.path = Path("job");
  }

  int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
  // Whole sixteenths of an inch, in feet, as the files hold lengths.
  double Length() { return (Pick(9600) + 1) / 192.0; }
  std::string Text() {
    static const std::string kParts[] = {"A", "B 7", "12", "x,y", "\"Q\"", "", "M-3"};
    return kParts[Pick(7)] + kParts[Pick(7)];
  }

  // Fills both lists with generated rows of the material and saves one file.
  void SaveGenerated(const std::string& material) {
    job.matl = material;
    const auto count = static_cast<std::int16_t>(Pick(kRowsPerMaterial) + 1);
    for (int i = 0; i < count; ++i) {
      const auto quantity = static_cast<std::int16_t>(Pick(13));
      job.stock[i] =
          StockItem{quantity == 0, 0,        quantity == 0 ? kOrderableQuantity : quantity,
                    Length(),      material, Text()};
      job.cuts[i] = CutItem{static_cast<std::int16_t>(quantity + 1), Length(), Text(), material};
    }
    job.stockCount = job.cutCount = count;
    kind_.write(job, frontend);
  }

  // The file's lines that do not hold `material`, byte for byte.
  std::vector<std::string> LinesWithout(const std::string& material) {
    const std::string alone = RecordLine({material});
    const std::string field = alone.substr(0, alone.size() - RecordLine({}).size()) + ",";
    std::vector<std::string> lines;
    std::istringstream text(FileBytes(job.*kind_.path));
    for (std::string line; std::getline(text, line);) {
      if (line.rfind(field, 0) != 0 && line.find("," + field) == std::string::npos) {
        lines.push_back(line);
      }
    }
    return lines;
  }

  const FileKind& kind_;
  std::mt19937 random_;
};

TEST_P(RoundTripTest, EveryMaterialReadsBackItsRows) {
  std::vector<std::vector<FieldTexts>> saved;
  for (const std::string& material : kMaterials) {
    SaveGenerated(material);
    saved.push_back(kind_.rows(job));  // after the save, which fills empty bins
  }
  for (std::size_t m = 0; m < kMaterials.size(); ++m) {
    job.matl = kMaterials[m];
    ASSERT_TRUE(kind_.read(job, frontend));
    EXPECT_EQ(kind_.rows(job), saved[m]) << kMaterials[m];
  }
  const std::vector<std::string> others = LinesWithout(kMaterials[2]);
  SaveGenerated(kMaterials[2]);
  EXPECT_EQ(LinesWithout(kMaterials[2]), others);
  EXPECT_TRUE(frontend.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, RoundTripTest,
                         ::testing::Combine(::testing::Values(&kStockFile, &kCutFile),
                                            ::testing::Values(1u, 2u, 3u)),
                         [](const auto& run) {
                           return std::string(std::get<0>(run.param)->name) +
                                  std::to_string(std::get<1>(run.param));
                         });

}  // namespace
