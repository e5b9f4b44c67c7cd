// KeyBase files: what is written, what is read back, the round trip through
// a KeyBase file and the processing, and KeyBase's own files.
#include <gtest/gtest.h>

#include <filesystem>

#include "../../bench/keygen.hpp"
#include "interchange/bare_name.hpp"
#include "interchange/formats.hpp"
#include "interchange/html_key.hpp"
#include "interchange/keybase.hpp"
#include "review/finished_key.hpp"
#include "support/cli_run.hpp"
#include "support/layouts.hpp"
#include "support/processing.hpp"
#include "support/tables.hpp"

using namespace sarvelo;
using namespace sarvelo::interchange;
using sarvelo::testing::tableOf;

using Lines = std::vector<std::string>;

TEST(KeyBaseExport, HeaderThenRowsQuotedAsKeyBaseDoes) {
    const auto table = tableOf({
        {"1", "Chapeau rouge, \"vif\"", "->", "2"},
        {"2", "Lames libres", "=>", "Amanita muscaria"},
        {"1", " Chapeau blanc", "=>", "Amanita alba "},
        {"2", "\"T\"-shaped", "=>", "Tricholoma"},
    });
    const KeyBuild build = keyFromTable(table);
    ASSERT_FALSE(build.failure);
    EXPECT_EQ(keyBaseText(build.key, ','),
              "from,statement,to\n1,\"Chapeau rouge, \"\"vif\"\"\",2\n2,\"Lames libres\",\"Amanita muscaria\"\n"
              "1,\"Chapeau blanc\",\"Amanita alba\"\n2,\"\"\"T\"\"-shaped\",Tricholoma\n");
    EXPECT_EQ(keyBaseText(build.key, '\t'),
              "from\tstatement\tto\n1\t\"Chapeau rouge, \"\"vif\"\"\"\t2\n2\t\"Lames libres\"\t\"Amanita muscaria\"\n"
              "1\t\"Chapeau blanc\"\t\"Amanita alba\"\n2\t\"\"\"T\"\"-shaped\"\tTricholoma\n");
}

TEST(KeyBaseExport, LinkedKeysAndShortcutsHaveTheirColumns) {
    const auto table = tableOf({
        {"1", "Feuilles simples", "=>", "Clé : Groupe A"},
        {"1", "Feuilles composées", "=>", "Cercis {Cercis occidentalis}"},
        {"S", "", "S", "Clé : Groupe A"},
        {"2", "Fleurs", "=>", "Acer"},
        {"2", "Pas de fleurs", "=>", "Buxus"},
    });
    const KeyBuild build = keyFromTable(table);
    ASSERT_FALSE(build.failure) << *build.failure;
    EXPECT_EQ(build.key.couplets[0].leads[0].linkedKey, "Groupe A");
    EXPECT_EQ(build.key.couplets[0].leads[0].linkedCouplet, 1);
    EXPECT_EQ(keyBaseText(build.key, ','),
              "from,statement,to,subkey,shortcut\n1,\"Feuilles simples\",\"Groupe A\",,\n"
              "1,\"Feuilles composées\",Cercis,,\"Cercis occidentalis\"\n1,Fleurs,Acer,\"Groupe A\",\n"
              "1,\"Pas de fleurs\",Buxus,\"Groupe A\",\n");
    // The interactive key goes on to the linked key's first couplet.
    EXPECT_NE(htmlKey(build.key, "").find("{\"t\":\"Feuilles simples\",\"c\":1}"), std::string::npos);
}

TEST(KeyBaseExport, FormulaCellsWarnedOrGuarded) {
    const auto table = tableOf({
        {"1", "=cmd|'/C calc'!A0", "=>", "@Amanita"},
        {"1", "Chapeau blanc", "=>", "Russula: rosea"},
    });
    const KeyBuild build = keyFromTable(table);
    ASSERT_FALSE(build.failure);
    EXPECT_EQ(keyBaseWarnings(build.key, false),
              (Lines{"Rang 1 : « =cmd|'/C calc'!A0 » : cellule lue comme une formule par un tableur (option --tableur : "
                     "précédée d'une apostrophe)",
                     "Rang 2 : l'élément « Russula: rosea » se lit dans KeyBase comme une marque (« : » raccourci, « | » "
                     "plusieurs éléments, « { » raccourci)"}));
    EXPECT_EQ(keyBaseWarnings(build.key, true).size(), 1u);
    EXPECT_EQ(keyBaseText(build.key, ',', true),
              "from,statement,to\n1,\"'=cmd|'/C calc'!A0\",'@Amanita\n1,\"Chapeau blanc\",\"Russula: rosea\"\n");
}

TEST(KeyBaseImport, ReadsEveryLayoutOfRows) {
    const struct {
        const char* name;
        std::string file;
        Lines text;
    } cases[] = {
        {"numbers in any order, no header",
         "12,Chapeau rouge,14\n12,Chapeau blanc,Amanita alba\n14,Lames libres,Lepiota\n14,Lames adnées,Tricholoma\n",
         {"1. Chapeau rouge -> 2", "1. Chapeau blanc => Amanita alba", "2. Lames libres => Lepiota",
          "2. Lames adnées => Tricholoma"}},
        {"semicolons, quotes holding the delimiter and a line break, CRLF",
         "a;\"Chapeau; rouge\nvif\";b\r\na;Chapeau, blanc;Amanita\r\nb;Pied;Boletus\r\n",
         {"1. Chapeau; rouge vif -> 2", "1. Chapeau, blanc => Amanita", "2. Pied => Boletus"}},
        {"a letter-labelled root is no header",
         "A,Chapeau rouge,B\nA,Chapeau blanc,Amanita\nB,Pied,Boletus\nB,Sans pied,Pleurotus\n",
         {"1. Chapeau rouge -> 2", "1. Chapeau blanc => Amanita", "2. Pied => Boletus", "2. Sans pied => Pleurotus"}},
        {"a header in any case and order, labels with a final dot or colon, a byte-order mark",
         "\xEF\xBB\xBFTo,FROM,Statement\n2,1.,Chapeau rouge\nAmanita,1.,Chapeau blanc\nBoletus,2:,Pied\n",
         {"1. Chapeau rouge -> 2", "1. Chapeau blanc => Amanita", "2. Pied => Boletus"}},
        {"the statement column named \"text\", as in KeyBase's own examples",
         "\"from\",\"text\",\"to\",\"subkey\"\n1,Chapeau rouge,2,\n1,Chapeau blanc,Amanita,\n2,Pied,Boletus,\n",
         {"1. Chapeau rouge -> 2", "1. Chapeau blanc => Amanita", "2. Pied => Boletus"}},
        {"tabs; a text holding the arrows gets longer ones",
         "1\tFeuilles => opposées -> 2\t2\n1\tFeuilles alternes\tAcer\n2\tFleurs\tBuxus\n",
         {"1. Feuilles => opposées -> 2 --> 2", "1. Feuilles alternes ==> Acer", "2. Fleurs ==> Buxus"}},
        {"KeyBase's quoted tab-separated export",
         "\"1\"\t\"Feuilles simples\"\t\"2\"\r\n\"1\"\t\"Feuilles composées\"\t\"Acer negundo\"\r\n\"2\"\t\"Fleurs\"\t\"Buxus\"",
         {"1. Feuilles simples -> 2", "1. Feuilles composées => Acer negundo", "2. Fleurs => Buxus"}},
        {"shortcuts: the column and both older forms",
         "from,statement,to,shortcut\n1,Fleurs,Aptenia {Aptenia cordifolia},\n1,Pas de fleurs,Cercis:Cercis occidentalis,\n"
         "2,Feuilles,Acer,Acer negundo\n",
         {"1. Fleurs => Aptenia {Aptenia cordifolia}", "1. Pas de fleurs => Cercis {Cercis occidentalis}",
          "2. Feuilles => Acer {Acer negundo}"}},
        {"linked keys, the subkey column first",
         "subkey,from,statement,to\n,1,Fleurs,Groupe A\n,1,Pas de fleurs,Buxus\nGroupe A,1,Rouges,2\nGroupe A,1,Blanches,Acer\n"
         "Groupe A,2,Grandes,Rosa\nGroupe A,2,Petites,Rubus\n",
         {"1. Fleurs => Clé : Groupe A", "1. Pas de fleurs => Buxus", "Clé : Groupe A", "2. Rouges -> 3",
          "2. Blanches => Acer", "3. Grandes => Rosa", "3. Petites => Rubus"}},
        {"a shortcut inside a linked key",
         "from,statement,to,subkey,shortcut\n1,Fleurs,Groupe A,,\n1,Pas de fleurs,Buxus,,\n1,Rouges,Acer,Groupe A,Acer negundo\n"
         "1,Blanches,Rosa,Groupe A,\n",
         {"1. Fleurs => Clé : Groupe A", "1. Pas de fleurs => Buxus", "Clé : Groupe A", "2. Rouges => Acer {Acer negundo}",
          "2. Blanches => Rosa"}},
        {"a shortcut from an item that has a linked key of its own",
         "from,statement,to,shortcut,subkey\n1,Fleurs,Rosa,Rosa canina,\n1,Pas de fleurs,Rosa,,\n1,Rouges,Rosa canina,,Rosa\n"
         "1,Blanches,Rosa rubiginosa,,Rosa\n",
         {"1. Fleurs => Rosa {Rosa canina}", "1. Pas de fleurs => Clé : Rosa", "Clé : Rosa", "2. Rouges => Rosa canina",
          "2. Blanches => Rosa rubiginosa"}},
    };
    for (const auto& c : cases) {
        const ImportedKey imported = importKeyBase(c.file);
        EXPECT_FALSE(imported.error) << c.name;
        EXPECT_TRUE(imported.warnings.empty()) << c.name << ": " << imported.warnings.front();
        EXPECT_EQ(imported.text, c.text) << c.name;
    }
}

TEST(KeyBaseImport, DoubtfulRowsAreReportedByLineAndSummedUpAfterTwenty) {
    const ImportedKey imported =
        importKeyBase("1,Chapeau rouge,7\n1,Chapeau blanc\n1,Chapeau vert,\n1,Chapeau gris,Brachychiton:B. populneus:B. p. subsp. p.\n");
    EXPECT_EQ(imported.warnings,
              (Lines{"Ligne 1 : le couplet 7 n'existe pas (renvoi noté 2)", "Ligne 2 : moins de trois colonnes, ligne ignorée",
                     "Ligne 3 : pas de destination",
                     "Ligne 4 : raccourcis enchaînés : seul le premier est gardé, « B. p. subsp. p. » ignoré"}));
    EXPECT_EQ(imported.text, (Lines{"1. Chapeau rouge -> 2", "1. Chapeau vert", "1. Chapeau gris => Brachychiton {B. populneus}"}));
    EXPECT_EQ(imported.coupletLabels, (Lines{"", "1", "7"}));
    EXPECT_TRUE(importKeyBase("").error);
    EXPECT_TRUE(importKeyBase("juste du texte\n").error);

    std::string many = "1,Chapeau,Amanita\n";
    for (int i = 0; i < 30; ++i) many += "1,court\n";
    const ImportedKey summed = importKeyBase(many);
    ASSERT_EQ(summed.warnings.size(), 21u);
    EXPECT_EQ(summed.warnings.back(), "... et 10 autres lignes : moins de trois colonnes, ligne ignorée");

    // Two kinds interleaved: the first twenty of each in line order, then the
    // counts in the order the kinds first appear.
    std::string mixed = "1,Chapeau,Amanita\n";
    for (int i = 0; i < 25; ++i) mixed += "1,court\n1,Chapeau vert,\n";
    const ImportedKey both = importKeyBase(mixed);
    ASSERT_EQ(both.warnings.size(), 42u);
    EXPECT_EQ(both.warnings[0], "Ligne 2 : moins de trois colonnes, ligne ignorée");
    EXPECT_EQ(both.warnings[1], "Ligne 3 : pas de destination");
    EXPECT_EQ(both.warnings[39], "Ligne 41 : pas de destination");
    EXPECT_EQ(both.warnings[40], "... et 5 autres lignes : moins de trois colonnes, ligne ignorée");
    EXPECT_EQ(both.warnings[41], "... et 5 autres lignes : pas de destination");
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
                    .push_back({std::string(t->cell(r, kNb)), std::string(t->cell(r, kTexte)), std::string(t->cell(r, kKind)),
                                std::string(t->cell(r, kTarget))});
    EXPECT_EQ(leadsAfter, leadsBefore);
}

std::string keyBaseFile(const std::string& name) {
    return sarvelo::testing::readFile(std::string(SARVELO_TEST_DATA_DIR) + "/keybase/" + name);
}

struct Imported {
    ImportedKey key;
    RunResult result;
    ResultTable table;
};

// A KeyBase file read and processed as the command line does, findings in
// the file's terms.
Imported importAndProcess(const std::string& file) {
    Imported out;
    out.key = importKeyBase(file);
    KeyParams params;
    applyConfiguration(params, out.key.configuration);
    RunOptions options;
    options.checks.coupletLabels = &out.key.coupletLabels;
    Host host;
    out.result = runProcessing(out.key.text, params, out.table, host, options);
    return out;
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

// Real keys in KeyBase's layouts (README.md of the folder says where each
// comes from): every row, linked key and shortcut is read, processed and
// written back; read again, the export gives the same working text.
TEST(KeyBaseFiles, RealKeysTravelWhole) {
    const struct {
        const char* file;
        std::size_t rows, linkedKeys, shortcuts;
    } cases[] = {
        // Linked keys, the subkey column last, both delimiters; HTML and entities
        // in statements; leads to several items.
        {"hall-1951-lagomorpha-subkeys.csv", 64, 3, 0},
        {"hall-1951-lagomorpha-subkeys.tsv", 64, 3, 0},
        // The subkey column first, after a byte-order mark.
        {"thonner-1915-monocot-families-subkey-first.tsv", 64, 1, 0},
        // Shortcuts: the column, "Item:Shortcut", "Item {Shortcut}".
        {"thonner-1915-celastraceae-genera-shortcut.tsv", 28, 0, 1},
        {"thonner-1915-guttiferae-genera-colon.csv", 32, 0, 1},
        {"thonner-1915-guttiferae-genera-braces.tsv", 32, 0, 1},
        // Couplets of three, five and seven leads.
        {"gray-1890-polypetalous-stamens-numerous-polytomy.tsv", 50, 0, 0},
        // Every field quoted, the header too; a couplet of three leads.
        {"deam-1921-acer-species-quoted.csv", 13, 0, 0},
        // A couplet reached from two couplets.
        {"key-import-reticulation-example.csv", 12, 0, 0},
        // KeyBase's own Flora of Victoria keys: linked keys and shortcuts
        // together, non-ASCII text, taxa reached from several couplets.
        {"vicflora-iridaceae-genera-subkeys.csv", 106, 10, 7},
        {"vicflora-rosaceae-genera-subkeys.tsv", 130, 9, 14},
        {"vicflora-polygonaceae-genera-subkey-first.csv", 80, 6, 1},
        {"vicflora-crassulaceae-genera-subkeys.tsv", 66, 3, 5},
        {"vicflora-acacia-species-subkeys.csv", 308, 3, 0},
        {"vicflora-grevillea-species.tsv", 134, 0, 0},
        {"vicflora-atriplex-species-subkeys.csv", 64, 4, 0},
    };
    for (const auto& c : cases) {
        const Imported first = importAndProcess(keyBaseFile(c.file));
        ASSERT_FALSE(first.key.error) << c.file;
        EXPECT_TRUE(first.key.warnings.empty()) << c.file << ": " << first.key.warnings.front();
        std::size_t headings = 0, shortcuts = 0;
        for (const std::string& line : first.key.text) {
            headings += line.starts_with(kLinkedKeyPrefix);
            shortcuts += line.ends_with("}");
        }
        EXPECT_EQ(first.key.text.size() - headings, c.rows) << c.file;
        EXPECT_EQ(headings, c.linkedKeys) << c.file;
        EXPECT_EQ(shortcuts, c.shortcuts) << c.file;
        ASSERT_EQ(first.result.outcome, RunOutcome::Success) << c.file;
        EXPECT_FALSE(hasErreur(first.result.findings)) << c.file << ": " << first.result.findings.front().text;
        for (const ExportFormat format : {ExportFormat::KeyBaseCsv, ExportFormat::KeyBaseTsv}) {
            const Exported exported = exportKey(first.table, format, "");
            ASSERT_FALSE(exported.failure) << c.file << ": " << *exported.failure;
            const Imported second = importAndProcess(exported.bytes);
            EXPECT_TRUE(second.key.warnings.empty()) << c.file;
            EXPECT_EQ(second.key.text, first.key.text) << c.file;
        }
    }
}

// KeyBase's examples of faulty keys: each fault named in the file's own
// couplet numbers and lines.
TEST(KeyBaseFiles, FaultExamplesInTheFilesOwnTerms) {
    using K = FindingKind;
    const struct {
        const char* file;
        FindingKind kind;
        const char* couplet;
        int line;  // of the file, from 1
        const char* textHas;
    } cases[] = {
        {"key-import-loop-example.csv", K::Loop, "3", 7, "3 -> 4 -> 6 -> 3"},
        {"key-import-dead-end-example.csv", K::MissingCouplet, "6", 11, "Renvoi au couplet 7, qui n'existe pas"},
        {"key-import-orphan-example.csv", K::UnreachableCouplet, "6", 12, "Aucune entrée ne renvoie au couplet 6"},
        {"key-import-reticulation-example.csv", K::SharedCouplet, "2", 10, "Le couplet 2 est atteint depuis 2 couplets (1, 6)"},
        {"key-import-singleton-example.csv", K::SingleLead, "4", 8, "Le couplet 4 n'a qu'une entrée"},
        {"key-import-polytomy-example.csv", K::ManyLeads, "5", 10, "Le couplet 5 a 3 entrées"},
    };
    for (const auto& c : cases) {
        const Imported imported = importAndProcess(keyBaseFile(c.file));
        const auto found = std::find_if(imported.result.findings.begin(), imported.result.findings.end(),
                                        [&](const Finding& f) { return f.kind == c.kind; });
        ASSERT_NE(found, imported.result.findings.end()) << c.file;
        if (*c.couplet) {
            EXPECT_EQ(found->couplet, c.couplet) << c.file;
        }
        if (c.line) {
            EXPECT_EQ(imported.key.fileLines.at(static_cast<std::size_t>(found->line)), c.line) << c.file;
        }
        EXPECT_NE(found->text.find(c.textHas), std::string::npos) << c.file << ": " << found->text;
    }
}

TEST(KeyBaseFiles, ChainedShortcutsKeepTheFirst) {
    const ImportedKey imported = importKeyBase(keyBaseFile("key-import-double-shortcut-example.csv"));
    EXPECT_EQ(imported.warnings, (Lines{"Ligne 2 : raccourcis enchaînés : seul le premier est gardé, « Brachychiton "
                                        "populneus subsp. populneus » ignoré"}));
    EXPECT_TRUE(imported.text.front().ends_with("=> Brachychiton {Brachychiton populneus}"));
}

TEST(KeyBaseFiles, KnownByTheirName) {
    for (const char* name : {"cle.csv", "CLE.TSV", "a/b.Csv", "dl/keybase_export_3854_1700000000.txt"})
        EXPECT_TRUE(isKeyBaseFileName(name)) << name;
    for (const char* name : {"cle.txt", "csv", "cle.csv.bak", "", "keybase_export_1.txt.bak"})
        EXPECT_FALSE(isKeyBaseFileName(name)) << name;
}

TEST(BareNames, WhatABookAddsToANameGoes) {
    const struct {
        const char* determination;
        const char* bare;
    } cases[] = {
        {"Amanita muscaria", "Amanita muscaria"},
        {"Amanita muscaria (L.) Lam.", "Amanita muscaria"},
        {"12. Amanita muscaria (L.) Lam., p. 52", "Amanita muscaria"},
        {"*Aplantella glabra J.Bloggs", "Aplantella glabra"},
        {"Lepiota p. 77", "Lepiota"},
        {"Russula (12)", "Russula"},
        {"Eucalyptus viminalis subsp. pryoriana (L.A.S.Johnson) Brooker & Slee", "Eucalyptus viminalis subsp. pryoriana"},
        {"Family Group 1", "Family Group 1"},
        {"Groupe 2", "Groupe 2"},
        {"Arctostaphylos uva-ursi (L.) Spreng.", "Arctostaphylos uva-ursi"},
        {"Cercis {Cercis occidentalis Torr.}", "Cercis {Cercis occidentalis}"},
    };
    for (const auto& c : cases) EXPECT_EQ(bareName(c.determination), c.bare) << c.determination;
}
