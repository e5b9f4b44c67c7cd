// The grey band over a view whose result was computed from an earlier text
// or earlier parameters; hidden until the result goes stale.
#pragma once

#include <QLabel>

namespace sarvelo::qt {

inline constexpr const char* kStaleResultCaption = "Résultat d'un texte antérieur : F9 pour traiter à nouveau";

inline QLabel* makeStaleBand(QWidget* parent) {
    auto* band = new QLabel(QString::fromUtf8(kStaleResultCaption), parent);
    band->setObjectName(QStringLiteral("resultatAnterieur"));
    band->setStyleSheet(QStringLiteral("QLabel { background: rgb(160,160,160); color: black; padding: 2px 6px; }"));
    band->hide();
    return band;
}

}  // namespace sarvelo::qt
