#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine.hpp"
#include "support/layouts.hpp"

using namespace sarvelo;

namespace {

using Cells = std::vector<std::string>;

struct Lead {
    std::string nb;
    std::string kind;
    std::string target;
};

ResultTable tableOf(const std::vector<Lead>& leads) {
    ResultTable t;
    t.setRowCount(static_cast<int>(leads.size()) + 1);
    for (std::size_t i = 0; i < leads.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        t.cell(r, kNb) = leads[i].nb;
        t.cell(r, kTexte) = "texte " + std::to_string(r);
        t.cell(r, kKind) = leads[i].kind;
        t.cell(r, kTarget) = leads[i].target;
    }
    return t;
}

Cells column(const ResultTable& t, int c) {
    Cells out;
    for (int r = 1; r <= t.dataRows(); ++r) out.emplace_back(t.cell(r, c));
    return out;
}

// Answers the nested-key question and remembers what it was asked.
struct AnsweringHost : Host {
    explicit AnsweringHost(bool yes) : answer(yes) {}
    bool answer;
    int questions = 0;
    std::string title;
    std::string text;
    bool askYesNo(const std::string& t, const std::string& x) override {
        ++questions;
        title = t;
        text = x;
        return answer;
    }
};

void renumber(ResultTable& t, const KeyParams& p = {}) {
    AnsweringHost host(false);
    renumerotation(t, p, host);
}

// The nested example: 1, 2, 3, 3, 2, 1, 2, 2; row 1 leads to 2, row 2 to 3,
// row 6 to 2.
std::vector<Lead> nestedKey() {
    return {{"1", "->", "2"}, {"2", "->", "3"}, {"3", "=>", "A"}, {"3", "=>", "B"},
            {"2", "=>", "C"}, {"1", "->", "2"}, {"2", "=>", "D"}, {"2", "=>", "E"}};
}

}  // namespace

// --- First-appearance numbering --------------------------------------------------

TEST(Renumbering, CoupletsAreNumberedInOrderOfFirstAppearance) {
    auto t = tableOf({{"1", "->", "5"}, {"1", "->", "3"}, {"5", "=>", "A"}, {"5", "=>", "B"},
                      {"3", "=>", "C"}, {"3", "=>", "D"}});
    renumber(t);
    EXPECT_EQ(column(t, kNb), (Cells{"1", "1", "2", "2", "3", "3"}));
    EXPECT_EQ(column(t, kTarget), (Cells{"2", "3", "A", "B", "C", "D"}));
    EXPECT_EQ(t.columnCount(), 5);
}

TEST(Renumbering, LettersBecomeDigits) {
    auto t = tableOf({{"a", "->", "b"}, {"a", "=>", "X"}, {"b", "=>", "Y"}, {"b", "=>", "Z"}});
    renumber(t);
    EXPECT_EQ(column(t, kNb), (Cells{"1", "1", "2", "2"}));
    EXPECT_EQ(t.cell(1, kTarget), "2");
}

TEST(Renumbering, LabelsAreComparedAsTexts) {
    // Equal values written differently are different couplets.
    auto t = tableOf({{"4", "->", "04"},
                      {"04", "->", "16"},
                      {"8", "->", "004"},
                      {"12", "->", "x"},
                      {"16", "->", "4"},
                      {"x", "->", "0"},
                      {"004", "=>", "A"}});
    renumber(t);
    EXPECT_EQ(column(t, kNb), (Cells{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(column(t, kTarget), (Cells{"2", "5", "7", "6", "1", "0", "A"}));
}

TEST(Renumbering, OtherCellsKeepTheirText) {
    auto t = tableOf({{"7", "->", "99"},
                      {"7", "->", "8"},
                      {"S", "S", "Section B"},
                      {"8", "VS", "8"},
                      {"8", "=>", "7"},
                      {"", "", "7"},
                      {"", "->", ""}});
    renumber(t);
    EXPECT_EQ(column(t, kNb), (Cells{"1", "1", "S", "2", "2", "", ""}));
    // A reference to a number no row carries keeps its old text; only "->"
    // rows are references.
    EXPECT_EQ(column(t, kTarget), (Cells{"99", "2", "Section B", "8", "7", "7", ""}));
    EXPECT_EQ(column(t, kTexte)[3], "texte 4");
}

TEST(Renumbering, SectionStartNeverStartsANumberButRowsBelowShareOne) {
    // A section start labelled like a couplet only shares its number when it
    // stands below the couplet's first row.
    auto t = tableOf({{"x", "S", "Sec 1"}, {"x", "->", "y"}, {"y", "=>", "A"}, {"x", "S", "Sec 2"}});
    renumber(t);
    EXPECT_EQ(column(t, kNb), (Cells{"x", "1", "2", "1"}));
    EXPECT_EQ(t.cell(2, kTarget), "2");
}

TEST(Renumbering, EmptyTablePassesThrough) {
    ResultTable t;
    AnsweringHost host(true);
    renumerotation(t, KeyParams{}, host);
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.columnCount(), 5);
    EXPECT_EQ(host.questions, 0);
}

TEST(Renumbering, WorkingColumnsAreClearedAndLeftHidden) {
    auto t = tableOf({{"4", "=>", "A"}, {"4", "=>", "B"}});
    t.cell(1, 9) = "old";
    t.cell(2, 11) = "old";
    renumber(t);
    EXPECT_EQ(t.cell(1, 9), "");
    EXPECT_EQ(t.cell(2, 11), "");
    EXPECT_EQ(t.cell(1, 5), "");  // the paths are written for a key that looks nested only
    EXPECT_EQ(t.columnCount(), 5);
}

// --- Sequences -------------------------------------------------------------------

TEST(Renumbering, DefaultSequencesFoldLabels) {
    KeyParams p;
    p.Utilise_suites = true;
    auto t = tableOf({{"5", "->", "7"},
                      {"7", "=>", "b"},
                      {"S", "S", "Section B"},
                      {"c", "->", "d"},
                      {"d", "=>", "Amanita"},
                      {"E", "=>", "X"}});
    renumber(t, p);
    // 5 and 7 fold into 1, c and d into a, E into A; the section start keeps its "S".
    EXPECT_EQ(column(t, kNb), (Cells{"1", "1", "S", "2", "2", "3"}));
    // Column 4 folds whatever the kind of the row.
    EXPECT_EQ(column(t, kTarget), (Cells{"1", "a", "Section B", "2", "Amanita", "A"}));
}

TEST(Renumbering, SequencesAreSubstringTestsAppliedInOrder) {
    KeyParams p;
    p.Utilise_suites = true;
    p.les_suites = {"x,y", "z,x", "1,2,3"};
    auto t = tableOf({{"y", "=>", "A"}, {"1,2", "=>", "B"}, {"2,1", "=>", "C"}, {"", "=>", "D"}});
    renumber(t, p);
    // "y" becomes "x" by the first line, then "z" by the second; "z" is the
    // first couplet met.
    EXPECT_EQ(column(t, kNb), (Cells{"1", "2", "3", ""}));
    // An empty cell matches only a line with an empty item.
    p.les_suites = {"q,,r"};
    auto u = tableOf({{"", "=>", "A"}, {"r", "=>", ""}});
    renumber(u, p);
    EXPECT_EQ(column(u, kNb), (Cells{"1", "1"}));
    EXPECT_EQ(u.cell(2, kTarget), "q");

    // Unchecked, the sequences are not used.
    p.Utilise_suites = false;
    p.les_suites = {"a,b"};
    auto v = tableOf({{"a", "=>", "b"}, {"b", "=>", "c"}});
    renumber(v, p);
    EXPECT_EQ(column(v, kNb), (Cells{"1", "2"}));
    EXPECT_EQ(v.cell(1, kTarget), "b");
}

// --- Nesting ---------------------------------------------------------------------

TEST(Renumbering, NestedExampleTracesPathsAndAsks) {
    auto t = tableOf(nestedKey());
    AnsweringHost host(false);
    renumerotation(t, KeyParams{}, host);
    EXPECT_EQ(host.questions, 1);
    EXPECT_EQ(host.title, "Confirmation");
    EXPECT_EQ(host.text, "La clé semble récursive ?\n\n1\n1-2\n1-2-3\n1-2-3\n1-2\n1\n1-2\n1-2");
    EXPECT_EQ(column(t, 5), (Cells{"1", "1-2", "1-2-3", "1-2-3", "1-2", "1", "1-2", "1-2"}));
    EXPECT_EQ(column(t, 6), (Cells{"1", "2", "3", "3", "2", "1", "2", "2"}));
    EXPECT_EQ(column(t, 7), (Cells{"2", "3", "3", "3", "3", "2", "2", "2"}));
    EXPECT_EQ(column(t, 8), (Cells{"", "+", "+", "=", "-", "-", "+", "="}));
    // "&Non": the first-appearance numbering stands.
    EXPECT_EQ(column(t, kNb), (Cells{"1", "2", "3", "3", "2", "1", "2", "2"}));
    EXPECT_EQ(t.cell(6, kTarget), "2");
    EXPECT_EQ(t.columnCount(), 5);
}

TEST(Renumbering, NestedKeyRenumberedAlongItsPaths) {
    auto t = tableOf(nestedKey());
    AnsweringHost host(true);
    renumerotation(t, KeyParams{}, host);
    EXPECT_EQ(column(t, kNb), (Cells{"1", "2", "3", "3", "2", "1", "4", "4"}));
    EXPECT_EQ(column(t, kTarget), (Cells{"2", "3", "A", "B", "C", "4", "D", "E"}));
    EXPECT_EQ(t.columnCount(), 10);
    EXPECT_EQ(t.cell(0, 5), "Cheminemt");
    EXPECT_EQ(t.cell(0, 6), "Nb occurences");
    EXPECT_EQ(t.cell(0, 7), "vers");
    EXPECT_EQ(t.cell(0, 9), "New Nb");
    EXPECT_EQ(t.cell(0, 10), "New vers");
}

TEST(Renumbering, NestedRenumberingGivesEveryRowANumber) {
    auto t = tableOf({{"1", "->", "2"},
                      {"2", "->", "3"},
                      {"3", "=>", "A"},
                      {"1", "->", "9"},
                      {"2", "=>", "B"},
                      {"S", "S", "Section"},
                      {"", "", ""}});
    AnsweringHost host(true);
    renumerotation(t, KeyParams{}, host);
    ASSERT_EQ(host.questions, 1);
    // The section start stays one.
    EXPECT_EQ(column(t, kNb), (Cells{"1", "2", "3", "1", "1", "S", "1"}));
    EXPECT_EQ(t.cell(1, kTarget), "2");
    EXPECT_EQ(t.cell(2, kTarget), "3");
    // A reference that does not lead to the row directly below loses its target.
    EXPECT_EQ(t.cell(4, kTarget), "");
    EXPECT_EQ(t.cell(6, kTarget), "Section");
}

TEST(Renumbering, SuspicionNeedsARiseAboveTheDrop) {
    AnsweringHost host(true);
    // Down then up, but the row above the drop has no step sign.
    auto t = tableOf({{"a", "=>", "A"}, {"", "", ""}, {"b", "=>", "B"}, {"a", "=>", "C"}, {"b", "=>", "D"}});
    renumerotation(t, KeyParams{}, host);
    EXPECT_EQ(host.questions, 0);
    // With a rise above it, the same drop raises it.
    auto u = tableOf({{"a", "=>", "A"}, {"b", "=>", "B"}, {"a", "=>", "C"}, {"b", "=>", "D"}});
    renumerotation(u, KeyParams{}, host);
    EXPECT_EQ(host.questions, 1);
    // Fewer than four rows never raise it.
    auto v = tableOf({{"a", "=>", "A"}, {"b", "=>", "B"}, {"a", "=>", "C"}});
    renumerotation(v, KeyParams{}, host);
    EXPECT_EQ(host.questions, 1);
    // A plain key in order raises nothing.
    auto w = tableOf({{"1", "->", "2"}, {"1", "->", "3"}, {"2", "=>", "A"}, {"2", "=>", "B"}, {"3", "=>", "C"},
                      {"3", "=>", "D"}});
    renumerotation(w, KeyParams{}, host);
    EXPECT_EQ(host.questions, 1);
}

TEST(Renumbering, PathReportListsFifteenRows) {
    std::vector<Lead> leads{{"1", "->", "2"}, {"2", "=>", "A"}, {"1", "->", "2"}, {"2", "=>", "B"}};
    for (int k = 0; k < 30; ++k) leads.push_back({"3", "=>", "C"});
    auto t = tableOf(leads);
    AnsweringHost host(false);
    renumerotation(t, KeyParams{}, host);
    ASSERT_EQ(host.questions, 1);
    const std::string report = host.text.substr(std::string("La clé semble récursive ?\n\n").size());
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 14);
    EXPECT_EQ(report, "1\n1-2\n1\n1-2" + std::string(11, '\n'));
}

TEST(Renumbering, DeepPathKeepsItsFifteenDeepestCouplets) {
    // A chain of 20 couplets, each leading to the next: the path grows with
    // each of them.
    std::vector<Lead> leads;
    for (int k = 1; k <= 20; ++k) {
        leads.push_back({std::to_string(k), "=>", "T"});
        leads.push_back({std::to_string(k), "->", std::to_string(k + 1)});
    }
    leads.push_back({"18", "=>", "U"});  // back up two levels
    leads.push_back({"1", "=>", "V"});   // dropped off the path: it empties
    leads.push_back({"2", "=>", "W"});
    auto t = tableOf(leads);
    renumber(t);
    EXPECT_EQ(t.cell(1, 5), "1");
    EXPECT_EQ(t.cell(29, 5), "1-2-3-4-5-6-7-8-9-10-11-12-13-14-15");
    EXPECT_EQ(t.cell(31, 6), "15");
    EXPECT_EQ(t.cell(39, 5), "6-7-8-9-10-11-12-13-14-15-16-17-18-19-20");
    EXPECT_EQ(t.cell(39, 6), "15");
    EXPECT_EQ(t.cell(39, 8), "=");
    EXPECT_EQ(t.cell(41, 5), "6-7-8-9-10-11-12-13-14-15-16-17-18");
    EXPECT_EQ(t.cell(41, 6), "13");
    EXPECT_EQ(t.cell(42, 5), "");
    EXPECT_EQ(t.cell(42, 8), "-");

    // Renumbering such a key along its paths stays within the table.
    auto u = tableOf(leads);
    AnsweringHost host(true);
    renumerotation(u, KeyParams{}, host);
    EXPECT_EQ(host.questions, 1);
    EXPECT_EQ(u.cell(42, kNb), "1");
}

TEST(Renumbering, BuiltKeyRenumbersEndToEnd) {
    const KeyParams p = sarvelo::testing::dottedLayout();
    Host host;
    ResultTable t;
    const Lines key{"10. Chapeau rouge ... 30", "10. Chapeau blanc ... 20", "20. Pied long ... Amanita alba",
                    "20. Pied court ... Lepiota", "30. Lames libres ... Russula", "30. Lames adnées ... 40"};
    buildTable(prepareLines(key, p, host), p, t, host);
    renumber(t, p);
    EXPECT_EQ(column(t, kNb), (Cells{"1", "1", "2", "2", "3", "3"}));
    EXPECT_EQ(column(t, kTarget), (Cells{"3", "2", "Amanita alba", "Lepiota", "Russula", "40"}));
}

// A nested key under a section heading: whatever the answer to the nested-key
// question, and with the default sequences (which fold every number here into
// one, so that the references come back to it), the heading stays a section
// start and is no error.
TEST(Renumbering, SectionStartStaysOneInNestedKeysAndSequences) {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 0;
    p.Liste_separ_3 = {"=>"};
    p.section_depart = "Section";
    const Lines key{"Section A", "1. Cap red", "2. Gills free => Amanita", "2. Gills attached => Russula",
                    "1. Cap white", "3. Spores pink => Entoloma", "3. Spores white => Clitocybe"};
    for (const bool sequences : {false, true})
        for (const bool yes : {false, true}) {
            p.Utilise_suites = sequences;
            KeyParams params = p;
            AnsweringHost host(yes);
            ResultTable t;
            const RunResult result = runProcessing(key, params, t, host);
            if (!sequences) {
                EXPECT_EQ(result.outcome, RunOutcome::Success) << yes;
            }
            EXPECT_EQ(t.cell(1, kNb), "S") << sequences << yes;
            EXPECT_FALSE(rowInError(t, 1)) << sequences << yes;
            EXPECT_EQ(host.questions, sequences ? 0 : 1);
        }
}
