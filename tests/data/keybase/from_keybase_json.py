#!/usr/bin/env python3
"""Writes the Flora of Victoria keys of this folder in KeyBase's import and
export table from KeyBase's own JSON exports of them
(https://keybase.rbg.vic.gov.au/keys/export/<id>?format=json).

Run from the repository's root with the folder of those exports:
    python3 tests/data/keybase/from_keybase_json.py DIR
The exports used are those kept in the repository sgoedecke/vicflora-offline,
folder keybase-data/, commit 76dcc546fe2a481abaf5a4227fdf99be81940d2d. The
files this script writes are kept here; running it again on those exports must
leave them unchanged.

Each file is one key with, as KeyBase's `subkey` rows, the keys that its items
lead to in KeyBase (`to_key`), each named as the item that leads to it (the
first key of an item named twice). Only keys whose source KeyBase marks as
modified from the published version are used: KeyBase's terms of use provide
those under the Creative Commons Attribution 3.0 Australia licence.

What is KeyBase's and kept: every lead's text as exported (HTML and all), every
item's name, the tree, the shortcuts (in the `shortcut` column; a shortcut to a
shortcut in KeyBase's older form `A:B:C`). What this script decides: the couplet numbers, each
parent's number in the order its first lead comes in a walk of the tree from
its root, first leads first (as KeyBase's exporter numbers the leads it lists),
and the rows couplet by couplet.
"""
import csv
import io
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# File, main key, delimiter, whether the subkey column comes first.
KEYS = [
    ("vicflora-iridaceae-genera-subkeys.csv", "2111", ",", False),
    ("vicflora-rosaceae-genera-subkeys.tsv", "2337", "\t", False),
    ("vicflora-polygonaceae-genera-subkey-first.csv", "2236", ",", True),
    ("vicflora-crassulaceae-genera-subkeys.tsv", "2332", "\t", False),
    ("vicflora-acacia-species-subkeys.csv", "2349", ",", False),
    ("vicflora-grevillea-species.tsv", "2409", "\t", False),
    ("vicflora-atriplex-species-subkeys.csv", "2191", ",", False),
]


def load(folder, key_id):
    with open(os.path.join(folder, key_id + ".json"), encoding="utf-8") as f:
        return json.load(f)


def modified(key):
    return str((key.get("source") or {}).get("is_modified")) in ("1", "True", "true")


def rows(key):
    """(couplet, statement, destination, shortcut) of every lead, couplet by
    couplet. KeyBase keeps a shortcut as a lead that ends in an item and has
    one lead under it, "[link through]", that ends in the item shortcut to."""
    names = {i["item_id"]: i["item_name"].strip() for i in key["items"]}
    children = {}
    for lead in key["leads"]:
        children.setdefault(lead["parent_id"], []).append(lead)

    def shortcuts(lead):
        chain = []
        while lead["lead_id"] in children:
            (lead,) = children[lead["lead_id"]]
            chain.append(names[lead["item"]])
        return chain

    number = {}
    order = []
    stack = [key["first_step"]["root_node_id"]]
    while stack:
        node = stack.pop()
        if node in number:
            continue
        number[node] = str(len(number) + 1)
        order.append(node)
        stack.extend(reversed([lead["lead_id"] for lead in children[node]
                               if lead["item"] is None]))
    out = []
    for node in order:
        for lead in children[node]:
            if lead["item"] is None:
                out.append((number[node], lead["lead_text"].strip(), number[lead["lead_id"]], ""))
                continue
            chain = shortcuts(lead)
            to = names[lead["item"]]
            if len(chain) > 1:
                # A shortcut to a shortcut: KeyBase's older form, "A:B:C".
                out.append((number[node], lead["lead_text"].strip(), ":".join([to] + chain), ""))
            else:
                out.append((number[node], lead["lead_text"].strip(), to, "".join(chain)))
    return out


def write(folder, name, key_id, delimiter, subkey_first):
    main = load(folder, key_id)
    assert modified(main), key_id
    keys = [("", main)]
    seen = set()
    for item in main["items"]:
        target = item.get("to_key")
        label = item["item_name"].strip()
        if not target or label in seen or not os.path.exists(os.path.join(folder, target + ".json")):
            continue
        linked = load(folder, target)
        if "leads" in linked and modified(linked):
            seen.add(label)
            keys.append((label, linked))
    buffer = io.StringIO()
    writer = csv.writer(buffer, delimiter=delimiter, lineterminator="\n",
                        quoting=csv.QUOTE_MINIMAL)
    header = ["from", "statement", "to", "shortcut"]
    writer.writerow(["subkey"] + header if subkey_first else header + ["subkey"])
    for label, key in keys:
        for row in rows(key):
            writer.writerow([label, *row] if subkey_first else [*row, label])
    with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="") as f:
        f.write(buffer.getvalue())


def main():
    folder = sys.argv[1]
    for name, key_id, delimiter, subkey_first in KEYS:
        write(folder, name, key_id, delimiter, subkey_first)


if __name__ == "__main__":
    main()
