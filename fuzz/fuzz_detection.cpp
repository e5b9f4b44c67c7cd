// Layout detection on any text (read as a file would be): it must end, never
// change the text, and give proposals best first whose parameters process.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/encoding.hpp"
#include "engine/text.hpp"
#include "layout/detection.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sarvelo;
    const std::string input = decodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    const Lines text = text::splitLines(input);
    const Lines copy = text;
    const LayoutDetection d = detectLayout(text);
    if (text != copy) std::abort();
    // The first is one no other beats, where the proposals hold one.
    const auto beaten = [&](const LayoutProposal& p) {
        return std::ranges::any_of(d.proposals, [&](const LayoutProposal& q) { return betterScore(q.score, p.score); });
    };
    if (!d.proposals.empty() && beaten(d.proposals.front()) && !std::ranges::all_of(d.proposals, beaten)) std::abort();
    for (const auto& p : d.proposals)
        if (!p.convertsIndented && !preconditionMet(p.params)) std::abort();
    return 0;
}
