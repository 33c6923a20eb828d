// The best-plan optimiser on the standard bin-packing sets and on the largest
// jobs the program accepts. The instances are read from the folder named by
// BRX_BENCH_DATA (default ../shared/bench-data): binpack1.txt (Falkenauer
// u120) and t120/ (Falkenauer triplets), each cut as a job with one orderable
// stock length and no kerf. Counters: bars against the best known (u120) or
// the optimum (t120), and for the job mixes stock length, bound and gap, with
// the bar packing search at level 10 beside them.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch_frontend.h"
#include "core/job_state.h"
#include "optimizer/best_plan.h"
#include "optimizer/pack_bars.h"

namespace {

struct StockRow {
  double length;
  int quantity;  // 0: orderable
};

struct BenchJob {
  std::string name;
  std::vector<StockRow> stock;
  std::vector<double> pieces;
  double kerf = 0.0;
  int bestKnownBars = 0;  // 0 when unknown
};

std::filesystem::path DataFolder() {
  const char* folder = std::getenv("BRX_BENCH_DATA");
  return folder != nullptr ? folder : "../shared/bench-data";
}

JobState MakeJobState(const BenchJob& bench) {
  JobState job;
  job.kerf = std::to_string(bench.kerf);
  job.UnuseableLen = "0";
  for (const StockRow& row : bench.stock) {
    StockItem& item = job.stock[job.stockCount++];
    item.length = row.length;
    item.nonInventory = row.quantity == 0;
    item.quantity =
        static_cast<std::int16_t>(row.quantity == 0 ? kOrderableQuantity : row.quantity);
    item.material = "BENCH";
    item.bin = "A";
    job.totalStockQuantity += item.quantity;
  }
  for (const double length : bench.pieces) {
    CutPiece& piece = job.pieces[job.pieceCount++];
    piece.length = length;
    piece.mark = "P";
  }
  SortStockByLength(job.stockCount, job.stock);
  SortPiecesByLength(job.pieceCount, job.pieces);
  return job;
}

std::vector<BenchJob> ReadU120() {
  std::ifstream in(DataFolder() / "binpack1.txt");
  std::vector<BenchJob> jobs;
  int count = 0;
  in >> count;
  for (int i = 0; i < count && in; ++i) {
    BenchJob job;
    double capacity = 0.0;
    int items = 0;
    in >> job.name >> capacity >> items >> job.bestKnownBars;
    job.stock.push_back({capacity, 0});
    job.pieces.resize(items);
    for (double& length : job.pieces) in >> length;
    jobs.push_back(job);
  }
  return jobs;
}

std::vector<BenchJob> ReadT120() {
  std::vector<BenchJob> jobs;
  for (int i = 0; i < 20; ++i) {
    std::ostringstream name;
    name << "Falkenauer_t120_" << (i < 10 ? "0" : "") << i;
    std::ifstream in(DataFolder() / "t120" / (name.str() + ".txt"));
    if (!in) continue;
    BenchJob job;
    job.name = name.str();
    double capacity = 0.0;
    int items = 0;
    in >> items >> capacity;
    job.stock.push_back({capacity, 0});
    job.pieces.resize(items);
    for (double& length : job.pieces) in >> length;
    job.bestKnownBars = items / 3;
    jobs.push_back(job);
  }
  return jobs;
}

// A fixed pseudo-random sequence (the same on every platform).
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}
  int Next(int below) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(below));
  }

 private:
  std::uint64_t state_;
};

constexpr double kSixteenthFoot = 1.0 / 192.0;

// The largest jobs: 2000 pieces and 1000 stock rows.
std::vector<BenchJob> LargeMixes() {
  std::vector<BenchJob> mixes;
  Sequence random(20240601);
  {
    BenchJob mix{"a_feet_1to12_on_20_40_60", {}, {}, 1.0 / 96.0, 0};
    for (int row = 0; row < 1000; ++row) {
      const double length = 20.0 * (1 + row % 3);
      mix.stock.push_back({length, row % 100 == 99 ? 0 : 1 + random.Next(5)});
    }
    for (int i = 0; i < 2000; ++i)
      mix.pieces.push_back(1.0 + random.Next(11 * 192 + 1) * kSixteenthFoot);
    mixes.push_back(mix);
  }
  {
    BenchJob mix{"b_feet_2to12in_on_40", {}, {}, 1.0 / 96.0, 0};
    for (int row = 0; row < 1000; ++row)
      mix.stock.push_back({40.0, row == 999 ? 0 : 1 + random.Next(5)});
    for (int i = 0; i < 2000; ++i)
      mix.pieces.push_back((2.0 + random.Next(10 * 16 + 1) / 16.0) / 12.0);
    mixes.push_back(mix);
  }
  {
    BenchJob mix{"c_mm_300to3000_on_6000_12000", {}, {}, 3.0, 0};
    for (int row = 0; row < 1000; ++row) {
      mix.stock.push_back({row % 2 == 0 ? 12000.0 : 6000.0, row >= 998 ? 0 : 1 + random.Next(5)});
    }
    for (int i = 0; i < 2000; ++i) mix.pieces.push_back(300.0 + random.Next(2701));
    mixes.push_back(mix);
  }
  {
    BenchJob mix{"d_feet_1000_lengths", {}, {}, 0.0, 0};
    for (int row = 0; row < 1000; ++row) {
      mix.stock.push_back({10.0 + row / 24.0, row % 10 == 9 ? 0 : 1 + random.Next(5)});
    }
    for (int i = 0; i < 2000; ++i)
      mix.pieces.push_back(1.0 + random.Next(19 * 192 + 1) * kSixteenthFoot);
    mixes.push_back(mix);
  }
  return mixes;
}

void RunJob(benchmark::State& state, const BenchJob& bench, int level) {
  BatchFrontend frontend(std::cerr);
  PlanResult result;
  JobState job;
  for (auto _ : state) {
    state.PauseTiming();
    job = MakeJobState(bench);
    state.ResumeTiming();
    result = RunBestPlan(job, frontend, level);
  }
  state.counters["bars"] = job.barCount;
  state.counters["uncut"] = job.pieceCount - job.usedPieceCount;
  state.counters["stock"] = result.stockLength;
  state.counters["bound"] = result.lowerBound;
  state.counters["gap_pct"] =
      result.lowerBound > 0.0 ? (result.stockLength - result.lowerBound) / result.lowerBound * 100.0
                              : 0.0;
  if (bench.bestKnownBars > 0) {
    state.counters["best_known"] = bench.bestKnownBars;
    state.counters["over"] = job.barCount - bench.bestKnownBars;
  }
}

void RunClassic(benchmark::State& state, const BenchJob& bench, int level) {
  BatchFrontend frontend(std::cerr);
  JobState job;
  for (auto _ : state) {
    state.PauseTiming();
    job = MakeJobState(bench);
    state.ResumeTiming();
    PackBars(job, frontend, level);
  }
  double stock = 0.0;
  for (int b = 0; b < job.barCount; ++b) stock += job.bars[b].stockLength;
  state.counters["bars"] = job.barCount;
  state.counters["uncut"] = job.pieceCount - job.usedPieceCount;
  state.counters["stock"] = stock;
}

// A family with instances missing stops the program: figures over fewer jobs
// than the family holds would pass for the family's.
std::vector<BenchJob> Required(const std::string& family, std::vector<BenchJob> jobs,
                               std::size_t expected) {
  if (jobs.size() != expected) {
    std::cerr << "best_plan_bench: found " << jobs.size() << " of " << expected << " " << family
              << " instances in " << DataFolder() << " (set BRX_BENCH_DATA)\n";
    std::exit(1);
  }
  return jobs;
}

void Register(const std::string& family, const std::vector<BenchJob>& jobs,
              const std::vector<int>& levels) {
  for (const int level : levels) {
    for (const BenchJob& job : jobs) {
      const std::string name = family + "/" + job.name + "/level:" + std::to_string(level);
      benchmark::RegisterBenchmark(
          name.c_str(), [job, level](benchmark::State& state) { RunJob(state, job, level); })
          ->Iterations(1)
          ->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register("u120", Required("u120", ReadU120(), 20), {5, 10});
  Register("t120", Required("t120", ReadT120(), 20), {10});
  Register("mix", LargeMixes(), {5, 10});
  for (const BenchJob& mix : LargeMixes()) {
    const std::string name = "mix_classic/" + mix.name + "/level:10";
    benchmark::RegisterBenchmark(name.c_str(),
                                 [mix](benchmark::State& state) { RunClassic(state, mix, 10); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
