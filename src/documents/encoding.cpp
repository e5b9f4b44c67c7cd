#include "documents/encoding.hpp"

#include "engine/text.hpp"

namespace sarvelo {

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra;
        char32_t min;
        if (b < 0x80) { ++i; continue; }
        if (b >= 0xC2 && b <= 0xDF) { extra = 1; min = 0x80; }
        else if (b >= 0xE0 && b <= 0xEF) { extra = 2; min = 0x800; }
        else if (b >= 0xF0 && b <= 0xF4) { extra = 3; min = 0x10000; }
        else return false;
        if (i + extra >= s.size()) return false;  // cut-off sequence
        char32_t c = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto n = static_cast<unsigned char>(s[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            c = (c << 6) | (n & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += 1 + extra;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) text::appendUtf8(out, text::fromWindows1252(static_cast<unsigned char>(c)));
    return out;
}

bool hasUtf16ByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string utf16ToUtf8(std::string_view bytes) {
    const bool bigEndian = bytes.starts_with("\xFE\xFF");
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::size_t i = hasUtf16ByteOrderMark(bytes) ? 2 : 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        text::appendUtf8(out, c);
    }
    if (i < bytes.size()) text::appendUtf8(out, 0xFFFD);
    return out;
}

std::string decodeText(std::string_view bytes) {
    if (hasUtf16ByteOrderMark(bytes)) return utf16ToUtf8(bytes);
    if (isValidUtf8(bytes)) {
        if (text::startsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return windows1252ToUtf8(bytes);
}

std::string utf8ToWindows1252(std::string_view utf8, std::size_t* lost) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t p = 0;
    while (p < utf8.size()) {
        const int byte = text::toWindows1252(text::nextChar(utf8, p));
        if (byte >= 0) {
            out.push_back(static_cast<char>(byte));
        } else {
            out.push_back('?');
            if (lost) ++*lost;
        }
    }
    return out;
}

TextFile readTextFile(const std::string& path) {
    TextFile result;
    FileBytes file = readFileBytes(path);
    if (file.error) result.error = std::move(file.error);
    else result.text = decodeText(file.bytes);
    return result;
}

}  // namespace sarvelo
