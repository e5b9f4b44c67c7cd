// The RTF reader on any bytes, then the writer on what it read: what the
// writer gives must read back as the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/rich_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sarvelo;
    const RtfReading first = readRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.wasRtf) return 0;  // plain text lines may hold a lone carriage return
    const RtfReading again = readRtf(writeRtf(first.text));
    if (!again.wasRtf || again.text != first.text) std::abort();
    return 0;
}
