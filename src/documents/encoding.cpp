#include "documents/encoding.hpp"

#include <cstdint>
#include <cstring>

#include "engine/text.hpp"

namespace sarvelo {

namespace {

// The length of the well-formed UTF-8 sequence at `i`, 0 when there is none.
std::size_t sequenceAt(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t min;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) { extra = 1; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { extra = 2; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { extra = 3; min = 0x10000; }
    else return 0;
    if (i + extra >= s.size()) return 0;  // cut-off sequence
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto n = static_cast<unsigned char>(s[i + k]);
        if ((n & 0xC0) != 0x80) return 0;
        c = (c << 6) | (n & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return static_cast<std::size_t>(1 + extra);
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0, n; i < s.size(); i += n)
        if ((n = sequenceAt(s, i)) == 0) return false;
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

namespace {

// Bytes after the byte-order mark, if any.
std::string_view withoutUtf8Mark(std::string_view bytes) {
    if (text::startsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return bytes;
}

struct Utf8Count {
    std::size_t characters = 0;  // those beyond ASCII
    std::size_t bad = 0;
};

// Eight bytes of ASCII at a time: most keys are nearly all ASCII.
Utf8Count countUtf8(std::string_view bytes) {
    Utf8Count count;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (i + 8 <= bytes.size()) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const std::size_t n = sequenceAt(bytes, i);
        if (n == 0) ++count.bad;
        else if (n > 1) ++count.characters;
        i += n ? n : 1;
    }
    return count;
}

}  // namespace

DecodedText takeDecodedText(std::string&& bytes) {
    if (hasUtf16ByteOrderMark(bytes)) return decodeTextCounted(std::string_view(bytes));
    const std::string_view body = withoutUtf8Mark(bytes);
    if (countUtf8(body).bad > 0) return decodeTextCounted(std::string_view(bytes));
    // Well-formed UTF-8 is the text itself: no copy of a long file.
    bytes.erase(0, bytes.size() - body.size());
    return {std::move(bytes), 0};
}

DecodedText decodeTextCounted(std::string_view bytes) {
    if (hasUtf16ByteOrderMark(bytes)) return {utf16ToUtf8(bytes), 0};
    bytes = withoutUtf8Mark(bytes);
    const auto [characters, bad] = countUtf8(bytes);
    if (bad == 0) return {std::string(bytes), 0};
    // Windows-1252 text almost never holds a well-formed UTF-8 sequence: a
    // text with more of them than bad bytes is UTF-8 with a few bytes damaged.
    if (characters < bad) return {windows1252ToUtf8(bytes), 0};
    DecodedText out;
    out.text.reserve(bytes.size() + 2 * bad);
    for (std::size_t i = 0, n; i < bytes.size(); i += n ? n : 1) {
        n = sequenceAt(bytes, i);
        if (n) out.text.append(bytes.substr(i, n));
        else text::appendUtf8(out.text, 0xFFFD);
    }
    out.replaced = bad;
    return out;
}

std::string decodeText(std::string_view bytes) { return decodeTextCounted(bytes).text; }

std::string replacedBytesMessage(std::size_t count) {
    return count == 1 ? "1 octet qui n'est pas de l'UTF-8 a été lu comme \"\xEF\xBF\xBD\""
                      : std::to_string(count) + " octets qui ne sont pas de l'UTF-8 ont été lus comme \"\xEF\xBF\xBD\"";
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
    else {
        DecodedText decoded = decodeTextCounted(file.bytes);
        result.text = std::move(decoded.text);
        result.replaced = decoded.replaced;
    }
    return result;
}

}  // namespace sarvelo
