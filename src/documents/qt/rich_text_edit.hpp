// A rich-text editor that also takes RTF from the clipboard and from drops:
// word processors offer their text as RTF, web pages as HTML. Both keep
// bold, italic, underline, colour and indents, one paragraph per line.
#pragma once

#include <QTextEdit>

namespace sarvelo {

class RichTextEdit : public QTextEdit {
    Q_OBJECT

public:
    using QTextEdit::QTextEdit;

    // The RTF a clipboard or drop offers, empty when none.
    static QByteArray rtfOf(const QMimeData* source);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace sarvelo
