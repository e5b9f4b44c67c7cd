// The key-document commands of the main window: "Nouveau", "Ouvrir" (through
// the window "Format X"), "Enregistrer", "Enregistrer sous", "Mémorise cette
// état", "Rappel de la clé actuelle", and the question asked before quitting
// with unsaved changes.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "documents/rich_text.hpp"

class QTextEdit;

namespace sarvelo {

class TFormat_X;
class TSarvelo;

class DocumentCommands : public QObject {
    Q_OBJECT

public:
    explicit DocumentCommands(TSarvelo* window);

    // Asks for a file name: the open or the save dialog, or a stand-in
    // (tests). An empty name means the user cancelled.
    using FileChooser = std::function<QString(bool save, const QString& proposed)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    void Nouveau1Click();
    void Ouvrir1Click();
    // "Ouvrir" on a file already chosen (the command line's FICHIER).
    void open(const QString& path);
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Mmorisecettetat1Click();
    void Recommenceraveccettecl1Click();

    const QString& documentName() const { return documentName_; }
    // Text or parameters differ from what was last saved, opened or started.
    bool changedSinceSaved() const;
    // The text and parameters as they are now count as saved.
    void rememberSavedState();
    // Asks "Enregistrer les modifications ?" when there are changes; false
    // when the user keeps the program open.
    bool maySafelyQuit() { return askToSaveChanges(); }
    // Before a command replaces the working text: the same question.
    bool mayReplaceText() { return askToSaveChanges(); }
    TFormat_X* preview() const { return preview_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool save();  // to the current document name; false on failure
    bool askToSaveChanges();
    void setDocumentName(const QString& path);
    void applyToMainWindow(const std::vector<std::string>& configuration);
    std::string currentState() const;
    std::string currentParameters() const;
    void showMessage(const QString& text);
    QTextEdit* buffer(const char* name) const;

    TSarvelo* window_;
    TFormat_X* preview_;
    FileChooser chooser_;
    QString documentName_;
    std::string savedState_;
    // Edits of the working text, counted, so that an untouched text is known
    // as saved without writing it out (a long key takes a while to write).
    quint64 textEdits_ = 0, savedTextEdits_ = 0;
    std::string savedParameters_;
};

}  // namespace sarvelo
