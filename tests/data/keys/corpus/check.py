#!/usr/bin/env python3
"""Checks that every finished key (*.cle) of the folders named (by default books, more,
tables and oldbooks; journals/ has a check of its own for its keys cut by the page copy) is a tree: couplets
numbered from 1,
every couplet reached exactly once from couplet 1, two or more leads to a couplet, every
destination existing, every lead ending in a couplet or a name; that index.tsv lists
exactly the keys present; and that no source (the index's source up to its year) is on both
sides of the split, across every index of the corpus.

Run: python3 check.py [FOLDER ...]   (exit status 1 on any fault)"""
import os, re, sys

here = os.path.dirname(os.path.abspath(__file__))

def check(path):
    errors, leads = [], {}
    refs = {}
    for n, line in enumerate(open(path, encoding='utf-8').read().splitlines(), 1):
        if not line.strip():
            continue
        m = re.match(r'^(\d+),(\d+)\$ (.*)$', line)
        if not m:
            errors.append(f'line {n}: not "couplet,destination$ text"')
            continue
        c, d, rest = int(m[1]), int(m[2]), m[3]
        leads.setdefault(c, []).append(n)
        if d == 0:
            if ' $ ' not in rest or not rest.rsplit(' $ ', 1)[1].strip():
                errors.append(f'line {n}: ends in no name')
        else:
            if ' $ ' in rest:
                errors.append(f'line {n}: both a destination and a name')
            refs.setdefault(d, []).append(n)
        if not rest.split(' $ ')[0].strip():
            errors.append(f'line {n}: empty lead text')
    if sorted(leads) != list(range(1, len(leads) + 1)):
        errors.append(f'couplets not numbered 1..{len(leads)}')
    for c, ls in leads.items():
        if len(ls) < 2:
            errors.append(f'couplet {c} has one lead')
        if c != 1 and len(refs.get(c, [])) != 1:
            errors.append(f'couplet {c} reached {len(refs.get(c, []))} times')
    if 1 in refs:
        errors.append('couplet 1 is referred to')
    for d in refs:
        if d not in leads:
            errors.append(f'destination {d} does not exist')
    # order of first appearance: a couplet's number follows the lead that reaches it in text order
    return errors, sum(len(v) for v in leads.values())

def index_rows(folder):
    index = os.path.join(folder, 'index.tsv')
    if not os.path.exists(index):
        return []
    rows = open(index, encoding='utf-8').read().splitlines()
    return [r.split('\t') for r in rows[1:] if r.strip()]

def main():
    bad = 0
    total = 0
    # One side a source, over the whole corpus.
    sides = {}
    for sub in sorted(os.listdir(here)):
        for cells in index_rows(os.path.join(here, sub)):
            m = re.match(r'^(.*?\d{4})', cells[2]) if len(cells) > 2 else None
            sides.setdefault(m[1] if m else cells[-1], set()).add(cells[1] if len(cells) > 1 else '')
    for source, sets in sorted(sides.items()):
        if len(sets) > 1:
            print(f'index.tsv: {source} is on both sides ({", ".join(sorted(sets))})')
            bad += 1
    for folder in sys.argv[1:] or ['books', 'more', 'tables', 'oldbooks']:
        folder = os.path.join(here, folder)
        b, t = check_folder(folder)
        bad += b
        total += t
    print(f'{total} leads checked, {bad} file(s) with faults')
    return 1 if bad else 0

def check_folder(folder):
    bad = total = 0
    listed = {cells[0] for cells in index_rows(folder)}
    indexed = set(listed)  # kept whole: `listed` empties as the keys are found
    for f in sorted(os.listdir(folder)):
        if not f.endswith('.cle'):
            continue
        name = f[:-4]
        errors, n = check(os.path.join(folder, f))
        total += n
        if not os.path.exists(os.path.join(folder, name + '.txt')):
            errors.append('no .txt beside it')
        if indexed and name not in indexed:
            errors.append('not in index.tsv')
        listed.discard(name)
        for e in errors:
            print(f'{os.path.basename(folder)}/{f}: {e}')
        bad += bool(errors)
    for name in sorted(listed):
        print(f'{os.path.basename(folder)}/index.tsv: {name} has no .cle')
        bad += 1
    return bad, total

if __name__ == '__main__':
    sys.exit(main())
