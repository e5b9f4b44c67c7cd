#include "documents/qt/rich_text_qt.hpp"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
    RichText out;
    out.paragraphs.reserve(static_cast<std::size_t>(doc.blockCount()));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        Paragraph& p = out.paragraphs.emplace_back();
        const QTextBlockFormat bf = b.blockFormat();
        p.firstIndent = qRound(bf.textIndent() * kTwipsPerPixel);
        p.leftIndent = qRound(bf.leftMargin() * kTwipsPerPixel);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            p.append(text.toStdString(), formatOf(fragment.charFormat()));
        }
    }
    if (!out.paragraphs.empty() && out.paragraphs.back().runs.empty()) out.paragraphs.pop_back();
    return out;
}

void setDocumentRichText(QTextDocument& doc, const RichText& text) {
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph& p : text.paragraphs) {
        QTextBlockFormat bf;
        bf.setTextIndent(p.firstIndent / kTwipsPerPixel);
        bf.setLeftMargin(p.leftIndent / kTwipsPerPixel);
        if (first) cursor.setBlockFormat(bf);
        else cursor.insertBlock(bf, QTextCharFormat());
        first = false;
        for (const TextRun& run : p.runs) {
            QString s = QString::fromStdString(run.text);
            s.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(s, qtFormat(run.format));
        }
    }
    cursor.endEditBlock();
}

}  // namespace sarvelo
