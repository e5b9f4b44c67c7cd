#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "documents/file_io.hpp"
#include "documents/key_document.hpp"
#include "documents/rich_text.hpp"
#include "engine/text.hpp"
#include "support/layouts.hpp"

using namespace sarvelo;

namespace {

RichText readBody(const std::string& body) { return readRtf("{\\rtf1\\ansi " + body + "}").text; }

std::string joined(const RichText& t) {
    std::string out;
    for (const auto& line : t.lines()) out += line + "|";
    return out;
}

CharFormat fmt(bool b, bool i, bool u, int colour = kAutomaticColour) { return {b, i, u, colour}; }

}  // namespace

TEST(Rtf, WordProcessorConstructsGiveTheirText) {
    struct Case {
        const char* body;
        const char* lines;  // paragraphs, each followed by "|"
    };
    const Case cases[] = {
        {"a\\par b\\par", "a|b|"},
        {"a\\par\\par b", "a||b|"},
        {"a\\line b\\tab c", "a\nb\tc|"},
        {"\\'e9t\\'e9 \\'85", "été …|"},
        {"\\u233?t\\u-4064?", "ét\uF020|"},
        {"\\uc2\\u8212\\'97\\'97x\\uc0\\u8211 y", "—x–y|"},
        {"{\\uc3 \\u8364 abc}d\\u8364?", "€d€|"},
        {"\\u-10179?\\u-8704?", "\U0001F600|"},
        {"\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote", "—–•‘’“”|"},
        {"a\\~b\\-c\\_d", "a\u00A0bc-d|"},
        {"\\{x\\}\\\\", "{x}\\|"},
        {"{\\fonttbl{\\f0\\fswiss Arial;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}x", "x|"},
        {"{\\*\\generator Writer;}{\\*\\unknown {nested} text}x", "x|"},
        {"{\\header en-tete\\par}{\\footer pied\\par}corps", "corps|"},
        {"{\\pict\\pngblip 89504e47}{\\*\\shppict{\\pict 00}}{\\nonshppict{\\pict 11}}img", "img|"},
        {"{\\pict\\bin4 }{\\}}x", "x|"},
        {"{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt lien}} fin", "lien fin|"},
        {"{\\listtext 1.\\tab}Lead", "1.\tLead|"},
        {"a\\cell b\\cell\\row c", "a\tb|c|"},
        {"a\r\nb\\\r\nc", "ab|c|"},
        {"\\fs999999999999999999 x\\u99999999999?", "x\uFFFD|"},
    };
    for (const auto& c : cases) EXPECT_EQ(joined(readBody(c.body)), c.lines) << c.body;
}

TEST(Rtf, CharacterFormattingAndIndentsAreRead) {
    const RichText t = readBody(
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\pard\\fi-300\\li720 n{\\b gras}{\\i ital}{\\ul soul}\\ulnone{\\cf1 rouge}\\cf2 bleu\\cf0 auto\\par"
        "\\pard\\b\\i\\ul x\\plain y\\b0\\par");
    ASSERT_EQ(t.paragraphs.size(), 2u);
    const Paragraph& p = t.paragraphs[0];
    EXPECT_EQ(p.firstIndent, -300);
    EXPECT_EQ(p.leftIndent, 720);
    const std::vector<TextRun> expected = {
        {"n", fmt(false, false, false)},         {"gras", fmt(true, false, false)},
        {"ital", fmt(false, true, false)},       {"soul", fmt(false, false, true)},
        {"rouge", fmt(false, false, false, 255)}, {"bleu", fmt(false, false, false, 128 * 65536)},
        {"auto", fmt(false, false, false)}};
    EXPECT_EQ(p.runs, expected);
    EXPECT_EQ(t.paragraphs[1].firstIndent, 0);  // \pard
    EXPECT_EQ(t.paragraphs[1].runs, (std::vector<TextRun>{{"x", fmt(true, true, true)}, {"y", {}}}));
}

TEST(Rtf, BrokenInputGivesWhatCouldBeRead) {
    struct Case {
        std::string bytes;
        std::string lines;
    };
    const Case cases[] = {
        {"{\\rtf1 a\\par b", "a|b|"},                     // truncated
        {"{\\rtf1 a}}}}\\par b", "a|"},                    // closed early: the rest is not the document
        {"{\\rtf1 {{{a\\par", "a|"},                      // never closed
        {"{\\rtf1 x\\", "x|"},                            // cut inside a control word
        {"{\\rtf1 x\\'4", "x|"},                          // cut inside a hex code
        {"{\\rtf1 x\\bin999999999 abc}", "x|"},           // binary data longer than the file
        {"{\\rtf1 \\u-99999999999999999999999?y}", "\uFFFDy|"},
        {std::string("{\\rtf1 a\0b}", 11), std::string("a\0b|", 4)},
        {"{\\rtf1 " + std::string(200000, '{') + "deep\\par" + std::string(200000, '}') + "x}", "deep|x|"},
    };
    for (const auto& c : cases) {
        const RtfReading r = readRtf(c.bytes);
        EXPECT_TRUE(r.wasRtf);
        EXPECT_EQ(joined(r.text), c.lines) << c.bytes.substr(0, 40);
    }
}

TEST(Rtf, TextThatIsNotRtfIsReadAsPlainLines) {
    const RtfReading utf8 = readRtf("1. Chapeau\r\n2. Pied \xC3\xA9\n");
    EXPECT_FALSE(utf8.wasRtf);
    EXPECT_EQ(joined(utf8.text), "1. Chapeau|2. Pied é|");
    EXPECT_EQ(joined(readRtf("Cl\xE9 {\\rtf1").text), "Clé {\\rtf1|");
    EXPECT_TRUE(readRtf("\xEF\xBB\xBF\r\n {\\rtf1 x}").wasRtf);
}

TEST(Rtf, WrittenTextReadsBackTheSame) {
    RichText t;
    Paragraph& a = t.paragraphs.emplace_back();
    a.firstIndent = -283;
    a.leftIndent = 567;
    a.append(" 1. Chapeau {brun} \\ ", fmt(true, false, false));
    a.append("Amanita", fmt(false, true, true, 0x0000C0));
    a.append(" ...... 2", {});
    Paragraph& b = t.paragraphs.emplace_back();
    b.append("été … œ € ÿ \u0100 \u4E2D \U0001F344 \x07\x1A", fmt(false, false, false, 0x00FF00));
    b.append("a\nb\tc", {});
    t.paragraphs.emplace_back();  // an empty line
    t.paragraphs.emplace_back().append("\\par{}", fmt(true, true, true, 0xFFFFFF));
    const std::string rtf = writeRtf(t);
    for (const unsigned char c : rtf) ASSERT_LT(c, 0x80) << "the file is plain ASCII";
    EXPECT_EQ(readRtf(rtf).text, t);
    EXPECT_TRUE(readRtf(writeRtf(RichText{})).text.paragraphs.empty());
}

TEST(Rtf, FilesMadeByWordProcessorsOpenWithTheirParagraphsAndFormatting) {
    const CharFormat bold{true, false, false, kAutomaticColour};
    const CharFormat italic{false, true, false, kAutomaticColour};
    struct Case {
        const char* file;
        const char* firstLine;   // pandoc writes "..." as "…"
        int indent;              // the left indent of the third lead, in twips
    };
    const Case cases[] = {{"pandoc-key.rtf", "1. Chapeau rouge vif, lames libres … 2", 720},
                         {"libreoffice-key.rtf", "1. Chapeau rouge vif, lames libres ... 2", 1134}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const FileBytes file = readFileBytes(std::string(SARVELO_TEST_DATA_DIR) + "/rtf/" + c.file);
        ASSERT_FALSE(file.error) << *file.error;
        const RichText t = readRtf(file.bytes).text;
        const std::vector<std::string> lines = t.lines();
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], c.firstLine);
        EXPECT_EQ(lines[1], "1. Chapeau blanc, à anneau => Amanita virosa");
        EXPECT_EQ(lines[2], "2. Pied court, sans volve => Lepiota cristata — espèce “commune”");
        EXPECT_EQ(lines[3], "2. Pied long, œil ≥ 3 mm => Inocybe 🍄");
        EXPECT_EQ(t.paragraphs[0].runs.front(), (TextRun{"1.", bold}));
        EXPECT_EQ(t.paragraphs[0].runs[2], (TextRun{"rouge vif", italic}));
        EXPECT_EQ(t.paragraphs[2].leftIndent, c.indent);
        EXPECT_EQ(t.paragraphs[3].runs.back().text.substr(t.paragraphs[3].runs.back().text.size() - 4), "🍄");
    }
    // Colour and underline, which only the word processor's file carries.
    const RichText lo = readRtf(readFileBytes(std::string(SARVELO_TEST_DATA_DIR) + "/rtf/libreoffice-key.rtf").bytes).text;
    EXPECT_EQ(lo.paragraphs[1].runs.back(), (TextRun{"Amanita virosa", {false, true, true, kAutomaticColour}}));
    EXPECT_EQ(lo.paragraphs[2].runs[2], (TextRun{"Lepiota cristata", {false, false, false, 0x0000FF}}));
}

// A key document Sarvelo writes, converted to text by LibreOffice, gives the
// lines Sarvelo reads back: key text, marker and every entry, double spaces
// included. Skipped where LibreOffice is not installed.
TEST(Rtf, LibreOfficeReadsWhatSarveloWrites) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice absent";
    RichText t;
    t.paragraphs.emplace_back().append("1. Chapeau ", {true, false, false, kAutomaticColour});
    t.paragraphs.back().append("rouge", {false, true, true, 255});
    t.paragraphs.back().append(" … 2 œ 🍄", {});
    t.paragraphs.emplace_back().append("1. Chapeau  blanc => Amanita", {});
    const std::string dir = ::testing::TempDir() + "sarvelo_lo_" + std::to_string(::getpid());
    const std::string path = dir + "/cle.Sarvelo";
    std::string reason;
    ASSERT_EQ(std::system(("mkdir -p " + dir).c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(path, keyDocumentRtf(t, sarvelo::testing::everythingChanged()), reason))
        << reason;
    ASSERT_EQ(std::system(("soffice --headless --convert-to 'txt:Text (encoded):UTF8' --outdir " + dir + " " +
                           path + " >/dev/null 2>&1")
                              .c_str()),
              0);
    const FileBytes text = readFileBytes(dir + "/cle.txt");
    ASSERT_FALSE(text.error);
    const FileBytes written = readFileBytes(path);
    EXPECT_EQ(text::splitLines(decodeText(text.bytes)), readRtf(written.bytes).text.lines());
}

// A document saved again by LibreOffice Writer opens with its parameters.
TEST(Rtf, ADocumentResavedByLibreOfficeKeepsItsParameters) {
    const LoadedDocument loaded =
        loadKeyDocument(std::string(SARVELO_TEST_DATA_DIR) + "/rtf/libreoffice-resaved.Sarvelo");
    ASSERT_FALSE(loaded.error);
    ASSERT_TRUE(loaded.document.hasMarker);
    EXPECT_EQ(loaded.document.keyText.lines().size(), 4u);
    KeyParams p;
    EXPECT_FALSE(applyConfiguration(p, loaded.document.configuration));
    EXPECT_EQ(p.Separ1, ". ");
    EXPECT_EQ(p.Separ2, " ...");
    EXPECT_EQ(p.Liste_separ_3, std::vector<std::string>{"=>"});
}
