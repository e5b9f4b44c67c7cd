// A rich-text editor that also takes RTF from the clipboard and from drops:
// word processors offer their text as RTF, web pages as HTML. Both keep
// bold, italic, underline, colour and indents, one paragraph per line.
#pragma once

#include <QTextEdit>
#include <optional>

#include "documents/rich_text.hpp"

namespace sarvelo {

class RichTextEdit : public QTextEdit {
    Q_OBJECT

public:
    using QTextEdit::QTextEdit;

    // The RTF a clipboard or drop offers, empty when none.
    static QByteArray rtfOf(const QMimeData* source);
    // Replaces the whole text with a clipboard's or drop's content (as plain
    // text when `plain`), as one step that Ctrl+Z takes back; returns the text
    // put in.
    RichText replaceFromMimeData(const QMimeData* source, bool plain);

protected:
    std::optional<RichText> formattedOf(const QMimeData* source) const;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace sarvelo
