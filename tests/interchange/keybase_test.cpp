// KeyBase files: what is written, what is read back, and the round trip
// through a KeyBase file and the processing.
#include <gtest/gtest.h>

#include "../../bench/keygen.hpp"
#include "interchange/keybase.hpp"
#include "review/finished_key.hpp"
#include "support/layouts.hpp"
#include "support/processing.hpp"
#include "support/tables.hpp"

using namespace sarvelo;
using namespace sarvelo::interchange;
using sarvelo::testing::tableOf;

using Lines = std::vector<std::string>;

TEST(KeyBaseExport, RowsInTableOrderWithFieldsQuotedWhereNeeded) {
    const auto table = tableOf({
        {"1", "Chapeau rouge, \"vif\"", "->", "2"},
        {"2", "Lames libres", "=>", "Amanita muscaria"},
        {"1", " Chapeau blanc", "=>", "Amanita alba "},
        {"2", "Lames\tadnées", "=>", "Tricholoma"},
    });
    const KeyBuild build = keyFromTable(table);
    ASSERT_FALSE(build.failure);
    EXPECT_EQ(keyBaseText(build.key, ','),
              "1,\"Chapeau rouge, \"\"vif\"\"\",2\n2,Lames libres,Amanita muscaria\n"
              "1,Chapeau blanc,Amanita alba\n2,Lames\tadnées,Tricholoma\n");
    EXPECT_EQ(keyBaseText(build.key, '\t'),
              "1\tChapeau rouge, \"vif\"\t2\n2\tLames libres\tAmanita muscaria\n"
              "1\tChapeau blanc\tAmanita alba\n2\tLames adnées\tTricholoma\n");
}

TEST(KeyBaseImport, ReadsEveryDelimiterAndNumbersCoupletsInOrder) {
    const struct {
        std::string file;
        Lines text;
    } cases[] = {
        {"12,Chapeau rouge,14\n12,Chapeau blanc,Amanita alba\n14,Lames libres,Lepiota\n14,Lames adnées,Tricholoma\n",
         {"1. Chapeau rouge -> 2", "1. Chapeau blanc => Amanita alba", "2. Lames libres => Lepiota",
          "2. Lames adnées => Tricholoma"}},
        // Semicolons, a header, quotes holding the delimiter and a line break, CRLF.
        {"Couplet;Texte;Destination\r\na;\"Chapeau; rouge\nvif\";b\r\na;Chapeau, blanc;Amanita\r\nb;Pied;Boletus\r\n",
         {"1. Chapeau; rouge vif -> 2", "1. Chapeau, blanc => Amanita", "2. Pied => Boletus"}},
        // Tabs; a text holding the arrows gets longer ones.
        {"1\tFeuilles => opposées -> 2\t2\n1\tFeuilles alternes\tAcer\n2\tFleurs\tBuxus\n",
         {"1. Feuilles => opposées -> 2 --> 2", "1. Feuilles alternes ==> Acer", "2. Fleurs ==> Buxus"}},
    };
    for (const auto& c : cases) {
        const ImportedKey imported = importKeyBase(c.file);
        EXPECT_FALSE(imported.error);
        EXPECT_TRUE(imported.warnings.empty()) << imported.warnings.front();
        EXPECT_EQ(imported.text, c.text);
    }
}

TEST(KeyBaseImport, DoubtfulRowsAreReportedByLine) {
    const ImportedKey imported = importKeyBase("1,Chapeau rouge,7\n1,Chapeau blanc\n1,Chapeau vert,\n");
    EXPECT_EQ(imported.warnings, (Lines{"Ligne 1 : le couplet 7 n'existe pas (renvoi noté 2)",
                                        "Ligne 2 : moins de trois colonnes, ligne ignorée",
                                        "Ligne 3 : pas de destination"}));
    EXPECT_EQ(imported.text, (Lines{"1. Chapeau rouge -> 2", "1. Chapeau vert"}));
    EXPECT_TRUE(importKeyBase("").error);
    EXPECT_TRUE(importKeyBase("juste du texte\n").error);
}

namespace {

// Processes a key, goes through a KeyBase file and processes the result:
// the table and the finished key must come back the same.
void expectRoundTrip(const Lines& key, const KeyParams& params, char delimiter) {
    const auto first = sarvelo::testing::process(key, params);
    ASSERT_EQ(first.outcome, RunOutcome::Success);
    const KeyBuild build = keyFromTable(first.table);
    ASSERT_FALSE(build.failure) << *build.failure;
    const ImportedKey imported = importKeyBase(keyBaseText(build.key, delimiter));
    ASSERT_FALSE(imported.error);
    EXPECT_TRUE(imported.warnings.empty());
    const auto second = sarvelo::testing::process(imported.text, imported.configuration);
    ASSERT_EQ(second.outcome, RunOutcome::Success);
    EXPECT_EQ(finishedKeyLines(second.table), finishedKeyLines(first.table));
    // Rows that are no lead (blank or comment lines) do not travel.
    std::vector<std::array<std::string, 4>> leadsBefore, leadsAfter;
    for (const auto* t : {&first.table, &second.table})
        for (int r = 1; r <= t->dataRows(); ++r)
            if (!t->cell(r, kKind).empty())
                (t == &first.table ? leadsBefore : leadsAfter)
                    .push_back({t->cell(r, kNb), t->cell(r, kTexte), t->cell(r, kKind), t->cell(r, kTarget)});
    EXPECT_EQ(leadsAfter, leadsBefore);
}

}  // namespace

TEST(KeyBaseRoundTrip, GeneratedKeyOfAThousandLeads) {
    expectRoundTrip(bench::generatedKey(1000), bench::generatedKeyParams(), ',');
}

TEST(KeyBaseRoundTrip, RealKeyWithTriplets) {
    const Lines key = sarvelo::testing::testDataLines("keys/atkinson-1900-agarics-stipe-fleshy.txt");
    ASSERT_EQ(key.size(), 13u);
    expectRoundTrip(key, sarvelo::testing::dottedLayout(), ',');
    expectRoundTrip(key, sarvelo::testing::dottedLayout(), '\t');
}

TEST(KeyBaseFiles, KnownByTheirExtension) {
    for (const char* name : {"cle.csv", "CLE.TSV", "a/b.Csv"}) EXPECT_TRUE(isKeyBaseFileName(name)) << name;
    for (const char* name : {"cle.txt", "csv", "cle.csv.bak", ""}) EXPECT_FALSE(isKeyBaseFileName(name)) << name;
}
