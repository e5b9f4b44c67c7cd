#include "components/visible_codes.hpp"

#include "engine/text.hpp"

namespace sarvelo {

char32_t codeToChar(int code) { return text::fromWindows1252(static_cast<unsigned char>(code & 0xFF)); }

std::string toVisibleCodes(std::string_view text, const VisibleCodes& codes) {
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = text::nextChar(text, pos);
        if (c == U'\t')
            c = codes.tab;
        else if (c == U'\r' || (c == U'\n' && codes.codeLineFeed))
            c = codes.lineBreak;
        else if (c == U' ')
            c = codes.space;
        text::appendUtf8(out, c);
    }
    return out;
}

VisibleCodes listEntryCodes() {
    VisibleCodes codes;
    codes.codeLineFeed = false;
    return codes;
}

std::string displayGlyphs(std::string_view coded) {
    std::string out;
    out.reserve(coded.size() + 8);
    std::size_t pos = 0;
    while (pos < coded.size()) {
        char32_t c = text::nextChar(coded, pos);
        if (c == U'\u0007')
            c = U'\u00B7';
        else if (c == U'\u001A')
            c = U'\u2192';
        else if (c < 0x20 && c != U'\n')
            c = 0x2400 + c;
        else if (c == 0x7F)
            c = U'\u2421';
        text::appendUtf8(out, c);
    }
    return out;
}

}  // namespace sarvelo
