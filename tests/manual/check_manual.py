#!/usr/bin/env python3
"""Reads the compiled manual back and fails on what would leave the operator
with a blank or broken help window:

- a page the program opens (listed by the help_topics program) that the
  compiled file lacks, or that its table of contents leaves out; a topic that
  points at another file than the one setup installs;
- a link or picture in any page, the contents or the index that points at
  nothing in the file (anchors included);
- a page that neither the contents nor another page leads to;
- a figure marked in a page (<span class="figure" data-cli="..."
  data-field="..." data-digits="N">) that the program, asked through
  balancer-cli with the default settings, no longer computes.

Usage: check_manual.py --chm FILE --topics PROGRAM --cli PROGRAM --setuplist FILE
"""
import argparse
import html.parser
import json
import os
import posixpath
import shlex
import subprocess
import sys
import tempfile
import urllib.parse

HELP_FILE_PREFIX = "c:\\balancer\\balancer.chm::/"


class Page(html.parser.HTMLParser):
    """Links, pictures, anchors, sitemap entries and figures of one file."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.anchors = set()
        self.locals = []
        self.figures = []
        self._figure = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        for key in ("href", "src"):
            if a.get(key):
                self.links.append(a[key])
        for key in ("id", "name"):
            if a.get(key) and tag != "param":
                self.anchors.add(a[key])
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.locals.append(a.get("value") or "")
        if tag == "span" and "figure" in (a.get("class") or "").split():
            self._figure = {"cli": a.get("data-cli", ""), "field": a.get("data-field", ""),
                            "digits": a.get("data-digits"), "text": ""}

    def handle_data(self, data):
        if self._figure is not None:
            self._figure["text"] += data

    def handle_endtag(self, tag):
        if tag == "span" and self._figure is not None:
            self.figures.append(self._figure)
            self._figure = None


def chm_files(chm):
    """Names of the normal files in the CHM, without the leading slash."""
    out = subprocess.run(["enum_chmLib", chm], capture_output=True, text=True, check=True).stdout
    names = set()
    for line in out.splitlines():
        if "normal file" in line:
            names.add(line.split("normal file", 1)[1].strip().lstrip("/"))
    return names


def read_pages(chm, folder):
    subprocess.run(["extract_chmLib", chm, folder], capture_output=True, check=True)
    pages = {}
    for dirpath, _, files in os.walk(folder):
        for name in files:
            if os.path.splitext(name)[1].lower() not in (".htm", ".html", ".hhc", ".hhk"):
                continue
            path = os.path.join(dirpath, name)
            parser = Page()
            with open(path, encoding="utf-8", errors="replace") as f:
                parser.feed(f.read())
            pages[os.path.relpath(path, folder).replace(os.sep, "/")] = parser
    return pages


def resolve(page, link):
    """(file, fragment) a link of PAGE points at inside the CHM; None for an
    outside address."""
    parts = urllib.parse.urlsplit(link)
    if parts.scheme or parts.netloc:
        return None
    target = urllib.parse.unquote(parts.path)
    if target:
        target = posixpath.normpath(posixpath.join(posixpath.dirname(page), target))
    else:
        target = page
    return target, urllib.parse.unquote(parts.fragment)


def json_field(data, path):
    for key in path.split("."):
        if isinstance(data, list):
            data = data[int(key)]
        else:
            data = data[key]
    return data


def check_figures(pages, cli, faults):
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([cli, "--folder", folder, "settings", "--write"], capture_output=True,
                       check=True)
        count = 0
        for name, page in sorted(pages.items()):
            for fig in page.figures:
                count += 1
                run = subprocess.run([cli, "--folder", folder] + shlex.split(fig["cli"]),
                                     capture_output=True, text=True)
                try:
                    value = json_field(json.loads(run.stdout), fig["field"])
                except (ValueError, KeyError, IndexError, TypeError):
                    faults.append(f"{name}: figure '{fig['cli']}' gives no {fig['field']}: "
                                  f"{run.stdout.strip()}")
                    continue
                if fig["digits"] is not None:
                    value = f"{float(value):.{int(fig['digits'])}f}"
                if str(value) != fig["text"].strip():
                    faults.append(f"{name}: the manual says {fig['text'].strip()!r}, the program "
                                  f"computes {value!r} for '{fig['cli']}' ({fig['field']})")
        return count


def main():
    args = argparse.ArgumentParser()
    args.add_argument("--chm", required=True)
    args.add_argument("--topics", required=True)
    args.add_argument("--cli", required=True)
    args.add_argument("--setuplist", required=True)
    opts = args.parse_args()

    faults = []
    files = chm_files(opts.chm)
    with tempfile.TemporaryDirectory() as folder:
        pages = read_pages(opts.chm, folder)

    contents = [n for n in pages if n.endswith(".hhc")]
    index = [n for n in pages if n.endswith(".hhk")]
    if len(contents) != 1 or len(index) != 1:
        faults.append(f"one table of contents and one index expected, found {contents} {index}")
    in_contents = set()
    for name in contents:
        for local in pages[name].locals:
            in_contents.add(resolve(name, local)[0])

    # The topics the program opens, from the program itself.
    topics = subprocess.run([opts.topics], capture_output=True, text=True,
                            check=True).stdout.splitlines()
    if len(topics) < 5:
        faults.append(f"the program names only {len(topics)} topics")
    for topic in topics:
        if not topic.startswith(HELP_FILE_PREFIX):
            faults.append(f"topic {topic!r} is not a page of {HELP_FILE_PREFIX[:-3]}")
            continue
        page = topic[len(HELP_FILE_PREFIX):]
        if page not in files:
            faults.append(f"the program opens {page!r}, which the manual lacks")
        elif page not in in_contents:
            faults.append(f"{page!r} is not in the table of contents")

    # Setup must put the file where the program looks for it.
    with open(opts.setuplist, encoding="latin-1") as f:
        destinations = [line.strip().lower() for line in f]
    if HELP_FILE_PREFIX[:-3] not in destinations:
        faults.append(f"setuplist.txt installs no {HELP_FILE_PREFIX[:-3]}")

    # Every link resolves; every page is reached.
    reached = set(in_contents)
    for name, page in sorted(pages.items()):
        for link in page.links + page.locals:
            target = resolve(name, link)
            if target is None:
                faults.append(f"{name}: links outside the manual: {link}")
                continue
            path, fragment = target
            if path not in files:
                faults.append(f"{name}: {link!r} points at nothing")
                continue
            reached.add(path)
            if fragment and (path not in pages or fragment not in pages[path].anchors):
                faults.append(f"{name}: {link!r}: no anchor {fragment!r} in {path}")
    for name in pages:
        if name.endswith((".htm", ".html")) and name not in reached:
            faults.append(f"{name}: no page or contents entry leads to it")

    figures = check_figures(pages, opts.cli, faults)
    htm = sum(1 for n in pages if n.endswith(".htm"))
    for fault in faults:
        print("FAIL", fault)
    print(f"{htm} pages, {len(topics)} topics, {figures} figures checked")
    print(f"{0 if faults else 1} passed, {1 if faults else 0} failed")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
