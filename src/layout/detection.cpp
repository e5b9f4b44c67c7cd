// Layout detection. Every rule reads a layout, not a text: labels at line
// starts, a mark in place of the number, leaders (dots, ellipses, middle dots,
// tabs) before the line's destination, the length of references, lines that
// carry no number. The candidates are judged by the processing itself.
#include "layout/detection.hpp"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>

#include "engine/recognition.hpp"
#include "engine/text.hpp"
#include "layout/cells.hpp"
#include "layout/columns.hpp"
#include "layout/lettered.hpp"
#include "layout/ordered.hpp"
#include "layout/references.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

bool digit(char32_t c) { return text::isDigit(c); }
bool letter(char32_t c) { return text::isLetter(c); }
bool blank(char32_t c) { return c == U' ' || c == U'\t'; }

// Characters between a label and its description.
bool gapChar(char32_t c) {
    switch (c) {
        case U' ': case U'\t': case U'.': case U')': case U':': case U',': case U'-':
        case U'\u2013': case U'\u2014': case U'\u2019': case U'\'': case U'*': case U'\u2032':
        case U'\u2033':  // a double prime; the quotes a copy gives for one are read below
        case U'\u00B4': case U'\u02B9': case U'`':  // primes as accents and modifier letters
        case U'|': case U']':
            return true;
        default:
            return false;
    }
}

// Marks printed in place of the number of a couplet's second lead.
bool markChar(char32_t c) {
    // "~" is a dash as OCR reads it; a copy from a set page may give a minus
    // sign, a figure dash, a bar or a Unicode hyphen.
    return c == U'-' || c == U'\u2013' || c == U'\u2014' || c == U'*' || c == U'+' || c == U'\u2022' || c == U'~' ||
           c == U'\u2212' || c == U'\u2012' || c == U'\u2015' || c == U'\u2010';
}

// Characters of a leader before a destination.
bool leaderChar(char32_t c) {
    switch (c) {
        case U' ': case U'\t': case U'.': case U'\u2026': case U'\u00B7': case U'\u2022': case U'|': case U'_': case U':':
        case U'-': case U'\u2013': case U'\u2014':
            return true;
        default:
            return false;
    }
}

std::string utf8(std::u32string_view s) { return text::fromUtf32(s); }

std::string rtrimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

std::string trimmed(std::string_view s) { return text::trimmedBlanks(s); }

bool hasAlnum(std::string_view s) {
    for (char32_t c : text::toUtf32(s))
        if (digit(c) || letter(c)) return true;
    return false;
}

// The longest common ending of the texts.
std::string commonSuffix(const std::vector<std::string>& texts) {
    if (texts.empty()) return {};
    std::u32string suffix = text::toUtf32(texts.front());
    for (const auto& t : texts) {
        const std::u32string u = text::toUtf32(t);
        std::size_t n = 0;
        while (n < suffix.size() && n < u.size() && suffix[suffix.size() - 1 - n] == u[u.size() - 1 - n]) ++n;
        suffix = suffix.substr(suffix.size() - n);
        if (suffix.empty()) break;
    }
    return utf8(suffix);
}

template <typename T>
void addOnce(std::vector<T>& list, const T& value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// Keys of a count map, most frequent first (ties in first-seen order).
std::vector<std::string> byCount(const std::map<std::string, int>& counts, const std::vector<std::string>& seen) {
    std::vector<std::string> keys = seen;
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const std::string& a, const std::string& b) { return counts.at(a) > counts.at(b); });
    return keys;
}

struct Counter {
    std::map<std::string, int> counts;
    std::vector<std::string> seen;
    void add(const std::string& key, int n = 1) {
        if (counts.emplace(key, 0).second) seen.push_back(key);
        counts[key] += n;
    }
    int count(const std::string& key) const {
        const auto it = counts.find(key);
        return it == counts.end() ? 0 : it->second;
    }
    std::vector<std::string> ordered() const { return byCount(counts, seen); }
};

// Separators after the number: none, the usual gap, its shared ending, each
// with and without its trailing blanks. Nothing that holds a letter or digit.
std::vector<std::string> separatorsAfterLabel(const std::vector<std::string>& gaps) {
    std::vector<std::string> out{""};
    if (gaps.empty()) return out;
    Counter counter;
    for (const auto& g : gaps) counter.add(g);
    const std::string usual = counter.ordered().front();
    const std::string shared = commonSuffix(gaps);
    for (const std::string& s : {usual, rtrimmed(usual), shared, rtrimmed(shared)})
        if (!s.empty() && !hasAlnum(s)) addOnce(out, s);
    return out;
}

// The kinds of leader in a run of leader characters.
std::vector<std::string> leaderKinds(std::u32string_view run) {
    std::vector<std::string> kinds;
    const std::string s = utf8(run);
    if (run.find(U'\t') != std::u32string_view::npos) kinds.emplace_back("\t");
    if (s.find("..") != std::string::npos) kinds.emplace_back("..");
    else if (s.find(". .") != std::string::npos) kinds.emplace_back(". .");
    if (run.find(U'\u2026') != std::u32string_view::npos) kinds.emplace_back("\u2026");
    if (run.find(U'\u00B7') != std::u32string_view::npos) kinds.emplace_back("\u00B7");
    if (run.find(U'\u2022') != std::u32string_view::npos) kinds.emplace_back("\u2022");
    if (run.find(U'|') != std::u32string_view::npos) kinds.emplace_back("|");
    for (const char* dash : {" - ", " \u2013 ", " \u2014 "})
        if (s.find(dash) != std::string::npos) kinds.emplace_back(dash);
    if (s.find("---") != std::string::npos) kinds.emplace_back("---");
    // A column of blanks alone, as a copy of a set page keeps the gap.
    if (kinds.empty() && s.find("   ") != std::string::npos) kinds.emplace_back("   ");
    return kinds;
}

// A trailing reference: the digits ending a line and the run of leader
// characters before them.
struct LineEnd {
    std::u32string digits;
    std::u32string leader;
    bool reference() const { return !digits.empty(); }
};

LineEnd lineEnd(std::u32string_view s) {
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    LineEnd end;
    std::size_t i = s.size();
    while (i > 0 && digit(s[i - 1])) --i;
    bool letters = false;
    if (i == s.size()) {
        // Letter keys refer to a letter: one or two after a clear leader.
        while (i > 0 && letter(s[i - 1]) && s.size() - i < 3) --i;
        letters = i < s.size() && s.size() - i <= 2 && (i == 0 || !letter(s[i - 1]));
        if (!letters) return end;
    }
    // Digits glued to a word ("f1", "ag2") are no reference.
    if (i > 0 && !leaderChar(s[i - 1])) return end;
    std::size_t j = i;
    while (j > 0 && leaderChar(s[j - 1])) --j;
    const std::u32string_view leader = s.substr(j, i - j);
    if (letters && leaderKinds(leader).empty()) return end;
    end.digits = s.substr(i);
    end.leader = leader;
    return end;
}

// The last leader of a line that is not followed by a reference: what comes
// before a determination. Only runs that are clearly leaders count.
std::vector<std::string> nameLeaderKinds(std::u32string_view s) {
    std::size_t best = std::u32string_view::npos, bestLength = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (!leaderChar(s[i]) || (s[i] == U' ' && s.compare(i, 3, U"   ") != 0)) { ++i; continue; }
        std::size_t j = i;
        while (j < s.size() && leaderChar(s[j])) ++j;
        const std::u32string_view run = s.substr(i, j - i);
        const bool clear = run.find(U'\t') != std::u32string_view::npos ||
                           (i > 0 && run.size() >= 3 && std::all_of(run.begin(), run.end(), blank)) ||
                           run.find(U'\u2026') != std::u32string_view::npos ||
                           run.find(U'\u00B7') != std::u32string_view::npos ||
                           run.find(U'\u2022') != std::u32string_view::npos ||
                           std::count(run.begin(), run.end(), U'.') >= 2 || run.find(U'|') != std::u32string_view::npos ||
                           run.find(U"---") != std::u32string_view::npos;
        if (clear && j < s.size()) { best = i; bestLength = j - i; }
        i = j;
    }
    if (best == std::u32string_view::npos) return {};
    return leaderKinds(s.substr(best, bestLength));
}

// A line of one to four words starting with a capital, or an epithet and
// its author ("pilifera Reitt."): a name on its own line.
bool looksLikeName(std::string_view line) {
    const std::string t = trimmed(line);
    if (t.empty() || std::count(t.begin(), t.end(), ' ') > 3 || t.size() > 60) return false;
    if (t[0] >= 'A' && t[0] <= 'Z') return true;
    const std::size_t space = t.find(' ');
    return space != std::string::npos && space >= 3 &&
           std::all_of(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(space), [](char c) { return c >= 'a' && c <= 'z'; }) &&
           space + 1 < t.size() && t[space + 1] >= 'A' && t[space + 1] <= 'Z';
}

// The numbering parameters of a candidate, everything else at start-up.
KeyParams numberingParams(const NumberingCandidate& n) {
    KeyParams p;
    p.Format = n.format;
    p.Alphabet = n.alphabet;
    p.Compter_lettres = n.countLetters;
    p.nb_lettres = n.maxLetters;
    if (n.format == 2) {
        p.Liste_mixte = {n.mixte};
        p.Liste_mixte2 = {n.mixte2};
    }
    p.Separ1 = n.separ1;
    p.meme_numero = n.sameMark;
    return p;
}

class QuietHost : public Host {};

const std::string kPlaceholder = "=>";

std::string quoted(const std::string& s) {
    if (s == "\t") return "tabulation";
    if (!s.empty() && s.find_first_not_of(' ') == std::string::npos) return "espace";
    return "\u00AB\u00A0" + s + "\u00A0\u00BB";
}

std::string summaryOf(const KeyParams& p) {
    std::string s;
    switch (p.Format) {
        case 0: s = "numéros 1, 2, 3"; break;
        case 1: s = "lettres"; break;
        default: s = "étiquettes " + (p.Liste_mixte.empty() ? std::string() : quoted(p.Liste_mixte.front())); break;
    }
    if (!p.Separ1.empty()) s += ", puis " + quoted(p.Separ1);
    if (!p.meme_numero.empty()) s += ", même numéro " + quoted(p.meme_numero);
    if (p.format_renvois == 1) s += " ; renvoi après " + quoted(p.Separ2) + " (" + std::to_string(p.Car_maxi) + " car. maxi)";
    else s += " ; renvoi à la ligne suivante";
    if (!p.Liste_separ_3.empty() && p.Liste_separ_3.front() != kPlaceholder)
        s += ", définition après " + quoted(p.Liste_separ_3.front());
    switch (p.Sans_numero) {
        case 0: s += " ; lignes sans numéro remontées"; break;
        case 1: s += " ; lignes sans numéro : même numéro que la précédente"; break;
        case 4: s += " ; lignes sans numéro : définitions"; break;
        default: break;
    }
    if (!p.section_depart.empty()) s += " ; titre en tête";
    return s;
}

// --- Scoring ---------------------------------------------------------------------

struct Evaluation {
    LayoutScore score;
    RunOutcome outcome = RunOutcome::PreconditionFailed;
};

// A name whose bracket is left open ("P. rufa (p.") was cut where its note
// went on.
bool nameLeftOpen(std::string_view name) {
    return std::count(name.begin(), name.end(), '(') > std::count(name.begin(), name.end(), ')');
}

// A name that is a letter, as a key labels its couplets ("b.", "(C)",
// "*aa.*"): a reference read as a name; no taxon is named so.
bool nameIsALetter(std::string_view name) {
    auto bracket = [](char c) { return c == '(' || c == ')' || c == '[' || c == ']' || c == '.' || c == '=' || c == '*' || c == '_' || c == ' '; };
    while (!name.empty() && bracket(name.front())) name.remove_prefix(1);
    while (!name.empty() && bracket(name.back())) name.remove_suffix(1);
    return !name.empty() && name.size() <= 3 && text::isLetter(static_cast<unsigned char>(name[0])) &&
           name.find_first_not_of(name[0]) == std::string_view::npos;
}

// A name that opens with the book's number ("20. Lactarius deliciosus",
// "5b) L. alba", "5.Plega alba"): the number is no part of it.
bool nameOpensWithNumber(std::string_view name) {
    std::size_t d = 0;
    while (d < name.size() && d < 5 && name[d] >= '0' && name[d] <= '9') ++d;
    if (d == 0 || d > 4) return false;
    if (d < name.size() && name[d] >= 'a' && name[d] <= 'z') ++d;
    if (d + 2 >= name.size() || (name[d] != '.' && name[d] != ')')) return false;
    // Glued to the name by a copy from a typeset page: "5.Plega alba".
    if (name[d + 1] >= 'A' && name[d + 1] <= 'Z' && name[d + 2] >= 'a' && name[d + 2] <= 'z') return true;
    return name[d + 1] == ' ' && !(name[d + 2] >= '0' && name[d + 2] <= '9');
}

// A name left inside the marks a plain-text copy sets for italics or bold
// ("_P. nigra_", "=Acer.="), or keeping an underscore wherever it stands
// ("Family _Opalinidae_"): the marks are no part of it.
bool nameInMarks(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    return (name.size() >= 3 && (name[0] == '_' || name[0] == '=' || name[0] == '*') && name.back() == name[0]) ||
           name.find('_') != std::string_view::npos;
}

// A name that keeps something of its printed line: a letter, its marks, the
// book's number before it.
bool nameLeftDirty(std::string_view name) {
    return nameIsALetter(name) || nameInMarks(name) || nameOpensWithNumber(name);
}

// Letters and digits only: a name as the run cleaned it compared with its
// printed line.
std::string lettersAndDigits(std::string_view s) {
    std::string out;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c))) out += c;
    return out;
}

// Whether one of the user's lines of the lead on row `index` (from its
// origin to the next row's) holds its name whole. A lead of one line, or of
// lines with no blank line between, holds it; `budget` bounds the bytes read
// for all the rows together, so that leads sharing a long line cost no more
// than a few times the text.
// The user's lines of the lead on row `index`: from its origin up to the
// next row's (the end of the text when none follows within 64 rows).
std::pair<std::size_t, std::size_t> leadLines(const Lines& text, const std::vector<int>& rowOrigin, std::size_t index) {
    const auto from = static_cast<std::size_t>(rowOrigin[index]);
    for (std::size_t k = index + 1; k < rowOrigin.size() && k < index + 64; ++k)
        if (rowOrigin[k] > rowOrigin[index]) return {from, static_cast<std::size_t>(rowOrigin[k])};
    return {from, text.size()};
}

// A name without the notes of the book's number and pages set after it
// ("A. rufa (no. 3) (p. 29)"), which no line prints as they stand.
std::string_view withoutBookNotes(std::string_view name) {
    while (name.ends_with(')')) {
        const std::size_t open = name.rfind(" (");
        if (open == std::string_view::npos) break;
        const std::string_view inside = name.substr(open + 2);
        if (!inside.starts_with("no. ") && !inside.starts_with("p. ") && !inside.starts_with("pp. ")) break;
        name = name.substr(0, open);
    }
    return name;
}

bool nameOnOneLine(const Lines& text, const std::vector<int>& rowOrigin, std::size_t index, std::string_view name,
                   std::size_t& budget) {
    const auto [from, to] = leadLines(text, rowOrigin, index);
    if (to <= from + 1) return true;
    // A name wrapped over the lead's next line is the book's; one joined
    // across a blank line took in what follows, so did one joined from a
    // line without the tabs of its row (a heading after a table's rows).
    const bool row = text[from].find('\t') != std::string::npos;
    std::size_t blank = from + 1;
    while (blank < to && blank < text.size() && !text::trimmedBlanks(text[blank]).empty() &&
           !(row && text[blank].find('\t') == std::string::npos))
        ++blank;
    if (blank >= to || blank >= text.size()) return true;
    const std::string wanted = lettersAndDigits(withoutBookNotes(name));
    if (wanted.empty()) return true;
    // The last lead's name over short lines of its own right before the
    // blank after the key, one cell a line ("Coarazuphium tessai", "(Godoy &
    // Vanin)"), is the book's.
    if (to >= text.size()) {
        constexpr std::size_t kNameLines = 3, kNameLineChars = 60;
        std::size_t first = blank;
        while (first > from + 1 && blank - first < kNameLines && text[first - 1].size() <= kNameLineChars) --first;
        std::string cells;
        for (std::size_t l = first; l < blank; ++l) cells += lettersAndDigits(text[l]);
        if (first < blank && cells.find(wanted) != std::string::npos) return true;
    }
    for (std::size_t l = from; l < to && l < text.size(); ++l) {
        if (text[l].size() > budget) return true;
        budget -= text[l].size();
        if (text[l].size() >= wanted.size() && lettersAndDigits(text[l]).find(wanted) != std::string::npos) return true;
    }
    return false;
}

// Whether the name of the lead on row `index` was cut at the end of the
// lead's last line but one ("Messe-" then "ngers"): a reading of the lines as
// they stand keeps it cut ("Messe ngers").
bool nameCutAtLineEnd(const Lines& text, const std::vector<int>& rowOrigin, std::size_t index) {
    auto [from, to] = leadLines(text, rowOrigin, index);
    while (to > from + 1 && text::trimmedBlanks(text[to - 1]).empty()) --to;
    return to >= from + 2 && to <= text.size() &&
           wordCutBefore(text::trimmedBlanks(text[to - 2]), text::trimmedBlanks(text[to - 1]));
}

// A name with a number glued to it ("alba12" from "alba", tab, "12"; a
// note's call "alba1"): a column the reading took in, or a call left.
bool numberGlued(std::string_view name) {
    if (name.size() < 3 || !digit(static_cast<unsigned char>(name.back()))) return false;
    std::size_t d = name.size();
    while (d > 0 && digit(static_cast<unsigned char>(name[d - 1]))) --d;
    return d > 0 && ((name[d - 1] >= 'a' && name[d - 1] <= 'z') || name[d - 1] == ']');
}

// A couplet's label whose stop a scan read as a comma, before a sentence:
// "1b, Leaves", "12, Wings".
bool commaStoppedLabel(std::string_view desc) {
    std::size_t i = 0;
    while (i < desc.size() && i < 3 && desc[i] >= '0' && desc[i] <= '9') ++i;
    if (i > 0 && i < desc.size() && desc[i] >= 'a' && desc[i] <= 'd') ++i;
    return i > 0 && i + 3 < desc.size() && desc[i] == ',' && desc[i + 1] == ' ' && desc[i + 2] >= 'A' && desc[i + 2] <= 'Z' &&
           desc[i + 3] >= 'a' && desc[i + 3] <= 'z';
}

// A lead's text that is labels or references read as text ("2 ... 1"), that
// starts with the dash or prime of a couplet's next lead or with the couplet
// of origin glued to it ("\u2013Leaves", "\u2019Leaves", "(1)Leaves"), or
// that keeps a leader inside.
bool labelsAsText(std::string_view desc) {
    if (desc.empty()) return false;
    if (std::none_of(desc.begin(), desc.end(), [](char c) { return text::isLetter(static_cast<unsigned char>(c)); }))
        return true;
    for (std::string_view mark : {"\u2013", "\u2014", "\u2212", "\u2019", "\u2032", "'"})
        if (desc.starts_with(mark)) return true;
    // The lead's letter of a "1a" / "1b" label glued to the first word ("bYoung plants").
    if (desc.size() > 3 && desc[0] >= 'a' && desc[0] <= 'c' && desc[1] >= 'A' && desc[1] <= 'Z' && desc[2] >= 'a' && desc[2] <= 'z')
        return true;
    // A leader left inside the text, before the words of its ending ("exopod .. subgenus").
    for (std::string_view leader : {" .. ", "....", ". . ."})
        if (desc.find(leader) != std::string_view::npos) return true;
    const std::size_t open = desc[0] == '(' ? 1 : 0, close = desc.find(')');
    return close != std::string_view::npos && close > open && close + 1 < desc.size() && desc[close + 1] != ' ' &&
           desc.find_first_not_of("0123456789'\u2019", open) >= close;
}

// A back-reference left of a label ("(1). Legs", a scan's "(I) Legs"): the
// bracket's number, digits or their lookalikes, then a blank.
bool backReferenceLeft(std::string_view desc) {
    const std::size_t first = desc.starts_with("( ") ? 2 : 1;
    std::size_t i = first;
    while (i < desc.size() && i < first + 4 && lookalikeDigit(desc[i]) != 0) ++i;
    if (i > first && i + 1 < desc.size() && desc[i] == ' ' && desc[i + 1] == ')') ++i;
    if (desc.empty() || desc[0] != '(' || i == first || i >= desc.size() || desc[i] != ')') return false;
    ++i;
    if (i < desc.size() && desc[i] == '.') ++i;
    return i < desc.size() && desc[i] == ' ';
}

// A lead's letter in brackets left at its start ("(a) Tail short", "(_b_)
// Tail long"): the letter that names the lead under its couplet's number.
bool leadLetterLeft(std::string_view desc) {
    std::size_t end = 0;
    return desc.starts_with('(') && leadLetterAt(desc, 0, end) != '\0' && end + 1 < desc.size();
}

// The reference itself left at the end of the lead it ends ("... lips not
// barred 3" going to 3): read twice.
bool referenceLeftAtEnd(std::string_view desc, std::string_view to, std::string_view kind) {
    return kind == kReference && !to.empty() && desc.size() > to.size() && desc.ends_with(to) &&
           desc[desc.size() - to.size() - 1] == ' ';
}

// The letters the lines of a key open with ("A.", "bb.", "[c]"): the
// couplets its references may name.
std::set<std::string, std::less<>> letterLabels(const Lines& text) {
    std::set<std::string, std::less<>> labels;
    for (const std::string& line : text) {
        const LineStart ls = readLineStart(line);
        if ((ls.kind == LineStart::Kind::Letters || ls.kind == LineStart::Kind::Bracketed) && !ls.label.empty() &&
            std::ranges::all_of(ls.label, [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }))
            labels.insert(ls.label);
    }
    return labels;
}

// Leads that still end with a reference to one of those letters, in
// brackets or after words ("... tooth (b)", "... tooth, go to B"): the
// reading left the reference in their text and sends them on otherwise. The
// key's labels are read only once a lead ends so.
int letterReferencesLeft(const ResultTable& table, const Lines& text) {
    std::optional<std::set<std::string, std::less<>>> labels;
    int left = 0;
    for (int r = 1; r <= table.dataRows(); ++r) {
        const std::string_view kind = table.cell(r, kKind);
        if (kind != kReference && kind != kDetermination) continue;
        std::string_view desc = table.cell(r, kTexte);
        while (!desc.empty() && (desc.back() == ' ' || desc.back() == '.')) desc.remove_suffix(1);
        const bool bracketed = !desc.empty() && (desc.back() == ')' || desc.back() == ']');
        if (bracketed) desc.remove_suffix(1);
        std::size_t start = desc.size();
        while (start > 0 && std::isalpha(static_cast<unsigned char>(desc[start - 1]))) --start;
        const std::string_view token = desc.substr(start);
        if (token.empty() || token.size() > 2) continue;
        std::string_view head = desc.substr(0, start);
        if (bracketed) {
            if (head.empty() || (head.back() != '(' && head.back() != '[')) continue;
        } else {
            while (!head.empty() && (head.back() == ' ' || head.back() == '\t')) head.remove_suffix(1);
            if (referenceWordsStart(head) == std::string_view::npos) continue;
        }
        if (!labels) labels = letterLabels(text);
        if (labels->contains(token)) ++left;
    }
    return left;
}

// Where the description of each lead starts compared with the text of its
// line: after it (words lost), before it (label characters kept), or there.
void scoreDescriptions(const Lines& text, const ResultTable& table, const RunResult& run, LayoutScore& score) {
    std::size_t budget = 4096;
    for (const std::string& line : text) budget += 4 * line.size();
    for (int r = 1; r <= table.dataRows(); ++r) {
        const std::string_view kind = table.cell(r, kKind);
        // A heading read whole counts too: a cut through Separ1 may shorten it.
        if (kind == kSectionStart) score.kept += static_cast<long long>(table.cell(r, kTarget).size());
        if (kind != kReference && kind != kDetermination) continue;
        const std::string desc = trimmed(table.cell(r, kTexte));
        score.kept += static_cast<long long>(desc.size() + table.cell(r, kTarget).size());
        // Two lines read as the names of one lead: a heading or the text
        // after the key taken in.
        // So is a name joined to an empty line before it ("=> Plega alba").
        if (kind == kDetermination && (table.cell(r, kTarget).find(kJoinedDetermination) != std::string::npos ||
                                       table.cell(r, kTarget).starts_with(trimmed(kJoinedDetermination) + " ")))
            ++score.joinedNames;
        // A word left cut where its line ended ("some- what"), a piece of a
        // leader left at the end ("Wings dark — — —").
        score.residue += wordsLeftCut(desc);
        for (std::string_view leader : {"\u2014", "\u2013", "__", "\u00B7", "\u2026", "\u2022", ". .", ". ,"})
            if (desc.ends_with(leader)) ++score.residue;
        if (kind == kDetermination && numberGlued(table.cell(r, kTarget))) ++score.residue;
        if (kind == kDetermination && nameLeftOpen(table.cell(r, kTarget))) ++score.residue;
        if (kind == kDetermination && nameLeftDirty(table.cell(r, kTarget))) ++score.residue;
        // A name that opens in lower case and keeps a column of blanks inside
        // was cut at a wrapped line's indentation: it is the lead's words
        // going on, the name what follows the column.
        if (kind == kDetermination && lowerCaseStart(table.cell(r, kTarget)) &&
            table.cell(r, kTarget).find("   ") != std::string_view::npos) {
            ++score.residue;
            ++score.cutNames;
        }
        if (endsWithDebris(desc) || (kind == kDetermination && endsWithDebris(table.cell(r, kTarget)))) ++score.residue;
        // Words that send on left at the end of a lead ("Ailes noires, voir").
        if (kind == kReference && referenceWordsStart(desc) != std::string_view::npos) ++score.residue;
        if (referenceLeftAtEnd(desc, table.cell(r, kTarget), kind)) ++score.residue;
        // The book's number left in the text by a name split off by its marks.
        if (kind == kDetermination && bookNumberAfterLeader(desc) != std::string_view::npos) ++score.residue;
        if (labelsAsText(desc) || leadLetterLeft(desc)) ++score.residue;
        const auto index = static_cast<std::size_t>(r - 1);
        if (desc.empty() || index >= run.rowOrigin.size()) continue;
        const int origin = run.rowOrigin[index];
        if (origin < 0 || origin >= static_cast<int>(text.size())) continue;
        // A name that no line of its lead holds whole was joined from
        // several lines: a heading or prose after the key taken in.
        if (kind == kDetermination && !nameOnOneLine(text, run.rowOrigin, index, table.cell(r, kTarget), budget))
            ++score.joinedNames;
        if (kind == kDetermination && nameCutAtLineEnd(text, run.rowOrigin, index)) ++score.residue;
        // The closing mark of a label in marks left at the start ("= Leaves" from "=1.= Leaves").
        if (desc.size() > 2 && (desc[0] == '=' || desc[0] == '*' || desc[0] == '_') && desc[1] == ' ') ++score.residue;
        // A second lead's hyphen glued to its text and left there ("-Wings
        // pale"); the other dashes count in `labelsAsText`.
        if (desc.size() > 1 && desc[0] == '-' && std::isupper(static_cast<unsigned char>(desc[1]))) ++score.residue;
        // A label misread by a scan left at the start ("lb Leaves", "S. Twigs",
        // "1b, Leaves" with its stop read as a comma).
        if (std::size_t size = 0; misreadLabelAt(desc, size) >= 0 || backReferenceLeft(desc) || commaStoppedLabel(desc))
            ++score.residue;
        const std::string& source = text[static_cast<std::size_t>(origin)];
        const std::string probe(text::firstChars(desc, 12));
        const auto at = source.find(probe);
        if (at == std::string::npos) continue;
        const std::size_t start = readLineStart(source).textStart;
        if (at > start) ++score.lostText;
        else if (at < start) ++score.residue;
    }
}

// Lines with words between the key's first row and its last that no row
// takes in: text a reading lost without a word (a name's end after a page
// break, a wrapped line a reading does not carry on).
int droppedLines(const Lines& text, const RunResult& run) {
    std::vector<int> cover(text.size() + 1, 0);
    std::size_t first = text.size(), last = 0;
    for (std::size_t k = 0; k < run.rowOrigin.size() && k < run.rowLast.size(); ++k) {
        const int from = run.rowOrigin[k], to = std::max(run.rowLast[k], from);
        if (from < 0 || to >= static_cast<int>(text.size())) continue;
        ++cover[static_cast<std::size_t>(from)];
        --cover[static_cast<std::size_t>(to) + 1];
        first = std::min(first, static_cast<std::size_t>(from));
        last = std::max(last, static_cast<std::size_t>(to));
    }
    int dropped = 0, depth = 0;
    for (std::size_t l = 0; l < text.size() && first <= last; ++l) {
        depth += cover[l];
        if (l > first && l < last && depth == 0 &&
            std::any_of(text[l].begin(), text[l].end(), [](char c) { return text::isLetter(static_cast<unsigned char>(c)); }))
            ++dropped;
    }
    return dropped;
}

Evaluation evaluate(const Lines& text, KeyParams p, bool partial, ResultTable& table, RunResult& run) {
    QuietHost host;
    RunOptions options;
    options.partialMode = partial;
    run = runProcessing(text, p, table, host, options);
    Evaluation e;
    e.outcome = run.outcome;
    LayoutScore& s = e.score;
    std::map<std::string, int, std::less<>> leadsOf;
    std::string_view lastCouplet;
    for (int r = 1; r <= table.dataRows(); ++r) {
        const std::string_view nb = table.cell(r, kNb);
        const std::string_view kind = table.cell(r, kKind);
        const bool lead = kind == kReference || kind == kDetermination;
        if (partial) {
            if (table.cell(r, kTexte).empty() && nb != kSectionStart) ++s.errorRows;
            else if (!nb.empty() && nb != kSectionStart && kind.empty()) ++s.errorRows;
        } else if (rowInError(table, r)) {
            ++s.errorRows;
        }
        if (lead && !nb.empty()) {
            ++s.leads;
            // A lead whose couplet was already met, but not on the row before.
            if (++leadsOf[std::string(nb)] > 1 && nb != lastCouplet && !partial) ++s.apart;
            lastCouplet = nb;
        }
    }
    s.couplets = static_cast<int>(leadsOf.size());
    for (const auto& [nb, n] : leadsOf)
        if (n == 2) ++s.pairedCouplets;
    for (const Finding& f : run.findings) {
        if (f.level == FindingLevel::Erreur) ++s.erreurs;
        else ++s.avertissements;
        if (f.kind == FindingKind::ManyLeads) ++s.manyLeads;
    }
    scoreDescriptions(text, table, run, s);
    s.residue += letterReferencesLeft(table, text);
    s.dropped = droppedLines(text, run);
    return e;
}

// A label that lost the tab after it, glued to the lead's first word
// ("1Spores white", "–Spores pink"): a row of cells read as one text.
bool gluedLabel(std::string_view desc) {
    std::size_t i = 0;
    while (i < desc.size() && i < 3 && desc[i] >= '0' && desc[i] <= '9') ++i;
    if (i == 0)
        for (std::string_view dash : {"-", "\u2013", "\u2014"})
            if (desc.starts_with(dash)) i = dash.size();
    return i > 0 && i + 1 < desc.size() && desc[i] >= 'A' && desc[i] <= 'Z' && desc[i + 1] >= 'a' && desc[i + 1] <= 'z';
}

// A converted key is its own text: what is left of the user's labels and
// references is the leads whose description still starts with a couplet
// number or a mark, or still ends with a reference in brackets or after
// words ("(2)", "(2), p. 14", "go to 2"), or with a label a scan misread
// ("l'' Wings", "S. Twigs").
int labelResidue(const ResultTable& table) {
    int residue = 0;
    for (int r = 1; r <= table.dataRows(); ++r) {
        const std::string_view kind = table.cell(r, kKind);
        if (kind != kReference && kind != kDetermination) continue;
        const std::string_view desc = table.cell(r, kTexte);
        const LineStart ls = readLineStart(desc);
        const LeadEnding unread = splitLeadEnding(desc);
        std::size_t misread = 0;
        residue += ls.kind == LineStart::Kind::Digits || ls.kind == LineStart::Kind::Mark ||
                           misreadLabelAt(desc, misread) >= 0 || gluedLabel(desc) || labelsAsText(desc) || backReferenceLeft(desc) || commaStoppedLabel(desc) ||
                           leadLetterLeft(desc) ||
                           endsWithDebris(desc) || (kind == kDetermination && endsWithDebris(table.cell(r, kTarget))) ||
                           (unread.reference >= 0 && unread.sentOn) || referenceLeftAtEnd(desc, table.cell(r, kTarget), kind) ||
                           (kind == kDetermination && (nameLeftOpen(table.cell(r, kTarget)) || numberGlued(table.cell(r, kTarget)) ||
                                                       nameLeftDirty(table.cell(r, kTarget))))
                       ? 1
                       : 0;
    }
    return residue;
}

// A converted key numbers its couplets anew, but where the user's lines
// carry couplet numbers, leads printed with one number belong together and
// apart from those printed with another. Counted both ways: leads whose
// printed number the reading sends to another couplet than its first lead of
// that number, and leads whose couplet holds first another printed number.
int regroupedLeads(const Lines& text, const ResultTable& table, const std::vector<int>& userOrigin) {
    std::unordered_map<std::string, std::string> coupletOfNumber, numberOfCouplet;
    int regrouped = 0;
    for (int r = 1; r <= table.dataRows() && static_cast<std::size_t>(r) <= userOrigin.size(); ++r) {
        const std::string_view kind = table.cell(r, kKind);
        const int o = userOrigin[static_cast<std::size_t>(r - 1)];
        if ((kind != kReference && kind != kDetermination) || o < 0 || o >= static_cast<int>(text.size())) continue;
        const LineStart ls = readLineStart(text[static_cast<std::size_t>(o)]);
        if (ls.kind != LineStart::Kind::Digits) continue;
        std::string nb(table.cell(r, kNb));
        if (nb.empty()) continue;
        regrouped += coupletOfNumber.try_emplace(ls.label, nb).first->second != nb;
        regrouped += numberOfCouplet.try_emplace(nb, ls.label).first->second != ls.label;
    }
    return regrouped;
}

// Obstacles found in a converted text named by the user's own lines: each
// converted line's origin, its first characters.
void namedByUsersLines(const Lines& text, const std::vector<int>& origin, std::vector<DetectionObstacle>& obstacles) {
    for (DetectionObstacle& o : obstacles) {
        if (o.line < 0 || o.line >= static_cast<int>(origin.size())) continue;
        const int line = origin[static_cast<std::size_t>(o.line)];
        if (line < 0 || line >= static_cast<int>(text.size())) continue;
        o.line = line;
        o.text = std::string(text::firstChars(text[static_cast<std::size_t>(line)], kObstacleChars));
    }
}

// The whole table as one number: parameter sets that read the text alike
// give the same one.
std::size_t readingOf(const ResultTable& table) {
    std::string cells;
    for (int r = 1; r <= table.dataRows(); ++r)
        for (int c : {kNb, kTexte, kKind, kTarget}) cells.append(table.cell(r, c)).push_back('\x1F');
    return std::hash<std::string>{}(cells);
}

LayoutProposal proposalFrom(const KeyParams& p, const Evaluation& e, const ResultTable& table) {
    LayoutProposal out;
    out.params = p;
    out.outcome = e.outcome;
    out.score = e.score;
    out.summary = summaryOf(p);
    for (int r = 1; r <= table.dataRows() && static_cast<int>(out.firstRows.size()) < kPreviewRows; ++r)
        out.firstRows.push_back({std::string(table.cell(r, kNb)), std::string(table.cell(r, kTexte)), std::string(table.cell(r, kKind)),
                                 std::string(table.cell(r, kTarget))});
    out.reading = readingOf(table);
    return out;
}

std::vector<DetectionObstacle> obstaclesOf(const Lines& text, const KeyParams& p, const ResultTable& table,
                                           const RunResult& run) {
    std::vector<DetectionObstacle> out;
    // A line is named by its start: a whole page on one line is not repeated.
    auto lineText = [&](int line) {
        return line >= 0 && line < static_cast<int>(text.size())
                   ? std::string(text::firstChars(text[static_cast<std::size_t>(line)], kObstacleChars))
                   : std::string();
    };
    // A second lead marked otherwise than the others ("-" among "–") is not
    // read as a lead: the mark is what to edit.
    if (!p.meme_numero.empty())
        for (std::size_t i = 0; i < text.size(); ++i) {
            const LineStart ls = readLineStart(text[i]);
            if (ls.kind == LineStart::Kind::Mark && ls.label != p.meme_numero)
                out.push_back({static_cast<int>(i), lineText(static_cast<int>(i)),
                               "la marque \u00AB\u00A0" + ls.label + "\u00A0\u00BB remplace ici \u00AB\u00A0" +
                                   p.meme_numero + "\u00A0\u00BB : la ligne n'est pas lue comme une entrée"});
        }
    for (int r = 1; r <= table.dataRows(); ++r) {
        if (!rowInError(table, r)) continue;
        const auto index = static_cast<std::size_t>(r - 1);
        const int line = index < run.rowOrigin.size() ? run.rowOrigin[index] : -1;
        const bool self = !table.cell(r, kNb).empty() && table.cell(r, kNb) == table.cell(r, kTarget);
        out.push_back({line, lineText(line),
                       self ? "l'entrée renvoie à son propre couplet"
                            : "ni renvoi ni définition reconnus : l'entrée reste sans description"});
    }
    for (const Finding& f : run.findings)
        if (f.level == FindingLevel::Erreur && f.kind != FindingKind::RowInError) out.push_back({f.line, lineText(f.line), f.text});
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.line < b.line; });
    constexpr std::size_t kMaxObstacles = 40;
    if (out.size() > kMaxObstacles) out.resize(kMaxObstacles);
    return out;
}

}  // namespace

bool endsWithDestination(std::string_view line) {
    const std::u32string s = text::toUtf32(line);
    const LineEnd end = lineEnd(s);
    if (end.reference() && (end.digits.size() <= 3 || trimmed(utf8(end.leader)).size() > 0)) return true;
    if (line.find("=>") != std::string_view::npos) return true;
    return !nameLeaderKinds(s).empty();
}

// --- Candidate readers -------------------------------------------------------------

LineStart readLineStart(std::string_view line) {
    const std::u32string s = text::toUtf32(line);
    const std::size_t n = s.size();
    LineStart r;
    std::size_t i = 0;
    while (i < n && blank(s[i])) ++i;
    auto bytes = [&](std::size_t chars) { return utf8(std::u32string_view(s).substr(0, chars)).size(); };
    auto skipGap = [&](std::size_t k) {
        while (k < n) {
            if (gapChar(s[k])) { ++k; continue; }
            // A closing double quote for a double prime ("3” Smaller"), not
            // the inches of a measure ("2” long").
            if ((s[k] == U'\u201D' || s[k] == U'"') && k + 2 < n && blank(s[k + 1])) {
                std::size_t m = k + 1;
                while (m < n && blank(s[m])) ++m;
                if (m < n && s[m] >= U'A' && s[m] <= U'Z') { k = m; continue; }
            }
            // A back-reference to the couplet of origin: "(1)", "(12’)", "(1.)",
            // "(1*)", "(3″)", "( 1 )" as markup sets it apart; a dash for the
            // first couplet: "(–)".
            if (std::size_t in = k + 1; s[k] == U'(' && (in = k + 1 < n && s[k + 1] == U' ' ? k + 2 : k + 1) < n && digit(s[in])) {
                std::size_t m = in;
                while (m < n && (digit(s[m]) || s[m] == U'\u2019' || s[m] == U'\'' || s[m] == U'a' || s[m] == U'b' ||
                                 s[m] == U'.' || s[m] == U'*' || s[m] == U'\u2032' || s[m] == U'\u2033' || s[m] == U'\u201D'))
                    ++m;
                if (m + 1 < n && s[m] == U' ' && s[m + 1] == U')') ++m;
                if (m < n && s[m] == U')') { k = m + 1; continue; }
            }
            if (s[k] == U'(' && k + 2 < n && (s[k + 1] == U'-' || s[k + 1] == U'\u2013' || s[k + 1] == U'\u2014') &&
                s[k + 2] == U')') {
                k += 3;
                continue;
            }
            break;
        }
        return k;
    };
    r.textStart = bytes(i);
    if (i == n) return r;
    if (digit(s[i])) {
        std::size_t j = i;
        while (j < n && digit(s[j])) ++j;
        std::size_t k = j;
        std::size_t l = k;
        while (l < n && letter(s[l]) && l - k < 3) ++l;
        // "1a." "1b)": one or two letters glued to the number belong to the label.
        // Not "3rd", "2nd": a word after its number.
        if (l > k && l - k <= 2 && l < n && (s[l] == U'.' || s[l] == U')' || (blank(s[l]) && l - k == 1))) k = l;
        // The lead's letter set apart by a blank before a sentence, with or
        // without its stop: "1 a Leaves", "1 a. Leaves", "1 b) Leaves".
        else if (const std::size_t stop = k + 2 < n && (s[k + 2] == U'.' || s[k + 2] == U')') ? 1 : 0;
                 k + 3 + stop < n && s[k] == U' ' && s[k + 1] >= U'a' && s[k + 1] <= U'c' && s[k + 2 + stop] == U' ' &&
                 ((s[k + 3 + stop] >= U'A' && s[k + 3 + stop] <= U'Z') ||
                  (s[k + 3 + stop] >= U'\u00C0' && s[k + 3 + stop] <= U'\u00DE' && s[k + 3 + stop] != U'\u00D7')))
            k += 2 + stop;
        const std::size_t m = skipGap(k);
        if (m == j && m < n) return r;  // "3rd", "2nd": a word, not a label
        // A range that starts a wrapped line, "1–10 ) ....", is no label (a
        // path number "1-2-1" goes on with its dash).
        if (m == j + 1 && k == j && m < n && digit(s[m]) && (s[j] == U'-' || s[j] == U'\u2013' || s[j] == U'\u2014')) {
            std::size_t q = m;
            while (q < n && digit(s[q])) ++q;
            if (q == n || s[q] != s[j]) return r;
        }
        // A leader after it: the end of a wrapped line ("3A)...... A. alba").
        if (const std::u32string_view gap = std::u32string_view(s).substr(k, m - k);
            gap.find(U"...") != std::u32string_view::npos || gap.find(U'\u2026') != std::u32string_view::npos)
            return r;
        r.kind = LineStart::Kind::Digits;
        r.label = utf8(std::u32string_view(s).substr(i, j - i));
        r.gap = utf8(std::u32string_view(s).substr(j, m - j));
        r.textStart = bytes(m);
        return r;
    }
    // The mark may take a stop as a number does: "—. Leaves single".
    if (markChar(s[i]) && i + 1 < n && (blank(s[i + 1]) || (s[i + 1] == U'.' && i + 2 < n && blank(s[i + 2])))) {
        std::size_t m = i + 1;
        if (s[m] == U'.') ++m;
        while (m < n && blank(s[m])) ++m;
        r.kind = LineStart::Kind::Mark;
        r.label = utf8(std::u32string_view(s).substr(i, 1));
        r.gap = utf8(std::u32string_view(s).substr(i + 1, m - i - 1));
        r.textStart = bytes(m);
        return r;
    }
    if (letter(s[i])) {
        std::size_t j = i;
        while (j < n && letter(s[j])) ++j;
        if (j - i <= 2 && j < n && (s[j] == U'.' || s[j] == U')')) {
            const std::size_t m = skipGap(j);
            r.kind = LineStart::Kind::Letters;
            r.label = utf8(std::u32string_view(s).substr(i, j - i));
            r.gap = utf8(std::u32string_view(s).substr(j, m - j));
            r.textStart = bytes(m);
        }
        return r;
    }
    // A label inside punctuation: "=1=", "[A]", "(3)".
    // Inside the marks of a plain-text copy the label's stop comes before the
    // closing mark: "=A.=", "*b.*", "_1._".
    if ((!markChar(s[i]) || s[i] == U'*') && i + 2 < n && (digit(s[i + 1]) || letter(s[i + 1]))) {
        std::size_t j = i + 1;
        const bool digits = digit(s[j]);
        while (j < n && (digits ? digit(s[j]) : letter(s[j]))) ++j;
        const std::size_t end = j;
        const bool closed = (s[i] == U'=' || s[i] == U'_' || s[i] == U'*') && j + 1 < n &&
                            (s[j] == U'.' || s[j] == U')') && s[j + 1] == s[i];
        if (closed) ++j;
        // A star alone before a number marks a note ("*12. ..."): no bracket.
        if (s[i] == U'*' && !closed && !(j < n && s[j] == U'*')) return r;
        if (j < n && !digit(s[j]) && !letter(s[j]) && !blank(s[j]) && (digits || end - i - 1 <= 2)) {
            const std::size_t m = skipGap(j + 1);
            r.kind = LineStart::Kind::Bracketed;
            r.label = utf8(std::u32string_view(s).substr(i + 1, end - i - 1));
            r.pattern = codage(utf8(std::u32string_view(s).substr(i, j + 1 - i)));
            r.gap = utf8(std::u32string_view(s).substr(j + 1, m - j - 1));
            r.textStart = bytes(m);
        }
    }
    return r;
}

std::vector<NumberingCandidate> numberingCandidates(const Lines& text) {
    std::vector<std::string> digitGaps, letterGaps;
    std::map<std::string, std::vector<std::string>> bracketGaps;
    Counter marks, brackets;
    int upperLabels = 0, lowerLabels = 0, longestLetters = 1;
    for (const auto& line : text) {
        const LineStart ls = readLineStart(line);
        switch (ls.kind) {
            case LineStart::Kind::Digits: digitGaps.push_back(ls.gap); break;
            case LineStart::Kind::Letters:
                // "R. pavo" starts with an abbreviated genus, not a label.
                if (ls.label.size() == 1 && text::upper(ls.label) == ls.label && ls.textStart < line.size() &&
                    line[ls.textStart] >= 'a' && line[ls.textStart] <= 'z')
                    break;
                letterGaps.push_back(ls.gap);
                (text::upper(ls.label) == ls.label ? upperLabels : lowerLabels)++;
                longestLetters = std::max(longestLetters, static_cast<int>(ls.label.size()));
                break;
            case LineStart::Kind::Mark: marks.add(ls.label); break;
            case LineStart::Kind::Bracketed:
                brackets.add(ls.pattern);
                bracketGaps[ls.pattern].push_back(ls.gap);
                break;
            case LineStart::Kind::None: break;
        }
    }
    // The two commonest marks, and none.
    std::vector<std::string> sameMarks{""};
    for (const auto& m : marks.ordered())
        if (sameMarks.size() < 3) sameMarks.push_back(m);

    std::vector<NumberingCandidate> out;
    auto addStyle = [&](NumberingCandidate base, const std::vector<std::string>& gaps) {
        for (const auto& separ1 : separatorsAfterLabel(gaps))
            for (const auto& mark : sameMarks) {
                base.separ1 = separ1;
                base.sameMark = mark;
                addOnce(out, base);
            }
    };
    const auto digits = static_cast<int>(digitGaps.size());
    const auto letters = static_cast<int>(letterGaps.size());
    if (digits >= 2) addStyle(NumberingCandidate{}, digitGaps);
    if (letters >= 2 && letters * 2 >= digits) {
        NumberingCandidate c;
        c.format = 1;
        c.countLetters = true;
        c.maxLetters = longestLetters;
        c.alphabet = lowerLabels == 0 ? 0 : upperLabels == 0 ? 1 : 2;
        addStyle(c, letterGaps);
    }
    const auto orderedBrackets = brackets.ordered();
    if (!orderedBrackets.empty() && brackets.count(orderedBrackets.front()) >= 2 &&
        brackets.count(orderedBrackets.front()) * 2 >= digits) {
        NumberingCandidate c;
        c.format = 2;
        c.mixte = orderedBrackets.front();
        // The index pattern keeps the label's class character, masks the rest.
        std::u32string mask;
        for (char32_t ch : text::toUtf32(c.mixte)) mask.push_back(ch == U'1' || ch == U'a' ? ch : kMaskCode);
        c.mixte2 = utf8(mask);
        addStyle(c, bracketGaps[c.mixte]);
    }
    return out;
}

std::vector<EndingCandidate> endingCandidates(const Lines& text) {
    Counter refLeaders, nameLeaders;
    std::map<std::string, int> longest;
    int references = 0, lines = 0;
    bool arrows = false;
    for (const auto& line : text) {
        if (trimmed(line).empty()) continue;
        ++lines;
        if (line.find("=>") != std::string::npos) arrows = true;
        const std::u32string s = text::toUtf32(line);
        const LineEnd end = lineEnd(s);
        if (end.reference()) {
            auto kinds = leaderKinds(end.leader);
            // A destination with no leader: the punctuation that ends the
            // lead's sentence, then a blank ("... moistened. 1").
            if (kinds.empty() && end.leader.size() == 2 && end.leader[1] == U' ' &&
                (end.leader[0] == U'.' || end.leader[0] == U',' || end.leader[0] == U':'))
                kinds.push_back(utf8(end.leader));
            if (!kinds.empty()) ++references;
            for (const auto& k : kinds) {
                refLeaders.add(k);
                longest[k] = std::max(longest[k], static_cast<int>(end.digits.size()));
            }
            continue;
        }
        for (const auto& k : nameLeaderKinds(s)) nameLeaders.add(k);
    }
    std::vector<EndingCandidate> out;
    const std::vector<std::string> placeholder{arrows ? std::string("=>") : kPlaceholder};
    for (const auto& kind : refLeaders.ordered()) {
        if (out.size() >= 4) break;
        EndingCandidate c;
        c.carMaxi = std::clamp(longest[kind], 1, 10);
        c.determinationSeparators = placeholder;
        c.separ2 = kind;
        addOnce(out, c);
        // A leader the reference clean-up does not remove must be cut whole:
        // its last character with the blank that follows.
        if (kind == "\u00B7" || kind == "\u2022" || kind == "|") {
            c.separ2 = kind + " ";
            addOnce(out, c);
        }
    }
    // Few references: leads go on to the next couplet, names follow a leader.
    if (references * 5 < lines) {
        for (const auto& kind : nameLeaders.ordered()) {
            if (out.size() >= 6) break;
            EndingCandidate c;
            c.formatRenvois = 0;
            c.separ2.clear();
            c.determinationSeparators = {kind};
            addOnce(out, c);
        }
        EndingCandidate next;
        next.formatRenvois = 0;
        next.determinationSeparators = placeholder;
        addOnce(out, next);
    }
    return out;
}

std::vector<int> otherLineCandidates(const Lines& text, const KeyParams& numbering) {
    std::size_t first = 0;
    while (first < text.size() && !avec_numero(numbering, text[first])) ++first;
    int votes[6] = {0, 0, 0, 0, 0, 0};
    bool previousEnds = false;
    for (std::size_t i = first; i < text.size(); ++i) {
        const std::string& line = text[i];
        if (trimmed(line).empty()) continue;
        const bool ends = endsWithDestination(line);
        if (!avec_numero(numbering, line) && i > first) {
            if (previousEnds && ends) ++votes[1];        // a lead printed without its number
            else if (!previousEnds && ends) ++votes[0];  // the end of a wrapped lead
            else if (!previousEnds && looksLikeName(line)) ++votes[4];
            else if (!previousEnds) ++votes[0];
            else ++votes[5];                            // a note between couplets
        }
        previousEnds = ends;
    }
    std::vector<int> order;
    for (int choice : {0, 1, 4})
        if (votes[choice] > 0) order.push_back(choice);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return votes[a] > votes[b]; });
    if (order.size() > 2) order.resize(2);
    order.push_back(-1);  // delete them, as at start-up
    return order;
}

KeyParams layoutParams(const Lines& text, const NumberingCandidate& n, const EndingCandidate& e, int sansNumero) {
    KeyParams p = numberingParams(n);
    p.format_renvois = e.formatRenvois;
    p.Separ2 = e.separ2;
    p.Car_maxi = e.carMaxi;
    p.Liste_separ_3 = e.determinationSeparators;
    p.Sans_numero = sansNumero;
    // The first line is never joined or deleted: a title there is kept as a
    // heading, as the table construction reads it after the cut through Separ1.
    if (!text.empty() && !avec_numero(p, text.front())) {
        std::string heading = text.front();
        text::cutThrough(heading, p.Separ1);
        if (!trimmed(heading).empty()) p.section_depart = heading;
    }
    return p;
}

// --- Proposals ---------------------------------------------------------------------

bool betterScore(const LayoutScore& a, const LayoutScore& b) {
    // Rows in error and faults the checks find both stop the key: a reading
    // with one open lead beats one whose couplets each hold a single lead.
    // Between two readings that both fail (a key cut short by the copy), the
    // lines of text after the key taken into leads count as faults too.
    const int faultsA = a.errorRows + a.erreurs, faultsB = b.errorRows + b.erreurs;
    // A reading that finds no lead at all reads no key, however clean.
    if ((a.leads == 0) != (b.leads == 0)) return b.leads == 0;
    // A single lead is no key: of two failing readings, the one that finds a
    // couplet shows the user the lines that really stop it.
    if (faultsA > 0 && faultsB > 0 && (a.leads < 2) != (b.leads < 2)) return b.leads < 2;
    // Of two such readings, where one takes in a quarter of the other's leads
    // or fewer (most of the key run into a few leads, or each line read as a
    // lead), the one with fewer faults a lead is the key's.
    if (faultsA > 0 && faultsB > 0 && std::min(a.leads, b.leads) > 0 &&
        std::max(a.leads, b.leads) >= 4 * std::min(a.leads, b.leads) && faultsA * b.leads != faultsB * a.leads)
        return faultsA * b.leads < faultsB * a.leads;
    if (faultsA > 0 && faultsB > 0 && faultsA + a.outside != faultsB + b.outside)
        return faultsA + a.outside < faultsB + b.outside;
    if (faultsA != faultsB) return faultsA < faultsB;
    if (a.errorRows != b.errorRows) return a.errorRows < b.errorRows;
    if (a.erreurs != b.erreurs) return a.erreurs < b.erreurs;
    // A reading that takes in a quarter of the leads another reads, or
    // fewer, left most of the key out: its fewer warnings say nothing. A
    // lead that keeps a label in its text is not counted as read.
    if (const int readA = a.leads - a.residue, readB = b.leads - b.residue;
        a.avertissements != b.avertissements && std::min(a.leads, b.leads) > 0 &&
        std::max(readA, readB) >= 4 * std::max(std::min(readA, readB), 1))
        return readA > readB;
    // A couplet of three leads or more is a key's own: a reading that leaves
    // leads of the key out, and so warns of no such couplet, is no better for
    // that. Not so where the further lead stands apart from its couplet, or
    // parts a couplet of two the other reads with no couplet more (a heading
    // above the key taken for a lead).
    if (const int readA = a.leads - a.residue, readB = b.leads - b.residue;
        a.manyLeads != b.manyLeads && readA != readB) {
        const LayoutScore& more = readA > readB ? a : b;
        const LayoutScore& fewer = readA > readB ? b : a;
        if (more.manyLeads > fewer.manyLeads && more.apart <= fewer.apart &&
            more.avertissements - more.manyLeads <= fewer.avertissements - fewer.manyLeads &&
            (more.pairedCouplets >= fewer.pairedCouplets || more.couplets > fewer.couplets))
            return readA > readB;
    }
    // Of two readings, the one that keeps together the leads the text numbers
    // alike, and leaves none of the other's leads out, is the key's: a further
    // couplet of three leads (the book prints it) says less than leads
    // regrouped, or a lead set aside as a heading. Other warnings still weigh
    // first: a book's misprinted number is regrouped.
    if (const int readA = a.leads - a.residue, readB = b.leads - b.residue;
        a.regrouped != b.regrouped && (a.regrouped < b.regrouped ? readA >= readB : readB >= readA) &&
        a.avertissements - a.manyLeads == b.avertissements - b.manyLeads)
        return a.regrouped < b.regrouped;
    // A name cut out of its lead's words weighs as a warning: the same name
    // ending two leads, which the checks warn of, may be read so no more.
    if (a.cutNames != b.cutNames && a.avertissements + a.cutNames != b.avertissements + b.cutNames)
        return a.avertissements + a.cutNames < b.avertissements + b.cutNames;
    if (a.avertissements != b.avertissements) return a.avertissements < b.avertissements;
    if (a.outside != b.outside) return a.outside < b.outside;
    // Words the reading lost weigh more than a name read from two lines.
    if (a.dropped != b.dropped) return a.dropped < b.dropped;
    if (a.joinedNames != b.joinedNames) return a.joinedNames < b.joinedNames;
    // Leads that keep a label in their text are not counted as read.
    if (a.leads - a.residue != b.leads - b.residue) return a.leads - a.residue > b.leads - b.residue;
    if (a.leads != b.leads) return a.leads > b.leads;
    if (a.lostText != b.lostText) return a.lostText < b.lostText;
    if (a.pairedCouplets != b.pairedCouplets) return a.pairedCouplets > b.pairedCouplets;
    if (a.residue != b.residue) return a.residue < b.residue;
    // Alike otherwise, the reading that gives each couplet's leads together.
    if (a.apart != b.apart) return a.apart < b.apart;
    return a.kept > b.kept;
}

bool LayoutDetection::processes() const {
    return !proposals.empty() && proposals.front().score.errorRows == 0 && proposals.front().score.erreurs == 0 &&
           proposals.front().outcome == RunOutcome::Success;
}

namespace {
LayoutDetection detectEvened(const Lines& text, int wanted, const DetectionControl& control);
}  // namespace

namespace {

// What a paste holds around its key: a numbered list above it (the key
// starts at `start`), an index after it (from `end`), captions and
// footnotes between its leads (`aside`).
struct PasteAround {
    std::size_t start = 0, end = 0;
    std::vector<bool> aside;
    bool any() const {
        return start > 0 || end < aside.size() || std::ranges::any_of(aside, [](bool a) { return a; });
    }
};

PasteAround pasteAround(const Lines& text) {
    PasteAround around;
    around.start = keyAfterNumberedList(text);
    around.end = std::max(around.start, std::min({indexAfterKey(text), accountsAfterKey(text), proseAfterKey(text)}));
    around.aside = captionsAndFootnotes(text);
    return around;
}

// Adds `more` to the count of lines before the key `summary` gives, if it
// gives one; false if not.
bool addToLinesBefore(std::string& summary, int more) {
    const std::string many(kMsgTextBefore), one(kMsgTextBeforeOne);
    const std::string manyTail = many.substr(many.find(' ')), oneTail = one.substr(one.find(' '));
    std::size_t tail = summary.find(manyTail), size = manyTail.size();
    if (tail == std::string::npos) {
        tail = summary.find(oneTail);
        size = oneTail.size();
    }
    if (tail == std::string::npos) return false;
    std::size_t start = tail;
    while (start > 0 && summary[start - 1] >= '0' && summary[start - 1] <= '9') --start;
    const std::optional<int> n = text::toInteger(std::string_view(summary).substr(start, tail - start));
    if (!n) return false;
    if (more > 0) summary.replace(start, tail + size - start, countedMessage(kMsgTextBefore, kMsgTextBeforeOne, *n + more));
    return true;
}

}  // namespace

LayoutDetection detectLayout(const Lines& text, int wanted, const DetectionControl& control) {
    // No-break and thin blanks (web pages, French typography) read as blanks
    // by every reader: the detection reads the evened copy, and each proposal
    // then holds it as the text it processes. Labels a scan misread ("i''"
    // for "1''") are mended for every reader too, but only where the mended
    // text reads better: a key of Roman or lettered labels keeps its own.
    Lines evened = text;
    int blanks = 0;
    for (std::string& line : evened) blanks += evenBlanks(line);
    const int hyphens = keepHyphensOfTheText(evened);
    Lines mended = evened;
    const int misread = mendScannedLabels(mended) + mendScannedNumbers(mended);
    const int stops = mendScannedStops(mended);
    const int flush = widenFlushRightGaps(mended);
    const int doubled = mendDoubledBlanks(mended);
    const std::vector<bool> evenedHeads = runningHeads(evened);
    const PasteAround evenedAround = pasteAround(evened);
    if (blanks == 0 && hyphens == 0 && misread + stops + doubled + flush == 0 && std::ranges::none_of(evenedHeads, [](bool h) { return h; }) &&
        !evenedAround.any())
        return detectEvened(text, wanted, control);
    LayoutDetection d = detectEvened(evened, wanted, control);
    const Lines* read = &evened;
    if (misread + stops + doubled + flush > 0 && !(control.cancel && control.cancel->load())) {
        LayoutDetection m = detectEvened(mended, wanted, control);
        if (!m.proposals.empty() &&
            (d.proposals.empty() || betterScore(m.proposals.front().score, d.proposals.front().score))) {
            d = std::move(m);
            read = &mended;
        }
    }
    // Running heads in any case between the leads ("Hydrachniden. 353"),
    // which the readers of the text as it stands would take into a lead: the
    // text is read again without them, and that reading kept where better.
    const bool mendedRead = read == &mended;
    Lines unheaded;
    std::vector<int> from;  // the line of `read` of each line of `unheaded`
    int heads = 0;
    if (const std::vector<bool> head = read == &evened ? evenedHeads : runningHeads(*read);
        std::ranges::any_of(head, [](bool h) { return h; }) &&
        !(control.cancel && control.cancel->load())) {
        for (std::size_t i = 0; i < read->size(); ++i)
            if (!head[i]) {
                unheaded.push_back((*read)[i]);
                from.push_back(static_cast<int>(i));
            } else {
                heads += trimmed((*read)[i]).empty() ? 0 : 1;
            }
        LayoutDetection h = detectEvened(unheaded, wanted, control);
        if (!h.proposals.empty() &&
            (d.proposals.empty() || betterScore(h.proposals.front().score, d.proposals.front().score))) {
            d = std::move(h);
            for (DetectionObstacle& o : d.obstacles)
                if (o.line >= 0 && o.line < static_cast<int>(from.size())) o.line = from[static_cast<std::size_t>(o.line)];
            read = &unheaded;
        } else {
            heads = 0;
        }
    }
    // A numbered list of paragraphs above the key ("1. The genus is ..."),
    // which every reader would take for its first couplets, an index of
    // names with their pages after it, which lettered readers would take for
    // leads ("S. alba, 156"), and figures' captions and footnotes set apart
    // between its leads: the key read again without them.
    Lines cut;
    int listed = 0, indexed = 0, asides = 0;
    if (!(control.cancel && control.cancel->load())) {
        const PasteAround around = read == &evened ? evenedAround : pasteAround(*read);
        const std::size_t start = around.start, end = around.end;
        const std::vector<bool>& aside = around.aside;
        std::vector<int> cutFrom;  // the line of `read` of each line of `cut`
        for (std::size_t i = start; i < end; ++i)
            if (!aside[i]) {
                cut.push_back((*read)[i]);
                cutFrom.push_back(static_cast<int>(i));
            }
        if (cut.size() < read->size()) {
            // Kept unless the reading with them ranks above for its faults:
            // a note joined to a lead costs it nothing the checks see, and
            // its words are no more text kept.
            LayoutDetection l = detectEvened(cut, wanted, control);
            LayoutScore withThem = d.proposals.empty() ? LayoutScore{} : d.proposals.front().score;
            if (!l.proposals.empty()) withThem.kept = l.proposals.front().score.kept;
            if (!l.proposals.empty() && (d.proposals.empty() || !betterScore(withThem, l.proposals.front().score))) {
                for (DetectionObstacle& o : l.obstacles) {
                    if (o.line < 0 || o.line >= static_cast<int>(cutFrom.size())) continue;
                    o.line = cutFrom[static_cast<std::size_t>(o.line)];
                    if (read == &unheaded && o.line < static_cast<int>(from.size())) o.line = from[static_cast<std::size_t>(o.line)];
                }
                d = std::move(l);
                for (std::size_t i = 0; i < read->size(); ++i)
                    if (!trimmed((*read)[i]).empty()) {
                        listed += i < start ? 1 : 0;
                        indexed += i >= end ? 1 : 0;
                        asides += i >= start && i < end && aside[i] ? 1 : 0;
                    }
                read = &cut;
            }
        }
    }
    if (blanks == 0 && hyphens == 0 && read == &evened) return d;
    const auto told = [&](int before) {
        return countedParts({{before, kMsgTextBefore, kMsgTextBeforeOne},
                             {indexed, kMsgTextAfter, kMsgTextAfterOne},
                             {asides, kMsgAsides, kMsgAsidesOne},
                             {blanks, kMsgOddBlanks, kMsgOddBlanksOne},
                             {hyphens, kMsgKeptHyphens, kMsgKeptHyphensOne},
                             {mendedRead ? misread : 0, kMsgMisread, kMsgMisreadOne},
                             {mendedRead ? stops : 0, kMsgDebris, kMsgDebrisOne},
                             {mendedRead ? doubled : 0, kMsgDoubledBlanks, kMsgDoubledBlanksOne},
                             {mendedRead ? flush : 0, kMsgFlushRight, kMsgFlushRightOne},
                             {heads, kMsgPagesAside, kMsgPagesAsideOne}});
    };
    for (LayoutProposal& p : d.proposals) {
        if (p.convertsIndented) {
            p.convertsIndented = false;
            p.convertedText = convertIndentedKey(*read).lines;
        } else if (p.convertedText.empty()) {
            p.convertedText = *read;
        }
        // A reader that set lines before the key aside itself says so once,
        // with the list taken out above counted in.
        const int before = addToLinesBefore(p.summary, listed) ? 0 : listed;
        if (const std::string all = told(before); !all.empty() && p.summary.find(all) == std::string::npos)
            p.summary = "texte remis en forme (" + all + ") ; " + p.summary;
    }
    for (DetectionObstacle& o : d.obstacles)
        if (o.line >= 0 && o.line < static_cast<int>(text.size()))
            o.text = std::string(text::firstChars(text[static_cast<std::size_t>(o.line)], kObstacleChars));
    return d;
}

namespace {

LayoutDetection detectEvened(const Lines& text, int wanted, const DetectionControl& control) {
    LayoutDetection detection;
    // Every run counts one step; the plan grows as the candidates are known.
    int done = 0, planned = 0;
    auto stopped = [&] { return control.cancel && control.cancel->load(); };
    auto step = [&] {
        ++done;
        if (control.progress) control.progress(done, std::max(done, planned));
        return !stopped();
    };
    auto cancelled = [&] {
        LayoutDetection out;
        out.obstacles.push_back({-1, "", kMsgDetectionCancelled});
        return out;
    };
    if (std::all_of(text.begin(), text.end(), [](const std::string& l) { return trimmed(l).empty(); })) {
        detection.obstacles.push_back({-1, "", kMsgEmptyText});
        return detection;
    }

    struct Full {
        LayoutProposal proposal;
        std::vector<DetectionObstacle> obstacles;
    };
    std::vector<Full> full;
    ResultTable table;
    RunResult run;
    // Every combination, tried first on a sample with partial runs; the best
    // of the sample run in full.
    auto search = [&](const Lines& lines) {
        std::vector<KeyParams> combinations;
        const auto endings = endingCandidates(lines);
        for (const auto& n : numberingCandidates(lines)) {
            const auto others = otherLineCandidates(lines, numberingParams(n));
            for (const auto& e : endings)
                for (int sans : others) combinations.push_back(layoutParams(lines, n, e, sans));
        }
        // The sample is bounded in lines and in bytes, so that its cost does
        // not grow with a text of few, very long lines.
        constexpr std::size_t kSampleLines = 160, kSampleLineChars = 2000, kSampleBytes = 64 * 1024;
        Lines sample;
        for (std::size_t i = 0, bytes = 0; i < lines.size() && i < kSampleLines && bytes < kSampleBytes; ++i) {
            sample.emplace_back(text::firstChars(lines[i], kSampleLineChars));
            bytes += sample.back().size();
        }
        struct Tried {
            std::size_t index;
            LayoutScore score;
        };
        std::vector<Tried> tried;
        // Sets that split the sample alike are one candidate: the full runs go to
        // different readings of the text.
        std::set<std::size_t> readings;
        planned += static_cast<int>(combinations.size()) + 8;
        for (std::size_t i = 0; i < combinations.size(); ++i) {
            const LayoutScore score = evaluate(sample, combinations[i], true, table, run).score;
            if (readings.insert(readingOf(table)).second) tried.push_back({i, score});
            if (!step()) return;
        }
        std::stable_sort(tried.begin(), tried.end(),
                         [](const Tried& a, const Tried& b) { return betterScore(a.score, b.score); });
        constexpr std::size_t kFullRuns = 8;
        for (std::size_t k = 0; k < tried.size() && k < kFullRuns; ++k) {
            const KeyParams& p = combinations[tried[k].index];
            const Evaluation e = evaluate(lines, p, false, table, run);
            full.push_back({proposalFrom(p, e, table), obstaclesOf(lines, p, table, run)});
            if (!step()) return;
        }
    };
    search(text);
    if (stopped()) return cancelled();
    const std::size_t wholePaste = full.size();
    // A key already converted to the couplet form: processed by the converted
    // key's layout, its lines that stop it named by the user's lines.
    std::size_t userBudget = 4096;
    for (const std::string& line : text) userBudget += 4 * line.size();
    auto readConverted = [&](const Lines& couplets, const std::vector<int>& origin) {
        KeyParams p;
        setIndentedKeyLayout(p);
        Evaluation e = evaluate(couplets, p, false, table, run);
        e.score.lostText = 0;
        e.score.residue = labelResidue(table) + letterReferencesLeft(table, text);
        // Names read from several of the user's lines: what follows the key taken in.
        {
            std::vector<int> userOrigin(run.rowOrigin.size(), -1);
            for (std::size_t k = 0; k < run.rowOrigin.size(); ++k)
                if (const int o = run.rowOrigin[k]; o >= 0 && o < static_cast<int>(origin.size()))
                    userOrigin[k] = origin[static_cast<std::size_t>(o)];
            std::size_t budget = userBudget;
            for (int r = 1; r <= table.dataRows() && static_cast<std::size_t>(r) <= userOrigin.size(); ++r)
                if (const int o = userOrigin[static_cast<std::size_t>(r - 1)];
                    table.cell(r, kKind) == kDetermination && o >= 0 && o < static_cast<int>(text.size()) &&
                    !nameOnOneLine(text, userOrigin, static_cast<std::size_t>(r - 1), table.cell(r, kTarget), budget))
                    ++e.score.joinedNames;
            e.score.regrouped = regroupedLeads(text, table, userOrigin);
        }
        Full f{proposalFrom(p, e, table), obstaclesOf(couplets, p, table, run)};
        // Named by the user's own line, not the converted one.
        namedByUsersLines(text, origin, f.obstacles);
        return f;
    };
    auto proposeConverted = [&](const Lines& couplets, const std::vector<int>& origin, const std::string& summary,
                                const std::string& message) {
        Full f = readConverted(couplets, origin);
        f.proposal.convertedText = couplets;
        f.proposal.summary = summary + (message.empty() ? std::string() : " (" + message + ")");
        full.push_back(std::move(f));
    };
    // A key inside a longer paste, or set out in paragraphs, is read reshaped.
    const ReshapedKey reshaped = reshapeKey(text);
    // The readings of the whole paste take in what follows the key.
    // The user's own text read as it stands may keep its leads in indented
    // order; a text converted anyway is better in couplet form.
    for (std::size_t k = 0; k < wholePaste; ++k) {
        full[k].proposal.score.outside = reshaped.after + reshaped.captions + reshaped.footnotes + reshaped.pages;
        full[k].proposal.score.apart = 0;
    }
    if (!reshaped.couplets.empty()) {
        std::string message = reshaped.message;
        if (const std::string more = countedParts({{reshaped.bookNumbers, kMsgBookNumbers, kMsgBookNumbersOne},
                                                   {reshaped.repaired, kMsgRepaired, kMsgRepairedOne}});
            !more.empty())
            message += (message.empty() ? "" : ", ") + more;
        proposeConverted(reshaped.couplets, reshaped.coupletsOrigin,
                         "clé lue couplet par couplet, convertie en clé numérotée", message);
    }
    // The reshaped reading sets every ending apart already: when the checks
    // find nothing in it, the references need not be set bare.
    const bool reshapedClean = !reshaped.couplets.empty() && full.back().proposal.score.errorRows == 0 &&
                               full.back().proposal.score.erreurs == 0 && full.back().proposal.score.avertissements == 0;
    // The text set out again (`lines`, each from the user's line `origin`) and
    // detected anew: its proposals hold it as the text they process, and the
    // lines that stop it are the user's. False when cancelled.
    auto reread = [&](const Lines& lines, const std::vector<int>& origin, const std::string& told) {
        LayoutDetection d = detectLayout(lines, wanted, control);
        if (stopped()) return false;
        for (std::size_t k = 0; k < d.proposals.size(); ++k) {
            LayoutProposal& p = d.proposals[k];
            if (p.convertsIndented) {
                p.convertsIndented = false;
                p.convertedText = convertIndentedKey(lines).lines;
            } else if (p.convertedText.empty()) {
                p.convertedText = lines;
            }
            p.summary = "texte remis en forme (" + told + ") ; " + p.summary;
            Full f{std::move(p), k == 0 ? std::move(d.obstacles) : std::vector<DetectionObstacle>{}};
            namedByUsersLines(text, origin, f.obstacles);
            full.push_back(std::move(f));
        }
        return true;
    };
    // A table pasted one cell a line, or as rows of cells between bars.
    const CellKey cells = readCellPerLine(text);
    bool cellsRead = false;  // to the last row, without fault
    if (!cells.couplets.empty()) {
        proposeConverted(cells.couplets, cells.origin,
                         "tableau copié (une cellule par ligne ou des cellules entre \u00AB\u00A0|\u00A0\u00BB), "
                         "converti en clé numérotée",
                         cells.message);
        const LayoutScore& score = full.back().proposal.score;
        cellsRead = score.errorRows == 0 && score.erreurs == 0;
    }
    // A table set in columns by blanks, the name in the last one.
    if (const CellKey spaced = readSpacedColumns(text); !spaced.couplets.empty())
        proposeConverted(spaced.couplets, spaced.origin, "tableau en colonnes, converti en clé numérotée", spaced.message);
    // The same table set out as rows of cells between tabs: every reader then
    // reads it as it reads such rows (numbers with their partner's, leads in
    // indented order, references after words). Cells a line that the reader
    // of cells read to the last row are left so.
    if (const TableRows rows = tableAsTabRows(text);
        !rows.lines.empty() && rows.lines != text &&
        (rows.bars || !cellsRead || *std::max_element(cells.origin.begin(), cells.origin.end()) < rows.lastRow)) {
        if (!reread(rows.lines, rows.origin, "tableau remis en lignes de cellules")) return cancelled();
    }
    // A key set in two columns, each lead's ending level with its first line.
    if (const ColumnLeads columns = twoColumnLeads(text); !columns.lines.empty())
        if (!reread(columns.lines, columns.origin, countedMessage(kMsgColumnLeads, kMsgColumnLeadsOne, columns.joined)))
            return cancelled();
    // References in brackets, after words or an arrow, or on the next line, set bare.
    if (const BareReferences bare = reshapedClean ? BareReferences{} : bareReferences(text); bare.rewritten > 0)
        if (!reread(bare.lines, bare.origin, countedMessage(kMsgBareReferences, kMsgBareReferencesOne, bare.rewritten)))
            return cancelled();
    // Sections headed "§ I.", "§ II.": the key's first choice.
    if (const SectionsCouplet sections = sectionsAsCouplet(text); !sections.lines.empty())
        if (!reread(sections.lines, sections.origin, countedMessage(kMsgSections, nullptr, sections.sections)))
            return cancelled();
    // Couplets set in braces.
    if (const OrderedKey braced = readBracedCouplets(text); !braced.couplets.empty())
        proposeConverted(braced.couplets, braced.origin, "clé en accolades (un couplet par accolade), convertie en clé numérotée",
                         braced.message);
    // Couplets named by letters, the references naming them too.
    if (const Lines numbered = numberedFromLetters(text); !numbered.empty())
        if (const ReshapedKey lettered = reshapeKey(numbered); !lettered.couplets.empty())
            proposeConverted(lettered.couplets, lettered.coupletsOrigin,
                             "clé aux couplets désignés par des lettres, convertie en clé numérotée", lettered.message);
    // Couplets numbered once, their leads lettered.
    if (const LetteredLeads numbered = numberedFromLeadLetters(text); !numbered.lines.empty()) {
        std::vector<int> sameLines(numbered.lines.size());
        for (std::size_t k = 0; k < sameLines.size(); ++k) sameLines[k] = static_cast<int>(k);
        std::string told = "entrées désignées par des lettres sous le numéro de leur couplet";
        if (numbered.headings > 0) told += ", " + countedMessage(kMsgGroupHeadings, kMsgGroupHeadingsOne, numbered.headings);
        if (numbered.unnumbered > 0) told += std::string(", ") + kMsgUnnumbered;
        if (!reread(numbered.lines, sameLines, told)) return cancelled();
    }
    if (reshaped.changed) {
        const std::size_t from = full.size();
        search(reshaped.lines);
        if (stopped()) return cancelled();
        for (std::size_t k = from; k < full.size(); ++k) {
            LayoutProposal& p = full[k].proposal;
            p.convertedText = reshaped.lines;
            p.summary = "texte remis en forme (" + reshaped.message + ") ; " + p.summary;
            namedByUsersLines(text, reshaped.origin, full[k].obstacles);
        }
    }
    // An indented key is proposed with its conversion.
    const IndentedKey indented = convertIndentedKey(text);
    if (indented.converted) {
        Full f = readConverted(indented.lines, indented.origin);
        f.proposal.convertsIndented = true;
        f.proposal.summary = "clé indentée, convertie en clé numérotée par couplets (" + indented.message + ")";
        full.push_back(std::move(f));
    }
    // The numbers may stand in indented order: a lead without reference
    // leads to the couplet that follows. The checks judge this reading
    // against the others.
    static constexpr const char* kInOrder =
        "clé numérotée en ordre indenté (une entrée sans renvoi mène au couplet qui la suit), convertie en clé numérotée";
    if (const OrderedKey ordered = readNumberedInOrder(text, reshaped); !ordered.couplets.empty()) {
        proposeConverted(ordered.couplets, ordered.origin, kInOrder, ordered.message);
        // Read as it stands, the paste keeps its running heads in the leads.
        full.back().proposal.score.outside = reshaped.pages;
        // Names guessed without a separator: the leads may go on instead.
        if (ordered.guessedNames > 0)
            if (const OrderedKey goingOn = readLeadsGoingOn(text); !goingOn.couplets.empty()) {
                proposeConverted(goingOn.couplets, goingOn.origin, kInOrder, goingOn.message);
                full.back().proposal.score.outside = reshaped.pages;
            }
    }
    // The same, once the text around the key is set aside (a treatment after
    // the key numbered like its leads).
    if (reshaped.changed)
        if (OrderedKey ordered = readNumberedInOrder(reshaped.lines); !ordered.couplets.empty()) {
            for (int& o : ordered.origin)
                if (o >= 0 && o < static_cast<int>(reshaped.origin.size())) o = reshaped.origin[static_cast<std::size_t>(o)];
            proposeConverted(ordered.couplets, ordered.origin, kInOrder,
                             reshaped.message + (ordered.message.empty() ? "" : ", " + ordered.message));
        }
    // And once the lines of each lead are joined (a scan's lost layout), when
    // the reshaped couplets could not be read: leads in indented order.
    if (!reshaped.gathered.empty() && reshaped.couplets.empty())
        if (OrderedKey ordered = readNumberedInOrder(reshaped.gathered); !ordered.couplets.empty()) {
            for (int& o : ordered.origin)
                if (o >= 0 && o < static_cast<int>(reshaped.gatheredOrigin.size()))
                    o = reshaped.gatheredOrigin[static_cast<std::size_t>(o)];
            proposeConverted(ordered.couplets, ordered.origin, kInOrder,
                             (reshaped.message.empty() ? "" : reshaped.message + ", ") + kMsgGathered +
                                 (ordered.message.empty() ? "" : ", " + ordered.message));
        }
    if (full.empty()) {
        // The first line that carries text: the whole key may stand on it.
        std::size_t first = 0;
        while (trimmed(text[first]).empty()) ++first;
        detection.obstacles.push_back({static_cast<int>(first), text[first], kMsgNoLabels});
        return detection;
    }
    std::stable_sort(full.begin(), full.end(),
                     [](const Full& a, const Full& b) { return betterScore(a.proposal.score, b.proposal.score); });

    // Sets that give the same table are one proposal.
    std::set<std::size_t> outcomes;
    std::vector<Full*> chosen;
    for (auto& f : full) {
        if (static_cast<int>(chosen.size()) >= wanted) break;
        if (outcomes.insert(f.proposal.reading).second) chosen.push_back(&f);
    }
    // The ranking weighs some things only between readings far apart, so
    // three readings may each beat the next in turn: the order of a sort is
    // then no ranking. One that no other beats, where there is one, leads.
    const auto unbeaten = std::ranges::find_if(chosen, [&](const Full* f) {
        return std::ranges::none_of(chosen, [&](const Full* g) { return betterScore(g->proposal.score, f->proposal.score); });
    });
    if (unbeaten != chosen.end()) std::rotate(chosen.begin(), unbeaten, unbeaten + 1);
    for (Full* f : chosen) {
        if (detection.proposals.empty() && (f->proposal.score.errorRows > 0 || f->proposal.score.erreurs > 0))
            detection.obstacles = std::move(f->obstacles);
        detection.proposals.push_back(std::move(f->proposal));
    }
    // Back-references that the key's own references contradict are told.
    if (detection.processes() && hasBackReferences(text)) {
        LayoutProposal& best = detection.proposals.front();
        evaluate(best.convertsIndented ? convertIndentedKey(text).lines : best.convertedText.empty() ? text : best.convertedText,
                 best.params, false, table, run);
        if (const std::string told = misprintedBackReferencesMessage(misprintedBackReferences(text, table));
            !told.empty() && best.summary.find(told) == std::string::npos)
            best.summary += " ; " + told;
    }
    return detection;
}

}  // namespace

void takeLayout(KeyParams& target, const KeyParams& layout) {
    KeyParams result = layout;
    const KeyParams& before = target;
    for (const auto& info : paramInfos()) {
        // The formatting page belongs to the text input, the hidden fields to
        // the document; the index patterns go with the complex list.
        const bool kept = info.page == 0 || (info.hidden && info.name != "Liste_mixte2");
        if (kept) copyParam(result, before, info);
    }
    target = std::move(result);
}

}  // namespace sarvelo
