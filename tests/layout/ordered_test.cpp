// Numbered keys in indented order whose indentation was lost.
#include <gtest/gtest.h>

#include "engine/text.hpp"
#include "layout/ordered.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

TEST(NumberedInOrder, LeadsWithoutReferenceLeadToTheCoupletThatFollows) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;
        int before, after, notes, bookNumbers, captions = 0, pages = 0;
    };
    const Lines gills{"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita muscaria",
                      "2. Gills attached => Tricholoma and T. album"};
    const Case cases[] = {
        {"primed second leads, names with pages on the next line, a page mark, text around",
         "Key to the genera\n\n1. Spores white.\n2. Gills free.\nAmanita muscaria, p. 12\n[Pg 13]\n"
         "2\u2032. Gills attached.\nTricholoma and T. album, pp. 14, 15\n1\u2032. Spores pink.\nPluteus cervinus, p. 20\n\n"
         "Accounts by species\n",
         {"1. Spores white. ... 2", "1. Spores pink. => Pluteus cervinus", "2. Gills free. => Amanita muscaria",
          "2. Gills attached. => Tricholoma and T. album"}, 1, 1, 1, 3},
        {"a number and its stop before a lead's text in lower case",
         "1. Tail without rattle.\n2. Head copper ..... Copperhead\n2. Head dark ..... Cottonmouth\n1. Tail with rattle.\n"
         "3. tail banded ..... Western rattler\n3. tail plain ..... Prairie rattler\n",
         {"1. Tail without rattle. ... 2", "1. Tail with rattle. ... 3", "2. Head copper => Copperhead",
          "2. Head dark => Cottonmouth", "3. tail banded => Western rattler", "3. tail plain => Prairie rattler"}, 0, 0, 0, 0},
        {"doubled primes, a name after a leader, a lead wrapped over two lines",
         "1'' Spores\nwhite\n2'' Gills free ..... Amanita muscaria\n2' Gills attached\nTricholoma and T. album\n"
         "1' Spores pink\nPluteus cervinus\n", gills, 0, 0, 0, 0},
        {"doubled primes under a numbered heading: page marks before labels, a caption, a colon before a name",
         "12. Gattung: [40] Plega Reitt.\n\nDie Arten leben im Laub.\n\n1'' Spores white.\n\n"
         "  \u2022 Fg. 4. K. von Plega.\n    Fg. 4. K. von Plega.\n\n[41] 2'' Gills free:\n\nAmanita muscaria\n\n"
         "2' Gills attached\n\nTricholoma and T. album\n\n[41] 1' Spores pink\n\nPluteus cervinus\n\nQuelle:\n",
         {"1. Spores white. ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita muscaria",
          "2. Gills attached => Tricholoma and T. album"}, 2, 1, 0, 0, 2},
        {"numbers before a tab, both leads alike, the book's numbers before the names, the last lead alone",
         "Key\n\n1\tSpores white\n2\tGills free\t5. Amanita muscaria\n2\tGills attached\t6. Tricholoma album\n"
         "1\tSpores pink\n3\tStem central\t7. Pluteus cervinus\n",
         {"1. Spores white ... 2", "1. Spores pink Stem central => Pluteus cervinus", "2. Gills free => Amanita muscaria",
          "2. Gills attached => Tricholoma album"}, 1, 0, 0, 3},
        {"each lead numbered with its partner's number, a name after a tab, a reference, the book's number",
         "Key to the genera\n\n1(4)\tSpores white.\n2(3)\tGills free\tAmanita muscaria\n3(2)\tGills attached,\n"
         "the ring thin\t1. Tricholoma album\n4(1)\tSpores pink\t5\n5 (6).\tStem central\tPluteus cervinus (Fries, 1838).\n"
         "6 (5).\tStem lateral\tClaudopus\n\n1. Amanita muscaria\n",
         {"1. Spores white. ... 2", "1. Spores pink ... 3", "2. Gills free => Amanita muscaria",
          "2. Gills attached, the ring thin => Tricholoma album", "3. Stem central => Pluteus cervinus (Fries, 1838)",
          "3. Stem lateral => Claudopus"}, 1, 1, 0, 1},
        {"partners' numbers, a page's number alone between blank lines where the page broke a lead",
         "1 (2) Spores white 3\n2 (1) Spores pink ..... Pluteus\n3 (4) Gills free, the ring\n\n117\n\n"
         "   thin and white ..... Amanita\n4 (3) Gills attached ..... Tricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free, the ring thin and white => Amanita",
          "2. Gills attached => Tricholoma"}, 0, 0, 0, 0, 0, 1},
        {"leads numbered with their partners' numbers, one partner misprinted",
         "1(4)\tSpores white\t2\n2(3)\tGills free\tAmanita muscaria\n3(5)\tGills attached\tTricholoma album\n"
         "4(1)\tSpores pink\tPluteus cervinus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita muscaria",
          "2. Gills attached => Tricholoma album"}, 0, 0, 0, 0},
        {"leads numbered with their partners' numbers, names run into the leads after their last sentence",
         "1 (2) Spores white. 3\n2 (1) Spores pink. 5\n3 (4) Gills free. Amanita muscaria\n"
         "4 (3) Gills attached. Tricholoma album\n5 (6) Stem central. Pluteus cervinus\n6 (5) Stem lateral. Claudopus\n",
         {"1. Spores white. ... 2", "1. Spores pink. ... 3", "2. Gills free. => Amanita muscaria",
          "2. Gills attached. => Tricholoma album", "3. Stem central. => Pluteus cervinus", "3. Stem lateral. => Claudopus"},
         0, 0, 0, 0},
        {"partners' numbers after a stop, note calls, names set apart under their leads with figure calls",
         "Tabelle\n\n   1. (4)[LIX] Spores white[LX]                     2.\n\n   2. (3)  Gills free\n\n"
         "          _Amanita_[LXI] oder _Limacella_ (Fig. =3=, 4\u20136).\n\n   3. (2)  Gills attached, the ring\n"
         "           thin and soon gone\n                        _Tricholoma_ (Fig. =4=, 1).\n\n"
         "   4. (1)  Spores pink                 _Pluteus_, _Volvariella_.\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus, Volvariella", "2. Gills free => Amanita oder Limacella",
          "2. Gills attached, the ring thin and soon gone => Tricholoma"}, 1, 0, 0, 0},
        {"numbers in brackets naming the couplet of origin, each couplet reached from the one before: no partners",
         "1. Leaves needle-like ..... 2\n\u2013 Leaves single ..... Tsuga\n2. (1) Bundles of two ..... 3\n"
         "\u2013 Bundles of five ..... Pinus strobus\n3. (2) Cones symmetrical ..... 4\n\u2013 Cones oblique ..... Pinus banksiana\n"
         "4. (3) Cones small ..... 5\n\u2013 Cones large ..... Pinus nigra\n5. (4) Scales thin ..... Pinus resinosa\n"
         "\u2013 Scales thick ..... Pinus rigida\n",
         {}, 0, 0, 0, 0},
        {"partners' numbers, a caption after a blank line under a lead that goes on",
         "1(4)\tSpores white\n\nFig. 3. Spores of the white-spored genera.\n\n2(3)\tGills free\tAmanita muscaria\n"
         "3(2)\tGills attached\tTricholoma album\n4(1)\tSpores pink\tPluteus cervinus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita muscaria",
          "2. Gills attached => Tricholoma album"}, 0, 0, 0, 0},
        {"partners' numbers, names set at the right after a run of blanks",
         "1 (2) Spores white          3\n2 (1) Spores pink           Pluteus cervinus\n"
         "3 (4) Gills free            Amanita muscaria\n4 (3) Gills attached        Tricholoma album\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus", "2. Gills free => Amanita muscaria",
          "2. Gills attached => Tricholoma album"}, 0, 0, 0, 0},
        {"a lead wrapped, its last line ending in a leader and the name",
         "1. Spores white.\n2. Gills free; ring\nand volva present ........ Amanita muscaria, p. 12\n2\u2032. Gills attached ........ Tricholoma album\n"
         "1\u2032. Spores pink ........ Pluteus cervinus\n",
         {"1. Spores white. ... 2", "1. Spores pink => Pluteus cervinus",
          "2. Gills free; ring and volva present => Amanita muscaria", "2. Gills attached => Tricholoma album"}, 0, 0, 0, 1},
        {"only the first lead numbered, leads set out in paragraphs, endings at the right after blanks",
         "KEY\n\n1.  Spores white; gills free\n    or attached           _Amanita_ group--2\n\n    Spores pink; gills free\n"
         "    and soft             _Pluteus_, p. 60\n\n2.  Gills free; ring and\n    volva    _Amanita muscaria_, p. 12\n\n"
         "    Gills attached; ring\n    absent        3\n\n3.  Stem central and\n    fleshy        Tricholoma album\n\n"
         "    Stem lateral or\n    absent        _Pleurotus ostreatus_\n\n\n\n          The _Amanita_ Group\n",
         {"1. Spores white; gills free or attached _Amanita_ group ... 2", "1. Spores pink; gills free and soft => Pluteus",
          "2. Gills free; ring and volva => Amanita muscaria", "2. Gills attached; ring absent ... 3",
          "3. Stem central and fleshy => Tricholoma album", "3. Stem lateral or absent => Pleurotus ostreatus"}, 1, 1, 0, 2},
        {"numbers in marks, the first couplet without one, names in marks with the book's page, leads in paragraphs",
         "THE PINK-SPORED AGARICS.\n\n       =Stem= central.                            1\n\n"
         "       =Stem= lateral or none and cap\n       sessile.                                   =Claudopus.=      149\n\n"
         "  =1=--=Cap= easily separating from the\n       stem, gills free.                          2\n\n"
         "       =Cap= confluent with the stem.           =Entoloma.=       143\n\n"
         "  =2=--=Volva= present.                          =Volvaria.=       140\n\n"
         "       =Volva= wanting. =Pluteus= (not reported in U. S.).\n\n"
         "       =Cap= dry and tough.                         3\n\n"
         "  =3=--=Gills= forked.                          =Cantharellus.=  120\n",
         {"1. =Stem= central. ... 2", "1. =Stem= lateral or none and cap sessile. => Claudopus",
          "2. =Cap= easily separating from the stem, gills free. ... 3", "2. =Cap= confluent with the stem. => Entoloma",
          "3. =Volva= present. => Volvaria", "3. =Volva= wanting. => Pluteus (not reported in U. S.)",
          "3. =Cap= dry and tough. =Gills= forked. => Cantharellus"}, 1, 0, 0, 4},
        {"the second lead primed, leads in paragraphs, names with the book's page after a leader",
         "KEY TO GENERA\n\n1. Tail long, more than half length of head and\n   body ................................ Sylvilagus, p. 120\n\n"
         "1\u2032. Tail short ......................................... 2\n\n2. Ears short, rounded; no tail visible\n"
         "   externally ............................. Ochotona, p. 160\n\n2\u2032. Ears long ........................... Lepus, p. 140\n",
         {"1. Tail long, more than half length of head and body => Sylvilagus", "1. Tail short ... 2",
          "2. Ears short, rounded; no tail visible externally => Ochotona", "2. Ears long => Lepus"}, 1, 0, 0, 3},
        {"only the first lead numbered, a couplet of three, references with the book's full stop at the right",
         "Tabelle der Gattungen.\n\n  1.  Spores white                         2.\n\n      Spores pink"
         "                          3.\n\n      Spores brown            _Cortinarius_, Fr.\n\n"
         "  2.  Gills free                 _Amanita_, Pers.\n\n      Gills attached              _Tricholoma_, Fr.\n\n"
         "  3.  Stem central                 _Pluteus_, Fr.\n\n      Stem lateral              _Claudopus_, Sm.\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "1. Spores brown => Cortinarius, Fr.",
          "2. Gills free => Amanita, Pers.", "2. Gills attached => Tricholoma, Fr.", "3. Stem central => Pluteus, Fr.",
          "3. Stem lateral => Claudopus, Sm."}, 1, 0, 0, 0},
        {"both leads numbered alike, then the species' accounts numbered as leads are",
         "Chave para as esp\u00E9cies\n1. Folhas desenvolvidas\n2. Flores brancas ........ A. alba\n"
         "2. Flores rosadas ........ A. rosea\n1. Folhas escamiformes ........ B. nana\n"
         "1. Amanita alba (L.) Fr. Fl. 3: 52. 1906.\nFiguras 2 a-h\n",
         {"1. Folhas desenvolvidas ... 2", "1. Folhas escamiformes => B. nana", "2. Flores brancas => A. alba",
          "2. Flores rosadas => A. rosea"}, 1, 2, 0, 0},
        {"only the first lead numbered, in paragraphs, a page's number and a running head between leads and inside one",
         "1. Spores white; gills\n\n23\n\nthin. 2\n\nSpores pink. =Pluteus= Fr.\n\n24\n\n2. Gills free. =Amanita= Pers.\n\n"
         "KEY TO THE GENERA  25\n\n\nGills attached. =Tricholoma= Fr.\n",
         {"1. Spores white; gills thin. ... 2", "1. Spores pink. => Pluteus Fr.", "2. Gills free. => Amanita Pers.",
          "2. Gills attached. => Tricholoma Fr."}, 0, 0, 0, 0, 0, 3},
        {"a key with references, its names under the leads: read with its references",
         "1. Spores white 2\n1\u2032. Spores pink\nPluteus\n2. Gills free\nAmanita\n2\u2032. Gills attached\nTricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita", "2. Gills attached => Tricholoma"},
         0, 0, 0, 0},
        {"only the first lead numbered, the book's number written after the name, after a colon too",
         "1. Spores white 2\nSpores pink: Pluteus cervinus. No. 20 (fig. 3).\n2. Gills free: Amanita No. 1-3, (Pl. 4, fig. 13)\n"
         "Gills attached: Tricholoma No. 5 en 7.\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus (no. 20)", "2. Gills free => Amanita (no. 1-3)",
          "2. Gills attached => Tricholoma (no. 5 en 7)"}, 0, 0, 0, 3},
        {"both leads numbered alike, each name run in after one blank and the book's number, pages, a heading after",
         "Key to the genera\n\n1. Spores white\n2. Gills free 1. Amanita muscaria, p. 12\n2. Gills attached 2. Tricholoma album\n"
         "1. Spores pink 3. Pluteus cervinus, p. 20\n\nPLUTEUS Fr. Hym. Eur. 185. 1874.\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus cervinus (no. 3) (p. 20)",
          "2. Gills free => Amanita muscaria (no. 1) (p. 12)", "2. Gills attached => Tricholoma album (no. 2)"}, 1, 1, 0, 3},
        {"a lead with neither name nor sub-key", "1. Spores white\n2. Gills free\n2\u2032. Gills attached\nTricholoma\n"
                                                 "1\u2032. Spores pink\nPluteus\n", {}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const OrderedKey key = readNumberedInOrder(text::splitLines(c.text));
        EXPECT_EQ(key.couplets, c.expected) << c.name;
        if (c.expected.empty()) continue;
        EXPECT_EQ(key.before, c.before) << c.name;
        EXPECT_EQ(key.after, c.after) << c.name;
        EXPECT_EQ(key.notes, c.notes) << c.name;
        EXPECT_EQ(key.bookNumbers, c.bookNumbers) << c.name;
        EXPECT_EQ(key.captions, c.captions) << c.name;
        EXPECT_EQ(key.pages, c.pages) << c.name;
    }
}

// Detection weighs this reading against the others by what the checks say.
TEST(NumberedInOrder, DetectionPrefersItWhereOtherReadingsWarnOrTakeInAHeading) {
    struct Case {
        const char* layout;
        const char* text;
        Lines finished;
    };
    const Case cases[] = {
        {"indented, names right-aligned under their leads with pages, prose before and after",
         "KEY TO THE GENERA\n\nThe genera are told apart by the skull.\n\n1. Ear short.\n      2. Foot short.\n"
         "                                        Sylvilagus, p. 120\n      2'. Foot long.\n"
         "                                        Lepus, p. 140\n1'. Ear long.\n                                        "
         "Romerolagus, p. 160\n\nGenus Sylvilagus Gray\n",
         {"1,2$ Ear short.", "1,0$ Ear long. $ Romerolagus (p. 160)", "2,0$ Foot short. $ Sylvilagus (p. 120)", "2,0$ Foot long. $ Lepus (p. 140)"}},
        {"epithets with their authors under the leads, a heading after the key",
         "Untergattung Plega\n1'' Flügel dunkel\n2'' Beine lang\nnigra Reitt.\n2' Beine kurz\nrufa Reitt.\n"
         "1' Flügel hell\nalba Aubé\nUntergattung: Otheria nov.\n",
         {"1,2$ Flügel dunkel", "1,0$ Flügel hell $ alba Aubé", "2,0$ Beine lang $ nigra Reitt.",
          "2,0$ Beine kurz $ rufa Reitt."}},
        {"leads numbered with their partners' numbers, a paragraph above",
         "The species fall into two groups, told apart by the colour of the spores and the gills.\n\n"
         "1(4)\tSpores white.\n2(3)\tGills free\tAmanita muscaria\n3(2)\tGills attached\tTricholoma album\n"
         "4(1)\tSpores pink.\n5(8)\tStem central.\n6(7)\tCap dry\tPluteus cervinus\n7(6)\tCap sticky\tPluteus luteus\n"
         "8(5)\tStem lateral\tClaudopus\n",
         {"1,2$ Spores white.", "1,3$ Spores pink.", "2,0$ Gills free $ Amanita muscaria",
          "2,0$ Gills attached $ Tricholoma album", "3,4$ Stem central.", "3,0$ Stem lateral $ Claudopus",
          "4,0$ Cap dry $ Pluteus cervinus", "4,0$ Cap sticky $ Pluteus luteus"}},
        {"every lead primed under a numbered heading, a page mark before a label, a caption between the leads",
         "12. Gattung: [40] Plega Reitt.\n\nDie Arten leben im Laub.\n\n1'' Flügel dunkel.\n\n\u2022 Fg. 4. K. von Plega.\n\n"
         "[41] 2'' Beine lang:\n\nnigra Reitt.\n\n2' Beine kurz\n\nrufa Reitt.\n\n1' Flügel hell\n\nalba Aubé\n\n"
         "Quelle:\nFauna Germanica\n",
         {"1,2$ Flügel dunkel.", "1,0$ Flügel hell $ alba Aubé", "2,0$ Beine lang $ nigra Reitt.",
          "2,0$ Beine kurz $ rufa Reitt."}},
        {"both leads numbered alike, a couplet of four leads before a further sub-key, each name on the line under its lead",
         "KEY TO THE FAMILIES\n\nThe families are told apart by the hymenium.\n\n1. Hymenium inferior--\n"
         "2. Hymenium with gills\n        Agaricaceae\n2. Hymenium with pores\n        Polyporaceae\n"
         "2. Hymenium with teeth\n        Hydnaceae\n1. Hymenium superior--\n3. Hymenium club-shaped\n        Clavariaceae\n"
         "3. Hymenium gelatinous\n        Tremellaceae\n\n\nAGARICACEAE Fr.\n",
         {"1,2$ Hymenium inferior--", "1,3$ Hymenium superior--", "2,0$ Hymenium with gills $ Agaricaceae",
          "2,0$ Hymenium with pores $ Polyporaceae", "2,0$ Hymenium with teeth $ Hydnaceae",
          "3,0$ Hymenium club-shaped $ Clavariaceae", "3,0$ Hymenium gelatinous $ Tremellaceae"}},
        {"both leads numbered alike, names with their authors after the book's numbers, pages after some",
         "KEY TO THE SPECIES\n\nThe species are told apart by the pronotum.\n\n1. Epipleura enlarged. Margin visible\n"
         "2. Margins visible. Known from Panama 1. Falsocis aquilonius sp. n.\n"
         "2. Margins hidden. Known from Brazil 2. Falsocis opacus Pic, 1916, p. 26\n1. Epipleura narrowing. Margin hidden\n"
         "3. Punctation deep 3. Falsocis occultus sp. n., p. 30\n3. Punctation fine 4. Falsocis egregius sp. n., p. 35\n\n\n"
         "FALSOCIS Pic, 1916.\n",
         {"1,2$ Epipleura enlarged. Margin visible", "1,3$ Epipleura narrowing. Margin hidden",
          "2,0$ Margins visible. Known from Panama $ Falsocis aquilonius sp. n. (no. 1)",
          "2,0$ Margins hidden. Known from Brazil $ Falsocis opacus Pic, 1916 (no. 2) (p. 26)",
          "3,0$ Punctation deep $ Falsocis occultus sp. n. (no. 3) (p. 30)",
          "3,0$ Punctation fine $ Falsocis egregius sp. n. (no. 4) (p. 35)"}},
    };
    for (const Case& c : cases) {
        const Lines text = text::splitLines(c.text);
        const LayoutDetection d = detectLayout(text);
        ASSERT_TRUE(d.processes()) << c.layout;
        EXPECT_EQ(sarvelo::testing::finishedKeyOf(text, d.proposals.front()), c.finished) << c.layout;
    }
}

// Couplets set in braces: the number at the left of the brace, on any of its
// lines; a lead ends with a reference or with a name alone at the right.
TEST(BracedCouplets, EachBraceIsACouplet) {
    struct Case {
        const char* layout;
        const char* text;
        Lines expected;
    };
    const Case cases[] = {
        {"braces of ASCII signs, prose around, numbers from 0, a name on the line under its lead",
         "Wir geben einen Schl\u00FCssel.\n\n  0 [ Spores white                        1\n    { Spores pink                         2\n\n"
         "    { Gills free, the ring\n  1 { large                     _Amanita muscaria._\n    { Gills attached\n"
         "    {                          _Tricholoma Georgii._\n\n  2 { Stem central              _Pluteus_\n"
         "    { Stem lateral              _Claudopus_\n\nVerbreitung.\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "2. Gills free, the ring large => Amanita muscaria",
          "2. Gills attached => Tricholoma Georgii", "3. Stem central => Pluteus", "3. Stem lateral => Claudopus"}},
        {"brace pieces, the number on a middle line",
         "  \u23A7 Spores white ..... 2\n1 \u23A8\n  \u23A9 Spores pink ..... Pluteus\n\n"
         "  \u23A7 Gills free ..... Amanita\n2 \u23A8\n  \u23A9 Gills attached ..... Tricholoma\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita", "2. Gills attached => Tricholoma"}},
        {"a brace without its number: read otherwise",
         "  { Spores white ..... 2\n  { Spores pink ..... Pluteus\n\n2 { Gills free ..... Amanita\n  { Gills attached ..... Tricholoma\n",
         {}},
    };
    for (const Case& c : cases) EXPECT_EQ(readBracedCouplets(text::splitLines(c.text)).couplets, c.expected) << c.layout;
}
