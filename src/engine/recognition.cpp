#include "engine/recognition.hpp"

#include <vector>

#include "engine/text.hpp"

namespace sarvelo {

namespace {

// Leading spaces, then leading tabs, each run removed once and in this order.
std::string_view skipLeadingBlanks(std::string_view s) {
    const auto spaces = s.find_first_not_of(' ');
    s.remove_prefix(spaces == std::string_view::npos ? s.size() : spaces);
    const auto tabs = s.find_first_not_of('\t');
    s.remove_prefix(tabs == std::string_view::npos ? s.size() : tabs);
    return s;
}

template <typename Pred>
std::string_view leadingRun(std::string_view s, Pred inClass) {
    std::size_t i = 0;
    while (i < s.size() && inClass(static_cast<unsigned char>(s[i]))) ++i;
    return s.substr(0, i);
}

bool asciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool asciiLetter(unsigned char c) { return text::isLetter(c); }

char32_t classOf(char32_t c) {
    if (text::isDigit(c)) return U'1';
    if (text::isLetter(c)) return U'a';
    return c;
}

}  // namespace

std::string Verifier_nb(std::string_view s) {
    return std::string(leadingRun(skipLeadingBlanks(s), asciiDigit));
}

std::string Verifier_nba(const KeyParams& p, std::string_view s) {
    const std::string run(leadingRun(skipLeadingBlanks(s), asciiLetter));
    if (p.Compter_lettres && static_cast<int>(run.size()) > p.nb_lettres) return {};
    if (maj(p, run) != run) return {};
    return run;
}

std::string maj(const KeyParams& p, std::string_view s) {
    if (p.Format != 1) return std::string(s);
    switch (p.Alphabet) {
        case 0: return text::upper(s);
        case 1: return text::lower(s);
        default: return std::string(s);
    }
}

std::string codage(std::string_view s) {
    std::u32string out;
    for (char32_t c : text::toUtf32(s)) {
        const char32_t k = classOf(c);
        // A run of digits or of letters shrinks to one class character.
        if ((k == U'1' || k == U'a') && !out.empty() && out.back() == k) continue;
        out.push_back(k);
    }
    return text::fromUtf32(out);
}

// The sample is cut into class tokens (a run of digits, a run of letters, or
// one other character), matched one by one against the pattern's positions.
// Position m of the index pattern picks the token of position m. A token is
// kept only once the next one has begun, so the label part must be followed
// by at least one more pattern character ("1." marks "12" in "12. x", while
// the "." itself, last of the pattern, is never kept). Other characters that
// fit no position are passed over; a digit or letter that fits none ends the
// examination.
std::string decode(const KeyParams& p, std::string_view sample, std::size_t entry) {
    const std::u32string pattern = text::toUtf32(p.Liste_mixte.at(entry));
    const std::u32string mask =
        entry < p.Liste_mixte2.size() ? text::toUtf32(p.Liste_mixte2[entry]) : std::u32string{};
    std::vector<std::u32string> tokens;  // tokens[k] matches pattern position k + 1
    for (char32_t x : text::toUtf32(sample)) {
        const char32_t k = classOf(x);
        const bool run = k == U'1' || k == U'a';
        if (run && !tokens.empty() && classOf(tokens.back().back()) == k) {
            tokens.back().push_back(x);
            continue;
        }
        const std::size_t next = tokens.size();
        if (next < pattern.size() && pattern[next] == k) {
            tokens.emplace_back(1, x);
        } else if (run) {
            break;
        }
    }
    const std::size_t kept = tokens.empty() ? 0 : tokens.size() - 1;
    std::u32string result;
    for (std::size_t m = 0; m < mask.size() && m < kept; ++m)
        if (mask[m] != kMaskCode) result += tokens[m];
    return text::fromUtf32(result);
}

std::string Verifier_mixte(const KeyParams& p, std::string_view s) {
    if (s.empty() || p.Liste_mixte.empty()) return {};
    const std::string_view sample = text::firstChars(skipLeadingBlanks(s), 10);
    const std::string classes = codage(sample);
    std::string result;
    const std::size_t entries = std::min(p.Liste_mixte.size(), kMaxComplexEntries);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::string& entry = p.Liste_mixte[i];
        if (!entry.empty() && text::startsWith(classes, entry)) result = decode(p, sample, i);
    }
    return result;
}

std::string numberOf(const KeyParams& p, std::string_view line) {
    switch (p.Format) {
        case 0: return Verifier_nb(line);
        case 1: return Verifier_nba(p, line);
        default: return Verifier_mixte(p, line);
    }
}

bool avec_numero(const KeyParams& p, std::string_view line) {
    // A decimal number shows in its first digit: no copy of it is made.
    if (p.Format == 0) {
        const std::string_view rest = skipLeadingBlanks(line);
        if (!rest.empty() && asciiDigit(static_cast<unsigned char>(rest.front()))) return true;
    } else if (!numberOf(p, line).empty()) {
        return true;
    }
    return !p.meme_numero.empty() && line.starts_with(p.meme_numero) &&
           line.substr(p.meme_numero.size()).starts_with(p.Separ1);
}

}  // namespace sarvelo
