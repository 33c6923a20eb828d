#!/usr/bin/env bash
# Times brx --all-materials on a job of 20 materials with 2,000 pieces each
# (1,000 cut rows of 2 pieces, 60 stock rows per material, a tenth of them
# orderable), feet with sixteenths, fixed seed, the classic optimizer.
# Usage: bash bench/whole_job_batch.sh [path/to/brx]
set -euo pipefail
cd "$(dirname "$0")/.."
brx="${1:-build/release/src/brx}"
if [ ! -x "$brx" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target brx
fi

job="$(mktemp -d)"
trap 'rm -rf "$job"' EXIT
mkdir -p "$job/config/Brx" "$job/out"
printf '[Settings]\r\nbatchDir=%s\r\ndrop_length=5\r\noptimizer=classic\r\n' "$job/out" \
  >"$job/config/Brx/Brx.ini"
awk 'BEGIN {
  srand(42)
  printf "MATERIAL, MARK, QTY, LENGTH\r\n" > "'"$job"'/job.stk"
  printf "Mark(Bin),Material,Qty,Length\r\n" > "'"$job"'/job.cut"
  for (m = 0; m < 20; m++) {
    for (i = 0; i < 60; i++)
      printf "SHAPE%02d,B%d,%d,%.10g\r\n", m, i, (i % 10 == 0) ? 0 : 1 + int(rand() * 20),
             20 + i / 3 > "'"$job"'/job.stk"
    for (i = 0; i < 1000; i++)
      printf "P%d,SHAPE%02d,2,%.15g\r\n", i, m, (16 + int(rand() * 240)) / 16.0 > "'"$job"'/job.cut"
  }
}'

start=$(date +%s%N)
TIMEFORMAT="cpu: %U s user, %S s system"
time \
XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" \
  "$brx" --all-materials "$job/job.cut" "$job/job.stk" job.txt 0.0104166666666667
status=$?
end=$(date +%s%N)
printf 'Whole job batch run (20 materials x 2000 pieces, classic): %.3f s, exit %d, %d reports, %d bars\n' \
  "$(awk "BEGIN { print ($end - $start) / 1e9 }")" "$status" \
  "$(ls "$job/out" | grep -c '^job_SHAPE.*\.bxl$')" "$(cat "$job"/out/job_SHAPE*.bxl | grep -c 'Stock No.')"
grep '^Job total' "$job/out/job_summary.bxl"
