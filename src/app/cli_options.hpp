// The command line of sarvelo-cli: what it asks for, read by CLI11 from one
// table of options (cli_options.cpp), each with its help text and its check.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "interchange/formats.hpp"

namespace sarvelo::cli {

struct Options {
    std::string keyFile;
    std::string configFile;
    std::string finishedKeyFile;
    std::string tableFile;
    std::string treeFile;
    std::string checksFile;
    bool checksTsv = false;
    std::vector<std::pair<const interchange::FormatInfo*, std::string>> exports;
    interchange::ExportOptions exportOptions;  // --titre, --source, --auteur, --langue, --renvois-arriere
    std::string documentFile;
    bool ordered = false;
    bool nestedYes = false;
    bool partial = false;
    bool quiet = false;
    bool indented = false;
    std::string convertedFile;
    int tabWidth = 8;
    bool detect = false;
    bool keyBase = false;             // the key is a KeyBase file whatever its name
    bool everyRepeatedTaxon = false;  // a finding for each repeated determination
};

// The files the options ask to write, "-" for standard output.
std::vector<std::string> outputPaths(const Options& options);
bool writesToStandardOutput(const Options& options);

// What the command line asks: options to run with, or an exit at once with a
// text for standard output (--help, --version) or an error line (status 2).
struct CommandLine {
    Options options;
    std::optional<int> exitStatus;
    std::string output;
    std::string error;
};

CommandLine parseCommandLine(const std::vector<std::string>& args);
CommandLine parseCommandLine(int argc, const char* const* argv);

// The text of --help, laid out from the table of options.
std::string usageText();
// The text of --version: the program, its version and the build date.
std::string versionText(const char* program = "sarvelo-cli");

}  // namespace sarvelo::cli
