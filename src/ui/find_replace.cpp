#include "ui/find_replace.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace sarvelo {

TRecherche::TRecherche(QTextEdit* editor, QWidget* parent) : QDialog(parent), editor_(editor) {
    setObjectName(QStringLiteral("TRecherche"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("Rechercher"));
    replace_ = new QLineEdit(this);
    replace_->setObjectName(QStringLiteral("Remplacer"));
    replaceLabel_ = new QLabel(QStringLiteral("Remplacer par :"), this);
    matchCase_ = new QCheckBox(QStringLiteral("Respecter la casse"), this);
    matchCase_->setObjectName(QStringLiteral("Casse"));
    grid->addWidget(new QLabel(QStringLiteral("Rechercher :"), this), 0, 0);
    grid->addWidget(find_, 0, 1);
    grid->addWidget(replaceLabel_, 1, 0);
    grid->addWidget(replace_, 1, 1);
    grid->addWidget(matchCase_, 2, 1);

    next_ = new QPushButton(QStringLiteral("Suivant"), this);
    next_->setObjectName(QStringLiteral("Suivant"));
    next_->setDefault(true);
    replaceOne_ = new QPushButton(QStringLiteral("Remplacer"), this);
    replaceOne_->setObjectName(QStringLiteral("RemplacerUn"));
    replaceOne_->setAutoDefault(false);
    replaceAll_ = new QPushButton(QStringLiteral("Tout remplacer"), this);
    replaceAll_->setObjectName(QStringLiteral("ToutRemplacer"));
    replaceAll_->setAutoDefault(false);
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {next_, replaceOne_, replaceAll_, fermer}) buttons->addWidget(b);
    grid->addLayout(buttons, 3, 0, 1, 2);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Etat"));
    grid->addWidget(status_, 4, 0, 1, 2);

    connect(next_, &QPushButton::clicked, this, &TRecherche::findNext);
    connect(replaceOne_, &QPushButton::clicked, this, &TRecherche::replaceOne);
    connect(replaceAll_, &QPushButton::clicked, this, &TRecherche::replaceAll);
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);
}

void TRecherche::showFor(bool replace) {
    setWindowTitle(replace ? QStringLiteral("Remplacer") : QStringLiteral("Rechercher"));
    for (QWidget* w : std::initializer_list<QWidget*>{replaceLabel_, replace_, replaceOne_, replaceAll_})
        w->setVisible(replace);
    const QString selected = editor_->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) find_->setText(selected);
    status_->clear();
    show();
    raise();
    activateWindow();
    find_->setFocus();
    find_->selectAll();
}

int TRecherche::flags() const { return matchCase_->isChecked() ? int(QTextDocument::FindCaseSensitively) : 0; }

// From the caret to the end, then from the start: the whole text is searched once.
bool TRecherche::findNext() {
    const QString what = find_->text();
    if (what.isEmpty()) return false;
    const auto options = QTextDocument::FindFlags(flags());
    QTextDocument* doc = editor_->document();
    QTextCursor found = doc->find(what, editor_->textCursor(), options);
    if (found.isNull()) found = doc->find(what, 0, options);
    if (found.isNull()) {
        status_->setText(QStringLiteral("« %1 » est introuvable.").arg(what));
        return false;
    }
    status_->clear();
    editor_->setTextCursor(found);
    editor_->ensureCursorVisible();
    return true;
}

// The occurrence selected is replaced, then the next one is selected.
void TRecherche::replaceOne() {
    QTextCursor cursor = editor_->textCursor();
    const Qt::CaseSensitivity sensitivity = matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && cursor.selectedText().compare(find_->text(), sensitivity) == 0) {
        cursor.insertText(replace_->text());
        editor_->setTextCursor(cursor);
    }
    findNext();
}

int TRecherche::replaceAll() {
    const QString what = find_->text();
    if (what.isEmpty()) return 0;
    QTextDocument* doc = editor_->document();
    const auto options = QTextDocument::FindFlags(flags());
    QTextCursor edit(doc);
    edit.beginEditBlock();
    int count = 0;
    for (QTextCursor found = doc->find(what, 0, options); !found.isNull(); found = doc->find(what, found, options)) {
        found.insertText(replace_->text());
        ++count;
    }
    edit.endEditBlock();
    status_->setText(count ? QStringLiteral("%1 remplacement(s).").arg(count)
                           : QStringLiteral("« %1 » est introuvable.").arg(what));
    return count;
}

}  // namespace sarvelo
