#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the benchmarks
# need, only those missing. Does nothing else when all are present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  coinor-libclp-dev coinor-libcbc-dev
  clang clang-format libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core xvfb xauth
  libqt6svg6 poppler-utils
  librsvg2-bin desktop-file-utils appstream shared-mime-info groff-base file
  python3
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
