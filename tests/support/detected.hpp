// The finished key a detected layout gives, processed as the window or the
// command line would process it, and its comparison with a key checked by hand.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/text.hpp"
#include "layout/detection.hpp"
#include "review/finished_key.hpp"

namespace sarvelo::testing {

// Empty when the proposal's run is not error-free.
inline std::vector<std::string> finishedKeyOf(const Lines& text, const LayoutProposal& proposal) {
    KeyParams p = proposal.params;
    const Lines lines = proposal.convertsIndented        ? convertIndentedKey(text).lines
                        : !proposal.convertedText.empty() ? proposal.convertedText
                                                          : text;
    ResultTable table;
    Host host;
    if (runProcessing(lines, p, table, host).outcome != RunOutcome::Success) return {};
    return finishedKeyLines(table);
}

// Leaders, blanks, the comma, the colon and the double hyphen or dash that
// tie a lead to its ending, at both ends, are page layout; runs of blanks
// count as one.
inline std::string normalisedLeadText(std::string s) {
    static const char* const kLayout[] = {" ", ".", ",", ":", "\u2026", "\u00B7", "--", "\u2014"};
    for (bool cut = true; cut && !s.empty();) {
        cut = false;
        for (const char* l : kLayout) {
            const std::size_t n = std::char_traits<char>::length(l);
            if (s.size() >= n && s.compare(0, n, l) == 0) {
                s.erase(0, n);
                cut = true;
            }
            if (s.size() >= n && s.compare(s.size() - n, n, l) == 0) {
                s.erase(s.size() - n);
                cut = true;
            }
        }
    }
    std::string single;
    for (char c : s)
        if (c != ' ' || single.empty() || single.back() != ' ') single += c;
    return single;
}

// A finished-key line as (couplet and destination, text, name).
using FinishedLead = std::tuple<std::string, std::string, std::string>;
inline FinishedLead finishedLeadOf(const std::string& line) {
    const auto dollar = line.find("$ ");
    if (dollar == std::string::npos) return {line, "", ""};
    std::string head = line.substr(0, dollar), rest = line.substr(dollar + 2), name;
    const auto named = rest.rfind(" $ ");
    if (named != std::string::npos) {
        name = rest.substr(named + 3);
        rest.erase(named);
    }
    // The book's page and number, noted after a hand-checked name ("Sphagnum
    // (no. 2) (p. 23)", "P. alba group, p. 146"), are not the name; nor is a
    // figure call after it, which some transcriptions keep and others leave out.
    // Printed bare too, in the words of the key's language ("Oxyporus S. 45").
    for (const char* note : {", p. ", ", pp. ", " p. ", " pp. ", " S. ", " Seite ", " page ", " pág. ", " pag. ",
                             " blz. "})
        if (const auto at = name.rfind(note);
            at != std::string::npos && at + std::char_traits<char>::length(note) < name.size() &&
            name.find_first_not_of("0123456789-\u2013", at + std::char_traits<char>::length(note)) == std::string::npos)
            name.erase(at);
    for (bool noted = true; noted && !name.empty() && name.back() == ')';) {
        noted = false;
        for (const char* note : {" (p. ", " (pp. ", " (no. ", " (Fig. ", " (Figs. ", " (fig. ", " (figs. ", " (Pl. ",
                                 " (Plate ", " (Plaat ", " (Taf. ", " (Abb. ", " (S. ",
                                 " (pág. ", " (pag. ", " (blz. "})
            if (const auto at = name.rfind(note); at != std::string::npos && name.find(')', at) == name.size() - 1) {
                name.erase(at);
                noted = true;
                break;
            }
    }
    // The run drops every "-" from a determination.
    text::removeAll(name, "-");
    return {head, normalisedLeadText(rest), normalisedLeadText(name)};
}

inline std::vector<FinishedLead> finishedLeadsOf(const std::vector<std::string>& lines) {
    std::vector<FinishedLead> out;
    for (const auto& l : lines)
        if (!l.empty()) out.push_back(finishedLeadOf(l));
    return out;
}

// A key's leads couplet by couplet: the same key may list a couplet's second
// lead after the first one's sub-key (indented order) or next to it; within
// a couplet the leads keep their order.
inline std::vector<FinishedLead> byCouplet(std::vector<FinishedLead> leads) {
    auto couplet = [](const FinishedLead& l) { return std::atoi(std::get<0>(l).c_str()); };
    std::stable_sort(leads.begin(), leads.end(), [&](const auto& a, const auto& b) { return couplet(a) < couplet(b); });
    return leads;
}

// How a detected text compares with its key checked by hand.
struct KeyComparison {
    bool fullyRight = false;  // every lead's couplet, destination, text and name
    bool shapeRight = false;  // every lead's couplet and destination, its words aside
    int leads = 0;            // leads of the hand-checked key
    int leadsRight = 0;       // of those, found the same in the detected key
};

inline KeyComparison compareDetected(const Lines& text, const std::vector<std::string>& expectedLines) {
    KeyComparison out;
    const auto expected = finishedLeadsOf(expectedLines);
    out.leads = static_cast<int>(expected.size());
    const LayoutDetection d = detectLayout(text);
    if (d.proposals.empty()) return out;
    const LayoutProposal& best = d.proposals.front();
    if (best.score.errorRows > 0) return out;
    const auto found = finishedLeadsOf(finishedKeyOf(text, best));
    // Leads compared in order; a lead found elsewhere counts once.
    std::vector<bool> used(found.size(), false);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (i < found.size() && !used[i] && found[i] == expected[i]) {
            used[i] = true;
            ++out.leadsRight;
            continue;
        }
        for (std::size_t j = 0; j < found.size(); ++j)
            if (!used[j] && found[j] == expected[i]) {
                used[j] = true;
                ++out.leadsRight;
                break;
            }
    }
    const auto sortedFound = byCouplet(found), sortedExpected = byCouplet(expected);
    out.fullyRight = !found.empty() && sortedFound == sortedExpected;
    out.shapeRight = !found.empty() && sortedFound.size() == sortedExpected.size() &&
                     std::equal(sortedFound.begin(), sortedFound.end(), sortedExpected.begin(),
                                [](const FinishedLead& a, const FinishedLead& b) { return std::get<0>(a) == std::get<0>(b); });
    return out;
}

// The best proposal for `text` processes it and gives these finished leads,
// in any order (blanks and leaders at their ends are layout).
inline ::testing::AssertionResult detectsKey(const Lines& text, const std::vector<std::string>& expected) {
    const LayoutDetection d = detectLayout(text);
    if (!d.processes()) return ::testing::AssertionFailure() << "aucune proposition ne traite le texte";
    const std::vector<std::string> found = finishedKeyOf(text, d.proposals.front());
    auto sorted = [](const std::vector<std::string>& lines) {
        auto leads = finishedLeadsOf(lines);
        std::sort(leads.begin(), leads.end());
        return leads;
    };
    if (sorted(found) == sorted(expected)) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (const auto& line : found) failure << "\n  " << line;
    return failure;
}

}  // namespace sarvelo::testing
