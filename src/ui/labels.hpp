// The captions of the parameter pages and dialogs: plain text, never read as
// markup; a note wraps to its width.
#pragma once

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

}  // namespace sarvelo
