// sarvelo-cli --detecter: the parameters found, written so that --config
// reads them back, and the key processed with them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/cli_run.hpp"

using namespace sarvelo::testing;

namespace {

const char* kKey =
    "Clé des genres\n"
    "1. Chapeau blanc ........ 2\n"
    "\xE2\x80\x93 Chapeau brun ........ Boletus\n"
    "2. Lames libres ........ Amanita\n"
    "\xE2\x80\x93 Lames adnées ........ Tricholoma\n";

}  // namespace

TEST(CliDetection, WritesParametersThatConfigReadsBackAndProcessesWithThem) {
    writeFile(tempPath("key.txt"), kKey);
    const std::string command = std::string(SARVELO_CLI) + " " + tempPath("key.txt") + " --detecter -q > " +
                                tempPath("found.txt") + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string found = readFile(tempPath("found.txt"));
    EXPECT_NE(found.find("[meme_numero] \xE2\x80\x93\n"), std::string::npos) << found;
    EXPECT_NE(found.find("[Separ2] ..\n"), std::string::npos) << found;

    const CliRun detected = cli(tempPath("key.txt") + " --detecter -q -o " + tempPath("detected.cle"));
    const CliRun configured = cli(tempPath("key.txt") + " -c " + tempPath("found.txt") + " -q -o " + tempPath("configured.cle"));
    EXPECT_EQ(detected.status, 0) << detected.err;
    EXPECT_EQ(configured.status, 0) << configured.err;
    EXPECT_EQ(readFile(tempPath("detected.cle")),
              "1,2$  Chapeau blanc\n1,0$ Chapeau brun $ Boletus\n2,0$  Lames libres $ Amanita\n"
              "2,0$ Lames adnées $ Tricholoma\n");
    EXPECT_EQ(readFile(tempPath("configured.cle")), readFile(tempPath("detected.cle")));
}

TEST(CliDetection, NamesTheLinesWhenNothingProcessesAndRefusesAConfiguration) {
    writeFile(tempPath("prose.txt"), "Une page de texte,\nsans aucune clé.\n");
    const CliRun prose = cli(tempPath("prose.txt") + " --detecter");
    EXPECT_EQ(prose.status, 1);
    EXPECT_NE(prose.err.find("prose.txt:1: Aucune ligne ne commence par un numéro"), std::string::npos) << prose.err;

    writeFile(tempPath("conf.txt"), "[Liste_separ_3] =>\n");
    const CliRun both = cli(tempPath("prose.txt") + " --detecter -c " + tempPath("conf.txt"));
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("--detecter"), std::string::npos) << both.err;
}

TEST(CliDetection, AConvertedKeyIsTheDocumentsTextSoItReopensAndProcessesTheSame) {
    writeFile(tempPath("prose-key.txt"),
              "Key to the species of Plega\n1. Wings dark ........ 2\nWings pale ........ Plega alba\n"
              "2(1). Legs long ........ Plega nigra\nLegs short ........ Plega rufa\nNo known copyright restrictions apply.\n");
    const CliRun detected = cli(tempPath("prose-key.txt") + " --detecter -q -d " + tempPath("prose-key.Sarvelo") +
                                " -o " + tempPath("prose-key.cle"));
    ASSERT_EQ(detected.status, 0) << detected.err;
    EXPECT_NE(readFile(tempPath("prose-key.Sarvelo")).find("2. Legs long => Plega nigra"), std::string::npos);
    const CliRun reopened = cli(tempPath("prose-key.Sarvelo") + " -q -o " + tempPath("reopened.cle"));
    EXPECT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(readFile(tempPath("reopened.cle")), readFile(tempPath("prose-key.cle")));
    EXPECT_EQ(readFile(tempPath("reopened.cle")),
              "1,2$ Wings dark\n1,0$ Wings pale $ Plega alba\n2,0$ Legs long $ Plega nigra\n2,0$ Legs short $ Plega rufa\n");
}
