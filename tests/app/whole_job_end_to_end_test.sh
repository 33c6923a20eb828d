#!/usr/bin/env bash
# Runs brx --all-materials and --json on a job of several materials and checks
# the per-material reports and exports, the job summary and the JSON plan
# against each other and against single runs, from the written files alone.
brx="$1"
source "$(dirname "$0")/../support/checks.sh"
here="$(dirname "$0")"

job="$root/job"
mkdir -p "$job/config/Brx" "$job/out"
printf '[Settings]\r\nbatchDir=%s\r\n' "$job/out" >"$job/config/Brx/Brx.ini"
# PIPE has stock only: nothing to cut, so it is no part of the job. NOSTOCK
# cannot be cut. Marks hold a backslash and a Latin-1 byte for the JSON.
printf 'MATERIAL, MARK, QTY, LENGTH\r\nW8X31,A12,3,40\r\nW8X31,O1,0,30\r\nW8X31,O2,0,20\r\nL3X3X1/4,B1,2,20\r\nL3X3X1/4,O3,0,20\r\nPIPE,P1,0,30\r\nFLAT 50X6,F1,0,21.5\r\n' >"$job/a.stk"
printf 'Mark(Bin),Material,Qty,Length\r\nB1,W8X31,7,12.5\r\nB2,W8X31,5,22\r\nC1,L3X3X1/4,6,9.25\r\nC\\2,L3X3X1/4,1,25\r\nQ1,NOSTOCK,2,5\r\nD\3511,FLAT 50X6,4,10\r\n' >"$job/a.cut"
cp "$job/a.stk" "$job/a.stk.before"

run_brx() {  # arguments... ; sets status
  XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" "$brx" "$@" >"$job/stdout" 2>"$job/stderr"
  status=$?
}

run_brx --all-materials --json "$job/a.cut" "$job/a.stk" out.txt 0.125
check "a material that cannot be cut gives exit 1" test "$status" -eq 1
check "it is named on stderr, alone" test "$(cat "$job/stderr")" = \
  "brx: NOSTOCK: there is no NOSTOCK stock in $job/a.stk"
check "the others are reported and exported, and nothing else" test "$(cd "$job/out" && ls | tr '\n' ' ')" = \
  "out_FLAT 50X6.bxl out_FLAT 50X6.txt out_L3X3X1_4.bxl out_L3X3X1_4.txt out_W8X31.bxl out_W8X31.txt out_summary.bxl "
check "the summary and the JSON agree with the reports and exports" \
  python3 "$here/whole_job_check.py" "$job/out" out "$job/stdout"
check "the summary names the material not cut" \
  grep -qF "NOSTOCK: there is no NOSTOCK stock in $job/a.stk" "$job/out/out_summary.bxl"
check "the JSON names it too" python3 -c "import json,sys; m=json.load(open(sys.argv[1]))['materials']; \
assert [x['material'] for x in m] == ['W8X31','L3X3X1/4','NOSTOCK','FLAT 50X6'] and not m[2]['cut']" "$job/stdout"
check "the stock quantities are kept without stk_update" \
  diff <(sort "$job/a.stk") <(sort "$job/a.stk.before")

# Each material's report and export are those of a single run of it.
for material in W8X31 "L3X3X1/4" "FLAT 50X6"; do
  name="${material//\//_}"
  XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" \
    "$brx" "$job/a.cut" "$job/a.stk" "single.txt" "$material" 0.125 >"$job/stdout1"
  check "$material: a single run prints nothing" test ! -s "$job/stdout1"
  check "$material: the report is the single run's" \
    diff <(grep -av "End of report" "$job/out/single.bxl") <(grep -av "End of report" "$job/out/out_$name.bxl")
  check "$material: the export is the single run's" cmp "$job/out/single_$name.txt" "$job/out/out_$name.txt"
done

# --json with one material: one document that agrees with its export.
run_brx --json "$job/a.cut" "$job/a.stk" one.txt W8X31 0.125
check "a single --json run exits 0" test "$status" -eq 0
check "its JSON parses" python3 -m json.tool "$job/stdout" /dev/null
cp "$job/stdout" "$job/one.json"
cp "$job/out/one.bxl" "$job/out/one_W8X31.bxl"
check "its JSON agrees with the export" python3 "$here/whole_job_check.py" "$job/out" one "$job/one.json"

# Every material cut: exit 0; nothing to cut at all: exit 1 and no summary.
printf 'Mark(Bin),Material,Qty,Length\r\nB1,W8X31,7,12.5\r\nD1,FLAT 50X6,4,10\r\n' >"$job/a.cut"
run_brx --all-materials "$job/a.cut" "$job/a.stk" every.txt 0
check "every material cut gives exit 0" test "$status" -eq 0
check "without --json stdout stays empty" test ! -s "$job/stdout"
printf 'Mark(Bin),Material,Qty,Length\r\nQ1,NOSTOCK,2,5\r\n' >"$job/a.cut"
run_brx --all-materials "$job/a.cut" "$job/a.stk" none.txt 0
check "no material cut gives exit 1" test "$status" -eq 1
check "and no summary" test ! -e "$job/out/none_summary.bxl"

# Results that cannot be written: exit 2, and the stock is not subtracted.
printf '[Settings]\r\nbatchDir=%s\r\nstk_update=1\r\n' "$root/no/such/folder" >"$job/config/Brx/Brx.ini"
cp "$job/a.stk" "$job/a.stk.before"
printf 'Mark(Bin),Material,Qty,Length\r\nB1,W8X31,7,12.5\r\nD1,FLAT 50X6,4,10\r\n' >"$job/a.cut"
run_brx --all-materials "$job/a.cut" "$job/a.stk" out.txt 0
check "unwritable results give exit 2" test "$status" -eq 2
check "the stock is not subtracted" cmp "$job/a.stk" "$job/a.stk.before"

run_brx --all-materials "$job/a.cut" "$job/a.stk" out.txt
check "three arguments are a usage error" test "$status" -eq 1
check "the usage error says what is wanted" grep -q "^brx: --all-materials takes four arguments" "$job/stderr"

finish
