// The character analysis of the tab "Analyse données": what a selected piece
// of the working text is made of, one column per character, so that the user
// sees the tabs, spaces, line breaks and formatting between a couplet number,
// its text and its reference.
#pragma once

#include <string>
#include <vector>

#include "documents/rich_text.hpp"

namespace sarvelo {

// The editor's automatic colour as a colour number.
inline constexpr int kAutomaticColourNumber = -16777208;

// red + 256 × green + 65536 × blue, or the automatic colour's number.
int colourNumber(const CharFormat& format);

struct AnalysisColumn {
    std::string character;  // UTF-8, one character
    std::string name;       // "Espace", "Tabulation", "Entrer" or empty
    std::string style;      // "G.", "S.", "I." in that order, or "Normal"
    std::string colour;     // the colour number in decimal
    bool operator==(const AnalysisColumn&) const = default;
};

// One column per character of `selection`, its paragraphs joined by a line
// break ("\n", "Entrer") in the format of the character before it.
std::vector<AnalysisColumn> analyseCharacters(const RichText& selection);

}  // namespace sarvelo
