// sarvelo-cli with KeyBase files as keys and --exporter.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "support/cli_run.hpp"

namespace {

using sarvelo::testing::cli;
using sarvelo::testing::CliRun;
using sarvelo::testing::readFile;
using sarvelo::testing::runProgram;
using sarvelo::testing::tempPath;
using sarvelo::testing::writeFile;

}  // namespace

TEST(CliExport, AKeyBaseFileIsProcessedWithoutConfigurationAndExported) {
    writeFile(tempPath("cle.csv"), "12;Chapeau rouge;14\n12;Chapeau blanc;Amanita alba\n14;Lames libres;Lepiota\n"
                           "14;Lames adn\xE9" "es;Tricholoma\n");
    const CliRun run = cli(tempPath("cle.csv") + " -o " + tempPath("cle.cle") + " --exporter tsv " + tempPath("cle.tsv") +
                        " -e html " + tempPath("cle.html") + " --titre 'Lépiotes & Cie'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("cle.cle")), "1,2$ Chapeau rouge\n1,0$ Chapeau blanc $ Amanita alba\n"
                                     "2,0$ Lames libres $ Lepiota\n2,0$ Lames adnées $ Tricholoma\n");
    EXPECT_EQ(readFile(tempPath("cle.tsv")), "from\tstatement\tto\n1\t\"Chapeau rouge\"\t2\n1\t\"Chapeau blanc\"\t\"Amanita alba\"\n"
                                     "2\t\"Lames libres\"\tLepiota\n2\t\"Lames adnées\"\tTricholoma\n");
    EXPECT_NE(readFile(tempPath("cle.html")).find("<h1>Lépiotes &amp; Cie</h1>"), std::string::npos);
}

// Standard input read as KeyBase, findings in the file's own couplets and
// lines, names bared and formula cells guarded on request.
TEST(CliExport, KeyBaseFromStandardInputWithItsOwnTerms) {
    const std::string loop = "from,statement,to\n1,Chapeau rouge,2\n1,Chapeau blanc,3\n2,Pied court,Lepiota\n"
                             "2,Pied long,Amanita\n3,Lames libres,6\n3,Lames serrées,Russula\n6,Anneau,3\n6,Volve,Inocybe\n";
    writeFile(tempPath("boucle.txt"), loop);
    CliRun run = cli("--keybase - -e csv " + tempPath("sortie.csv"), "cat " + tempPath("boucle.txt") + " | ");
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find("erreur : ligne 6 (rang 5, couplet 3) : Boucle : Les renvois reviennent au couplet 3 : 3 -> 6 -> 3"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(cli(tempPath("boucle.txt") + " -o " + tempPath("x.cle")).status, 2);  // a .txt is no KeyBase file by its name

    writeFile(tempPath("noms.csv"), "1,=Chapeau rouge,Amanita muscaria (L.) Lam. p. 52\n1,Chapeau blanc,Group 1\n");
    run = cli(tempPath("noms.csv") + " --noms-seuls -e csv " + tempPath("noms-out.csv"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("noms-out.csv")),
              "from,statement,to\n1,\"=Chapeau rouge\",\"Amanita muscaria\"\n1,\"Chapeau blanc\",\"Group 1\"\n");
    EXPECT_NE(run.err.find(tempPath("noms-out.csv") + ": Rang 1 : « =Chapeau rouge » : cellule lue comme une formule"),
              std::string::npos)
        << run.err;
    run = cli(tempPath("noms.csv") + " --tableur -e tsv " + tempPath("sur.tsv"));
    EXPECT_EQ(run.err.find("formule"), std::string::npos) << run.err;
    EXPECT_NE(readFile(tempPath("sur.tsv")).find("\"'=Chapeau rouge\""), std::string::npos);
}

// A taxon keyed out in several places is normal (six in these keys: Lepus
// americanus from three couplets, five others from two): one summary line,
// or one line each when asked.
TEST(CliExport, RepeatedTaxaSummedUpUnlessAsked) {
    const std::string key = std::string(SARVELO_TEST_DATA_DIR) + "/keybase/hall-1951-lagomorpha-subkeys.tsv";
    EXPECT_EQ(cli(key + " -v " + tempPath("un.txt")).status, 0);
    EXPECT_TRUE(readFile(tempPath("un.txt")).starts_with("Vérification de la clé : aucune erreur, 1 avertissement\n"));
    EXPECT_EQ(cli(key + " --chaque-repetee -v " + tempPath("tous.txt")).status, 0);
    EXPECT_TRUE(readFile(tempPath("tous.txt")).starts_with("Vérification de la clé : aucune erreur, 6 avertissements\n"));
}

TEST(CliExport, BadRequestsAndKeysWithErrorsWriteNothing) {
    writeFile(tempPath("doute.csv"), "1,Chapeau rouge,\n1,Chapeau blanc,Amanita\n");
    CliRun run = cli(tempPath("doute.csv") + " -e csv " + tempPath("jamais.csv"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(tempPath("doute.csv") + ": Ligne 1 : pas de destination"), std::string::npos) << run.err;
    EXPECT_TRUE(readFile(tempPath("jamais.csv")).empty());

    run = cli(tempPath("doute.csv") + " --exporter odt " + tempPath("jamais.odt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--exporter attend un format parmi csv, tsv, html, crochets, indentee"), std::string::npos);
    EXPECT_EQ(cli(tempPath("doute.csv") + " --exporter csv").status, 2);
    writeFile(tempPath("vide.tsv"), "\n\n");
    EXPECT_EQ(cli(tempPath("vide.tsv")).status, 2);
}

// The PDF formats come from a module beside the program: a program copied
// without it still runs, and a PDF asked of it fails with nothing written.
TEST(CliExport, PdfWithoutItsModuleFailsAndWritesNothing) {
    const std::string alone = tempPath("sarvelo-cli");
    std::ifstream in(SARVELO_CLI, std::ios::binary);
    std::ofstream(alone, std::ios::binary) << in.rdbuf();
    ASSERT_EQ(::chmod(alone.c_str(), 0755), 0);
    writeFile(tempPath("cle.txt"), "1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita\n"
                                   "2. Lames libres => Lepiota\n2. Lames adnées => Tricholoma\n");
    writeFile(tempPath("conf.txt"), sarvelo::testing::kEllipsisConfig);
    const std::string args = tempPath("cle.txt") + " -c " + tempPath("conf.txt") + " -o " + tempPath("cle.cle");
    EXPECT_EQ(runProgram(alone, args).status, 0);
    std::remove(tempPath("cle.cle").c_str());
    const CliRun run = runProgram(alone, args + " -e pdf " + tempPath("cle.pdf"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("le module PDF de sarvelo-cli est introuvable ; aucun fichier écrit"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::ifstream(tempPath("cle.pdf")).good());
    EXPECT_FALSE(std::ifstream(tempPath("cle.cle")).good());
}

// A document whose leads hold line breaks and a NUL: every output keeps one
// entry a line; the printed key is also written as PDF.
TEST(CliExport, LineBreaksInsideLeadsAndPdfKeys) {
    writeFile(tempPath("sauts.txt"), R"({\rtf1 1. Chapeau\line rouge\u10?vif ... 2\par 1. Chapeau\u0?blanc => Amanita\par )"
                                     R"(2. Lames libres => Lepiota\par 2. Lames adn\'e9es\u13?serr\'e9es => Tricholoma\par})");
    writeFile(tempPath("conf.txt"), "[Format] 0\n[Separ1] . \n[format_renvois] 1\n[Separ2]  ...\n[Car_maxi] 2\n"
                                    "[Liste_separ_3] =>\n");
    const CliRun run = cli(tempPath("sauts.txt") + " -c " + tempPath("conf.txt") + " -o " + tempPath("sauts.cle") +
                           " -e crochets " + tempPath("sauts-crochets.txt") + " -e crochets-pdf " +
                           tempPath("sauts.pdf") + " --renvois-arriere --titre Agarics");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("sauts.cle")), "1,2$ Chapeau rouge vif\n1,0$ Chapeau blanc $ Amanita\n"
                                               "2,0$ Lames libres $ Lepiota\n2,0$ Lames adnées serrées $ Tricholoma\n");
    const std::string bracketed = readFile(tempPath("sauts-crochets.txt"));
    EXPECT_EQ(std::count(bracketed.begin(), bracketed.end(), '\n'), 4);
    EXPECT_NE(bracketed.find("2(1). Lames libres"), std::string::npos);
    EXPECT_EQ(readFile(tempPath("sauts.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(cli(tempPath("sauts.txt") + " -c " + tempPath("conf.txt") + " --langue de").status, 2);
}
