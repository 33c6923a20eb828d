#!/usr/bin/env bash
# Builds the libFuzzer target of the stock and cut file readers with the
# address and undefined-behaviour sanitizers, then runs it for a fixed number
# of inputs from its seed corpus in tests/jobfiles/fuzz_corpus/. Exits non-zero
# when it crashes or finds a broken property. FUZZ_RUNS overrides the number
# of inputs (default 20000).
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${FUZZ_RUNS:-20000}"
out=build/fuzz
sources=(
  src/core/brx_error.cpp src/core/job_state.cpp src/core/number_text.cpp
  src/core/safe_file.cpp src/core/text_util.cpp
  src/jobfiles/cut_file.cpp src/jobfiles/job_file_support.cpp
  src/jobfiles/record_io.cpp src/jobfiles/stock_file.cpp
  tests/jobfiles/job_file_fuzzer.cpp
)

mkdir -p "$out"
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc -Itests "${sources[@]}" -o "$out/fuzz_job_files"

# Every input is saved several times; on a memory file system the saves'
# flushes to disk cost nothing.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

# New inputs go to a scratch folder so the seed corpus stays as committed.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
echo "== fuzz_job_files: ${runs} runs =="
"$out/fuzz_job_files" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$out/crash_job_files_" "$scratch" tests/jobfiles/fuzz_corpus
echo "== job file fuzz target passed =="
