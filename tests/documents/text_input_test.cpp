#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "documents/encoding.hpp"
#include "documents/rich_text.hpp"
#include "documents/text_input.hpp"

using namespace sarvelo;

namespace {

std::string writeTemp(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "sarvelo_text_input_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// With its byte-order mark.
std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

}  // namespace

TEST(TextInput, TextFilesWithAccentsOpenInEveryEncoding) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"utf8", "Cl\xC3\xA9 \xC3\xA0 lames\r\n\xE2\x80\xA6 2\r\n"},
        {"utf8bom", "\xEF\xBB\xBF" "Cl\xC3\xA9 \xC3\xA0 lames\n\xE2\x80\xA6 2"},
        {"utf16le", utf16(u"Clé à lames\r\n… 2", false)},
        {"utf16be", utf16(u"Clé à lames\n… 2", true)},
        {"cp1252", "Cl\xE9 \xE0 lames\n\x85 2\n"},
        {"rtf", "{\\rtf1\\ansi Cl\\'e9 \\u224? lames\\par \\'85 2\\par}"},
    };
    for (const Case& c : cases) {
        const std::string path = writeTemp(c.name, c.bytes);
        const WorkingTextFile file = readWorkingTextFile(path);
        EXPECT_FALSE(file.error) << c.name << ": " << file.error.value_or("");
        EXPECT_EQ(file.text.lines(), (std::vector<std::string>{"Clé à lames", "… 2"})) << c.name;
        EXPECT_EQ(file.wasRtf, std::string(c.name) == "rtf") << c.name;
        std::remove(path.c_str());
    }
}

TEST(TextInput, BrokenUtf16KeepsItsDamageVisible) {
    // A pair beyond the BMP, a lone surrogate, a last odd byte.
    EXPECT_EQ(utf16ToUtf8(std::string("\xFF\xFE\x3C\xD8\x44\xDF" "a\0\x00\xD8" "b\0" "c", 13)), "🍄a\uFFFDb\uFFFD");
}

TEST(TextInput, UnusableFilesAreRefusedAndOddOnesReadFaithfully) {
    struct Case {
        const char* name;
        std::string bytes;
        bool refused;
        const char* firstLine;  // when read
    };
    const Case cases[] = {
        {"binary", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), true, ""},
        {"nul", std::string("1. Chapeau\0 rouge ... 2\n", 24), true, ""},
        // Windows-1252 bytes in UTF-8: every byte stays a character.
        {"mixed", "Clé \xE9t\xE9 \x80", false, "Cl\u00C3\u00A9 été €"},
        {"longline", std::string(kMaxLineChars + 1, 'a'), true, ""},
        {"longest", std::string(kMaxLineChars, 'a') + "\nfin", false, nullptr},
    };
    for (const Case& c : cases) {
        const std::string path = writeTemp(c.name, c.bytes);
        const WorkingTextFile file = readWorkingTextFile(path);
        EXPECT_EQ(file.error.has_value(), c.refused) << c.name;
        if (c.refused) EXPECT_TRUE(file.text.paragraphs.empty()) << c.name;
        else if (c.firstLine) EXPECT_EQ(file.text.lines().at(0), c.firstLine) << c.name;
        else EXPECT_EQ(file.text.lines().at(1), "fin") << c.name;
        std::remove(path.c_str());
    }
    EXPECT_TRUE(readWorkingTextFile(::testing::TempDir()).error) << "a directory";
    EXPECT_TRUE(readWorkingTextFile(::testing::TempDir() + "sarvelo_missing.txt").error);
}

TEST(TextInput, LineBreaksInsideAParagraphBecomeLinesKeepingFormatAndIndents) {
    RichText t;
    Paragraph& p = t.paragraphs.emplace_back();
    p.firstIndent = -360;
    p.append("1 a\nb", {true, false, false, 0});
    p.append("c\n", {false, true, false, 255});
    t.paragraphs.emplace_back().append("2", {});
    t.splitLineBreaks();
    ASSERT_EQ(t.lines(), (std::vector<std::string>{"1 a", "bc", "", "2"}));
    EXPECT_EQ(t.paragraphs[1].runs, (std::vector<TextRun>{{"b", {true, false, false, 0}}, {"c", {false, true, false, 255}}}));
    EXPECT_EQ(t.paragraphs[2].firstIndent, -360);
    EXPECT_EQ(t.paragraphs[3].firstIndent, 0);
}
