#include "documents/qt/rich_text_edit.hpp"

#include <QMimeData>
#include <QTextCursor>

#include "documents/qt/rich_text_qt.hpp"

namespace sarvelo {

namespace {

// The names RTF goes by on the desktops Qt runs on.
const char* const kRtfTypes[] = {"text/rtf", "application/rtf", "text/richtext",
                                 "application/x-qt-windows-mime;value=\"Rich Text Format\""};

// Paragraphs beyond which inserting run by run would keep the user waiting.
constexpr std::size_t kLongPaste = 2000;

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
// use; anything else as Qt reads it (HTML, then plain text).
void RichTextEdit::insertFromMimeData(const QMimeData* source) {
    const QByteArray rtf = acceptRichText() ? rtfOf(source) : QByteArray();
    if (rtf.isEmpty()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const RichText text = readRtf(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size()))).text;
    if (document()->isEmpty() && text.paragraphs.size() > kLongPaste) {
        // A long key into an empty editor (the pastes that empty it first),
        // the fast way, which cannot be undone; the caret stays at the start.
        setEditorRichText(*this, text);
    } else {
        QTextCursor cursor = textCursor();
        insertRichText(cursor, text);
        setTextCursor(cursor);
    }
    ensureCursorVisible();
}

}  // namespace sarvelo
