// Key checks on small keys as a user pastes them, run through the whole
// processing; and on large generated keys with one fault planted.
#include <gtest/gtest.h>

#include "engine/engine.hpp"
#include "keygen.hpp"
#include "support/layouts.hpp"

using namespace sarvelo;

namespace {

// What identifies a finding for the user: its kind, couplet and line (from 1).
struct Seen {
    FindingKind kind;
    std::string couplet;
    int line;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* os) { *os << kindCode(s.kind) << " couplet " << s.couplet << " ligne " << s.line; }

struct Answer : Host {
    bool yes = false;
    bool askYesNo(const std::string&, const std::string&) override { return yes; }
};

RunResult run(const Lines& lines, KeyParams p = sarvelo::testing::dottedLayout(), bool nestedYes = false) {
    ResultTable table;
    Answer host;
    host.yes = nestedYes;
    return runProcessing(lines, p, table, host);
}

std::vector<Seen> seen(const std::vector<Finding>& findings) {
    std::vector<Seen> out;
    for (const Finding& f : findings) out.push_back({f.kind, f.couplet, f.line + 1});
    return out;
}

using K = FindingKind;

struct Case {
    const char* name;
    Lines key;
    std::vector<Seen> expected;
    const char* textHas = "";  // in the text of the first finding
};

}  // namespace

TEST(KeyChecks, EachKindOfFindingOnASmallKey) {
    const std::vector<Case> cases = {
        {"clean key",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita alba", "", "2. Pied court => Lepiota",
          "2. Pied long => Inocybe"},
         {}},
        {"row in error: a lead back to its own couplet",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc ... 1", "2. Pied court => Lepiota", "2. Pied long => Inocybe"},
         {{K::RowInError, "1", 2}},
         "renvoie à son propre couplet 1"},
        // Couplets 1, 2 and 5: 5 becomes 3, and the reference to the missing 3
        // now reads as the new couplet 3.
        {"missing couplet whose number now belongs to another",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc ... 5", "2. Pied court ... 3", "2. Pied long => Inocybe",
          "5. Lames libres => Lepiota", "5. Lames serrées => Russula"},
         {{K::MissingCouplet, "2", 3}},
         "Renvoi au couplet 3, qui n'existe pas dans le texte"},
        {"unreachable couplet",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita", "2. Pied court => Lepiota",
          "2. Pied long => Inocybe", "3. Lames libres => Russula", "3. Lames serrées => Hygrophorus"},
         {{K::UnreachableCouplet, "3", 5}},
         "Aucune entrée ne renvoie au couplet 3"},
        {"loop",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita", "2. Pied court ... 3", "2. Pied long => Inocybe",
          "3. Lames libres ... 2", "3. Lames serrées => Russula"},
         {{K::Loop, "2", 3}},
         "2 -> 3 -> 2"},
        {"loop out of reach",
         {"1. Chapeau rouge => Amanita", "1. Chapeau blanc => Lepiota", "2. Pied court ... 3",
          "2. Pied long => Inocybe", "3. Lames libres ... 2", "3. Lames serrées => Russula"},
         {{K::UnreachableCouplet, "2", 3}, {K::Loop, "2", 3}},
         "n'est atteint que depuis sa boucle"},
        {"single lead",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita", "2. Pied court => Lepiota"},
         {{K::SingleLead, "2", 3}}},
        {"lead without reference or determination",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc, Amanita", "2. Pied court => Lepiota", "2. Pied long => Inocybe"},
         {{K::NoEnding, "1", 2}}},
        {"three leads",
         {"1. Chapeau rouge => Amanita", "1. Chapeau blanc => Lepiota", "1. Chapeau jaune => Russula"},
         {{K::ManyLeads, "1", 1}}},
        {"two leads to the same couplet",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc ... 2", "2. Pied court => Lepiota", "2. Pied long => Inocybe"},
         {{K::SameDestination, "1", 2}}},
        {"two leads with the same text",
         {"1. Chapeau rouge ... 2", "1. Chapeau rouge => Amanita", "2. Pied court => Lepiota",
          "2. Pied long => Inocybe"},
         {{K::SameText, "1", 2}}},
        // Leads of 2 and 3 interleaved; the sub-key right under lead 1 is a
        // nested layout and no slip.
        {"leads far apart",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc ... 3", "2. Pied court => Lepiota", "3. Lames libres => Russula",
          "2. Pied long => Inocybe", "3. Lames serrées => Hygrophorus"},
         {{K::ScatteredLeads, "2", 5}, {K::ScatteredLeads, "3", 6}}},
        {"nested layout",
         {"1. Chapeau rouge ... 2", "2. Pied court => Lepiota", "2. Pied long => Inocybe",
          "1. Chapeau blanc => Amanita"},
         {}},
        {"determination that reads as a page number",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita. 52", "2. Pied court => Lepiota",
          "2. Pied long => Inocybe"},
         {{K::NumberLikeDetermination, "1", 2}}},
        {"a group's name and its number is no page number",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Group 1", "2. Pied court => Lepiota",
          "2. Pied long => Groupe 2."},
         {}},
        {"nor is the year after an author",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita alba Zhao, 2011", "2. Pied court => Lepiota",
          "2. Pied long => Inocybe nigra (de Man, 1880)."},
         {}},
        {"nor the book's number or page noted in brackets after the name",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita alba (no. 14)", "2. Pied court => Lepiota (p. 52).",
          "2. Pied long => Inocybe (n\u00B0 3)"},
         {}},
        {"several of the book's numbers noted together",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita (no. 10 en 11)", "2. Pied court => Lepiota (no. 3, 4)",
          "2. Pied long => Inocybe (no. 5 and 7-9)"},
         {}},
        {"but a bracketed number alone after the name is still doubted",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita alba (14)", "2. Pied court => Lepiota",
          "2. Pied long => Inocybe"},
         {{K::NumberLikeDetermination, "1", 2}}},
        {"several taxa from several couplets: one line for them all",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita", "2. Pied court => Amanita.", "2. Pied long ... 3",
          "3. Lames libres => Lepiota", "3. Lames serrées ... 4", "4. Anneau => Lepiota", "4. Volve => Inocybe"},
         {{K::RepeatedTaxon, "1", 2}},
         "2 définitions sont atteintes depuis plusieurs couplets (nombre de couplets) : « Amanita » (2), « Lepiota » (2)"},
        {"a couplet reached from two couplets",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc ... 3", "2. Pied court => Lepiota", "2. Pied long ... 3",
          "3. Lames libres => Russula", "3. Lames serrées => Inocybe"},
         {{K::SharedCouplet, "3", 4}},
         "Le couplet 3 est atteint depuis 2 couplets (1, 2)"},
        {"one taxon from two couplets",
         {"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita", "2. Pied court => Amanita.",
          "2. Pied long => Inocybe"},
         {{K::RepeatedTaxon, "1", 2}},
         "« Amanita » est atteinte depuis 2 couplets : 1, 2"},
    };
    for (const Case& c : cases) {
        const RunResult result = run(c.key);
        EXPECT_EQ(seen(result.findings), c.expected) << c.name;
        if (*c.textHas && !result.findings.empty()) {
            EXPECT_NE(result.findings.front().text.find(c.textHas), std::string::npos)
                << c.name << ": " << result.findings.front().text;
        }
    }
}

TEST(KeyChecks, OnRequestEachRepeatedTaxonAndCoupletsByTheirLabels) {
    KeyParams p = sarvelo::testing::dottedLayout();
    ResultTable table;
    Host host;
    const std::vector<std::string> labels = {"", "A", "B"};
    RunOptions options;
    options.checks.everyRepeatedTaxon = true;
    options.checks.coupletLabels = &labels;
    const RunResult result = runProcessing({"1. Chapeau rouge ... 2", "1. Chapeau blanc => Amanita", "2. Pied court => Amanita",
                                            "2. Pied long => Lepiota", "2. Anneau => Lepiota"},
                                           p, table, host, options);
    EXPECT_EQ(seen(result.findings), (std::vector<Seen>{{K::RepeatedTaxon, "A", 2},
                                                        {K::ManyLeads, "B", 3},
                                                        {K::SameDestination, "B", 5}}));
    EXPECT_EQ(result.findings.front().text, "« Amanita » est atteinte depuis 2 couplets : A, B");
}

TEST(KeyChecks, ADeterminationSeparatorThatAlsoPrecedesReferences) {
    KeyParams p = sarvelo::testing::dottedLayout();
    p.Liste_separ_3 = {" ..."};
    const RunResult result = run({"1. Chapeau rouge ... 2", "1. Chapeau blanc ... Amanita",
                                  "2. Pied court ... Lepiota", "2. Pied long ... Inocybe"},
                                 p);
    EXPECT_EQ(seen(result.findings), (std::vector<Seen>{{K::NoReference, "", 0},
                                                        {K::NumberLikeDetermination, "1", 1},
                                                        {K::UnreachableCouplet, "2", 3}}));
    EXPECT_EQ(result.findings.front().level, FindingLevel::Avertissement);
    EXPECT_EQ(result.findings.back().level, FindingLevel::Erreur);
}

TEST(KeyChecks, SectionsStartTheirOwnPartOfTheKey) {
    KeyParams p = sarvelo::testing::dottedLayout();
    p.section_depart = "Section";
    const RunResult result = run({"1. Chapeau rouge ... 2", "1. Chapeau blanc => Lepiota", "2. Pied court => Amanita",
                                  "2. Pied long => Inocybe", "Section B", "3. Lames libres => Russula",
                                  "3. Lames serrées => Hygrophorus"},
                                 p);
    EXPECT_EQ(result.outcome, RunOutcome::Success);
    EXPECT_TRUE(result.findings.empty()) << result.findings.front().text;
}

// The fault planted in the middle of a key of 20,000 leads is found at its
// line, and nothing else is.
TEST(KeyChecks, PlantedFaultsInALargeKey) {
    using bench::Fault;
    const std::vector<std::pair<Fault, std::vector<K>>> cases = {
        {Fault::None, {}},
        {Fault::MissingCouplet, {K::MissingCouplet, K::UnreachableCouplet}},
        {Fault::Unreachable, {K::UnreachableCouplet}},
        {Fault::Loop, {K::Loop}},
        {Fault::SingleLead, {K::SingleLead}},
        {Fault::NoEnding, {K::NoEnding}},
        {Fault::ManyLeads, {K::ManyLeads}},
        {Fault::SameDestination, {K::SameDestination}},
        {Fault::SameText, {K::SameText}},
        {Fault::Scattered, {K::ScatteredLeads}},
        {Fault::NumberLike, {K::NumberLikeDetermination}},
        {Fault::RepeatedTaxon, {K::RepeatedTaxon}},
    };
    for (const auto& [fault, kinds] : cases) {
        const bench::PlantedKey key = bench::plantedKey(20000, fault);
        const RunResult result = run(key.lines, bench::generatedKeyParams());
        std::vector<K> found;
        for (const Finding& f : result.findings) found.push_back(f.kind);
        EXPECT_EQ(found, kinds) << static_cast<int>(fault);
        if (!result.findings.empty()) {
            EXPECT_EQ(result.findings.front().line, key.line) << static_cast<int>(fault);
        }
    }
}
