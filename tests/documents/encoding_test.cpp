#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "documents/encoding.hpp"

using namespace sarvelo;

TEST(Encoding, Utf8IsKeptAndItsByteOrderMarkDropped) {
    EXPECT_EQ(decodeText("Clé … ÿ"), "Clé … ÿ");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" "abc"), "abc");
}

TEST(Encoding, Windows1252IsRecognisedAndEveryByteKept) {
    EXPECT_EQ(decodeText("Cl\xE9 \x85 \xFF"), "Clé … ÿ");
    EXPECT_EQ(decodeText("\x80\x96\x97"), "€–—");
    // Unassigned codes survive as the control characters of the same number.
    const std::string odd = decodeText("a\x81" "b");
    EXPECT_EQ(odd, "a\xC2\x81" "b");
    EXPECT_EQ(utf8ToWindows1252(odd), "a\x81" "b");
}

TEST(Encoding, InvalidUtf8SequencesAreNotMistakenForUtf8) {
    EXPECT_FALSE(isValidUtf8("\xC3"));          // cut off
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x8D\x84"));
}

// Windows-1252 text holds next to no well-formed UTF-8 sequence; UTF-8 with a
// damaged byte or a last character cut in half still holds many.
TEST(Encoding, Utf8WithAFewBadBytesStaysUtf8WithEachBadByteShown) {
    struct Case {
        const char* bytes;
        const char* text;
        std::size_t replaced;
    };
    const Case cases[] = {
        {"serr\xC3\xA9" "es, \xC3\xA9troites \xFF" "ovale", "serrées, étroites \xEF\xBF\xBD" "ovale", 1},
        {"ar\xC3\xAA" "te \xC3", "arête \xEF\xBF\xBD", 1},                            // last character cut
        {"\xEF\xBB\xBF" "\xC3\xA9\xC3\xA9\x80\x80", "éé\xEF\xBF\xBD\xEF\xBF\xBD", 2},  // after a byte-order mark
        {"serr\xE9" "es \xE9troites", "serrées étroites", 0},                             // Windows-1252
        {"\xE9t\xE9 \xC3\xA9", "été Ã©", 0},                                               // more bad than good
        {"lames libres et serr\xC3\xA9" "es", "lames libres et serrées", 0},                     // well-formed
        {"\xEF\xBB\xBF" "lames adn\xC3\xA9" "es", "lames adnées", 0},                              // after a mark
    };
    for (const Case& c : cases) {
        for (const DecodedText& decoded : {decodeTextCounted(c.bytes), takeDecodedText(std::string(c.bytes))}) {
            EXPECT_EQ(decoded.text, c.text) << c.bytes;
            EXPECT_EQ(decoded.replaced, c.replaced) << c.bytes;
        }
    }
    EXPECT_EQ(replacedBytesMessage(2), "2 octets qui ne sont pas de l'UTF-8 ont été lus comme \"\xEF\xBF\xBD\"");
}

TEST(Encoding, BackToWindows1252CountsWhatItCannotHold) {
    std::size_t lost = 0;
    EXPECT_EQ(utf8ToWindows1252("é…🍄", &lost), "\xE9\x85?");
    EXPECT_EQ(lost, 1u);
}

TEST(Encoding, UnusableFilesAreRefusedWithAReason) {
    EXPECT_TRUE(readTextFile("/nonexistent/cle.txt").error.has_value());
    const std::string path = testing::TempDir() + "binary.bin";
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string("PK\0\0\x03\x04", 6);
    }
    const auto bin = readTextFile(path);
    ASSERT_TRUE(bin.error.has_value());
    EXPECT_NE(bin.error->find("binaire"), std::string::npos);
    {
        std::ofstream out(path, std::ios::binary);
        out << "1. Chapeau \xE9troit ... 2\n";
    }
    const auto ok = readTextFile(path);
    EXPECT_FALSE(ok.error.has_value());
    EXPECT_EQ(ok.text, "1. Chapeau étroit ... 2\n");
    std::remove(path.c_str());
}
