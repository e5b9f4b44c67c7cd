// A key set in two columns: each lead wrapped in a narrow left column, its
// name or the number of the couplet it leads to in a right column level with
// the lead's FIRST line (the lines under it carry the lead's text on). Set
// out again one lead a line, its ending after the gap the book left, the
// form the readers of line ends know. The user's text is only read.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.hpp"

namespace sarvelo {

inline constexpr const char* kMsgColumnLeads = "%d entrées en deux colonnes (fin d'entrée à droite de leur première ligne) mises sur une ligne";
inline constexpr const char* kMsgColumnLeadsOne = "1 entrée en deux colonnes (fin d'entrée à droite de sa première ligne) mise sur une ligne";

struct ColumnLeads {
    Lines lines;              // the text, each wrapped lead on one line; empty when the layout is not found
    std::vector<int> origin;  // the user's line (from 0) of each line
    int joined = 0;           // leads of two lines or more set on one
};
ColumnLeads twoColumnLeads(const Lines& text);
// The lines [first, last) of one lead so set, on one line; empty when they
// are not so set.
std::string joinedColumnLead(const Lines& text, std::size_t first, std::size_t last);

}  // namespace sarvelo
