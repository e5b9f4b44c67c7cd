#include "ui/detection_dialog.hpp"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

#include "components/visible_codes.hpp"
#include "ui/indented_command.hpp"
#include "ui/main_window.hpp"

namespace sarvelo {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The separators quoted in a summary («\u00A0…\u00A0») shown with the
// program's visible codes, so that a space or a tab can be seen.
QString summaryShown(const std::string& summary) {
    const std::string open = "\u00AB\u00A0", close = "\u00A0\u00BB";
    std::string out;
    std::size_t at = 0;
    for (std::size_t b; (b = summary.find(open, at)) != std::string::npos;) {
        const std::size_t e = summary.find(close, b + open.size());
        if (e == std::string::npos) break;
        out += summary.substr(at, b + open.size() - at);
        out += displayGlyphs(toVisibleCodes(summary.substr(b + open.size(), e - b - open.size())));
        at = e;
    }
    out += summary.substr(at);
    return QString::fromStdString(out);
}

QString checksText(const LayoutScore& s) {
    if (s.erreurs == 0 && s.avertissements == 0) return QStringLiteral("aucune remarque");
    QStringList parts;
    if (s.erreurs) parts << QStringLiteral("%1 erreur(s)").arg(s.erreurs);
    if (s.avertissements) parts << QStringLiteral("%1 avertissement(s)").arg(s.avertissements);
    return parts.join(QStringLiteral(", "));
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

TDetection::TDetection(TSarvelo& window) : QDialog(&window), window_(window) {
    setObjectName(QStringLiteral("TDetection"));
    setWindowTitle(QString::fromUtf8(kDetectLayoutCaption));
    resize(900, 560);
    // "F9 traite la clé" holds here too: the main window's shortcut works
    // while this window has the focus.
    addAction(window.action("Action1"));

    status_ = new QLabel(this);
    status_->setWordWrap(true);

    proposals_ = new QTableWidget(0, 5, this);
    proposals_->setObjectName(QStringLiteral("Propositions"));
    proposals_->setHorizontalHeaderLabels({QStringLiteral("Mise en page"), QStringLiteral("Entrées"),
                                           QStringLiteral("Couplets"), QStringLiteral("Rangs en erreur"),
                                           QStringLiteral("Vérifications")});
    proposals_->setSelectionBehavior(QAbstractItemView::SelectRows);
    proposals_->setSelectionMode(QAbstractItemView::SingleSelection);
    proposals_->verticalHeader()->hide();
    proposals_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c <= 4; ++c) proposals_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    proposals_->setWordWrap(false);
    connect(proposals_, &QTableWidget::currentCellChanged, this, [this](int row) { showPreview(row); });
    connect(proposals_, &QTableWidget::cellDoubleClicked, this, [this] { applyCurrent(); });

    preview_ = new QTableWidget(0, 4, this);
    preview_->setObjectName(QStringLiteral("Apercu"));
    preview_->setHorizontalHeaderLabels({QStringLiteral("Nb"), QStringLiteral("texte"), QStringLiteral("separ."),
                                         QStringLiteral("Def ou renvois")});
    preview_->verticalHeader()->hide();
    preview_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    obstaclesCaption_ = new QLabel(QString::fromUtf8(kObstaclesCaption), this);
    obstacles_ = new QListWidget(this);
    obstacles_->setObjectName(QStringLiteral("Obstacles"));
    connect(obstacles_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { goToLine(item->data(Qt::UserRole).toInt()); });

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton(QString::fromUtf8(kApplyCaption), QDialogButtonBox::AcceptRole);
    previous_ = buttons->addButton(QString::fromUtf8(kPreviousCaption), QDialogButtonBox::ResetRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    previous_->setEnabled(false);
    // The buttons act; only "Fermer" closes.
    disconnect(buttons, nullptr, this, nullptr);
    connect(apply_, &QPushButton::clicked, this, [this] { applyCurrent(); });
    connect(previous_, &QPushButton::clicked, this, [this] { restorePrevious(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(proposals_, 2);
    layout->addWidget(preview_, 3);
    layout->addWidget(obstaclesCaption_);
    layout->addWidget(obstacles_, 1);
    layout->addWidget(buttons);
}

void TDetection::detect() {
    // The search runs beside the window, over a copy of the text: the window
    // repaints, a long text shows its progress and "Annuler" stops it.
    const Lines lines = window_.workingLines();
    std::atomic<bool> cancel{false}, finished{false};
    std::atomic<int> done{0}, total{1};
    LayoutDetection found;
    std::thread worker([&] {
        DetectionControl control;
        control.cancel = &cancel;
        control.progress = [&](int d, int t) {
            done = d;
            total = t;
        };
        found = detectLayout(lines, kDefaultProposals, control);
        finished = true;
    });
    QProgressDialog progress(QString::fromUtf8(kMsgDetecting), QStringLiteral("Annuler"), 0, 1000, &window_);
    progress.setObjectName(QStringLiteral("ProgressionDetection"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    while (!finished) {
        progress.setValue(static_cast<int>(1000LL * done / std::max(1, total.load())));
        if (progress.wasCanceled()) cancel = true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    worker.join();
    progress.reset();
    detection_ = std::move(found);
    proposals_->setRowCount(0);
    for (const LayoutProposal& p : detection_.proposals) {
        const int row = proposals_->rowCount();
        proposals_->insertRow(row);
        proposals_->setItem(row, 0, cell(summaryShown(p.summary)));
        proposals_->item(row, 0)->setToolTip(summaryShown(p.summary));
        proposals_->setItem(row, 1, cell(QString::number(p.score.leads)));
        proposals_->setItem(row, 2, cell(QString::number(p.score.couplets)));
        proposals_->setItem(row, 3, cell(QString::number(p.score.errorRows)));
        proposals_->setItem(row, 4, cell(checksText(p.score)));
    }
    obstacles_->clear();
    for (const DetectionObstacle& o : detection_.obstacles) {
        QString text = o.line >= 0 ? QStringLiteral("ligne %1 : ").arg(o.line + 1) : QString();
        text += q(o.reason);
        if (!o.text.empty()) text += QStringLiteral(" — ") + q(o.text).left(120);
        auto* item = new QListWidgetItem(text, obstacles_);
        item->setData(Qt::UserRole, o.line);
    }
    obstaclesCaption_->setVisible(!detection_.obstacles.empty());
    obstacles_->setVisible(!detection_.obstacles.empty());
    if (detection_.proposals.empty())
        status_->setText(detection_.obstacles.empty() ? QString() : q(detection_.obstacles.front().reason));
    else if (detection_.proposals.front().score.errorRows > 0 || detection_.proposals.front().outcome != RunOutcome::Success)
        status_->setText(QString::fromUtf8(kMsgNothingProcesses));
    else if (!detection_.processes())
        status_->setText(QString::fromUtf8(kMsgChecksFindErrors));
    else
        status_->setText(QString::fromUtf8(kMsgProposals).arg(detection_.proposals.size()));
    apply_->setEnabled(!detection_.proposals.empty());
    if (!detection_.proposals.empty()) proposals_->setCurrentCell(0, 0);
    else showPreview(-1);
}

void TDetection::showPreview(int proposal) {
    preview_->setRowCount(0);
    if (proposal < 0 || proposal >= static_cast<int>(detection_.proposals.size())) return;
    for (const ProposalRow& r : detection_.proposals[static_cast<std::size_t>(proposal)].firstRows) {
        const int row = preview_->rowCount();
        preview_->insertRow(row);
        preview_->setItem(row, 0, cell(q(r.nb)));
        preview_->setItem(row, 1, cell(q(r.texte)));
        preview_->setItem(row, 2, cell(q(r.kind)));
        preview_->setItem(row, 3, cell(q(r.target)));
    }
    preview_->resizeColumnToContents(0);
    preview_->resizeColumnToContents(2);
}

void TDetection::applyCurrent() {
    const int row = proposals_->currentRow();
    if (row < 0 || row >= static_cast<int>(detection_.proposals.size()) || window_.running()) return;
    const LayoutProposal& p = detection_.proposals[static_cast<std::size_t>(row)];
    if (!before_) before_ = window_.params();
    if (p.convertsIndented) {
        // The text itself becomes the couplet key (Ctrl+Z in the text undoes it).
        convertIndentedWorkingText(window_);
    } else {
        // A reshaped key: the document holds the converted text, so that it
        // reopens and processes the same.
        if (!p.convertedText.empty()) replaceWorkingText(window_, p.convertedText);
        sarvelo::takeLayout(window_.params(), p.params);
        window_.paramsChanged();
    }
    previous_->setEnabled(true);
    QString applied = QString::fromUtf8(kMsgApplied);
    if (p.convertsIndented || !p.convertedText.empty()) applied += QLatin1Char('\n') + QString::fromUtf8(kMsgUndoConversion);
    status_->setText(applied);
}

void TDetection::restorePrevious() {
    if (!before_ || window_.running()) return;
    window_.params() = *before_;
    window_.paramsChanged();
    before_.reset();
    previous_->setEnabled(false);
    status_->setText(QString::fromUtf8(kMsgRestored));
}

void TDetection::goToLine(int line) {
    if (line < 0) return;
    QTextEdit* editor = window_.memo1();
    const QTextBlock block = editor->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

void detectLayoutCommand(TSarvelo& window) {
    if (window.running()) return;
    auto* dialog = window.findChild<TDetection*>(QStringLiteral("TDetection"), Qt::FindDirectChildrenOnly);
    if (!dialog) dialog = new TDetection(window);
    dialog->detect();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace sarvelo
