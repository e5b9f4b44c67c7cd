#include "ui/main_window.hpp"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "components/qt/toolbar_perso.hpp"
#include "documents/qt/rich_text_edit.hpp"
#include "interchange/key_model.hpp"
#include "review/qt/finished_key_window.hpp"
#include "review/findings_report.hpp"
#include "review/qt/line_index_dialog.hpp"
#include "review/qt/stale_band.hpp"
#include "review/qt/structure_window.hpp"
#include "review/tree.hpp"
#include "ui/document_commands.hpp"
#include "ui/findings_dock.hpp"
#include "ui/guided_dialogs.hpp"
#include "ui/param_binding.hpp"
#include "ui/preset_commands.hpp"
#include "ui/qt_host.hpp"
#include "ui/result_model.hpp"
#include "ui/text_input.hpp"

namespace sarvelo {

namespace {

const QColor kBackground(192, 220, 192);
constexpr int kTableHeight = 120;
constexpr int kTreeWidth = 121;
constexpr int kRowHeight = 18;
constexpr int kColumnWidths[ResultTable::kShownColumns] = {64, 0, 360, 64, 147};

QFont arial(int pixels) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    return f;
}

QTextEdit* hiddenBuffer(const char* name, const char* firstLine, QWidget* parent) {
    auto* memo = new RichTextEdit(parent);
    memo->setObjectName(name);
    memo->setPlainText(QString::fromLatin1(firstLine));
    return memo;
}

// Splitters of the main window are plain red bars.
class RedHandle : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(255, 0, 0)); }
};

class RedSplitter : public QSplitter {
public:
    RedSplitter(Qt::Orientation o, QWidget* parent) : QSplitter(o, parent) {}

protected:
    QSplitterHandle* createHandle() override { return new RedHandle(orientation(), this); }
};

}  // namespace

TSarvelo::TSarvelo(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Sarvelo"));
    // Each window's caption is its own ("Structure", "Clé terminée"): an
    // empty display name keeps the platform from adding " — Sarvelo". The
    // application's name (where its settings go) is main()'s to set.
    QApplication::setApplicationDisplayName(QString());
    setWindowTitle(QStringLiteral("Sarvelo"));
    setFont(arial(16));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    buildLayout();
    buildPages();
    binding_ = new ParamBinding(params_, this);
    connect(binding_, &ParamBinding::changed, this, &TSarvelo::parameterChanged);
    buildMenus();
    buildPopup();
    buildPresetCommands(*this);
    lineIndex_ = new TIndice_ligne(this);
    new GuidedMode(*this);
    // The review windows live as long as the main window, shown and hidden.
    fin_ = new TBD_Fin(&table_, this);
    structure_ = new TStructure(&table_, this);
    connectReviewWindows();
    connectParameterCommands();
    buildComponents();
    buildTableCommands();
    buildFindingsDock();
    documents_ = new DocumentCommands(this);
    textInput_ = new TextInputCommands(this);

    applyHorizontal();
    setPageByCommand(kPageFormatage);
    previousPage_ = kPageFormatage;
    setMode(Mode::Expert);
    showFormatPanel();
    updatePopupChecks();
}

TSarvelo::~TSarvelo() {
    // The binding writes into this window when a control changes, and the
    // controls' models signal while they are torn down: it goes first, and
    // nothing torn down afterwards may call back into this window.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
    delete binding_;
    binding_ = nullptr;
    // The table view and the review windows read the table while the
    // window's children are torn down: they must go before the table does.
    delete structure_;
    delete fin_;
    delete grille_;
}

void TSarvelo::buildLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);

    // Working area: toolbar strip, working text with the tree on its right,
    // progress bar.
    workArea_ = new QWidget(central);
    auto* work = new QVBoxLayout(workArea_);
    work->setContentsMargins(0, 0, 0, 0);
    work->setSpacing(0);
    toolBar_ = new TToolBarPerso(this);
    toolBar_->setObjectName(QStringLiteral("ToolBarPerso1"));
    toolBar_->setFixedHeight(29);
    toolBar_->hide();
    work->addWidget(toolBar_);

    treeSplitter_ = new RedSplitter(Qt::Horizontal, workArea_);
    treeSplitter_->setObjectName(QStringLiteral("SplitterArbre"));
    treeSplitter_->setHandleWidth(4);
    treeSplitter_->setChildrenCollapsible(false);
    memo1_ = new RichTextEdit(treeSplitter_);
    memo1_->setObjectName(QStringLiteral("memo1"));
    memo1_->setFont(arial(13));
    memo1_->document()->setDefaultFont(arial(13));
    memo1_->setLineWrapMode(QTextEdit::NoWrap);
    memo1_->setTabChangesFocus(false);
    memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setAcceptRichText(true);
    connect(memo1_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                keepMarksToTheirText(position, added);
                if (hasResult_ && !running_) setResultStale(true);
            });
    QPalette memoPal = memo1_->palette();
    memoPal.setColor(QPalette::Text, Qt::black);
    memoPal.setColor(QPalette::Base, Qt::white);
    memo1_->setPalette(memoPal);
    arbre_ = new QTreeWidget(treeSplitter_);
    arbre_->setObjectName(QStringLiteral("arbre"));
    arbre_->setHeaderHidden(true);
    arbre_->hide();
    treeSplitter_->setStretchFactor(0, 1);
    treeSplitter_->setStretchFactor(1, 0);
    work->addWidget(treeSplitter_, 1);

    barre_ = new QProgressBar(workArea_);
    barre_->setObjectName(QStringLiteral("barre"));
    barre_->setFixedHeight(10);
    barre_->setTextVisible(false);
    barre_->setRange(0, 100);
    barre_->setValue(0);
    work->addWidget(barre_);

    tableArea_ = new QWidget(central);
    auto* tableColumn = new QVBoxLayout(tableArea_);
    tableColumn->setContentsMargins(0, 0, 0, 0);
    tableColumn->setSpacing(0);
    tableStale_ = qt::makeStaleBand(tableArea_);
    tableColumn->addWidget(tableStale_);
    grille_ = new QTableView(tableArea_);
    tableColumn->addWidget(grille_, 1);
    grille_->setObjectName(QStringLiteral("grille"));
    grille_->setFont(arial(13));
    model_ = new ResultTableModel(table_, grille_);
    grille_->setModel(model_);
    grille_->verticalHeader()->hide();
    grille_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grille_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grille_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grille_->horizontalHeader()->setMinimumSectionSize(0);
    grille_->horizontalHeader()->setHighlightSections(false);
    grille_->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background: rgb(192,192,192); color: black; border: 1px solid white; padding-left: 5px; }"));
    grille_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grille_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grille_->setWordWrap(false);
    grille_->setTextElideMode(Qt::ElideNone);
    grille_->setGridStyle(Qt::SolidLine);
    grille_->setStyleSheet(QStringLiteral("QTableView { gridline-color: white; }"));
    for (int c = 0; c < ResultTable::kShownColumns; ++c) grille_->setColumnWidth(c, kColumnWidths[c]);

    mainSplitter_ = new RedSplitter(Qt::Vertical, central);
    mainSplitter_->setObjectName(QStringLiteral("SplitterTableau"));
    mainSplitter_->setHandleWidth(5);
    mainSplitter_->setChildrenCollapsible(false);
    mainSplitter_->addWidget(workArea_);
    mainSplitter_->addWidget(tableArea_);
    mainSplitter_->setStretchFactor(0, 1);
    mainSplitter_->setStretchFactor(1, 0);
    column->addWidget(mainSplitter_, 1);


    pages_ = new QTabWidget(central);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->setTabPosition(QTabWidget::North);
    pages_->setDocumentMode(true);
    pages_->tabBar()->setCursor(Qt::PointingHandCursor);
    pages_->tabBar()->setExpanding(false);
    pages_->tabBar()->setUsesScrollButtons(true);
    // Styled on the tab bar alone: a style sheet on the tab widget would stop
    // the pages from inheriting the window's font.
    pages_->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: rgb(192,220,192); border: 1px solid rgb(128,128,128); "
        "padding: 3px 10px; margin: 2px 2px 0 0; }"
        "QTabBar::tab:selected { background: white; }"
        "QTabBar::tab:hover { border-color: black; }"));
    column->addWidget(pages_);

    // Hidden rich-text buffers of the other parts of the program.
    hiddenBuffers_ = new QWidget(central);
    hiddenBuffers_->setObjectName(QStringLiteral("PanelMemos"));
    hiddenBuffers_->hide();
    hiddenBuffer("Memo2", "Memo2", hiddenBuffers_);
    hiddenBuffer("MemoW", "MemoW", hiddenBuffers_);
    hiddenBuffer("memoOuvre", "MemoOuvre", hiddenBuffers_);

    connect(pages_, &QTabWidget::currentChanged, this, &TSarvelo::pageChanged);
}

QAction* TSarvelo::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void TSarvelo::paramsChanged() { binding_->showAll(); }

// --- Pages -------------------------------------------------------------------

void TSarvelo::setPageByCommand(int page) {
    pageByCommand_ = true;
    pages_->setCurrentIndex(page);
    currentPage_ = pages_->currentIndex();
    pageByCommand_ = false;
}

void TSarvelo::setTabAreaHeight(int height) {
    tabHeight_ = height;
    if (height <= 0) {
        pages_->hide();
        return;
    }
    pages_->setFixedHeight(height);
    pages_->show();
}

void TSarvelo::pageChanged(int index) {
    if (pageByCommand_) return;
    // A change made by the user: the page being left is remembered.
    previousPage_ = currentPage_;
    currentPage_ = index;
    if (index == kPageReduit) {
        const bool reduce = tabHeight_ == kTabFull;
        setTabAreaHeight(reduce ? kTabReduced : kTabFull);
        pages_->setTabText(kPageReduit, reduce ? QStringLiteral("Agrandit") : QStringLiteral("Réduit"));
        setPageByCommand(previousPage_);
    } else if (index == kPageAction) {
        // The page shows "Traitement des données en cours" while the run goes on.
        pages_->repaint();
        Action1Click();
        // A run stopped by its precondition has put "(4) Définition" in
        // front, where the missing separators are entered: it stays there.
        if (pages_->currentIndex() == kPageAction) setPageByCommand(previousPage_);
    } else {
        setTabAreaHeight(kTabFull);
        pages_->setTabText(kPageReduit, QStringLiteral("Réduit"));
    }
}

// --- Working modes -------------------------------------------------------------

void TSarvelo::setMode(Mode mode) {
    mode_ = mode;
    action("ModeExpert1")->setChecked(mode == Mode::Expert);
    action("ModeAssist1")->setChecked(mode == Mode::Assiste);
    action("ModeDirig1")->setChecked(mode == Mode::Dirige);
    switch (mode) {
        case Mode::Expert:
            setTabAreaHeight(kTabFull);
            memo1_->setContextMenuPolicy(Qt::CustomContextMenu);
            action("Action1")->setEnabled(true);
            break;
        case Mode::Assiste:
            setTabAreaHeight(kTabFull);
            memo1_->setContextMenuPolicy(Qt::NoContextMenu);
            action("Action1")->setEnabled(true);
            break;
        case Mode::Dirige:
            // The guided dialogs take over the parameters: no tab area, no
            // popup, no F9.
            setTabAreaHeight(0);
            memo1_->setContextMenuPolicy(Qt::NoContextMenu);
            action("Action1")->setEnabled(false);
            break;
    }
    pages_->setTabText(kPageReduit, QStringLiteral("Réduit"));
}

// --- Table layout ----------------------------------------------------------------

void TSarvelo::applyTableLayout() {
    const bool shown = params_.Developpement;
    tableArea_->setVisible(shown);
    mainSplitter_->handle(1)->setVisible(shown);
}

void TSarvelo::applyHorizontal() {
    vertical_ = false;
    mainSplitter_->setOrientation(Qt::Vertical);
    applyTableLayout();
    const int total = mainSplitter_->height();
    mainSplitter_->setSizes({std::max(total - kTableHeight - mainSplitter_->handleWidth(), 1), kTableHeight});
}

void TSarvelo::applyVertical() {
    vertical_ = true;
    mainSplitter_->setOrientation(Qt::Horizontal);
    applyTableLayout();
    // The table keeps the width its columns need.
    int width = grille_->frameWidth() * 2 + grille_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < model_->columnCount(); ++c) width += grille_->columnWidth(c);
    const int total = mainSplitter_->width();
    mainSplitter_->setSizes({std::max(total - width - mainSplitter_->handleWidth(), 1), width});
}

void TSarvelo::toggleTableVisible() {
    QAction* a = action("ableauvisible1");
    params_.Developpement = a->isChecked();
    binding_->show("Developpement");  // its change applies the horizontal layout
}

void TSarvelo::toggleStructureVisible() {
    const bool shown = action("Structurevisible1")->isChecked();
    arbre_->setVisible(shown);
    treeSplitter_->handle(1)->setVisible(shown);
    if (shown) {
        const int total = treeSplitter_->width();
        treeSplitter_->setSizes({std::max(total - kTreeWidth - treeSplitter_->handleWidth(), 1), kTreeWidth});
        showTrees();
    }
}

// --- Parameters --------------------------------------------------------------------

void TSarvelo::parameterChanged(const ParamInfo& info) {
    if (info.name == "Format") showFormatPanel();
    if (info.name == "Developpement") {
        if (QAction* a = action("ableauvisible1")) a->setChecked(params_.Developpement);
        applyHorizontal();
    }
    updatePopupChecks();
    if (hasResult_ && !running_ && !sameValue(params_, runParams_, info)) setResultStale(true);
}

// --- The processing run ----------------------------------------------------------------

Lines TSarvelo::workingLines() const {
    Lines lines;
    const QTextDocument* doc = memo1_->document();
    lines.reserve(static_cast<std::size_t>(doc->blockCount()));
    // The raw text keeps every character (no-break spaces included) with the
    // paragraphs apart: one conversion for the whole text, not one a line.
    const QByteArray all = doc->toRawText().toUtf8();
    static const QByteArray kParagraph = QString(QChar::ParagraphSeparator).toUtf8();
    qsizetype from = 0;
    for (;;) {
        const qsizetype end = all.indexOf(kParagraph, from);
        lines.emplace_back(all.constData() + from, static_cast<std::size_t>((end < 0 ? all.size() : end) - from));
        if (end < 0) break;
        from = end + kParagraph.size();
    }
    // The empty paragraph after a final line break is no line of the text.
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

void TSarvelo::setWorkingText(const QString& text) { memo1_->setPlainText(text); }

void TSarvelo::setImportedCoupletLabels(std::vector<std::string> labels) {
    importedLabels_ = std::move(labels);
    importedText_ = workingLines();
}

void TSarvelo::Action1Click() {
    // Pending events are let through during the run: F9, the menu entry or
    // the page must not start a second run meanwhile.
    if (running_) return;
    running_ = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{running_};

    Lines working = workingLines();
    QtHost host(this, barre_, [this] { refreshTable(); });
    RunOptions options;
    options.partialMode = action("Mode_partiel")->isChecked();
    if (!importedLabels_.empty() && working == importedText_) options.checks.coupletLabels = &importedLabels_;
    if (const QAction* each = action("Chaquedefinitionrepetee1")) options.checks.everyRepeatedTaxon = each->isChecked();
    // The run reads a snapshot: the window stays live while events are let
    // through, and an edit made meanwhile must not change the key mid-run.
    KeyParams snapshot = params_;
    RunResult result = runProcessing(working, snapshot, table_, host, options);
    if (result.outcome != RunOutcome::PreconditionFailed) {
        addJoinedDeterminationSeparator(params_);  // what the run added to its snapshot
        binding_->show("Liste_separ_3");
    }
    barre_->setValue(0);

    if (result.outcome == RunOutcome::PreconditionFailed) {
        showOkMessage(this, QString::fromUtf8(kMsgNoSeparator));
        setPageByCommand(kPageDefinition);
        return;
    }
    refreshTable();
    if (result.outcome == RunOutcome::Success) action("Voirrsultat1")->setEnabled(true);
    if (result.outcome == RunOutcome::Errors) action("Voirrsultat1")->setEnabled(false);
    if (result.outcome != RunOutcome::PartialStop) {
        treeStale_ = true;
        showTrees();
    }
    if (result.outcome == RunOutcome::Success) {
        fin_->buildAndPresent();
    }
    markErrorLines(result.errorLines);
    showFindings(result);
    hasResult_ = true;
    runParams_ = params_;
    setResultStale(false);
    memo1_->setFocus();
    lastRun_ = std::move(result);
    runText_ = std::move(working);
    emit runFinished(lastRun_.outcome);
}

void TSarvelo::setResultStale(bool stale) {
    if (stale == resultStale_) return;
    resultStale_ = stale;
    tableStale_->setVisible(stale);
    findings_->setStale(stale);
    fin_->setStale(stale);
}

void TSarvelo::forgetResult() {
    table_ = ResultTable();
    lastRun_ = RunResult();
    runText_.clear();
    refreshTable();
    treeStale_ = true;
    showTrees();
    findings_->clear();
    structure_->setFindings({});
    fin_->buildFromTable();
    action("Voirrsultat1")->setEnabled(false);
    memo1_->setExtraSelections({});
    hasResult_ = false;
    setResultStale(false);
}

bool TSarvelo::mayWriteResult(QWidget* parent, qt::ResultWriting writing) {
    static const char* const kVerbs[] = {"Enregistrer", "Exporter", "Imprimer"};
    if (resultStale_ &&
        !askYesNoBox(parent, QStringLiteral("Sarvelo"),
                     QStringLiteral("%1\n%2 quand même ?")
                         .arg(QString::fromUtf8(qt::kStaleResultCaption),
                              QString::fromLatin1(kVerbs[static_cast<int>(writing)])),
                     false))
        return false;
    // "Exporter..." refuses a key in error by itself, with its reason; a
    // printed key in error is a draft to correct.
    if (writing != qt::ResultWriting::Save) return true;
    const auto error = std::find_if(lastRun_.findings.begin(), lastRun_.findings.end(),
                                    [](const Finding& f) { return f.level == FindingLevel::Erreur; });
    if (error == lastRun_.findings.end()) return true;
    return askYesNoBox(parent, QStringLiteral("Sarvelo"),
                       QStringLiteral("La clé a des erreurs, la première : %1\nEnregistrer quand même ?")
                           .arg(QString::fromStdString(findingLine(*error))),
                       false);
}

void TSarvelo::refreshTable() {
    std::vector<int> widths;
    for (int c = 0; c < model_->columnCount(); ++c) widths.push_back(grille_->columnWidth(c));
    model_->refresh();
    for (int c = 0; c < model_->columnCount(); ++c)
        grille_->setColumnWidth(c, c < static_cast<int>(widths.size()) ? widths[c] : kColumnWidths[0]);
    grille_->setColumnWidth(kSource, 0);
}

// The tree is built only when one is shown: a long faulty key makes a large
// tree, and a hidden one would cost its time for nothing. A hidden Structure
// window rebuilds when it comes back.
void TSarvelo::showTrees() {
    const bool structureShown = structure_->isVisible();
    if (!treeStale_ || (arbre_->isHidden() && !structureShown)) return;
    const Tree tree = buildTree(table_);
    ::fillTree(arbre_, tree);
    if (structureShown) ::fillTree(structure_->tree(), tree);
    treeStale_ = false;
}

void TSarvelo::connectReviewWindows() {
    connect(structure_, &TStructure::treeRebuilt, this, [this](const Tree& tree) {
        ::fillTree(arbre_, tree);
        treeStale_ = false;
    });
    connect(action("Voirlastructure1"), &QAction::triggered, this, [this] {
        structure_->show();
        structure_->raise();
        structure_->activateWindow();
    });
    connect(action("Voirrsultat1"), &QAction::triggered, fin_, &TBD_Fin::present);
    connect(action("rierlacltermine1"), &QAction::triggered, fin_, &TBD_Fin::showOrdered);
    fin_->setBeforeWrite([this](QWidget* parent, qt::ResultWriting writing) { return mayWriteResult(parent, writing); });
    connect(action("Imprimer1"), &QAction::triggered, fin_, &TBD_Fin::ImprimerClick);
    fin_->setTitleSource(
        [this] { return QString::fromStdString(interchange::proposedTitle(workingLines(), table_)); });
    connect(fin_, &TBD_Fin::goToTableRow, this, [this](int row) {
        const QModelIndex index = model_->index(row - 1, kNb);
        if (!index.isValid()) return;
        grille_->setCurrentIndex(index);
        grille_->scrollTo(index);
    });
}

void TSarvelo::remarkErrorLines() {
    const int lineCount = memo1_->document()->blockCount();
    markErrorLines(errorLines(table_, lastRun_.rowOrigin, lineCount));
}

// The marking is a view over the text, never part of it: a key pasted at a
// red line, or a saved document, takes none of the red.
void TSarvelo::markErrorLines(const std::vector<int>& lines) {
    const QTextDocument* doc = memo1_->document();
    QList<QTextEdit::ExtraSelection> marks;
    marks.reserve(static_cast<qsizetype>(lines.size()));
    for (int line : lines) {
        const QTextBlock block = doc->findBlockByNumber(line);
        if (!block.isValid()) continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        mark.format.setBackground(QColor(255, 0, 0));
        marks.append(mark);
    }
    memo1_->setExtraSelections(marks);
}

// A mark's end moves with text inserted right at it: what is typed or pasted
// at the end of a red line is no part of that line's fault, so the mark
// keeps to its own text. (Marks are in text order and never overlap.)
void TSarvelo::keepMarksToTheirText(int position, int added) {
    if (added <= 0) return;
    QList<QTextEdit::ExtraSelection> marks = memo1_->extraSelections();
    if (marks.isEmpty()) return;
    const int end = position + added;
    auto it = std::lower_bound(marks.begin(), marks.end(), end, [](const QTextEdit::ExtraSelection& m, int e) {
        return m.cursor.selectionEnd() < e;
    });
    if (it == marks.end() || it->cursor.selectionEnd() != end || it->cursor.selectionStart() > position) return;
    const int start = it->cursor.selectionStart();
    it->cursor.setPosition(start);
    it->cursor.setPosition(position, QTextCursor::KeepAnchor);
    memo1_->setExtraSelections(marks);
}

}  // namespace sarvelo
