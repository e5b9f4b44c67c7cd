// Generated keys for the benchmarks and the tests: a balanced dichotomous key
// in the layout "12. Description ... 13", with wrapped descriptions and blank
// lines so that every phase of a run has work to do; and the same key with one
// fault planted for the key checks.
#pragma once

#include <string>
#include <vector>

#include "documents/rich_text.hpp"
#include "engine/parameters.hpp"

namespace sarvelo::bench {

inline KeyParams generatedKeyParams() {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Car_maxi = 6;
    p.Liste_separ_3 = {"=>"};
    p.Sans_numero = 0;
    return p;
}

struct GeneratedLead {
    int couplet;
    std::string text;    // first line, after the number
    std::string ending;  // second line
};

// `leads` leads (rounded up to an even number): couplet k leads to 2k and
// 2k + 1 while they exist, otherwise to a determination.
inline std::vector<GeneratedLead> generatedLeads(int leads) {
    const int couplets = (leads + 1) / 2;
    std::vector<GeneratedLead> out;
    out.reserve(static_cast<std::size_t>(couplets) * 2);
    for (int k = 1; k <= couplets; ++k)
        for (int side = 0; side < 2; ++side) {
            const int target = 2 * k + side;
            const std::string n = std::to_string(k);
            out.push_back({k, std::string("Chapeau ") + (side ? "rouge" : "blanc") + " de " + n + " cm,",
                           target <= couplets ? "lames libres et serrées ... " + std::to_string(target)
                                              : "lames adnées => Amanita species" + std::to_string(target)});
        }
    return out;
}

// Two lines per lead, a blank line after every tenth couplet; `lineOfLead`
// receives the line (from 0) where each lead starts.
inline std::vector<std::string> keyLines(const std::vector<GeneratedLead>& leads, std::vector<int>* lineOfLead = nullptr) {
    std::vector<std::string> lines;
    lines.reserve(leads.size() * 5 / 2);
    for (std::size_t i = 0; i < leads.size(); ++i) {
        if (lineOfLead) lineOfLead->push_back(static_cast<int>(lines.size()));
        lines.push_back(std::to_string(leads[i].couplet) + ". " + leads[i].text);
        lines.push_back(leads[i].ending);
        const bool lastOfCouplet = i + 1 == leads.size() || leads[i + 1].couplet != leads[i].couplet;
        if (lastOfCouplet && leads[i].couplet % 10 == 0) lines.emplace_back();
    }
    return lines;
}

inline std::vector<std::string> generatedKey(int leads) { return keyLines(generatedLeads(leads)); }

// The generated key with formatting on every line: bold numbers, italic
// coloured text, hanging indents.
inline RichText formattedKey(int leads) {
    RichText t;
    for (const std::string& line : generatedKey(leads)) {
        Paragraph& p = t.paragraphs.emplace_back();
        p.leftIndent = 360;
        p.firstIndent = -360;
        const auto space = line.find(' ');
        if (space == std::string::npos) {
            p.append(line, {});
            continue;
        }
        p.append(line.substr(0, space), {true, false, false, kAutomaticColour});
        p.append(" é ", {});
        p.append(line.substr(space), {false, true, false, 0x800000});
    }
    return t;
}

enum class Fault {
    None,
    MissingCouplet,   // a reference to a couplet beyond the last
    Unreachable,      // a reference replaced by a determination
    Loop,             // a lead of the last level back to its parent couplet
    SingleLead,       // the second lead of a couplet removed
    NoEnding,         // a determination without its separator
    ManyLeads,        // a third lead
    SameDestination,  // both leads to the same determination
    SameText,         // both leads with the same text
    Scattered,        // a lead moved to the end of the key
    NumberLike,       // a determination followed by a page number
    RepeatedTaxon,    // one determination in two couplets
};

struct PlantedKey {
    std::vector<std::string> lines;
    int line = -1;  // where the first finding is expected (from 0), -1 for none
};

// The generated key with one fault in the middle of it.
inline PlantedKey plantedKey(int leads, Fault fault) {
    std::vector<GeneratedLead> key = generatedLeads(leads);
    const int couplets = (leads + 1) / 2;
    const auto lead = [&](int couplet, int side) -> GeneratedLead& { return key[static_cast<std::size_t>(2 * (couplet - 1) + side)]; };
    const int inner = couplets / 4;     // leads to couplets
    const int leaf = couplets / 2 + 1;  // leads to determinations
    const GeneratedLead* expected = nullptr;  // the lead of the first finding
    switch (fault) {
        case Fault::None:
            break;
        case Fault::MissingCouplet:
            lead(inner, 0).ending = "lames libres et serrées ... " + std::to_string(couplets + 100);
            expected = &lead(inner, 0);
            break;
        case Fault::Unreachable:
            lead(inner, 0).ending = "lames adnées => Amanita planted";
            expected = &lead(2 * inner, 0);
            break;
        case Fault::Loop:
            lead(couplets, 0).ending = "lames libres et serrées ... " + std::to_string(couplets / 2);
            expected = &lead(couplets / 2, couplets % 2);
            break;
        case Fault::SingleLead:
            key.erase(key.begin() + 2 * (leaf - 1) + 1);
            expected = &lead(leaf, 0);
            break;
        case Fault::NoEnding:
            lead(leaf, 0).ending = "lames adnées, Amanita planted";
            expected = &lead(leaf, 0);
            break;
        case Fault::ManyLeads:
            key.insert(key.begin() + 2 * leaf, {leaf, "Chapeau jaune de " + std::to_string(leaf) + " cm,",
                                                "lames adnées => Amanita planted"});
            expected = &lead(leaf, 0);
            break;
        case Fault::SameDestination:
            lead(leaf, 1).ending = lead(leaf, 0).ending;
            expected = &lead(leaf, 1);
            break;
        case Fault::SameText:
            lead(leaf, 1).text = lead(leaf, 0).text;
            expected = &lead(leaf, 1);
            break;
        case Fault::Scattered: {
            const GeneratedLead moved = lead(leaf, 1);
            key.erase(key.begin() + 2 * (leaf - 1) + 1);
            key.push_back(moved);
            expected = &key.back();
            break;
        }
        case Fault::NumberLike:
            lead(leaf, 0).ending = "lames adnées => Amanita 52";
            expected = &lead(leaf, 0);
            break;
        case Fault::RepeatedTaxon:
            lead(leaf + 2, 0).ending = lead(leaf, 0).ending;
            expected = &lead(leaf, 0);
            break;
    }
    PlantedKey out;
    std::vector<int> lineOfLead;
    out.lines = keyLines(key, &lineOfLead);
    if (expected) out.line = lineOfLead[static_cast<std::size_t>(expected - key.data())];
    return out;
}

}  // namespace sarvelo::bench
