#include "engine/text.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

namespace sarvelo::text {

namespace {
bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Code points of bytes 0x80..0x9F in Windows-1252.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

char32_t fromWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

int toWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int k = 0; k < 32; ++k)
        if (kWindows1252High[k] == c) return 0x80 + k;
    return -1;
}

std::size_t length(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char b : s)
        if (!isContinuation(b)) ++n;
    return n;
}

std::size_t byteOffsetOfChar(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    while (count > 0 && i < s.size()) {
        ++i;
        while (i < s.size() && isContinuation(static_cast<unsigned char>(s[i]))) ++i;
        --count;
    }
    return i;
}

std::string_view firstChars(std::string_view s, std::size_t count) {
    return s.substr(0, byteOffsetOfChar(s, count));
}

void removeFirstChars(std::string& s, std::size_t count) {
    if (count == 0) return;
    s.erase(0, byteOffsetOfChar(s, count));
}

char32_t nextChar(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t c = b0;
    if (b0 >= 0xF0 && b0 < 0xF8) { extra = 3; c = b0 & 0x07; }
    else if (b0 >= 0xE0) { extra = 2; c = b0 & 0x0F; }
    else if (b0 >= 0xC0) { extra = 1; c = b0 & 0x1F; }
    const bool stray = b0 >= 0xF8 || (b0 >= 0x80 && b0 < 0xC0);
    if (stray || pos + extra >= s.size()) {  // a lone or cut-off byte reads as itself
        ++pos;
        return b0;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[pos + k]);
        if (!isContinuation(b)) {  // broken sequence: take the lead byte alone
            ++pos;
            return b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += 1 + extra;
    return c;
}

std::u32string toUtf32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    std::size_t p = 0;
    while (p < s.size()) out.push_back(nextChar(s, p));
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string fromUtf32(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) appendUtf8(out, c);
    return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::size_t pos(std::string_view t, std::string_view s) {
    if (t.empty()) return 0;
    const auto at = s.find(t);
    if (at == std::string_view::npos) return 0;
    return length(s.substr(0, at)) + 1;
}

namespace {

// `end` moved past the rest of a character it falls inside.
std::size_t wholeCharacters(std::string_view s, std::size_t end) {
    while (end < s.size() && isContinuation(static_cast<unsigned char>(s[end]))) ++end;
    return end;
}

// Where a cut through the first `t` of s ends, when the character count
// comes to the byte offset of the match: s starts on a character (not in the
// middle of one) and holds t. The cut also takes the rest of a character
// that t leaves unfinished. Otherwise npos, and the count is made.
std::size_t cutEnd(std::string_view s, std::string_view t) {
    if (t.empty() || s.empty() || isContinuation(static_cast<unsigned char>(s[0]))) return std::string_view::npos;
    const auto at = s.find(t);
    if (at == std::string_view::npos) return std::string_view::npos;
    return wholeCharacters(s, at + t.size());
}

}  // namespace

void cutThrough(std::string& s, std::string_view t) {
    std::string_view rest = s;
    cutThrough(rest, t);
    s.erase(0, s.size() - rest.size());
}

void cutThrough(std::string_view& s, std::string_view t) {
    // Most cuts are through what the text starts with (its number, then the
    // separator after it): that needs no search.
    if (!t.empty() && s.starts_with(t) && !isContinuation(static_cast<unsigned char>(s[0]))) {
        s.remove_prefix(wholeCharacters(s, t.size()));
        return;
    }
    if (const std::size_t end = cutEnd(s, t); end != std::string_view::npos) {
        s.remove_prefix(end);
        return;
    }
    const long p = static_cast<long>(pos(t, s));
    const long count = p + static_cast<long>(length(t)) - 1;
    if (count > 0) s.remove_prefix(byteOffsetOfChar(s, static_cast<std::size_t>(count)));
}

void cutThroughAt(std::string_view& s, std::string_view t, std::size_t at) {
    if (t.empty() || s.empty() || isContinuation(static_cast<unsigned char>(s[0]))) return cutThrough(s, t);
    s.remove_prefix(wholeCharacters(s, at + t.size()));
}

bool startsWithUpper(std::string_view s, std::string_view upperPrefix) {
    if (s.size() < upperPrefix.size()) return false;
    for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
        const char c = s[i] >= 'a' && s[i] <= 'z' ? static_cast<char>(s[i] - 'a' + 'A') : s[i];
        if (c != upperPrefix[i]) return false;
    }
    return true;
}

std::string textBefore(std::string_view s, std::string_view t) {
    if (t.empty()) return {};
    const auto at = s.find(t);
    if (at == std::string_view::npos) return {};
    return std::string(s.substr(0, at));
}

void removeAll(std::string& s, std::string_view t) {
    if (t.empty() || s.find(t) == std::string::npos) return;
    if (t.size() == 1) {
        s.erase(std::remove(s.begin(), s.end(), t[0]), s.end());
        return;
    }
    // Deleting the first occurrence again and again can make new occurrences
    // out of what surrounds it; one left-to-right scan with a write cursor
    // (in place: it never passes the read position) reaches the same fixed
    // point when we re-check the tail we just wrote.
    std::size_t kept = 0;
    for (const char c : s) {
        s[kept++] = c;
        if (c == t.back() && kept >= t.size() && std::string_view(s.data() + kept - t.size(), t.size()) == t)
            kept -= t.size();
    }
    s.resize(kept);
}

void trimStart(std::string& s, std::string_view t) {
    if (t.empty()) return;
    std::size_t i = 0;
    while (s.compare(i, t.size(), t) == 0 && i + t.size() <= s.size()) i += t.size();
    s.erase(0, i);
}

void trimEnd(std::string& s, std::string_view t) {
    if (t.empty()) return;
    while (endsWith(s, t)) s.resize(s.size() - t.size());
}

std::string_view withoutBlanks(std::string_view s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::string trimmedBlanks(std::string_view s) { return std::string(withoutBlanks(s)); }

namespace {
// The character that ends just before byte `end` (a continuation byte is
// stepped over back to the first byte of its character).
char32_t charBefore(std::string_view s, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && end - start < 4) {
        --start;
        if ((static_cast<unsigned char>(s[start]) & 0xC0) != 0x80) break;
    }
    return nextChar(s, start);
}
}  // namespace

bool isAnyLetter(char32_t c) {
    if (isLetter(c)) return true;
    if (c < 0xC0) return false;
    if (c <= 0x24F) return c != 0xD7 && c != 0xF7;      // Latin-1 letters, Latin Extended-A and -B
    if (c >= 0x250 && c <= 0x2AF) return true;           // IPA extensions
    if (c >= 0x300 && c <= 0x36F) return true;           // combining accents (a decomposed "é")
    if (c >= 0x386 && c <= 0x3FF) return c != 0x387 && c != 0x3F6;  // Greek
    if (c >= 0x400 && c <= 0x52F) return c < 0x482 || c > 0x489;     // Cyrillic
    return c >= 0x1E00 && c <= 0x1EFF;                   // Latin Extended Additional
}

void removeDashesOutsideWords(std::string& s) {
    if (s.find('-') == std::string::npos) return;
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '-') {
            if (i == 0 || i + 1 >= s.size()) continue;
            std::size_t after = i + 1;
            const char32_t left = charBefore(s, i);
            const char32_t right = nextChar(s, after);
            const bool word = (isAnyLetter(left) && isAnyLetter(right)) || (isDigit(left) && isDigit(right));
            if (!word) continue;
        }
        out.push_back(s[i]);
    }
    s = std::move(out);
}

std::string referenceCleanup(std::string s) {
    removeAll(s, ".");
    removeAll(s, "\u2026");
    removeAll(s, " ");
    removeAll(s, "-");
    removeAll(s, "\t");
    return s;
}

std::vector<std::string> splitLines(std::string_view s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < s.size()) {
        auto end = s.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = s.size();
        lines.emplace_back(s.substr(start, end - start));
        start = end + 1;
        if (end < s.size() && s[end] == '\r' && start < s.size() && s[start] == '\n') ++start;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, std::string_view sep) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += sep;
        out += lines[i];
    }
    return out;
}

std::string oneLine(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    appendOneLine(out, s);
    return out;
}

namespace {

// The bytes that are, or may start, a character `appendOneLine` replaces.
constexpr std::array<bool, 256> mayBreakLine = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) table[static_cast<std::size_t>(c)] = true;
    table[0x7F] = table[0xC2] = table[0xE2] = true;
    return table;
}();

}  // namespace

void appendOneLine(std::string& out, std::string_view s) {
    // Runs of ordinary characters go in whole; eight bytes of printable ASCII
    // (no control character, DEL or byte over 0x7F) are passed over together.
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    std::size_t from = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        while (i + 8 <= s.size()) {
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            const std::uint64_t del = word ^ (ones * 0x7F);
            if ((word | ((word - ones * 0x20) & ~word) | ((del - ones) & ~del)) & highs) break;
            i += 8;
        }
        if (i >= s.size()) break;
        const auto c = static_cast<unsigned char>(s[i]);
        if (!mayBreakLine[c]) continue;
        const auto next = [&](std::size_t k) { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0; };
        std::size_t skip = 0;  // bytes after the first one that become the space too
        if (c < 0x20 || c == 0x7F) skip = 0;
        else if (c == 0xC2 && next(1) == 0x85) skip = 1;  // NEL
        else if (c == 0xE2 && next(1) == 0x80 && (next(2) & 0xFE) == 0xA8) skip = 2;  // U+2028, U+2029
        else continue;
        out.append(s.substr(from, i - from));
        out += ' ';
        i += skip;
        from = i + 1;
    }
    out.append(s.substr(from));
}

namespace {

// One weight per byte. UTF-8 lead and continuation bytes keep their order,
// which is code-point order, after every ASCII character.
std::array<unsigned char, 256> makeWeights() {
    std::array<unsigned char, 256> w{};
    int next = 1;
    for (int b = 0; b < 0x80; ++b)
        if (!isDigit(static_cast<char32_t>(b)) && !isLetter(static_cast<char32_t>(b))) w[b] = static_cast<unsigned char>(next++);
    for (int b = '0'; b <= '9'; ++b) w[b] = static_cast<unsigned char>(next++);
    for (int b = 'A'; b <= 'Z'; ++b) {
        w[b] = static_cast<unsigned char>(next);
        w[b - 'A' + 'a'] = static_cast<unsigned char>(next++);
    }
    for (int b = 0x80; b < 0x100; ++b) w[b] = static_cast<unsigned char>(next++);
    return w;
}

const std::array<unsigned char, 256>& weights() {
    static const auto w = makeWeights();
    return w;
}

}  // namespace

std::string sortKeyIgnoringCase(std::string_view s) {
    const auto& w = weights();
    std::string key(s.size(), '\0');
    for (std::size_t i = 0; i < s.size(); ++i) key[i] = static_cast<char>(w[static_cast<unsigned char>(s[i])]);
    return key;
}

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    const auto& w = weights();
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto wa = w[static_cast<unsigned char>(a[i])];
        const auto wb = w[static_cast<unsigned char>(b[i])];
        if (wa != wb) return wa < wb;
    }
    return a.size() < b.size();
}

std::vector<std::size_t> orderIgnoringCase(LinesView texts) {
    // The weights of the first 16 bytes of each text travel with its
    // position, so most comparisons never leave the array being sorted; the
    // rest is compared weight by weight, without a key per text.
    struct Item {
        std::uint64_t high, low;
        std::size_t index;
    };
    const auto& w = weights();
    std::vector<Item> items;
    items.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string_view t = texts[i];
        std::uint64_t part[2] = {0, 0};
        for (std::size_t b = 0; b < 16 && b < t.size(); ++b)
            part[b / 8] |= static_cast<std::uint64_t>(w[static_cast<unsigned char>(t[b])]) << (8 * (7 - b % 8));
        items.push_back({part[0], part[1], i});
    }
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        const std::string_view ta = texts[a.index];
        const std::string_view tb = texts[b.index];
        if (ta.size() <= 16 || tb.size() <= 16) return ta.size() < tb.size();
        return lessIgnoringCase(ta.substr(16), tb.substr(16));
    });
    std::vector<std::size_t> order;
    order.reserve(items.size());
    for (const auto& item : items) order.push_back(item.index);
    return order;
}

std::vector<std::size_t> orderIgnoringCase(const std::vector<std::string>& texts) {
    return orderIgnoringCase(LinesView(texts));
}

std::optional<int> toInteger(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size()) return std::nullopt;
    long long value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
    return static_cast<int>(value);
}

bool namesAGroup(std::string_view word) {
    while (!word.empty() && word.back() == '.') word.remove_suffix(1);
    const std::string w = lower(word);
    for (std::string_view name : {"group", "groupe", "gruppe", "grupo", "grex", "subgroup", "sous-groupe", "section",
                                  "sect", "sectio", "series", "série", "serie", "key", "clé", "cle", "subkey",
                                  "part", "partie", "type", "form", "forme", "tribe", "tribu", "division",
                                  "alliance", "complex", "complexe", "category", "catégorie", "lot"})
        if (w == name) return true;
    return false;
}

}  // namespace sarvelo::text
