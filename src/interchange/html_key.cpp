#include "interchange/html_key.hpp"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace sarvelo::interchange {

namespace {

// A JSON string that cannot end the script element it stands in, nor be
// read as markup: "<", ">" and "&" are written as escapes, and so are the two
// line separators that older scripts do not take in strings.
void appendJsonString(std::string& out, std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c == 0xE2 && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(s[i + 2]) == 0xA8 || static_cast<unsigned char>(s[i + 2]) == 0xA9)) {
            out += static_cast<unsigned char>(s[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

// Text for element content (the title goes only there).
std::string htmlEscaped(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            default: out += c;
        }
    }
    return out;
}

// The template with each marker replaced by its value, in one pass over the
// template, so that a value holding a marker is left as it is.
std::string filled(std::string_view page, std::string_view title, std::string_view key) {
    static constexpr std::string_view kTitle = "{{TITRE}}";
    static constexpr std::string_view kKey = "{{CLE}}";
    std::string out;
    out.reserve(page.size() + key.size() + 2 * title.size());
    std::size_t from = 0;
    while (true) {
        const auto t = page.find(kTitle, from);
        const auto k = page.find(kKey, from);
        const auto at = std::min(t, k);
        if (at == std::string_view::npos) break;
        out.append(page.substr(from, at - from)).append(at == t ? title : key);
        from = at + (at == t ? kTitle.size() : kKey.size());
    }
    out.append(page.substr(from));
    return out;
}

}  // namespace

std::string keyLanguage(const Key& key) {
    // Short words that a description in one language uses all the time and
    // the other (or Latin) does not.
    static const std::unordered_set<std::string_view> kEnglish{
        "the", "of", "and", "with", "or", "than", "to", "on", "not", "more", "less", "leaves", "flowers", "usually"};
    static const std::unordered_set<std::string_view> kFrench{
        "le", "la", "les", "des", "du", "de", "ou", "avec", "plus", "que", "sur", "au", "aux", "pas", "moins",
        "feuilles", "fleurs", "une", "un", "à"};
    long balance = 0;
    std::string word;
    auto count = [&] {
        if (kEnglish.count(word)) ++balance;
        else if (kFrench.count(word)) --balance;
        word.clear();
    };
    for (const Couplet& couplet : key.couplets)
        for (const Lead& lead : couplet.leads) {
            for (const char c : lead.text) {
                const auto b = static_cast<unsigned char>(c);
                if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b >= 0x80)
                    word += static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
                else
                    count();
            }
            count();
        }
    return balance > 0 ? "en" : "fr";
}

std::string keyJson(const Key& key, const ExportOptions& options) {
    std::string out;
    out.reserve(key.couplets.size() * 160);
    std::unordered_map<std::string_view, int> taxonIndex;
    std::vector<std::string_view> taxa;
    out += "{\"couplets\":[";
    for (std::size_t c = 0; c < key.couplets.size(); ++c) {
        const Couplet& couplet = key.couplets[c];
        if (c) out += ',';
        out += "{\"n\":";
        appendJsonString(out, couplet.number);
        out += ",\"leads\":[";
        for (std::size_t l = 0; l < couplet.leads.size(); ++l) {
            const Lead& lead = couplet.leads[l];
            if (l) out += ',';
            out += "{\"t\":";
            appendJsonString(out, lead.text);
            // A lead to a linked key goes on to its first couplet.
            if (const int next = lead.couplet >= 0 ? lead.couplet : lead.linkedCouplet; next >= 0) {
                out += ",\"c\":" + std::to_string(next);
            } else {
                const auto [at, added] = taxonIndex.try_emplace(lead.taxon, static_cast<int>(taxa.size()));
                if (added) taxa.push_back(lead.taxon);
                out += ",\"x\":" + std::to_string(at->second);
            }
            out += '}';
        }
        out += "]}";
    }
    out += "],\"taxa\":[";
    for (std::size_t t = 0; t < taxa.size(); ++t) {
        if (t) out += ',';
        appendJsonString(out, taxa[t]);
    }
    out += "],\"langue\":";
    appendJsonString(out, options.language == "en" || options.language == "fr" ? options.language : keyLanguage(key));
    if (!options.source.empty()) {
        out += ",\"source\":";
        appendJsonString(out, options.source);
    }
    if (!options.author.empty()) {
        out += ",\"auteur\":";
        appendJsonString(out, options.author);
    }
    out += '}';
    return out;
}

std::string htmlKey(const Key& key, const ExportOptions& options) {
    return filled(htmlKeyTemplate(), htmlEscaped(options.title), keyJson(key, options));
}

}  // namespace sarvelo::interchange
