#!/usr/bin/env bash
# Times the cutting diagrams of a 1,000-bar plan (every bar different, 2 to
# 12 pieces, short ones among them; feet with sixteenths, fixed seed): the
# report viewer opening on its Diagram tab and scrolling through it, and
# brx --diagrams writing the PDF and the SVG. Release build.
# Usage: bash bench/diagrams_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target brx diagram_viewer_bench
brx=build/release/src/brx

job="$(mktemp -d)"
trap 'rm -rf "$job"' EXIT
# The export a run would write: piece lines then the bar's scrap line.
awk 'BEGIN {
  srand(42)
  out = "'"$job"'/Plan_W8X31.txt"
  printf "Status,Stock#,Shape,Length,Mark,Cut\r\n" > out
  for (b = 0; b < 1000; b++) {
    stock = 480; used = 0; n = 2 + int(rand() * 11)
    status = (b % 7 == 0) ? "NON-INVENTORY" : "INVENTORY"
    for (p = 0; p < n; p++) {
      inches = (rand() < 0.2) ? 1 + int(rand() * 8) : 12 + int(rand() * 60)
      if (used + inches + 0.125 > stock) break
      used += inches + 0.125
      printf "%s,B%d,W8X31,40'"'"'-0\",P%d,%d'"'"'-%d\"\r\n", status, b % 50, int(rand() * 40),
             int(inches / 12), inches % 12 > out
    }
    scrap = stock - used
    printf "SCRAP,B%d,W8X31,%d'"'"'-%d 1/2\"\r\n", b % 50, int(scrap / 12), int(scrap) % 12 > out
  }
}'
printf 'the report\r\n' >"$job/W8X31.bxl"

build/release/bench/diagram_viewer_bench "$job/W8X31.bxl" "$job/Plan.txt" W8X31
for kind in pdf svg; do
  start=$(date +%s%N)
  "$brx" --diagrams "$job/Plan_W8X31.txt" "$job/plan.$kind" 2>/dev/null
  end=$(date +%s%N)
  printf 'brx --diagrams to %s: %.3f s, %s bytes' "$kind" \
    "$(awk "BEGIN { print ($end - $start) / 1e9 }")" "$(stat -c %s "$job/plan.$kind")"
  [ "$kind" = pdf ] && printf ', %s pages' "$(pdfinfo "$job/plan.pdf" | sed -n 's/^Pages: *//p')"
  echo
done
