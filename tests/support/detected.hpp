// The finished key a detected layout gives, processed as the window or the
// command line would process it.
#pragma once

#include "engine/detection.hpp"
#include "review/finished_key.hpp"

namespace sarvelo::testing {

// Empty when the proposal's run is not error-free.
inline std::vector<std::string> finishedKeyOf(const Lines& text, const LayoutProposal& proposal) {
    KeyParams p = proposal.params;
    const Lines lines = proposal.convertsIndented ? convertIndentedKey(text).lines : text;
    ResultTable table;
    Host host;
    if (runProcessing(lines, p, table, host).outcome != RunOutcome::Success) return {};
    return finishedKeyLines(table);
}

}  // namespace sarvelo::testing
