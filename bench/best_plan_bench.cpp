// The best-plan optimiser on the standard bin-packing sets and on the largest
// jobs the program accepts. The instances are read from the folder named by
// BRX_BENCH_DATA (default ../shared/bench-data): binpack1.txt (Falkenauer
// u120) and t120/ (Falkenauer triplets), each cut as a job with one orderable
// stock length and no kerf. Counters: bars against the best known (u120) or
// the optimum (t120), and for the job mixes stock length, bound and gap, with
// the bar packing search at level 10 beside them. Generated sets: triplets of
// 249, 501 and 1002 pieces (every bar of the optimum filled exactly by three
// pieces) and large-capacity jobs whose pattern LP bound is computed here by a
// column generation of its own, to check the bound the optimiser prints.

#include <benchmark/benchmark.h>
#include <coin/ClpSimplex.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch_frontend.h"
#include "core/job_state.h"
#include "optimizer/best_plan.h"
#include "optimizer/pack_bars.h"
#include "support/random_draws.h"
#include "support/test_job.h"

namespace {

struct BenchJob {
  std::string name;
  std::vector<TestStock> stock;
  std::vector<double> pieces;
  double kerf = 0.0;
  int bestKnownBars = 0;      // 0 when unknown
  bool checkLpBound = false;  // compare the bound with PatternLpBars
};

std::filesystem::path DataFolder() {
  const char* folder = std::getenv("BRX_BENCH_DATA");
  return folder != nullptr ? folder : "../shared/bench-data";
}

JobState MakeJobState(const BenchJob& bench) {
  return MakeTestJob(bench.stock, bench.pieces, std::to_string(bench.kerf));
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

// Triplets the published way: each bar of 1000 takes a first piece from 380
// to 490, a second from 250 to half of what is left, and the rest; the pieces
// are then shuffled. The optimum is the number of bars built.
BenchJob Triplets(int pieces, int instance) {
  Sequence random(1000003ULL * static_cast<std::uint64_t>(pieces) + instance);
  BenchJob job;
  job.name = "triplet_" + std::to_string(pieces) + "_" + std::to_string(instance);
  job.stock.push_back({1000.0, 0});
  for (int bar = 0; bar < pieces / 3; ++bar) {
    const int first = 380 + random.Below(111);
    const int left = 1000 - first;
    const int second = 250 + random.Below(left / 2 - 250 + 1);
    job.pieces.insert(job.pieces.end(), {1.0 * first, 1.0 * second, 1.0 * (left - second)});
  }
  for (std::size_t i = job.pieces.size(); i > 1; --i) {
    std::swap(job.pieces[i - 1], job.pieces[random.Below(static_cast<int>(i))]);
  }
  job.bestKnownBars = pieces / 3;
  return job;
}

// The pattern LP of a job with one stock length and no kerf, in bars: column
// generation with CLP for the master and an exact dynamic program over whole
// lengths for pricing.
double PatternLpBars(const std::vector<double>& pieces, double capacity) {
  std::map<int, int, std::greater<>> demand;
  for (const double length : pieces) ++demand[static_cast<int>(length)];
  const std::vector<std::pair<int, int>> types(demand.begin(), demand.end());
  const int rows = static_cast<int>(types.size());
  const int width = static_cast<int>(capacity);
  ClpSimplex lp;
  lp.setLogLevel(0);
  lp.resize(rows, 0);
  for (int row = 0; row < rows; ++row) lp.setRowBounds(row, types[row].second, COIN_DBL_MAX);
  for (int row = 0; row < rows; ++row) {
    const double copies = std::min(types[row].second, width / types[row].first);
    lp.addColumn(1, &row, &copies, 0.0, COIN_DBL_MAX, 1.0);
  }
  // 0-1 items: each piece type split into copies of 1, 2, 4 ... pieces.
  std::vector<std::pair<int, int>> items;  // (type, copies)
  for (int row = 0; row < rows; ++row) {
    for (int left = types[row].second, part = 1; left > 0; part *= 2) {
      items.emplace_back(row, std::min(part, left));
      left -= std::min(part, left);
    }
  }
  std::vector<double> best(width + 1);
  std::vector<std::uint8_t> taken(items.size() * (width + 1));
  for (;;) {
    lp.primal();
    const double* duals = lp.dualRowSolution();
    std::fill(best.begin(), best.end(), 0.0);
    for (std::size_t i = 0; i < items.size(); ++i) {
      const auto [row, copies] = items[i];
      const int weight = copies * types[row].first;
      const double value = copies * duals[row];
      if (value <= 0.0) continue;
      for (int w = width; w >= weight; --w) {
        if (best[w - weight] + value > best[w]) {
          best[w] = best[w - weight] + value;
          taken[i * (width + 1) + w] = 1;
        } else {
          taken[i * (width + 1) + w] = 0;
        }
      }
    }
    if (best[width] <= 1.0 + 1e-9) return lp.objectiveValue();
    std::vector<double> column(rows, 0.0);
    for (int i = static_cast<int>(items.size()) - 1, w = width; i >= 0; --i) {
      const auto [row, copies] = items[i];
      const int weight = copies * types[row].first;
      if (duals[row] > 0.0 && w >= weight && taken[i * (width + 1) + w]) {
        column[row] += copies;
        w -= weight;
      }
    }
    std::vector<int> indices;
    std::vector<double> values;
    for (int row = 0; row < rows; ++row) {
      if (column[row] > 0.0) {
        indices.push_back(row);
        values.push_back(column[row]);
      }
    }
    lp.addColumn(static_cast<int>(indices.size()), indices.data(), values.data(), 0.0, COIN_DBL_MAX,
                 1.0);
  }
}

// Large capacity: 200 pieces from 20,000 to 35,000 on bars of 100,000, about
// three a bar.
BenchJob LargeCapacity(int instance) {
  Sequence random(7919ULL * static_cast<std::uint64_t>(instance) + 17);
  BenchJob job;
  job.name = "large_capacity_" + std::to_string(instance);
  job.stock.push_back({100000.0, 0});
  for (int i = 0; i < 200; ++i) job.pieces.push_back(20000.0 + random.Below(15001));
  job.checkLpBound = true;
  return job;
}

constexpr double kSixteenthFoot = 1.0 / 192.0;

// The largest jobs: 2000 pieces and 1000 stock rows.
std::vector<BenchJob> LargeMixes() {
  std::vector<BenchJob> mixes;
  Sequence random(20240601);
  {
    BenchJob mix{"a_feet_1to12_on_20_40_60", {}, {}, 1.0 / 96.0, 0};
    for (int row = 0; row < 1000; ++row) {
      const double length = 20.0 * (1 + row % 3);
      mix.stock.push_back({length, row % 100 == 99 ? 0 : 1 + random.Below(5)});
    }
    for (int i = 0; i < 2000; ++i)
      mix.pieces.push_back(1.0 + random.Below(11 * 192 + 1) * kSixteenthFoot);
    mixes.push_back(mix);
  }
  {
    BenchJob mix{"b_feet_2to12in_on_40", {}, {}, 1.0 / 96.0, 0};
    for (int row = 0; row < 1000; ++row)
      mix.stock.push_back({40.0, row == 999 ? 0 : 1 + random.Below(5)});
    for (int i = 0; i < 2000; ++i)
      mix.pieces.push_back((2.0 + random.Below(10 * 16 + 1) / 16.0) / 12.0);
    mixes.push_back(mix);
  }
  {
    BenchJob mix{"c_mm_300to3000_on_6000_12000", {}, {}, 3.0, 0};
    for (int row = 0; row < 1000; ++row) {
      mix.stock.push_back({row % 2 == 0 ? 12000.0 : 6000.0, row >= 998 ? 0 : 1 + random.Below(5)});
    }
    for (int i = 0; i < 2000; ++i) mix.pieces.push_back(300.0 + random.Below(2701));
    mixes.push_back(mix);
  }
  {
    BenchJob mix{"d_feet_1000_lengths", {}, {}, 0.0, 0};
    for (int row = 0; row < 1000; ++row) {
      mix.stock.push_back({10.0 + row / 24.0, row % 10 == 9 ? 0 : 1 + random.Below(5)});
    }
    for (int i = 0; i < 2000; ++i)
      mix.pieces.push_back(1.0 + random.Below(19 * 192 + 1) * kSixteenthFoot);
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
  if (bench.checkLpBound) {
    const double capacity = bench.stock.front().length;
    const double lpBars = PatternLpBars(bench.pieces, capacity);
    const double lpBound = std::ceil(lpBars - 1e-6);
    state.counters["lp_bars"] = lpBars;
    state.counters["bound_bars"] = result.lowerBound / capacity;
    state.counters["bound_ok"] = std::fabs(result.lowerBound / capacity - lpBound) < 1e-6;
    state.counters["over"] = job.barCount - lpBound;
  }
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
  for (const int pieces : {249, 501, 1002}) {
    std::vector<BenchJob> triplets;
    for (int instance = 0; instance < 20; ++instance)
      triplets.push_back(Triplets(pieces, instance));
    Register("triplet" + std::to_string(pieces), triplets, {0, 5, 10});
  }
  std::vector<BenchJob> largeCapacity;
  for (int instance = 0; instance < 20; ++instance)
    largeCapacity.push_back(LargeCapacity(instance));
  Register("large", largeCapacity, {0, 5, 10});
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
