// The indented-key conversion on any text (read as a file would be); the
// first byte picks the tab width. A converted key is then processed with
// its own parameters, which must always accept it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/encoding.hpp"
#include "engine/text.hpp"
#include "layout/indented.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sarvelo;
    if (size == 0) return 0;
    const int tabWidth = data[0] % 16 + 1;
    const std::string input = decodeText(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    const IndentedKey key = convertIndentedKey(text::splitLines(input), tabWidth);
    if (!key.converted) return 0;
    KeyParams p;
    setIndentedKeyLayout(p);
    if (!preconditionMet(p)) std::abort();
    ResultTable table;
    Host host;
    runProcessing(key.lines, p, table, host);
    return 0;
}
