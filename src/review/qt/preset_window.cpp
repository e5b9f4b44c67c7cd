#include "review/qt/preset_window.hpp"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "review/presets.hpp"

// The samples live in a static library: their resources are registered by hand.
static void initPresetResources() { Q_INIT_RESOURCE(presets); }

namespace sarvelo {

QString presetSample(int number) {
    initPresetResources();
    QFile file(QStringLiteral(":/presets/format%1.txt").arg(number));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

TFormatPreset::TFormatPreset(int number, QWidget* parent) : QDialog(parent), number_(number) {
    setObjectName(QStringLiteral("Format_%1").arg(number));
    setWindowTitle(QStringLiteral("Format %1").arg(number));
    const bool five = number == kPresetCount;
    resize(five ? QSize(741, 448) : QSize(642, 432));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = rect();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const QString sample = presetSample(number);
    if (five) {
        auto* richEdit1 = new QTextEdit(this);
        richEdit1->setObjectName(QStringLiteral("RichEdit1"));
        richEdit1->setFixedHeight(40);
        column->addWidget(richEdit1);
        rich_ = new QTextEdit(this);
        rich_->setObjectName(QStringLiteral("memo1"));
        rich_->setLineWrapMode(QTextEdit::NoWrap);
        rich_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        rich_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        rich_->setPlainText(sample);
        column->addWidget(rich_, 1);
        criteres_ = new QListWidget(this);
        criteres_->setObjectName(QStringLiteral("criteres"));
        for (const std::string& entry : format5Criteres()) criteres_->addItem(QString::fromStdString(entry));
        criteres_->hide();
    } else {
        plain_ = new QPlainTextEdit(this);
        plain_->setObjectName(QStringLiteral("Memo1"));
        plain_->setReadOnly(true);
        plain_->setLineWrapMode(QPlainTextEdit::NoWrap);
        plain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        plain_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        plain_->setPlainText(sample);
        column->addWidget(plain_, 1);
    }

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* bar = new QHBoxLayout(panel);
    bar->setContentsMargins(6, 6, 6, 6);
    utilise_ = new QPushButton(QStringLiteral("Utilise ce format"), panel);
    utilise_->setObjectName(QStringLiteral("Utilise"));
    bar->addWidget(utilise_);
    bar->addStretch(1);
    column->addWidget(panel);
    connect(utilise_, &QPushButton::clicked, this, [this] {
        emit utilise();
        accept();
    });
}

QString TFormatPreset::sampleText() const { return rich_ ? rich_->toPlainText() : plain_->toPlainText(); }

TextList TFormatPreset::criteres() const {
    TextList out;
    if (criteres_)
        for (int i = 0; i < criteres_->count(); ++i) out.push_back(criteres_->item(i)->text().toStdString());
    return out;
}

}  // namespace sarvelo
