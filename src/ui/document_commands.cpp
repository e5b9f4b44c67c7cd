#include "ui/document_commands.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "documents/key_document.hpp"
#include "documents/qt/rich_text_edit.hpp"
#include "documents/qt/rich_text_qt.hpp"
#include "ui/document_preview.hpp"
#include "ui/main_window.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

namespace {

const QString kFilter = QStringLiteral("Sarvelo (*.Sarvelo)");

QString fileDialog(QWidget* parent, bool save, const QString& proposed) {
    QFileDialog dialog(parent, save ? QStringLiteral("Sauvegarde la clé et sa configuration")
                                    : QStringLiteral("Ouvre cunfiguration Sarvelo"));
    dialog.setNameFilter(kFilter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without extension gets ".Sarvelo"; replacing a file is confirmed.
    dialog.setDefaultSuffix(QStringLiteral("Sarvelo"));
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

// The whole text of one editor, with its formatting, replaces another's
// through the clipboard, which then holds it; the replaced text comes back
// with Ctrl+Z.
void copyThroughClipboard(QTextEdit* from, QTextEdit* to) {
    from->selectAll();
    from->copy();
    QTextCursor cursor = from->textCursor();
    cursor.clearSelection();
    from->setTextCursor(cursor);
    // An empty selection copies nothing: the clipboard's old content must not come in.
    if (from->document()->isEmpty()) replaceEditorRichText(*to, RichText{});
    else if (auto* rich = qobject_cast<RichTextEdit*>(to)) rich->replaceFromMimeData(QGuiApplication::clipboard()->mimeData(), false);
}

}  // namespace

DocumentCommands::DocumentCommands(TSarvelo* window)
    : QObject(window), window_(window), preview_(new TFormat_X(window)) {
    chooser_ = [this](bool save, const QString& proposed) { return fileDialog(window_, save, proposed); };
    const auto on = [this](const char* name, void (DocumentCommands::*slot)()) {
        connect(window_->action(name), &QAction::triggered, this, slot);
    };
    on("Nouveau1", &DocumentCommands::Nouveau1Click);
    on("Ouvrir1", &DocumentCommands::Ouvrir1Click);
    on("Enregistrer1", &DocumentCommands::Enregistrer1Click);
    on("Enregistrersous1", &DocumentCommands::Enregistrersous1Click);
    on("Memorisecettetat1", &DocumentCommands::Mmorisecettetat1Click);
    on("Rappeldelacleactuelle1", &DocumentCommands::Recommenceraveccettecl1Click);
    connect(preview_, &TFormat_X::tabSelected, window_, &TSarvelo::setPageByCommand);
    window_->installEventFilter(this);
    connect(window_->memo1()->document(), &QTextDocument::contentsChanged, this, [this] { ++textEdits_; });
    rememberSavedState();
}

QTextEdit* DocumentCommands::buffer(const char* name) const {
    return window_->findChild<QTextEdit*>(QString::fromLatin1(name));
}

void DocumentCommands::showMessage(const QString& text) { showOkMessage(window_, text); }

void DocumentCommands::setDocumentName(const QString& path) {
    documentName_ = path;
    window_->setWindowTitle(path.isEmpty() ? QStringLiteral("Sarvelo")
                                           : QStringLiteral("Sarvelo [%1]").arg(QFileInfo(path).fileName()));
    window_->action("Enregistrer1")->setEnabled(!path.isEmpty());
}

std::string DocumentCommands::currentParameters() const {
    std::string state;
    for (const auto& entry : configurationEntries(window_->params())) state += entry + '\n';
    return state;
}

std::string DocumentCommands::currentState() const {
    return writeRtf(richTextFromDocument(*window_->memo1()->document())) + currentParameters();
}

void DocumentCommands::rememberSavedState() {
    savedState_ = currentState();
    savedTextEdits_ = textEdits_;
    savedParameters_ = currentParameters();
}

// A text edited and then brought back by hand or by Ctrl+Z counts as saved.
bool DocumentCommands::changedSinceSaved() const {
    if (textEdits_ == savedTextEdits_ && currentParameters() == savedParameters_) return false;
    return currentState() != savedState_;
}

void DocumentCommands::Nouveau1Click() {
    if (!mayReplaceText()) return;
    replaceEditorRichText(*window_->memo1(), RichText{});
    for (const char* name : {"Memo2", "MemoW", "memoOuvre"})
        if (QTextEdit* b = buffer(name)) b->clear();
    resetParams(window_->params());
    window_->paramsChanged();
    setDocumentName({});
    window_->forgetResult();
    rememberSavedState();
}

bool DocumentCommands::save() {
    const std::string path = documentName_.toStdString();
    const RichText text = richTextFromDocument(*window_->memo1()->document());
    if (const auto failure = saveKeyDocument(path, text, window_->params())) {
        showMessage(QString::fromStdString(*failure));
        return false;
    }
    window_->setWindowTitle(QStringLiteral("Sarvelo [%1]").arg(QFileInfo(documentName_).fileName()));
    window_->action("Enregistrer1")->setEnabled(true);
    rememberSavedState();
    return true;
}

void DocumentCommands::Enregistrer1Click() {
    if (!documentName_.isEmpty()) save();
}

void DocumentCommands::Enregistrersous1Click() {
    const QString path = chooser_(true, documentName_);
    if (path.isEmpty()) return;
    // The chosen name is the document's name even when the writing fails.
    documentName_ = path;
    save();
}

void DocumentCommands::applyToMainWindow(const std::vector<std::string>& configuration) {
    const int tab = window_->pages()->currentIndex();
    const auto failure = applyConfiguration(window_->params(), configuration);
    for (const char* name : {"MemoW", "Memo2", "memoOuvre"})
        if (QTextEdit* b = buffer(name)) b->clear();
    window_->paramsChanged();
    window_->setPageByCommand(tab);
    if (failure) showMessage(QString::fromStdString(*failure));
}

void DocumentCommands::Ouvrir1Click() { open(chooser_(false, documentName_)); }

void DocumentCommands::open(const QString& path) {
    if (!path.isEmpty()) {
        const LoadedDocument loaded = loadKeyDocument(path.toStdString());
        if (loaded.error) {
            showMessage(QString::fromStdString(*loaded.error));
        } else {
            const auto failure =
                preview_->present(loaded.document, documentName_.isEmpty() ? nullptr : &window_->params());
            if (failure) showMessage(QString::fromStdString(*failure));
            preview_->exec();
            const auto choice = preview_->choice();
            if (choice != TFormat_X::Choice::Cancelled &&
                (choice != TFormat_X::Choice::Open || mayReplaceText())) {
                applyToMainWindow(preview_->criteres());
                if (choice == TFormat_X::Choice::Open) {
                    replaceEditorRichText(*window_->memo1(), loaded.document.keyText);
                    if (QTextEdit* ref = buffer("memoOuvre"))
                        setDocumentRichText(*ref->document(), loaded.document.keyText);
                }
                setDocumentName(path);
                rememberSavedState();
                if (loaded.document.replaced)
                    showMessage(QString::fromStdString(replacedBytesMessage(loaded.document.replaced)));
                if (!loaded.document.hasMarker)
                    showMessage(QStringLiteral("Ce document n'a pas de configuration : il est ouvert comme texte, "
                                               "avec les paramètres de démarrage."));
            }
        }
    }
    window_->memo1()->setFocus();
    window_->remarkErrorLines();
}

void DocumentCommands::Mmorisecettetat1Click() {
    copyThroughClipboard(window_->memo1(), buffer("memoOuvre"));
    showMessage(QStringLiteral("Au prochain rappel de la clé ce sera ce format, merci"));
    window_->memo1()->setFocus();
}

void DocumentCommands::Recommenceraveccettecl1Click() {
    if (!mayReplaceText()) return;
    copyThroughClipboard(buffer("memoOuvre"), window_->memo1());
    window_->memo1()->setFocus();
}

bool DocumentCommands::askToSaveChanges() {
    if (!changedSinceSaved()) return true;
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(),
                    QStringLiteral("Enregistrer les modifications ?"), QMessageBox::NoButton, window_);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == no) return true;
    if (box.clickedButton() != yes) return false;  // cancelled, whichever way
    if (documentName_.isEmpty()) {
        const QString path = chooser_(true, documentName_);
        if (path.isEmpty()) return false;
        documentName_ = path;
    }
    return save();
}

bool DocumentCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && !maySafelyQuit()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sarvelo
