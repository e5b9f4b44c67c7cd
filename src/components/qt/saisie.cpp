#include "components/qt/saisie.hpp"

#include <QKeyEvent>
#include <QMouseEvent>

#include "components/visible_codes.hpp"

namespace sarvelo {

TSaisie::TSaisie(QWidget* parent) : QLineEdit(parent), overlay_(new QLabel(this)), timer_(new QTimer(this)) {
    overlay_->setObjectName("overlay");
    overlay_->setAutoFillBackground(true);
    overlay_->setBackgroundRole(QPalette::Window);  // not the field's Base
    overlay_->setTextFormat(Qt::PlainText);
    overlay_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    overlay_->setCursor(Qt::IBeamCursor);
    overlay_->installEventFilter(this);
    overlay_->hide();
    setAffichage_couleur(couleur_);
    setMouseTracking(true);

    // The timer starts with the interval that Vitesse reads, so that the
    // field behaves as its property says from the start.
    timer_->setInterval(vitesse_);
    connect(timer_, &QTimer::timeout, this, &TSaisie::timerFired);
    connect(this, &QLineEdit::textChanged, this, &TSaisie::rebuildOverlay);
}

void TSaisie::setAffichage_couleur(const QColor& c) {
    couleur_ = c;
    QPalette pal = overlay_->palette();
    pal.setColor(QPalette::Window, c);
    overlay_->setPalette(pal);
}

void TSaisie::setCode_Retour_a_la_ligne(int code) {
    codeRetour_ = code;
    redoChange();
}

void TSaisie::setCode_espace(int code) {
    codeEspace_ = code;
    redoChange();
}

void TSaisie::setCode_tabulation(int code) {
    codeTab_ = code;
    redoChange();
}

void TSaisie::setVitesse(int ms) {
    vitesse_ = ms;
    timer_->setInterval(ms);
}

QString TSaisie::codedText() const {
    VisibleCodes codes;
    codes.lineBreak = codeToChar(codeRetour_);
    codes.space = codeToChar(codeEspace_);
    codes.tab = codeToChar(codeTab_);
    return QString::fromStdString(toVisibleCodes(text().toStdString(), codes));
}

void TSaisie::redoChange() {
    // The change notification runs the overlay rebuild with it.
    emit textChanged(text());
}

void TSaisie::rebuildOverlay() {
    overlay_->hide();
    overlay_->setText(QString::fromStdString(displayGlyphs(codedText().toStdString())));
    overlay_->setFont(font());
    overlay_->setGeometry(1, 1, width(), height());
    overlay_->setVisible(!text().isEmpty());
}

void TSaisie::uncover() {
    overlay_->hide();
    timer_->start();
}

void TSaisie::keyPressEvent(QKeyEvent* event) {
    uncover();
    QLineEdit::keyPressEvent(event);
}

void TSaisie::mouseMoveEvent(QMouseEvent* event) {
    // Reached only where the overlay does not cover the field: the delay
    // counts from the last movement.
    timer_->stop();
    uncover();
    QLineEdit::mouseMoveEvent(event);
}

void TSaisie::focusOutEvent(QFocusEvent* event) {
    timer_->stop();
    overlay_->setGeometry(1, 1, width(), height());
    overlay_->show();
    QLineEdit::focusOutEvent(event);
}

void TSaisie::timerFired() {
    if (hasFocus()) return;
    overlay_->show();
    timer_->stop();
}

void TSaisie::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    overlay_->setGeometry(1, 1, width(), height());
}

void TSaisie::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) overlay_->setFont(font());
}

bool TSaisie::eventFilter(QObject* watched, QEvent* event) {
    if (watched == overlay_ && event->type() == QEvent::MouseButtonPress) {
        uncover();
        setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}

}  // namespace sarvelo
