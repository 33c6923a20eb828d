#!/usr/bin/env bash
# Packs the build with CPack as scripts/package.sh packs the release build and
# checks the Debian package: its name carries the project version, its file
# list holds the program and the desktop files, and dpkg-shlibdeps found the
# Qt 6 libraries it needs.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" ||
  { cat "$out/cpack.log"; exit 1; }
version=$("$build/src/brx" --version)
deb=$out/brx_${version}_amd64.deb
[ -f "$deb" ] || { ls "$out"; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/brx ./usr/share/applications/brx.desktop \
  ./usr/share/mime/packages/brx.xml ./usr/share/metainfo/io.github.brx.BRX.metainfo.xml \
  ./usr/share/man/man1/brx.1.gz ./usr/share/icons/hicolor/scalable/apps/brx.svg \
  ./usr/share/icons/hicolor/16x16/apps/brx.png ./usr/share/icons/hicolor/256x256/apps/brx.png; do
  grep -qx -- "$file" <<<"$files" || { echo "not in the package: $file"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q "libqt6widgets6.*libqt6svg6\|libqt6svg6.*libqt6widgets6" <<<"$depends" || { echo "Depends: $depends"; exit 1; }
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ]
dpkg-deb -f "$deb" Maintainer | grep -q "@"
echo "package $(basename "$deb") holds the program and the desktop files"
