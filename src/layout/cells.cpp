#include "layout/cells.hpp"

#include <algorithm>
#include <cstdio>

#include "engine/text.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

// A couplet number alone: "12", "12.".
int numberCell(std::string_view s) {
    if (!s.empty() && s.back() == '.') s.remove_suffix(1);
    if (s.empty() || s.size() > 4) return -1;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The mark of a couplet's next lead: a dash alone.
bool dashCell(std::string_view s) { return s == "-" || s == "\u2013" || s == "\u2014"; }

bool labelCell(std::string_view s) { return numberCell(s) > 0 || dashCell(s); }

std::string counted(const char* one, const char* many, int n) {
    if (n == 1) return one;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, many, n);
    return buffer;
}

// The cells of a pipe table's row ("| 1 | Leaves simple | 2 |", the outer
// bars optional): an empty first cell is the couplet's next lead, other
// empty cells (a name column left blank) and the rule line ("| --- |") go.
// False when the line is no such row.
bool pipeRow(const std::string& line, std::vector<std::string>& cells) {
    if (std::count(line.begin(), line.end(), '|') < 2) return false;
    std::string_view row = line;
    if (row.front() == '|') row.remove_prefix(1);
    if (!row.empty() && row.back() == '|') row.remove_suffix(1);
    bool first = true;
    for (std::size_t from = 0; from <= row.size();) {
        const std::size_t bar = std::min(row.find('|', from), row.size());
        std::string cell = text::trimmedBlanks(row.substr(from, bar - from));
        if (cell.size() >= 3 && cell.find_first_not_of("-: ") == std::string::npos) return true;  // the rule line
        if (!cell.empty()) cells.push_back(std::move(cell));
        else if (first) cells.emplace_back("-");
        first = false;
        from = bar + 1;
    }
    return true;
}

}  // namespace

CellKey readCellPerLine(const Lines& text) {
    // The lines that carry text, trimmed, with their place; a pipe table's
    // row gives its cells.
    std::vector<std::string> cells;
    std::vector<int> at;
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::string s = text::trimmedBlanks(text[k]);
        if (s.empty()) continue;
        std::vector<std::string> row;
        if (!pipeRow(s, row)) row.push_back(std::move(s));
        for (auto& cell : row) {
            cells.push_back(std::move(cell));
            at.push_back(static_cast<int>(k));
        }
    }
    const std::size_t n = cells.size();
    auto isText = [&](std::size_t i) { return i < n && !labelCell(cells[i]); };
    // The key starts at couplet 1 followed by a lead's text.
    std::size_t i = 0;
    while (i < n && !(numberCell(cells[i]) == 1 && isText(i + 1))) ++i;
    CellKey out;
    if (i == n) return out;
    const std::size_t start = i;
    int couplet = 0;
    int leads = 0;
    while (i < n && labelCell(cells[i]) && isText(i + 1)) {
        if (dashCell(cells[i])) {
            if (couplet == 0) return {};
        } else {
            couplet = numberCell(cells[i]);
        }
        const int origin = at[i];
        std::string line = std::to_string(couplet) + ". " + cells[i + 1];
        i += 2;
        // Every lead of this layout has its destination cell.
        if (i == n || dashCell(cells[i])) return {};
        if (numberCell(cells[i]) > 0)
            line += " ... " + std::to_string(numberCell(cells[i]));
        else
            line += " => " + unmarkedName(cells[i]);
        ++i;
        out.couplets.push_back(std::move(line));
        out.origin.push_back(origin);
        ++leads;
    }
    if (leads < 4) return {};
    // Lines, not cells, are counted as text set aside.
    auto linesOf = [&](std::size_t from, std::size_t to) {
        int lines = 0;
        for (std::size_t k = from; k < to; ++k)
            if (k == from || at[k] != at[k - 1]) ++lines;
        return lines;
    };
    out.before = linesOf(0, start);
    out.after = linesOf(i, n);
    std::vector<std::string> parts;
    if (out.before > 0) parts.push_back(counted(kMsgTextBeforeOne, kMsgTextBefore, out.before));
    if (out.after > 0) parts.push_back(counted(kMsgTextAfterOne, kMsgTextAfter, out.after));
    for (const auto& p : parts) out.message += (out.message.empty() ? "" : ", ") + p;
    return out;
}

}  // namespace sarvelo
