// The bar packing search: PackBars against the literal search on jobs the
// literal one can finish, and PackBars alone on the largest jobs the program
// accepts (2000 pieces, 1000 stock rows). Every job comes from a fixed seed,
// so figures compare between runs.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <numeric>
#include <tuple>
#include <vector>

#include "core/number_text.h"
#include "optimizer/literal_pack_bars.h"
#include "optimizer/pack_bars.h"
#include "optimizer/search_jobs.h"
#include "support/recording_frontend.h"

namespace {

enum Mix {
  kFeetOnThreeLengths,  // (a) pieces 1 to 12 feet on 20, 40 and 60 foot stock
  kShortPieces,         // (b) pieces 2 to 12 inches on 40 foot stock
  kMillimetres,         // (c) pieces 300 to 3000 on 6000 and 12000
  kDistinctRows,        // (d) rows of distinct lengths, 10 to 60 feet in half inches
};

constexpr const char* kMixLabels[] = {
    "(a) feet 1-12 ft on 20/40/60 ft, kerf 1/8\"",
    "(b) feet 2-12 in on 40 ft, kerf 1/8\"",
    "(c) mm 300-3000 on 6000/12000, kerf 3",
    "(d) feet 1-20 ft on distinct 10-60 ft rows, kerf 0",
};

// Whole sixteenths of an inch, in feet.
double Sixteenths(int count) { return StoredLength(count / 192.0); }

std::unique_ptr<JobState> MakeJob(Mix mix, int pieces, int rows) {
  auto job = std::make_unique<JobState>();
  JobRandom random(20240601u + static_cast<unsigned>(mix));
  ClearJob(*job);
  switch (mix) {
    case kFeetOnThreeLengths:
      job->kerf = ShortestDecimal(kEighthInchInFeet);
      for (int i = 0; i < rows; ++i) {
        AddStockRow(*job, random.Pick({20, 40, 60}), i % 100 == 99 ? 0 : random.Between(1, 5));
      }
      for (int i = 0; i < pieces; ++i) AddPieces(*job, Sixteenths(random.Between(192, 2304)), 1);
      break;
    case kShortPieces:
      job->kerf = ShortestDecimal(kEighthInchInFeet);
      for (int i = 0; i < rows; ++i) AddStockRow(*job, 40, random.Between(1, 5));
      for (int i = 0; i < pieces; ++i) AddPieces(*job, Sixteenths(random.Between(32, 192)), 1);
      break;
    case kMillimetres:
      job->kerf = "3";
      for (int i = 0; i < rows; ++i) {
        AddStockRow(*job, random.Pick({6000, 12000}), i % 100 == 99 ? 0 : random.Between(1, 5));
      }
      for (int i = 0; i < pieces; ++i) AddPieces(*job, random.Between(300, 3000), 1);
      break;
    case kDistinctRows: {
      std::vector<int> halfInches(1201);
      std::iota(halfInches.begin(), halfInches.end(), 0);
      for (int i = 0; i < rows; ++i) {
        std::swap(halfInches[i], halfInches[random.Between(i, 1200)]);
        AddStockRow(*job, StoredLength(10 + halfInches[i] / 24.0),
                    i % 10 == 9 ? 0 : random.Between(1, 5));
      }
      for (int i = 0; i < pieces; ++i) AddPieces(*job, Sixteenths(random.Between(192, 3840)), 1);
      break;
    }
  }
  FinishJob(*job);
  return job;
}

const JobState& CachedJob(Mix mix, int pieces, int rows) {
  static std::map<std::tuple<Mix, int, int>, std::unique_ptr<JobState>> jobs;
  auto& job = jobs[{mix, pieces, rows}];
  if (!job) job = MakeJob(mix, pieces, rows);
  return *job;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times PackBars on a fresh copy of the job in every iteration; the copy is
// not timed. Leaves the last plan in `result`; gives the mean seconds.
double TimePackBars(benchmark::State& state, const JobState& prepared, int level,
                    JobState& result) {
  RecordingFrontend frontend;
  double total = 0.0;
  for (auto _ : state) {
    result = prepared;
    const auto start = std::chrono::steady_clock::now();
    PackBars(result, frontend, level);
    const double seconds = SecondsSince(start);
    state.SetIterationTime(seconds);
    total += seconds;
  }
  state.counters["bars"] = result.barCount;
  state.counters["uncut"] = result.pieceCount - result.usedPieceCount;
  return total / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void BM_PackBarsLargest(benchmark::State& state) {
  const Mix mix = static_cast<Mix>(state.range(0));
  const int level = static_cast<int>(state.range(1));
  state.SetLabel(kMixLabels[mix]);
  JobState result;
  TimePackBars(state, CachedJob(mix, kMaxPieces, kMaxStockRows), level, result);
}

BENCHMARK(BM_PackBarsLargest)
    ->ArgNames({"mix", "level"})
    ->ArgsProduct({{kFeetOnThreeLengths, kShortPieces, kMillimetres, kDistinctRows}, {0, 5, 10}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The literal search runs once per job (it takes seconds); PackBars as often
// as the timer needs. The plans must agree.
void BM_PackBarsVsLiteral(benchmark::State& state) {
  const Mix mix = static_cast<Mix>(state.range(0));
  const int pieces = static_cast<int>(state.range(1));
  const int rows = static_cast<int>(state.range(2));
  const int level = static_cast<int>(state.range(3));
  const JobState& prepared = CachedJob(mix, pieces, rows);
  state.SetLabel(kMixLabels[mix]);

  struct LiteralRun {
    std::unique_ptr<JobState> plan;
    double seconds = 0.0;
  };
  static std::map<std::tuple<Mix, int, int, int>, LiteralRun> literalRuns;
  LiteralRun& literal = literalRuns[{mix, pieces, rows, level}];
  if (!literal.plan) {
    literal.plan = std::make_unique<JobState>(prepared);
    const auto start = std::chrono::steady_clock::now();
    LiteralPackBars(*literal.plan, level);
    literal.seconds = SecondsSince(start);
  }

  JobState result;
  const double seconds = TimePackBars(state, prepared, level, result);
  const std::string difference = PlanDifference(*literal.plan, result);
  if (!difference.empty()) state.SkipWithError(("plans differ: " + difference).c_str());
  state.counters["literal_s"] = literal.seconds;
  state.counters["speedup"] = literal.seconds / seconds;
}

BENCHMARK(BM_PackBarsVsLiteral)
    ->ArgNames({"mix", "pieces", "rows", "level"})
    ->Args({kFeetOnThreeLengths, 1400, 700, 10})
    ->Args({kFeetOnThreeLengths, 2000, 1000, 5})
    ->Args({kShortPieces, 1500, 20, 10})
    ->Args({kMillimetres, 1300, 650, 10})
    ->Args({kDistinctRows, 2000, 1000, 10})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
