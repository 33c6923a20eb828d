#!/usr/bin/env bash
# Builds the benchmarks in the release preset and runs them, printing the
# figures. The first argument may name one of them (search or best); the rest
# go to the benchmark program, for instance
#   bash scripts/bench.sh search --benchmark_filter=Largest
#   bash scripts/bench.sh best --benchmark_filter=u120
# The best-plan benchmark reads its instances from $BRX_BENCH_DATA
# (default ../shared/bench-data, relative to the project folder).
set -euo pipefail
cd "$(dirname "$0")/.."

which="all"
if [[ "${1:-}" == "search" || "${1:-}" == "best" ]]; then
  which="$1"
  shift
fi

cmake --preset release >/dev/null
cmake --build --preset release --target brx_bench_search best_plan_bench -- -j2
if [[ "$which" != "best" ]]; then
  ./build/release/bench/brx_bench_search --benchmark_counters_tabular=true "$@"
fi
if [[ "$which" != "search" ]]; then
  ./build/release/bench/best_plan_bench --benchmark_counters_tabular=true "$@"
fi
