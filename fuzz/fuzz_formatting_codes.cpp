// The formatting codes and the character analysis over any RTF, with the
// code kinds and `debut` taken from the first two bytes; and UTF-16 decoding
// over the same bytes. Codes are only added: each line keeps its characters
// in order, and UTF-16 always gives valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/char_analysis.hpp"
#include "documents/encoding.hpp"
#include "documents/formatting_codes.hpp"
#include "engine/text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sarvelo;
    if (size < 2) return 0;
    KeyParams p;
    const unsigned flags = data[0];
    p.Le_gras = flags & 1;
    p.Plus_gras = flags & 2;
    p.Le_Souligne = flags & 4;
    p.plus_souligne = flags & 8;
    p.L_Italique = flags & 16;
    p.plus_italique = flags & 32;
    p.Couleur = flags & 64;
    p.Decalage = flags & 128;
    p.debut = data[1] % 101;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    if (!isValidUtf8(utf16ToUtf8(bytes))) std::abort();

    const RichText text = readRtf(bytes).text;
    const std::vector<CodeInsertion> codes = formattingCodes(text, p);
    const RichText coded = withFormattingCodes(text, codes);
    if (coded.paragraphs.size() != text.paragraphs.size()) std::abort();
    std::vector<std::size_t> added(text.paragraphs.size());
    for (const CodeInsertion& c : codes) added.at(c.line) += text::length(c.code);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
        const std::size_t before = text::length(text.paragraphs[i].text());
        if (text::length(coded.paragraphs[i].text()) != before + added[i]) std::abort();
        characters += before;
    }
    const std::size_t breaks = text.paragraphs.empty() ? 0 : text.paragraphs.size() - 1;
    if (analyseCharacters(text).size() != characters + breaks) std::abort();
    return 0;
}
