#include "ui/indented_command.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "layout/indented.hpp"
#include "review/qt/dialog_buttons.hpp"
#include "review/qt/view_window.hpp"
#include "ui/main_window.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

namespace {

// Whether a tab stands in the indentation of some line: only then does its
// width change the levels.
bool tabIndented(const Lines& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        const auto text = line.find_first_not_of(" \t");
        return text != std::string::npos && line.find('\t') < text;
    });
}

}  // namespace

TTabulation::TTabulation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tabulation"));
    setWindowTitle(QString::fromUtf8(kTabWidthTitle));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QString::fromUtf8(kTabWidthText), this));
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(QString::fromUtf8(kTabWidthCaption), this);
    largeur_ = new QSpinBox(this);
    largeur_->setObjectName(QStringLiteral("largeur"));
    largeur_->setRange(1, 32);
    largeur_->setValue(8);
    largeur_->setSuffix(QString::fromUtf8(kTabWidthUnit));
    caption->setBuddy(largeur_);
    row->addWidget(caption);
    row->addWidget(largeur_);
    row->addStretch(1);
    column->addLayout(row);

    const DialogButtons buttons = addOkAnnulerRow(this, column);
    ok_ = buttons.ok;
    annuler_ = buttons.annuler;
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<int> TTabulation::ask() {
    const int before = largeur_->value();
    largeur_->selectAll();
    largeur_->setFocus();
    adjustSize();
    qt::centreOnScreen(this);
    if (exec() != QDialog::Accepted) {
        largeur_->setValue(before);  // what was typed before "Annuler" is not kept
        return std::nullopt;
    }
    largeur_->interpretText();
    return largeur_->value();
}

void replaceWorkingText(TSarvelo& window, const std::vector<std::string>& lines) {
    QString converted;
    for (const std::string& line : lines) converted += QString::fromStdString(line) + QLatin1Char('\n');
    // One edit block: a single undo gives the user's text back.
    QTextCursor cursor(window.memo1()->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(converted);
    cursor.endEditBlock();
    window.memo1()->setTextCursor(QTextCursor(window.memo1()->document()));
}

void convertIndentedWorkingText(TSarvelo& window) {
    if (window.running()) return;
    const Lines lines = window.workingLines();
    int tabWidth = 8;
    if (tabIndented(lines)) {
        auto* dialog = window.findChild<TTabulation*>(QStringLiteral("Tabulation"));
        if (!dialog) dialog = new TTabulation(&window);
        const std::optional<int> width = dialog->ask();
        if (!width) return;
        tabWidth = *width;
    }
    const IndentedKey key = convertIndentedKey(lines, tabWidth);
    QString message = QString::fromStdString(key.message);
    if (key.converted) {
        replaceWorkingText(window, key.lines);
        setIndentedKeyLayout(window.params());
        window.paramsChanged();
        message += QLatin1Char('\n') + QString::fromUtf8(kMsgUndoConversion);
    }
    showOkMessage(&window, message);
}

}  // namespace sarvelo
