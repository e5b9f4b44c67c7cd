// The result table: header row 0 and one row per prepared line, text cells.
#pragma once

#include <array>
#include <string>
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

class ResultTable {
public:
    static constexpr int kMaxColumns = 12;
    static constexpr int kShownColumns = 5;
    using Row = std::array<std::string, kMaxColumns>;

    ResultTable();

    // Rows including the header row 0.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Rows 1..dataRows() hold the prepared lines.
    int dataRows() const { return rowCount() - 1; }
    // Keeps the header; new rows are empty, extra rows are dropped.
    void setRowCount(int count);

    int columnCount() const { return columnCount_; }
    void setColumnCount(int count) { columnCount_ = count; }

    std::string& cell(int row, int column) {
        if (column < kShownColumns) return rows_[row][column];
        return hiddenColumn(column)[row];
    }
    const std::string& cell(int row, int column) const {
        if (column < kShownColumns) return rows_[row][column];
        const auto& hidden = hidden_[column - kShownColumns];
        return hidden.empty() ? emptyCell() : hidden[row];
    }
    // Empty text for rows outside the table, as the row passes expect.
    const std::string& cellOrEmpty(int row, int column) const;

    // Empties every cell of the data rows; the header and row count stay.
    void clearData();

    static const Row& headers();

private:
    // The shown columns row by row; the working columns behind them, column
    // by column, only once a phase writes one, so that a table that never
    // uses them (a partial run, a long text of short lines) carries five
    // cells a row instead of twelve.
    using ShownRow = std::array<std::string, kShownColumns>;
    std::vector<std::string>& hiddenColumn(int column);
    static const std::string& emptyCell();

    std::vector<ShownRow> rows_;
    std::array<std::vector<std::string>, kMaxColumns - kShownColumns> hidden_;
    int columnCount_ = kShownColumns;
};

}  // namespace sarvelo
