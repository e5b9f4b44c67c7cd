#include "ui/radio_group.hpp"

#include <QGridLayout>
#include <QRadioButton>

namespace sarvelo {

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent, int columns)
    : QGroupBox(title, parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        // Buttons are managed by hand so that "none checked" stays possible.
        auto* b = new QRadioButton(items[i], this);
        b->setAutoExclusive(false);
        grid->addWidget(b, i % rows, i / rows);
        buttons_.append(b);
        connect(b, &QRadioButton::clicked, this, [this, i] { setItemIndex(i); });
    }
}

void TRadioGroup::setItemIndex(int index) {
    if (index < -1 || index >= count()) index = -1;
    for (int i = 0; i < count(); ++i) buttons_[i]->setChecked(i == index);
    if (index == index_) return;
    index_ = index;
    emit itemIndexChanged(index);
}

}  // namespace sarvelo
