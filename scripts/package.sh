#!/usr/bin/env bash
# Builds the release preset (the program only, without tests and benchmarks,
# in its own folder) and writes the Debian package
# build/package/brx_VERSION_amd64.deb. Install it with
#   apt install ./build/package/brx_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
build=build/package/release
cmake --preset release -B "$build" -DBRX_BUILD_TESTS=OFF -DBRX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
(cd build/package && cpack -G DEB --config release/CPackConfig.cmake)
rm -rf build/package/_CPack_Packages
ls build/package/brx_*_amd64.deb
