// A key copied from a table that gave each cell a line of its own (a web
// page's table pasted as text): the couplet number alone on a line, or a dash
// for the couplet's next lead, then the lead's text, then its destination, a
// couplet number alone on its line or a name. The rows of a pipe table
// ("| 1 | lead | 2 |") give their cells the same way. Read into the numbered
// couplet form; the user's text is only read.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.hpp"

namespace sarvelo {

inline constexpr const char* kMsgNameNoteCalls = "%d appels de note retirés des noms";
inline constexpr const char* kMsgNameNoteCallsOne = "1 appel de note retiré des noms";

struct CellKey {
    Lines couplets;           // "1. lead ... 2", "1. lead => Name"; empty when the text is not such a key
    std::vector<int> origin;  // the user's line (from 0) of each lead's number
    int before = 0;           // lines of text before the key set aside
    int after = 0;            // lines of text after the key set aside
    int pages = 0;            // the book's pages in a column after the names, set aside
    int heads = 0;            // running heads between two pages set aside
    int calls = 0;            // notes' calls glued to names taken out
    std::string message;      // what was set aside, in French
};
CellKey readCellPerLine(const Lines& text);
// A table set in columns by blanks, without rules: each row's cells on its
// first line, the name in the last column, a cell wrapped under itself; a
// row starting left of the others opens a group with the cell it sets there
// (a shade printed on the group's first row only). The groups are the first
// couplet, each leading to its rows (a group of one row is one lead); a
// table without groups is one couplet of its rows.
CellKey readSpacedColumns(const Lines& text);

// The same tables set out again as rows of cells between tabs, the form every
// other reader knows (a row's empty first cell kept empty), so that a table
// pasted between bars or one cell a line reads as its rows would; `origin`
// is the user's line of each line. Empty when the text holds no such table.
struct TableRows {
    Lines lines;
    std::vector<int> origin;
    int lastRow = -1;  // the user's line of the last row
    bool bars = false;  // rows between bars, not one cell a line
};
TableRows tableAsTabRows(const Lines& text);

}  // namespace sarvelo
