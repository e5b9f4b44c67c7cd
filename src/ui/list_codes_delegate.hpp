// Drawing of the lists that hold separators and numbering patterns: each
// entry shows its spaces, tabs and carriage returns as visible codes, on
// yellow (red when selected), the background covering the text only.
#pragma once

#include <QStyledItemDelegate>

namespace sarvelo {

class ListCodesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    static QString shown(const QString& entry);
};

}  // namespace sarvelo
