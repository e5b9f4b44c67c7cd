// The result table as a Qt model: a view over the engine's table, without a
// copy, so that showing 20,000 rows costs only the visible cells. Row 0 of
// the table (its header texts) becomes the view's header; table row r is
// model row r - 1.
#pragma once

#include <QAbstractTableModel>

#include <string_view>

#include "engine/table.hpp"

namespace sarvelo {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultTableModel(const ResultTable& table, QObject* parent = nullptr);

    // Call after the table changed size or content.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The label a stored marker is shown as ("=>" reads "Définition =").
    static QString shownText(std::string_view cell);

private:
    const ResultTable& table_;
    int rows_ = 0;
    int columns_ = ResultTable::kShownColumns;
};

}  // namespace sarvelo
