#include "components/visible_codes.hpp"

#include "engine/text.hpp"

namespace sarvelo {

namespace {

// Windows-1252 codes 128..159 that differ from Latin-1 (0 where undefined).
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

char32_t codeToChar(int code) {
    code &= 0xFF;
    if (code >= 0x80 && code < 0xA0) {
        const char32_t c = kCp1252High[code - 0x80];
        return c ? c : static_cast<char32_t>(code);
    }
    return static_cast<char32_t>(code);
}

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
