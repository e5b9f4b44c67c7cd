// The key as the export formats see it, and the formats written from it.
#include <gtest/gtest.h>

#include "engine/engine.hpp"
#include "documents/rich_text.hpp"
#include "interchange/formats.hpp"
#include "interchange/html_key.hpp"
#include "interchange/key_model.hpp"
#include "interchange/printed.hpp"
#include "engine/text.hpp"
#include "support/tables.hpp"

using namespace sarvelo;
using namespace sarvelo::interchange;
using sarvelo::testing::tableOf;

namespace {

// Couplet 1 leads to 2 and 3; couplet 3 leads to 2 again (a couplet reached twice).
ResultTable smallKey() {
    return tableOf({
        {"1", "Chapeau rouge", "->", "2"},
        {"1", "Chapeau blanc", "->", "3"},
        {"2", "Lames libres", "=>", "Amanita"},
        {"2", "Lames adnées", "=>", "Tricholoma"},
        {"3", "Pied bulbeux", "->", "2"},
        {"3", "Pied grêle", "=>", "Mycena"},
    });
}

}  // namespace

TEST(KeyModel, TablesThatCannotBeExportedSayWhy) {
    const struct {
        ResultTable table;
        std::string reason;
    } cases[] = {
        {ResultTable{}, "Aucune clé à exporter"},
        {tableOf({{"1", "", "->", "2"}}), kMsgErrors},
        {tableOf({{"1", "Chapeau", "->", "9"}}), "Rang 1 : le couplet 9 n'existe pas"},
        {tableOf({{"1", "Chapeau", "=>", "Amanita"}, {"", "Pied", "=>", "Boletus"}}), "Rang 2 : entrée sans numéro"},
        {tableOf({{"1", "Chapeau", "->", ""}}), "Rang 1 : renvoi vide"},
        {tableOf({{"1", "Chapeau", "=>", ""}}), "Rang 1 : détermination vide"},
    };
    for (const auto& c : cases) {
        const KeyBuild build = keyFromTable(c.table);
        ASSERT_TRUE(build.failure) << c.reason;
        EXPECT_EQ(build.failure->rfind(c.reason, 0), 0u) << *build.failure;
        EXPECT_TRUE(exportKey(c.table, ExportFormat::KeyBaseCsv, "").failure);
    }
    // Only the KeyBase form cannot tell a taxon named "21" from couplet 21.
    const auto digits = tableOf({{"1", "Chapeau", "=>", "21"}});
    EXPECT_EQ(exportKey(digits, ExportFormat::KeyBaseTsv, "").failure,
              "Rang 1 : la détermination « 21 » se lirait comme un numéro de couplet");
    EXPECT_FALSE(exportKey(digits, ExportFormat::Bracketed, "").failure);
    const auto linked = tableOf({{"1", "Chapeau", "=>", "Clé : 2"}, {"1", "Pied", "=>", "Boletus"}, {"S", "", "S", "Clé : 2"},
                                 {"2", "Anneau", "=>", "Amanita"}, {"2", "Volve", "=>", "Volvaria"}});
    EXPECT_EQ(exportKey(linked, ExportFormat::KeyBaseCsv, "").failure,
              "Rang 1 : la clé liée « 2 » se lirait comme un numéro de couplet");
}

TEST(KeyModel, SectionReferencesLeadToTheirSectionAndOtherRowsAreLeftOut) {
    const auto table = tableOf({
        {"", "Clé des genres", "", "1"},
        {"1", "Spores blanches", "VS", "Section B."},
        {"1", "Spores roses", "VS", "Section C"},
        {"S", "", "S", "SECTION B"},
        {"2", "Lames libres", "=>", "Amanita"},
        {"2", "Lames adnées", "=>", "Tricholoma"},
    });
    const KeyBuild build = keyFromTable(table);
    ASSERT_FALSE(build.failure) << *build.failure;
    ASSERT_EQ(build.key.couplets.size(), 2u);
    const auto& leads = build.key.couplets[0].leads;
    EXPECT_EQ(leads[0].couplet, 1);
    EXPECT_EQ(leads[1].couplet, -1);
    EXPECT_EQ(leads[1].taxon, "Section C");
    EXPECT_EQ(proposedTitle({"", "  Clé des genres ", "1. Spores blanches"}, table), "Clé des genres");
    EXPECT_EQ(proposedTitle({"1. Chapeau rouge ... 2"}, smallKey()), "Clé d'identification");
}

// Each printed line as its start and its end; lines with an end reach the
// printed width through their dot leader.
static void expectLayout(const std::string& printed, const std::vector<std::pair<std::string, std::string>>& expected) {
    const auto lines = text::splitLines(printed);
    ASSERT_EQ(lines.size(), expected.size()) << printed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& [start, end] = expected[i];
        if (end.empty()) {
            EXPECT_EQ(lines[i], start);
            continue;
        }
        EXPECT_TRUE(text::startsWith(lines[i], start + " ...")) << lines[i];
        EXPECT_TRUE(text::endsWith(lines[i], "... " + end)) << lines[i];
        EXPECT_EQ(text::length(lines[i]), kPrintedWidth) << lines[i];
    }
}

TEST(PrintedKey, BracketedAndIndentedLayouts) {
    const KeyBuild build = keyFromTable(smallKey());
    ASSERT_FALSE(build.failure);
    expectLayout(bracketedKey(build.key), {
                                              {"1. Chapeau rouge", "2"},
                                              {"\u2013  Chapeau blanc", "3"},
                                              {"2. Lames libres", "Amanita"},
                                              {"\u2013  Lames adnées", "Tricholoma"},
                                              {"3. Pied bulbeux", "2"},
                                              {"\u2013  Pied grêle", "Mycena"},
                                          });
    // Couplet 2 is written under the first lead that reaches it; the second one names it.
    expectLayout(indentedKey(build.key), {
                                             {"1. Chapeau rouge", ""},
                                             {"  2. Lames libres", "Amanita"},
                                             {"  2. Lames adnées", "Tricholoma"},
                                             {"1. Chapeau blanc", ""},
                                             {"  3. Pied bulbeux", "2"},
                                             {"  3. Pied grêle", "Mycena"},
                                         });
}

TEST(PrintedKey, RtfHangsTheLabelAndTabsToTheEndWithTaxaInItalics) {
    const struct {
        ExportFormat format;
        std::vector<std::string> paragraphs;  // after the title
        std::vector<int> levels;
    } cases[] = {
        {ExportFormat::BracketedRtf,
         {"1.\tChapeau rouge\t2", "\u2013\tChapeau blanc\t3", "2.\tLames libres\tAmanita", "\u2013\tLames adnées\tTricholoma",
          "3.\tPied bulbeux\t2", "\u2013\tPied grêle\tMycena"},
         {0, 0, 0, 0, 0, 0}},
        {ExportFormat::IndentedRtf,
         {"1.\tChapeau rouge", "2.\tLames libres\tAmanita", "2.\tLames adnées\tTricholoma", "1.\tChapeau blanc",
          "3.\tPied bulbeux\t2", "3.\tPied grêle\tMycena"},
         {0, 1, 1, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        const Exported rtf = exportKey(smallKey(), c.format, "Agarics");
        ASSERT_FALSE(rtf.failure);
        const RtfReading read = readRtf(rtf.bytes);
        ASSERT_EQ(read.text.paragraphs.size(), c.paragraphs.size() + 1);
        EXPECT_EQ(read.text.paragraphs[0].text(), "Agarics");
        const int hang = -read.text.paragraphs[1].firstIndent;
        EXPECT_GT(hang, 0);
        for (std::size_t i = 0; i < c.paragraphs.size(); ++i) {
            const Paragraph& p = read.text.paragraphs[i + 1];
            EXPECT_EQ(p.text(), c.paragraphs[i]);
            EXPECT_EQ(p.firstIndent, -hang);
            EXPECT_EQ(p.leftIndent, hang + c.levels[i] * 360) << p.text();
            // Only a taxon is in italics.
            const bool taxon = p.runs.back().text == "Amanita" || p.runs.back().text == "Tricholoma" ||
                               p.runs.back().text == "Mycena";
            EXPECT_EQ(p.runs.back().format.italic, taxon) << p.text();
        }
        EXPECT_NE(rtf.bytes.find("\\tqr\\tldot"), std::string::npos);
    }
}

TEST(PrintedKey, BackReferencesNameTheCoupletThatLeadsThere) {
    const KeyBuild build = keyFromTable(smallKey());
    const PrintedLayout layout = bracketedLayout(build.key, {true});
    std::vector<std::string> labels;
    for (const PrintedLead& lead : layout.leads) labels.push_back(lead.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"1.", "\u2013", "2(1).", "\u2013", "3(1).", "\u2013"}));
    EXPECT_EQ(text::splitLines(printedText(layout))[2].substr(0, 19), "2(1). Lames libres ");
}

// A chain of couplets (each leading to the next) indents only so far; past
// that, the level is written as a number and the lines stay short.
TEST(PrintedKey, ADeepChainStopsIndentingAndNumbersItsLevels) {
    Key key;
    constexpr int kCouplets = 3000;
    for (int c = 0; c < kCouplets; ++c) {
        const std::string n = std::to_string(c + 1);
        key.couplets.push_back(Couplet{n, {Lead{"Feuilles " + n, c + 1 < kCouplets ? c + 1 : -1, "Taxon A", 0},
                                           Lead{"Fleurs " + n, -1, "Taxon " + n, 0}}});
    }
    const std::string plain = printedText(indentedLayout(key));
    const auto lines = text::splitLines(plain);
    ASSERT_EQ(lines.size(), 2u * kCouplets);
    const std::string indent(kMaxPrintedLevel * 2, ' ');
    // Couplet k is written at depth k - 1, its second leads after the whole chain.
    EXPECT_EQ(lines[kMaxPrintedLevel], indent + "11. Feuilles 11");
    EXPECT_EQ(lines[kMaxPrintedLevel + 1], indent + "[12] 12. Feuilles 12");
    EXPECT_TRUE(text::startsWith(lines[kCouplets - 1], indent + "[3000] 3000. Feuilles 3000 ..."));
    EXPECT_TRUE(text::startsWith(lines.back(), "1. Fleurs 1 ..."));
    for (const auto& line : lines) EXPECT_LE(line.size(), kPrintedWidth + 40);
    const std::string rtf = printedRtf(indentedLayout(key), "");
    int widest = 0;
    for (auto at = rtf.find("\\li"); at != std::string::npos; at = rtf.find("\\li", at + 1))
        widest = std::max(widest, std::stoi(rtf.substr(at + 3)));
    EXPECT_LT(widest, kMaxPrintedLevel * 360 + 3000);
}

// A line break, tab or NUL inside a lead (a "\line" of a document) is a
// space in every line-by-line output.
TEST(PrintedKey, ControlCharactersInALeadBecomeSpaces) {
    auto table = smallKey();
    static constexpr char kLead[] = "Chapeau\nrouge\r\tvif\0!";
    table.cell(1, kTexte) = std::string(kLead, sizeof kLead - 1);
    table.cell(3, kTarget) = "Amanita\u2028muscaria";
    for (const ExportFormat format : {ExportFormat::Bracketed, ExportFormat::Indented, ExportFormat::BracketedRtf}) {
        const std::string bytes = exportKey(table, format, "").bytes;
        EXPECT_EQ(bytes.find('\0'), std::string::npos);
        EXPECT_NE(bytes.find("Chapeau rouge  vif !"), std::string::npos) << bytes;
        EXPECT_NE(bytes.find(format == ExportFormat::BracketedRtf ? "Amanita muscaria" : "... Amanita muscaria\n"),
                  std::string::npos);
    }
    EXPECT_EQ(text::splitLines(exportKey(table, ExportFormat::Bracketed, "").bytes).size(), 6u);
}

TEST(HtmlKey, TextsStayTextAndTheTemplateIsFilledOnce) {
    auto table = smallKey();
    table.cell(1, kTexte) = "Chapeau <b>rouge</b> \"vif\" </script>";
    table.cell(3, kTarget) = "{{TITRE}} & \u2028";
    const KeyBuild build = keyFromTable(table);
    ASSERT_FALSE(build.failure);
    const std::string json = keyJson(build.key);
    EXPECT_EQ(json.find('<'), std::string::npos);
    EXPECT_NE(json.find(R"(Chapeau \u003cb\u003erouge\u003c/b\u003e \"vif\")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("taxa":["{{TITRE}} \u0026 \u2028","Tricholoma","Mycena"])"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"t":"Pied bulbeux","c":1})"), std::string::npos);

    const std::string page = htmlKey(build.key, "Agarics <i>&</i>");
    EXPECT_EQ(page.find("{{CLE}}"), std::string::npos);
    EXPECT_NE(page.find("<title>Agarics &lt;i&gt;&amp;&lt;/i&gt;</title>"), std::string::npos);
    EXPECT_NE(page.find("{{TITRE}} \\u0026"), std::string::npos);  // a marker inside the key stays as it is
    EXPECT_EQ(page.find("src="), std::string::npos);               // nothing loaded from elsewhere
}

TEST(HtmlKey, InterfaceLanguageIsGuessedFromTheWordsUnlessGiven) {
    const struct {
        std::vector<std::string> leads;
        std::string asked;
        std::string language;
    } cases[] = {
        {{"Leaves longer than the petals", "Leaves shorter, with hairs"}, "", "en"},
        {{"Feuilles plus longues que les pétales", "Feuilles à poils, or the other"}, "", "fr"},
        {{"Folia glabra", "Folia pilosa"}, "", "fr"},  // neither: French
        {{"Leaves longer than the petals", "Leaves shorter"}, "fr", "fr"},
        {{"Feuilles plus longues", "Feuilles plus courtes"}, "en", "en"},
    };
    for (const auto& c : cases) {
        Key key;
        key.couplets.push_back(Couplet{"1", {Lead{c.leads[0], -1, "A", 0}, Lead{c.leads[1], -1, "B", 0}}});
        ExportOptions options;
        options.language = c.asked;
        options.source = "Flore <b>";
        const std::string json = keyJson(key, options);
        EXPECT_NE(json.find(R"("langue":")" + c.language + R"(","source":"Flore \u003cb\u003e"})"), std::string::npos)
            << json;
    }
}

// A statement's markup, as KeyBase keeps it, read for print; anything
// outside the list stays as written.
TEST(PrintedKey, AStatementsMarkupIsReadForPrint) {
    using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;
    const struct {
        std::string statement;
        std::string text;
        Ranges italics;
    } cases[] = {
        {"<i>Acacia</i> spp., 4&ndash;5 mm", "Acacia spp., 4–5 mm", {{0, 6}}},
        {"Petals 1&#176; or 2&#xB0;, <EM>rarely</EM> 3", "Petals 1° or 2°, rarely 3", {{19, 25}}},
        {"Hairs <b>dense</b>, m<sup>2</sup> &amp; <strong>x</strong>", "Hairs dense, m2 & x", {}},
        {"<i>Open to the end", "Open to the end", {{0, 15}}},
        {"Leaves < 2 mm & hairs &unknown; <script>x</script> a&#0;b &#xD800;",
         "Leaves < 2 mm & hairs &unknown; <script>x</script> a&#0;b &#xD800;", {}},
        {"a&#10;b", "a b", {}},
    };
    for (const auto& c : cases) {
        const MarkedText read = readMarkup(c.statement);
        EXPECT_EQ(read.text, c.text) << c.statement;
        EXPECT_EQ(read.italics, c.italics) << c.statement;
    }
    const auto table = tableOf({
        {"1", "<i>Acacia</i>-like &ndash; phyllodes", "=>", "Acacia"},
        {"1", "Leaves bipinnate", "=>", "Albizia"},
    });
    const std::string rtf = exportKey(table, ExportFormat::BracketedRtf, "").bytes;
    EXPECT_NE(rtf.find("{\\i Acacia}-like \\u8211"), std::string::npos) << rtf;
    EXPECT_NE(exportKey(table, ExportFormat::Bracketed, "").bytes.find("Acacia-like – phyllodes"), std::string::npos);
}
