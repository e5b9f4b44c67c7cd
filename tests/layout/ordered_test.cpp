// Numbered keys in indented order whose indentation was lost.
#include <gtest/gtest.h>

#include "engine/text.hpp"
#include "layout/ordered.hpp"

using namespace sarvelo;

TEST(NumberedInOrder, LeadsWithoutReferenceLeadToTheCoupletThatFollows) {
    struct Case {
        const char* name;
        const char* text;
        Lines expected;
        int before, after, notes, bookNumbers;
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
        {"doubled primes, a name after a leader, a lead wrapped over two lines",
         "1'' Spores\nwhite\n2'' Gills free ..... Amanita muscaria\n2' Gills attached\nTricholoma and T. album\n"
         "1' Spores pink\nPluteus cervinus\n", gills, 0, 0, 0, 0},
        {"a key with references is read otherwise", "1. Spores white 2\n1\u2032. Spores pink\nPluteus\n2. Gills free\n"
                                                   "Amanita\n2\u2032. Gills attached\nTricholoma\n", {}, 0, 0, 0, 0},
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
    }
}
