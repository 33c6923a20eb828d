#!/usr/bin/env bash
# Builds the libFuzzer targets of the cut list imports (ParseFields, the KISS
# reader, the WinEstimator reader) with the address and undefined-behaviour
# sanitizers, then runs each for a fixed number of inputs from its seed corpus
# in tests/import/fuzz_corpus/. Exits non-zero when a target crashes or finds
# a broken property. FUZZ_RUNS overrides the number of inputs per target.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${FUZZ_RUNS:-20000}"
out=build/fuzz
targets=(parse_fields kiss_import winest_import)
engine_sources=(
  src/core/brx_error.cpp src/core/job_state.cpp src/core/length_text.cpp
  src/core/number_text.cpp src/core/safe_file.cpp src/core/text_util.cpp
  src/import/field_split.cpp src/import/import_files.cpp
  src/import/kiss_import.cpp src/import/winest_import.cpp src/jobfiles/record_io.cpp
)
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fno-sanitize-recover=all -Isrc -Itests)

mkdir -p "$out/obj"
objects=()
for source in "${engine_sources[@]}"; do
  object="$out/obj/$(basename "$source" .cpp).o"
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$source" -o "$object" &
  objects+=("$object")
  # Two compilers at a time.
  if (( ${#objects[@]} % 2 == 0 )); then wait -n; fi
done
wait
for target in "${targets[@]}"; do
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "tests/import/fuzz_${target}.cpp" \
    "${objects[@]}" -o "$out/fuzz_${target}"
done

# The reader targets write small files on every run; a memory file system
# keeps that from waiting on the disk.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

# New inputs go to a scratch folder so the seed corpus stays as committed.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for target in "${targets[@]}"; do
  echo "== fuzz_${target}: ${runs} runs =="
  mkdir -p "$scratch/$target"
  "$out/fuzz_${target}" -runs="$runs" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/crash_${target}_" \
    "$scratch/$target" "tests/import/fuzz_corpus/$target"
done
echo "== all import fuzz targets passed =="
