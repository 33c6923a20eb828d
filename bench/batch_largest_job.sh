#!/usr/bin/env bash
# Times a batch run of the largest job the program accepts: 1000 stock rows
# and 1000 cut rows of 2 pieces each (2000 pieces), feet with sixteenths,
# fixed seed. Usage: bash bench/batch_largest_job.sh [path/to/brx]
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
printf '[Settings]\r\nbatchDir=%s\r\ndrop_length=5\r\n' "$job/out" >"$job/config/Brx/Brx.ini"
awk 'BEGIN {
  srand(42)
  printf "MATERIAL, MARK, QTY, LENGTH\r\n" > "'"$job"'/big.stk"
  for (i = 0; i < 1000; i++)
    printf "W8X31,B%d,%d,%.10g\r\n", i, (i % 10 == 0) ? 0 : 1 + int(rand() * 5),
           10 + i / 24 > "'"$job"'/big.stk"
  printf "Mark(Bin),Material,Qty,Length\r\n" > "'"$job"'/big.cut"
  for (i = 0; i < 1000; i++)
    printf "P%d,W8X31,2,%.15g\r\n", i, (16 + int(rand() * 304)) / 16.0 > "'"$job"'/big.cut"
}'

start=$(date +%s%N)
XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" \
  "$brx" "$job/big.cut" "$job/big.stk" big.txt W8X31 0.0104166666666667
end=$(date +%s%N)
bars=$(grep -c "Stock No." "$job/out/big.bxl")
printf 'Largest job batch run: %.3f s end to end, %d bars, report %s bytes\n' \
  "$(awk "BEGIN { print ($end - $start) / 1e9 }")" "$bars" "$(stat -c %s "$job/out/big.bxl")"
