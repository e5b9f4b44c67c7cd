// Keys pasted from a web page's table, one cell a line.
#include <gtest/gtest.h>

#include "engine/text.hpp"
#include "layout/cells.hpp"

using namespace sarvelo;

TEST(CellPerLine, EachLeadsNumberTextAndDestinationAreJoined) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;
        int before, after;
        int firstLine;  // of the first lead
    };
    const Lines gills{"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita",
                      "2. Gills attached => Tricholoma"};
    const Case cases[] = {
        {"numbers and dashes", "1\nSpores white\n2\n\u2013\nSpores pink\nPluteus cervinus\n2\nGills free\nAmanita\n"
                               "\u2013\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"title before, prose after, a destination equal to the next number",
         "Key to the genera\n\n1.\nSpores white\n2\n-\nSpores pink\nPluteus cervinus\n2.\nGills free\nAmanita\n"
         "-\nGills attached\nTricholoma\n\nAmanita is the largest genus.\n", gills, 1, 1, 2},
        {"pipe table: title, header and rule line, the next lead's number cell empty",
         "Key\n\n| Couplet | Lead | Go to |\n| --- | --- | --- |\n| 1 | Spores white | 2 |\n"
         "| | Spores pink | Pluteus cervinus |\n| 2 | Gills free | Amanita |\n| | Gills attached | Tricholoma |\n", gills, 2, 0, 4},
        {"pipe table without outer bars, dashes, the name in a column of its own",
         "1 | Spores white | 2 | \n- | Spores pink | | Pluteus cervinus\n2 | Gills free | | Amanita\n"
         "- | Gills attached | | Tricholoma\nAmanita is the largest genus.\n", gills, 0, 1, 0},
        {"cells between tabs, the couplet of origin after the number, the book's page after the name",
         "1\tSpores white\t2\n1'\tSpores pink\tPluteus cervinus\t12\n2(1)\tGills free\tAmanita\t14\n"
         "2'\tGills attached\tTricholoma\t15\n", gills, 0, 0, 0},
        {"cells between tabs, the book's species number before the names, one of them in quotes",
         "1\tSpores white\t2\n\u2013\tSpores pink\t12. Pluteus cervinus\n2\tGills free\t3. \u201CAmanita\u201D\n"
         "\u2013\tGills attached\t4b. Tricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => \u201CAmanita\u201D",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"one cell a line, labels misread by a scan",
         "l\nSpores white\n2\nl\u2019\nSpores pink\nPluteus cervinus\n2\nGills free\nAmanita\n"
         "2\u2019\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"pipe table, references in brackets and after an arrow",
         "| 1 | Spores white | (2) |\n| \u2013 | Spores pink | Pluteus cervinus |\n| 2 | Gills free | \u2192 3 |\n"
         "| \u2013 | Gills attached | Tricholoma |\n| 3 | Ring present | Amanita |\n| \u2013 | Ring absent | Lepiota |\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free ... 3",
          "2. Gills attached => Tricholoma", "3. Ring present => Amanita", "3. Ring absent => Lepiota"}, 0, 0, 0},
        {"cells between tabs, the book's page noted in a cell after the name",
         "1.\tSpores white\t2\n\u2013\tSpores pink\tPluteus cervinus\tp. 12\n2.\tGills free\tAmanita\tp. 14\n"
         "\u2013\tGills attached\tTricholoma\tS. 15\n", gills, 0, 0, 0},
        {"one cell a line, primed numbers with a stop",
         "1.\nSpores white\n2\n1\u2019.\nSpores pink\nPluteus cervinus\n2.\nGills free\nAmanita\n"
         "2\u2019.\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"one cell a line, the numbers in bold marks",
         "**1**\nSpores white\n2\n\u2013\nSpores pink\nPluteus cervinus\n**2**\nGills free\nAmanita\n"
         "\u2013\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"one cell a line, leaders in cells of their own, a name's authors in a cell of their own",
         "1\nSpores white\n........\n2\n\u2013\nSpores pink\n........\nPluteus cervinus\n(Schaeff.) P. Kumm.\n2\n"
         "Gills free\n........\nAmanita\n\u2013\nGills attached\n........\nTricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus (Schaeff.) P. Kumm.", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"one cell a line, a running head between two pages",
         "1\nSpores white\n2\n\u2013\nSpores pink\nPluteus cervinus\n248 FLORA OF OHIO\n2\nGills free\nAmanita\n"
         "\u2013\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"leads labelled 1a and 1b, a leader left at the end of a lead's text",
         "1a\nSpores white ........\n2\n1b\nSpores pink ........\nPluteus cervinus\n2a\nGills free\nAmanita\n"
         "2b\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"one cell a line, the couplet of origin primed, after the number's stop",
         "1\nSpores white\n2\n1'\nSpores pink\nPluteus cervinus\n2. (1')\nGills free\nAmanita\n2'\nGills attached\n"
         "Tricholoma\n", gills, 0, 0, 0},
        {"cells between tabs, a remark in brackets in a row of its own under a name",
         "1\tSpores white\t2\n\u2013\tSpores pink\tPluteus cervinus\n\t(one species here)\t\n2\tGills free\tAmanita\n"
         "\u2013\tGills attached\tTricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus (one species here)", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"cells between tabs, a sub-key in letters under a name",
         "1\tSpores white\t2\n\u2013\tSpores pink\tPluteus\n2\tGills free\tTricholoma\n\u2013\tGills attached\tAmanita\n"
         "a\tRing present\tAmanita muscaria\n\u2013\tRing absent\tb\nb\tVolva white\tAmanita alba\n"
         "\u2013\tVolva grey\tAmanita grisea\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free => Tricholoma",
          "2. Gills attached Amanita ... 901", "901. Ring present => Amanita muscaria", "901. Ring absent ... 902",
          "902. Volva white => Amanita alba", "902. Volva grey => Amanita grisea"}, 0, 0, 0},
        {"cells between tabs, the group a lead leads to before its reference",
         "1\tSpores white\tAlbae group... 2\n\u2013\tSpores pink\tPluteus\n2\tGills free\tAmanita\n"
         "\u2013\tGills attached\t(Tricholoma) 3\n3\tRing present\tTricholoma alba\n\u2013\tRing absent\tTricholoma nuda\n",
         {"1. Spores white Albae group ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita",
          "2. Gills attached (Tricholoma) ... 3", "3. Ring present => Tricholoma alba", "3. Ring absent => Tricholoma nuda"},
         0, 0, 0},
        {"cells between tabs, a couplet of three leads, the third double-primed",
         "1\tSpores white\t2\n1'\tSpores pink\tPluteus\n1\u2033\tSpores black\tCoprinus\n2\tGills free\tAmanita\n"
         "2'\tGills attached\tTricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "1. Spores black => Coprinus", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"pipe table, the couplet of origin after each number",
         "| 1 | Spores white | 2 |\n| \u2013 | Spores pink | Pluteus cervinus |\n| 2(1) | Gills free | Amanita |\n"
         "| \u2013 | Gills attached | Tricholoma |\n", gills, 0, 0, 0},
        {"one cell a line, the couplet of origin in a cell of its own",
         "1\n(0)\nSpores white\n2\n\u2013\nSpores pink\nPluteus cervinus\n2\n(1)\nGills free\nAmanita\n"
         "\u2013\nGills attached\nTricholoma\n", gills, 0, 0, 0},
        {"indented order: primed second leads, a lead that leads on followed by its couplet",
         "1\nSpores white\n2\nGills free\nAmanita\n2\u2019\nGills attached\nTricholoma\n1\u2019\nSpores pink\n"
         "Pluteus cervinus\n", {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita",
                                 "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"the group a lead leads to before its destination", "1\nSpores pink\nPluteus cervinus\n1'\nSpores white\n"
         "section Albae, 2\n2\nGills free\nAmanita\n2'\nGills attached\nTricholoma\n",
         {"1. Spores pink => Pluteus cervinus", "1. Spores white section Albae ... 2", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"a lead without destination", "1\nSpores white\n\u2013\nSpores pink\nPluteus\n2\nGills free\nAmanita\n"
                                       "\u2013\nGills attached\nTricholoma\n", {}, 0, 0, 0},
        {"one cell a line, names cut where their italics end: genus, epithet, authors",
         "1\nSpores white\n2\n\u2013\nSpores pink\nPluteus\ncervinus\n(Schaeff.)\n2\nGills free\nAmanita\n"
         "\u2013\nGills attached\nTricholoma\nalbum\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus (Schaeff.)", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma album"}, 0, 0, 0},
        {"one cell a line, a lead's text cut at its brackets, before its destination",
         "1\nSpores white\n(Fig. 3)\n2\n\u2013\nSpores pink\nPluteus cervinus\n2\nGills free\nAmanita\n"
         "\u2013\nGills attached\nTricholoma\n",
         {"1. Spores white (Fig. 3) ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"one cell a line, the last lead's text cut at its brackets, its name after a leader",
         "1\nSpores white\n2\n\u2013\nSpores pink\nPluteus cervinus\n2\nGills free\nAmanita\n"
         "\u2013\nGills attached\n(Fig. 3)\n........ Tricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita",
          "2. Gills attached (Fig. 3) => Tricholoma"}, 0, 0, 0},
        {"a text cut at its brackets and going on in lower case before a name over cells, authors before a heading",
         "1\nSpores white\n2\n\u2013\nSpores pink\n(Fig. 3); gills free, grey.\nPluteus\ncervinus\n2\nGills free\nAmanita\n"
         "\u2013\nGills attached\nTricholoma album\n(Fr.)\n\nSpecies accounts\n",
         {"1. Spores white ... 2", "1. Spores pink (Fig. 3); gills free, grey => Pluteus cervinus", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma album (Fr.)"}, 0, 1, 0},
        {"rows between tabs, a name and its \"sp. n.\" run into a row's text, the tab lost",
         "1\tSpores white\t2\n\u2013\tSpores pink (Fig. 7d); gills free P. cervinus sp. n.\n2(1)\tGills free\tAmanita\n"
         "\u2013\tGills attached\tTricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink (Fig. 7d); gills free => P. cervinus sp. n.", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0},
        {"no key", "Spores white\nSpores pink\n", {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const CellKey key = readCellPerLine(text::splitLines(c.text));
        EXPECT_EQ(key.couplets, c.expected) << c.name;
        if (c.expected.empty()) continue;
        EXPECT_EQ(key.before, c.before) << c.name;
        EXPECT_EQ(key.after, c.after) << c.name;
        EXPECT_EQ(key.origin.front(), c.firstLine) << c.name;
    }
}

// A row whose destination cell is left empty: the lead is read without, for
// the checks to name it.
TEST(CellPerLine, ARowWithoutDestinationIsReadWithoutIt) {
    const Lines text{"| 1 | Spores white | 2 |", "| | Spores pink | Pluteus |", "| 2 | Gills free | |",
                     "| | Gills attached | Tricholoma |"};
    EXPECT_EQ(readCellPerLine(text).couplets,
              (Lines{"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free", "2. Gills attached => Tricholoma"}));
}

TEST(TableRows, EachRowOfCellsBecomesALineOfTabs) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;  // empty: no table
        std::vector<int> origin;
    };
    const Case cases[] = {
        {"rows between bars: the rule line goes, an empty first cell stays empty",
         "Key\n| No. | Lead | Go to |\n|---|---|---|\n| 1(4) | Spores white | |\n| 2(3) | Gills free | Amanita |\n"
         "| | Gills attached | Tricholoma |\n| 4(1) | Spores pink | Pluteus |\n",
         {"Key", "No.\tLead\tGo to", "1(4)\tSpores white", "2(3)\tGills free\tAmanita", "\tGills attached\tTricholoma",
          "4(1)\tSpores pink\tPluteus"},
         {0, 1, 3, 4, 5, 6}},
        {"one cell a line: leaders alone go, the couplet of origin joins its number, prose after the last name ends it",
         "Key\n1\nSpores white\n....\n2\n2\n(1)\nGills free\nAmanita\n\u2013\nGills attached\nTricholoma\nL.\n"
         "1\u2019\nSpores pink\nPluteus\nPluteus is a genus of many species found in woods.\n",
         {"Key", "1\tSpores white\t2", "2(1)\tGills free\tAmanita", "\u2013\tGills attached\tTricholoma\tL.",
          "1\u2019\tSpores pink\tPluteus", "Pluteus is a genus of many species found in woods."},
         {0, 1, 5, 9, 13, 16}},
        {"one cell a line, the lead's text wrapped over lines, the last name before its authors and a blank line",
         "1\nSpores white, the gills\nfree\n2\n1'\nSpores pink\nPluteus\n2\nGills free, ring\nmem-\nbranous\nAmanita\n"
         "2'\nGills attached, ring\nabsent\nTricholoma\n(Fr.)\n\nTricholoma is a large genus.\n",
         {"1\tSpores white, the gills free\t2", "1'\tSpores pink\tPluteus", "2\tGills free, ring membranous\tAmanita",
          "2'\tGills attached, ring absent\tTricholoma (Fr.)", "", "Tricholoma is a large genus."},
         {0, 4, 7, 12, 17, 18}},
        {"one cell a line, a heading after the last name is no author of it",
         "1\nSpores white\n2\n1'\nSpores pink\nPluteus\n2\nGills free\nAmanita\n2'\nGills attached\nTricholoma\n"
         "Species of the genera\n",
         {"1\tSpores white\t2", "1'\tSpores pink\tPluteus", "2\tGills free\tAmanita", "2'\tGills attached\tTricholoma",
          "Species of the genera"},
         {0, 3, 6, 9, 12}},
        {"one cell a line, a blank line and a short heading after the last name end the table",
         "1\nSpores white\n2\n1'\nSpores pink\nPluteus\n2\nGills free\nAmanita\n2'\nGills attached\nTricholoma\n\nFigures\n"
         "\nFigure 1.\n",
         {"1\tSpores white\t2", "1'\tSpores pink\tPluteus", "2\tGills free\tAmanita", "2'\tGills attached\tTricholoma", "",
          "Figures", "", "Figure 1."},
         {0, 3, 6, 9, 12, 13, 14, 15}},
        {"one cell a line, authors in brackets after a name on a line of their own",
         "1\nSpores white\n2\n1'\nSpores pink\nPluteus cervinus\n(Schaeff.)\n2\nGills free\nAmanita\n2'\n"
         "Gills attached\nTricholoma album\n(Fr.)\n",
         {"1\tSpores white\t2", "1'\tSpores pink\tPluteus cervinus (Schaeff.)", "2\tGills free\tAmanita",
          "2'\tGills attached\tTricholoma album (Fr.)"},
         {0, 3, 7, 10}},
        {"rows between tabs, the labels out of their marks", "Key\n**1**\tSpores white\t2\n_\u2013_\tSpores pink\tPluteus\n"
         "**2**\tGills free\tAmanita\n=\u2013=\tGills attached\tTricholoma\n",
         {"Key", "1\tSpores white\t2", "\u2013\tSpores pink\tPluteus", "2\tGills free\tAmanita", "\u2013\tGills attached\tTricholoma"},
         {0, 1, 2, 3, 4}},
        {"one cell a line, a text cut at its bracket leading on (indented order), authors after a name with the book's number",
         "1\nSpores white\n(Fig. 3)\n2\nGills free\nAmanita\n2'\nGills attached\n(Fig. 4)\n5. Tricholoma album\n(Fr.)\n"
         "1'\nSpores pink\nPluteus\n",
         {"1\tSpores white (Fig. 3)", "2\tGills free\tAmanita", "2'\tGills attached (Fig. 4)\t5. Tricholoma album (Fr.)",
          "1'\tSpores pink\tPluteus"},
         {0, 3, 6, 11}},
        {"a numbered key whose references stand alone on the line under their leads is no table",
         "1 Spores white, the gills free and the ring large ........\n   2\n"
         "\u2013 Spores pink, the gills attached and the ring absent ......\n   3\n"
         "2 Gills free and white, the cap large and scaly above ........\n   4\n"
         "\u2013 Gills attached and grey, the cap small and smooth .......\n   5\n"
         "3 Ring present and membranous, the stipe long and white .......\n   6\n", {}, {}},
        {"rows of cells between tabs already", "1\tSpores white\t2\n\u2013\tSpores pink\tPluteus\n", {}, {}},
        {"three rows between bars make no table", "| 1 | Spores white | 2 |\n| | Spores pink | Pluteus |\n| 2 | x | y |\n",
         {}, {}},
    };
    for (const Case& c : cases) {
        const TableRows rows = tableAsTabRows(text::splitLines(c.text));
        EXPECT_EQ(rows.lines, c.expected) << c.name;
        EXPECT_EQ(rows.origin, c.origin) << c.name;
    }
}
