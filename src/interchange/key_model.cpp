#include "interchange/key_model.hpp"

#include <unordered_map>

#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

std::string rowMessage(int row, const std::string& what) { return "Rang " + std::to_string(row) + " : " + what; }

// A section name as headings and references both write it: case, spaces
// and final punctuation aside.
std::string sectionName(std::string_view s) {
    std::string name = text::upper(s);
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    name.erase(0, first);
    while (!name.empty() && std::string_view(" \t.:;,").find(name.back()) != std::string_view::npos)
        name.pop_back();
    return name;
}

// "Name" of a heading "Clé : Name", else empty.
std::string linkedKeyName(std::string_view heading) {
    const auto first = heading.find_first_not_of(" \t");
    if (first == std::string_view::npos || !heading.substr(first).starts_with(kLinkedKeyPrefix)) return {};
    std::string name(heading.substr(first + kLinkedKeyPrefix.size()));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    return name;
}

// A linked key's heading and the determination that names it, compared as
// the processing leaves a determination (dashes between words and runs of
// spaces gone): "Clé : Group 1 - Redgums" is "Clé : Group 1 Redgums".
std::string linkName(std::string_view s) {
    std::string name = sectionName(s);
    text::removeDashesOutsideWords(name);
    text::removeAll(name, "..");
    std::string single;
    for (char c : name)
        if (c != ' ' || (!single.empty() && single.back() != ' ')) single += c;
    while (!single.empty() && single.back() == ' ') single.pop_back();
    return single;
}

bool isLead(std::string_view kind) {
    return kind == kReference || kind == kDetermination || kind == kSectionReference;
}

}  // namespace

KeyBuild keyFromTable(const ResultTable& table) {
    KeyBuild out;
    for (int row = 1; row <= table.dataRows(); ++row) {
        if (rowInError(table, row)) {
            out.failure = kMsgErrors;
            return out;
        }
    }
    Key& key = out.key;
    std::unordered_map<std::string_view, int> coupletOf;
    coupletOf.reserve(static_cast<std::size_t>(table.dataRows()));
    // The first couplet after each section start, by section name.
    std::unordered_map<std::string, std::string> sectionEntry;
    std::unordered_map<std::string, std::string> linkedKeys;  // by linkName: the name after the prefix
    std::unordered_map<std::string, std::string> sectionOf;   // by linkName: the section name
    std::string openSection;
    std::string openLinkedKey;
    bool sectionOpen = false;
    for (int row = 1; row <= table.dataRows(); ++row) {
        const std::string_view kind = table.cell(row, kKind);
        if (kind == kSectionStart) {
            const std::string_view heading = table.cell(row, kTarget);
            openSection = sectionName(heading);
            sectionOpen = true;
            openLinkedKey = linkedKeyName(heading);
            if (!openLinkedKey.empty()) {
                linkedKeys.try_emplace(linkName(heading), openLinkedKey);
                sectionOf.try_emplace(linkName(heading), openSection);
            }
            continue;
        }
        if (!isLead(kind)) continue;
        const std::string_view nb = table.cell(row, kNb);
        if (nb.empty()) {
            out.failure = rowMessage(row, "entrée sans numéro de couplet");
            return out;
        }
        if (sectionOpen) {
            sectionEntry.try_emplace(openSection, nb);
            sectionOpen = false;
        }
        // The table outlives the build, so its cells can be the keys.
        const auto [at, added] = coupletOf.try_emplace(nb, static_cast<int>(key.couplets.size()));
        if (added) key.couplets.push_back(Couplet{std::string(nb), {}, openLinkedKey});
        key.couplets[static_cast<std::size_t>(at->second)].leads.push_back(
            Lead{std::string(table.cell(row, kTexte)), -1, {}, row, {}, -1});
    }
    if (key.couplets.empty()) {
        out.failure = "Aucune clé à exporter : lancer d'abord le traitement (F9)";
        return out;
    }
    // Destinations, once every couplet is known.
    for (Couplet& couplet : key.couplets) {
        for (Lead& lead : couplet.leads) {
            const std::string_view kind = table.cell(lead.row, kKind);
            const std::string_view target = table.cell(lead.row, kTarget);
            if (kind == kDetermination) {
                // A determination cleaned down to nothing names no taxon.
                if (target.empty()) {
                    out.failure = rowMessage(lead.row, "détermination vide");
                    return out;
                }
                lead.taxon = target;
                const auto linked = linkedKeys.find(linkName(target));
                const auto entry = linked == linkedKeys.end() ? sectionEntry.end() : sectionEntry.find(sectionOf.at(linked->first));
                if (entry != sectionEntry.end()) {
                    lead.linkedKey = linked->second;
                    lead.linkedCouplet = coupletOf.at(entry->second);
                }
                continue;
            }
            std::string_view number = target;
            if (kind == kSectionReference) {
                const auto entry = sectionEntry.find(sectionName(target));
                if (entry == sectionEntry.end()) {
                    lead.taxon = target;
                    continue;
                }
                number = entry->second;
            } else if (target.empty()) {
                out.failure = rowMessage(lead.row, "renvoi vide");
                return out;
            }
            const auto found = coupletOf.find(number);
            if (found == coupletOf.end()) {
                out.failure = rowMessage(lead.row, "le couplet " + std::string(number) + " n'existe pas");
                return out;
            }
            lead.couplet = found->second;
        }
    }
    return out;
}

std::string proposedTitle(LinesView workingText, const ResultTable& table, const std::string& fallback) {
    if (table.dataRows() < 1 || !table.cell(1, kKind).empty()) return fallback;
    for (std::size_t i = 0; i < workingText.size(); ++i) {
        const std::string_view line = workingText[i];
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos) continue;
        const auto last = line.find_last_not_of(" \t");
        return std::string(line.substr(first, last - first + 1));
    }
    return fallback;
}

}  // namespace sarvelo::interchange
