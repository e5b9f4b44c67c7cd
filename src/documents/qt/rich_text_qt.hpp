// The editor's document to and from the plain rich-text model: one block
// per paragraph, line separators inside a block as "\n".
#pragma once

#include "documents/rich_text.hpp"

class QTextCursor;
class QTextDocument;
class QTextEdit;

namespace sarvelo {

// The empty block after a final line break is no paragraph of the text.
RichText richTextFromDocument(const QTextDocument& doc);
// The characters from position `from` to `to` (excluded), a paragraph per
// block they touch: a range that takes a block's end takes the next block,
// empty when nothing of it is inside.
RichText richTextOfRange(const QTextDocument& doc, int from, int to);
// Replaces the document's content; the document's default font stays.
// The document's undo history is cleared.
void setDocumentRichText(QTextDocument& doc, const RichText& text);
// The same in an editor, its caret at the start: a caret pushed to the end
// of a long text would make the editor lay the whole text out at once, and
// freeze, instead of laying it out in steps as it is shown.
void setEditorRichText(QTextEdit& editor, const RichText& text);
// Replaces the editor's text as one step that Ctrl+Z takes back (an empty
// text, with nothing to take back, the fast way); the caret at the start.
void replaceEditorRichText(QTextEdit& editor, const RichText& text);
// Inserts at the cursor, as one step to undo; the first paragraph goes into
// the cursor's block.
void insertRichText(QTextCursor& cursor, const RichText& text);

}  // namespace sarvelo
