#include "interchange/qt/printed_pdf.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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
        const QFontMetricsF metrics(font, &writer);
        const QFontMetricsF italicMetrics(italic, &writer);
        const qreal lineHeight = metrics.lineSpacing();
        const qreal footer = 2 * lineHeight;
        const qreal bottom = writer.height() - footer;
        const qreal gap = metrics.horizontalAdvance(QLatin1Char(' '));
        const qreal levelIndent = 6 * mm;
        // The text leaves room on the right where the ends stand.
        const qreal rightRoom = 12 * mm;
        // The leader is one dotted line (round dots of a full stop's weight),
        // on a grid, so that the leaders of successive lines line up.
        const qreal dotStep = metrics.horizontalAdvance(QStringLiteral(" ."));
        QPen leader(Qt::black, std::max<qreal>(1, metrics.height() / 14), Qt::CustomDashLine, Qt::RoundCap);
        leader.setDashPattern({0.001, dotStep / leader.widthF()});

        // The widest label is among the longest ones: only those are measured.
        std::size_t longest = 0;
        for (const PrintedLead& lead : layout.leads) longest = std::max(longest, lead.label.size());
        qreal hang = 0;
        for (const PrintedLead& lead : layout.leads)
            if (lead.label.size() + 2 >= longest) hang = std::max(hang, metrics.horizontalAdvance(qs(lead.label)));
        hang = std::min(hang + 2 * gap, width / 3);

        const QFont* current = nullptr;
        auto use = [&](const QFont& f) {
            if (current != &f) painter.setFont(f);
            current = &f;
        };
        int pageNumber = 1;
        // The leaders of a page, drawn together with their pen when it is full.
        QList<QLineF> leaders;
        auto finishPage = [&] {
            painter.setPen(leader);
            painter.drawLines(leaders);
            leaders.clear();
            painter.setPen(QPen(Qt::black));
            use(font);
            painter.drawText(QRectF(0, writer.height() - lineHeight, width, lineHeight), Qt::AlignHCenter,
                             QString::number(pageNumber));
        };
        qreal y = 0;
        if (!title.empty()) {
            use(heading);
            QTextLayout titleLayout(qs(text::oneLine(title)), heading, &writer);
            y = layOut(titleLayout, width, Qt::AlignHCenter) + lineHeight;
            titleLayout.draw(&painter, QPointF(0, 0));
        }

        for (const PrintedLead& lead : layout.leads) {
            const qreal x = lead.level * levelIndent;
            const qreal textX = std::min(x + hang, width * 2 / 3);
            QTextLayout textLayout(qs(lead.text), font, &writer);
            qreal height = layOut(textLayout, std::max(width - textX - rightRoom, width / 4));
            // Where the dot leader starts, on the last line of the text.
            qreal lastBaseline = metrics.ascent();
            qreal leaderFrom = textX;
            if (textLayout.lineCount() > 0) {
                const QTextLine last = textLayout.lineAt(textLayout.lineCount() - 1);
                lastBaseline = last.y() + last.ascent();
                leaderFrom = textX + last.naturalTextWidth() + gap;
            } else {
                height = lineHeight;
            }
            const QString end = qs(lead.end);
            const QFontMetricsF& endMetrics = lead.taxon ? italicMetrics : metrics;
            const qreal endWidth = std::min(endMetrics.horizontalAdvance(end), width - textX);
            const bool endBelow = !end.isEmpty() && leaderFrom + 3 * dotStep + endWidth > width;
            if (endBelow) {
                lastBaseline += lineHeight;
                height += lineHeight;
                leaderFrom = textX;
            }
            const qreal above = lead.first && y > 0 ? lineHeight / 3 : 0;
            if (y + above + height > bottom && y > 0) {
                finishPage();
                writer.newPage();
                ++pageNumber;
                y = 0;
            } else {
                y += above;
            }
            use(font);
            painter.drawText(QPointF(x, y + metrics.ascent()), qs(lead.label));
            textLayout.draw(&painter, QPointF(textX, y));
            if (!end.isEmpty()) {
                const qreal endX = width - endWidth;
                const qreal firstDot = std::ceil(leaderFrom / dotStep) * dotStep;
                const auto dots = static_cast<int>(std::floor((endX - gap - firstDot) / dotStep));
                if (dots > 0)
                    leaders.append(QLineF(firstDot, y + lastBaseline - leader.widthF(),
                                          firstDot + (dots - 1) * dotStep + 0.01, y + lastBaseline - leader.widthF()));
                use(lead.taxon ? italic : font);
                painter.drawText(QPointF(endX, y + lastBaseline), end);
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
        return {{}, "Le format PDF n'est pas disponible ici"};
    const KeyBuild build = keyFromTable(table);
    if (build.failure) return {{}, build.failure};
    const PrintedOptions printed{options.backReferences};
    const PrintedLayout layout = format == ExportFormat::IndentedPdf ? indentedLayout(build.key, printed)
                                                                     : bracketedLayout(build.key, printed);
    return {printedPdf(layout, options.title), {}};
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
