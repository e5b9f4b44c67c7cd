#include "interchange/markup.hpp"

#include <algorithm>

#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

struct Entity {
    std::string_view name;
    char32_t c;
};

// The entities keys write: typography, measures, signs of sex and the Greek
// letters of names and measures.
constexpr Entity kEntities[] = {
    {"amp", U'&'},       {"lt", U'<'},        {"gt", U'>'},        {"quot", U'"'},      {"apos", U'\''},
    {"nbsp", U'\u00A0'}, {"ndash", U'\u2013'}, {"mdash", U'\u2014'}, {"hellip", U'\u2026'}, {"middot", U'\u00B7'},
    {"lsquo", U'\u2018'}, {"rsquo", U'\u2019'}, {"ldquo", U'\u201C'}, {"rdquo", U'\u201D'}, {"laquo", U'\u00AB'},
    {"raquo", U'\u00BB'}, {"deg", U'\u00B0'},  {"plusmn", U'\u00B1'}, {"times", U'\u00D7'}, {"divide", U'\u00F7'},
    {"minus", U'\u2212'}, {"micro", U'\u00B5'}, {"le", U'\u2264'},    {"ge", U'\u2265'},    {"ne", U'\u2260'},
    {"asymp", U'\u2248'}, {"frac12", U'\u00BD'}, {"frac14", U'\u00BC'}, {"frac34", U'\u00BE'}, {"sup1", U'\u00B9'},
    {"sup2", U'\u00B2'}, {"sup3", U'\u00B3'},  {"prime", U'\u2032'}, {"Prime", U'\u2033'}, {"male", U'\u2642'},
    {"female", U'\u2640'}, {"alpha", U'\u03B1'}, {"beta", U'\u03B2'}, {"gamma", U'\u03B3'}, {"delta", U'\u03B4'},
    {"epsilon", U'\u03B5'}, {"zeta", U'\u03B6'}, {"eta", U'\u03B7'}, {"theta", U'\u03B8'}, {"kappa", U'\u03BA'},
    {"lambda", U'\u03BB'}, {"mu", U'\u03BC'},   {"nu", U'\u03BD'},    {"xi", U'\u03BE'},    {"pi", U'\u03C0'},
    {"rho", U'\u03C1'},  {"sigma", U'\u03C3'}, {"tau", U'\u03C4'},   {"phi", U'\u03C6'},   {"chi", U'\u03C7'},
    {"psi", U'\u03C8'},  {"omega", U'\u03C9'}, {"shy", U'\u00AD'},
};

// The character of the entity whose name (after "&", before ";") is `name`, or 0.
char32_t entity(std::string_view name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > (hex ? 6u : 7u)) return 0;
        char32_t c = 0;
        for (const char d : digits) {
            const int v = d >= '0' && d <= '9' ? d - '0'
                          : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                          : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
            if (v < 0) return 0;
            c = c * (hex ? 16 : 10) + static_cast<char32_t>(v);
        }
        // Not a character: left as written.
        if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
        return c;
    }
    for (const Entity& e : kEntities)
        if (e.name == name) return e.c;
    return 0;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == y;
           });
}

}  // namespace

MarkedText readMarkup(std::string statement) {
    MarkedText out;
    std::size_t i = statement.find_first_of("<&");
    if (i == std::string::npos) {
        out.text = std::move(statement);
        return out;
    }
    const std::string_view s = statement;
    out.text.reserve(s.size());
    out.text.append(s.substr(0, i));
    int italic = 0;
    std::size_t italicFrom = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '<') {
            const auto close = s.find('>', i);
            const std::string_view tag = close == std::string_view::npos ? std::string_view{} : s.substr(i + 1, close - i - 1);
            const bool ending = !tag.empty() && tag[0] == '/';
            const std::string_view name = ending ? tag.substr(1) : tag;
            const bool slanted = sameLetters(name, "i") || sameLetters(name, "em");
            if (slanted || sameLetters(name, "b") || sameLetters(name, "strong") || sameLetters(name, "sup") ||
                sameLetters(name, "sub")) {
                if (slanted && !ending && italic++ == 0) italicFrom = out.text.size();
                if (slanted && ending && italic > 0 && --italic == 0 && italicFrom < out.text.size())
                    out.italics.emplace_back(italicFrom, out.text.size());
                i = close + 1;
                continue;
            }
        } else if (c == '&') {
            const auto semicolon = s.find(';', i);
            if (semicolon != std::string_view::npos && semicolon - i <= 10) {
                if (const char32_t decoded = entity(s.substr(i + 1, semicolon - i - 1))) {
                    // A control character would break the line it is printed on.
                    text::appendUtf8(out.text, decoded < 0x20 || decoded == 0x7F ? U' ' : decoded);
                    i = semicolon + 1;
                    continue;
                }
            }
        }
        // On to the next tag or entity.
        const std::size_t next = std::min(s.find_first_of("<&", i + 1), s.size());
        out.text.append(s.substr(i, next - i));
        i = next;
    }
    if (italic > 0 && italicFrom < out.text.size()) out.italics.emplace_back(italicFrom, out.text.size());
    return out;
}

}  // namespace sarvelo::interchange
