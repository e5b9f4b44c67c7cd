// The result table: header row 0 and one row per prepared line, text cells.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvelo {

// Columns of the result table.
enum Column : int {
    kNb = 0,      // couplet number
    kSource = 1,  // hidden: source row number or leading-character count
    kTexte = 2,   // description
    kKind = 3,    // "->", "=>", "S", "VS" or empty
    kTarget = 4,  // reference, determination or section
};

inline constexpr const char* kReference = "->";
inline constexpr const char* kDetermination = "=>";
inline constexpr const char* kSectionStart = "S";
inline constexpr const char* kSectionReference = "VS";

// Texts kept one after the other in blocks that never move: a text stored
// stays where it is until the arena is emptied, so a view of it may be kept
// and shared. A long table costs a few large blocks instead of an
// allocation per cell.
class TextArena {
public:
    TextArena() = default;
    // A moved-from arena is empty: it never writes into blocks it gave away.
    TextArena(TextArena&& other) noexcept { *this = std::move(other); }
    TextArena& operator=(TextArena&& other) noexcept;

    std::string_view store(std::string_view text);
    // Room for `size` bytes, to be written by the caller.
    char* allocate(std::size_t size);
    // The other arena's texts are kept here from now on.
    void adopt(TextArena&& other);
    void clear();

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* free_ = nullptr;
    std::size_t left_ = 0;
    std::size_t nextBlock_ = 4096;
};

// A cell's text: a view of the table's arena, of another cell, or of a
// constant of the program.
struct CellText {
    const char* data = "";
    std::uint32_t size = 0;
    std::string_view view() const { return {data, size}; }
};

class ResultTable;

// A writable cell: it reads as its text, and assigning it stores the new
// text in the table (the cell of another row of the same table is shared,
// not copied).
class CellRef {
public:
    CellRef(ResultTable& table, CellText& cell) : table_(&table), cell_(&cell) {}
    CellRef(const CellRef&) = default;

    std::string_view view() const { return cell_->view(); }
    operator std::string_view() const { return view(); }  // NOLINT: reads as its text
    bool empty() const { return cell_->size == 0; }
    std::size_t size() const { return cell_->size; }

    CellRef& operator=(std::string_view text);
    CellRef& operator=(const std::string& text) { return *this = std::string_view(text); }
    CellRef& operator=(const char* text) { return *this = std::string_view(text); }
    CellRef& operator=(const CellRef& other);
    void clear() { *cell_ = CellText{}; }

    friend bool operator==(const CellRef& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const CellRef& a, const CellRef& b) { return a.view() == b.view(); }
    friend std::ostream& operator<<(std::ostream& out, const CellRef& c) { return out << c.view(); }

private:
    ResultTable* table_;
    CellText* cell_;
};

class ResultTable {
public:
    static constexpr int kMaxColumns = 12;
    static constexpr int kShownColumns = 5;
    using Row = std::array<std::string, kMaxColumns>;

    ResultTable();
    ResultTable(const ResultTable& other);
    ResultTable& operator=(const ResultTable& other);
    ResultTable(ResultTable&&) noexcept = default;
    ResultTable& operator=(ResultTable&&) noexcept = default;

    // Rows including the header row 0.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Rows 1..dataRows() hold the prepared lines.
    int dataRows() const { return rowCount() - 1; }
    // Keeps the header; new rows are empty, extra rows are dropped.
    void setRowCount(int count);

    int columnCount() const { return columnCount_; }
    void setColumnCount(int count) { columnCount_ = count; }

    CellRef cell(int row, int column) { return CellRef(*this, slot(row, column)); }
    std::string_view cell(int row, int column) const {
        if (column < kShownColumns) return rows_[row][column].view();
        const auto& hidden = hidden_[column - kShownColumns];
        return hidden.empty() ? std::string_view{} : hidden[row].view();
    }
    // Empty text for rows outside the table, as the row passes expect.
    std::string_view cellOrEmpty(int row, int column) const;

    // A text kept by the table until its data is emptied: the same view may
    // then stand in many cells (a couplet's new number, a mark).
    std::string_view keep(std::string_view text) { return arena_.store(text); }
    // Puts a text the table keeps (`keep`, another cell) or a constant of the
    // program in a cell, without copying it.
    void share(int row, int column, std::string_view text) {
        slot(row, column) = CellText{text.data(), static_cast<std::uint32_t>(text.size())};
    }

    // The texts of `arena` (views of which the cells may show) are the
    // table's from now on.
    void adoptTexts(TextArena&& arena) { arena_.adopt(std::move(arena)); }

    // Empties every cell of the data rows; the header and row count stay.
    void clearData();

    static const Row& headers();

private:
    friend class CellRef;
    // The shown columns row by row; the working columns behind them, column
    // by column, only once a phase writes one, so that a table that never
    // uses them (a partial run, a long text of short lines) carries five
    // cells a row instead of twelve.
    using ShownRow = std::array<CellText, kShownColumns>;
    CellText& slot(int row, int column) {
        if (column < kShownColumns) return rows_[row][column];
        return hiddenColumn(column)[row];
    }
    std::vector<CellText>& hiddenColumn(int column);
    void copyFrom(const ResultTable& other);

    std::vector<ShownRow> rows_;
    std::array<std::vector<CellText>, kMaxColumns - kShownColumns> hidden_;
    int columnCount_ = kShownColumns;
    TextArena arena_;
};

inline CellRef& CellRef::operator=(std::string_view text) {
    const std::string_view kept = table_->keep(text);
    *cell_ = CellText{kept.data(), static_cast<std::uint32_t>(kept.size())};
    return *this;
}

inline CellRef& CellRef::operator=(const CellRef& other) {
    if (other.table_ == table_) *cell_ = *other.cell_;
    else *this = other.view();
    return *this;
}

}  // namespace sarvelo
