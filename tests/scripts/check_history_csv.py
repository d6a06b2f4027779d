#!/usr/bin/env python3
"""The history spreadsheet as a spreadsheet program reads it: balancer-cli
writes a job's history (initial, spins, a single-plane spin, final) with
`history FILE.hst --csv OUT.csv` in grams/inches and in ounces/millimetres,
and Python's csv module reads every field back. The expected values are
worked out here from the records, independently of the program.

Usage: check_history_csv.py --cli PATH/balancer-cli
"""
import argparse
import csv
import json
import os
import subprocess
import sys
import tempfile

GRAMS_PER_OUNCE = 28.349525
MM_PER_INCH = 25.4

# kind, leftMoment, leftAngle, leftRadius, rightMoment, rightAngle, rightRadius
RECORDS = [
    (2, 86.1, 212, 3.5, 63.7, 48, 3.5),
    (1, 40.2, 201, 2.0, 8.4, 55, 4.0),
    (1, -1000.0, 0, 3.5, 2.2, 359, 3.5),
    (1, 99.5, 7, 3.5, 34.98, 90, 3.5),
    (3, 1.47, 188, 3.5, 2.14, 64, 3.5),
]


def hst_text():
    lines = ["%d %1.3f %1.0f %1.3f %1.3f %1.0f %1.3f" % r for r in RECORDS]
    lines += ["0 0.000 0 0.000 0.000 0 0.000"] * (24 - len(RECORDS))
    return "\n".join(lines) + "\n"


def amount(moment, radius, ounces):
    grams = moment / radius
    if ounces:
        return ("%1.2f" if grams >= 28.35 else "%1.3f") % (grams / GRAMS_PER_OUNCE)
    return ("%1.1f" if grams >= 9.995 else "%1.2f") % grams


def radius_text(inches, mm):
    return "%1.0f" % (inches * MM_PER_INCH) if mm else "%1.2f" % inches


def expected_rows(ounces, mm):
    weight = " (ounces)" if ounces else " (grams)"
    length = " (millimetres)" if mm else " (inches)"
    rows = [["Number", "Kind", "Left amount" + weight, "Left angle (degrees)",
             "Left radius" + length, "Right amount" + weight, "Right angle (degrees)",
             "Right radius" + length]]
    spin = 0
    for kind, lm, la, lr, rm, ra, rr in RECORDS:
        if kind == 1:
            spin += 1
            row = [str(spin), "Spin"]
        else:
            row = ["", "Initial" if kind == 2 else "Final"]
        if lm == -1000.0:
            row += ["", "", ""]
        else:
            row += [amount(lm, lr, ounces), "%d" % la, radius_text(lr, mm)]
        row += [amount(rm, rr, ounces), "%d" % ra, radius_text(rr, mm)]
        rows.append(row)
    return rows


def run(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, text=True)
    return done.returncode, json.loads(done.stdout) if done.stdout.strip() else {}


def set_units(folder, weight_unit, length_unit):
    # Fields 16 and 17 of the settings file, one line each.
    for name in ("balsetup.dta", "balsetup.bak"):
        path = os.path.join(folder, name)
        with open(path, newline="") as f:
            lines = f.read().split("\n")
        lines[15] = lines[15].replace(lines[15].rstrip("\r"), str(weight_unit))
        lines[16] = lines[16].replace(lines[16].rstrip("\r"), str(length_unit))
        with open(path, "w", newline="") as f:
            f.write("\n".join(lines))


def check(cli):
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        status, _ = run(cli, "--folder", folder, "settings", "--write")
        if status != 0:
            return ["settings --write failed"]
        hst = os.path.join(folder, "crank 7.hst")
        with open(hst, "w", newline="") as f:
            f.write(hst_text())
        original = open(hst, "rb").read()
        for ounces, mm in ((0, 0), (1, 1)):
            label = "ounces/mm" if ounces else "grams/inches"
            set_units(folder, ounces, mm)
            status, settings = run(cli, "--folder", folder, "settings")
            if settings.get("weightUnit") != ounces or settings.get("lengthUnit") != mm:
                failures.append("%s: the settings do not hold the units" % label)
            out = os.path.join(folder, "crank 7 %s.csv" % ("metric" if mm else "inch"))
            status, result = run(cli, "--folder", folder, "history", hst, "--csv", out)
            if status != 0 or result.get("csv") != out or result.get("historyCount") != 5:
                failures.append("%s: the CLI answered %d %s" % (label, status, result))
                continue
            raw = open(out, "rb").read()
            if raw.count(b"\r\n") != len(RECORDS) + 1 or raw.replace(b"\r\n", b"").count(b"\n"):
                failures.append("%s: rows must end in CR LF" % label)
            text = raw.decode("ascii")
            for line in text.split("\r\n")[1:-1]:
                kind = line.split(",")[1]
                if not (kind.startswith('"') and kind.endswith('"')):
                    failures.append("%s: the kind is not quoted: %s" % (label, line))
            if not text.startswith('"Number","Kind",'):
                failures.append("%s: the header texts are not quoted" % label)
            with open(out, newline="") as f:
                rows = list(csv.reader(f))
            want = expected_rows(ounces, mm)
            if len(rows) != len(want):
                failures.append("%s: %d rows, wanted %d" % (label, len(rows), len(want)))
            for r, (got, expected) in enumerate(zip(rows, want)):
                if len(got) != 8:
                    failures.append("%s row %d: %d cells" % (label, r, len(got)))
                for c, (g, e) in enumerate(zip(got, expected)):
                    if g != e:
                        failures.append("%s row %d cell %d: %r, wanted %r" % (label, r, c, g, e))
                for c in (2, 3, 4, 5, 6, 7):
                    if r > 0 and got[c:c + 1] and got[c] != "":
                        try:
                            float(got[c])
                        except ValueError:
                            failures.append("%s row %d cell %d is no number" % (label, r, c))
        if open(hst, "rb").read() != original:
            failures.append("the .hst file was changed")
        status, _ = run(cli, "--folder", folder, "history", hst, "--csv",
                        os.path.join(folder, "no such folder", "x.csv"))
        if status != 1:
            failures.append("a CSV that cannot be written must fail, got %d" % status)
        status, _ = run(cli, "--folder", folder, "history", hst, "--csv")
        if status != 2:
            failures.append("--csv without a file is a usage error, got %d" % status)
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    failures = check(parser.parse_args().cli)
    for failure in failures:
        print("FAIL:", failure)
    print("history CSV: %s" % ("%d failures" % len(failures) if failures else "all fields as expected"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
