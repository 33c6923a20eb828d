#!/usr/bin/env bash
# Cuts a job in batch mode, then draws its export with "brx --diagrams" as a
# user does: the PDF holds every mark and bin of the export, one heading per
# distinct bar, at least 8 bars on every full page, and the report's page
# headers; the SVG holds the same texts. Unreadable exports exit 1 naming the
# export, unwritable outputs exit 2 naming the output and leave an old file
# whole. Needs pdftotext and pdfinfo (poppler-utils).
brx="$(realpath "$1")"
source "$(dirname "$0")/../support/checks.sh"

job="$root/job"
mkdir -p "$job/config/Brx" "$job/out"
printf '[Settings]\r\nbatchDir=%s\r\n' "$job/out" >"$job/config/Brx/Brx.ini"

run_brx() {  # arguments... ; sets status
  (cd "$job" && XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" LC_ALL=C \
    timeout 60 "$brx" "$@" >"$job/stdout" 2>"$job/stderr")
  status=$?
}

# Thirty marks of many lengths, some short enough to be labelled outside
# their segment, cut from three stock rows and orderable bars.
{
  printf 'MATERIAL, MARK, QTY, LENGTH\r\nW8X31,S1,20,40\r\nW8X31,S2,15,35\r\nW8X31,S3,9,20\r\n'
  printf 'W8X31,ORDER,0,40\r\n'
} >"$job/beam.stk"
{
  printf 'Mark(Bin),Material,Qty,Length\r\n'
  for i in $(seq 1 30); do
    printf 'A%d,W8X31,%d,%s\r\n' "$i" $((3 + i % 5)) \
      "$(awk -v i="$i" 'BEGIN { printf "%.6f", 2 + (i % 13) * 1.37 + i * 0.0625 }')"
  done
  printf 'T1,W8X31,9,0.25\r\nT2,W8X31,7,0.375\r\nR1,W8X31,8,19.875\r\n'
} >"$job/beam.cut"
run_brx "$job/beam.cut" "$job/beam.stk" beam.txt W8X31 0.0104166666666667
check "the job is cut" test "$status" -eq 0
export="$job/out/beam_W8X31.txt"

# The distinct bars of the export: each bar's lines joined, counted once.
distinct_bars() {
  awk -F, 'NR > 1 { bar = bar $0 "|" } /^SCRAP,/ { print bar; bar = "" }' "$export" | sort -u | wc -l
}

run_brx --diagrams "$export" "$job/beam.pdf"
check "pdf exits 0" test "$status" -eq 0
text="$(pdftotext -layout "$job/beam.pdf" -)"
for mark in $(tail -n +2 "$export" | grep -v '^SCRAP,' | cut -d, -f5 | sort -u); do
  check "mark $mark is drawn" grep -qw -- "$mark" <<<"$text"
done
for bin in $(tail -n +2 "$export" | cut -d, -f2 | sort -u); do
  check "bin $bin is drawn" grep -qw -- "$bin" <<<"$text"
done
pages=$(pdfinfo "$job/beam.pdf" | sed -n 's/^Pages: *//p')
headings=0
for page in $(seq 1 "$pages"); do
  page_text="$(pdftotext -layout -f "$page" -l "$page" "$job/beam.pdf" -)"
  check "page $page has the report's header" \
    grep -q "^BARLYNE REPORT for W8X31 *Page $page\$" <<<"$page_text"
  on_page=$(grep -cE '^(Bin S[0-9]|ORDER) ' <<<"$page_text")
  headings=$((headings + on_page))
  [ "$page" -lt "$pages" ] && check "page $page holds at least 8 bars" test "$on_page" -ge 8
done
check "every distinct bar is drawn once" test "$headings" -eq "$(distinct_bars)"
check "the plan needs more than one page" test "$pages" -ge 2
check "identical bars are counted" grep -qE ' x ?[0-9]+$' <<<"$text"

run_brx --diagrams "$export" "$job/beam.SVG"
check "svg exits 0" test "$status" -eq 0
for mark in A1 A12 T1 T2 S1 ORDER; do
  check "svg holds $mark" grep -q ">$mark<\\|>[^<]*\\b$mark\\b[^<]*<" "$job/beam.SVG"
done

# Exports that cannot be read: exit 1, a message naming the export, nothing written.
head -c -30 "$export" >"$job/truncated.txt"
sed '1s/Stock#/Stock/' "$export" >"$job/foreign.txt"
for bad in missing.txt truncated.txt foreign.txt beam.stk; do
  run_brx --diagrams "$job/$bad" "$job/bad.pdf"
  check "export $bad exits 1" test "$status" -eq 1
  check "export $bad is named" grep -q "^Brx: The export $job/$bad cannot be read: " "$job/stderr"
done
check "nothing written for unreadable exports" test ! -e "$job/bad.pdf"
run_brx --diagrams "$export"
check "a missing output name exits 1" test "$status" -eq 1

# Outputs that cannot be written: exit 2, named; an old file stays whole.
run_brx --diagrams "$export" "$job/beam.png"
check "an output not ending in .pdf or .svg exits 2" test "$status" -eq 2
check "and is named" grep -q "The diagram file $job/beam.png does not end in" "$job/stderr"
run_brx --diagrams "$export" "$job/gone/beam.pdf"
check "a missing folder exits 2" test "$status" -eq 2
check "and is named" grep -q "The diagram file $job/gone/beam.pdf could not be written" "$job/stderr"
cp "$job/beam.pdf" "$root/old.pdf"
(trap '' XFSZ && ulimit -f 4 && run_brx --diagrams "$export" "$job/beam.pdf" && exit "$status")
check "a full disk exits 2" test "$?" -eq 2
check "the write failure names the file" grep -q "The diagram file $job/beam.pdf could not be written" "$job/stderr"
check "the old PDF is whole" cmp -s "$job/beam.pdf" "$root/old.pdf"

finish
