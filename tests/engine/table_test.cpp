#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "engine/table.hpp"

using namespace sarvelo;

// Texts stored one after the other stay where they are, however many blocks
// the arena takes, whatever their size.
TEST(Table, StoredTextsStayWhereTheyAreAcrossBlocks) {
    ResultTable table;
    table.setRowCount(3001);
    const std::string wide(20000, 'w');
    for (int r = 1; r <= 3000; ++r) table.cell(r, kTexte) = r % 1000 == 0 ? wide : "texte " + std::to_string(r);
    const std::string_view first = std::as_const(table).cell(1, kTexte);
    for (int r = 1; r <= 3000; ++r)
        ASSERT_EQ(table.cell(r, kTexte), r % 1000 == 0 ? wide : "texte " + std::to_string(r)) << r;
    EXPECT_EQ(first, "texte 1");
}

// A cell given another's text keeps it when that one is written again; a
// copy of the table owns its texts, and emptying the original or moving it
// leaves the copy as it was.
TEST(Table, SharedCellsAndCopiesKeepTheirTexts) {
    ResultTable table;
    table.setRowCount(3);
    table.cell(1, kNb) = std::string("12");
    table.cell(2, kNb) = table.cell(1, kNb);
    table.share(2, kKind, kReference);
    table.cell(2, kTarget) = table.keep("Amanita");
    table.cell(1, kNb) = "13";
    EXPECT_EQ(table.cell(2, kNb), "12");
    EXPECT_EQ(table.cell(1, kNb), "13");

    ResultTable copy;
    copy = table;
    ResultTable moved = std::move(table);
    table = ResultTable();
    table.setRowCount(3);
    table.cell(2, kNb) = "99";
    moved.clearData();
    EXPECT_EQ(moved.cell(2, kNb), "");
    EXPECT_EQ(moved.cell(0, kTarget), "Def ou renvois");
    EXPECT_EQ(copy.cell(2, kNb), "12");
    EXPECT_EQ(copy.cell(2, kKind), "->");
    EXPECT_EQ(copy.cell(2, kTarget), "Amanita");
}

// Texts of another arena taken over stay readable through the views made of
// them before.
TEST(Table, AdoptedTextsStayReadable) {
    TextArena prepared;
    const std::string_view line = prepared.store("1. Chapeau rouge ... 2");
    ResultTable table;
    table.setRowCount(2);
    table.adoptTexts(std::move(prepared));
    table.share(1, kTexte, line.substr(3, 13));
    EXPECT_EQ(table.cell(1, kTexte), "Chapeau rouge");
    const ResultTable copy = table;
    table.clearData();
    EXPECT_EQ(copy.cell(1, kTexte), "Chapeau rouge");
}
