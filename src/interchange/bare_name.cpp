#include "interchange/bare_name.hpp"

#include <vector>

#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        const std::size_t begin = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
        if (i > begin) out.push_back(s.substr(begin, i - begin));
    }
    return out;
}

bool startsLower(std::string_view w) { return !w.empty() && ((w[0] >= 'a' && w[0] <= 'z') || static_cast<unsigned char>(w[0]) >= 0x80); }
bool startsUpper(std::string_view w) { return !w.empty() && w[0] >= 'A' && w[0] <= 'Z'; }
bool startsDigit(std::string_view w) { return !w.empty() && w[0] >= '0' && w[0] <= '9'; }

// Ranks below the species, written before their epithet.
bool isRank(std::string_view w) {
    for (std::string_view rank : {"subsp.", "ssp.", "var.", "subvar.", "f.", "forma", "cv.", "nothosubsp.", "nothovar."})
        if (w == rank) return true;
    return false;
}

// A page or plate reference: "p.", "pp.", "pl.", "fig.", "t.".
bool isPageMark(std::string_view w) {
    const std::string lower = text::lower(w);
    for (std::string_view mark : {"p.", "pp.", "pl.", "fig.", "figs.", "t.", "tab.", "page", "pages"})
        if (lower == mark) return true;
    return false;
}

std::string bareItem(std::string_view s) {
    std::vector<std::string_view> w = words(s);
    // A leading number ("12.", "12)") or asterisks.
    while (!w.empty() && (startsDigit(w.front()) || w.front().find_first_not_of('*') == std::string_view::npos))
        w.erase(w.begin());
    if (!w.empty()) {
        while (!w.front().empty() && w.front()[0] == '*') w.front().remove_prefix(1);
        if (w.front().empty()) w.erase(w.begin());
    }
    std::vector<std::string_view> kept;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const std::string_view word = w[i];
        if (kept.empty()) {
            kept.push_back(word);
            continue;
        }
        // A group's name: "Group 1", "Section 2", and so on.
        if (startsDigit(word) && kept.size() >= 1 && text::namesAGroup(kept.back())) {
            kept.push_back(word);
            continue;
        }
        if (isRank(word) && i + 1 < w.size() && startsLower(w[i + 1])) {
            kept.push_back(word);
            kept.push_back(w[++i]);
            continue;
        }
        // Epithets are lower case; "x" marks a hybrid.
        if (startsLower(word) && word.find('.') == std::string_view::npos && !isPageMark(word) && word != "ex" &&
            word != "et" && word != "in") {
            kept.push_back(word);
            continue;
        }
        // After a single capitalised word, a capitalised word without a dot
        // is part of the name ("Family Group 1"); authors are abbreviated.
        if (kept.size() == 1 && startsUpper(word) && word.find('.') == std::string_view::npos &&
            word.find_first_of("(),&") == std::string_view::npos) {
            kept.push_back(word);
            continue;
        }
        break;
    }
    std::string out;
    for (std::string_view word : kept) {
        if (!out.empty()) out += ' ';
        out += word;
    }
    while (!out.empty() && (out.back() == ',' || out.back() == ';' || out.back() == '.' || out.back() == ':')) out.pop_back();
    return out;
}

}  // namespace

std::string bareName(std::string_view determination) {
    const auto open = determination.find('{');
    const auto close = determination.rfind('}');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open && open > 0) {
        const std::string item = bareItem(determination.substr(0, open));
        const std::string shortcut = bareItem(determination.substr(open + 1, close - open - 1));
        if (!item.empty() && !shortcut.empty()) return item + " {" + shortcut + "}";
    }
    std::string bare = bareItem(determination);
    return bare.empty() ? std::string(determination) : bare;
}

}  // namespace sarvelo::interchange
