// Runs the sarvelo-cli program on small files and checks what it writes and
// the exit status a script would see.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_run.hpp"

namespace {

using sarvelo::testing::cli;
using sarvelo::testing::CliRun;
using sarvelo::testing::readFile;
using sarvelo::testing::tempPath;
using sarvelo::testing::writeFile;

const char* kConfig = sarvelo::testing::kEllipsisConfig;

}  // namespace

TEST(Cli, ProcessesAKeyAndWritesTheFinishedKeyInOrder) {
    // Windows-1252 text with a continuation line and a blank line.
    writeFile(tempPath("key.txt"),
              "5. Chapeau rouge ... 9\n5. Chapeau blanc => Amanita alba\n\n"
              "9. Lames libres,\n\xE9troites => Lepiota\n9. Lames adn\xE9" "es => Tricholoma\n");
    writeFile(tempPath("conf.txt"), kConfig);
    const CliRun run = cli(tempPath("key.txt") + " -c " + tempPath("conf.txt") + " -o " + tempPath("out.cle") +
                        " --en-ordre -t " + tempPath("table.tsv") + " -a " + tempPath("tree.txt"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("out.cle")),
              "1,0$ Chapeau blanc $ Amanita alba\n1,2$ Chapeau rouge\n"
              "2,0$ Lames adnées $ Tricholoma\n2,0$ Lames libres, étroites $ Lepiota\n");
    const std::string table = readFile(tempPath("table.tsv"));
    EXPECT_EQ(table.substr(0, table.find('\n')), "Nb\tsepar.\ttexte\tsepar.\tDef ou renvois");
    EXPECT_NE(table.find("1\t1\tChapeau rouge\t->\t2"), std::string::npos);
    const std::string tree = readFile(tempPath("tree.txt"));
    EXPECT_EQ(tree.substr(0, 2), "1\n");
    EXPECT_NE(tree.find("  2\n"), std::string::npos);
}

// The table file escapes what would break its rows and columns, wherever it stands in a cell.
TEST(Cli, TableFileEscapesBackslashesInsideLongCells) {
    writeFile(tempPath("barre.txt"), "1. Chapeau rouge, avec une \\ au milieu ... 2\n1. Chapeau blanc => Amanita\n"
                                     "2. Pied\\ => Lepiota\n2. Pied long => Inocybe\n");
    writeFile(tempPath("conf.txt"), kConfig);
    const CliRun run = cli(tempPath("barre.txt") + " -c " + tempPath("conf.txt") + " -t " + tempPath("barre.tsv"));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string table = readFile(tempPath("barre.tsv"));
    EXPECT_NE(table.find("\t1\tChapeau rouge, avec une \\\\ au milieu\t->\t2\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\tPied\\\\\t=>\tLepiota\n"), std::string::npos) << table;
}

// UTF-8 with one damaged byte: read as UTF-8, the byte shown as U+FFFD and counted.
TEST(Cli, AUtf8KeyWithABadByteKeepsItsCharactersAndSaysSo) {
    writeFile(tempPath("abime.txt"), "1. Chapeau serr\xC3\xA9 ... 2\n1. Chapeau \xC3\xA9troit => Amanita\n"
                                     "2. Pied \xFF => Lepiota\n2. Pied long => Inocybe\n");
    writeFile(tempPath("conf.txt"), kConfig);
    const CliRun run = cli(tempPath("abime.txt") + " -c " + tempPath("conf.txt") + " -o " + tempPath("abime.cle"));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string key = readFile(tempPath("abime.cle"));
    EXPECT_NE(key.find("Chapeau serré"), std::string::npos) << key;
    EXPECT_NE(key.find("Pied \xEF\xBF\xBD $ Lepiota"), std::string::npos) << key;
    EXPECT_NE(run.err.find("1 octet qui n'est pas de l'UTF-8 a été lu comme \"\xEF\xBF\xBD\""), std::string::npos)
        << run.err;
}

TEST(Cli, KeyErrorsGiveStatusOneAndNameTheUsersLines) {
    writeFile(tempPath("bad.txt"), "1. Chapeau rouge ... 2\n\n\n1. Chapeau blanc ... 1\n2. Pied => Amanita\n");
    writeFile(tempPath("conf.txt"), kConfig);
    const CliRun run = cli(tempPath("bad.txt") + " -c " + tempPath("conf.txt") + " -q -o " + tempPath("none.cle"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("erreur : ligne 4 (rang 2, couplet 1) : Rang en erreur"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("ligne 5 (rang 3, couplet 2) : Rang en erreur"), std::string::npos) << run.err;
}

TEST(Cli, UnusableInputGivesStatusTwoWithOneLineNamingTheFile) {
    writeFile(tempPath("conf.txt"), kConfig);
    CliRun run = cli("/nonexistent/key.txt -c " + tempPath("conf.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("/nonexistent/key.txt"), std::string::npos);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);

    writeFile(tempPath("key.txt"), "1. a => b\n");
    writeFile(tempPath("badconf.txt"), "[Format] deux\n");
    run = cli(tempPath("key.txt") + " -c " + tempPath("badconf.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("'deux' n'est pas une valeur entière correcte"), std::string::npos) << run.err;

    writeFile(tempPath("noseparator.txt"), "[Format] 0\n");
    run = cli(tempPath("key.txt") + " -c " + tempPath("noseparator.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Liste de séparateur pour définition vide"), std::string::npos);

    EXPECT_EQ(cli("--nimporte").status, 2);
    EXPECT_EQ(cli("--help").status, 0);
}

TEST(Cli, IndentedKeyIsConvertedProcessedAndKeptAsAReusableFile) {
    writeFile(tempPath("indented.txt"), "Spores white\n\tGills free\tAmanita\n\tGills attached\tTricholoma\n"
                                        "Spores pink ........ Pluteus\n");
    CliRun run = cli("--indentee " + tempPath("indented.txt") + " -q -o " + tempPath("indented.cle") + " --convertie " +
                     tempPath("converted.txt"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string finished = readFile(tempPath("indented.cle"));
    EXPECT_EQ(finished, "1,2$ Spores white\n1,0$ Spores pink $ Pluteus\n2,0$ Gills free $ Amanita\n"
                        "2,0$ Gills attached $ Tricholoma\n");
    // The converted file is its own key and configuration.
    run = cli(tempPath("converted.txt") + " -c " + tempPath("converted.txt") + " -q -o " + tempPath("again.cle"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("again.cle")), finished);

    writeFile(tempPath("flat.txt"), "Chapeau rouge.\nChapeau blanc.\n");
    run = cli("-i " + tempPath("flat.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("pas une clé indentée"), std::string::npos) << run.err;
    EXPECT_EQ(cli("-i " + tempPath("indented.txt") + " -c " + tempPath("conf.txt")).status, 2);
}

TEST(Cli, KeyCheckFindingsGiveStatusThreeAndAReport) {
    // Couplet 3 is out of reach; the key is processed without error rows.
    writeFile(tempPath("unreachable.txt"), "1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita\n"
                                           "2. Pied court => Lepiota\n2. Pied long => Inocybe\n"
                                           "3. Lames libres => Russula\n3. Lames serrées => Hygrophorus\n");
    writeFile(tempPath("conf.txt"), kConfig);
    std::remove(tempPath("three.cle").c_str());
    const std::string args = tempPath("unreachable.txt") + " -c " + tempPath("conf.txt");
    const CliRun run = cli(args + " -o " + tempPath("three.cle"));
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("erreur : ligne 5 (rang 5, couplet 3) : Couplet inaccessible : "), std::string::npos) << run.err;
    EXPECT_FALSE(readFile(tempPath("three.cle")).empty());

    std::remove(tempPath("none.cle").c_str());
    EXPECT_EQ(cli(args + " -v " + tempPath("report.txt") + " -o " + tempPath("none.cle")).status, 3);
    const std::string report = readFile(tempPath("report.txt"));
    EXPECT_EQ(report.substr(0, report.find('\n')), "Vérification de la clé : 1 erreur, aucun avertissement");
    EXPECT_TRUE(readFile(tempPath("none.cle")).empty());

    EXPECT_EQ(cli(args + " -v " + tempPath("report.tsv") + " --tsv").status, 3);
    const std::string tsv = readFile(tempPath("report.tsv"));
    EXPECT_EQ(tsv.substr(0, tsv.find('\n')), "niveau\tgenre\tcouplet\trang\tligne\ttexte");
    EXPECT_NE(tsv.find("\nerreur\tcouplet_inaccessible\t3\t5\t5\tAucune entrée ne renvoie au couplet 3"),
              std::string::npos) << tsv;
}

TEST(Cli, EverySourceOfInputHasOneLimitAndItsOwnMessage) {
    writeFile(tempPath("conf.txt"), kConfig);
    const std::string conf = " -c " + tempPath("conf.txt");
    const std::string fifo = tempPath("key.fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(std::system(("mkfifo " + fifo).c_str()), 0);
    struct Case {
        std::string args, before, message;
        int status;
    };
    const std::vector<Case> cases{
        {testing::TempDir() + conf, "", "c'est un dossier", 2},
        {"/dev/zero" + conf, "", "fichier binaire", 2},
        {"-" + conf, "", "fichier binaire", 2},  // standard input from /dev/zero, below
        {"-" + conf, "yes aaaaaaa | head -c 70000000 | ", "trop volumineux (plus de 64 Mo)", 2},
        {fifo + conf + " -o " + tempPath("fifo.cle"), "(printf '1. a => b\\n1. c => d\\n' > " + fifo + " &); ", "", 0},
        {tempPath("conf.txt") + conf + " -o ''", "", "attend un nom de fichier", 2},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string input = i == 2 ? " < /dev/zero" : "";
        const CliRun run = cli(c.args + input, c.before);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << "\n" << run.err;
    }
    EXPECT_EQ(readFile(tempPath("fifo.cle")), "1,0$ a $ b\n1,0$ c $ d\n");
    std::remove(fifo.c_str());
}

TEST(Cli, AFailedWriteKeepsTheEarlierFile) {
    std::string key;
    for (int c = 1; c <= 100; ++c) key += std::to_string(c) + ". Chapeau rouge => Amanita\n";
    writeFile(tempPath("key.txt"), key);
    writeFile(tempPath("conf.txt"), kConfig);
    const std::string earlier(4096, 'x');
    writeFile(tempPath("kept.tsv"), earlier);
    // A file-size limit of one block: the write fails (with the signal ignored).
    const CliRun run = cli(tempPath("key.txt") + " -c " + tempPath("conf.txt") + " -t " + tempPath("kept.tsv"),
                           "trap '' XFSZ; ulimit -f 1; ");
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("écriture impossible"), std::string::npos) << run.err;
    EXPECT_TRUE(readFile(tempPath("kept.tsv")) == earlier);
}

TEST(Cli, HandWrittenConfigurationsGoOverTheStartUpValues) {
    // No [Format] and no [Sans_numero]: the start-up values apply. Old Mac
    // line ends in both files.
    writeFile(tempPath("cr.txt"), "1. Chapeau rouge ... 2\r1. Chapeau blanc => Amanita\r2. Pied => Lepiota\r"
                                  "2. Pied nu => Russula\r");
    writeFile(tempPath("short.txt"), "[Separ1] . \r[Separ2]  ...\r[format_renvois] 1\r[Car_maxi] 2\r[Liste_separ_3] =>\r");
    CliRun run = cli(tempPath("cr.txt") + " -c " + tempPath("short.txt") + " -o " + tempPath("cr.cle"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("cr.cle")), "1,2$ Chapeau rouge\n1,0$ Chapeau blanc $ Amanita\n"
                                            "2,0$ Pied $ Lepiota\n2,0$ Pied nu $ Russula\n");

    // A description of blanks only is empty once tidied: an error, and no finished key.
    writeFile(tempPath("blank.txt"), "1.    \t ... 2\n1. Chapeau blanc => Amanita\n2. Pied => Lepiota\n"
                                     "2. Pied nu => Russula\n");
    std::remove(tempPath("blank.cle").c_str());
    run = cli(tempPath("blank.txt") + " -c " + tempPath("short.txt") + " -o " + tempPath("blank.cle"));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("ligne 1"), std::string::npos) << run.err;
    EXPECT_FALSE(std::ifstream(tempPath("blank.cle")).good());
}

TEST(Cli, WritesAKeyDocumentAndProcessesOne) {
    writeFile(tempPath("doc_key.txt"), "1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita alba\n2. Pied => Boletus\n"
                                      "2. Pied nu => Russula\n");
    writeFile(tempPath("doc_conf.txt"), kConfig);
    CliRun run = cli(tempPath("doc_key.txt") + " -q -c " + tempPath("doc_conf.txt") + " --document " + tempPath("cle.Sarvelo"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string document = readFile(tempPath("cle.Sarvelo"));
    EXPECT_EQ(document.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(document.find("Configuration pour Sarvelo\\par"), std::string::npos);
    EXPECT_NE(document.find("[Liste_separ_3] =>\\par"), std::string::npos);

    // The document alone: its own key text and parameters.
    run = cli(tempPath("cle.Sarvelo") + " -q -o " + tempPath("doc.cle"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(tempPath("doc.cle")), "1,2$ Chapeau rouge\n1,0$ Chapeau blanc $ Amanita alba\n2,0$ Pied $ Boletus\n"
                                            "2,0$ Pied nu $ Russula\n");

    // A key without a configuration of its own needs --config.
    EXPECT_EQ(cli(tempPath("doc_key.txt")).status, 2);
}
