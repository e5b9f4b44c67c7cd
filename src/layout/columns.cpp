#include "layout/columns.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "engine/text.hpp"
#include "layout/detection.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

bool blankChar(char c) { return c == ' ' || c == '\t'; }

// The display column of a byte offset: a character a column, tabs to the
// next multiple of eight.
int columnAt(std::string_view line, std::size_t bytes) {
    int col = 0;
    for (std::size_t i = 0; i < bytes && i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c == '\t') col = (col / 8 + 1) * 8;
        else if ((c & 0xC0) != 0x80) ++col;
    }
    return col;
}

// A line split into its left column and the entry of its right column: a
// gap of three blanks or more, a tab, or a leader of dots between them.
struct Split {
    std::size_t leftEnd = 0;     // bytes of the left part (without the gap)
    std::size_t rightStart = 0;  // where the right entry starts; 0 when the line has none
    int column = 0;              // the right entry's display column
    bool has() const { return rightStart > 0; }
};

// Where a page or the book's number set in a column of its own before the
// entry starts ("... spots on   page 6   Brown Leaf Spot", "...  12.  Name"):
// it is the entry's, not the left column's text. npos when there is none.
std::size_t numberColumnStart(std::string_view left) {
    const std::size_t end = left.find_last_not_of(" \t");
    if (end == std::string_view::npos) return std::string_view::npos;
    std::size_t start = end + (left[end] == '.' ? 0 : 1);
    while (start > 0 && std::isdigit(static_cast<unsigned char>(left[start - 1]))) --start;
    if (start == end + (left[end] == '.' ? 0 : 1)) return std::string_view::npos;
    for (std::string_view page : text::kPageWords)
        if (start > page.size() + 1 && left[start - 1] == ' ' && left.substr(start - 1 - page.size(), page.size()) == page) {
            start -= page.size() + 1;
            break;
        }
    if (start < 3 || !blankChar(left[start - 1]) || !blankChar(left[start - 2]) ||
        left.find_first_not_of(" \t") >= start - 2)
        return std::string_view::npos;
    return start;
}

Split splitColumns(std::string_view line) {
    Split out;
    const std::size_t end = line.find_last_not_of(" \t");
    if (end == std::string_view::npos) return out;
    // The last gap of the line: the right entry is a name or a number, short
    // and without a gap of its own.
    for (std::size_t i = end; i > 0; --i) {
        if (!blankChar(line[i - 1]) && line[i - 1] != '.') continue;
        // line[i] starts a word after a blank or a dot: walk back over the gap.
        if (blankChar(line[i]) || line[i] == '.') continue;
        std::size_t g = i;
        int run = 0, longest = 0, dots = 0;
        bool tab = false;
        while (g > 0 && (blankChar(line[g - 1]) || line[g - 1] == '.')) {
            --g;
            if (line[g] == '.') {
                ++dots;
                run = 0;
            } else {
                tab = tab || line[g] == '\t';
                longest = std::max(longest, ++run);
            }
        }
        // A stop that ends the left column's last word is not the leader's.
        while (g < i && line[g] == '.' && g > 0 && !blankChar(line[g - 1])) {
            ++g;
            --dots;
        }
        if (g == 0 || g == i || !blankChar(line[i - 1])) {
            if (blankChar(line[i - 1])) return out;
            continue;  // "e.g." : dots inside a word
        }
        if (!(longest >= 3 || tab || dots >= 2)) {
            if (longest >= 2) return out;  // a gap too narrow for a column
            continue;  // a blank between two words of the entry
        }
        std::size_t entry = i;
        if (const std::size_t number = numberColumnStart(line.substr(0, g)); number != std::string_view::npos) {
            entry = number;
            g = line.find_last_not_of(" \t", number - 1) + 1;
        }
        const std::string_view left = line.substr(0, g);
        if (left.find_first_not_of(" \t") == std::string_view::npos) return out;
        bool letters = false;
        for (char c : left) letters = letters || (static_cast<unsigned char>(c) >= 0x80 || std::isalpha(static_cast<unsigned char>(c)));
        if (!letters || end + 1 - i > 60) return out;
        out.leftEnd = g;
        out.rightStart = entry;
        out.column = columnAt(line, i);
        return out;
    }
    return out;
}

int indentOf(std::string_view line) { return columnAt(line, line.find_first_not_of(" \t")); }

// Where a line's text starts after its label, as a column.
int textColumn(std::string_view line) {
    const LineStart start = readLineStart(line);
    return columnAt(line, start.kind == LineStart::Kind::None ? line.find_first_not_of(" \t") : start.textStart);
}

bool labelled(std::string_view line) { return readLineStart(line).kind != LineStart::Kind::None; }


// Where a lead's first line starts, read once for the lines under it.
struct LeadStart {
    int indent = 0;      // its first character's column
    int textColumn = 0;  // its text's, after the label
    bool labelled = false;
    int column = 0;      // its entry's
};

LeadStart leadStart(std::string_view line, const Split& split) {
    return {indentOf(line), textColumn(line), labelled(line), split.column};
}

// A line under a lead's first line that carries its text on: no entry of
// its own, set under the lead's text whatever it starts with (a number the
// line width put there, "2."), or as deep as the lead in lower case, or
// deeper than the lead's label and no label.
bool carriesOn(const LeadStart& lead, std::string_view line, const Split& split) {
    if (split.has() || text::withoutBlanks(line).empty()) return false;
    const int indent = indentOf(line);
    if (indent >= lead.textColumn) return true;
    // In lower case, as deep as the lead ("H. gevormd uit ..." over "lappen, St. ..."):
    // what looked like the lead's label was an abbreviation.
    if (indent >= lead.indent && lowerCaseStart(text::withoutBlanks(line))) return true;
    return lead.labelled && indent > lead.indent && !labelled(line);
}

// A line under a lead's first line whose entry stands in the same column,
// its left part under the lead's text: the entry may go on there.
bool entryGoesOn(const LeadStart& lead, std::string_view line, const Split& split) {
    return split.has() && std::abs(split.column - lead.column) <= 2 && indentOf(line) >= lead.textColumn && !labelled(line);
}

// An entry that reads as the rest of the one above: a remark in brackets,
// or words in lower case beside the lead's text going on in lower case (a
// name may be an epithet: "spinifer hartwegi" beside "Carapace having ...").
bool continuedEntry(std::string_view line, const Split& split) {
    const std::string_view entry = text::withoutBlanks(line.substr(split.rightStart));
    return entry.starts_with("(") || (lowerCaseStart(entry) && lowerCaseStart(text::withoutBlanks(line.substr(0, split.leftEnd))));
}

// The lines [lead, next) of one lead on one line: the left parts joined,
// then the first line's gap, then the entries.
std::string joinLead(const Lines& text, const std::vector<Split>& splits, std::size_t lead, std::size_t next) {
    const Split& s = splits[lead];
    std::string left(text[lead].substr(0, s.leftEnd));
    std::string right(text::withoutBlanks(std::string_view(text[lead]).substr(s.rightStart)));
    for (std::size_t k = lead + 1; k < next; ++k) {
        const std::string_view line = text[k];
        joinWrapped(left, text::withoutBlanks(splits[k].has() ? line.substr(0, splits[k].leftEnd) : line));
        if (splits[k].has()) {
            right += ' ';
            right += text::withoutBlanks(line.substr(splits[k].rightStart));
        }
    }
    return left + text[lead].substr(s.leftEnd, s.rightStart - s.leftEnd) + right;
}

}  // namespace

std::string joinedColumnLead(const Lines& text, std::size_t first, std::size_t last) {
    if (last > text.size() || last < first + 2) return {};
    // The block's own lines only: a key set in many paragraphs costs each its size.
    const Lines block(text.begin() + static_cast<std::ptrdiff_t>(first), text.begin() + static_cast<std::ptrdiff_t>(last));
    std::vector<Split> splits(block.size());
    for (std::size_t i = 0; i < block.size(); ++i) splits[i] = splitColumns(block[i]);
    if (!splits[0].has()) return {};
    const LeadStart lead = leadStart(block[0], splits[0]);
    // A second entry goes on only where it reads as the rest of the first
    // ("(One genus, Paramoecium)"): a paragraph may hold a whole couplet.
    for (std::size_t i = 1; i < block.size(); ++i)
        if (!carriesOn(lead, block[i], splits[i]) &&
            !(entryGoesOn(lead, block[i], splits[i]) && continuedEntry(block[i], splits[i])))
            return {};
    return joinLead(block, splits, 0, block.size());
}

ColumnLeads twoColumnLeads(const Lines& text) {
    ColumnLeads out;
    std::vector<Split> splits(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) splits[i] = splitColumns(text[i]);
    // The layout is told by the lines under a lead's first line: its text
    // carried on in lower case under a line with an entry (the first line's
    // layout), against entries on lines that carry a lead on in lower case
    // (an ending level with the lead's last line). One lead wrapped so is
    // enough where nothing says otherwise.
    int first = 0, last = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (!splits[i].has()) continue;
        if (carriesOn(leadStart(text[i], splits[i]), text[i + 1], splits[i + 1]) && lowerCaseStart(text::withoutBlanks(text[i + 1])))
            ++first;
        if (i > 0 && !splits[i - 1].has() && !text::withoutBlanks(text[i - 1]).empty() && !labelled(text[i]) &&
            lowerCaseStart(text::withoutBlanks(text[i].substr(0, splits[i].leftEnd))))
            ++last;
    }
    if (first == 0 || first <= 2 * last || (first == 1 && last > 0)) return out;
    // Leads set as paragraphs (a blank line before each first line): the
    // lines of a paragraph are one lead, their entries one name.
    int afterBlank = 0, entries = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!splits[i].has()) continue;
        ++entries;
        afterBlank += i == 0 || text::withoutBlanks(text[i - 1]).empty() ? 1 : 0;
    }
    // One entry in ten may go on under the one above.
    const bool paragraphs = (entries - afterBlank) * 10 <= entries;
    for (std::size_t i = 0; i < text.size();) {
        if (!splits[i].has()) {
            out.lines.push_back(text[i]);
            out.origin.push_back(static_cast<int>(i));
            ++i;
            continue;
        }
        const LeadStart lead = leadStart(text[i], splits[i]);
        std::size_t next = i + 1;
        for (; next < text.size(); ++next) {
            if (carriesOn(lead, text[next], splits[next])) continue;
            // An entry set on two lines of the right column ("Paramoecidae" over
            // "(One genus, Paramoecium)"), its lead's text carried on beside it.
            if (entryGoesOn(lead, text[next], splits[next])) {
                if (paragraphs || continuedEntry(text[next], splits[next])) continue;
            }
            break;
        }
        out.joined += next > i + 1 ? 1 : 0;
        out.lines.push_back(joinLead(text, splits, i, next));
        out.origin.push_back(static_cast<int>(i));
        i = next;
    }
    if (out.joined == 0) return {};
    return out;
}

}  // namespace sarvelo
