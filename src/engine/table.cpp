#include "engine/table.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

namespace sarvelo {

char* TextArena::allocate(std::size_t size) {
    if (size > left_) {
        // Blocks grow with the table, so that a long one takes few of them.
        const std::size_t block = std::max(nextBlock_, size);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(block));
        free_ = blocks_.back().get();
        left_ = block;
        nextBlock_ = std::min<std::size_t>(nextBlock_ * 2, std::size_t{8} << 20);
    }
    char* at = free_;
    free_ += size;
    left_ -= size;
    return at;
}

std::string_view TextArena::store(std::string_view text) {
    if (text.empty()) return {"", 0};
    char* at = allocate(text.size());
    std::memcpy(at, text.data(), text.size());
    return {at, text.size()};
}

TextArena& TextArena::operator=(TextArena&& other) noexcept {
    if (this == &other) return *this;
    blocks_ = std::move(other.blocks_);
    free_ = std::exchange(other.free_, nullptr);
    left_ = std::exchange(other.left_, 0);
    nextBlock_ = std::exchange(other.nextBlock_, 4096);
    other.blocks_.clear();
    return *this;
}

void TextArena::adopt(TextArena&& other) {
    for (auto& block : other.blocks_) blocks_.push_back(std::move(block));
    other.clear();
}

void TextArena::clear() {
    blocks_.clear();
    free_ = nullptr;
    left_ = 0;
    nextBlock_ = 4096;
}

ResultTable::ResultTable() : rows_(1) {
    for (int c = 0; c < kMaxColumns; ++c)
        if (!headers()[c].empty()) share(0, c, headers()[c]);
}

ResultTable::ResultTable(const ResultTable& other) { copyFrom(other); }

ResultTable& ResultTable::operator=(const ResultTable& other) {
    if (this != &other) copyFrom(other);
    return *this;
}

// Every text goes into this table's own arena: the other's may go first.
void ResultTable::copyFrom(const ResultTable& other) {
    arena_.clear();
    rows_ = other.rows_;
    hidden_ = other.hidden_;
    columnCount_ = other.columnCount_;
    const auto rehome = [this](CellText& c) {
        const std::string_view kept = arena_.store(c.view());
        c = CellText{kept.data(), static_cast<std::uint32_t>(kept.size())};
    };
    for (auto& row : rows_)
        for (auto& c : row) rehome(c);
    for (auto& hidden : hidden_)
        for (auto& c : hidden) rehome(c);
}

const ResultTable::Row& ResultTable::headers() {
    static const Row row{"Nb", "separ.", "texte", "separ.", "Def ou renvois"};
    return row;
}

std::vector<CellText>& ResultTable::hiddenColumn(int column) {
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

std::string_view ResultTable::cellOrEmpty(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kMaxColumns) return {};
    return cell(row, column);
}

void ResultTable::clearData() {
    // The header keeps its texts; everything else the arena held goes.
    std::array<std::string, kMaxColumns> header;
    for (int c = 0; c < kMaxColumns; ++c) header[static_cast<std::size_t>(c)] = std::as_const(*this).cell(0, c);
    for (auto& row : rows_) row.fill(CellText{});
    for (auto& hidden : hidden_) std::fill(hidden.begin(), hidden.end(), CellText{});
    arena_.clear();
    for (int c = 0; c < kMaxColumns; ++c) {
        const std::string& text = header[static_cast<std::size_t>(c)];
        if (text.empty()) continue;
        if (c < kShownColumns || !hidden_[static_cast<std::size_t>(c - kShownColumns)].empty()) cell(0, c) = text;
    }
}

}  // namespace sarvelo
