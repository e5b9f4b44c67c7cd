#include <gtest/gtest.h>

#include <utility>

#include "engine/engine.hpp"
#include "support/layouts.hpp"

using namespace sarvelo;

namespace {

using Cells = std::vector<std::string>;

struct RecordingHost : Host {
    int maximum = -1;
    std::vector<int> positions;
    int eventBreaks = 0;
    void setProgressMaximum(int m) override { maximum = m; }
    void setProgress(int p) override { positions.push_back(p); }
    void letEventsThrough() override { ++eventBreaks; }
};

PreparedText prepared(const Lines& lines) {
    PreparedText t;
    for (const auto& line : lines) t.lines.push_back(t.text.store(line));
    for (int k = 0; k < static_cast<int>(lines.size()); ++k) t.origin.push_back(k);
    return t;
}

ResultTable build(const Lines& lines, const KeyParams& p) {
    ResultTable table;
    Host host;
    buildTable(prepared(lines), p, table, host);
    return table;
}

// Columns 0 to 4 of a row.
Cells row(const ResultTable& t, int r) {
    Cells cells;
    for (int c = 0; c <= 4; ++c) cells.emplace_back(t.cell(r, c));
    return cells;
}

using sarvelo::testing::dottedLayout;

}  // namespace

// --- Splitting a lead ----------------------------------------------------------

TEST(TableConstruction, WorkedExamplesOfTheDottedLayout) {
    const auto t = build({"12. Chapeau rouge ... 13", "13. Chapeau blanc ... Amanita alba", "15. Pied long",
                          "14. Lamelles libres => Lepiota"},
                         dottedLayout());
    ASSERT_EQ(t.rowCount(), 5);
    EXPECT_EQ(row(t, 1), (Cells{"12", "1", "Chapeau rouge", "->", "13"}));
    // The rest after " ..." is longer than Car_maxi once cleaned: a determination.
    EXPECT_EQ(row(t, 2), (Cells{"13", "2", "Chapeau blanc", "=>", "Amanita alba"}));
    // No ending: empty kind, and the next row's number as target.
    EXPECT_EQ(row(t, 3), (Cells{"15", "", "", "", "14"}));
    EXPECT_EQ(row(t, 4), (Cells{"14", "4", "Lamelles libres ", "=>", "Lepiota"}));
}

TEST(TableConstruction, ReferenceLengthDecidesAgainstCarMaxi) {
    auto p = dottedLayout();
    const auto t = build({"1. a ... 12", "2. b ... 123", "3. c ...- 4 .", "4. d ..."}, p);
    EXPECT_EQ(row(t, 1), (Cells{"1", "1", "a", "->", "12"}));
    EXPECT_EQ(row(t, 2), (Cells{"2", "2", "b", "=>", "123"}));
    // Dots, hyphens and spaces do not count, and are dropped from the reference.
    EXPECT_EQ(row(t, 3), (Cells{"3", "3", "c", "->", "4"}));
    // An empty reference points at the next row (none here).
    EXPECT_EQ(row(t, 4), (Cells{"4", "4", "d", "->", ""}));
    p.Car_maxi = 3;
    EXPECT_EQ(row(build({"2. b ... 123"}, p), 1), (Cells{"2", "1", "b", "->", "123"}));
}

TEST(TableConstruction, ReferenceOnTheNextLine) {
    KeyParams p;
    p.Separ1 = " ";
    p.format_renvois = 0;
    p.Liste_separ_3 = {"=>"};
    const auto t = build({"1 Chapeau rouge", "1 Chapeau blanc => Amanita", "2 Pied long", "2 Pied court"}, p);
    EXPECT_EQ(row(t, 1), (Cells{"1", "1", "Chapeau rouge", "->", "1"}));
    EXPECT_EQ(row(t, 2), (Cells{"1", "2", "Chapeau blanc ", "=>", "Amanita"}));
    EXPECT_EQ(row(t, 3), (Cells{"2", "3", "Pied long", "->", "2"}));
    EXPECT_EQ(row(t, 4), (Cells{"2", "4", "Pied court", "->", ""}));
}

TEST(TableConstruction, FirstDeterminationSeparatorInListOrderDecides) {
    auto p = dottedLayout();
    p.Liste_separ_3 = {":", "", "=>"};
    const auto t = build({"1. a => b : c", "2. d => e"}, p);
    EXPECT_EQ(row(t, 1), (Cells{"1", "1", "a => b ", "=>", "c"}));
    EXPECT_EQ(row(t, 2), (Cells{"2", "2", "d ", "=>", "e"}));
}

// A long list is searched in one pass; the list order still decides, and
// overlapping separators ("=>", "==>", "> ") are each found.
TEST(TableConstruction, LongSeparatorListKeepsListOrder) {
    auto p = dottedLayout();
    p.Liste_separ_3.clear();
    for (int k = 0; k < 40; ++k) p.Liste_separ_3.push_back("#" + std::to_string(k) + "#");
    p.Liste_separ_3.insert(p.Liste_separ_3.begin() + 5, {"", "==>", "ab"});
    p.Liste_separ_3.push_back("=>");
    p.Liste_separ_3.push_back("> ");
    const auto t = build({"1. x #39# y #2# z", "2. u ==> v", "3. u => v", "4. tub #7# c ab d", "5. > w", "6. none ... 7"}, p);
    EXPECT_EQ(row(t, 1), (Cells{"1", "1", "x #39# y ", "=>", "z"}));
    EXPECT_EQ(row(t, 2), (Cells{"2", "2", "u ", "=>", "v"}));
    EXPECT_EQ(row(t, 3), (Cells{"3", "3", "u ", "=>", "v"}));
    EXPECT_EQ(row(t, 4), (Cells{"4", "4", "tub #7# c ", "=>", "d"}));
    EXPECT_EQ(row(t, 5), (Cells{"5", "5", "", "=>", "w"}));
    EXPECT_EQ(row(t, 6), (Cells{"6", "6", "none", "->", "7"}));
}

TEST(TableConstruction, CutsSearchAnywhereInTheLine) {
    auto p = dottedLayout();
    // Separ1 is cut at its first occurrence, wherever it stands.
    EXPECT_EQ(row(build({"12 Chapeau rouge. Pied blanc ... 3"}, p), 1), (Cells{"12", "1", "Pied blanc", "->", "3"}));
    // A Separ1 that does not occur still removes its length less one.
    EXPECT_EQ(row(build({"12Chapeau => X"}, p), 1), (Cells{"12", "1", "hapeau ", "=>", "X"}));
    // A marked line under Sans_numero 1: the dot leader holds the first ". ".
    p.Sans_numero = 1;
    const auto t = build({"4. Chapeau ... 5", "/!\\ Spores ovales ... 7"}, p);
    EXPECT_EQ(row(t, 2), (Cells{"4", "", "", "", ""}));
}

TEST(TableConstruction, LinesTooShortForTheCutsBecomeEmpty) {
    const auto t = build({"7", "8. ", "9"}, dottedLayout());
    EXPECT_EQ(row(t, 1), (Cells{"7", "", "", "", "8"}));
    EXPECT_EQ(row(t, 2), (Cells{"8", "", "", "", "9"}));
    EXPECT_EQ(row(t, 3), (Cells{"9", "", "", "", ""}));
}

TEST(TableConstruction, NumberFollowsTheNumberingStyle) {
    auto p = dottedLayout();
    p.Format = 1;
    EXPECT_EQ(row(build({"b. Chapeau ... c"}, p), 1), (Cells{"b", "1", "Chapeau", "->", "c"}));
    p.Format = 2;
    p.Liste_mixte = {"1a."};
    p.Liste_mixte2 = {"1a\u00FF"};
    EXPECT_EQ(row(build({"3a. Chapeau ... 4"}, p), 1), (Cells{"3a", "1", "Chapeau", "->", "4"}));
    // Hierarchical numbers are not recognised: nothing is cut but Separ1.
    p.Format = 3;
    EXPECT_EQ(row(build({"3a. Chapeau ... 4"}, p), 1), (Cells{"", "1", "Chapeau", "->", "4"}));
}

// --- Comments and leading characters -------------------------------------------

TEST(TableConstruction, CommentRowsOnlyReceiveTheNextNumber) {
    const auto t = build({"REM Attention", "rem x ... 4", "5. a ... 6"}, dottedLayout());
    EXPECT_EQ(row(t, 1), (Cells{"", "", "", "", ""}));
    EXPECT_EQ(row(t, 2), (Cells{"", "", "", "", "5"}));
    EXPECT_EQ(row(t, 3), (Cells{"5", "3", "a", "->", "6"}));
}

TEST(TableConstruction, LeadingCharactersAreCountedAndRemoved) {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = " ";
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Liste_separ_3 = {"=>"};
    p.caractere = "\t";
    const auto t = build({"\t\t3 Pied", "\t4 Lames ... 5", "REM x", "\tREM y"}, p);
    // No ending found: the count stays.
    EXPECT_EQ(row(t, 1), (Cells{"3", "2", "", "", "4"}));
    // An ending found replaces the count by the row number.
    EXPECT_EQ(row(t, 2), (Cells{"4", "2", "Lames", "->", "5"}));
    EXPECT_EQ(row(t, 3), (Cells{"", "", "", "", ""}));
    // A comment after the leading characters keeps its count.
    EXPECT_EQ(row(t, 4), (Cells{"", "1", "", "", ""}));

    // A character outside ASCII counts as one character.
    p.caractere = "\u2026";
    EXPECT_EQ(row(build({"\u2026\u20263 Pied"}, p), 1), (Cells{"3", "2", "", "", ""}));
    // Only one character is compared: a longer text never matches.
    p.caractere = "--";
    EXPECT_EQ(row(build({"--3 Pied"}, p), 1), (Cells{"", "", "", "", ""}));
}

// --- Same-number markers ---------------------------------------------------------

TEST(TableConstruction, MarkedLinesTakeANeighboursNumber) {
    auto p = dottedLayout();
    p.Sans_numero = 1;
    const auto t = build({"5. Chapeau", "/!\\ Spores ovales", "/!\\ Spores rondes", "6. Pied ... 7"}, p);
    EXPECT_EQ(t.cell(2, 0), "5");
    EXPECT_EQ(t.cell(3, 0), "5");  // a run takes the number above the run
    // A row without ending points at the number its neighbour received.
    EXPECT_EQ(t.cell(1, 4), "5");
    // Row 1 takes the header text.
    EXPECT_EQ(build({"/!\\ Spores", "2. a ... 3"}, p).cell(1, 0), "Nb");

    p.Sans_numero = 2;
    const auto below = build({"5. a", "\\!/ b", "\\!/ c", "6. d ... 7", "\\!/ e"}, p);
    // Runs downwards do not chain: the row below still holds its marker.
    EXPECT_EQ(below.cell(2, 0), "\\!/");
    EXPECT_EQ(below.cell(3, 0), "6");
    EXPECT_EQ(below.cell(5, 0), "");
    EXPECT_EQ(below.cell(1, 4), "\\!/");
    EXPECT_EQ(below.cell(2, 4), "6");

    // Any other Sans_numero leaves the number empty.
    p.Sans_numero = 3;
    EXPECT_EQ(build({"5. a ... 6", "/!\\ b"}, p).cell(2, 0), "");
}

TEST(TableConstruction, MarkedLineKeepsItsDescriptionAfterTheMarker) {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = " ";
    p.Sans_numero = 1;
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Liste_separ_3 = {"=>"};
    const auto t = build({"5 Chapeau ... 6", "/!\\ Spores ovales => Amanita"}, p);
    EXPECT_EQ(row(t, 2), (Cells{"5", "2", "Spores ovales ", "=>", "Amanita"}));
}

TEST(TableConstruction, SameNumberMarkTakesPreviousOrNextNumber) {
    auto p = dottedLayout();
    p.meme_numero = "-";
    p.suivant = 1;
    const Lines lines{"5. Chapeau ... 6", "-. Spores ovales => Amanita", "8. Pied ... 9"};
    EXPECT_EQ(row(build(lines, p), 2), (Cells{"5", "2", "Spores ovales ", "=>", "Amanita"}));
    p.suivant = 0;
    EXPECT_EQ(row(build(lines, p), 2), (Cells{"8", "2", "Spores ovales ", "=>", "Amanita"}));
    // With "précédent" a run all takes the number above it.
    p.suivant = 1;
    const auto run = build({"5. a ... 6", "-. b ... 7", "-. c ... 8"}, p);
    EXPECT_EQ(run.cell(2, 0), "5");
    EXPECT_EQ(run.cell(3, 0), "5");
}

TEST(TableConstruction, SameNumberMarkKeepsLeadsWithDotLeaders) {
    auto p = dottedLayout();
    p.meme_numero = "-";
    EXPECT_EQ(row(build({"6. a ... 7", "-. Spores ovales ... 7"}, p), 2), (Cells{"6", "2", "Spores ovales", "->", "7"}));

    KeyParams table;
    table.Format = 0;
    table.meme_numero = "\u2013";
    table.Separ1 = " | ";
    table.Separ2 = " | ";
    table.format_renvois = 1;
    table.Liste_separ_3 = {"=>"};
    const auto t = build({"1 | Basidiomata effused | 3", "\u2013 | Basidiomata resupinate | 2"}, table);
    EXPECT_EQ(row(t, 2), (Cells{"1", "2", "Basidiomata resupinate", "->", "2"}));

    KeyParams leaders;
    leaders.Format = 0;
    leaders.meme_numero = "-";
    leaders.Separ1 = " ";
    leaders.Separ2 = " ...";
    leaders.format_renvois = 1;
    leaders.Liste_separ_3 = {"=>"};
    const auto l = build({"1 Basidiocaps with a crust ....... 3", "- Basidiocaps without a crust ........ 2"}, leaders);
    EXPECT_EQ(row(l, 2), (Cells{"1", "2", "Basidiocaps without a crust", "->", "2"}));
}

TEST(TableConstruction, NumberedLineIsNotTakenForASameNumberMark) {
    auto p = dottedLayout();
    p.meme_numero = "1.";
    EXPECT_EQ(row(build({"1. a ... 3"}, p), 1), (Cells{"1", "1", "a", "->", "3"}));
}

// --- Sections ---------------------------------------------------------------------

TEST(TableConstruction, HeadingLineBecomesASectionStart) {
    auto p = dottedLayout();
    p.section_depart = "Section";
    // The heading as it stands, although its Separ1 does not occur.
    const auto t = build({"Section B", "section c ... 4", "\t SECTION D"}, p);
    EXPECT_EQ(row(t, 1), (Cells{"S", "1", "", "S", "Section B"}));
    EXPECT_EQ(row(t, 2), (Cells{"S", "2", "", "S", "section c ... 4"}));
    // Anything else before the heading word hides it from this route.
    EXPECT_EQ(row(t, 3)[3], "");

    // A heading after its leading characters.
    p.caractere = "\t";
    EXPECT_EQ(row(build({"\t\tSection B"}, p), 1), (Cells{"S", "1", "", "S", "Section B"}));

    // With letters the heading word would be read as a number and cut away.
    p.caractere.clear();
    p.Format = 1;
    EXPECT_EQ(row(build({"Section B"}, p), 1), (Cells{"S", "1", "", "S", "Section B"}));

    // Without section_depart there are no section starts.
    p.section_depart.clear();
    EXPECT_NE(build({"Section B"}, p).cell(1, 3), "S");
}

TEST(TableConstruction, SectionStartAfterTheCuts) {
    auto p = dottedLayout();
    p.section_depart = "Section";
    EXPECT_EQ(row(build({"12. SECTION C"}, p), 1), (Cells{"S", "1", "", "S", "SECTION C"}));
    p.Format = 1;
    p.Separ1 = " ";
    EXPECT_EQ(row(build({"A Section B"}, p), 1), (Cells{"S", "1", "", "S", "Section B"}));
}

TEST(TableConstruction, SectionReference) {
    auto p = dottedLayout();
    p.section = "voir";
    const auto t = build({"3. Spores blanches voir Section B", "4. Spores roses Voir Section C", "5. voir x ... 6"}, p);
    EXPECT_EQ(row(t, 1), (Cells{"3", "1", "Spores blanches ", "VS", "voir Section B"}));
    // Found without regard to case, cut only when the case agrees.
    EXPECT_EQ(row(t, 2), (Cells{"4", "2", "", "VS", "Spores roses Voir Section C"}));
    // Not a reference at the very start of the rest.
    EXPECT_EQ(row(t, 3), (Cells{"5", "3", "voir x", "->", "6"}));
}

// --- Determination clean-up ----------------------------------------------------

TEST(TableConstruction, DeterminationsAreCleaned) {
    auto p = dottedLayout();
    p.Car_maxi = 2;
    const auto t = build({"1. a => Amanita-alba\t", "2. b ... \u2026 Lepiota", "3. c =>  .. . Russula", "4. d => ..",
                          "5. e => ---- Boletus -- novae-angliae -", "6. f => Cortinarius -é-"},
                         p);
    EXPECT_EQ(t.cell(1, 4), "Amanita-alba");
    EXPECT_EQ(t.cell(2, 4), "Lepiota");
    EXPECT_EQ(t.cell(3, 4), "Russula");
    EXPECT_EQ(t.cell(5, 4), "Boletus  novae-angliae ");
    EXPECT_EQ(t.cell(6, 4), "Cortinarius é");
}

// A hyphen stays only between two letters (accented ones too) or two digits;
// beside a space of any kind or another dash it is a leader.
TEST(TableConstruction, HyphensStayOnlyInsideWords) {
    auto p = dottedLayout();
    const struct {
        const char* determination;
        const char* cleaned;
    } cases[] = {
        {"Boletus\u00a0-\u00a0edulis", "Boletus\u00a0\u00a0edulis"},
        {"Boletus\u2009-\u2009edulis", "Boletus\u2009\u2009edulis"},
        {"Amanita \u2013-\u2013 alba", "Amanita \u2013\u2013 alba"},
        {"Russula rose-\u00e9carlate", "Russula rose-\u00e9carlate"},
        {"Lactarius \u00e9-\u00e0", "Lactarius \u00e9-\u00e0"},
        {"Hygrocybe e\u0301-a", "Hygrocybe e\u0301-a"},
        {"Form 1-2", "Form 1-2"},
        {"Form a-2", "Form a2"},
        {"Form .-x", "Form .x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(build({std::string("1. a => ") + c.determination}, p).cell(1, 4), c.cleaned) << c.determination;
    // Cleaned to nothing: the next row's number, still a determination.
    const auto empty = build({"4. d => ..", "5. e => f"}, p);
    EXPECT_EQ(row(empty, 1), (Cells{"4", "1", "d ", "=>", "5"}));
}

TEST(TableConstruction, OddDotLeaderLeavesNoStrayDot) {
    auto p = dottedLayout();
    p.Separ2 = " ..";
    const auto t = build({"1. Chapeau ...... Amanita alba", "2. Chapeau ..... Amanita alba", "3. x => . . Boletus"}, p);
    EXPECT_EQ(t.cell(1, 4), "Amanita alba");
    EXPECT_EQ(t.cell(2, 4), "Amanita alba");
    EXPECT_EQ(t.cell(3, 4), "Boletus");
}

// --- Table size, progress, events ------------------------------------------------

// The working columns live apart from the shown ones: they follow the row
// count, keep what was written, read empty until written, and a new run
// empties them under the header.
TEST(TableConstruction, WorkingColumnsFollowTheRows) {
    ResultTable table;
    table.setRowCount(4);
    EXPECT_EQ(std::as_const(table).cell(3, 7), "");
    table.cell(0, 9) = "New Nb";
    table.cell(3, 7) = "x";
    table.cell(3, 2) = "y";
    table.setRowCount(10);
    EXPECT_EQ(table.cell(3, 7), "x");
    EXPECT_EQ(table.cellOrEmpty(9, 7), "");
    EXPECT_EQ(table.cellOrEmpty(10, 7), "");
    const ResultTable copy = table;
    table.clearData();
    EXPECT_EQ(copy.cell(3, 7), "x");
    EXPECT_EQ(table.cell(3, 7), "");
    EXPECT_EQ(table.cell(3, 2), "");
    EXPECT_EQ(table.cell(0, 9), "New Nb");
    table.setRowCount(2);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(1, 9), "");
}

TEST(TableConstruction, TableGetsOneRowPerPreparedLine) {
    ResultTable table;
    Host host;
    buildTable(prepared({"1. a ... 2", "2. b ... 3", "3. c ... 4"}), dottedLayout(), table, host);
    ASSERT_EQ(table.rowCount(), 4);
    table.setColumnCount(12);
    buildTable(prepared({"REM x"}), dottedLayout(), table, host);
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(row(table, 1), (Cells{"", "", "", "", ""}));
    EXPECT_EQ(table.columnCount(), 5);
    EXPECT_EQ(table.cell(0, 0), "Nb");
    buildTable(prepared({}), dottedLayout(), table, host);
    EXPECT_EQ(table.rowCount(), 1);
}

TEST(TableConstruction, ProgressAndEventsFollowTheRows) {
    RecordingHost host;
    ResultTable table;
    buildTable(prepared({"1. a ... 2", "1. b => X", "2. c => Y", "REM d"}), dottedLayout(), table, host);
    EXPECT_EQ(host.maximum, 3);
    EXPECT_EQ(host.positions, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(host.eventBreaks, 2);  // once per determination row

    RecordingHost none;
    buildTable(prepared({}), dottedLayout(), table, none);
    EXPECT_EQ(none.maximum, 0);
}

TEST(TableConstruction, PreparedKeyEndToEnd) {
    auto p = dottedLayout();
    p.Sans_numero = 4;
    addJoinedDeterminationSeparator(p);
    Host host;
    const auto prep = prepareLines({"1. Chapeau rouge ... 2", "1. Chapeau blanc", "Amanita", "", "2. Pied ... 3",
                                    "2. Pied court", "Lepiota"},
                                   p, host);
    ResultTable t;
    buildTable(prep, p, t, host);
    ASSERT_EQ(t.dataRows(), 4);
    EXPECT_EQ(row(t, 2), (Cells{"1", "2", "Chapeau blanc ", "=>", "Amanita"}));
    EXPECT_EQ(row(t, 3), (Cells{"2", "3", "Pied", "->", "3"}));
    EXPECT_EQ(prep.origin, (std::vector<int>{0, 1, 4, 5}));
}

// --- Texte tidying ------------------------------------------------------------------

TEST(TexteTidying, CleansDescriptions) {
    ResultTable t;
    t.setRowCount(10);
    t.cell(1, 2) = "  Chapeau   rouge.... ";
    t.cell(2, 2) = ". Chapeau";
    t.cell(3, 2) = "\t Pied\tlong \u2026 ...";
    t.cell(4, 2) = "";
    t.cell(5, 2) = "Lames.. .";
    t.cell(6, 2) = "  ";
    t.cell(4, 4) = "  kept  ";
    t.cell(7, 2) = "Chapeau rouge, lames libres";
    t.cell(8, 2) = "Lames  serrées";
    t.cell(9, 2) = "Lames \u2026 serrées";
    EXPECT_TRUE(tidyDescriptions(t));  // row 6 tidies to nothing
    EXPECT_EQ(t.cell(1, 2), "Chapeau rouge");
    EXPECT_EQ(t.cell(2, 2), " Chapeau");
    EXPECT_EQ(t.cell(3, 2), "Piedlong  .");
    EXPECT_EQ(t.cell(4, 2), "");
    EXPECT_EQ(t.cell(5, 2), "Lames.. .");
    EXPECT_EQ(t.cell(6, 2), "");
    EXPECT_EQ(t.cell(4, 4), "  kept  ");
    EXPECT_EQ(t.cell(7, 2), "Chapeau rouge, lames libres");
    EXPECT_EQ(t.cell(8, 2), "Lames serrées");
    EXPECT_EQ(t.cell(9, 2), "Lames  serrées");
    EXPECT_FALSE(tidyDescriptions(t));  // an empty description is left alone
}
