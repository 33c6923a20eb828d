#!/usr/bin/env bash
# Runs the brx executable in batch mode on small jobs in a temporary home and
# checks the report, the export, the rewritten stock file and the exit status.
set -uo pipefail
brx="$1"
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

# A fresh job folder with its own settings; $1 = stk_update, $2 = batch folder,
# $3 = the optimizer setting.
new_job() {
  job="$root/job$RANDOM"
  mkdir -p "$job/config/Brx" "$job/out"
  printf '[Settings]\r\nstk_update=%s\r\nbatchDir=%s\r\noptimizer=%s\r\n' "$1" "${2:-$job/out}" \
    "${3:-classic}" >"$job/config/Brx/Brx.ini"
  printf 'MATERIAL, MARK, QTY, LENGTH\r\nX,Z,7,33\r\nM,R5,5,20\r\nN,R2,2,20\r\n' >"$job/a.stk"
  printf 'Mark(Bin),Material,Qty,Length\r\nP1,M,2,20\r\nQ1,N,2,20\r\nK9,X,1,3\r\n' >"$job/a.cut"
}

run_brx() {  # arguments... ; sets status, out, err
  XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" "$brx" "$@" >"$job/stdout" 2>"$job/stderr"
  status=$?
}

# The job runs, the report and export are written, nothing goes to stdout.
new_job 0
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "job runs with exit 0" test "$status" -eq 0
check "stdout stays empty" test ! -s "$job/stdout"
check "report written" grep -q "BRX CUTTING List:" "$job/out/out.bxl"
check "report names both bars" test "$(grep -c 'INVENTORY Stock No. R5 length of 20' "$job/out/out.bxl")" -eq 2
check "export written" grep -q "^INVENTORY,R5,M,20'-0\",P1,20'-0\"" "$job/out/out_M.txt"
check "stock kept without stk_update" grep -q "^M,R5,5,20" "$job/a.stk"

# The same job given as one text separated by semicolons gives the same report.
cp "$job/out/out.bxl" "$root/first.bxl"
run_brx "$job/a.cut;$job/a.stk;out.txt;M;0"
check "one-text arguments run" test "$status" -eq 0
check "one-text arguments give the same report" \
  diff <(grep -v "End of report" "$root/first.bxl") <(grep -v "End of report" "$job/out/out.bxl")

# With stk_update "1" the bars taken are subtracted; a row used up reads as 0.
new_job 1
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "row of 5 that gave two bars is written back as 3" grep -q "^M,R5,3,20" "$job/a.stk"
run_brx "$job/a.cut" "$job/a.stk" out.txt N 0
check "row of 2 that gave two bars comes back as 0" grep -q "^N,R2,0,20" "$job/a.stk"
check "other materials' rows survive" grep -q "^X,Z,7,33" "$job/a.stk"
run_brx "$job/a.cut" "$job/a.stk" out2.txt N 0
check "a used-up row is then ordered" grep -q "^Bin: R2 Order    2 item(s)" "$job/out/out2.bxl"

# Jobs that cannot run end with status 1 and a reason.
new_job 0
run_brx "$job/missing.cut" "$job/a.stk" out.txt M 0
check "missing cut file gives exit 1" test "$status" -eq 1
check "missing cut file is named" grep -q "^brx: the job file $job/missing.cut does not exist" "$job/stderr"
run_brx "$job/a.cut" "$job/a.stk" out.txt NOSUCH 0
check "empty lists give exit 1" test "$status" -eq 1
check "empty lists give a reason" grep -q "^brx: there is no NOSUCH stock" "$job/stderr"

# Results that cannot be written: status 2, and the stock is not subtracted.
new_job 1 "$root/no/such/folder"
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "unwritable report gives exit 2" test "$status" -eq 2
check "the failure is reported on stderr" grep -q "^Error: Error # " "$job/stderr"
check "stock not subtracted when results were not written" grep -q "^M,R5,5,20" "$job/a.stk"

# The best optimizer, chosen for one run or by the stored setting, adds the
# bound line after the total and prints it, alone, on stdout.
new_job 0
run_brx --optimizer=best "$job/a.cut" "$job/a.stk" out.txt M 0
check "best run exits 0" test "$status" -eq 0
check "best run prints the bound line" grep -q "^Lower bound on stock length: .* (this plan is within 0.00% of it)$" "$job/stdout"
check "stdout holds only the bound line" test "$(wc -l <"$job/stdout")" -eq 1
check "the report holds the same line after the total" \
  diff <(grep -A1 "^Total stock length" "$job/out/out.bxl" | tail -1 | tr -d '\r') "$job/stdout"
check "best cuts the same two bars here" test "$(grep -c 'INVENTORY Stock No. R5 length of 20' "$job/out/out.bxl")" -eq 2
check "the one-run choice is not stored" grep -q "^optimizer=classic" "$job/config/Brx/Brx.ini"
run_brx --optimizer=classic "$job/a.cut" "$job/a.stk" out.txt M 0
check "classic run prints nothing" test ! -s "$job/stdout"
check "classic report has no bound line" test "$(grep -c "^Lower bound" "$job/out/out.bxl")" -eq 0
new_job 0 "" best
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "the stored best setting is honoured" grep -q "^Lower bound on stock length: " "$job/stdout"
run_brx --optimizer=fast "$job/a.cut" "$job/a.stk" out.txt M 0
check "an unknown optimizer gives exit 1" test "$status" -eq 1
check "an unknown optimizer is named" grep -q '^brx: unknown optimizer "fast"' "$job/stderr"
run_brx --optimizer=best "$job/a.cut"
check "the optimizer option without a job gives exit 1" test "$status" -eq 1

echo "$passes passed, $failures failed"
test "$failures" -eq 0
