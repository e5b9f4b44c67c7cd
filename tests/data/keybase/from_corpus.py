#!/usr/bin/env python3
"""Writes the book keys of this folder in KeyBase's layouts from the finished
keys of ../keys/corpus/ (public-domain books, checked by hand there).

Run from the repository's root: python3 tests/data/keybase/from_corpus.py
The files it writes are kept in the repository; this script is how they were
made, and running it again must leave them unchanged.

What it changes, and only this (see README.md):
- couplet numbers: each key's own, from 1, as in the corpus;
- statements: the book's emphasis marks become KeyBase's HTML, `_x_` (italic
  in the book) `<i>x</i>` and `=x=` (bold) `<b>x</b>`; the book's characters °
  and ½ are written as the entities `&deg;` and `&frac12;`;
- items: the name without the book's page or number in the final
  parenthesis, and the per-key changes listed in KEYS (authors dropped from
  genus names, an abbreviated genus written out, two names of one lead
  written as KeyBase's several items `A|B`, a genus that has a key of its own
  named as that key).
"""
import csv
import io
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "..", "keys", "corpus")

PAGE = re.compile(r" \((?:p|pp|no)\. [^()]*\)$")


def read_cle(path):
    """One (couplet, destination, statement, name) per lead; name None for a
    lead that leads to a couplet."""
    leads = []
    with open(os.path.join(CORPUS, path), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            head, rest = line.split("$ ", 1)
            couplet, dest = (int(x) for x in head.split(","))
            name = None
            if dest == 0:
                rest, name = rest.rsplit(" $ ", 1)
            leads.append((couplet, dest, rest, name))
    return leads


def statement(text):
    text = re.sub(r"_([^_]+)_", r"<i>\1</i>", text)
    text = re.sub(r"=([^=]+)=", r"<b>\1</b>", text)
    return text.replace("°", "&deg;").replace("½", "&frac12;")


def genus_only(name):
    """Thonner's genus names are followed by their authors: "Catha Forsk."."""
    return name.split(" ", 1)[0]


# Each key: the corpus file, and how its names become KeyBase items.
# `names` maps a printed name (page dropped) to the item, for the few names a
# rule does not cover; `rule` is applied to the others.
KEYS = {
    "hall-main": dict(
        cle="books/hall-1951-lagomorph-genera.cle",
        names={
            "Family Ochotonidae, Genus Ochotona": "Ochotona",
            "Genus Lepus": "Lepus",
            "Genera Romerolagus and Sylvilagus": "Romerolagus and Sylvilagus",
        },
    ),
    "hall-ochotona": dict(
        cle="books/hall-1951-ochotona-species.cle",
        # The key names the species by their epithets; the book's accounts
        # that follow are headed "Ochotona collaris", "Ochotona princeps".
        rule=lambda n: "Ochotona " + n,
    ),
    "hall-sylvilagus": dict(
        cle="books/hall-1951-sylvilagus-species.cle",
        names={"Sylvilagus bachmani and S. mansuetus": "Sylvilagus bachmani|Sylvilagus mansuetus"},
    ),
    "hall-lepus": dict(
        cle="books/hall-1951-lepus-species.cle",
        names={"Lepus californicus and Lepus insularis": "Lepus californicus|Lepus insularis"},
    ),
    "thonner-monocots": dict(cle="books/thonner-1915-monocot-families-ovary-superior.cle"),
    "thonner-commelinaceae": dict(cle="books/thonner-1915-commelinaceae-genera.cle", rule=genus_only),
    "thonner-celastraceae": dict(cle="books/thonner-1915-celastraceae-genera.cle", rule=genus_only),
    "thonner-guttiferae": dict(cle="books/thonner-1915-guttiferae-genera.cle", rule=genus_only),
    "gray-stamens-numerous": dict(cle="books/gray-1890-polypetalous-stamens-numerous.cle"),
    "deam-acer": dict(cle="tables/deam-1921-acer-species-table.cle", rule=lambda n: re.sub(r"^A\. ", "Acer ", n)),
}

# Genera that the book says have a single species, and names it in the lead:
# "--Species 1 (_C. edulis_ Forsk.)", "--Species 1 (_H. paniculata_ Lodd.)".
SHORTCUTS = {"Catha": "Catha edulis", "Haronga": "Haronga paniculata"}


def rows(key, subkey="", links=None):
    """The key's rows: (subkey, from, statement, to, shortcut)."""
    source = KEYS[key]
    out = []
    for couplet, dest, text, name in read_cle(source["cle"]):
        shortcut = ""
        if name is None:
            to = str(dest)
        else:
            bare = PAGE.sub("", name)
            to = source.get("names", {}).get(bare) or source.get("rule", lambda n: n)(bare)
            shortcut = SHORTCUTS.get(to, "")
        out.append([subkey, str(couplet), statement(text), to, shortcut])
    return out


def with_subkeys(main, subkeys):
    """The main key, then each sub-key under the item that leads to it."""
    out = rows(main)
    items = {r[3] for r in out}
    for name, key in subkeys:
        assert name in items, name
        out += rows(key, subkey=name)
    return out


def text(header, records, delimiter, quote_all=False):
    buf = io.StringIO()
    writer = csv.writer(buf, delimiter=delimiter, lineterminator="\n",
                        quoting=csv.QUOTE_NONNUMERIC if quote_all else csv.QUOTE_MINIMAL)
    writer.writerow(header)
    for r in records:
        writer.writerow([int(c) if quote_all and c.isdigit() else c for c in r])
    return buf.getvalue()


def columns(records, order):
    index = {"subkey": 0, "from": 1, "statement": 2, "to": 3, "shortcut": 4}
    return [[r[index[c]] for c in order] for r in records]


def legacy(records, form):
    """The shortcut inside the item, as older KeyBase files write it."""
    out = []
    for r in records:
        to = r[3]
        if r[4]:
            to = f"{to} {{{r[4]}}}" if form == "braces" else f"{to}:{r[4]}"
        out.append([r[0], r[1], r[2], to, ""])
    return out


def write(name, content, bom=False):
    with open(os.path.join(HERE, name), "w", encoding="utf-8-sig" if bom else "utf-8", newline="") as f:
        f.write(content)


def main():
    hall = with_subkeys("hall-main", [("Ochotona", "hall-ochotona"), ("Lepus", "hall-lepus"),
                                      ("Romerolagus and Sylvilagus", "hall-sylvilagus")])
    order = ["from", "statement", "to", "subkey"]
    write("hall-1951-lagomorpha-subkeys.csv", text(order, columns(hall, order), ","))
    write("hall-1951-lagomorpha-subkeys.tsv", text(order, columns(hall, order), "\t"))

    monocots = with_subkeys("thonner-monocots", [("Commelinaceae", "thonner-commelinaceae")])
    order = ["subkey", "from", "statement", "to"]
    write("thonner-1915-monocot-families-subkey-first.tsv", text(order, columns(monocots, order), "\t"), bom=True)

    order = ["from", "statement", "to", "shortcut"]
    write("thonner-1915-celastraceae-genera-shortcut.tsv",
          text(order, columns(rows("thonner-celastraceae"), order), "\t"))
    order = ["from", "statement", "to"]
    guttiferae = rows("thonner-guttiferae")
    write("thonner-1915-guttiferae-genera-colon.csv", text(order, columns(legacy(guttiferae, "colon"), order), ","))
    write("thonner-1915-guttiferae-genera-braces.tsv", text(order, columns(legacy(guttiferae, "braces"), order), "\t"))

    write("gray-1890-polypetalous-stamens-numerous-polytomy.tsv",
          text(order, columns(rows("gray-stamens-numerous"), order), "\t"))
    write("deam-1921-acer-species-quoted.csv", text(order, columns(rows("deam-acer"), order), ",", quote_all=True))


if __name__ == "__main__":
    main()
