// Bringing a key into the working text and editing it as a whole: "Ouvrir
// fichier texte", the pastes of the menu "Edition", the two font-size
// commands, the formatting-codes pass "Visualise les formats" and the
// character analysis of the tab "Analyse données".
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QTextEdit;

namespace sarvelo {

class AnalysisTable;
class TSarvelo;

class TextInputCommands : public QObject {
    Q_OBJECT

public:
    static constexpr int kStartPoints = 10;
    static constexpr int kMinPoints = 6;
    static constexpr int kMaxPoints = 20;

    explicit TextInputCommands(TSarvelo* window);

    // Asks for the text file to open: the dialog, or a stand-in (tests). An
    // empty name means the user cancelled.
    using FileChooser = std::function<QString()>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    void Ouvrirfichiertexte1Click();
    // "Ouvrir fichier texte" on a file already chosen (the command line's FICHIER).
    void openTextFile(const QString& path);
    void Coller1Click();         // "Coller (efface tout et colle)"
    void Collerentexte1Click();  // "Coller en texte"
    void Coller2Click();         // "Coller", at the caret
    void Augmentelapoliceperteduformat1Click() { setFontPoints(fontPoints_ + 2); }
    void Diminuslapoliceperteduformat1Click() { setFontPoints(fontPoints_ - 2); }
    void Applique_formatClick();  // "Visualise les formats"
    void AnalyseClick();          // analyses the working text's selection

    int fontPoints() const { return fontPoints_; }
    AnalysisTable* analysisTable() const { return table_; }

private:
    void setFontPoints(int points);
    void replaceWithClipboard(bool plain);
    void analyseRange(int from, int to);
    QTextEdit* buffer(const char* name) const;

    TSarvelo* window_;
    AnalysisTable* table_;
    FileChooser chooser_;
    int fontPoints_ = kStartPoints;
};

}  // namespace sarvelo
