// Running a whole processing run on a key text, for the tests.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "documents/config_entries.hpp"
#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo::testing {

struct Processed {
    ResultTable table;
    RunOutcome outcome = RunOutcome::PreconditionFailed;
    std::vector<Finding> findings;
};

inline Processed process(const std::vector<std::string>& lines, KeyParams params) {
    Processed out;
    Host host;
    RunResult run = runProcessing(lines, params, out.table, host);
    out.outcome = run.outcome;
    out.findings = std::move(run.findings);
    return out;
}

// The same with the parameters given as configuration lines.
inline Processed process(const std::vector<std::string>& lines, const std::vector<std::string>& configuration) {
    KeyParams params;
    applyConfiguration(params, configuration);
    return process(lines, params);
}

// A file of tests/data, as lines.
inline std::vector<std::string> testDataLines(const std::string& name) {
    std::ifstream in(std::string(SARVELO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return text::splitLines(s.str());
}

}  // namespace sarvelo::testing
