#include "engine/table.hpp"

#include <algorithm>

namespace sarvelo {

ResultTable::ResultTable() : rows_(1) {
    std::copy_n(headers().begin(), kShownColumns, rows_[0].begin());
    for (int c = kShownColumns; c < kMaxColumns; ++c)
        if (!headers()[c].empty()) hiddenColumn(c)[0] = headers()[c];
}

const ResultTable::Row& ResultTable::headers() {
    static const Row row{"Nb", "separ.", "texte", "separ.", "Def ou renvois"};
    return row;
}

const std::string& ResultTable::emptyCell() {
    static const std::string empty;
    return empty;
}

std::vector<std::string>& ResultTable::hiddenColumn(int column) {
    auto& hidden = hidden_[static_cast<std::size_t>(column - kShownColumns)];
    if (hidden.size() != rows_.size()) hidden.resize(rows_.size());
    return hidden;
}

void ResultTable::setRowCount(int count) {
    if (count < 1) count = 1;
    rows_.resize(static_cast<std::size_t>(count));
    for (auto& hidden : hidden_)
        if (!hidden.empty()) hidden.resize(rows_.size());
}

const std::string& ResultTable::cellOrEmpty(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kMaxColumns) return emptyCell();
    return cell(row, column);
}

void ResultTable::clearData() {
    for (std::size_t r = 1; r < rows_.size(); ++r)
        for (auto& c : rows_[r]) c.clear();
    for (auto& hidden : hidden_)
        for (std::size_t r = 1; r < hidden.size(); ++r) hidden[r].clear();
}

}  // namespace sarvelo
