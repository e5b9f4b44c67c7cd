#include "ui/list_codes_delegate.hpp"

#include <QPainter>

#include "components/visible_codes.hpp"

namespace sarvelo {

QString ListCodesDelegate::shown(const QString& entry) {
    return QString::fromStdString(displayGlyphs(toVisibleCodes(entry.toStdString(), listEntryCodes())));
}

void ListCodesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString text = shown(index.data(Qt::DisplayRole).toString());
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setFont(option.font);
    const QFontMetrics fm(option.font);
    const QRect textRect(option.rect.left() + 1, option.rect.top() + 1, fm.horizontalAdvance(text), fm.height());
    painter->fillRect(textRect, selected ? QColor(255, 0, 0) : QColor(255, 255, 0));
    painter->setPen(Qt::black);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter->restore();
}

}  // namespace sarvelo
