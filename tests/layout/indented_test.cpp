// Indented and hierarchical keys, written as a user pastes them, converted
// to numbered couplet keys.
#include <gtest/gtest.h>

#include "documents/file_io.hpp"
#include "engine/text.hpp"
#include "layout/indented.hpp"
#include "support/processing.hpp"

using namespace sarvelo;

namespace {

Lines convert(const std::string& text, int tabWidth = 8) {
    const IndentedKey key = convertIndentedKey(text::splitLines(text), tabWidth);
    EXPECT_TRUE(key.converted) << key.message;
    return key.lines;
}

struct Case {
    const char* name;
    const char* text;
    Lines expected;
};

// Two-level key shown each way: the same tree must come out.
const Lines kGills{
    "1. Spores white ... 2",
    "1. Spores pink ... 3",
    "2. Gills free => Amanita",
    "2. Gills attached => Tricholoma",
    "3. Gills free => Pluteus",
    "3. Gills attached => Entoloma",
};

}  // namespace

TEST(IndentedKey, EveryWayOfShowingLevelsGivesTheSameTree) {
    const Case cases[] = {
        {"spaces", "Spores white\n   Gills free ..... Amanita\n   Gills attached ..... Tricholoma\n"
                   "Spores pink\n   Gills free ..... Pluteus\n   Gills attached ..... Entoloma\n", kGills},
        {"tabs", "Spores white\n\tGills free\tAmanita\n\tGills attached\tTricholoma\n"
                 "Spores pink\n\tGills free\tPluteus\n\tGills attached\tEntoloma\n", kGills},
        {"roman and capitals, no indentation",
         "I. Spores white.\nA. Gills free. Amanita.\nB. Gills attached. Tricholoma.\n"
         "II. Spores pink.\nA. Gills free. Pluteus.\nB. Gills attached. Entoloma.\n",
         {"1. Spores white. ... 2", "1. Spores pink. ... 3", "2. Gills free. => Amanita",
          "2. Gills attached. => Tricholoma", "3. Gills free. => Pluteus", "3. Gills attached. => Entoloma"}},
        {"small letters and digits", "a) Spores white\n1) Gills free .... Amanita\n2) Gills attached .... Tricholoma\n"
                                     "b) Spores pink\n1) Gills free .... Pluteus\n2) Gills attached .... Entoloma\n", kGills},
        {"doubled letters", "A. Spores white\nB. Gills free .... Amanita\nBB. Gills attached .... Tricholoma\n"
                            "AA. Spores pink\nB. Gills free .... Pluteus\nBB. Gills attached .... Entoloma\n", kGills},
        {"letters primed with a stop", "A. Spores white\n  B. Gills free .... Amanita\n  B'. Gills attached .... Tricholoma\n"
                                       "A'. Spores pink\n  B. Gills free .... Pluteus\n  B'. Gills attached .... Entoloma\n", kGills},
        {"doubled small letters set deeper, a level of their own",
         "a. Spores white\n    aa. Gills free .... Amanita\n    bb. Gills attached .... Tricholoma\n"
         "b. Spores pink\n    aa. Gills free .... Pluteus\n    bb. Gills attached .... Entoloma\n", kGills},
        {"small letters written up to six times, each count a level deeper",
         "a. Spores white\n  aa. Gills free\n    aaa. Ring present\n      aaaa. Volva large\n        aaaaa. Cap red\n"
         "          aaaaaa. Warts white .... Amanita\n          bbbbbb. Warts yellow .... Amanitina\n"
         "        bbbbb. Cap brown .... Amanitella\n      bbbb. Volva small .... Limacella\n    bbb. Ring absent .... Amanitopsis\n"
         "  bb. Gills attached .... Tricholoma\nb. Spores pink .... Pluteus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free ... 3", "2. Gills attached => Tricholoma",
          "3. Ring present ... 4", "3. Ring absent => Amanitopsis", "4. Volva large ... 5", "4. Volva small => Limacella",
          "5. Cap red ... 6", "5. Cap brown => Amanitella", "6. Warts white => Amanita", "6. Warts yellow => Amanitina"}},
        {"doubled capitals set deeper by a tab", "A. Spores white\n\tAA. Gills free\tAmanita\n\tBB. Gills attached\tTricholoma\n"
                                               "B. Spores pink\n\tAA. Gills free\tPluteus\n\tBB. Gills attached\tEntoloma\n", kGills},
        {"letter and number", "a1 Spores white\nb1 Gills free .... Amanita\nb2 Gills attached .... Tricholoma\n"
                              "a2 Spores pink\nb1 Gills free .... Pluteus\nb2 Gills attached .... Entoloma\n", kGills},
        {"path numbers", "1. Spores white\n1.1. Gills free .... Amanita\n1.2. Gills attached .... Tricholoma\n"
                         "2. Spores pink\n2.1. Gills free .... Pluteus\n2.2. Gills attached .... Entoloma\n", kGills},
        {"path numbers with hyphens", "1 Spores white\n1-1 Gills free .... Amanita\n1-2 Gills attached .... Tricholoma\n"
                                      "2 Spores pink\n2-1 Gills free .... Pluteus\n2-2 Gills attached .... Entoloma\n", kGills},
        {"numbers, then bracketed numbers", "1. Spores white\n(1) Gills free .... Amanita\n(2) Gills attached .... Tricholoma\n"
                                            "2. Spores pink\n(1) Gills free .... Pluteus\n(2) Gills attached .... Entoloma\n", kGills},
        {"labels and indentation mixed", "I. Spores white\n    Gills free ...... Amanita\n    Gills attached ...... Tricholoma\n"
                                         "II. Spores pink\n    Gills free ...... Pluteus\n    Gills attached ...... Entoloma\n", kGills},
        {"doubled labels in bold marks", "=A.= Spores white\n=B.= Gills free .... Amanita\n=BB.= Gills attached .... Tricholoma\n"
                                         "=AA.= Spores pink\n=B.= Gills free .... Pluteus\n=BB.= Gills attached .... Entoloma\n", kGills},
        {"labels in italic marks", "_a._ Spores white\n  _1._ Gills free .... Amanita\n  _2._ Gills attached .... Tricholoma\n"
                                   "_b._ Spores pink\n  _1._ Gills free .... Pluteus\n  _2._ Gills attached .... Entoloma\n", kGills},
        {"numbers in square brackets, unlabelled leads below",
         "[1.] Spores white\n    Gills free      Amanita\n    Gills attached      Tricholoma\n[2.] Spores pink\n"
         "    Gills free      Pluteus\n    Gills attached      Entoloma\n", kGills},
        {"couplet numbers, the second leads primed with a stop", "1. Spores white\n   2. Gills free .... Amanita\n"
                                   "   2\u2032. Gills attached .... Tricholoma\n1\u2032. Spores pink\n   3. Gills free .... Pluteus\n"
                                   "   3\u2032. Gills attached .... Entoloma\n", kGills},
        {"rings set flush right, as plain-text copies give them", "Spores white\n    O Gills free .... Amanita\n"
                                   "   OO Gills attached .... Tricholoma\nSpores pink\n    O Gills free .... Pluteus\n"
                                   "   OO Gills attached .... Entoloma\n", kGills},
        {"labels tied to the text by a dash, the inner ones numbered straight through",
         "(A.)--Spores white\n    (1.)--Gills free      _Amanita._\n    (2.)--Gills attached      _Tricholoma._\n"
         "(B.)--Spores pink\n    (3.)--Gills free      _Pluteus._\n    (4.)--Gills attached      _Entoloma._\n", kGills},
        {"the level's word spelt out in marks, tied by a dash", "_Section I._--Spores white\n  (a.)--Gills free .... Amanita\n"
                                   "  (b.)--Gills attached .... Tricholoma\n_Section II._--Spores pink\n"
                                   "  (a.)--Gills free .... Pluteus\n  (b.)--Gills attached .... Entoloma\n", kGills},
        {"Greek letters spelt out in brackets, then stars", "[alpha]. Spores white\n  * Gills free .... Amanita\n"
                                   "  ** Gills attached .... Tricholoma\n[beta]. Spores pink\n  * Gills free .... Pluteus\n"
                                   "  ** Gills attached .... Entoloma\n", kGills},
        {"a letter a level, both leads of a couplet under the same letter",
         "a. Spores white\n  b. Gills free .... Amanita\n  b. Gills attached .... Tricholoma\n"
         "a. Spores pink\n  b. Gills free .... Pluteus\n  b. Gills attached .... Entoloma\n", kGills},
        {"a capital a level, no indentation", "A. Spores white\nB. Gills free .... Amanita\nB. Gills attached .... Tricholoma\n"
                                              "A. Spores pink\nB. Gills free .... Pluteus\nB. Gills attached .... Entoloma\n", kGills},
        {"a letter with a raised number", "a\u00B9 Spores white\n  b\u00B9 Gills free .... Amanita\n"
                                          "  b\u00B2 Gills attached .... Tricholoma\na\u00B2 Spores pink\n"
                                          "  b\u00B9 Gills free .... Pluteus\n  b\u00B2 Gills attached .... Entoloma\n", kGills},
        {"raised numbers copied with a caret, in marks, the stop after them",
         "_a^1_. Spores white\n  _b^1_. Gills free .... Amanita\n  _b^2_. Gills attached .... Tricholoma\n"
         "_a^2_. Spores pink\n  _b^1_. Gills free .... Pluteus\n  _b^2_. Gills attached .... Entoloma\n", kGills},
        {"crosses, then daggers", "+ Spores white\n  \u2020 Gills free .... Amanita\n  \u2020\u2020 Gills attached .... Tricholoma\n"
                                  "++ Spores pink\n  \u2020 Gills free .... Pluteus\n  \u2020\u2020 Gills attached .... Entoloma\n", kGills},
        {"couplet numbers and lead letters", "1a. Spores white\n  2a. Gills free .... Amanita\n  2b. Gills attached .... Tricholoma\n"
                                  "1b. Spores pink\n  3a. Gills free .... Pluteus\n  3b. Gills attached .... Entoloma\n", kGills},
        {"one couplet number for both leads", "1. Spores white\n  2. Gills free .... Amanita\n  2. Gills attached .... Tricholoma\n"
                                  "1. Spores pink\n  3. Gills free .... Pluteus\n  3. Gills attached .... Entoloma\n", kGills},
        {"daggers spelt out, then equals signs", "[dagger] Spores white\n  = Gills free .... Amanita\n  == Gills attached .... Tricholoma\n"
                                  "[dagger][dagger] Spores pink\n  = Gills free .... Pluteus\n  == Gills attached .... Entoloma\n", kGills},
        {"couplet numbers, the other leads dashed", "1. Spores white\n  2. Gills free .... Amanita\n"
                                  "  \u2013 Gills attached .... Tricholoma\n\u2013 Spores pink\n  3. Gills free .... Pluteus\n"
                                  "  \u2013 Gills attached .... Entoloma\n", kGills},
        {"binomials with their authors under leads without a stop", "Spores white\n  Gills free\n    Amanita alba L.\n"
                                  "  Gills attached\n    Tricholoma album Fr.\nSpores pink\n  Gills free\n    Pluteus Alba Fr.\n"
                                  "  Gills attached\n    Entoloma album Fr.\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "2. Gills free => Amanita alba L.",
          "2. Gills attached => Tricholoma album Fr.", "3. Gills free => Pluteus Alba Fr.", "3. Gills attached => Entoloma album Fr."}},
        {"Greek letters", "\u03B1. Spores white\n  1. Gills free .... Amanita\n  2. Gills attached .... Tricholoma\n"
                          "\u03B2. Spores pink\n  1. Gills free .... Pluteus\n  2. Gills attached .... Entoloma\n", kGills},
        {"doubled letters at one margin, each name set deeper on the line under its lead",
         "A. Spores white\nB. Gills free\n        Amanita L.\nBB. Gills attached\n        Tricholoma\n"
         "AA. Spores pink\nB. Gills free\n        Pluteus\nBB. Gills attached\n        Entoloma\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "2. Gills free => Amanita L.", "2. Gills attached => Tricholoma",
          "3. Gills free => Pluteus", "3. Gills attached => Entoloma"}},
        {"stars for a couplet of five leads", "I. Spores white\n  * Gills free .... Amanita\n  ** Gills attached .... Tricholoma\n"
                                  "  *** Gills none .... Russula\n  **** Gills forked .... Cantharellus\n  ***** Tubes .... Boletus\n"
                                  "II. Spores pink .... Pluteus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita", "2. Gills attached => Tricholoma",
          "2. Gills none => Russula", "2. Gills forked => Cantharellus", "2. Tubes => Boletus"}},
        {"Greek letters in italic marks", "_\u03B1._ Spores white\n  1. Gills free .... Amanita\n  2. Gills attached .... Tricholoma\n"
                          "_\u03B2._ Spores pink\n  1. Gills free .... Pluteus\n  2. Gills attached .... Entoloma\n", kGills},
        {"roman numerals over numbers, a scan reading the first number as a letter",
         "I. Spores white\n  l. Gills free .... Amanita\n  2. Gills attached .... Tricholoma\n"
         "II. Spores pink\n  I. Gills free .... Pluteus\n  2. Gills attached .... Entoloma\n", kGills},
        {"doubled letters, a stop misread as a semicolon",
         "a. Spores white\n  b. Gills free .... Amanita\n  bb; Gills attached .... Tricholoma\n"
         "aa; Spores pink\n  b. Gills free .... Pluteus\n  bb. Gills attached .... Entoloma\n", kGills},
        {"a scan reading the last number of a series as a letter",
         "A. Spores white\n  1. Gills free .... Amanita\n  2. Gills attached .... Tricholoma\n  3. Gills none .... Russula\n"
         "  4. Gills forked .... Cantharellus\n  S. Tubes .... Boletus\nB. Spores pink .... Pluteus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita", "2. Gills attached => Tricholoma",
          "2. Gills none => Russula", "2. Gills forked => Cantharellus", "2. Tubes => Boletus"}},
        {"names on the line below their lead", "Spores white\n  Gills free.\n    Amanita muscaria L.\n  Gills attached.\n"
                                               "    T. equestre\nSpores pink\n  Gills free.\n    Order Pluteales\n  Gills attached.\n"
                                               "    Entoloma sinuatum Fr.\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "2. Gills free. => Amanita muscaria L.",
          "2. Gills attached. => T. equestre", "3. Gills free. => Order Pluteales", "3. Gills attached. => Entoloma sinuatum Fr."}},
        {"names set deeper under leads without their stop: a binomial with the book's number, a name and a remark, names listed with commas, a common name",
         "Spores white\n  Gills free\n        A. Caesarea (no. 1)\n  Gills attached\n        Tricholoma (not in Europe)\n"
         "Spores pink\n  Gills free\n        Pluteus, Volvariella.\n  Gills attached\n        Pink Gill Mushroom\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "2. Gills free => A. Caesarea (no. 1)",
          "2. Gills attached => Tricholoma (not in Europe)",
          "3. Gills free => Pluteus, Volvariella.", "3. Gills attached => Pink Gill Mushroom"}},
    };
    for (const Case& c : cases) EXPECT_EQ(convert(c.text), c.expected) << c.name;
}

TEST(IndentedKey, LabelsFollowTheirSeriesAtAnyDepth) {
    // Nesting learned from the text: roman, then capitals, then small
    // letters; a label returns to the level of its series.
    EXPECT_EQ(convert("I. Spores white.\nA. Plants fleshy.\na. Stem central. Amanita.\nb. Stem lateral. Pleurotus.\n"
                      "B. Plants tough. Lentinus.\nII. Spores pink. Pluteus.\n"),
              (Lines{"1. Spores white. ... 2", "1. Spores pink. => Pluteus", "2. Plants fleshy. ... 3",
                     "2. Plants tough. => Lentinus", "3. Stem central. => Amanita", "3. Stem lateral. => Pleurotus"}));
}

TEST(IndentedKey, EachLayoutOfAnOldBookIsRead) {
    struct BookCase {
        const char* layout;
        const char* text;
        Lines expected;
        int setAside = -1, bookNumbers = -1;  // -1: not counted here
    };
    const BookCase cases[] = {
        {"a synopsis whose unlabelled leads under lettered ones open with their name, a lead wrapped after a sentence",
         "  A. Bill shorter than the head. Feathers of head and\n  nostrils as in B.\n\n"
         "    Dolichonyx. Tail-feathers with rigid stiffened acuminate\n    points. Middle toe very long.\n\n"
         "    Molothrus. Tail with the feathers simple; middle toe\n    shorter than the tarsus.\n\n"
         "  B. Bill as long as the head. Feathers of crown soft.\n\n"
         "    Agelaius. First quill shorter than the second and third.\n    Outer lateral claws scarcely reaching to the base of\n"
         "    middle; claws moderate.\n\n    Sturnella. First quill longest. Toes and claws all\n    much elongated.\n\n"
         "  C. Bill longer than the head.\n\n    Icterus. Tail rounded.\n\n    Trupialis. Tail square.\n",
         {"1. Bill shorter than the head. Feathers of head and nostrils as in B. ... 2",
          "1. Bill as long as the head. Feathers of crown soft. ... 3", "1. Bill longer than the head. ... 4",
          "2. Tail-feathers with rigid stiffened acuminate points. Middle toe very long. => Dolichonyx",
          "2. Tail with the feathers simple; middle toe shorter than the tarsus. => Molothrus",
          "3. First quill shorter than the second and third. Outer lateral claws scarcely reaching to the base of middle; "
          "claws moderate. => Agelaius",
          "3. First quill longest. Toes and claws all much elongated. => Sturnella", "4. Tail rounded. => Icterus",
          "4. Tail square. => Trupialis"}},
        {"letters naming levels, a couplet of three across its sub-key, a binomial with a capitalised epithet under its lead",
         "A. Leaves simple.\n   B. Fruit a nut.\n      C. Cup covering the nut ..... Castanea\n"
         "      C. Cup shallow ..... Quercus\n   B. Fruit a samara ..... Acer\n   B. Fruit a berry ..... Viburnum\n"
         "A. Leaves compound.\n      Fraxinus Ornus L.\n",
         {"1. Leaves simple. ... 2", "1. Leaves compound. => Fraxinus Ornus L.", "2. Fruit a nut. ... 3",
          "2. Fruit a samara => Acer", "2. Fruit a berry => Viburnum", "3. Cup covering the nut => Castanea",
          "3. Cup shallow => Quercus"}},
        {"path numbers on consecutive lines, a lone sub-path, an account and a figure's call after a blank line",
         "Key to species\n\n1\tSpores white\n1.1\tGills free\tAmanita alba\n1.2\tGills attached\tTricholoma album\n"
         "2\tSpores pink\n2.1\tGills free\n\tStem central\tPluteus albus\n\nPluteus albus (Fries, 1821) comb. n.\nFig. 3\n",
         {"1. Spores white ... 2", "1. Spores pink Gills free Stem central => Pluteus albus",
          "2. Gills free => Amanita alba", "2. Gills attached => Tricholoma album"}},
        {"doubled letters run together by OCR, a labelled title, names as the lead's last sentence",
         "A. KEY TO THE TREES.\n\nB. Fruit a cone.\n\nC. Leaves in bundles. The Pines CC. Leaves single, "
         "flat. The Firs or Balsams\n\nBB. Fruit a berry. The Junipers\n",
         {"1. Fruit a cone. ... 2", "1. Fruit a berry. => The Junipers", "2. Leaves in bundles. => The Pines",
          "2. Leaves single, flat. => The Firs or Balsams"}, 1},
        {"lowered numbers run together, names at the right of a lead's first line, a paragraph after",
         "KEY TO ORDERS\n\nOrders A_{1} Wings short Runners A_{2} Wings long\n\n"
         "  B_{1} Toes webbed, legs short, tip not Sea-Divers\n    reaching the tail\n\n"
         "  B\u2082 Toes free Perchers\n\nThe food of birds is told by Dr. Beal.\n",
         {"1. Wings short => Runners", "1. Wings long ... 2",
          "2. Toes webbed, legs short, tip not reaching the tail => Sea-Divers", "2. Toes free => Perchers"}},
        {"names in a column at the right of a lead's first line, the lead going on under them, deeper",
         "A_{1} Wings not fit for flight                  RUNNERS\nA_{2} Wings fit for flight\n"
         "  B_{1} Feet far back; wings short, tip not     DIVERS\n    reaching to base\n    of tail (Fig. 300)\n"
         "  B_{2} Toes webbed, a bare sac under           GORGERS\n    throat\n",
         {"1. Wings not fit for flight => RUNNERS", "1. Wings fit for flight ... 2",
          "2. Feet far back; wings short, tip not reaching to base of tail (Fig. 300) => DIVERS",
          "2. Toes webbed, a bare sac under throat => GORGERS"}},
        {"a list set deeper under the introduction, then leads hung under their names run in after one blank",
         "  Copy this list and write the order of each bird\n  (Key, page 177.)\n\n"
         "                        Cockatoo (Fig. 320)\n                        Sacred Ibis (Fig. 328)\n"
         "                        Wren (Fig. 310)\n                        Heron (Fig. 315)\n\n"
         " A_{1} Wings not fit for flight                  RUNNERS\n A_{2} Wings fit for flight\n"
         "   B_{1} Claws short, feet and beak stout, base SCRATCHERS\n     of hind toe raised\n"
         "   B_{2} Claws long, curved, bill hooked and ROBBERS\n     sharp\n",
         {"1. Wings not fit for flight => RUNNERS", "1. Wings fit for flight ... 2",
          "2. Claws short, feet and beak stout, base of hind toe raised => SCRATCHERS",
          "2. Claws long, curved, bill hooked and sharp => ROBBERS"}, 6},
        {"primed letters, lines hung under the text, names on their line with the page at the right",
         "Key to the tribes\n\n  A  Teeth rooted, crowns of medium\n     (adult) height.\n"
         "     Tribe Alpha                 p. 15\n\n  A\u00B4 Teeth rootless (except in genus\n     _Beta_), crowns high.\n\n"
         "     B  Incisors smooth.\n        Tribe Gamma              p. 18\n\n     B\u00B4 Incisors grooved.\n"
         "        Tribe Delta              p. 21\n",
         {"1. Teeth rooted, crowns of medium (adult) height. => Tribe Alpha (p. 15)",
          "1. Teeth rootless (except in genus _Beta_), crowns high. ... 2", "2. Incisors smooth. => Tribe Gamma (p. 18)",
          "2. Incisors grooved. => Tribe Delta (p. 21)"}, -1, 3},
        {"letters doubled with a blank, the book's rank and number before names, a paragraph and its footnote after",
         "I. Insects without wings.\nA. Legs many.\na. Head free.\na. a. Four antennae Legion 1. Tetracera.\n"
         "b. b. Two antennae 2. Myriapoda.\nb. Head joined 3. Acera.\nB. Legs six 4. Apterodicera.\n"
         "II. Insects with wings Order 5. Pterodicera.\n\nThe arrangement has merit, says Burmeister.[1]\n\n"
         "  1. Trans. of his Manual, p. 610.\n",
         {"1. Insects without wings. ... 2", "1. Insects with wings => Pterodicera (no. 5)", "2. Legs many. ... 3",
          "2. Legs six => Apterodicera (no. 4)", "3. Head free. ... 4", "3. Head joined => Acera (no. 3)",
          "4. Four antennae => Tetracera (no. 1)", "4. Two antennae => Myriapoda (no. 2)"}, 2, 5},
        {"headings in capitals around the key, a paragraph after, a name wrapped at the right margin, a lead ending in a dash",
         "KEY TO THE FERNS\n\nASPIDIUM\n\nFronds pinnate, the pinnae cut--\n    Blade thin ........ New York Fern\n"
         "    Blade thick;\n        Sori marginal\n                                          Marginal Fern\n"
         "        Sori central ........ Male Fern\nFronds twice pinnate ........ Spinulose Fern\n\nTHE WOOD FERNS\n\n"
         "The ferns of this group, not counting the small fragrant fern, prefer the woods or at least shady places.\n",
         {"1. Fronds pinnate, the pinnae cut-- ... 2", "1. Fronds twice pinnate => Spinulose Fern",
          "2. Blade thin => New York Fern", "2. Blade thick; ... 3", "3. Sori marginal => Marginal Fern",
          "3. Sori central => Male Fern"}, 4},
        {"names after a double hyphen or a dash, one wrapped with its numbers; a heading in capitals one blank line "
         "under the whole key, a labelled account below it",
         "_Monocots_\n\n(Leaves with parallel veins)\n\n I. Perianth coloured.\n\n      A. Ovary inferior.\n\n"
         "           1. Leaves narrow--Orders\n           77-80.\n\n           2. Leaves broad \u2014 Order 81.\n\n"
         "      B. Ovary superior--Orders 82-88.\n\nII. Perianth none--Order 89.\n\nSYNOPSIS OF THE ORDERS\n\n"
         "1. LILIACEAE.--Herbs with bulbs.\n",
         {"1. Perianth coloured. ... 2", "1. Perianth none => Order 89", "2. Ovary inferior. ... 3",
          "2. Ovary superior => Orders 82-88", "3. Leaves narrow => Orders 77-80", "3. Leaves broad => Order 81"}},
        {"leads set as headings in capitals under a title in capitals: each heading is a lead, no end of the key",
         "KEY TO THE GROUPS\n\nLEAVES SIMPLE\n  Fruit red ..... Alpha\n  Fruit blue ..... Beta\n\nLEAVES COMPOUND\n"
         "  Fruit red ..... Gamma\n  Fruit blue ..... Delta\n\nLEAVES NONE\n  Fruit red ..... Epsilon\n"
         "  Fruit blue ..... Zeta\n",
         {"1. LEAVES SIMPLE ... 2", "1. LEAVES COMPOUND ... 3", "1. LEAVES NONE ... 4", "2. Fruit red => Alpha",
          "2. Fruit blue => Beta", "3. Fruit red => Gamma", "3. Fruit blue => Delta", "4. Fruit red => Epsilon",
          "4. Fruit blue => Zeta"}, 1},
        {"a clause after a double hyphen is no name",
         "Spores white.\n  Gills free--Amanita.\n  Gills attached--Plants with a ring.\nSpores pink--Pluteus.\n",
         {"1. Spores white. ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita",
          "2. Gills attached--Plants with a ring."}},
        {"unlabelled leads at the margin ending in a name after a double hyphen, the name's book number kept apart",
         "Key\n\nPlant large, fruiting in June:--Rattlesnake Fern.\nPlant smaller:\n"
         "  Fruiting in autumn. -- B. virginianum (no. 2).\n  Fruiting in summer--Moonwort.\n",
         {"1. Plant large, fruiting in June: => Rattlesnake Fern.", "1. Plant smaller: ... 2",
          "2. Fruiting in autumn. => B. virginianum (no. 2)", "2. Fruiting in summer => Moonwort"}, 1, 1},
        {"names with the book's number at the right, a remark in brackets wrapped under one opening like a label",
         "  Thallus strap-shaped.\n    Greyish above                    1.  Evernia Ach.\n"
         "    Whitish above                    2.  Letharia Ach. (Cerania\n"
         "                                         S. F. Gray).\n  Thallus filamentous                3.  Usnea Dill.\n",
         {"1. Thallus strap-shaped. ... 2", "1. Thallus filamentous => Usnea Dill. (no. 3)", "2. Greyish above => Evernia Ach. (no. 1)",
          "2. Whitish above => Letharia Ach. (Cerania S. F. Gray). (no. 2)"}, -1, 3},
        {"paragraphs that open with their name in capitals and the book's number, the page at the right; one alone "
         "under its label goes with it; a line in lower case under an abbreviation goes on",
         "a. Caps. sessile.\n\n SPHAGNUM (2). Perennial; barren fl.\n gemmiform, aquatic.                23.\n\n"
         "b. Caps. stalked.\n\n ENCALYPTA (partly) [29.] _vide ante. p. 2._\n\n GYMNOSTOMUM (5). Perennial.        31.\n\n"
         " POTTIA (21). Annual.                55.\n",
         {"1. Caps. sessile. Perennial; barren fl. gemmiform, aquatic. => SPHAGNUM (no. 2) (p. 23)", "1. Caps. stalked. ... 2",
          "2. _vide ante. p. 2._ => ENCALYPTA (partly) (no. 29)", "2. Perennial. => GYMNOSTOMUM (no. 5) (p. 31)",
          "2. Annual. => POTTIA (no. 21) (p. 55)"}},
        {"labels centred over name paragraphs set at the margin",
         "           a. Caps. sessile.\n\n  NAMEZ (9). Leaves none.     11.\n\n           b. Caps. stalked.\n\n"
         "      \u03B1. Caps. erect.\n\n  NAMEA (1). Leaves broad.     12.\n\n  NAMEB (2). Leaves narrow.    13.\n\n"
         " \u03B2. Caps. drooping.\n\n  NAMEC (3). Leaves long.     14.\n\n  NAMED (4). Leaves short.    15.\n",
         {"1. Caps. sessile. Leaves none. => NAMEZ (no. 9) (p. 11)", "1. Caps. stalked. ... 2", "2. Caps. erect. ... 3",
          "2. Caps. drooping. ... 4", "3. Leaves broad. => NAMEA (no. 1) (p. 12)", "3. Leaves narrow. => NAMEB (no. 2) (p. 13)",
          "4. Leaves long. => NAMEC (no. 3) (p. 14)", "4. Leaves short. => NAMED (no. 4) (p. 15)"}},
        {"the printers' marks section and parallels as labels, doubled with a blank",
         "\u00A7 Ribs sessile.\n  \u2016 Body scaly ..... Alba\n  \u2016 \u2016 Body naked ..... Beta\n"
         "\u00A7 \u00A7 Ribs inserted ..... Gamma\n",
         {"1. Ribs sessile. ... 2", "1. Ribs inserted => Gamma", "2. Body scaly => Alba", "2. Body naked => Beta"}},
        {"levels named by the book's divisions, a division over a single lettered group, a title of a division "
         "out of the key",
         "SECT. II. PLEUROCARPI.\n\n     DIV. I. _Calyptra dimidiate._\n\n     SUB-DIV. I. _Peristome none._\n\n"
         " NAMEA (72). Caps. oval.        139.\n\n     SUB-DIV. II. _Peristome double._\n\n          _a._ _Inner short._\n\n"
         " NAMEB (73). Caps. erect.      139.\n\n NAMEC (78). Caps. oblong.     141.\n\n"
         "     DIV. II. _Calyptra mitriform._\n\n NAMED (86). Caps. ovate.      184.\n\n NAMEE (87). Caps. erect.      184.\n",
         {"1. _Calyptra dimidiate._ ... 2", "1. _Calyptra mitriform._ ... 4",
          "2. _Peristome none._ Caps. oval. => NAMEA (no. 72) (p. 139)", "2. _Peristome double._ _Inner short._ ... 3",
          "3. Caps. erect. => NAMEB (no. 73) (p. 139)", "3. Caps. oblong. => NAMEC (no. 78) (p. 141)", "4. Caps. ovate. => NAMED (no. 86) (p. 184)",
          "4. Caps. erect. => NAMEE (no. 87) (p. 184)"}},
        {"stars spaced, the second set at another indentation than the first",
         "   * Leaves opposite.\n      a. Flowers white ..... Alba\n      b. Flowers red ..... Rubra\n"
         "  * * Leaves alternate ..... Tertia\n",
         {"1. Leaves opposite. ... 2", "1. Leaves alternate => Tertia", "2. Flowers white => Alba",
          "2. Flowers red => Rubra"}},
        {"primed numbers, leads wrapped back to their label's margin, names run in after their rank and number "
         "(wrapped after the rank, or the name alone on the next line), a remark in square brackets kept, a figure's "
         "call after a name and a note's call after a stop left out, a page's number in braces before a label",
         "Table of the tribes:\n\n  1. Femora spiny.[169]\n\n    2. Plate large, narrow.\n"
         "    Wings with a field. Tribe 1. ECTOBIIDES. [Anaplectinae Saussure.]\n\n"
         "    {241}2\u2032. Plate with valves. Tribe\n    2. PERIPLANETIDES. (Fig. 119, _Periplaneta_.)\n\n"
         "  1\u2032. Femora unarmed, the wings\n  folded. Tribe 3.\n  PANESTHIIDES. (Fig. 202, _Anostostoma_;\n"
         "  Fig. 197, _Dolichopoda_.)\n\n\n{330}CHAPTER XIV\n\nCRICKETS.\n",
         {"1. Femora spiny. ... 2", "1. Femora unarmed, the wings folded. => PANESTHIIDES (no. 3)",
          "2. Plate large, narrow. Wings with a field. => ECTOBIIDES [Anaplectinae Saussure.] (no. 1)",
          "2. Plate with valves. => PERIPLANETIDES (no. 2)"}, 3, 3},
        {"a primed number run in at the end of a line after a name and a page's number, a note's call after a comma",
         "  1. Tibiae carinate.\n\n    2. Antennae long,[209] many jointed. Tribe 1. BACTERIIDES. (Fig. 162, "
         "_Palophus_.) {278}2\u2032.\n    Each sex winged. Tribe 2. NECROSCIDES.\n\n  1\u2032. Tibiae with an area.\n\n"
         "    3. Claws unarmed. Tribe 3. PHASMIDES.\n\n    3\u2032. Claws toothed. Tribe 4. PHYLLIIDES.\n",
         {"1. Tibiae carinate. ... 2", "1. Tibiae with an area. ... 3", "2. Antennae long, many jointed. => BACTERIIDES (no. 1)",
          "2. Each sex winged. => NECROSCIDES (no. 2)", "3. Claws unarmed. => PHASMIDES (no. 3)", "3. Claws toothed. => PHYLLIIDES (no. 4)"}},
        {"names at the right margin with the book's number, arabic or roman, one alone on the line under its lead",
         "SYNOPSIS.\n\n  I. Parietals separating the frontals.\n\n    Margin of the jaw formed by two bones; basis cranii "
         "simple\n                                                           1. _Galaxiidae_.\n\n"
         "    Margin of the jaw formed by one bone        2. _Haplochitonidae_.\n\n"
         "  II. Frontals in contact; scales usually very small or\n"
         "    absent                                             III. ZEORHOMBI.\n",
         {"1. Parietals separating the frontals. ... 2", "1. Frontals in contact; scales usually very small or absent => ZEORHOMBI (no. III)",
          "2. Margin of the jaw formed by two bones; basis cranii simple => Galaxiidae (no. 1)",
          "2. Margin of the jaw formed by one bone => Haplochitonidae (no. 2)"}, 1, 3},
        {"names with the book's number (and page) sent by the line width to a line of their own under their lead's text",
         "A. Leaves simple, entire, thick and leathery, the veins hidden beneath the\n"
         "   hairs of the blade and never showing through to the other side\n   1. Boott's Shield Fern, p. 47\n"
         "B. Leaves compound, thin.\n   a. Veins plain on both faces, the lobes toothed along their\n      margins\n      2. A. filix-femina var. Michauxii\n"
         "   b. Veins hidden, the lobes entire and rolled back over the\n      sori beneath them\n      3. Cliff Brake, p. 50\n",
         {"1. Leaves simple, entire, thick and leathery, the veins hidden beneath the hairs of the blade and never showing "
          "through to the other side => Boott's Shield Fern (no. 1) (p. 47)",
          "1. Leaves compound, thin. ... 2", "2. Veins plain on both faces, the lobes toothed along their margins => A. filix-femina var. Michauxii (no. 2)",
          "2. Veins hidden, the lobes entire and rolled back over the sori beneath them => Cliff Brake (no. 3) (p. 50)"}},
        {"names with the book's number sent to a line of their own at the margin of their lead's label, a lettered one",
         "A. Tibiae beneath carinate to the apex, without an apical area, the\nantennae much longer than the femora.\n"
         "  \u03B1. The anal segment of the males roof-like, more or less bilobate.\n  The species inhabit the Old World.\n"
         "  1. LONCHODIDES, p. 12\n  \u03B2. The anal segment of the males arched, straight behind. The\n"
         "  species are American.\n  2. BACUNCULIDES\nB. Tibiae furnished beneath with a triangular apical area 3. PHASMIDES\n",
         {"1. Tibiae beneath carinate to the apex, without an apical area, the antennae much longer than the femora. ... 2",
          "1. Tibiae furnished beneath with a triangular apical area => PHASMIDES (no. 3)",
          "2. The anal segment of the males roof-like, more or less bilobate. The species inhabit the Old World. => "
          "LONCHODIDES (no. 1) (p. 12)",
          "2. The anal segment of the males arched, straight behind. The species are American. => BACUNCULIDES (no. 2)"}},
        {"names cut from their book's number by the line width, the number ending the line above",
         "A. Op doode rupsen of poppen groeiend, knotsvormig, geel of rood 1.\n   C\u00F3rdiceps milit\u00E1ris, p. 23\n"
         "B. Op de aarde, hout, stronken enz. levend\n   a. Gesteeld, de hoed als een spons 2. Morch\u00E9lla esculenta\n"
         "   b. Hoed zadelvormig, de steel geribd, wit of grijs van kleur 3.\n      Helv\u00E9lla crispa\n",
         {"1. Op doode rupsen of poppen groeiend, knotsvormig, geel of rood => C\u00F3rdiceps milit\u00E1ris (no. 1) (p. 23)",
          "1. Op de aarde, hout, stronken enz. levend ... 2", "2. Gesteeld, de hoed als een spons => Morch\u00E9lla esculenta (no. 2)",
          "2. Hoed zadelvormig, de steel geribd, wit of grijs van kleur => Helv\u00E9lla crispa (no. 3)"}},
        {"a figure's call cut inside its brackets by the line width, the line that closes them set deeper",
         "A. Bill flattened, horny plates under margin of upper bill (Fig.\n      323) 1. Bill-Strainers\n"
         "B. Bill hooked or straight, the margin without plates.\n"
         "  a. Bill hooked, the margin sharp and notched near the tip (Fig.\n      324, a.) 2. Raptores\n"
         "  b. Bill straight, the margin smooth (Fig. 325) 3. Waders\n",
         {"1. Bill flattened, horny plates under margin of upper bill (Fig. 323) => Bill-Strainers (no. 1)",
          "1. Bill hooked or straight, the margin without plates. ... 2",
          "2. Bill hooked, the margin sharp and notched near the tip (Fig. 324, a.) => Raptores (no. 2)",
          "2. Bill straight, the margin smooth (Fig. 325) => Waders (no. 3)"}},
        {"a mark glued after a name's stop, its legend under the key",
         "  I. Scales present.\n\n    Body long                  1. _Esocidae_.\u2020\n\n"
         "    Body short                 2. _Umbridae_.\n\n  II. Scales absent            3. _Galaxiidae_.\n\n"
         "  \u2020 Fossil only.\n",
         {"1. Scales present. ... 2", "1. Scales absent => Galaxiidae (no. 3)", "2. Body long => Esocidae\u2020 (no. 1)",
          "2. Body short => Umbridae (no. 2)"}, 1, 3},
        {"the next section's heading ends the key, a label in the species' accounts below",
         "KEY TO THE WOODSIAS\n\nStipes not jointed:\n    Indusium ample.\n"
         "                                          Obtuse Woodsia\n    Pinnae hairy.\n"
         "                                          Rocky Woodsia\nStipes jointed:\n"
         "    Fronds chaffy ........ Rusty Woodsia\n    Fronds smooth ........ Smooth Woodsia\n\nTHE WOODSIAS\n\n"
         "Small, tufted ferns.\n\n(1) RUSTY WOODSIA. _Woodsia ilvensis_\n\nFronds chaffy.\n",
         {"1. Stipes not jointed: ... 2", "1. Stipes jointed: ... 3", "2. Indusium ample. => Obtuse Woodsia",
          "2. Pinnae hairy. => Rocky Woodsia", "3. Fronds chaffy => Rusty Woodsia", "3. Fronds smooth => Smooth Woodsia"}},
        {"the credit of the key's author after it, then the account of a genus",
         "  Spores white--\n    Gills free ...... Amanita\n    Gills attached ...... Tricholoma\n"
         "  Spores pink ...... Pluteus\n  Spores brown ...... Cortinarius\n\n  --_Lloyd._\n\n_Amanita. Pers._\n\n"
         "This is a very interesting genus of the woods.\n",
         {"1. Spores white-- ... 2", "1. Spores pink => Pluteus", "1. Spores brown => Cortinarius",
          "2. Gills free => Amanita", "2. Gills attached => Tricholoma"}},
        {"only the page set apart at the right, the name ending the lead's text",
         "Spores white\n  Gills free. Genus _Amanita_      p. 12\n  Gills attached. Genus _Tricholoma_      p. 14\n"
         "Spores pink ..... Pluteus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free. => Genus Amanita (p. 12)",
          "2. Gills attached. => Genus Tricholoma (p. 14)"}, -1, 2},
        {"a Fraktur book's OCR: its double hyphen read as a dash or an equals sign, blanks at the line ends",
         "A. Bl\u00E4tter einfach, die Fruchth\u00FClle leder= \n   artig.\n   B. Frucht eine Nuss ..... Quercus\n"
         "   B. Frucht eine Fl\u00FCgel\u2014 \n      frucht ..... Acer\n"
         "A. Bl\u00E4tter gefiedert, der Bl\u00FCten\u2014 \n   stand eine Rispe ..... Fraxinus\n",
         {"1. Bl\u00E4tter einfach, die Fruchth\u00FClle lederartig. ... 2",
          "1. Bl\u00E4tter gefiedert, der Bl\u00FCtenstand eine Rispe => Fraxinus", "2. Frucht eine Nuss => Quercus",
          "2. Frucht eine Fl\u00FCgelfrucht => Acer"}},
        {"a scan's running head with its page between two leads, no blank line around it",
         "A. Leaves simple.\n   B. Fruit a nut ..... Quercus\n142 FLORA OF THE COUNTY\n   B. Fruit a samara ..... Acer\n"
         "A. Leaves compound ..... Fraxinus\n",
         {"1. Leaves simple. ... 2", "1. Leaves compound => Fraxinus", "2. Fruit a nut => Quercus",
          "2. Fruit a samara => Acer"}, 1},
        {"no labels, a page's end between a lead ended by its name and its partner: a number or a running head between blank lines",
         "Leaves simple\n    Bark white .......... Betula\n    Bark grey ........... Fagus\nLeaves compound\n"
         "    Leaflets three ...... Ptelea\n\n117\n\n    Leaflets many\n        Fruit a samara ...... Fraxinus\n"
         "\n118   TREES OF THE STATE\n\n        Fruit a nut ......... Juglans\n",
         {"1. Leaves simple ... 2", "1. Leaves compound ... 3", "2. Bark white => Betula", "2. Bark grey => Fagus",
          "3. Leaflets three => Ptelea", "3. Leaflets many ... 4",
          "4. Fruit a samara => Fraxinus", "4. Fruit a nut => Juglans"}},
        {"leads opening with an abbreviated word that reads like a letter label no letter before it leads to",
         "Vroeg in het voorjaar verschijnend. H.\n    lichtgeel. St. wit .......... 26. Tr. gambosum\n"
         "Pas in den zomer verschijnend\n        H. en st. zuiver wit .......... 27. Tr. columbetta\n        H. paars\n"
         "                H. fraai paars, St. krachtig .......... 29. Tr. nudum\n"
         "                H. bruinachtig paars, St. dun .......... 30. Tr. sordidum\n",
         {"1. Vroeg in het voorjaar verschijnend. H. lichtgeel. St. wit => Tr. gambosum (no. 26)",
          "1. Pas in den zomer verschijnend ... 2", "2. H. en st. zuiver wit => Tr. columbetta (no. 27)", "2. H. paars ... 3",
          "3. H. fraai paars, St. krachtig => Tr. nudum (no. 29)", "3. H. bruinachtig paars, St. dun => Tr. sordidum (no. 30)"}},
        {"no labels, leads wrapped back to their own margin, the line carried on opening with a capital or a number",
         "Leaves simple, the blade\nOvate or round\n    Twigs hairy .......... Betula\n    Twigs smooth, buds long\n"
         "    Pointed .......... Fagus\nLeaves compound, leaflets\n9 or more .......... Fraxinus\n",
         {"1. Leaves simple, the blade Ovate or round ... 2", "1. Leaves compound, leaflets 9 or more => Fraxinus",
          "2. Twigs hairy => Betula", "2. Twigs smooth, buds long Pointed => Fagus"}, 0},
        {"no labels, names set under their leads, leads wrapped back to their own margin",
         "Wings short\n      Runners\nWings long\n    Feet far back, wings short, the tip\n    Not reaching the tail\n"
         "          Divers\n    Bill flattened, plates under the bill\n    23 mm. long\n          Strainers\n",
         {"1. Wings short => Runners", "1. Wings long ... 2",
          "2. Feet far back, wings short, the tip Not reaching the tail => Divers",
          "2. Bill flattened, plates under the bill 23 mm. long => Strainers"}, 0},
        {"no labels, the indentation lost, only the wrapped lines hung: leads one under the other stay apart",
         "Leaves simple, the blade ovate\n    or round, the margin toothed\nTwigs hairy .......... Betula\n"
         "Twigs smooth, the buds long\n    and pointed .......... Fagus\nLeaves compound .......... Fraxinus\n",
         {"1. Leaves simple, the blade ovate or round, the margin toothed ... 2", "1. Leaves compound => Fraxinus",
          "2. Twigs hairy => Betula", "2. Twigs smooth, the buds long and pointed => Fagus"}, 0},
        {"a page's number alone between two leads, no blank line around it; one that carries on a page",
         "A. Leaves simple.\n   B. Fruit a nut ..... Quercus\n87\n   B. Fruit a samara. Acer, p.\n88\n"
         "A. Leaves compound ..... Fraxinus\n",
         {"1. Leaves simple. ... 2", "1. Leaves compound => Fraxinus", "2. Fruit a nut => Quercus",
          "2. Fruit a samara. => Acer (p. 88)"}, 1, 1},
        {"a scan that glued the text to numbered labels",
         "A. Leaves simple.\n   1.Fruit a nut ..... Quercus\n   2)Fruit a samara ..... Acer\n"
         "B. Leaves compound ..... Fraxinus\n",
         {"1. Leaves simple. ... 2", "1. Leaves compound => Fraxinus", "2. Fruit a nut => Quercus",
          "2. Fruit a samara => Acer"}},
        {"a key that primes its second leads, a scan that glued the text to a first lead's number",
         "1. Femora spiny.\n  2. Lamina narrow.\n    3.A distinct pad. Tribe 6. PANCHLORIDES.\n"
         "    3\u2032. No pad. Tribe 7. BLABERIDES.\n  2\u2032. Lamina wide. Tribe 8. CORYDIIDES.\n"
         "1\u2032. Femora unarmed. Tribe 9. PANESTHIIDES.\n",
         {"1. Femora spiny. ... 2", "1. Femora unarmed. => PANESTHIIDES (no. 9)", "2. Lamina narrow. ... 3",
          "2. Lamina wide. => CORYDIIDES (no. 8)", "3. A distinct pad. => PANCHLORIDES (no. 6)",
          "3. No pad. => BLABERIDES (no. 7)"}},
        {"a key that primes its numbers, whose first label a scan read as a letter (\"l''\")",
         "Schl\u00FCssel\n\nl'' Fl\u00FCgel dunkel.\n2'' Beine lang ..... Plega nigra\n2' Beine kurz ..... Plega rufa\n"
         "l' Fl\u00FCgel hell ..... Plega alba\n",
         {"1. Fl\u00FCgel dunkel. ... 2", "1. Fl\u00FCgel hell => Plega alba", "2. Beine lang => Plega nigra",
          "2. Beine kurz => Plega rufa"}},
        {"a number run into one lead of a key that numbers no name",
         "a. Leaves simple.\nb. Fruit a nut. Quercus.\nb. Fruit a samara. Acer.\na. Leaves compound.\n"
         "b. Leaflets 3. Ptelea.\nb. Leaflets 5 or more. Fraxinus.\n",
         {"1. Leaves simple. ... 2", "1. Leaves compound. ... 3", "2. Fruit a nut. => Quercus",
          "2. Fruit a samara. => Acer", "3. Leaflets 3. => Ptelea", "3. Leaflets 5 or more. => Fraxinus"}, -1, 0},
        {"indentation lost, groups opened by leads ending in a dash or a colon",
         "Key to the families\n\nHymenium inferior--\nHymenium with gills ..... Agaricaceae\n"
         "Hymenium with pores ..... Polyporaceae\nHymenium with teeth ..... Hydnaceae\nHymenium superior:\n"
         "Hymenium club-shaped ..... Clavariaceae\nHymenium lobed ..... Tremellaceae\n\n"
         "Agaricaceae are the gill fungi of the woods and fields.\n",
         {"1. Hymenium inferior-- ... 2", "1. Hymenium superior: ... 3", "2. Hymenium with gills => Agaricaceae",
          "2. Hymenium with pores => Polyporaceae", "2. Hymenium with teeth => Hydnaceae",
          "3. Hymenium club-shaped => Clavariaceae", "3. Hymenium lobed => Tremellaceae"}, 2},
        {"letters doubled for the second lead, indentation lost, leads in paragraphs wrapped before a number, a name's page cut over the line end",
         "KEY TO THE GENERA\n\n   a. Leaves needle-shaped or\n   scale-like.\n\n   b. Leaves in clusters. PINUS, p. 4.\n\n"
         "   bb. Leaves solitary; twigs flattened; fruit a small cone. THUJA,\n   p. 31.\n\n"
         "   aa. Leaves broad, 2-4 inches long; lobes\n   3-5 in number; bark gray. ACER; p.\n   52.\n",
         {"1. Leaves needle-shaped or scale-like. ... 2",
          "1. Leaves broad, 2-4 inches long; lobes 3-5 in number; bark gray. => ACER (p. 52)",
          "2. Leaves in clusters. => PINUS (p. 4)", "2. Leaves solitary; twigs flattened; fruit a small cone. => THUJA (p. 31)"}, 1, 3},
        {"lettered leads wrapped after an article, a sentence before the name's line, a number the text asks for",
         "a. Bundle-scars many, confluent in a\nU-shaped line. FRAXINUS, p. 211.\n"
         "aa. Bundle-scars few.\nb. Bundle-scars usually not more than 5. GYMNOCLADUS, p. 163.\n"
         "bb. Bundle-scars 7. 14. ACER, p. 52.\n",
         {"1. Bundle-scars many, confluent in a U-shaped line. => FRAXINUS (p. 211)", "1. Bundle-scars few. ... 2",
          "2. Bundle-scars usually not more than 5. => GYMNOCLADUS (p. 163)", "2. Bundle-scars 7. => ACER (no. 14) (p. 52)"}, 0, 3},
        {"roman numerals over numbers, names in capitals after a dash or a comma, pages spelt out in brackets, a figure's labels after the key",
         "  I. No rattle on the tail.\n    1. Top of head copper-colored\u2014COPPERHEAD, (page 7).\n"
         "    2. Always near water\u2014COTTONMOUTH (page 7).\n  II. Tail with rattles.\n"
         "    1. Head with paired plates, small size, MASSASAUGA (page 10).\n"
         "    2. Bands black and white\u2014WESTERN\n          DIAMOND-BACK RATTLER (page 10).\n\n"
         "    [Illustration: TAIL TIPS]\n\n  TAIL TIPS\n    NONE\n    RATTLE\n",
         {"1. No rattle on the tail. ... 2", "1. Tail with rattles. ... 3", "2. Top of head copper-colored => COPPERHEAD (p. 7)",
          "2. Always near water => COTTONMOUTH (p. 7)", "3. Head with paired plates, small size, => MASSASAUGA (p. 10)",
          "3. Bands black and white => WESTERN DIAMOND-BACK RATTLER (p. 10)"}, 3, 4},
        {"a deep key whose label series come round again, nested by its indentation",
         "I. Spores white.\n  A. Gills free.\n    1. Ring present.\n      a. Volva present.\n"
         "        I. Cap red ..... Amanita muscaria\n        II. Cap white ..... Amanita virosa\n"
         "      b. Volva absent ..... Lepiota\n    2. Ring absent ..... Limacella\n  B. Gills attached ..... Tricholoma\n"
         "II. Spores pink ..... Pluteus\n",
         {"1. Spores white. ... 2", "1. Spores pink => Pluteus", "2. Gills free. ... 3", "2. Gills attached => Tricholoma",
          "3. Ring present. ... 4", "3. Ring absent => Limacella", "4. Volva present. ... 5", "4. Volva absent => Lepiota",
          "5. Cap red => Amanita muscaria", "5. Cap white => Amanita virosa"}},
        {"path numbers seven levels deep",
         "1. Spores white.\n1.1. Gills free.\n1.1.1. Ring present.\n1.1.1.1. Volva present.\n1.1.1.1.1. Cap red.\n"
         "1.1.1.1.1.1. Stem tall.\n1.1.1.1.1.1.1. Warts white ..... Amanita muscaria\n"
         "1.1.1.1.1.1.2. Warts yellow ..... Amanita flavoconia\n1.1.1.1.1.2. Stem short ..... Amanita parcivolvata\n"
         "1.1.1.1.2. Cap white ..... Amanita virosa\n1.1.1.2. Volva absent ..... Lepiota\n1.1.2. Ring absent ..... Limacella\n"
         "1.2. Gills attached ..... Tricholoma\n2. Spores pink ..... Pluteus\n",
         {"1. Spores white. ... 2", "1. Spores pink => Pluteus", "2. Gills free. ... 3", "2. Gills attached => Tricholoma",
          "3. Ring present. ... 4", "3. Ring absent => Limacella", "4. Volva present. ... 5", "4. Volva absent => Lepiota",
          "5. Cap red. ... 6", "5. Cap white => Amanita virosa", "6. Stem tall. ... 7", "6. Stem short => Amanita parcivolvata",
          "7. Warts white => Amanita muscaria", "7. Warts yellow => Amanita flavoconia"}},
        {"unlabelled leads that start with a segment's name and number, the same in both leads",
         "Legs long\n  T1 3 \u00D7 longer than wide ..... Diachasma alba\n  T1 2 \u00D7 longer than wide ..... Diachasma nigra\n"
         "Legs short\n  P1 exp-1 long ..... Harpacticella alba\n  P1 exp-1 short ..... Harpacticella nigra\n",
         {"1. Legs long ... 2", "1. Legs short ... 3", "2. T1 3 \u00D7 longer than wide => Diachasma alba",
          "2. T1 2 \u00D7 longer than wide => Diachasma nigra", "3. P1 exp-1 long => Harpacticella alba",
          "3. P1 exp-1 short => Harpacticella nigra"}},
        {"every name on the line under its lead, set deeper, whatever its words, one wrapped over two lines",
         "Wings reduced\n  Head black, smooth\n        hemera sp. nov. (p. 180)\n  Head orange, sculptured\n"
         "        amalthea sp. nov.\nWings developed\n  Frons shallow\n        form a\n  Frons deep\n        H. alba minor\n"
         "  Frons flat\n        Lance-leaved\n          Grape Fern\n",
         {"1. Wings reduced ... 2", "1. Wings developed ... 3", "2. Head black, smooth => hemera sp. nov. (p. 180)",
          "2. Head orange, sculptured => amalthea sp. nov.", "3. Frons shallow => form a", "3. Frons deep => H. alba minor",
          "3. Frons flat => Lance-leaved Grape Fern"}},
        {"a lead cut after a word that links, its last word and its name set deeper under it",
         "Wings reduced\n  Head black\n            Alpha\n  Head orange\n            Beta\nWings swollen at the\n     base\n"
         "            Gamma\n",
         {"1. Wings reduced ... 2", "1. Wings swollen at the base => Gamma", "2. Head black => Alpha",
          "2. Head orange => Beta"}},
        {"leads wrapped under a hanging indent, a line opening with a measure, the next with a capital after a comma",
         "1. Wings with lobes 2\u20138 mm long, the tube\n   0.5\u20131 mm long; legs 1\u201310 mm long; Mexico,\n"
         "   Guatemala ........ Plega alba\n2. Wings with lobes 1\u20136 mm long, the tube 1\u20134\n"
         "    (a) Tarsi 2\u20136 mm long, the tube\n        1\u20132 mm; Peru ........ Plega nigra\n"
         "    (b) Tarsi 1\u20135 mm long ........ Plega rufa\n",
         {"1. Wings with lobes 2\u20138 mm long, the tube 0.5\u20131 mm long; legs 1\u201310 mm long; Mexico, "
          "Guatemala => Plega alba",
          "1. Wings with lobes 1\u20136 mm long, the tube 1\u20134 ... 2",
          "2. Tarsi 2\u20136 mm long, the tube 1\u20132 mm; Peru => Plega nigra", "2. Tarsi 1\u20135 mm long => Plega rufa"}},
        {"leads wrapped back to their label's margin, the leader and name on a last line after a cut mid-sentence",
         "A. Wings dark.\n  a. Eyes red, the antennae long.\n  The tarsi black. The species inhabit the Old\n"
         "  World. ........ Plega nigra\n  b. Eyes black ........ Plega rufa\nB. Wings pale ........ Plega alba\n",
         {"1. Wings dark. ... 2", "1. Wings pale => Plega alba",
          "2. Eyes red, the antennae long. The tarsi black. The species inhabit the Old World => Plega nigra",
          "2. Eyes black => Plega rufa"}},
        {"lettered leads wrapped at the page's margin, the indentation lost, wrapped lines in capitals after a stop",
         "A. Wings bare and almost smooth. Black or brown, legs yellow. 1,1\n"
         "to 1,5 mm. Common ........................................ Plega alba\n"
         "B. Wings clearly hairy and at least the elytra punctured.\n"
         "a. Wings with short hairs, lying flat or hardly raised ..... Plega fusca\n"
         "b. Wings with longer raised hairs.\n"
         "1. Wings with hairs of middle length pointing backwards. Hd.u.\n"
         "Thx. very finely and sparsely punctured, the elytra more strongly.\n"
         "Black or brown, legs red. 1,3 mm. Common ................ Plega nana\n"
         "2. Wings with very long white hairs standing straight up. Small,\n"
         "red. 1 mm. Rare .......................................... Plega nivea\n",
         {"1. Wings bare and almost smooth. Black or brown, legs yellow. 1,1 to 1,5 mm. Common => Plega alba",
          "1. Wings clearly hairy and at least the elytra punctured. ... 2",
          "2. Wings with short hairs, lying flat or hardly raised => Plega fusca", "2. Wings with longer raised hairs. ... 3",
          "3. Wings with hairs of middle length pointing backwards. Hd.u. Thx. very finely and sparsely punctured, the "
          "elytra more strongly. Black or brown, legs red. 1,3 mm. Common => Plega nana",
          "3. Wings with very long white hairs standing straight up. Small, red. 1 mm. Rare => Plega nivea"}},
        {"doubled letters, a name marked new in the work wrapped alone under a hanging indent",
         "A. Wings dark. P. alba.\nAA. Wings pale\nB. Legs long, the tarsi black, the claws pale and longer than the\n"
         "   last tarsal joint, unarmed.\n   P. nigra n. sp.\nBB. Legs short. P. rufa.\n",
         {"1. Wings dark. => P. alba", "1. Wings pale ... 2",
          "2. Legs long, the tarsi black, the claws pale and longer than the last tarsal joint, unarmed. => P. nigra n. sp.",
          "2. Legs short. => P. rufa"}},
        {"letters with a raised number, the letter of the next couplet at the right margin of the lead that goes on",
         " A^1 Wings none.                   Thysanura\n A^2 Wings two pairs,\n       equal                   B\n"
         " B^1 Wings scaly                Lepidoptera\n B^2 Wings bare                 Hymenoptera\n",
         {"1. Wings none. => Thysanura", "1. Wings two pairs, equal ... 2", "2. Wings scaly => Lepidoptera",
          "2. Wings bare => Hymenoptera"}},
        {"a guide's leads sending by their roman number to sub-keys printed after the key under their own headings in capitals",
         "  Spores black, gills melting: Coprinus\n  Spores white\n    I Gills free (p. 3)\n    II Gills attached (p. 4)\n    III Gills none (p. 5)\n"
         "  Spores pink ..... Pluteus\n\n\nI GILLS FREE\n\n  A. Ring present ..... Amanita\n  B. Ring absent ..... Amanitopsis\n\n\n"
         "II GILLS ATTACHED\n\n  A. Stem central ..... Tricholoma\n  B. Stem lateral ..... Pleurotus\n\n\n"
         "III GILLS NONE (PORES)\n\n  A. Pores in a layer ..... Boletus\n  B. Pores in tubes ..... Fistulina\n",
         {"1. Spores black, gills melting => Coprinus", "1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free (p. 3) ... 3", "2. Gills attached (p. 4) ... 4",
          "2. Gills none (p. 5) ... 5", "3. Ring present => Amanita", "3. Ring absent => Amanitopsis",
          "4. Stem central => Tricholoma", "4. Stem lateral => Pleurotus", "5. Pores in a layer => Boletus",
          "5. Pores in tubes => Fistulina"}, 3},
        {"a guide's key with a title block above, names after a colon, sub-keys under headings below, then a list",
         "SAMPLE\n  Scratch it with a knife\n  If it does not scratch, go to I or II\n\n"
         "  Spores white\n    I Gills free (p. 3)\n    II Gills attached (p. 4)\n  Spores pink\n"
         "    Ring present: Volvaria\n    Ring absent: Pluteus\n\n\nI GILLS FREE\n\n"
         "  A. Ring present ..... Amanita\n  B. Ring absent ..... Amanitopsis\n\n\nII GILLS ATTACHED\n\n"
         "  A. Stem central ..... Tricholoma\n  B. Stem lateral ..... Pleurotus\n\n\n\n\n"
         "          EQUIPMENT FOR COLLECTING\n\n1. Hammer with one chisel or pick head.\n\n2. Cold chisel six inches long.\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "2. Gills free (p. 3) ... 4", "2. Gills attached (p. 4) ... 5",
          "3. Ring present => Volvaria", "3. Ring absent => Pluteus", "4. Ring present => Amanita",
          "4. Ring absent => Amanitopsis", "5. Stem central => Tricholoma", "5. Stem lateral => Pleurotus"}, 8},
        {"a group with one labelled genus under it, its group name at the right: one lead",
         "  (A.)--Tail projecting when the animal\n         is walking                          ALBIDAE.\n"
         "            (1.)--Flagellum with 3 joints;\n                   abdomen broad             _Plega._\n"
         "            (2.)--Flagellum with 2 joints     _Nivea._\n"
         "  (B.)--Tail not projecting                  RUFIDAE.\n"
         "            (3.)--Flagellum with 2 joints;\n                   antennae hidden           _Rufa._\n",
         {"1. Tail projecting when the animal is walking ALBIDAE. ... 2",
          "1. Tail not projecting RUFIDAE. Flagellum with 2 joints; antennae hidden => Rufa",
          "2. Flagellum with 3 joints; abdomen broad => Plega", "2. Flagellum with 2 joints => Nivea"}},
        {"letters primed with a stop down to I, which a roman numeral also writes, the book's number before each name",
         "H. Tibiae spined\n  I. Spines on each side. 6. Conocephalus\n  I'. Spines on the outer side. 7. Tympanophora\n"
         "H'. Tibiae without spines. 8. Saga\n",
         {"1. Tibiae spined ... 2", "1. Tibiae without spines. => Saga (no. 8)", "2. Spines on each side. => Conocephalus (no. 6)",
          "2. Spines on the outer side. => Tympanophora (no. 7)"}},
        {"labels changing with depth, indentation lost, names under their leads marked new without a blank",
         "A. Hind femora without spines\na. Epiphallus incised\n        P. yueyangensis sp.nov.\n"
         "b. Epiphallus transverse\n        P. inermis sp. nov.\nB. Hind femora with spines\n"
         "a. Spur shorter than metatarsus\n        P. deformis n.sp.\nb. Spur longer than metatarsus\n"
         "        P. volutus sp.n.\n",
         {"1. Hind femora without spines ... 2", "1. Hind femora with spines ... 3",
          "2. Epiphallus incised => P. yueyangensis sp.nov.", "2. Epiphallus transverse => P. inermis sp. nov.",
          "3. Spur shorter than metatarsus => P. deformis n.sp.", "3. Spur longer than metatarsus => P. volutus sp.n."}},
        {"letters doubled by level, each name under its lead, the genus abbreviated to a level's letter; a lead in small letters",
         "A. Flagellum with tyloids\n        E. laevigatus Fan and He\nAA. Flagellum without tyloids\n"
         "   B. teeth four.\n         E. strictus sp. nov.\n   BB. teeth many.\n      C. Thyridium narrow\n"
         "         D. Clypeus 3.1x as wide as long; groove\n              reaching 0.5 to space between tyridia\n"
         "                 E. ejunicidus He and Fan\n         DD. Clypeus 2.5x as wide as long; groove\n"
         "               reaching 0.7 to space between thyridia\n                 E. fujianensis Fan and He\n"
         "      CC. Thyridium wide\n         D. Thyridium 2.5x as wide as long\n                 E. chiuae Townes\n"
         "         DD. Thyridium 3.1x as wide as long\n            E. Pronotum with 2 rows of setae\n"
         "                    E. fuliginis He and Fan\n            EE. Pronotum with a single row of setae\n"
         "                    E. nigricornis He and Fan\n",
         {"1. Flagellum with tyloids => E. laevigatus Fan and He", "1. Flagellum without tyloids ... 2",
          "2. teeth four. => E. strictus sp. nov.", "2. teeth many. ... 3", "3. Thyridium narrow ... 4",
          "3. Thyridium wide ... 5",
          "4. Clypeus 3.1x as wide as long; groove reaching 0.5 to space between tyridia => E. ejunicidus He and Fan",
          "4. Clypeus 2.5x as wide as long; groove reaching 0.7 to space between thyridia => E. fujianensis Fan and He",
          "5. Thyridium 2.5x as wide as long => E. chiuae Townes", "5. Thyridium 3.1x as wide as long ... 6",
          "6. Pronotum with 2 rows of setae => E. fuliginis He and Fan",
          "6. Pronotum with a single row of setae => E. nigricornis He and Fan"}},
        {"names on the line under their lead after a colon, a numbered list after the key in the series its sub-leads use",
         "  Spores white\n    A. Gills free\n      1. Ring present\n                Amanita\n      2. Ring absent\n"
         "                Amanitopsis\n    B. Gills attached:\n                Tricholoma\n  Spores pink:\n"
         "                Pluteus\n\n\n\n          EQUIPMENT\n\n1. A hand lens.\n\n2. A knife with a short blade.\n\n"
         "3. Paper bags.\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free ... 3", "2. Gills attached => Tricholoma",
          "3. Ring present => Amanita", "3. Ring absent => Amanitopsis"}},
        {"the last row of a table above the key's centred title, parted from it by blank lines",
         "          D. Hardness 6 to 7\n\n C\u2014green,   H\u20146.5    Grains in basalt    Olivine\n"
         " black      Cl\u2014poor                      (Mg,Fe)2SiO4\n\n\n\n                    KEY TO THE FUNGI\n\n"
         "  Spores white\n    Gills free ..... Amanita\n    Gills attached ..... Tricholoma\n  Spores pink\n"
         "    Gills free ..... Pluteus\n    Gills attached ..... Entoloma\n  Spores brown\n"
         "    Gills free ..... Agaricus\n    Gills attached ..... Cortinarius\n",
         {"1. Spores white ... 2", "1. Spores pink ... 3", "1. Spores brown ... 4", "2. Gills free => Amanita",
          "2. Gills attached => Tricholoma", "3. Gills free => Pluteus", "3. Gills attached => Entoloma",
          "4. Gills free => Agaricus", "4. Gills attached => Cortinarius"},
         4},
        {"an outline whose first leads send to sub-keys printed after it under headings repeating their words",
         "KEY TO THE GENERA\n\n  I Spores white (p. 3)\n  II Spores pink (p. 4)\n\n\nI SPORES WHITE\n\n"
         "  A. Ring present ..... Amanita\n  B. Ring absent ..... Amanitopsis\n\n\nII SPORES PINK\n\n"
         "  A. Stem central ..... Pluteus\n  B. Stem lateral ..... Claudopus\n",
         {"1. Spores white (p. 3) ... 2", "1. Spores pink (p. 4) ... 3", "2. Ring present => Amanita",
          "2. Ring absent => Amanitopsis", "3. Stem central => Pluteus", "3. Stem lateral => Claudopus"}},
        {"groups under bare headings, the first lead the group's own; a caption, a note and the headings repeated after",
         "Section I.\n\n  Flowers yellow, in dense\n  heads\n                              Asteridae.\n\n"
         "  Rays present\n                                 Aster.\n\n  Rays absent\n                                 Tansy.\n\n"
         "_Not found in this county._\n\n  Rays few, short\n                                Bidens.\n\n\n"
         "Section II.\n\n  Flowers white\n                               Rosidae.\n\n  Petals five\n"
         "                                  Rosa.\n\nNote.--The genus _Rubus_ is placed\nhere by some authors.\n\n\n"
         "Section III.\n\n_Not found in this county._\n\n  Flowers blue\n                              Liliidae.\n\n"
         "  Leaves grass-like.\n  Sepals three\n                                  Iris.\n\n  Leaves broad\n"
         "                                 Hosta.\n\n\nSection I.--ASTERIDAE.\n\nPlants with composite heads and many\n"
         "small flowers.\n",
         {"1. Flowers yellow, in dense heads Asteridae. ... 2", "1. Flowers white Rosidae. Petals five => Rosa",
          "1. Flowers blue Liliidae. ... 3", "2. Rays present => Aster", "2. Rays absent => Tansy",
          "2. Rays few, short => Bidens", "3. Leaves grass-like. Sepals three => Iris", "3. Leaves broad => Hosta"}},
        {"bare numbered divisions, a caption in bold marks between the leads of one group",
         "Div. 1.\n    Shell spiral               Helicidae.\n    Mouth toothed              Helix.\n"
         "=Introduced.=\n    Mouth plain                Cepaea.\nDiv. 2.\n    Shell flat                 Planorbidae.\n"
         "    Whorls few                 Planorbis.\n    Whorls many                Gyraulus.\n",
         {"1. Shell spiral Helicidae. ... 2", "1. Shell flat Planorbidae. ... 3", "2. Mouth toothed => Helix",
          "2. Mouth plain => Cepaea", "3. Whorls few => Planorbis", "3. Whorls many => Gyraulus"}},
    };
    for (const BookCase& c : cases) {
        const IndentedKey key = convertIndentedKey(text::splitLines(c.text));
        EXPECT_EQ(key.lines, c.expected) << c.layout;
        if (c.setAside >= 0) {
            EXPECT_EQ(key.setAside, c.setAside) << c.layout;
        }
        if (c.bookNumbers >= 0) {
            EXPECT_EQ(key.bookNumbers, c.bookNumbers) << c.layout;
        }
    }
}

TEST(IndentedKey, ContinuationLinesJoinTheirLead) {
    EXPECT_EQ(convert("Pileus bearing warts or patches free\n"
                      "      from the cuticle ....... Amanita\n"          // deeper, no sibling
                      "Pileus smooth, the ring\n"
                      "movable on the stem ....... Lepiota\n"             // wrapped mid-sentence
                      "Pileus scaly, stem bul-\n"
                      "bous\n"                                            // a word broken at the line end
                      "   Gills free ..... Limacella\n"
                      "   Gills attached\n"
                      "      ............ Armillaria\n"),                 // only the leader and the name
              (Lines{"1. Pileus bearing warts or patches free from the cuticle => Amanita",
                     "1. Pileus smooth, the ring movable on the stem => Lepiota", "1. Pileus scaly, stem bulbous ... 2",
                     "2. Gills free => Limacella", "2. Gills attached => Armillaria"}));
    // A sentence that runs on set deeper than the sub-leads below it.
    EXPECT_EQ(convert("Petals without a scale.\n      Ovule pendulous.\n    Fruit veined      1. Clematis\n"
                      "    Fruit smooth      2. Anemone\nPetals with a scale       3. Ranunculus\n"),
              (Lines{"1. Petals without a scale. Ovule pendulous. ... 2", "1. Petals with a scale => Ranunculus (no. 3)",
                     "2. Fruit veined => Clematis (no. 1)", "2. Fruit smooth => Anemone (no. 2)"}));
    // A unit wrapped away from its measure is the lead's, no scan's speck.
    EXPECT_EQ(convert("Cones short, not exceeding 6\n    cm.\n  Cones curved       10. Banksiana\n"
                      "  Cones straight     11. contorta\nCones long           12. alba\n"),
              (Lines{"1. Cones short, not exceeding 6 cm. ... 2", "1. Cones long => alba (no. 12)",
                     "2. Cones curved => Banksiana (no. 10)", "2. Cones straight => contorta (no. 11)"}));
    // The last short words of a sentence cut at the line end are the lead's, no scan's speck.
    EXPECT_EQ(convert("Feathers of the nostrils as\nin B.\n  Tail short       Agelaius\n  Tail long        Sturnella\n"
                      "Feathers of the crown soft    Icterus\n"),
              (Lines{"1. Feathers of the nostrils as in B. ... 2", "1. Feathers of the crown soft => Icterus",
                     "2. Tail short => Agelaius", "2. Tail long => Sturnella"}));
    // A wrapped line that opens with a number, in a key of unlabelled leads.
    EXPECT_EQ(convert("Scales minute; vertebrae 22 or\n    23.\n  Mouth small      1. Chaetodontidae\n"
                      "  Mouth large      2. Drepanidae\nScales large      3. Percidae\n"),
              (Lines{"1. Scales minute; vertebrae 22 or 23. ... 2", "1. Scales large => Percidae (no. 3)",
                     "2. Mouth small => Chaetodontidae (no. 1)", "2. Mouth large => Drepanidae (no. 2)"}));
    // Sentences of a lead set deeper, the last line alone ending in a name.
    EXPECT_EQ(convert("Wings narrow.\n    Cerci short.\n    Femora spiny.     1. ECTOBIIDES\nWings broad\n"
                      "    Cerci long        2. BLATTIDES\n    Cerci short       3. PANCHLORIDES\n"),
              (Lines{"1. Wings narrow. Cerci short. Femora spiny. => ECTOBIIDES (no. 1)", "1. Wings broad ... 2",
                     "2. Cerci long => BLATTIDES (no. 2)", "2. Cerci short => PANCHLORIDES (no. 3)"}));
    // The same with the name alone at the right of the line under them.
    EXPECT_EQ(convert("Wings narrow\n    Cerci short.\n    Femora spiny.\n                              1. ECTOBIIDES\nWings broad\n"
                      "    Cerci long        2. BLATTIDES\n    Cerci short       3. PANCHLORIDES\n"),
              (Lines{"1. Wings narrow Cerci short. Femora spiny. => ECTOBIIDES (no. 1)", "1. Wings broad ... 2",
                     "2. Cerci long => BLATTIDES (no. 2)", "2. Cerci short => PANCHLORIDES (no. 3)"}));
    // A table without rules: a row's text wrapped in its column at the row's
    // indentation, the page and the name in their columns on its first line.
    EXPECT_EQ(convert("  LEAVES\n"
                      "    Olive spots on          page 5   Scab\n"
                      "    underside of leaflets\n"
                      "    Downy lesions           page 7   Downy Spot\n"
                      "  NUTS\n"
                      "    Pink spore masses on    p. 9     Pink Mold\n"
                      "    shuck surface\n"
                      "    Black spots             Nut Scab\n"
                      "    Holes in dying          p. 11    Red-shouldered\n"
                      "    limbs                            Borer\n"),
              (Lines{"1. LEAVES ... 2", "1. NUTS ... 3", "2. Olive spots on underside of leaflets => Scab (p. 5)",
                     "2. Downy lesions => Downy Spot (p. 7)", "3. Pink spore masses on shuck surface => Pink Mold (p. 9)",
                     "3. Black spots => Nut Scab", "3. Holes in dying limbs => Red-shouldered Borer (p. 11)"}));
}

TEST(IndentedKey, TheBooksNumbersAndMarksAreKeptOutOfTheNames) {
    const IndentedKey key = convertIndentedKey(text::splitLines(
        "Exciple soft, usually light colored.\n"
        "  Apothecia surrounded by a thalloid veil       1. L. coarctata\n"
        "  Apothecia naked .......... Lecanora alba, p. 52\n"
        "Exciple horny.\n"
        "  Spores simple\tAmanita. 77\n"
        "  Spores 2-celled\tBuellia (112)\n"
        "  Spores 4-celled\t_Rinodina_\n"
        "  Spores 8-celled\t_Pertusaria_ (p. 4)\n"));
    EXPECT_EQ(key.lines,
              (Lines{"1. Exciple soft, usually light colored. ... 2", "1. Exciple horny. ... 3",
                     "2. Apothecia surrounded by a thalloid veil => L. coarctata (no. 1)", "2. Apothecia naked => Lecanora alba (p. 52)",
                     "3. Spores simple => Amanita (no. 77)", "3. Spores 2-celled => Buellia (no. 112)", "3. Spores 4-celled => Rinodina",
                     "3. Spores 8-celled => Pertusaria (p. 4)"}));
    // Each converted line knows the line its lead starts on.
    EXPECT_EQ(key.origin, (std::vector<int>{0, 3, 1, 2, 4, 5, 6, 7}));
    EXPECT_EQ(key.bookNumbers, 5);
    EXPECT_NE(key.message.find("5 numéros d'espèce ou de page du livre retirés des noms"), std::string::npos);
    // The name after one blank and the book's number.
    EXPECT_EQ(convert("Apothecia black\n  Thallus thin, disk white-pruinose 14. L. _alba_\n"
                      "  Thallus thick, disk naked 15. L. _nigra_\nApothecia brown ... Lecidea fusca\n"),
              (Lines{"1. Apothecia black ... 2", "1. Apothecia brown => Lecidea fusca",
                     "2. Thallus thin, disk white-pruinose => L. alba (no. 14)", "2. Thallus thick, disk naked => L. nigra (no. 15)"}));
    // The key's last lead too, its genus abbreviated.
    EXPECT_EQ(convert("Apothecia black\n  Thallus thin 14. L. alba\n  Thallus thick 15. L. nigra\n"
                      "Apothecia brown 16. B. fusca\n"),
              (Lines{"1. Apothecia black ... 2", "1. Apothecia brown => B. fusca (no. 16)", "2. Thallus thin => L. alba (no. 14)",
                     "2. Thallus thick => L. nigra (no. 15)"}));
    // The number written after the name as "No.", several or a range, figure
    // calls around it; the name after a colon that ends its lead too.
    EXPECT_EQ(convert("I. Cap red: Amanita muscaria (Abb. 3) No. 18.\nII. Cap brown:\n"
                      "    a. Gills free: Boletus's (pl. 1 fig. Vd). No. 10 en 11\n"
                      "    b. Gills attached\n        Lactarius rufus. No. 1-9 (Plate 2, fig. IX).\n"),
              (Lines{"1. Cap red => Amanita muscaria (no. 18)", "1. Cap brown: ... 2", "2. Gills free => Boletus's (no. 10 en 11)",
                     "2. Gills attached => Lactarius rufus (no. 1-9)"}));
    // The number in a column of its own before the name, roman or with a
    // letter in marks; a number the text cites after "No." stays in it.
    EXPECT_EQ(convert("Seeds wingless.\n  Cones indehiscent          I.     Cembrae\n  Cones dehiscent            XII.  AN\u0152CTANGIUM\n"
                      "Seeds winged, following No. 3.                    18_a_. _D. anomalum_\n"),
              (Lines{"1. Seeds wingless. ... 2", "1. Seeds winged, following No. 3. => D. anomalum (no. 18a)",
                     "2. Cones indehiscent => Cembrae (no. I)", "2. Cones dehiscent => AN\u0152CTANGIUM (no. XII)"}));
    // The column of numbers after a full stop, a number ending the text, a long numeral.
    EXPECT_EQ(convert("Tibiae spined\n  Spines apical.  VIII.  SAGIDES\n  Stamens 5        XXVIII.  Hecistopteris\n"
                      "Tibiae smooth     I.     Licania alba\n"),
              (Lines{"1. Tibiae spined ... 2", "1. Tibiae smooth => Licania alba (no. I)", "2. Spines apical. => SAGIDES (no. VIII)",
                     "2. Stamens 5 => Hecistopteris (no. XXVIII)"}));
    // A binomial after the roman number, on the line that closes a bracket.
    EXPECT_EQ(convert("Teeth rooted                      I.     Genus Pliogeomys\nTeeth rootless\n"
                      "    Plate absent                  II.    *Geom\u00E6s alba\n    Plate present (subgenus\n"
                      "        _Cratogeomys_).           V.     P. nigra\n"),
              (Lines{"1. Teeth rooted => Genus Pliogeomys (no. I)", "1. Teeth rootless ... 2",
                     "2. Plate absent => *Geom\u00E6s alba (no. II)",
                     "2. Plate present (subgenus _Cratogeomys_). => P. nigra (no. V)"}));
    // Without the book's number, a name alone after the colon: a sign before
    // it, authors in brackets; a colon before characters is the lead's text.
    EXPECT_EQ(convert("A. Rock effervesces\n  1. Rounded pebbles: Limestone conglomerate\n  2. Angular: *Breccia Nyl.\n"
                      "  3. Both: Orders 23-36\n"
                      "B. Leaves: 3 cm long; smooth: Crassomicrodus pallens (Cresson)\n"),
              (Lines{"1. Rock effervesces ... 2", "1. Leaves: 3 cm long; smooth => Crassomicrodus pallens (Cresson)",
                     "2. Rounded pebbles => Limestone conglomerate", "2. Angular => *Breccia Nyl.",
                     "2. Both => Orders 23-36"}));
    // The page in the words of the key's language.
    EXPECT_EQ(convert("Apothecia black\n  Thallus thin\tLecanora alba S. 52\n  Thallus thick\tLecanora nigra Seite 60\n"
                      "Apothecia brown\tLecidea fusca p\u00E1g. 7\n"),
              (Lines{"1. Apothecia black ... 2", "1. Apothecia brown => Lecidea fusca (p. 7)",
                     "2. Thallus thin => Lecanora alba (p. 52)", "2. Thallus thick => Lecanora nigra (p. 60)"}));
    // A number that closes a remark in brackets stays in it, a year after the authors too.
    EXPECT_EQ(convert("Apothecia black\n  Thallus thin\tLecanora group (in part, 097)\n  Thallus thick\tLecanora alba\n"
                      "Apothecia brown\tLecidea fusca Smith, 1838\n"),
              (Lines{"1. Apothecia black ... 2", "1. Apothecia brown => Lecidea fusca Smith, 1838",
                     "2. Thallus thin => Lecanora group (in part, 097)", "2. Thallus thick => Lecanora alba"}));
    // The rank the book numbers goes with its number.
    EXPECT_EQ(convert("Leaves in bundles.\n    Bundles of two          Genus 1. PINUS.\n"
                      "    Bundles of five         Gattung 2. STROBUS.\nLeaves single           Genus 3. TSUGA.\n"),
              (Lines{"1. Leaves in bundles. ... 2", "1. Leaves single => TSUGA (no. 3)", "2. Bundles of two => PINUS (no. 1)",
                     "2. Bundles of five => STROBUS (no. 2)"}));
    // The same with whole names, in marks or not, the last lead of the key too.
    EXPECT_EQ(convert("Key to the genera\n\nThe trees of the region fall into three genera.\n\nLeaves simple.\n"
                      "    Fruit a nut 14. Quercus alba.\n    Fruit a samara 15. _Acer._\nLeaves compound 16. Fraxinus americana.\n"),
              (Lines{"1. Leaves simple. ... 2", "1. Leaves compound => Fraxinus americana (no. 16)", "2. Fruit a nut => Quercus alba (no. 14)",
                     "2. Fruit a samara => Acer (no. 15)"}));
    // Names of any form: after the book's number in a key that numbers
    // its names, on the last line of a lead in a flat copy, a rank alone.
    const Case forms[] = {
        {"a name of any form after the number in a key that numbers its names",
         "A. Leaves simple.\n    B. Fruit a nut 14. Quercus alba.\n    B. Fruit a samara 15. Acer rubrum*, p. 8\n"
         "A. Leaves compound.\n    B. Leaflets three 16. trifoliata trifoliata\n    B. Leaflets five 17. Orders 7-9, p. 23\n"
         "    B. Leaflets many 18. Juglans nigra\n",
         {"1. Leaves simple. ... 2", "1. Leaves compound. ... 3", "2. Fruit a nut => Quercus alba (no. 14)",
          "2. Fruit a samara => Acer rubrum* (no. 15) (p. 8)", "3. Leaflets three => trifoliata trifoliata (no. 16)",
          "3. Leaflets five => Orders 7-9 (no. 17) (p. 23)", "3. Leaflets many => Juglans nigra (no. 18)"}},
        {"a few words between the number and the name",
         "A. Wings dark 1. Aleiodes alba\nA. Wings pale\n    B. Legs long 2. Aleiodes nigra\n"
         "    B. Legs short 3. remainder of Aleiodes rufa-group\n",
         {"1. Wings dark => Aleiodes alba (no. 1)", "1. Wings pale ... 2", "2. Legs long => Aleiodes nigra (no. 2)",
          "2. Legs short => remainder of Aleiodes rufa-group (no. 3)"}},
        {"a flat copy, each name under its lead: joined epithet, note's mark",
         "A. Leaves simple\nB. Fruit a nut\nQuercus alba\nB. Fruit a samara\nAcer neo-rubrum\n"
         "A. Leaves compound\nB. Leaflets three\nPtelea trifoliata*\nB. Leaflets many\nJuglans nigra\n",
         {"1. Leaves simple ... 2", "1. Leaves compound ... 3", "2. Fruit a nut => Quercus alba",
          "2. Fruit a samara => Acer neo-rubrum", "3. Leaflets three => Ptelea trifoliata*",
          "3. Leaflets many => Juglans nigra"}},
        {"a flat copy: a name and its authors, or an epithet alone, on the lead's last line",
         "A. Thallus crustose\nB. Spores simple\nSynalissa Fr.\nB. Spores brown\n*Lecidea Th. Fr.\n"
         "A. Thallus leafy\nB. Lobes broad\nsemispinosus\nB. Lobes narrow\nFalsocis opacus sp. n.\n",
         {"1. Thallus crustose ... 2", "1. Thallus leafy ... 3", "2. Spores simple => Synalissa Fr.",
          "2. Spores brown => *Lecidea Th. Fr.", "3. Lobes broad => semispinosus",
          "3. Lobes narrow => Falsocis opacus sp. n."}},
        {"a flat copy: an abbreviated genus on the line under its lead is no label",
         "A. Tail short\nB. Molars with four folds.\nP. semispinosus\nB. Molars with three folds\nP. goeldii\n"
         "A. Tail long\nB. Skull large.\nP. iheringi\nB. Skull small\nP. setosus\n",
         {"1. Tail short ... 2", "1. Tail long ... 3", "2. Molars with four folds. => P. semispinosus",
          "2. Molars with three folds => P. goeldii", "3. Skull large. => P. iheringi", "3. Skull small => P. setosus"}},
        {"a rank alone keeps its number as its name",
         "Flowers with petals\n    Petals free ..... Order 44\n    Petals joined ..... Orders 45-48, p. 23\n"
         "Flowers without petals ..... Order 49.\n",
         {"1. Flowers with petals ... 2", "1. Flowers without petals => Order 49", "2. Petals free => Order 44",
          "2. Petals joined => Orders 45-48 (p. 23)"}},
        {"an abbreviated rank or a group keeps its number as its name",
         "Flowers with petals\n    Petals free ..... Fam. 12\n    Petals joined ..... Group 3\n"
         "Flowers without petals ..... Ord. 49.\n",
         {"1. Flowers with petals ... 2", "1. Flowers without petals => Ord. 49", "2. Petals free => Fam. 12",
          "2. Petals joined => Group 3"}},
        {"the book's number inside the name's marks after a leader",
         "Flowers with petals\n    Petals free ..... =12. Plega alba=\n    Petals joined ..... _13. Plega nigra_\n"
         "Flowers without petals ..... *14. Plega rufa*\n",
         {"1. Flowers with petals ... 2", "1. Flowers without petals => Plega rufa (no. 14)",
          "2. Petals free => Plega alba (no. 12)", "2. Petals joined => Plega nigra (no. 13)"}},
    };
    for (const Case& c : forms) EXPECT_EQ(convert(c.text), c.expected) << c.name;
    // So where only the authors' last abbreviation of that line would read as the name.
    EXPECT_EQ(convert("A. Thallus strap-shaped\nB. Greyish-green above\nEvernia Ach.\nB. Whitish-yellow above\n*Letharia A. Zahlbr.\n"
                      "A. Thallus filamentous\nUsnea Dill.\n"),
              (Lines{"1. Thallus strap-shaped ... 2", "1. Thallus filamentous => Usnea Dill.", "2. Greyish-green above => Evernia Ach.",
                     "2. Whitish-yellow above => *Letharia A. Zahlbr."}));
    // After a text of several sentences, names with their authors, "n. sp." or a page.
    EXPECT_EQ(convert("A. Carpels one. Herbs.\n  a. Ovule pendulous. Carpels in a spike. 1. Myosurus L.\n"
                      "  b. Ovule erect 2. Ranunculus acris Th. Fr., p. 26\nB. Carpels many 3. Stoiba nigra subsp. alba [Tribe Stoibini.]\n"),
              (Lines{"1. Carpels one. Herbs. ... 2", "1. Carpels many => Stoiba nigra subsp. alba [Tribe Stoibini.] (no. 3)",
                     "2. Ovule pendulous. Carpels in a spike. => Myosurus L. (no. 1)",
                     "2. Ovule erect => Ranunculus acris Th. Fr. (no. 2) (p. 26)"}));
    // A name with its authors as the lead's last sentence; a name alone after a
    // common name; a list in brackets is no name's authors.
    EXPECT_EQ(convert("A. Pronotum black\n  a. Margins visible. Known from Panama. Falsocis aquilonius sp. n.\n"
                      "  b. Margins hidden. Falsocis opacus Pic, 1916.\nB. Pronotum red. Filmy Fern. Trichomanes.\n"),
              (Lines{"1. Pronotum black ... 2", "1. Pronotum red. Filmy Fern. => Trichomanes",
                     "2. Margins visible. Known from Panama. => Falsocis aquilonius sp. n.",
                     "2. Margins hidden. => Falsocis opacus Pic, 1916"}));
    // Authors' initials end no sentence before the name.
    EXPECT_EQ(convert("A. Petals united\n  a. Stamens 6. Tropical Africa. Coleotrype C. B. Clarke.\n"
                      "  b. Stamens 3. Central Africa. Buforrestia C. B. Clarke.\nB. Petals free. Rhoeo Hance.\n"),
              (Lines{"1. Petals united ... 2", "1. Petals free. => Rhoeo Hance.", "2. Stamens 6. Tropical Africa. => Coleotrype C. B. Clarke.",
                     "2. Stamens 3. Central Africa. => Buforrestia C. B. Clarke."}));
    // A genus abbreviated names with its epithets alone as the last sentence.
    EXPECT_EQ(convert("A. Leaves simple.\n  a. Stamens free. Belly cream. P. schmidtorum schmidtorum.\n"
                      "  b. Stamens united. Belly grey. P. ignicolor.\nB. Leaves compound. Tr. nudum.\n"),
              (Lines{"1. Leaves simple. ... 2", "1. Leaves compound. => Tr. nudum",
                     "2. Stamens free. Belly cream. => P. schmidtorum schmidtorum",
                     "2. Stamens united. Belly grey. => P. ignicolor"}));
    // Sentences after a count are text; a name in quotes keeps them.
    EXPECT_EQ(convert("Latex orange\n  Carpels in a spike.--Species 2. North-west Africa. Poisonous plants. Myosurus L.\n"
                      "  Carpels free 1. \u201CLactarius deliciosus\u201D group\nLatex red 2. Lactarius rubrilacteus\n"),
              (Lines{"1. Latex orange ... 2", "1. Latex red => Lactarius rubrilacteus (no. 2)",
                     "2. Carpels in a spike.--Species 2. North-west Africa. Poisonous plants. => Myosurus L.",
                     "2. Carpels free => \u201CLactarius deliciosus\u201D group (no. 1)"}));
    // Authors abbreviated after a lower-case word, a hybrid's sign, a subgenus in brackets.
    EXPECT_EQ(convert("Spores white\n  Cap dry 1. Lasiodiscus Hook. fil.\n  Cap wet 2. I. \u00D7 goebelii\n"
                      "Spores pink 3. Dercitus (Halinastra) luteus\n"),
              (Lines{"1. Spores white ... 2", "1. Spores pink => Dercitus (Halinastra) luteus (no. 3)",
                     "2. Cap dry => Lasiodiscus Hook. fil. (no. 1)", "2. Cap wet => I. \u00D7 goebelii (no. 2)"}));
    // After a double hyphen, names with authors joined, in brackets, or a remark after them.
    EXPECT_EQ(convert("A. Flagellum with tyloids.--E. laevigatus Fan and He\nB. Flagellum plain\n"
                      "  a. Petiole short.--Stoiba flavicollis (Klug)\n  b. Petiole long.--Locellina (not reported in U. S.)\n"),
              (Lines{"1. Flagellum with tyloids. => E. laevigatus Fan and He", "1. Flagellum plain ... 2",
                     "2. Petiole short. => Stoiba flavicollis (Klug)", "2. Petiole long. => Locellina (not reported in U. S.)"}));
    // Under a lead whose last sentences name a genus, the name on the line below is the ending.
    EXPECT_EQ(convert("Seeds small\n  Stem erect. Flowers in heads. _Maschalocephalus_,\n        Rapateaceae\n"
                      "  Stem climbing ..... Flagellariaceae\nSeeds large ..... Palmae\n"),
              (Lines{"1. Seeds small ... 2", "1. Seeds large => Palmae",
                     "2. Stem erect. Flowers in heads. _Maschalocephalus_, => Rapateaceae", "2. Stem climbing => Flagellariaceae"}));
}

TEST(IndentedKey, EveryNumberAndPageOfANameIsKeptAsANoteTheChecksPass) {
    const IndentedKey key = convertIndentedKey(text::splitLines(
        "Apothecia black\n  Thallus thin\t14. L. alba, p. 52\n  Thallus thick\tL. nigra (no. 15), pp. 60, 61\n"
        "Apothecia brown\tGenus 3. BUELLIA, p. 70\n"));
    ASSERT_TRUE(key.converted) << key.message;
    EXPECT_EQ(key.lines, (Lines{"1. Apothecia black ... 2", "1. Apothecia brown => BUELLIA (no. 3) (p. 70)",
                                "2. Thallus thin => L. alba (no. 14) (p. 52)",
                                "2. Thallus thick => L. nigra (no. 15) (p. 60) (p. 61)"}));
    KeyParams p;
    setIndentedKeyLayout(p);
    const sarvelo::testing::Processed run = sarvelo::testing::process(key.lines, p);
    EXPECT_EQ(run.outcome, RunOutcome::Success);
    for (const Finding& f : run.findings) ADD_FAILURE() << f.text;
}

TEST(IndentedKey, TabsCountToTheTabWidth) {
    // A tab is level with eight spaces at width 8, shallower at width 4.
    const std::string text = "Spores white\n\tGills free .... Amanita\n        Gills attached .... Lepiota\n"
                             "\tGills forked .... Cantharellus\nSpores pink .... Pluteus\n";
    EXPECT_EQ(convert(text, 8), (Lines{"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita",
                                       "2. Gills attached => Lepiota", "2. Gills forked => Cantharellus"}));
    EXPECT_EQ(convert(text, 4), (Lines{"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free Amanita ... 3",
                                       "2. Gills forked => Cantharellus", "3. Gills attached => Lepiota"}));
}

TEST(IndentedKey, TitlesGoCoupletsOfThreeStayAndSeparatorsAreKeptOut) {
    const IndentedKey key = convertIndentedKey(text::splitLines(
        "Key to the genera\n\nSpores white\n  Volva => ring present ..... Amanita\n  Volva only ..... Amanitopsis\n"
        "  Ring only ..... Lepiota\nSpores pink ... ... and rosy ....... Pluteus\n"));
    ASSERT_TRUE(key.converted) << key.message;
    EXPECT_EQ(key.setAside, 1);
    EXPECT_EQ(key.lines, (Lines{"1. Spores white ... 2", "1. Spores pink .. .. and rosy => Pluteus",
                                "2. Volva = > ring present => Amanita", "2. Volva only => Amanitopsis",
                                "2. Ring only => Lepiota"}));
    EXPECT_NE(key.message.find("2 couplets, 5 entrées"), std::string::npos) << key.message;
}

TEST(IndentedKey, ProseBeforeAndAfterTheKeyIsSetAside) {
    struct ProseCase {
        const char* name;
        const char* text;
        int setAside;
    };
    const ProseCase cases[] = {
        {"title, labelled key, description after",
         "KEY TO THE GENERA\n\n  I. Spores white.\n    A. Gills free         _Amanita._\n"
         "    B. Gills attached     _Tricholoma._\n  II. Spores pink          _Pluteus._\n\n"
         "Genus AMANITA.\n\nLarge fleshy fungi with a volva at the base of the stem\n", 3},
        {"prose, heading, unlabelled key, prose after",
         "All the genera here fall into one\nor the other of the following groups.\n\nKey\n"
         "  Spores white.\n    Gills free ..... Amanita\n    Gills attached ..... Tricholoma\n"
         "  Spores pink ..... Pluteus\n\nThe genus Amanita holds the deadliest species\n", 4},
        {"an introduction paragraph above a key whose indentation was lost",
         "The white-spored genera and\nthe pink-spored ones are\ntold apart below.\n\nSpores white.\t\n"
         "Gills free\tAmanita\nGills attached\tTricholoma\nSpores pink\tPluteus\n", 3},
        {"unlabelled key at the margin, a heading in capitals set two lines below it, then an account",
         "Key\n\nSpores white.\n  Gills free ..... Amanita\n  Gills attached ..... Tricholoma\n"
         "Spores pink ..... Pluteus\n\n\nAMANITA Pers. Syn. 1801.\n\nFungi with a volva at the base of the stem.\n", 3},
        {"a line of stops alone between the leads",
         "Spores white.\n    Gills free ..... Amanita\n    Gills attached ..... Tricholoma\n. . . .\nSpores pink ..... Pluteus\n", 1},
        {"labelled leads apart by blank lines, a heading wider apart below them",
         "I. Spores white.\n\n    a. Gills free ..... Amanita\n    b. Gills attached ..... Tricholoma\n\n"
         "II. Spores pink ..... Pluteus\n\n\n\nThe commonest species of the\nAgarics.\n", 2},
        {"a bulletin's cover centred well deeper than the key's margin, a place and a title ending in capitals",
         "             STATE EXPERIMENT STATION ...\n                 College Station, Texas\n\n"
         "                 Key to Garden Fungi\n\n"
         "  Spores white.\n    Gills free ..... Amanita\n    Gills attached ..... Tricholoma\n"
         "  Spores pink ..... Pluteus\n", 3},
        {"prose, a row of spaced stars, a rank heading in marks, then the key",
         "All the genera are found here.\n\n       *       *       *\n\nBelow is a synopsis.\n\n_Tribe_--AGARICINEAE.\n\n"
         "_Section I._--Spores white.\n  (a.)--Gills free .... Amanita\n  (b.)--Gills attached .... Tricholoma\n"
         "_Section II._--Spores pink .... Pluteus\n", 4},
        {"a rank, its number and the group's name in capitals heading the text, an introduction under it",
         "Family 12. AGARICACEAE.\n\nThe genera are told apart by the colour of the spores.\n"
         "  Spores white.\n    Gills free ..... Amanita\n    Gills attached ..... Tricholoma\n  Spores pink ..... Pluteus\n", 2},
    };
    const Lines expected{"1. Spores white. ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita",
                         "2. Gills attached => Tricholoma"};
    for (const ProseCase& c : cases) {
        const IndentedKey key = convertIndentedKey(text::splitLines(c.text));
        EXPECT_EQ(key.setAside, c.setAside) << c.name;
        EXPECT_EQ(key.lines, expected) << c.name;
    }
}

TEST(IndentedKey, TablesInIndentedOrderAreReadLeadByLead) {
    const Lines kDotted{"1. Spores white. ... 2", "1. Spores pink. ... 3",      "2. Gills free => Amanita (no. 1)",
                        "2. Gills attached => Tricholoma (no. 2)", "3. Gills free => Pluteus (no. 3)", "3. Gills attached => Entoloma (no. 4)"};
    // The indentation is lost; a lead without a name is followed by its whole
    // sub-key, then by the other lead of its couplet.
    const Case cases[] = {
        {"tab cells, heading and prose around",
         "1. AMANITA. The genus.\n\nFleshy fungi of the woods.\n\nSpores white.\t\nGills free\t1 Amanita.\n"
         "Gills attached [12]\t2 Tricholoma.\nSpores pink.\t\nGills free\t3 Pluteus.\nGills attached\t4 Entoloma.\n\n"
         "1. Amanita muscaria. Fly agaric, in birch woods\n", kDotted},
        {"one cell per line, the book's number before an abbreviated name",
         "Spores white.\nGills free\n1 A. muscaria.\nGills attached\n2 T. equestre.\n"
         "Spores pink.\nGills free\n3 P. cervinus.\nGills attached\n4b E. sinuatum.\n",
         {"1. Spores white. ... 2", "1. Spores pink. ... 3", "2. Gills free => A. muscaria (no. 1)",
          "2. Gills attached => T. equestre (no. 2)", "3. Gills free => P. cervinus (no. 3)", "3. Gills attached => E. sinuatum (no. 4b)"}},
        {"pipe table with a page mark cell",
         "| Spores white. |  |\n| --- | --- |\n| Gills free | 1 Amanita. |\n| Gills attached | 2 Tricholoma. |\n"
         "| Spores pink. | [268] |\n| Gills free | 3 Pluteus. |\n| Gills attached | 4 Entoloma. |\n", kDotted},
        {"first lead double-primed, the names on the next line with the book's pages and footnote digits",
         "Untergattungen:\n1'' Spores white.\n2'' Gills free[12] and thin.\nAmanita nov.1 84.\n2' Gills attached.\n"
         "Tricholoma s. str. 85.\n1' Spores pink.\nPluteus 86.\n",
         {"1. Spores white. ... 2", "1. Spores pink. => Pluteus (no. 86)", "2. Gills free and thin. => Amanita nov. (no. 84)",
          "2. Gills attached. => Tricholoma s. str. (no. 85)"}},
        {"a paragraph above, a couplet of three last, a page mark after a name",
         "AMANITACEAE.\n\nFleshy fungi of the woods, with white or pink spores and gills.\n\n"
         "Spores white.\t\nGills free\t1 Amanita. [240]\nGills attached\t2 Tricholoma.\nSpores pink.\t\n"
         "Gills free\t3 Pluteus.\nGills attached\t4 Entoloma.\nGills decurrent\tClitopilus.\n",
         {"1. Spores white. ... 2", "1. Spores pink. ... 3", "2. Gills free => Amanita (no. 1)",
          "2. Gills attached => Tricholoma (no. 2)", "3. Gills free => Pluteus (no. 3)", "3. Gills attached => Entoloma (no. 4)",
          "3. Gills decurrent => Clitopilus"}},
    };
    for (const Case& c : cases) EXPECT_EQ(convert(c.text), c.expected) << c.name;
}

TEST(IndentedKey, ALeadEndingInANumberKeepsItsSubLeadsApart) {
    // Measurements and figure calls end inner leads; they are no names and
    // the deeper lead below is no continuation of the text.
    const Case cases[] = {
        {"measurements", "Plants woody 12-15\n    Leaves opposite 12-15\n        Fruit winged ..... Acer\n"
                         "        Fruit a berry ..... Viburnum\n    Leaves alternate ..... Quercus\nPlants herbaceous ..... Viola\n",
         {"1. Plants woody 12-15 ... 2", "1. Plants herbaceous => Viola", "2. Leaves opposite 12-15 ... 3",
          "2. Leaves alternate => Quercus", "3. Fruit winged => Acer", "3. Fruit a berry => Viburnum"}},
        {"figure calls", "Plants woody (Fig. 3)\n    Leaves opposite (Fig. 4)\n        Fruit winged ..... Acer\n"
                         "        Fruit a berry ..... Viburnum\n    Leaves alternate ..... Quercus\nPlants herbaceous ..... Viola\n",
         {"1. Plants woody (Fig. 3) ... 2", "1. Plants herbaceous => Viola", "2. Leaves opposite (Fig. 4) ... 3",
          "2. Leaves alternate => Quercus", "3. Fruit winged => Acer", "3. Fruit a berry => Viburnum"}},
        {"measurements, names after one blank and the book's number",
         "Plants woody 12-15\n\tLeaves opposite 12-15\n\t\tFruit winged 14. Acer rubrum\n"
         "\t\tFruit a berry 15. Viburnum opulus\n\tLeaves alternate 16. Quercus alba\nPlants herbaceous 17. Viola tricolor\n",
         {"1. Plants woody 12-15 ... 2", "1. Plants herbaceous => Viola tricolor (no. 17)", "2. Leaves opposite 12-15 ... 3",
          "2. Leaves alternate => Quercus alba (no. 16)", "3. Fruit winged => Acer rubrum (no. 14)", "3. Fruit a berry => Viburnum opulus (no. 15)"}},
    };
    for (const Case& c : cases) EXPECT_EQ(convert(c.text), c.expected) << c.name;
}

TEST(IndentedKey, TextsWithoutLevelsAreLeftAlone) {
    const char* texts[] = {
        "",
        "Chapeau rouge, lames libres.\nChapeau blanc, lames adnées.\n",
        // an ordinary couplet key, flat or indented: its numbers are references
        "1. Chapeau rouge ... 2\n1. Chapeau blanc ... 3\n2. Lames libres ... Amanita\n2. Lames adnées ... Lepiota\n",
        "1. Chapeau rouge ......... 2\n1. Chapeau blanc ........ 3\n   2. Lames libres ...... 4\n"
        "   2. Lames adnées ..... Lepiota\n      4. Pied creux .... Amanita\n      4. Pied plein .... 5\n",
        // couplets named by letters, primed or in marks: the letters after the leads are references
        "A. Chapeau rouge ..... B\nA'. Chapeau blanc ..... C\nB. Lames libres ..... Amanita\n"
        "B'. Lames adnées ..... Lepiota\nC. Pied creux ..... Pluteus\nC'. Pied plein ..... Volvaria\n",
        "=A.= Chapeau rouge ..... (=B.=)\n=AA.= Chapeau blanc ..... (=C.=)\n=B.= Lames libres ..... Amanita\n"
        "=BB.= Lames adnées ..... Lepiota\n=C.= Pied creux ..... Pluteus\n=CC.= Pied plein ..... Volvaria\n",
    };
    for (const char* t : texts) {
        const IndentedKey key = convertIndentedKey(text::splitLines(t));
        EXPECT_FALSE(key.converted) << t;
        EXPECT_TRUE(key.lines.empty());
        EXPECT_TRUE(key.message == kMsgNotIndented || key.message == kMsgAlreadyNumbered) << key.message;
    }
}

TEST(IndentedKey, ConvertedKeyProcessesWithItsLayout) {
    const IndentedKey key = convertIndentedKey(text::splitLines(
        "Spores white\n  Gills free .... Amanita\n  Gills attached\n    Stem central .... Tricholoma\n"
        "    Stem lateral .... Pleurotus\nSpores pink .... Pluteus\n"));
    ASSERT_TRUE(key.converted);
    KeyParams p;
    p.Utilise_suites = true;  // left from an earlier key: must not renumber this one
    setIndentedKeyLayout(p);
    ResultTable table;
    Host host;
    const RunResult run = runProcessing(key.lines, p, table, host);
    EXPECT_EQ(run.outcome, RunOutcome::Success);
    EXPECT_EQ(table.cell(3, kTarget), "Amanita");
    EXPECT_EQ(table.cell(4, kTarget), "3");
}

TEST(IndentedKey, KeyWhoseIndentationWasLostKeepsItsLabelledLevels) {
    // Hard (1908) lost its indentation when copied: the levels I./A./a. come
    // back, the unlabelled ones cannot, and the conversion says how many
    // leads were left without an ending.
    const FileBytes file = readFileBytes(std::string(SARVELO_KEYS_DIR) + "/hard-1908-agaricaceae.txt");
    ASSERT_FALSE(file.error) << *file.error;
    const IndentedKey key = convertIndentedKey(text::splitLines(file.bytes));
    ASSERT_TRUE(key.converted) << key.message;
    EXPECT_EQ(key.setAside, 2);  // the family heading and its description
    EXPECT_EQ(key.lines[0], "1. Spores white or slightly tinted. ... 2");
    EXPECT_EQ(key.lines[1], "1. Spores rosy or salmon color. ... 8");
    EXPECT_EQ(key.lines[2], "2. Plants fleshy, more or less firm, decaying soon. ... 3");
    EXPECT_GT(key.withoutEnding, 0);
    EXPECT_NE(key.message.find("sans définition"), std::string::npos);
}

TEST(IndentedKey, KeySetOutInParagraphsKeepsWrappedLeadsWholeAndLeavesNotesOut) {
    // One paragraph per lead, a lead wrapped onto a second line, an editor's
    // note between two leads.
    const IndentedKey key = convertIndentedKey(text::splitLines(
        "1. Spores white.\n\n(1) Gills free.\n\nStem with a ring\nAnd a volva. Amanita.\n\n[Illustration]\n\n"
        "Stem bare. Amanitopsis.\n\n(2) Gills attached. Tricholoma.\n\n2. Spores pink. Pluteus.\n"));
    ASSERT_TRUE(key.converted) << key.message;
    EXPECT_EQ(key.lines, (Lines{"1. Spores white. ... 2", "1. Spores pink. => Pluteus", "2. Gills free. ... 3",
                                "2. Gills attached. => Tricholoma", "3. Stem with a ring And a volva. => Amanita",
                                "3. Stem bare. => Amanitopsis"}));
    EXPECT_EQ(key.notes, 1);
    EXPECT_NE(key.message.find(kMsgNotesOne), std::string::npos) << key.message;
}

TEST(IndentedKey, ALetteredKeyCopiedByOcrStartsAtItsFirstLabel) {
    // A title, a caption and what OCR made of a picture above; group names,
    // ranks and a remark in brackets on lines of their own; a lead carried on
    // after a semicolon; text after the last name.
    const IndentedKey key = convertIndentedKey(text::splitLines(
        "Jaws of a snake\n\nFF, Fangs; G, Gland;\n\nj OM\nwo as : ' Aa\n\nINTRODUCTION\n"
        "The key leaves the worms aside.\n\nKEY to CLASSES\nA. Skin without scales.\nAmphibia.\na. A tail present.\n"
        "Order Caudata- the Salamanders.\naa. Tail absent;\nhind legs long.\nOrder Salientia (These\njump far).\nBY j\n"
        "AA. Skin with scales.\nOrder Squamata.\n\nThe reptiles are found everywhere.\n"));
    ASSERT_TRUE(key.converted) << key.message;
    EXPECT_EQ(key.lines, (Lines{"1. Skin without scales. Amphibia. ... 2", "1. Skin with scales. => Order Squamata.",
                                "2. A tail present. => Order Caudata- the Salamanders.",
                                "2. Tail absent; hind legs long. => Order Salientia (These jump far)."}));
    EXPECT_EQ(key.setAside, 9);
}

// A book's synopsis: labelled leads nested by their series, the last leads of
// a branch without label back at the margin with a hanging indentation,
// names in marks on lines of their own, a figure in brackets over several
// lines and prose after the key.
TEST(IndentedKey, SynopsisWithUnlabelledLeadsAtTheMarginNestsByItsLabels) {
    const Case cases[] = {
        {"unlabelled leads under the last label, a lone one joined to it",
         "The genera may be told apart as follows:\n\nI. Spores white.\n\n  _A._ Gills free.\n\n"
         "Ring present; stem\n  bulbous\n\n              _Amanita._\n\nRing absent\n\n              _Amanitopsis._\n\n"
         "  [Illustration: FIG. 2--GILLS OF _Amanita_.\n  (From a drawing)]\n\n"
         "  _B._ Gills attached.\n\nStem central\n\n              _Tricholoma_, _Clitocybe_.\n\n"
         "II. Spores pink; gills\n  12 to 20 mm. long\n\n              _Pluteus._\n\n"
         "The spores are best seen on paper.\n",
         {"1. Spores white. ... 2", "1. Spores pink; gills 12 to 20 mm. long => Pluteus", "2. Gills free. ... 3",
          "2. Gills attached. Stem central => Tricholoma, Clitocybe.", "3. Ring present; stem bulbous => Amanita",
          "3. Ring absent => Amanitopsis"}},
        {"an indented key with a few labels keeps the tree its indentation gives",
         "I. Spores white\n    A. Gills free\n        Ring present ..... Amanita\n        Ring absent ..... Amanitopsis\n"
         "    B. Gills attached ..... Tricholoma\nII. Spores pink ..... Pluteus\n",
         {"1. Spores white ... 2", "1. Spores pink => Pluteus", "2. Gills free ... 3", "2. Gills attached => Tricholoma",
          "3. Ring present => Amanita", "3. Ring absent => Amanitopsis"}},
        {"a title over two lines, leads wrapped over three lines, one starting with a bracket after a colon",
         "  KEY TO THE GENERA OF THE\n            AGARICS\n\nI. Spores white; gills\n  free, thin; ring\n  present\n\n"
         "              _Amanita._\n\nII. Spores pink.\n\n  _A._ Stem central.\n\nSpores large; size:\n  [M] 12-20 mm.\n\n"
         "              _Pluteus._\n\nSpores small; gills\n  free, thin\n  and crowded\n\n              _Volvariella._\n\n"
         "  _B._ Stem lateral\n\n              _Claudopus._\n",
         {"1. Spores white; gills free, thin; ring present => Amanita", "1. Spores pink. ... 2",
          "2. Stem central. ... 3", "2. Stem lateral => Claudopus", "3. Spores large; size: [M] 12-20 mm. => Pluteus",
          "3. Spores small; gills free, thin and crowded => Volvariella"}},
    };
    for (const Case& c : cases) EXPECT_EQ(convert(c.text), c.expected) << c.name;
}

// Path numbers nest as deep as the key goes: each level a couplet whose
// first lead opens the next.
TEST(IndentedKey, PathNumbersOfAnyDepthNest) {
    for (const int depth : {3, 14, 20}) {
        std::string text, path;
        Lines expected;
        for (int level = 1; level <= depth; ++level) {
            const std::string n = std::to_string(level);
            const bool last = level == depth;
            text += path + "1. Segment " + n + " long" + (last ? " ..... Alpha" + n : "") + "\n";
            expected.push_back(n + ". Segment " + n + " long" + (last ? " => Alpha" + n : " ... " + std::to_string(level + 1)));
            expected.push_back(n + ". Segment " + n + " short => Beta" + n);
            path += "1.";
        }
        for (int level = depth; level >= 1; --level) {
            path.resize(path.size() - 2);
            text += path + "2. Segment " + std::to_string(level) + " short ..... Beta" + std::to_string(level) + "\n";
        }
        EXPECT_EQ(convertIndentedKey(text::splitLines(text)).lines, expected) << depth;
    }
}

TEST(IndentedKey, AScansSpeckAfterALeadsTextOrNameIsTakenOutAndTold) {
    const struct {
        const char* text;
        Lines lines;
        int specks;
    } cases[] = {
        {"Spores white. \u00BB\n  Gills free .... Amanita '\n  Gills attached .... Lepiota\nSpores pink .... Pluteus\n",
         {"1. Spores white. ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita", "2. Gills attached => Lepiota"}, 2},
        {"Spores white, \u00BBfree\u00AB\n  Gills free .... Amanita\n  Gills attached .... Lepiota\nSpores pink .... Pluteus\n",
         {"1. Spores white, \u00BBfree\u00AB ... 2", "1. Spores pink => Pluteus", "2. Gills free => Amanita",
          "2. Gills attached => Lepiota"}, 0},
    };
    for (const auto& c : cases) {
        const IndentedKey key = convertIndentedKey(text::splitLines(c.text));
        EXPECT_EQ(key.lines, c.lines) << c.text;
        EXPECT_EQ(key.specks, c.specks) << c.text;
        EXPECT_EQ(key.message.find("signes parasites") != std::string::npos, c.specks > 1) << key.message;
    }
}
