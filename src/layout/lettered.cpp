#include "layout/lettered.hpp"

#include <algorithm>
#include <map>
#include <string>

#include "engine/text.hpp"
#include "layout/detection.hpp"
#include "layout/indented.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

bool mark(char c) { return c == '=' || c == '_' || c == '*'; }
bool asciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool asciiDigit(char c) { return c >= '0' && c <= '9'; }

// What a back-reference holds: the letters of the couplet that leads here,
// primed, or a dash for none ("A", "a'", "—").
bool backReference(std::string_view inside) {
    if (inside == "-" || inside == "\u2013" || inside == "\u2014") return true;
    std::size_t i = 0;
    while (i < inside.size() && asciiLetter(inside[i])) ++i;
    if (i == 0 || i > 3) return false;
    primesAt(inside, i);
    return i == inside.size();
}

// A letter label in `s` from `at`: an optional emphasis mark or bracket
// ("=A.=", "*b.*", "(a)", "[B]"), one to six letters of one case ("A",
// "AA", "AAAA": a couplet of up to six leads), primes ("A'", "a’’": the lead's rank, the couplet's
// letter), a stop or a bracket, the same mark. Its letters and its end, or an
// empty label.
struct Letters {
    std::string label;
    std::size_t end = 0;
};
Letters lettersAt(std::string_view s, std::size_t at, bool needsStop) {
    Letters out;
    std::size_t i = at;
    const char open = i < s.size() && mark(s[i]) ? s[i++] : '\0';
    const char bracket = !open && i < s.size() && (s[i] == '(' || s[i] == '[') ? s[i++] : '\0';
    const std::size_t from = i;
    while (i < s.size() && asciiLetter(s[i]) && i - from < 7) ++i;
    if (i == from || i - from > 6) return {};
    const std::string_view letters = s.substr(from, i - from);
    if (letters.find_first_not_of(letters[0]) != std::string_view::npos) return {};  // "Ab", "bc": a word
    primesAt(s, i);
    // A raised number ranks the lead in its couplet as a prime does ("A^1",
    // "B²"), and marks the label as a stop would.
    const bool raised = !bracket && raisedNumberAt(s, i) > 0;
    // A back-reference glued to the label: "B(A).", "C(a')".
    if (!bracket && i + 2 < s.size() && s[i] == '(') {
        const std::size_t close = s.find(')', i);
        if (close != std::string_view::npos && close - i <= 8 && backReference(s.substr(i + 1, close - i - 1))) i = close + 1;
    }
    bool stop = false;
    if (bracket) {
        if (i >= s.size() || s[i] != (bracket == '(' ? ')' : ']')) return {};
        ++i;
        stop = true;
        if (i < s.size() && s[i] == '.') ++i;
    } else if (i < s.size() && (s[i] == '.' || s[i] == ')')) {
        ++i;
        stop = true;
    }
    if (open) {
        if (i >= s.size() || s[i] != open) return {};
        ++i;
    }
    if (needsStop && !stop && !raised) return {};
    out.label = std::string(letters);
    out.end = i;
    return out;
}

// Where the letters start after words that send on at `at` ("see B", "go
// to B", "voir le couplet B"), or `at`; the words are those every reader knows.
std::size_t afterReferenceWord(std::string_view s, std::size_t at) {
    const std::size_t last = s.find_last_of(' ');
    if (last == std::string_view::npos || last <= at) return at;
    std::string_view words = s.substr(at, last - at);
    while (!words.empty() && words.back() == ' ') words.remove_suffix(1);
    return !words.empty() && referenceWordsStart(words) == 0 ? last + 1 : at;
}

// Where the reference words that end before `token` start, after the lead's
// text and what parts it from them (blanks, a comma, leaders), or npos.
std::size_t referenceWordBefore(std::string_view s, std::size_t token) {
    std::string_view head = s.substr(0, token);
    while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
    std::size_t from = referenceWordsStart(head);
    if (from == std::string_view::npos) return from;
    while (from > 0 && (head[from - 1] == ' ' || head[from - 1] == ',' || head[from - 1] == ';' ||
                        head[from - 1] == '.'))
        --from;
    return from;
}

// Where the leader that ends before `token` starts: dots, ellipses or middle
// dots (two at least), a tab or a run of blanks; npos when only one blank or
// nothing of the lead comes before it.
std::size_t leaderBefore(std::string_view s, std::size_t token) {
    std::size_t gap = token;
    int dots = 0;
    for (bool more = true; more && gap > 0;) {
        more = false;
        for (std::string_view piece : {" ", "\t", ".", "\u2026", "\u00B7"})
            if (gap >= piece.size() && s.substr(gap - piece.size(), piece.size()) == piece) {
                gap -= piece.size();
                dots += piece == " " || piece == "\t" ? 0 : piece == "." ? 1 : 2;
                more = true;
                break;
            }
    }
    const std::string_view apart = s.substr(gap, token - gap);
    const bool leader = dots >= 2 || apart.find('\t') != std::string_view::npos || apart.find("  ") != std::string_view::npos;
    return gap > 0 && leader ? gap : std::string_view::npos;
}

// Whether a leader stands in `s`: dots, spaced or not, an ellipsis, middle
// dots, a tab or a run of blanks. What follows one on a lead's line is its
// name, authors and all ("..... Malope L.").
bool holdsLeader(std::string_view s) {
    for (std::string_view leader : {"..", ". .", "\u2026", "\u00B7\u00B7", "\t", "  "})
        if (s.find(leader) != std::string_view::npos) return true;
    return false;
}

// The reference at the end of a lead: "(=B.=)", "(C)", "[d]", maybe followed
// by the book's page ("page 12.", "p. 12"). Where it starts and its letters.
Letters referenceAtEnd(std::string_view s, std::size_t& start) {
    std::size_t e = s.size();
    // The page after the reference.
    std::size_t d = e;
    if (d > 0 && s[d - 1] == '.') --d;
    std::size_t digits = d;
    while (digits > 0 && asciiDigit(s[digits - 1])) --digits;
    if (digits < d) {
        std::string_view head = s.substr(0, digits);
        while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
        for (std::string_view word : {"page", "p.", "S."})
            if (head.ends_with(word)) {
                head.remove_suffix(word.size());
                while (!head.empty() && (head.back() == ' ' || head.back() == ',')) head.remove_suffix(1);
                e = head.size();
                break;
            }
    }
    if (e < 3) return {};
    if (s[e - 1] == ')' || s[e - 1] == ']') {
        const std::size_t open = s.find_last_of("([", e - 1);
        if (open == std::string_view::npos) return {};
        // Words may stand inside the brackets: "(see B)".
        const std::size_t inside = afterReferenceWord(s.substr(0, e - 1), open + 1);
        Letters l = lettersAt(s.substr(0, e - 1), inside, false);
        if (l.label.empty() || l.end != e - 1) return {};
        start = open;
        return l;
    }
    // The letter after words or an arrow: "go to B", "voir C.", "\u2192 D";
    // or after a leader, a tab or a run of blanks: "..... B", "\t*c.*".
    if (s[e - 1] == '.') --e;
    std::size_t token = s.find_last_of(" \t", e - 1);
    if (token == std::string_view::npos) return {};
    ++token;
    Letters l = lettersAt(s.substr(0, e), token, false);
    if (l.label.empty() || l.end != e) return {};
    if (const std::size_t word = referenceWordBefore(s, token); word != std::string_view::npos) {
        start = word;
        return l;
    }
    const std::size_t gap = leaderBefore(s, token);
    if (gap == std::string_view::npos) return {};
    start = gap;
    return l;
}

// A couplet named by a number and a letter ("3a", "12b."), or by a number
// alone among such names: its name and its end, or an empty label. The name
// stands alone before a blank or a tab.
Letters codeAt(std::string_view s, std::size_t at) {
    std::size_t i = at;
    while (i < s.size() && asciiDigit(s[i]) && i - at < 4) ++i;
    if (i == at || i - at > 3) return {};
    if (i < s.size() && s[i] >= 'a' && s[i] <= 'z') ++i;
    Letters out{std::string(s.substr(at, i - at)), i};
    if (i < s.size() && s[i] == '.') ++i;
    if (i < s.size() && s[i] != ' ' && s[i] != '\t') return {};
    out.end = i;
    return out;
}

bool lettered(const std::string& code) { return !code.empty() && !asciiDigit(code.back()); }

// The couplet named at the end of a lead, set apart by a tab, a run of
// blanks, a leader or words ("...\t3a", "..... 3c.", "go to 3b"), or in
// brackets ("(3b)").
// Where the reference starts, and its name.
Letters codeAtEnd(std::string_view s, std::size_t& start) {
    std::size_t e = s.size();
    while (e > 0 && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    const bool bracketed = e > 0 && s[e - 1] == ')';
    if (bracketed) --e;
    else if (e > 0 && s[e - 1] == '.') --e;
    std::size_t b = e;
    while (b > 0 && (asciiDigit(s[b - 1]) || (s[b - 1] >= 'a' && s[b - 1] <= 'z'))) --b;
    if (b == e || b == 0) return {};
    Letters code = codeAt(s.substr(0, e), b);
    if (code.label.empty() || code.end != e) return {};
    if (bracketed && s[b - 1] != '(') return {};
    const std::size_t token = bracketed ? b - 1 : b;
    // What sets the reference apart from the lead; a bracket is enough.
    std::size_t gap = token;
    while (gap > 0 && (s[gap - 1] == ' ' || s[gap - 1] == '.' || s[gap - 1] == '\t')) --gap;
    if (bracketed) {
        start = gap;
        return code;
    }
    // Or words: "go to 3a", "voir 3b", "\u2192 3c".
    if (const std::size_t word = referenceWordBefore(s, b); word != std::string_view::npos) {
        start = word;
        return code;
    }
    const std::string_view apart = s.substr(gap, b - gap);
    if (gap == 0 || (apart.find('\t') == std::string_view::npos && apart.find("  ") == std::string_view::npos &&
                     apart.find("..") == std::string_view::npos))
        return {};
    start = gap;
    return code;
}

// What a line names: its couplet's label, and the couplet its lead goes on to.
struct LineRead {
    Letters label, reference;
    std::size_t textStart = 0, referenceStart = 0;
    bool alone = false;  // the reference alone on the line under its lead
};

// The lines with their labels and references numbered ("1. Leaves simple
// (2)"); lines that name nothing as they were.
Lines renumbered(const Lines& text, const std::vector<LineRead>& reads, const std::map<std::string, int>& number) {
    Lines out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const LineRead& r = reads[k];
        const std::string& line = text[k];
        if (r.alone) {
            // Its lead's line takes it; the line stays, empty.
            for (auto it = out.rbegin(); it != out.rend(); ++it)
                if (!text::trimmedBlanks(*it).empty()) {
                    *it += " (" + std::to_string(number.at(r.reference.label)) + ")";
                    break;
                }
            out.emplace_back();
            continue;
        }
        if (r.label.label.empty() && r.reference.label.empty()) {
            out.push_back(line);
            continue;
        }
        std::string rewritten;
        const std::size_t from = r.label.label.empty() ? 0 : r.textStart;
        const std::size_t to = r.reference.label.empty() ? line.size() : r.referenceStart;
        if (!r.label.label.empty()) rewritten = std::to_string(number.at(r.label.label)) + ". ";
        // A lead's later line keeps its indent: at the margin, words in marks
        // with a reference would read as a name on a line of its own.
        else rewritten = line.substr(0, line.find_first_not_of(" \t"));
        rewritten += text::trimmedBlanks(std::string_view(line).substr(from, to - from));
        if (!r.reference.label.empty()) rewritten += " (" + std::to_string(number.at(r.reference.label)) + ")";
        out.push_back(std::move(rewritten));
    }
    return out;
}

// Couplets named by a number and a letter ("3", "3a", "3b"), a lead that
// goes on naming its couplet so: numbered in the order they come, as the
// letters are. Empty when no lead names a lettered couplet, or when a
// reference names none of the couplets (a key labelled "1a" / "1b" whose
// references are the couplets' numbers).
Lines numberedFromCodes(const Lines& text) {
    std::map<std::string, int> number;
    std::vector<LineRead> reads(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::string& line = text[k];
        std::size_t at = 0;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        LineRead& r = reads[k];
        r.label = codeAt(line, at);
        if (r.label.label.empty()) continue;
        const std::size_t textStart = line.find_first_not_of(" \t", r.label.end);
        if (textStart == std::string::npos) {
            r.label = {};
            continue;
        }
        r.textStart = textStart;
        number.emplace(r.label.label, static_cast<int>(number.size()) + 1);
    }
    int toLettered = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        LineRead& r = reads[k];
        const std::string_view line = std::string_view(text[k]).substr(r.textStart);
        r.reference = codeAtEnd(line, r.referenceStart);
        r.referenceStart += r.textStart;
        if (r.reference.label.empty()) continue;
        if (!number.count(r.reference.label)) return {};
        if (lettered(r.reference.label)) ++toLettered;
    }
    if (toLettered < 1 || number.size() < 2) return {};
    return renumbered(text, reads, number);
}

// A numbered line that names a group, with no ending of its own, over a
// lead lettered "a" (blank lines between).
bool groupHeading(const Lines& lines, std::size_t k, std::size_t textAt) {
    const std::string& line = lines[k];
    if (textAt >= line.size() || endsWithDestination(line) ||
        std::count(line.begin() + static_cast<std::ptrdiff_t>(textAt), line.end(), ' ') > 6)
        return false;
    std::size_t next = k + 1;
    while (next < lines.size() && lines[next].find_first_not_of(" \t") == std::string::npos) ++next;
    if (next >= lines.size()) return false;
    std::size_t end = 0;
    return leadLetterAt(lines[next], lines[next].find_first_not_of(" \t"), end) == 'a';
}

}  // namespace

char leadLetterAt(std::string_view s, std::size_t at, std::size_t& end) {
    std::size_t i = at;
    const bool bracket = i < s.size() && s[i] == '(';
    if (bracket) ++i;
    const char open = i < s.size() && mark(s[i]) ? s[i++] : '\0';
    if (i >= s.size() || s[i] < 'a' || s[i] > 'h') return '\0';
    const char letter = s[i++];
    if (open) {
        if (i >= s.size() || s[i] != open) return '\0';
        ++i;
    }
    if (i >= s.size() || s[i] != (bracket ? ')' : '.')) return '\0';
    ++i;
    if (i >= s.size() || s[i] != ' ') return '\0';
    end = i;
    return letter;
}

LetteredLeads numberedFromLeadLetters(const Lines& text) {
    LetteredLeads out;
    out.lines = text;
    std::string number;  // the couplet whose leads are being read
    char expected = '\0';
    int couplets = 0, leads = 0;
    std::size_t firstCouplet = text.size();
    for (std::size_t k = 0; k < out.lines.size(); ++k) {
        std::string& line = out.lines[k];
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos) continue;
        std::size_t digits = start;
        while (digits < line.size() && asciiDigit(line[digits]) && digits - start < 4) ++digits;
        std::size_t at = digits;
        if (digits > start && at < line.size() && (line[at] == '.' || line[at] == ')')) ++at;
        const bool numbered = digits > start && at < line.size() && line[at] == ' ';
        while (numbered && at < line.size() && line[at] == ' ') ++at;
        std::size_t end = 0;
        const char letter = leadLetterAt(line, numbered ? at : start, end);
        if (numbered && letter == '\0' && groupHeading(out.lines, k, at)) {
            // The couplet's number over its group's name ("1. _Gymnostomina_."),
            // its leads lettered below: the heading is set aside.
            number = line.substr(start, digits - start);
            expected = 'a';
            ++couplets;
            ++out.headings;
            firstCouplet = std::min(firstCouplet, k);
            line.clear();
            continue;
        }
        if (numbered && letter == 'a') {
            number = line.substr(start, digits - start);
            expected = 'b';
            ++couplets;
            firstCouplet = std::min(firstCouplet, k);
        } else if (!numbered && letter != '\0' && letter == expected && !number.empty()) {
            ++expected;
            ++leads;
        } else {
            continue;
        }
        const std::size_t textAt = line.find_first_not_of(' ', end);
        line = line.substr(0, start) + number + ". " + (textAt == std::string::npos ? std::string() : line.substr(textAt));
    }
    if (couplets < 2 || leads < couplets) return {};
    // Above the groups, the couplet that sends to them, without a number or
    // with a capital letter ("A. Mouth closed ... 1"): couplet 0.
    if (out.headings > 0) {
        std::vector<std::size_t> above;
        for (std::size_t k = 0; k < firstCouplet; ++k)
            if (endsWithDestination(text[k])) above.push_back(k);
        if (above.size() >= 2)
            for (std::size_t k : above) {
                std::string& line = out.lines[k];
                std::size_t at = line.find_first_not_of(" \t");
                if (at + 2 < line.size() && line[at] >= 'A' && line[at] <= 'Z' && line[at + 1] == '.' && line[at + 2] == ' ')
                    at = line.find_first_not_of(' ', at + 2);
                line = line.substr(0, line.find_first_not_of(" \t")) + "0. " + line.substr(at);
                ++out.unnumbered;
            }
    }
    return out;
}

// A lead that sends to a list printed below the key ("Insects with no
// wings. (See list below.)"), the list's items lettered a., b., c. after
// every other label: the items are one couplet, the one the lead goes on to.
void sendToListBelow(const Lines& text, std::vector<LineRead>& reads, std::map<std::string, int>& number) {
    std::size_t sender = text.size();
    for (std::size_t k = 0; k < text.size() && sender == text.size(); ++k) {
        if (reads[k].label.label.empty() || !reads[k].reference.label.empty()) continue;
        const std::string lower = text::lower(text::trimmedBlanks(text[k]));
        if (lower.find("list below") != std::string::npos || lower.find("liste ci-dessous") != std::string::npos) sender = k;
    }
    if (sender == text.size()) return;
    // The list: single letters from "a" in turn, each once, after every
    // other label and after the lead that sends to it.
    std::size_t first = text.size();
    char next = 'a';
    for (std::size_t k = sender + 1; k < text.size(); ++k) {
        const std::string& l = reads[k].label.label;
        if (l.empty()) continue;
        if (l.size() == 1 && l[0] == next) {
            if (next == 'a') first = k;
            ++next;
        } else if (next != 'a') {
            return;  // a label after the list, or out of turn
        }
    }
    if (next < 'c') return;
    // Letters the key used before the list name couplets of their own.
    for (std::size_t k = 0; k < first; ++k) {
        const std::string& l = reads[k].label.label;
        if (l.size() == 1 && l[0] >= 'a' && l[0] < next) return;
    }
    const int couplet = number.at("a");
    for (std::size_t k = first; k < text.size(); ++k)
        if (!reads[k].label.label.empty()) number[reads[k].label.label] = couplet;
    reads[sender].reference = {"a", 0};
    reads[sender].referenceStart = text[sender].find_last_not_of(" \t") + 1;
}

Lines numberedFromLetters(const Lines& text) {
    std::map<std::string, int> number;  // letters -> couplet
    std::map<std::string, int> count;   // letters -> lines they label
    std::vector<LineRead> reads(text.size());
    int labelled = 0;
    // Labels with their stop ("A.", "b)"); in a key that gives none ("A
    // Leaves ..."), bare letters before a capital.
    auto readLabels = [&](bool needsStop) {
        labelled = 0;
        count.clear();
        for (std::size_t k = 0; k < text.size(); ++k) {
            const std::string& line = text[k];
            std::size_t at = 0;
            while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
            LineRead& r = reads[k];
            r = {};
            r.label = lettersAt(line, at, needsStop);
            // The label is followed by a blank, then maybe a back-reference
            // ("B (A)."), then the lead in a capital or a digit: "A.
            // waterhousei" is an abbreviated genus.
            if (!r.label.label.empty()) {
                std::size_t t = r.label.end;
                if (t >= line.size() || line[t] != ' ') r.label = {};
                while (t < line.size() && line[t] == ' ') ++t;
                if (const std::size_t close = t < line.size() && line[t] == '(' ? line.find(')', t) : std::string::npos;
                    close != std::string::npos && close - t <= 8 &&
                    backReference(std::string_view(line).substr(t + 1, close - t - 1))) {
                    t = close + 1;
                    if (t < line.size() && line[t] == '.') ++t;
                    while (t < line.size() && line[t] == ' ') ++t;
                }
                if (t >= line.size() || (line[t] >= 'a' && line[t] <= 'z')) r.label = {};
                if (!needsStop && t < line.size() && !(line[t] >= 'A' && line[t] <= 'Z')) r.label = {};
                r.textStart = t;
            }
            if (r.label.label.empty()) continue;
            ++labelled;
            ++count[r.label.label];
        }
    };
    readLabels(true);
    if (labelled < 4) readLabels(false);
    // Couplets numbered as first met. A doubled letter ("AA.", "bb.") after
    // its single letter printed once is that couplet's next lead; printed
    // twice, the single letter has its leads and the doubled one is a couplet
    // of its own (a key that ran out of letters).
    int couplets = 0;
    for (const LineRead& r : reads) {
        const std::string& l = r.label.label;
        if (l.empty() || number.count(l)) continue;
        const std::string single = l.substr(0, 1);
        number[l] = l.size() > 1 && count[single] == 1 && number.count(single) ? number[single] : ++couplets;
    }
    // The next line with text: a lead's last line comes before a label.
    auto nextLabelled = [&](std::size_t k) {
        for (std::size_t j = k + 1; j < text.size(); ++j)
            if (!text::trimmedBlanks(text[j]).empty()) return !reads[j].label.label.empty();
        return true;
    };
    int references = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        LineRead& r = reads[k];
        std::size_t end = text[k].size();
        while (end > 0 && (text[k][end - 1] == ' ' || text[k][end - 1] == '\t')) --end;
        const std::string_view line = std::string_view(text[k]).substr(0, end);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        r.reference = referenceAtEnd(line, r.referenceStart);
        // A label's letters after one blank at the end of a lead's last line
        // ("... in bundles b") where no leader came before, or alone on the
        // line under the lead.
        if (r.reference.label.empty() && nextLabelled(k)) {
            const std::size_t token = line.rfind(' ');
            if (token != std::string_view::npos && token + 1 < line.size() && (!r.label.label.empty() || token > 0) &&
                token > r.textStart && !holdsLeader(line.substr(r.textStart, token - r.textStart))) {
                Letters l = lettersAt(line, token + 1, false);
                if (!l.label.empty() && l.end == line.size() && number.count(l.label) && token > r.textStart) {
                    r.reference = l;
                    r.referenceStart = token;
                }
            }
            const std::size_t first = line.find_first_not_of(" \t");
            if (r.label.label.empty() && first != std::string_view::npos && k > 0) {
                Letters l = lettersAt(line, first, false);
                if (!l.label.empty() && l.end == line.size() && number.count(l.label)) {
                    r.reference = l;
                    r.alone = true;
                }
            }
        }
        if (!r.reference.label.empty() && number.count(r.reference.label)) ++references;
        else r.reference = {};
    }
    if (labelled < 4 || references < 1) return numberedFromCodes(text);
    sendToListBelow(text, reads, number);
    return renumbered(text, reads, number);
}

}  // namespace sarvelo
