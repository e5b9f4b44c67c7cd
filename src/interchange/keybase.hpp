// KeyBase's delimited-text form of a key: one row per lead (the couplet, the
// lead's text, then the couplet it leads to or the item it ends in), both
// leads of a couplet under the same number; a header row names the columns,
// among them the optional `subkey` (the linked key a row belongs to) and
// `shortcut` (an item reached through the lead's item).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/key_model.hpp"

namespace sarvelo::interchange {

// The header row, then the rows in table order, UTF-8, without the spaces
// around fields; each key numbers its couplets from 1. A field holding the
// delimiter, a quote or a blank is quoted, as KeyBase's exporter does.
// `spreadsheetSafe`: a cell that a spreadsheet would run as a formula gets
// an apostrophe in front.
std::string keyBaseText(const Key& key, char delimiter, bool spreadsheetSafe = false);

// Why the key cannot be written in this form: a taxon named by digits alone
// would read back as a couplet number.
std::optional<std::string> keyBaseProblem(const Key& key);

// What KeyBase or a spreadsheet would read otherwise than written, one line
// per row: items holding KeyBase's markers (":", "|", "{"), and cells a
// spreadsheet would run as formulas (unless `spreadsheetSafe`).
std::vector<std::string> keyBaseWarnings(const Key& key, bool spreadsheetSafe);

// Whether a cell starts as a spreadsheet formula does ("=", "+", "-", "@").
bool looksLikeFormula(std::string_view cell);

// A KeyBase file turned into a working text: the main key, then each linked
// key under a heading "Clé : Name"; couplets numbered 1, 2, 3 in that order,
// a lead to a linked key ending in the determination "Clé : Name", a
// shortcut written "Item {Shortcut}"; and the configuration lines of the
// parameters that process it.
struct ImportedKey {
    std::vector<std::string> text;
    std::vector<std::string> configuration;
    std::vector<std::string> warnings;   // French, by line; after 20 of a kind, one line for the rest
    std::optional<std::string> error;    // French, when nothing usable was read
    // The file's own terms, for the findings of the processing: the label of
    // each couplet number of the text (index 0 unused; a linked key's labels
    // name it), and the file's line (from 1) of each line of the text (0 for
    // a heading).
    std::vector<std::string> coupletLabels;
    std::vector<int> fileLines;
};

// Reads comma-, semicolon- or tab-separated rows (told apart by the rows
// themselves), quoted fields included, with or without a header row
// ("from", "statement", "to", and "subkey", "shortcut", in any order and
// case). Labels lose a final "." or ":". Items "Item {Shortcut}" and
// "Item:Shortcut" are KeyBase's older shortcuts.
ImportedKey importKeyBase(std::string_view utf8);

// Whether a file name is that of a KeyBase file (".csv", ".tsv", or a
// KeyBase export "keybase_export_*.txt").
bool isKeyBaseFileName(std::string_view path);

}  // namespace sarvelo::interchange
