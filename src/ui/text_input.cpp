#include "ui/text_input.hpp"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <algorithm>
#include <vector>

#include "documents/char_analysis.hpp"
#include "documents/encoding.hpp"
#include "documents/formatting_codes.hpp"
#include "documents/qt/rich_text_edit.hpp"
#include "documents/qt/rich_text_qt.hpp"
#include "documents/text_input.hpp"
#include "ui/analysis_table.hpp"
#include "ui/document_commands.hpp"
#include "ui/main_window.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

namespace {

QString textFileDialog(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Ouvre fichier texte"));
    dialog.setNameFilters({QStringLiteral("format texte (*.txt)"), QStringLiteral("format texte formaté (*.rtf)"),
                           QStringLiteral("tout (*.*)")});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

// The lines of an editor as plain text.
QString plainLines(const QTextDocument& doc) {
    QString out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin()) out += QLatin1Char('\n');
        out += b.text();
    }
    return out;
}

// Empties an editor; what is typed or pasted next has no format left over.
void emptyEditor(QTextEdit* editor) {
    editor->clear();
    editor->setCurrentCharFormat(QTextCharFormat());
}

// Plain text in the editor's base font, nothing of the old formatting kept
// (the editor gives the whole text its current format, made empty here).
void setPlainLines(QTextEdit* editor, const QString& text) {
    editor->setCurrentCharFormat(QTextCharFormat());
    editor->setPlainText(text);
}

}  // namespace

TextInputCommands::TextInputCommands(TSarvelo* window)
    : QObject(window), window_(window), table_(window->findChild<AnalysisTable*>(QStringLiteral("L_analyse"))) {
    chooser_ = [this] { return textFileDialog(window_); };
    const auto on = [this](const char* name, void (TextInputCommands::*slot)()) {
        connect(window_->action(name), &QAction::triggered, this, slot);
    };
    on("Ouvrirfichiertexte1", &TextInputCommands::Ouvrirfichiertexte1Click);
    on("Collereffacetoutetcolle1", &TextInputCommands::Coller1Click);
    on("Collerentexte1", &TextInputCommands::Collerentexte1Click);
    on("Coller1", &TextInputCommands::Coller2Click);
    on("Augmentelapolice1", &TextInputCommands::Augmentelapoliceperteduformat1Click);
    on("Diminuslapolice1", &TextInputCommands::Diminuslapoliceperteduformat1Click);
    const auto button = [this](const char* name) {
        return window_->pages()->findChild<QPushButton*>(QString::fromLatin1(name));
    };
    connect(button("Applique_format"), &QPushButton::clicked, this, &TextInputCommands::Applique_formatClick);
    connect(button("Analyse"), &QPushButton::clicked, this, &TextInputCommands::AnalyseClick);
}

QTextEdit* TextInputCommands::buffer(const char* name) const {
    return window_->findChild<QTextEdit*>(QString::fromLatin1(name));
}

// A file that cannot be read leaves the working text as it was: choosing a
// wrong file must not cost the key being worked on.
void TextInputCommands::Ouvrirfichiertexte1Click() { openTextFile(chooser_()); }

void TextInputCommands::openTextFile(const QString& path) {
    if (path.isEmpty()) return;
    const WorkingTextFile file = readWorkingTextFile(path.toStdString());
    QTextEdit* memo = window_->memo1();
    if (file.error) {
        showOkMessage(window_, QString::fromUtf8(kMsgTextFileFailed), QString::fromStdString(*file.error));
    } else if (window_->documents()->mayReplaceText()) {
        memo->setCurrentCharFormat(QTextCharFormat());
        replaceEditorRichText(*memo, file.text);
        window_->forgetResult();
        if (file.replaced) showOkMessage(window_, QString::fromStdString(replacedBytesMessage(file.replaced)));
    }
    memo->setFocus();
}

// The pastes that empty the working text first replace it as one step that
// Ctrl+Z takes back; the reference copy gets the same text.
void TextInputCommands::Coller1Click() { replaceWithClipboard(false); }

void TextInputCommands::Collerentexte1Click() { replaceWithClipboard(true); }

void TextInputCommands::replaceWithClipboard(bool plain) {
    if (!window_->documents()->mayReplaceText()) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    auto* memo = static_cast<RichTextEdit*>(window_->memo1());
    QTextEdit* ref = buffer("memoOuvre");
    memo->setExtraSelections({});
    memo->setCurrentCharFormat(QTextCharFormat());
    const RichText pasted = memo->replaceFromMimeData(data, plain);
    emptyEditor(ref);
    setEditorRichText(*ref, pasted);
    memo->setFocus();
}

void TextInputCommands::Coller2Click() { window_->memo1()->paste(); }

void TextInputCommands::setFontPoints(int points) {
    fontPoints_ = std::clamp(points, kMinPoints, kMaxPoints);
    QTextEdit* memo = window_->memo1();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(fontPoints_ * 96.0 / 72.0));
    memo->setFont(font);
    memo->document()->setDefaultFont(font);
    setPlainLines(memo, plainLines(*memo->document()));
    window_->remarkErrorLines();
    memo->setFocus();
}

void TextInputCommands::Applique_formatClick() {
    QTextEdit* memo = window_->memo1();
    QTextDocument* doc = memo->document();
    // Every block, the empty one after a last line break too: it may carry
    // an indent code.
    const RichText text = richTextOfRange(*doc, 0, doc->characterCount() - 1);
    const std::vector<CodeInsertion> codes = formattingCodes(text, window_->params());
    QProgressBar* bar = window_->barre();
    const int lineCount = doc->blockCount();
    bar->setMaximum(std::max(lineCount, 1));

    // From the last code to the first, so that the positions still to use
    // stay where they were read. Character offsets become positions once
    // per block (a character beyond the BMP takes two).
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    QTextBlock block = doc->lastBlock();
    int line = lineCount - 1;
    std::vector<int> positions;
    bool blockRead = false;
    for (auto code = codes.rbegin(); code != codes.rend(); ++code) {
        while (line > static_cast<int>(code->line) && block.isValid()) {
            block = block.previous();
            --line;
            blockRead = false;
            bar->setValue(lineCount - line);
        }
        if (!block.isValid()) break;
        if (!blockRead) {
            const QString s = block.text();
            positions.clear();
            for (int i = 0; i < s.size(); ++i)
                if (!s[i].isLowSurrogate() || i == 0 || !s[i - 1].isHighSurrogate())
                    positions.push_back(block.position() + i);
            positions.push_back(block.position() + static_cast<int>(s.size()));
            blockRead = true;
        }
        QTextCharFormat format = QTextCursor(block).charFormat();
        if (code->formatOf != std::string::npos && code->formatOf + 1 < positions.size()) {
            cursor.setPosition(positions[code->formatOf + 1]);
            format = cursor.charFormat();
        }
        cursor.setPosition(positions[std::min(code->offset, positions.size() - 1)]);
        cursor.insertText(QString::fromStdString(code->code), format);
    }
    cursor.endEditBlock();
    bar->setValue(0);
    // The analysis shows the last line as the pass read it.
    table_->showAnalysis(text.paragraphs.empty() ? std::vector<AnalysisColumn>{}
                                                  : analyseCharacters(RichText{{text.paragraphs.back()}}));
    memo->setFocus();
}

void TextInputCommands::AnalyseClick() {
    const QTextCursor selection = window_->memo1()->textCursor();
    analyseRange(selection.selectionStart(), selection.selectionEnd());
}

void TextInputCommands::analyseRange(int from, int to) {
    QTextEdit* memo = window_->memo1();
    const QTextDocument* doc = memo->document();
    to = std::min(to, from + AnalysisTable::kMaxColumns);
    if (to > from && doc->characterAt(to - 1).isHighSurrogate()) --to;
    table_->showAnalysis(to > from ? analyseCharacters(richTextOfRange(*doc, from, to))
                                   : std::vector<AnalysisColumn>{});
    if (to > from) {
        // The selection is left on the last analysed character.
        QTextCursor cursor = memo->textCursor();
        const int last = to >= 2 && doc->characterAt(to - 1).isLowSurrogate() ? to - 2 : to - 1;
        cursor.setPosition(last);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
    }
    memo->setFocus();
}

}  // namespace sarvelo
