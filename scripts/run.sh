#!/usr/bin/env bash
# Installs what is missing, builds BRX and cuts the bundled example job (the
# W8X31 beam) without a window, then prints the report. The job, the settings
# and the results stay in build/example-job, so nothing of yours is touched.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --preset release >/dev/null
cmake --build --preset release --target brx

job="$PWD/build/example-job"
rm -rf "$job"
mkdir -p "$job/config" "$job/output"
cp examples/example.stk examples/example.cut "$job/"
mkdir -p "$job/config/Brx"
printf '[Settings]\nbatchDir=%s\n' "$job/output" >"$job/config/Brx/Brx.ini"

# Cut file, stock file, export name (in the batch folder), material, kerf
# (1/8 inch, in feet).
XDG_CONFIG_HOME="$job/config" USERPROFILE="$job" \
  ./build/release/src/brx "$job/example.cut" "$job/example.stk" Example.txt W8X31 0.0104166666666667

cat "$job/output/Example.bxl"
echo
echo "Report: $job/output/Example.bxl"
echo "Export: $job/output/Example_W8X31.txt"
