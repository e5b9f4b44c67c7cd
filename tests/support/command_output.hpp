// What a shell command writes to its standard output (tools the tests read
// files back with: a browser, poppler).
#pragma once

#include <cstdio>
#include <string>

namespace sarvelo::testing {

inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

}  // namespace sarvelo::testing
