// The "Ok" / "Annuler" row at the foot of the program's small dialogs.
#pragma once

#include <QBoxLayout>
#include <QPushButton>

namespace sarvelo {

struct DialogButtons {
    QPushButton* ok;
    QPushButton* annuler;
};

// Adds the row, right-aligned, "Ok" the default button, to `column`.
inline DialogButtons addOkAnnulerRow(QWidget* dialog, QBoxLayout* column) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    DialogButtons b{new QPushButton(QStringLiteral("Ok"), dialog), new QPushButton(QStringLiteral("Annuler"), dialog)};
    b.ok->setObjectName(QStringLiteral("Ok"));
    b.ok->setDefault(true);
    b.annuler->setObjectName(QStringLiteral("Annuler"));
    row->addWidget(b.ok);
    row->addWidget(b.annuler);
    column->addLayout(row);
    return b;
}

}  // namespace sarvelo
