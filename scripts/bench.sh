#!/usr/bin/env bash
# Builds the benchmarks in the release preset and runs them, printing the
# figures. Options before the rest:
#   search | best     run only that benchmark program
#   --json FOLDER     also write each program's figures as FOLDER/NAME.json
#                     (Google Benchmark's JSON), to compare with an earlier run
# The rest go to the benchmark programs, for instance
#   bash scripts/bench.sh search --benchmark_filter=Largest
#   bash scripts/bench.sh best --json /tmp/before --benchmark_filter=u120
# The best-plan benchmark reads its instances from $BRX_BENCH_DATA
# (default ../shared/bench-data, relative to the project folder).
set -euo pipefail
cd "$(dirname "$0")/.."

which="all"
json_folder=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    search | best) which="$1" ;;
    --json) json_folder="${2:?--json needs a folder}"; shift ;;
    *) break ;;
  esac
  shift
done

cmake --preset release >/dev/null
cmake --build --preset release --target brx_bench_search best_plan_bench -- -j2

run_bench() {
  local name="$1" program="$2"
  shift 2
  local json_args=()
  if [[ -n "$json_folder" ]]; then
    mkdir -p "$json_folder"
    json_args=(--benchmark_out="$json_folder/$name.json" --benchmark_out_format=json)
  fi
  "$program" --benchmark_counters_tabular=true "${json_args[@]}" "$@"
}
if [[ "$which" != "best" ]]; then
  run_bench search ./build/release/bench/brx_bench_search "$@"
fi
if [[ "$which" != "search" ]]; then
  run_bench best ./build/release/bench/best_plan_bench "$@"
fi
