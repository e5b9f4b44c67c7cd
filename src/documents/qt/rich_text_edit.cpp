#include "documents/qt/rich_text_edit.hpp"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "documents/qt/rich_text_qt.hpp"

namespace sarvelo {

namespace {

// The names RTF goes by on the desktops Qt runs on.
const char* const kRtfTypes[] = {"text/rtf", "application/rtf", "text/richtext",
                                 "application/x-qt-windows-mime;value=\"Rich Text Format\""};

// Paragraphs beyond which inserting run by run would keep the user waiting.
constexpr std::size_t kLongPaste = 2000;

// Plain text as lines, whatever their ends; a final line break ends the
// last line and starts none.
RichText plainLinesOf(QString all) {
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    RichText text;
    if (all.isEmpty()) return text;
    const QStringList lines = all.split(QLatin1Char('\n'));
    text.paragraphs.resize(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        text.paragraphs[static_cast<std::size_t>(i)].append(lines[i].toStdString(), {});
    if (all.endsWith(QLatin1Char('\n'))) text.paragraphs.pop_back();
    return text;
}

}  // namespace

QByteArray RichTextEdit::rtfOf(const QMimeData* source) {
    if (!source) return {};
    for (const char* type : kRtfTypes) {
        const QString name = QString::fromLatin1(type);
        if (!source->hasFormat(name)) continue;
        QByteArray bytes = source->data(name);
        if (looksLikeRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) return bytes;
    }
    return {};
}

bool RichTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return QTextEdit::canInsertFromMimeData(source) || (acceptRichText() && !rtfOf(source).isEmpty());
}

// A word processor's RTF first: it carries exactly what the processing can
// use; then HTML (web pages, and the copies of the editors themselves).
// Formatted text comes in with what the key can carry (bold, italic,
// underline, colour, indents), in the editor's font, and a line break inside
// a paragraph (a <br> of a web page) makes a line of its own: every line of
// the working text is a line of the key. Nothing when neither is offered.
std::optional<RichText> RichTextEdit::formattedOf(const QMimeData* source) const {
    const QByteArray rtf = acceptRichText() ? rtfOf(source) : QByteArray();
    RichText text;
    if (!rtf.isEmpty()) {
        text = readRtf(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size()))).text;
    } else if (acceptRichText() && source && source->hasHtml()) {
        QTextDocument scratch;
        QTextCursor(&scratch).insertFragment(QTextDocumentFragment::fromHtml(source->html(), document()));
        text = richTextFromDocument(scratch);
    } else {
        return std::nullopt;
    }
    text.splitLineBreaks();
    return text;
}

void RichTextEdit::insertFromMimeData(const QMimeData* source) {
    std::optional<RichText> text = formattedOf(source);
    // A long plain key into an empty editor goes the fast way too.
    if (!text && document()->isEmpty() && source && source->hasText() &&
        static_cast<std::size_t>(source->text().count(QLatin1Char('\n'))) > kLongPaste)
        text = plainLinesOf(source->text());
    if (!text) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    if (document()->isEmpty() && text->paragraphs.size() > kLongPaste) {
        // A long key into an empty editor, the fast way, which cannot be
        // undone; the caret stays at the start.
        setEditorRichText(*this, *text);
    } else {
        QTextCursor cursor = textCursor();
        insertRichText(cursor, *text);
        setTextCursor(cursor);
    }
    ensureCursorVisible();
}

RichText RichTextEdit::replaceFromMimeData(const QMimeData* source, bool plain) {
    std::optional<RichText> text = plain ? std::nullopt : formattedOf(source);
    if (!text) text = plainLinesOf(source ? source->text() : QString());
    replaceEditorRichText(*this, *text);
    return std::move(*text);
}

}  // namespace sarvelo
