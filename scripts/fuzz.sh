#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers (the stock and cut files,
# ParseFields, the KISS and WinEstimator imports) in the fuzz preset, then runs
# each for a fixed number of inputs from its seed corpus. Exits non-zero when a
# target crashes or finds a broken property. FUZZ_RUNS overrides the number of
# inputs per target (default 20000).
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${FUZZ_RUNS:-20000}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Every input is saved or read from a file; on a memory file system that
# costs nothing.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

# New inputs go to a scratch folder so the seed corpora stay as committed.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
run_target() {
  local target="$1" corpus="$2"
  echo "== ${target}: ${runs} runs =="
  mkdir -p "$scratch/$target"
  "build/fuzz/fuzzers/${target}" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="build/fuzz/crash_${target}_" \
    "$scratch/$target" "$corpus"
}
run_target fuzz_job_files tests/jobfiles/fuzz_corpus
for reader in parse_fields kiss_import winest_import; do
  run_target "fuzz_${reader}" "tests/import/fuzz_corpus/${reader}"
done
echo "== all fuzz targets passed =="
