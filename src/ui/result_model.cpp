#include "ui/result_model.hpp"

#include <QBrush>
#include <QColor>

namespace sarvelo {

ResultTableModel::ResultTableModel(const ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    refresh();
}

void ResultTableModel::refresh() {
    beginResetModel();
    rows_ = table_.dataRows();
    columns_ = table_.columnCount();
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ResultTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QString ResultTableModel::shownText(std::string_view cell) {
    if (cell == kSectionReference) return QStringLiteral("Vers section");
    if (cell == kDetermination) return QStringLiteral("Définition =");
    if (cell == kReference) return QStringLiteral("Vers ligne");
    if (cell == kSectionStart) return QStringLiteral("Début section");
    return QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row() + 1;
    const int c = index.column();
    // Bounds-checked reads: the run may change the table while pending
    // events are let through, before the model is refreshed.
    const std::string_view cell = table_.cellOrEmpty(r, c);
    switch (role) {
        case Qt::DisplayRole: return shownText(cell);
        case Qt::EditRole: return QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
        case Qt::ForegroundRole:
            if (table_.cellOrEmpty(r, kKind) == kDetermination) return QBrush(QColor(0, 128, 0));
            return QBrush(QColor(0, 0, 255));
        case Qt::BackgroundRole: {
            const std::string_view nb = table_.cellOrEmpty(r, kNb);
            const std::string_view texte = table_.cellOrEmpty(r, kTexte);
            const std::string_view target = table_.cellOrEmpty(r, kTarget);
            const bool emptyRow = nb.empty() && texte.empty() && target.empty() && table_.cellOrEmpty(r, kKind).empty();
            bool red = false;
            if ((c == kNb || c == kTarget) && ((!nb.empty() && nb == target) || cell.empty())) red = true;
            if (c == kTexte && texte.empty() && nb != kSectionStart) red = true;
            if (emptyRow) red = false;
            return QBrush(red ? QColor(255, 0, 0) : QColor(255, 255, 255));
        }
        default: return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const std::string_view header = table_.cellOrEmpty(0, section);
        return QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()));
    }
    return section + 1;
}

}  // namespace sarvelo
