#include <gtest/gtest.h>

#include "engine/text.hpp"
#include "engine/text_lines.hpp"

using namespace sarvelo::text;

TEST(Text, PositionsAndLengthsCountCharacters) {
    EXPECT_EQ(length("é…a"), 3u);
    EXPECT_EQ(pos("a", "é…a"), 3u);
    EXPECT_EQ(pos("", "abc"), 0u);
    EXPECT_EQ(pos("x", "abc"), 0u);
    std::string s = "é…abc";
    removeFirstChars(s, 2);
    EXPECT_EQ(s, "abc");
}

TEST(Text, CutThrough) {
    std::string s = "12. Chapeau";
    cutThrough(s, "12");
    EXPECT_EQ(s, ". Chapeau");
    cutThrough(s, ". ");
    EXPECT_EQ(s, "Chapeau");
    // Absent: length - 1 characters go.
    s = "-. Spores";
    cutThrough(s, "...");
    EXPECT_EQ(s, " Spores");
    s = "éé abc";
    cutThrough(s, "xyz");
    EXPECT_EQ(s, " abc");
    s = "abc";
    cutThrough(s, "");
    EXPECT_EQ(s, "abc");
    s = "ab";
    cutThrough(s, "b");
    EXPECT_EQ(s, "");
    // Counted in characters: a cut through part of a character takes all of
    // it; stray character pieces at the start move the cut as the count of
    // characters moves it.
    const struct {
        std::string s, t, rest;
    } cases[] = {
        {"12é. x", "é.", " x"},
        {"a\xC3\xA9" "b", "a\xC3", "b"},
        {"\xA9\xA9x. y", ". ", " y"},
        {"\xA9" "ab", "b", "b"},
        {"\xA9\xA9" "ab", "a", "ab"},
        {"12. x", "12", ". x"},            // through the start
        {"\xA9" "ab", "\xA9", "\xA9" "ab"},  // a start that is a piece of a character
    };
    for (const auto& c : cases) {
        std::string cut = c.s;
        cutThrough(cut, c.t);
        std::string_view view = c.s;
        cutThrough(view, c.t);
        EXPECT_EQ(cut, c.rest) << c.s;
        EXPECT_EQ(view, c.rest) << c.s;
    }
}

TEST(Text, RemoveAllReachesAFixedPoint) {
    std::string s = "a...b";
    removeAll(s, "..");
    EXPECT_EQ(s, "a.b");
    s = "x. . .y";
    removeAll(s, ". .");
    EXPECT_EQ(s, "x .y");
    s = "ababa";
    removeAll(s, "aba");
    EXPECT_EQ(s, "ba");
    s = "aabb";
    removeAll(s, "ab");
    EXPECT_EQ(s, "");
}

TEST(Text, TrimsAndBefore) {
    std::string s = "  a  ";
    trimStart(s, " ");
    EXPECT_EQ(s, "a  ");
    trimEnd(s, " ");
    EXPECT_EQ(s, "a");
    s = "....";
    trimEnd(s, "..");
    EXPECT_EQ(s, "");
    s = "...";
    trimEnd(s, "..");
    EXPECT_EQ(s, ".");
    EXPECT_EQ(textBefore("Chapeau ... 12", " ..."), "Chapeau");
    EXPECT_EQ(textBefore("abc", "a"), "");
    EXPECT_EQ(textBefore("abc", "z"), "");
}

TEST(Text, ReferenceCleanupAndCase) {
    EXPECT_EQ(referenceCleanup(" .… 1-3\t"), "13");
    EXPECT_EQ(upper("abzé"), "ABZé");
    EXPECT_EQ(lower("ABZÉ"), "abzÉ");
}

TEST(Text, StrayBytesReadAsLatin1CharactersAndAreNotLost) {
    const std::string broken = "a\xE9" "b\xC3";
    EXPECT_EQ(toUtf32(broken).size(), 4u);
    EXPECT_EQ(fromUtf32(toUtf32(broken)), "aébÃ");
}

TEST(Text, SplitLines) {
    EXPECT_EQ(splitLines("a\r\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\rb\r"), (std::vector<std::string>{"a", "b"}));  // old Mac line ends
    EXPECT_EQ(splitLines("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(splitLines("").empty());
}

// Every line break, control character and line separator becomes one space,
// near the start of a text or far into it; other characters stay.
TEST(Text, OneLineTurnsEveryBreakIntoASpace) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\tb", "a b"},
        {"Chapeau rouge et large\n", "Chapeau rouge et large "},
        {"Chapeau rouge\x7F et large", "Chapeau rouge  et large"},
        {"Chapeau rouge \xC2\x85large", "Chapeau rouge  large"},
        {"Chapeau rouge \xE2\x80\xA8large\xE2\x80\xA9", "Chapeau rouge  large "},
        {"Lames adn\xC3\xA9" "es, \xE2\x80\xA6 serr\xC3\xA9" "es", "Lames adnées, … serrées"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(sarvelo::text::oneLine(in), out) << in;
}

// The run's compact line list cuts a text where `splitLines` does, and both
// line lists read the same through a view.
TEST(Text, TextLinesCutLikeSplitLines) {
    for (const char* s : {"", "a", "a\n", "\n", "\n\n", "a\r\nb\rc\n\nd", "\r\r\n", "é\r", "a\n\r\nb"}) {
        SCOPED_TRACE(s);
        const sarvelo::TextLines lines = sarvelo::TextLines::split(s);
        const std::vector<std::string> expected = splitLines(s);
        EXPECT_EQ(lines.toLines(), expected);
        EXPECT_EQ(sarvelo::TextLines::splitOwned(std::string(s)).toLines(), expected);
        const sarvelo::LinesView compact(lines);
        const sarvelo::LinesView listed(expected);
        ASSERT_EQ(compact.size(), listed.size());
        for (std::size_t i = 0; i < compact.size(); ++i) EXPECT_EQ(compact[i], listed[i]);
        EXPECT_EQ(sarvelo::TextLines::of(expected).toLines(), expected);
    }
    sarvelo::TextLines lines = sarvelo::TextLines::split("un\n\ndeux\ntrois");
    lines.truncate(3);
    EXPECT_EQ(lines.toLines(), (std::vector<std::string>{"un", "", "deux"}));
    lines.truncate(0);
    EXPECT_TRUE(lines.empty());
}
