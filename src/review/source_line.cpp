#include "review/source_line.hpp"

#include <algorithm>
#include <tuple>

#include "engine/text.hpp"

namespace sarvelo {

namespace {

// The last line holding t, and how many do.
std::pair<int, int> lastMatch(const std::vector<std::string>& lines, std::string_view t) {
    int last = -1, count = 0;
    if (t.empty()) return {last, count};
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        if (lines[static_cast<std::size_t>(i)].find(t) != std::string::npos) {
            last = i;
            ++count;
        }
    return {last, count};
}

}  // namespace

SourceLines searchSourceLine(const std::vector<std::string>& lines, std::string_view texte) {
    SourceLines out;
    auto [line, count] = lastMatch(lines, texte);
    if (count > 1) out.message = kMsgSeveralLines;
    const std::size_t length = text::length(texte);
    // Shortened searches show no message for several matches.
    for (std::size_t divisor : {2, 4}) {
        if (count > 0) break;
        std::tie(line, count) = lastMatch(lines, text::firstChars(texte, length / divisor));
    }
    if (count == 0) out.message = kMsgNoLine;
    out.first = out.last = line;
    return out;
}

SourceLines recordedSourceLines(const std::vector<int>& rowOrigin, const std::vector<int>& rowLast, int row,
                                int lineCount) {
    SourceLines out;
    const auto index = static_cast<std::size_t>(row - 1);
    if (row < 1 || index >= rowOrigin.size()) return out;
    const int first = rowOrigin[index];
    const int last = index < rowLast.size() ? std::max(rowLast[index], first) : first;
    if (first < 0 || last >= lineCount) return out;
    out.first = first;
    out.last = last;
    return out;
}

}  // namespace sarvelo
