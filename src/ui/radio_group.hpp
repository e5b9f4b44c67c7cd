// A titled group of radio buttons whose value is the index of the checked
// item, or -1 when none is checked (a state plain exclusive groups cannot
// return to once an item is chosen).
#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

namespace sarvelo {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged)

public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr, int columns = 1);

    int itemIndex() const { return index_; }
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int i) const { return buttons_.value(i); }

signals:
    void itemIndexChanged(int index);

private:
    QList<QRadioButton*> buttons_;
    int index_ = -1;
};

}  // namespace sarvelo
