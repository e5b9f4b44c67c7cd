// A key document on any bytes: read, split, its configuration applied; the
// parameters it gave, saved and read again, must come back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/config_entries.hpp"
#include "documents/key_document.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sarvelo;
    const auto document = readKeyDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!document) return 0;
    KeyParams params;
    (void)applyConfiguration(params, document->configuration);
    const auto back = readKeyDocument(keyDocumentRtf(document->keyText, params));
    if (!back || back->keyText != document->keyText) std::abort();
    KeyParams read;
    if (applyConfiguration(read, back->configuration)) std::abort();
    for (const auto& info : paramInfos())
        if (!sameValue(read, params, info)) std::abort();
    return 0;
}
