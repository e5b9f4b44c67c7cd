#include "layout/cells.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <numeric>
#include <set>

#include "engine/text.hpp"
#include "layout/indented.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

// The couplet a lead comes from, in brackets after its number: "9", "9'", "9’", "9a".
bool originLabel(std::string_view s) {
    for (std::string_view prime : {"'", "\u2019", "\u2032", "a", "b"})
        if (s.size() > prime.size() && s.ends_with(prime)) {
            s.remove_suffix(prime.size());
            break;
        }
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A couplet number alone: "12", "12.", with the couplet it comes from: "12(9)", "12 (9').".
int numberCell(std::string_view s) {
    if (!s.empty() && s.back() == '.') s.remove_suffix(1);
    if (const std::size_t open = s.find('('); open != std::string_view::npos && open > 0 && s.back() == ')' &&
                                              originLabel(s.substr(open + 1, s.size() - open - 2))) {
        s = s.substr(0, open);
        while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.remove_suffix(1);  // "2. (1)"
    }
    if (s.empty() || s.size() > 4) return -1;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The mark of a couplet's next lead: a dash alone, or the minus sign that
// stands for one.
bool dashCell(std::string_view s) { return s == "-" || s == "\u2013" || s == "\u2014" || s == "\u2212"; }

// The number of a couplet's next lead, primed: "2'", "2’", "2′", and the
// third lead's double prime: "2''", "2″", "2”" (or 0).
int primedCell(std::string_view s) {
    if (!s.empty() && s.back() == '.') s.remove_suffix(1);  // "2'."
    for (std::string_view prime : {"''", "\u2033", "\u201D", "'", "\u2019", "\u2032", "\u00B4"})
        if (s.size() > prime.size() && s.ends_with(prime)) return std::max(numberCell(s.substr(0, s.size() - prime.size())), 0);
    return 0;
}

// The number of a couplet's lead labelled by a letter: "1a", "1b." (or 0).
int letteredCell(std::string_view s) {
    if (!s.empty() && s.back() == '.') s.remove_suffix(1);
    if (s.size() < 2 || s.back() < 'a' || s.back() > 'c') return 0;
    return std::max(numberCell(s.substr(0, s.size() - 1)), 0);
}

// The label of a couplet's next lead: primed, or lettered "b", "c".
bool nextLeadPrinted(std::string_view s) {
    if (primedCell(s) > 0) return true;
    if (!s.empty() && s.back() == '.') s.remove_suffix(1);
    return letteredCell(s) > 0 && s.back() != 'a';
}

int coupletOfPrintedCell(std::string_view s) {
    if (const int primed = primedCell(s); primed > 0) return primed;
    if (const int lettered = letteredCell(s); lettered > 0) return lettered;
    return numberCell(s);
}

// A label cell out of the marks of bold or italics: "**1**", "_2_".
std::string_view unmarkedCell(std::string_view s) {
    while (s.size() > 2 && (s.front() == '*' || s.front() == '_' || s.front() == '=') && s.back() == s.front())
        s = s.substr(1, s.size() - 2);
    return s;
}

// The couplet a label cell names, also when a scan read its digits as the
// letters that look like them ("l", "l’", "l0" for "1", "1’", "10").
int coupletOfCell(std::string_view s) {
    s = unmarkedCell(s);
    if (const int printed = coupletOfPrintedCell(s); printed >= 0 || s.size() > 6) return printed;
    std::string digits(s);
    bool misread = false;
    for (char& c : digits)
        if (c == 'l' || c == 'I' || c == '|') c = '1', misread = true;
        else if (c == 'O') c = '0', misread = true;
    return misread && digits.front() != '0' ? coupletOfPrintedCell(digits) : -1;
}

bool nextLead(std::string_view s) { return nextLeadPrinted(unmarkedCell(s)); }

// A couplet of a sub-key named by a letter, under the name it divides:
// "a", "b." (its place in the alphabet, or 0).
int letterCell(std::string_view s) {
    if (!s.empty() && (s.back() == '.' || s.back() == ')')) s.remove_suffix(1);
    return s.size() == 1 && s[0] >= 'a' && s[0] <= 'h' ? s[0] - 'a' + 1 : 0;
}

bool labelCell(std::string_view s) { return coupletOfCell(s) > 0 || dashCell(s) || letterCell(s) > 0; }

// A lead's text without the leader a copy left at its end ("Wings dark ........").
std::string withoutLeader(std::string s) {
    for (bool cut = true; cut;) {
        cut = false;
        for (std::string_view l : {" ", ".", "\u2026", "\u00B7", "_"})
            if (s.size() > l.size() && s.ends_with(l)) {
                s.resize(s.size() - l.size());
                cut = true;
            }
    }
    return s;
}

// The book's page in a cell of its own: "p. 12", "pp. 12-14", "S. 45", "page 12".
bool pageCell(std::string_view s) {
    for (std::string_view word : {"p.", "pp.", "S.", "page", "pág.", "Seite"})
        if (s.starts_with(word)) {
            s.remove_prefix(word.size());
            while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
            return !s.empty() && s.size() <= 9 && s.find_first_not_of("0123456789-\u2013.") == std::string_view::npos;
        }
    return false;
}

// A destination after words, the group the lead leads to: "section Kosaria,
// 2". A year ("Smith, 1990") is no couplet: three digits at most.
int referenceAfterWords(std::string& s) {
    const std::size_t comma = s.rfind(", ");
    if (comma == std::string::npos || comma == 0 || s.size() - comma - 2 > 3) return -1;
    const int value = numberCell(std::string_view(s).substr(comma + 2));
    if (value <= 0) return -1;
    s.erase(comma);
    return value;
}

// The cells of a pipe table's row ("| 1 | Leaves simple | 2 |", the outer
// bars optional): an empty first cell is the couplet's next lead, other
// empty cells (a name column left blank) and the rule line ("| --- |") go.
// False when the line is no such row.
// Rows of cells between tabs are read alike ("1\tLeaves simple\t2",
// "\tLeaves compound\tAcer"), from the line as pasted: a tab before the
// first cell leaves it empty.
bool pipeRow(const std::string& line, std::vector<std::string>& cells) {
    const bool bars = std::count(line.begin(), line.end(), '|') >= 2;
    const char bar = bars ? '|' : '\t';
    // A row of two cells, a label and a lead's text, is a lead that goes on
    // to the row under it ("2'\tRim not prominent"); one whose label cell is
    // empty is a remark ("\t(Gabon, Ghana)").
    if (const auto tabs = std::count(line.begin(), line.end(), '\t'); !bars && tabs < 2) {
        const std::string label = tabs == 0 ? "" : text::trimmedBlanks(std::string_view(line).substr(0, line.find('\t')));
        if (tabs == 0 || !(label.empty() || labelCell(label))) return false;
    }
    std::string_view row = line;
    if (bars) {
        const std::size_t b = row.find_first_not_of(" \t"), e = row.find_last_not_of(" \t");
        row = row.substr(b, e + 1 - b);
        if (row.front() == '|') row.remove_prefix(1);
        if (!row.empty() && row.back() == '|') row.remove_suffix(1);
    }
    bool first = true;
    for (std::size_t from = 0; from <= row.size();) {
        const std::size_t next = std::min(row.find(bar, from), row.size());
        std::string cell = text::trimmedBlanks(row.substr(from, next - from));
        if (cell.size() >= 3 && cell.find_first_not_of("-: ") == std::string::npos) return true;  // the rule line
        if (!cell.empty()) cells.push_back(std::move(cell));
        else if (first) cells.emplace_back("-");
        first = false;
        from = next + 1;
    }
    return true;
}

// A name run into a lead's text: a genus abbreviated ("C.alba", "C. alba")
// after a word in lower case, then only its authors (words in capitals, "&",
// "ex"), abbreviations ("sp. n.") and a remark in brackets to the end.
// Where it starts, or npos.
std::size_t abbreviatedNameStart(std::string_view s) {
    auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    std::size_t end = s.size();
    if (!s.empty() && s.back() == ')')
        if (const std::size_t open = s.rfind(" ("); open != std::string_view::npos) end = open;
    if (end == 0) return std::string_view::npos;
    for (std::size_t at = s.rfind(' ', end - 1), wordEnd = end; at != std::string_view::npos && at > 0;
         wordEnd = at, at = s.rfind(' ', at - 1)) {
        std::string_view word = s.substr(at + 1, wordEnd - at - 1);
        std::size_t genus = at;  // "C. alba": the genus is the word before
        if (word.size() >= 3 && lower(word[0]) && at >= 3 && s[at - 1] == '.' && upper(s[at - 2]) && s[at - 3] == ' ')
            genus = at - 3;
        else if (word.size() >= 5 && upper(word[0]) && word[1] == '.')
            word.remove_prefix(2);
        else
            genus = std::string_view::npos;
        if (genus != std::string_view::npos)
            return genus > 0 && lower(s[genus - 1]) && word.size() >= 3 && lower(word[0]) && lower(word[1]) && lower(word[2])
                       ? genus + 1
                       : std::string_view::npos;
        // "sp. n.", "comb. nov." after the name, the last one's stop maybe
        // taken with the leader ("sp. n").
        const bool abbreviation =
            !word.empty() && word.size() <= 5 && (word.back() == '.' || wordEnd == s.size()) && lower(word[0]);
        if (word.empty() || !(upper(word[0]) || word == "&" || word == "ex" || abbreviation)) return std::string_view::npos;
    }
    return std::string_view::npos;
}

// A line that opens with a bracket and is no reference in brackets ("(2)"):
// a lead's text cut at its bracket ("(Fig. 3)", "(rarely 4) setae"), as an
// export of a page's fields gives it; a name opens so only with a short
// mark before its capital ("(f) Karstia prolata").
bool bracketedText(std::string_view s) {
    if (s.empty() || s.front() != '(' || numberCell("0" + std::string(s)) == 0) return false;
    const std::size_t close = s.find(')');
    return !(close != std::string_view::npos && close <= 6 && close + 2 < s.size() && s[close + 1] == ' ' &&
             std::isupper(static_cast<unsigned char>(s[close + 2])));
}

// A lead's text going on under its first line: in brackets, or a sentence
// in lower case with its stops or figures ("mm long; 5–6 pairs", "or pale,
// or both."), not an epithet or a phrase that names ("other species of
// section Kosaria").
bool textGoingOn(const std::string& s) {
    return bracketedText(s) || (lowerCaseStart(s) && std::count(s.begin(), s.end(), ' ') >= 2 &&
                                s.find_first_of(";:,.0123456789") != std::string::npos);
}

}  // namespace

CellKey readCellPerLine(const Lines& text) {
    CellKey out;
    // The lines that carry text, trimmed, with their place; a pipe table's
    // row gives its cells.
    std::vector<std::string> cells;
    std::vector<int> at;
    std::vector<bool> rowCell;  // the cell stood in a row of cells
    // Rows whose label is a dash printed for the couplet's next lead.
    bool dashLabels = false;
    for (const auto& line : text) {
        std::vector<std::string> row;
        if (const std::string s = text::trimmedBlanks(line); !s.empty() && pipeRow(line, row) && !row.empty() &&
                                                             dashCell(row[0]) && s.starts_with(row[0])) {
            dashLabels = true;
            break;
        }
    }
    // Which lines are rows of cells, and for each line the rows before and
    // after it across lines of other text.
    std::vector<bool> rowLine(text.size());
    std::vector<std::string> scratch;
    for (std::size_t k = 0; k < text.size(); ++k) rowLine[k] = pipeRow(text[k], scratch), scratch.clear();
    std::vector<int> otherBefore(text.size(), 0);  // lines of other text since the last row
    for (std::size_t k = 0, since = 0; k < text.size(); ++k) {
        const bool blank = text::trimmedBlanks(text[k]).empty();
        otherBefore[k] = rowLine[k] ? 0 : static_cast<int>(since += blank ? 0 : 1);
        if (rowLine[k]) since = 0;
    }
    std::vector<bool> rowAfter(text.size(), false);  // a row follows within a few lines of other text
    constexpr int kHeadLines = 3;                   // a page's number and running heads
    for (std::size_t k = text.size(), other = 0, seen = 0; k-- > 0;) {
        if (rowLine[k]) other = 0, seen = 1;
        else if (!text::trimmedBlanks(text[k]).empty()) ++other;
        rowAfter[k] = !rowLine[k] && seen && other <= kHeadLines;
    }
    bool rowSeen = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::string s = text::trimmedBlanks(text[k]);
        if (s.empty()) continue;
        // A running head between two pages ("248 FLORA OF OHIO"); a number
        // alone is a cell, but for a few short lines between two rows of
        // cells, where the table's page broke.
        // After the rows, a number alone is the page's too.
        if ((s.find(' ') != std::string::npos && pageFurniture(s)) ||
            (rowSeen && !rowLine[k] && rowAfter[k] && otherBefore[k] <= kHeadLines && s.size() <= 80 &&
             s.front() != '(') ||
            (rowSeen && !rowLine[k] && s.size() <= 4 && s.find_first_not_of("0123456789") == std::string::npos)) {
            ++out.heads;
            continue;
        }
        std::vector<std::string> row;
        const bool inRow = pipeRow(text[k], row);
        rowSeen = rowSeen || inRow;
        if (!inRow) row.push_back(std::move(s));
        // A row that only carries a remark in brackets, its label and
        // destination cells empty ("\t(two species in China)\t"): it goes
        // with the name of the row above.
        // So does any such row when the table marks its next leads with a
        // dash: a row without label is then no lead ("\tSmall worms.\t").
        const bool remark = (s.front() == '(' && row.size() == 2 && row[1].back() == ')') ||
                            (dashLabels && row.size() == 2 && row[0] == "-" && !s.starts_with("-"));
        if (inRow && remark && !cells.empty() && rowCell.back() && !labelCell(cells.back()) &&
            numberCell(cells.back()) <= 0) {
            cells.back() += " " + row[1];
            continue;
        }
        for (auto& cell : row) {
            // A leader in a cell of its own ("........") is layout.
            if (cell.size() >= 3 && withoutLeader("x" + cell) == "x") continue;
            // The couplet it comes from in a cell of its own ("2", "(1)"):
            // read with the number, as "2(1)".
            if (cell.size() >= 3 && cell.front() == '(' && !cells.empty() && numberCell(cells.back()) > 0 &&
                numberCell("0" + cell) == 0) {
                cells.back() += cell;
                continue;
            }
            cells.push_back(std::move(cell));
            at.push_back(static_cast<int>(k));
            rowCell.push_back(inRow);
        }
    }
    const std::size_t n = cells.size();
    auto isText = [&](std::size_t i) { return i < n && !labelCell(cells[i]); };
    // The key starts at couplet 1 followed by a lead's text.
    std::size_t i = 0;
    while (i < n && !(coupletOfCell(cells[i]) == 1 && isText(i + 1))) ++i;
    if (i == n) return {};
    const std::size_t start = i;
    int couplet = 0;
    int leads = 0;
    // Sub-keys in letters take numbers of their own, above the book's.
    constexpr int kSubKeys = 900, kSubKeyCouplets = 20;
    int subKey = 0;
    // Couplet numbers printed again, their couplets closed, those opened,
    // and the lead of a row without destination waiting for the next row.
    constexpr int kReprinted = 700;
    std::map<int, int> renamed;
    std::set<int> closed, opened, named;  // named: couplets a lead leads to
    std::vector<int> open;  // couplets whose next lead is still to come, innermost last
    int leadingOn = -1;
    bool leadingStop = false;  // its text ended with a stop, taken as a leader
    // Such a row that leads to no couplet may hold its name run into its
    // text after a blank, the tab lost ("... at maturity C.alba Wernh").
    auto nameRunIn = [&] {
        if (leadingOn < 0) return;
        std::string& line = out.couplets[static_cast<std::size_t>(leadingOn)];
        const std::size_t textStart = line.find(". ") + 2;
        if (const std::size_t at = abbreviatedNameStart(std::string_view(line).substr(textStart)); at != std::string::npos) {
            std::string name = line.substr(textStart + at);
            if (leadingStop && !name.ends_with(".")) name += '.';  // "sp. n."
            line = withoutLeader(line.substr(0, textStart + at)) + " => " + name;
        }
    };
    while (i < n && labelCell(cells[i]) && isText(i + 1)) {
        if (dashCell(cells[i])) {
            if (couplet == 0) return {};
            // In indented order a dash after a couplet that had its next
            // lead is the next lead of the innermost couplet still open.
            if (closed.count(couplet) && !open.empty()) couplet = open.back();
        } else if (const int letter = letterCell(cells[i]); letter > 0) {
            // The first couplet of a sub-key under the name the lead above
            // gave: that lead goes on to it, the name kept in its text.
            if (couplet == 0) return {};
            if (letter == 1) {
                subKey = kSubKeys + kSubKeyCouplets * (subKey == 0 ? 0 : (subKey - kSubKeys) / kSubKeyCouplets + 1);
                if (std::string& above = out.couplets.back(); above.find(" => ") != std::string::npos)
                    above = above.replace(above.find(" => "), 4, " ") + " ... " + std::to_string(subKey + 1);
            }
            if (subKey == 0) return {};
            couplet = subKey + letter;
        } else {
            // In indented order a number printed again once its couplet has
            // had its next lead names a new couplet (a misprint of the book).
            const int printed = coupletOfCell(cells[i]);
            const auto again = renamed.find(printed);
            couplet = again == renamed.end() ? printed : again->second;
            if (!nextLead(cells[i]) && closed.count(couplet)) renamed[printed] = couplet = kReprinted + static_cast<int>(renamed.size());
        }
        if (dashCell(cells[i]) || nextLead(cells[i])) {
            closed.insert(couplet);
            open.erase(std::remove(open.begin(), open.end(), couplet), open.end());
        } else if (!opened.count(couplet)) {
            open.push_back(couplet);
        }
        // A row without destination before the first lead of a couplet not
        // seen yet, nor named by a lead, leads to it (indented order).
        if (leadingOn >= 0 && !opened.count(couplet) && !named.count(couplet) && !dashCell(cells[i]) && !nextLead(cells[i]))
            out.couplets[static_cast<std::size_t>(leadingOn)] += " ... " + std::to_string(couplet);
        else
            nameRunIn();
        leadingOn = -1;
        opened.insert(couplet);
        const int origin = at[i];
        leadingStop = cells[i + 1].ends_with(".") && !cells[i + 1].ends_with("..");
        std::string line = std::to_string(couplet) + ". " + withoutLeader(cells[i + 1]);
        i += 2;
        // One cell a line, a lead's text cut at its brackets or italics
        // ("Leaves broad", "(Fig. 3)"): a line in brackets or in lower case
        // goes on with it when a destination and the next lead follow, or,
        // after the last lead, a destination set after its leader.
        auto leadAt = [&](std::size_t k) { return k + 1 < n && labelCell(cells[k]) && isText(k + 1); };
        auto leaderFirst = [&](std::size_t k) { return startsWithDots(cells[k]); };
        // Also, before a name over cells of its own, the text going on.
        while (!rowCell[i - 1] && i + 1 < n &&
               (((cells[i].front() == '(' || lowerCaseStart(cells[i])) && (isText(i + 1) || numberCell(cells[i + 1]) > 0) &&
                 (leadAt(i + 2) || (i + 2 == n && leaderFirst(i + 1)))) ||
                (textGoingOn(cells[i]) && isText(i + 1))))
            joinWrapped(line, withoutLeader(cells[i++]));
        // A row whose destination cell is empty leads on to the row under
        // it, or goes without, for the checks to name its line.
        if (rowCell[i - 1] && (i == n || at[i] != at[i - 1])) {
            leadingOn = static_cast<int>(out.couplets.size());
            out.couplets.push_back(std::move(line));
            out.origin.push_back(origin);
            ++leads;
            continue;
        }
        // Every lead has its destination cell, but for a key in indented
        // order: a lead that leads on is followed by its couplet's number and
        // the first lead's text, which is then its destination.
        if (i == n || dashCell(cells[i]) || primedCell(cells[i]) > 0 || letteredCell(cells[i]) > 0) return {};
        std::string ending = cells[i];
        // A destination after its leader on a line of its own ("........ Tricholoma").
        if (leaderFirst(i)) {
            std::string_view rest = ending;
            while (!rest.empty() && (rest.front() == '.' || rest.front() == ' ' || rest.starts_with("\u2026")))
                rest.remove_prefix(rest.starts_with("\u2026") ? std::string_view("\u2026").size() : 1);
            if (!rest.empty()) ending = std::string(rest);
        }
        const bool nextCouplet = numberCell(ending) > 0 && isText(i + 1);
        // The number of a couplet a lead already leads to is the next row's
        // label: this lead has no destination cell, its name may be run in.
        if (nextCouplet && named.count(numberCell(ending))) {
            leadingOn = static_cast<int>(out.couplets.size());
            out.couplets.push_back(std::move(line));
            out.origin.push_back(origin);
            ++leads;
            continue;
        }
        if (!nextCouplet) ++i;
        // A number in the name's row after it is the book's page, so is a
        // page noted so ("p. 12", "S. 45").
        if (!nextCouplet && numberCell(ending) <= 0 && i < n && at[i] == at[i - 1] &&
            (numberCell(cells[i]) > 0 || pageCell(cells[i]))) {
            ++i;
            ++out.pages;
        }
        // A name over cells of its own, one cell a line, cut where its
        // italics end ("Tricholoma", "album", "(Fr.)") or before its authors
        // ("Boletus edulis", "Bull."): the few short cells before the next
        // lead's label go with it.
        if (!nextCouplet && numberCell(ending) <= 0 && !rowCell[i - 1]) {
            constexpr std::size_t kNameCells = 3;
            auto shortCell = [&](std::size_t k) {
                return isText(k) && std::count(cells[k].begin(), cells[k].end(), ' ') < 4 && cells[k].size() <= 40;
            };
            std::size_t k = i;
            while (k < n && k < i + kNameCells && shortCell(k)) ++k;
            // After the last lead, only an epithet or a remark in brackets:
            // a heading may follow the key.
            const bool last = k == n && std::all_of(cells.begin() + static_cast<std::ptrdiff_t>(i), cells.end(),
                                                    [](const std::string& c) { return c.front() == '(' || lowerCaseStart(c); });
            // Else the name's authors in brackets under it, a heading after.
            const bool authors = k > i && cells[i].front() == '(' && cells[i].back() == ')' && numberCell("0" + cells[i]) != 0;
            if (k > i && (last || (k + 1 < n && labelCell(cells[k]) && isText(k + 1))))
                for (; i < k; ++i) ending += " " + cells[i];
            else if (authors)
                ending += " " + cells[i++];
        }
        // A reference in brackets or after an arrow or words: "(2)", "→ 2", "go to 2".
        const LeadEnding sent = splitLeadEnding(ending);
        if (const int reference = referenceAfterWords(ending); reference > 0)
            line += " " + ending + " ... " + std::to_string(reference);
        else if (numberCell(ending) > 0)
            line += " ... " + std::to_string(numberCell(ending));
        else if (subKey > 0 && letterCell(ending) > 0)
            line += " ... " + std::to_string(subKey + letterCell(ending));
        else if (sent.reference > 0 && sent.text.empty())
            line += " ... " + std::to_string(sent.reference);
        // Words before the reference, the group the lead leads to: "pictipes
        // group... 2", "(P. fauriei) 13".
        else if (sent.reference > 0)
            line += " " + sent.text + " ... " + std::to_string(sent.reference);
        else {
            // The book's species number before the name is none of it ("18. Lactarius alba").
            std::string name = unmarkedName(ending);
            if (dropBookNumber(name)) ++out.pages;
            line += " => " + name;
        }
        if (const std::size_t to = line.rfind(" ... "); to != std::string::npos) named.insert(std::atoi(line.c_str() + to + 5));
        out.couplets.push_back(std::move(line));
        out.origin.push_back(origin);
        ++leads;
    }
    nameRunIn();
    if (leads < 4) return {};
    // A note's call glued to a name, a superscript the copy set on the line
    // ("hoggi1", "[WA]2"), when the notes follow the key ("1 Faulder, ...").
    {
        std::set<std::string, std::less<>> notes;
        for (std::size_t k = i; k < n; ++k) {
            const std::string& cell = cells[k];
            std::size_t d = 0;
            while (d < cell.size() && d < 3 && cell[d] >= '0' && cell[d] <= '9') ++d;
            if (d > 0 && d <= 2 && d + 1 < cell.size() && cell[d] == ' ' && std::isupper(static_cast<unsigned char>(cell[d + 1])))
                notes.insert(cell.substr(0, d));
        }
        for (std::string& line : out.couplets) {
            const std::size_t name = line.find(" => ");
            if (notes.empty() || name == std::string::npos) continue;
            std::size_t d = line.size();
            while (d > name + 5 && line[d - 1] >= '0' && line[d - 1] <= '9') --d;
            const char before = line[d - 1];
            if (d < line.size() && line.size() - d <= 2 && ((before >= 'a' && before <= 'z') || before == ']' || before == ')') &&
                notes.count(std::string_view(line).substr(d))) {
                line.erase(d);
                ++out.calls;
            }
        }
    }
    // A key in indented order gives a couplet's second lead after the first
    // one's sub-key: each couplet's leads are set together, in the order
    // the couplets first appear.
    {
        std::map<int, std::size_t> firstSeen;
        std::vector<std::size_t> rank;
        for (const auto& line : out.couplets)
            rank.push_back(firstSeen.emplace(std::stoi(line), firstSeen.size()).first->second);
        std::vector<std::size_t> order(rank.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return rank[x] < rank[y]; });
        Lines lines;
        std::vector<int> origin;
        for (std::size_t k : order) {
            lines.push_back(std::move(out.couplets[k]));
            origin.push_back(out.origin[k]);
        }
        out.couplets = std::move(lines);
        out.origin = std::move(origin);
    }
    // Lines, not cells, are counted as text set aside.
    auto linesOf = [&](std::size_t from, std::size_t to) {
        int lines = 0;
        for (std::size_t k = from; k < to; ++k)
            if (k == from || at[k] != at[k - 1]) ++lines;
        return lines;
    };
    out.before = linesOf(0, start);
    out.after = linesOf(i, n);
    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne},
                                {out.after, kMsgTextAfter, kMsgTextAfterOne},
                                {out.pages, kMsgBookNumbers, kMsgBookNumbersOne},
                                {out.heads, kMsgPagesAside, kMsgPagesAsideOne},
                                {out.calls, kMsgNameNoteCalls, kMsgNameNoteCallsOne}});
    return out;
}

}  // namespace sarvelo

namespace sarvelo {

namespace {

// The cells of a row between bars as they stand, an empty one kept empty
// (the trailing empty ones dropped); false when the line is no such row.
// The rule line under a header gives no cell.
bool barCells(std::string_view line, std::vector<std::string>& cells) {
    if (std::count(line.begin(), line.end(), '|') < 2) return false;
    const std::size_t b = line.find_first_not_of(" \t"), e = line.find_last_not_of(" \t");
    std::string_view row = line.substr(b, e + 1 - b);
    if (row.front() == '|') row.remove_prefix(1);
    if (!row.empty() && row.back() == '|') row.remove_suffix(1);
    for (std::size_t from = 0; from <= row.size();) {
        const std::size_t next = std::min(row.find('|', from), row.size());
        std::string cell = text::trimmedBlanks(row.substr(from, next - from));
        if (cell.size() >= 3 && cell.find_first_not_of("-: ") == std::string::npos) {
            cells.clear();
            return true;
        }
        cells.push_back(std::move(cell));
        from = next + 1;
    }
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return true;
}

std::string tabbed(const std::vector<std::string>& cells) {
    std::string line;
    for (const auto& cell : cells) line += (line.empty() && &cell == &cells.front() ? "" : "\t") + cell;
    return line;
}

// A line that is a leader alone.
bool leaderLine(std::string_view s) { return s.size() >= 3 && withoutLeader("x" + std::string(s)) == "x"; }

// A running head between two pages ("248 FLORA OF OHIO"); a number alone is a cell.
bool runningHead(const std::string& s) { return s.find(' ') != std::string::npos && pageFurniture(s); }

// What may follow a name in a cell of its own: its authors ("(Schaeff.) P.
// Kumm."), a remark in brackets, the book's page. Authors have no word of
// four letters or more in lower case ("Species descriptions" is a heading).
bool nameCompanion(std::string_view s) {
    if (pageCell(s) || numberCell(s) > 0 || s.front() == '(') return true;
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t end = std::min(s.find(' ', at), s.size());
        const std::string_view word = s.substr(at, end - at);
        if (word.size() >= 4 && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            return false;
        at = end + 1;
    }
    return s.size() <= 40 && std::count(s.begin(), s.end(), ' ') < 4 && bookNumberLength(s) == 0;
}

}  // namespace

TableRows tableAsTabRows(const Lines& text) {
    TableRows out;
    constexpr int kRows = 4;  // fewer rows make no table
    // Rows between tabs whose labels stand in the marks of bold or italics
    // ("**2(1)**\tGills free"): the labels out of their marks.
    {
        auto markedLabel = [](std::string_view line) {
            const std::size_t tab = line.find('\t');
            const std::string_view label = line.substr(0, tab == std::string_view::npos ? 0 : tab);
            return unmarkedCell(label).size() < label.size() && labelCell(unmarkedCell(label)) ? label.size() : std::size_t{0};
        };
        int marked = 0;
        for (const auto& line : text) marked += markedLabel(line) > 0 ? 1 : 0;
        if (marked >= kRows) {
            for (std::size_t k = 0; k < text.size(); ++k) {
                const std::size_t label = markedLabel(text[k]);
                out.lines.push_back(label > 0 ? std::string(unmarkedCell(std::string_view(text[k]).substr(0, label))) +
                                                    text[k].substr(label)
                                              : text[k]);
                out.origin.push_back(static_cast<int>(k));
                if (label > 0) out.lastRow = static_cast<int>(k);
            }
            return out;
        }
    }
    // Rows between bars.
    int barRows = 0;
    std::vector<std::string> cells;
    for (const auto& line : text) {
        cells.clear();
        barRows += barCells(line, cells) && cells.size() >= 2 ? 1 : 0;
    }
    if (barRows >= kRows) {
        out.bars = true;
        for (std::size_t k = 0; k < text.size(); ++k) {
            cells.clear();
            if (!barCells(text[k], cells)) {
                out.lines.push_back(text[k]);
            } else if (cells.empty()) {
                continue;  // the rule line
            } else {
                out.lines.push_back(tabbed(cells));
                out.lastRow = static_cast<int>(k);
            }
            out.origin.push_back(static_cast<int>(k));
        }
        return out;
    }
    // One cell a line: a row starts at a label cell followed by a text cell
    // and takes the cells up to the next row's start; a couplet of origin in
    // a cell of its own goes with the label, a leader alone goes. Rows are
    // short: the text after a row of more cells is no longer the table.
    std::vector<std::size_t> at;  // the lines that carry text
    for (std::size_t k = 0; k < text.size(); ++k)
        if (!text::trimmedBlanks(text[k]).empty()) at.push_back(k);
    auto cellAt = [&](std::size_t i) { return text::trimmedBlanks(text[at[i]]); };
    // A text cell is no lead of its own: a reference alone on the line after
    // its lead ("...........", "3", "– Wings pale ....") starts no row.
    auto leadOfItsOwn = [](const std::string& s) {
        for (std::string_view dash : {"-", "\u2013", "\u2014", "\u2212"})
            if (s.starts_with(std::string(dash) + " ")) return true;
        std::size_t d = 0;
        while (d < s.size() && d < 3 && s[d] >= '0' && s[d] <= '9') ++d;
        if (d > 0 && d < s.size() && (s[d] == '.' || s[d] == ')')) ++d;
        return d > 0 && d + 1 < s.size() && s[d] == ' ' && std::isupper(static_cast<unsigned char>(s[d + 1])) &&
               s.size() > 40;
    };
    auto rowStart = [&](std::size_t i) {
        return i + 1 < at.size() && labelCell(cellAt(i)) && !labelCell(cellAt(i + 1)) && !leaderLine(cellAt(i + 1)) &&
               !leadOfItsOwn(cellAt(i + 1));
    };
    constexpr std::size_t kCellsAfterText = 3;  // a destination, a name's authors, the book's page
    // Whether another row starts at `i` or after it.
    auto rowAfter = [&](std::size_t i) {
        for (; i < at.size(); ++i)
            if (rowStart(i)) return true;
        return false;
    };
    std::size_t i = 0;
    while (i < at.size() && !rowStart(i)) ++i;
    const std::size_t first = i;
    std::vector<std::pair<std::string, int>> rows;
    while (i < at.size() && rowStart(i)) {
        std::vector<std::string> row{cellAt(i)};
        const int origin = static_cast<int>(at[i]);
        ++i;
        if (i + 1 < at.size() && cellAt(i).front() == '(' && numberCell("0" + cellAt(i)) == 0) {
            row.front() += cellAt(i);
            ++i;
        }
        row.push_back(cellAt(i++));  // the lead's text
        // A text cell wrapped over several lines (a printed table copied):
        // the lines up to a reference before the next row's start are its
        // text.
        {
            constexpr std::size_t kWrappedLines = 12;
            std::size_t next = i;
            while (next < at.size() && next < i + kWrappedLines && !rowStart(next)) ++next;
            // The last row ends at the blank line after the table.
            bool lastRow = false;
            if (next == at.size() || !rowStart(next)) {
                next = i;
                while (next < at.size() && next < i + kWrappedLines && at[next] == at[next - 1] + 1) ++next;
                lastRow = next < i + kWrappedLines && (next == at.size() || at[next] > at[next - 1] + 1);
            }
            std::size_t reference = next;
            while (reference > i && leaderLine(cellAt(reference - 1))) --reference;
            // A name with its authors after the text read as they stand
            // ("Tricholoma", "L."), not as the text's last lines.
            const std::string after = i < at.size() ? cellAt(i) : std::string();
            const bool nameFirst = numberCell(cellAt(reference - 1)) <= 0 && !after.empty() &&
                                   std::isupper(static_cast<unsigned char>(after.front())) &&
                                   std::count(after.begin(), after.end(), ' ') < 5;
            if ((lastRow || (next < at.size() && rowStart(next))) && reference > i + 1 && !nameFirst) {
                // The destination: the last line, with the name before
                // authors in brackets ("Balera pellucida", "(Osborn)").
                std::size_t destination = reference - 1;
                if (const std::string before = cellAt(destination - 1);
                    numberCell(cellAt(destination)) <= 0 && cellAt(destination).front() == '(' && destination > i + 1 &&
                    std::count(before.begin(), before.end(), ' ') < 5 &&
                    std::isupper(static_cast<unsigned char>(before[bookNumberLength(before)])))
                    --destination;
                // Else a line in brackets is still the text's: the row has no
                // destination cell and leads on (indented order).
                else if (textGoingOn(cellAt(destination)))
                    destination = reference;
                for (std::size_t k = i; k < destination; ++k)
                    if (const std::string cell = cellAt(k); !leaderLine(cell) && !runningHead(cell)) joinWrapped(row.back(), cell);
                if (destination < reference) {
                    std::string ending = cellAt(destination);
                    for (std::size_t k = destination + 1; k < reference; ++k) ending += " " + cellAt(k);
                    row.push_back(std::move(ending));
                }
                rows.emplace_back(tabbed(row), origin);
                i = next;
                if (lastRow) break;
                continue;
            }
        }
        bool ended = false;
        for (; i < at.size() && !rowStart(i); ++i) {
            const std::string cell = cellAt(i);
            if (leaderLine(cell)) continue;
            if (runningHead(cell)) continue;
            // After the destination, only what goes with a name: its authors,
            // a remark in brackets, the book's page. Other text ends the table,
            // so does a blank line after the last row.
            if (row.size() >= 3 &&
                (row.size() >= 2 + kCellsAfterText || !nameCompanion(cell) || (at[i] > at[i - 1] + 1 && !rowAfter(i)))) {
                ended = true;
                break;
            }
            // A line in brackets or in lower case right under the text is the text's.
            if (row.size() == 2 && textGoingOn(cell)) {
                joinWrapped(row.back(), cell);
                continue;
            }
            // Authors in brackets go with the name before them, as in a row
            // read whole ("Balera pellucida (Osborn)").
            if (row.size() >= 3 && cell.front() == '(' && numberCell(row.back()) <= 0 && !pageCell(row.back())) {
                row.back() += " " + cell;
                continue;
            }
            row.push_back(cell);
        }
        rows.emplace_back(tabbed(row), origin);
        if (ended) break;
    }
    if (static_cast<int>(rows.size()) < kRows) return {};
    const std::size_t last = i;
    for (std::size_t k = 0; k < (first < at.size() ? at[first] : text.size()); ++k) {
        out.lines.push_back(text[k]);
        out.origin.push_back(static_cast<int>(k));
    }
    for (auto& [line, origin] : rows) {
        out.lines.push_back(std::move(line));
        out.origin.push_back(origin);
    }
    out.lastRow = rows.back().second;
    for (std::size_t k = last > 0 ? at[last - 1] + 1 : text.size(); k < text.size(); ++k) {
        out.lines.push_back(text[k]);
        out.origin.push_back(static_cast<int>(k));
    }
    return out;
}

}  // namespace sarvelo

namespace sarvelo {

namespace {

struct SpacedCell {
    int column;
    std::string text;
};

// A line cut into cells at runs of two blanks or more, each with the column
// it starts at (a tab counts as a run).
std::vector<SpacedCell> spacedCells(std::string_view line) {
    std::vector<SpacedCell> cells;
    std::size_t k = 0;
    while (k < line.size()) {
        while (k < line.size() && (line[k] == ' ' || line[k] == '\t')) ++k;
        if (k >= line.size()) break;
        const std::size_t start = k;
        std::size_t end = k;
        while (end < line.size()) {
            if (line[end] == '\t' || (line[end] == ' ' && end + 1 < line.size() && line[end + 1] == ' ')) break;
            ++end;
        }
        // Columns count characters, not bytes ("C\u2014red" sets its cells as printed).
        const auto column = std::count_if(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(start),
                                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        cells.push_back({static_cast<int>(column), text::trimmedBlanks(line.substr(start, end - start))});
        k = end;
    }
    return cells;
}

bool hasLetter(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

CellKey readSpacedColumns(const Lines& text) {
    constexpr int kRows = 4;
    constexpr int kNear = 2;  // columns a printed cell may stray by
    std::vector<std::vector<SpacedCell>> cells(text.size());
    std::map<int, int> nameColumns;  // where the last cell of a line of three or more starts
    for (std::size_t k = 0; k < text.size(); ++k) {
        cells[k] = spacedCells(text[k]);
        if (cells[k].size() >= 3 && hasLetter(cells[k].back().text)) ++nameColumns[cells[k].back().column];
    }
    if (nameColumns.empty()) return {};
    const int nameColumn =
        std::max_element(nameColumns.begin(), nameColumns.end(), [](const auto& a, const auto& b) { return a.second < b.second; })->first;
    // The column heads ("Color  Hardness  Remarks  Mineral"): one capitalised word a cell.
    auto heads = [](const std::vector<SpacedCell>& c) {
        return std::all_of(c.begin(), c.end(), [](const SpacedCell& cell) {
            return std::isupper(static_cast<unsigned char>(cell.text.front())) && cell.text.find(' ') == std::string::npos &&
                   std::none_of(cell.text.begin(), cell.text.end(), [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
        });
    };
    std::map<int, int> starts;  // where rows of three cells or more start
    // A row of two cells (its middle cells run together by single blanks)
    // starts where such rows do.
    auto isRow = [&](std::size_t k) {
        const auto& c = cells[k];
        return (c.size() >= 3 || (c.size() == 2 && starts.count(c.front().column))) && !heads(c) &&
               std::abs(c.back().column - nameColumn) <= kNear && hasLetter(c.back().text) &&
               std::count(c.back().text.begin(), c.back().text.end(), ' ') <= 2;
    };
    for (std::size_t k = 0; k < text.size(); ++k)
        if (cells[k].size() >= 3 && isRow(k)) ++starts[cells[k].front().column];
    std::vector<std::size_t> rows;
    for (std::size_t k = 0; k < text.size(); ++k)
        if (isRow(k)) rows.push_back(k);
    if (static_cast<int>(rows.size()) < kRows) return {};
    // The margin the rows of a group start at, the rightmost that two rows
    // share: a row starting further left opens a group with the cell it sets
    // there (a shade printed on its first row).
    int margin = starts.begin()->first;
    for (const auto& [column, count] : starts)
        if (count >= 2) margin = column;
    struct Row {
        std::string group;  // its group's cell, on the group's first row only
        std::vector<SpacedCell> cells;
        int line;
    };
    std::vector<Row> read;
    const std::size_t first = rows.front();
    std::size_t end = first;
    for (std::size_t k = first; k < text.size(); ++k) {
        const auto& c = cells[k];
        if (c.empty()) continue;
        if (isRow(k)) {
            Row row{{}, c, static_cast<int>(k)};
            if (c.front().column < margin - kNear) {
                row.group = c.front().text;
                row.cells.erase(row.cells.begin());
            }
            read.push_back(std::move(row));
            end = k + 1;
            continue;
        }
        // A cell wrapped under its own: it starts right of the row's margin,
        // left of the names.
        const bool wrapped = c.front().column >= margin && c.back().column < nameColumn - kNear;
        if (!wrapped) {
            if (k > rows.back()) break;
            return {};  // something else inside the table: not this layout
        }
        for (const SpacedCell& piece : c) {
            Row& row = read.back();
            std::size_t into = 0;
            for (std::size_t j = 0; j + 1 < row.cells.size(); ++j)
                if (row.cells[j].column <= piece.column + kNear) into = j;
            row.cells[into].text += " " + piece.text;
        }
        end = k + 1;
    }
    const bool grouped = std::any_of(read.begin(), read.end(), [](const Row& r) { return !r.group.empty(); });
    if (grouped && read.front().group.empty()) return {};
    auto leadText = [](const Row& r) {
        std::string s;
        for (std::size_t j = 0; j + 1 < r.cells.size(); ++j) s += (s.empty() ? "" : " ") + r.cells[j].text;
        return s;
    };
    auto name = [](const Row& r) {
        std::string n = r.cells.back().text;
        if (n.size() > 1 && n.back() == '.') n.pop_back();
        return n;
    };
    CellKey out;
    // Groups in order: each its rows.
    std::vector<std::pair<std::size_t, std::size_t>> groups;  // [from, to) in `read`
    for (std::size_t r = 0; r < read.size(); ++r)
        if (!grouped || !read[r].group.empty() || groups.empty()) groups.emplace_back(r, r + 1);
        else groups.back().second = r + 1;
    if (!grouped) {
        for (const Row& r : read) {
            out.couplets.push_back("1. " + safeDescription(leadText(r)) + " => " + name(r));
            out.origin.push_back(r.line);
        }
    } else {
        int next = 2;
        std::vector<std::pair<int, std::size_t>> later;  // couplet, group
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto [from, to] = groups[g];
            const Row& head = read[from];
            if (to - from == 1) {
                out.couplets.push_back("1. " + safeDescription(head.group + " " + leadText(head)) + " => " + name(head));
            } else {
                out.couplets.push_back("1. " + safeDescription(head.group) + " ... " + std::to_string(next));
                later.emplace_back(next++, g);
            }
            out.origin.push_back(head.line);
        }
        for (const auto& [couplet, g] : later)
            for (std::size_t r = groups[g].first; r < groups[g].second; ++r) {
                out.couplets.push_back(std::to_string(couplet) + ". " + safeDescription(leadText(read[r])) + " => " + name(read[r]));
                out.origin.push_back(read[r].line);
            }
    }
    for (std::size_t k = 0; k < first; ++k) out.before += text::trimmedBlanks(text[k]).empty() ? 0 : 1;
    for (std::size_t k = end; k < text.size(); ++k) out.after += text::trimmedBlanks(text[k]).empty() ? 0 : 1;
    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne}, {out.after, kMsgTextAfter, kMsgTextAfterOne}});
    return out;
}

}  // namespace sarvelo
