#include "review/qt/line_index_dialog.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/visible_codes.hpp"
#include "review/line_index.hpp"
#include "review/qt/dialog_buttons.hpp"
#include "review/qt/view_window.hpp"

namespace {

// Characters (code points) in the first `units` UTF-16 units of s.
std::size_t charsIn(const QString& s, int units) {
    return static_cast<std::size_t>(s.left(units).toUcs4().size());
}

}  // namespace

TIndice_ligne::TIndice_ligne(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Indice_ligne"));
    setWindowTitle(QStringLiteral("Indice de ligne"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Surligner la partie indiquant l'indice de la ligne."), this));

    auto* example = new QHBoxLayout;
    example->setSpacing(0);
    example->addWidget(new QLabel(QStringLiteral("Exemple     : "), this));
    auto* box = new QLabel(this);
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<span style=\"background-color: rgb(192,192,192);\">1</span>a)"));
    box->setFrameShape(QFrame::Box);
    box->setAutoFillBackground(true);
    QPalette white = box->palette();
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    example->addWidget(box);
    example->addStretch(1);
    column->addLayout(example);

    codenb_ = new QLineEdit(this);
    codenb_->setObjectName(QStringLiteral("codenb"));
    codenb_->setReadOnly(true);
    QFont big = codenb_->font();
    big.setPixelSize(19);
    codenb_->setFont(big);
    codenb_->setMinimumWidth(260);
    column->addWidget(codenb_);

    const sarvelo::DialogButtons buttons = sarvelo::addOkAnnulerRow(this, column);
    ok_ = buttons.ok;
    annuler_ = buttons.annuler;
    // A click on a button must not take the focus from codenb: leaving it
    // would clear the highlighted part before "Ok" reads it.
    for (QPushButton* b : {ok_, annuler_}) b->setFocusPolicy(Qt::NoFocus);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, [this] {
        OkClick();
        accept();
    });
    connect(annuler_, &QPushButton::clicked, this, &QDialog::reject);
}

void TIndice_ligne::OkClick() {
    // Spaces, tabs and line breaks show as codes, one character for one, so
    // the highlighted positions are those of the pattern itself.
    const QString shown = codenb_->text();
    std::size_t start = charsIn(shown, codenb_->cursorPosition());
    std::size_t length = 0;
    if (codenb_->hasSelectedText()) {
        const int from = codenb_->selectionStart();
        start = charsIn(shown, from);
        length = charsIn(shown, from + codenb_->selectionLength()) - start;
    }
    const sarvelo::IndexPatternParts parts = sarvelo::indexPatternParts(pattern_, start, length);
    avant_ = parts.avant;
    pendant_ = parts.pendant;
    apres_ = parts.apres;
}

std::optional<std::string> TIndice_ligne::ask(const std::string& classPattern) {
    pattern_ = classPattern;
    codenb_->clear();
    codenb_->setText(QString::fromStdString(sarvelo::displayGlyphs(sarvelo::toVisibleCodes(classPattern))));
    codenb_->setCursorPosition(0);
    codenb_->setFocus();
    adjustSize();
    sarvelo::qt::centreOnScreen(this);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return avant_ + pendant_ + apres_;
}
