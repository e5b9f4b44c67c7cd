#include <gtest/gtest.h>

#include <algorithm>

#include "engine/text.hpp"
#include "review/finished_key.hpp"
#include "support/tables.hpp"

using namespace sarvelo;

namespace {

using sarvelo::testing::Cells;
using sarvelo::testing::tableOf;
using Row = Cells;

using Lines = std::vector<std::string>;

}  // namespace

TEST(FinishedKey, OneLinePerLeadInTableOrder) {
    const auto table = tableOf({
        {"4", "Spores blanches", "->", "7"},
        {"S", "", "S", "Section I"},
        {"7", "Chapeau rouge", "=>", "Amanita muscaria"},
        {"", "REM note", "", "8"},
        {"7", "Pied bulbeux", "VS", "Boletus"},
        {"8", "Sans renvoi", "->", ""},
    });
    EXPECT_EQ(finishedKeyLines(table), (Lines{
                                           "4,7$ Spores blanches",
                                           "7,0$ Chapeau rouge $ Amanita muscaria",
                                           "7,0$ Pied bulbeux (Ss.-section Boletus)",
                                           "8,$ Sans renvoi",
                                       }));
    EXPECT_TRUE(finishedKeyLines(ResultTable{}).empty());
}

TEST(FinishedKey, OrderIsNumericBetweenCoupletsAndTextualWithin) {
    const Lines built{
        "10,0$ Lames libres $ Lepiota",
        "9,12$ Chapeau rouge",
        "9,3$ Chapeau blanc",
        "9,0$ Pied creux $ Russula",
        "1,9$ Spores",
        "1,10$ Spores roses",
    };
    const OrderResult r = orderFinishedKey(built);
    ASSERT_FALSE(r.failure);
    EXPECT_EQ(r.lines, (Lines{
                           "1,10$ Spores roses",
                           "1,9$ Spores",
                           "9,0$ Pied creux $ Russula",
                           "9,12$ Chapeau rouge",
                           "9,3$ Chapeau blanc",
                           "10,0$ Lames libres $ Lepiota",
                       }));
}

TEST(FinishedKey, OrderKeepsEveryLineOfABuiltKey) {
    std::vector<Row> rows;
    for (int k = 60; k >= 1; --k) {
        rows.push_back({std::to_string(k), "Chapeau de " + std::to_string(k) + " cm", "->", std::to_string(k + 1)});
        rows.push_back({std::to_string(k), "Pied", "=>", "Species " + std::to_string(k)});
    }
    const Lines built = finishedKeyLines(tableOf(rows));
    const OrderResult r = orderFinishedKey(built);
    ASSERT_FALSE(r.failure);
    Lines a = built, b = r.lines;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_EQ(r.lines.front(), "1,0$ Pied $ Species 1");
    EXPECT_EQ(r.lines.back(), "60,61$ Chapeau de 60 cm");
}

TEST(FinishedKey, OrderDropsLeadingZerosAndKeepsLinesThatDifferOnlyInCaseInTheirOrder) {
    const OrderResult r = orderFinishedKey({"007,0$ b", "3,0$ Pied", "3,0$ pied", "2,0$ x"});
    ASSERT_FALSE(r.failure);
    EXPECT_EQ(r.lines, (Lines{"2,0$ x", "3,0$ Pied", "3,0$ pied", "7,0$ b"}));
    const OrderResult swapped = orderFinishedKey({"3,0$ pied", "3,0$ Pied"});
    EXPECT_EQ(swapped.lines, (Lines{"3,0$ pied", "3,0$ Pied"}));
}

TEST(FinishedKey, OrderFailsOnANumberPartThatIsNotAnInteger) {
    const Lines typed{"2,0$ x", "Fin", "1,0$ y"};
    const OrderResult noComma = orderFinishedKey(typed);
    ASSERT_TRUE(noComma.failure);
    EXPECT_EQ(*noComma.failure, "'000000Fin' n'est pas une valeur entière correcte");
    EXPECT_EQ(noComma.lines, typed);

    const OrderResult letters = orderFinishedKey({"1,0$ y", "ab,3$ z"});
    ASSERT_TRUE(letters.failure);
    EXPECT_EQ(*letters.failure, "'0000ab' n'est pas une valeur entière correcte");
}

TEST(FinishedKey, TextOrderPutsPunctuationBeforeDigitsBeforeLetters) {
    using text::lessIgnoringCase;
    EXPECT_TRUE(lessIgnoringCase("*", "0"));
    EXPECT_TRUE(lessIgnoringCase(" ", "*"));
    EXPECT_TRUE(lessIgnoringCase("_", "0"));  // would follow the letters in code order
    EXPECT_TRUE(lessIgnoringCase("9", "a"));
    EXPECT_TRUE(lessIgnoringCase("9", "Section"));
    EXPECT_TRUE(lessIgnoringCase("abc", "ABD"));
    EXPECT_FALSE(lessIgnoringCase("ABC", "abc"));
    EXPECT_FALSE(lessIgnoringCase("abc", "ABC"));
    EXPECT_TRUE(lessIgnoringCase("z", "é"));
    EXPECT_TRUE(lessIgnoringCase("1", "12"));
}
