// Layout detection on any text (read as a file would be): it must end, never
// change the text, and give proposals best first whose parameters process.
#include <cstddef>
#include <cstdint>
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
    for (std::size_t i = 1; i < d.proposals.size(); ++i)
        if (betterScore(d.proposals[i].score, d.proposals[0].score)) std::abort();
    for (const auto& p : d.proposals)
        if (!p.convertsIndented && !preconditionMet(p.params)) std::abort();
    return 0;
}
