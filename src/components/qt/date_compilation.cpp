#include "components/qt/date_compilation.hpp"

#include <QEvent>
#include <QLocale>

#include "components/build_date.hpp"

namespace sarvelo {

TDate_compilation::TDate_compilation(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    refresh();
}

void TDate_compilation::setTitre(const QString& titre) {
    titre_ = titre;
    refresh();
}

QDate TDate_compilation::dateCompilation() {
    const BuildDate d = buildDate();
    return QDate(d.year, d.month, d.day);
}

void TDate_compilation::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) refresh();
    QLabel::changeEvent(event);
}

void TDate_compilation::refresh() { setText(titre_ + locale().toString(dateCompilation(), QLocale::ShortFormat)); }

}  // namespace sarvelo
