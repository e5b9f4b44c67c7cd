#include <gtest/gtest.h>

#include "review/line_index.hpp"
#include "review/source_line.hpp"

using namespace sarvelo;

namespace {

const std::string M = "\u00FF";  // the mask character

TEST(LineIndex, HighlightedCharactersStayAndEveryOtherIsMasked) {
    struct Case {
        std::string pattern;
        std::size_t start, length;
        std::string expected;
    } cases[] = {
        {"1a)", 0, 1, "1" + M + M},
        {"1a)", 1, 0, M + M + M},          // nothing highlighted
        {"1a)", 0, 3, "1a)"},              // all of it
        {"=1=--", 1, 1, M + "1" + M + M + M},
        {"\u00B61.", 1, 1, M + "1" + M},  // one mask per character, not per byte
        {"1a", 1, 9, M + "a"},             // a selection past the end is cut at the end
    };
    for (const auto& c : cases) {
        const auto parts = indexPatternParts(c.pattern, c.start, c.length);
        EXPECT_EQ(parts.joined(), c.expected) << c.pattern << " " << c.start << "+" << c.length;
    }
    EXPECT_EQ(indexPatternParts("=1=--", 1, 1).pendant, "1");
}

TEST(LineIndex, ComplexListKeepsItsTwoListsParallelAndEachPatternOnce) {
    KeyParams p;
    EXPECT_EQ(addComplexEntry(p, "1a)", "1" + M + M), ComplexAdd::Added);
    EXPECT_EQ(addComplexEntry(p, "1a)", M + "a" + M), ComplexAdd::AlreadyListed);
    EXPECT_EQ(addComplexEntry(p, "", ""), ComplexAdd::Empty);
    EXPECT_EQ(p.Liste_mixte, (TextList{"1a)"}));
    EXPECT_EQ(p.Liste_mixte2, (TextList{"1" + M + M}));

    // A configuration that brought fewer index patterns: edits even the lists out.
    p.Liste_mixte = {"1.", "a)", "*"};
    p.Liste_mixte2 = {"1" + M};
    EXPECT_TRUE(removeComplexEntry(p, 2));
    EXPECT_EQ(p.Liste_mixte2.size(), p.Liste_mixte.size());
    EXPECT_TRUE(correctComplexEntry(p, 1, "a.", "a" + M));
    EXPECT_EQ(p.Liste_mixte2, (TextList{"1" + M, "a" + M}));
    EXPECT_FALSE(removeComplexEntry(p, 2));
    EXPECT_FALSE(correctComplexEntry(p, -1, "x", "x"));

    // 256 entries at most: the recognition reads no further.
    p.Liste_mixte.assign(256, "");
    for (int i = 0; i < 256; ++i) p.Liste_mixte[static_cast<std::size_t>(i)] = std::string(static_cast<std::size_t>(i) + 1, '*');
    p.Liste_mixte2 = p.Liste_mixte;
    EXPECT_EQ(addComplexEntry(p, "1-", "1" + M), ComplexAdd::Full);
    EXPECT_EQ(p.Liste_mixte.size(), 256u);
    EXPECT_EQ(addComplexEntry(p, "*", "*"), ComplexAdd::AlreadyListed);
}

TEST(SourceLine, SearchByTextFindsTheLastMatchAndTellsWhatItFound) {
    const std::vector<std::string> lines{"1. Spores white ... 2", "1. Spores pink ... 3", "2. Spores white, cap red",
                                         "2. Spores white => Amanita", "3. Cap brown"};
    struct Case {
        std::string texte;
        int line;
        const char* message;
    } cases[] = {
        {"Spores white", 3, kMsgSeveralLines},
        {"Spores pink", 1, nullptr},
        {"Cap brown, altered by the run", 4, nullptr},  // found by its first half
        {"Spores wh" + std::string(27, 'X'), 3, nullptr},  // a quarter, several lines: no message
        {"", -1, kMsgNoLine},
        {"Zzz", -1, kMsgNoLine},
    };
    for (const auto& c : cases) {
        const SourceLines found = searchSourceLine(lines, c.texte);
        EXPECT_EQ(found.first, c.line) << c.texte;
        EXPECT_EQ(found.last, c.line) << c.texte;
        // Compared as texts: each file may hold its own copy of a literal.
        EXPECT_EQ(std::string(found.message ? found.message : ""), std::string(c.message ? c.message : "")) << c.texte;
    }
}

TEST(SourceLine, RecordedLinesCoverAJoinedLead) {
    const std::vector<int> origin{0, 3, 4}, last{2, 3, 6};
    const SourceLines joined = recordedSourceLines(origin, last, 1, 7);
    EXPECT_EQ(std::make_pair(joined.first, joined.last), std::make_pair(0, 2));
    EXPECT_EQ(joined.message, nullptr);
    EXPECT_EQ(recordedSourceLines(origin, last, 2, 7).last, 3);
    EXPECT_EQ(recordedSourceLines(origin, last, 3, 6).first, -1);  // beyond the text
    EXPECT_EQ(recordedSourceLines(origin, last, 4, 7).first, -1);  // no such row
}

}  // namespace
