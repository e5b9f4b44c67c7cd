#include "interchange/keybase.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "documents/config_entries.hpp"
#include "engine/parameters.hpp"
#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

// --- Writing -------------------------------------------------------------------

// Spaces around a field are dropped: they mean nothing to a spreadsheet or
// to KeyBase, and reading the file drops them too.
void appendField(std::string& out, std::string_view field, char delimiter) {
    const auto first = field.find_first_not_of(' ');
    field = first == std::string_view::npos ? std::string_view() : field.substr(first, field.find_last_not_of(' ') - first + 1);
    if (delimiter == '\t') {
        const std::size_t from = out.size();
        out += field;
        for (std::size_t i = from; i < out.size(); ++i)
            if (out[i] == '\t' || out[i] == '\n' || out[i] == '\r') out[i] = ' ';
        return;
    }
    if (field.find_first_of("\",;\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// --- Reading -------------------------------------------------------------------

struct Record {
    std::vector<std::string> fields;
    int line = 0;  // where the record starts, from 1
};

// Quoted fields may hold the delimiter, doubled quotes and line breaks.
// Stops after `limit` records.
std::vector<Record> parseRecords(std::string_view s, char delimiter, std::size_t limit = SIZE_MAX) {
    std::vector<Record> records;
    Record current{{std::string()}, 1};
    int line = 1;
    bool inQuotes = false;
    bool any = false;  // the current record has a character or a delimiter
    auto endRecord = [&] {
        if (any) records.push_back(std::move(current));
        current = Record{{std::string()}, line};
        any = false;
    };
    for (std::size_t i = 0; i < s.size() && records.size() < limit; ++i) {
        const char c = s[i];
        if (inQuotes) {
            if (c == '"') {
                if (i + 1 < s.size() && s[i + 1] == '"') {
                    current.fields.back() += '"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == '\n') ++line;
                current.fields.back() += c;
            }
        } else if (c == '"' && current.fields.back().empty()) {
            inQuotes = true;
            any = true;
        } else if (c == delimiter) {
            current.fields.emplace_back();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            ++line;
            endRecord();
        } else {
            current.fields.back() += c;
            any = true;
        }
    }
    endRecord();
    return records;
}

// Read with the delimiter that gives the most rows of three columns or more
// among the first rows.
std::vector<Record> parseWithBestDelimiter(std::string_view s) {
    constexpr std::size_t kSampleRows = 50;
    char best = '\t';
    std::size_t bestCount = 0;
    for (char delimiter : {'\t', ',', ';'}) {
        const std::vector<Record> records = parseRecords(s, delimiter, kSampleRows);
        const auto count = static_cast<std::size_t>(
            std::count_if(records.begin(), records.end(), [](const Record& r) { return r.fields.size() >= 3; }));
        if (count > bestCount) {
            bestCount = count;
            best = delimiter;
        }
    }
    return parseRecords(s, best);
}

std::string cleaned(std::string_view field) {
    std::string out(field);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

bool hasDigit(std::string_view s) { return s.find_first_of("0123456789") != std::string_view::npos; }
bool allDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

std::string lineWarning(int line, const std::string& what) { return "Ligne " + std::to_string(line) + " : " + what; }

struct ImportedLead {
    int couplet;        // from 1
    std::string text;
    int target = 0;     // couplet led to, 0 for a taxon or nothing
    std::string taxon;
};

// The separators written between a lead's text and its end: the shortest
// arrows that no text holds, so that the processing finds exactly the one
// written. With `k` strokes: " ==> " before a taxon, " --> " before a couplet.
struct Separators {
    std::string determination;
    std::string reference;
};

Separators separatorsFor(const std::vector<ImportedLead>& leads) {
    for (std::size_t k = 1;; ++k) {
        Separators s{" " + std::string(k, '=') + "> ", " " + std::string(k, '-') + "> "};
        const bool clear = std::all_of(leads.begin(), leads.end(), [&](const ImportedLead& lead) {
            // The first occurrence must be the one written after the text.
            return (lead.text + s.determination).find(s.determination) == lead.text.size() &&
                   (lead.text + s.reference).find(s.reference) == lead.text.size();
        });
        if (clear) return s;
    }
}

std::vector<std::string> configurationFor(const Separators& s) {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = s.reference;
    p.Car_maxi = 10;
    p.Liste_separ_3 = {s.determination};
    p.Sans_numero = 0;
    return configurationEntries(p);
}

}  // namespace

std::string keyBaseText(const Key& key, char delimiter) {
    std::vector<std::pair<const Couplet*, const Lead*>> rows;
    for (const Couplet& couplet : key.couplets)
        for (const Lead& lead : couplet.leads) rows.emplace_back(&couplet, &lead);
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second->row < b.second->row; });
    std::string out;
    out.reserve(rows.size() * 64);
    for (const auto& [couplet, lead] : rows) {
        appendField(out, couplet->number, delimiter);
        out += delimiter;
        appendField(out, lead->text, delimiter);
        out += delimiter;
        appendField(out, lead->couplet >= 0 ? key.couplets[static_cast<std::size_t>(lead->couplet)].number
                                            : lead->taxon,
                    delimiter);
        out += '\n';
    }
    return out;
}

std::optional<std::string> keyBaseProblem(const Key& key) {
    for (const Couplet& couplet : key.couplets)
        for (const Lead& lead : couplet.leads)
            if (lead.couplet < 0 && allDigits(lead.taxon))
                return "Rang " + std::to_string(lead.row) + " : la détermination « " + lead.taxon +
                       " » se lirait comme un numéro de couplet";
    return std::nullopt;
}

ImportedKey importKeyBase(std::string_view utf8) {
    ImportedKey out;
    std::vector<std::pair<int, std::string>> warnings;  // by line, put in order at the end
    std::vector<Record> records = parseWithBestDelimiter(utf8);
    // A first row of column names: a label without a digit that nothing leads to.
    if (records.size() > 1 && records[0].fields.size() >= 3 && !hasDigit(cleaned(records[0].fields[0]))) {
        const std::string label = cleaned(records[0].fields[0]);
        const bool ledTo = std::any_of(records.begin() + 1, records.end(), [&](const Record& r) {
            return r.fields.size() >= 3 && cleaned(r.fields[2]) == label;
        });
        if (!ledTo) records.erase(records.begin());
    }

    std::unordered_map<std::string, int> numberOf;
    std::vector<const Record*> used;
    for (const Record& record : records) {
        if (record.fields.size() < 3) {
            warnings.emplace_back(record.line, lineWarning(record.line, "moins de trois colonnes, ligne ignorée"));
            continue;
        }
        const std::string label = cleaned(record.fields[0]);
        if (label.empty()) {
            warnings.emplace_back(record.line, lineWarning(record.line, "pas de numéro de couplet, ligne ignorée"));
            continue;
        }
        numberOf.try_emplace(label, static_cast<int>(numberOf.size()) + 1);
        used.push_back(&record);
    }
    if (used.empty()) {
        out.error = "Aucune ligne de clé KeyBase (couplet, texte, destination) dans ce fichier";
        return out;
    }

    std::vector<ImportedLead> leads;
    leads.reserve(used.size());
    std::unordered_map<std::string, int> missingNumber;
    for (const Record* record : used) {
        ImportedLead lead{numberOf.at(cleaned(record->fields[0])), cleaned(record->fields[1]), 0, {}};
        const std::string to = cleaned(record->fields[2]);
        if (const auto found = numberOf.find(to); found != numberOf.end()) {
            lead.target = found->second;
        } else if (to.empty()) {
            warnings.emplace_back(record->line, lineWarning(record->line, "pas de destination"));
        } else if (allDigits(to)) {
            // A reference to a couplet the file lacks stays a reference, under a number no
            // couplet has: read as a taxon, it would come back as a reference to the couplet
            // that the renumbering gives the same number.
            const int fresh = static_cast<int>(numberOf.size() + missingNumber.size()) + 1;
            lead.target = missingNumber.try_emplace(to, fresh).first->second;
            warnings.emplace_back(record->line, lineWarning(record->line, "le couplet " + to + " n'existe pas (renvoi noté " +
                                                                              std::to_string(lead.target) + ")"));
        } else {
            lead.taxon = to;
        }
        leads.push_back(std::move(lead));
    }

    const Separators separators = separatorsFor(leads);
    out.text.reserve(leads.size());
    for (const ImportedLead& lead : leads) {
        std::string line = std::to_string(lead.couplet) + ". " + lead.text;
        if (lead.target > 0)
            line += separators.reference + std::to_string(lead.target);
        else if (!lead.taxon.empty())
            line += separators.determination + lead.taxon;
        out.text.push_back(std::move(line));
    }
    out.configuration = configurationFor(separators);
    std::stable_sort(warnings.begin(), warnings.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& warning : warnings) out.warnings.push_back(std::move(warning.second));
    return out;
}

bool isKeyBaseFileName(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string end = text::lower(path.substr(path.size() - 4));
    return end == ".csv" || end == ".tsv";
}

}  // namespace sarvelo::interchange
