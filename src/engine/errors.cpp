#include <algorithm>

#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo {

bool rowInError(const ResultTable& table, int row) {
    const std::string_view nb = table.cell(row, kNb);
    if (!nb.empty() && nb == table.cell(row, kTarget)) return true;  // leads back to itself
    return table.cell(row, kTexte).empty() && std::string_view(nb) != kSectionStart;  // lead without description
}

bool Erreur(ResultTable& table) {
    bool any = false;
    for (int row = 1; row <= table.dataRows(); ++row)
        if (rowInError(table, row)) any = true;
    table.setColumnCount(ResultTable::kShownColumns);
    return any;
}

std::vector<int> errorLines(const ResultTable& table, const std::vector<int>& rowOrigin, int lineCount) {
    std::vector<int> lines;
    for (int row = 1; row <= table.dataRows(); ++row) {
        if (!rowInError(table, row)) continue;
        const auto index = static_cast<std::size_t>(row - 1);
        if (index >= rowOrigin.size()) continue;
        const int line = rowOrigin[index];
        if (line >= 0 && line < lineCount) lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

std::vector<int> errorLinesFromColumn1(const ResultTable& table, int lineCount) {
    std::vector<int> lines;
    for (int row = 1; row <= table.dataRows(); ++row) {
        if (!rowInError(table, row)) continue;
        std::optional<long long> number;
        if (!table.cell(row, kSource).empty()) {
            number = text::toInteger(table.cell(row, kSource));
        } else if (row > 2) {
            if (auto above = text::toInteger(table.cell(row - 1, kSource))) number = *above + 1LL;
        }
        if (number && *number >= 1 && *number <= lineCount) lines.push_back(static_cast<int>(*number - 1));
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

}  // namespace sarvelo
