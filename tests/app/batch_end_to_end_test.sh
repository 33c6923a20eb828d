#!/usr/bin/env bash
# Runs the brx executable in batch mode on small jobs in a temporary home and
# checks the report, the export, the rewritten stock file and the exit status.
brx="$1"
source "$(dirname "$0")/../support/checks.sh"

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
mkdir "$job/folder.cut"
mkfifo "$job/fifo.stk"
ln -s loop.cut "$job/loop.cut"
for file in "$job/folder.cut" "$job/fifo.stk" "$job/loop.cut"; do
  run_brx "$file" "$job/a.stk" out.txt M 0
  check "$file is not a regular file" grep -qxF "brx: the job file $file is not a regular file" "$job/stderr"
done

# Job files: a record is one line. Lines without four fields are passed over
# and kept byte for byte; rows that were not loaded keep their place; the user
# is told once per run, not once per internal re-read.
new_job 1
printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R5,5,20\r\nM,A14,2,30,note\r\nL3X3X1/4,B3,6,20\nM,R9\r\nM,R2,2,20\r\n' >"$job/a.stk"
printf '\357\273\277Mark(Bin),Material,Qty,Length\r\nP1,M,2,20\r\nN1,M,1e400,5\r\nN2,M,2,nan\r\nK9,X,1,3,extra\r\nQ1,M,1,20\r\n' >"$job/a.cut"
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "malformed stock lines are told once" test "$(grep -cxF "BRX: $job/a.stk: 2 line(s) do not hold four fields; they were not read and are kept in the file unchanged." "$job/stderr")" -eq 1
check "malformed cut lines are told once" test "$(grep -cxF "BRX: $job/a.cut: 1 line(s) do not hold four fields; they were not read and are kept in the file unchanged." "$job/stderr")" -eq 1
check "non-finite cut rows are told once" test "$(grep -cxF "BRX: $job/a.cut: 2 row(s) of M were not loaded; they are kept in the file unchanged." "$job/stderr")" -eq 1
check "stderr holds nothing else" test "$(wc -l <"$job/stderr")" -eq 3
check "later rows are not shifted: three bars of M are cut" test "$(grep -c '^INVENTORY Stock No. R' "$job/out/out.bxl")" -eq 3
check "the stock file keeps the malformed lines and subtracts" \
  cmp "$job/a.stk" <(printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R5,4,20\r\nM,R2,0,20\r\nM,A14,2,30,note\r\nL3X3X1/4,B3,6,20\r\nM,R9\r\n')
check "the cut file keeps its lines, not-loaded rows after the list" \
  cmp "$job/a.cut" <(printf 'Mark(Bin),Material,Qty,Length\r\nK9,X,1,3,extra\r\nP1,M,2,20\r\nQ1,M,1,20\r\nN1,M,1e400,5\r\nN2,M,2,nan\r\n')

# Rows past the capacity stay after the loaded ones, so every run cuts the
# same rows: the first 1,000 rows of 2 pieces, and B1 and B2 before BIG.
new_job 0
printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R,0,100\r\n' >"$job/a.stk"
{
  printf 'Mark(Bin),Material,Qty,Length\r\n'
  for i in $(seq -f %04g 0 1499); do printf 'M%s,M,2,1\r\n' "$i"; done
} >"$job/a.cut"
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "a second run cuts the first 1,000 rows" test "$(grep -c ',M0[0-9][0-9][0-9],' "$job/out/out_M.txt")" -eq 2000
check "a second run cuts no later row" test "$(grep -c ',M1[0-9][0-9][0-9],' "$job/out/out_M.txt")" -eq 0
printf 'Mark(Bin),Material,Qty,Length\r\nB1,M,4,1\r\nB2,M,2,1\r\nBIG,M,2500,1\r\nB1,M,4,1\r\n' >"$job/a.cut"
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "rows before an over-capacity row are cut run after run" test "$(grep -c ',B[12],' "$job/out/out_M.txt")" -eq 6
check "the rows not loaded are told once per run" test "$(grep -c "2 row(s) of M were not loaded" "$job/stderr")" -eq 1
check "the rows not loaded stay last, a repeated row included" \
  test "$(tail -c 24 "$job/a.cut")" = "$(printf 'BIG,M,2500,1\r\nB1,M,4,1\r\n')"

# Negative stock quantities count as no bars: the two 22' bars of B5 are used.
new_job 0
printf 'MATERIAL, MARK, QTY, LENGTH\r\nFLAT 50X6,NEG1,-1,60\r\nFLAT 50X6,A0,1,40\r\nFLAT 50X6,B5,2,22\r\nFLAT 50X6,NEG0,-3,40\r\n' >"$job/a.stk"
printf 'Mark(Bin),Material,Qty,Length\r\nP4,FLAT 50X6,18,4\r\n' >"$job/a.cut"
run_brx "$job/a.cut" "$job/a.stk" out.txt "FLAT 50X6" 0.0104166666666667
check "negative rows leave every piece cut" test "$(grep -c '^Unable to cut' "$job/out/out.bxl")" -eq 0
check "both B5 bars are cut" test "$(grep -c '^INVENTORY Stock No. B5 ' "$job/out/out.bxl")" -eq 2

# Cut rows never go into a file named like a stock file; a folder named so is fine.
new_job 0
mkdir "$job/stk-jobs"
cp "$job/a.cut" "$job/a.STK"
cp "$job/a.cut" "$job/stk-jobs/a.cut"
run_brx "$job/a.STK" "$job/a.stk" out.txt M 0
check "a cut file named .STK is refused" grep -qx "Brx: hold on error 1" "$job/stderr"
check "and left as it was" cmp "$job/a.STK" "$job/a.cut"
run_brx "$job/stk-jobs/a.cut" "$job/a.stk" out.txt M 0
check "a stk-jobs folder raises nothing" test ! -s "$job/stderr"

# A file-size limit (a full disk) fails the run cleanly: exit 2, the stock
# file whole and no temporary file left behind.
new_job 1
{
  printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R5,5,20\r\n'
  for i in $(seq 1 100); do printf 'OTHER,K%s,1,10\r\n' "$i"; done
} >"$job/a.stk"
cp "$job/a.stk" "$job/a.stk.before"
(ulimit -c 0; ulimit -f 1; run_brx "$job/a.cut" "$job/a.stk" out.txt M 0; echo "$status" >"$job/status")
check "a write past the size limit gives exit 2" test "$(cat "$job/status")" -eq 2
check "the stock file stays whole" cmp "$job/a.stk" "$job/a.stk.before"
check "no temporary file is left" test "$(ls -A "$job" | grep -c '^\.a\.stk\.[0-9]*\.tmp$')" -eq 0
# A save killed part way leaves its temporary file; the next save removes it.
touch "$job/.a.stk.4242.tmp"
touch "$job/.other.stk.1.tmp"
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "the next save removes it" test "$(ls -A "$job" | grep -c '^\.a\.stk\.[0-9]*\.tmp$')" -eq 0
check "another file's temporary file stays" test -e "$job/.other.stk.1.tmp"

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

# The bound is the pattern LP bound: 150 lengths of which any three fit a bar
# and no four do need 50 bars, where their total length would say 44.
new_job 0
printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R9,1000,100\r\n' >"$job/a.stk"
{
  printf 'Mark(Bin),Material,Qty,Length\r\n'
  awk 'BEGIN { for (i = 0; i < 150; i++) printf "P%d,M,1,%.2f\r\n", i, 25.01 + i * 0.05 }'
} >"$job/a.cut"
run_brx --optimizer=best "$job/a.cut" "$job/a.stk" out.txt M 0
check "three-a-bar job runs" test "$status" -eq 0
check "the bound is 50 bars and the plan meets it" \
  grep -qx "Lower bound on stock length: 5000'-0\" (this plan is within 0.00% of it)" "$job/stdout"

# An export named like the report ("Ex.bxl") must not replace it: exit 2,
# the report whole, the stock not subtracted.
new_job 1
run_brx "$job/a.cut" "$job/a.stk" Ex.bxl M 0
check "an export on the report gives exit 2" test "$status" -eq 2
check "the refused export is explained" \
  grep -qx "Brx: The export file $job/out/Ex.bxl is the report file; the export was not written." "$job/stderr"
check "only the export is named as not written" grep -qx "brx: could not write $job/out/Ex_M.txt" "$job/stderr"
check "the report stays whole" grep -q "^End of report: " "$job/out/Ex.bxl"
check "the stock is not subtracted" grep -q "^M,R5,5,20" "$job/a.stk"

# Under a file size limit (a full disk): the report is written once, whole, or
# not at all; the old one stays. 60 bars make a report and export over 2 KB
# whose input section alone would fit.
new_job 0
printf 'Mark(Bin),Material,Qty,Length\r\nP1,M,60,20\r\n' >"$job/a.cut"
printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R5,100,20\r\n' >"$job/a.stk"
printf 'old report' >"$job/out/out.bxl"
(trap '' XFSZ; ulimit -f 2; run_brx "$job/a.cut" "$job/a.stk" out.txt M 0; exit "$status")
status=$?
check "a report over the limit gives exit 2" test "$status" -eq 2
check "the old report stays as it was" test "$(cat "$job/out/out.bxl")" = "old report"
check "the report and the export are named" \
  grep -qx "brx: could not write $job/out/out.bxl, $job/out/out_M.txt" "$job/stderr"

# Drops at least as long as the stored "remnantMin" go back to stock.
new_job 1
printf 'remnantMin=5\r\n' >>"$job/config/Brx/Brx.ini"
printf 'Mark(Bin),Material,Qty,Length\r\nP1,M,2,14\r\n' >"$job/a.cut"
run_brx "$job/a.cut" "$job/a.stk" out.txt M 0
check "the drops kept are a stock row" grep -q "^M,RR5,2,6" "$job/a.stk"
check "the report names them" grep -q "^Bin: RR5 kept    2 item(s)  " "$job/out/out.bxl"

# Only the stock file fails (it is larger than the limit): only it is named,
# it stays as it was, and the report names no drops kept.
{
  printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R5,5,20\r\n'
  for i in $(seq 100); do printf 'OTHER,B%s,5,20\r\n' "$i"; done
} >"$job/a.stk"
cp "$job/a.stk" "$job/a.stk.before"
(trap '' XFSZ; ulimit -f 1; run_brx "$job/a.cut" "$job/a.stk" out.txt M 0; exit "$status")
status=$?
check "a stock file over the limit gives exit 2" test "$status" -eq 2
check "only the stock file is named" grep -qx "brx: could not write $job/a.stk" "$job/stderr"
check "it stays as it was" cmp "$job/a.stk" "$job/a.stk.before"
check "the report, written, names no drops" test "$(grep -c "DROPS RETURNED\|^End of report" "$job/out/out.bxl")" -eq 1

# Two runs started together on one stock file: each waits for the other, so
# no subtraction is lost. Each run takes 2 bars of R5; other rows make the
# file large enough for the runs to overlap.
new_job 1
{
  printf 'MATERIAL, MARK, QTY, LENGTH\r\nM,R5,500,20\r\n'
  for i in $(seq 3000); do printf 'OTHER,B%s,5,20\r\n' "$i"; done
} >"$job/a.stk"
rounds=10
for round in $(seq "$rounds"); do
  for run in 1 2; do
    XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" \
      "$brx" "$job/a.cut" "$job/a.stk" "out$run.txt" M 0 >/dev/null 2>"$job/stderr$run" &
  done
  wait
done
check "concurrent runs subtract every bar" grep -q "^M,R5,$((500 - 4 * rounds)),20" "$job/a.stk"
check "concurrent runs report nothing" test ! -s "$job/stderr1" -a ! -s "$job/stderr2"
check "other rows survive concurrent runs" test "$(grep -c '^OTHER,' "$job/a.stk")" -eq 3000

# Without a display the window cannot open: a clear message, not an abort.
run_no_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_SESSION_TYPE=x11 XDG_CONFIG_HOME="$job/config" \
    USERPROFILE="$job/home" "$@" "$brx" >"$job/stdout" 2>"$job/stderr"
  status=$?
}
run_no_display env -u QT_QPA_PLATFORM
check "no display gives exit 1" test "$status" -eq 1
check "no display is explained" test "$(cat "$job/stderr")" = \
  "brx: no display; give the five job arguments to run without a window (brx --help)"
run_no_display env QT_QPA_PLATFORM=xcb
check "an X11 platform without a display gives exit 1" test "$status" -eq 1
run_no_display timeout 2 env QT_QPA_PLATFORM=offscreen
check "the offscreen platform still opens the window" test "$status" -eq 124

finish
