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
        {"a couplet added under a number, its new couplets named 3a, 3b, references after a tab or a leader",
         {"We suggest this modification:", "3\tWings long\t3a", "\u2013\tWings short, go to 3b.",
          "3a\tElytra black\tP. niger", "\u2013\tElytra red ..... (3b)", "3b. Legs pale\tP. pallidus",
          "\u2013\tLegs dark\tP. fuscus"},
         {"We suggest this modification:", "1. Wings long (2)", "\u2013\tWings short (3)", "2. Elytra black\tP. niger",
          "\u2013\tElytra red (3)", "3. Legs pale\tP. pallidus", "\u2013\tLegs dark\tP. fuscus"}},
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
