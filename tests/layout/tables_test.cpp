// Keys set as tables and copies of web pages, pasted as users paste them:
// detection reads each and gives the finished key checked by hand.
#include <gtest/gtest.h>

#include "engine/text.hpp"
#include "layout/cells.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

TEST(TableReadings, EachPastingOfATableGivesItsKey) {
    struct Case {
        const char* layout;
        const char* text;
        std::vector<std::string> finished;  // in any order
    };
    const std::vector<std::string> mates{"1,2$ Spores white", "1,0$ Spores pink $ Pluteus", "2,0$ Gills free $ Amanita",
                                         "2,0$ Gills attached $ Tricholoma"};
    const Case cases[] = {
        {"rows between bars, each lead numbered with its partner's number",
         "| 1(4) | Spores white | |\n| 2(3) | Gills free | Amanita |\n| 3(2) | Gills attached | Tricholoma |\n"
         "| 4(1) | Spores pink | Pluteus |\n", mates},
        {"one cell a line, each lead numbered with its partner's number",
         "Key\n\n1(4)\nSpores white\n2(3)\nGills free\nAmanita\n3(2)\nGills attached\nTricholoma\n4(1)\nSpores pink\n"
         "Pluteus\n", mates},
        {"rows between bars, a group named before the reference",
         "| 1 | Spores white | Albae group... 2 |\n| \u2013 | Spores pink | Pluteus |\n| 2(1) | Gills free | Amanita |\n"
         "| \u2013 | Gills attached | Tricholoma |\n",
         {"1,2$ Spores white Albae group", "1,0$ Spores pink $ Pluteus", "2,0$ Gills free $ Amanita",
          "2,0$ Gills attached $ Tricholoma"}},
        {"references after words and dots, the key under a title",
         "Key to the genera\n\n1. Spores white .......... voir 2\n1. Spores pink .......... Pluteus\n"
         "2. Gills free .......... voir 3\n2. Gills attached .......... Tricholoma\n3. Ring present .......... Amanita\n"
         "3. Ring absent .......... Lepiota\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus", "2,3$ Gills free", "2,0$ Gills attached $ Tricholoma",
          "3,0$ Ring present $ Amanita", "3,0$ Ring absent $ Lepiota"}},
        {"rows between tabs, a reference in square brackets",
         "1\tSpores white\t[2]\n\u2013\tSpores pink\tPluteus\n2\tGills free\t[3]\n\u2013\tGills attached\tTricholoma\n"
         "3\tRing present\tAmanita\n\u2013\tRing absent\tLepiota\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus", "2,3$ Gills free", "2,0$ Gills attached $ Tricholoma",
          "3,0$ Ring present $ Amanita", "3,0$ Ring absent $ Lepiota"}},
        {"a web page's fields: each lead's label and text on a line, its destination on the next",
         "Key\n\n1 Spores white\n2\n\u2013 Spores pink\nPluteus cervinus\n2 Gills free\n3\n\u2013 Gills attached\n"
         "Tricholoma nudum\n3 Ring present\nAmanita muscaria\n\u2013 Ring absent\nLepiota cristata\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus cervinus", "2,3$ Gills free",
          "2,0$ Gills attached $ Tricholoma nudum", "3,0$ Ring present $ Amanita muscaria",
          "3,0$ Ring absent $ Lepiota cristata"}},
        {"rows between tabs, the blank after the book's number before a name lost",
         "1\tSpores white\t2\n\u2013\tSpores pink\t12.Pluteus cervinus\n2\tGills free\t3.Amanita\n"
         "\u2013\tGills attached\t4. Tricholoma\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus cervinus", "2,0$ Gills free $ Amanita",
          "2,0$ Gills attached $ Tricholoma"}},
        {"rows between tabs, next leads after a dash, a remark row without label under a name",
         "1\tSpores white\t2\n\u2013\tSpores pink\tPluteus\n\tCap small, on wood.\t\n2\tGills free\tAmanita\n"
         "\tVolva present.\t\n\u2013\tGills attached\tTricholoma\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus Cap small, on wood.", "2,0$ Gills free $ Amanita Volva present.",
          "2,0$ Gills attached $ Tricholoma"}},
        {"rows between tabs in indented order, a lead going on without destination, a number printed twice",
         "Key\n1\tSpores white\n2\tGills free\tAmanita\n2\u2019\tGills attached\tTricholoma\n"
         "1\u2019\tSpores pink\n2\tRing present\tLepiota\n2\u2019\tRing absent\tPluteus\n",
         {"1,2$ Spores white", "1,3$ Spores pink", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma",
          "3,0$ Ring present $ Lepiota", "3,0$ Ring absent $ Pluteus"}},
        {"rows between tabs, a name run into its lead's text after a blank, a remark row of one cell under a name",
         "1\tSpores pink, cap small P. cervinus Fr. (Europe)\n\u2013\tSpores white\t2\n2\tGills free\tA.muscaria\n"
         "\t(Europe, Asia)\n\u2013\tGills attached, cap dry T.nudum Bull. & Fr\n",
         {"1,0$ Spores pink, cap small $ P. cervinus Fr. (Europe)", "1,2$ Spores white",
          "2,0$ Gills free $ A.muscaria (Europe, Asia)", "2,0$ Gills attached, cap dry $ T.nudum Bull. & Fr"}},
        {"rows between tabs, dashes for the next leads, a leader before each destination cell",
         "Key\n\n1\tSpores white ........\t2\n\u2013\tSpores pink ........\t3\n2\tGills free ........\tAmanita\n"
         "\u2013\tGills attached ........\tTricholoma\n3\tRing present ........\tLepiota\n"
         "\u2013\tRing absent ........\tPluteus\n",
         {"1,2$ Spores white", "1,3$ Spores pink", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma",
          "3,0$ Ring present $ Lepiota", "3,0$ Ring absent $ Pluteus"}},
        {"rows between tabs, a page's number and running head where the table's page broke",
         "1\tSpores white\t2\n\u2013\tSpores pink\t3\n2(1)\tGills free\tAmanita\n\u2013\tGills attached\tTricholoma\n"
         "3(1)\tRing present\t\n\n47\nJournal of Fungi 12: 40\u201360 (2015)\n\n4(3)\tCap red\tRussula\n"
         "4\u2019\tCap brown\tLactarius\n3\u2019\tRing absent\tPluteus\n",
         {"1,2$ Spores white", "1,3$ Spores pink", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma",
          "3,4$ Ring present", "3,0$ Ring absent $ Pluteus", "4,0$ Cap red $ Russula", "4,0$ Cap brown $ Lactarius"}},
        {"rows between tabs in indented order, a dash after a closed couplet for the next lead of the open one",
         "1\tSpores white\t2\n\u2013\tSpores pink\t3\n2(1)\tGills free\tAmanita\n\u2013\tGills attached\tTricholoma\n"
         "3(1)\tRing present\t\n4(3)\tCap red\tRussula\n\u2013\tCap brown\tLactarius\n\u2013\tRing absent\tPluteus\n",
         {"1,2$ Spores white", "1,3$ Spores pink", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma",
          "3,4$ Ring present", "3,0$ Ring absent $ Pluteus", "4,0$ Cap red $ Russula", "4,0$ Cap brown $ Lactarius"}},
        {"rows between tabs, primes and couplets of origin, a leader before each destination cell",
         "1\tSpores white ........\t2\n1\u2019\tSpores pink ........\t3\n2(1)\tGills free ........\tAmanita\n"
         "2\u2019\tGills attached ........\tTricholoma\n3(1\u2019)\tRing present ........\tLepiota\n"
         "3\u2019\tRing absent ........\tPluteus\n",
         {"1,2$ Spores white", "1,3$ Spores pink", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma",
          "3,0$ Ring present $ Lepiota", "3,0$ Ring absent $ Pluteus"}},
        {"one cell a line, the next couplet's number after a lead's text, then that couplet's number with its origin",
         "Key to the genera (Pluteus not included)\n1\nSpores white (Fig. 1)\nPluteus cervinus\n\u2013\n"
         "Spores pink (Figs 2, 3)\n2\n2(1)\nGills free (Fig. 4)\nAmanita muscaria (L.)\n\u2013\nGills attached (Fig. 5)\n3\n"
         "3(2)\nRing present\nLepiota cristata (Bolton)\n\u2013\nRing absent\nTricholoma nudum (Bull.)\n",
         {"1,0$ Spores white (Fig. 1) $ Pluteus cervinus", "1,2$ Spores pink (Figs 2, 3)",
          "2,0$ Gills free (Fig. 4) $ Amanita muscaria (L.)", "2,3$ Gills attached (Fig. 5)",
          "3,0$ Ring present $ Lepiota cristata (Bolton)", "3,0$ Ring absent $ Tricholoma nudum (Bull.)"}},
        {"rows between tabs, minus signs for the next leads, notes' calls glued to names, the notes after the key",
         "1\tSpores white\t2\n\u2212\tSpores pink\tPluteus cervinus1\n2\tGills free\tAmanita [Europe]2\n"
         "\u2212\tGills attached\tTricholoma nudum\n1 Smith (1990) treats it as a variety.\n2 The type is lost.\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus cervinus", "2,0$ Gills free $ Amanita [Europe]",
          "2,0$ Gills attached $ Tricholoma nudum"}},
        {"rows between tabs, a heading and prose right after the last row",
         "Key to species\n1\tLeaves simple and broad\t2\n\u2013\tLeaves compound\t3\n2\tFlowers red\tAcer rubrum\n"
         "\u2013\tFlowers white\tAcer album\n3\tFruit a pod\tRobinia alba\n\u2013\tFruit a berry\tSambucus nigra (Smith)\n"
         "Discussion\nPhylogeny. The analysis found four trees of equal length, and more words follow here.\n",
         {"1,2$ Leaves simple and broad", "1,3$ Leaves compound", "2,0$ Flowers red $ Acer rubrum",
          "2,0$ Flowers white $ Acer album", "3,0$ Fruit a pod $ Robinia alba", "3,0$ Fruit a berry $ Sambucus nigra (Smith)"}},
        {"one cell a line, a name run into a lead's text before a couplet another lead leads to",
         "1\nSpores white\n2\n\u2013\nSpores pink, cap small P. cervinus sp. n.\n2(1)\nGills free\nAmanita\n\u2013\n"
         "Gills attached\nTricholoma\n",
         {"1,2$ Spores white", "1,0$ Spores pink, cap small $ P. cervinus sp. n.", "2,0$ Gills free $ Amanita",
          "2,0$ Gills attached $ Tricholoma"}},
        {"one cell a line, a heading right after the last name",
         "1\nSpores white\n2\n\u2013\nSpores pink\nPluteus cervinus\n2(1)\nGills free\nAmanita\n\u2013\nGills attached\n"
         "Tricholoma nudum Bull.\nSpecies descriptions of the genera\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus cervinus", "2,0$ Gills free $ Amanita",
          "2,0$ Gills attached $ Tricholoma nudum Bull."}},
        {"rows between tabs, a leader after each lead's text, a group named before the reference",
         "Key\n1\tSpores white ........\tsubgenus Albae 2\n\u2013\tSpores pink ........\tsubgenus Roseae 3\n"
         "2\tGills free ........\tAmanita\n\u2013\tGills attached ........\tTricholoma\n3\tRing present ........\tLepiota\n"
         "\u2013\tRing absent ........\tPluteus\n",
         {"1,2$ Spores white subgenus Albae", "1,3$ Spores pink subgenus Roseae", "2,0$ Gills free $ Amanita",
          "2,0$ Gills attached $ Tricholoma", "3,0$ Ring present $ Lepiota", "3,0$ Ring absent $ Pluteus"}},
        {"rows between tabs labelled 1a/1b, the first misread by a scan, leaders after each lead's text",
         "Key\n\nla\tSpores white ............\t2\n1b\tSpores pink ............\tPluteus\n"
         "2a\tGills free ............\tAmanita\n2b\tGills attached ............\tTricholoma\n", mates},
        {"rows between tabs, each lead numbered with its partner's number in bold marks",
         "**1(4)**\tSpores white\t\n**2(3)**\tGills free\tAmanita\n**3(2)**\tGills attached\tTricholoma\n"
         "**4(1)**\tSpores pink\tPluteus\n", mates},
        {"rows between tabs in indented order, a page's number and running head inside and after the rows, prose after",
         "Key\n1\tSpores white\t\n2\tGills free\tAmanita\n\n47\nJournal of Fungi 12: 40\u201360 (2015)\n\n"
         "2\u2019\tGills attached\tTricholoma\n1\u2019\tSpores pink\t\n"
         "3\tRing present\tLepiota\n3\u2019\tRing absent\tPluteus nanus\n\n54\nJournal of Fungi 12: 40\u201360 (2015)\n\n"
         "This is the third species new to science found in the park.\n",
         {"1,2$ Spores white", "1,3$ Spores pink", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma",
          "3,0$ Ring present $ Lepiota", "3,0$ Ring absent $ Pluteus nanus"}},
        {"columns set by blanks under their heads, a shade on its group's first row only, a remark wrapped in its column",
         "                 KEY TO THE RED MINERALS\n    Color      Hardness   Streak      Remarks            Mineral\n\n"
         " Red\n    scarlet    2.5        scarlet     tarnishes          prousite\n"
         "               2.5        vermilion   scarlet to         cinnabar\n                                      dark red\n"
         "    rose       4          white       effervesces        rhodochrosite\n"
         "    ochre      7          white       glassy             jasper\n"
         "               6          red         dull               hematite\n",
         {"1,2$ scarlet", "1,0$ rose 4 white effervesces $ rhodochrosite", "1,3$ ochre",
          "2,0$ 2.5 scarlet tarnishes $ prousite", "2,0$ 2.5 vermilion scarlet to dark red $ cinnabar",
          "3,0$ 7 white glassy $ jasper", "3,0$ 6 red dull $ hematite"}},
    };
    for (const Case& c : cases) EXPECT_TRUE(sarvelo::testing::detectsKey(text::splitLines(c.text), c.finished)) << c.layout;
}

// The last name over lines of its own, one cell a line, before the blank
// line after the key is the book's, not a name joined from the text after.
TEST(TableReadings, TheLastNameOverCellsOfItsOwnIsNotJoinedFromTheTextAfter) {
    const Lines text = text::splitLines(
        "Key\n\n1\nSpores white (Fig. 2); cap\n(Fig. 3) small, grey\n2\n\u2013\nSpores pink\nPluteus cervinus\n(Fr.)\n2(1)\n"
        "Gills free\nAmanita\n\u2013\nGills attached\nTricholoma album\n(Fr.)\n\nSpecies treatment\n");
    EXPECT_TRUE(sarvelo::testing::detectsKey(text, {"1,2$ Spores white (Fig. 2); cap (Fig. 3) small, grey",
                                                    "1,0$ Spores pink $ Pluteus cervinus (Fr.)", "2,0$ Gills free $ Amanita",
                                                    "2,0$ Gills attached $ Tricholoma album (Fr.)"}));
    EXPECT_EQ(detectLayout(text).proposals.front().score.joinedNames, 0);
}

// A table set in columns by blanks: rows with their cells wrapped under
// themselves, shades printed on a group's first row only, column heads and
// a heading above.
TEST(TableReadings, ATableInColumnsOfBlanksReadsByItsRowsAndGroups) {
    const struct {
        const char* layout;
        const char* text;
        Lines couplets;
    } cases[] = {
        {"one group, a cell wrapped under itself, column heads and a heading above",
         "   Color   Hardness     Remarks                 Mineral\n\n  Colorless or nearly so\n"
         "           10       in octahedrons          diamond\n           9        in prisms               corundum\n"
         "           7 or 4.5 cubes                   boracite\n"
         "           3        effervesces, with       calcite\n                      rhomboidal cleavage\n"
         "           2.5      tastes of salt          halite\n",
         {"1. 10 in octahedrons => diamond", "1. 9 in prisms => corundum", "1. 7 or 4.5 cubes => boracite",
          "1. 3 effervesces, with rhomboidal cleavage => calcite", "1. 2.5 tastes of salt => halite"}},
        {"shades on their first row only, a shade of one row",
         " Red\n    scarlet    2.5   scarlet     tarnishes          prousite\n"
         "               2.5   vermilion   scarlet to         cinnabar\n                                 dark red\n"
         "    rose       4     white       effervesces        rhodochrosite\n"
         "    ochre      7     white       glassy             jasper\n               6     red         dull               hematite\n",
         {"1. scarlet ... 2", "1. rose 4 white effervesces => rhodochrosite", "1. ochre ... 3",
          "2. 2.5 scarlet tarnishes => prousite", "2. 2.5 vermilion scarlet to dark red => cinnabar",
          "3. 7 white glassy => jasper", "3. 6 red dull => hematite"}},
    };
    for (const auto& c : cases) EXPECT_EQ(readSpacedColumns(text::splitLines(c.text)).couplets, c.couplets) << c.layout;
    // Leads with their names at the right after blanks, no third column: no table.
    EXPECT_TRUE(readSpacedColumns(text::splitLines("Spores white\n  Gills free       Amanita\n  Gills attached   Tricholoma\n"
                                                   "Spores pink\n  Gills free       Pluteus\n  Gills attached   Entoloma\n"))
                    .couplets.empty());
}
