#include "components/visible_codes.hpp"

#include <gtest/gtest.h>

#include "engine/text.hpp"

namespace sarvelo {
namespace {

TEST(VisibleCodes, SpaceTabAndLineBreaksBecomeTheirCodes) {
    EXPECT_EQ(toVisibleCodes(" "), "\x07");
    EXPECT_EQ(toVisibleCodes("a\tb"), "a\x1A" "b");
    EXPECT_EQ(toVisibleCodes("\r\n"), "¶¶");
    EXPECT_EQ(toVisibleCodes(". => "), ".\x07=>\x07");
}

TEST(VisibleCodes, KeepsOneCharacterPerCharacter) {
    const std::string text = "é \t…\r\nà";
    const std::string coded = toVisibleCodes(text);
    EXPECT_EQ(text::length(coded), text::length(text));
    EXPECT_EQ(coded, "é\x07\x1A…¶¶à");
}

TEST(VisibleCodes, OtherCharactersAndEmptyTextStay) {
    EXPECT_EQ(toVisibleCodes(""), "");
    EXPECT_EQ(toVisibleCodes("Amanita-alba."), "Amanita-alba.");
}

TEST(VisibleCodes, CodesFollowTheChosenCharacters) {
    VisibleCodes codes;
    codes.space = codeToChar(95);
    codes.tab = codeToChar(133);
    codes.lineBreak = codeToChar(35);
    EXPECT_EQ(toVisibleCodes("a b\tc\n", codes), "a_b…c#");
}

TEST(VisibleCodes, ListEntriesLeaveLineFeedsAlone) {
    EXPECT_EQ(toVisibleCodes(" \t\r\n", listEntryCodes()), "\x07\x1A¶\n");
}

TEST(VisibleCodes, CodeToCharReadsWindows1252) {
    EXPECT_EQ(codeToChar(7), U'\u0007');
    EXPECT_EQ(codeToChar(26), U'\u001A');
    EXPECT_EQ(codeToChar(182), U'¶');
    EXPECT_EQ(codeToChar(255), U'\u00FF');
    EXPECT_EQ(codeToChar(133), U'…');
    EXPECT_EQ(codeToChar(128), U'€');
    EXPECT_EQ(codeToChar(129), U'\u0081');  // undefined in the code page: kept
}

TEST(VisibleCodes, DisplayGlyphsMakeControlCodesVisibleAndDistinct) {
    const std::string shown = displayGlyphs(toVisibleCodes(" \t"));
    EXPECT_EQ(shown, "·→");
    // Other control characters get their control pictures; text is untouched.
    EXPECT_EQ(displayGlyphs(std::string("a\x01z")), "a\u2401z");
    EXPECT_EQ(displayGlyphs("¶ Lepiota"), "¶ Lepiota");
    // Every glyph that stands for a code differs from the others.
    const std::string space = displayGlyphs("\x07"), tab = displayGlyphs("\x1A");
    EXPECT_NE(space, tab);
    EXPECT_NE(space, " ");
    EXPECT_NE(tab, "\t");
}

}  // namespace
}  // namespace sarvelo
