#include <gtest/gtest.h>

#include "engine/recognition.hpp"

using namespace sarvelo;

TEST(VerifierNb, LeadingBlanksAreSkippedSpacesThenTabsOnce) {
    EXPECT_EQ(Verifier_nb("   12 text"), "12");
    EXPECT_EQ(Verifier_nb("\t12"), "12");
    EXPECT_EQ(Verifier_nb("\t 12"), "");  // the space after the tab stays
    EXPECT_EQ(Verifier_nb("  \t\t7"), "7");
    EXPECT_EQ(Verifier_nb("    "), "");
    EXPECT_EQ(Verifier_nb(""), "");
}

TEST(VerifierNb, TakesOnlyTheLeadingRunOfDigits) {
    EXPECT_EQ(Verifier_nb("12."), "12");
    EXPECT_EQ(Verifier_nb("12a"), "12");
    EXPECT_EQ(Verifier_nb("1 2"), "1");
    EXPECT_EQ(Verifier_nb("a12"), "");
    EXPECT_EQ(Verifier_nb("é12"), "");
}

TEST(VerifierNba, CaseRuleFollowsAlphabet) {
    KeyParams p;
    p.Format = 1;
    p.Alphabet = 2;
    EXPECT_EQ(Verifier_nba(p, "aB) x"), "aB");
    EXPECT_EQ(Verifier_nba(p, "b) ..."), "b");
    EXPECT_EQ(Verifier_nba(p, "Spores blanches"), "Spores");
    EXPECT_EQ(Verifier_nba(p, "ab12"), "ab");
    p.Alphabet = 0;
    EXPECT_EQ(Verifier_nba(p, "aB) x"), "");
    EXPECT_EQ(Verifier_nba(p, "a) x"), "");
    EXPECT_EQ(Verifier_nba(p, "A) x"), "A");
    p.Alphabet = 1;
    EXPECT_EQ(Verifier_nba(p, "aB) x"), "");
    EXPECT_EQ(Verifier_nba(p, "a) x"), "a");
    EXPECT_EQ(Verifier_nba(p, "Ab"), "");
}

TEST(VerifierNba, CountingLettersLimitsTheRun) {
    KeyParams p;
    p.Format = 1;
    p.Compter_lettres = true;
    p.nb_lettres = 1;
    EXPECT_EQ(Verifier_nba(p, "ab) x"), "");
    EXPECT_EQ(Verifier_nba(p, "a) x"), "a");
    EXPECT_EQ(Verifier_nba(p, "émile"), "");  // accented letters are not letters
}

TEST(Maj, OnlyForLetterStyleAndOnlyUnaccentedLetters) {
    KeyParams p;
    p.Format = 1;
    p.Alphabet = 0;
    EXPECT_EQ(maj(p, "abé"), "ABé");
    p.Alphabet = 1;
    EXPECT_EQ(maj(p, "ABÉ"), "abÉ");
    p.Format = 0;
    EXPECT_EQ(maj(p, "ab"), "ab");
}

TEST(Codage, ReducesRunsToClasses) {
    EXPECT_EQ(codage("12."), "1.");
    EXPECT_EQ(codage("3a)"), "1a)");
    EXPECT_EQ(codage("** "), "** ");
    EXPECT_EQ(codage("b) Spores"), "a) a");
    EXPECT_EQ(codage("1234"), "1");
    EXPECT_EQ(codage("abc12"), "a1");
    EXPECT_EQ(codage("1.2"), "1.1");
    EXPECT_EQ(codage("é1"), "é1");
}

namespace {
const std::string kMask = "\u00FF";

KeyParams complexList(std::initializer_list<std::pair<std::string, std::string>> entries) {
    KeyParams p;
    p.Format = 2;
    for (const auto& [pattern, mask] : entries) {
        p.Liste_mixte.push_back(pattern);
        p.Liste_mixte2.push_back(mask);
    }
    return p;
}
}  // namespace

TEST(VerifierMixte, DecodesTheMarkedPartOfTheLabel) {
    const auto p = complexList({{"1.", "1" + kMask}});
    EXPECT_EQ(Verifier_mixte(p, "12. Spores"), "12");
    EXPECT_EQ(Verifier_mixte(p, "7. x"), "7");
    EXPECT_EQ(Verifier_mixte(p, "  \t7. x"), "7");
    EXPECT_EQ(Verifier_mixte(p, "Spores"), "");

    EXPECT_EQ(Verifier_mixte(complexList({{"1a)", "1a" + kMask}}), "12b) x"), "12b");
    EXPECT_EQ(Verifier_mixte(complexList({{"* ", "*" + kMask}}), "* Spores"), "*");
    EXPECT_EQ(Verifier_mixte(complexList({{"1.", "1."}}), "3. x"), "3");
}

TEST(VerifierMixte, LabelsThatBeginOrRepeatPunctuationGiveOnlyTheMarkedPart) {
    // The mark picks the number out of "(12)", "*12.", "=1=--" and "12..":
    // the punctuation around it never leaks into the number.
    EXPECT_EQ(Verifier_mixte(complexList({{"(1)", kMask + "1" + kMask}}), "(12) Spores"), "12");
    EXPECT_EQ(Verifier_mixte(complexList({{"*1.", kMask + "1" + kMask}}), "*12. Spores"), "12");
    EXPECT_EQ(Verifier_mixte(complexList({{"=1=--", kMask + "1" + kMask + kMask + kMask}}), "=13=--=Gills= acute"),
              "13");
    EXPECT_EQ(Verifier_mixte(complexList({{"1..", "1" + kMask + kMask}}), "12.. x"), "12");
    // Marking the whole label keeps it whole, but for its last character.
    EXPECT_EQ(Verifier_mixte(complexList({{"(1)", "(1)"}}), "(12) x"), "(12");
}

TEST(VerifierMixte, EmptyListAndEmptyEntriesNeverMatch) {
    KeyParams p;
    p.Format = 2;
    EXPECT_EQ(Verifier_mixte(p, "12. x"), "");
    EXPECT_EQ(Verifier_mixte(complexList({{"", ""}}), "12. x"), "");
}

TEST(VerifierMixte, LaterMatchingEntryWinsEvenWhenEmpty) {
    // "1" alone cannot hand its digits to a slot: its result is empty.
    auto p = complexList({{"1.", "1" + kMask}, {"1", "1"}});
    EXPECT_EQ(Verifier_mixte(p, "12. x"), "");
    p = complexList({{"1", "1"}, {"1.", "1" + kMask}});
    EXPECT_EQ(Verifier_mixte(p, "12. x"), "12");
}

TEST(VerifierMixte, OnlyTheFirstTenCharactersAreCoded) {
    std::string mask = "1";
    for (int i = 0; i < 9; ++i) mask += kMask;
    EXPECT_EQ(Verifier_mixte(complexList({{"1+-*/=<>!?", mask}}), "3+-*/=<>!?~ x"), "3");
    EXPECT_EQ(Verifier_mixte(complexList({{"1+-*/=<>!?~", mask + kMask}}), "3+-*/=<>!?~ x"), "");
}

TEST(AvecNumero, NumberOrSameNumberMarkFollowedBySeparator) {
    KeyParams p;
    EXPECT_TRUE(avec_numero(p, "12 Chapeau"));
    EXPECT_FALSE(avec_numero(p, "Chapeau"));
    EXPECT_TRUE(avec_numero(p, "  \t3. Chapeau"));   // spaces, then tabs, go before the number
    EXPECT_FALSE(avec_numero(p, "\t 3. Chapeau"));   // but not a space after a tab
    p.meme_numero = "-";
    p.Separ1 = " ";
    EXPECT_TRUE(avec_numero(p, "- Chapeau blanc"));
    EXPECT_FALSE(avec_numero(p, "-Chapeau blanc"));
    p.Format = 1;
    EXPECT_TRUE(avec_numero(p, "b) Chapeau"));
    p.Format = 3;  // not handled: the complex list, empty here
    EXPECT_FALSE(avec_numero(p, "12 Chapeau"));
}
