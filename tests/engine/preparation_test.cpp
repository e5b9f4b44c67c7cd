#include <gtest/gtest.h>

#include "engine/engine.hpp"

using namespace sarvelo;

namespace {

struct ProgressLog : Host {
    int maximum = -1;
    std::vector<int> positions;
    void setProgressMaximum(int m) override { maximum = m; }
    void setProgress(int p) override { positions.push_back(p); }
};

Lines prepare(const Lines& in, const KeyParams& p) {
    Host host;
    return prepareLines(in, p, host).texts();
}

KeyParams withSansNumero(int mode) {
    KeyParams p;
    p.Sans_numero = mode;
    return p;
}

}  // namespace

TEST(Preparation, ShortTextsPassUnchanged) {
    EXPECT_TRUE(prepare({}, withSansNumero(0)).empty());
    EXPECT_EQ(prepare({"Chapeau"}, withSansNumero(5)), Lines{"Chapeau"});
    EXPECT_EQ(prepare({""}, withSansNumero(5)), Lines{""});
}

TEST(Preparation, BackwardChainsResolveCompletely) {
    EXPECT_EQ(prepare({"1 Chapeau", "rouge et", "lisse 2"}, withSansNumero(0)), Lines{"1 Chapeau rouge et lisse 2"});
    EXPECT_EQ(prepare({"2 Spores rondes", "Amanita"}, withSansNumero(4)), Lines{"2 Spores rondes => Amanita"});
}

TEST(Preparation, LongChainsOfJoinsKeepEveryLineInOrder) {
    // Thousands of joins grow one block from the bottom: each goes in front.
    for (const int mode : {0, 4}) {
        Lines in{"1 Chapeau"};
        std::string expected = "1 Chapeau";
        for (int k = 0; k < 3000; ++k) {
            in.push_back("suite " + std::to_string(k));
            expected += (mode == 0 ? " " : " => ") + in.back();
        }
        in.push_back("2 Pied");
        const PreparedText out = [&] {
            Host host;
            return prepareLines(in, withSansNumero(mode), host);
        }();
        EXPECT_EQ(out.texts(), (Lines{expected, "2 Pied"})) << mode;
        EXPECT_EQ(out.origin, (std::vector<int>{0, 3001})) << mode;
    }
    KeyParams p = withSansNumero(5);
    p.remonte_si = "et";
    EXPECT_EQ(prepare({"1 a", "et b", "et c", "2 d"}, p), (Lines{"1 a et b et c", "2 d"}));
}

TEST(Preparation, EachLineWithoutNumberIsTreatedBySansNumero) {
    const Lines in{"1 Chapeau", "rouge", "2 Pied"};
    EXPECT_EQ(prepare(in, withSansNumero(1)), (Lines{"1 Chapeau", "/!\\ rouge", "2 Pied"}));
    EXPECT_EQ(prepare(in, withSansNumero(2)), (Lines{"1 Chapeau", "\\!/ rouge", "2 Pied"}));
    EXPECT_EQ(prepare(in, withSansNumero(3)), (Lines{"1 Chapeau", "REM rouge", "2 Pied"}));
    EXPECT_EQ(prepare(in, withSansNumero(5)), (Lines{"1 Chapeau", "2 Pied"}));
    EXPECT_EQ(prepare(in, withSansNumero(-1)), (Lines{"1 Chapeau", "2 Pied"}));
    EXPECT_EQ(prepare({"1 a", "b", "c"}, withSansNumero(1)), (Lines{"1 a", "/!\\ b", "/!\\ c"}));
}

TEST(Preparation, FirstLineIsNeverExaminedButReceivesJoins) {
    EXPECT_EQ(prepare({"Titre", "suite"}, withSansNumero(1)), (Lines{"Titre", "/!\\ suite"}));
    EXPECT_EQ(prepare({"", "1 x"}, withSansNumero(5)), (Lines{"", "1 x"}));
    EXPECT_EQ(prepare({"Titre", "suite"}, withSansNumero(0)), Lines{"Titre suite"});
}

TEST(Preparation, BlankLinesGoSpaceOnlyLinesStay) {
    EXPECT_EQ(prepare({"1 a", "", "", "2 b"}, withSansNumero(1)), (Lines{"1 a", "2 b"}));
    EXPECT_EQ(prepare({"1 a", "  ", "2 b"}, withSansNumero(1)), (Lines{"1 a", "/!\\   ", "2 b"}));
    EXPECT_EQ(prepare({"1 a", "  ", "2 b"}, withSansNumero(0)), (Lines{"1 a   ", "2 b"}));
}

TEST(Preparation, CommentsAreNeverTouched) {
    for (int mode : {0, 1, 4, 5}) {
        const auto out = prepare({"1 a", "Remarque: rare", "rem x", "REM y", "2 b"}, withSansNumero(mode));
        EXPECT_EQ(out, (Lines{"1 a", "Remarque: rare", "rem x", "REM y", "2 b"})) << mode;
    }
}

TEST(Preparation, SectionHeadingsAreKeptWithoutRegardToCase) {
    auto p = withSansNumero(5);
    p.section_depart = "Section";
    EXPECT_EQ(prepare({"1 a", "SECTION B", "2 b"}, p), (Lines{"1 a", "SECTION B", "2 b"}));
    p.section_depart = "";
    EXPECT_EQ(prepare({"1 a", "SECTION B", "2 b"}, p), (Lines{"1 a", "2 b"}));
}

TEST(Preparation, RemonteSiJoinsCaseSensitively) {
    auto p = withSansNumero(5);
    p.remonte_si = "et";
    EXPECT_EQ(prepare({"3 Pied long", "et fibreux 4"}, p), Lines{"3 Pied long et fibreux 4"});
    EXPECT_EQ(prepare({"3 Pied long", "Et fibreux 4"}, p), Lines{"3 Pied long"});
    p.Sans_numero = 0;
    EXPECT_EQ(prepare({"3 Pied long", "Et fibreux 4"}, p), Lines{"3 Pied long Et fibreux 4"});
}

TEST(Preparation, LineAfterARemonteSiJoinIsExaminedAgain) {
    auto p = withSansNumero(1);
    p.remonte_si = "et";
    EXPECT_EQ(prepare({"3 Pied", "et long", "fibreux"}, p), (Lines{"3 Pied et long", "/!\\ /!\\ fibreux"}));
}

TEST(Preparation, SameNumberMarkFollowedBySeparatorCountsAsNumbered) {
    auto p = withSansNumero(5);
    p.meme_numero = "-";
    p.Separ1 = " ";
    EXPECT_EQ(prepare({"1 a", "- b", "-c"}, p), (Lines{"1 a", "- b"}));
}

TEST(Preparation, OriginsPointAtTheUsersLines) {
    Host host;
    auto p = withSansNumero(0);
    const auto out = prepareLines({"1 a", "", "suite", "", "2 b", "3 c"}, p, host);
    // The blank line is itself a line without number when "suite" joins it.
    EXPECT_EQ(out.texts(), (Lines{"1 a  suite", "2 b", "3 c"}));
    EXPECT_EQ(out.origin, (std::vector<int>{0, 4, 5}));
    // The last line joined in; the blank line after "suite" is deleted.
    EXPECT_EQ(out.last, (std::vector<int>{2, 4, 5}));
}

TEST(Preparation, ProgressRunsOverTheLinesAndEndsAtZero) {
    ProgressLog log;
    KeyParams p = withSansNumero(1);
    prepareLines({"1 a", "2 b", "3 c", "4 d"}, p, log);
    EXPECT_EQ(log.maximum, 2);
    EXPECT_EQ(log.positions, (std::vector<int>{0, 1, 2, 0}));
    ProgressLog one;
    prepareLines({"1 a"}, p, one);
    EXPECT_EQ(one.maximum, 0);
}

TEST(Preparation, JoinedDeterminationSeparatorIsAddedOnce) {
    KeyParams p = withSansNumero(4);
    EXPECT_FALSE(preconditionMet(p));
    p.Liste_separ_3 = {"..."};
    addJoinedDeterminationSeparator(p);
    addJoinedDeterminationSeparator(p);
    EXPECT_EQ(p.Liste_separ_3, (TextList{"...", "=>"}));
    KeyParams q = withSansNumero(1);
    q.Liste_separ_3 = {"..."};
    addJoinedDeterminationSeparator(q);
    EXPECT_EQ(q.Liste_separ_3, TextList{"..."});
}
