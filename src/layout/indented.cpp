// Indented and hierarchical keys: keys that show their structure by the
// indentation of the leads, by series of labels (I., A., a., 1., AA.) or by
// path numbers (1.2.1.), with no couplet numbers and no references. The pass
// rebuilds the tree of leads and writes it out as a numbered couplet key,
// "1. lead ... 2" or "1. lead => Name", which the run then processes.
//
// One walk down the lines places each lead with a stack of open levels; a
// level is an indentation, refined by the label series seen at it, so that a
// key whose indentation was lost still nests by its labels.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <utility>

#include "engine/text.hpp"
#include "layout/indented.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

// --- Labels -------------------------------------------------------------------

// Label series. Letters "A."/"a." count A, B, C; in keys that double letters
// (A. ... AA.) each letter is a level of its own and the doubling counts
// the leads: those series are kLetterLevel + letter. Path numbers of depth d
// are kPath + d.
enum Series : int {
    kPrimed = -2,  // a lead's start that gives no level ("2′.", "1a.", "–")
    kNone = -1,
    kRomanUpper = 0,
    kRomanLower,
    kCapital,
    kSmall,
    kDigit,
    kBracketed = 5,       // + one of the five above: "(1)", "(a)", "(iv)" are a series apart from "1.", "a."
    kCapitalLevel = 10,   // + letter index 0..25
    kSmallLevel = 40,     // + letter index 0..25
    kGreek = 66,          // "[alpha].", "α.": the Greek letters, spelt out in plain-text copies
    kStar = 67,           // "*", "**": the stars count the leads; "+", "++", "†", "=" ... likewise (kSigns)
    kPath = 79,           // + depth
    kSmallSpaced = kPath + 40,  // "a. a.", "b. b.": the letters doubled with a blank, a series of their own
    kCapitalSpaced,
    kPrefixed,  // + the word before the number: "Div. I.", "Sub-div. II.", "Sect. 2." (kLabelWords)
    kSmallRepeated = kPrefixed + 10,  // + repeats less two: "aa., bb." (then "aaa., bbb.") a series under "a., b."
    kCapitalRepeated = kSmallRepeated + 6,
    kSeriesCount = kCapitalRepeated + 6,
};

struct Candidate {
    int series = kNone;
    int value = 0;               // 1 for the first label of a series
    std::vector<int> path;       // path numbers: every part
};

struct Label {
    std::vector<Candidate> candidates;
    std::size_t length = 0;  // bytes of the label and the blanks after it
    bool primed = false;     // "1''", "1'": a lead's start that gives no level
};

bool isUpperAscii(char c) { return c >= 'A' && c <= 'Z'; }
bool isLowerAscii(char c) { return c >= 'a' && c <= 'z'; }
bool isDigitAscii(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Value of a roman numeral written with I, V and X (either case), 0 when it
// is not one.
int romanValue(std::string_view s) {
    static constexpr std::array<std::string_view, 10> units{"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix"};
    static constexpr std::array<std::string_view, 4> tens{"", "x", "xx", "xxx"};
    const std::string low = text::lower(s);
    for (int t = 3; t >= 0; --t) {
        if (low.compare(0, tens[t].size(), tens[t]) != 0) continue;
        const std::string_view rest = std::string_view(low).substr(tens[t].size());
        for (int u = 0; u < 10; ++u)
            if (rest == units[u] && t * 10 + u > 0) return t * 10 + u;
    }
    return 0;
}

bool sameLetterRepeated(std::string_view s) {
    return s.size() >= 2 && std::all_of(s.begin(), s.end(), [&](char c) { return c == s[0]; });
}

struct Styles {
    bool paths = false;          // some label is a path number such as 1.2.
    bool capitalLevels = false;  // capitals doubled: A. ... AA.
    bool smallLevels = false;    // small letters doubled: a. ... aa.
    bool primes = false;         // second leads primed ("2'."): every number starts a lead of its couplet
    bool primedLetters = false;  // "A" then "A´": a letter is a level, its primes count the leads
    bool primedCapitals = false, primedSmalls = false;  // "A." then "A'.": the stopped letter is a level too
    bool repeatedSeries = false; // "aa., bb." count the leads of a level below "a., b." rather than double them
};

}  // namespace

namespace {

// What follows a closing double quote used as a double prime.
bool doublePrimeAfter(std::string_view rest) {
    if (rest.empty() || rest[0] == '.' || rest[0] == '\t' || rest[0] == ')') return true;
    const std::size_t at = rest.find_first_not_of(' ');
    return rest[0] == ' ' && at != std::string_view::npos && isUpperAscii(rest[at]);
}

}  // namespace

int primesAt(std::string_view s, std::size_t& at) {
    int count = 0;
    for (bool more = true; more && at < s.size();) {
        more = false;
        // A closing double quote stands for a double prime in many copies,
        // before a stop, a tab or a capital ("3” Smaller"; "2” long" is a measure).
        for (std::string_view prime : {"'", "\u2019", "\u2032", "\u00B4", "\u2033", "\u201D"})
            if (s.substr(at, prime.size()) == prime &&
                (prime != "\u201D" || doublePrimeAfter(s.substr(at + prime.size())))) {
                at += prime.size();
                count += prime == "\u2033" || prime == "\u201D" ? 2 : 1;
                more = true;
            }
    }
    return count;
}

int raisedNumberAt(std::string_view s, std::size_t& at) {
    // Raised and lowered digits start with one of these bytes in UTF-8.
    if (at >= s.size() || (s[at] != '^' && s[at] != '_' && s[at] != '\xC2' && s[at] != '\xE2')) return 0;
    static constexpr std::string_view kRaised[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                                   "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
    std::size_t i = at;
    int number = 0, digits = 0;
    if (s[i] == '^' || s[i] == '_') {
        ++i;
        const bool braced = i < s.size() && s[i] == '{';
        if (braced) ++i;
        for (; i < s.size() && isDigitAscii(s[i]) && digits < 2; ++i, ++digits) number = number * 10 + (s[i] - '0');
        if (braced && (i >= s.size() || s[i++] != '}')) return 0;
    } else {
        for (bool more = true; more && digits < 2;) {
            more = false;
            for (int d = 0; d < 10; ++d) {
                // The lowered digits follow one another from U+2080.
                const char lowered[] = {'\xE2', '\x82', static_cast<char>(0x80 + d)};
                for (std::string_view digit : {kRaised[d], std::string_view(lowered, 3)})
                    if (!more && s.substr(i, digit.size()) == digit) {
                        number = number * 10 + d;
                        i += digit.size();
                        ++digits;
                        more = true;
                    }
            }
        }
    }
    if (digits == 0 || number == 0) return 0;
    at = i;
    return number;
}

namespace {

bool labelMark(char c) { return c == '=' || c == '_' || c == '*'; }

// A label inside the marks plain-text copies use for bold and italics
// ("=A.=", "_a._", "*1.*"): the text inside them, or empty.
std::string_view insideMarks(std::string_view s) {
    if (s.size() < 3 || !labelMark(s[0])) return {};
    const std::size_t close = s.find(s[0], 1);
    // Marks hold no blank at their start: "* * Leaves" is two stars.
    // Long enough for a level's word and number: "_Subdivision II._".
    if (close == std::string_view::npos || close < 2 || close > 18 || isBlank(s[1])) return {};
    // The label's stop may stand after the marks: "_a^1_."; a dash may tie it to the text.
    std::size_t after = close + 1;
    if (after < s.size() && (s[after] == '.' || s[after] == ')')) ++after;
    if (after < s.size() && !isBlank(s[after]) && s.compare(after, 2, "--") != 0) return {};
    return s.substr(1, close - 1);
}

// The name that opens a lead: one to four words, the first capitalised,
// bare or in the marks of bold or italics, closed by a stop, a dash or a
// colon ("Douglas fir. Resin ducts few ...", "_Ulvaceæ_--Frond flat ...",
// "Salicaceæ: Trees with catkins"), the lead's text following in a capital.
struct OpeningName {
    std::size_t start = 0, end = std::string_view::npos, text = 0;  // the name's bounds, where the text starts
    bool found() const { return end != std::string_view::npos; }
};

OpeningName openingName(std::string_view s) {
    OpeningName none;
    const std::size_t start = !s.empty() && labelMark(s[0]) ? 1 : 0;
    std::size_t at = start;
    // Letters of any alphabet (their bytes past ASCII), blanks, hyphens.
    // A dash of its own closes it.
    while (at < s.size() && s.compare(at, 3, "\u2014") != 0 && s.compare(at, 3, "\u2013") != 0 &&
           (text::isLetter(static_cast<unsigned char>(s[at])) || static_cast<unsigned char>(s[at]) >= 0x80 || s[at] == ' ' ||
            s[at] == '-' || s[at] == '\''))
        ++at;
    // A dash closes the name, not a hyphen inside it.
    while (at > start && (s[at - 1] == '-' || s[at - 1] == ' ')) --at;
    // A lone closing mark too: the label may stand inside it ("=1. Gramineæ=--").
    std::size_t end = at;
    if (end < s.size() && labelMark(s[end]) && (start == 0 || s[end] == s[0])) ++at;
    else if (start > 0) return none;
    if (end == start || !isUpperAscii(s[start])) return none;
    const std::string_view name = s.substr(start, end - start);
    if (std::count(name.begin(), name.end(), ' ') > 3) return none;
    std::size_t text = std::string_view::npos;
    if (s.compare(at, 2, ". ") == 0 || s.compare(at, 2, ": ") == 0) text = at + 2;
    else if (s.compare(at, 2, "--") == 0) text = at + 2;
    else if (s.compare(at, 3, "\u2014") == 0 || s.compare(at, 3, "\u2013") == 0) text = at + 3;
    if (text == std::string_view::npos) return none;
    while (text < s.size() && s[text] == ' ') ++text;
    if (text >= s.size() || !isUpperAscii(s[text])) return none;
    return {start, end, text};
}

// A letter with a raised or lowered number, as books print a level's letter
// and the lead's number ("a¹", "A₂"; "a^1", "A_{2}", "A_2" in plain-text and
// wiki copies), with an optional stop: its series and number, and the
// label's length with the blanks after it, or 0.
int raisedLabel(std::string_view s, int& series, std::size_t& length) {
    if (s.size() < 3 || !(isUpperAscii(s[0]) || isLowerAscii(s[0]))) return 0;
    std::size_t at = 1;
    const int number = raisedNumberAt(s, at);
    if (number == 0) return 0;
    if (at < s.size() && (s[at] == '.' || s[at] == ')')) ++at;
    if (at < s.size() && !isBlank(s[at])) return 0;
    while (at < s.size() && isBlank(s[at])) ++at;
    series = (isUpperAscii(s[0]) ? kCapitalLevel : kSmallLevel) + (text::upper(s.substr(0, 1))[0] - 'A');
    length = at;
    return number;
}

// A Greek letter as a label: "α.", "(β)", or spelt out in brackets as
// plain-text copies give it, "[alpha].", "[beta]."; its place in the alphabet
// and the label's length with the blanks after it, or 0.
int greekLabel(std::string_view s, std::size_t& length) {
    static constexpr std::string_view kNames[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta",
                                                  "eta",   "theta", "iota", "kappa", "lambda", "mu"};
    static constexpr std::string_view kLetters[] = {"\u03B1", "\u03B2", "\u03B3", "\u03B4", "\u03B5", "\u03B6",
                                                    "\u03B7", "\u03B8", "\u03B9", "\u03BA", "\u03BB", "\u03BC"};
    const bool opened = !s.empty() && (s[0] == '(' || s[0] == '[');
    std::size_t at = opened ? 1 : 0;
    int value = 0;
    for (int k = 0; k < 12 && value == 0; ++k) {
        if (opened && s.substr(at, kNames[k].size()) == kNames[k]) {
            value = k + 1;
            at += kNames[k].size();
        } else if (s.substr(at, kLetters[k].size()) == kLetters[k]) {
            value = k + 1;
            at += kLetters[k].size();
        }
    }
    if (value == 0) return 0;
    bool closed = false;
    if (opened && at < s.size() && s[at] == (s[0] == '(' ? ')' : ']')) {
        closed = true;
        ++at;
    }
    if (opened != closed) return 0;
    if (at < s.size() && (s[at] == '.' || (!opened && s[at] == ')'))) {
        closed = true;
        ++at;
    }
    // The label may end the string: inside marks ("_α._") the text follows them.
    if (!closed || (at < s.size() && !isBlank(s[at]))) return 0;
    while (at < s.size() && isBlank(s[at])) ++at;
    length = at;
    return value;
}

// The label at the start of `s` (after the indentation): "A.", "a)", "(1)",
// "IV.", "1.2.1.", "1-2-1", each followed by a blank or the line end. The
// same label may read in several series ("I." a roman one or the ninth
// capital); the placement chooses by what the text around it continues.
// The words old books set before a level's number, "Div. I.", "SUB-DIV.
// II.", "Sect. 2.": each a series of its own.
constexpr std::string_view kLabelWords[] = {"div",     "sub-div",    "subdiv",   "sect",        "subsect",
                                            "sub-sect", "section", "subsection", "division", "subdivision"};
static_assert(kPrefixed + std::size(kLabelWords) <= kSeriesCount);

bool nameAlone(std::string_view s);

Label readLabel(std::string_view s, const Styles& styles) {
    // The word abbreviated ("Div. I.") or spelt out ("Section I."; in
    // capitals, "DIVISION I.--PERCIFORMES.", it heads a part of the text).
    std::size_t stop = s.find(". ");
    if (const std::size_t blank = s.find(' '); blank != std::string_view::npos && blank <= 11 && blank < stop &&
                                               s.substr(0, blank).find('.') == std::string_view::npos &&
                                               std::any_of(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(blank), isLowerAscii))
        stop = blank;
    if (stop != std::string_view::npos && stop <= 11)
        if (const std::string word = text::lower(s.substr(0, stop));
            std::find(std::begin(kLabelWords), std::end(kLabelWords), word) != std::end(kLabelWords)) {
            std::size_t at = stop + (s[stop] == '.' ? 1 : 0);
            while (at < s.size() && isBlank(s[at])) ++at;
            Label label = readLabel(s.substr(at), styles);
            const int series = kPrefixed + static_cast<int>(std::find(std::begin(kLabelWords), std::end(kLabelWords), word) -
                                                            std::begin(kLabelWords));
            std::erase_if(label.candidates, [](const Candidate& c) { return c.series != kRomanUpper && c.series != kRomanLower && c.series != kDigit; });
            for (Candidate& c : label.candidates) c.series = series;
            if (label.candidates.empty()) return {};
            label.length += at;
            return label;
        }
    if (const std::string_view inner = insideMarks(s); !inner.empty()) {
        std::string labelText(inner);
        std::size_t at = inner.size() + 2;
        // A dash after the marks ties the label to its text: "_Section I._--=LIGIÆ.=".
        const bool dashed = s.compare(at, 2, "--") == 0 && at + 2 < s.size() && !isBlank(s[at + 2]);
        if (dashed) at += 2;
        else if (at < s.size() && !isBlank(s[at])) labelText += s[at++];  // the stop after the marks
        Label label = readLabel(labelText, styles);
        if (!label.candidates.empty() && label.length == labelText.size()) {
            while (at < s.size() && isBlank(s[at])) ++at;
            label.length = at;
            return label;
        }
        if (s[0] != '=') return {};  // "= Leaves ... =": a sign, not marks
    }
    // Marks that open before the label and close after the name it opens
    // with, as a synopsis sets its numbered names in bold: "=11. Rosaceæ=--Trees".
    if (s.size() > 3 && labelMark(s[0]) && !isBlank(s[1])) {
        Label label = readLabel(s.substr(1), styles);
        if (!label.candidates.empty() && label.length > 1 && openingName(s.substr(1 + label.length)).found() &&
            s.find(s[0], 1 + label.length) != std::string_view::npos) {
            ++label.length;
            return label;
        }
    }
    Label label;
    if (int series = kNone; const int raised = raisedLabel(s, series, label.length)) {
        label.candidates.push_back({series, raised, {}});
        return label;
    }
    if (std::size_t length = 0; const int greek = greekLabel(s, length)) {
        label.candidates.push_back({kGreek, greek, {}});
        label.length = length;
        return label;
    }
    // Stars, crosses or daggers before the text: "*", "**", "++", "††",
    // spaced too ("* *", "† †"), up to six for a couplet of six leads.
    // Transcriptions spell some out: "[dagger]".
    // The printers' marks in their order: *, †, ‡, §, ‖, ¶.
    // Rings too, which plain-text copies give as capital Os: "O", "OO".
    static constexpr std::string_view kSigns[] = {"*", "+", "\u2020", "\u2021", "\u00A7", "=", "[dagger]", "[double dagger]",
                                                  "\u2016", "\u00B6", "O", "\u25CB"};
    static_assert(kStar + std::size(kSigns) <= kPath);
    for (int k = 0; k < static_cast<int>(std::size(kSigns)); ++k) {
        const std::string_view sign = kSigns[k];
        std::size_t at = 0, count = 0;
        while (s.substr(at, sign.size()) == sign) {
            at += sign.size();
            ++count;
            if (at + 1 < s.size() && s[at] == ' ' && s.substr(at + 1, sign.size()) == sign) ++at;
        }
        if (count > 0 && count <= 6 && at < s.size() && isBlank(s[at])) {
            label.candidates.push_back({kStar + k, static_cast<int>(count), {}});
            label.length = std::min(s.size(), s.find_first_not_of(" \t", at));
            return label;
        }
    }
    // A dash for a lead's start, in a key that numbers only its first leads:
    // it gives no level.
    for (std::string_view dash : {"-", "\u2013", "\u2014"})
        if (s.size() > dash.size() && s.substr(0, dash.size()) == dash && isBlank(s[dash.size()]) && styles.primes) {
            label.length = std::min(s.size(), s.find_first_not_of(" \t", dash.size()));
            label.primed = true;
            return label;
        }
    std::size_t at = 0;
    // "(1)", and "[1.]" as transcriptions print a label set in other type.
    const bool opened = !s.empty() && (s[0] == '(' || s[0] == '[');
    const char closing = opened && s[0] == '[' ? ']' : ')';
    if (opened) at = 1;
    const std::size_t begin = at;
    while (at < s.size() && (isDigitAscii(s[at]) || isUpperAscii(s[at]) || isLowerAscii(s[at]) ||
                             ((s[at] == '.' || s[at] == '-') && at > begin && isDigitAscii(s[at - 1]) &&
                              at + 1 < s.size() && isDigitAscii(s[at + 1]))))
        ++at;
    const std::string_view token = s.substr(begin, at - begin);
    // A path number ("2.1.2.1.") of any depth; other tokens are short.
    const bool pathNumber =
        std::all_of(token.begin(), token.end(), [](char c) { return isDigitAscii(c) || c == '.' || c == '-'; });
    if (at == begin || (at - begin > 24 && !pathNumber)) return label;
    bool closed = false;
    // The stop inside the brackets: "[1.]", "(A.)".
    if (opened && at + 1 < s.size() && s[at] == '.' && s[at + 1] == closing) ++at;
    // A letter's stop misprinted or misread as a semicolon ("ii; Leaf-blades"),
    // before a blank and a capital: still its stop. (A comma there is a
    // figure's legend, "G, Gland".)
    const bool letters = std::all_of(token.begin(), token.end(), [](char c) { return isUpperAscii(c) || isLowerAscii(c); });
    const bool stopMisread = !opened && letters && at + 2 < s.size() && s[at] == ';' && s[at + 1] == ' ' && isUpperAscii(s[at + 2]);
    if (at < s.size() && (s[at] == closing || (s[at] == '.' && !opened) || stopMisread)) {
        closed = true;
        ++at;
    }
    if (opened && !(closed && s[at - 1] == closing)) return label;
    // In a key that primes its second leads, "2." is the first lead of
    // couplet 2, placed like "2'." by the key's order; a scan may glue the
    // text to it ("3.A distinct pad").
    if (styles.primes && !opened && closed && s[at - 1] == '.' && (at == s.size() || isBlank(s[at]) || isUpperAscii(s[at])) &&
        std::all_of(token.begin(), token.end(), isDigitAscii)) {
        while (at < s.size() && isBlank(s[at])) ++at;
        label.length = at;
        label.primed = true;
        return label;
    }
    // A couplet's number and the lead's letter, "1a." / "1b.": a lead's
    // start placed by the key's order, like a primed number.
    if (!opened && closed && token.size() >= 2 && token.size() <= 5 && isLowerAscii(token.back()) &&
        std::all_of(token.begin(), token.end() - 1, isDigitAscii) && (at == s.size() || isBlank(s[at]))) {
        while (at < s.size() && isBlank(s[at])) ++at;
        label.length = at;
        label.primed = true;
        return label;
    }
    // A number with primes ("1''" first, "1'" second lead): it starts a
    // lead; the key's order, not the number, places it.
    // A scan reads "1''" as "l''" or "I''" too: in a key that primes its
    // numbers, no letter takes primes.
    if (!opened && !closed &&
        (std::all_of(token.begin(), token.end(), isDigitAscii) || (styles.primes && (token == "l" || token == "I")))) {
        std::size_t primes = at;
        primesAt(s, primes);
        // "1'." and "2′." as well: the stop after the primes.
        if (primes > at && primes < s.size() && s[primes] == '.') ++primes;
        if (primes > at && (primes == s.size() || isBlank(s[primes]))) {
            while (primes < s.size() && isBlank(s[primes])) ++primes;
            label.length = primes;
            label.primed = true;
            return label;
        }
    }
    // A letter printed twice with a blank, "a. a." then "b. b.": a series of
    // its own, nested under the single letters.
    if (!opened && closed && token.size() == 1 && !isDigitAscii(token[0]) && s.substr(at, 1) == " " &&
        s.substr(at + 1, 2) == std::string{token[0], '.'} && (at + 3 == s.size() || isBlank(s[at + 3]))) {
        std::size_t end = at + 3;
        while (end < s.size() && isBlank(s[end])) ++end;
        label.candidates.push_back({isUpperAscii(token[0]) ? kCapitalSpaced : kSmallSpaced,
                                    text::upper(token)[0] - 'A' + 1, {}});
        label.length = end;
        return label;
    }
    // A letter with primes ("A´" after "A"): the level's letter, the lead's
    // rank; the bare letter set apart by two blanks or a tab is its first
    // lead in a key that primes its letters.
    if (!opened && !closed && token.size() == 1 && !isDigitAscii(token[0])) {
        std::size_t end = at;
        const int primes = primesAt(s, end);
        // The stop may follow the primes: "A'.", "b'')".
        if (primes > 0 && end + 1 < s.size() && (s[end] == '.' || s[end] == ')') && isBlank(s[end + 1])) ++end;
        const bool bare = primes == 0 && styles.primedLetters && at + 1 < s.size() &&
                          (s[at] == '\t' || (s[at] == ' ' && s[at + 1] == ' '));
        if ((primes > 0 && (end == s.size() || isBlank(s[end]))) || bare) {
            label.candidates.push_back({(isUpperAscii(token[0]) ? kCapitalLevel : kSmallLevel) + (text::upper(token)[0] - 'A'),
                                        primes + 1, {}});
            while (end < s.size() && isBlank(s[end])) ++end;
            label.length = end;
            return label;
        }
    }
    const bool digits = std::all_of(token.begin(), token.end(), isDigitAscii);
    // A scan may glue the text to a numbered label: "1.Palpi", "2)Wings".
    const bool glued = digits && closed && !opened && at < s.size() && isUpperAscii(s[at]);
    // Or join them with a dash: "(A.)--Flagellum", "1.--Leaves".
    const std::size_t dash = !closed ? 0 : s.compare(at, 2, "--") == 0 ? 2 : s.compare(at, 3, "\u2014") == 0 ? 3 : 0;
    const bool dashed = dash > 0 && at + dash < s.size() && !isBlank(s[at + dash]) && s[at + dash] != '-';
    if (dashed) at += dash;
    if (at < s.size() && !isBlank(s[at]) && !glued && !dashed) return label;

    const bool path = !digits && isDigitAscii(token[0]) &&
                      std::all_of(token.begin(), token.end(), [](char c) { return isDigitAscii(c) || c == '.' || c == '-'; });
    const bool upper = std::all_of(token.begin(), token.end(), isUpperAscii);
    const bool lower = std::all_of(token.begin(), token.end(), isLowerAscii);

    if (digits || path) {
        Candidate c;
        int part = 0;
        for (char ch : token) {
            if (isDigitAscii(ch)) {
                part = part * 10 + (ch - '0');
                if (part > 100000) return label;
            } else {
                c.path.push_back(part);
                part = 0;
            }
        }
        c.path.push_back(part);
        // A bare number needs its dot or bracket: "5 mm" is no label.
        if (digits && !closed && !styles.paths) return label;
        if (path || styles.paths) {
            c.series = kPath + static_cast<int>(std::min<std::size_t>(c.path.size(), 39));
            c.value = c.path.back();
        } else {
            c.series = kDigit + (opened ? kBracketed : 0);
            c.value = part;
            c.path.clear();
        }
        label.candidates.push_back(std::move(c));
    } else if (token.size() >= 2 && token.size() <= 3 && (isUpperAscii(token[0]) || isLowerAscii(token[0])) &&
               std::all_of(token.begin() + 1, token.end(), isDigitAscii)) {
        // A letter for the level and a number for the lead: "A1", "b2.".
        const int letter = text::upper(token.substr(0, 1))[0] - 'A';
        int number = 0;
        for (char ch : token.substr(1)) number = number * 10 + (ch - '0');
        label.candidates.push_back({(isUpperAscii(token[0]) ? kCapitalLevel : kSmallLevel) + letter, number, {}});
    } else if ((upper || lower) && closed) {
        // A genus abbreviated to its capital, an epithet and its authors or
        // "sp. n." after it, is a name set under its lead: "E. laevigatus Fan
        // and He"; "B. teeth four." is a lead.
        if (upper && token.size() == 1 && !opened && at + 1 < s.size() && isLowerAscii(s[at + 1]) && nameAlone(s)) {
            const std::string_view words = s.substr(at + 1);
            const std::size_t after = words.find(' ');
            const std::string_view rest = after == std::string_view::npos ? std::string_view() : words.substr(after + 1);
            if (!rest.empty() && (isUpperAscii(rest[0]) || rest[0] == '(' || rest.starts_with("sp.") || rest.starts_with("var.")))
                return label;
        }
        const int bracketed = opened ? kBracketed : 0;
        if (const int roman = romanValue(token))
            label.candidates.push_back({(upper ? kRomanUpper : kRomanLower) + bracketed, roman, {}});
        const int letter = text::upper(token.substr(0, 1))[0] - 'A';
        const bool levels = upper ? styles.capitalLevels || styles.primedCapitals : styles.smallLevels || styles.primedSmalls;
        if (levels && (token.size() == 1 || sameLetterRepeated(token))) {
            label.candidates.push_back({(upper ? kCapitalLevel : kSmallLevel) + letter, static_cast<int>(token.size()), {}});
            // In a key that primes its letters, "I." is first the letter
            // whose "I'." follows; a roman one only where the text goes on so.
            if (token.size() == 1 && (upper ? styles.primedCapitals : styles.primedSmalls))
                std::rotate(label.candidates.begin(), label.candidates.end() - 1, label.candidates.end());
        } else if (styles.repeatedSeries && token.size() <= 7 && sameLetterRepeated(token) && romanValue(token) == 0)
            label.candidates.push_back({(upper ? kCapitalRepeated : kSmallRepeated) + static_cast<int>(token.size()) - 2,
                                        letter + 1, {}});
        else if (token.size() == 1)
            label.candidates.push_back({(upper ? kCapital : kSmall) + bracketed, letter + 1, {}});
    }
    if (label.candidates.empty()) return label;
    while (at < s.size() && isBlank(s[at])) ++at;
    label.length = at;
    return label;
}

// The styles of the whole text, learned before the placement: whether its
// numbers are paths, whether it doubles its letters.
Styles learnStyles(const std::vector<std::string_view>& contents) {
    Styles styles;
    const Styles plain;
    // A key of path numbers labels many of its lines so; a measure that
    // starts a wrapped line ("2-4 inches long") once or twice does not make one.
    int pathLines = 0, labelLines = 0;
    for (std::string_view s : contents) {
        const Label label = readLabel(s, plain);
        if (label.primed) styles.primes = true;
        if (!label.candidates.empty()) ++labelLines;
        if (std::size_t end = 1; s.size() > 2 && (isUpperAscii(s[0]) || isLowerAscii(s[0])) && primesAt(s, end) > 0 &&
                                 end < s.size()) {
            if (isBlank(s[end])) styles.primedLetters = true;
            // Primed with a stop, "A'." after "A.": the letters of that case are levels.
            else if (end + 1 < s.size() && (s[end] == '.' || s[end] == ')') && isBlank(s[end + 1]))
                (isUpperAscii(s[0]) ? styles.primedCapitals : styles.primedSmalls) = true;
        }
        std::size_t end = 0;
        while (end < s.size() && !isBlank(s[end])) ++end;
        std::string_view token = s.substr(0, end);
        if (const std::string_view inner = insideMarks(token); !inner.empty()) token = inner;
        if (token.size() < 3 || (token.back() != '.' && token.back() != ')' && !isDigitAscii(token.back()))) continue;
        if (!isDigitAscii(token.back())) token.remove_suffix(1);
        if (token.find_first_of(".-") != std::string_view::npos && isDigitAscii(token[0])) {
            if (!label.candidates.empty() && !label.candidates[0].path.empty()) ++pathLines;
        } else if (sameLetterRepeated(token) && romanValue(token) == 0) {
            if (isUpperAscii(token[0])) styles.capitalLevels = true;
            if (isLowerAscii(token[0])) styles.smallLevels = true;
        }
    }
    styles.paths = pathLines >= 2 && pathLines * 4 >= labelLines;
    return styles;
}

// --- Endings ------------------------------------------------------------------

struct Ending {
    std::size_t descriptionEnd = std::string_view::npos;  // npos: no ending
    std::size_t start = 0;
};

// Where the determination at the end of a lead starts: after the last tab,
// else after the last dot leader, else after the last run of spaces (three,
// or two that do not follow the end of a sentence).
Ending findEnding(std::string_view s) {
    Ending e;
    const auto textStart = s.find_first_not_of(" \t");
    if (textStart == std::string_view::npos) return e;

    const auto tab = s.find_last_of('\t');
    if (tab != std::string_view::npos && tab > textStart && s.find_first_not_of(" \t", tab) != std::string_view::npos) {
        std::size_t from = tab;
        while (from > 0 && isBlank(s[from - 1])) --from;
        e.descriptionEnd = from;
        e.start = s.find_first_not_of(" \t", tab);
        return e;
    }

    // Dot leaders, scanned from the right: at least two dots, spaces between
    // them allowed, an ellipsis counting as dots.
    std::size_t i = s.size();
    while (i > 0) {
        std::size_t runEnd = i;
        // Skip back over non-leader characters.
        while (runEnd > 0 && s[runEnd - 1] != '.' && s[runEnd - 1] != ' ' &&
               !(runEnd >= 3 && s.compare(runEnd - 3, 3, "\u2026") == 0))
            --runEnd;
        if (runEnd == 0) break;
        std::size_t runStart = runEnd;
        int dots = 0;
        while (runStart > 0) {
            if (runStart >= 3 && s.compare(runStart - 3, 3, "\u2026") == 0) {
                runStart -= 3;
                dots += 2;
            } else if (s[runStart - 1] == '.' || s[runStart - 1] == ' ') {
                if (s[runStart - 1] == '.') ++dots;
                --runStart;
            } else {
                break;
            }
        }
        // A line may hold nothing but the leader and the name.
        if (dots >= 2 && runEnd < s.size() && runStart >= textStart) {
            e.descriptionEnd = runStart;
            e.start = runEnd;
            return e;
        }
        i = runStart;
    }

    // Runs of spaces, scanned from the right.
    for (std::size_t end = s.size(); end > textStart;) {
        const auto lastSpace = s.rfind("  ", end - 1);
        if (lastSpace == std::string_view::npos || lastSpace < textStart) break;
        std::size_t runStart = lastSpace;
        while (runStart > 0 && s[runStart - 1] == ' ') --runStart;
        std::size_t runEnd = lastSpace + 2;
        while (runEnd < s.size() && s[runEnd] == ' ') ++runEnd;
        const bool afterSentence = runStart > 0 && std::string_view(".;:!?").find(s[runStart - 1]) != std::string_view::npos;
        // The book's number set in a column of its own before the name's
        // ("... wing      III.   Strobi", "spines.  VIII.  SAGIDES"): it goes
        // with the name.
        const std::size_t token = s.rfind(' ', runStart > 0 ? runStart - 1 : 0) + 1;
        const std::string_view number = s.substr(token, runStart - token);
        const bool numeral = number.size() >= 2 && number.size() <= 8 && number.back() == '.' &&
                             (romanValue(number.substr(0, number.size() - 1)) > 0 ||
                              std::all_of(number.begin(), number.end() - 1, isDigitAscii));
        const bool column = numeral && token >= textStart + 3 && s.compare(token - 2, 2, "  ") == 0;
        if (runEnd < s.size() && runStart > textStart && (runEnd - runStart >= 3 || !afterSentence || column)) {
            e.descriptionEnd = runStart;
            e.start = runEnd;
            if (column) {
                e.descriptionEnd = s.find_last_not_of(' ', token - 1) + 1;
                e.start = token;
            }
            return e;
        }
        end = runStart;
    }
    return e;
}

std::string trimmed(std::string_view s) { return text::trimmedBlanks(s); }

// The ranks a book numbers its groups in: "Genus 3. THUJA", "Legion 1.".
constexpr std::string_view kRanks[] = {"Legion", "Class",   "Order",   "Suborder", "Family", "Subfamily",
                                       "Tribe",  "Genus",   "Section", "Ordnung",  "Familie", "Gattung",
                                       "Ordre",  "Famille", "Genre",   "Orden",    "Familia", "Género"};

// Other words a book numbers its groups with, abbreviated ranks among them:
// "Fam. 12", "Group 3" name a group as "Order 44" does.
constexpr std::string_view kNumberedGroups[] = {"Fam", "Ord", "Gen", "Subfam", "Group", "Gruppe", "Groupe", "Grupo"};

// A line heading the book's group above its key: a rank (sub- and
// super- ones too), maybe its number, and the group's name, in marks or
// tied by a dash ("_Tribe_--ONISCOIDA.", "Family III. FELIDÆ.", "Sub-order
// 2. Heteroptera"). "Section" is left out: a key labels its leads with it.
bool rankHeading(std::string_view line) {
    std::string s;
    for (char c : line)
        if (c != '_' && c != '=') s += c;
    s = trimmed(s);
    std::size_t at = 0;
    while (at < s.size() && (text::isLetter(static_cast<unsigned char>(s[at])) || s[at] == '-')) ++at;
    std::string word = text::lower(s.substr(0, at));
    std::erase(word, '-');
    for (std::string_view prefix : {"super", "sub"})
        if (word.starts_with(prefix) && word.size() > prefix.size() + 3) word.erase(0, prefix.size());
    if (word == "section" || std::none_of(std::begin(kRanks), std::end(kRanks), [&](std::string_view rank) { return text::lower(rank) == word; }))
        return false;
    const auto skip = [&] {
        while (at < s.size() && (isBlank(s[at]) || s[at] == '-' || s[at] == '.')) ++at;
    };
    skip();
    const std::size_t number = at;
    while (at < s.size() && (isDigitAscii(s[at]) || std::string_view("IVXLC").find(s[at]) != std::string_view::npos)) ++at;
    if (at > number && at < s.size() && s[at] != '.' && !isBlank(s[at])) at = number;  // a name, not a number
    skip();
    const std::string_view name = std::string_view(s).substr(at);
    return !name.empty() && (isUpperAscii(name[0]) || static_cast<unsigned char>(name[0]) >= 0x80) &&
           std::count(name.begin(), name.end(), ' ') <= 3;
}

// A text that stops on a rank, its number and name to follow: "... smooth. Tribe".
bool endsOnRank(std::string_view s) {
    return std::any_of(std::begin(kRanks), std::end(kRanks), [&](std::string_view rank) {
        return s.ends_with(rank) && (s.size() == rank.size() || s[s.size() - rank.size() - 1] == ' ');
    });
}

// A determination and the catalogue or page number printed with it: "1. L.
// coarctata", "Amanita. 52", "Lepiota, p. 77", "Genus 3. THUJA".
void splitNumber(const std::string& ending, std::string& name, std::string& number) {
    name = ending;
    number.clear();
    // The rank before the number goes with it.
    for (std::string_view rank : kRanks)
        if (ending.size() > rank.size() + 3 && ending.compare(0, rank.size(), rank) == 0 && ending[rank.size()] == ' ' &&
            isDigitAscii(ending[rank.size() + 1])) {
            std::string rest;
            splitNumber(ending.substr(rank.size() + 1), rest, number);
            if (!number.empty()) name = rest;
            return;
        }
    // A roman number before a name that opens with a capital: "IV.
    // KURTIFORMES", "XII.  Insignes", "III. Prunus alba", "IV. P. alba" (an abbreviated
    // genus is followed by a small epithet: "V. alba").
    if (const std::size_t stop = ending.find(". "); stop != std::string::npos && stop <= 7 &&
                                                    romanValue(std::string_view(ending).substr(0, stop)) > 0 &&
                                                    isUpperAscii(ending[0])) {
        const std::string rest = trimmed(std::string_view(ending).substr(stop + 2));
        std::size_t caps = 0;
        while (caps < rest.size() && (isUpperAscii(rest[caps]) || (caps > 0 && static_cast<unsigned char>(rest[caps]) >= 0x80)))
            ++caps;  // "ANŒCTANGIUM"
        // The name's first word, behind the marks of its type ("*Letharia", "_Ligia_").
        std::string_view first = std::string_view(rest).substr(0, rest.find(' '));
        while (!first.empty() && (first.front() == '*' || first.front() == '_' || first.front() == '=')) first.remove_prefix(1);
        while (!first.empty() && (first.back() == '_' || first.back() == '=' || first.back() == ',')) first.remove_suffix(1);
        const bool word = !first.empty() && isUpperAscii(first[0]) &&
                          ((first.size() >= 3 && std::all_of(first.begin() + 1, first.end(), [](char c) {
                               return isLowerAscii(c) || c == '-' || c == '\'' || static_cast<unsigned char>(c) >= 0x80;
                           })) ||
                           (first.size() == 2 && first[1] == '.' && rest.size() > 3));  // "II. P. alba"
        if ((caps >= 3 && (caps == rest.size() || !isLowerAscii(rest[caps]))) || word) {
            number = ending.substr(0, stop);
            name = rest;
            return;
        }
    }
    std::size_t d = 0;
    while (d < ending.size() && isDigitAscii(ending[d])) ++d;
    if (d > 0 && d <= 4) {
        std::size_t at = d;
        if (at < ending.size() && isLowerAscii(ending[at]) && (at + 1 == ending.size() || !isLowerAscii(ending[at + 1]))) ++at;
        // The letter in italic marks: "18_a_. D. anomalum".
        const bool markedLetter = at == d && at + 2 < ending.size() && ending[at] == '_' && isLowerAscii(ending[at + 1]) &&
                                  ending[at + 2] == '_';
        if (markedLetter) at += 3;
        if (at < ending.size() && (ending[at] == '.' || ending[at] == ')')) ++at;
        // The blank after the number lost by the copy: "2.Liquidambar".
        const bool glued = at > d && at + 1 < ending.size() && std::isupper(static_cast<unsigned char>(ending[at])) &&
                           isLowerAscii(ending[at + 1]);
        if (glued || (at < ending.size() && ending[at] == ' ')) {
            const std::string rest = trimmed(std::string_view(ending).substr(at));
            if (std::any_of(rest.begin(), rest.end(), [](char c) { return text::isLetter(static_cast<unsigned char>(c)); })) {
                number = ending.substr(0, at);
                while (!number.empty() && (number.back() == '.' || number.back() == ')' || number.back() == ' '))
                    number.pop_back();
                if (markedLetter) text::removeAll(number, "_");
                name = rest;
                return;
            }
        }
    }
    // Trailing number: "Name 52", "Name, p. 52", "Name (52)".
    std::size_t end = ending.size();
    if (end > 1 && ending[end - 1] == '.' && ending[end - 2] == ')') --end;  // "(page 7)."
    if (end > 0 && (ending[end - 1] == '.' || ending[end - 1] == ')')) --end;
    std::size_t start = end;
    while (start > 0 && isDigitAscii(ending[start - 1])) --start;
    if (start == end || end - start > 4 || start == 0) return;
    std::size_t cut = start;
    if (cut > 0 && ending[cut - 1] == '(' && end < ending.size() && ending[end] == ')') --cut;
    while (cut > 0 && ending[cut - 1] == ' ') --cut;
    bool page = false;
    // A page, also in brackets: "Name, p. 52", "Name (p. 52)".
    const bool bracketed = end < ending.size() && ending[end] == ')';
    // The book's number noted in brackets: "A. muscaria (no. 1)".
    if (bracketed && cut >= 5 && ending.compare(cut - 4, 4, "(no.") == 0) {
        number = ending.substr(start, end - start);
        name = trimmed(ending.substr(0, cut - 4));
        return;
    }
    // In the words of the key's language too: "Oxyporus S. 45", "Salix blz. 7".
    for (std::string_view w : text::kPageWords)
        if (const std::size_t word = w.size(); cut >= word && ending.compare(cut - word, word, w) == 0 &&
                                               (cut == word || ending[cut - word - 1] == ' ' ||
                                                (bracketed && ending[cut - word - 1] == '('))) {
            page = true;
            cut -= word;
            break;
        }
    if (page) {
        if (bracketed && cut > 0 && ending[cut - 1] == '(') --cut;
        while (cut > 0 && ending[cut - 1] == ' ') --cut;
    }
    // Several pages: "Name, pp. 626, 627".
    std::size_t first = start;
    if (!page) {
        std::size_t k = cut;
        while (k >= 2 && ending[k - 1] == ',' && isDigitAscii(ending[k - 2])) {
            std::size_t d = k - 1;
            while (d > 0 && isDigitAscii(ending[d - 1])) --d;
            if (d == 0 || ending[d - 1] != ' ') break;
            k = d - 1;
            first = d;
            if (k >= 3 && ending.compare(k - 3, 3, "pp.") == 0 && (k == 3 || ending[k - 4] == ' ')) {
                cut = k - 3;
                while (cut > 0 && ending[cut - 1] == ' ') --cut;
                page = true;
                break;
            }
        }
        if (!page) first = start;
    }
    if (cut == start || cut == 0) return;  // no blank before the number: part of the name
    // The year after the authors ("Heterogamus Wesmael, 1838") is the name's.
    if (!page && end - start == 4 && ending[cut - 1] == ',' && first == start) {
        const int year = std::stoi(ending.substr(start, 4));
        if (year >= 1700 && year <= 2100) return;
    }
    std::string before = ending.substr(0, cut);
    while (!before.empty() && (before.back() == ',' || before.back() == ';')) before.pop_back();
    if (!std::any_of(before.begin(), before.end(), [](char c) { return text::isLetter(static_cast<unsigned char>(c)); }))
        return;
    // A number that closes a remark in brackets is the remark's ("group (in
    // part, 097)"): the name would keep the bracket open.
    if (std::count(before.begin(), before.end(), '(') > std::count(before.begin(), before.end(), ')')) return;
    number = (page ? "p. " : "") + ending.substr(first, end - first);
    name = trimmed(before);
}

// A call to a figure or plate in brackets: "(fig. 26 en 56)", "(Plaat 2,
// fig. IXb)", "(pl. 1 fig. Vd)": the number may be a Roman one or lettered.
bool isFigureCall(std::string_view inside) {
    const std::size_t end = inside.find_first_of(" ,0123456789");
    return figureWord(inside.substr(0, end == std::string_view::npos ? inside.size() : end));
}

// The text without the figure calls, stops and commas at its end.
std::string_view withoutTrailingCalls(std::string_view s) {
    for (;;) {
        while (!s.empty() && (isBlank(s.back()) || s.back() == '.' || s.back() == ',')) s.remove_suffix(1);
        if (!s.ends_with(')')) return s;
        const std::size_t open = s.rfind('(');
        if (open == std::string_view::npos || !isFigureCall(s.substr(open + 1))) return s;
        s = s.substr(0, open);
    }
}

// The book's number written after the name as a word and a number, maybe
// several or a range, figure calls around it: "Mycéna No. 202 en 204.
// (Plaat 3, fig. 7)", "Laccária laccáta. No. 197 (fig. 87)". The name and the
// number as the note keeps it ("202 en 204"); an empty number where there is
// none.
struct NumberAfterName {
    std::string name, number;
};
NumberAfterName numberAfterName(std::string_view s) {
    const std::string_view body = withoutTrailingCalls(s);
    std::size_t word = std::string_view::npos;
    for (std::string_view w : {" No. ", " no. ", " Nr. ", " nr. ", " N\u00B0 "}) {
        const std::size_t at = body.rfind(w);
        if (at != std::string_view::npos && (word == std::string_view::npos || at > word)) word = at;
    }
    if (word == std::string_view::npos) return {};
    const std::size_t from = body.find(' ', word + 1) + 1;
    const std::string_view number = body.substr(from);
    if (number.empty() || !isDigitAscii(number[0])) return {};
    for (std::size_t at = 0; at < number.size();) {
        const std::size_t end = std::min(number.find(' ', at), number.size());
        const std::string_view w = number.substr(at, end - at);
        const bool joining = w == "en" || w == "and" || w == "und" || w == "et" || w == "&";
        if (!joining && w.find_first_not_of("0123456789-,\u2013") != std::string_view::npos) return {};
        at = end + 1;
    }
    std::string_view name = withoutTrailingCalls(body.substr(0, word));
    // A stop after the epithet ("laccáta. No. 197"), not after an initial ("B.").
    const std::size_t last = name.rfind(' ') + 1;
    if (name.ends_with('.') && name.size() - last > 3) name.remove_suffix(1);
    if (name.empty() || (!text::isLetter(static_cast<unsigned char>(name[0])) && static_cast<unsigned char>(name[0]) < 0x80))
        return {};
    return {std::string(name), std::string(number)};
}

// Every number and page printed with a determination, taken out of it one
// after the other and given back as notes the checks know: "14. L. alba, p.
// 52" is "L. alba" with "(no. 14) (p. 52)", pages listed one by one.
void splitNumbers(const std::string& ending, std::string& name, std::string& notes) {
    std::vector<std::string> numbers, pages;
    name = ending;
    if (NumberAfterName read = numberAfterName(ending); !read.number.empty()) {
        name = std::move(read.name);
        numbers.push_back("(no. " + read.number + ")");
    }
    for (int taken = 0; taken < 4; ++taken) {
        std::string rest, number;
        splitNumber(name, rest, number);
        if (number.empty()) break;
        name = std::move(rest);
        if (!number.starts_with("p. ")) {
            numbers.push_back("(no. " + number + ")");
            continue;
        }
        std::vector<std::string> listed;
        for (std::size_t at = 3; at < number.size();) {
            const std::size_t comma = std::min(number.find(',', at), number.size());
            listed.push_back("(p. " + trimmed(std::string_view(number).substr(at, comma - at)) + ")");
            at = comma + 1;
        }
        pages.insert(pages.begin(), listed.begin(), listed.end());  // taken from the right
    }
    // A rank alone keeps its number: the name is "Order 44", "Orders 77-80".
    std::string_view word = name;
    while (!word.empty() && (word.back() == '.' || word.back() == ' ')) word.remove_suffix(1);
    if (word.ends_with('s')) word.remove_suffix(1);
    if (!numbers.empty() && (std::find(std::begin(kRanks), std::end(kRanks), word) != std::end(kRanks) ||
                             std::find(std::begin(kNumberedGroups), std::end(kNumberedGroups), word) != std::end(kNumberedGroups))) {
        const std::string& note = numbers.back();  // the number nearest the name
        name = trimmed(name) + " " + note.substr(5, note.size() - 6);
        numbers.pop_back();
    }
    notes.clear();
    for (const auto* list : {&numbers, &pages})
        for (const std::string& note : *list) notes += (notes.empty() ? "" : " ") + note;
}

// A one-word name loses its full stop ("Amanita." is Amanita); names of
// several words keep theirs when it may close an abbreviation.
void dropFinalStop(std::string& name) {
    // A mark glued after the name's stop keeps to the name: "Esocidae.†" is "Esocidae†".
    for (std::string_view mark : {"\u2020", "\u2021", "*"})
        if (name.size() > mark.size() + 2 && name.ends_with(mark) && name[name.size() - mark.size() - 1] == '.') {
            name.erase(name.size() - mark.size() - 1, 1);
            std::string bare = name.substr(0, name.size() - mark.size());
            dropFinalStop(bare);
            name = bare + std::string(mark);
            return;
        }
    // A footnote digit glued to the name's stop goes: "elegans Aubé.3".
    std::size_t digits = name.size();
    while (digits > 0 && isDigitAscii(name[digits - 1])) --digits;
    if (digits < name.size() && name.size() - digits <= 2 && digits >= 2 && name[digits - 1] == '.') name.erase(digits);
    // Nor does a number close an abbreviation: "Orders 77-80.".
    if (name.size() > 2 && name.back() == '.' && isDigitAscii(name[name.size() - 2]) && name.find(' ') != std::string::npos) {
        name.pop_back();
        return;
    }
    if (name.size() > 2 && name.back() == '.' && name.find(' ') == std::string::npos &&
        (text::isLetter(static_cast<unsigned char>(name[name.size() - 2])) ||
         static_cast<unsigned char>(name[name.size() - 2]) >= 0x80)) {  // "Satyrinæ."
        name.pop_back();
        return;
    }
    // An epithet ends the name, not an abbreviation: "S. nigra." (an author's
    // "Reitt." or "sp." keeps its stop).
    const std::size_t word = name.rfind(' ') + 1;
    if (word > 0 && name.size() >= word + 5 && name.back() == '.' &&
        std::all_of(name.begin() + static_cast<std::ptrdiff_t>(word), name.end() - 1, isLowerAscii))
        name.pop_back();
    // Nor is an epithet after a person, capitalised in older books, in the
    // genitive: "Carterius Stepanowi.", "Ephydatia Mülleri.".
    else if (word > 0 && name.size() >= word + 7 && name.back() == '.' && isUpperAscii(name[word]) &&
             (name.ends_with("i.") || name.ends_with("ae.")) &&
             std::all_of(name.begin() + static_cast<std::ptrdiff_t>(word) + 1, name.end() - 1,
                         [](char c) { return isLowerAscii(c) || static_cast<unsigned char>(c) >= 0x80; }))
        name.pop_back();
}

// A word that names a taxon: "Amanita", "PINUS".
bool isNameWord(std::string_view w) {
    if (w.size() < 3 || !isUpperAscii(w[0])) return false;
    const bool capitals = std::all_of(w.begin(), w.end(), [](char c) { return isUpperAscii(c) || c == '-'; });
    // Dots inside a word are left by some copies of scanned books ("Sa.s.sAFRAS").
    // Accented letters (UTF-8 bytes from 0x80) belong to names: "Dennstædtia";
    // a hyphen between two words of a name too: "Sea-Fliers".
    return capitals || (w.back() != '-' && std::all_of(w.begin() + 1, w.end(), [](char c) {
               return isLowerAscii(c) || isUpperAscii(c) || c == '.' || c == '-' || static_cast<unsigned char>(c) >= 0x80;
           }));
}

// Words that may make a name on their own: a capitalised word first
// ("Dolomite", "P. spinosa sp. n.", "Helvélla's", "Limestone breccia"),
// no figure but in a closing range.
bool nameWords(std::string_view s) {
    if (s.size() < 2 || !isUpperAscii(s[0])) return false;
    const std::string_view head = s.substr(0, std::min(s.find(' '), s.size()));
    const bool word = std::all_of(head.begin() + 1, head.end(), [](char c) {
        return isLowerAscii(c) || isUpperAscii(c) || c == '.' || c == '-' || c == '\'' ||
               static_cast<unsigned char>(c) >= 0x80;
    });
    // A range of numbers may close it: "Orders 77-80".
    const std::size_t last = s.rfind(' ');
    const std::string_view words = last != std::string_view::npos &&
                                           s.substr(last + 1).find_first_not_of("0123456789-\u2013") == std::string_view::npos
                                       ? s.substr(0, last)
                                       : s;
    return word && std::none_of(words.begin(), words.end(), [](char c) { return isDigitAscii(c); });
}

// The text without a page or catalogue number at its end ("..., p. 52.").
std::string_view withoutTrailingNumber(std::string_view s) {
    while (!s.empty() && (s.back() == '.' || s.back() == ' ' || s.back() == ')')) s.remove_suffix(1);
    std::size_t end = s.size();
    while (end > 0 && isDigitAscii(s[end - 1])) --end;
    if (end == s.size() || end == 0) return s;
    std::string_view rest = s.substr(0, end);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '(')) rest.remove_suffix(1);
    for (std::string_view word : text::kPageWords)
        if (rest.ends_with(word) && (rest.size() == word.size() || rest[rest.size() - word.size() - 1] == ' ' ||
                                     rest[rest.size() - word.size() - 1] == '(' || word == "p.")) {
            rest.remove_suffix(word.size());
            break;
        }
    // "PINUS, p. 4", "MASSASAUGA (page 10)", and a semicolon set for the
    // comma: "SALIX; p. 34".
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == ',' || rest.back() == ';' || rest.back() == '('))
        rest.remove_suffix(1);
    return rest;
}

bool endsOnLinkWord(std::string_view s);

bool nameWithAuthors(std::string_view s);

// A name set after a dash that ends the lead, a double hyphen as plain-text
// copies print it: "... parallel veins--Orders 77-80.", "... spores white
// — Amanita". A short phrase that opens in a capital, with no sentence
// or clause inside it (a range of numbers may end it): where it starts, or npos.
std::size_t dashNameStart(std::string_view s) {
    while (!s.empty() && (s.back() == '.' || s.back() == ' ')) s.remove_suffix(1);
    std::size_t dash = s.rfind("--");
    std::size_t after = dash == std::string_view::npos ? dash : dash + 2;
    if (const std::size_t em = s.rfind("\u2014"); em != std::string_view::npos && (dash == std::string_view::npos || em > dash)) {
        dash = em;
        after = em + 3;
    }
    if (dash == std::string_view::npos || dash == 0) return std::string_view::npos;
    while (after < s.size() && s[after] == ' ') ++after;
    // Nothing before the dash but a name in bold or italics: the lead opens
    // with its name, the text after the dash ("_Ulvaceæ_--Frond flat").
    if (const OpeningName opening = openingName(s);
        opening.found() && opening.text == after && (opening.start > 0 || labelMark(s[opening.end])))
        return std::string_view::npos;
    std::string_view name = s.substr(after);
    const std::string_view before = s.substr(0, dash);
    // The book's number or page noted after it: "F. nigra (no. 7)".
    if (name.ends_with(')'))
        if (const std::size_t open = name.rfind(" ("); open != std::string_view::npos) name = name.substr(0, open);
    if (name.size() < 3 || !isUpperAscii(name[0]) ||
        std::none_of(before.begin(), before.end(), [](char c) { return text::isLetter(static_cast<unsigned char>(c)); }))
        return std::string_view::npos;
    if (nameWithAuthors(name)) return after;
    if (name.find_first_of(",;:()") != std::string_view::npos || std::count(name.begin(), name.end(), ' ') > 4)
        return std::string_view::npos;
    // Words of a name, not of a clause ("--Trees with scaly bark"); a stop
    // inside closes an initial or an abbreviation ("A. alba", "sp. nov.").
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t end = std::min(name.find(' ', at), name.size());
        std::string_view word = name.substr(at, end - at);
        if (endsOnLinkWord(word)) return std::string_view::npos;
        if (end < name.size() && word.ends_with('.')) {
            word.remove_suffix(1);
            const bool initial = word.size() == 1 && isUpperAscii(word[0]);
            const bool abbreviation = word.size() <= 5 && std::all_of(word.begin(), word.end(), isLowerAscii) &&
                                      !isUpperAscii(name[end + 1]);
            if (!initial && !abbreviation) return std::string_view::npos;
        }
        at = end + 1;
    }
    return after;
}

// A name and its authors as a book sets it after its number: a capitalised
// word (an abbreviated genus, "L.", too), at most two epithets, then authors,
// abbreviated or in brackets, and a year: "Myosurus L.", "Stoiba flavicollis
// (Klug)", "Collema Th. Fr.", "Stylodrilus wahkeenensis Rodriguez & Coates, 1996".
// A comma sets the authors or the year after them ("Eylaïs, Latr."), in
// brackets only the year ("(Holmquist, 1976)", never a list: "(Paraponyx,
// Hydrocampa)").
bool nameWithAuthors(std::string_view s) {
    // A remark may follow the name, in square brackets or in round ones when it
    // opens in lower case: "ECTOBIIDES [Anaplectinae Saussure.]", "Locellina (not
    // reported in U. S.)".
    for (const std::string_view brackets : {" [", " ("})
        if (const std::size_t open = s.rfind(brackets); open != std::string_view::npos && open > 0 &&
                                                         s.back() == (brackets[1] == '[' ? ']' : ')') &&
                                                         (brackets[1] == '[' || isLowerAscii(s[open + 2])))
            s = s.substr(0, open);
    // The name's stop, set apart by a blank in some copies: "Arnaud & Bomans .".
    while (s.ends_with(" .")) s.remove_suffix(2);
    int words = 0, epithets = 0;
    bool comma = false, bracketed = false, previousCapital = false, authored = false;
    for (std::size_t at = 0; at < s.size();) {
        std::size_t end = s.find(' ', at);
        if (end == std::string_view::npos) end = s.size();
        std::string_view w = s.substr(at, end - at);
        at = end + 1;
        if (w.empty()) continue;
        if (++words > 8) return false;
        if (comma && bracketed && !isDigitAscii(w[0])) return false;
        const bool opened = bracketed || w.front() == '(';
        bracketed = opened && w.find(')') == std::string_view::npos;
        comma = w.back() == ',';
        while (!w.empty() && (w.back() == ',' || w.back() == ')')) w.remove_suffix(1);
        if (!w.empty() && w.front() == '(') w.remove_prefix(1);
        while (!w.empty() && (w.front() == '*' || w.front() == '_' || w.front() == '=' || w.front() == '"')) w.remove_prefix(1);
        while (!w.empty() && (w.back() == '_' || w.back() == '=' || w.back() == '"')) w.remove_suffix(1);
        // A name in quotes: "“Lactarius deliciosus” group".
        if (w.starts_with("\u201C")) w.remove_prefix(3);
        if (w.ends_with("\u201D")) w.remove_suffix(3);
        // A word holds letters or digits: a leader is no word of a name.
        if (std::none_of(w.begin(), w.end(), [](char c) { return isDigitAscii(c) || isLowerAscii(c) || isUpperAscii(c) || c == '&' ||
                                                                 static_cast<unsigned char>(c) >= 0x80; }))
            return false;
        // Accented capitals start with these bytes in UTF-8; quotes and signs do not.
        const unsigned char first = static_cast<unsigned char>(w[0]);
        const bool capital = isUpperAscii(w[0]) || (first >= 0xC3 && first <= 0xC5);
        const bool afterCapital = std::exchange(previousCapital, capital);
        if (words == 1) {
            if (!capital || (w.find('.') != std::string_view::npos && w.size() > 3)) return false;
            continue;
        }
        // Authors or names joined ("Fan and He", "The Junipers, or Red Cedars"),
        // a hybrid's sign ("I. \u00D7 goebelii"); other little words make a
        // clause ("with a ring").
        static constexpr std::string_view kJoins[] = {"&", "and", "or", "et", "ex", "de", "von", "van", "in", "\u00D7"};
        if (std::find(std::begin(kJoins), std::end(kJoins), w) != std::end(kJoins)) {
            if (!afterCapital) return false;
            continue;
        }
        if (endsOnLinkWord(w)) return false;
        const bool lower = std::all_of(w.begin(), w.end(), [](char c) {
            return isLowerAscii(c) || c == '-' || static_cast<unsigned char>(c) >= 0x80;
        });
        const bool year = w.size() == 4 && std::all_of(w.begin(), w.end(), isDigitAscii);
        // "n. sp.", "var.", "subsp.", the last one's stop gone with the lead's,
        // and after the authors a short word is theirs ("Hook. fil"); a longer
        // word with a stop ends a sentence ("in heads. Flagellaria", "Africa. Poisonous").
        const bool abbreviation = (w.back() == '.' && (capital ? w.size() <= 6 : w.size() <= 5 || w == "subsp.")) ||
                                  (lower && w.size() <= (authored ? 4 : 2));
        if (w.back() == '.' && !abbreviation && at < s.size()) return false;
        // Epithets come before the authors; a subgenus in brackets stands before them too.
        if (lower && w.size() >= 3 && !abbreviation) {
            if (authored || ++epithets > 2) return false;
        } else if (!(capital || year || abbreviation)) {
            return false;
        }
        authored = authored || ((capital || year) && !opened);
    }
    return words > 0 && !comma;
}

// The book's number before a name and its authors that end the lead, after
// one blank: "... in a spike. 1. Myosurus L.", "... hind wing 6. Stoiba
// flavicollis (Klug), p. 26": where the name starts, or npos.
std::size_t numberedNameStart(std::string_view body) {
    for (std::size_t stop = body.rfind(". "); stop != std::string_view::npos && stop > 1;
         stop = body.rfind(". ", stop - 1)) {
        std::size_t d = stop;
        if (isLowerAscii(body[d - 1]) && d >= 2 && isDigitAscii(body[d - 2])) --d;  // "14a."
        std::size_t b = d;
        while (b > 0 && isDigitAscii(body[b - 1])) --b;
        const std::string_view name = body.substr(stop + 2);
        // Not a citation's page after a comma ("III, 1827, 351. (Type, ...)").
        if (b < d && d - b <= 4 && b > 1 && body[b - 1] == ' ' && body[b - 2] != ',' && !isDigitAscii(body[b - 2]) &&
            !endsOnLinkWord(body.substr(0, b - 1)) && !name.starts_with("(") && nameWithAuthors(name))
            return stop + 2;
        // Further left the name would hold a sentence.
        if (std::count(name.begin(), name.end(), ' ') >= 8) break;
    }
    return std::string_view::npos;
}

// In a key that numbers its names, the name after the lead's last book
// number whatever its form ("... stalked 25. Lithocarpus tenuinervis*",
// "... sides 3. spinifer spinifer", "... veins 1. Orders 77-80, p. 23"):
// where it starts, or npos. A short run of words, as a name is.
std::size_t anyNameAfterBookNumber(std::string_view body) {
    for (std::size_t stop = body.rfind(". "); stop != std::string_view::npos && stop > 1;
         stop = body.rfind(". ", stop - 1)) {
        const std::string_view name = body.substr(stop + 2);
        if (std::count(name.begin(), name.end(), ' ') >= 8) break;
        std::size_t d = stop;
        if (isLowerAscii(body[d - 1]) && d >= 2 && isDigitAscii(body[d - 2])) --d;  // "14a."
        std::size_t b = d;
        while (b > 0 && isDigitAscii(body[b - 1])) --b;
        if (b < d && d - b <= 4 && b > 1 && body[b - 1] == ' ' && body[b - 2] != ',' && !isDigitAscii(body[b - 2]) &&
            !endsOnLinkWord(body.substr(0, b - 1)) && !name.empty() && !isDigitAscii(name.front()) && !name.starts_with("("))
            return stop + 2;
    }
    return std::string_view::npos;
}

bool isNameUnderLead(std::string_view s);

// A line that holds only a name: with its authors, under a lead, or an
// epithet alone ("semispinosus"), in a few words.
bool nameAlone(std::string_view s) {
    if (s.empty() || std::count(s.begin(), s.end(), ' ') > 5 || s.back() == ',' || s.back() == ':') return false;
    if (s.find(' ') == std::string_view::npos && s.size() >= 5 && std::all_of(s.begin(), s.end(), isLowerAscii)) return true;
    std::string_view t = s;
    while (!t.empty() && t.front() == '*') t.remove_prefix(1);
    return !t.empty() && (isUpperAscii(t.front()) || labelMark(t.front())) && (isNameUnderLead(t) || nameWithAuthors(t));
}

// A name with its authors set as the lead's last sentence: "... Colombia.
// Falsocis aquilonius sp. n.", "... spike. Myosurus L.": where it starts, or
// npos. A name with nothing after its epithets ("Flowers red.") is left to
// the readings of names without authors.
std::size_t authoredNameSentenceStart(std::string_view body) {
    for (std::size_t stop = body.rfind(". "); stop != std::string_view::npos && stop > 1;
         stop = body.rfind(". ", stop - 1)) {
        const std::string_view name = body.substr(stop + 2);
        if (std::count(name.begin(), name.end(), ' ') >= 8) break;
        // A name alone in the last sentence is the name, the sentence before it text: "Filmy Fern. Trichomanes".
        if (name.size() >= 4 && name.find_first_of(" .") == std::string_view::npos && isNameWord(name))
            return std::string_view::npos;
        // An initial's stop is the name's own: "L. alba".
        if (isUpperAscii(body[stop - 1]) && (stop < 2 || body[stop - 2] == ' ')) continue;
        // A genus abbreviated ("P. schmidtorum", "Tr. nudum") names with its epithets alone.
        const std::string_view first = name.substr(0, name.find(' '));
        const bool abbreviated = (first.size() == 2 || (first.size() == 3 && isLowerAscii(first[1]))) &&
                                 isUpperAscii(first[0]) && first.back() == '.' && first.size() < name.size();
        if (!nameWithAuthors(name) || !(abbreviated || isNameWord(first))) continue;
        if (abbreviated) return stop + 2;
        int words = 0, epithets = 0;
        for (std::size_t at = 0; at < name.size();) {
            const std::size_t end = std::min(name.find(' ', at), name.size());
            const std::string_view w = name.substr(at, end - at);
            at = end + 1;
            if (w.empty()) continue;
            if (++words > 1 && w.size() >= 3 && isLowerAscii(w[0]) && w.back() != '.') ++epithets;
        }
        if (words > 1 + epithets) return stop + 2;
    }
    return std::string_view::npos;
}

// A lead with no sub-leads and no separated ending may still end with its
// name, run into the text as copying often leaves it: "... cuticle Amanita.",
// "... several years. PINUS, p. 4." The name is a capitalised word (an
// epithet may follow it) that is not the first word of the lead.
std::size_t trailingNameStart(std::string_view s) {
    if (const std::size_t dashed = dashNameStart(s); dashed != std::string_view::npos) return dashed;
    std::string_view body = withoutTrailingNumber(s);
    while (!body.empty() && (body.back() == '.' || body.back() == ' ')) body.remove_suffix(1);
    if (const std::size_t numbered = numberedNameStart(body); numbered != std::string_view::npos) return numbered;
    if (const std::size_t sentence = authoredNameSentenceStart(body); sentence != std::string_view::npos) return sentence;
    // A name in capitals after a dash that ends the text, "copper-colored—
    // COPPERHEAD", of several words too: "bands—WESTERN DIAMOND-BACK RATTLER".
    if (const std::size_t dash = body.rfind("\u2014"); dash != std::string_view::npos && dash > 0) {
        const std::string_view after = body.substr(dash + 3);
        bool capitals = after.size() >= 3;
        for (char c : after) capitals = capitals && (isUpperAscii(c) || c == ' ' || c == '-' || c == '.');
        if (capitals && isUpperAscii(after[0])) return dash + 3;
    }
    const auto lastSpace = body.rfind(' ');
    if (lastSpace == std::string_view::npos) return std::string_view::npos;
    const std::string_view last = body.substr(lastSpace + 1);
    if (isNameWord(last)) {
        // A name in capitals takes the words in capitals before it:
        // "small size, WESTERN DIAMOND-BACK RATTLER".
        std::size_t start = lastSpace + 1;
        const auto allCapitals = [](std::string_view w) {
            return w.size() >= 2 && std::all_of(w.begin(), w.end(), [](char c) { return isUpperAscii(c) || c == '-'; });
        };
        while (allCapitals(last) && start >= 2) {
            const std::size_t space = body.rfind(' ', start - 2);
            const std::size_t from = space == std::string_view::npos ? 0 : space + 1;
            if (from == 0 || !allCapitals(body.substr(from, start - 1 - from))) break;
            start = from;
        }
        return start;
    }
    // An epithet may join two words ("neo-robinsonii") and carry a note's mark ("tenuinervis*").
    std::string_view bare = last;
    while (bare.ends_with('*')) bare.remove_suffix(1);
    while (bare.ends_with("\u2020")) bare.remove_suffix(3);
    const bool epithet = bare.size() >= 3 && isLowerAscii(bare.front()) && isLowerAscii(bare.back()) &&
                         std::all_of(bare.begin(), bare.end(), [](char c) { return isLowerAscii(c) || c == '-'; });
    if (!epithet || lastSpace == 0) return std::string_view::npos;
    const auto before = body.rfind(' ', lastSpace - 1);
    if (before == std::string_view::npos) return std::string_view::npos;
    const std::string_view genus = body.substr(before + 1, lastSpace - before - 1);
    return genus.size() >= 3 && isUpperAscii(genus[0]) && std::all_of(genus.begin() + 1, genus.end(), isLowerAscii)
               ? before + 1
               : std::string_view::npos;
}

// A paragraph that opens with its name in capitals, the book's number in
// brackets and remarks after it ("SPHAGNUM (2). Perennial ...", "STYLOSTEGIUM.
// (12). Perennial ...", "ORTHOTRICHUM (36). (partly) Perennial ..."): the
// name with its number noted "(no. 2)", and where the text starts; empty
// when the paragraph opens otherwise.
std::string capitalNameFirst(std::string_view s, std::size_t& textStart, bool& numbered) {
    numbered = false;
    std::size_t at = 0;
    int capitals = 0;
    while (at < s.size() && (isUpperAscii(s[at]) || s[at] == '-' || static_cast<unsigned char>(s[at]) >= 0x80)) {
        capitals += isUpperAscii(s[at]) ? 1 : 0;
        ++at;
    }
    if (capitals < 3 || at == s.size() || (s[at] != ' ' && s[at] != '.')) return {};
    std::string name(s.substr(0, at));
    for (;;) {
        if (at < s.size() && s[at] == '.') ++at;
        std::size_t open = at;
        while (open < s.size() && s[open] == ' ') ++open;
        // The number in square brackets too, with its stop: "[29.]".
        if (open >= s.size() || (s[open] != '(' && s[open] != '[')) break;
        const std::size_t close = s.find(s[open] == '(' ? ')' : ']', open);
        if (close == std::string_view::npos || close - open > 12) break;
        std::string_view inside = s.substr(open + 1, close - open - 1);
        if (s[open] == '[' && inside.ends_with('.')) inside.remove_suffix(1);
        const bool number = !inside.empty() && std::all_of(inside.begin(), inside.end(), isDigitAscii);
        if (s[open] == '[' && !number) break;
        name += number ? " (no. " + std::string(inside) + ")" : " (" + std::string(inside) + ")";
        numbered = numbered || number;
        at = close + 1;
    }
    if (at >= s.size() || s[at] != ' ') return {};
    textStart = s.find_first_not_of(' ', at);
    if (textStart == std::string_view::npos || !(isUpperAscii(s[textStart]) || s[textStart] == '(' || s[textStart] == '_'))
        return {};
    return name;
}

// A text that ends with a name in capitals after a dash: "copper-colored\u2014
// COPPERHEAD (page 7).".
bool endsWithDashName(std::string_view s) {
    const std::size_t begun = trailingNameStart(s);
    return begun != std::string_view::npos && begun >= 3 && s.substr(begun - 3, 3) == "\u2014";
}

// A name of several capitalised words set as the lead's last sentence ("...
// cones small. The White Cedars", "... The Junipers, or Red Cedars"): where
// that sentence starts, else `nameStart`.
std::size_t nameSentenceStart(std::string_view s, std::size_t nameStart) {
    std::size_t stop = s.rfind(". ", nameStart);
    // An author's initials end no sentence: "... Africa. Coleotrype C. B. Clarke".
    while (stop != std::string_view::npos && stop >= 2 && isUpperAscii(s[stop - 1]) && s[stop - 2] == ' ')
        stop = s.rfind(". ", stop - 1);
    if (stop == std::string_view::npos || stop == 0) return nameStart;
    const std::size_t from = stop + 2;
    int words = 0;
    for (std::size_t at = from; at < nameStart;) {
        const std::size_t end = std::min(s.find(' ', at), nameStart);
        std::string_view w = s.substr(at, end - at);
        if (!w.empty() && w.back() == ',') w.remove_suffix(1);
        if (!w.empty() && !isUpperAscii(w[0]) && w != "or" && w != "and") return nameStart;
        ++words;
        at = end + 1;
    }
    return words <= 4 ? from : nameStart;
}

// A text that stops on a word no sentence ends with, an article, a
// preposition or a conjunction ("... confluent in a", "not more than"): what
// follows it, a number too, is still its text.
bool endsOnLinkWord(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    const std::size_t space = s.rfind(' ');
    const std::string last = text::lower(s.substr(space == std::string_view::npos ? 0 : space + 1));
    static constexpr std::string_view kLinks[] = {
        "a", "an", "the", "of", "in", "into", "with", "and", "or", "nor", "to", "than", "by", "from", "at", "on",
        "about", "over", "under", "between", "le", "la", "les", "des", "du", "de", "et", "ou", "à", "en", "avec",
        "que", "der", "die", "das", "und", "oder", "mit", "von", "als", "el", "los", "las", "y", "con", "del", "em"};
    return std::find(std::begin(kLinks), std::end(kLinks), last) != std::end(kLinks);
}

// The book's species number printed before a name run into the lead ("...
// fruit a nut 14. Quercus alba."): where it starts before `nameStart`, or
// `nameStart` when there is none.
std::size_t bookNumberStart(std::string_view s, std::size_t nameStart) {
    std::size_t e = nameStart;
    while (e > 0 && s[e - 1] == ' ') --e;
    if (e > 0 && s[e - 1] == '.') --e;
    if (e >= 2 && isLowerAscii(s[e - 1]) && isDigitAscii(s[e - 2])) --e;  // "14a."
    std::size_t d = e;
    while (d > 0 && isDigitAscii(s[d - 1])) --d;
    if (!(d < e && e - d <= 4 && d > 0 && s[d - 1] == ' ')) return nameStart;
    // A number the text asks for is the text's: "not more than 5. GYMNOCLADUS",
    // "following No. 3.".
    if (endsOnLinkWord(s.substr(0, d - 1))) return nameStart;
    if (const std::string_view before = s.substr(0, d - 1);
        before.ends_with(" No.") || before.ends_with(" no.") || before.ends_with(" Nr.")) {
        const std::size_t word = before.rfind(' ', before.size() - 5);
        if (word != std::string_view::npos && isLowerAscii(before[word + 1])) return nameStart;
    }
    // The rank the book numbers goes with its number: "Legion 1. Tetracera".
    if (d < 2) return d;
    const std::size_t space = s.rfind(' ', d - 2);
    const std::size_t word = space == std::string_view::npos ? 0 : space + 1;
    const bool rank = std::find(std::begin(kRanks), std::end(kRanks), s.substr(word, d - 1 - word)) != std::end(kRanks);
    return rank ? word : d;
}

// The text without a figure's call at its end that names what the figure
// shows: "... NECROSCIDES. (Fig. 162, _Palophus_.)" is "... NECROSCIDES.";
// a bare call ("Dichorisandra (Fig. 1D–L)") stays with its name.
std::string_view withoutFigureCall(std::string_view s) {
    if (!s.ends_with(')')) return s;
    const std::size_t open = s.rfind(" (Fig");
    if (open == std::string_view::npos || s.find(')', open) + 1 != s.size() ||
        s.find_first_of(",;", open) == std::string_view::npos)
        return s;
    s = s.substr(0, open);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A lead that ends with a name after the book's number is a lead, never prose.
bool endsWithNumberedName(std::string_view s) {
    s = withoutFigureCall(s);
    std::size_t at = trailingNameStart(s);
    if (at == std::string_view::npos) at = markedNameStart(s);
    // An abbreviated binomial after the number: "... 16. F. americana".
    if (at == std::string_view::npos) return splitLeadEnding(s).bookNumber;
    return at != std::string_view::npos && bookNumberStart(s, at) < at;
}

// "5b S. discolor." alone on a line: the book's species number and an
// abbreviated binomial, the cell of a table that gave each cell a line.
bool isNumberedBinomialLine(std::string_view s) {
    std::size_t at = 0;
    while (at < s.size() && isDigitAscii(s[at])) ++at;
    if (at == 0 || at > 4) return false;
    if (at < s.size() && isLowerAscii(s[at])) ++at;
    if (at < s.size() && s[at] == '.') ++at;
    const std::string_view name = s.substr(at);
    return name.size() >= 6 && name[0] == ' ' && isUpperAscii(name[1]) && name[2] == '.' && name[3] == ' ' &&
           isLowerAscii(name[4]) && std::count(name.begin(), name.end(), ' ') <= 4;
}

// A line that holds only the name a lead leads to, set on a line of its own:
// "GLEDITSIA, p. 165."
bool isNameLine(std::string_view s) {
    const std::string_view core = withoutTrailingNumber(s);
    if (core.empty() || std::count(core.begin(), core.end(), ' ') > 3) return false;
    // A sentence that ends before the name is the end of a lead's text:
    // "U-shaped line. FRAXINUS, p. 211."
    for (std::size_t stop = core.find(". "); stop != std::string_view::npos; stop = core.find(". ", stop + 1)) {
        const std::size_t space = core.rfind(' ', stop);
        const std::string_view word = core.substr(space == std::string_view::npos ? 0 : space + 1,
                                                  stop - (space == std::string_view::npos ? 0 : space + 1));
        if (word.size() >= 3 && std::all_of(word.begin(), word.end(), isLowerAscii)) return false;
    }
    const auto firstSpace = core.find(' ');
    const std::string_view first = core.substr(0, firstSpace);
    // The title of a key is no name: "KEY to CLASSES", "Clé des genres".
    static constexpr std::string_view kTitles[] = {"key", "keys", "clé", "clef", "schlüssel", "bestimmungstabelle",
                                                   "tabelle", "clave", "chave", "synopsis", "conspectus"};
    if (std::find(std::begin(kTitles), std::end(kTitles), text::lower(first)) != std::end(kTitles)) return false;
    const bool capitals = first.size() >= 3 && std::all_of(first.begin(), first.end(), [](char c) { return isUpperAscii(c) || c == ',' || c == '.'; });
    const bool numbered = std::any_of(s.begin() + static_cast<std::ptrdiff_t>(core.size()), s.end(), isDigitAscii);
    return capitals || (numbered && isNameWord(first));
}

// A page of the book and nothing else: "p. 515", "pp. 62, 63.", "page 12",
// "S. 40".
bool isPageReference(std::string_view s) {
    for (std::string_view word : {"p. ", "pp. ", "page ", "S. ", "pág. "}) {
        if (!s.starts_with(word)) continue;
        const std::string_view rest = s.substr(word.size());
        return !rest.empty() && isDigitAscii(rest[0]) && std::all_of(rest.begin(), rest.end(), [](char c) {
            return isDigitAscii(c) || c == ',' || c == ' ' || c == '.' || c == '-';
        });
    }
    return false;
}

// A name set on its line with the page at the right: the page after a comma,
// as the names' reading expects it ("Tribe Geomyini, p. 521").
std::string withPage(std::string name, const std::string& page) {
    return page.empty() ? name : name + ", " + page;
}

// A line that holds only a name, set under its lead: the name line above, a
// binomial with its authors ("Quercus alba L.", "Q. alba"), or a rank and
// its name ("Order Caudata", "Familie Cisidae").
bool isNameOnItsLine(std::string_view s) {
    if (isNameLine(s)) return true;
    std::string t = trimmed(s);
    // The book's number or page noted in brackets after the name: "F.
    // americana (no. 1)", "Pinus (p. 4)".
    if (const std::size_t open = t.rfind(" ("); open != std::string::npos && t.back() == ')') {
        const std::string_view note = std::string_view(t).substr(open + 2);
        for (std::string_view word : {"no. ", "nr. ", "p. ", "pp. ", "page "})
            if (note.starts_with(word) && note.size() > word.size() + 1 && isDigitAscii(note[word.size()])) {
                t.erase(open);
                break;
            }
    }
    // The mark of a name new in the work: "E. gracilipes n. sp.", set close
    // too ("sp.nov.").
    for (std::string_view mark : {" n. sp.", " sp. n.", " sp. nov.", " gen. n.", " gen. nov.", " n. gen.", " subsp. n.",
                                  " ssp. n.", " comb. nov.", " nom. nov.", " n.sp.", " sp.n.", " sp.nov.", " gen.nov.",
                                  " comb.nov."})
        if (t.size() > mark.size() + 3 && t.ends_with(mark)) {
            t.erase(t.size() - mark.size());
            break;
        }
    // A note's mark after the name: "Lithocarpus tenuinervis*", "Acer rubrum†".
    while (t.ends_with('*')) t.pop_back();
    while (t.ends_with("\u2020")) t.erase(t.size() - 3);
    if (t.empty() || t.back() == ':' || std::count(t.begin(), t.end(), ' ') > 6) return false;
    const std::size_t space = t.find(' ');
    // One word: a group's name ("Amphibia.").
    if (space == std::string::npos) {
        const std::string_view word = std::string_view(t).substr(0, t.back() == '.' ? t.size() - 1 : t.size());
        return word.size() >= 4 && isNameWord(word);
    }
    const std::string_view first = std::string_view(t).substr(0, space);
    const std::string_view rest = std::string_view(t).substr(space + 1);
    // An epithet may join two words: "novae-angliae", "neo-robinsonii".
    std::string_view second = rest.substr(0, rest.find_first_of(" .,"));
    if (const std::size_t hyphen = second.find('-');
        hyphen != std::string_view::npos && !std::all_of(second.begin(), second.end(), [](char c) { return isLowerAscii(c) || c == '-'; }))
        second = second.substr(0, hyphen);
    if (first != "Legion" && std::find(std::begin(kRanks), std::end(kRanks), first) != std::end(kRanks))
        return isUpperAscii(rest[0]) || (rest.size() > 1 && labelMark(rest[0]) && isUpperAscii(rest[1]));  // "Genus _Geomys_"

    // A binomial needs its author, or its genus abbreviated: "Stem bare." is text.
    const bool abbreviated = first.size() == 2 && isUpperAscii(first[0]) && first[1] == '.';
    // Older books capitalise an epithet taken from a person or a genus
    // ("Quercus Phellos L."): then the author must follow.
    const bool capitalEpithet = second.size() >= 3 && isUpperAscii(second[0]) &&
                                std::all_of(second.begin() + 1, second.end(), isLowerAscii);
    if (!(abbreviated || (first.size() >= 3 && isNameWord(first))) || second.size() < 3 || second.back() == '-' ||
        !(capitalEpithet || std::all_of(second.begin(), second.end(), [](char c) { return isLowerAscii(c) || c == '-'; })))
        return false;
    const std::string_view authors = rest.substr(std::min(rest.size(), second.size()));
    std::size_t words = 0;
    for (std::size_t at = 0; at < authors.size();) {
        while (at < authors.size() && authors[at] == ' ') ++at;
        if (at == authors.size()) break;
        const std::size_t end = std::min(authors.find(' ', at), authors.size());
        std::string_view w = authors.substr(at, end - at);
        // An author in brackets, with the particles of a name and a year:
        // "(L.) Mill.", "(de Man, 1880)"; outside brackets such words are
        // the text's ("Flowers white in June").
        const bool bracketed = authors.find('(') != std::string_view::npos;
        while (!w.empty() && (w.front() == '(' || w.back() == ')' || w.back() == ',')) {
            if (w.front() == '(') w.remove_prefix(1);
            else w.remove_suffix(1);
        }
        static constexpr std::string_view kParticles[] = {"de", "du", "da", "van", "von", "der", "la", "le"};
        const bool year = bracketed && w.size() == 4 && std::all_of(w.begin(), w.end(), isDigitAscii);
        const bool particle =
            bracketed && std::find(std::begin(kParticles), std::end(kParticles), w) != std::end(kParticles);
        // "f." for the son: "(L. f.) H. Rob.".
        const bool son = bracketed && (w == "f." || w == "fil.");
        if (w.empty() || !(isUpperAscii(w[0]) || w == "&" || w == "ex" || w == "et" || year || particle || son)) return false;
        ++words;
        at = end;
    }
    return words > 0 || (abbreviated && !capitalEpithet);
}

// A common name, every word of it capitalised: "Massachusetts Fern",
// "Boott's Shield Fern", "New York Fern" (two to four words).
bool isCommonName(std::string_view s) {
    std::string_view t = s;
    while (!t.empty() && (t.back() == '.' || t.back() == ' ')) t.remove_suffix(1);
    int words = 0;
    for (std::size_t at = 0; at < t.size();) {
        const std::size_t end = std::min(t.find(' ', at), t.size());
        const std::string_view w = t.substr(at, end - at);
        if (w.size() < 2 || !isUpperAscii(w[0]) ||
            !std::all_of(w.begin() + 1, w.end(), [](char c) { return isLowerAscii(c) || c == '\'' || c == '-' || static_cast<unsigned char>(c) >= 0x80; }))
            return false;
        ++words;
        at = end + 1;
    }
    return words >= 2 && words <= 4;
}

// A line set under a lead that holds only its name: a name on its line, a
// common name, an abbreviated binomial of any epithet ("C. Buckleyi"), a
// name and a remark in brackets ("Locellina (not reported in U. S.)").
bool isNameUnderLead(std::string_view s) {
    if (isNameOnItsLine(s) || isCommonName(s)) return true;
    // The book's number written after it vouches for a short name whose
    // first word names a genus, in full or abbreviated: "B. lúteus No. 103
    // (fig. 26).", "Lactarius rufus No. 9".
    if (const NumberAfterName read = numberAfterName(s); !read.number.empty()) {
        const std::string_view name = read.name;
        const std::string_view first = name.substr(0, name.find(' '));
        if (std::count(name.begin(), name.end(), ' ') <= 3 &&
            (isNameWord(first) || (first.size() == 2 && isUpperAscii(first[0]) && first[1] == '.')))
            return true;
    }
    // Names listed with commas: "Vipera, Ancistrodon", "Sialis, Sisyra.".
    if (const std::size_t comma = s.find(", "); comma != std::string_view::npos && comma > 0) {
        std::string_view rest = s;
        while (!rest.empty() && rest.back() == '.') rest.remove_suffix(1);
        bool names = true;
        for (std::size_t at = 0; names && at <= rest.size();) {
            const std::size_t end = std::min(rest.find(", ", at), rest.size());
            const std::string_view part = rest.substr(at, end - at);
            names = part.find(' ') == std::string_view::npos ? isNameWord(part) : isNameOnItsLine(part);
            at = end + 2;
        }
        if (names) return true;
    }
    std::string_view t = s;
    if (const std::size_t open = t.find(" ("); open != std::string_view::npos && t.find(')', open) + 1 == t.size())
        t = t.substr(0, open);
    while (!t.empty() && t.back() == '.') t.remove_suffix(1);
    if (t.size() >= 6 && isUpperAscii(t[0]) && t[1] == '.' && t[2] == ' ' && t.find(' ', 3) == std::string_view::npos)
        return std::all_of(t.begin() + 3, t.end(), [](char c) {
            return isLowerAscii(c) || isUpperAscii(c) || static_cast<unsigned char>(c) >= 0x80;
        });
    return t.size() < s.size() && t.find(' ') == std::string_view::npos && isNameWord(t);
}

// "Quercus alba L.", "Q. rubra Lam.": a genus, an epithet and an author.
bool isBinomialWithAuthor(std::string_view s) {
    const std::string t = trimmed(s);
    const std::size_t first = t.find(' ');
    if (first == std::string::npos || !isNameOnItsLine(t) || isNameLine(t)) return false;
    const std::size_t second = t.find(' ', first + 1);
    return second != std::string::npos && second + 2 < t.size() &&
           (isUpperAscii(t[second + 1]) || (t[second + 1] == '(' && isUpperAscii(t[second + 2])));
}

// A line that holds only names in emphasis marks, set apart from its lead
// ("_Typhlops._", "_Vipera_, _Ancistrodon_.").
bool isMarkedNameLine(std::string_view s) {
    std::string t = trimmed(s);
    while (!t.empty() && (t.back() == '.' || t.back() == ',')) t.pop_back();
    if (t.size() < 4 || !labelMark(t[0]) || t.back() != t[0] || std::count(t.begin(), t.end(), ' ') > 5) return false;
    const std::string name = unmarkedName(t);
    return !name.empty() && (isUpperAscii(name[0]) || static_cast<unsigned char>(name[0]) >= 0x80);
}

// What OCR leaves of a picture or a stain: no label, no number, no word of
// three letters ("j OM", "a4 \u201C").
bool isDebris(std::string_view s) {
    std::size_t run = 0;
    for (char c : s) {
        if (isDigitAscii(c)) return false;
        run = text::isLetter(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80 ? run + 1 : 0;
        if (run >= 3) return false;
    }
    return true;
}

// A row of spaced stars alone between blank lines ("*     *     *"): the
// break old books set between the parts of a chapter, no label.
bool sectionBreak(const std::vector<std::string_view>& contents, std::size_t k) {
    const std::string_view s = contents[k];
    int stars = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '*') {
            if (i + 1 < s.size() && !isBlank(s[i + 1])) return false;
            ++stars;
        } else if (!isBlank(s[i])) {
            return false;
        }
    }
    return stars >= 3 && (k == 0 || contents[k - 1].empty()) && (k + 1 == contents.size() || contents[k + 1].empty());
}

// --- The tree of leads -----------------------------------------------------------

struct Lead {
    std::string text;
    std::string ending;  // as printed after the separator
    int parent = -1;
    bool labelled = false;
    std::vector<int> path;
    std::vector<int> children;
    int line = -1;  // the line it starts on
    int lines = 1;  // the lines it was read from
    std::size_t firstLineEnd = std::string::npos;  // where the text of its first line ends
    int series = -1;                               // its label's series, kNone without label, kPrimed
    int value = 0;                                 // its label's number
    bool numberedThrough = false;                  // its series runs on from the group above
    bool afterKey = false;                         // set aside as text after the key (or a remark)
    bool wrappedUnderName = false;                 // its text goes on under the name its first line ends with
    bool subKeyLater = false;                      // its sub-leads printed after the key under their own heading
};

// The letters that open a label, "B.", "=bb.=", "(C)", "A'": one to three
// of the same, not the start of a word; empty otherwise.
std::string_view labelLetters(std::string_view s) {
    while (!s.empty() && (labelMark(s[0]) || s[0] == '(' || s[0] == '[')) s.remove_prefix(1);
    std::size_t n = 0;
    while (n < s.size() && n < 4 && (isUpperAscii(s[n]) || isLowerAscii(s[n])) && s[n] == s[0]) ++n;
    if (n == 0 || n > 3 || (n < s.size() && (isUpperAscii(s[n]) || isLowerAscii(s[n])))) return {};
    return s.substr(0, n);
}

// Leads whose ending is only a letter that labels lines of the text, other
// than the letter of their own sub-leads ("A. Leaves simple ..... B" over
// "B. Fruit ..."): a key whose couplets are named by letters sends on by
// them; they are no names.
int lettersEndingLeads(const std::vector<Lead>& leads, const std::vector<std::string_view>& contents) {
    std::set<std::string_view> labels;
    for (std::string_view c : contents)
        if (const std::string_view l = labelLetters(c); !l.empty()) labels.insert(l);
    int count = 0;
    for (const Lead& lead : leads) {
        if (lead.parent == -2) continue;
        std::string_view ending = lead.ending;
        while (!ending.empty() && std::string_view(".)]=_*").find(ending.back()) != std::string_view::npos) ending.remove_suffix(1);
        const std::string_view letters = labelLetters(ending);
        if (letters.empty() || !ending.ends_with(letters) || ending.size() > letters.size() + 2 || !labels.count(letters)) continue;
        const int first = lead.children.empty() ? -1 : leads[static_cast<std::size_t>(lead.children.front())].line;
        if (first < 0 || labelLetters(contents[static_cast<std::size_t>(first)]) != letters) ++count;
    }
    return count;
}

struct Level {
    int indent;
    int series;  // kNone for leads without label
    int value;
    int lead;    // the last lead placed at this level
};

// A text that stops on a short abbreviation: "fl.", "caps.", "Infl.".
bool endsOnAbbreviation(std::string_view s) {
    if (s.size() < 2 || s.back() != '.') return false;
    const std::size_t space = s.rfind(' ');
    const std::string_view word = s.substr(space == std::string_view::npos ? 0 : space + 1);
    return word.size() >= 2 && word.size() <= 5 &&
           std::all_of(word.begin(), word.end() - 1, [](char c) { return isLowerAscii(c) || isUpperAscii(c); });
}

bool endsLikeSentence(std::string_view s) {
    return !s.empty() && std::string_view(".;:!?").find(s.back()) != std::string_view::npos;
}
// A line in lower case after a semicolon or a colon carries on its lead.
bool endsSentence(std::string_view s) {
    return !s.empty() && std::string_view(".!?").find(s.back()) != std::string_view::npos;
}

class Builder {
public:
    Builder(std::vector<Lead>& leads, bool flat) : leads_(leads), flat_(flat) { rank_.fill(-1); }

    // Places a new lead (already in leads_) given its indentation and label.
    void place(int lead, int indent, Label& label) {
        const Candidate* chosen = nullptr;
        bool havePopped = false;
        Level popped{};
        // A label that goes on a series open above at another indentation
        // ("* *" under "*", "β." under "α." in a book that centres its
        // labels), none at its own taking it, is the next lead of that series.
        for (const Candidate& c : label.candidates) {
            if (c.value < 2 || std::any_of(levels_.begin(), levels_.end(),
                                           [&](const Level& l) { return l.indent == indent && continues(l, c); }))
                continue;
            for (std::size_t j = levels_.size(); j-- > 0;)
                if (continues(levels_[j], c)) {
                    levels_.resize(j + 1);
                    sibling(lead, &c);
                    return;
                }
        }
        while (true) {
            if (levels_.empty()) {
                chosen = firstOf(label, -1);
                push(lead, indent, chosen, -1);
                return;
            }
            Level& top = levels_.back();
            if (indent < top.indent) {
                popped = top;
                havePopped = true;
                levels_.pop_back();
                continue;
            }
            if (indent > top.indent && havePopped) {
                // Between two known indentations: taken as the level it left.
                levels_.push_back(popped);
                indent = popped.indent;
                havePopped = false;
                continue;
            }
            if (indent > top.indent) {
                chosen = firstOf(label, top.lead);
                if (!chosen)
                    for (const Candidate& c : label.candidates)
                        if (numberedThrough(c)) chosen = &c;
                push(lead, indent, chosen, top.lead);
                leads_[lead].numberedThrough = chosen && chosen->value > 1;
                return;
            }
            break;
        }
        // Same indentation as the open level: the labels decide.
        if (!label.candidates.empty()) {
            for (std::size_t j = levels_.size(); j-- > 0 && levels_[j].indent == indent;) {
                for (const Candidate& c : label.candidates) {
                    if (!continues(levels_[j], c)) continue;
                    levels_.resize(j + 1);
                    sibling(lead, &c);
                    return;
                }
            }
            for (const Candidate& c : label.candidates) {
                const int r = rank_[c.series] < 0 ? nextRank_ : rank_[c.series];
                // Levels of this series or of one nested deeper are closed.
                std::size_t cut = levels_.size();
                for (std::size_t j = levels_.size(); j-- > 0 && levels_[j].indent == indent;)
                    if (levels_[j].series != kNone && rank_[levels_[j].series] >= r) cut = j;
                const int parent = cut == 0 ? -1 : levels_[cut - 1].lead;
                if (!isFirst(c, parent)) continue;
                levels_.resize(cut);
                push(lead, indent, &c, parent);
                return;
            }
            label.candidates.clear();  // fits nowhere: part of the text
        }
        // Without indentation, a lead without label under a labelled one is
        // one level deeper; with indentation, the indentation has said it all.
        Level& top = levels_.back();
        if (top.series == kNone || !flat_) {
            sibling(lead, nullptr);
        } else {
            push(lead, indent, nullptr, top.lead);
        }
    }

private:
    int rankOf(int series) {
        if (rank_[series] < 0) rank_[series] = nextRank_++;
        return rank_[series];
    }

    bool continues(const Level& level, const Candidate& c) const {
        if (level.series != c.series || c.value != level.value + 1) return false;
        if (c.path.empty()) return true;
        const auto& last = leads_[level.lead].path;
        return last.size() == c.path.size() && std::equal(c.path.begin(), c.path.end() - 1, last.begin());
    }

    bool isFirst(const Candidate& c, int parent) const {
        if (c.value != 1) return false;
        if (c.path.size() <= 1) return true;
        if (parent < 0) return false;
        const auto& above = leads_[parent].path;
        return above.size() + 1 == c.path.size() && std::equal(above.begin(), above.end(), c.path.begin());
    }

    // A series numbered straight through under its group headings ("A."
    // over "1.", "2.", "B." over "3.", "4."): the next number of a series
    // whose level the heading closed opens the level under it.
    bool numberedThrough(const Candidate& c) const {
        return c.path.empty() && last_[c.series] > 0 && c.value == last_[c.series] + 1 &&
               std::none_of(levels_.begin(), levels_.end(), [&](const Level& l) { return l.series == c.series; });
    }

    const Candidate* firstOf(const Label& label, int parent) const {
        for (const Candidate& c : label.candidates)
            if (isFirst(c, parent)) return &c;
        return nullptr;
    }

    void attach(int lead, int parent, const Candidate* c) {
        leads_[lead].parent = parent;
        leads_[lead].labelled = c != nullptr;
        leads_[lead].series = c ? c->series : kNone;
        if (c) leads_[lead].path = c->path;
        if (c) last_[c->series] = leads_[lead].value = c->value;
        if (parent >= 0) leads_[parent].children.push_back(lead);
    }

    void push(int lead, int indent, const Candidate* c, int parent) {
        if (c) rankOf(c->series);
        levels_.push_back({indent, c ? c->series : kNone, c ? c->value : 0, lead});
        attach(lead, parent, c);
    }

    void sibling(int lead, const Candidate* c) {
        Level& level = levels_.back();
        const int parent = leads_[level.lead].parent;
        level.lead = lead;
        if (c) level.value = c->value;
        attach(lead, parent, c);
    }

    std::vector<Lead>& leads_;
    bool flat_;
    std::vector<Level> levels_;
    std::array<int, kSeriesCount> rank_{};
    std::array<int, kSeriesCount> last_{};  // the last number each series gave
    int nextRank_ = 0;
};

// Indentation width in columns: tabs to the next multiple of `tabWidth`, a
// no-break space as a space.
std::size_t indentation(std::string_view line, int tabWidth, int& columns) {
    columns = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ') {
            ++columns;
            ++at;
        } else if (line[at] == '\t') {
            columns = (columns / tabWidth + 1) * tabWidth;
            ++at;
        } else if (line.compare(at, 2, "\xC2\xA0") == 0) {
            ++columns;
            at += 2;
        } else {
            break;
        }
    }
    return at;
}

// A page mark left at the end of a text or a name ("... astringent [59]",
// "A. nigrum. [240]") is no part of it.
void dropPageMark(std::string& s) {
    const std::size_t open = s.rfind(" [");
    if (open != std::string::npos && s.back() == ']' && open + 3 < s.size() &&
        std::all_of(s.begin() + static_cast<std::ptrdiff_t>(open) + 2, s.end() - 1, isDigitAscii))
        s.erase(open);
}

// Page marks printed inside a lead, after a word ("abwechselnden[83]
// Zwischenräume", "leaves [84] broad"), and note calls ("Kiemen[LXII]"); a
// figure's number in brackets stays ("(Fig. [300])").
void dropInnerPageMarks(std::string& s) {
    if (s.find('[') == std::string::npos) return;
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        std::size_t close = i + 1;
        while (s[i] == '[' && close < s.size() && isDigitAscii(s[close])) ++close;
        const std::size_t word = !out.empty() && out.back() == ' ' ? out.size() - 1 : out.size();
        const bool afterWord = word > 0 && (text::isLetter(static_cast<unsigned char>(out[word - 1])) ||
                                            static_cast<unsigned char>(out[word - 1]) >= 0x80);
        // A note's call glued to a sentence's stop, the line's end too ("beneath.[169]").
        const bool afterStop = !out.empty() && std::string_view(".),;:").find(out.back()) != std::string_view::npos;
        if (s[i] == '[' && (afterWord || afterStop) && close > i + 1 && close - i <= 5 && close < s.size() &&
            s[close] == ']' && (close + 1 < s.size() || afterStop)) {
            if (!out.empty() && out.back() == ' ' && close + 1 < s.size() && s[close + 1] == ' ') out.pop_back();
            i = close;
            continue;
        }
        // A transcription's note call in roman numerals glued to a word or
        // its closing mark: "Flügelansätzen[LX]", "_Schnabelkerfe_[LXI]".
        if (s[i] == '[' && !out.empty() && (afterWord || labelMark(out.back())) && out.back() != ' ') {
            std::size_t r = i + 1;
            while (r < s.size() && r - i <= 7 && std::string_view("IVXLC").find(s[r]) != std::string_view::npos) ++r;
            if (r > i + 1 && r < s.size() && s[r] == ']') {
                i = r;
                continue;
            }
        }
        out += s[i];
    }
    s = std::move(out);
}

std::string withCount(const char* format, int n) {
    std::string f = format;
    const auto at = f.find("%d");
    return f.replace(at, 2, std::to_string(n));
}

}  // namespace

std::size_t runInNameStart(std::string_view lead) {
    std::size_t at = trailingNameStart(lead);
    if (at == std::string_view::npos || at == 0) return std::string_view::npos;
    at = nameSentenceStart(lead, at);
    std::size_t e = at;
    while (e > 0 && lead[e - 1] == ' ') --e;
    return e > 0 && e < at && (lead[e - 1] == '.' || lead[e - 1] == ';') ? at : std::string_view::npos;
}

std::size_t nameAfterColon(std::string_view lead) {
    const std::size_t colon = lead.rfind(": ");
    if (colon == std::string_view::npos || colon == 0) return std::string_view::npos;
    const std::string after = trimmed(lead.substr(colon + 2));
    NumberAfterName read = numberAfterName(after);
    // Without the book's number, a name alone after the colon: a few words
    // in one clause, "...: Dolomite", "...: P. spinosa sp. n.".
    // The book's sign before a name ("*Koerberia") is kept with it.
    const std::string_view bare = std::string_view(after).substr(std::min(after.find_first_not_of("*_="), after.size()));
    if (read.number.empty() && bare.find_first_of(";:") == std::string::npos &&
        ((bare.find_first_of("()") == std::string::npos && std::count(bare.begin(), bare.end(), ' ') <= 4 &&
          nameWords(bare)) ||
         nameWithAuthors(bare)))
        read.name = bare;
    if (read.name.empty() || !(isUpperAscii(read.name[0]) || static_cast<unsigned char>(read.name[0]) >= 0x80) ||
        std::count(read.name.begin(), read.name.end(), ' ') > 5)
        return std::string_view::npos;
    return lead.find_first_not_of(' ', colon + 1);
}

// Descriptions must not hold the converted key's own separators (" ...",
// "=>"); dots glued to a word ("curvature...(Genus") are no separator.
std::string safeDescription(std::string s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "=>") == 0) {
            out += "= >";
            ++i;
        } else if (s.compare(i, 3, "...") == 0 && (i == 0 || s[i - 1] == ' ')) {
            // Only a leader can be read as one: "5-6-... kafjes" keeps its dots.
            out += "..";
            while (i + 1 < s.size() && s[i + 1] == '.') ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

namespace {

struct LeadTree {
    std::vector<Lead> leads;
    std::vector<int> top;  // the first couplet
    int setAside = 0;
    int dropped = 0;   // of those, debris and text after a name inside the key
    int unplaced = 0;  // labels that fit no series, left in their lead's text
    int specks = 0;    // a scan's signs alone after a lead's text or name
};

// The words of a line in capitals up to a bracket, its stops and marks
// left out: "I. Coarse-grained (p. 37)" and "I COARSE-GRAINED ROCKS" open
// alike.
std::vector<std::string> capitalWords(std::string_view s) {
    std::vector<std::string> out;
    std::string w;
    for (char c : s) {
        if (c == '(') break;
        if (isLowerAscii(c) || isUpperAscii(c) || isDigitAscii(c) || c == '-')
            w += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else if (!w.empty())
            out.push_back(std::exchange(w, {}));
    }
    if (!w.empty()) out.push_back(w);
    return out;
}

// A heading in capitals at the start of its line set after a blank line,
// opening with a roman number: "I COARSE-GRAINED ROCKS", or none.
std::vector<std::string> subKeyHeading(const std::vector<std::string_view>& contents, std::size_t k) {
    const std::string_view s = contents[k];
    if (k == 0 || !contents[k - 1].empty() || s.empty() || std::any_of(s.begin(), s.end(), isLowerAscii)) return {};
    std::vector<std::string> said = capitalWords(s);
    if (said.size() < 2 || romanValue(said[0]) == 0) return {};
    return said;
}

// The lines of leads that send to a sub-key printed after the key under a
// heading of its own, the heading repeating the lead's roman number and first
// words in capitals ("I Coarse-grained (p. 37)" and, below the key, "I
// COARSE-GRAINED ROCKS"): their numbers label them even without a stop.
// The headings are read once, by their first two words, from the end.
std::vector<std::size_t> leadsSendingToHeadingsBelow(const std::vector<std::string_view>& contents) {
    std::vector<std::size_t> out;
    std::map<std::string, std::vector<std::vector<std::string>>> below;
    for (std::size_t k = contents.size(); k-- > 0;) {
        std::vector<std::string> said = subKeyHeading(contents, k);
        if (!said.empty()) {
            below[said[0] + ' ' + said[1]].push_back(std::move(said));
            continue;
        }
        const std::vector<std::string> own = capitalWords(contents[k]);
        if (own.size() < 2 || romanValue(own[0]) == 0) continue;
        const auto at = below.find(own[0] + ' ' + own[1]);
        if (at == below.end()) continue;
        for (const auto& heading : at->second)
            if (own.size() <= heading.size() && std::equal(own.begin(), own.end(), heading.begin())) {
                out.push_back(k);
                break;
            }
    }
    return out;
}

// A lead's text of a few words that ends in a name after a colon glued to
// its last word ("Teeth few, in the upper jaw only: Typhlops"); a scan's
// stray colon stands apart or after a word or two of debris.
bool endsInNameAfterColon(std::string_view text) {
    const std::size_t at = nameAfterColon(text);
    const std::size_t colon = text.rfind(": ");
    return at != std::string_view::npos && colon != std::string_view::npos && colon > 0 &&
           (isLowerAscii(text[colon - 1]) || isUpperAscii(text[colon - 1])) &&
           std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), ' ') >= 2;
}

// The heading's leads are the lead's that sends to it; the sub-key keeps its
// place after the key in the couplets' order.
void graftSubKeysPrintedLater(LeadTree& tree, const std::vector<std::string_view>& contents) {
    std::vector<Lead>& leads = tree.leads;
    std::vector<int> grafted;
    // A few headings are tried, each over the leads above it: bounded work.
    constexpr std::size_t kHeadings = 24;
    for (std::size_t h = 0, tried = 0; h < leads.size() && tried < kHeadings; ++h) {
        Lead& heading = leads[h];
        if (heading.parent != -1 || heading.children.empty() || !heading.ending.empty() || heading.line < 0) continue;
        const std::vector<std::string> said = subKeyHeading(contents, static_cast<std::size_t>(heading.line));
        if (said.empty()) continue;
        ++tried;
        for (std::size_t k = 0; k < h; ++k) {
            Lead& lead = leads[k];
            // The key's first leads may send to sub-keys too (an outline whose
            // first couplet is "I Coarse-grained (p. 37)", "II Fine-grained (p. 38)").
            if (lead.parent == -2 || static_cast<int>(k) == static_cast<int>(h) || !lead.children.empty() || lead.subKeyLater ||
                lead.line < 0)
                continue;
            const std::vector<std::string> own = capitalWords(contents[static_cast<std::size_t>(lead.line)]);
            if (own.size() < 2 || own.size() > said.size() || !std::equal(own.begin(), own.end(), said.begin())) continue;
            lead.children = std::exchange(heading.children, {});
            for (int c : lead.children) leads[static_cast<std::size_t>(c)].parent = static_cast<int>(k);
            lead.subKeyLater = true;
            grafted.push_back(static_cast<int>(h));
            break;
        }
    }
    for (int h : grafted) {
        leads[static_cast<std::size_t>(h)].parent = -2;
        tree.setAside += leads[static_cast<std::size_t>(h)].lines;
        tree.top.erase(std::remove(tree.top.begin(), tree.top.end(), h), tree.top.end());
    }
}

// Every lead from `from` on set aside as text after the key.
void setAsideAfterKey(LeadTree& tree, std::size_t from) {
    std::vector<Lead>& leads = tree.leads;
    for (std::size_t k = from; k < leads.size(); ++k) {
        Lead& lead = leads[k];
        if (lead.parent == -2) continue;
        if (lead.parent >= 0) std::erase(leads[static_cast<std::size_t>(lead.parent)].children, static_cast<int>(k));
        lead.children.clear();
        lead.parent = -2;
        lead.afterKey = true;
        tree.dropped += lead.lines;
    }
}

// A numbered label a scan misread with letters ("l.", "I.", "S.", "l2."):
// its number, or -1. A letter stands for a digit only where a sibling label
// at its level is the number before or after it.
int misreadNumber(std::string_view s, std::size_t& length) {
    std::string digits;
    bool letter = false;
    std::size_t at = 0;
    for (; at < s.size() && at < 3 && lookalikeDigit(s[at]) && lookalikeDigit(s[at]) != '0'; ++at) {
        letter = letter || !isDigitAscii(s[at]);
        digits += lookalikeDigit(s[at]);
    }
    if (!letter || at == 0 || at + 1 >= s.size() || (s[at] != '.' && s[at] != ')') || !isBlank(s[at + 1])) return -1;
    length = at;
    return std::stoi(digits);
}

// The label of line `k` read with a misread number mended, when the nearest
// labelled line at its level before or after it (within a page's reach) is
// numbered one less or one more: "l." over "2.", "S." after "4.".
Label mendedLabel(const std::vector<std::string_view>& contents, const std::vector<int>& indents, const Styles& styles,
                  bool byIndentation, std::size_t k, Label label) {
    std::size_t length = 0;
    const int number = misreadNumber(contents[k], length);
    if (number < 0) return label;
    const std::string mended = std::to_string(number) + std::string(contents[k].substr(length));
    Label digits = readLabel(mended, styles);
    if (digits.candidates.empty() || digits.candidates.front().series != kDigit) return label;
    constexpr std::size_t kReach = 120;
    for (const int step : {-1, 1}) {
        for (std::size_t seen = 0, j = k; seen < kReach && j + step < contents.size(); ++seen) {
            j += step;
            if (contents[j].empty() || (byIndentation && indents[j] > indents[k])) continue;
            if (byIndentation && indents[j] < indents[k]) break;
            const Label other = readLabel(contents[j], styles);
            if (other.candidates.empty()) continue;
            if (std::any_of(other.candidates.begin(), other.candidates.end(),
                            [&](const Candidate& c) { return c.series == kDigit && c.value == number + step; }))
                return digits;
            break;
        }
    }
    return label;
}

// The letters that open a line as labels ("a.", "B)"), small then capital.
std::array<bool, 52> lettersOpeningLines(const std::vector<std::string_view>& contents, const Styles& styles) {
    std::array<bool, 52> out{};
    for (std::string_view s : contents)
        for (const Candidate& c : readLabel(s, styles).candidates)
            if ((c.series == kSmall || c.series == kCapital) && c.value >= 1 && c.value <= 26)
                out[(c.series == kCapital ? 26 : 0) + c.value - 1] = true;
    return out;
}

// A letter read as a label that no line before it in its series leads up
// to ("u." with no "t." anywhere): a word cut short at a wrapped line's start
// ("u. Stücke der Brust"), no lead's label.
bool labelWithoutItsSeries(const Label& label, const std::array<bool, 52>& opening) {
    if (label.candidates.empty() || label.primed) return false;
    for (const Candidate& c : label.candidates) {
        if (c.series != kSmall && c.series != kCapital) return false;
        if (c.value <= 1 || opening[(c.series == kCapital ? 26 : 0) + c.value - 2]) return false;
    }
    return true;
}

// Whether a labelled line stands at the indentation of line `k`, above or
// below it (within a page's reach) before the text leaves that level.
bool labelledBeside(const std::vector<std::string_view>& contents, const std::vector<int>& indents, const Styles& styles,
                    std::size_t k) {
    constexpr std::size_t kReach = 120;
    for (const int step : {-1, 1})
        for (std::size_t seen = 0, j = k; seen < kReach && j + step < contents.size(); ++seen) {
            j += step;
            if (contents[j].empty() || indents[j] > indents[k]) continue;
            if (indents[j] < indents[k]) break;
            // The same word starting both leads of a couplet ("T1 3 ×" and
            // "T1 2 ×") is their text, no series.
            const Label other = readLabel(contents[j], styles);
            if (!other.candidates.empty() &&
                trimmed(contents[j].substr(0, other.length)) != trimmed(contents[k].substr(0, other.length)))
                return true;
        }
    return false;
}

bool numbered(const Label& label) {
    return std::any_of(label.candidates.begin(), label.candidates.end(), [](const Candidate& c) { return c.series == kDigit; });
}

// Whether the numbered line `k` opens a series at its margin. Set deeper
// than its lead, it does where the first line below it that comes back to its
// margin or nearer carries a number there. Set at the margin of its lead
// (`lead`), it does unless the next labelled line there, if any comes before
// the text leaves that margin, is the next lead of its lead's series. Looked
// for within a page's reach.
bool opensSeriesAtItsMargin(const std::vector<std::string_view>& contents, const std::vector<int>& indents,
                            const Styles& styles, std::size_t k, const Label* lead) {
    constexpr std::size_t kReach = 120;
    for (std::size_t j = k + 1; j < contents.size(); ++j) {
        if (j - k > kReach) return true;
        if (contents[j].empty() || indents[j] > indents[k]) continue;
        if (indents[j] < indents[k]) return false;
        const Label next = readLabel(contents[j], styles);
        if (!lead) return numbered(next);
        if (next.candidates.empty()) continue;
        return numbered(next) || std::none_of(next.candidates.begin(), next.candidates.end(), [&](const Candidate& c) {
                   return std::any_of(lead->candidates.begin(), lead->candidates.end(),
                                      [&](const Candidate& l) { return l.series == c.series && c.value == l.value + 1; });
               });
    }
    return false;
}

// Whether a lead's text ends on a name in any of the forms the endings
// are read in later: after a colon, a dash, emphasis marks, the book's
// number, or as its last sentence.
bool textEndsOnAName(std::string_view text) {
    return trailingNameStart(text) != std::string_view::npos || markedNameStart(text) != std::string_view::npos ||
           splitLeadEnding(text).ends() || nameAfterColon(text) != std::string_view::npos ||
           runInNameStart(text) != std::string_view::npos || endsWithDashName(text) ||
           text.find("--") != std::string_view::npos || text.find("\u2014") != std::string_view::npos;
}

// Builds the tree of leads from the lines; with `byIndentation` false every
// line counts as unindented and the labels alone give the levels. With
// `paragraphs` (leads set apart by blank lines), a line that follows another
// without a blank line between carries on its lead.
LeadTree buildLeads(const std::vector<std::string_view>& contents, const std::vector<int>& indents, const Styles& styles,
                    bool byIndentation, bool paragraphs, bool hanging = false) {
    bool flat = true;
    int firstIndent = -1;
    for (std::size_t k = 0; k < contents.size() && byIndentation; ++k) {
        if (contents[k].empty()) continue;
        if (firstIndent < 0) firstIndent = indents[k];
        flat = flat && indents[k] == firstIndent;
    }

    // A short line set deeper under a line that ends nowhere, the next line
    // back at that line's level or above, is that lead's name when the key
    // sets its names so: most of its ending lines have one under them and few
    // end on their own line. A name may wrap over a few lines set as deep.
    // Such lines stand deeper than any step between a lead and its
    // sub-leads; one a level step deeper is the lead's text wrapped.
    constexpr std::size_t kNoLead = std::string_view::npos;
    std::vector<std::size_t> nameOf(contents.size(), kNoLead);  // the line of the lead a name line is under
    int namesUnder = 0, namesBeside = 0, levelStep = 0;
    for (std::size_t k = 0, above = contents.size(); k < contents.size() && byIndentation && !flat; ++k) {
        if (contents[k].empty()) continue;
        std::size_t runEnd = k + 1;
        auto blanks = std::count(contents[k].begin(), contents[k].end(), ' ');
        while (above < k && runEnd < contents.size() && runEnd < k + 3 && !contents[runEnd].empty() &&
               indents[runEnd] > indents[above]) {
            blanks += 1 + std::count(contents[runEnd].begin(), contents[runEnd].end(), ' ');
            ++runEnd;
        }
        std::size_t next = runEnd;
        while (next < contents.size() && contents[next].empty()) ++next;
        if (above < k && indents[k] > indents[above] && (next == contents.size() || indents[next] <= indents[above]) &&
            findEnding(contents[above]).descriptionEnd == std::string_view::npos && blanks < 8 &&
            // A lead cut after a comma or a word that links ("swollen at the") goes on.
            contents[above].back() != ',' && !endsOnLinkWord(contents[above])) {
            for (std::size_t r = k; r < runEnd; ++r) nameOf[r] = above;
            k = runEnd - 1;
            above = k;
            continue;
        }
        std::size_t after = k + 1;
        while (after < contents.size() && contents[after].empty()) ++after;
        if (above < k) levelStep = std::max(levelStep, indents[k] - indents[above]);
        if (findEnding(contents[k]).descriptionEnd != std::string_view::npos &&
            !(after < contents.size() && indents[after] > indents[k]))
            ++namesBeside;
        above = k;
    }
    std::vector<bool> lineUnder(contents.size(), false);
    for (std::size_t k = 0; k < contents.size(); ++k) {
        const std::size_t lead = nameOf[k];
        if (lead == kNoLead) continue;
        bool deep = true;
        for (std::size_t r = k; r < contents.size() && nameOf[r] == lead && deep; ++r)
            deep = indents[r] - indents[lead] > levelStep;
        for (; k < contents.size() && nameOf[k] == lead; ++k) lineUnder[k] = deep;
        namesUnder += deep ? 1 : 0;
        --k;
    }
    // With every label at one margin, the lines set deeper may be leads wrapped
    // under a hanging indent: names only where each reads as one ("Falsocis
    // opacus Pic, 1916").
    bool namesOnly = true;
    for (std::size_t k = 0; k < contents.size() && levelStep == 0; ++k)
        namesOnly = namesOnly && (!lineUnder[k] || isNameOnItsLine(contents[k]) || nameWithAuthors(trimmed(contents[k])));
    const bool namesSetUnder = namesOnly && namesUnder >= 3 && namesBeside * 4 <= namesUnder;

    // Marks glued to the end of a line after a name: "... _Esocidae_.†".
    std::set<std::string> marksAfterNames;
    for (std::string_view c : contents)
        for (std::string_view mark : {"*", "\u2020", "\u2021"})
            if (c.size() > mark.size() + 1 && c.ends_with(mark) && c[c.size() - mark.size() - 1] != ' ' &&
                c.find(' ') != std::string_view::npos)
                marksAfterNames.emplace(mark);

    std::size_t widest = 0;
    for (std::string_view c : contents) widest = std::max(widest, text::length(c));

    LeadTree tree;
    std::vector<Lead>& leads = tree.leads;
    leads.reserve(contents.size());
    Builder builder(leads, flat);
    // The capitals that label a lead somewhere: before a text in capitals.
    std::set<char> labellingCapitals;
    for (std::string_view c : contents)
        if (c.size() >= 4 && isUpperAscii(c[0]) && c[1] == '.' && c[2] == ' ' && !isLowerAscii(c[3])) labellingCapitals.insert(c[0]);
    std::array<int, kSeriesCount> lastValue{};  // the last number each series gave
    const std::array<bool, 52> openingLetters = lettersOpeningLines(contents, styles);
    // Levels below the margin: two lines set one under the other deeper
    // than the text's margin, the first ending on a name (a wrap hung under
    // its lead is no level).
    bool namedLeadsSetDeeper = false;
    {
        int margin = std::numeric_limits<int>::max();
        for (std::size_t k = 0; k < contents.size(); ++k)
            if (!contents[k].empty()) margin = std::min(margin, indents[k]);
        // Or a line set back from a deeper one to a level still below the
        // margin: a lead's sub-leads go on after a name set under a lead.
        for (std::size_t k = 1; k < contents.size() && !namedLeadsSetDeeper; ++k)
            namedLeadsSetDeeper = !contents[k].empty() && !contents[k - 1].empty() && indents[k] > margin &&
                                  (indents[k - 1] > indents[k] ||
                                   (indents[k - 1] == indents[k] &&
                                    findEnding(contents[k - 1]).descriptionEnd != std::string_view::npos));
    }
    for (std::size_t k = 0; k < contents.size(); ++k) {
        const std::string_view s = contents[k];
        if (s.empty()) continue;
        if (sectionBreak(contents, k)) {
            ++tree.dropped;
            continue;
        }
        // The name under its lead, or the rest of it wrapped.
        if (namesSetUnder && lineUnder[k] && !leads.empty() && leads.back().line >= 0 &&
            leads.back().line <= static_cast<int>(nameOf[k]) && leads.back().children.empty()) {
            const bool rest = k > 0 && nameOf[k - 1] == nameOf[k];
            if (rest != leads.back().ending.empty()) {
                joinWrapped(leads.back().ending, trimmed(s));
                ++leads.back().lines;
                continue;
            }
        }
        bool wrapped = paragraphs && k > 0 && !contents[k - 1].empty();
        Label label = mendedLabel(contents, indents, styles, byIndentation, k, readLabel(s, styles));
        if (labelWithoutItsSeries(label, openingLetters)) label = {};
        // An abbreviated binomial set under its lead ("A. muscaria"), or any
        // abbreviated name where the key sets its names under their leads,
        // with no labelled line beside it at its level is a name, not a
        // label "A.".
        // Nor is a letter with a number ("T1 3 × longer", "P1 exp-1"), a
        // segment's or a leg's name, with none beside it.
        const bool letterNumber = s.size() >= 3 && (isUpperAscii(s[0]) || isLowerAscii(s[0])) && isDigitAscii(s[1]) &&
                                  (isBlank(s[2]) || (isDigitAscii(s[2]) && s.size() >= 4 && isBlank(s[3])));
        if (!label.candidates.empty() && byIndentation &&
            ((s.size() >= 6 && isUpperAscii(s[0]) && s[1] == '.' && s[2] == ' ' &&
              (isNameUnderLead(s) || (namesSetUnder && lineUnder[k]))) ||
             letterNumber) &&
            !labelledBeside(contents, indents, styles, k))
            label = {};
        // A capital that labels no lead of the text before a capital, before
        // an epithet alone is an abbreviated genus, flat copies too: "P.
        // semispinosus" under "C. Aristiforms wide".
        if (!label.candidates.empty() && s.size() >= 6 && isUpperAscii(s[0]) && s[1] == '.' && s[2] == ' ' &&
            isLowerAscii(s[3]) && !labellingCapitals.count(s[0]) && isNameUnderLead(s))
            label = {};
        // In a key of unlabelled leads, a number or letter that opens a line
        // set deeper under a lead still open, with no label beside it at its
        // margin, is the lead's text wrapped ("vertebrae 22 or" over "23.");
        // printers' signs, set flush right, stand beside theirs at other margins.
        bool numberGoesOn = false;
        if (!label.candidates.empty() && !(label.candidates.front().series >= kStar && label.candidates.front().series < kPath) &&
            byIndentation && !flat && k > 0 && !contents[k - 1].empty() && !leads.empty() &&
            !leads.back().labelled && leads.back().ending.empty() && leads.back().children.empty() &&
            leads.back().line >= 0 && indents[k] > indents[static_cast<std::size_t>(leads.back().line)] &&
            !endsSentence(leads.back().text) && !labelledBeside(contents, indents, styles, k)) {
            label = {};
            numberGoesOn = true;
        }
        // A short line set far to the right, straight under a lead that has
        // no name yet, is its name with the book's number before it ("1.
        // _Galaxiidae_.", "IV. KURTIFORMES."), never a label.
        if (byIndentation && k > 0 && !contents[k - 1].empty() && !leads.empty() && leads.back().ending.empty() &&
            leads.back().children.empty() && leads.back().line >= 0 &&
            indents[k] >= indents[static_cast<std::size_t>(leads.back().line)] + 24 &&
            std::count(s.begin(), s.end(), ' ') <= 3) {
            leads.back().ending = trimmed(s);
            ++leads.back().lines;
            continue;
        }
        // A figure's call the line width cut inside its brackets ("... upper
        // bill (Fig." over "323) Bill-Strainers"): the line set deeper that
        // closes them goes on with the lead, whatever it opens with.
        if (byIndentation && k > 0 && !contents[k - 1].empty() && !leads.empty() && leads.back().ending.empty() &&
            leads.back().children.empty() && leads.back().line >= 0 &&
            indents[k] > indents[static_cast<std::size_t>(leads.back().line)] && s.find(')') != std::string_view::npos) {
            const std::string_view above = contents[k - 1];
            const std::size_t open = above.rfind('(');
            if (open != std::string_view::npos && above.size() - open <= 40 && above.find(')', open) == std::string_view::npos) {
                // Its name at the right stays the name.
                const Ending e = findEnding(s);
                const bool named = e.descriptionEnd != std::string_view::npos && s.find(')') < e.descriptionEnd;
                joinWrapped(leads.back().text, trimmed(named ? s.substr(0, e.descriptionEnd) : s));
                if (named) leads.back().ending = trimmed(s.substr(e.start));
                ++leads.back().lines;
                continue;
            }
        }
        // A lead's name with the book's number that the line width sent to a
        // line of its own, set deeper under the lead ("... other side" over
        // "   9. Boott's Shield Fern, p. 47") or back at the margin of a lead
        // labelled otherwise ("β. ... American." over "2. BACUNCULIDES"),
        // where that number opens no series at its margin: it is the name its
        // lead ends on, as one set far right.
        if (const std::size_t leadLine = leads.empty() ? 0 : static_cast<std::size_t>(std::max(leads.back().line, 0));
            byIndentation && k > 0 && !contents[k - 1].empty() && !leads.empty() && leads.back().ending.empty() &&
            leads.back().children.empty() && leads.back().line >= 0 && !label.candidates.empty() &&
            label.candidates.front().series == kDigit && indents[k] >= indents[leadLine] &&
            [&] {
                if (indents[k] > indents[leadLine]) return !opensSeriesAtItsMargin(contents, indents, styles, k, nullptr);
                const Label own = readLabel(contents[leadLine], styles);
                return !own.candidates.empty() && !numbered(own) && !opensSeriesAtItsMargin(contents, indents, styles, k, &own);
            }() &&
            endsWithNumberedName(leads.back().text + ' ' + trimmed(s))) {
            leads.back().ending = trimmed(s);
            ++leads.back().lines;
            continue;
        }
        // The page of a lead's name cut over the line end ("THUJA, / p. 31."):
        // the end of that lead, never a label "p.".
        if (const std::string page = trimmed(s); !leads.empty() && leads.back().children.empty() && isPageReference(page)) {
            joinWrapped(leads.back().ending.empty() ? leads.back().text : leads.back().ending, page);
            ++leads.back().lines;
            continue;
        }
        // Read by labels with the lines' indentation kept for one thing: a
        // line set deeper than the one above it, with no blank line between,
        // carries on its lead (a hanging indentation), even when it starts
        // with a number ("15." after "teeth 12 to").
        // With the indentation lost, an unlabelled line right under a line
        // about as wide as the key's widest (filled up to the cut) carries
        // its lead on the same; a lead without label follows a line that
        // ended short.
        if (hanging && k > 0 && !contents[k - 1].empty() && !leads.empty() && leads.back().ending.empty() &&
            (indents[k] > indents[static_cast<std::size_t>(leads.back().line)] ||
             (byIndentation && flat && label.candidates.empty() && !label.primed &&
              text::length(contents[k - 1]) * 4 >= widest * 3)) &&
            ((label.candidates.empty() && !label.primed) || (!byIndentation && !endsSentence(leads.back().text)))) {
            // In the middle of a sentence it is the lead's text, even in capitals
            // (by indentation the line has no label: its ending is read below).
            if (!byIndentation && !endsSentence(leads.back().text)) {
                joinWrapped(leads.back().text, trimmed(s));
                ++leads.back().lines;
                continue;
            }
            label = {};
            wrapped = true;
        }
        // The book's number of a name whose rank ended the line above carries
        // its lead on ("... smooth. Tribe" over "7. BLABERIDES.").
        if (k > 0 && !contents[k - 1].empty() && !leads.empty() && leads.back().ending.empty() &&
            (label.primed || !label.candidates.empty()) && isDigitAscii(s[0]) && endsOnRank(leads.back().text)) {
            label = {};
            wrapped = true;
        }
        // A line right under a lead that stopped in mid-sentence carries it
        // on when it starts with a measure ("aromatic; cones" over "2-4
        // inches long") in a key without path numbers, or with any number
        // in a key whose leads are set apart by blank lines.
        if (k > 0 && !contents[k - 1].empty() && !leads.empty() && leads.back().ending.empty() &&
            !leads.back().text.empty() && (isLowerAscii(leads.back().text.back()) || leads.back().text.back() == ',') &&
            !label.candidates.empty() &&
            std::all_of(label.candidates.begin(), label.candidates.end(), [&](const Candidate& c) {
                return (wrapped && c.series == kDigit) || (!styles.paths && c.path.size() >= 2);
            })) {
            label = {};
            wrapped = true;
        }
        // The legend of a mark the key glues to its names ("_Esocidae_.†"
        // ... "† Fossil only."): a footnote, no lead.
        if (!label.candidates.empty() && label.candidates.front().series >= kStar &&
            label.candidates.front().series < kPath && marksAfterNames.count(std::string(s.substr(0, s.find(' '))))) {
            ++tree.dropped;
            continue;
        }
        // A unit cut from its measure ("not exceeding 6" over "cm.") is no speck.
        const bool unitOfMeasure = !leads.empty() && leads.back().ending.empty() && !contents[k - 1].empty() &&
                                   !leads.back().text.empty() && isDigitAscii(leads.back().text.back());
        // Nor are the last words of a sentence the line width cut ("... nostrils
        // as" over "in B.").
        const bool sentenceEnd = !leads.empty() && leads.back().ending.empty() && leads.back().children.empty() &&
                                 !contents[k - 1].empty() && !endsSentence(leads.back().text) && s.ends_with('.') &&
                                 s.size() >= 3 && isLowerAscii(s[0]) && isLowerAscii(s[1]);
        if (label.candidates.empty() && !label.primed && isDebris(s) && !unitOfMeasure && !sentenceEnd) {
            ++tree.dropped;
            continue;
        }
        // A page's number or running head set apart by a blank line, where a
        // page of the book ended.
        // A key without references has no use for a number alone either,
        // unless it carries on a page ("p." at the end of the lead above).
        const std::string alone = trimmed(s);
        const bool pageNumber = !alone.empty() && alone.size() <= 4 &&
                                std::all_of(alone.begin(), alone.end(), isDigitAscii) &&
                                (leads.empty() || !(text::endsWith(leads.back().text, "p.") ||
                                                    text::endsWith(leads.back().ending, "p.")));
        if ((((k == 0 || contents[k - 1].empty()) || (k + 1 == contents.size() || contents[k + 1].empty())) &&
             pageFurniture(alone)) ||
            pageHead(s) || pageNumber) {
            ++tree.dropped;
            continue;
        }
        // A remark in brackets after a name may run over a few lines, set
        // under the name at the right even when it opens like a label
        // ("Thamnolia Ach. (Cerania" over "S. F. Gray).").
        constexpr std::size_t kRemark = 600;
        const bool underTheName = byIndentation && !leads.empty() && leads.back().line >= 0 &&
                                  indents[k] >= indents[static_cast<std::size_t>(leads.back().line)] + 16 &&
                                  s.find(')') != std::string_view::npos;
        if (((label.candidates.empty() && !label.primed) || underTheName) && !leads.empty() &&
            leads.back().ending.size() < kRemark &&
            std::count(leads.back().ending.begin(), leads.back().ending.end(), '(') >
                std::count(leads.back().ending.begin(), leads.back().ending.end(), ')')) {
            joinWrapped(leads.back().ending, trimmed(s));
            ++leads.back().lines;
            continue;
        }
        const std::string_view rest = s.substr(label.length);
        const Ending ending = findEnding(rest);
        std::string description =
            trimmed(ending.descriptionEnd == std::string_view::npos ? rest : rest.substr(0, ending.descriptionEnd));
        std::string printedEnding =
            ending.descriptionEnd == std::string_view::npos ? std::string{} : trimmed(rest.substr(ending.start));
        // A table's page column before its name column ("... underside
        // page 5   Scab"): the page is the name's note.
        if (!printedEnding.empty()) {
            const std::string_view body = rest.substr(0, ending.descriptionEnd);
            const std::size_t end = body.find_last_not_of(" \t") + 1;
            std::size_t digits = end;
            while (digits > 0 && isDigitAscii(body[digits - 1])) --digits;
            for (std::string_view page : text::kPageWords)
                if (const std::size_t word = page.size() + 1;
                    digits < end && digits >= word + 2 && body.substr(digits - word, page.size()) == page &&
                    body[digits - 1] == ' ' && body.substr(digits - word - 2, 2) == "  ") {
                    description = trimmed(body.substr(0, digits - word));
                    printedEnding += " (p. " + std::string(body.substr(digits, end - digits)) + ")";
                    break;
                }
        }
        // A page mark in its own cell ("[268]") ends no lead; one left at the
        // end of the text ("... astringent [59]") is no part of it.
        if (printedEnding.size() >= 2 && printedEnding.front() == '[' && printedEnding.back() == ']') printedEnding.clear();
        // A name with the book's number and a figure's call after it is one
        // whole: "B. lúteus No. 103 (fig. 26 en 56)."
        if (const NumberAfterName read = printedEnding.empty() ? NumberAfterName{} : numberAfterName(trimmed(rest));
            !read.number.empty() && isNameUnderLead(read.name)) {
            description = trimmed(rest);
            printedEnding.clear();
        }
        dropPageMark(description);
        dropPageMark(printedEnding);
        dropInnerPageMarks(description);
        // A scan's speck alone after a lead's text or name ("... fourth. \u00BB").
        for (std::string* part : {&description, &printedEnding})
            while (endsWithDebris(*part)) {
                part->erase(part->rfind(' ', part->find_last_not_of(' ')));
                part->erase(part->find_last_not_of(' ') + 1);
                ++tree.specks;
            }

        // A page number wrapped away from its "p.".
        if (!leads.empty() && leads.back().ending.empty() && text::endsWith(leads.back().text, " p.") &&
            std::all_of(s.begin(), s.end(), [](char c) { return isDigitAscii(c) || c == '.'; })) {
            joinWrapped(leads.back().text, s);
            ++leads.back().lines;
            continue;
        }
        if (!leads.empty() && leads.back().ending.empty() && leads.back().children.empty() &&
            isNumberedBinomialLine(s)) {
            leads.back().ending = std::string(s);
            ++leads.back().lines;
            continue;
        }
        // A page that sets its names at the right margin of a lead's first
        // line wraps the lead under them: "tip not     DIVERS" over "reaching
        // to base of tail". A line in the middle of a sentence, set deeper
        // under a labelled lead read from one line and opening nothing below,
        // goes on with its text; the name stays. A table without rules sets
        // an unlabelled row's text wrapped in its column, at the row's own
        // indentation, the name in its column on the first line, wrapped in
        // that column when it is long ("Stink Bugs and Plant" over "Bugs"):
        // where a page column opens each row, a line without a page.
        const auto nameColumn = [&](std::size_t line) {
            const std::string_view c = contents[line];
            const Ending e = findEnding(c);
            return e.descriptionEnd == std::string_view::npos ? std::size_t{0}
                                                              : indents[line] + text::length(c.substr(0, e.start));
        };
        const bool nameWrapped = !printedEnding.empty() && printedEnding.find(" (p. ") == std::string::npos &&
                                 !leads.empty() && !leads.back().labelled &&
                                 leads.back().ending.find(" (p. ") != std::string::npos &&
                                 leads.back().line >= 0 && label.length == 0 &&
                                 nameColumn(k) == nameColumn(static_cast<std::size_t>(leads.back().line));
        if (byIndentation && label.candidates.empty() && !label.primed && !leads.empty() &&
            (leads.back().lines == 1 || leads.back().wrappedUnderName) && !leads.back().ending.empty() &&
            leads.back().children.empty() &&
            leads.back().line >= 0 && !contents[k - 1].empty() &&
            (leads.back().labelled ? indents[k] > indents[static_cast<std::size_t>(leads.back().line)]
                                   : indents[k] == indents[static_cast<std::size_t>(leads.back().line)]) &&
            (printedEnding.empty() || nameWrapped) && !endsSentence(leads.back().text)) {
            const std::size_t letter = description.find_first_not_of("([_\"'");
            std::size_t next = k + 1;
            while (next < contents.size() && contents[next].empty()) ++next;
            // What follows is the next lead or the lead's text wrapped again.
            const bool opensNothing = next == contents.size() ||
                                      indents[next] <= indents[static_cast<std::size_t>(leads.back().line)] ||
                                      (indents[next] <= indents[k] && readLabel(contents[next], styles).candidates.empty());
            if (letter != std::string::npos && isLowerAscii(description[letter]) && opensNothing) {
                joinWrapped(leads.back().text, description);
                if (nameWrapped) {
                    // Before the page noted from the page column.
                    std::string& name = leads.back().ending;
                    const std::size_t note = name.ends_with(")") ? name.rfind(" (p. ") : std::string::npos;
                    std::string tail = note == std::string::npos ? std::string() : name.substr(note);
                    if (note != std::string::npos) name.erase(note);
                    joinWrapped(name, printedEnding);
                    name += tail;
                }
                ++leads.back().lines;
                leads.back().wrappedUnderName = true;
                continue;
            }
        }
        // A line without label that carries on the lead above: it starts in
        // the middle of a sentence, or it holds only the lead's ending.
        if (label.candidates.empty() && !label.primed && !leads.empty() && leads.back().ending.empty()) {
            Lead& previous = leads.back();
            // The first letter in lower case, after a bracket or a mark too
            // ("(adult) stages"); a bracket left open on the line above.
            const std::size_t letter = description.find_first_not_of("([_\"'");
            const bool midSentence =
                (letter != std::string::npos && isLowerAscii(description[letter])) || endsOnLinkWord(previous.text) ||
                (previous.text.size() >= 2 && previous.text.back() == '-' &&
                 text::isLetter(static_cast<unsigned char>(previous.text[previous.text.size() - 2]))) ||
                std::count(previous.text.begin(), previous.text.end(), '(') >
                    std::count(previous.text.begin(), previous.text.end(), ')');
            // A line with deeper lines below opens sub-leads: no name, even
            // when it ends in a number ("Leaves opposite 12-15", "(Fig. 4)").
            std::size_t next = k + 1;
            while (next < contents.size() && contents[next].empty()) ++next;
            const bool opens = byIndentation && next < contents.size() && indents[next] > indents[k];
            // Set far to the right under its lead, a few words in capitals:
            // the name, as a page that sets names at its right margin wraps it.
            const bool atTheRight = byIndentation && previous.line >= 0 &&
                                    indents[k] >= indents[static_cast<std::size_t>(previous.line)] + 16 &&
                                    std::count(description.begin(), description.end(), ' ') <= 5 &&
                                    !description.empty() && isUpperAscii(description[0]) && !endsLikeSentence(description.substr(0, description.size() - (description.back() == '.' ? 1 : 0)));
            // Set two blank lines below, a line in capitals heads the next
            // part of the text ("GROUP I--HYMENOMYCETES."): no name.
            const bool setApart = k >= 2 && contents[k - 1].empty() && contents[k - 2].empty();
            // A name in capitals begun after a dash goes on on this line:
            // "bands\u2014WESTERN" over "DIAMOND-BACK RATTLER (page 10).".
            if (endsWithDashName(previous.text) && !contents[k - 1].empty() && !description.empty() &&
                isUpperAscii(description[0])) {
                joinWrapped(previous.text, description);
                previous.ending = std::move(printedEnding);
                ++previous.lines;
                continue;
            }
            if ((printedEnding.empty() || isPageReference(printedEnding)) && !opens && !setApart &&
                (isNameLine(description) || isMarkedNameLine(description) || atTheRight ||
                 (endsLikeSentence(previous.text) && isNameOnItsLine(description)) ||
                 // Set deeper under a lead without its stop: "Shoots smooth" over
                 // "      F. americana (no. 1)".
                 (byIndentation && previous.line >= 0 && indents[k] > indents[static_cast<std::size_t>(previous.line)] &&
                  !previous.text.empty() && previous.text.back() != ',' && !endsOnLinkWord(previous.text) &&
                  isNameUnderLead(description)))) {
                previous.ending = withPage(std::move(description), printedEnding);
                ++previous.lines;
                continue;
            }
            // Right under a line that stops on an abbreviation ("barren fl." over
            // "gemmiform, axillary"), a line in lower case goes on too.
            const bool afterAbbreviation = letter != std::string::npos && isLowerAscii(description[letter]) &&
                                           !contents[k - 1].empty() && endsOnAbbreviation(previous.text);
            // In a key that shows its levels by indentation, a line set at the
            // margin of the labelled lead right above it goes on with it: the
            // lead wrapped back to its label, as a numbered paragraph is set;
            // its ending too where the line above stopped in mid-sentence.
            const bool atItsMargin = byIndentation && !flat && (previous.labelled || previous.series == kPrimed) &&
                                     previous.line >= 0 &&
                                     !contents[k - 1].empty() &&
                                     indents[k] == indents[static_cast<std::size_t>(previous.line)] &&
                                     (printedEnding.empty() || !endsSentence(previous.text));
            // A lead that runs on to lines set deeper than the lines that
            // follow them, themselves under the lead: those are its sub-leads,
            // the deeper lines its text ("... scale, or wanting." over
            // "    Ovule pendulous." over "  Ovary and fruit ..."). Lines set
            // deeper, the last alone ending in a name, the next line back at
            // the lead's level: the lead's text, whatever they open with.
            bool runsOnDeeper = false;
            if (byIndentation && !flat && previous.line >= 0 && !contents[k - 1].empty() &&
                indents[k] > indents[static_cast<std::size_t>(previous.line)]) {
                const int lead = indents[static_cast<std::size_t>(previous.line)];
                std::size_t after = k + 1;
                bool named = false, namedBefore = false;
                for (; after < contents.size() && !contents[after - 1].empty() && after < k + 12; ++after) {
                    named = findEnding(contents[after - 1]).descriptionEnd != std::string_view::npos;
                    if (contents[after].empty() || indents[after] != indents[k]) break;
                    namedBefore = namedBefore || named;
                }
                // The name alone at the right of the line under them ends them too.
                if (after < contents.size() && !contents[after].empty() && indents[after] >= indents[k] + 16 &&
                    std::count(contents[after].begin(), contents[after].end(), ' ') <= 5 && !named) {
                    named = true;
                    ++after;
                }
                // A blank line or a page's number or head between blank
                // lines (a page's end) tells nothing: the line after it does.
                std::size_t back = after;
                while (back < contents.size() &&
                       (contents[back].empty() ||
                        (contents[back - 1].empty() && pageFurniture(trimmed(contents[back])))))
                    ++back;
                const bool backAtLead = back == contents.size() || indents[back] <= lead;
                runsOnDeeper = after < contents.size() && !contents[after].empty() && indents[after] > lead &&
                               indents[after] < indents[k];
                runsOnDeeper = runsOnDeeper || (named && !namedBefore && backAtLead && after < k + 12);
            }
            // Unlabelled, at the margin of the unlabelled lead right above it
            // that has neither ending nor sub-leads: that lead would end
            // nowhere, so the line carries it on (wrapped with no hanging
            // indentation), unless the lead ends on a name of its own or the
            // text shows no level below its margin (a key that lost its
            // indentation sets its leads so, their wraps hung).
            const bool endsNowhere = byIndentation && !flat && !previous.labelled && previous.series != kPrimed &&
                                     previous.children.empty() && previous.line >= 0 && !contents[k - 1].empty() &&
                                     indents[k] == indents[static_cast<std::size_t>(previous.line)] &&
                                     namedLeadsSetDeeper && !textEndsOnAName(previous.text);
            if (description.empty() || wrapped || (midSentence && !endsSentence(previous.text)) || afterAbbreviation ||
                atItsMargin || runsOnDeeper || numberGoesOn || endsNowhere) {
                joinWrapped(previous.text, description);
                previous.ending = std::move(printedEnding);
                ++previous.lines;
                continue;
            }
        }
        leads.push_back({std::move(description), std::move(printedEnding), -1, false, {}, {}, static_cast<int>(k)});
        leads.back().firstLineEnd = leads.back().text.size();
        const std::vector<Candidate> read = label.candidates;  // before the placement keeps the one it chose
        builder.place(static_cast<int>(leads.size()) - 1, byIndentation ? indents[k] : 0, label);
        if (label.primed) leads.back().series = kPrimed;
        // Without indentation, unlabelled text after a labelled lead's name
        // is no sub-lead of it: a remark, or the text after the key.
        if (Lead& placed = leads.back(); flat && !placed.labelled && !label.primed && placed.parent >= 0 &&
                                         leads[placed.parent].labelled &&
                                         (!leads[placed.parent].ending.empty() || endsWithDashName(leads[placed.parent].text))) {
            leads[placed.parent].children.pop_back();
            tree.dropped += placed.lines;
            placed.parent = -2;
            placed.afterKey = true;
            continue;
        }
        // A label that fits no series stays in the text, unless the key
        // numbers its leads straight through ("(3.)--" after "(2.)--" under
        // another lead): placed by the indentation or the key's order, it is a label.
        const Candidate* through = nullptr;
        for (const Candidate& c : read)
            if (c.series >= 0 && c.series < kSeriesCount && c.value > 1 && lastValue[c.series] == c.value - 1)
                through = &c;
        if (leads.back().labelled || through)
            for (const Candidate& c : read)
                if (c.series >= 0 && c.series < kSeriesCount && (through ? &c == through : c.series == leads.back().series))
                    lastValue[c.series] = c.value;
        if (!leads.back().labelled && !label.primed && label.length > 0 && !through) {
            leads.back().text = trimmed(s.substr(0, s.size() - rest.size())) + " " + leads.back().text;
            ++tree.unplaced;
        }
    }

    // Accounts numbered from one that close the text under an indented key:
    // a series new to the text, after a blank line, set no deeper than the
    // key's first lead, nothing labelled below but its next numbers in turn
    // (a sub-key is set deeper than the lead it goes on from). A series the
    // key used deeper inside it is new again set back at a shallower margin.
    {
        auto number = [&](const Lead& l) {
            const std::string line = trimmed(contents[static_cast<std::size_t>(l.line)]);
            std::size_t digits = 0;
            while (digits < line.size() && isDigitAscii(line[digits])) ++digits;
            return digits > 0 && digits <= 3 && digits < line.size() && line[digits] == '.'
                       ? std::stoi(line.substr(0, digits))
                       : -1;
        };
        const auto first = std::find_if(leads.begin(), leads.end(), [](const Lead& l) { return l.parent != -2 && l.labelled; });
        std::size_t from = leads.size();
        bool indentedAbove = false;
        std::map<int, int> seriesAbove;  // each series met, at its shallowest margin
        for (std::size_t k = first == leads.end() ? leads.size() : static_cast<std::size_t>(first - leads.begin()); k < leads.size(); ++k) {
            const Lead& l = leads[k];
            if (l.parent == -2 || !l.labelled) continue;
            const auto at = static_cast<std::size_t>(l.line);
            const auto met = seriesAbove.find(l.series);
            if (number(l) == 1 && (met == seriesAbove.end() || indents[at] < met->second) && indentedAbove && at > 0 &&
                contents[at - 1].empty() && indents[at] <= indents[static_cast<std::size_t>(first->line)]) {
                from = k;
                break;
            }
            if (met == seriesAbove.end()) seriesAbove.emplace(l.series, indents[at]);
            else met->second = std::min(met->second, indents[at]);
            indentedAbove = indentedAbove || indents[at] != indents[static_cast<std::size_t>(first->line)];
        }
        int next = 2;
        for (std::size_t k = from + 1; k < leads.size() && next > 0; ++k) {
            const Lead& l = leads[k];
            if (l.parent == -2 || !l.labelled) continue;
            const auto at = static_cast<std::size_t>(l.line);
            next = l.series == leads[from].series && number(l) == next && contents[at - 1].empty() ? next + 1 : -1;
        }
        if (from < leads.size() && next > 0) setAsideAfterKey(tree, from);
    }

    // Paragraphs without label that open with their name in capitals, the
    // book's page alone at the right or nothing there, end in that name
    // where three of them or more carry the book's number or page; the page
    // is noted after the name.
    {
        std::vector<std::pair<std::size_t, std::size_t>> named;  // a lead, where its text starts
        int numbers = 0;
        for (std::size_t k = 0; k < leads.size(); ++k) {
            const Lead& l = leads[k];
            std::size_t start = 0;
            bool numbered = false;
            const bool paged = !l.ending.empty();
            if (l.parent == -2 || l.labelled || !l.children.empty() ||
                !(l.ending.empty() || std::all_of(l.ending.begin(), l.ending.end(), [](char c) { return isDigitAscii(c) || c == '.'; })) ||
                capitalNameFirst(l.text, start, numbered).empty() ||
                // A remark in brackets opens the text only after the name's number.
                (l.text[start] == '(' && !numbered))
                continue;
            numbers += numbered || paged ? 1 : 0;
            named.emplace_back(k, start);
        }
        for (std::size_t n = 0; numbers >= 3 && n < named.size(); ++n) {
            Lead& l = leads[named[n].first];
            std::size_t start = 0;
            bool numbered = false;
            std::string name = capitalNameFirst(l.text, start, numbered);
            std::string page = l.ending;
            while (!page.empty() && page.back() == '.') page.pop_back();
            l.ending = page.empty() ? name : name + " (p. " + page + ")";
            l.text = trimmed(std::string_view(l.text).substr(start));
        }
    }

    graftSubKeysPrintedLater(tree, contents);

    // A heading in capitals set apart by a blank line where the leads above
    // it already make a whole key (couplets, every lead going on to two or
    // more sub-leads above it or ending in a name; the heading may have been
    // taken for a sub-lead of the last one) heads the text after the key
    // ("SYNOPSIS OF THE NATURAL ORDERS"): it and all below go, labels or not.
    {
        auto names = [&](const Lead& l) {
            return !l.ending.empty() || trailingNameStart(l.text) != std::string_view::npos ||
                   markedNameStart(l.text) != std::string_view::npos || splitLeadEnding(l.text).ends() ||
                   nameAfterColon(l.text) != std::string_view::npos;
        };
        auto capitalHeading = [&](const Lead& l) {
            int letters = 0;
            for (char c : l.text) {
                if (isLowerAscii(c)) return false;
                letters += isUpperAscii(c) ? 1 : 0;
            }
            return !l.labelled && l.line > 0 && contents[static_cast<std::size_t>(l.line) - 1].empty() && letters >= 8 &&
                   l.text.find(' ') != std::string::npos && l.ending.empty();
        };
        // The key's first label given again at its first level starts a
        // second key (the same paper's key to the other sex): it goes, with
        // a heading in any case set right above it.
        auto labelOf = [&](const Lead& l) {
            const std::string line = trimmed(contents[static_cast<std::size_t>(l.line)]);
            return line.substr(0, std::min(line.find(' '), line.size()));
        };
        const auto keyFirst = std::find_if(leads.begin(), leads.end(), [](const Lead& l) { return l.parent != -2 && l.labelled; });
        auto startsOver = [&](std::size_t h) {
            const Lead& l = leads[h];
            return keyFirst != leads.end() && &l != &*keyFirst && l.labelled && l.parent == keyFirst->parent &&
                   l.line > 0 && contents[static_cast<std::size_t>(l.line) - 1].empty() && l.series == keyFirst->series &&
                   labelOf(l) == labelOf(*keyFirst);
        };
        // A few headings are tried, each over the leads above it: bounded work.
        constexpr int kHeadings = 16;
        for (std::size_t h = 1, tried = 0; h < leads.size() && tried < kHeadings; ++h) {
            if (leads[h].parent == -2 || !(capitalHeading(leads[h]) || startsOver(h))) continue;
            ++tried;
            int firsts = 0, couplets = 0;
            bool whole = true, headed = false, named = false;
            for (std::size_t k = 0; k < h && whole; ++k) {
                const Lead& l = leads[k];
                if (l.parent == -2) continue;
                firsts += l.parent == -1 && (l.labelled || !l.children.empty() || !l.ending.empty()) ? 1 : 0;
                // Leads of the key set as headings in capitals: the heading is one more.
                headed = headed || (!l.children.empty() && capitalHeading(l));
                const auto before = std::count_if(l.children.begin(), l.children.end(),
                                                  [&](int c) { return static_cast<std::size_t>(c) < h && leads[c].parent != -2; });
                couplets += before >= 2 ? 1 : 0;
                // Titles and prose above the key stand first without sub-leads,
                // or as the lines under an unlabelled title before any lead names.
                const bool underTitle = l.parent >= 0 && leads[l.parent].parent == -1 && !leads[l.parent].labelled && !named;
                whole = before >= 2 || (before == 0 && (names(l) || (!l.labelled && (l.parent == -1 || underTitle))));
                named = named || (l.parent >= 0 && names(l));
            }
            if (!whole || headed || couplets == 0 || (firsts < 2 && couplets < 2)) continue;
            std::size_t cut = h;
            if (const Lead& above = leads[h - 1]; !capitalHeading(leads[h]) && above.parent == leads[h].parent && !above.labelled &&
                                                  above.children.empty() && !names(above))
                cut = h - 1;
            setAsideAfterKey(tree, cut);
            break;
        }
    }

    // A labelled key set on lines that follow each other ends at the first
    // blank line after it when no label of its series comes below: the leads
    // there are the text after the key (an account of the first species, a
    // figure's call, a footnote "1."), whatever they end with.
    {
        auto blankBefore = [&](const Lead& l) { return l.line > 0 && contents[static_cast<std::size_t>(l.line) - 1].empty(); };
        std::size_t firstLabel = 0;
        auto marked = [](const Lead& l) { return l.parent != -2 && l.series != kNone; };
        while (firstLabel < leads.size() && !marked(leads[firstLabel])) ++firstLabel;
        std::size_t gap = firstLabel + 1;
        std::set<int> series;
        if (firstLabel < leads.size()) series.insert(leads[firstLabel].series);
        while (gap < leads.size() && (leads[gap].parent == -2 || !blankBefore(leads[gap]))) {
            if (marked(leads[gap])) series.insert(leads[gap].series);
            ++gap;
        }
        const auto labelled = std::count_if(leads.begin() + static_cast<std::ptrdiff_t>(std::min(firstLabel, leads.size())),
                                            leads.begin() + static_cast<std::ptrdiff_t>(std::min(gap, leads.size())), marked);
        // A key whose leads stand apart by blank lines ends where more blank
        // lines than any inside it stand above a line without label.
        if (gap < leads.size() && marked(leads[gap])) {
            std::size_t widest = 0;
            for (std::size_t k = gap; k < leads.size(); ++k) {
                const Lead& l = leads[k];
                if (l.parent == -2 || l.line <= 0) continue;
                std::size_t blanks = 0;
                while (blanks < static_cast<std::size_t>(l.line) && contents[static_cast<std::size_t>(l.line) - 1 - blanks].empty())
                    ++blanks;
                if (!marked(l) && blanks >= 2 && blanks > widest) {
                    gap = k;
                    break;
                }
                widest = std::max(widest, blanks);
                if (marked(l)) series.insert(l.series);
                if (k + 1 == leads.size()) gap = leads.size();
            }
        }
        const auto labelledAbove = std::count_if(leads.begin() + static_cast<std::ptrdiff_t>(std::min(firstLabel, leads.size())),
                                                 leads.begin() + static_cast<std::ptrdiff_t>(std::min(gap, leads.size())), marked);
        bool after = std::max<std::ptrdiff_t>(labelled, labelledAbove) >= 4 && gap < leads.size();
        for (std::size_t k = gap; after && k < leads.size(); ++k)
            after = !marked(leads[k]) || !series.count(leads[k].series);
        for (std::size_t k = leads.size(); after && k-- > gap;) {
            Lead& lead = leads[k];
            if (lead.parent == -2) continue;
            if (lead.parent >= 0) {
                auto& siblings = leads[lead.parent].children;
                siblings.erase(std::remove(siblings.begin(), siblings.end(), static_cast<int>(k)), siblings.end());
            }
            lead.children.clear();
            lead.parent = -2;
            lead.afterKey = true;
            tree.dropped += lead.lines;
        }
    }

    // The last lines of the text, after a blank line, without label, sub-leads
    // or a name of their own ("PLATANUS L. Sp. Pl. 999. 1753.", "Trees with
    // scaly bark."): the text after the key, an account or a heading.
    {
        std::size_t from = leads.size();
        // Set two blank lines below the key, a heading in capitals goes even
        // when it names.
        auto setApart = [&](const Lead& l) {
            const std::size_t word = std::min(l.text.find(' '), l.text.size());
            return l.line > 1 && contents[static_cast<std::size_t>(l.line) - 1].empty() &&
                   contents[static_cast<std::size_t>(l.line) - 2].empty() && word >= 3 &&
                   std::all_of(l.text.begin(), l.text.begin() + static_cast<std::ptrdiff_t>(word),
                               [](char c) { return isUpperAscii(c) || c == '.' || c == ','; });
        };
        auto trailing = [&](const Lead& l) {
            return l.parent != -2 && !l.labelled && l.series != kPrimed && l.children.empty() && l.ending.empty() &&
                   (setApart(l) || (trailingNameStart(l.text) == std::string::npos &&
                                    markedNameStart(l.text) == std::string::npos && !splitLeadEnding(l.text).ends()));
        };
        while (from > 0 && trailing(leads[from - 1])) --from;
        while (from < leads.size() &&
               !(leads[from].line > 0 && contents[static_cast<std::size_t>(leads[from].line) - 1].empty()))
            ++from;
        if (from >= 2 && from < leads.size())
            for (std::size_t k = leads.size(); k-- > from;) {
                Lead& lead = leads[k];
                if (lead.parent >= 0) {
                    auto& siblings = leads[lead.parent].children;
                    siblings.erase(std::remove(siblings.begin(), siblings.end(), static_cast<int>(k)), siblings.end());
                }
                lead.parent = -2;
                lead.afterKey = true;
                tree.dropped += lead.lines;
            }
    }

    // A lead followed by a single deeper lead without label: that lead is the
    // rest of its text (a hanging indentation), not a couplet of one.
    for (std::size_t k = leads.size(); k-- > 0;) {
        Lead& lead = leads[k];
        while (lead.children.size() == 1) {
            const int only = lead.children[0];
            // A labelled lead alone under its lead, ending in a name (a group
            // of one genus, "(B.) ... FAMILY." over only "(12.) ... _Genus._"):
            // the two are one lead, the group's name staying in its text.
            // Not a line set just under the lead's text, where a layout in
            // columns hangs its lines and its leads ("4. P. round" over "P. flat").
            const auto hung = [&](const Lead& child) {
                if (lead.line < 0 || child.line < 0) return true;
                const auto at = static_cast<std::size_t>(lead.line);
                return indents[static_cast<std::size_t>(child.line)] ==
                       indents[at] + static_cast<int>(readLabel(contents[at], styles).length);
            };
            const bool endedLeaf = lead.labelled && leads[only].labelled && leads[only].series != lead.series &&
                                   leads[only].children.empty() && !leads[only].ending.empty() &&
                                   !isPageReference(leads[only].ending) && !hung(leads[only]);
            // A number ending the lead is its reference: no group's name.
            const bool numberEnding = !lead.ending.empty() && std::all_of(lead.ending.begin(), lead.ending.end(), [](char c) {
                return isDigitAscii(c) || c == '.';
            });
            if (!lead.ending.empty() && (!endedLeaf || numberEnding)) break;
            // A path number alone under its lead ("2." then only "2.1.") is
            // a step of that lead, not a couplet of one.
            // So is a labelled lead alone under a division of the book's
            // ("Sub-div. III." over only "a." and that one's leads).
            if (leads[only].labelled && leads[only].path.size() < 2 && lead.series < kPrefixed && !endedLeaf) break;
            Lead& child = leads[only];
            if (!lead.ending.empty()) {
                joinWrapped(lead.text, lead.ending);
                lead.ending.clear();
            }
            // The last paragraph of the text, in a sentence of its own under a
            // labelled lead, is the text after the key.
            if (lead.labelled && !child.labelled && child.children.empty() && child.ending.empty() &&
                only + 1 == static_cast<int>(leads.size()) &&
                child.line > 0 && contents[static_cast<std::size_t>(child.line) - 1].empty() && !child.text.empty() &&
                isUpperAscii(child.text[0]) && !isNameOnItsLine(child.text)) {
                lead.children.clear();
                child.parent = -2;
                child.afterKey = true;
                tree.dropped += child.lines;
                break;
            }
            // A name set under its lead is its ending; a binomial with its
            // author even after a lead without a stop.
            if (child.children.empty() && (child.ending.empty() || isPageReference(child.ending)) &&
                (endsLikeSentence(lead.text) ? isNameOnItsLine(child.text) : isBinomialWithAuthor(child.text))) {
                lead.ending = withPage(std::move(child.text), child.ending);
                lead.lines += child.lines;
                lead.children.clear();
                child.parent = -2;
                break;
            }
            joinWrapped(lead.text, child.text);
            lead.lines += child.lines;
            lead.ending = std::move(child.ending);
            lead.children = std::move(child.children);
            for (int c : lead.children) leads[c].parent = static_cast<int>(k);
            child.parent = -2;  // merged
        }
    }

    // Text after the key's last ending, read as leads of its last couplet
    // (paragraphs of prose without label, neither name nor sub-leads), goes.
    for (std::size_t k = leads.size(); k-- > 0;) {
        Lead& lead = leads[k];
        if (lead.parent == -2) continue;
        if (lead.parent < 0 || lead.labelled || lead.series == kPrimed || !lead.children.empty() || !lead.ending.empty() ||
            trailingNameStart(lead.text) != std::string_view::npos || splitLeadEnding(lead.text).ends())
            break;
        auto& siblings = leads[lead.parent].children;
        if (siblings.empty() || siblings.back() != static_cast<int>(k)) break;
        siblings.pop_back();
        lead.parent = -2;
        lead.afterKey = true;
        tree.dropped += lead.lines;
    }

    // The top couplet: titles and introductory lines before the key go,
    // counted in lines. Prose: unlabelled text with neither sub-leads nor
    // ending.
    std::vector<int>& top = tree.top;
    for (std::size_t k = 0; k < leads.size(); ++k)
        if (leads[k].parent == -1) top.push_back(static_cast<int>(k));
    // A heading: a few words in capitals ("KEY TO THE WOOD FERNS", a genus's
    // name under it).
    // The credit of the key's author after it ("--_Lloyd._") is set apart
    // as well.
    auto heading = [&](int t) {
        const std::string& text = leads[t].text;
        const bool credit = (text.starts_with("--") || text.starts_with("\u2014")) && std::count(text.begin(), text.end(), ' ') <= 3;
        return !leads[t].labelled && leads[t].children.empty() && !text.empty() &&
               (credit || rankHeading(text + " " + leads[t].ending) || (std::count(text.begin(), text.end(), ' ') <= 6 &&
                           std::none_of(text.begin(), text.end(), isLowerAscii) &&
                           std::any_of(text.begin(), text.end(), isUpperAscii)));
    };
    auto prose = [&](int t) {
        return heading(t) || (!leads[t].labelled && leads[t].children.empty() && leads[t].ending.empty() &&
                              !endsWithNumberedName(leads[t].text) && dashNameStart(leads[t].text) == std::string::npos &&
                              !endsInNameAfterColon(leads[t].text));
    };
    // Counted with the lines under it: a list set deeper under an
    // introduction ("Copy this list ...") is set aside with it.
    auto setAside = [&](std::size_t from, std::size_t to) {
        std::vector<int> open(top.begin() + static_cast<std::ptrdiff_t>(from), top.begin() + static_cast<std::ptrdiff_t>(to));
        while (!open.empty()) {
            const Lead& lead = leads[static_cast<std::size_t>(open.back())];
            open.pop_back();
            tree.setAside += lead.lines;
            open.insert(open.end(), lead.children.begin(), lead.children.end());
        }
    };
    std::size_t first = 0;
    // A labelled key starts at its first label: the unlabelled text above
    // it (a title, an introduction, what OCR made of a picture) goes. A
    // label or two in the text after an unlabelled key ("(1) RUSTY
    // WOODSIA.", the accounts of its species) make no labelled key.
    const auto labels = std::count_if(leads.begin(), leads.end(), [](const Lead& l) { return l.parent != -2 && l.labelled; });
    for (std::size_t k = 0; k < leads.size() && labels >= 3; ++k) {
        if (!leads[k].labelled || leads[k].parent == -2) continue;
        int t = static_cast<int>(k);
        while (leads[t].parent >= 0) t = leads[t].parent;
        const auto at = std::find(top.begin(), top.end(), t);
        // A lead above that ends in a name after a colon is the key's own.
        if (at != top.end() && std::none_of(top.begin(), at, [&](int u) {
                return leads[u].labelled || endsInNameAfterColon(leads[u].text);
            }))
            first = static_cast<std::size_t>(at - top.begin());
        break;
    }
    // A title block set well deeper than the key's first level, before it:
    // the lines of a cover or a title page centred over a key at the margin.
    auto titleAbove = [&](std::size_t i) {
        const Lead& l = leads[static_cast<std::size_t>(top[i])];
        if (l.labelled || l.line < 0 || i + 2 >= top.size()) return false;
        int margin = indents[static_cast<std::size_t>(l.line)];
        for (std::size_t j = i + 1; j < top.size(); ++j)
            if (leads[static_cast<std::size_t>(top[j])].line >= 0)
                margin = std::min(margin, indents[static_cast<std::size_t>(leads[static_cast<std::size_t>(top[j])].line)]);
        return indents[static_cast<std::size_t>(l.line)] >= margin + 8;
    };
    while (true) {
        while (first < top.size() && (prose(top[first]) || titleAbove(first))) ++first;
        // Prose after the key: it follows the one top lead that opens the key.
        std::size_t last = top.size();
        while (last > first + 1 && prose(top[last - 1])) --last;
        // A heading set apart after several top leads starts the next
        // section of the book: it and all below it go.
        for (std::size_t j = first + 2; j < last; ++j) {
            const Lead& h = leads[top[j]];
            if (heading(top[j]) && h.line > 0 && contents[static_cast<std::size_t>(h.line) - 1].empty()) {
                last = j;
                break;
            }
        }
        // After several top leads, prose that opens with a heading or a long
        // paragraph.
        const auto words = [&](int t) { return std::count(leads[t].text.begin(), leads[t].text.end(), ' ') + 1; };
        if (last < top.size() && ((last == first + 1 && !leads[top[first]].children.empty()) ||
                                  (last > first + 1 && (heading(top[last]) || words(top[last]) > 15)))) {
            setAside(last, top.size());
            top.resize(last);
        }
        // A lone lead above the key is its heading, labelled or not ("A. KEY
        // TO THE CONIFERS." over "B." and "BB."): a couplet has two leads.
        // A rank heading keeps its name after a dash ("_Tribe_--ONISCOIDA.").
        const auto untold = [&](const Lead& lone) { return lone.ending.empty() || rankHeading(lone.text + " " + lone.ending); };
        if (top.size() - first == 1 && untold(leads[top[first]]) &&
            !leads[top[first]].children.empty() &&
            (!leads[top[first]].labelled || leads[top[first]].children.size() >= 2)) {
            setAside(0, first);
            tree.setAside += leads[top[first]].lines;  // its leads are the key's
            top = leads[top[first]].children;
            first = 0;
            continue;
        }
        break;
    }
    setAside(0, first);
    tree.setAside += tree.dropped;
    top.erase(top.begin(), top.begin() + static_cast<std::ptrdiff_t>(first));
    return tree;
}

// A dichotomous key in indented order whose indentation was lost (a table
// pasted from a web page, the name in a column of its own): a lead without
// an ending is followed by its whole sub-key, then by the other lead of its
// couplet. Tried from each of the first leads (the text before the key);
// taken when the leads from there decode into couplets of two with nothing
// but text without endings after them. Leads with endings right after the
// closed tree are further leads of the last couplet (a couplet of three or
// more). One pass a start, a few starts.
bool readInOrder(LeadTree& tree, const Lines& text) {
    std::vector<Lead>& leads = tree.leads;
    std::vector<int> flat;  // the leads in text order, whatever levels were read
    for (std::size_t k = 0; k < leads.size(); ++k)
        if (leads[k].parent != -2) flat.push_back(static_cast<int>(k));
    auto leaf = [&](int l) { return !leads[l].ending.empty(); };
    // Whether a blank line stands between a lead and the next one (a pipe
    // table's rule line is none).
    auto spaced = [&](std::size_t i) {
        if (i + 1 >= flat.size()) return false;
        for (int k = leads[flat[i]].line + 1; k < leads[flat[i + 1]].line; ++k)
            if (k >= 0 && trimmed(text[static_cast<std::size_t>(k)]).empty()) return true;
        return false;
    };
    constexpr std::size_t kStarts = 16;
    struct Frame {
        int parent;
        std::vector<int> members;
    };
    for (std::size_t start = 0; start < flat.size() && start < kStarts; ++start) {
        std::vector<Frame> frames{{-1, {}}};
        std::vector<std::pair<int, std::vector<int>>> couplets;
        std::size_t at = start;
        std::size_t lastClosed = 0;  // the first couplet closed by the last lead
        bool usable = true;
        for (; at < flat.size() && !frames.empty(); ++at) {
            const int l = flat[at];
            if (leads[l].labelled) {
                usable = false;
                break;
            }
            frames.back().members.push_back(l);
            if (!leaf(l)) {
                frames.push_back({l, {}});
                continue;
            }
            lastClosed = couplets.size();
            while (!frames.empty() && frames.back().members.size() == 2) {
                couplets.emplace_back(frames.back().parent, std::move(frames.back().members));
                frames.pop_back();
            }
        }
        if (!usable || !frames.empty() || couplets.size() < 2) continue;
        for (; at < flat.size() && leaf(flat[at]) && !leads[flat[at]].labelled; ++at)
            couplets[lastClosed].second.push_back(flat[at]);
        if (std::any_of(flat.begin() + static_cast<std::ptrdiff_t>(at), flat.end(), leaf)) continue;
        // The key's leads on lines that follow each other: a paragraph set
        // apart above them is text before the key.
        bool block = true;
        for (std::size_t k = start + 1; k + 1 < at && block; ++k) block = !spaced(k);
        if (block && spaced(start)) continue;
        for (int l : flat) leads[l].children.clear();
        for (auto& [parent, members] : couplets) {
            for (int m : members) leads[m].parent = parent < 0 ? -1 : parent;
            if (parent < 0)
                tree.top = members;
            else
                leads[parent].children = members;
        }
        for (std::size_t k = 0; k < flat.size(); ++k)
            if (k < start || k >= at) leads[flat[k]].parent = -2;  // set aside
        tree.setAside = tree.dropped;
        for (std::size_t k = 0; k < flat.size(); ++k)
            if (k < start || k >= at) tree.setAside += leads[flat[k]].lines;
        return true;
    }
    return false;
}

// A key whose indentation was lost, its groups announced by a lead that ends
// in a dash or a colon ("Hymenium, normally inferior--", "Stipes not
// jointed:"): each such lead opens a group of the named leads below it, to
// the next one. The text above the first group goes; so does what follows
// the last named lead.
void readByGroupHeads(LeadTree& tree) {
    std::vector<Lead>& leads = tree.leads;
    auto isHead = [](const Lead& l) {
        const std::string& t = l.text;
        return l.ending.empty() && l.children.empty() &&
               (t.ends_with("--") || t.ends_with(":") || t.ends_with("\u2014") || t.ends_with("\u2013"));
    };
    auto named = [](const Lead& l) {
        return l.children.empty() && (!l.ending.empty() || trailingNameStart(l.text) != std::string_view::npos);
    };
    std::vector<int> flat;
    for (std::size_t k = 0; k < leads.size(); ++k)
        if (leads[k].parent != -2) flat.push_back(static_cast<int>(k));
    std::size_t first = 0;
    while (first < flat.size() && !isHead(leads[flat[first]])) ++first;
    std::vector<std::pair<int, std::vector<int>>> groups;
    std::size_t end = first;
    for (; end < flat.size(); ++end) {
        const Lead& l = leads[flat[end]];
        if (isHead(l)) groups.push_back({flat[end], {}});
        else if (named(l)) groups.back().second.push_back(flat[end]);
        else break;
    }
    if (groups.size() < 2 || std::any_of(groups.begin(), groups.end(), [](const auto& g) { return g.second.size() < 2; }))
        return;
    tree.top.clear();
    for (auto& [head, members] : groups) {
        tree.top.push_back(head);
        leads[head].parent = -1;
        leads[head].children = members;
        for (int m : members) leads[m].parent = head;
    }
    tree.setAside = tree.dropped;
    for (std::size_t k = 0; k < flat.size(); ++k)
        if (k < first || k >= end) {
            leads[flat[k]].parent = -2;
            tree.setAside += leads[flat[k]].lines;
        }
}

// A synopsis under headings that are only a label ("Subdivision I.",
// "Section 2."): the first lead under a heading gives the group's characters
// and leads on to the others, a heading over a single other lead is one lead
// ending in its name. A line wholly in emphasis marks between the leads
// ("_Not yet represented here._") and paragraphs without label at the
// headings' margin (notes) are no leads; a heading that repeats a label
// already met opens the text after the key.
void readBareHeadings(LeadTree& tree, const std::vector<std::string_view>& contents) {
    std::vector<Lead>& leads = tree.leads;
    auto bare = [&](int t) {
        const Lead& l = leads[static_cast<std::size_t>(t)];
        return l.labelled && trimmed(l.text).empty() && l.ending.empty();
    };
    auto caption = [&](int t) {
        const Lead& l = leads[static_cast<std::size_t>(t)];
        if (l.labelled || l.line < 0) return false;
        const std::string_view s = contents[static_cast<std::size_t>(l.line)];
        return s.size() > 2 && labelMark(s.front()) && s.back() == s.front();
    };
    if (std::count_if(tree.top.begin(), tree.top.end(), bare) < 2) return;
    std::vector<int> heads, gone;
    std::size_t cut = leads.size();
    for (int t : tree.top) {
        Lead& l = leads[static_cast<std::size_t>(t)];
        if (bare(t)) {
            // A label met before: the headings are repeated by the text after the key.
            if (!heads.empty()) {
                const Lead& last = leads[static_cast<std::size_t>(heads.back())];
                if (l.series == last.series && l.value <= last.value) {
                    cut = static_cast<std::size_t>(t);
                    break;
                }
            }
            heads.push_back(t);
            continue;
        }
        if (heads.empty()) return;
        if (l.labelled) {
            const Lead& last = leads[static_cast<std::size_t>(heads.back())];
            if (l.series != last.series || l.value > last.value) return;
            cut = static_cast<std::size_t>(t);
            break;
        }
        if (caption(t)) {
            Lead& head = leads[static_cast<std::size_t>(heads.back())];
            // A single lead under the caption was read as its text.
            const std::string_view said = contents[static_cast<std::size_t>(l.line)];
            if (l.children.empty() && l.lines > 1 && l.text.starts_with(said)) {
                l.text = trimmed(std::string_view(l.text).substr(said.size()));
                do ++l.line;
                while (static_cast<std::size_t>(l.line) + 1 < contents.size() && contents[static_cast<std::size_t>(l.line)].empty());
                l.lines -= 1;
                l.parent = heads.back();
                head.children.push_back(t);
                tree.setAside += 1;
                continue;
            }
            for (int c : l.children) leads[static_cast<std::size_t>(c)].parent = heads.back();
            head.children.insert(head.children.end(), l.children.begin(), l.children.end());
            l.children.clear();
        } else if (!l.children.empty()) {
            return;
        }
        gone.push_back(t);
    }
    if (std::any_of(heads.begin(), heads.end(), [&](int h) {
            const std::vector<int>& c = leads[static_cast<std::size_t>(h)].children;
            return c.size() < 2 || !leads[static_cast<std::size_t>(c.front())].children.empty();
        }))
        return;
    for (int t : gone) {
        leads[static_cast<std::size_t>(t)].parent = -2;
        leads[static_cast<std::size_t>(t)].afterKey = true;
        tree.setAside += leads[static_cast<std::size_t>(t)].lines;
    }
    if (cut < leads.size()) {
        const int before = tree.dropped;
        setAsideAfterKey(tree, cut);
        tree.setAside += tree.dropped - before;
    }
    for (int h : heads) {
        Lead& head = leads[static_cast<std::size_t>(h)];
        // A lead that ends in no name, the next one on the line right under
        // it: one lead, its sentence ended at the line's end.
        std::vector<int>& group = head.children;
        for (std::size_t c = 0; c + 1 < group.size(); ++c) {
            Lead& open = leads[static_cast<std::size_t>(group[c])];
            Lead& next = leads[static_cast<std::size_t>(group[c + 1])];
            if (!open.ending.empty() || !open.children.empty() || !next.children.empty() || open.line < 0 ||
                next.line != open.line + open.lines)
                continue;
            joinWrapped(open.text, next.text);
            open.ending = next.ending;
            open.lines += next.lines;
            next.parent = -2;
            group.erase(group.begin() + static_cast<std::ptrdiff_t>(c + 1));
        }
        Lead& first = leads[static_cast<std::size_t>(head.children.front())];
        head.text = first.text;
        joinWrapped(head.text, first.ending);
        head.line = first.line;
        head.lines += first.lines;
        first.parent = -2;
        head.children.erase(head.children.begin());
        if (head.children.size() == 1) {
            Lead& only = leads[static_cast<std::size_t>(head.children.front())];
            joinWrapped(head.text, only.text);
            head.ending = only.ending;
            head.lines += only.lines;
            only.parent = -2;
            head.children.clear();
        }
    }
    tree.top = heads;
}

// A synopsis that names first: each labelled lead that ends the key opens
// with its name as a sentence of its own and ends in no name ("2. Douglas
// fir. Resin ducts few ..."); paragraphs without label set under such a
// lead are its remarks, no sub-leads. Read so when nearly all of the leads
// that end the key open so.
void readNamesFirst(LeadTree& tree, const std::vector<int>& indents) {
    std::vector<Lead>& leads = tree.leads;
    auto remarks = [&](const Lead& l) {
        return std::all_of(l.children.begin(), l.children.end(), [&](int c) {
            return !leads[c].labelled && leads[c].children.empty() && leads[c].ending.empty();
        });
    };
    auto endsInName = [](const std::string& t) {
        return trailingNameStart(t) != std::string_view::npos || markedNameStart(t) != std::string_view::npos ||
               splitLeadEnding(t).ends();
    };
    // Leads without label set as a couplet under a labelled one name first
    // too ("A. Bill short." over "Dolichonyx. Tail stiff." and "Molothrus.
    // Tail simple.").
    auto unlabelledCouplet = [&](const Lead& l) {
        if (l.labelled || l.parent < 0 || !leads[l.parent].labelled || !l.children.empty()) return false;
        // Most of them open with a name: remarks under a lead seldom do.
        const std::vector<int>& siblings = leads[l.parent].children;
        const auto named = std::count_if(siblings.begin(), siblings.end(),
                                         [&](int c) { return openingName(leads[c].text).found(); });
        return named >= 2 && named * 3 >= static_cast<std::ptrdiff_t>(siblings.size()) * 2 &&
               std::none_of(siblings.begin(), siblings.end(),
                            [&](int c) { return leads[c].labelled || !leads[c].children.empty(); });
    };
    std::vector<int> ending;
    int namedFirst = 0, namedLast = 0;
    for (std::size_t k = 0; k < leads.size(); ++k) {
        const Lead& l = leads[k];
        if (l.parent == -2 || (!l.labelled && !unlabelledCouplet(l)) || (l.labelled && !remarks(l))) continue;
        if (l.labelled && !l.children.empty() && unlabelledCouplet(leads[l.children[0]])) continue;
        ending.push_back(static_cast<int>(k));
        if (!l.ending.empty() || endsInName(l.text)) ++namedLast;
        if (l.ending.empty() && openingName(l.text).found()) ++namedFirst;
    }
    const int n = static_cast<int>(ending.size());
    if (namedFirst < 3 || namedFirst * 5 < n * 4 || namedLast * 2 >= n) return;
    // The last lead's remarks, set deeper than its label, were taken for
    // the text after the key.
    if (const int last = ending.back(); leads[last].children.empty() && leads[last].line >= 0) {
        const int indent = indents[static_cast<std::size_t>(leads[last].line)];
        for (std::size_t k = static_cast<std::size_t>(last) + 1; k < leads.size(); ++k) {
            Lead& r = leads[k];
            if (!r.afterKey || r.parent != -2 || r.labelled || !r.children.empty() || !r.ending.empty() || r.line < 0 ||
                indents[static_cast<std::size_t>(r.line)] <= indent)
                break;
            r.parent = last;
            leads[last].children.push_back(static_cast<int>(k));
            tree.setAside -= r.lines;
        }
    }
    // A lead that opens with no name on the line right under one that does
    // is the rest of its text, its first line closing a sentence.
    for (std::size_t e = 1; e < ending.size(); ++e) {
        Lead& l = leads[ending[e]];
        Lead& above = leads[ending[e - 1]];
        if (l.labelled || above.parent != l.parent || above.line < 0 || l.line != above.line + above.lines ||
            openingName(l.text).found() || !openingName(above.text).found() ||
            !above.ending.empty())
            continue;
        joinWrapped(above.text, l.text);
        above.lines += l.lines;
        std::erase(leads[l.parent].children, ending[e]);
        l.parent = -2;
        ending.erase(ending.begin() + static_cast<std::ptrdiff_t>(e--));
    }
    std::set<int> throughSeries;
    for (const Lead& l : leads)
        if (l.numberedThrough) throughSeries.insert(l.series);
    for (int k : ending) {
        Lead& l = leads[k];
        const OpeningName name = openingName(l.text);
        if (!l.ending.empty() || !name.found()) continue;
        for (int c : l.children) {
            joinWrapped(l.text, leads[c].text);
            l.lines += leads[c].lines;
            leads[c].parent = -2;
        }
        l.children.clear();
        l.ending = l.text.substr(name.start, name.end - name.start);
        // Numbered straight through, the number is the book's, noted.
        if (l.labelled && throughSeries.count(l.series)) l.ending += " (no. " + std::to_string(l.value) + ")";
        l.text = trimmed(std::string_view(l.text).substr(name.text));
    }
}

// Leads of the key with neither sub-leads nor ending.
int openLeads(const LeadTree& tree) {
    int open = 0;
    std::vector<int> pending = tree.top;
    while (!pending.empty()) {
        const Lead& lead = tree.leads[static_cast<std::size_t>(pending.back())];
        pending.pop_back();
        // A name after a colon ends its lead ("Rounded pebbles: Limestone
        // conglomerate") in every reading.
        if (lead.children.empty() && lead.ending.empty() && nameAfterColon(lead.text) == std::string_view::npos) ++open;
        pending.insert(pending.end(), lead.children.begin(), lead.children.end());
    }
    return open;
}

// What a tree gets wrong as a key: leads with neither sub-leads nor ending,
// couplets of one lead.
int treeFaults(const LeadTree& tree) {
    int faults = openLeads(tree) + (tree.top.size() == 1 ? 1 : 0);
    for (const Lead& lead : tree.leads)
        if (lead.parent != -2 && lead.children.size() == 1) ++faults;
    return faults;
}

int labelledLeads(const LeadTree& tree) {
    return static_cast<int>(
        std::count_if(tree.leads.begin(), tree.leads.end(), [](const Lead& l) { return l.parent != -2 && l.labelled; }));
}

bool isNested(const LeadTree& tree) {
    return std::any_of(tree.top.begin(), tree.top.end(), [&](int t) { return !tree.leads[t].children.empty(); });
}

// Leads read both as ending with a name and as going on to sub-leads.
int endedAndGoingOn(const LeadTree& tree) {
    return static_cast<int>(std::count_if(tree.leads.begin(), tree.leads.end(), [](const Lead& l) {
        return l.parent != -2 && !l.children.empty() && !l.ending.empty();
    }));
}

// Of two readings of one text: the fewer leads that both end and go on (a
// reading that makes a reference into a name is none), a nested tree, the
// fewer faults, then the fewer labels left in the text.
bool betterTree(const LeadTree& a, const LeadTree& b) {
    const int ca = endedAndGoingOn(a), cb = endedAndGoingOn(b);
    if (ca != cb) return ca < cb;
    if (isNested(a) != isNested(b)) return isNested(a);
    const int fa = treeFaults(a), fb = treeFaults(b);
    if (fa != fb) return fa < fb;
    return a.unplaced < b.unplaced;
}

// The other styles a text may be read in: single letters as levels, for
// each case of letter labels the text holds and does not already double;
// numbers as couplet numbers placed by the key's order where dashes start
// some leads ("2. ..." then "– ...") or a number starts two leads.
// Whether every doubled letter ("aa.", "BB.") is set deeper than the last
// single letter of its case above it: then it opens a level below that
// letter, not the partner of a letter at its own margin.
bool doubledLettersSetDeeper(const std::vector<std::string_view>& contents, const std::vector<int>& indents) {
    const Styles plain;
    int lastSingle[2] = {-1, -1};  // capital, small
    bool any = false;
    for (std::size_t k = 0; k < contents.size(); ++k) {
        const std::string_view s = contents[k];
        const std::size_t end = s.find_first_of(". ");
        if (end == std::string_view::npos || end == 0 || s[end] != '.' || !(isUpperAscii(s[0]) || isLowerAscii(s[0])) ||
            (!sameLetterRepeated(s.substr(0, end)) && end != 1))
            continue;
        const int kase = isUpperAscii(s[0]) ? 0 : 1;
        if (end == 1) {
            if (!readLabel(s, plain).candidates.empty()) lastSingle[kase] = indents[k];
        } else if (romanValue(s.substr(0, end)) == 0) {
            if (lastSingle[kase] < 0 || indents[k] <= lastSingle[kase]) return false;
            any = true;
        }
    }
    return any;
}

std::vector<Styles> otherReadings(const std::vector<std::string_view>& contents, const Styles& styles,
                                  bool doubledNest) {
    bool capitals = false, smalls = false;
    int dashes = 0;
    std::set<int> numbers;
    bool repeated = false;  // a number starts two leads: a couplet's number
    const Styles plain;
    for (std::string_view s : contents) {
        if (s.empty()) continue;
        for (const Candidate& c : readLabel(s, plain).candidates) {
            capitals = capitals || c.series == kCapital;
            smalls = smalls || c.series == kSmall;
            if (c.series == kDigit && !numbers.insert(c.value).second) repeated = true;
        }
        for (std::string_view dash : {"- ", "\u2013 ", "\u2014 "}) dashes += s.starts_with(dash) ? 1 : 0;
    }
    capitals = capitals && !styles.capitalLevels;
    smalls = smalls && !styles.smallLevels;
    std::vector<Styles> out;
    for (int k = 1; k < 4; ++k) {
        Styles st = styles;
        if ((k & 1) && !capitals) continue;
        if ((k & 2) && !smalls) continue;
        st.capitalLevels = st.capitalLevels || (k & 1);
        st.smallLevels = st.smallLevels || (k & 2);
        out.push_back(st);
    }
    // Doubled letters read the other way: "aa., bb." the leads of a level
    // of their own, under "a., b.", as the indentation shows.
    if (doubledNest && (styles.capitalLevels || styles.smallLevels)) {
        Styles st = styles;
        st.capitalLevels = st.smallLevels = false;
        st.repeatedSeries = true;
        out.push_back(st);
    }
    if ((dashes >= 2 || repeated) && !styles.primes) {
        Styles st = styles;
        st.primes = true;
        out.push_back(st);
    }
    return out;
}

// A lead without sub-leads: its text and the name it ends with, without the
// book's number or page (a number run into the text before the name only
// when `numbersNames`).
struct LeafEnding {
    std::string description, name;
    bool bookNumber = false;
};
// The book's number run into a lead's text before its name ("14.", "Tribe
// 3."), as the note keeps it: "14", "3"; empty where there is none.
std::string runInNumber(std::string_view between) {
    std::size_t d = between.find_first_of("0123456789");
    if (d == std::string_view::npos) return {};
    std::size_t end = d;
    while (end < between.size() && (isDigitAscii(between[end]) || isLowerAscii(between[end]))) ++end;
    return std::string(between.substr(d, end - d));
}

LeafEnding leafEnding(const Lead& lead, bool numbersNames, bool anyNumberedName = false) {
    LeafEnding out{lead.text, {}, false};
    std::string runIn;  // the book's number run into the text before the name
    std::string ending(withoutFigureCall(lead.ending));
    // Only the book's page set apart at the right: the name ends the text
    // before it ("... pelage soft. Genus _Geomys_      p. 523").
    if (isPageReference(ending)) {
        std::size_t at = trailingNameStart(out.description);
        if (at == std::string::npos) at = markedNameStart(out.description);
        if (at != std::string::npos && at > 0) {
            at = nameSentenceStart(out.description, at);
            ending = withPage(trimmed(std::string_view(out.description).substr(at)), ending);
            out.description = trimmed(std::string_view(out.description).substr(0, at));
        }
    }
    // A name on the line under its rank and number ("... pads. Tribe 3." over
    // "NYCTIBORIDES."): the rank and number are the name's.
    if (!ending.empty()) {
        std::string_view d = out.description;
        while (!d.empty() && d.back() == '.') d.remove_suffix(1);
        std::size_t digits = d.size();
        while (digits > 0 && isDigitAscii(d[digits - 1])) --digits;
        if (digits < d.size() && digits > 1 && d[digits - 1] == ' ' && endsOnRank(d.substr(0, digits - 1))) {
            const std::size_t rank = d.rfind(' ', digits - 2);
            const std::size_t from = rank == std::string_view::npos ? 0 : rank + 1;
            ending = out.description.substr(from) + " " + ending;
            out.description = trimmed(std::string_view(out.description).substr(0, from));
        }
    }
    // In a key that numbers its names, the name the line width sent under
    // its number ("... geel of rood 1." over "Córdiceps militáris, p. 23"):
    // the number is the name's, as where the name is run in.
    std::string unnumbered, ownNumber;
    if (!ending.empty()) splitNumber(ending, unnumbered, ownNumber);
    // Not when the name has its own number before it ("I.  Licania").
    if (!ending.empty() && numbersNames && !isDigitAscii(ending.front()) &&
        (ownNumber.empty() || !ending.starts_with(ownNumber))) {
        const std::size_t number = bookNumberStart(out.description, out.description.size());
        if (number > 0 && number < out.description.size() && isDigitAscii(out.description[number])) {
            runIn = runInNumber(std::string_view(out.description).substr(number));
            out.description = trimmed(std::string_view(out.description).substr(0, number));
            out.bookNumber = true;
        }
    }
    // After a name run into the lead, a figure's call is its picture, no part
    // of it, and a remark in square brackets is the name's ("Tribe 1.
    // ECTOBIIDES. [Anaplectinae Saussure.] (Fig. 119, _Periplaneta_.)").
    std::string remark;
    if (ending.empty()) {
        std::string rest(withoutFigureCall(out.description));
        std::string note;
        if (rest.ends_with(']'))
            if (const std::size_t open = rest.rfind(" ["); open != std::string::npos && rest.size() - open <= 60) {
                note = rest.substr(open + 1);
                rest = trimmed(std::string_view(rest).substr(0, open));
            }
        if (rest.size() < out.description.size() && trailingNameStart(rest) != std::string::npos) {
            out.description = std::move(rest);
            remark = std::move(note);
        }
    }
    // A name after a colon that ends the lead, the book's number after it:
    // "... geel of rood: Córdiceps militáris (fig. 45) No. 18."
    if (const std::size_t at = ending.empty() ? nameAfterColon(out.description) : std::string::npos; at != std::string::npos) {
        ending = trimmed(std::string_view(out.description).substr(at));
        out.description = trimmed(std::string_view(out.description).substr(0, out.description.rfind(": ", at)));
    }
    if (ending.empty()) {
        std::size_t at = trailingNameStart(out.description);
        if (at != std::string::npos) at = nameSentenceStart(out.description, at);
        // A name set at the right of the lead's first line, the lead going on
        // on the lines under it, as a copy of a two-column page gives it:
        // "tip not Divers" over "reaching to base of tail".
        // Not a name after a dash wrapped with its number ("pistil--Orders" over "1-22.").
        if (const std::size_t first = lead.firstLineEnd; first + 1 < out.description.size() && (at == std::string::npos || at < first) &&
                                                         dashNameStart(out.description) == std::string::npos) {
            const std::string_view head = std::string_view(out.description).substr(0, first);
            const std::size_t column = trailingNameStart(head);
            if (column != std::string::npos && head.find(' ', column) == std::string::npos &&
                !isUpperAscii(out.description[first + 1]) && !endsLikeSentence(trimmed(head.substr(0, column)))) {
                ending = std::string(head.substr(column));
                out.description = trimmed(head.substr(0, column)) + out.description.substr(first);
                at = std::string::npos;
            }
        }
        if (at != std::string::npos) {
            ending = trimmed(std::string_view(out.description).substr(at));
            const std::size_t number = numbersNames ? bookNumberStart(out.description, at) : at;
            out.bookNumber = number < at;
            runIn = runInNumber(std::string_view(out.description).substr(number, at - number));
            out.description = trimmed(std::string_view(out.description).substr(0, number));
            // The dash that led to the name is no part of the text.
            for (const std::string_view dash : {"\u2014", "--"})
                if (out.description.ends_with(dash))
                    out.description = trimmed(out.description.substr(0, out.description.size() - dash.size()));
        } else if (LeadEnding read = splitLeadEnding(out.description); !read.name.empty()) {
            // After one blank: "disk white-pruinose 14. L. _alba_", "15. _Acer._".
            ending = read.name;
            const std::size_t number = bookNumberStart(read.text, read.text.size());
            out.bookNumber = read.bookNumber || number < read.text.size();
            runIn = runInNumber(std::string_view(read.text).substr(number));
            // The number the split took out before the name.
            if (runIn.empty() && read.bookNumber && out.description.starts_with(read.text)) {
                const std::string_view tail = std::string_view(out.description).substr(read.text.size());
                runIn = runInNumber(tail.substr(0, tail.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_=*")));
            }
            out.description = trimmed(std::string_view(read.text).substr(0, number));
        } else if (const std::size_t any = anyNumberedName ? anyNameAfterBookNumber(out.description) : std::string::npos;
                   any != std::string::npos) {
            ending = trimmed(std::string_view(out.description).substr(any));
            const std::size_t number = bookNumberStart(out.description, any);
            out.bookNumber = true;
            runIn = runInNumber(std::string_view(out.description).substr(number, any - number));
            out.description = trimmed(std::string_view(out.description).substr(0, number));
        }
    }
    if (ending.empty()) return out;
    // The book's number inside the name's marks ("=14. L. alba=") came with the name.
    if (const std::size_t inside = runIn.empty() && ending.size() > 4 && (ending[0] == '=' || ending[0] == '_' || ending[0] == '*') &&
                                           ending.back() == ending[0]
                                       ? bookNumberLength(std::string_view(ending).substr(1))
                                       : 0;
        inside > 0) {
        runIn = runInNumber(std::string_view(ending).substr(1, inside));
        ending.erase(1, inside);
        out.bookNumber = true;
    }
    // A colon that sends to the name set on the line under the lead, or at
    // the right, is no part of the lead ("... or oolites:" over "Limestone").
    if (!lead.ending.empty() && out.description.ends_with(':')) {
        out.description.pop_back();
        out.description = trimmed(out.description);
    }
    std::string notes;
    splitNumbers(ending, out.name, notes);
    // The book's species number or page is no part of the name but a note
    // after it; a one-word name's stop may stand inside its marks
    // ("_Satyrinæ._").
    out.name = unmarkedName(out.name);
    dropFinalStop(out.name);
    if (!remark.empty()) out.name += " " + remark;
    if (!runIn.empty()) notes = "(no. " + runIn + ")" + (notes.empty() ? "" : " ") + notes;
    if (!notes.empty()) out.name += " " + notes;
    out.bookNumber = out.bookNumber || !notes.empty();
    return out;
}

// The letters of a label of one letter, maybe repeated ("D.", "DD."), at
// `at`, followed by the line's end or a blank; empty when there is none.
std::string_view repeatedLetterLabel(std::string_view s, std::size_t at) {
    std::size_t end = at;
    while (end < s.size() && (isUpperAscii(s[end]) || isLowerAscii(s[end])) && s[end] == s[at]) ++end;
    if (end == at || end - at > 4 || end >= s.size() || s[end] != '.') return {};
    if (end + 1 < s.size() && !isBlank(s[end + 1])) return {};
    return s.substr(at, end - at);
}

// Copies that lost their line breaks (OCR, a page's text) run the leads of a
// key together: "D. Leaves few. The Pines DD. Leaves many.", "Orders A_{1}
// Wings short Runners A_{2} Wings long". A doubled label inside a line, once
// the label with one letter fewer has been met, starts a line of its own; so
// does a letter with a raised or lowered number in a text that starts lines
// with such labels. Empty when nothing is split; `from` then gives each
// line's line in the text.
Lines splitRunTogetherLabels(const Lines& text, std::vector<int>& from) {
    std::set<std::string, std::less<>> seen;
    bool raisedLabels = false;
    for (const std::string& line : text) {
        const std::size_t start = line.find_first_not_of(" \t");
        int series = 0;
        std::size_t length = 0;
        if (start != std::string::npos && raisedLabel(std::string_view(line).substr(start), series, length)) {
            raisedLabels = true;
            break;
        }
    }
    // A primed number ("4′.") after a sentence's end, maybe after a page's
    // number in braces, in a text whose lines start with primed numbers.
    auto primedAt = [](std::string_view s, std::size_t i) {
        std::size_t d = i;
        while (d < s.size() && isDigitAscii(s[d])) ++d;
        if (d == i || d - i > 3) return false;
        std::size_t end = d;
        if (primesAt(s, end) == 0 || end >= s.size() || s[end] != '.') return false;
        // Its text may start on the next line.
        return end + 1 == s.size() || (end + 2 < s.size() && s[end + 1] == ' ' && isUpperAscii(s[end + 2]));
    };
    int primedStarts = 0;
    for (const std::string& line : text)
        if (const std::size_t start = line.find_first_not_of(" \t"); start != std::string::npos && primedAt(line, start))
            ++primedStarts;
    Lines out;  // filled from the first line split on
    bool split = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::string& line = text[k];
        std::string_view rest = line;
        bool taken = false;
        const std::size_t start = rest.find_first_not_of(" \t");
        if (start != std::string_view::npos)
            if (const std::string_view first = repeatedLetterLabel(rest, start); !first.empty()) seen.emplace(first);
        for (std::size_t i = start == std::string_view::npos ? rest.size() : start + 1; i + 3 < rest.size(); ++i) {
            if (primedStarts >= 2 && (rest[i - 1] == ' ' || rest[i - 1] == '}') && primedAt(rest, i)) {
                std::size_t before = i;
                if (rest[i - 1] == '}')
                    while (before > 0 && rest[before - 1] != '{') --before;
                std::string_view ended = rest.substr(0, before - 1);
                while (!ended.empty() && ended.back() == ' ') ended.remove_suffix(1);
                if (!ended.empty() && (ended.back() == '.' || ended.back() == ')')) {
                    if (!split) {
                        out.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(k));
                        for (std::size_t j = 0; j < k; ++j) from.push_back(static_cast<int>(j));
                    }
                    split = true;
                    out.emplace_back(ended);
                    from.push_back(static_cast<int>(k));
                    // The lead keeps its line's indentation.
                    out.emplace_back(std::string(start, ' '));
                    from.push_back(static_cast<int>(k));
                    out.back() += std::string(rest.substr(i));
                    taken = true;
                    break;
                }
            }
            // After a run of blanks it is the name's column ("absent      II.
            // SCOMBRIFORMES."), not a lead run in.
            if (rest[i - 1] != ' ' || (i >= 2 && rest[i - 2] == ' ')) continue;
            int series = 0;
            std::size_t length = 0;
            const bool raised = raisedLabels && raisedLabel(rest.substr(i), series, length) > 0 &&
                                i + length < rest.size() && rest[i + 1] != ' ';
            const std::string_view letters = repeatedLetterLabel(rest, i);
            const std::size_t after = i + letters.size() + 2;
            if (!raised && (letters.size() < 2 || !seen.count(letters.substr(1)) || after >= rest.size() ||
                            !(isUpperAscii(rest[after]) || isDigitAscii(rest[after]))))
                continue;
            if (!split) {
                out.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(k));
                for (std::size_t j = 0; j < k; ++j) from.push_back(static_cast<int>(j));
            }
            split = true;
            out.push_back(text::trimmedBlanks(rest.substr(0, i)));
            from.push_back(static_cast<int>(k));
            rest = rest.substr(i);
            seen.emplace(letters);
            i = 0;
        }
        if (split && !taken) {
            out.emplace_back(rest);
            from.push_back(static_cast<int>(k));
        }
    }
    return out;
}

}  // namespace

IndentedKey convertIndentedKey(const Lines& given, int tabWidth) {
    tabWidth = std::clamp(tabWidth, 1, 32);
    IndentedKey out;
    std::vector<int> splitFrom;
    const Lines split = splitRunTogetherLabels(given, splitFrom);
    const Lines& text = split.empty() ? given : split;

    std::vector<std::string_view> contents(text.size());
    std::vector<int> indents(text.size(), 0);
    // A pipe table ("| lead | name |") reads as cells joined by tabs; its
    // rule line ("| --- | --- |") as a blank line.
    std::vector<std::string> cells(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::string_view line = text[k];
        const std::string row = trimmed(line);
        if (row.size() >= 2 && row.front() == '|' && row.back() == '|') {
            std::string& joined = cells[k];
            for (std::size_t from = 1; from < row.size();) {
                const std::size_t bar = row.find('|', from);
                const std::string cell = trimmed(std::string_view(row).substr(from, bar - from));
                if (!joined.empty() || from > 1) joined += '\t';
                joined += cell;
                from = bar + 1;
            }
            const bool rule = std::all_of(joined.begin(), joined.end(), [](char c) {
                return c == '-' || c == ':' || c == ' ' || c == '\t';
            });
            if (rule) joined.clear();
            line = joined;
        }
        // A page's number in braces, as transcriptions mark where a page
        // began ("{241}2′. The last ...", "... wings. {278}"), is no part of
        // the text; the blanks before it stay the line's indentation.
        if (const std::size_t open = line.find('{'); open != std::string_view::npos) {
            std::string unmarked;
            for (std::size_t at = 0; at < line.size();) {
                std::size_t close = at + 1;
                while (line[at] == '{' && close < line.size() && close - at <= 5 && isDigitAscii(line[close])) ++close;
                // "A_{1}", "a^{2}" are a letter's lowered or raised number.
                const bool raised = at > 0 && (line[at - 1] == '_' || line[at - 1] == '^');
                if (line[at] == '{' && !raised && close > at + 1 && close < line.size() && line[close] == '}') {
                    at = close + 1;
                    continue;
                }
                unmarked += line[at++];
            }
            if (unmarked.size() != line.size()) {
                cells[k] = std::move(unmarked);
                line = cells[k];
            }
        }
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
        const std::size_t skip = indentation(line, tabWidth, indents[k]);
        contents[k] = line.substr(skip);
        // A line wholly in square brackets is an editor's note ("[Illustration]",
        // "[Pg 12]") set between the leads: it counts as a blank line.
        if (contents[k].size() >= 2 && contents[k].front() == '[' && contents[k].back() == ']') {
            contents[k] = {};
            ++out.notes;
        }
    }
    // A note in brackets over a few lines ("[Illustration: FIG. 6 ..." to
    // "... Fig. 3]"), a figure set inside the key, is one note.
    constexpr std::size_t kNoteLines = 8;
    for (std::size_t k = 0; k < contents.size(); ++k) {
        const std::string_view s = contents[k];
        if (s.size() < 2 || s.front() != '[' || s.find(']') != std::string_view::npos) continue;
        std::size_t close = k + 1;
        while (close < contents.size() && close <= k + kNoteLines &&
               contents[close].find_first_of("[]") == std::string_view::npos)
            ++close;
        if (close >= contents.size() || close > k + kNoteLines || contents[close].empty() ||
            contents[close].back() != ']' || contents[close].find('[') != std::string_view::npos)
            continue;
        for (std::size_t j = k; j <= close; ++j) contents[j] = {};
        ++out.notes;
        k = close;
    }
    // A roman number without its stop that sends to a sub-key's heading
    // below labels its lead: the stop is set for the label's reading.
    for (const std::size_t k : leadsSendingToHeadingsBelow(contents)) {
        const std::size_t end = contents[k].find(' ');
        if (end == std::string_view::npos || contents[k][end - 1] == '.') continue;
        cells[k] = std::string(contents[k].substr(0, end)) + '.' + std::string(contents[k].substr(end));
        contents[k] = cells[k];
    }
    // A footnote, its mark at the line's start ("[A] The fruit is ...") and
    // its call glued to a word elsewhere ("before him.[A]"), with the lines
    // under it up to a blank line, is a note.
    {
        auto markAt = [](std::string_view s, std::size_t at) {
            std::size_t close = at + 1;
            while (close < s.size() && close - at <= 3 && std::isalnum(static_cast<unsigned char>(s[close]))) ++close;
            return s[at] == '[' && close > at + 1 && close < s.size() && s[close] == ']' ? s.substr(at, close + 1 - at)
                                                                                         : std::string_view();
        };
        std::set<std::string_view> calls;
        for (std::string_view s : contents)
            for (std::size_t at = s.find('['); at != std::string_view::npos && at > 0; at = s.find('[', at + 1))
                if (s[at - 1] != ' ' && s[at - 1] != '[')
                    if (const std::string_view m = markAt(s, at); !m.empty()) calls.insert(m);
        for (std::size_t k = 0; k < contents.size() && !calls.empty(); ++k) {
            const std::string_view m = contents[k].empty() ? std::string_view() : markAt(contents[k], 0);
            if (m.empty() || !calls.count(m) || contents[k].size() <= m.size() || contents[k][m.size()] != ' ') continue;
            for (; k < contents.size() && !contents[k].empty(); ++k) contents[k] = {};
            ++out.notes;
        }
    }
    // The end of a table or of a page above the key's title, parted from
    // it by three blank lines or more, the title centred in capitals, the
    // key below it much longer: text before the key, whatever its labels
    // and margins (a chapter's heading after the key is no such title).
    int aboveTitle = 0;
    {
        constexpr int kCentred = 16;
        constexpr std::size_t kGap = 3;
        const auto filledLines = static_cast<std::size_t>(
            std::count_if(contents.begin(), contents.end(), [](std::string_view s) { return !s.empty(); }));
        std::size_t blanks = 0, filledAbove = 0;
        for (std::size_t k = 0; k < contents.size() && filledAbove * 4 < filledLines; ++k) {
            const std::string_view s = contents[k];
            if (s.empty()) {
                ++blanks;
                continue;
            }
            const bool title = filledAbove > 0 && blanks >= kGap && indents[k] >= kCentred &&
                               std::none_of(s.begin(), s.end(), isLowerAscii) && std::any_of(s.begin(), s.end(), isUpperAscii) &&
                               readLabel(s, Styles{}).candidates.empty();
            if (title) {
                for (std::size_t j = 0; j < k; ++j)
                    if (!contents[j].empty()) {
                        contents[j] = {};
                        ++aboveTitle;
                    }
                break;
            }
            blanks = 0;
            ++filledAbove;
        }
    }
    // Leads set apart by blank lines: most lines are followed by one.
    std::size_t filled = 0;
    std::size_t spaced = 0;
    for (std::size_t k = 0; k < contents.size(); ++k) {
        if (contents[k].empty()) continue;
        ++filled;
        if (k + 1 == contents.size() || contents[k + 1].empty()) ++spaced;
    }
    const bool paragraphs = filled >= 4 && spaced * 3 >= filled * 2;
    const Styles styles = learnStyles(contents);

    // A key labelled on nearly every line is read by its labels: pasted
    // tables and PDFs keep the labels but scramble the indentation. When the
    // labels alone give no levels (one series at every level), the
    // indentation gives them.
    std::size_t lines = 0;
    std::size_t labelled = 0;
    for (std::string_view s : contents) {
        if (s.empty()) continue;
        ++lines;
        if (!readLabel(s, styles).candidates.empty()) ++labelled;
    }
    const bool byLabels = labelled * 4 >= lines * 3;
    // Each tree is judged with the names that open its leads read as their
    // endings: a synopsis that names first has no open lead.
    auto build = [&](const Styles& st, auto... flags) {
        LeadTree t = buildLeads(contents, indents, st, flags...);
        readNamesFirst(t, indents);
        return t;
    };
    auto readTree = [&](const Styles& st) {
        LeadTree tree = build(st, !byLabels, paragraphs);
        if (byLabels && !isNested(tree)) tree = build(st, true, paragraphs);
        // A deep key whose label series come round again ("I." under "α.")
        // nests by its indentation: kept when its tree has fewer faults.
        else if (byLabels) {
            LeadTree indented = build(st, true, paragraphs);
            if (isNested(indented) && treeFaults(indented) < treeFaults(tree)) tree = std::move(indented);
        }
        // Labels at some lines only, the indentation at odds with them (a book's
        // synopsis copied with its leads without label back at the margin): the
        // labels alone may give the better tree, judged by its faults.
        if (!byLabels && labelled >= 4) {
            LeadTree byOrder = build(st, false, paragraphs, true);
            // Not where the hung lines take labelled leads into a text.
            if (isNested(byOrder) && treeFaults(byOrder) < treeFaults(tree) && labelledLeads(byOrder) >= labelledLeads(tree))
                tree = std::move(byOrder);
            // Leads wrapped under a hanging indent, their lines set deeper
            // than their label: an unlabelled line right under a lead goes on
            // with it, whatever its first word.
            LeadTree hung = build(st, true, paragraphs, true);
            if (isNested(hung) && treeFaults(hung) < treeFaults(tree) && labelledLeads(hung) >= labelledLeads(tree))
                tree = std::move(hung);
        }
        return tree;
    };
    LeadTree tree = readTree(styles);
    // A letter may name a level rather than a lead: both leads of a couplet
    // carry the same letter ("b." ... "b."), the next level the next letter;
    // a number may name a couplet, its other leads dashed. Each such reading
    // is built and the one the checks fault least is kept.
    for (const Styles& other : otherReadings(contents, styles, doubledLettersSetDeeper(contents, indents))) {
        LeadTree t = readTree(other);
        if (betterTree(t, tree)) tree = std::move(t);
    }
    // Levels that leave leads with neither sub-leads nor ending in a text
    // with no indentation: the key may be in indented order with its
    // indentation lost.
    bool unindented = true;
    for (std::size_t k = 0; k < contents.size() && unindented; ++k) unindented = contents[k].empty() || indents[k] == 0;
    if (!isNested(tree) || (unindented && openLeads(tree) > 0)) {
        LeadTree grouped = tree;
        readByGroupHeads(grouped);
        LeadTree inOrder = tree;
        if (isNested(grouped) && openLeads(grouped) == 0) tree = std::move(grouped);
        else if (readInOrder(inOrder, text)) tree = std::move(inOrder);
    }
    if (!isNested(tree)) {
        out.message = kMsgNotIndented;
        return out;
    }
    readBareHeadings(tree, contents);
    readNamesFirst(tree, indents);
    std::vector<Lead>& leads = tree.leads;
    const std::vector<int>& top = tree.top;
    out.setAside = tree.setAside + aboveTitle;
    out.specks = tree.specks;

    // Numbers as endings are references of a key already numbered by
    // couplets, whose lines start with numbers. Where no two lines do, they
    // are the book's pages set at the right margin.
    std::set<int> lineNumbers;
    for (std::string_view c : contents) {
        std::size_t d = 0;
        while (d < c.size() && d < 4 && isDigitAscii(c[d])) ++d;
        if (d > 0) lineNumbers.insert(std::stoi(std::string(c.substr(0, d))));
    }
    int numberEndings = 0;
    int endings = 0;
    for (const Lead& lead : leads) {
        if (lead.parent == -2 || lead.ending.empty()) continue;
        ++endings;
        if (std::all_of(lead.ending.begin(), lead.ending.end(), [](char c) { return isDigitAscii(c) || c == '.'; }) &&
            lineNumbers.size() >= 2)
            ++numberEndings;
    }
    if ((numberEndings >= 2 && numberEndings * 3 >= endings) || lettersEndingLeads(leads, contents) >= 2) {
        out.message = kMsgAlreadyNumbered;
        return out;
    }

    // One couplet holding most of the key's leads, more than a couplet's
    // six: the levels were not read (a key numbered lead by lead, a list).
    {
        std::size_t largest = top.size(), placed = 0;
        for (const Lead& lead : leads) {
            if (lead.parent == -2) continue;
            ++placed;
            largest = std::max(largest, lead.children.size());
        }
        // Not where every top lead heads a group of its own ("INSECTS OF THE
        // FOLIAGE" over its thirteen rows): a table's groups may be long.
        const bool groups = top.size() >= 2 && std::all_of(top.begin(), top.end(), [&](int t) {
            const Lead& head = leads[static_cast<std::size_t>(t)];
            return !head.children.empty() && !head.labelled && head.ending.empty() &&
                   std::none_of(head.text.begin(), head.text.end(), isLowerAscii);
        });
        if (largest > 6 && largest * 2 > placed && !groups) {
            out.message = kMsgNotIndented;
            return out;
        }
    }

    // A number run into the text before a name is the book's own only in a
    // key that numbers its names ("Leaflets 3. Ptelea." keeps its 3).
    int named = 0, numbered = 0;
    std::vector<LeafEnding> leafEndings(leads.size());
    for (std::size_t l = 0; l < leads.size(); ++l) {
        if (leads[l].parent == -2 || !leads[l].children.empty()) continue;
        leafEndings[l] = leafEnding(leads[l], true);
        named += leafEndings[l].name.empty() ? 0 : 1;
        numbered += leafEndings[l].bookNumber ? 1 : 0;
    }
    const bool numbersNames = numbered >= 2 && numbered * 2 >= named;

    // Couplets numbered in the order they are met going down the first leads
    // of each couplet: each couplet's leads together, every reference forward.
    std::vector<std::vector<int>> couplets;
    std::vector<std::vector<int>> pending{top};
    std::vector<std::vector<int>> later;  // sub-keys printed after the key, in their order
    while (!pending.empty() || !later.empty()) {
        if (pending.empty()) {
            pending.push_back(std::move(later.front()));
            later.erase(later.begin());
        }
        couplets.push_back(std::move(pending.back()));
        pending.pop_back();
        const std::vector<int>& couplet = couplets.back();
        for (auto it = couplet.rbegin(); it != couplet.rend(); ++it)
            if (!leads[*it].children.empty() && !leads[*it].subKeyLater) pending.push_back(leads[*it].children);
        for (int l : couplet)
            if (!leads[l].children.empty() && leads[l].subKeyLater) later.push_back(leads[l].children);
    }
    // The lead above a couplet refers to it by its position.
    std::vector<int> coupletOf(leads.size(), 0);
    for (std::size_t n = 1; n < couplets.size(); ++n) coupletOf[leads[couplets[n][0]].parent] = static_cast<int>(n) + 1;

    for (std::size_t n = 0; n < couplets.size(); ++n) {
        for (int l : couplets[n]) {
            Lead& lead = leads[l];
            std::string line = std::to_string(n + 1) + ". ";
            if (!lead.children.empty()) {
                std::string description = lead.text;
                // An ending of a lead that goes on is its text, unless it names
                // the letter its sub-leads are labelled with ("...   B" over
                // "B^1", "B^2"): the reference the layout already made.
                const Lead& first = leads[static_cast<std::size_t>(lead.children.front())];
                const std::string_view below =
                    first.line >= 0 ? contents[static_cast<std::size_t>(first.line)] : std::string_view();
                const std::string letters = lead.ending.ends_with('.') ? lead.ending.substr(0, lead.ending.size() - 1) : lead.ending;
                const bool namesBelow = !letters.empty() && letters.size() <= 3 && first.labelled &&
                                        std::all_of(letters.begin(), letters.end(), [&](char c) { return c == letters[0]; }) &&
                                        (isUpperAscii(letters[0]) || isLowerAscii(letters[0])) && below.starts_with(letters) &&
                                        below.size() > letters.size() && !text::isLetter(static_cast<unsigned char>(below[letters.size()]));
                if (!namesBelow) joinWrapped(description, lead.ending);
                line += safeDescription(std::move(description)) + " ... " + std::to_string(coupletOf[l]);
            } else {
                LeafEnding read = numbersNames || !leafEndings[static_cast<std::size_t>(l)].bookNumber
                                      ? std::move(leafEndings[static_cast<std::size_t>(l)])
                                      : leafEnding(lead, false);
                if (read.name.empty() && numbersNames) read = leafEnding(lead, true, true);
                // Still no name, or only the last words of that line read as
                // one ("Ach" of "Evernia Ach."): the lead's last line, where it
                // holds only a name, is its name (a flat copy that set each
                // name on a line of its own: "... Thallus shortly fruticose"
                // over "Synalissa Fr.").
                if (lead.lines > 1 && lead.line >= 0 && static_cast<std::size_t>(lead.line + lead.lines - 1) < contents.size()) {
                    const std::string last = trimmed(contents[static_cast<std::size_t>(lead.line + lead.lines - 1)]);
                    // The part of that line the description kept, before the name read.
                    const std::size_t inLast = read.name.empty() ? last.size() : last.rfind(read.name);
                    const std::string head = inLast == std::string::npos ? std::string() : trimmed(std::string_view(last).substr(0, inLast));
                    if (!head.empty() && read.description.size() > head.size() + 1 && read.description.ends_with(head) && nameAlone(last)) {
                        std::string before = trimmed(std::string_view(read.description).substr(0, read.description.size() - head.size()));
                        if (!before.ends_with(',') && !endsOnLinkWord(before)) {
                            read.name = unmarkedName(last);
                            dropFinalStop(read.name);
                            read.description = std::move(before);
                        }
                    }
                }
                // In a key that numbers its names, a few words between the
                // book's number and the name read are the name's: "31.
                // remainder of Aleiodes circumscriptus-group".
                if (numbersNames && !read.name.empty() && !read.bookNumber && read.name.find(" (") == std::string::npos)
                    if (const std::size_t at = anyNameAfterBookNumber(read.description); at != std::string::npos) {
                        const std::string_view words = std::string_view(read.description).substr(at);
                        if (std::count(words.begin(), words.end(), ' ') <= 2 && words.find(". ") == std::string_view::npos &&
                            !words.ends_with('.') && !words.ends_with(',') && !words.ends_with(';')) {
                            const std::size_t number = bookNumberStart(read.description, at);
                            const std::string runIn = runInNumber(std::string_view(read.description).substr(number, at - number));
                            read.name = std::string(words) + " " + read.name + " (no. " + runIn + ")";
                            read.description = trimmed(std::string_view(read.description).substr(0, number));
                            read.bookNumber = true;
                        }
                    }
                line += safeDescription(std::move(read.description));
                if (!read.name.empty()) {
                    line += " => " + read.name;
                    if (read.bookNumber) ++out.bookNumbers;
                } else {
                    ++out.withoutEnding;
                }
            }
            out.lines.push_back(std::move(line));
            out.origin.push_back(split.empty() || lead.line < 0 ? lead.line : splitFrom[static_cast<std::size_t>(lead.line)]);
            ++out.leads;
        }
    }
    out.couplets = static_cast<int>(couplets.size());
    out.converted = true;
    out.message = withCount(kMsgConverted, out.couplets);
    out.message = withCount(out.message.c_str(), out.leads);
    for (const CountedPart& part : {CountedPart{out.setAside, kMsgSetAside, kMsgSetAsideOne},
                                    CountedPart{out.notes, kMsgNotes, kMsgNotesOne},
                                    CountedPart{out.bookNumbers, kMsgBookNumbers, kMsgBookNumbersOne},
                                    CountedPart{out.specks, kMsgDebris, kMsgDebrisOne},
                                    CountedPart{out.withoutEnding, kMsgWithoutEnding, kMsgWithoutEndingOne}})
        if (part.n > 0) out.message += "\n" + countedMessage(part.many, part.one, part.n);
    return out;
}

void dropPageMarks(std::string& s) {
    dropPageMark(s);
    dropInnerPageMarks(s);
}

std::string printedName(const std::string& printed, bool& numbered) {
    // Written after the name as "No. 12", the number stays as its note.
    if (const NumberAfterName read = numberAfterName(printed); !read.number.empty()) {
        std::string name = unmarkedName(read.name);
        dropFinalStop(name);
        numbered = true;
        return name + " (no. " + read.number + ")";
    }
    std::string name, number;
    splitNumber(printed, name, number);
    name = unmarkedName(name);
    dropFinalStop(name);
    numbered = !number.empty();
    return name;
}

std::size_t numberedNameStart(std::string_view lead) {
    const std::size_t at = anyNameAfterBookNumber(lead);
    return at == std::string_view::npos ? at : bookNumberStart(lead, at);
}

std::string notedName(const std::string& printed) {
    std::string name, notes;
    splitNumbers(printed, name, notes);
    name = unmarkedName(name);
    dropFinalStop(name);
    return notes.empty() ? name : name + " " + notes;
}

void setIndentedKeyLayout(KeyParams& p) {
    resetParams(p);
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Car_maxi = 10;
    p.Liste_separ_3 = {"=>"};
    p.Sans_numero = 0;
}

}  // namespace sarvelo
