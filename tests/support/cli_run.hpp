// Running sarvelo-cli from a test: files of the test's own, and the exit
// status and standard error a script would see.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace sarvelo::testing {

// Per test: ctest runs the tests side by side in parallel processes.
inline std::string tempPath(const std::string& name) {
    return ::testing::TempDir() + "sarvelo_cli_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
           "_" + name;
}

inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Layout "12. Description ... 13" with determinations after "=>".
inline const char* kEllipsisConfig =
    "[Format] 0\n[Separ1] . \n[format_renvois] 1\n[Separ2]  ...\n[Car_maxi] 2\n"
    "[Liste_separ_3] =>\n[Sans_numero] 0\n";

struct CliRun {
    int status;
    std::string err;
    std::string out;
};

// `before` is shell text put in front of the program (a pipe, a limit).
inline CliRun runProgram(const std::string& program, const std::string& args, const std::string& before = "") {
    const std::string errPath = tempPath("stderr.txt");
    const std::string outPath = tempPath("stdout.txt");
    const std::string command = before + program + " " + args + " 2>" + errPath + " >" + outPath;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(errPath), readFile(outPath)};
}

inline CliRun cli(const std::string& args, const std::string& before = "") { return runProgram(SARVELO_CLI, args, before); }

}  // namespace sarvelo::testing
