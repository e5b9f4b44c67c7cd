// What sarvelo-cli writes agrees with its exit status: the requested files are
// written together or not at all, and standard output carries one output.
#include <gtest/gtest.h>

#include <filesystem>
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
// Processes without error; the checks find a reference to a missing couplet.
const char* kMissingCouplet =
    "1. Chapeau rouge ... 2\n1. Chapeau blanc ... 7\n2. Pied bulbeux => Amanita\n2. Pied grêle => Lepiota\n";
// Exportable; the checks find couplet 3 unreachable.
const char* kUnreachable = "1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita\n2. Pied bulbeux => Boletus\n"
                           "2. Pied grêle => Lepiota\n3. Lames libres => Russula\n3. Lames adnées => Lactarius\n";
const char* kSound = "1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita\n2. Pied bulbeux => Boletus\n"
                     "2. Pied grêle => Lepiota\n";

bool exists(const std::string& name) { return std::filesystem::exists(tempPath(name)); }

TEST(CliOutputs, AreWrittenTogetherOrNoneWithTheFindingsListed) {
    struct Case {
        const char* key;
        std::string extra;
        const char* exported;
        int status;
        bool written;
    };
    const Case cases[] = {
        {kMissingCouplet, "", nullptr, 3, true},
        {kUnreachable, " -e csv " + tempPath("m.csv") + " -e html " + tempPath("m.html"), "m.html", 3, true},
        // No export leads to a missing couplet: nothing is written.
        {kMissingCouplet, " -e html " + tempPath("m.html"), "m.html", 2, false},
        {kSound, " -e html " + tempPath("m.html"), "m.html", 0, true},
        {kSound, " -e csv /nonexistent/dossier/m.csv", nullptr, 2, false},
    };
    for (const Case& c : cases) {
        for (const char* name : {"m.cle", "m.tab", "m.tree", "m.csv", "m.html"})
            std::filesystem::remove(tempPath(name));
        writeFile(tempPath("key.txt"), c.key);
        writeFile(tempPath("conf.txt"), kConfig);
        const CliRun run = cli(tempPath("key.txt") + " -q -c " + tempPath("conf.txt") + " -o " + tempPath("m.cle") +
                               " -t " + tempPath("m.tab") + " -a " + tempPath("m.tree") + c.extra);
        SCOPED_TRACE(c.extra);
        EXPECT_EQ(run.status, c.status) << run.err;
        for (const char* name : {"m.cle", "m.tab", "m.tree"}) EXPECT_EQ(exists(name), c.written) << name;
        if (c.exported) EXPECT_EQ(exists(c.exported), c.written);
        if (c.key != kSound) EXPECT_NE(run.err.find("erreur : ligne "), std::string::npos) << run.err;
        if (!c.written) EXPECT_NE(run.err.find("aucun fichier écrit"), std::string::npos) << run.err;
        // The files staged before the refusal leave nothing behind.
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(tempPath("m.cle")).parent_path()))
            for (const char* staged : {"m.cle.", "m.tab.", "m.tree."})
                EXPECT_NE(entry.path().string().rfind(tempPath(staged), 0), 0u) << entry.path();
    }
}

TEST(CliOutputs, StandardOutputCarriesOneOutputAndDetectedParametersGoAside) {
    writeFile(tempPath("key.txt"), kSound);
    writeFile(tempPath("conf.txt"), kConfig);
    CliRun run = cli(tempPath("key.txt") + " -c " + tempPath("conf.txt") + " -o - -e csv -");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("une seule sortie peut être \"-\""), std::string::npos) << run.err;

    for (const char* output : {"-e csv -", "-e html -", "-v -"}) {
        run = cli(tempPath("key.txt") + " -q --detecter " + output);
        SCOPED_TRACE(output);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.find("[Separ"), std::string::npos) << run.out;
        EXPECT_NE(run.err.find("[Liste_separ_3] =>"), std::string::npos) << run.err;
    }
    run = cli(tempPath("key.txt") + " -q --detecter -e html -");
    EXPECT_EQ(run.out.rfind("<!DOCTYPE", 0), 0u);
    // With no output on standard output, the parameters go there.
    run = cli(tempPath("key.txt") + " -q --detecter");
    EXPECT_NE(run.out.find("[Liste_separ_3] =>"), std::string::npos) << run.out;
}

TEST(CliOutputs, EmptyOrBlankKeyIsAnErrorWithNothingWritten) {
    writeFile(tempPath("conf.txt"), kConfig);
    for (const char* key : {"", "\n  \n\t\n"}) {
        writeFile(tempPath("key.txt"), key);
        std::filesystem::remove(tempPath("m.cle"));
        const CliRun run = cli(tempPath("key.txt") + " -c " + tempPath("conf.txt") + " -o " + tempPath("m.cle"));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("la clé est vide"), std::string::npos) << run.err;
        EXPECT_FALSE(exists("m.cle"));
    }
}

TEST(CliOutputs, SystemErrorsAndLackOfMemoryAreReportedInFrench) {
    writeFile(tempPath("conf.txt"), kConfig);
    CliRun run = cli("/nonexistent/key.txt -c " + tempPath("conf.txt"), "LANG=C LC_ALL=C ");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("(fichier ou dossier inexistant)"), std::string::npos) << run.err;

#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a limit on the address space stops the address sanitizer itself";
#else
    // A key of 10 MB under a 100 MB address space (Qt's libraries, mapped for the
    // PDF exports, take about 70 MB of it): the memory runs out in the run.
    std::string key;
    for (int i = 1; key.size() < 10'000'000; ++i)
        key += std::to_string(i) + ". Chapeau rouge et lames libres ... " + std::to_string(i + 1) + "\n" +
               std::to_string(i) + ". Chapeau blanc et pied bulbeux => Amanita alba\n";
    writeFile(tempPath("big.txt"), key);
    run = cli(tempPath("big.txt") + " -q -c " + tempPath("conf.txt") + " -t " + tempPath("m.tab"), "ulimit -v 100000; ");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("mémoire insuffisante"), std::string::npos) << run.err;
    EXPECT_FALSE(exists("m.tab"));
#endif
}

}  // namespace
