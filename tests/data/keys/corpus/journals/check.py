#!/usr/bin/env python3
"""Checks the hand-made finished keys of this folder and its index.

Each NAME.cle must be a tree: couplets numbered 1..n in order of first
appearance, two or more leads to a couplet, every couplet but 1 reached by
exactly one lead, every destination existing, no loop.  Keys whose web copy
stops before the end of the printed key are listed in OPEN: their leads may
point past the copy (those destinations are reported, not refused).

Run: python3 check.py   (exit status 1 on any fault)
"""
import csv
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
LINE = re.compile(r"^(\d+),(\d+)\$ (.*)$")

# Keys cut by the end of the stored page copy: destinations beyond the copy.
OPEN = {
    "ganguilus-one-line-couplets": {6},
    "antocha-2021-sichuan": {5, 9},
    "cryptocephalus-2025-japan": {5, 7},
    "edessa-2006-rufomarginata-pt": {6, 7, 9, 10},
    "pmc-2020-zookeys993-table": {4, 5},
    "scathophagidae-2021-japan-one-line": {8},
    "sciopemyia-males-one-line": {6},
    "clam-shrimps-2009-australia": {6},
    "epipedonota-2017-chile-es": {3, 5},
    "sepsidae-2014-china": {7, 8},
    "spinturnix-2023-russia": {5},
    "nothrholaspis-2014-females": {6, 10},
    "sinochlora-males": {7, 8, 9, 11},
    "scirtidae-2021-australia": {4, 6},
    "dolabellopsocidae-2014-neotropical": {5, 7, 8, 15, 21},
    "antonina-first-instar": {5},
    "zaphanta-2019-one-line-couplets": {4, 7},
    "parribacus-dwca-media-tsv": {7},
    "polyplectropus-2010-groups": {6, 7, 12},
}


def flat(text):
    """The paste or a lead as one line: line breaks and runs of blanks as one blank."""
    return " ".join(text.split())


def check_words(path, faults):
    """Every lead text and every name of the finished key is found in the paste, so that a slip
    of the hand shows (the lead's lines joined by one blank, as the conventions say)."""
    paste = flat(path.with_suffix(".txt").read_text(encoding="utf-8"))
    for number, text in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        m = LINE.match(text)
        if not m:
            continue
        for part in m.group(3).split(" $ "):
            words = flat(part).rstrip(".… ").lstrip(".… ")
            if words and words not in paste:
                faults.append(f"line {number}: not in the paste: {words[:60]}")


def check_key(path):
    faults = []
    leads = {}
    order = []
    targets = []
    for number, text in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        m = LINE.match(text)
        if not m:
            faults.append(f"line {number}: not a finished-key line")
            continue
        couplet, dest, rest = int(m.group(1)), int(m.group(2)), m.group(3)
        if couplet not in leads:
            leads[couplet] = 0
            order.append(couplet)
        leads[couplet] += 1
        if dest == 0:
            if " $ " not in rest or not rest.split(" $ ", 1)[1].strip():
                faults.append(f"line {number}: ending without a name")
        else:
            if " $ " in rest:
                faults.append(f"line {number}: a reference with a name")
            targets.append((number, couplet, dest))
        if not rest.split(" $ ", 1)[0].strip():
            faults.append(f"line {number}: empty lead")
    if order != list(range(1, len(order) + 1)):
        faults.append(f"couplets not numbered 1..n in order of appearance: {order}")
    for c, n in leads.items():
        if n < 2:
            faults.append(f"couplet {c}: {n} lead")
    reached = {}
    open_dest = set()
    for number, couplet, dest in targets:
        if dest not in leads:
            if dest in OPEN.get(path.stem, set()):
                open_dest.add(dest)
                continue
            faults.append(f"line {number}: destination {dest} missing")
            continue
        if dest == couplet:
            faults.append(f"line {number}: couplet {couplet} sends to itself")
        reached.setdefault(dest, []).append(couplet)
    for c in leads:
        got = reached.get(c, [])
        if c == 1 and got:
            faults.append("couplet 1 is reached from another couplet")
        if c != 1 and len(got) != 1:
            faults.append(f"couplet {c} reached {len(got)} times")
    # Every couplet reached from 1 (no cycle, no island).
    children = {}
    for _, couplet, dest in targets:
        if dest in leads:
            children.setdefault(couplet, []).append(dest)
    seen, stack = set(), [1] if 1 in leads else []
    while stack:
        c = stack.pop()
        if c in seen:
            faults.append(f"couplet {c} reached twice (loop)")
            continue
        seen.add(c)
        stack.extend(children.get(c, []))
    for c in leads:
        if c not in seen:
            faults.append(f"couplet {c} not reached from 1")
    check_words(path, faults)
    missing_open = OPEN.get(path.stem, set()) - open_dest
    if missing_open:
        faults.append(f"OPEN lists destinations not met: {sorted(missing_open)}")
    return faults, sum(leads.values()), sorted(open_dest)


def main():
    status = 0
    index = {}
    with open(HERE / "index.tsv", encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f, delimiter="\t"))
    if rows[0] != ["file", "set", "source", "licence", "families"]:
        print("index.tsv: bad header")
        status = 1
    for row in rows[1:]:
        if len(row) != 5:
            print(f"index.tsv: bad row {row}")
            status = 1
            continue
        index[row[0]] = row
        if row[1] not in ("dev", "test"):
            print(f"index.tsv: {row[0]}: set must be dev or test")
            status = 1
    # One source, one side.
    sides = {}
    for name, row in index.items():
        sides.setdefault(row[2], set()).add(row[1])
    for source, s in sides.items():
        if len(s) > 1:
            print(f"index.tsv: source {source} on both sides")
            status = 1
    files = {p.stem for p in HERE.glob("*.cle")}
    texts = {p.stem for p in HERE.glob("*.txt")}
    for name in sorted(files | texts | set(index)):
        if name not in files or name not in texts or name not in index:
            print(f"{name}: needs NAME.txt, NAME.cle and an index row")
            status = 1
    total = 0
    for name in sorted(files):
        faults, count, open_dest = check_key(HERE / f"{name}.cle")
        total += count
        note = f" (copy ends: {open_dest} beyond it)" if open_dest else ""
        if faults:
            status = 1
            print(f"{name}: {count} leads, FAULTS:")
            for fault in faults:
                print(f"  {fault}")
        else:
            print(f"{name}: {count} leads, a tree{note}")
    print(f"{len(files)} keys, {total} leads")
    return status


if __name__ == "__main__":
    sys.exit(main())
