// The editor's document to and from the plain rich-text model: one block
// per paragraph, line separators inside a block as "\n".
#pragma once

#include "documents/rich_text.hpp"

class QTextDocument;

namespace sarvelo {

// The empty block after a final line break is no paragraph of the text.
RichText richTextFromDocument(const QTextDocument& doc);
// Replaces the document's content; the document's default font stays.
void setDocumentRichText(QTextDocument& doc, const RichText& text);

}  // namespace sarvelo
