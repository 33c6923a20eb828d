#!/usr/bin/env bash
# Runs "brx --import" and "brx --pdf" as a user does, on hostile sources and
# full disks, and checks the files, the settings, the messages and the exit
# status. Needs pdftotext, pdfinfo and pdffonts (poppler-utils).
brx="$(realpath "$1")"
source "$(dirname "$0")/../support/checks.sh"

job="$root/job"
mkdir -p "$job/config/Brx" "$job/out"
settings() {  # lines per page, then the stored material
  printf '[Settings]\r\nbatchDir=%s\r\nLinesPerPage=%s\r\nmatl=%s\r\nkerf=0\r\n' "$job/out" "$1" \
    "${2:-OTHER}" >"$job/config/Brx/Brx.ini"
}

run_brx() {  # arguments... ; sets status; a FIFO or a lost wait must not hang the test
  (cd "$job" && XDG_CONFIG_HOME="$job/config" USERPROFILE="$job/home" LC_ALL="${locale:-C}" \
    timeout 60 "$brx" "$@" >"$job/stdout" 2>"$job/stderr")
  status=$?
}

setting() { grep "^$1=" "$job/config/Brx/Brx.ini" | tr -d '\r' | cut -d= -f2-; }

# ---- imports ----
settings 63
stock='MATERIAL, MARK, QTY, LENGTH\r\nW8X31,A14,9,40\r\n'

# A mark that begins with a double quote is quoted in the cut file, so every
# later row is still read: the run then cuts all pieces. A byte-order mark is
# not part of the first row's material. The source is given by a relative path.
printf '\xEF\xBB\xBFW8X31,2,120000,"B1\r\nW8X31,3,100000,B2\r\n' >"$job/est.txt"
run_brx --import winest est.txt
check "winest import exits 0" test "$status" -eq 0
check "quoted mark in the cut file" grep -q '^"""B1",W8X31,2,12' "$job/est.cut"
check "stored stock file name is absolute" test "$(setting stock_filename)" = "$job/est.stk"
check "stored cut file name is absolute" test "$(setting cut_filename)" = "$job/est.cut"
printf "$stock" >"$job/est.stk"
run_brx "$job/est.cut" "$job/est.stk" est.txt W8X31 0
check "every imported piece is cut" grep -q "cutting 5 pieces" "$job/out/est.bxl"
check "the quoted mark is reported as typed" grep -q '"B1' "$job/out/est.bxl"

printf '\xEF\xBB\xBFD,1,2,"B7,A,4,8,W,31,6096 KISS\r\nD,1,2,C1,A,1,8,W,31,3048\r\n' >"$job/det.kss"
run_brx --import kiss det.kss
check "kiss import exits 0" test "$status" -eq 0
check "kiss first line after a byte-order mark is a detail record" \
  grep -q '^"""B7-A",8W 31,4,20' "$job/det.cut"
check "kiss rows after the quoted mark kept" grep -q '^C1-A,8W 31,1,10' "$job/det.cut"

# An import never writes over its own source.
cp "$job/est.cut" "$job/self.cut"
names() { grep -E "^(filename|stock_filename|cut_filename|export_filename)=" "$job/config/Brx/Brx.ini"; }
names >"$root/names.before"
run_brx --import winest self.cut
check "importing a cut file over itself exits 1" test "$status" -eq 1
check "the refusal names the file" grep -q "$job/self.cut" "$job/stderr"
check "and says Import Unsuccessful" grep -q "^Import Unsuccessful" "$job/stderr"
check "the source is unchanged" cmp -s "$job/self.cut" "$job/est.cut"
check "the job's file names are unchanged" diff "$root/names.before" <(names)

# A source that is not a regular file fails at once; a FIFO must not hang.
mkfifo "$job/pipe.txt"
mkdir "$job/folder.kss"
for format in kiss winest; do
  for source in pipe.txt folder.kss /dev/zero; do
    run_brx --import "$format" "$source"
    check "$format import of $source exits 1 at once" test "$status" -eq 1
    check "$format import of $source names it" grep -q "Cannot import .*${source#/}: it is not a regular file" "$job/stderr"
  done
done
check "no cut file made beside a refused source" test ! -e "$job/pipe.cut"

# ---- brx --pdf ----
report="$job/out/est.bxl"
words_inside_margins() {  # pdf; every word of every page lies 36 points (12.7 mm) inside the edges
  pdftotext -bbox "$1" - | awk '
    /<page / { match($0, /width="[0-9.]+"/); w = substr($0, RSTART + 7, RLENGTH - 8) + 0
               match($0, /height="[0-9.]+"/); h = substr($0, RSTART + 8, RLENGTH - 9) + 0 }
    /<word / { n = split($0, f, "\""); x0 = f[2]; y0 = f[4]; x1 = f[6]; y1 = f[8]; words++
               if (x0 < 35.9 || y0 < 35.9 || x1 > w - 35.9 || y1 > h - 35.9) bad++ }
    END { exit (words > 0 && bad == 0) ? 0 : 1 }'
}
page_size() { pdfinfo "$1" | sed -n 's/^Page size: *//p'; }

# The header names the report's material, not the stored one; one given wins.
settings 63 OTHER
run_brx --pdf "$report" "$job/est.pdf"
check "pdf exits 0" test "$status" -eq 0
check "header names the report's material" \
  grep -q "BARLYNE REPORT for W8X31 *Page 1" <(pdftotext -layout "$job/est.pdf" -)
run_brx --pdf "$report" "$job/EST.PDF" L3X3
check "an upper-case .PDF name is accepted" test "$status" -eq 0
check "a given material heads the pages" grep -q "BARLYNE REPORT for L3X3" <(pdftotext "$job/EST.PDF" -)
check "only fixed-pitch fonts are used" \
  test -z "$(pdffonts "$job/est.pdf" | tail -n +3 | grep -v Mono)"

# Default paper follows the locale; header, lines and page numbers stay inside
# the margins on both.
locale=en_US.UTF-8 run_brx --pdf "$report" "$job/letter.pdf"
check "US locale prints on Letter" grep -q "(letter)" <(page_size "$job/letter.pdf")
locale=de_DE.UTF-8 run_brx --pdf "$report" "$job/a4.pdf"
check "German locale prints on A4" grep -q "(A4)" <(page_size "$job/a4.pdf")
check "Letter page inside its margins" words_inside_margins "$job/letter.pdf"
check "A4 page inside its margins" words_inside_margins "$job/a4.pdf"

# 120 lines per page: every line of a 2,000-line report is on a page.
{
  printf '\xEF\xBB\xBF'
  for i in $(seq 1 2000); do printf 'report line %d with text to the column    %06d\r\n' "$i" "$i"; done
} >"$job/big.bxl"
settings 120
for locale in en_US.UTF-8 de_DE.UTF-8; do
  run_brx --pdf "$job/big.bxl" "$job/big.pdf"
  check "$locale: big report exits 0" test "$status" -eq 0
  check "$locale: all 2000 lines printed" \
    test "$(pdftotext "$job/big.pdf" - | grep -c '^report line [0-9]* with text to the column *[0-9]*$')" -eq 2000
  check "$locale: 117 report lines a page" grep -q "^Pages: *18$" <(pdfinfo "$job/big.pdf")
  check "$locale: every line inside the margins" words_inside_margins "$job/big.pdf"
done
unset locale
pdftotext -f 1 -l 1 "$job/big.pdf" - | grep -v '^$' | head -2 >"$job/first.txt"
check "a report naming no material is headed with the stored one" \
  grep -q "^BARLYNE REPORT for OTHER" "$job/first.txt"
check "the byte-order mark is not printed" grep -q "^report line 1 with" "$job/first.txt"

# Lines per page outside 10..120, or not a number (63).
head -n 55 "$job/big.bxl" >"$job/small.bxl"
for row in "abc 1" "0 8" "4000 1" "11 7"; do
  settings "${row% *}"
  run_brx --pdf "$job/small.bxl" "$job/small.pdf"
  check "LinesPerPage ${row% *} gives ${row#* } pages" \
    grep -q "^Pages: *${row#* }$" <(pdfinfo "$job/small.pdf")
done

# Refused reports and names: exit 1, a message naming the file, nothing written.
for source in "$job/pipe.txt" "$job/folder.kss" "$job/missing.bxl"; do
  run_brx --pdf "$source" "$job/refused.pdf"
  check "report $source exits 1" test "$status" -eq 1
  check "report $source is named" grep -q "The report $source cannot be read" "$job/stderr"
done
run_brx --pdf "$report"
check "a missing output name is a usage error" test "$status" -eq 2
run_brx --pdf "$report" "$job/out.txt"
check "an output not ending in .pdf exits 1" test "$status" -eq 1
check "and is named" grep -q "The PDF file $job/out.txt does not end in" "$job/stderr"
check "nothing written for refused runs" test ! -e "$job/refused.pdf" -a ! -e "$job/out.txt"

# A full disk leaves the old PDF whole and exits 1.
cp "$job/big.pdf" "$root/old.pdf"
# Writes past 16 blocks fail as on a full disk (the signal ignored, as a shell
# would pass it on).
(trap '' XFSZ && ulimit -f 16 && run_brx --pdf "$job/big.bxl" "$job/big.pdf" && exit "$status")
check "a full disk exits 1" test "$?" -eq 1
check "the write failure names the file" grep -q "The PDF file $job/big.pdf could not be written" "$job/stderr"
check "the old PDF is whole" cmp -s "$job/big.pdf" "$root/old.pdf"
check "no temporary file is left" test -z "$(find "$job" -name '.*.tmp')"

finish
