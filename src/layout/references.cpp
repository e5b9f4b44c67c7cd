#include "layout/references.hpp"

#include <algorithm>
#include <map>
#include <set>

#include "engine/table.hpp"
#include "engine/text.hpp"
#include "layout/detection.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

// The leader characters a printed key sets between a lead and its destination.
std::size_t leaderCharAt(std::string_view s, std::size_t i) {
    for (std::string_view c : {" ", "\t", ".", "\u2026", "\u00B7", "_"})
        if (s.substr(i, c.size()) == c) return c.size();
    return 0;
}

// A run of leader characters that is a clear leader, not a sentence's stop.
bool clearLeader(std::string_view run) {
    return run.find("..") != std::string_view::npos || run.find(". .") != std::string_view::npos ||
           run.find('\t') != std::string_view::npos || run.find("\u2026") != std::string_view::npos ||
           run.find("\u00B7") != std::string_view::npos || run.find("   ") != std::string_view::npos;
}

// The leader that ends `s` (npos when it ends with none).
std::size_t trailingLeaderStart(std::string_view s) {
    std::size_t b = s.size();
    for (bool more = true; more && b > 0;) {
        more = false;
        for (std::size_t len : {1u, 2u, 3u})
            if (b >= len && leaderCharAt(s, b - len) == len) {
                b -= len;
                more = true;
                break;
            }
    }
    return b < s.size() && clearLeader(s.substr(b)) ? b : std::string_view::npos;
}

bool numberAlone(std::string_view s) {
    return !s.empty() && s.size() <= 3 && s.find_first_not_of("0123456789") == std::string_view::npos && s[0] != '0';
}

// A line that starts a lead: a couplet number ("2", "2.", "2'", "2a", "2(1)")
// or the second lead's dash, then a blank.
bool leadLine(std::string_view s) {
    std::size_t i = 0;
    for (std::string_view dash : {"-", "\u2013", "\u2014"})
        if (s.starts_with(dash)) i = dash.size();
    if (i == 0) {
        while (i < s.size() && i < 3 && s[i] >= '0' && s[i] <= '9') ++i;
        if (i == 0) return false;
        if (i < s.size() && (s[i] == '\'' || s[i] == 'a' || s[i] == 'b')) ++i;
        else if (s.substr(i).starts_with("\u2019")) i += 3;
        if (i < s.size() && s[i] == '(')
            if (const std::size_t close = s.find(')', i); close != std::string_view::npos && close < i + 6) i = close + 1;
        if (i < s.size() && s[i] == '.') ++i;
    }
    return i < s.size() && (s[i] == ' ' || s[i] == '\t');
}

// A destination alone on its line: a couplet number, or a name of a few
// words starting with a capital.
bool destinationLine(std::string_view s) {
    if (numberAlone(s)) return true;
    return !s.empty() && s.size() <= 60 && s[0] >= 'A' && s[0] <= 'Z' && std::count(s.begin(), s.end(), ' ') < 6 &&
           !leadLine(s) && !s.ends_with(":");
}

// Every lead's destination on the line under it, the next line a lead again
// ("1 Spores white", "2", "– Spores pink", "Pluteus"): the lines that carry a
// destination so (by their place in `text`), when most leads have one.
std::vector<bool> destinationsUnder(const Lines& text) {
    std::vector<std::size_t> at;  // the lines that carry text
    for (std::size_t k = 0; k < text.size(); ++k)
        if (!text::trimmedBlanks(text[k]).empty()) at.push_back(k);
    std::vector<bool> under(text.size(), false);
    // The last lead's destination may have the text after the key right under it.
    std::size_t lastLead = at.size();
    for (std::size_t i = 0; i < at.size(); ++i)
        if (leadLine(text::trimmedBlanks(text[at[i]]))) lastLead = i;
    int leads = 0, found = 0;
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (!leadLine(text::trimmedBlanks(text[at[i]]))) continue;
        ++leads;
        if (i + 1 < at.size() && destinationLine(text::trimmedBlanks(text[at[i + 1]])) &&
            (i + 2 == at.size() || i == lastLead || leadLine(text::trimmedBlanks(text[at[i + 2]])) ||
             at[i + 2] > at[i + 1] + 1)) {
            under[at[i + 1]] = true;
            ++found;
        }
    }
    constexpr int kFewest = 4;
    if (found < kFewest || found * 2 < leads) return std::vector<bool>(text.size(), false);
    return under;
}

// A label alone on its line, printed as a label ("1.", "2(1).", "3'", "–"),
// not a bare number that may be a destination.
bool labelAlone(std::string_view s) {
    if (s.empty() || s.size() > 12 || s.find(' ') != std::string_view::npos || !leadLine(std::string(s) + " x")) return false;
    return s.find_first_not_of("0123456789") != std::string_view::npos;
}

// A key exported field by field ("1.", "Wings dark", "........ Pieris"): a
// label alone on its line goes with the text under it, a destination set
// after its leader on a line of its own with the lead above; when most
// leads are printed so (the key's layout). Lines kept with their user's line.
void fieldsJoined(const Lines& text, Lines& lines, std::vector<int>& origin, int& joined) {
    int alone = 0;
    for (const auto& line : text) alone += labelAlone(text::trimmedBlanks(line)) ? 1 : 0;
    constexpr int kFewest = 4;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::string t = text::trimmedBlanks(text[k]);
        if (alone >= kFewest && labelAlone(t) && k + 1 < text.size()) {
            const std::string next = text::trimmedBlanks(text[k + 1]);
            if (!next.empty() && !labelAlone(next) && !startsWithDots(next) && !leadLine(next)) {
                lines.push_back(t + " " + next);
                origin.push_back(static_cast<int>(k));
                ++k;
                ++joined;
                continue;
            }
        }
        if (startsWithDots(t) && !lines.empty() && !text::trimmedBlanks(lines.back()).empty() &&
            trailingLeaderStart(lines.back()) == std::string::npos && alone >= kFewest) {
            lines.back() += " " + t;
            ++joined;
            continue;
        }
        lines.push_back(text[k]);
        origin.push_back(static_cast<int>(k));
    }
}

// A whole couplet number, or 0.
int coupletNumber(std::string_view s) {
    const std::optional<int> n = text::toInteger(s);
    return n && *n > 0 ? *n : 0;
}

// The couplet of origin in a label's gap: "(3)", " ( 3 ). ", or 0.
int backReferenceOf(std::string_view gap) {
    const std::size_t open = gap.find('('), close = gap.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return 0;
    return coupletNumber(text::trimmedBlanks(gap.substr(open + 1, close - open - 1)));
}

int printedBackReference(std::string_view line, int& couplet) {
    const LineStart start = readLineStart(line);
    if (start.kind != LineStart::Kind::Digits) return 0;
    couplet = coupletNumber(start.label);
    return couplet > 0 ? backReferenceOf(start.gap) : 0;
}

}  // namespace

bool hasBackReferences(const Lines& text) {
    int couplet = 0;
    return std::any_of(text.begin(), text.end(), [&](const std::string& l) { return printedBackReference(l, couplet) > 0; });
}

std::vector<MisprintedBackReference> misprintedBackReferences(const Lines& text, const ResultTable& table) {
    std::map<int, std::set<int>> from;  // couplet -> the couplets whose leads lead to it
    for (int r = 1; r <= table.dataRows(); ++r)
        if (table.cell(r, kKind) == kReference)
            if (const int c = coupletNumber(table.cell(r, kNb)), d = coupletNumber(table.cell(r, kTarget)); c > 0 && d > 0)
                from[d].insert(c);
    std::vector<MisprintedBackReference> out;
    std::set<int> seen;
    int checked = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        int couplet = 0;
        const int printed = printedBackReference(text[k], couplet);
        const auto it = printed > 0 ? from.find(couplet) : from.end();
        if (it == from.end() || !seen.insert(couplet).second) continue;
        ++checked;
        if (!it->second.count(printed) && it->second.size() == 1)
            out.push_back({static_cast<int>(k), couplet, printed, *it->second.begin()});
    }
    // A misprint is rare: most back-references disagreeing is another numbering.
    if (out.size() * 2 > static_cast<std::size_t>(checked)) return {};
    return out;
}

std::string misprintedBackReferencesMessage(const std::vector<MisprintedBackReference>& misprints) {
    if (misprints.empty()) return {};
    std::string out = misprints.size() == 1 ? "1 renvoi au couplet d'origine mal imprimé : "
                                            : std::to_string(misprints.size()) + " renvois au couplet d'origine mal imprimés : ";
    for (std::size_t i = 0; i < misprints.size(); ++i) {
        const MisprintedBackReference& m = misprints[i];
        const std::string c = std::to_string(m.couplet);
        out += (i ? ", " : "") + c + " (" + std::to_string(m.printed) + ") pour " + c + " (" + std::to_string(m.reachedFrom) + ")";
    }
    return out;
}

namespace {

// The dash a key sets before the endings of most of its leads, between
// blanks ("Alas cortas \u2014 Sciopemyia nigra", "\u2014 ver 3"); empty where
// its leads end after another leader or none.
std::string dashLeader(const Lines& text) {
    int dashed = 0, other = 0;
    std::string_view dash;
    for (const std::string& line : text) {
        const std::string t = text::trimmedBlanks(line);
        if (t.empty()) continue;
        bool found = false;
        for (std::string_view d : {" \u2014 ", " \u2013 "})
            if (const std::size_t at = t.rfind(d); at != std::string::npos && at > 3 && at + d.size() < t.size()) {
                dash = d;
                found = true;
            }
        if (found) ++dashed;
        else if (trailingLeaderStart(splitLeadEnding(t).text + " ") != std::string::npos || clearLeader(t)) ++other;
    }
    return dashed >= 2 && dashed > other ? std::string(dash.substr(0, dash.size() - 1)) : std::string();
}

}  // namespace

BareReferences bareReferences(const Lines& userText) {
    BareReferences out;
    Lines text;
    std::vector<int> userLine;
    int joined = 0;
    fieldsJoined(userText, text, userLine, joined);
    const std::vector<bool> under = destinationsUnder(text);
    // A reference sent on by words gets the leader of the key's other endings.
    const std::string dash = dashLeader(text);
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::string line = text[k];
        const std::string t = text::trimmedBlanks(line);
        // A destination on the line under its lead, as every lead has it.
        if (under[k] && !out.lines.empty()) {
            std::string& before = out.lines.back();
            while (!before.empty() && (before.back() == ' ' || before.back() == '\t')) before.pop_back();
            if (trailingLeaderStart(before) == std::string::npos) before += " ...";
            before += " " + t;
            ++out.rewritten;
            continue;
        }
        // A reference alone on the line after a lead that ends with a leader.
        if (numberAlone(t) && !out.lines.empty()) {
            std::string& before = out.lines.back();
            const std::string prior = text::trimmedBlanks(before);
            if (!prior.empty() && trailingLeaderStart(before) != std::string::npos && splitLeadEnding(prior).reference < 0) {
                while (!before.empty() && before.back() == ' ') before.pop_back();
                before += (before.ends_with("\t") ? "" : " ") + t;
                ++out.rewritten;
                continue;
            }
        }
        const LeadEnding read = splitLeadEnding(line);
        if (read.reference > 0 && read.sentOn && !read.text.empty()) {
            const std::size_t at = line.find(read.text);
            if (at != std::string::npos) {
                std::size_t end = at + read.text.size();
                const std::size_t from = end;
                while (end < line.size())
                    if (const std::size_t l = leaderCharAt(line, end)) end += l;
                    else break;
                // The user's leader kept; a reference with none gets one.
                const bool leader = clearLeader(std::string_view(line).substr(from, end - from));
                const std::string before = line;
                line = leader ? line.substr(0, end) : line.substr(0, from) + (dash.empty() ? " ..." : dash);
                if (!line.ends_with(" ") && !line.ends_with("\t")) line += ' ';
                line += std::to_string(read.reference);
                // A reference already bare after the key's dash stays as it is.
                if (line != before) ++out.rewritten;
            }
        }
        out.lines.push_back(std::move(line));
        out.origin.push_back(userLine[k]);
    }
    out.rewritten += joined;
    if (out.rewritten < 2) return {};
    return out;
}

}  // namespace sarvelo
