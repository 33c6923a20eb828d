#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Arguments = std::vector<std::string>;

struct SplitRow {
  std::string text;
  Arguments expected;
};

void PrintTo(const SplitRow& row, std::ostream* os) { *os << '"' << row.text << '"'; }

class SplitCommandLineTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitCommandLineTest, SplitsOnTabSemicolonAndComma) {
  EXPECT_EQ(SplitCommandLine(GetParam().text, 5), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, SplitCommandLineTest,
    ::testing::Values(SplitRow{"a.cut;b.stk", {"a.cut", "b.stk"}},
                      SplitRow{"a.cut,,b.stk", {"a.cut", "b.stk"}},
                      SplitRow{"a.cut\tb.stk", {"a.cut", "b.stk"}}, SplitRow{";;a;", {"a"}},
                      SplitRow{"", {}}, SplitRow{" my job.cut ;x", {" my job.cut ", "x"}},
                      SplitRow{"\"a,b\"", {"\"a", "b\""}},
                      SplitRow{"1;2;3;4;5;6;7", {"1", "2", "3", "4", "5"}},
                      SplitRow{"c.cut;s.stk;out.txt;W8X31;0.125",
                               {"c.cut", "s.stk", "out.txt", "W8X31", "0.125"}}));

TEST(JoinArgumentsTest, SeparateArgumentsAndOneTextMeanTheSame) {
  const Arguments separate{"a.cut", "b.stk", "out.txt", "W8X31", "0.125"};
  EXPECT_EQ(SplitCommandLine(JoinArguments(separate), 5), separate);
  EXPECT_EQ(SplitCommandLine(JoinArguments({"a.cut;b.stk;out.txt;W8X31;0.125"}), 5), separate);
  EXPECT_EQ(SplitCommandLine(JoinArguments({"a.cut;b.stk", "out.txt,W8X31", "0.125"}), 5),
            separate);
}

TEST(ProgramOptionsTest, PrintingOptionsWinAndJobArgumentsPassThrough) {
  EXPECT_EQ(ParseProgramOptions({"x", "--version"}).action, ProgramOptions::Action::PrintVersion);
  EXPECT_EQ(ParseProgramOptions({"--help"}).action, ProgramOptions::Action::PrintHelp);
  const ProgramOptions job = ParseProgramOptions({"a", "b"});
  EXPECT_EQ(job.action, ProgramOptions::Action::RunJob);
  EXPECT_EQ(job.jobArguments, (Arguments{"a", "b"}));
}

}  // namespace

TEST(ProgramOptionsTest, OptimizerOptionIsTakenOutOfTheJobArguments) {
  const ProgramOptions best = ParseProgramOptions({"--optimizer=best", "a.cut", "b.stk"});
  EXPECT_EQ(best.action, ProgramOptions::Action::RunJob);
  EXPECT_EQ(best.optimizer, "best");
  EXPECT_EQ(best.jobArguments, (std::vector<std::string>{"a.cut", "b.stk"}));
  EXPECT_EQ(ParseProgramOptions({"a.cut", "--optimizer=Classic"}).optimizer, "Classic");
  EXPECT_EQ(ParseProgramOptions({"a.cut"}).optimizer, "");

  for (const char* bad : {"--optimizer=fast", "--optimizer="}) {
    const ProgramOptions wrong = ParseProgramOptions({bad, "a.cut"});
    EXPECT_EQ(wrong.action, ProgramOptions::Action::UsageError) << bad;
    EXPECT_NE(wrong.error.find("--optimizer=best"), std::string::npos) << wrong.error;
  }
}

TEST(ProgramOptionsTest, ImportTakesTheFormatAndFileAfterIt) {
  const ProgramOptions import = ParseProgramOptions({"--import", "kiss", "/jobs/a b.kss"});
  EXPECT_EQ(import.action, ProgramOptions::Action::Import);
  EXPECT_EQ(import.optionArguments, (std::vector<std::string>{"kiss", "/jobs/a b.kss"}));
  EXPECT_TRUE(import.jobArguments.empty());
  EXPECT_EQ(ParseProgramOptions({"a.cut", "--import"}).action, ProgramOptions::Action::RunJob);
}

TEST(StockFileArgumentTest, OnlyOneStockFileNameOpensAJob) {
  const std::string here = std::filesystem::current_path().string();
  EXPECT_EQ(StockFileArgument({"Tower.stk"}), here + "/Tower.stk");
  EXPECT_EQ(StockFileArgument({"/jobs/a,b/../T.STK"}), "/jobs/T.STK");
  for (const std::vector<std::string>& other : std::vector<std::vector<std::string>>{
           {}, {"a.cut"}, {"a.stk", "b.cut"}, {"a.stk;b.cut"}, {"stk"}}) {
    EXPECT_EQ(StockFileArgument(other), "") << JoinArguments(other);
  }
}
