// "Ligne correspondante": which lines of the working text a result row came
// from. The run knows each row's lines; when the text has changed since, the
// row's description is searched for instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarvelo {

inline constexpr const char* kMsgSeveralLines = "Plusieurs lignes correspondent";
inline constexpr const char* kMsgNoLine = "Pas de ligne correspondante";

struct SourceLines {
    int first = -1;  // -1: none
    int last = -1;
    const char* message = nullptr;  // shown after selecting, when not null
};

// The search by text: every line holding `texte` matches (the last one is
// the one selected); with no match, the first half of `texte`, then its first
// quarter, is tried. Several matches of the full text report kMsgSeveralLines;
// no match at all kMsgNoLine.
SourceLines searchSourceLine(const std::vector<std::string>& lines, std::string_view texte);

// The lines of data row `row` (from 1) as the run recorded them; none when
// the row is unknown to the run or its lines lie outside the text.
SourceLines recordedSourceLines(const std::vector<int>& rowOrigin, const std::vector<int>& rowLast, int row,
                                int lineCount);

}  // namespace sarvelo
