# Shared by the end-to-end scripts: a temporary root removed on exit, and
# check/finish to count and report the checks. Source it after setting brx.
set -uo pipefail
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
failures=0
passes=0

check() {  # description, then a command that must succeed
  local description="$1"
  shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAILED: $description"
    failures=$((failures + 1))
  fi
}

finish() {  # the summary line; the script's status
  echo "$passes passed, $failures failed"
  test "$failures" -eq 0
}
