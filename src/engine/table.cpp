#include "engine/table.hpp"

namespace sarvelo {

ResultTable::ResultTable() : rows_(1, headers()) {}

const ResultTable::Row& ResultTable::headers() {
    static const Row row{"Nb", "separ.", "texte", "separ.", "Def ou renvois"};
    return row;
}

void ResultTable::setRowCount(int count) {
    if (count < 1) count = 1;
    rows_.resize(static_cast<std::size_t>(count));
}

const std::string& ResultTable::cellOrEmpty(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= rowCount() || column < 0 || column >= kMaxColumns) return empty;
    return rows_[row][column];
}

void ResultTable::clearData() {
    for (std::size_t r = 1; r < rows_.size(); ++r)
        for (auto& c : rows_[r]) c.clear();
}

}  // namespace sarvelo
