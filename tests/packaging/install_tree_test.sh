#!/usr/bin/env bash
# Installs the build into a staging folder as a package would, checks that
# every desktop file lands where freedesktop.org looks for it, validates the
# desktop entry, the stock file type and the AppStream metadata, and checks
# that the manual names every option brx --help names.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cmake --install "$build" --prefix "$stage/usr" >/dev/null
share=$stage/usr/share
expected=(
  usr/bin/brx
  usr/share/applications/brx.desktop
  usr/share/mime/packages/brx.xml
  usr/share/metainfo/io.github.brx.BRX.metainfo.xml
  usr/share/man/man1/brx.1.gz
  usr/share/icons/hicolor/scalable/apps/brx.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/brx.png")
done
for file in "${expected[@]}"; do
  [ -s "$stage/$file" ] || { echo "not installed: $file"; exit 1; }
done
# Nothing else: no tests, libraries or headers in the package.
installed=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || { diff <(echo "$wanted") <(echo "$installed"); exit 1; }
file "$stage/usr/share/icons/hicolor/48x48/apps/brx.png" | grep -q "48 x 48"
"$stage/usr/bin/brx" --version | grep -qx "[0-9][0-9.]*"

desktop-file-validate "$share/applications/brx.desktop"
appstreamcli validate --no-net "$share/metainfo/io.github.brx.BRX.metainfo.xml"
# The file type as the file manager would see it: *.stk maps to it and it is text.
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
grep -qx "application/x-brx-stock:\*\.stk" "$share/mime/globs"
grep -qx "application/x-brx-stock text/plain" "$share/mime/subclasses"
grep -q "<comment>BRX stock file</comment>" "$share/mime/application/x-brx-stock.xml"
# The metainfo's release is the program's version.
grep -q "<release version=\"$("$stage/usr/bin/brx" --version)\"" \
  "$share/metainfo/io.github.brx.BRX.metainfo.xml"

# The manual renders without warnings and names the same options as --help.
man_page=$stage/brx.1
gzip -dc "$share/man/man1/brx.1.gz" >"$man_page"
groff -ww -z -man "$man_page" 2>"$stage/groff.err"
[ ! -s "$stage/groff.err" ] || { cat "$stage/groff.err"; exit 1; }
options_of() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
help_options=$("$stage/usr/bin/brx" --help | options_of)
man_options=$(sed 's/\\-/-/g' "$man_page" | options_of)
[ "$help_options" = "$man_options" ] || {
  echo "brx --help and the manual differ:"
  diff <(echo "$help_options") <(echo "$man_options")
  exit 1
}
echo "installed tree complete and valid"
