"""Checks the files of a run of every material against each other: the job
summary against the per-material reports, and the JSON plan against the
exports and the summary. Usage: whole_job_check.py OUT_FOLDER BASE PLAN.json
Prints each disagreement and exits 1 when there is any."""
import json
import re
import sys
from collections import Counter
from pathlib import Path

out, base, plan_file = Path(sys.argv[1]), sys.argv[2], sys.argv[3]
failures = []


def expect(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: {got!r} != {wanted!r}")


def lines(path):
    return path.read_bytes().decode("latin-1").split("\r\n")


def feet(text):
    """A feet-inch text such as 40'-0" or 12'-6 5/8" as feet."""
    m = re.fullmatch(r"(\d+)'-(\d+)(?: (\d+)/(\d+))?\"", text.strip())
    assert m, text
    inches = int(m[2]) + (int(m[3]) / int(m[4]) if m[3] else 0)
    return int(m[1]) + inches / 12


def report_figures(path):
    text = lines(path)
    total = next((l for l in text if l.startswith("Total stock length of ")), None)
    m = re.fullmatch(r"Total stock length of (.*) cutting (\d+) pieces with a TOTAL DROP of (.*)%", total)
    orders = Counter()
    for l in text:
        o = re.fullmatch(r"Bin: .* Order +(\d+) item\(s\) +(.*)", l)
        if o and int(o[1]) > 0:
            orders[o[2].strip()] += int(o[1])
    return {
        "stock": m[1], "cut": int(m[2]), "drop": m[3],
        "bars": sum(1 for l in text if " Stock No. " in l),
        "uncut": [l for l in text if l.startswith("Unable to cut 1 pc")],
        "orders": orders,
    }


plan = json.loads((Path(plan_file)).read_bytes().decode("utf-8"))
cut_materials = [m["material"] for m in plan["materials"] if m["cut"]]
# A single run writes no summary: only its JSON is checked.
summary = lines(out / f"{base}_summary.bxl") if len(plan["materials"]) > 1 else None

ordered = Counter()
for material in cut_materials:
    for length, count in report_figures(out / f"{base}_{material.replace('/', '_')}.bxl")["orders"].items():
        ordered[(material, length)] += count
expect("JSON purchase list", Counter({(p["material"], p["lengthText"]): p["count"]
                                      for p in plan["purchaseList"]}), ordered)

def check_summary():
    # One line per material cut, agreeing with its report; the totals are the sums.
    tally = re.compile(r"(\d+) pieces cut, (\d+) not cut, (\d+) bar\(s\), stock length (.*?), drop ([^%]*)%.*")
    rows = summary[summary.index("BRX JOB SUMMARY:") + 1:]
    sums = Counter()
    stock_sum = 0.0
    for material in cut_materials:
        line = rows.pop(0)
        expect("summary line names", line.split(": ")[0], material)
        m = tally.fullmatch(line[len(material) + 2:])
        report = report_figures(out / f"{base}_{material.replace('/', '_')}.bxl")
        expect(f"{material} line", (int(m[1]), int(m[2]), int(m[3]), m[4], m[5]),
               (report["cut"], len(report["uncut"]), report["bars"], report["stock"], report["drop"]))
        sums.update(cut=report["cut"], uncut=len(report["uncut"]), bars=report["bars"])
        stock_sum += feet(report["stock"])
    m = tally.fullmatch(rows[0][len("Job total: "):])
    expect("job total", (int(m[1]), int(m[2]), int(m[3])), (sums["cut"], sums["uncut"], sums["bars"]))
    expect("job stock length", round(feet(m[4]) * 192), round(stock_sum * 192))

    # The purchase list is the order lists combined, by material and length.
    purchases = Counter()
    section = summary[summary.index("PURCHASE LIST:") + 1:]
    material = None
    for line in section[:section.index("")]:
        if line.startswith("Material: "):
            material = line[len("Material: "):]
            continue
        m = re.fullmatch(r"Order +(\d+) item\(s\) +(.*?) +total length +(.*)", line)
        purchases[(material, m[2])] += int(m[1])
        expect("purchase total length", round(feet(m[3]) * 192), round(int(m[1]) * feet(m[2]) * 192))
    expect("purchase list", purchases, ordered)


if summary is not None:
    check_summary()

# The JSON plan agrees with each export bar for bar.
for m in plan["materials"]:
    export = out / f"{base}_{m['material'].replace('/', '_')}.txt"
    if not m["cut"]:
        expect(f"{m['material']} not cut has no export", export.exists(), False)
        continue
    exported, bar = [], []
    for line in lines(export)[1:-1]:
        fields = line.split(",")
        if fields[0] == "SCRAP":
            exported.append((fields[1], fields[2], bar[0][2] if bar else None, bar, fields[3]))
            bar = []
        else:
            bar.append((fields[0], fields[4], fields[3], fields[5]))
    planned = [(b["bin"], m["material"], b["lengthText"],
                [("NON-INVENTORY" if b["orderable"] else "INVENTORY", p["mark"], b["lengthText"],
                  p["lengthText"]) for p in b["pieces"]], b["scrapText"]) for b in m["bars"]]
    expect(f"{m['material']} JSON bars", planned, exported)
    for b in m["bars"]:
        row = m["stock"][b["stockRow"]]
        expect("bar's stock row", (row["bin"], row["length"]), (b["bin"], b["length"]))
    uncut = [f"Unable to cut 1 pc ({p['mark']}) of {p['lengthText']}" for p in m["piecesNotCut"]]
    expect(f"{m['material']} pieces not cut",
           uncut, report_figures(export.with_suffix(".bxl"))["uncut"])

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
