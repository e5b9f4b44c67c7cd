// The main window's side of the key checks: the "Vérifications" dock, its
// menu entries, and going to the place of a finding.
#include <QAction>
#include <QMenu>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>

#include "review/qt/structure_window.hpp"
#include "ui/findings_dock.hpp"
#include "ui/main_window.hpp"
#include "ui/result_model.hpp"

namespace sarvelo {

void TSarvelo::buildFindingsDock() {
    findings_ = new FindingsDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, findings_);
    findings_->hide();
    connect(findings_, &FindingsDock::findingChosen, this, &TSarvelo::goToFinding);

    if (auto* affichage = findChild<QMenu*>(QStringLiteral("Affichage1"))) {
        // An entry of its own: the dock's toggle action takes the dock's
        // title, which changes with every run.
        auto* visible = new QAction(QStringLiteral("Vérifications visibles"), this);
        visible->setObjectName(QStringLiteral("Verificationsvisibles1"));
        visible->setCheckable(true);
        connect(visible, &QAction::triggered, findings_, &QWidget::setVisible);
        // The dock itself, not the window: it also reports while the window is destroyed.
        connect(findings_, &QDockWidget::visibilityChanged, visible,
                [dock = findings_, visible] { visible->setChecked(!dock->isHidden()); });
        // Right under "Structure visible".
        const QList<QAction*> entries = affichage->actions();
        const qsizetype at = entries.indexOf(action("Structurevisible1"));
        affichage->insertAction(at >= 0 && at + 1 < entries.size() ? entries[at + 1] : nullptr, visible);
    }
    if (auto* traitement = findChild<QMenu*>(QStringLiteral("Traitement1"))) {
        traitement->addSeparator();
        QAction* next = traitement->addAction(QStringLiteral("Erreur suivante"));
        next->setObjectName(QStringLiteral("Erreursuivante1"));
        next->setShortcut(QKeySequence(Qt::Key_F3));
        connect(next, &QAction::triggered, this, [this] {
            findings_->show();
            findings_->chooseNext();
        });
        QAction* previous = traitement->addAction(QStringLiteral("Erreur précédente"));
        previous->setObjectName(QStringLiteral("Erreurprecedente1"));
        previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
        connect(previous, &QAction::triggered, this, [this] {
            findings_->show();
            findings_->choosePrevious();
        });
        // A taxon keyed out in several places is normal in a key to families:
        // one line for them all unless each is wanted.
        QAction* each = traitement->addAction(QStringLiteral("Chaque définition répétée"));
        each->setObjectName(QStringLiteral("Chaquedefinitionrepetee1"));
        each->setCheckable(true);
    }
}

void TSarvelo::showFindings(const RunResult& result) {
    findings_->showRun(result.outcome, result.findings);
    structure_->setFindings(result.findings);
    // The list comes up when there is something in it; a user who closed it
    // finds it again under "Affichage".
    if (!result.findings.empty()) findings_->show();
}

void TSarvelo::goToFinding(int row, int line) {
    if (row > 0) {
        const QModelIndex index = model_->index(row - 1, kNb);
        if (index.isValid()) {
            grille_->setCurrentIndex(index);
            grille_->scrollTo(index);
        }
    }
    const QTextBlock block = memo1_->document()->findBlockByNumber(line);
    if (line < 0 || !block.isValid()) return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    memo1_->setTextCursor(cursor);
    memo1_->ensureCursorVisible();
}

}  // namespace sarvelo
