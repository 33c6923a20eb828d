#!/usr/bin/env bash
# Installs what is missing, builds BRX and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake --preset release >/dev/null
cmake --build --preset release --target brx
./build/release/src/brx "$@"
