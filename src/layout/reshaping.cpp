// Reshaping a paste into one lead per line. Every rule reads a layout: the
// key starts at its first couplet ("1"); it ends where its tree closes (every
// couplet referred to has been given, the last one has two leads) and a line
// follows that is neither a lead nor leads anywhere; leads set out as
// paragraphs are blocks of lines between blank lines.
#include "layout/reshaping.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <unordered_set>
#include <utility>

#include "engine/text.hpp"
#include "layout/columns.hpp"
#include "layout/detection.hpp"
#include "layout/indented.hpp"

namespace sarvelo {

namespace {

bool blankLine(std::string_view s) { return s.find_first_not_of(" \t\r") == std::string_view::npos; }

std::string trimmed(std::string_view s) { return text::trimmedBlanks(s); }

bool asciiDigit(char c) { return c >= '0' && c <= '9'; }
bool emphasisMark(char c) { return c == '=' || c == '_' || c == '*'; }

// The marks that call a footnote and start it: daggers, superscript numbers.
constexpr std::string_view kFootnoteMarks[] = {"\u2020", "\u2021", "\u00B9", "\u00B2", "\u00B3", "\u2074", "\u2075"};


// The couplet number that starts a line, or -1.
int labelNumber(std::string_view line) {
    const LineStart ls = readLineStart(line);
    if (ls.kind != LineStart::Kind::Digits || ls.label.size() > 6) return -1;
    return std::stoi(ls.label);
}

std::size_t pageNoteStart(std::string_view s);

// The number that ends a line after a blank or a leader, or -1 (not the
// book's page after a name, ", p. 479").
int trailingNumber(std::string_view line) {
    std::size_t e = line.find_last_not_of(" \t");
    // "genähert      2.": a stop after a number set apart by a column of blanks.
    const bool stop = e != std::string_view::npos && e > 0 && line[e] == '.' && asciiDigit(line[e - 1]);
    if (stop) --e;
    if (e == std::string_view::npos || !asciiDigit(line[e])) return -1;
    std::size_t b = e;
    while (b > 0 && asciiDigit(line[b - 1])) --b;
    if (b == 0 || e - b >= 6) return -1;
    if (stop && !(line.substr(0, b).ends_with("  ") || line.substr(0, b).ends_with("\t") ||
                  line.substr(0, b).ends_with("..") || line.substr(0, b).ends_with("\u2026")))
        return -1;
    const char before = line[b - 1];
    if (before != ' ' && before != '\t' && before != '.') return -1;
    if (before == '.' && b >= 2 && asciiDigit(line[b - 2])) return -1;  // a decimal, "4–7.9"
    if (e - b == 3 && b >= 2 && line[b - 2] == ',') return -1;           // a year after the authors, "et al., 2001"
    if (b >= 3 && line[b - 2] == '.' && pageNoteStart(line) != std::string_view::npos) return -1;
    return std::stoi(std::string(line.substr(b, e - b + 1)));
}

// A word that may follow a name: an author, abbreviated or not.
bool authorWord(std::string_view w) {
    if (w.empty() || w.size() > 14) return false;
    if (w == "&" || w == "et" || w == "ex" || w == "in" || w == "de" || w == "von" || w == "van") return true;
    // "fil.", "f.", "var.": short abbreviations.
    if (w.size() <= 5 && w.back() == '.' && std::all_of(w.begin(), w.end() - 1, [](char c) { return c >= 'a' && c <= 'z'; }))
        return true;
    return w[0] >= 'A' && w[0] <= 'Z' && std::none_of(w.begin(), w.end(), emphasisMark);
}

bool leaderRun(std::string_view run) {
    return run.find('\t') != std::string_view::npos || run.find("..") != std::string_view::npos ||
           run.find("___") != std::string_view::npos || run.find(". .") != std::string_view::npos ||
           run.find("\u2026") != std::string_view::npos || run.find("\u00B7") != std::string_view::npos ||
           run.find("\u2022") != std::string_view::npos ||
           run.find("\u2014 \u2014 \u2014") != std::string_view::npos || run.find("\u2013 \u2013 \u2013") != std::string_view::npos ||
           run.find("\u2014\u2014\u2014") != std::string_view::npos || run.find("---") != std::string_view::npos;
}

// The characters a leader is made of: blank, dot, ellipsis, middle dot, bullet, dashes, hyphens.
constexpr std::string_view kLeaderChars[] = {" ", ".", "\t", "_", "\u2026", "\u00B7", "\u2022", "\u2014", "\u2013", "-"};

// The length of the leader character at `i`, or 0.
std::size_t leaderAt(std::string_view s, std::size_t i) {
    for (std::string_view l : kLeaderChars)
        if (s.substr(i, l.size()) == l) return l.size();
    return 0;
}
std::size_t leaderBefore(std::string_view s, std::size_t e) {
    for (std::string_view l : kLeaderChars)
        if (e >= l.size() && s.substr(e - l.size(), l.size()) == l) return l.size();
    return 0;
}

// A dash glued to a number on both sides is a range ("10–14 mm"), not a
// leader before a reference.
bool rangeDashBefore(std::string_view s, std::size_t e) {
    for (std::string_view dash : {"-", "\u2013", "\u2014"})
        if (e > dash.size() && s.substr(e - dash.size(), dash.size()) == dash && asciiDigit(s[e - dash.size() - 1]))
            return e < s.size() && asciiDigit(s[e]);
    return false;
}

// The lead's text with the leader before its ending cut.
std::string beforeLeader(std::string_view s) {
    std::size_t e = s.size();
    int dots = 0;
    while (std::size_t l = leaderBefore(s, e)) {
        e -= l;
        dots += s[e] == '.' ? 1 : 0;
    }
    // The italic mark that closes the text is no leader: "_Toes webbed_ ..... 2".
    if (e > 0 && e < s.size() && s[e] == '_' && s[e - 1] != ' ' && s[e - 1] != '_' &&
        std::count(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(e), '_') % 2 == 1)
        ++e;
    // An arrow before the ending goes with its leader.
    for (std::string_view arrow : {"\u2192", "->", "=>"})
        if (s.substr(0, e).ends_with(arrow)) return beforeLeader(s.substr(0, e - arrow.size()));
    // A full stop that ends the sentence stays; a leader of dots goes.
    if (dots == 1 && s[e] == '.') ++e;
    // A comma before a column of blanks introduced the ending ("males,      _H. alba_").
    else if (e > 0 && s[e - 1] == ',' && s.substr(e).find("   ") != std::string_view::npos) --e;
    return trimmed(s.substr(0, e));
}


// Words that may close a name: authors, "sp. nov.", years.
bool nameTailWord(std::string_view w) {
    if (authorWord(w)) return true;
    for (std::string_view t : {"nov.", "n.", "sp", "nov", "and", "gen.", "comb.", "stat.", "var.", "subsp.", "new",
                               "species", "nova", "novum", "sensu", "lato", "stricto", "s.", "l.", "str.", "auct.",
                               "emend."})
        if (w == t) return true;
    // "species" shortened with a stop, as books write it in every language ("sp.").
    if (w.size() >= 3 && w.back() == '.' && std::string_view("species").starts_with(w.substr(0, w.size() - 1)))
        return true;
    // A year, as authors give it ("1972", "(1972)").
    std::string_view year = w;
    while (!year.empty() && (year.front() == '(')) year.remove_prefix(1);
    while (!year.empty() && (year.back() == ')' || year.back() == ',')) year.remove_suffix(1);
    return year.size() == 4 && std::all_of(year.begin(), year.end(), asciiDigit);
}

// Where an abbreviated binomial that ends the line starts, or npos.
std::size_t binomialStart(std::string_view s) {
    std::size_t end = s.size();
    for (int words = 0; words <= 6; ++words) {
        std::size_t b = end;
        while (b > 0 && s[b - 1] != ' ') --b;
        const std::string_view word = s.substr(b, end - b);
        // "L." then an epithet in lower case, maybe in marks.
        if (b >= 3 && s[b - 1] == ' ' && s[b - 2] == '.' && s[b - 3] >= 'A' && s[b - 3] <= 'Z' &&
            (b == 3 || s[b - 4] == ' ' || s[b - 4] == '_' || s[b - 4] == '=')) {
            std::size_t e = 0;
            while (e < word.size() && emphasisMark(word[e])) ++e;
            std::size_t letters = e;
            while (letters < word.size() && word[letters] >= 'a' && word[letters] <= 'z') ++letters;
            if (letters - e >= 3) {
                const std::size_t start = b - 3 > 0 && emphasisMark(s[b - 4]) ? b - 4 : b - 3;
                return start == 0 ? std::string_view::npos : start;
            }
        }
        // The same with the blank lost in copying: "P.rufiposterus".
        if (word.size() >= 5 && word[0] >= 'A' && word[0] <= 'Z' && word[1] == '.' &&
            std::all_of(word.begin() + 2, word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            return b == 0 ? std::string_view::npos : b;
        if (b == 0 || !nameTailWord(word)) return std::string_view::npos;
        end = b - 1;
    }
    return std::string_view::npos;
}

// The last words of a text with where each starts, the last first, at most `count`.
std::vector<std::pair<std::size_t, std::string_view>> lastWords(std::string_view s, std::size_t count) {
    std::vector<std::pair<std::size_t, std::string_view>> words;
    for (std::size_t end = s.size(); end > 0 && words.size() < count;) {
        while (end > 0 && s[end - 1] == ' ') --end;
        std::size_t b = end;
        while (b > 0 && s[b - 1] != ' ') --b;
        if (b == end) break;
        words.emplace_back(b, s.substr(b, end - b));
        end = b;
    }
    return words;
}

// Where a name in full that ends the text starts: a genus, its epithets in
// lower case, then at most a few author words ("Cornus alba L.", "Fagus
// longa var. minor"), after a word in lower case or a stop; npos if none.
std::size_t fullBinomialStart(std::string_view s) {
    // The book's page or a figure call after the name are read with it.
    if (const std::size_t page = pageNoteStart(s); page != std::string_view::npos && page > 0) s = s.substr(0, page);
    if (s.ends_with(")"))
        if (const std::size_t open = s.rfind('('); open != std::string_view::npos && open > 0 &&
                                                   figureCall(s.substr(open + 1, s.size() - open - 2)))
            s = s.substr(0, open);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    auto lowerWord = [](std::string_view w) {
        return w.size() >= 3 && std::all_of(w.begin(), w.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
    };
    auto genusWord = [](std::string_view w) {
        return w.size() >= 3 && w[0] >= 'A' && w[0] <= 'Z' &&
               std::all_of(w.begin() + 1, w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    };
    const auto words = lastWords(s, 10);
    // After the fewest author words that leave a name before them.
    for (std::size_t tail = 0; tail <= 5 && tail < words.size(); ++tail) {
        // An author in brackets counts as one: "(L.)".
        std::string_view author = tail > 0 ? words[tail - 1].second : std::string_view();
        while (!author.empty() && (author.front() == '(' || author.front() == '[')) author.remove_prefix(1);
        while (!author.empty() && (author.back() == ')' || author.back() == ']' || author.back() == ',')) author.remove_suffix(1);
        if (tail > 0 && (lowerWord(words[tail - 1].second) || !nameTailWord(author))) break;
        // The epithets, maybe with a rank between them ("var.", "subsp.").
        std::size_t k = tail, epithets = 0;
        while (k < words.size() && epithets < 4 &&
               (lowerWord(words[k].second) || words[k].second == "var." || words[k].second == "subsp.")) {
            ++k;
            ++epithets;
        }
        if (epithets == 0 || k + 1 >= words.size() || !genusWord(words[k].second)) continue;
        // The word before the genus ends a sentence's words, not a name.
        const char last = words[k + 1].second.back();
        if ((last >= 'a' && last <= 'z') || last == '.' || last == ',' || last == ';' || last == ')') return words[k].first;
    }
    return std::string_view::npos;
}

// Where the name run in after one blank at the end of a lead starts, read
// when nothing else ends it: an epithet in lower case after a word that does
// not link ("... dorsal surface pallescens"), or a genus with its authors after
// a sentence's end ("... Yielding fibre. Malvastrum A. Gray"); npos otherwise.
std::size_t lastWordNameStart(std::string_view s, bool namesStopped) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    const auto words = lastWords(s, 7);
    if (words.size() < 2) return std::string_view::npos;
    auto letters = [](std::string_view w, bool capital) {
        if (!w.empty() && w.back() == '.') w.remove_suffix(1);
        return w.size() >= 4 && (capital ? w[0] >= 'A' && w[0] <= 'Z' : w[0] >= 'a' && w[0] <= 'z') &&
               std::all_of(w.begin() + 1, w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    };
    // In a key whose names end with a stop, a genus so after a word in lower
    // case, maybe with its common name ("... weer verbreed Peristeria.",
    // "... bloemen Stanhopea. Lady-slipper.").
    if (namesStopped) {
        auto stopped = [&](std::size_t k) {
            const std::string_view w = words[k].second;
            std::string bare(w.substr(0, w.size() - 1));
            std::erase(bare, '-');
            return w.ends_with(".") && letters(bare, true);
        };
        auto afterLower = [&](std::size_t k) {
            const char last = words[k].second.back();
            return last >= 'a' && last <= 'z';
        };
        if (stopped(0) && afterLower(1)) return words[0].first;
        if (words.size() > 2 && stopped(0) && stopped(1) && afterLower(2)) return words[1].first;
    }
    static constexpr std::string_view kLinks[] = {"a", "an", "the", "of", "in", "with", "and", "or", "to", "than",
                                                  "by", "from", "at", "on", "not", "very", "more", "less", "de",
                                                  "la", "le", "et", "der", "die", "und", "mit", "y", "del"};
    const std::string_view before = words[1].second;
    if (letters(words[0].second, false) && words[0].second.size() >= 5 &&
        std::find(std::begin(kLinks), std::end(kLinks), before) == std::end(kLinks)) {
        // With its genus, and the rank and epithet between them, whatever
        // ends the text before: "... 2n=12 Eschscholzia minutiflora subsp. covillei".
        std::size_t k = 1;
        while (k + 1 < words.size() && k < 4 &&
               (letters(words[k].second, false) || words[k].second == "subsp." || words[k].second == "var."))
            ++k;
        const std::string_view genus = k < words.size() ? words[k].second : std::string_view();
        const bool abbreviated = genus.size() == 2 && genus[0] >= 'A' && genus[0] <= 'Z' && genus[1] == '.';
        if (k > 1 ? abbreviated || (letters(genus, true) && genus.back() != '.') : letters(genus, true) && genus.back() != '.')
            return words[k].first;
        return words[0].first;
    }
    // The genus, then its authors: capitalised or abbreviated words, "&".
    for (std::size_t k = 0; k + 1 < words.size() && k <= 4; ++k) {
        const std::string_view w = words[k].second;
        const std::string_view prior = words[k + 1].second;
        const char last = prior.back();
        // An initial or an author's abbreviation ends no sentence: "A. Gray", "Webb & Berth.".
        const bool abbreviation = prior.size() <= 6 && prior[0] >= 'A' && prior[0] <= 'Z';
        const bool afterSentence =
            (last == '.' && !abbreviation) || last == ')' || last == ']' || prior.ends_with("\u201D");
        if (letters(w, true) && w.back() != '.' && (afterSentence || (k == 0 && last >= 'a' && last <= 'z')))
            return words[k].first;
        if (!authorWord(w) || std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; })) break;
    }
    return std::string_view::npos;
}

// A line whose reference stands after a run of blanks ("St. dun      2"):
// its lead ends there.
bool referenceSetApart(std::string_view line) {
    const std::string prior = trimmed(line);
    const std::size_t lastBlank = prior.find_last_of(' ');
    return lastBlank != std::string::npos && lastBlank >= 2 && prior.compare(lastBlank - 2, 3, "   ") == 0 &&
           endsWithDestination(line);
}

// A heading set in capitals: three words at least, letters, none in lower case.
bool capitalsHeading(std::string_view s) {
    int letters = 0;
    for (const char c : s) {
        if (c >= 'a' && c <= 'z') return false;
        letters += c >= 'A' && c <= 'Z' ? 1 : 0;
    }
    return letters >= 10 && std::count(s.begin(), s.end(), ' ') >= 2;
}

// A capital at `i`: unaccented, or an accented Latin capital ("É", "Á").
bool capitalAt(std::string_view s, std::size_t i) {
    if (i >= s.size()) return false;
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 'A' && c <= 'Z') return true;
    return c == 0xC3 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
           static_cast<unsigned char>(s[i + 1]) <= 0x9E && static_cast<unsigned char>(s[i + 1]) != 0x97;
}

// A sentence that starts at `i`, maybe after the back-reference to the
// couplet of origin and the label's stop, each may be set apart by blanks as
// markup gives them: "Wings", "(38) Élitros", ". Wings", "( 1 ). Wings".
bool sentenceAfterBackReference(std::string_view s, std::size_t i) {
    auto blanks = [&](std::size_t k) {
        while (k < s.size() && (s[k] == ' ' || s[k] == '\t')) ++k;
        return k;
    };
    if (i < s.size() && s[i] == '(') {
        std::size_t j = blanks(i + 1);
        const std::size_t digits = j;
        while (j < s.size() && asciiDigit(s[j])) ++j;
        if (j == digits) return false;
        j = blanks(j);
        if (j >= s.size() || s[j] != ')') return false;
        i = blanks(j + 1);
    }
    if (i + 1 < s.size() && s[i] == '.' && (s[i + 1] == ' ' || s[i + 1] == '\t')) i = blanks(i + 1);
    // The first word may stand in emphasis marks ("=Annulus= wanting").
    while (i < s.size() && emphasisMark(s[i])) ++i;
    return capitalAt(s, i);
}

// A word that starts a lead: a couplet number ("2", "2(1)", "2.") or a
// mark of the second lead ("-", "–").
bool leadStartWord(std::string_view w) {
    if (w == "-" || w == "\u2013" || w == "\u2014") return true;
    std::size_t i = 0;
    while (i < w.size() && asciiDigit(w[i])) ++i;
    if (i == 0 || i > 4) return false;
    if (i < w.size() && w[i] == '(') {
        std::size_t j = i + 1;
        while (j < w.size() && asciiDigit(w[j])) ++j;
        if (j == i + 1 || j >= w.size() || w[j] != ')') return false;
        i = j + 1;
    }
    return i == w.size() || (i + 1 == w.size() && w[i] == '.');
}

bool clearLeaderAt(std::string_view s, std::size_t i, std::size_t& end) {
    std::size_t j = i;
    while (std::size_t l = j < s.size() ? leaderAt(s, j) : 0) j += l;
    end = j;
    // Three dots at least, an ellipsis counting for three.
    const std::string_view run = s.substr(i, j - i);
    std::size_t dots = static_cast<std::size_t>(std::count(run.begin(), run.end(), '.'));
    for (std::size_t at = run.find("\u2026"); at != std::string_view::npos; at = run.find("\u2026", at + 1)) dots += 3;
    return j > i && leaderRun(run) && dots >= 3;
}

// Leads run together on one line ("1. Wings dark ..... 2 Wings pale ..... 5"):
// split after each leader's ending, before the next lead's number, mark or
// (when the line has neither) capital.
std::vector<std::string> splitRunTogether(const std::string& line) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t end;
        if (line[i] == ' ' || !clearLeaderAt(line, i, end)) { ++i; continue; }
        // The ending: a number, or the words of a name.
        std::size_t k = end;
        while (k < line.size() && line[k] == ' ') ++k;
        std::size_t w = k;
        while (w < line.size() && asciiDigit(line[w])) ++w;
        std::size_t cut = std::string::npos;
        auto wordAt = [&](std::size_t at) {
            std::size_t e = at;
            while (e < line.size() && line[e] != ' ') ++e;
            return std::string_view(line).substr(at, e - at);
        };
        if (w > k && (w == line.size() || line[w] == ' ')) {
            cut = w;
            // A figure call after the reference is the lead's: "... 2 (Fig. 3)".
            const std::size_t open = line.find_first_not_of(' ', w);
            if (open != std::string::npos && line[open] == '(')
                if (const std::size_t close = line.find(')', open);
                    close != std::string::npos && figureCall(std::string_view(line).substr(open + 1, close - open - 1)))
                    cut = close + 1;
        } else {
            // Past the name's first word, the next lead's start.
            // Without a number or mark, the first capitalised word, when a
            // leader follows (the second lead's own).
            // Or, whatever its case, where the lead's own first words come
            // again: a couplet's leads open alike ("a = 45-59 ... a = 39-47").
            std::size_t open = from;
            while (open < line.size() && line[open] == ' ') ++open;
            if (leadStartWord(wordAt(open))) open += wordAt(open).size();
            while (open < line.size() && line[open] == ' ') ++open;
            const std::string_view opening = open < k ? wordAt(open) : std::string_view();
            std::size_t openingNext = open + opening.size();
            while (openingNext < line.size() && line[openingNext] == ' ') ++openingNext;
            const std::string_view openingSecond = openingNext < k ? wordAt(openingNext) : std::string_view();
            std::size_t at = k, capital = std::string::npos, parallel = std::string::npos;
            bool first = true;
            std::string_view previous;
            while (at < line.size()) {
                const std::string_view word = wordAt(at);
                std::size_t after = at + word.size();
                while (after < line.size() && line[after] == ' ') ++after;
                std::size_t leaderEnd;
                if (clearLeaderAt(line, at, leaderEnd) || (word.find("...") != std::string_view::npos)) {
                    cut = parallel != std::string::npos ? parallel : capital;
                    break;
                }
                // A short first word must come again with the word after it.
                if (!first && parallel == std::string::npos && !opening.empty() && word == opening &&
                    (opening.size() >= 4 || (!openingSecond.empty() && after < line.size() && wordAt(after) == openingSecond)))
                    parallel = at;
                // A number starts a lead before a capital ("5(2) Gonocoxite", not
                // "55 mm"), but not the year after an author ("Zhao, 2011 Body").
                const bool year = word.size() == 4 && previous.ends_with(",");
                if (!first && !year && leadStartWord(word) && after < line.size() &&
                    (!asciiDigit(word[0]) || sentenceAfterBackReference(line, after))) {
                    cut = at;
                    break;
                }
                // A sentence's first word, not an author's name: "Body length",
                // not "Andrássy, 2011", "Tahseen & Nusrat", "Cid del Prado".
                const std::size_t second = static_cast<unsigned char>(word[0]) >= 0x80 ? 2 : 1;
                const std::string_view next = after < line.size() ? wordAt(after) : std::string_view();
                static constexpr std::string_view kParticles[] = {"de", "del", "della", "van", "von", "da", "do", "dos",
                                                                  "du", "la", "le", "ter", "zu"};
                const bool sentence = !next.empty() && next[0] >= 'a' && next[0] <= 'z' && !word.ends_with(",") &&
                                      std::find(std::begin(kParticles), std::end(kParticles), next) == std::end(kParticles);
                if (!first && capital == std::string::npos && word.size() > second && capitalAt(word, 0) &&
                    word[second] >= 'a' && word[second] <= 'z' && sentence)
                    capital = at;
                first = false;
                previous = word;
                at = after;
            }
        }
        if (cut != std::string::npos && cut < line.size()) {
            std::size_t next = cut;
            while (next < line.size() && line[next] == ' ') ++next;
            if (next < line.size()) {
                out.push_back(trimmed(std::string_view(line).substr(from, cut - from)));
                from = next;
            }
        }
        i = std::max(end, cut == std::string::npos ? end : cut);
    }
    if (out.empty()) return {line};
    out.push_back(trimmed(std::string_view(line).substr(from)));
    return out;
}

// A lead set out as a paragraph may run on into the next, unnumbered lead
// after its name in marks ("... =Macrocalyx= Cost. & Poisson Epicalyx
// 11-toothed. ..."): where that lead starts, or npos. The name's authors are
// the capitalised words after the closing mark; the next lead starts with
// the capitalised word that a word in lower case or a number follows.
std::size_t runOnAfterMarkedName(std::string_view s) {
    auto wordAt = [&](std::size_t at) {
        std::size_t e = at;
        while (e < s.size() && s[e] != ' ') ++e;
        return s.substr(at, e - at);
    };
    std::size_t scanned = 0;  // the brackets opened before `scanned`, counted once
    int depth = 0;
    for (std::size_t open = s.find_first_of("=_*"); open != std::string_view::npos && open + 2 < s.size();
         open = s.find_first_of("=_*", open + 1)) {
        if (open == 0 || s[open - 1] != ' ') continue;
        const std::size_t close = s.find(s[open], open + 1);
        // A name inside brackets is a remark ("(Including _Karlea_ Pierre)").
        for (; scanned < open; ++scanned) depth += s[scanned] == '(' ? 1 : s[scanned] == ')' ? -1 : 0;
        if (depth > 0) {
            if (close == std::string_view::npos) break;
            open = close;
            continue;
        }
        if (close == std::string_view::npos || close - open < 3 || close - open > 60) break;
        std::size_t at = close + 1;
        while (at < s.size() && (s[at] == '.' || s[at] == ',')) ++at;
        if (at >= s.size() || s[at] != ' ') {
            open = close;
            continue;
        }
        for (int words = 0; words <= 5; ++words) {
            while (at < s.size() && s[at] == ' ') ++at;
            if (at >= s.size()) return std::string_view::npos;
            const std::string_view word = wordAt(at);
            std::size_t next = at + word.size();
            while (next < s.size() && s[next] == ' ') ++next;
            const std::string_view after = next < s.size() ? wordAt(next) : std::string_view{};
            const bool capital = std::isupper(static_cast<unsigned char>(word[0])) && word.size() >= 3 &&
                                 std::all_of(word.begin() + 1, word.end(), [](char c) {
                                     return std::islower(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80;
                                 });
            // A sentence of a few words at least, not a name's last author.
            const bool sentence = !after.empty() && (std::islower(static_cast<unsigned char>(after[0])) || asciiDigit(after[0]));
            if (capital && sentence && !authorWord(after) && s.size() - at >= 20) return at;
            if (!authorWord(word)) break;
            at = next;
        }
        open = close;
    }
    return std::string_view::npos;
}

}  // namespace

std::size_t bookNumberLength(std::string_view name) {
    std::size_t d = 0;
    while (d < name.size() && asciiDigit(name[d])) ++d;
    if (d == 0 || d > 4) return 0;
    std::size_t at = d;
    if (at < name.size() && name[at] >= 'a' && name[at] <= 'z' && at + 1 < name.size() && name[at + 1] == '.') ++at;
    if (at + 2 >= name.size() || name[at] != '.') return 0;
    // A copy from a typeset page may lose the blank: "2.Liquidambar cambodiana".
    const bool glued = name[at + 1] >= 'A' && name[at + 1] <= 'Z' && name[at + 2] >= 'a' && name[at + 2] <= 'z';
    if (name[at + 1] != ' ' && !glued) return 0;
    const std::size_t start = glued ? at + 1 : at + 2;
    // The name, maybe in quotes or marks: "20. \u201CLactarius deliciosus\u201D group".
    std::string_view rest = name.substr(start);
    for (std::string_view quote : {"\u201C", "\u00AB", "\u2018", "\"", "'", "_", "=", "*"})
        if (rest.starts_with(quote)) {
            rest.remove_prefix(quote.size());
            break;
        }
    return !rest.empty() && (std::isalpha(static_cast<unsigned char>(rest[0])) || capitalAt(rest, 0)) ? start : 0;
}

std::size_t bookNumberAfterLeader(std::string_view text) {
    while (text.ends_with(' ')) text.remove_suffix(1);
    if (!text.ends_with('.')) return std::string_view::npos;
    std::size_t d = text.size() - 1;
    while (d > 0 && asciiDigit(text[d - 1])) --d;
    if (d + 1 == text.size() || text.size() - 1 - d > 3 || d == 0 || text[d - 1] != ' ') return std::string_view::npos;
    const std::string before = trimmed(text.substr(0, d));
    return before.ends_with("..") || before.ends_with("\u2026") || before.ends_with(". .") ? d : std::string_view::npos;
}

bool dropBookNumber(std::string& name) {
    const std::size_t length = bookNumberLength(name);
    name.erase(0, length);
    return length > 0;
}

namespace {

// A name a leader sets apart, of a few words starting with a letter: what a
// page after a comma may follow.
bool pageAfterLeaderName(std::string_view name) {
    if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || capitalAt(name, 0))) return false;
    return std::count(name.begin(), name.end(), ' ') <= 5 && referenceWordsStart(name) == std::string_view::npos;
}

// Whether a capital (or a Latin-1 letter, maybe one) follows the last
// small letter of `s`: a name in capitals at its end needs one.
bool capitalAfterLastSmall(std::string_view s) {
    std::size_t i = s.size();
    while (i > 0 && !(s[i - 1] >= 'a' && s[i - 1] <= 'z')) --i;
    return std::ranges::any_of(s.substr(i), [](char c) { return (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) == 0xC3; });
}

// A name in capitals set apart by a leader ("H. ALBA", "MICROCHIROPTERA"):
// a figure after it is a note's call or a plate's, no reference.
bool capitalsName(std::string_view name) {
    if (!pageAfterLeaderName(name)) return false;
    bool letters = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'a' && c <= 'z') return false;
        letters = letters || capitalAt(name, i);
    }
    return letters && name.find_first_of("0123456789") == std::string_view::npos;
}

// A name after one blank: an abbreviated binomial ("E. strictus",
// "L. _alba_"), maybe after the book's species number ("14."), then at most a
// few author words.
LeadEnding binomialEnding(const std::string& s) {
    LeadEnding out;
    const std::size_t at = binomialStart(s);
    if (at == std::string::npos) return out;
    std::size_t textEnd = at;
    // The book's number before the name is neither text nor name.
    std::size_t k = at;
    while (k > 0 && s[k - 1] == ' ') --k;
    if (k > 0 && s[k - 1] == '.') {
        std::size_t d = k - 1;
        while (d > 0 && asciiDigit(s[d - 1])) --d;
        if (d < k - 1 && (d == 0 || s[d - 1] == ' ')) {
            textEnd = d;
            out.bookNumber = true;
        }
    }
    out.text = beforeLeader(std::string_view(s).substr(0, textEnd));
    if (out.text.empty()) return {};
    // A name inside a bracket the text opened is a remark, a synonym
    // ("- (C. parallelipennis Solsky.)"), not the lead's ending.
    if (std::count(out.text.begin(), out.text.end(), '(') > std::count(out.text.begin(), out.text.end(), ')')) return {};
    out.name = unmarkedName(std::string_view(s).substr(at));
    return out;
}

}  // namespace

// A journal's running head or foot with its page, told by its marks.
bool journalPageLine(std::string_view s) {
    // A journal's running head or foot with its page: "Zootaxa 4969 (2) ©
    // 2021 Magnolia Press · 245", "246 · doi:10.3897/zookeys.9.1".
    {
        const std::size_t first = s.find_first_not_of(" \t"), last = s.find_last_not_of(" \t.");
        // A line of stops alone has no last word.
        const bool paged = last != std::string_view::npos && (asciiDigit(s[first]) || asciiDigit(s[last]));
        if (paged && s.size() <= 160)
            for (std::string_view mark : {"\u00A9", "doi:", "doi.org", "ISSN", "http"})
                if (s.find(mark) != std::string_view::npos) return true;
    }
    // A page's number set apart from the journal's title by a middle dot:
    // "54 \u00B7 ZooKeys 123: 1\u201350 (2019)" (not a bar: a table's cells).
    {
        const std::string t = trimmed(s);
        for (std::string_view bar : {" \u00B7 "}) {
            const std::size_t first = t.find(bar), last = t.rfind(bar);
            auto number = [](std::string_view n) {
                return !n.empty() && n.size() <= 4 && std::all_of(n.begin(), n.end(), asciiDigit);
            };
            if (first != std::string::npos &&
                (number(std::string_view(t).substr(0, first)) || number(std::string_view(t).substr(last + bar.size()))))
                return true;
        }
    }
    return false;
}

bool pageFurniture(std::string_view s) {
    if (journalPageLine(s)) return true;
    // A page's number between dashes: "— 24 —", "- 24 -".
    for (std::string_view dash : {"-", "\u2013", "\u2014"})
        if (s.size() > 2 * dash.size() + 2 && s.starts_with(dash) && s.ends_with(dash) && s[dash.size()] == ' ' &&
            s[s.size() - dash.size() - 1] == ' ') {
            const std::string_view number = s.substr(dash.size() + 1, s.size() - 2 * dash.size() - 2);
            return !number.empty() && number.size() <= 4 && std::all_of(number.begin(), number.end(), asciiDigit);
        }
    std::size_t b = 0, e = s.size();
    while (b < e && asciiDigit(s[b])) ++b;
    if (b == e) return b > 0 && b <= 4;
    if (b == 0) {
        while (e > 0 && asciiDigit(s[e - 1])) --e;
        if (e == s.size() || s.size() - e > 4 || s[e - 1] != ' ') return false;
    } else if (b > 4 || s[b] != ' ') {
        return false;
    }
    // A leader before the number makes it a lead's reference ("=CAPPARIDOIDEAE=.] ...... 2").
    for (std::string_view leader : {"..", ". .", "\u2026", "\u00B7\u00B7"})
        if (s.find(leader) != std::string_view::npos) return false;
    int run = 0, words = 0;
    for (char c : s.substr(b, e - b)) {
        if (c >= 'a' && c <= 'z') return false;
        run = c >= 'A' && c <= 'Z' ? run + 1 : 0;
        if (run == 3) ++words;
    }
    return words >= 1;
}

bool pageHead(std::string_view s) {
    const std::string t = trimmed(s);
    if (t.empty() || !pageFurniture(t)) return false;
    // The page at one end only: "1 LEAVES OPPOSITE 2" is a lead in capitals.
    if (asciiDigit(t.front()) && asciiDigit(t.back())) return false;
    // A title of two words at least, in plain capitals: a name in marks or
    // brackets with its reference ("=CALOPHYLLOIDEAE=.] 14") ends a lead.
    int words = 0;
    bool inWord = false;
    for (char c : t) {
        const bool letter = c >= 'A' && c <= 'Z';
        if (!letter && !asciiDigit(c) && std::string_view(" .,'&-").find(c) == std::string_view::npos) return false;
        words += letter && !inWord ? 1 : 0;
        inWord = letter;
    }
    return words >= 2;
}

// The words (or the arrow, the dash) that send on to a couplet, ending
// `head`: where they start, or npos. A word stands after a blank or at the
// start ("cover 2" is no "ver 2").
std::size_t referenceWordsStart(std::string_view head) {
    for (std::string_view sign : {"\u2192", "->", "=>", "--", "\u2014"})
        if (head.ends_with(sign)) return head.size() - sign.size();
    // Words that send on, in the key's languages, and the words for the
    // couplet or its number ("voir le couplet 4", "pasa al par 4", "weiter
    // bei Nr. 4", "ir para o 4"); the words that link them count only with one.
    static constexpr std::string_view kSending[] = {
        "go", "see", "voir", "aller", "passer", "siehe", "s.", "weiter", "ver", "vea", "véase", "ir", "pase", "pasa",
        "pasar", "veja", "vá", "vai", "passe", "passar", "vide", "v.", "ad", "cf.", "couplet", "nr.", "nr", "no.",
        "n\u00B0", "n\u00BA", "núm.", "num.", "número", "numéro", "vedi", "passa", "zie", "ga", "vgl.", "turn"};
    static constexpr std::string_view kLinking[] = {"to", "à", "au", "le", "la", "a", "al", "o", "para", "bei", "zu",
                                                    "zum", "par", "pair", "paire", "dilemme", "alternative", "the",
                                                    "naar", "coppia", "paar"};
    std::size_t end = head.size(), start = std::string_view::npos;
    for (int words = 0; words < 6 && end > 0; ++words) {
        std::size_t b = end;
        while (b > 0 && head[b - 1] != ' ' && head[b - 1] != '\t' && head[b - 1] != '(' && head[b - 1] != ',') --b;
        const std::string_view word = head.substr(b, end - b);
        std::string lower = text::lower(std::string(word));
        // Fraktur's long s, as a scan keeps it ("ſiehe").
        for (std::size_t at = lower.find("\u017F"); at != std::string::npos; at = lower.find("\u017F", at))
            lower.replace(at, 2, "s");
        if (std::find(std::begin(kSending), std::end(kSending), lower) != std::end(kSending)) {
            if (lower == "s." && word[0] == 'S') break;  // "S. 45" is a page
            start = b;
        } else if (std::find(std::begin(kLinking), std::end(kLinking), lower) == std::end(kLinking)) {
            break;
        }
        end = b;
        while (end > 0 && (head[end - 1] == ' ' || head[end - 1] == '\t')) --end;
        if (end < b && end > 0 && (head[end - 1] == '(' || head[end - 1] == ',')) break;
        if (end == b) break;
    }
    return start;
}

namespace {

// The book's page after a name: ", p. 479", " (p. 4)", " page 56.",
// " S. 45": where it starts (its comma or bracket), or npos.
std::size_t pageNoteStart(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && (s[e - 1] == '.' || s[e - 1] == ')' || s[e - 1] == ' ')) --e;
    std::size_t b = e;
    while (b > 0 && (asciiDigit(s[b - 1]) || s[b - 1] == '-')) --b;
    if (b == e || b < 3 || s[b - 1] != ' ') return std::string_view::npos;
    const std::size_t wordEnd = b - 1;
    std::size_t w = wordEnd;
    while (w > 0 && s[w - 1] != ' ' && s[w - 1] != '(') --w;
    if (std::ranges::find(text::kPageWords, s.substr(w, wordEnd - w)) == std::end(text::kPageWords)) return std::string_view::npos;
    if (w > 0 && s[w - 1] == '(') --w;
    while (w > 0 && s[w - 1] == ' ') --w;
    if (w > 0 && s[w - 1] == ',') --w;
    return w;
}

}  // namespace

bool figureWord(std::string_view word) {
    static constexpr std::string_view kWords[] = {
        "fig.",    "fig",   "figs.",  "figs", "fg.",    "figure", "figures", "figura", "figuras", "abb.",  "abbildung",
        "taf.",    "tafel", "plate",  "plates", "pl.", "pl",  "plaat",  "planche", "lám.",   "lámina", "prancha", "tab.", "tabula"};
    const std::string lower = text::lower(word);
    return std::find(std::begin(kWords), std::end(kWords), lower) != std::end(kWords);
}

bool figureCall(std::string_view call) {
    const std::size_t space = call.find(' ');
    if (space == std::string_view::npos || space + 1 >= call.size() || !asciiDigit(call[space + 1])) return false;
    return figureWord(call.substr(0, space));
}

bool figureCaption(std::string_view line) {
    if (line.starts_with("\u2022")) line.remove_prefix(3);
    while (!line.empty() && line[0] == ' ') line.remove_prefix(1);
    if (!figureCall(line)) return false;
    const std::size_t space = line.find(' ');
    // The number, then the caption's stop: "Figure 1.", "Figs 3–5:", not a call "Figure 6 (c)".
    const std::size_t stop = line.find_first_of(".:", space + 1);
    return stop != std::string_view::npos && stop - space <= 12 &&
           line.substr(space + 1, stop - space - 1).find_first_of("()") == std::string_view::npos;
}

namespace {

// One lead as read: its couplet, its text with its ending, and the couplet
// it says it comes from ("21(20)").
struct Lead {
    int couplet;
    std::string body;
    int origin;
    std::size_t lastLine = std::string::npos;  // where the last line joined to the lead starts in `body`
    int from = -1;
    std::size_t lineBefore = std::string::npos;  // where the line before that one starts, when known
};

// The couplet of origin in the gap after a label: "(20)", " (20) ".
int backReference(std::string_view gap) {
    const std::size_t open = gap.find('(');
    if (open == std::string_view::npos) return -1;
    std::size_t d = open + 1;
    int value = 0;
    while (d < gap.size() && asciiDigit(gap[d]) && d - open <= 4) value = value * 10 + (gap[d++] - '0');
    return d > open + 1 && d < gap.size() && gap[d] == ')' ? value : -1;
}

// A reference misread in a scan ("1" for "21") is mended by the couplet
// that names its origin: couplet 21 says it comes from 20, no lead of 20
// leads to it, and one lead of 20 goes nowhere sound (to no couplet, to the
// first, or back). Returns the references mended.
int repairFromBackReferences(const std::vector<Lead>& leads, std::vector<LeadEnding>& endings) {
    std::map<int, int> origin;  // couplet -> its origin
    std::map<int, std::vector<std::size_t>> leadsOf;
    std::set<int> reached;
    for (std::size_t k = 0; k < leads.size(); ++k) {
        leadsOf[leads[k].couplet].push_back(k);
        if (leads[k].from >= 0) origin.emplace(leads[k].couplet, leads[k].from);
        if (endings[k].reference >= 0) reached.insert(endings[k].reference);
    }
    if (leads.empty() || origin.size() < 2) return 0;
    const int root = leads.front().couplet;
    int repaired = 0;
    for (const auto& [couplet, from] : origin) {
        if (reached.count(couplet) || !leadsOf.count(from)) continue;
        std::size_t unsound = leads.size();
        int count = 0;
        for (std::size_t k : leadsOf[from]) {
            const int r = endings[k].reference;
            if (r < 0) continue;
            if (r == root || r <= from || !leadsOf.count(r)) {
                unsound = k;
                ++count;
            }
        }
        if (count != 1) continue;
        endings[unsound].reference = couplet;
        reached.insert(couplet);
        ++repaired;
    }
    return repaired;
}

// A number ending the line after a name in marks ("=Coprinus.=   32") that
// no couplet bears: the book's page, not a reference.
bool pageAfterMarkedName(std::string_view line, const std::set<int>& labels) {
    const int number = trailingNumber(line);
    if (number < 0 || labels.count(number)) return false;
    std::size_t e = line.find_last_not_of(" \t");
    while (e > 0 && asciiDigit(line[e])) --e;
    return markedNameStart(line.substr(0, e + 1)) != std::string_view::npos;
}

// A footnote's first line: a dagger or a superscript number before its text,
// or a star before a sentence ("* Measured on dry specimens."; a star before
// a number marks a lead).
bool footnoteStart(std::string_view line) {
    const std::size_t b = line.find_first_not_of(" \t");
    if (b == std::string_view::npos) return false;
    for (std::string_view mark : kFootnoteMarks)
        if (line.substr(b, mark.size()) == mark) return true;
    if (line[b] == '*') {
        const std::size_t at = line.find_first_not_of(' ', b + 1);
        return at != std::string_view::npos && at <= b + 2 && capitalAt(line, at) &&
               line.find(' ', at) != std::string_view::npos;
    }
    return false;
}

// Copies that set each field of a lead on a line of its own (a journal's
// XML or HTML page: every figure call, italic name and number its own line)
// give a lead over many lines. A lead goes on while it has no ending, or
// while a bracket stays open ("(" then "Figures 1" then "(h,i))"); after a
// leader come its reference or its name, the book's number ("6.") before
// the name, and the name's tail ("sp. nov.", authors); its full stop alone
// on a line closes it too.
enum class LeadState { Open, AwaitName, Named, Closed };

bool numberAlone(std::string_view s, bool& stop) {
    stop = !s.empty() && s.back() == '.';
    if (stop) s.remove_suffix(1);
    return !s.empty() && s.size() <= 4 && std::all_of(s.begin(), s.end(), asciiDigit);
}

bool nameTail(std::string_view s) {
    // The book's page or number after the name: "p. 90", "(p. 4)", "(no. 6)",
    // alone or after the name's last words ("Buckleyi (no. 8)").
    if (const std::size_t page = pageNoteStart(" " + std::string(s)); page == 0) return true;
    for (std::string_view word : text::kBookNumberWords) {
        const std::string number = "(" + std::string(word) + " ";
        if (const std::size_t at = s.rfind(number); at != std::string_view::npos && s.ends_with(")") &&
                                                   s.size() - at - number.size() <= 5 &&
                                                   std::all_of(s.begin() + static_cast<std::ptrdiff_t>(at + number.size()),
                                                               s.end() - 1, asciiDigit)) {
            if (at == 0) return true;
            s = s.substr(0, at);
            while (s.ends_with(" ")) s.remove_suffix(1);
            break;
        }
    }
    // The authors may stand in brackets: "(Giordani Soika, 1933)", "(Less.) H. Rob.".
    int words = 0;
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t end = std::min(s.find(' ', at), s.size());
        std::string_view word = s.substr(at, end - at);
        if (word.starts_with("(")) word.remove_prefix(1);
        while (word.ends_with(")") || word.ends_with(").") || word.ends_with("),"))
            word.remove_suffix(word.ends_with(")") ? 1 : 2);
        if (!word.empty() && (!nameTailWord(word) || ++words > 5)) return false;
        at = end + 1;
    }
    return words > 0;
}

// A lead's line that ends with a word calling for a number ("as in Fig.",
// "(see p.", "Taf."): the number starts the next line.
bool callAtEnd(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    const std::size_t space = s.find_last_of(" (");
    const std::string word = text::lower(std::string(s.substr(space == std::string_view::npos ? 0 : space + 1)));
    for (std::string_view call : {"fig.", "figs.", "figs", "fig", "p.", "pp.", "pl.", "no.", "nr.", "taf.", "abb.", "tab."})
        if (word == call) return true;
    return false;
}

// A line that starts with a leader carries on the lead above ("    ........ 6").
bool startsWithLeader(std::string_view s) {
    std::size_t b = s.find_first_not_of(" \t"), e = b;
    // Not a dash: it marks a couplet's next lead ("\u2013\tWings pale").
    if (b == std::string_view::npos || !(s[b] == '.' || s.substr(b).starts_with("\u2026") || s.substr(b).starts_with("\u00B7")))
        return false;
    while (std::size_t l = e < s.size() ? leaderAt(s, e) : 0) e += l;
    return e > b && leaderRun(s.substr(b, e - b));
}

// Whether the line ends with a clear leader: its destination is still to come.
bool endsWithLeader(std::string_view s) {
    std::size_t e = s.size();
    while (std::size_t l = leaderBefore(s, e)) e -= l;
    return e < s.size() && leaderRun(s.substr(e));
}

LeadState stateAfter(LeadState state, std::string_view line, int& depth) {
    for (char c : line) depth += c == '(' || c == '[' ? 1 : c == ')' || c == ']' ? -1 : 0;
    depth = std::max(depth, 0);
    if (depth > 0) return LeadState::Open;
    if (endsWithLeader(line)) return LeadState::AwaitName;
    bool stop = false;
    if (numberAlone(line, stop)) return stop && state == LeadState::AwaitName ? LeadState::AwaitName : LeadState::Closed;
    if (state == LeadState::AwaitName) return LeadState::Named;
    const LeadEnding e = splitLeadEnding(line);
    return e.reference >= 0 ? LeadState::Closed : !e.name.empty() ? LeadState::Named : LeadState::Open;
}

// A line that starts a lead for sure: a couplet number or a mark before a
// word that starts a sentence ("3–4.4 mm", "20 mm", "6." alone do not).
bool startsLead(std::string_view line) {
    const LineStart ls = readLineStart(line);
    if (ls.kind != LineStart::Kind::Digits && ls.kind != LineStart::Kind::Mark) return false;
    // The first word may stand in emphasis marks, brackets or quotes ("2. =Gills= free", "3. (Males) Wings").
    std::size_t at = ls.textStart;
    while (at < line.size() && (emphasisMark(line[at]) || line[at] == '(' || line[at] == '"')) ++at;
    for (std::string_view quote : {"\u00AB", "\u201C", "\u201E"})
        if (line.substr(at).starts_with(quote)) at += quote.size();
    if (at >= line.size()) return false;
    const auto first = static_cast<unsigned char>(line[at]);
    return first >= 0x80 || std::isupper(first) || (ls.kind == LineStart::Kind::Mark && std::isalpha(first));
}

}  // namespace

std::string countedMessage(const char* many, const char* one, int n) {
    if (n == 1 && one) return one;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, many, n);
    return buffer;
}

std::size_t cutMarkBefore(std::string_view to) {
    // Blanks a copy left after the mark are read with it ("Blüten— ").
    const std::size_t blanks = to.size() - std::min(to.size(), to.find_last_not_of(" \t") + 1);
    to.remove_suffix(blanks);
    // Fraktur sets its hyphen double, and a scan reads it as a dash or an
    // equals sign glued to the word ("Blüten—", "Wald=").
    static constexpr std::string_view kMarks[] = {"-", "\u00AC", "\u2E17", "\u2E40", "\u2014", "\u2013", "="};
    for (std::string_view mark : kMarks)
        if (to.size() > mark.size() && to.ends_with(mark)) {
            // After a letter, accented ones too ("Trau¬", "Blü-"), not after
            // another mark: "dark———" is a leader.
            const std::size_t at = to.size() - mark.size();
            const auto before = static_cast<unsigned char>(to[at - 1]);
            if (!std::isalpha(before) && before < 0x80) return 0;
            if (std::any_of(std::begin(kMarks), std::end(kMarks), [&](std::string_view m) { return to.substr(0, at).ends_with(m); }))
                return 0;
            // "=Quercus=" closes the marks of a name: no cut.
            if (mark == "=") {
                const std::size_t word = to.find_last_of(" \t", at);
                if (to.find('=', word == std::string_view::npos ? 0 : word + 1) < at) return 0;
            }
            return mark.size() + blanks;
        }
    return 0;
}

void joinWrapped(std::string& to, std::string_view more) {
    if (more.empty()) return;
    if (wordCutBefore(to, more)) {
        to.resize(to.size() - cutMarkBefore(to));
        to += more;
        return;
    }
    if (!to.empty()) to += ' ';
    to += more;
}

bool lowerCaseStart(std::string_view s) {
    if (s.empty()) return false;
    const auto c = static_cast<unsigned char>(s[0]);
    if (c < 0x80) return c >= 'a' && c <= 'z';
    const std::u32string first = text::toUtf32(text::firstChars(s, 1));
    if (first.empty()) return false;
    const char32_t u = first[0];
    // Latin-1 ("ä", "é", "ß"), Latin Extended-A ("ő", "œ", "ſ"), Greek, Cyrillic.
    if (u >= 0xDF && u <= 0xFF) return u != 0xF7;
    if (u >= 0x100 && u <= 0x137) return u % 2 == 1;
    if (u >= 0x139 && u <= 0x148) return u % 2 == 0;
    if (u >= 0x14A && u <= 0x177) return u % 2 == 1;
    if (u >= 0x17A && u <= 0x17E) return u % 2 == 0;
    // The ligatures a scan keeps ("ﬁ", "ﬂ") start a word in lower case too.
    return u == 0x17F || (u >= 0x3AC && u <= 0x3CE) || (u >= 0x430 && u <= 0x45F) || (u >= 0xFB00 && u <= 0xFB06);
}

bool wordCutBefore(std::string_view to, std::string_view more) {
    if (cutMarkBefore(to) == 0 || !lowerCaseStart(more)) return false;
    const std::string_view word = more.substr(0, more.find(' '));
    static constexpr std::string_view kConjunctions[] = {"oder", "od.", "und", "u.", "or", "and", "bis", "et", "of", "en", "tot",
                                                         "ou", "y", "o", "e", "to", "nor"};
    return std::find(std::begin(kConjunctions), std::end(kConjunctions), word) == std::end(kConjunctions);
}

int wordsLeftCut(std::string_view text) {
    int cut = 0;
    for (std::string_view mark : {"- ", "\u00AC ", "\u2E17 ", "\u2E40 ", "\u2014 ", "\u2013 ", "= "})
        for (std::size_t at = text.find(mark); at != std::string_view::npos; at = text.find(mark, at + mark.size()))
            cut += wordCutBefore(text.substr(0, at + mark.size() - 1), text.substr(at + mark.size())) ? 1 : 0;
    return cut;
}

std::string countedParts(std::initializer_list<CountedPart> parts) {
    std::string out;
    for (const CountedPart& p : parts)
        if (p.n > 0) out += (out.empty() ? "" : ", ") + countedMessage(p.many, p.one, p.n);
    return out;
}

namespace {
std::size_t nameInMarksStart(std::string_view line);
}

namespace {
// "(7)", "(12.)": a reference in brackets, no remark after a name.
bool bracketedNumber(std::string_view s) {
    if (s.size() < 3 || s.front() != '(' || s.back() != ')') return false;
    s = s.substr(1, s.size() - 2);
    if (s.ends_with('.')) s.remove_suffix(1);
    return !s.empty() && s.size() <= 4 && std::all_of(s.begin(), s.end(), [](char c) { return asciiDigit(c); });
}
}  // namespace

std::size_t markedNameStart(std::string_view line) {
    // The book's page may follow the name: "_P. alba_, p. 479".
    if (const std::size_t page = pageNoteStart(line); page != std::string_view::npos) line = line.substr(0, page);
    // So may a remark in brackets: "=Locellina= (not reported in U. S.).".
    std::size_t at = std::string_view::npos;
    if (const std::size_t close = line.find_last_not_of(" ."); close != std::string_view::npos && line[close] == ')')
        if (const std::size_t open = line.rfind('(', close); open != std::string_view::npos && open > 0 &&
                                                             line[open - 1] == ' ' && close - open <= 80 &&
                                                             !bracketedNumber(line.substr(open, close + 1 - open)))
            at = nameInMarksStart(line.substr(0, open));
    if (at == std::string_view::npos) at = nameInMarksStart(line);
    // A rank before the marks, the whole set after a column of blanks
    // ("...band       Genus _Ptychodiscus_"): the name starts at the column.
    for (std::size_t b = at, words = 0; at != std::string_view::npos && words < 2; ++words) {
        std::size_t end = b;
        while (end > 0 && line[end - 1] == ' ') --end;
        if (end == b || end == 0) break;
        std::size_t start = end;
        while (start > 0 && line[start - 1] != ' ' && line[start - 1] != '\t') --start;
        if (!authorWord(line.substr(start, end - start))) break;
        b = start;
        if ((b >= 3 && line.substr(b - 3, 3) == "   ") || (b > 0 && line[b - 1] == '\t')) return b;
    }
    return at;
}

namespace {

std::size_t nameInMarksStart(std::string_view line) {
    std::size_t end = line.find_last_not_of(" \t");
    if (end == std::string_view::npos) return std::string_view::npos;
    ++end;
    // Up to five author words after the closing mark.
    for (int words = 0;; ++words) {
        std::size_t b = end;
        while (b > 0 && line[b - 1] != ' ') --b;
        const std::string_view word = line.substr(b, end - b);
        std::size_t close = word.find_last_not_of(".,;");
        if (close != std::string_view::npos && emphasisMark(word[close])) {
            const char mark = word[close];
            // The opening mark starts a word, with no other mark of its kind between.
            const std::size_t closeAt = b + close;
            const std::size_t open = line.rfind(mark, closeAt - 1);
            if (open == std::string_view::npos || closeAt - open < 3 || (open > 0 && line[open - 1] != ' ')) break;
            if (open == 0 || trimmed(line.substr(0, open)).empty() || closeAt - open > 80) break;
            return open;
        }
        if (words >= 5 || b == 0 || !authorWord(word)) break;
        end = b;
        while (end > 0 && line[end - 1] == ' ') --end;
        // A column of blanks sets the name at the end apart from the marks
        // inside the lead ("(Including _Ficaria_ Dill.)      Ranunculus L.").
        if (end == 0 || b - end >= 3) break;
    }
    return std::string_view::npos;
}


LeadEnding endingOf(std::string_view body);
LeadEnding splitNameEnding(const std::string& body);
LeadEnding endingWithPage(std::string_view s);

}  // namespace

LeadEnding splitLeadEnding(std::string_view body) {
    std::string_view s = body;
    while (!s.empty() && (s.back() == '|' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    // The ending in brackets, a sentence's stop after them: "... verdickt
    // (2).", a name in marks "(_Pfirsich_)." as the name alone.
    if (s.ends_with(").") || s.ends_with(")")) {
        const std::string_view closed = s.ends_with(".") ? s.substr(0, s.size() - 1) : s;
        const std::size_t open = closed.rfind('(');
        const std::string_view inside =
            open == std::string_view::npos ? std::string_view() : closed.substr(open + 1, closed.size() - open - 2);
        if (open != std::string_view::npos && open > 0 && inside.size() > 2 && emphasisMark(inside.front()) &&
            inside.back() == inside.front() && inside.find(inside.front(), 1) == inside.size() - 1) {
            LeadEnding read;
            read.text = trimmed(s.substr(0, open));
            read.name = unmarkedName(inside);
            // Prose naming several ("147 (_Vipera ursinii_) to 330 (_Coluber_).") is no lead.
            if (!read.text.empty() && read.text.find(std::string("(") + inside.front()) == std::string::npos) return read;
        }
        if (s.ends_with(".")) {
            LeadEnding read = endingOf(closed);
            if (read.reference >= 0 && read.sentOn) return read;
        }
    }
    // A figure call after the ending belongs to the lead's text: "... 2 (Fig. 3)";
    // after a name in a cell of its own it stays in the cell ("...\tGeogenanthus
    // Ule (Fig. 1N)").
    if (s.ends_with(")"))
        if (const std::size_t open = s.rfind('('); open != std::string_view::npos && open > 0 && s[open - 1] == ' ' &&
                                                   figureCall(s.substr(open + 1, s.size() - open - 2))) {
            LeadEnding read = endingWithPage(s.substr(0, open));
            if (read.ends() && !read.text.empty()) {
                const std::size_t tab = s.rfind('\t', open);
                const bool nameCell = read.reference < 0 && tab != std::string_view::npos &&
                                      s.substr(tab + 1, open - tab - 1).find(read.name) != std::string_view::npos;
                std::string& to = nameCell ? read.name : read.text;
                to += ' ';
                to += s.substr(open);
                return read;
            }
        }
    return endingWithPage(s);
}

namespace {

LeadEnding endingWithPage(std::string_view s) {
    // The book's page after a name in marks, or after a reference in
    // brackets ("(2), p. 14"), is neither text nor name.
    if (const std::size_t page = pageNoteStart(s); page != std::string_view::npos && page > 0) {
        const std::string_view before = s.substr(0, page);
        const bool bracketed = before.back() == ')' || before.back() == ']';
        if (bracketed || markedNameStart(before) != std::string_view::npos) {
            LeadEnding read = endingOf(before);
            read.bookNumber = true;
            if (bracketed ? read.reference >= 0 : !read.name.empty()) return read;
        }
    }
    return endingOf(s);
}

LeadEnding endingOf(std::string_view body) {
    LeadEnding out;
    std::string s = trimmed(body);
    while (!s.empty() && (s.back() == '|' || s.back() == ' ')) s.pop_back();
    if (trailingNumber(s) < 0)
        if (LeadEnding named = binomialEnding(s); named.ends()) return named;
    if (const std::size_t at = markedNameStart(s); at != std::string_view::npos && trailingNumber(s) < 0) {
        out.text = beforeLeader(std::string_view(s).substr(0, at));  // not the leader before the name
        out.name = unmarkedName(std::string_view(s).substr(at));
        // The sentence's stop after a remark in brackets is not the name's.
        if (out.name.ends_with(").")) out.name.pop_back();
        return out;
    }
    // A number at the end, bare or in brackets, after words that send on.
    // Words in the brackets before the number make it no reference: the
    // book's page or the year after a name, "(p. 180)", "(Soika, 1933)",
    // read with the name below.
    std::size_t e = s.size();
    const bool bracketed = e > 0 && (s[e - 1] == ')' || s[e - 1] == ']');
    if (bracketed) --e;
    // "voir 3.": the stop after a reference sent on by words.
    const bool stopped = !bracketed && e > 1 && s[e - 1] == '.' && asciiDigit(s[e - 2]);
    if (stopped) --e;
    std::size_t b = e;
    while (b > 0 && asciiDigit(s[b - 1])) --b;
    // Words may send on inside the brackets: "(voir 2)", "[see 7]".
    std::size_t opening = b;
    if (bracketed && b > 1 && s[b - 1] == ' ') {
        const std::size_t open = s.find_last_of("([", b);
        const std::size_t words = open == std::string::npos ? std::string::npos
                                                            : referenceWordsStart(trimmed(std::string_view(s).substr(open + 1, b - open - 1)));
        if (words == 0) opening = open + 1;
    }
    const bool enclosed = !bracketed || (opening > 0 && (s[opening - 1] == '(' || s[opening - 1] == '['));
    const bool decimal = b >= 2 && s[b - 1] == '.' && asciiDigit(s[b - 2]);
    if (enclosed && !decimal && b < e && e - b <= 4 && (b == 0 || !std::isalnum(static_cast<unsigned char>(s[b - 1])))) {
        std::size_t cut = opening;
        if (bracketed) --cut;
        std::string head = s.substr(0, cut);
        while (!head.empty() && head.back() == ' ') head.pop_back();
        const std::size_t sentOn = referenceWordsStart(head);
        if (sentOn != std::string::npos) {
            // The colon or comma that introduces them goes with them ("Ailes
            // noires : voir 2", "Esporas blancas; pasa a 2").
            head.erase(sentOn);
            while (!head.empty() && (head.back() == ' ' || head.back() == ':' || head.back() == ',' || head.back() == ';'))
                head.pop_back();
        }
        // A stop after the number is the reference's when words or a column
        // of blanks or dots set it apart ("genähert      2."), not a count ("Stamens 5.").
        const std::string_view gap = std::string_view(s).substr(0, cut);
        const bool column = gap.ends_with("  ") || gap.ends_with("\t") || gap.ends_with("..") || gap.ends_with(". ") ||
                            gap.ends_with("\u2026");
        if (stopped && sentOn == std::string::npos && !column) return splitNameEnding(s);
        // Nor is a page after a name ("group), p. 90"), a figure call, or
        // the year after the authors ("et al., 2001").
        bool afterPage = !bracketed && e - b == 4 && head.ends_with(",");
        // A comma, one blank and a number after a name set after a leader is
        // the book's page ("..... Quercus alba, 156"), not a year ("Hoffman,
        // 2005"); a reference stands after the leader itself, or in a column
        // ("subgenus PROECHIMYS,      2").
        if (!bracketed && e - b <= 3 && b >= 2 && s.compare(b - 2, 2, ", ") == 0 && sentOn == std::string::npos)
            if (LeadEnding named = splitNameEnding(head.substr(0, head.size() - 1)); pageAfterLeaderName(named.name)) {
                named.bookNumber = true;
                return named;
            }
        // A name in capitals holds a capital after the lead's last small
        // letter: most leads are told so before the name is looked for.
        if (!bracketed && !stopped && e - b <= 2 && b >= 2 && s[b - 1] == ' ' && s[b - 2] != ' ' &&
            capitalAfterLastSmall(head) && sentOn == std::string::npos)
            if (LeadEnding named = splitNameEnding(head); capitalsName(named.name)) return named;
        for (const char* word : {"p.", "pp.", "page", "Fig.", "Figs", "Figs.", "fig.", "figs.", "Pl.", "pl.", "blz.", "pag.", "p\u00E1g.", "Seite", "S."})
            afterPage = afterPage || head == word || head.ends_with(std::string(" ") + word) ||
                        head.ends_with(std::string("(") + word);
        // A number in brackets after a name that follows a leader is the
        // name's number in the book ("..... C. alba (no. 1)", "..... Acer (12)",
        // "..... *Paulia Fée (no. 14)" with the book's mark).
        if (bracketed && !afterPage)
            if (const LeadEnding named = splitNameEnding(head);
                !named.name.empty() &&
                (capitalAt(named.name, 0) || (named.name.starts_with("\u201C") && capitalAt(named.name, 3)) ||
                 (named.name.starts_with("*") && capitalAt(named.name, 1))) &&
                referenceWordsStart(named.name) == std::string::npos)
                return splitNameEnding(s);
        // "(no. 14)" after a name printed without a leader is the name's
        // number in the book, as after a leader, no couplet sent on to.
        if (bracketed && !afterPage && opening < b) {
            const std::string inside = text::lower(trimmed(std::string_view(s).substr(opening, b - opening)));
            if (std::ranges::any_of(text::kBookNumberWords, [&](std::string_view w) { return text::lower(std::string(w)) == inside; }))
                if (const std::size_t at = fullBinomialStart(head); at != std::string::npos && at > 0) {
                    out.text = trimmed(std::string_view(head).substr(0, at));
                    out.name = head.substr(at) + ' ' + s.substr(opening - 1);
                    return out;
                }
        }
        // The book's number after a name in a column ("...      Tr. alba No. 26."):
        // no couplet sent on to.
        if (const std::string whole = trimmed(std::string_view(s).substr(0, cut)); !bracketed)
            for (std::string_view word : text::kBookNumberWords)
                if (whole.ends_with(" " + std::string(word)) &&
                    (sentOn == std::string::npos || trimmed(std::string_view(whole).substr(sentOn)) == word)) {
                    LeadEnding named = splitNameEnding(trimmed(std::string_view(whole).substr(0, whole.size() - word.size())));
                    if (named.name.empty()) break;
                    named.bookNumber = true;
                    return named;
                }
        if (!afterPage && (bracketed || cut == 0 || sentOn != std::string::npos || head.size() < cut ||
                           (leaderBefore(s, cut) > 0 && !rangeDashBefore(s, cut)))) {
            out.reference = std::stoi(s.substr(b, e - b));
            out.text = beforeLeader(head);
            out.sentOn = bracketed || sentOn != std::string::npos;
            return out;
        }
    }
    return splitNameEnding(s);
}

// The name after an arrow or a leader, for a lead without reference.
LeadEnding splitNameEnding(const std::string& s) {
    LeadEnding out;
    // A name after an arrow.
    for (std::string_view arrow : {" \u2192 ", " -> ", " => "})
        if (const std::size_t at = s.rfind(arrow); at != std::string::npos && at > 0 && s.size() - at - arrow.size() <= 120) {
            out.text = beforeLeader(std::string_view(s).substr(0, at));
            out.name = unmarkedName(std::string_view(s).substr(at + arrow.size()));
            if (!out.name.empty()) return out;
        }
    // A name after the last clear leader.
    std::size_t runStart = std::string::npos, runEnd = 0;
    // A column of blanks is a leader too ("Twigs hairy      Betula pilosa"):
    // a copy of a set page keeps the gap before the name as blanks.
    for (std::size_t i = 0; i < s.size();) {
        if ((s[i] == ' ' && s.compare(i, 3, "   ") != 0) || leaderAt(s, i) == 0) { ++i; continue; }
        std::size_t j = i;
        while (std::size_t l = j < s.size() ? leaderAt(s, j) : 0) j += l;
        if (j < s.size() && i > 0 && (leaderRun(std::string_view(s).substr(i, j - i)) ||
                             std::string_view(s).substr(i, j - i).find("   ") != std::string_view::npos))
            runStart = i, runEnd = j;
        i = j;
    }
    if (runStart != std::string::npos && s.size() - runEnd <= 120) {
        out.text = beforeLeader(std::string_view(s).substr(0, runEnd));
        out.name = unmarkedName(std::string_view(s).substr(runEnd));
        if (!out.name.empty()) return out;
    }
    out.text = s;
    out.name.clear();
    return out;
}

}  // namespace

std::string unmarkedName(std::string_view name) {
    // A star alone calls a note ("L. tenuinervis*"); stars in pairs are bold.
    const bool starsPaired = std::count(name.begin(), name.end(), '*') != 1;
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        // A star alone set outside the name's own marks ("Genus *_Ceratium_")
        // sends to a footnote: the italics say where the name starts.
        if (c == '*' && !starsPaired && i + 1 < name.size() && name[i + 1] != '*' && emphasisMark(name[i + 1])) continue;
        if (!emphasisMark(c) || (c == '*' && !starsPaired)) out += c;
    }
    return trimmed(out);
}

namespace {

// Blanks that a copy from a typeset or web page keeps: no-break, thin, figure,
// zero-width spaces.
constexpr std::string_view kOddBlanks[] = {"\u00A0", "\u202F", "\u2009", "\u2007", "\u2002", "\u2003", "\u2004",
                                           "\u2005", "\u2006", "\u2008", "\u200A", "\u200B", "\u3000"};

// OCR debris: a sign alone before a line's label or after its ending
// ("■ 1. Wings", "... P. alba »"). Marks of a second lead are no debris.
// Before a label, a stop, bullet or quote is debris too ("• 2. Wings",
// "“ 3. Hsch."); after an ending they may close a leader or a quotation. A
// low quote only opens one: alone after an ending it is debris ("Behaarung. „").
bool debrisWord(std::string_view w, bool beforeLabel = false) {
    static constexpr std::string_view kSigns[] = {"\u25A0", "\u25A1", "\u00BB", "\u00AB", "'",      "\"",     "`",
                                                  "~",      "^",      "\u00A6", "\u00A9", "\u00AE", "\u00B0", ",",
                                                  ";",      "\u2018", "\u2019", "\u201E", "\u201A"};
    static constexpr std::string_view kBeforeLabel[] = {".", "\u2022", "\u00B7", "\u201C", "\u201D"};
    while (!w.empty()) {
        const auto starts = [&](std::string_view k) { return w.starts_with(k); };
        auto sign = std::find_if(std::begin(kSigns), std::end(kSigns), starts);
        if (sign != std::end(kSigns)) {
            w.remove_prefix(sign->size());
            continue;
        }
        // One such sign alone: a run of them is a leader ("..... A. alba").
        sign = std::find_if(std::begin(kBeforeLabel), std::end(kBeforeLabel), starts);
        if (!beforeLabel || sign == std::end(kBeforeLabel) || w.size() != sign->size()) return false;
        w.remove_prefix(sign->size());
    }
    return true;
}

}  // namespace

int dropNoteCalls(std::string& line) {
    int dropped = 0;
    std::string out;
    std::size_t from = 0;  // copied up to here
    for (std::size_t open = line.find('['); open != std::string::npos; open = line.find('[', open + 1)) {
        const std::size_t close = line.find(']', open);
        if (close == std::string::npos) break;
        if (open == 0 || close - open < 2 || close - open > 9 || line[open - 1] == ' ' || line[open - 1] == '\t') continue;
        const std::string_view call = std::string_view(line).substr(open + 1, close - open - 1);
        const bool letter = call.size() == 1 && std::isalpha(static_cast<unsigned char>(call[0]));
        const bool roman = call.find_first_not_of("IVXLC") == std::string_view::npos;
        const bool digits = call.size() <= 3 && std::all_of(call.begin(), call.end(), asciiDigit) &&
                            std::isalpha(static_cast<unsigned char>(line[open - 1]));
        if (!letter && !roman && !digits) continue;
        out.append(line, from, open - from);
        from = close + 1;
        open = close;
        ++dropped;
    }
    if (dropped > 0) {
        out.append(line, from, std::string::npos);
        line = std::move(out);
    }
    return dropped;
}

namespace {

// A bar, star, bullet or middle dot alone after the ending, where the line
// holds no other: a scan's speck ("Rey. |", "angu= *", "3 \u2022"), not a
// table's cell, emphasis marks or a spaced leader.
bool loneSpeck(std::string_view text, std::string_view word) {
    for (std::string_view speck : {"|", "*", "\u2022", "\u00B7"})
        if (word == speck) {
            std::size_t n = 0;
            for (std::size_t at = text.find(speck); at != std::string_view::npos; at = text.find(speck, at + 1)) ++n;
            return n == 1;
        }
    return false;
}

}  // namespace

bool endsWithDebris(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const std::size_t space = text.rfind(' ');
    return space != std::string_view::npos && space > 0 &&
           (debrisWord(text.substr(space + 1)) || loneSpeck(text, text.substr(space + 1)));
}

namespace {

bool debrisLine(std::string_view line) {
    const std::string t = trimmed(line);
    // A stop alone ends the field before it in a copy of one field a line;
    // a row of dots is a leader carried over to its own line.
    // Spaced leader signs ("• • • •") are no debris either.
    if (t.empty() || t.find('.') != std::string::npos || std::count(t.begin(), t.end(), ' ') > 1) return false;
    for (std::size_t from = 0; from < t.size();) {
        std::size_t space = t.find(' ', from);
        if (space == std::string::npos) space = t.size();
        if (space > from && !debrisWord(std::string_view(t).substr(from, space - from), true)) return false;
        from = space + 1;
    }
    return true;
}

// The line without the debris before its label and after its ending;
// the line as it is when it has none.
std::string withoutDebris(const std::string& line, int& removed) {
    std::string out = trimmed(line);
    const int before = removed;
    // Spaced leader signs ("• • • 3") are no debris: the sign's word is not the next word.
    auto alone = [&](std::size_t space) {
        const std::string_view word = std::string_view(out).substr(0, space);
        return !trimmed(std::string_view(out).substr(space)).starts_with(word);
    };
    for (std::size_t space = out.find(' ');
         space != std::string::npos && debrisWord(std::string_view(out).substr(0, space), alone(space)) &&
         startsLead(trimmed(std::string_view(out).substr(space)));
         space = out.find(' ')) {
        out = trimmed(std::string_view(out).substr(space));
        ++removed;
    }
    // Not in a bracket left open: the lead goes on on the next line ("( Smith 2009 ,").
    const bool open = std::count(out.begin(), out.end(), '(') > std::count(out.begin(), out.end(), ')');
    for (std::size_t space = out.rfind(' ');
         !open && space != std::string::npos && space > 0 && endsWithDebris(out);
         space = out.rfind(' ')) {
        out = trimmed(std::string_view(out).substr(0, space));
        ++removed;
    }
    for (std::string_view call : kFootnoteMarks)
        if (out.size() > call.size() + 1 && out.ends_with(call) && out[out.size() - call.size() - 1] != ' ') {
            out.resize(out.size() - call.size());
            ++removed;
            break;
        }
    return removed > before ? out : line;
}

// Dots of a leader misread by OCR as commas (". . , . . 2", "....,,..3",
// ".....,3"): commas between dots of a run, or closing a run of three dots or
// more, are dots. Mended in place; the count returned.
int leaderCommas(std::string& line) {
    int mended = 0;
    auto dotBefore = [&](std::size_t at) {  // the dot before `at`, blanks skipped, or npos
        const std::size_t b = at > 0 ? line.find_last_not_of(' ', at - 1) : std::string::npos;
        return b != std::string::npos && line[b] == '.' ? b : std::string::npos;
    };
    for (std::size_t at = line.find(','); at != std::string::npos; at = line.find(',', at + 1)) {
        std::size_t end = at;  // the run of commas
        while (end < line.size() && line[end] == ',') ++end;
        const std::size_t before = dotBefore(at);
        const std::size_t after = line.find_first_not_of(' ', end);
        if (before == std::string::npos) {
            at = end - 1;
            continue;
        }
        // A third dot before or after: a run, not a sentence's stop.
        const std::size_t previous = before > 0 ? dotBefore(before) : std::string::npos;
        const bool dotAfter = after != std::string::npos && line[after] == '.';
        const bool nextDot = dotAfter && line.find_first_not_of(' ', after + 1) != std::string::npos &&
                             line[line.find_first_not_of(' ', after + 1)] == '.';
        const bool run = previous != std::string::npos && (previous == 0 || dotBefore(previous) != std::string::npos);
        if ((dotAfter && (previous != std::string::npos || nextDot)) || (!dotAfter && run)) {
            for (std::size_t k = at; k < end; ++k) line[k] = '.';
            ++mended;
        }
        at = end - 1;
    }
    return mended;
}

}  // namespace

char lookalikeDigit(char c) {
    switch (c) {
        case 'l': case 'I': case 'i': case '|': return '1';
        case 'O': case 'o': return '0';
        case 'S': case 's': return '5';
        case 'Z': case 'z': return '2';
        case 'B': return '8';
        default: return asciiDigit(c) ? c : 0;
    }
}

namespace {

// A back-referenced label with letters a scan took for digits in either
// number ("2(l).", "l2(3)"), mended when the back-reference then points back.
bool mendMisreadBackReference(std::string& word) {
    const std::size_t open = word.find('('), close = word.find(')');
    if (open == 0 || open == std::string::npos || close == std::string::npos || close < open + 2 || close > open + 4 ||
        open > 3 || word.find_first_not_of('.', close + 1) != std::string::npos)
        return false;
    std::string number = word.substr(0, open), back = word.substr(open + 1, close - open - 1);
    const bool misread = std::any_of(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(close),
                                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    for (std::string* part : {&number, &back})
        for (char& c : *part) {
            if (!asciiDigit(c)) c = lookalikeDigit(c);
            if (!asciiDigit(c)) return false;
        }
    if (!misread || std::stoi(back) >= std::stoi(number)) return false;
    word = number + "(" + back + word.substr(close);
    return true;
}

// A number misread by OCR, "l3", "1O" or "1S" for "13", "10" and "15": digits
// with the letters that look like them, at a line's start or end. Mended in place.
bool mendMisreadNumber(std::string& word) {
    const std::size_t end = word.find_last_not_of(".)");
    if (end == std::string::npos || end > 4) return false;
    int digits = 0, lookalikes = 0;
    for (std::size_t i = 0; i <= end; ++i) {
        const char c = word[i];
        if (asciiDigit(c)) ++digits;
        else if (c == 'l' || c == 'I' || c == 'i' || c == 'O' || c == 'o' || c == 'S') ++lookalikes;
        else return false;
    }
    if (digits == 0 || lookalikes == 0) return false;
    for (std::size_t i = 0; i <= end; ++i)
        if (!asciiDigit(word[i])) word[i] = lookalikeDigit(word[i]);
    return true;
}

// In a key numbered 1, 2, 3 whose couplet 1 is missing, a line labelled
// "l." or "I." (OCR for "1.", no other Roman numeral about) is couplet 1.
int mendMisreadOne(Lines& lines) {
    int numbered = 0;
    std::vector<std::size_t> ones;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::size_t b = l.find_first_not_of(" \t");
        if (b == std::string::npos) continue;
        if (labelNumber(l) == 1) return 0;
        if (labelNumber(l) > 1) ++numbered;
        std::size_t after = b + 1;
        while (after < l.size() && (l[after] == '\'' || l[after] == '.')) ++after;
        if ((l[b] == 'l' || l[b] == 'I') && after > b + 1 && after < l.size() && l[after] == ' ')
            ones.push_back(i);
        else if (l.compare(b, 3, "II.") == 0 || l.compare(b, 2, "V.") == 0)
            return 0;
    }
    if (numbered < 3 || ones.empty()) return 0;
    for (std::size_t i : ones) lines[i][lines[i].find_first_not_of(" \t")] = '1';
    return static_cast<int>(ones.size());
}


// Digits and their lookalikes from `at`, at least one lookalike: the number
// they stand for (its length in `size`), or -1.
int lookalikeNumber(std::string_view s, std::size_t at, std::size_t& size) {
    std::string digits;
    bool misread = false;
    for (std::size_t i = at; i < s.size() && digits.size() <= 3 && lookalikeDigit(s[i]); ++i) {
        misread = misread || !asciiDigit(s[i]);
        digits += lookalikeDigit(s[i]);
    }
    size = digits.size();
    if (!misread || digits.empty() || digits.size() > 3 || digits[0] == '0') return -1;
    return std::stoi(digits);
}

}  // namespace

int misreadLabelAt(std::string_view line, std::size_t& size) {
    const int value = lookalikeNumber(line, 0, size);
    if (value < 0) return -1;
    // Then maybe the lead's letter ("lb", "Ic" in a couplet of three), a
    // stop, bracket or prime, and a sentence.
    std::size_t at = size;
    if (at + 1 < line.size() && line[at] >= 'a' && line[at] <= 'f' && !std::isalpha(static_cast<unsigned char>(line[at + 1])))
        ++at;
    const std::size_t gapEnd = line.find_first_not_of(".)':\u2019 \t", at);
    // Or the couplet it comes from: "l0(7) Basodorsal".
    if (gapEnd == std::string_view::npos || (gapEnd == at && line[at] != '(') || !sentenceAfterBackReference(line, gapEnd))
        return -1;
    return value;
}

namespace {

// Lines whose labels are Roman numerals or letters ("II.", "B.") are no
// numbered key: their "I." and "S." are labels as printed.
// A small letter before a word in lower case starts a wrapped line of
// German or Latin ("u. c Käfer", "d. h. die"), no label.
bool abbreviationStart(std::string_view line, const LineStart& ls) {
    return ls.label.size() == 1 && lowerCaseStart(ls.label) && ls.textStart < line.size() &&
           lowerCaseStart(line.substr(ls.textStart));
}

// A lead's label whose number a scan read as a letter ("Ib." for "1b."):
// a lookalike of a digit, then the lead's letter.
bool misreadLeadLabel(const LineStart& ls) {
    return ls.kind == LineStart::Kind::Letters && ls.label.size() == 2 && lookalikeDigit(ls.label[0]) &&
           ls.label[1] >= 'a' && ls.label[1] <= 'f';
}

bool numberedKey(const Lines& lines, int numbered) {
    int others = 0;
    for (const std::string& l : lines) {
        const LineStart ls = readLineStart(l);
        if (abbreviationStart(l, ls)) continue;
        // A letter that looks like a digit ("l.", "I.", "S.") may be the
        // misread label to mend: it counts for neither side.
        others += misreadLeadLabel(ls) ? 1
                  : ls.kind == LineStart::Kind::Letters && (ls.label.size() > 1 || ls.label == "V" || ls.label == "X") ? 2
                  : ls.kind == LineStart::Kind::Letters && !(ls.label.size() == 1 && lookalikeDigit(ls.label[0])) ? 1
                                                                                                                     : 0;
    }
    return numbered >= 2 && others * 2 < numbered;
}

// In a key numbered with digits, a label misread by a scan ("S." for "5.",
// "lb" for "1b", "I" for "1") stands for the number that falls between the
// labels of the lines around it, a key giving its couplets in order; a
// reference misread after a leader (".... S") for a couplet of the key.
// Mended in place; the count returned.
int mendMisreadLabels(Lines& lines, bool references = true) {
    std::vector<int> labels(lines.size(), -1);
    int numbered = 0;
    // A capital glued to a number that looks like a digit ("2B.", "1S.") is
    // part of the number where no label of the key carries a lead's letter.
    bool lettered = false;
    auto gapOf = [](const std::string& l) { return readLineStart(l).gap; };
    for (const std::string& l : lines)
        if (labelNumber(l) >= 0) lettered = lettered || (!gapOf(l).empty() && gapOf(l)[0] >= 'a' && gapOf(l)[0] <= 'z');
    for (std::size_t i = 0; i < lines.size(); ++i)
        if ((labels[i] = labelNumber(lines[i])) >= 0) {
            if (const std::string gap = gapOf(lines[i]);
                !lettered && gap.size() > 1 && gap[0] >= 'A' && gap[0] <= 'Z' && lookalikeDigit(gap[0]) && gap[1] == '.')
                labels[i] = -1;
            else
                ++numbered;
        }
    // Labels a scan misread count as many as those it read right: a key of
    // one couplet whose first label came out as a letter ("i''" over "1'").
    int misread = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (const std::size_t b = lines[i].find_first_not_of(" \t"); labels[i] < 0 && b != std::string::npos) {
            std::size_t size = 0;
            misread += misreadLabelAt(std::string_view(lines[i]).substr(b), size) >= 0 ? 1 : 0;
        }
    if (!numberedKey(lines, numbered + std::min(misread, numbered))) return 0;
    // The label of the next labelled line after each line, found once.
    std::vector<int> nextLabel(lines.size(), -1);
    std::vector<std::size_t> nextLine(lines.size(), lines.size());  // and its line
    for (std::size_t i = lines.size(); i-- > 1;) {
        nextLabel[i - 1] = labels[i] >= 0 ? labels[i] : nextLabel[i];
        nextLine[i - 1] = labels[i] >= 0 ? i : nextLine[i];
    }
    int mended = 0;
    int previous = -1;
    // Couplets whose first lead is primed twice ("4''") and whose second
    // ("4'") is still to come: a key in indented order goes back to them.
    std::set<int> open;
    auto primes = [&](std::size_t i, std::size_t from) {
        const std::string_view gap = std::string_view(lines[i]).substr(from);
        return gap.starts_with("''") || gap.starts_with("\u2033") ? 2 : gap.starts_with("'") || gap.starts_with("\u2032") ? 1 : 0;
    };
    auto track = [&](int label, int primed) {
        if (primed == 2) open.insert(label);
        if (primed == 1) open.erase(label);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (labels[i] >= 0) {
            previous = labels[i];
            const std::string& l = lines[i];
            std::size_t d = l.find_first_not_of(" \t");
            while (d < l.size() && asciiDigit(l[d])) ++d;
            track(labels[i], primes(i, d));
            continue;
        }
        std::string& l = lines[i];
        const std::size_t b = l.find_first_not_of(" \t");
        std::size_t size = 0;
        const int value = b == std::string::npos ? -1 : misreadLabelAt(std::string_view(l).substr(b), size);
        if (value < 0) continue;
        // A lead starts after a lead that has ended, a blank or the title
        // above the key: not an author's initial on a wrapped line ("C."
        // then "B. Clarke").
        // A second lead's prime that goes back to an open couplet says so too.
        const int primed = primes(i, b + size);
        const bool closes = primed == 1 && open.count(value) > 0;
        if (i > 0 && previous >= 0 && !closes && !blankLine(lines[i - 1]) && !endsWithDestination(lines[i - 1]) &&
            !splitLeadEnding(lines[i - 1]).ends())
            continue;
        const int next = nextLabel[i];
        // A number above the key's next label is a heading's ("140. Gattung:"
        // over "i'' Der 3. Streifen" and "1' ..."), no couplet before it.
        if (previous >= 0 && next >= 0 && previous > next) previous = -1;
        // Set as the key's next label is, primed or stopped: "i. Gattung:"
        // over "1'' OS. kahl" is a heading's number.
        if (nextLine[i] < lines.size()) {
            const std::string& n = lines[nextLine[i]];
            std::size_t d = n.find_first_not_of(" \t");
            while (d < n.size() && asciiDigit(n[d])) ++d;
            if ((primes(nextLine[i], d) > 0) != (primed > 0)) continue;
        }
        if (!closes &&
            ((previous < 0 && next < 0) || (previous >= 0 && value < previous) || (next >= 0 && value > next)))
            continue;
        // "B." alone may be an initial ("C." then "B. Clarke"): an 8 only
        // after couplet 7 and up to the next 8 ("7." ... "B." ... "8."), or
        // as the couplet's second lead numbered again, before a sentence
        // longer than an author's name.
        const auto words = std::count(l.begin() + static_cast<std::ptrdiff_t>(b), l.end(), ' ');
        if (size == 1 && l[b] == 'B' && !(previous >= 0 && next >= 0 && previous < value && value <= next) &&
            !(value == previous && next > value && words >= 3))
            continue;
        std::string digits;
        for (std::size_t k = b; k < b + size; ++k) digits += lookalikeDigit(l[k]);
        l.replace(b, size, digits);
        labels[i] = previous = value;
        track(value, primed);
        ++mended;
    }
    if (!references) return mended;
    std::set<int> couplets(labels.begin(), labels.end());
    const std::string* before = nullptr;  // the last line not blank
    for (std::string& l : lines) {
        const std::string* above = std::exchange(before, blankLine(l) ? before : &l);
        const std::size_t e = l.find_last_not_of(" \t");
        if (e == std::string::npos) continue;
        std::size_t w = e + 1;
        while (w > 0 && lookalikeDigit(l[w - 1])) --w;
        std::size_t size = 0;
        const int value = lookalikeNumber(l, w, size);
        // After a leader on its line, or alone on the line after one (". . . . ." then "S").
        const std::string_view head = std::string_view(l).substr(0, w);
        const bool alone = head.find_first_not_of(" .\t") == std::string_view::npos && above && endsWithLeader(*above);
        if (value < 0 || w + size != e + 1 || !couplets.count(value) ||
            !(endsWithLeader(std::string_view(l).substr(0, w)) || alone))
            continue;
        for (std::size_t k = w; k <= e; ++k) l[k] = lookalikeDigit(l[k]);
        ++mended;
    }
    return mended;
}

// A copy from a typeset page may lose the blank before a reference that
// follows a bracket ("... (Fig. 6 C)2"): a number glued to a closing bracket
// at a lead's end, naming a later couplet the text numbers, is set apart.
int separateGluedReferences(Lines& lines) {
    std::set<int> couplets;
    for (const std::string& l : lines)
        if (const int label = labelNumber(l); label >= 0) couplets.insert(label);
    if (couplets.size() < 3) return 0;
    int separated = 0;
    for (std::string& l : lines) {
        const int label = labelNumber(l);
        const std::size_t e = l.find_last_not_of(" \t");
        if (label < 0 || e == std::string::npos || !asciiDigit(l[e])) continue;
        std::size_t b = e;
        while (b > 0 && asciiDigit(l[b - 1])) --b;
        if (b == 0 || e - b >= 3 || (l[b - 1] != ')' && l[b - 1] != ']')) continue;
        if (const int reference = std::stoi(l.substr(b, e - b + 1)); reference > label && couplets.count(reference)) {
            l.insert(b, " ");
            ++separated;
        }
    }
    return separated;
}

int mendMisreadNumbers(std::string& line) {
    int mended = 0;
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return 0;
    const std::size_t firstEnd = std::min(line.find_first_of(" \t", first), line.size());
    std::string head = line.substr(first, firstEnd - first);
    // The back-reference may stand one blank apart ("2 (l).").
    if (firstEnd + 1 < line.size() && line[firstEnd] == ' ' && line[firstEnd + 1] == '(') {
        const std::size_t backEnd = std::min(line.find_first_of(" \t", firstEnd + 1), line.size());
        std::string label = head + line.substr(firstEnd + 1, backEnd - firstEnd - 1);
        if (mendMisreadBackReference(label)) {
            line.replace(first, head.size(), label.substr(0, head.size()));
            line.replace(firstEnd + 1, label.size() - head.size(), label.substr(head.size()));
            head = label.substr(0, head.size());
            ++mended;
        }
    }
    if (mendMisreadBackReference(head) || mendMisreadNumber(head)) {
        line.replace(first, head.size(), head);
        ++mended;
    }
    const std::size_t last = line.find_last_of(" \t.");
    if (last != std::string::npos && last + 1 < line.size() && last + 1 > firstEnd) {
        std::string tail = line.substr(last + 1);
        if (mendMisreadNumber(tail)) {
            line.replace(last + 1, tail.size(), tail);
            ++mended;
        }
    }
    return mended;
}

// A couplet label of digits and one letter ("3a") at `s`: its length, or 0.
std::size_t letteredLabel(std::string_view s) {
    std::size_t d = 0;
    while (d < s.size() && asciiDigit(s[d])) ++d;
    if (d == 0 || d > 4 || d + 1 > s.size() || s[d] < 'a' || s[d] > 'z') return 0;
    return d + 1 == s.size() || !std::isalnum(static_cast<unsigned char>(s[d + 1])) ? d + 1 : 0;
}

// Couplets inserted into a key as "3a", "3b", named so at the line start and
// in the references ("... 3a"): numbered afresh in the order they come, the
// references with them. The number of labels renumbered, 0 when the text
// is no such key. In a key whose leads are "1a" and "1b", a reference to a
// lead ("... 2a") is one to its couplet, counted in `toCouplets`.
int renumberLetteredCouplets(Lines& lines, int& toCouplets) {
    struct Place {
        std::size_t line, at, size;
    };
    std::vector<Place> starts, ends;
    std::set<std::string> started;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::size_t b = l.find_first_not_of(" \t");
        if (b == std::string::npos) continue;
        if (asciiDigit(l[b])) {
            std::size_t size = letteredLabel(std::string_view(l).substr(b));
            if (size == 0) {
                while (b + size < l.size() && asciiDigit(l[b + size])) ++size;
                if (b + size < l.size() && std::isalpha(static_cast<unsigned char>(l[b + size]))) size = 0;
            }
            if (size > 0 && size <= 5) {
                starts.push_back({i, b, size});
                started.insert(l.substr(b, size));
            }
        }
        std::size_t e = l.find_last_not_of(" \t.");
        if (e == std::string::npos) continue;
        std::size_t w = e;
        while (w > b && l[w - 1] != ' ' && l[w - 1] != '\t' && l[w - 1] != '.') --w;
        if (w > b && letteredLabel(std::string_view(l).substr(w, e + 1 - w)) == e + 1 - w) ends.push_back({i, w, e + 1 - w});
    }
    // "1a" then "1b" with no mark of a second lead between them label the
    // leads of couplet 1: a reference "2a" then sends to couplet 2.
    bool leadLetters = false;
    for (std::size_t k = 1; k < starts.size() && !leadLetters; ++k) {
        const std::string a = lines[starts[k - 1].line].substr(starts[k - 1].at, starts[k - 1].size);
        const std::string b = lines[starts[k].line].substr(starts[k].at, starts[k].size);
        bool marked = false;
        for (std::size_t i = starts[k - 1].line + 1; i < starts[k].line && !marked; ++i)
            marked = readLineStart(lines[i]).kind == LineStart::Kind::Mark;
        leadLetters = !marked && a.size() == b.size() && a.size() > 1 &&
                      a.compare(0, a.size() - 1, b, 0, b.size() - 1) == 0 && std::isalpha(static_cast<unsigned char>(a.back()));
    }
    if (leadLetters) {
        for (auto p = ends.rbegin(); p != ends.rend(); ++p)
            if (started.count(lines[p->line].substr(p->at, p->size))) {
                lines[p->line].erase(p->at + p->size - 1, 1);
                ++toCouplets;
            }
        return 0;
    }
    int named = 0;
    for (const Place& p : ends) named += started.count(lines[p.line].substr(p.at, p.size)) ? 1 : 0;
    if (named < 2 || named * 2 < static_cast<int>(ends.size())) return 0;
    std::map<std::string, int> number;
    for (const Place& p : starts) number.emplace(lines[p.line].substr(p.at, p.size), static_cast<int>(number.size()) + 1);
    // From the last place of each line, so that the first stays where it is.
    std::vector<Place> places = starts;
    for (const Place& p : ends)
        if (number.count(lines[p.line].substr(p.at, p.size))) places.push_back(p);
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.line != b.line ? a.line < b.line : a.at > b.at;
    });
    for (const Place& p : places) lines[p.line].replace(p.at, p.size, std::to_string(number[lines[p.line].substr(p.at, p.size)]));
    return static_cast<int>(starts.size());
}

// Couplet numbers printed in the marks of bold or italics ("=1=--",
// "*2*.", "_3_", "**4.**", "=5.=", "=2(1).="): read as plain numbers ("1. "). The
// labels rewritten, 0 when fewer than two lines start so.
int unmarkLabels(Lines& lines) {
    struct Found {
        std::size_t line, digits, size, end;  // the digits, and where the closing marks end
        std::string prime;                    // the second lead's prime inside brackets ("(1’)")
    };
    std::vector<Found> found;
    int bracketed = 0;
    bool one = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::size_t b = l.find_first_not_of(" \t");
        // Or in brackets, the second lead primed inside them: "(1) Wings dark", "(1’) Wings pale", "[2]".
        if (b != std::string::npos && (l[b] == '(' || l[b] == '[')) {
            std::size_t d = b + 1;
            while (d < l.size() && asciiDigit(l[d])) ++d;
            std::size_t close = d;
            std::string prime;
            for (std::string_view p : {"\u2019", "\u2032", "'"})
                if (l.compare(close, p.size(), p) == 0) prime = p, close += p.size();
            if (d > b + 1 && d - b - 1 <= 3 && close < l.size() && l[close] == (l[b] == '(' ? ')' : ']') &&
                close + 2 < l.size() && l[close + 1] == ' ' && capitalAt(l, close + 2)) {
                found.push_back({i, b + 1, d - b - 1, close + 1, prime});
                ++bracketed;
                one = one || l.compare(b + 1, d - b - 1, "1") == 0;
            }
            continue;
        }
        if (b == std::string::npos || !emphasisMark(l[b])) continue;
        // One mark or two ("**1.**"), the number, maybe its stop ("=1.="), the same marks.
        const std::size_t marks = b + 1 < l.size() && l[b + 1] == l[b] ? 2 : 1;
        std::size_t d = b + marks;
        while (d < l.size() && asciiDigit(l[d])) ++d;
        const std::size_t digits = b + marks;
        if (d == digits || d - digits > 4) continue;
        // The couplet it comes from inside the marks too: "=2(1).=".
        std::size_t label = d;
        if (std::size_t open = l.compare(label, 2, " (") == 0 ? label + 1 : label; open < l.size() && l[open] == '(') {
            std::size_t back = open + 1;
            while (back < l.size() && asciiDigit(l[back])) ++back;
            if (back > open + 1 && back < l.size() && l[back] == ')') label = back + 1;
        }
        // A second lead's prime inside the marks too: "=1'.=", "_2’_".
        std::string prime;
        std::size_t close = label;
        for (bool more = true; more;) {
            more = false;
            for (std::string_view p : {"\u2019", "\u2032", "'"})
                if (l.compare(close, p.size(), p) == 0) {
                    prime += p;
                    close += p.size();
                    more = true;
                }
        }
        if (close < l.size() && l[close] == '.') ++close;
        if (l.compare(close, marks, std::string(marks, l[b])) == 0) found.push_back({i, digits, label - digits, close + marks, prime});
    }
    // Numbers in brackets label the key when couplet 1 is among three of them at least.
    if (bracketed > 0 && (bracketed < 3 || !one)) std::erase_if(found, [&](const Found& f) {
        return lines[f.line][f.digits - 1] == '(' || lines[f.line][f.digits - 1] == '[';
    });
    if (found.size() < 2) return 0;
    for (const Found& f : found) {
        std::string& l = lines[f.line];
        std::size_t rest = f.end;
        while (rest < l.size() && (l[rest] == '-' || l[rest] == '.' || l[rest] == ' ' || l[rest] == ':')) ++rest;
        l = l.substr(f.digits, f.size) + (f.prime.empty() ? ". " : f.prime + " ") + l.substr(rest);
    }
    return static_cast<int>(found.size());
}

// A key whose first couplet carries no number: the paragraphs just above
// couplet 1, each ending with its destination, one of them leading to 1.
// Numbered 0 so that they are read as the first couplet; true when found.
bool numberFirstCouplet(Lines& lines) {
    std::size_t one = 0;
    while (one < lines.size() && labelNumber(lines[one]) != 1) ++one;
    if (one == lines.size()) return false;
    std::size_t first = one, leads = 0;
    bool toOne = false;
    for (std::size_t i = one; i > 0;) {
        // The block of lines above `i`, after the blank lines.
        std::size_t e = i;
        while (e > 0 && blankLine(lines[e - 1])) --e;
        std::size_t b = e;
        while (b > 0 && !blankLine(lines[b - 1])) --b;
        if (b == e) break;
        const std::string& last = lines[e - 1];
        const int reference = trailingNumber(last);
        if (labelNumber(lines[b]) >= 0 || (reference < 0 && markedNameStart(last) == std::string_view::npos)) break;
        toOne = toOne || reference == 1;
        first = b;
        ++leads;
        i = b;
    }
    if (leads < 2 || !toOne) return false;
    const std::size_t at = lines[first].find_first_not_of(" \t");
    lines[first].insert(at, "0. ");
    return true;
}

}  // namespace

namespace {
ReshapedKey reshapeSpaced(const Lines& text);
}  // namespace

int mendScannedLabels(Lines& lines) {
    // Where any line is labelled by letters that look like no digit ("II.",
    // "A.", "b."), its "I." and "B." are that series' labels, as printed.
    for (const std::string& l : lines)
        if (const LineStart ls = readLineStart(l); ls.kind == LineStart::Kind::Letters &&
                                                   !(ls.label.size() == 1 && lookalikeDigit(ls.label[0])) &&
                                                   !misreadLeadLabel(ls) && !abbreviationStart(l, ls))
            return 0;
    // Only labels: a sign alone after a leader ("|") may be a table's cell.
    return mendMisreadLabels(lines, false);
}

int mendScannedNumbers(Lines& lines) {
    int mended = 0;
    for (std::string& l : lines) {
        std::size_t e = l.find_last_not_of(" \t");
        if (e == std::string::npos) continue;
        if (l[e] == '.' && e > 0) --e;
        std::size_t b = e + 1;
        while (b > 0 && (asciiDigit(l[b - 1]) || l[b - 1] == 'l' || l[b - 1] == 'I')) --b;
        const std::string_view token = std::string_view(l).substr(b, e + 1 - b);
        // Set apart as the column's numbers are: after a run of blanks, a tab or a leader.
        const std::string_view before = std::string_view(l).substr(0, b);
        const bool apart = before.ends_with("  ") || before.ends_with("\t") || before.ends_with("..") ||
                           before.ends_with(". ") || before.ends_with("\u2026") || before.ends_with("\u2026 ");
        if (token.size() < 2 || token.size() > 4 || !apart || b == 0 || before.find_first_not_of(" \t.") == std::string_view::npos ||
            std::none_of(token.begin(), token.end(), asciiDigit) || std::all_of(token.begin(), token.end(), asciiDigit))
            continue;
        for (std::size_t i = b; i <= e; ++i)
            if (l[i] == 'l' || l[i] == 'I') l[i] = '1';
        ++mended;
    }
    return mended;
}

namespace {

bool asciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The words of `line` in lower case, letters and inner hyphens only.
template <typename Each>
void eachWord(std::string_view line, Each each) {
    for (std::size_t at = 0; at < line.size();) {
        while (at < line.size() && !asciiLetter(line[at])) ++at;
        std::size_t end = at;
        while (end < line.size() && (asciiLetter(line[end]) ||
                                     (line[end] == '-' && end + 1 < line.size() && asciiLetter(line[end + 1]) && end > at)))
            ++end;
        if (end > at) each(text::lower(line.substr(at, end - at)));
        at = end;
    }
}

}  // namespace

// Second parts that make a compound of any noun ("sail-like", "cup-shaped"):
// keys print such compounds with their hyphen, so one a line end cuts there
// keeps it, unless the text glues them ("wartlike").
constexpr std::string_view kHyphenedSuffixes[] = {"like", "shaped"};

int keepHyphensOfTheText(Lines& lines) {
    std::unordered_set<std::string> words;
    for (const std::string& l : lines) eachWord(l, [&](std::string w) { words.insert(std::move(w)); });
    // A compound glued ("wartlike", not "alike" or "unlike"): a head of three letters or more.
    bool suffixesGlued = false;
    for (const std::string& w : words)
        for (std::string_view suffix : kHyphenedSuffixes)
            suffixesGlued = suffixesGlued || (w.size() >= suffix.size() + 3 && w.ends_with(suffix) &&
                                              w.find('-') == std::string::npos);
    int moved = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string& line = lines[i];
        std::size_t end = line.find_last_not_of(" \t");
        if (end == std::string::npos || end < 2 || line[end] != '-' || !asciiLetter(line[end - 1])) continue;
        std::size_t start = end;
        while (start > 0 && asciiLetter(line[start - 1])) --start;
        // The part before the hyphen starts a word and leaves text on its line.
        if (start == 0 || line[start - 1] != ' ' || line.find_first_not_of(" \t") >= start) continue;
        std::string& next = lines[i + 1];
        const std::size_t from = next.find_first_not_of(" \t");
        if (from == std::string::npos || !(next[from] >= 'a' && next[from] <= 'z')) continue;
        std::size_t restEnd = from;
        while (restEnd < next.size() && asciiLetter(next[restEnd])) ++restEnd;
        const std::string head = text::lower(std::string_view(line).substr(start, end - start));
        const std::string rest = text::lower(std::string_view(next).substr(from, restEnd - from));
        const bool suffixHyphened = !suffixesGlued && head.size() >= 3 &&
                                    std::find(std::begin(kHyphenedSuffixes), std::end(kHyphenedSuffixes), rest) !=
                                        std::end(kHyphenedSuffixes);
        if (!(words.count(head + "-" + rest) || suffixHyphened) || words.count(head + rest)) continue;
        next.insert(from, line.substr(start, end + 1 - start));
        line.erase(start);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
        ++moved;
    }
    return moved;
}

int mendScannedStops(Lines& lines) {
    // The label at a line's start and the sign after it: "1a," "b," "12.".
    auto labelEnd = [](const std::string& l) -> std::size_t {
        std::size_t b = l.find_first_not_of(" \t"), e = b;
        if (b == std::string::npos) return std::string::npos;
        while (e < l.size() && e - b < 4 && asciiDigit(l[e])) ++e;
        if (e < l.size() && std::isalpha(static_cast<unsigned char>(l[e])) && e - b < 4) ++e;
        // The text, or the couplet it comes from ("4, (3) Lip ...").
        const bool fits = e > b && e + 2 < l.size() && (l[e] == '.' || l[e] == ',') && l[e + 1] == ' ' &&
                          (std::isalpha(static_cast<unsigned char>(l[e + 2])) || l[e + 2] == '(');
        return fits ? e : std::string::npos;
    };
    int stops = 0, commas = 0;
    for (const std::string& l : lines)
        if (const std::size_t e = labelEnd(l); e != std::string::npos) (l[e] == '.' ? stops : commas) += 1;
    int mended = 0;
    // Labels stopped as most of the key's are, where some came out with a comma.
    const bool stopped = stops >= 3 && commas > 0 && commas < stops;
    for (std::string& l : lines) {
        if (const std::size_t e = labelEnd(l); stopped && e != std::string::npos && l[e] == ',') {
            l[e] = '.';
            ++mended;
        }
        mended += leaderCommas(l);
        // A sign a scan left alone after a line's last word ("throat \u00BB",
        // "mandible. \u201E", "KURTIFORMES. |"), outside a bracket left open.
        const bool open = std::count(l.begin(), l.end(), '(') > std::count(l.begin(), l.end(), ')');
        for (int signs = 0; !open && signs < 3 && endsWithDebris(l); ++signs) {
            const std::size_t end = l.find_last_not_of(' ');
            const std::size_t space = l.rfind(' ', end);
            if (l.find_first_not_of(" \t") >= space) break;
            l.erase(l.find_last_not_of(' ', space) + 1);
            ++mended;
        }
    }
    return mended;
}

int widenFlushRightGaps(Lines& lines) {
    // The last gap of two blanks or more after a line's first word: where it
    // starts and ends (bytes), or npos.
    const auto lastGap = [](std::string_view l) -> std::pair<std::size_t, std::size_t> {
        const std::size_t first = l.find_first_not_of(" \t");
        const std::size_t end = l.find_last_not_of(' ');
        if (first == std::string_view::npos) return {std::string_view::npos, 0};
        for (std::size_t at = end; at > first + 1; --at)
            if (l[at] == ' ' && l[at - 1] == ' ') {
                std::size_t from = at - 1;
                while (from > first && l[from - 1] == ' ') --from;
                return {from, at + 1};
            }
        return {std::string_view::npos, 0};
    };
    // The column where most endings set apart by blanks end: the page's
    // right margin, when it holds most of them.
    std::vector<int> endingAt;
    int endings = 0;
    for (const std::string& l : lines) {
        if (lastGap(l).first == std::string::npos) continue;
        const std::size_t column = text::length(std::string_view(l).substr(0, l.find_last_not_of(' ') + 1));
        if (endingAt.size() <= column) endingAt.resize(column + 1);
        ++endingAt[column];
        ++endings;
    }
    const auto margin = std::max_element(endingAt.begin(), endingAt.end());
    if (margin == endingAt.end() || *margin < 5 || *margin * 2 < endings) return 0;
    const auto column = static_cast<std::size_t>(margin - endingAt.begin());
    int widened = 0;
    for (std::string& l : lines) {
        const auto [from, to] = lastGap(l);
        if (from == std::string::npos || to - from != 2) continue;
        const std::string_view ending = std::string_view(l).substr(to, l.find_last_not_of(' ') + 1 - to);
        if (std::count(ending.begin(), ending.end(), ' ') > 4 ||
            text::length(std::string_view(l).substr(0, l.find_last_not_of(' ') + 1)) != column)
            continue;
        l.insert(from, 1, ' ');
        ++widened;
    }
    return widened;
}

int mendDoubledBlanks(Lines& lines) {
    // The columns where a word starts after a word in lower case and three
    // blanks or more (not after a label): two blanks that set a word there
    // are a table's gap, not a scan's doubling.
    std::vector<int> columnStarts;
    for (const std::string& l : lines) {
        std::size_t column = 0;
        const std::size_t first = l.find_first_not_of(" \t");
        for (std::size_t at = 0, wordEnd = 0; first != std::string::npos && at < l.size(); ++at) {
            if (at > first + 2 && l[at] != ' ' && l[at - 1] == ' ' && l[at - 2] == ' ' && l[at - 3] == ' ' &&
                std::islower(static_cast<unsigned char>(l[wordEnd]))) {
                if (columnStarts.size() <= column) columnStarts.resize(column + 1);
                ++columnStarts[column];
            }
            if (l[at] != ' ') wordEnd = at;
            if ((static_cast<unsigned char>(l[at]) & 0xC0) != 0x80) ++column;
        }
    }
    int mended = 0;
    for (std::string& l : lines) {
        const std::size_t from = l.find("  ", std::min(l.size(), l.find_first_not_of(" \t")));
        if (from == std::string::npos) continue;
        // Copied once, so that a long line with many such blanks stays linear.
        std::string out(l, 0, from);
        std::size_t column = text::length(out);  // of l[at]
        for (std::size_t at = from; at < l.size();) {
            const auto before = static_cast<unsigned char>(out.empty() ? ' ' : out.back());
            const bool inWord = std::islower(before) || before >= 0x80 || before == ',' || before == ';';
            const bool tableGap = column + 2 < columnStarts.size() && columnStarts[column + 2] >= 3;
            if (l[at] == ' ' && inWord && !tableGap && at + 2 < l.size() && l[at + 1] == ' ' && l[at + 2] != ' ' &&
                lowerCaseStart(std::string_view(l).substr(at + 2))) {
                out += ' ';  // the first of the two blanks dropped
                at += 2;
                column += 2;
                ++mended;
            } else if (l[at] == ' ' && at + 1 < l.size() && l[at + 1] == ' ') {
                for (; at < l.size() && l[at] == ' '; ++at, ++column) out += ' ';  // a run kept whole
            } else {
                if ((static_cast<unsigned char>(l[at]) & 0xC0) != 0x80) ++column;
                out += l[at++];
            }
        }
        l = std::move(out);
    }
    return mended;
}

int evenBlanks(std::string& line) {
    // Every odd blank starts with one of these bytes.
    if (line.find_first_of("\xC2\xE2\xE3") == std::string::npos) return 0;
    int blanks = 0;
    std::string copy;
    for (std::size_t i = 0; i < line.size();) {
        const auto odd = static_cast<unsigned char>(line[i]) < 0x80
                             ? std::end(kOddBlanks)
                             : std::find_if(std::begin(kOddBlanks), std::end(kOddBlanks),
                                            [&](std::string_view b) { return line.compare(i, b.size(), b) == 0; });
        if (odd == std::end(kOddBlanks)) {
            copy += line[i++];
        } else {
            if (blanks++ == 0) copy.reserve(line.size());
            copy += ' ';
            i += odd->size();
        }
    }
    if (blanks > 0) line = std::move(copy);
    return blanks;
}

namespace {

// A running head in any case: a page's number at one end of a short title
// ("Hydrachniden. 353", "356 Familie: Curculionidae."). Its title, or empty;
// `apart` says whether a blank line sets it apart.
std::string pagedTitle(const Lines& text, std::size_t i, int& number, bool& apart) {
    const std::string t = trimmed(text[i]);
    apart = (i > 0 && blankLine(text[i - 1])) || (i + 1 < text.size() && blankLine(text[i + 1]));
    if (t.size() > 80) return {};
    std::size_t b = 0, e = t.size();
    while (b < e && asciiDigit(t[b])) ++b;
    if (b == 0) {
        while (e > 0 && asciiDigit(t[e - 1])) --e;
        if (e == t.size() || t.size() - e > 4 || e == 0 || t[e - 1] != ' ') return {};
        number = std::stoi(t.substr(e));
        b = 0;
    } else {
        if (b > 4 || b == e || t[b] != ' ') return {};
        number = std::stoi(t.substr(0, b));
        e = t.size();
    }
    std::string title = trimmed(std::string_view(t).substr(b, e - b));
    // A colon before the number sends a lead on ("Pl. niet afloopend: 4").
    if (title.ends_with(':')) return {};
    while (!title.empty() && (title.back() == '.' || title.back() == ':')) title.pop_back();
    const auto first = static_cast<unsigned char>(title.empty() ? ' ' : title[0]);
    if (title.empty() || lowerCaseStart(title) || (!std::isalpha(first) && first < 0x80)) return {};
    for (std::string_view leader : {"..", ". .", "\u2026", "\u00B7\u00B7", "\t"})
        if (title.find(leader) != std::string::npos) return {};
    if (std::count(title.begin(), title.end(), ' ') > 5) return {};
    return title;
}

}  // namespace

namespace {

// Leaders are a key's: a list of paragraphs has none.
bool leaderedLine(std::string_view line) {
    return line.find('\t') != std::string_view::npos || line.find("...") != std::string_view::npos ||
           line.find(". . .") != std::string_view::npos || line.find("\u2026") != std::string_view::npos;
}

}  // namespace

std::size_t keyAfterNumberedList(const Lines& text) {
    // A label before a word that starts a sentence ("20 mm long" wraps a line).
    auto labelled = [](std::string_view line) {
        const LineStart ls = readLineStart(line);
        return ls.kind != LineStart::Kind::None && ls.textStart < line.size() &&
               !lowerCaseStart(line.substr(ls.textStart));
    };
    const auto leadered = leaderedLine;
    // A paragraph without number between two items is a second lead, whose
    // couplets the numbers are; the key opens with a label that does not go
    // on (its first, or the couplet a key pasted from its middle opens with).
    int items = 0;
    bool paragraph = false;
    std::size_t lastItem = 0, firstMargin = 0;
    // The list ends with its last item's paragraph: what stands between it
    // and the key's first lead (a title, a first couplet without number) is
    // the key's.
    auto listEnd = [&](std::size_t i) {
        if (items < 2) return std::size_t{0};
        std::size_t end = lastItem + 1;
        while (end < i && !blankLine(text[end])) ++end;
        return end;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!labelled(text[i])) {
            // A lead whose label the copy glued to its text ("1Wings ..... 2").
            if (items > 0 && leadered(text[i])) return listEnd(i);
            paragraph = paragraph || (items > 0 && i > 0 && blankLine(text[i - 1]) && !blankLine(text[i]));
            continue;
        }
        const int number = labelNumber(text[i]);
        // A name set after a run of blanks ends a key's lead as a leader does.
        const std::string item = trimmed(text[i]);
        const bool nameApart = item.find("   ") != std::string::npos;
        // A list's items stand at one margin; numbers going on in turn at
        // ever deeper margins are the first couplets of an indented key.
        const std::size_t margin = text[i].find_first_not_of(" \t");
        if (items == 0) firstMargin = margin;
        if (number == items + 1 && items > 0 && margin > firstMargin + 1) return 0;
        if (number == items + 1 && !leadered(text[i]) && !nameApart) {
            if (paragraph) return 0;
            ++items;
            lastItem = i;
            continue;
        }
        // The numbers going on in turn into a lead with a leader (or a name
        // set apart) are the key's own first couplets, set in indented order
        // ("1. Thallus flat", "2. Lobes broad", "3. Lobes white ..... Parmelia").
        if (number == items + 1) return 0;
        // A number beyond the next item on a line that goes on from a word
        // cut or in lower case is the text's ("... species" / "480. (Plate 43.)").
        if (number > items + 1 && i > 0 && !blankLine(text[i - 1])) {
            const std::string above = trimmed(text[i - 1]);
            if (const char c = above.back(); (c >= 'a' && c <= 'z') || c == ',' || c == '-') continue;
        }
        return listEnd(i);
    }
    return 0;
}

namespace {

// A note of the author's as a paragraph: its word, maybe a number, a stop
// or colon, then the dash or the text ("Note.--The genus ...", "_Note 1._--
// When wings ...", "Anm. Die ..."). The word says what it is, at any indent.
bool noteParagraphStart(std::string_view t) {
    std::size_t at = t.find_first_not_of(" \t");
    if (at == std::string_view::npos) return false;
    if (emphasisMark(t[at])) ++at;
    static constexpr std::string_view kWords[] = {"Note", "NOTE", "Notes", "Nota", "Anm", "Anmerkung", "Remarque", "Obs"};
    for (std::string_view w : kWords) {
        if (t.substr(at, w.size()) != w) continue;
        std::size_t i = at + w.size();
        if (i < t.size() && t[i] == ' ')
            for (std::size_t d = i + 1; d < t.size() && d - i <= 3 && asciiDigit(t[d]); ++d) i = d + 1;
        if (i >= t.size() || (t[i] != '.' && t[i] != ':')) continue;
        ++i;
        if (i < t.size() && emphasisMark(t[i])) ++i;
        const std::string_view rest = t.substr(i);
        return rest.starts_with("--") || rest.starts_with("\u2014") || (rest.starts_with(" ") && rest.size() > 2);
    }
    return false;
}

// A line of column heads in marks, set apart by runs of blanks ("_Insects
// with no wings_      _Order_"): a list's heading, no lead.
bool markedColumnHeads(std::string_view t) {
    const std::string line = trimmed(t);
    int heads = 0;
    for (std::size_t at = 0; at < line.size();) {
        const char open = line[at];
        if (!emphasisMark(open)) return false;
        const std::size_t close = line.find(open, at + 1);
        if (close == std::string::npos || close == at + 1) return false;
        ++heads;
        at = line.find_first_not_of(' ', close + 1);
        if (at == std::string::npos) break;
        if (at - close - 1 < 3) return false;
    }
    return heads >= 2;
}

// An editor's note set as a paragraph of its own, wholly in square brackets
// ("[Illustration: Fig. 3.--Leaf.]", "[Pg 112]"): a figure or a page break
// of the copy, never a lead's words.
bool editorsNote(const Lines& text, std::size_t first, std::size_t end) {
    if (!trimmed(text[first]).starts_with("[") || !trimmed(text[end - 1]).ends_with("]")) return false;
    int open = 0;
    for (std::size_t k = first; k < end; ++k) {
        const std::string t = trimmed(text[k]);
        for (std::size_t at = 0; at < t.size(); ++at) {
            open += t[at] == '[' ? 1 : t[at] == ']' ? -1 : 0;
            // Closed before the paragraph's end: a bracket that opens a lead ("[A] Leaves ...").
            if (open <= 0 && (k + 1 < end || at + 1 < t.size())) return false;
        }
    }
    return open == 0;
}

}  // namespace

std::vector<bool> captionsAndFootnotes(const Lines& text) {
    std::vector<bool> out(text.size(), false);
    // Marks that label leads come doubled somewhere ("* Scales smooth" /
    // "** Scales keeled", "† †") or stand indented; a note's is at the margin.
    // The first character of a line, whole.
    auto markOf = [](std::string_view t) {
        std::size_t m = t.empty() ? 0 : 1;
        while (m < t.size() && (static_cast<unsigned char>(t[m]) & 0xC0) == 0x80) ++m;
        return std::string(t.substr(0, m));
    };
    std::set<std::string> doubled;
    for (const std::string& line : text) {
        const std::string t = trimmed(line), mark = markOf(t);
        if (!mark.empty() && (t.compare(mark.size(), mark.size(), mark) == 0 ||
                              t.compare(mark.size(), mark.size() + 1, " " + mark) == 0))
            doubled.insert(mark);
    }
    for (std::size_t i = 0; i < text.size();) {
        if (blankLine(text[i]) || (i > 0 && !blankLine(text[i - 1]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && !blankLine(text[j])) ++j;
        const std::string first = trimmed(text[i]);
        const bool note = (footnoteStart(first) && !blankLine(text[i].substr(0, 1)) && !doubled.count(markOf(first))) ||
                          noteParagraphStart(first) || (j == i + 1 && markedColumnHeads(first));
        if (j < text.size() && (figureCaption(first) || note || editorsNote(text, i, j)))
            for (std::size_t k = i; k < j; ++k) out[k] = true;
        i = j;
    }
    return out;
}

std::size_t indexAfterKey(const Lines& text) {
    // An entry: words, a comma, then its pages ("Acer rubrum, 12", "alba, 4, 17-19.").
    auto entry = [](std::string_view line) {
        std::string t = trimmed(line);
        if (t.ends_with(".")) t.pop_back();
        std::size_t e = t.size();
        // Pages, commas, blanks and ranges ("17-19", "17–19").
        constexpr std::string_view kDash = "\u2013";
        while (e > 0) {
            if (asciiDigit(t[e - 1]) || t[e - 1] == ' ' || t[e - 1] == ',' || t[e - 1] == '-') --e;
            else if (e >= kDash.size() && t.compare(e - kDash.size(), kDash.size(), kDash) == 0) e -= kDash.size();
            else break;
        }
        const std::string_view pages = std::string_view(t).substr(e);
        return e > 0 && e < t.size() && readLineStart(line).kind != LineStart::Kind::Digits &&
               std::any_of(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(e), [](char c) {
                   return std::isalpha(static_cast<unsigned char>(c));
               }) &&
               !pages.empty() && pages.front() == ',' && pages.find_first_of("0123456789") != std::string_view::npos;
    };
    // A table of contents: a title, a column of blanks or a leader, its page
    // ("Key to Pecan Insects            2"). A lead with its reference reads
    // the same: only under a heading, its pages in the order of the book.
    auto contentsPage = [](std::string_view line) -> int {
        if (readLineStart(line).kind != LineStart::Kind::None) return -1;
        const std::string t = trimmed(line);
        std::size_t e = t.size();
        while (e > 0 && asciiDigit(t[e - 1])) --e;
        if (e == t.size() || t.size() - e > 4) return -1;
        std::size_t g = e;
        while (g > 0 && (t[g - 1] == ' ' || t[g - 1] == '.' || t[g - 1] == '\t')) --g;
        const bool apart = t.find("   ", g) < e || t.find("..", g) < e || t.find('\t', g) < e;
        if (g == 0 || !apart || !std::isalpha(static_cast<unsigned char>(t[0]))) return -1;
        return std::atoi(t.c_str() + e);
    };
    std::size_t first = text.size();
    int entries = 0, contents = 0, lastPage = std::numeric_limits<int>::max();
    bool inOrder = true;
    for (std::size_t i = text.size(); i > 0; --i) {
        const std::string t = trimmed(text[i - 1]);
        // Blank lines and an index's letters ("A", "B.") go with it.
        if (t.empty()) continue;
        const bool letter = t.size() <= 2 && capitalAt(t, 0);
        const int page = letter || entry(t) ? -1 : contentsPage(text[i - 1]);
        if (!letter && !entry(t) && page < 0) break;
        if (page >= 0) {
            ++contents;
            inOrder = inOrder && page <= lastPage;
            lastPage = page;
        }
        entries += letter ? 0 : 1;
        first = i - 1;
    }
    if (entries < 3) return text.size();
    // Its heading above it: a short line without a number ("INDEX", "Index of names").
    std::size_t above = first;
    while (above > 0 && blankLine(text[above - 1])) --above;
    bool headed = false;
    if (above > 0) {
        const std::string t = trimmed(text[above - 1]);
        if (std::count(t.begin(), t.end(), ' ') <= 3 && t.find_first_of("0123456789") == std::string::npos &&
            readLineStart(t).kind == LineStart::Kind::None) {
            first = above - 1;
            headed = true;
        }
    }
    if (contents > 0 && !(headed && inOrder)) return text.size();
    return first;
}

std::size_t accountsAfterKey(const Lines& text) {
    // A heading in capitals at a paragraph's start ("DESCRIPTIONS OF THE SPECIES").
    auto heading = [&](std::size_t i, const std::string& t) {
        if ((i > 0 && !blankLine(text[i - 1])) || readLineStart(t).kind != LineStart::Kind::None) return false;
        int capitals = 0;
        for (char c : t) {
            if (c >= 'a' && c <= 'z') return false;
            capitals += c >= 'A' && c <= 'Z' ? 1 : 0;
        }
        return capitals >= 4;
    };
    // Under the first heading that opens such a list after a couplet 1, the
    // numbers go on in turn, once each, without leaders or references.
    bool keyOpened = false, broken = false;
    std::size_t under = text.size();
    int items = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string t = trimmed(text[i]);
        if (t.empty()) continue;
        const bool open = under == text.size() || broken;
        if (keyOpened && heading(i, t)) {
            if (open) {
                under = i;
                items = 0;
                broken = false;
            }
            continue;
        }
        const int number = labelNumber(t);
        if (open) {
            keyOpened = keyOpened || number == 1;
            continue;
        }
        if (number == items + 1 && !leaderedLine(t) && trailingNumber(t) < 0) ++items;
        else if (number >= 0 || (readLineStart(t).kind != LineStart::Kind::None && !footnoteStart(t))) broken = true;
    }
    return under < text.size() && !broken && items > 0 ? under : text.size();
}

std::size_t proseAfterKey(const Lines& text) {
    // A line of the key: a label opens it or a leader runs in it (prose
    // may end with a number as a lead does).
    auto keyLine = [](std::string_view line) {
        return readLineStart(line).kind != LineStart::Kind::None || leaderedLine(line);
    };
    std::size_t first = text.size(), last = text.size();
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!blankLine(text[i]) && keyLine(text[i])) {
            if (first == text.size()) first = i;
            last = i;
        }
    if (last == text.size()) return text.size();
    // The widest run of blank lines between two lines of the key.
    std::size_t widest = 0, run = 0;
    for (std::size_t i = first; i <= last; ++i) {
        run = blankLine(text[i]) ? run + 1 : 0;
        widest = std::max(widest, run);
    }
    // The last lead's own wrapped lines, then the blank lines after it.
    std::size_t end = last + 1;
    while (end < text.size() && !blankLine(text[end])) ++end;
    std::size_t after = end;
    while (after < text.size() && blankLine(text[after])) ++after;
    // A heading and its prose, or a paragraph: a line alone so far below
    // is left to the readers (a name set apart).
    const auto lines = std::count_if(text.begin() + static_cast<std::ptrdiff_t>(after), text.end(),
                                     [](const std::string& l) { return !blankLine(l); });
    return lines >= 2 && after - end >= 2 && after - end > widest ? end : text.size();
}

std::vector<bool> runningHeads(const Lines& text) {
    // A page's title comes back with another page's number, or pages follow
    // one another ("— 354 —" after "Hydrachniden. 353"); either way above
    // every number the key's couplets can bear (no more than its labelled
    // lines), where a lead's reference or label would be one of them.
    struct Paged {
        std::size_t line;
        int number;
        std::string title;  // empty for a number between dashes
        bool apart;         // a blank line above or under it
    };
    std::vector<Paged> paged;
    std::vector<bool> out(text.size(), false);
    int highestLabel = 0;  // the couplets' numbers are no more than the lines labelled
    int labelled = 0;      // nor than the highest label of a line that is no head
    std::vector<int> labels;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int number = 0;
        bool apart = false;
        std::string title = pagedTitle(text, i, number, apart);
        const std::string t = trimmed(text[i]);
        const int label = labelNumber(text[i]);
        highestLabel += label >= 0 ? 1 : 0;
        if (!title.empty()) {
            paged.push_back({i, number, std::move(title), apart});
        } else if (pageFurniture(t) && t.find_first_of("0123456789") != std::string::npos &&
                   std::none_of(t.begin(), t.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
            const std::size_t d = t.find_first_of("0123456789");
            paged.push_back({i, std::atoi(t.c_str() + d), {}, true});
        } else {
            labels.push_back(label);
        }
    }
    // A number far beyond the lines labelled is a year or a page ("1911, S. 120").
    for (int label : labels)
        if (label <= 4 * highestLabel) labelled = std::max(labelled, label);
    highestLabel = std::max(highestLabel, labelled);
    // Above the key, a head is text before it as any other.
    std::size_t first = 0;
    while (first < text.size() && (labelNumber(text[first]) < 0 || labelNumber(text[first]) > highestLabel)) ++first;
    // Each title's lowest and highest page, and the neighbours in the text:
    // one pass, whatever the number of such lines.
    std::erase_if(paged, [&](const Paged& p) { return p.number <= highestLabel; });
    std::map<std::string, std::pair<int, int>> pagesOf;
    // A head the scan set between two lines of text, no blank line around
    // it, counts only where its title, a word or more and no figure's call
    // ("Fig. 228" on a line of its own), comes back with another page.
    std::map<std::string, int> timesOf;
    for (const Paged& p : paged)
        if (!p.title.empty()) ++timesOf[text::lower(p.title)];
    std::erase_if(paged, [&](const Paged& p) {
        return !p.apart && (timesOf[text::lower(p.title)] < 2 || p.title.size() < 4 || figureWord(p.title));
    });
    for (const Paged& p : paged)
        if (!p.title.empty()) {
            auto [it, added] = pagesOf.try_emplace(text::lower(p.title), p.number, p.number);
            it->second = {std::min(it->second.first, p.number), std::max(it->second.second, p.number)};
        }
    for (std::size_t k = 0; k < paged.size(); ++k) {
        const Paged& p = paged[k];
        if (p.line < first) continue;
        // A page's number between dashes alone, above the couplets: even where
        // the page broke a lead in two, no reader takes it in ("\u2014 146 \u2014").
        if (p.title.empty()) {
            const std::string t = trimmed(text[p.line]);
            out[p.line] = std::ranges::any_of(std::array<std::string_view, 3>{"-", "\u2013", "\u2014"},
                                              [&](std::string_view dash) { return t.starts_with(dash) && t.ends_with(dash); });
            // Where the lead goes on in lower case after it, the blank lines
            // of the page's break go with it.
            std::size_t after = p.line + 1;
            while (after < text.size() && blankLine(text[after])) ++after;
            if (out[p.line] && after < text.size() && lowerCaseStart(trimmed(text[after]))) {
                for (std::size_t i = p.line + 1; i < after; ++i) out[i] = true;
                for (std::size_t i = p.line; i > 0 && blankLine(text[i - 1]); --i) out[i - 1] = true;
            }
            continue;
        }
        const auto& [low, high] = pagesOf.at(text::lower(p.title));
        auto follows = [&](const Paged& q) {
            return q.number != p.number && std::abs(q.number - p.number) <= 4 &&
                   (q.number > p.number) == (q.line > p.line);
        };
        if (low != high || (p.apart && ((k > 0 && follows(paged[k - 1])) || (k + 1 < paged.size() && follows(paged[k + 1]))))) {
            // The blank lines the page's break set under it go with it, unless
            // they part the text above it from what follows (a figure, a lead
            // that starts anew).
            std::size_t after = p.line + 1;
            while (after < text.size() && blankLine(text[after])) ++after;
            const bool parts = p.line > 0 && !blankLine(text[p.line - 1]) && after < text.size() &&
                               !lowerCaseStart(trimmed(text[after]));
            for (std::size_t i = p.line; i < (parts ? p.line + 1 : after); ++i) out[i] = true;
            continue;
        }
        // A single head set apart by blank lines inside the key, where the
        // line under it has no label: the page broke a lead (its name set on
        // a line of its own goes on under it), and the break's blank lines go.
        std::size_t after = p.line + 1;
        while (after < text.size() && blankLine(text[after])) ++after;
        if (p.line > first && blankLine(text[p.line - 1]) && after > p.line + 1 && after < text.size() &&
            readLineStart(text[after]).kind == LineStart::Kind::None) {
            for (std::size_t i = p.line; i < after; ++i) out[i] = true;
            for (std::size_t i = p.line; i > 0 && blankLine(text[i - 1]); --i) out[i - 1] = true;
        }
    }
    return out;
}

ReshapedKey reshapeKey(const Lines& text) {
    // Odd blanks read as blanks: the leaders, labels and references they
    // stand between are then read as everywhere else.
    // OCR debris before a label or after an ending goes.
    // Numbers misread by OCR mended ("l3" for "13").
    int blanks = 0, debris = 0, misread = 0, glued = 0, gluedLabels = 0, calls = 0, spacedStops = 0, pageMarks = 0;
    Lines spaced;
    std::vector<int> spacedOrigin;  // the user's line of each line of `spaced`
    const std::vector<bool> heads = runningHeads(text);
    int headLines = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::string& line = text[at];
        // A line of nothing but OCR signs ("'", "„", "• ,") is no line of the key.
        if (debrisLine(line)) {
            ++debris;
            continue;
        }
        if (heads[at]) {
            headLines += blankLine(line) ? 0 : 1;
            continue;
        }
        spacedOrigin.push_back(static_cast<int>(at));
        std::string copy = line;
        blanks += evenBlanks(copy);
        misread += mendMisreadNumbers(copy);
        debris += leaderCommas(copy);
        // A second lead's dash glued to its text ("–Wings pale").
        if (const std::size_t b = copy.find_first_not_of(" \t"); b != std::string::npos)
            for (std::string_view dash : {"-", "\u2013", "\u2014"})
                if (copy.compare(b, dash.size(), dash) == 0 && capitalAt(copy, b + dash.size())) {
                    copy.insert(b + dash.size(), " ");
                    ++glued;
                    break;
                }
        // A couplet number a scan glued to the word after it ("1Crossvein",
        // "12Wings"): a capital then a letter in lower case after the digits.
        if (const std::size_t b = copy.find_first_not_of(" \t"); b != std::string::npos) {
            std::size_t d = b;
            while (d < copy.size() && d - b < 3 && asciiDigit(copy[d])) ++d;
            if (d > b && d + 1 < copy.size() && copy[d] >= 'A' && copy[d] <= 'Z' && copy[d + 1] >= 'a' &&
                copy[d + 1] <= 'z') {
                copy.insert(d, " ");
                ++gluedLabels;
            }
        }
        // A stop set apart from the reference it ends by OCR ("... 2 .").
        if (const std::size_t e = copy.find_last_not_of(" \t");
            e != std::string::npos && e >= 2 && copy[e] == '.' && copy[e - 1] == ' ' && asciiDigit(copy[e - 2])) {
            copy.erase(e - 1, 1);
            ++spacedStops;
        }
        // Footnote calls in square brackets glued to a word or a label:
        // "=Montagnites.=[G]", "Kiemen[LXII] am", "1. (8)[LIX]", "alba[12]".
        calls += dropNoteCalls(copy);
        // A page's number in square brackets before a label ("[162] 2'' Body").
        if (const std::size_t b = copy.find_first_not_of(" \t"); b != std::string::npos && copy[b] == '[') {
            const std::size_t close = copy.find(']', b);
            if (close != std::string::npos && close > b + 1 && close - b <= 5 &&
                std::all_of(copy.begin() + static_cast<std::ptrdiff_t>(b + 1), copy.begin() + static_cast<std::ptrdiff_t>(close), asciiDigit) &&
                close + 1 < copy.size() && copy[close + 1] == ' ' && startsLead(trimmed(std::string_view(copy).substr(close + 1)))) {
                copy.erase(b, close + 2 - b);
                ++pageMarks;
            }
        }
        spaced.push_back(withoutDebris(copy, debris));
    }
    const int gluedReferences = separateGluedReferences(spaced);
    misread += mendMisreadOne(spaced);
    misread += mendMisreadLabels(spaced);
    int toCouplets = 0;
    const int relabelled = renumberLetteredCouplets(spaced, toCouplets);
    const int unmarked = unmarkLabels(spaced);
    const bool unnumbered = numberFirstCouplet(spaced);
    if (blanks == 0 && debris == 0 && misread == 0 && glued == 0 && gluedLabels == 0 && gluedReferences == 0 && calls == 0 && pageMarks == 0 && spacedStops == 0 && headLines == 0 && relabelled == 0 && toCouplets == 0 && unmarked == 0 &&
        !unnumbered)
        return reshapeSpaced(text);
    ReshapedKey out = reshapeSpaced(spaced);
    out.debris = debris;
    // Running heads set aside before are told with the pages set aside.
    if (headLines > 0) {
        const std::string was = countedMessage(kMsgPagesAside, kMsgPagesAsideOne, out.pages);
        out.pages += headLines;
        const std::string now = countedMessage(kMsgPagesAside, kMsgPagesAsideOne, out.pages);
        if (const std::size_t at = out.message.find(was); was.front() != '0' && at != std::string::npos)
            out.message.replace(at, was.size(), now);
        else
            out.message = out.message.empty() ? now : now + ", " + out.message;
    }
    if (!out.changed) {
        out.lines = spaced;
        for (std::size_t i = 0; i < spaced.size(); ++i) out.origin.push_back(static_cast<int>(i));
    }
    for (int& o : out.origin) o = spacedOrigin[static_cast<std::size_t>(o)];
    for (int& o : out.gatheredOrigin) o = spacedOrigin[static_cast<std::size_t>(o)];
    out.changed = true;
    const std::string told =
        countedParts({{blanks, kMsgOddBlanks, kMsgOddBlanksOne}, {debris, kMsgDebris, kMsgDebrisOne},
                      {misread, kMsgMisread, kMsgMisreadOne}, {calls, kMsgNoteCalls, kMsgNoteCallsOne},
                      {pageMarks, kMsgPageMarks, kMsgPageMarksOne},
                      {spacedStops, kMsgSpacedStops, kMsgSpacedStopsOne},
                      {glued, kMsgGluedMarks, kMsgGluedMarksOne},
                      {gluedLabels, kMsgGluedLabels, kMsgGluedLabelsOne},
                      {gluedReferences, kMsgGluedReferences, kMsgGluedReferencesOne},
                      {relabelled, kMsgRelabelled, kMsgRelabelledOne}, {toCouplets, kMsgToCouplets, kMsgToCoupletsOne},
                      {unmarked, kMsgUnmarked, kMsgUnmarkedOne}, {unnumbered ? 1 : 0, kMsgUnnumbered, kMsgUnnumbered}});
    out.message = out.message.empty() ? told : told.empty() ? out.message : told + ", " + out.message;
    return out;
}

namespace {

// The reading of a paste whose blanks, labels and debris were evened out.
ReshapedKey reshapeSpaced(const Lines& text) {
    ReshapedKey out;
    const std::size_t n = text.size();
    std::size_t start = 0, offset = 0;
    // A couplet with its lead's text, which starts as a sentence: a "1"
    // alone on a line is a page, a volume or a table's cell, one before a
    // word in lower case a wrapped line ("1 pendulous ovule").
    auto coupletStart = [&](const std::string& line) {
        const std::size_t at = readLineStart(line).textStart;
        return labelNumber(line) >= 0 && at < line.size() && !lowerCaseStart(std::string_view(line).substr(at));
    };
    // A first couplet that had no number is numbered 0 before.
    auto firstCouplet = [&](const std::string& line) {
        const int label = labelNumber(line);
        return (label == 1 || (label == 0 && !asciiDigit(line[readLineStart(line).textStart]))) && coupletStart(line);
    };
    while (start < n && !firstCouplet(text[start])) ++start;
    // A key pasted from its middle, with accounts numbered from one after it:
    // couplets above that "1" that send on to larger ones, one with two leads
    // (its number twice, or a mate set after a dash), start the key there.
    if (start < n) {
        std::size_t first = n;
        std::map<int, int> leadsOf;
        int sent = 0, mates = 0, smallest = -1;
        for (std::size_t i = 0; i < start; ++i) {
            const std::string lead = trimmed(text[i]);
            const bool mate = lead.starts_with("\u2013") || lead.starts_with("\u2014") || lead.starts_with("- ");
            if (!coupletStart(text[i]) && !(mate && first < n)) continue;
            mates += mate ? 1 : 0;
            const int label = mate ? -1 : labelNumber(text[i]);
            if (label >= 0) {
                if (first == n) first = i;
                if (smallest < 0 || label < smallest) smallest = label;
                ++leadsOf[label];
            }
            const int reference = splitLeadEnding(lead).reference;
            if (reference > std::max(label, smallest)) ++sent;
        }
        const bool paired = mates > 0 || std::any_of(leadsOf.begin(), leadsOf.end(), [](const auto& l) { return l.second >= 2; });
        if (first < n && smallest > 1 && labelNumber(text[first]) == smallest && leadsOf.size() >= 2 &&
            sent >= 2 && paired)
            start = first;
    }
    if (start == n) {
        // A key pasted from its middle (a book's sub-key from couplet 16):
        // its smallest couplet number, when that comes first.
        std::size_t first = n;
        int smallest = -1;
        for (std::size_t i = 0; i < n; ++i) {
            if (!coupletStart(text[i])) continue;
            if (first == n) first = i;
            if (smallest < 0 || labelNumber(text[i]) < smallest) smallest = labelNumber(text[i]);
        }
        if (first < n && labelNumber(text[first]) == smallest) start = first;
        // A running head before it ("248 BULLETIN OF THE MUSEUM") is no couplet.
        else if (first < n)
            for (std::size_t i = first + 1; i < n && start == n; ++i)
                if (coupletStart(text[i]) && labelNumber(text[i]) == smallest && pageFurniture(trimmed(text[first])))
                    start = i;
    }
    if (start == n) {
        // A key pasted as one paragraph after its title: couplet 1 inside a
        // line, before a capital, with a leader further on.
        for (start = 0; start < n; ++start) {
            const std::string& line = text[start];
            for (std::size_t at = line.find(" 1 "); at != std::string::npos && offset == 0; at = line.find(" 1 ", at + 1)) {
                std::size_t end;
                const std::size_t leader = std::min(line.find("...", at), line.find("\u2026", at));
                if (at + 3 < line.size() && std::isupper(static_cast<unsigned char>(line[at + 3])) &&
                    leader != std::string::npos && clearLeaderAt(line, leader, end))
                    offset = at + 1;
            }
            if (offset > 0) break;
        }
        if (start == n) return out;
    }
    for (std::size_t i = 0; i < start; ++i)
        if (!blankLine(text[i])) ++out.before;
    if (offset > 0) ++out.before;
    auto lineAt = [&](std::size_t i) {
        return i == start ? std::string_view(text[i]).substr(offset) : std::string_view(text[i]);
    };

    // A line set at the right, deeper than half the key's width, under a
    // lead whose text filled its last line is the lead's name: joined after
    // a column of blanks, as a name after a leader.
    std::size_t keyWidth = 0;
    for (std::size_t i = start; i < n; ++i) keyWidth = std::max(keyWidth, text::length(trimmed(text[i])));
    auto setRight = [&](std::string_view line) {
        const std::size_t at = line.find_first_not_of(" ");
        return at != std::string_view::npos && keyWidth >= 40 && at * 2 > keyWidth;
    };
    auto joinLine = [&](std::string& to, std::string_view line) {
        // Not the rest of a bracket left open ("(_Paraponyx_," / "_Acentropus_).").
        if (!to.empty() && setRight(line) && std::count(to.begin(), to.end(), '(') <= std::count(to.begin(), to.end(), ')'))
            to += "      " + trimmed(line);
        else joinWrapped(to, trimmed(line));
    };

    // Blocks of lines between blank lines.
    struct Block {
        std::size_t first, last;  // [first, last)
    };
    std::vector<Block> blocks;
    for (std::size_t i = start; i < n;) {
        if (blankLine(text[i])) { ++i; continue; }
        std::size_t j = i;
        while (j < n && !blankLine(text[j])) ++j;
        blocks.push_back({i, j});
        i = j;
    }
    // Set out in paragraphs: many blocks, a third of them wrapped, and hardly
    // a block holding two leads (a line after one that ends with a destination).
    int wrapped = 0, twoLeads = 0;
    for (const Block& b : blocks) {
        if (b.last - b.first > 1) ++wrapped;
        // A key run together on one line (a scan's text) holds many leads.
        if (b.last - b.first == 1 && splitRunTogether(text[b.first]).size() >= 4) ++twoLeads;
        // So does a block whose every line ends with a destination: a couplet
        // of leads a line each, the second without a label.
        bool everyLineEnds = b.last - b.first > 1;
        // (A number alone under a lead is its reference.)
        for (std::size_t i = b.first; i < b.last && everyLineEnds; ++i)
            everyLineEnds = endsWithDestination(text[i]) && std::any_of(text[i].begin(), text[i].end(), [](char c) {
                                return std::isalpha(static_cast<unsigned char>(c));
                            });
        if (everyLineEnds) {
            ++twoLeads;
            continue;
        }
        for (std::size_t i = b.first + 1; i < b.last; ++i) {
            // Or a lead back at the margin under a name set deeper ("    P. alba No. 26." / "  Pas in ...").
            const std::size_t here = text[i].find_first_not_of(" \t"), above = text[i - 1].find_first_not_of(" \t");
            // (A number alone is no lead: a reference set under its lead.)
            const bool numberAloneHere = trimmed(text[i]).find_first_not_of("0123456789") == std::string::npos;
            if ((readLineStart(text[i]).kind != LineStart::Kind::None && !numberAloneHere && endsWithDestination(text[i - 1])) ||
                (i > b.first + 1 && here + 4 <= above && capitalAt(text[i], here) && text[i - 2].ends_with(":"))) {
                ++twoLeads;
                break;
            }
        }
    }
    const auto blockCount = static_cast<int>(blocks.size());
    const bool paragraphs = blockCount >= 4 && wrapped * 3 >= blockCount && twoLeads * 10 <= blockCount;
    // A copy that sets a blank line after every line (a web page's
    // paragraphs, one field each) says nothing by its blank lines.
    const bool everyLineApart = blockCount >= 8 && wrapped == 0;

    // The units: one lead each (a paragraph, or a line).
    struct Unit {
        std::string text;
        std::size_t firstLine;
        std::size_t lastLine = std::string::npos;  // where the last line joined to it starts in `text`
        std::size_t lineBefore = std::string::npos;  // where the line before that one starts
        bool joined = false;  // lines were joined to it
        bool lastApart = false;  // its last line was joined after a blank line
    };
    std::vector<Unit> units;
    std::set<std::size_t> pageLines;  // the page breaks set aside: a page's number, a running head with it
    // A number alone that is some couplet's label is a reference on the line
    // after its lead, not a page's number.
    std::set<int> labelled;
    // (Not a running head's page: "166 JOURNAL OF NATURAL HISTORY", "312 · ZooKeys 123".)
    for (std::size_t i = start; i < n; ++i)
        if (const int label = labelNumber(text[i]);
            label >= 0 && coupletStart(text[i]) && !pageHead(text[i]) && !journalPageLine(text[i]))
            labelled.insert(label);
    auto isLabel = [&](const std::string& line) {
        return line.find(' ') == std::string::npos && labelled.count(std::atoi(line.c_str())) > 0;
    };
    // A running head in title case after the page's number ("46 Bulletin of
    // the Museum"): a label no lead refers to, in a key whose leads refer.
    std::set<int> referredAnywhere;
    for (std::size_t i = start; i < n; ++i)
        if (const int r = splitLeadEnding(text[i]).reference; r >= 0) referredAnywhere.insert(r);
    const int firstLabel = labelNumber(text[start]);
    auto runningHead = [&](std::string_view line) {
        const int label = labelNumber(line);
        if (label < 0 || label == firstLabel || referredAnywhere.size() < 2 || referredAnywhere.count(label) ||
            endsWithDestination(line) || splitLeadEnding(line).ends())
            return false;
        int words = 0, capitals = 0;
        const std::string rest = trimmed(line.substr(readLineStart(line).textStart));
        for (std::size_t at = 0; at < rest.size();) {
            const std::size_t end = std::min(rest.find(' ', at), rest.size());
            if (end - at >= 4) {
                ++words;
                capitals += capitalAt(rest, at) ? 1 : 0;
            }
            at = end + 1;
        }
        return capitals >= 2 && capitals * 2 >= words;
    };
    // A number alone after a lead that ends with a leader is its reference,
    // not a page; a running head with words is one all the same.
    auto referenceAfterLeader = [&](const std::string& line) {
        // A name's stop is no leader ("... Allanblackia Oliv.", then the page's "117").
        // Nor one far beyond every couplet the key numbers (a key cut short
        // may send a little beyond its last): the page's.
        return !units.empty() && !line.empty() && std::all_of(line.begin(), line.end(), asciiDigit) &&
               (labelled.empty() || (line.size() <= 6 && std::stoi(line) <= 2 * *labelled.rbegin() + 10)) &&
               leaderBefore(units.back().text, units.back().text.size()) > 0 &&
               (endsWithLeader(units.back().text) || !splitLeadEnding(units.back().text).ends());
    };
    // A running head with its page after it between two leads ("Revision
    // of the genus Plega 57"): no label, no leader, a number no couplet
    // bears in a key whose leads refer; set apart by a blank line, after a
    // lead that has ended.
    auto pagedTitle = [&](std::string_view line) {
        // Beyond the couplets the key gives and without a sentence's
        // semicolon: a lead whose reference is lost is no running head.
        const int page = trailingNumber(line);
        if (page < 0 || labelled.empty() || page <= *labelled.rbegin() + 1 || referredAnywhere.size() < 2 ||
            readLineStart(line).kind != LineStart::Kind::None || line.find(';') != std::string_view::npos)
            return false;
        std::size_t e = line.find_last_not_of(" .");
        while (e > 0 && asciiDigit(line[e])) --e;
        return leaderBefore(line, e + 1) <= 1 && line[e] == ' ' && !endsWithLeader(line.substr(0, e + 1)) &&
               capitalAt(line, line.find_first_not_of(" \t"));
    };
    // A running head in capitals alone ("FLORA OF OHIO"): no label, no
    // letter in lower case, a word of four capitals at least.
    auto headInCapitals = [&](std::string_view line) {
        const std::string t = trimmed(line);
        if (t.empty() || readLineStart(t).kind != LineStart::Kind::None) return false;
        int run = 0, longest = 0;
        for (char c : t) {
            if (c >= 'a' && c <= 'z') return false;
            run = c >= 'A' && c <= 'Z' ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest >= 4;
    };
    // A running head in any case with its page, alone between blank lines
    // in a key that sets no blank line between a lead's lines ("Bull. Mus.
    // nat. Hist. 195", "REVISION OF THE GENUS 377"): a number at one end
    // that no couplet bears and beyond them all, no leader, no label.
    auto titleWithPageApart = [&](const std::string& line) {
        if (paragraphs || everyLineApart || labelled.empty() || readLineStart(line).kind != LineStart::Kind::None)
            return false;
        const std::size_t lead = line.find_first_not_of("0123456789");
        const std::size_t tail = line.find_last_not_of("0123456789");
        if (lead == std::string::npos || tail == std::string::npos) return false;
        const std::string_view number =
            lead > 0 && line[lead] == ' ' ? std::string_view(line).substr(0, lead)
            : tail + 1 < line.size() && line[tail] == ' ' ? std::string_view(line).substr(tail + 1)
                                                         : std::string_view();
        if (number.empty() || number.size() > 4) return false;
        const int page = std::stoi(std::string(number));
        // A lead's ending before its page (a leader, a column, a name in marks) is no head.
        for (std::string_view leader : {"   ", "\t", "..", ". .", "\u2026", "\u00B7\u00B7", "__"})
            if (line.find(leader) != std::string::npos) return false;
        if (markedNameStart(trimmed(line.substr(0, lead > 0 && line[lead] == ' ' ? line.size() : tail + 1))) !=
            std::string_view::npos)
            return false;
        return page > *labelled.rbegin() + 1 && std::count_if(line.begin(), line.end(), [](char c) {
                   return std::isalpha(static_cast<unsigned char>(c));
               }) >= 4;
    };
    // A note in square brackets ("[Illustration: ...]", over several blocks)
    // is set aside; a lead it interrupts goes on after it in lower case.
    int open = 0, openBrackets = 0;
    bool interrupted = false, inFootnote = false, squareOpen = false;
    std::set<std::size_t> paragraphCaptions;  // a figure's caption set as a paragraph of its own
    for (const Block& b : blocks) {
        const std::string first = trimmed(lineAt(b.first));
        // In a key set in paragraphs, a figure's caption or a footnote is a
        // paragraph of its own; a lead it interrupts goes on after it.
        if (paragraphs && b.first > start && (figureCaption(first) || footnoteStart(first))) {
            for (std::size_t i = b.first; i < b.last; ++i)
                if (figureCaption(first)) paragraphCaptions.insert(i);
                else ++out.footnotes;
            interrupted = true;
            continue;
        }
        if (open > 0 || (first.starts_with("[") && first.find(']') == std::string::npos) ||
            (first.starts_with("[") && trimmed(text[b.last - 1]).ends_with("]") && b.last - b.first > 1)) {
            for (std::size_t i = b.first; i < b.last; ++i) {
                open += static_cast<int>(std::count(text[i].begin(), text[i].end(), '[')) -
                        static_cast<int>(std::count(text[i].begin(), text[i].end(), ']'));
                ++out.notes;
            }
            open = std::max(open, 0);
            interrupted = true;
            continue;
        }
        // A page's number or running head between two pages of the key.
        // A number alone inside a bracket left open is the lead's; a head with words is not.
        const bool worded = std::any_of(first.begin(), first.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
        if (b.last - b.first == 1 &&
            ((pageFurniture(first) && !isLabel(first) && !referenceAfterLeader(first) && (openBrackets == 0 || worded)) ||
             titleWithPageApart(first))) {
            ++out.pages;
            if (std::any_of(first.begin(), first.end(), asciiDigit)) pageLines.insert(b.first);
            interrupted = true;
            continue;
        }
        // A lead cut by a page goes on after it in lower case or with a
        // number that is no label ("4-5-celled. 5").
        if (paragraphs && interrupted && !units.empty() && !first.empty() &&
            (lowerCaseStart(first) || (asciiDigit(first[0]) && !startsLead(first)))) {
            for (std::size_t i = b.first; i < b.last; ++i) joinWrapped(units.back().text, trimmed(lineAt(i)));
            interrupted = false;
            continue;
        }
        interrupted = false;
        // A lead set in two columns, its ending level with its first line.
        if (std::string lead = paragraphs && (b.first != start || offset == 0) ? joinedColumnLead(text, b.first, b.last) : std::string();
            !lead.empty()) {
            ++out.paragraphs;
            units.push_back({std::move(lead), b.first});
            continue;
        }
        if (paragraphs) {
            std::string joined;
            std::size_t lastLine = std::string::npos, lineBefore = std::string::npos;
            for (std::size_t i = b.first; i < b.last; ++i) {
                // So is the page's number alone when the lead goes on after
                // it in lower case, or has its ending already.
                const std::string here = trimmed(lineAt(i));
                // Not a couplet the key numbers set at the right under its lead
                // ("Stuifmeelklompjes 2" / "      51"): the lead's reference.
                const bool pageNumber =
                    !here.empty() && here.size() <= 4 && std::all_of(here.begin(), here.end(), asciiDigit) &&
                    (i + 1 < b.last ? lowerCaseStart(trimmed(lineAt(i + 1)))
                                    : splitLeadEnding(joined).ends()) &&
                    !(setRight(lineAt(i)) && labelled.count(std::stoi(here)) && std::stoi(here) > labelNumber(joined));
                if (i > b.first && (pageHead(lineAt(i)) || pageNumber)) {
                    ++out.pages;
                    continue;
                }
                const std::size_t before = joined.size();
                joinLine(joined, lineAt(i));
                lineBefore = lastLine;
                lastLine = before > 0 && joined.size() > before + here.size() ? joined.size() - here.size() : std::string::npos;
            }
            if (b.last - b.first > 1) ++out.paragraphs;
            // A short line under a sentence ended is the lead's name set on a
            // line of its own at the margin ("... smal en dun." /
            // "Eschatogramme (Dicranoglossum)."); other last lines are the
            // text's.
            if (lastLine != std::string::npos) {
                const std::string_view last = std::string_view(joined).substr(lastLine);
                const std::string prior = trimmed(std::string_view(joined).substr(0, lastLine));
                if (!(prior.ends_with(".") && capitalAt(last, 0) && std::count(last.begin(), last.end(), ' ') <= 3 &&
                      splitLeadEnding(last).reference < 0 && !startsLead(last)))
                    lastLine = lineBefore = std::string::npos;
            }
            if (const std::size_t next = runOnAfterMarkedName(joined); next != std::string::npos) {
                units.push_back({trimmed(std::string_view(joined).substr(0, next)), b.first});
                units.push_back({joined.substr(next), b.first});
                ++out.split;
            } else {
                units.push_back({std::move(joined), b.first, lastLine, lineBefore == std::string::npos ? 0 : lineBefore});
            }
        } else {
            for (std::size_t i = b.first; i < b.last; ++i) {
                // A number inside a bracket left open is the lead's ("(Colby", "2009", ", fig. 55)").
                // A running head with words is one even inside a bracket left open.
                const std::string here = trimmed(lineAt(i));
                const bool worded = std::any_of(here.begin(), here.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
                if (((pageFurniture(here) && !isLabel(here)) || runningHead(lineAt(i)) ||
                     (pagedTitle(lineAt(i)) && ((i > 0 && blankLine(text[i - 1])) || (i + 1 < n && blankLine(text[i + 1]))) &&
                      !units.empty() &&
                      (splitLeadEnding(units.back().text).ends() || fullBinomialStart(units.back().text) != std::string::npos)) ||
                     (headInCapitals(lineAt(i)) && !units.empty() && splitLeadEnding(units.back().text).ends())) &&
                    (openBrackets == 0 || (worded && pageHead(here))) && !referenceAfterLeader(here) &&
                    !(squareOpen && here.find(']') != std::string::npos)) {
                    ++out.pages;
                    if (std::any_of(here.begin(), here.end(), asciiDigit)) pageLines.insert(i);
                    continue;
                }
                // A footnote between the leads ("† Fide Smith, 1990."), and the
                // lines that carry it on up to the next lead.
                if (footnoteStart(lineAt(i)) || (inFootnote && !startsLead(lineAt(i)))) {
                    inFootnote = true;
                    ++out.footnotes;
                    continue;
                }
                inFootnote = false;
                if (startsLead(lineAt(i))) openBrackets = 0;
                for (char c : lineAt(i)) openBrackets += c == '(' ? 1 : c == ')' && openBrackets > 0 ? -1 : 0;
                // A remark in square brackets a lead's line leaves open goes on
                // below ("... [Subfamily" / "CELASTROIDEAE.]      2"): its
                // closing line, in capitals with a number, is no running head.
                if (const std::size_t close = lineAt(i).rfind(']'), opened = lineAt(i).rfind('[');
                    opened != std::string_view::npos || close != std::string_view::npos)
                    squareOpen = opened != std::string_view::npos && (close == std::string_view::npos || close < opened);
                const auto parts = splitRunTogether(std::string(lineAt(i)));
                if (parts.size() > 1) out.split += static_cast<int>(parts.size()) - 1;
                for (const auto& part : parts) units.push_back({part, i});
            }
        }
    }

    // A word cut at a line end (a scanned page) joins its line to the next.
    if (!paragraphs) {
        std::vector<Unit> joined;
        for (Unit& unit : units) {
            if (!joined.empty()) {
                std::string& to = joined.back().text;
                const std::string more = trimmed(unit.text);
                const std::size_t size = to.size();
                if (cutMarkBefore(to) > 0 && lowerCaseStart(more)) {
                    joinWrapped(to, more);
                    if (to.size() < size + more.size()) {
                        ++out.hyphens;
                        continue;
                    }
                    to.resize(size);  // a shortened compound: the line stays apart
                }
            }
            joined.push_back(std::move(unit));
        }
        units = std::move(joined);
    }

    // Copies that set each field on a line of its own may close every lead
    // with its full stop alone on a line: a lead then runs up to that stop,
    // and the line after it starts the couplet's next lead even without a
    // label or mark.
    int stops = 0, labels = 0;
    for (const Unit& unit : units) {
        stops += trimmed(unit.text) == "." ? 1 : 0;
        labels += labelNumber(unit.text) >= 0 ? 1 : 0;
    }
    const bool closedByStops = stops >= 4 && stops >= labels;

    // Each lead's lines gathered, up to its ending.
    std::vector<Unit> leadUnits;
    std::set<std::size_t> captionLines = paragraphCaptions;
    if (paragraphs) {
        leadUnits = units;
    } else {
        LeadState state = LeadState::Closed;
        int depth = 0;
        bool caption = false;
        int lastGiven = -1;
        bool bareCount = false;  // the last line ended with a number right after a word
        std::set<int> referredSoFar;
        std::size_t widestInside = 0;  // the most blank lines between two lines of the key so far
        // The key prints its couplet numbers alike ("12. "): the gap most of them have.
        std::map<std::string, int> gaps;
        for (const Unit& unit : units)
            if (labelNumber(unit.text) >= 0 && startsLead(unit.text)) ++gaps[readLineStart(unit.text).gap];
        const auto usual = std::max_element(gaps.begin(), gaps.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
        // A hanging indent: the leads start at one margin and their wrapped
        // lines stand deeper, none at the margin. A deeper line then carries
        // its lead on even after a number that seemed to end it ("9 or 10").
        std::map<std::size_t, int> leadMargins;
        int deeper = 0, atMargin = 0;
        for (const Unit& unit : units)
            if (startsLead(unit.text)) ++leadMargins[unit.text.find_first_not_of(" \t")];
        const auto margin = std::max_element(leadMargins.begin(), leadMargins.end(),
                                             [](const auto& a, const auto& b) { return a.second < b.second; });
        int leadsElsewhere = 0;
        for (const auto& [at, count] : leadMargins) leadsElsewhere += margin != leadMargins.end() && at != margin->first ? count : 0;
        if (margin != leadMargins.end())
            for (std::size_t u = 0; u < units.size(); ++u) {
                const Unit& unit = units[u];
                const std::size_t at = unit.text.find_first_not_of(" \t");
                if (at == std::string::npos || startsLead(unit.text)) continue;
                if (at > margin->first) ++deeper;
                // A sentence at the margin under a lead that ended is the
                // couplet's next lead, only the first being numbered.
                else if (!(u > 0 && capitalAt(unit.text, at) && endsWithDestination(units[u - 1].text))) ++atMargin;
            }
        const bool hanging = margin != leadMargins.end() && margin->second >= 4 && leadsElsewhere * 4 <= margin->second &&
                             deeper >= 3 && atMargin * 10 <= deeper;
        auto deeperLine = [&](const Unit& unit) {
            return hanging && unit.text.find_first_not_of(" \t") > margin->first;
        };
        // A dash at the start of a wrapped line of an open lead ("Figs 39",
        // "\u2013 45, 63"; "(Fig. 2", "\u2013 d))") marks no lead: a lead starts with a capital.
        // A key that numbers both leads of its couplets ("1''" / "1'", "1a" /
        // "1b") marks none with a dash: one starting a line inside a lead is
        // the text's ("- In der Provence").
        std::map<int, int> numbered;
        for (const Unit& unit : units)
            if (const int label = labelNumber(unit.text); label >= 0 && startsLead(unit.text)) ++numbered[label];
        const auto twice = std::count_if(numbered.begin(), numbered.end(), [](const auto& c) { return c.second >= 2; });
        const bool bothNumbered = twice >= 1 && static_cast<long>(numbered.size()) - twice <= twice;
        auto markInsideLead = [&](std::string_view line) {
            const LineStart ls = readLineStart(line);
            if (ls.kind != LineStart::Kind::Mark || ls.textStart >= line.size()) return false;
            if (bothNumbered) return true;
            std::size_t at = ls.textStart;
            while (at < line.size() && (emphasisMark(line[at]) || line[at] == '(' || line[at] == '"')) ++at;
            return at < line.size() && ((line[at] >= 'a' && line[at] <= 'z') || line[at] == ')' || line[at] == ',');
        };
        auto labelMayCome = [&](std::string_view line) {
            const int label = labelNumber(line);
            if (label < 0) return true;
            if (usual != gaps.end() && usual->second >= 4 && readLineStart(line).gap != usual->first &&
                gaps[readLineStart(line).gap] * 4 <= usual->second)
                return false;
            return referredSoFar.size() < 2 || label == lastGiven || label == lastGiven + 1 || referredSoFar.count(label) > 0;
        };
        std::size_t prevIndent = std::string::npos;  // of the line before
        for (const Unit& unit : units) {
            const std::string line = trimmed(unit.text);
            // A figure's caption after an ended lead, or set apart by a blank
            // line, runs up to the next lead.
            const bool apart = unit.firstLine > 0 && blankLine(text[unit.firstLine - 1]);
            caption = caption ? !startsLead(line)
                              : (state == LeadState::Closed || state == LeadState::Named || apart) && figureCaption(line);
            if (caption) {
                captionLines.insert(unit.firstLine);
                continue;
            }
            const bool stop = line == ".";
            bool join = false;
            // A name's tail goes on the next line, never after a blank line;
            // the blank lines around a page's number or head are the page's,
            // and a lead goes on across them as across a line end.
            bool afterBlank = false;
            std::size_t gapAbove = 0;
            for (std::size_t k = unit.firstLine; k > 0 && (blankLine(text[k - 1]) || pageLines.count(k - 1)); --k) {
                if (pageLines.count(k - 1)) {
                    afterBlank = false;
                    gapAbove = 0;
                    break;
                }
                afterBlank = true;
                ++gapAbove;
            }
            // Where every line stands apart, a tail that reads as one: a word
            // in lower case, an abbreviation or a year ("sp. nov.", "Smith, 1990").
            const bool tailApart = everyLineApart && !line.empty() &&
                                   (lowerCaseStart(line) ||
                                    line.find_first_of(".0123456789") != std::string::npos);
            // A genus alone on its line goes on with its epithet ("Plega", "alba").
            // So does a genus after a leader at the end of the lead's line
            // ("Buds short . . . . Fagus", "brevis").
            auto epithet = [&] {
                if (!lowerCaseStart(line) || std::count(line.begin(), line.end(), ' ') > 4)
                    return false;
                const Unit& named = leadUnits.back();
                const std::string_view last =
                    named.lastLine == std::string::npos ? std::string_view() : std::string_view(named.text).substr(named.lastLine);
                if (!last.empty() && last.find(' ') == std::string_view::npos && capitalAt(last, 0)) return true;
                const LeadEnding ending = splitLeadEnding(named.text);
                return ending.reference < 0 && ending.name.find(' ') == std::string::npos && capitalAt(ending.name, 0);
            };
            // A figure call alone on the line after its lead's ending is the lead's ("(Fig. 3)").
            const bool callAlone = line.size() > 2 && line.front() == '(' && line.back() == ')' &&
                                   figureCall(std::string_view(line).substr(1, line.size() - 2));
            // A name after a leader wrapped onto the next line, indented
            // under its lead as the lead's own lines are ("... Lactarius",
            // "    pallidomarginatus"): a named lead has no sub-lead.
            auto hangingTail = [&] {
                const std::string& first = text[leadUnits.back().firstLine];
                const std::size_t words = static_cast<std::size_t>(std::count(line.begin(), line.end(), ' ')) + 1;
                return words <= 8 && unit.text.find_first_not_of(" \t") > first.find_first_not_of(" \t") &&
                       !endsWithDestination(line) && !splitLeadEnding(line).ends();
            };
            // A number set deeper than the margin inside an open lead is the lead's ("Petals", "    5. Stamens").
            const bool open = state == LeadState::Open || state == LeadState::AwaitName;
            // A name after a leader carried on in lower case on a line with no
            // ending of its own ("... Mecyclothorax constrictus" / "group (001–003)"):
            // a lead starts with a capital or a label.
            auto lowerTail = [&] {
                const auto words = std::count(line.begin(), line.end(), ' ') + 1;
                return lowerCaseStart(line) && words <= 10 && !endsWithDestination(line) && splitLeadEnding(line).reference < 0;
            };
            // A line in lower case after one that ended with a bare number
            // right after a word carries that lead on: the number was a
            // count ("male fifth leg with 4" / "setae on exopod ... 3").
            const bool countGoesOn = state == LeadState::Closed && bareCount && lowerCaseStart(line) && !afterBlank;
            // A line ending with a call for a number ("as in Fig.", "see p.") goes on with it: "4. (S-India)".
            const bool called = !leadUnits.empty() && !afterBlank && !line.empty() && asciiDigit(line[0]) &&
                                callAtEnd(leadUnits.back().text);
            // A line back at the leads' wrapped margin under a name set deeper,
            // starting as a sentence, opens the couplet's next lead: only
            // the first lead is numbered ("meel:" / "      Tr. alba No. 26." /
            // "  Niet vroeg ...").
            const std::size_t indent = unit.text.find_first_not_of(" \t");
            const bool underName = state == LeadState::Named && prevIndent != std::string::npos && indent != std::string::npos &&
                                   indent + 4 <= prevIndent && capitalAt(unit.text, indent) && !startsLead(line);
            // A line set deeper after one that ends with a colon is the name
            // it introduces ("... naar versch meel:" / "      Tr. alba No. 26.").
            const bool introduced = !leadUnits.empty() && leadUnits.back().text.ends_with(":") && prevIndent != std::string::npos &&
                                    indent != std::string::npos && indent > prevIndent;
            prevIndent = indent;
            // A number alone set at the right under a lead is its reference
            // (the lead's own last number a count: "Stuifmeelklompjes 2" / "      51").
            const bool rightReference = !afterBlank && !line.empty() && line.size() <= 4 && setRight(unit.text) &&
                                        std::all_of(line.begin(), line.end(), asciiDigit);
            // A line opening as a sentence under one whose reference stands
            // after a run of blanks is the couplet's next lead, however deep.
            const bool afterSetReference = !afterBlank && unit.firstLine > 0 && referenceSetApart(text[unit.firstLine - 1]) &&
                                           capitalAt(line, 0);
            // After a lead that ended, the couplet's own number again or one a
            // lead sent to, with its stop, opens a lead that starts in lower
            // case or with a count ("4. tail entirely black", "7. 9 to 11 teeth").
            const int number = labelNumber(line);
            const bool numberedAfterEnd = (state == LeadState::Named || state == LeadState::Closed) && number >= 0 &&
                                          !startsLead(line) && readLineStart(line).gap.starts_with(".") &&
                                          (number == lastGiven || referredSoFar.count(number) > 0) && labelMayCome(line);
            const bool opensLead = startsLead(line) || numberedAfterEnd;
            if (!leadUnits.empty() && (countGoesOn || called || rightReference || startsWithLeader(line) ||
                                       (deeperLine(unit) && !underName && !afterSetReference && (!opensLead || open) &&
                                        !afterBlank)))
                join = true;
            else if (!leadUnits.empty() && !opensLead)
                join = state == LeadState::Open || state == LeadState::AwaitName || stop || (callAlone && !afterBlank) ||
                       (state == LeadState::Named && !underName && (!afterBlank || tailApart) &&
                        (nameTail(line) || epithet() || hangingTail() || lowerTail()));
            // A wrapped line of an open lead may start with a number and a
            // capital ("... Species" / "1. West Africa"): a couplet number only
            // where one may come (the couplet's own, the next, one referred to).
            else if (!leadUnits.empty() && (state == LeadState::Open || state == LeadState::AwaitName) && !afterBlank)
                join = !labelMayCome(line) || markInsideLead(line);
            // Set further apart than any two lines of the key above it, a line
            // without label carries no open lead on: the text after the key
            // ("... Leptogium S. F. Gray." / "" / "" / "PLATANUS L. Sp. Pl. 999. 1753.").
            if (join && !leadUnits.empty() && gapAbove >= 2 && gapAbove > widestInside && !startsLead(line) &&
                (state == LeadState::Open || state == LeadState::AwaitName))
                join = false;
            if (!leadUnits.empty()) widestInside = std::max(widestInside, gapAbove);
            // A heading in capitals set well apart (the book's next section,
            // "GROEP V. PLAATZWAMMEN MET ...") carries no lead on.
            if (join && unit.firstLine >= 2 && blankLine(text[unit.firstLine - 1]) && blankLine(text[unit.firstLine - 2]) &&
                capitalsHeading(line))
                join = false;
            if (const int label = labelNumber(line); label >= 0 && !join) lastGiven = label;
            if (const int r = trailingNumber(line); r >= 0) referredSoFar.insert(r);
            if (!join) {
                leadUnits.push_back({line, unit.firstLine});
                depth = 0;
            } else if (!stop || (!leadUnits.back().text.ends_with(".") && splitLeadEnding(leadUnits.back().text).reference < 0)) {
                Unit& lead = leadUnits.back();
                const std::size_t before = lead.text.size();
                if (introduced) lead.text += "      " + line;
                else joinLine(lead.text, unit.text);
                lead.lineBefore = lead.lastLine != std::string::npos ? lead.lastLine : lead.joined ? std::string::npos : 0;
                lead.lastLine = lead.text.size() > before + line.size() ? lead.text.size() - line.size() : std::string::npos;
                lead.joined = true;
                lead.lastApart = afterBlank;
            }
            {
                const std::size_t digits = line.find_last_not_of("0123456789");
                bareCount = digits != std::string::npos && digits + 1 < line.size() && digits > 0 && line[digits] == ' ' &&
                            std::isalpha(static_cast<unsigned char>(line[digits - 1]));
                if (bareCount) {
                    const LeadEnding ending = splitLeadEnding(line);
                    bareCount = ending.reference >= 0 && !ending.sentOn;
                }
            }
            if (closedByStops) state = stop ? LeadState::Closed : LeadState::Open;
            else if (!stop && !(join && state == LeadState::Named)) state = stateAfter(join ? state : LeadState::Open, line, depth);
            // A short line set apart by a blank line under an open lead is its
            // name ("... In Pilzen, häufig." / "" / "rufus L."): what follows
            // another blank line is no more the lead's.
            if (join && afterBlank && state == LeadState::Open && depth == 0 && std::count(line.begin(), line.end(), ' ') <= 5)
                state = LeadState::Named;
            // So is a line set deeper after a colon: a line back at the margin
            // under it opens the couplet's next lead.
            if (join && introduced && depth == 0 && state == LeadState::Open) state = LeadState::Named;
            // And a short line set at the right under it, which the join sets
            // apart as its name ("... white bands" / "      WESTERN RATTLER").
            if (join && depth == 0 && state == LeadState::Open && setRight(unit.text) && trailingNumber(line) < 0 &&
                std::count(line.begin(), line.end(), ' ') <= 5)
                state = LeadState::Named;
        }
    }

    // The key ends where its tree is closed and a line neither starts a lead
    // nor leads anywhere, or starts a couplet already given.
    // The couplets referred to and not yet given are counted as they come,
    // so that each line costs the same however long the key.
    std::set<int> given, referred;
    int notGiven = 0;
    int leads = 0;
    std::size_t kept = leadUnits.size();
    int mostLeads = 2, widestGap = 0;
    std::map<int, int> leadsOfLabel;  // leads each couplet number starts
    int unpaired = 0;                 // couplet numbers that start one lead so far
    int lastLabel = -1;
    bool numberedTwice = false, lastEnded = false;
    bool unmarkedLeads = false;  // a lead read that starts with neither label nor mark
    int namesUnder = 0;  // short lines under a lead that did not end
    // A lead whose last line, joined to it, is a short line alone: its name.
    const auto nameLineLast = [](const Unit& lead) {
        return lead.joined && lead.lastLine != std::string::npos && lead.lastLine < lead.text.size() &&
               std::count(lead.text.begin() + static_cast<std::ptrdiff_t>(lead.lastLine), lead.text.end(), ' ') <= 5;
    };
    int namesLast = 0;  // leads so far that end so
    int numberedNames = 0;  // leads so far that end in a name after the book's number
    std::map<int, int> leadsOf;  // the leads each couplet was given
    const int keyFirstLabel = leadUnits.empty() ? -1 : labelNumber(leadUnits.front().text);
    // Leads that carry their partner's number ("1. (8)" ... "8. (1)"): a
    // first lead names a larger one.
    bool partners = false;
    for (const Unit& unit : leadUnits)
        if (const int label = labelNumber(unit.text); label >= 0)
            partners = partners || backReference(readLineStart(unit.text).gap) > label;
    for (std::size_t u = 0; u < leadUnits.size(); ++u) {
        const std::string& t = leadUnits[u].text;
        // In a key that numbers both leads, every couplet has its two.
        const bool closed = !given.empty() && leads >= 2 && notGiven == 0 && (!numberedTwice || unpaired == 0);
        const int label = labelNumber(t);
        int reference = pageAfterMarkedName(t, labelled) ? -1 : trailingNumber(t);
        // A number far beyond every couplet, without a leader before it, is
        // the page after a name ("Rhinusa Steph. 228."): the lead ends there.
        const std::size_t digitsEnd = t.ends_with(".") ? t.size() - 1 : t.size();
        const std::size_t digits = t.find_last_not_of("0123456789", digitsEnd - std::min<std::size_t>(digitsEnd, 1));
        const bool page = !labelled.empty() && digits != std::string::npos && digits + 1 < digitsEnd &&
                          digitsEnd - digits <= 5 && t[digits] == ' ' && leaderBefore(t, digits + 1) <= 1 &&
                          std::stoi(t.substr(digits + 1, digitsEnd - digits - 1)) > 2 * *labelled.rbegin() + 10 &&
                          pageNoteStart(t) == std::string::npos;  // not a note sending to a page ("zie blz. 223.")
        if (page) reference = -1;
        // A short line under a lead that did not end, in a key that sets its
        // names so ("... In Africa." / "rufa L."), is that lead's name.
        const bool nameUnder = label < 0 && u > 0 && !lastEnded && labelNumber(leadUnits[u - 1].text) >= 0 &&
                               std::count(t.begin(), t.end(), ' ') <= 5 && namesUnder > 0;
        const bool ending = page || nameUnder || reference >= 0 || endsWithDestination(t) ||
                            markedNameStart(t) != std::string_view::npos ||
                            ((t.ends_with(")") || t.ends_with(").")) && !splitLeadEnding(t).name.empty());
        // Nor is a line without label or mark a further lead of the last
        // couplet when it would give it more leads than any couplet before,
        // set further apart than any two leads (a heading after the key,
        // "The _Plega_ Group").
        int gap = 0;
        for (std::size_t i = leadUnits[u].firstLine; i > 0 && blankLine(text[i - 1]); --i) ++gap;
        const bool further =
            label < 0 && readLineStart(t).kind != LineStart::Kind::Mark && leads >= mostLeads && gap > widestGap;
        // A lead ends, as the leads before it did, in its name on a short
        // line of its own under it, or in a name after the book's number.
        const bool numberedName = numberedNameStart(t) != std::string::npos;
        const bool nameFollows = (nameLineLast(leadUnits[u]) && namesLast > 0) || (numberedName && numberedNames > 0);
        namesLast += nameLineLast(leadUnits[u]) ? 1 : 0;
        numberedNames += numberedName ? 1 : 0;
        // In a key that numbers both leads of each couplet and sets its sub-keys
        // between them, a third lead of a couplet once every couplet has its
        // two is the text after the key ("1. Plega alba Smith, 1906") when it
        // neither ends (so named) nor opens a couplet not yet given.
        const bool pastPairs = label >= 0 && unpaired == 0 && !leadsOfLabel.empty() &&
                               leadsOfLabel.count(label) && leadsOfLabel[label] >= 2 && !ending && !nameFollows &&
                               (u + 1 == leadUnits.size() || labelNumber(leadUnits[u + 1].text) < 0 ||
                                leadsOfLabel.count(labelNumber(leadUnits[u + 1].text)));
        // Nor, in a key that does not close (cut short by the copy), a text
        // that neither starts nor ends a lead, set further apart than any two
        // leads after one that has ended ("Species accounts").
        const bool textApart = label < 0 && !ending && readLineStart(t).kind != LineStart::Kind::Mark && u > 0 &&
                               gap >= 1 && gap > widestGap && lastEnded;
        // A table's rule of dashes after the key is no lead's dash.
        const bool rule = t.starts_with("---") || t.starts_with("===");
        // Nor a heading in capitals set well apart once every couplet sent
        // to is given, whatever follows it.
        const bool heading = label < 0 && u > 0 && gap >= 2 && notGiven == 0 &&
                             capitalsHeading(trimmed(text[leadUnits[u].firstLine]));
        // Nor, closed or not (a key cut short by the copy), its first couplet
        // numbered again once it has its leads: the numbering starts over, as
        // the treatments after a key do ("1. Plega alba Smith, 1906").
        // A key pasted from its middle numbers nothing below its first couplet.
        // A further lead of the first couplet that goes on to a couplet not
        // given yet is the key's own (a couplet of three leads in indented order).
        const int nextLabel = u + 1 < leadUnits.size() ? labelNumber(leadUnits[u + 1].text) : -1;
        // So is one that ends in a name after a leader, set right under the
        // key's lines (a treatment's "1. Plega alba Smith, 1906" has no leader).
        const bool goesOnToNew = (!ending && nextLabel >= 0 && !given.count(nextLabel)) ||
                                 (ending && gap == 0 && reference < 0 && endsWithDestination(t));
        const bool restart = label >= 0 && label != lastLabel && given.size() >= 2 &&
                             ((label == keyFirstLabel && leadsOf.count(label) && leadsOf[label] >= 2 && !goesOnToNew) ||
                              (keyFirstLabel > 1 && label < keyFirstLabel));
        // Nor, once the key closes, a line set apart by a blank line that
        // starts with neither label nor mark where every lead so far had one:
        // wrapped lines follow their lead, the text after the key follows a
        // blank ("PLATANUS L. Sp. Pl. 999. 1753.", its year no reference).
        const bool unmarkedApart = closed && label < 0 && gap >= 1 && !unmarkedLeads &&
                                   readLineStart(t).kind != LineStart::Kind::Mark;
        if (pastPairs || textApart || heading || restart || unmarkedApart ||
            (closed && (rule || (label < 0 && (!ending || further)) || (label >= 0 && given.count(label) && label != lastLabel && !goesOnToNew)))) {
            kept = u;
            break;
        }
        if (label < 0 && u > 0 && !lastEnded && labelNumber(leadUnits[u - 1].text) >= 0 && std::count(t.begin(), t.end(), ' ') <= 5)
            ++namesUnder;
        if (label >= 0) {
            const int count = ++leadsOfLabel[label];
            unpaired += count == 1 ? 1 : count == 2 ? -1 : 0;
        }
        if (u > 0) widestGap = std::max(widestGap, gap);
        if (label >= 0 && label == lastLabel) {
            ++leads;  // the couplet's next lead numbered again ("6'", "6b", "6.")
            numberedTwice = true;
        } else if (const int partner = partners && label >= 0 ? backReference(readLineStart(t).gap) : -1;
                   partner >= 0 && partner < label && given.count(partner)) {
            // The partner given before: the couplet's second lead.
            if (given.insert(label).second && referred.count(label)) --notGiven;
            leads = 2;
            lastLabel = label;
        } else if (label >= 0) {
            if (given.insert(label).second && referred.count(label)) --notGiven;
            if (given.size() > 1) mostLeads = std::max(mostLeads, leads);
            leads = 1;
            lastLabel = label;
        } else if (ending || readLineStart(t).kind == LineStart::Kind::Mark) {
            // A mark starts the couplet's next lead whether or not its
            // ending reads yet ("\u2013 Wings pale. Plega alba Smith.").
            ++leads;
            unmarkedLeads = unmarkedLeads || readLineStart(t).kind != LineStart::Kind::Mark;
        }
        if (reference >= 0 && referred.insert(reference).second && !given.count(reference)) ++notGiven;
        lastEnded = ending;
        if (lastLabel >= 0) leadsOf[lastLabel] = std::max(leadsOf[lastLabel], leads);
    }
    const std::size_t cutLine = kept < leadUnits.size() ? leadUnits[kept].firstLine : n;
    if (kept < leadUnits.size())
        for (std::size_t i = cutLine; i < n; ++i)
            if (!blankLine(text[i])) ++out.after;
    leadUnits.resize(kept);
    while (!units.empty() && units.back().firstLine >= cutLine) units.pop_back();
    std::erase_if(units, [&](const Unit& u) { return captionLines.count(u.firstLine) > 0; });
    out.captions = static_cast<int>(std::count_if(captionLines.begin(), captionLines.end(),
                                                  [&](std::size_t line) { return line < cutLine; }));

    // The key's widest line: a wrapped line before another is about as wide,
    // and a lead's text that ends on a line well short of it ended there.
    std::size_t widest = 0;
    for (std::size_t i = start; i < cutLine; ++i) widest = std::max(widest, text::length(trimmed(text[i])));
    auto endedShort = [&](std::string_view body, std::size_t lineBefore, std::size_t lastLine) {
        return lineBefore != std::string::npos && lastLine != std::string::npos && lastLine > lineBefore &&
               text::length(body.substr(lineBefore, lastLine - 1 - lineBefore)) * 4 < widest * 3;
    };
    // Each lead on one line, its wrapped lines joined, a short last line
    // under a text that ended short, or after a blank line, set apart as
    // its name: the readers of names under their leads read a scan's lost
    // layout so.
    if (!paragraphs && std::any_of(leadUnits.begin(), leadUnits.end(), [](const Unit& u) { return u.joined; }))
        for (const Unit& unit : leadUnits) {
            const std::string_view last =
                unit.lastLine == std::string::npos ? std::string_view() : std::string_view(unit.text).substr(unit.lastLine);
            // (Not after a name with its page: "... Romerolagus, p. 160" / "" / "Genus Lepus".)
            const bool apart = unit.lastApart && unit.lastLine != std::string::npos &&
                               pageNoteStart(std::string_view(unit.text).substr(0, unit.lastLine - 1)) == std::string_view::npos;
            if ((endedShort(unit.text, unit.lineBefore, unit.lastLine) || apart) &&
                std::count(last.begin(), last.end(), ' ') <= 5 &&
                !startsLead(last) && splitLeadEnding(last).reference < 0) {
                out.gathered.push_back(trimmed(std::string_view(unit.text).substr(0, unit.lastLine)));
                out.gatheredOrigin.push_back(static_cast<int>(unit.firstLine));
                out.gathered.emplace_back(last);
            } else {
                out.gathered.push_back(unit.text);
            }
            out.gatheredOrigin.push_back(static_cast<int>(unit.firstLine));
        }

    // The couplets, when every lead can be read: a line without a label is
    // the next lead of the couplet when the lead before has its ending, else
    // the rest of that lead.
    std::vector<Lead> leadsRead;
    bool readable = true;
    int couplet = -1;
    // Whether the last lead has its ending, read on its last line alone so
    // that a lead of many lines is not read again at each one.
    bool lastEnds = false;
    bool referenceAlone = false;  // the last line was a reference alone
    for (const Unit& unit : leadUnits) {
        if (closedByStops && trimmed(unit.text) == "." && !leadsRead.empty()) {
            std::string& body = leadsRead.back().body;
            if (splitLeadEnding(body).reference < 0) body += " .";
            lastEnds = true;
            referenceAlone = false;
            continue;
        }
        LineStart ls = readLineStart(unit.text);
        // Letters that start a line of a numbered key are words: an
        // abbreviated genus ("R. pavo"), "sp. nov.".
        if (ls.kind == LineStart::Kind::Letters) ls = LineStart{};
        // A number before a word in lower case starts a wrapped line ("1 pair").
        // Not after a lead that ended, where the couplet's number comes again
        // or the next one opens ("4. tail entirely black").
        if (ls.kind == LineStart::Kind::Digits && ls.textStart < unit.text.size() &&
            lowerCaseStart(std::string_view(unit.text).substr(ls.textStart)) &&
            !(lastEnds && couplet >= 0 && ls.gap.starts_with(".") &&
              (labelNumber(unit.text) == couplet || labelNumber(unit.text) == couplet + 1)))
            ls = LineStart{};
        const std::string rest = trimmed(std::string_view(unit.text).substr(ls.textStart));
        // A number alone after a lead without ending is its reference, on
        // the line after it (after its leader, in copies that set each field
        // on a line of its own, then the full stop that ended it).
        if (ls.kind == LineStart::Kind::Digits && rest.empty() && !leadsRead.empty() && !lastEnds) {
            leadsRead.back().body += ' ' + trimmed(unit.text);
            lastEnds = referenceAlone = !closedByStops;
            continue;
        }
        if (std::exchange(referenceAlone, false) && trimmed(unit.text) == ".") continue;
        // The last of the lines gathered into the unit, placed in the lead's text.
        const std::size_t skipped = ls.kind == LineStart::Kind::None ? 0 : ls.textStart;
        const std::size_t lastLine =
            unit.lastLine != std::string::npos && unit.lastLine > skipped ? unit.lastLine - skipped : std::string::npos;
        const std::size_t lineBefore = lastLine == std::string::npos || unit.lineBefore == std::string::npos
                                           ? std::string::npos
                                           : unit.lineBefore > skipped ? unit.lineBefore - skipped : 0;
        if (ls.kind == LineStart::Kind::Digits && labelNumber(unit.text) >= 0) {
            couplet = labelNumber(unit.text);
            leadsRead.push_back({couplet, rest, static_cast<int>(unit.firstLine), lastLine, backReference(ls.gap), lineBefore});
        } else if (leadsRead.empty()) {
            readable = false;  // nothing before to belong to
            break;
        } else if (ls.kind == LineStart::Kind::Mark || (ls.kind == LineStart::Kind::None && lastEnds)) {
            leadsRead.push_back({couplet, ls.kind == LineStart::Kind::Mark ? rest : trimmed(unit.text),
                                 static_cast<int>(unit.firstLine), lastLine, -1, lineBefore});
        } else if (ls.kind == LineStart::Kind::None) {
            Lead& lead = leadsRead.back();
            const std::size_t before = lead.body.size();
            joinWrapped(lead.body, trimmed(unit.text));
            lead.lineBefore = unit.joined ? std::string::npos : lead.lastLine != std::string::npos ? lead.lastLine : 0;
            lead.lastLine = lead.body.size() == before + trimmed(unit.text).size() + 1 ? before + 1 : std::string::npos;
        } else {
            readable = false;
            break;
        }
        // Leads closed by their stops were gathered up to it.
        lastEnds = closedByStops || splitLeadEnding(unit.text).ends();
    }
    std::vector<LeadEnding> endings;
    // The couplets some lead sends on to; whether the key's names end with a stop.
    std::set<int> sentTo;
    int stoppedNames = 0, names = 0;
    for (const Lead& lead : leadsRead)
        if (const LeadEnding e = splitLeadEnding(lead.body); e.reference >= 0) {
            sentTo.insert(e.reference);
        } else if (!e.name.empty()) {
            ++names;
            stoppedNames += e.name.ends_with(".") && !e.name.ends_with("..") ? 1 : 0;
        }
    const bool namesStopped = names >= 3 && stoppedNames * 3 >= names * 2;
    for (std::size_t k = 0; k < leadsRead.size(); ++k) {
        const Lead& lead = leadsRead[k];
        if (!readable) break;
        LeadEnding ending = splitLeadEnding(lead.body);
        // A lead that neither sends on nor names, the last of its couplet,
        // leads to the couplet printed next when no lead sends there (a
        // reference the printer left out): the key's structure says so before
        // any guess at a name in its words.
        if (!ending.ends() && k + 1 < leadsRead.size() && leadsRead[k + 1].couplet != lead.couplet &&
            !sentTo.count(leadsRead[k + 1].couplet) && leadsRead[k + 1].couplet > lead.couplet) {
            ending.text = trimmed(lead.body);
            ending.reference = leadsRead[k + 1].couplet;
        }
        // A lead's text that ends on a line well short of the key's width
        // ended there: the line under it is the name ("... in Baden u. Bayern"
        // / "elegans Aubé."), not a name read across the line end.
        const bool endedShortHere = endedShort(lead.body, lead.lineBefore, lead.lastLine);
        // Every lead of a key with references ends: one without ending has
        // its name after one blank ("... axils Cornus lutea L."), or alone
        // on its last line.
        if (const std::size_t at = ending.ends() ? std::string::npos : fullBinomialStart(lead.body);
            at != std::string::npos && !(endedShortHere && at < lead.lastLine)) {
            ending.text = trimmed(std::string_view(lead.body).substr(0, at));
            std::string name = trimmed(std::string_view(lead.body).substr(at));
            // A figure call after the name is the lead's, as after a leader.
            if (const std::size_t open = name.rfind('(');
                open != std::string::npos && open > 0 && name.ends_with(")") &&
                figureCall(std::string_view(name).substr(open + 1, name.size() - open - 2))) {
                ending.text += " " + name.substr(open);
                name.erase(open);
            }
            ending.name = unmarkedName(name);
        }
        if (!ending.ends() && lead.lastLine != std::string::npos) {
            const std::string name = lead.body.substr(lead.lastLine);
            if (std::count(name.begin(), name.end(), ' ') <= 6 && name.find(": ") == std::string::npos) {
                ending.text = beforeLeader(std::string_view(lead.body).substr(0, lead.lastLine - 1));
                ending.name = unmarkedName(name);
            }
        }
        // Else, on a lead of one line, its last words are the name, an
        // epithet or a genus after one blank ("... dorsal surface
        // pallescens"): one lead a reader cannot split does not stop the
        // whole key. Lines joined into a lead may be prose after the key.
        if (!ending.ends() && lead.lastLine == std::string::npos)
            if (const std::size_t at = lastWordNameStart(lead.body, namesStopped); at != std::string::npos) {
                ending.text = trimmed(std::string_view(lead.body).substr(0, at));
                ending.name = trimmed(std::string_view(lead.body).substr(at));
            }
        // Else a lead that is not its couplet's last and that neither sends
        // on nor names leads to the couplet printed after its couplet's
        // leads, when no lead sends there ("8. Seulement 32 dents" / "8. 34
        // dents ... 10" / "9. ..."): the printer left its reference out.
        if (!ending.ends()) {
            std::size_t next = k + 1;
            while (next < leadsRead.size() && leadsRead[next].couplet == lead.couplet) ++next;
            if (next > k + 1 && next < leadsRead.size() && leadsRead[next].couplet > lead.couplet &&
                !sentTo.count(leadsRead[next].couplet)) {
                ending.text = trimmed(lead.body);
                ending.reference = leadsRead[next].couplet;
                sentTo.insert(ending.reference);
            }
        }
        readable = ending.ends() && !ending.text.empty();
        endings.push_back(std::move(ending));
    }
    if (readable) out.repaired = repairFromBackReferences(leadsRead, endings);
    // A number after a name in marks that no couplet bears is the book's page.
    std::set<int> couplets;
    for (const Lead& lead : leadsRead) couplets.insert(lead.couplet);
    for (LeadEnding& ending : endings)
        if (const std::size_t at = markedNameStart(ending.text);
            ending.reference >= 0 && !couplets.count(ending.reference) && at != std::string_view::npos && at > 0) {
            ending.name = unmarkedName(std::string_view(ending.text).substr(at));
            ending.text = trimmed(std::string_view(ending.text).substr(0, at));
            ending.reference = -1;
            ending.bookNumber = true;
        }
    for (std::size_t k = 0; readable && k < leadsRead.size(); ++k) {
        LeadEnding& ending = endings[k];
        // A tab between two cells, a run of blanks left by a column inside
        // a lead's text, stand for a blank.
        for (std::string* part : {&ending.text, &ending.name}) {
            std::replace(part->begin(), part->end(), '\t', ' ');
            part->erase(std::unique(part->begin(), part->end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                        part->end());
        }
        // The colon that introduces the ending is the ending's ("... meel:" / "Tr. alba").
        while (ending.text.size() > 1 && (ending.text.back() == ':' || ending.text.back() == ' ')) ending.text.pop_back();
        std::string line = std::to_string(leadsRead[k].couplet) + ". " + safeDescription(ending.text);
        if (ending.reference >= 0) {
            line += " ... " + std::to_string(ending.reference);
            if (ending.bookNumber) ++out.bookNumbers;
        } else {
            std::string name = ending.name;
            bool numbered = dropBookNumber(name) || ending.bookNumber;
            // The book's number in brackets after the name is noted as such: "Acer (12)" is "Acer (no. 12)".
            if (const std::size_t open = name.rfind(" ("); open != std::string::npos && name.ends_with(")") &&
                                                           name.size() - open <= 7 &&
                                                           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(open + 2), name.end() - 1, asciiDigit)) {
                name.insert(open + 2, "no. ");
                numbered = true;
            }
            // The book's page after the name ("Acer (p. 12)", "alba, p. 90") is no part of it.
            if (const std::size_t page = pageNoteStart(name); page != std::string::npos && page > 0) {
                name = trimmed(std::string_view(name).substr(0, page));
                numbered = true;
            }
            if (numbered) ++out.bookNumbers;
            line += " => " + safeDescription(name);
        }
        out.couplets.push_back(std::move(line));
        out.coupletsOrigin.push_back(leadsRead[k].origin);
    }
    if (!readable) {
        out.couplets.clear();
        out.coupletsOrigin.clear();
    }

    for (Unit& unit : units) {
        if (trailingNumber(unit.text) >= 0) continue;
        const std::size_t at = markedNameStart(unit.text);
        if (at == std::string_view::npos) continue;
        std::string lead = beforeLeader(std::string_view(unit.text).substr(0, at));
        // A lead set wholly in marks after its label ("1. =Wings suited for flight=") is text, no name.
        const std::size_t afterLabel = lead.find(' ');
        if (afterLabel == std::string::npos ||
            std::none_of(lead.begin() + static_cast<std::ptrdiff_t>(afterLabel), lead.end(),
                         [](char c) { return text::isLetter(static_cast<unsigned char>(c)); }))
            continue;
        std::string name = unmarkedName(std::string_view(unit.text).substr(at));
        // The book's number before the marked name is neither text nor name:
        // noted after it.
        if (const std::size_t number = bookNumberAfterLeader(lead); number != std::string::npos) {
            name += " (no. " + trimmed(std::string_view(lead).substr(number, lead.find_last_not_of(" .") + 1 - number)) + ")";
            lead = beforeLeader(std::string_view(lead).substr(0, number));
        }
        unit.text = lead + kJoinedDetermination + name;
        ++out.names;
    }

    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne},
                                  {out.after, kMsgTextAfter, kMsgTextAfterOne},
                                  {out.paragraphs, kMsgParagraphs, kMsgParagraphsOne},
                                  {out.names, kMsgMarkedNames, kMsgMarkedNamesOne},
                                  {out.split, kMsgSplit, kMsgSplitOne},
                                  {out.notes, kMsgNotesAside, kMsgNotesAsideOne},
                                  {out.hyphens, kMsgHyphens, kMsgHyphensOne},
                                  {out.pages, kMsgPagesAside, kMsgPagesAsideOne},
                                  {out.captions, kMsgCaptionLines, kMsgCaptionLinesOne},
                                  {out.footnotes, kMsgFootnotes, kMsgFootnotesOne}});
    // Whatever was done is told.
    out.changed = !out.message.empty();
    if (!out.changed) return out;
    if (paragraphs) {
        for (Unit& unit : units) {
            out.lines.push_back(std::move(unit.text));
            out.origin.push_back(static_cast<int>(unit.firstLine));
        }
    } else {
        // Lines kept as they are, blank ones too, from the first couplet to
        // the end; leads run together on a line each on a line of their own.
        std::size_t u = 0;
        for (std::size_t i = start; i < cutLine; ++i) {
            bool any = false;
            for (; u < units.size() && units[u].firstLine == i; ++u, any = true) {
                out.lines.push_back(units[u].text);
                out.origin.push_back(static_cast<int>(i));
            }
            if (!any && blankLine(text[i])) {
                out.lines.push_back(text[i]);
                out.origin.push_back(static_cast<int>(i));
            }
        }
    }
    return out;
}

}  // namespace

}  // namespace sarvelo
