#!/usr/bin/env bash
# Builds the job file fuzzer (clang's libFuzzer with address and undefined
# behaviour checks) and runs it from the seed corpus in
# tests/jobfiles/fuzz_corpus for a fixed number of inputs.
#   bash scripts/fuzz.sh [runs]        (default 20000 inputs)
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-20000}"
out=build/fuzz
sources=(
  src/core/brx_error.cpp src/core/job_state.cpp src/core/number_text.cpp
  src/core/safe_file.cpp src/core/text_util.cpp
  src/jobfiles/cut_file.cpp src/jobfiles/job_file_support.cpp
  src/jobfiles/record_io.cpp src/jobfiles/stock_file.cpp
  tests/jobfiles/job_file_fuzzer.cpp
)

mkdir -p "$out"
clang++ -std=c++20 -O1 -g -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc -Itests "${sources[@]}" -o "$out/job_file_fuzzer"

# A fresh working corpus each time, so a run starts from the seeds alone.
rm -rf "$out/corpus"
mkdir -p "$out/corpus"
cp tests/jobfiles/fuzz_corpus/* "$out/corpus/"
# Every input is saved several times; on a memory file system the saves'
# flushes to disk cost nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
"$out/job_file_fuzzer" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 \
  -artifact_prefix="$out/" "$out/corpus"
