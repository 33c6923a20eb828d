#!/usr/bin/env bash
# Builds the benchmarks in the release preset and runs them, printing the
# figures. Extra arguments go to the benchmark programs, for instance
#   bash scripts/bench.sh --benchmark_filter=Largest
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release --target brx_bench_search -- -j2
./build/release/bench/brx_bench_search --benchmark_counters_tabular=true "$@"
