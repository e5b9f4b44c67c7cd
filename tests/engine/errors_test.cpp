#include <gtest/gtest.h>

#include "engine/engine.hpp"
#include "support/tables.hpp"

using namespace sarvelo;

namespace {

using sarvelo::testing::Cells;
using sarvelo::testing::tableOf;
using Row = Cells;

std::vector<int> rowsInError(const ResultTable& t) {
    std::vector<int> rows;
    for (int r = 1; r <= t.dataRows(); ++r)
        if (rowInError(t, r)) rows.push_back(r);
    return rows;
}

}  // namespace

TEST(ErrorScan, TheTwoRules) {
    const auto table = tableOf({
        {"4", "Chapeau", "->", "4", "1"},           // 1: back to its own couplet
        {"4", "Pied", "=>", "4", "2"},              // 2: determination equal to its number
        {"S", "", "S", "Section I", "3"},           // 3: section start
        {"5", "", "->", "6", "4"},                  // 4: no description
        {"", "", "", "6", ""},                      // 5: comment row
        {"6", "Lames", "->", "", "6"},              // 6: empty reference: not counted
        {"", "", "", "", ""},                       // 7: all empty
        {"", "Spores", "->", "", "8"},              // 8: empty number equal to empty target: fine
        {"s", "", "S", "x", "9"},                   // 9: the section test is case-sensitive
        {"7", "Pied", "->", "7 ", "10"},            // 10: not exactly equal
    });
    EXPECT_EQ(rowsInError(table), (std::vector<int>{1, 2, 4, 5, 7, 9}));
}

TEST(ErrorScan, ErreurScansEveryRowAndHidesTheWorkingColumns) {
    ResultTable table = tableOf({{"1", "Chapeau", "->", "2", "1"}, {"2", "Pied", "=>", "Amanita", "2"}});
    table.setColumnCount(12);
    EXPECT_FALSE(Erreur(table));
    EXPECT_EQ(table.columnCount(), 5);

    ResultTable withComment = tableOf({{"1", "Chapeau", "->", "2", "1"}, {"", "", "", "2", ""},
                                       {"2", "Pied", "=>", "Amanita", "3"}});
    EXPECT_TRUE(Erreur(withComment));

    ResultTable empty;
    EXPECT_FALSE(Erreur(empty));
}

TEST(ErrorLineMarking, MarksTheUsersLinesAfterBlankLinesWereDeleted) {
    // User's text: 0 "1. Chapeau ... 2", 1 "", 2 "1. Pied => Amanita", 3 "", 4 "2. Lames ... 2",
    // 5 "2. Spores => Russula". The preparation deleted the blank lines, so the
    // rows come from lines 0, 2, 4 and 5.
    const auto table = tableOf({
        {"1", "Chapeau", "->", "2", "1"},
        {"1", "Pied", "=>", "Amanita", "2"},
        {"2", "Lames", "->", "2", "3"},
        {"2", "Spores", "=>", "Russula", "4"},
    });
    const std::vector<int> origin{0, 2, 4, 5};
    EXPECT_EQ(errorLines(table, origin, 6), std::vector<int>{4});
    // The row number in column 1 points two lines too high.
    EXPECT_EQ(errorLinesFromColumn1(table, 6), std::vector<int>{2});
}

TEST(ErrorLineMarking, OneLinePerUserLineInOrderAndOnlyInsideTheText) {
    const auto table = tableOf({
        {"3", "", "->", "4", "1"},
        {"3", "", "->", "5", "2"},  // joined from the same user line as the row above
        {"4", "Pied", "->", "5", "3"},
        {"5", "", "=>", "x", "4"},
    });
    EXPECT_EQ(errorLines(table, {7, 7, 8, 2}, 9), (std::vector<int>{2, 7}));
    EXPECT_EQ(errorLines(table, {7, 7, 8, 9}, 9), (std::vector<int>{7}));
    EXPECT_TRUE(errorLines(tableOf({{"1", "Chapeau", "->", "2", "1"}}), {0}, 1).empty());
}

TEST(ErrorLineMarking, ColumnOneRuleTakesTheRowAboveOnlyFromTheThirdRow) {
    const auto table = tableOf({
        {"1", "Chapeau", "->", "2", "1"},
        {"", "", "", "3", ""},          // row 2, empty column 1: nothing
        {"2", "Pied", "->", "3", "3"},
        {"3", "Lames", "=>", "x", "4"},
        {"", "", "", "4", ""},          // row 5: row 4's "4" plus one
        {"4", "Pied", "=>", "4", ""},   // row 6: row 5 has nothing either
        {"5", "", "->", "6", "12"},     // beyond the text
    });
    EXPECT_EQ(errorLinesFromColumn1(table, 10), std::vector<int>{4});
}
