// Keys whose couplets are named by letters.
#include <gtest/gtest.h>

#include "layout/lettered.hpp"

using namespace sarvelo;

TEST(LetteredCouplets, LettersAndTheirReferencesBecomeNumbers) {
    struct Case {
        const char* layout;
        Lines text;
        Lines expected;
    };
    const Case cases[] = {
        {"labels and references in the marks of a plain-text copy, a page after the reference",
         {"Key to the genera", "=A.= Leaves simple (=B.=) page 12.", "=A.= Leaves compound (=C.=) p. 13",
          "=B.= Fruit a nut . . . Quercus", "=B.= Fruit a samara . . . Acer", "=C.= Leaflets 3 . . . Ptelea",
          "=C.= Leaflets many . . . Fraxinus"},
         {"Key to the genera", "1. Leaves simple (2)", "1. Leaves compound (3)", "2. Fruit a nut . . . Quercus",
          "2. Fruit a samara . . . Acer", "3. Leaflets 3 . . . Ptelea", "3. Leaflets many . . . Fraxinus"}},
        {"doubled letters, square brackets, an abbreviated genus that is no label",
         {"AA. Leaves simple [b]", "Leaves compound", "A. alba", "b. Fruit a nut . . . Quercus",
          "b. Fruit a samara . . . Acer", "AA. Leaves opposite . . . Acer"},
         {"1. Leaves simple (2)", "Leaves compound", "A. alba", "2. Fruit a nut . . . Quercus",
          "2. Fruit a samara . . . Acer", "1. Leaves opposite . . . Acer"}},
        {"references after words or an arrow, inside brackets or not",
         {"A. Leaves simple, go to B", "A. Leaves compound (see C)", "B. Fruit a nut . . . Quercus",
          "B. Fruit a samara \u2192 D.", "C. Leaflets 3 . . . Ptelea", "C. Leaflets many . . . Fraxinus",
          "D. Wings long . . . Acer", "D. Wings short . . . Ulmus"},
         {"1. Leaves simple (2)", "1. Leaves compound (3)", "2. Fruit a nut . . . Quercus", "2. Fruit a samara (4)",
          "3. Leaflets 3 . . . Ptelea", "3. Leaflets many . . . Fraxinus", "4. Wings long . . . Acer",
          "4. Wings short . . . Ulmus"}},
        {"references after the words every reader knows, a couplet named with them",
         {"A. Feuilles simples, passer au couplet B", "A. Feuilles composées (weiter bei C)",
          "B. Fruit a nut . . . Quercus", "B. Fruit a samara . . . Acer", "C. Leaflets 3 . . . Ptelea",
          "C. Leaflets many . . . Fraxinus"},
         {"1. Feuilles simples (2)", "1. Feuilles composées (3)", "2. Fruit a nut . . . Quercus",
          "2. Fruit a samara . . . Acer", "3. Leaflets 3 . . . Ptelea", "3. Leaflets many . . . Fraxinus"}},
        {"a couplet added under a number, its new couplets named 3a, 3b, references after a tab or a leader",
         {"We suggest this modification:", "3\tWings long\t3a", "\u2013\tWings short, go to 3b.",
          "3a\tElytra black\tP. niger", "\u2013\tElytra red ..... (3b)", "3b. Legs pale\tP. pallidus",
          "\u2013\tLegs dark\tP. fuscus"},
         {"We suggest this modification:", "1. Wings long (2)", "\u2013\tWings short (3)", "2. Elytra black\tP. niger",
          "\u2013\tElytra red (3)", "3. Legs pale\tP. pallidus", "\u2013\tLegs dark\tP. fuscus"}},
        {"labels and references in star marks, the references after a leader",
         {"*A.* Wings dark ..... *B.*", "*A.* Wings pale ..... *C.*", "*B.* Legs long ..... P. nigra",
          "*B.* Legs short ..... P. rufa", "*C.* Antennae long ..... P. alba", "*C.* Antennae short ..... P. brevis"},
         {"1. Wings dark (2)", "1. Wings pale (3)", "2. Legs long ..... P. nigra", "2. Legs short ..... P. rufa",
          "3. Antennae long ..... P. alba", "3. Antennae short ..... P. brevis"}},
        {"labels in brackets, the second lead primed, references after a tab",
         {"(a) Wings dark\tb", "(a') Wings pale\tc", "(b) Legs long\tP. nigra", "(b') Legs short\tP. rufa",
          "(c) Antennae long\tP. alba", "(c') Antennae short\tP. brevis"},
         {"1. Wings dark (2)", "1. Wings pale (3)", "2. Legs long\tP. nigra", "2. Legs short\tP. rufa",
          "3. Antennae long\tP. alba", "3. Antennae short\tP. brevis"}},
        {"the second lead labelled by the letter doubled, the third tripled",
         {"a. Wings dark \u2026\u2026 b.", "aa. Wings pale \u2026\u2026 c.", "aaa. Wings absent \u2026\u2026 P. aptera",
          "b. Legs long \u2026\u2026 P. nigra", "bb. Legs short \u2026\u2026 P. rufa", "c. Antennae long \u2026\u2026 P. alba",
          "cc. Antennae short \u2026\u2026 P. brevis"},
         {"1. Wings dark (2)", "1. Wings pale (3)", "1. Wings absent \u2026\u2026 P. aptera",
          "2. Legs long \u2026\u2026 P. nigra", "2. Legs short \u2026\u2026 P. rufa", "3. Antennae long \u2026\u2026 P. alba",
          "3. Antennae short \u2026\u2026 P. brevis"}},
        {"a couplet of five leads, its letter written up to five times, references in brackets",
         {"a. Wings dark (b)", "aa. Wings pale ...... P. alba", "aaa. Wings red ...... P. rufa",
          "aaaa. Wings blue ...... P. caerulea", "aaaaa. Wings absent ...... P. aptera", "b. Legs long ...... P. nigra",
          "bb. Legs short ...... P. brevis"},
         {"1. Wings dark (2)", "1. Wings pale ...... P. alba", "1. Wings red ...... P. rufa",
          "1. Wings blue ...... P. caerulea", "1. Wings absent ...... P. aptera", "2. Legs long ...... P. nigra",
          "2. Legs short ...... P. brevis"}},
        {"bare letters for labels, back-references after them, a reference after one blank before the next label",
         {"A (\u2014) Leaves simple B", "A\u2032 Leaves compound ..... C", "B (A) Fruit a nut ..... Quercus",
          "B\u2032 Fruit a samara ..... Acer", "C(A\u2032) Leaflets 3 ..... Ptelea", "C\u2032 Leaflets many ..... Fraxinus"},
         {"1. Leaves simple (2)", "1. Leaves compound (3)", "2. Fruit a nut ..... Quercus", "2. Fruit a samara ..... Acer",
          "3. Leaflets 3 ..... Ptelea", "3. Leaflets many ..... Fraxinus"}},
        {"names after a leader with their authors abbreviated to a couplet's letter",
         {"A. Leaves simple, go to B", "A. Leaves compound . . . . . Rhus B.", "B. Fruit a nut . . . . . Quercus B.",
          "B. Fruit a samara . . . . . Acer L."},
         {"1. Leaves simple (2)", "1. Leaves compound . . . . . Rhus B.", "2. Fruit a nut . . . . . Quercus B.",
          "2. Fruit a samara . . . . . Acer L."}},
        {"the reference alone on the line under its lead, a lead's wrapped line ending in an article",
         {"a. Leaves simple, with a", "stipule at the base.", "b", "a. Leaves compound.", "c", "b. Fruit a nut.", "Quercus",
          "b. Fruit a samara.", "Acer", "c. Leaflets 3.", "Ptelea", "c. Leaflets many.", "Fraxinus"},
         {"1. Leaves simple, with a", "stipule at the base. (2)", "", "1. Leaves compound. (3)", "", "2. Fruit a nut.",
          "Quercus", "2. Fruit a samara.", "Acer", "3. Leaflets 3.", "Ptelea", "3. Leaflets many.", "Fraxinus"}},
        {"letters with a raised number ranking the lead, caret or superscript, the next couplet's letter at the margin",
         {" A^1 Wings _two_ pairs                 B", " A^2 Wings one pair              Diptera",
          " B\u00B9 Wings scaly,", "       tubular mouth                C", " B\u00B2 Wings bare                  Hymenoptera",
          " C^1. Antennae clubbed          Papilio", " C^2. Antennae hooked          Hesperia"},
         {"1. Wings _two_ pairs (2)", "1. Wings one pair              Diptera", "2. Wings scaly,", "tubular mouth (3)",
          "2. Wings bare                  Hymenoptera", "3. Antennae clubbed          Papilio",
          "3. Antennae hooked          Hesperia"}},
        {"leads labelled 1a / 1b whose references are the couplets' numbers: read otherwise",
         {"1a\tWings long\t2", "1b\tWings short\tP. brevis", "2a\tElytra black\tP. niger", "2b\tElytra red\tP. ruber"},
         {}},
        {"no reference by letter: read otherwise",
         {"A. Leaves simple . . . 2", "A. Leaves compound . . . 3", "B. Fruit a nut . . . Quercus",
          "B. Fruit a samara . . . Acer"},
         {}},
    };
    for (const Case& c : cases) EXPECT_EQ(numberedFromLetters(c.text), c.expected) << c.layout;
}

TEST(LetteredLeads, EachLeadTakesItsCoupletsNumber) {
    struct Case {
        const char* layout;
        Lines text;
        Lines expected;  // empty: not such a key
    };
    const Case cases[] = {
        {"letters in brackets and marks, a lead wrapped, a line between couplets",
         {"Key", "  1. (_a_) Tail short   2", "     (_b_) Tail long,", "         spines wide   P. alba", "",
          "  2. (a) Spines wide   P. nigra", "     (b) Spines narrow   P. rufa"},
         {"Key", "  1. Tail short   2", "     1. Tail long,", "         spines wide   P. alba", "",
          "  2. Spines wide   P. nigra", "     2. Spines narrow   P. rufa"}},
        {"three leads lettered with stops", {"1 a. Leaves simple", "b. Leaves compound", "c. Leaves none", "2 a. Fruit a nut", "b. Fruit a pod"},
         {"1. Leaves simple", "1. Leaves compound", "1. Leaves none", "2. Fruit a nut", "2. Fruit a pod"}},
        {"seven leads lettered a. to g.",
         {"1 a. Cilia long", "b. Cilia short", "c. Cilia none", "d. Cilia in rows", "e. Cilia in zones", "f. Cilia uniform",
          "g. Cilia fused", "2 a. Mouth open", "b. Mouth closed"},
         {"1. Cilia long", "1. Cilia short", "1. Cilia none", "1. Cilia in rows", "1. Cilia in zones", "1. Cilia uniform",
          "1. Cilia fused", "2. Mouth open", "2. Mouth closed"}},
        {"a lead's letter with nothing after it", {"1. (a) Leaves simple", "(b) ", "2. (a) Fruit a nut", "(b) Fruit a pod"},
         {"1. Leaves simple", "1. ", "2. Fruit a nut", "2. Fruit a pod"}},
        {"numbered group headings over lettered leads, the couplet above sending to them",
         {"Key", "A. Mouth closed      1", "   Mouth open        2", "", "   1. _Albina_.", "",
          "      a. Mouth terminal   Plega alba", "      b. Mouth central    Plega nigra", "   2. _Rufina_.",
          "      a. Cilia long       Plega rufa", "      b. Cilia short      Plega nivea", "      c. Cilia none       Plega nuda"},
         {"Key", "0. Mouth closed      1", "   0. Mouth open        2", "", "", "", "      1. Mouth terminal   Plega alba",
          "      1. Mouth central    Plega nigra", "", "      2. Cilia long       Plega rufa", "      2. Cilia short      Plega nivea",
          "      2. Cilia none       Plega nuda"}},
        {"one couplet so lettered is no such key", {"1. (a) Leaves simple", "(b) Leaves compound"}, {}},
        {"a letter out of its order is left alone, the leads too few",
         {"1. (a) Leaves simple", "(c) Leaves compound", "2. (a) Fruit a nut", "(b) Fruit a pod"}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(numberedFromLeadLetters(c.text).lines, c.expected) << c.layout;
}
