// The captions of the parameter pages and dialogs: plain text, never read as
// markup; a note wraps to its width.
#pragma once

#include <QBoxLayout>
#include <QLabel>

namespace sarvelo {

inline QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

inline QLabel* note(const QString& text, QWidget* parent) {
    auto* l = label(text, parent);
    l->setWordWrap(true);
    return l;
}

// The head of the "1-2-2-1" panel, on the numbering page and in its dialog.
inline void addUntreatedFormatNote(QBoxLayout* column, QWidget* panel) {
    auto* red = label(QStringLiteral("Format non traité"), panel);
    red->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
    column->addWidget(red);
    column->addWidget(note(QStringLiteral("Le numéro est composé des numéros de ces parent et seul le dernier "
                                          "correspond à son numéo à lui"),
                           panel));
}

}  // namespace sarvelo
