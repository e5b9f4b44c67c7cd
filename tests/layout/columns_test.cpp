// Keys set in two columns, each lead's ending level with its first line.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/text.hpp"
#include "layout/columns.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

namespace {

struct Case {
    const char* layout;
    const char* text;
    Lines expected;  // empty: the layout is not this one
};

const Case kCases[] = {
    {"leads as paragraphs, only the first lead numbered, a couplet of three",
     "KEY\n\n  1. Shell absent,                Genus _Plega_\n     body soft\n\n     Shell present              2\n\n"
     "  2. Shell of plates,             Genus _Nivea_\n     thin\n\n     Shell whole, thick         Genus _Rufa_\n\n"
     "     Shell whole, thin          Genus _Alba_\n",
     {"KEY", "", "  1. Shell absent, body soft                Genus _Plega_", "", "     Shell present              2", "",
      "  2. Shell of plates, thin             Genus _Nivea_", "", "     Shell whole, thick         Genus _Rufa_", "",
      "     Shell whole, thin          Genus _Alba_"}},
    {"no blank line, both leads numbered, leaders after the first line",
     "1. Wings dark, the veins ..... 2\n   brown\n1. Wings pale, the veins ..... Plega alba\n   white\n"
     "2. Legs long, the tarsi ...... Plega nigra\n   black\n2. Legs short ................ Plega rufa\n",
     {"1. Wings dark, the veins brown ..... 2", "1. Wings pale, the veins white ..... Plega alba",
      "2. Legs long, the tarsi black ...... Plega nigra", "2. Legs short ................ Plega rufa"}},
    {"a name set on two lines of the right column, a word cut at the line end",
     "a. Mouth terminal;        Family _Albidae_\n   body short-\n   ened\n\n"
     "b. Mouth central;         _Rufidae_\n   pharynx long             (One genus, _Rufa_)\n   and tubular\n",
     {"a. Mouth terminal; body shortened        Family _Albidae_", "",
      "b. Mouth central; pharynx long and tubular         _Rufidae_ (One genus, _Rufa_)"}},
    {"a number the line width set at the start of a line under the lead's text",
     "1. Fins with 5 to          Plega alba\n   7 rays, the ventrals\n   small\n   Fins with 3 rays          Plega nigra\n"
     "2. Legs long, the          Plega rufa\n   tarsi black\n   Legs short, the         Plega nivea\n   tarsi red\n",
     {"1. Fins with 5 to 7 rays, the ventrals small          Plega alba", "   Fins with 3 rays          Plega nigra",
      "2. Legs long, the tarsi black          Plega rufa", "   Legs short, the tarsi red         Plega nivea"}},
    {"an abbreviation at a lead's start read as no label",
     "3. H. like a sponge, the         Plega alba\n   stem smooth\n   H. of irregular lobes,        Plega nigra\n   the stem ribbed\n",
     {"3. H. like a sponge, the stem smooth         Plega alba", "   H. of irregular lobes, the stem ribbed        Plega nigra"}},
    {"names in lower case, no blank line: each entry beside a capital starts a lead",
     "1. Carapace with ocelli,       spinifer alba\n   large near the centre\n   Carapace with dots,          spinifer nigra\n"
     "   small near the centre\n",
     {"1. Carapace with ocelli, large near the centre       spinifer alba",
      "   Carapace with dots, small near the centre          spinifer nigra"}},
    {"the ending level with the lead's last line: another layout",
     "1. Wings dark, the veins\n   brown ........ 2\n1. Wings pale, the veins\n   white ........ Plega alba\n"
     "2. Legs long, the tarsi\n   black ........ Plega nigra\n2. Legs short ... Plega rufa\n",
     {}},
    {"one lead wrapped, nothing said against the layout",
     "1. Wings dark            2\n   Wings pale, the         Plega alba\n   veins white\n2. Legs long             Plega nigra\n"
     "   Legs short            Plega rufa\n",
     {"1. Wings dark            2", "   Wings pale, the veins white         Plega alba", "2. Legs long             Plega nigra",
      "   Legs short            Plega rufa"}},
    {"a page column before the name column, the page the name's",
     "  LEAVES\n    Small gray spots on      page 6   Leaf Spot\n    underside\n    Black lesions on         p. 7     Vein Spot\n"
     "    veins and stems\n",
     {"  LEAVES", "    Small gray spots on underside      page 6   Leaf Spot",
      "    Black lesions on veins and stems         p. 7     Vein Spot"}},
    {"every lead on one line: nothing to join", "1. Wings dark       2\n1. Wings pale       Plega alba\n", {}},
};

}  // namespace

TEST(TwoColumnLeads, EachLeadIsSetOnOneLineWithTheEndingOfItsFirstLine) {
    for (const Case& c : kCases) EXPECT_EQ(twoColumnLeads(text::splitLines(c.text)).lines, c.expected) << c.layout;
}

TEST(TwoColumnLeads, DetectionReadsTheKeyWithItsNames) {
    EXPECT_TRUE(sarvelo::testing::detectsKey(text::splitLines(kCases[0].text),
                                             {"1,0$ Shell absent, body soft $ Genus Plega", "1,2$ Shell present",
                                              "2,0$ Shell of plates, thin $ Genus Nivea", "2,0$ Shell whole, thick $ Genus Rufa",
                                              "2,0$ Shell whole, thin $ Genus Alba"}));
}

TEST(TwoColumnLeads, DetectionReadsNumberedGroupsOverLetteredLeadsAndTheCoupletAbove) {
    const char* text =
        "KEY TO THE FAMILIES.\n\nA. Mouth closed except        1\n   during feeding\n\n   Mouth always open;          2\n"
        "   membrane present\n\n   1. _Albina_.\n\n      a. Mouth terminal;       Family _Albidae_\n         body short\n\n"
        "      b. Mouth central;        Family _Nigridae_\n         pharynx long\n\n   2. _Rufina_.\n\n"
        "      a. Cilia long, in        Family _Rufidae_\n         two zones\n\n      b. Cilia short           Family _Niveidae_\n\n"
        "      c. Cilia none; body      Family _Nudidae_\n         vermiform\n";
    EXPECT_TRUE(sarvelo::testing::detectsKey(
        text::splitLines(text),
        {"1,2$ Mouth closed except during feeding", "1,3$ Mouth always open; membrane present",
         "2,0$ Mouth terminal; body short $ Family Albidae", "2,0$ Mouth central; pharynx long $ Family Nigridae",
         "3,0$ Cilia long, in two zones $ Family Rufidae", "3,0$ Cilia short $ Family Niveidae",
         "3,0$ Cilia none; body vermiform $ Family Nudidae"}));
}

TEST(TwoColumnLeads, DetectionLeavesOutNoteCallsAndKeepsTheHyphenOfACompound) {
    const char* text =
        "KEY TO GENERA.\n\n   1. Shell absent              Genus *_Plega_\n\n      Shell present, with        2\n"
        "      thin sail-\n      like ridges\n\n   2. Ridges few, thin          Genus _Nivea_\n\n"
        "      Ridges many, thick        Genus *_Rufa_\n\n   * Present at Woods Hole.\n";
    EXPECT_TRUE(sarvelo::testing::detectsKey(
        text::splitLines(text), {"1,0$ Shell absent $ Genus Plega", "1,2$ Shell present, with thin sail-like ridges",
                                 "2,0$ Ridges few, thin $ Genus Nivea", "2,0$ Ridges many, thick $ Genus Rufa"}));
}

TEST(TwoColumnLeads, ASecondLeadHungUnderTheFirstLeadsTextIsNoGroupOfOne) {
    // "P." abbreviates the word both leads open with; the second lead is set
    // where the first one's lines hang.
    const char* text =
        "  1. On dead larvae, long,        _Plega alba_\n"
        "     yellow or red\n"
        "     On soil or wood              2\n"
        "  2. Cap and stem, on the soil    3\n"
        "     Cup or button-shaped         4\n"
        "     Club-shaped, black, tough    5\n"
        "  3. H. like a sponge,            _Plega nigra_\n"
        "     stem smooth or ribbed\n"
        "     H. of irregular lobes,       _Plega rufa_\n"
        "     stem with grooves\n"
        "     H. like a thimble            _Plega nivea_\n"
        "     H. slimy, yellow,            _Plega lenta_\n"
        "     twisted\n"
        "  4. P. jelly-like, black,        _Plega atra_\n"
        "     on wood\n"
        "     P. cup-shaped, bright,       _Plega lucida_\n"
        "     on the soil\n"
        "  5. growing on soil              _Plega terrestris_\n"
        "     growing on wood              _Plega lignicola_\n";
    const Lines lines = text::splitLines(text);
    const LayoutDetection d = detectLayout(lines);
    ASSERT_FALSE(d.proposals.empty());
    const Lines found = sarvelo::testing::finishedKeyOf(lines, d.proposals.front());
    for (const char* lead : {"4,0$ P. jelly-like, black, on wood $ Plega atra", "4,0$ P. cup-shaped, bright, on the soil $ Plega lucida"})
        EXPECT_NE(std::find(found.begin(), found.end(), lead), found.end()) << lead;
}
