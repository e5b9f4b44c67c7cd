#include "interchange/keybase.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "documents/config_entries.hpp"
#include "engine/parameters.hpp"
#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

// --- Writing -------------------------------------------------------------------

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimSpaces(std::string_view field) {
    const auto first = field.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : field.substr(first, field.find_last_not_of(' ') - first + 1);
}

// Spaces around a field are dropped: they mean nothing to a spreadsheet or
// to KeyBase, and reading the file drops them too. A field holding the
// delimiter, a quote or any blank is quoted, quotes doubled: what KeyBase's
// exporter writes, and what reads back the same in either delimiter.
void appendField(std::string& out, std::string_view field, char delimiter, bool spreadsheetSafe) {
    field = trimSpaces(field);
    const bool guard = spreadsheetSafe && looksLikeFormula(field);
    const bool quote =
        std::any_of(field.begin(), field.end(), [&](char c) { return c == delimiter || c == '"' || isBlank(c); });
    if (!quote) {
        if (guard) out += '\'';
        out += field;
        return;
    }
    out += '"';
    if (guard) out += '\'';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// An item written "Item {Shortcut}": the item and the shortcut apart.
struct ItemParts {
    std::string_view item;
    std::string_view shortcut;
};

ItemParts splitShortcut(std::string_view taxon) {
    taxon = trimSpaces(taxon);
    const auto open = taxon.find('{');
    if (open == std::string_view::npos || open == 0 || taxon.back() != '}') return {taxon, {}};
    const std::string_view item = trimSpaces(taxon.substr(0, open));
    const std::string_view shortcut = trimSpaces(taxon.substr(open + 1, taxon.size() - open - 2));
    if (item.empty() || shortcut.empty() || shortcut.find_first_of("{}") != std::string_view::npos) return {taxon, {}};
    return {item, shortcut};
}

// One KeyBase row, in the file's columns.
struct Row {
    std::string from;
    std::string_view statement;
    std::string to;
    std::string_view subkey;
    std::string_view shortcut;
    int tableRow = 0;
};

// The rows in table order, each key numbering its couplets from 1 (the main
// key keeps the table's numbers).
std::vector<Row> keyBaseRows(const Key& key) {
    std::vector<std::string> local(key.couplets.size());
    std::unordered_map<std::string_view, int> counters;
    for (std::size_t c = 0; c < key.couplets.size(); ++c) {
        const Couplet& couplet = key.couplets[c];
        local[c] = couplet.subkey.empty() ? couplet.number : std::to_string(++counters[couplet.subkey]);
    }
    std::vector<Row> rows;
    for (std::size_t c = 0; c < key.couplets.size(); ++c) {
        for (const Lead& lead : key.couplets[c].leads) {
            Row row{local[c], lead.text, {}, key.couplets[c].subkey, {}, lead.row};
            if (!lead.linkedKey.empty()) {
                row.to = lead.linkedKey;
            } else if (lead.couplet >= 0) {
                row.to = local[static_cast<std::size_t>(lead.couplet)];
            } else {
                const ItemParts parts = splitShortcut(lead.taxon);
                row.to = parts.item;
                row.shortcut = parts.shortcut;
            }
            rows.push_back(std::move(row));
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.tableRow < b.tableRow; });
    return rows;
}

// Warnings of one kind after the first kShownOfAKind are summed up in one
// line: a file with a fault on every row must not bury the rest.
constexpr std::size_t kShownOfAKind = 20;

class Warnings {
public:
    // Only the first kShownOfAKind of a kind in line order are kept, with
    // the count of the others: a file of a million faulty rows keeps twenty.
    void add(int line, std::string_view kind, std::string text) {
        auto [at, added] = kinds_.try_emplace(std::string(kind));
        Kind& k = at->second;
        ++k.count;
        Item item{line, next_++, &at->first, std::move(text)};
        if (k.kept.size() < kShownOfAKind) {
            k.kept.push_back(std::move(item));
            return;
        }
        auto last = std::max_element(k.kept.begin(), k.kept.end(), before);
        if (before(item, *last)) *last = std::move(item);
    }

    // In line order, at most kShownOfAKind of a kind, then the counts left.
    std::vector<std::string> lines() {
        std::vector<Item> items;
        for (auto& [name, kind] : kinds_)
            for (Item& item : kind.kept) items.push_back(std::move(item));
        std::sort(items.begin(), items.end(), before);
        std::vector<const std::string*> order;  // kinds in order of first appearance
        std::unordered_map<const std::string*, bool> seen;
        std::vector<std::string> out;
        for (Item& item : items) {
            if (seen.try_emplace(item.kind, true).second) order.push_back(item.kind);
            out.push_back(std::move(item.text));
        }
        for (const std::string* kind : order) {
            const std::size_t count = kinds_.at(*kind).count;
            if (count > kShownOfAKind)
                out.push_back("... et " + std::to_string(count - kShownOfAKind) + " autres lignes : " + *kind);
        }
        return out;
    }

private:
    struct Item {
        int line;
        std::size_t added;  // order of addition, for warnings of one line
        const std::string* kind;
        std::string text;
    };
    static bool before(const Item& a, const Item& b) { return a.line != b.line ? a.line < b.line : a.added < b.added; }
    struct Kind {
        std::vector<Item> kept;
        std::size_t count = 0;
    };
    std::unordered_map<std::string, Kind> kinds_;  // node-based: the kind names stay put
    std::size_t next_ = 0;
};

std::string quotedText(std::string_view s) {
    constexpr std::size_t kShown = 40;
    if (s.size() <= kShown) return "« " + std::string(s) + " »";
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    return "« " + std::string(s.substr(0, cut)) + "… »";
}

// --- Reading -------------------------------------------------------------------

// A record's fields stand in the list's one buffer: a file of short rows
// would otherwise make a vector and a string for each.
struct Record {
    std::uint32_t first = 0;  // its first field among the list's fields
    std::uint32_t count = 0;  // its fields
    int line = 0;             // where the record starts, from 1
};

struct Records {
    std::string text;                 // the fields' characters, one field after the other
    std::vector<std::uint32_t> ends;  // where each field ends in `text`
    std::vector<Record> list;

    std::string_view field(const Record& r, std::size_t i) const {
        const std::size_t at = r.first + i;
        const std::size_t begin = at == 0 ? 0 : ends[at - 1];
        return std::string_view(text).substr(begin, ends[at] - begin);
    }
};

// Quoted fields may hold the delimiter, doubled quotes and line breaks.
// Stops after `limit` records. Records of fewer than `minFields` fields are
// not kept, their lines told to `tooShort`: a file of one-column rows costs
// no record a row. (Sources are bounded far below 4 GB: the offsets hold in
// 32 bits.)
Records parseRecords(std::string_view s, char delimiter, std::size_t limit = SIZE_MAX, std::uint32_t minFields = 0,
                     const std::function<void(int line)>& tooShort = {}) {
    Records records;
    Record current{0, 0, 1};
    std::size_t recordStart = 0;  // where the open record starts in the text
    std::size_t fieldStart = 0;   // where the open field starts in the text
    int line = 1;
    bool inQuotes = false;
    bool any = false;  // the current record has a character or a delimiter
    const auto closeField = [&] {
        records.ends.push_back(static_cast<std::uint32_t>(records.text.size()));
        ++current.count;
        fieldStart = records.text.size();
    };
    auto endRecord = [&] {
        if (any) {
            closeField();
            if (current.count >= minFields) {
                records.list.push_back(current);
            } else {
                if (tooShort) tooShort(current.line);
                records.text.resize(recordStart);
                records.ends.resize(current.first);
            }
        } else {
            // Nothing but an empty field: it goes.
            records.text.resize(fieldStart);
            records.ends.resize(current.first + current.count);
        }
        current = Record{static_cast<std::uint32_t>(records.ends.size()), 0, line};
        recordStart = fieldStart = records.text.size();
        any = false;
    };
    for (std::size_t i = 0; i < s.size() && records.list.size() < limit; ++i) {
        const char c = s[i];
        if (inQuotes) {
            if (c == '"') {
                if (i + 1 < s.size() && s[i + 1] == '"') {
                    records.text += '"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == '\n') ++line;
                records.text += c;
            }
        } else if (c == '"' && records.text.size() == fieldStart) {
            inQuotes = true;
            any = true;
        } else if (c == delimiter) {
            closeField();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            ++line;
            endRecord();
        } else {
            records.text += c;
            any = true;
        }
    }
    endRecord();
    return records;
}

// A field as the processing tidies a lead: blanks are spaces, a run of them
// one space, none at either end.
std::string cleaned(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!blank) out += c;
        else if (!out.empty() && out.back() != ' ') out += ' ';
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool allDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

// The columns a header row names; -1 for those it does not.
struct Columns {
    int from = 0, statement = 1, to = 2, subkey = -1, shortcut = -1;
    bool header = false;
    std::vector<std::string> ignored;  // other names
};

// A header is a row naming "from", "statement" (or "text", as KeyBase's own
// examples name it) and "to", in any case and order, beside other columns;
// no other row is one, whatever its first cell.
std::optional<Columns> headerColumns(const Records& records, const Record& record) {
    Columns columns;
    columns.from = columns.statement = columns.to = -1;
    columns.header = true;
    for (std::size_t i = 0; i < record.count; ++i) {
        const std::string name = text::lower(cleaned(records.field(record, i)));
        int* column = name == "from"                        ? &columns.from
                      : name == "statement" || name == "text" ? &columns.statement
                      : name == "to"                          ? &columns.to
                      : name == "subkey"                      ? &columns.subkey
                      : name == "shortcut"                    ? &columns.shortcut
                                                              : nullptr;
        if (!column || *column >= 0) {
            if (!name.empty()) columns.ignored.push_back(cleaned(records.field(record, i)));
            continue;
        }
        *column = static_cast<int>(i);
    }
    if (columns.from < 0 || columns.statement < 0 || columns.to < 0) return std::nullopt;
    return columns;
}

// The delimiter whose first row is a header; else the one that gives the
// most rows of three columns or more among the first rows.
char chooseDelimiter(std::string_view s) {
    constexpr std::size_t kSampleRows = 50;
    char best = '\t';
    std::size_t bestCount = 0;
    for (char delimiter : {'\t', ',', ';'}) {
        const Records records = parseRecords(s, delimiter, kSampleRows);
        if (!records.list.empty() && headerColumns(records, records.list.front())) return delimiter;
        const auto count = static_cast<std::size_t>(
            std::count_if(records.list.begin(), records.list.end(), [](const Record& r) { return r.count >= 3; }));
        if (count > bestCount) {
            bestCount = count;
            best = delimiter;
        }
    }
    return best;
}

// A couplet label as KeyBase reads it: without a final "." or ":".
std::string label(std::string_view field) {
    std::string out = cleaned(field);
    while (!out.empty() && (out.back() == '.' || out.back() == ':')) out.pop_back();
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string lineWarning(int line, const std::string& what) { return "Ligne " + std::to_string(line) + " : " + what; }

struct ImportedLead {
    int couplet = 0;    // from 1
    std::string text;
    int target = 0;     // couplet led to, 0 for a taxon or nothing
    std::string taxon;  // the item, a shortcut in braces, or "Clé : Name"
    int line = 0;
};

// The rows of one key: the main key (no name) or a linked key.
struct KeyRows {
    std::string name;
    std::vector<const Record*> records;
    std::unordered_map<std::string, int> numberOf;  // label -> couplet number of the text
};

// The separators written between a lead's text and its end: the shortest
// arrows that no text holds, so that the processing finds exactly the one
// written. With `k` strokes: " ==> " before a taxon, " --> " before a couplet.
// A text holding " ==> " forbids two strokes; each text is looked through once.
struct Separators {
    std::string determination;
    std::string reference;
};

Separators separatorsFor(const std::vector<ImportedLead>& leads) {
    std::vector<char> taken(2, 0);  // by number of strokes
    for (const ImportedLead& lead : leads) {
        const std::string& t = lead.text;
        for (std::size_t i = t.find('>'); i != std::string::npos; i = t.find('>', i + 1)) {
            // What follows the text is a space: "... ==>" at its end counts.
            if (i + 1 < t.size() && t[i + 1] != ' ') continue;
            if (i == 0 || (t[i - 1] != '=' && t[i - 1] != '-')) continue;
            const char stroke = t[i - 1];
            std::size_t begin = i - 1;
            while (begin > 0 && t[begin - 1] == stroke) --begin;
            if (begin == 0 || t[begin - 1] != ' ') continue;
            const std::size_t strokes = i - begin;
            if (strokes >= taken.size()) taken.resize(strokes + 1, 0);
            taken[strokes] = 1;
        }
    }
    std::size_t k = 1;
    while (k < taken.size() && taken[k]) ++k;
    return {" " + std::string(k, '=') + "> ", " " + std::string(k, '-') + "> "};
}

std::vector<std::string> configurationFor(const Separators& s, bool linkedKeys) {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = s.reference;
    p.Car_maxi = 10;
    p.Liste_separ_3 = {s.determination};
    p.Sans_numero = 0;
    if (linkedKeys) p.section_depart = std::string(kLinkedKeyPrefix);
    return configurationEntries(p);
}

}  // namespace

bool looksLikeFormula(std::string_view cell) {
    cell = trimSpaces(cell);
    return !cell.empty() && (cell[0] == '=' || cell[0] == '+' || cell[0] == '-' || cell[0] == '@');
}

std::string keyBaseText(const Key& key, char delimiter, bool spreadsheetSafe) {
    const std::vector<Row> rows = keyBaseRows(key);
    const bool subkeys = std::any_of(rows.begin(), rows.end(), [](const Row& r) { return !r.subkey.empty(); });
    const bool shortcuts = std::any_of(rows.begin(), rows.end(), [](const Row& r) { return !r.shortcut.empty(); });
    std::string out;
    out.reserve(rows.size() * 64 + 32);
    const char d = delimiter;
    out.append("from").append(1, d).append("statement").append(1, d).append("to");
    if (subkeys) out.append(1, d).append("subkey");
    if (shortcuts) out.append(1, d).append("shortcut");
    out += '\n';
    for (const Row& row : rows) {
        appendField(out, row.from, d, spreadsheetSafe);
        out += d;
        appendField(out, row.statement, d, spreadsheetSafe);
        out += d;
        appendField(out, row.to, d, spreadsheetSafe);
        if (subkeys) {
            out += d;
            appendField(out, row.subkey, d, spreadsheetSafe);
        }
        if (shortcuts) {
            out += d;
            appendField(out, row.shortcut, d, spreadsheetSafe);
        }
        out += '\n';
    }
    return out;
}

std::optional<std::string> keyBaseProblem(const Key& key) {
    for (const Couplet& couplet : key.couplets)
        for (const Lead& lead : couplet.leads)
            if (lead.couplet >= 0) continue;
            // The file's "to" column holds couplet numbers and names alike: a name
            // of digits would come back as a couplet (or loop to its own).
            else if (lead.linkedKey.empty() && allDigits(splitShortcut(lead.taxon).item))
                return "Rang " + std::to_string(lead.row) + " : la détermination « " + lead.taxon +
                       " » se lirait comme un numéro de couplet";
            else if (!lead.linkedKey.empty() && allDigits(lead.linkedKey))
                return "Rang " + std::to_string(lead.row) + " : la clé liée « " + lead.linkedKey +
                       " » se lirait comme un numéro de couplet";
    return std::nullopt;
}

std::vector<std::string> keyBaseWarnings(const Key& key, bool spreadsheetSafe) {
    Warnings warnings;
    const std::string markers = "se lit dans KeyBase comme une marque (« : » raccourci, « | » plusieurs éléments, « { » raccourci)";
    const std::string formula = spreadsheetSafe ? "" : "cellule lue comme une formule par un tableur (option --tableur : précédée d'une apostrophe)";
    for (const Row& row : keyBaseRows(key)) {
        const std::string where = "Rang " + std::to_string(row.tableRow) + " : ";
        if (row.to.find_first_of(":|{") != std::string::npos)
            warnings.add(row.tableRow, markers, where + "l'élément " + quotedText(row.to) + " " + markers);
        if (spreadsheetSafe) continue;
        for (std::string_view cell : {std::string_view(row.statement), std::string_view(row.to), row.shortcut})
            if (looksLikeFormula(cell)) {
                warnings.add(row.tableRow, formula, where + quotedText(trimSpaces(cell)) + " : " + formula);
                break;
            }
    }
    return warnings.lines();
}

ImportedKey importKeyBase(std::string_view utf8) {
    ImportedKey out;
    Warnings warnings;
    if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
    // The first row says which columns a row needs; rows without them are
    // told and dropped as they are read.
    const char delimiter = chooseDelimiter(utf8);
    Columns columns;
    {
        const Records first = parseRecords(utf8, delimiter, 1);
        if (!first.list.empty())
            if (auto header = headerColumns(first, first.list.front())) columns = std::move(*header);
    }
    const int needed = std::max({columns.from, columns.statement, columns.to}) + 1;
    Records parsed = parseRecords(utf8, delimiter, SIZE_MAX, static_cast<std::uint32_t>(needed), [&warnings](int line) {
        warnings.add(line, "moins de trois colonnes, ligne ignorée", lineWarning(line, "moins de trois colonnes, ligne ignorée"));
    });
    std::vector<Record>& records = parsed.list;
    if (columns.header && !records.empty()) {
        for (const std::string& name : columns.ignored)
            warnings.add(records.front().line, "colonne ignorée",
                         lineWarning(records.front().line, "colonne " + quotedText(name) + " inconnue, ignorée"));
        records.erase(records.begin());
    }
    auto field = [&parsed](const Record& r, int column) -> std::string_view {
        return column >= 0 && column < static_cast<int>(r.count) ? parsed.field(r, static_cast<std::size_t>(column)) : std::string_view();
    };

    // The keys: the main one first, then the linked keys as the file names them.
    std::vector<KeyRows> keys(1);
    std::unordered_map<std::string, std::size_t> keyOf;
    for (const Record& record : records) {
        if (label(field(record, columns.from)).empty()) {
            warnings.add(record.line, "pas de numéro de couplet, ligne ignorée",
                         lineWarning(record.line, "pas de numéro de couplet, ligne ignorée"));
            continue;
        }
        if (!columns.header)
            for (std::size_t i = 3; i < record.count; ++i)
                if (!cleaned(parsed.field(record, i)).empty()) {
                    warnings.add(record.line, "colonne sans nom ignorée",
                                 lineWarning(record.line, "colonne " + std::to_string(i + 1) + " sans en-tête, ignorée : " +
                                                              quotedText(cleaned(parsed.field(record, i)))));
                    break;
                }
        const std::string name = cleaned(field(record, columns.subkey));
        std::size_t k = 0;
        if (!name.empty()) {
            const auto [at, added] = keyOf.try_emplace(name, keys.size());
            if (added) keys.push_back(KeyRows{name, {}, {}});
            k = at->second;
        }
        keys[k].records.push_back(&record);
    }
    int couplets = 0;
    for (KeyRows& key : keys)
        for (const Record* record : key.records)
            if (key.numberOf.try_emplace(label(field(*record, columns.from)), couplets + 1).second) {
                ++couplets;
                const std::string& l = label(field(*record, columns.from));
                out.coupletLabels.resize(static_cast<std::size_t>(couplets) + 1);
                out.coupletLabels[couplets] = key.name.empty() ? l : l + " (" + key.name + ")";
            }
    if (couplets == 0) {
        out.error = "Aucune ligne de clé KeyBase (couplet, texte, destination) dans ce fichier";
        return out;
    }

    std::vector<std::vector<ImportedLead>> leadsOf(keys.size());
    std::vector<char> linked(keys.size(), 0);
    int missing = couplets;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        KeyRows& key = keys[k];
        std::unordered_map<std::string, int> missingNumber;
        for (const Record* record : key.records) {
            const int line = record->line;
            ImportedLead lead{key.numberOf.at(label(field(*record, columns.from))), cleaned(field(*record, columns.statement)), 0,
                              {}, line};
            const std::string to = cleaned(field(*record, columns.to));
            std::string shortcut = cleaned(field(*record, columns.shortcut));
            const auto linkedKey = to.empty() ? keyOf.end() : keyOf.find(to);
            if (const auto found = key.numberOf.find(label(to)); !to.empty() && found != key.numberOf.end()) {
                lead.target = found->second;
            } else if (linkedKey != keyOf.end() && linkedKey->second != k) {
                // An item that has a key of its own may still be shortcut to one
                // of its taxa: the lead keeps the item and its shortcut.
                lead.taxon = shortcut.empty() ? std::string(kLinkedKeyPrefix) + to : to + " {" + shortcut + "}";
                linked[linkedKey->second] = 1;
            } else if (to.empty()) {
                warnings.add(line, "pas de destination", lineWarning(line, "pas de destination"));
            } else if (allDigits(label(to))) {
                // A reference to a couplet the file lacks stays a reference, under a number no
                // couplet has: read as a taxon, it would come back as a reference to the couplet
                // that the renumbering gives the same number.
                const auto [at, added] = missingNumber.try_emplace(label(to), missing + 1);
                if (added) {
                    ++missing;
                    out.coupletLabels.resize(static_cast<std::size_t>(missing) + 1);
                    out.coupletLabels[missing] = key.name.empty() ? label(to) : label(to) + " (" + key.name + ")";
                }
                lead.target = at->second;
                warnings.add(line, "couplet inexistant",
                             lineWarning(line, "le couplet " + label(to) + " n'existe pas (renvoi noté " +
                                                   std::to_string(lead.target) + ")"));
            } else {
                std::string item = to;
                if (shortcut.empty()) {
                    // KeyBase's older shortcuts: "Item {Shortcut}" and "Item:Shortcut".
                    const ItemParts braces = splitShortcut(to);
                    if (!braces.shortcut.empty()) {
                        item = std::string(braces.item);
                        shortcut = std::string(braces.shortcut);
                    } else if (const auto colon = to.find(':'); colon != std::string::npos && colon > 0) {
                        item = cleaned(to.substr(0, colon));
                        shortcut = cleaned(to.substr(colon + 1));
                        if (const auto chained = shortcut.find(':'); chained != std::string::npos) {
                            warnings.add(line, "raccourcis enchaînés",
                                         lineWarning(line, "raccourcis enchaînés : seul le premier est gardé, " +
                                                               quotedText(cleaned(shortcut.substr(chained + 1))) + " ignoré"));
                            shortcut = cleaned(shortcut.substr(0, chained));
                        }
                    }
                }
                lead.taxon = item;
                if (!shortcut.empty()) lead.taxon += " {" + shortcut + "}";
            }
            if (lead.target == 0 && lead.taxon.empty() && !shortcut.empty())
                warnings.add(line, "raccourci sans élément",
                             lineWarning(line, "raccourci " + quotedText(shortcut) + " sans élément, ignoré"));
            leadsOf[k].push_back(std::move(lead));
        }
    }
    for (std::size_t k = 1; k < keys.size(); ++k)
        if (!linked[k])
            warnings.add(keys[k].records.front()->line, "clé liée sans entrée",
                         lineWarning(keys[k].records.front()->line,
                                     "aucune entrée ne mène à la clé liée " + quotedText(keys[k].name)));

    std::vector<ImportedLead> all;
    all.reserve(records.size());
    for (auto& leads : leadsOf)
        for (auto& lead : leads) all.push_back(std::move(lead));
    const Separators separators = separatorsFor(all);
    out.text.reserve(all.size() + keys.size());
    std::size_t next = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (k > 0) {
            out.text.push_back(std::string(kLinkedKeyPrefix) + keys[k].name);
            out.fileLines.push_back(0);
        }
        for (std::size_t i = 0; i < leadsOf[k].size(); ++i, ++next) {
            const ImportedLead& lead = all[next];
            std::string line = std::to_string(lead.couplet) + ". " + lead.text;
            if (lead.target > 0)
                line += separators.reference + std::to_string(lead.target);
            else if (!lead.taxon.empty())
                line += separators.determination + lead.taxon;
            out.text.push_back(std::move(line));
            out.fileLines.push_back(lead.line);
        }
    }
    out.configuration = configurationFor(separators, keys.size() > 1);
    out.warnings = warnings.lines();
    return out;
}

bool isKeyBaseFileName(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string end = text::lower(path.substr(path.size() - 4));
    if (end == ".csv" || end == ".tsv") return true;
    // KeyBase's own tab-separated export: keybase_export_<key>_<time>.txt
    const auto slash = path.find_last_of("/\\");
    const std::string name = text::lower(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
    return end == ".txt" && name.starts_with("keybase_export_");
}

}  // namespace sarvelo::interchange
