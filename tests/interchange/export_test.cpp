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

TEST(PrintedKey, RtfLayoutsReadBackAsTheirTextWithTheNestingAsIndents) {
    const std::pair<ExportFormat, ExportFormat> pairs[] = {{ExportFormat::BracketedRtf, ExportFormat::Bracketed},
                                                           {ExportFormat::IndentedRtf, ExportFormat::Indented}};
    for (const auto& [rtfFormat, textFormat] : pairs) {
        const Exported rtf = exportKey(smallKey(), rtfFormat, "");
        const Exported plain = exportKey(smallKey(), textFormat, "");
        ASSERT_FALSE(rtf.failure || plain.failure);
        const RtfReading read = readRtf(rtf.bytes);
        ASSERT_TRUE(read.wasRtf);
        const auto lines = text::splitLines(plain.bytes);
        ASSERT_EQ(read.text.paragraphs.size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t spaces = lines[i].find_first_not_of(' ');
            EXPECT_EQ(read.text.paragraphs[i].text(), lines[i].substr(spaces));
            EXPECT_EQ(read.text.paragraphs[i].leftIndent, static_cast<int>(spaces / 2) * 360) << lines[i];
        }
    }
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
