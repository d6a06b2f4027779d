#!/usr/bin/env python3
"""Holds a printed PDF against the pages `balancer-cli print` draws.

The PDF came out of the spooler; its page is the paper, the program drew on
the printable area the printer's PPD gives. The CLI is run at that area's
size in pixels and reports where its layout put every text. Each text must
be found in the PDF (pdftotext reads the PDF's own text with its boxes) with
the same words, its anchor (left edge, centre or right edge by alignment,
and its top) within the tolerance of the printable width and height.

Writes the PDF's pages cropped to the printable area and the CLI's pages
side by side into the screenshot folder, named after --name.

  compare_print.py --pdf F.pdf --ppd P.ppd --name card --shots DIR \\
      [--tolerance 0.02] -- balancer-cli ... print card X.bwi
Exit status 0 when every text of every page was found in place.
"""
import argparse
import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unicodedata

DPI = 150


def ppd_area(path):
    """(paper width, paper height, llx, lly, urx, ury) in points of the
    PPD's default page size."""
    text = open(path, encoding="latin-1").read()
    size = re.search(r"^\*DefaultPageSize:\s*(\S+)", text, re.M).group(1)
    dim = re.search(r'^\*PaperDimension\s+%s(?:/[^:]*)?:\s*"([^"]+)"' % re.escape(size), text, re.M)
    area = re.search(r'^\*ImageableArea\s+%s(?:/[^:]*)?:\s*"([^"]+)"' % re.escape(size), text, re.M)
    w, h = (float(v) for v in dim.group(1).split())
    llx, lly, urx, ury = (float(v) for v in area.group(1).split())
    return w, h, llx, lly, urx, ury


def pdf_words(pdf):
    """Per page: (width, height, [(text, xmin, ymin, xmax, ymax)]) in points,
    y down from the top of the paper."""
    out = subprocess.run(["pdftotext", "-bbox", pdf, "-"], check=True, capture_output=True,
                         text=True, encoding="utf-8", errors="replace").stdout
    pages = []
    for page in re.finditer(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', out, re.S):
        words = []
        for w in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" '
                             r'yMax="([\d.]+)">(.*?)</word>', page.group(3), re.S):
            words.append((unicodedata.normalize("NFKC", html.unescape(w.group(5))).translate(SAME_CHARACTERS), float(w.group(1)), float(w.group(2)),
                          float(w.group(3)), float(w.group(4))))
        pages.append((float(page.group(1)), float(page.group(2)), words))
    return pages


# The PDF's fonts may map a character to a look-alike: the ASCII quotes to
# typographic ones (a PostScript encoding), ';' to U+037E (which NFKC undoes).
SAME_CHARACTERS = str.maketrans({"\u2019": "'", "\u2018": "`", "\u201c": '"', "\u201d": '"'})


def find_text(item, words, left, top, width, height):
    """The best placed run of PDF words that spells the item's text: its
    (dx, dy) as shares of the printable width and height, or None."""
    wanted = item["text"].split()
    if not wanted:
        return (0.0, 0.0)
    line_height = height / 66.0
    want_x = left + item["x"] * width
    want_y = top + item["y"] * line_height
    best = None
    for i, first in enumerate(words):
        if first[0] != wanted[0]:
            continue
        # The words after it on its line, left to right.
        line = sorted((w for w in words if abs(w[2] - first[2]) < 0.3 * (first[4] - first[2])
                       and w[1] >= first[1]), key=lambda w: w[1])
        run = line[:len(wanted)]
        if [w[0] for w in run] != wanted:
            continue
        x0, x1 = run[0][1], run[-1][3]
        got_x = {"left": x0, "centre": (x0 + x1) / 2, "right": x1}[item["align"]]
        # pdftotext boxes a word from its font's ascent: the cell's top.
        got_y = min(w[2] for w in run)
        err = (abs(got_x - want_x) / width, abs(got_y - want_y) / height)
        if best is None or max(err) < max(best):
            best = err
    return best


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--pdf", required=True)
    ap.add_argument("--ppd", required=True)
    ap.add_argument("--name", required=True)
    ap.add_argument("--shots", required=True)
    ap.add_argument("--tolerance", type=float, default=0.02)
    ap.add_argument("cli", nargs=argparse.REMAINDER)
    args = ap.parse_args()
    cli = args.cli[1:] if args.cli[:1] == ["--"] else args.cli

    paper_w, paper_h, llx, lly, urx, ury = ppd_area(args.ppd)
    left, top = llx, paper_h - ury
    width, height = urx - llx, ury - lly
    px_w, px_h = round(width * DPI / 72), round(height * DPI / 72)

    work = tempfile.mkdtemp(prefix="balancer-print-compare.")
    try:
        run = subprocess.run(cli + ["--out", work, "--width", str(px_w), "--height", str(px_h)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print("the CLI failed: %s %s" % (run.stdout.strip(), run.stderr.strip()))
            return 1
        drawn = json.loads(run.stdout)
        pages = pdf_words(args.pdf)
        if len(pages) != len(drawn["texts"]):
            print("the PDF has %d pages, the CLI drew %d" % (len(pages), len(drawn["texts"])))
            return 1

        os.makedirs(args.shots, exist_ok=True)
        subprocess.run(["pdftoppm", "-r", str(DPI), "-png", args.pdf, os.path.join(work, "pdf")],
                       check=True)
        pngs = sorted(f for f in os.listdir(work) if f.startswith("pdf") and f.endswith(".png"))
        for n, png in enumerate(pngs, 1):
            subprocess.run(["convert", os.path.join(work, png), "-crop",
                            "%dx%d+%d+%d" % (px_w, px_h, round(left * DPI / 72),
                                             round(top * DPI / 72)), "+repage",
                            os.path.join(args.shots, "print-wine-%s-%d.png" % (args.name, n))],
                           check=True)
        for n, path in enumerate(drawn["pages"], 1):
            shutil.copy(path, os.path.join(args.shots, "print-cli-%s-%d.png" % (args.name, n)))

        failures = 0
        for n, (items, (pw, ph, words)) in enumerate(zip(drawn["texts"], pages), 1):
            if abs(pw - paper_w) > 1 or abs(ph - paper_h) > 1:
                print("page %d is %gx%g points, the PPD's paper %gx%g" % (n, pw, ph, paper_w,
                                                                           paper_h))
                failures += 1
            if not words:
                print("page %d of the PDF carries no text" % n)
                failures += 1
                continue
            worst = (0.0, 0.0)
            for item in items:
                err = find_text(item, words, left, top, width, height)
                if err is None:
                    print("page %d: %r not found" % (n, item["text"]))
                    failures += 1
                elif max(err) > args.tolerance:
                    print("page %d: %r off by %.1f %% across, %.1f %% down" %
                          (n, item["text"], 100 * err[0], 100 * err[1]))
                    failures += 1
                else:
                    worst = (max(worst[0], err[0]), max(worst[1], err[1]))
            print("page %d: %d texts, worst %.2f %% across and %.2f %% down (tolerance %.1f %%)" %
                  (n, len(items), 100 * worst[0], 100 * worst[1], 100 * args.tolerance))
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
