#include "components/qt/propos.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "components/qt/key_picture.hpp"

namespace sarvelo {

namespace {

QLabel* styled(const QString& text, int pixels, bool bold, const char* colour, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QString::fromLatin1(colour)));
    return l;
}

}  // namespace

Tpropos::Tpropos(std::function<QString()> version, std::function<QString()> credit, QWidget* parent)
    : QDialog(parent), version_(std::move(version)), credit_(std::move(credit)) {
    setObjectName(QStringLiteral("propos"));
    setWindowTitle(QStringLiteral("A propos"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    const QPixmap picture = keyPicture();
    // The picture fills the dialog; the texts lie over it.
    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("Image1"));
    background->setPixmap(picture);
    background->setAlignment(Qt::AlignCenter);
    const QSize size(picture.width() + 16, picture.height() + 60);
    background->setGeometry(QRect(QPoint(0, 0), size));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 6, 10, 8);
    column->addWidget(styled(QStringLiteral("Sarvelo"), 32, true, "rgb(255,0,0)", this), 0, Qt::AlignLeft);
    laVersion_ = styled(QString(), 13, false, "black", this);
    laVersion_->setObjectName(QStringLiteral("LaVersion"));
    column->addWidget(laVersion_, 0, Qt::AlignLeft);
    column->addStretch(1);
    copyright_ = styled(QString(), 16, true, "black", this);
    copyright_->setObjectName(QStringLiteral("Copyright"));
    copyright_->setWordWrap(true);
    column->addWidget(copyright_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(size);
    fill();
}

void Tpropos::fill() {
    laVersion_->setText(QStringLiteral("Version : ") + (version_ ? version_() : QString()));
    copyright_->setText(credit_ ? credit_() : QString());
}

void Tpropos::showEvent(QShowEvent* event) {
    fill();
    // Centred on the screen, whatever window opened it.
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void Tpropos::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) fill();
    QDialog::changeEvent(event);
}

}  // namespace sarvelo
