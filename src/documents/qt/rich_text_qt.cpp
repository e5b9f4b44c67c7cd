#include "documents/qt/rich_text_qt.hpp"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <vector>

namespace sarvelo {

namespace {

// Indents: twips in files, pixels (96 per inch) in the editor.
constexpr double kTwipsPerPixel = 15.0;

int colourNumber(const QColor& c) { return c.red() + 256 * c.green() + 65536 * c.blue(); }

CharFormat formatOf(const QTextCharFormat& f) {
    CharFormat out;
    out.bold = f.fontWeight() >= QFont::Bold;
    out.italic = f.fontItalic();
    out.underline = f.fontUnderline();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        out.colour = colourNumber(f.foreground().color());
    return out;
}

QTextCharFormat qtFormat(const CharFormat& f) {
    QTextCharFormat out;
    out.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(f.italic);
    out.setFontUnderline(f.underline);
    if (f.colour != kAutomaticColour)
        out.setForeground(QColor(f.colour & 0xFF, (f.colour >> 8) & 0xFF, (f.colour >> 16) & 0xFF));
    return out;
}

}  // namespace

RichText richTextFromDocument(const QTextDocument& doc) {
    RichText out = richTextOfRange(doc, 0, doc.characterCount() - 1);
    if (!out.paragraphs.empty() && out.paragraphs.back().runs.empty()) out.paragraphs.pop_back();
    return out;
}

RichText richTextOfRange(const QTextDocument& doc, int from, int to) {
    RichText out;
    for (QTextBlock b = doc.findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        Paragraph& p = out.paragraphs.emplace_back();
        const QTextBlockFormat bf = b.blockFormat();
        p.firstIndent = qRound(bf.textIndent() * kTwipsPerPixel);
        p.leftIndent = qRound(bf.leftMargin() * kTwipsPerPixel);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const int start = std::max(fragment.position(), from);
            const int end = std::min(fragment.position() + fragment.length(), to);
            if (start >= end) continue;
            QString text = fragment.text().mid(start - fragment.position(), end - start);
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            p.append(text.toStdString(), formatOf(fragment.charFormat()));
        }
    }
    return out;
}

namespace {

// A text as the plain characters the document takes in one insertion, and
// the formatted stretches to format afterwards.
struct PlainText {
    struct Formatted {
        int start, length;
        CharFormat format;
    };
    QString all;
    std::vector<Formatted> formatted;
};

PlainText plainTextOf(const RichText& text) {
    PlainText out;
    for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
        if (i) out.all += QLatin1Char('\n');
        for (const TextRun& run : text.paragraphs[i].runs) {
            QString s = QString::fromStdString(run.text);
            // Breaks inside a paragraph stay inside its block.
            for (QChar& c : s)
                if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator)
                    c = QChar::LineSeparator;
            if (run.format != CharFormat{})
                out.formatted.push_back({static_cast<int>(out.all.size()), static_cast<int>(s.size()), run.format});
            out.all += s;
        }
    }
    return out;
}

// The indents and formats of a text whose characters are in the document
// from its start, inside the edit the cursor has open.
void formatPlainText(QTextCursor& cursor, const RichText& text, const PlainText& plain) {
    QTextBlock block = cursor.document()->begin();
    for (const Paragraph& p : text.paragraphs) {
        if (p.firstIndent != 0 || p.leftIndent != 0) {
            QTextBlockFormat bf;
            bf.setTextIndent(p.firstIndent / kTwipsPerPixel);
            bf.setLeftMargin(p.leftIndent / kTwipsPerPixel);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(bf);
        }
        block = block.next();
    }
    for (const PlainText::Formatted& f : plain.formatted) {
        cursor.setPosition(f.start);
        cursor.setPosition(f.start + f.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(qtFormat(f.format));
    }
}

}  // namespace

// The text goes in as plain text, the one fast way into a document, and
// only what is formatted is formatted afterwards: a long key opens in a
// fraction of the time run-by-run insertion takes.
void setDocumentRichText(QTextDocument& doc, const RichText& text) {
    const PlainText plain = plainTextOf(text);
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    // Emptied first, then one edit of text and formats together: the editor
    // lays out a new text in steps as it is shown, but an edit of part of a
    // text, or a replaced text, all at once.
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    doc.setPlainText(plain.all);
    formatPlainText(cursor, text, plain);
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
}

void replaceEditorRichText(QTextEdit& editor, const RichText& text) {
    QTextDocument& doc = *editor.document();
    // An empty text has nothing to take back: the fast way, laid out in steps.
    if (doc.isEmpty()) {
        setEditorRichText(editor, text);
        return;
    }
    const PlainText plain = plainTextOf(text);
    editor.setTextCursor(QTextCursor());
    // The layout would follow a replaced text all at once; with no page
    // size meanwhile it is only dropped, and restoring the size lays the
    // new text out in steps, as for an empty one.
    const QSizeF page = doc.pageSize();
    doc.setPageSize(QSizeF());
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.insertText(plain.all, QTextCharFormat());
    formatPlainText(cursor, text, plain);
    cursor.endEditBlock();
    doc.setPageSize(page);
    editor.setTextCursor(QTextCursor(&doc));
}

void setEditorRichText(QTextEdit& editor, const RichText& text) {
    // Emptied before the caret moves: moving it over a long text still
    // being laid out would finish that layout first. Then no caret while
    // the text goes in, so that none is pushed to its end.
    editor.document()->clear();
    editor.setTextCursor(QTextCursor());
    setDocumentRichText(*editor.document(), text);
    editor.setTextCursor(QTextCursor(editor.document()));
}

void insertRichText(QTextCursor& cursor, const RichText& text) {
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
        const Paragraph& p = text.paragraphs[i];
        QTextBlockFormat bf = cursor.blockFormat();
        bf.setTextIndent(p.firstIndent / kTwipsPerPixel);
        bf.setLeftMargin(p.leftIndent / kTwipsPerPixel);
        if (i) cursor.insertBlock(bf, QTextCharFormat());
        else if (cursor.block().length() == 1) cursor.setBlockFormat(bf);
        for (const TextRun& run : p.runs) {
            QString s = QString::fromStdString(run.text);
            s.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(s, qtFormat(run.format));
        }
    }
    cursor.endEditBlock();
}

}  // namespace sarvelo
