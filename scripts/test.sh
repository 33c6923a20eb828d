#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs the
# whole suite twice: a normal build and a sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
bash scripts/check_format.sh

echo "== fuzzing the file readers =="
bash scripts/fuzz.sh

for preset in dev asan; do
  echo "== $preset build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
