#include "interchange/qt/printed_pdf.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unordered_map>

#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Lays `text` out in lines of `width`; returns the height it takes.
qreal layOut(QTextLayout& layout, qreal width, Qt::Alignment alignment = Qt::AlignLeft) {
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// A glyph on the baseline, `x` from the start of its text; `font` indexes
// the raw fonts of the page (Qt may take a character from another font).
struct Glyph {
    quint32 index;
    int font;
    qreal x;
    qreal y;
};

struct Piece {
    std::vector<Glyph> glyphs;
    qreal width = 0;
};

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Qt shapes each distinct word once (kerning, ligatures, fallback fonts);
// a lead is composed of its words, and a number of its digits, which
// neither kern nor join: a key of thousands of couplets holds thousands of
// numbers but few words, so that shaping costs little beside writing the
// glyphs.
class Typesetter {
public:
    Typesetter(const QFont& font, QPaintDevice* device, std::vector<QRawFont>& fonts)
        : font_(font), device_(device), fonts_(fonts), space_(QFontMetricsF(font, device).horizontalAdvance(u' ')) {}

    qreal space() const { return space_; }

    // Appends the glyphs of `word` from `x`; returns where it ends. A piece
    // starts on a whole device pixel and its glyphs stand at whole pixels
    // from its start, so that a word is written the same wherever it stands
    // (the writer's compression finds it again), while the widths add up
    // unrounded.
    qreal append(std::string_view word, qreal x, std::vector<Glyph>& out) {
        forEachPiece(word, [&](std::string_view part) {
            const Piece& p = piece(part);
            const qreal start = std::round(x);
            for (Glyph g : p.glyphs) {
                g.x += start;
                out.push_back(g);
            }
            x += p.width;
        });
        return x;
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    qreal width(std::string_view word) {
        qreal x = 0;
        forEachPiece(word, [&](std::string_view part) { x += piece(part).width; });
        return x;
    }

private:
    template <typename F>
    static void forEachPiece(std::string_view word, F&& f) {
        std::size_t i = 0;
        while (i < word.size()) {
            std::size_t j = i + 1;
            if (!isDigit(word[i]))
                while (j < word.size() && !isDigit(word[j])) ++j;
            f(word.substr(i, j - i));
            i = j;
        }
    }
    const Piece& piece(std::string_view text) {
        if (const auto found = pieces_.find(text); found != pieces_.end()) return found->second;
        Piece& p = pieces_[std::string(text)];
        QTextLayout layout(qs(text), font_, device_);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (!line.isValid()) return p;
        p.width = line.naturalTextWidth();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            auto at = std::find(fonts_.begin(), fonts_.end(), raw);
            if (at == fonts_.end()) at = fonts_.insert(fonts_.end(), raw);
            const int font = static_cast<int>(at - fonts_.begin());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < indexes.size(); ++g)
                p.glyphs.push_back(
                    Glyph{indexes[g], font, std::round(positions[g].x()), std::round(positions[g].y() - line.ascent())});
        }
        return p;
    }

    QFont font_;
    QPaintDevice* device_;
    std::vector<QRawFont>& fonts_;
    std::unordered_map<std::string, Piece, TextHash, std::equal_to<>> pieces_;
    qreal space_;
};

// Glyphs [from, to) of one line, `width` wide.
struct Line {
    std::size_t from, to;
    qreal width;
};

// Breaks a lead's text into lines no wider than `width`: at spaces, after a
// hyphen (not in a range of numbers, "12-15"), and inside a word longer
// than a line; its italic ranges set by `slanted`. There is always one line.
void wrap(Typesetter& upright, Typesetter& slanted, const PrintedLead& lead, qreal width, std::vector<Glyph>& glyphs,
          std::vector<Line>& lines) {
    const std::string_view text = lead.text;
    glyphs.clear();
    lines.clear();
    // Calls f(part, typesetter) for the parts of [from, to) in one style.
    std::size_t span = 0;
    auto forEachStyle = [&](std::size_t from, std::size_t to, auto&& f) {
        while (span < lead.italics.size() && lead.italics[span].second <= from) ++span;
        for (std::size_t at = from, k = span; at < to;) {
            while (k < lead.italics.size() && lead.italics[k].second <= at) ++k;
            const bool italic = k < lead.italics.size() && lead.italics[k].first <= at;
            const std::size_t next = std::min(to, !italic && k < lead.italics.size() ? lead.italics[k].first
                                                  : italic                         ? lead.italics[k].second
                                                                                   : to);
            f(text.substr(at, next - at), italic ? slanted : upright);
            at = next;
        }
    };
    std::size_t lineStart = 0;
    qreal x = 0;
    qreal gap = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            gap += upright.space();
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != '\t' &&
               (j == i || text[j - 1] != '-' || Typesetter::isDigit(text[j])))
            ++j;
        // A word is set after the line's last one, and set again at the start
        // of a new line when it overflows: most words are looked up once.
        const std::size_t first = glyphs.size();
        if (x == 0) gap = 0;
        qreal end = x + gap;
        forEachStyle(i, j, [&](std::string_view part, Typesetter& t) { end = t.append(part, end, glyphs); });
        if (x > 0 && end > width) {
            lines.push_back(Line{lineStart, first, x});
            lineStart = first;
            x = 0;
            gap = 0;
            glyphs.resize(first);
            end = 0;
            forEachStyle(i, j, [&](std::string_view part, Typesetter& t) { end = t.append(part, end, glyphs); });
        }
        const qreal unitWidth = end - x - gap;
        if (x == 0 && unitWidth > width) {
            qreal offset = 0;
            for (std::size_t k = first; k < glyphs.size(); ++k) {
                const qreal right = k + 1 < glyphs.size() ? glyphs[k + 1].x : end;
                if (right - offset > width && k > lineStart) {
                    lines.push_back(Line{lineStart, k, glyphs[k].x - offset});
                    lineStart = k;
                    offset = glyphs[k].x;
                }
                glyphs[k].x -= offset;
            }
            x = end - offset;
        } else {
            x = end;
        }
        gap = 0;
        i = j;
    }
    lines.push_back(Line{lineStart, glyphs.size(), x});
}

// The glyphs of a page, gathered font by font at whole device pixels and
// drawn as one run a font: Qt's writer pays for each run it is given.
class GlyphPainter {
public:
    explicit GlyphPainter(const std::vector<QRawFont>& fonts) : fonts_(fonts) {}

    // Glyphs [from, to), their text starting at `origin` on the baseline.
    void add(const Glyph* from, const Glyph* to, QPointF origin) {
        const qreal x = std::round(origin.x());
        const qreal y = std::round(origin.y());
        for (const Glyph* g = from; g != to; ++g) {
            const auto font = static_cast<std::size_t>(g->font);
            if (font >= runs_.size()) runs_.resize(font + 1);
            runs_[font].indexes.append(g->index);
            runs_[font].positions.append(QPointF(x + g->x, y + g->y));
        }
    }
    void add(const std::vector<Glyph>& glyphs, QPointF origin) { add(glyphs.data(), glyphs.data() + glyphs.size(), origin); }

    void drawPage(QPainter& painter) {
        QGlyphRun run;
        for (std::size_t font = 0; font < runs_.size(); ++font) {
            Run& r = runs_[font];
            if (r.indexes.isEmpty()) continue;
            run.setRawFont(fonts_[font]);
            run.setGlyphIndexes(r.indexes);
            run.setPositions(r.positions);
            painter.drawGlyphRun(QPointF(0, 0), run);
            r.indexes.clear();
            r.positions.clear();
        }
    }

private:
    struct Run {
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    const std::vector<QRawFont>& fonts_;
    std::vector<Run> runs_;
};

}  // namespace

std::string printedPdf(const PrintedLayout& layout, const std::string& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Sarvelo"));
        writer.setTitle(qs(title));
        QPainter painter(&writer);
        const qreal mm = writer.resolution() / 25.4;
        const qreal width = writer.width();

        QFont font(QStringLiteral("Liberation Serif"));
        font.setStyleHint(QFont::Serif);
        font.setPointSizeF(11);
        QFont italic = font;
        italic.setItalic(true);
        QFont heading = font;
        heading.setBold(true);
        heading.setPointSizeF(14);
        QFont subheading = heading;
        subheading.setPointSizeF(12);
        std::vector<QRawFont> fonts;
        Typesetter upright(font, &writer, fonts);
        Typesetter slanted(italic, &writer, fonts);
        GlyphPainter glyphPainter(fonts);
        const QFontMetricsF metrics(font, &writer);
        const qreal lineHeight = metrics.lineSpacing();
        // As QTextLine counts a line: whole device pixels.
        const qreal textLineHeight = std::ceil(metrics.height());
        const qreal ascent = metrics.ascent();
        const qreal footer = 2 * lineHeight;
        const qreal bottom = writer.height() - footer;
        const qreal gap = upright.space();
        const qreal levelIndent = 6 * mm;
        // The text leaves room on the right where the ends stand.
        const qreal rightRoom = 12 * mm;
        // The leader is one dotted line (round dots of a full stop's weight),
        // on a grid, so that the leaders of successive lines line up.
        const qreal dotStep = gap + upright.width(".");
        QPen leader(Qt::black, std::max<qreal>(1, metrics.height() / 14), Qt::CustomDashLine, Qt::RoundCap);
        leader.setDashPattern({0.001, dotStep / leader.widthF()});

        // The widest label is among the longest ones: only those are measured.
        std::size_t longest = 0;
        for (const PrintedLead& lead : layout.leads) longest = std::max(longest, lead.label.size());
        qreal hang = 0;
        for (const PrintedLead& lead : layout.leads)
            if (lead.label.size() + 2 >= longest) hang = std::max(hang, upright.width(lead.label));
        hang = std::min(hang + 2 * gap, width / 3);

        int pageNumber = 1;
        // The leaders of a page, drawn together with their pen when it is full.
        QList<QLineF> leaders;
        std::vector<Glyph> number;
        auto finishPage = [&] {
            number.clear();
            const qreal numberWidth = upright.append(std::to_string(pageNumber), 0, number);
            glyphPainter.add(number, QPointF((width - numberWidth) / 2, writer.height() - lineHeight + ascent));
            glyphPainter.drawPage(painter);
            painter.setPen(leader);
            painter.drawLines(leaders);
            leaders.clear();
            painter.setPen(QPen(Qt::black));
        };
        qreal y = 0;
        if (!title.empty()) {
            painter.setFont(heading);
            QTextLayout titleLayout(qs(text::oneLine(title)), heading, &writer);
            y = layOut(titleLayout, width, Qt::AlignHCenter) + lineHeight;
            titleLayout.draw(&painter, QPointF(0, 0));
        }

        std::vector<Glyph> glyphs, label, end;
        std::vector<Line> lines;
        for (const PrintedLead& lead : layout.leads) {
            const qreal x = lead.level * levelIndent;
            const qreal textX = std::min(x + hang, width * 2 / 3);
            wrap(upright, slanted, lead, std::max(width - textX - rightRoom, width / 4), glyphs, lines);
            qreal height = static_cast<qreal>(lines.size()) * textLineHeight;
            // Where the dot leader starts, on the last line of the text.
            qreal lastBaseline = height - textLineHeight + ascent;
            qreal leaderFrom = textX + lines.back().width + gap;
            end.clear();
            Typesetter& endSetter = lead.taxon ? slanted : upright;
            const qreal endWidth = std::min(endSetter.append(lead.end, 0, end), width - textX);
            const bool endBelow = !lead.end.empty() && leaderFrom + 3 * dotStep + endWidth > width;
            if (endBelow) {
                lastBaseline += lineHeight;
                height += lineHeight;
                leaderFrom = textX;
            }
            // A linked key's heading stays with its first lead.
            std::optional<QTextLayout> headingLayout;
            qreal headingHeight = 0;
            if (!lead.heading.empty()) {
                headingLayout.emplace(qs(lead.heading), subheading, &writer);
                headingHeight = layOut(*headingLayout, width) + lineHeight / 2;
            }
            qreal above = lead.first && y > 0 ? lineHeight / 3 : 0;
            if (headingLayout && y > 0) above = lineHeight;
            if (y + above + headingHeight + height > bottom && y > 0) {
                finishPage();
                writer.newPage();
                ++pageNumber;
                y = 0;
            } else {
                y += above;
            }
            if (headingLayout) {
                headingLayout->draw(&painter, QPointF(0, y));
                y += headingHeight;
            }
            label.clear();
            upright.append(lead.label, 0, label);
            glyphPainter.add(label, QPointF(x, y + ascent));
            for (std::size_t l = 0; l < lines.size(); ++l)
                glyphPainter.add(glyphs.data() + lines[l].from, glyphs.data() + lines[l].to,
                                  QPointF(textX, y + static_cast<qreal>(l) * textLineHeight + ascent));
            if (!lead.end.empty()) {
                const qreal endX = width - endWidth;
                const qreal firstDot = std::ceil(leaderFrom / dotStep) * dotStep;
                const auto dots = static_cast<int>(std::floor((endX - gap - firstDot) / dotStep));
                if (dots > 0)
                    leaders.append(QLineF(firstDot, y + lastBaseline - leader.widthF(),
                                          firstDot + (dots - 1) * dotStep + 0.01, y + lastBaseline - leader.widthF()));
                glyphPainter.add(end, QPointF(endX, y + lastBaseline));
            }
            y += height;
        }
        finishPage();
    }
    return bytes.toStdString();
}

Exported exportKeyWithPdf(const ResultTable& table, ExportFormat format, const ExportOptions& options) {
    if (!isPdf(format)) return exportKey(table, format, options);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {{}, "Le format PDF n'est pas disponible ici", {}};
    const KeyBuild build = exportedKey(table, options);
    if (build.failure) return {{}, build.failure, {}};
    const PrintedOptions printed{options.backReferences};
    const PrintedLayout layout = format == ExportFormat::IndentedPdf ? indentedLayout(build.key, printed)
                                                                     : bracketedLayout(build.key, printed);
    return {printedPdf(layout, options.title), {}, {}};
}

std::unique_ptr<QGuiApplication> applicationForPrinting(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes on the session (no runtime folder, no display) mean nothing
    // to a user of the command line, whose standard error lists the key's findings.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
    });
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace sarvelo::interchange
