// The command line of sarvelo-cli: the usual conventions, and errors that name
// the option at fault.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/cli_options.hpp"
#include "components/build_date.hpp"
#include "support/cli_run.hpp"

namespace {

using sarvelo::cli::CommandLine;
using sarvelo::cli::parseCommandLine;

struct Accepted {
    std::vector<std::string> args;
    std::string keyFile, finishedKeyFile, title;
    bool quiet, partial;
};

TEST(CliOptions, ConventionalFormsGiveTheSameOptions) {
    const Accepted cases[] = {
        {{"--cle=fin.txt", "k.txt"}, "k.txt", "fin.txt", "", false, false},
        {{"--cle", "fin.txt", "k.txt"}, "k.txt", "fin.txt", "", false, false},
        {{"-o", "fin.txt", "k.txt"}, "k.txt", "fin.txt", "", false, false},
        {{"-ofin.txt", "k.txt"}, "k.txt", "fin.txt", "", false, false},
        // Grouped short options, the last one taking a value.
        {{"-qp", "k.txt"}, "k.txt", "", "", true, true},
        {{"-qpo", "fin.txt", "k.txt"}, "k.txt", "fin.txt", "", true, true},
        // "--" ends the options: a key file named like an option.
        {{"-q", "--", "-p"}, "-p", "", "", true, false},
        {{"--", "-"}, "-", "", "", false, false},
        {{"--titre=Clé des Amanites", "k.txt"}, "k.txt", "", "Clé des Amanites", false, false},
        {{"k.txt", "--titre", "A=B"}, "k.txt", "", "A=B", false, false},
        // The last occurrence of a value wins.
        {{"-o", "a", "-o", "b", "k.txt"}, "k.txt", "b", "", false, false},
    };
    for (const Accepted& c : cases) {
        const CommandLine line = parseCommandLine(c.args);
        SCOPED_TRACE(c.args.front());
        ASSERT_FALSE(line.exitStatus) << line.error;
        EXPECT_EQ(line.options.keyFile, c.keyFile);
        EXPECT_EQ(line.options.finishedKeyFile, c.finishedKeyFile);
        EXPECT_EQ(line.options.exportOptions.title, c.title);
        EXPECT_EQ(line.options.quiet, c.quiet);
        EXPECT_EQ(line.options.partial, c.partial);
    }
}

TEST(CliOptions, RepeatedExportsKeepTheirOrder) {
    const CommandLine line = parseCommandLine({"-e", "csv", "a.csv", "--exporter=html", "-", "k.txt"});
    ASSERT_FALSE(line.exitStatus) << line.error;
    ASSERT_EQ(line.options.exports.size(), 2u);
    EXPECT_EQ(line.options.exports[0].second, "a.csv");
    EXPECT_EQ(line.options.exports[1].second, "-");
}

TEST(CliOptions, ErrorsNameTheOptionAndStopWithStatusTwo) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"k.txt", "-o"}, "l'option --cle attend un nom de fichier"},
        {{"--cle=", "k.txt"}, "l'option --cle attend un nom de fichier"},
        {{"-o", "", "k.txt"}, "l'option --cle attend un nom de fichier"},
        {{"--titre", "", "k.txt"}, "l'option --titre attend un titre non vide"},
        {{"-e", "odt", "x", "k.txt"}, "l'option --exporter attend un format parmi csv"},
        {{"k.txt", "-e", "csv"}, "l'option --exporter attend un format et un nom de fichier"},
        {{"-r", "peut-être", "k.txt"}, "l'option --recursive attend oui ou non"},
        {{"--tabulation=0", "k.txt"}, "l'option --tabulation attend un nombre de 1 à 32"},
        {{"--nimporte", "k.txt"}, "option inconnue : --nimporte"},
        {{"-qz", "k.txt"}, "option inconnue : -z"},
        {{"--partiel=non", "k.txt"}, "l'option --partiel est mal employée"},
        {{"a.txt", "b.txt"}, "un seul fichier de clé est attendu"},
        {{"-q"}, "aucun fichier de clé"},
        {{"-i", "-c", "c.txt", "k.txt"}, "--indentee fournit ses propres paramètres"},
    };
    for (const auto& [args, message] : cases) {
        const CommandLine line = parseCommandLine(args);
        ASSERT_EQ(line.exitStatus, 2) << message;
        EXPECT_EQ(line.error.rfind("sarvelo-cli: " + message, 0), 0u) << line.error;
        EXPECT_TRUE(line.output.empty());
    }
}

TEST(CliOptions, HelpListsEveryOptionOnceAndVersionGivesTheBuildDate) {
    CommandLine line = parseCommandLine({"-q", "--help"});
    EXPECT_EQ(line.exitStatus, 0);
    EXPECT_EQ(line.output, sarvelo::cli::usageText());
    for (const char* name : {"--config", "--cle", "--en-ordre", "--exporter", "--detecter", "--version", "--help"}) {
        const std::regex entry("\n  (-., |    )" + std::string(name) + "[ \n]");
        EXPECT_EQ(std::distance(std::sregex_iterator(line.output.begin(), line.output.end(), entry),
                                std::sregex_iterator()),
                  1)
            << name;
    }

    line = parseCommandLine({"--version"});
    EXPECT_EQ(line.exitStatus, 0);
    const sarvelo::BuildDate d = sarvelo::buildDate();
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", d.day, d.month, d.year);
    EXPECT_EQ(line.output.rfind("sarvelo-cli ", 0), 0u);
    EXPECT_NE(line.output.find(std::string("compilé le ") + date), std::string::npos) << line.output;
}

// The desktop program answers --help and --version without a display, and
// names an option it does not know.
TEST(DesktopOptions, HelpVersionAndAnUnknownOption) {
    const struct {
        const char* args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {{"--help", 0, "Usage : sarvelo [options] [--] [FICHIER]", ""},
                 {"-h cle.Sarvelo", 0, "Usage : sarvelo", ""},
                 {"--version", 0, "sarvelo 1.0 (compilé le ", ""},
                 {"--inconnue", 2, "", "sarvelo: option inconnue : --inconnue (voir --help)"},
                 {"a.txt b.txt", 2, "", "sarvelo: un seul fichier est attendu (voir --help)"}};
    for (const auto& c : cases) {
        const auto run = sarvelo::testing::runProgram(SARVELO_DESKTOP, c.args, "QT_QPA_PLATFORM=offscreen ");
        EXPECT_EQ(run.status, c.status) << c.args << run.err;
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << c.args << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << run.err;
    }
}

}  // namespace
