#include <gtest/gtest.h>

#include <functional>

#include "documents/char_analysis.hpp"
#include "documents/formatting_codes.hpp"
#include "documents/rich_text.hpp"

using namespace sarvelo;

namespace {

constexpr int kAuto = kAutomaticColour;
const CharFormat kPlain{false, false, false, 0};
const CharFormat kBold{true, false, false, 0};
const CharFormat kItalic{false, true, false, 0};
const CharFormat kRed{false, false, false, 255};

struct Run {
    const char* text;
    CharFormat format;
};

Paragraph paragraph(std::initializer_list<Run> runs, int firstIndent = 0) {
    Paragraph p;
    p.firstIndent = firstIndent;
    for (const Run& r : runs) p.append(r.text, r.format);
    return p;
}

std::string withCodes(const Paragraph& p, const KeyParams& params) {
    const RichText text{{p}};
    return withFormattingCodes(text, formattingCodes(text, params)).paragraphs.at(0).text();
}

void allCodes(KeyParams& p) {
    p.Le_gras = p.Plus_gras = p.Le_Souligne = p.plus_souligne = p.L_Italique = p.plus_italique = true;
}

}  // namespace

TEST(FormattingCodes, CodesStandWhereFormattingBeginsAndEnds) {
    struct Case {
        const char* name;
        Paragraph line;
        std::function<void(KeyParams&)> tick;
        const char* expected;
    };
    const Case cases[] = {
        {"bold number, italic name", paragraph({{"1", kBold}, {" ", kPlain}, {"Spores", kItalic}}),
         [](KeyParams& p) { p.Le_gras = p.Plus_gras = p.L_Italique = p.plus_italique = true; },
         "#G#1#PG# #I#Spores#PI#"},
        {"whole line bold", paragraph({{"Chapeau rouge", kBold}}), [](KeyParams& p) { p.Le_gras = p.Plus_gras = true; },
         "#G#Chapeau rouge#PG#"},
        {"one bold character", paragraph({{"ab", kPlain}, {"c", kBold}, {"de", kPlain}}),
         [](KeyParams& p) { p.Le_gras = p.Plus_gras = true; }, "ab#G#c#PG#de"},
        {"start codes only", paragraph({{"a", kPlain}, {"bc", kBold}}), [](KeyParams& p) { p.Le_gras = true; },
         "a#G#bc"},
        {"fixed order around one character",
         paragraph({{"a", kPlain}, {"x", {true, true, true, 255}}, {"b", kPlain}}),
         [](KeyParams& p) {
             allCodes(p);
             p.Couleur = true;
         },
         "a/255\\#I##S##G#x#PI##PS##PG#/0\\b"},
        {"end codes before the next start codes", paragraph({{"a", kBold}, {"b", kItalic}}), allCodes,
         "#G#a#PG##I#b#PI#"},
        {"black line", paragraph({{"noir", kPlain}}), [](KeyParams& p) { p.Couleur = true; }, "noir"},
        {"automatic colour", paragraph({{"auto", {false, false, false, kAuto}}}), [](KeyParams& p) { p.Couleur = true; },
         "/-16777208\\auto"},
        {"red word in black", paragraph({{"un ", kPlain}, {"rouge", kRed}, {" mot", kPlain}}),
         [](KeyParams& p) { p.Couleur = true; }, "un /255\\rouge/0\\ mot"},
        {"debut 2 compares the third character with the second", paragraph({{"a", kPlain}, {"bcd", kBold}}),
         [](KeyParams& p) {
             p.Le_gras = p.Plus_gras = true;
             p.debut = 2;
         },
         "abcd#PG#"},
        {"debut 2, bold from the third character", paragraph({{"ab", kPlain}, {"cd", kBold}}),
         [](KeyParams& p) {
             p.Le_gras = true;
             p.debut = 2;
         },
         "ab#G#cd"},
        {"line no longer than debut", paragraph({{"ab", kBold}}),
         [](KeyParams& p) {
             p.Le_gras = true;
             p.debut = 2;
         },
         "ab"},
        {"hanging indent before every other code", paragraph({{"1", kBold}, {" x", kPlain}}, -360),
         [](KeyParams& p) { p.Decalage = p.Le_gras = true; }, ">>18<<#G#1 x"},
        {"indent code on an empty line", paragraph({}, -200), [](KeyParams& p) { p.Decalage = true; }, ">>10<<"},
        {"first-line indent, truncated", paragraph({{"x", kPlain}}, 410), [](KeyParams& p) { p.Decalage = true; },
         ">>-20<<x"},
        {"indent without Decalage", paragraph({{"x", kBold}}, -360), [](KeyParams& p) { p.Le_gras = true; }, "#G#x"},
        {"nothing ticked", paragraph({{"a", kBold}, {"b", kRed}}, -360), [](KeyParams&) {}, "ab"},
        {"characters beyond one byte", paragraph({{"é", kPlain}, {"🍄", kBold}, {"à", kPlain}}),
         [](KeyParams& p) { p.Le_gras = p.Plus_gras = true; }, "é#G#🍄#PG#à"},
    };
    for (const Case& c : cases) {
        KeyParams params;
        c.tick(params);
        EXPECT_EQ(withCodes(c.line, params), c.expected) << c.name;
    }
}

TEST(FormattingCodes, CodesTakeTheirCharactersFormatAndASecondPassAddsMore) {
    KeyParams params;
    params.Le_gras = params.Plus_gras = true;
    const RichText text{{paragraph({{"a", kPlain}, {"b", kBold}}), paragraph({}), paragraph({{"c", kBold}})}};
    const RichText once = withFormattingCodes(text, formattingCodes(text, params));
    EXPECT_EQ(once.lines(), (std::vector<std::string>{"a#G#b#PG#", "", "#G#c#PG#"}));
    // The codes of a bold character are bold: the formatting stays as it was.
    ASSERT_EQ(once.paragraphs[0].runs.size(), 2u);
    EXPECT_EQ(once.paragraphs[0].runs[1].text, "#G#b#PG#");
    EXPECT_TRUE(once.paragraphs[0].runs[1].format.bold);
    EXPECT_EQ(withFormattingCodes(once, formattingCodes(once, params)).lines()[2], "#G##G#c#PG##PG#");
}

TEST(CharAnalysis, EveryCharacterShowsItsNameStyleAndColour) {
    RichText selection{{paragraph({{"a", kPlain}, {"\t", kBold}, {"B", {true, false, true, 255}}}),
                        paragraph({{" ", {true, true, false, kAuto}}, {"é", {false, true, true, 16711680}}})}};
    const std::vector<AnalysisColumn> expected = {
        {"a", "", "Normal", "0"},
        {"\t", "Tabulation", "G.", "0"},
        {"B", "", "G.S.", "255"},
        {"\n", "Entrer", "G.S.", "255"},
        {" ", "Espace", "G.I.", "-16777208"},
        {"é", "", "S.I.", "16711680"},
    };
    EXPECT_EQ(analyseCharacters(selection), expected);
    EXPECT_TRUE(analyseCharacters(RichText{{Paragraph{}}}).empty());
}
