// TSarvelo: the main window. It owns the working text (memo1), the key
// parameters (as named controls bound to one record), the result table
// (grille), the tree (arbre), the progress bar (barre) and the tab area of
// parameter pages, and runs the processing.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "engine/engine.hpp"
#include "review/qt/key_export.hpp"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QTableView;
class QTextEdit;
class QTreeWidget;
class TBD_Fin;
class TIndice_ligne;
class TStructure;

namespace sarvelo {

class FindingsDock;
class DocumentCommands;
class ParamBinding;
class TToolBarPerso;
class Tpropos;
class ResultTableModel;
class TextInputCommands;

class TSarvelo : public QMainWindow {
    Q_OBJECT

public:
    enum Page {
        kPageFormatage = 0,
        kPageNumerotation,
        kPageRenvois,
        kPageSection,
        kPageDefinition,
        kPageAutresLignes,
        kPageAnalyse,
        kPageReduit,
        kPageAction,
        kPageCount
    };
    enum class Mode { Expert, Assiste, Dirige };
    static constexpr int kTabFull = 208;
    static constexpr int kTabReduced = 34;

    explicit TSarvelo(QWidget* parent = nullptr);
    ~TSarvelo() override;

    // --- The key parameters: the record the engine reads ------------------
    KeyParams& params() { return params_; }
    // After writing the record directly: every control follows it.
    void paramsChanged();
    // The error line marking of the last run's table, painted again over the
    // working text as it is now (after a document is opened).
    void remarkErrorLines();
    ParamBinding& binding() { return *binding_; }

    // --- The processing run ------------------------------------------------
    // Action1Click: runs the processing on the working text. Does nothing
    // while a run is already going on.
    void Action1Click();
    bool running() const { return running_; }
    const ResultTable& table() const { return table_; }
    const RunResult& lastRun() const { return lastRun_; }

    // --- The result and the text it was made from -------------------------
    // Once the text or the parameters change after a run, the table, the
    // dock and "Clé terminée" show a grey band until the next run.
    bool resultStale() const { return resultStale_; }
    // "Nouveau" or another text opened: nothing of the earlier key is shown.
    void forgetResult();
    // Before the result is written ("Enregistrer", "Exporter...",
    // "Imprimer"): a stale result, or a saved key with erreur-level
    // findings, is written only when the user says so.
    bool mayWriteResult(QWidget* parent, qt::ResultWriting writing);

    // The working text as plain lines (one per paragraph of memo1).
    Lines workingLines() const;
    void setWorkingText(const QString& text);
    // The couplet labels of a key file just read into the working text: the
    // findings name couplets by them while that text stays as read.
    void setImportedCoupletLabels(std::vector<std::string> labels);

    // --- Window state -------------------------------------------------------
    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    int tabAreaHeight() const { return tabHeight_; }
    int previousPage() const { return previousPage_; }
    bool verticalLayout() const { return vertical_; }
    // Makes a page active as a command does: none of the page-change rules
    // run and the remembered previous page stays.
    void setPageByCommand(int page);

    // Named parts, for the other windows and for tests.
    QTextEdit* memo1() const { return memo1_; }
    QTableView* grille() const { return grille_; }
    QTreeWidget* arbre() const { return arbre_; }
    QProgressBar* barre() const { return barre_; }
    QTabWidget* pages() const { return pages_; }
    QSplitter* mainSplitter() const { return mainSplitter_; }
    QSplitter* treeSplitter() const { return treeSplitter_; }
    QMenu* popup() const { return popup_; }
    QAction* action(const char* name) const;
    TStructure* structureWindow() const { return structure_; }
    TBD_Fin* finishedKeyWindow() const { return fin_; }
    TToolBarPerso* toolBarPerso() const { return toolBar_; }
    Tpropos* propos() const { return propos_; }
    TIndice_ligne* lineIndexDialog() const { return lineIndex_; }
    DocumentCommands* documents() const { return documents_; }
    TextInputCommands* textInput() const { return textInput_; }
    QMenu* tablePopup() const { return tablePopup_; }

    // "Ligne correspondante": selects the working text's line(s) of the
    // table's current row.
    void Lignecorrespondante1Click();
    // The selection of the working text, line breaks as "\r\n".
    std::string selectedText() const;
    FindingsDock* findingsDock() const { return findings_; }

signals:
    // After every run that got past the precondition.
    void runFinished(sarvelo::RunOutcome outcome);

private:
    // Construction (main_window.cpp, parameter_pages.cpp, main_menu.cpp,
    // popup_menu.cpp).
    void buildLayout();
    void buildPages();
    QWidget* buildAnalysePage();
    QWidget* buildActionPage();
    QWidget* paramControl(const char* name) const;
    void buildMenus();
    void buildPopup();
    void connectReviewWindows();
    void connectParameterCommands();
    void buildComponents();  // main_components.cpp: toolbar and about box

    // Reactions.
    void pageChanged(int index);
    void setTabAreaHeight(int height);
    void applyHorizontal();
    void applyVertical();
    void applyTableLayout();
    void toggleTableVisible();
    void toggleStructureVisible();
    void parameterChanged(const ParamInfo& info);
    void showFormatPanel();
    void updatePopupChecks();
    void setParam(const char* name, int value, int page);
    void setTextParam(const char* name, int page);
    void addDefinitionSeparator();
    void addComplexFormat();
    void correctComplexFormat();
    void showComplexList(int selectedRow);
    void buildTableCommands();
    void showMemoPopup(const QPoint& pos);

    // The run's ends.
    void refreshTable();
    void setResultStale(bool stale);
    void showTrees();
    void markErrorLines(const std::vector<int>& lines);
    void keepMarksToTheirText(int position, int added);
    // The key checks (main_window_findings.cpp).
    void buildFindingsDock();
    void showFindings(const RunResult& result);
    void goToFinding(int row, int line);

    KeyParams params_;
    ResultTable table_;
    RunResult lastRun_;
    Lines runText_;         // the working text the table was made from
    KeyParams runParams_;   // and the parameters
    std::vector<std::string> importedLabels_;
    Lines importedText_;  // the working text the labels belong to
    ParamBinding* binding_ = nullptr;
    ResultTableModel* model_ = nullptr;

    QTextEdit* memo1_ = nullptr;
    QTableView* grille_ = nullptr;
    QWidget* tableArea_ = nullptr;  // the stale band over the table
    QLabel* tableStale_ = nullptr;
    QTreeWidget* arbre_ = nullptr;
    QProgressBar* barre_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* treeSplitter_ = nullptr;
    QWidget* workArea_ = nullptr;
    TToolBarPerso* toolBar_ = nullptr;
    Tpropos* propos_ = nullptr;
    QMenu* popup_ = nullptr;
    QWidget* hiddenBuffers_ = nullptr;
    QWidget* panelComplexe_ = nullptr;
    QWidget* panelFormat_ = nullptr;
    QWidget* panel1221_ = nullptr;
    TStructure* structure_ = nullptr;
    TBD_Fin* fin_ = nullptr;
    TIndice_ligne* lineIndex_ = nullptr;
    QMenu* tablePopup_ = nullptr;
    FindingsDock* findings_ = nullptr;
    DocumentCommands* documents_ = nullptr;
    TextInputCommands* textInput_ = nullptr;

    Mode mode_ = Mode::Expert;
    int tabHeight_ = kTabFull;
    int currentPage_ = 0;
    int previousPage_ = 0;
    bool pageByCommand_ = false;
    bool vertical_ = false;
    bool running_ = false;
    bool treeStale_ = false;
    bool hasResult_ = false;
    bool resultStale_ = false;  // the table changed since the trees were built
};

}  // namespace sarvelo
