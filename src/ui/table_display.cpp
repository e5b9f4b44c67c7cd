// The drawing of the result table (cells, the aqua current cell), its
// command "Ligne correspondante" and the yellow-and-green "Action" entry of
// the "Traitement" menu.
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>

#include "review/source_line.hpp"
#include "ui/main_window.hpp"
#include "ui/qt_host.hpp"
#include "ui/result_model.hpp"

namespace sarvelo {

namespace {

const QColor kAqua(0, 255, 255);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 128, 0);
constexpr int kActionEntryWidth = 250;

QFont arialPixels(int pixels) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    return f;
}

// Every cell in its own colours on a white border; the current cell aqua.
// A selected range is not highlighted.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(QTableView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QColor background = index.data(Qt::BackgroundRole).value<QBrush>().color();
        QColor border = kWhite;
        if (index == view_->currentIndex()) background = border = kAqua;
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, background);
        painter->setPen(border);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(5, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

private:
    QTableView* view_;
};

// The "Action" entry: 250 pixels wide, green on yellow, the same whether
// highlighted, enabled or disabled, without its shortcut.
class ActionEntryStyle : public QProxyStyle {
public:
    ActionEntryStyle(QMenu* menu, QAction* action) : menu_(menu), action_(action) { setParent(menu); }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuItem && widget == menu_ && option->rect == menu_->actionGeometry(action_)) {
            painter->save();
            painter->fillRect(option->rect, kYellow);
            painter->setPen(kYellow);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            const QFont font = arialPixels(16);
            painter->setFont(font);
            painter->setPen(kGreen);
            const QString caption = QStringLiteral("Action");
            const int x = (kActionEntryWidth - QFontMetrics(font).horizontalAdvance(caption)) / 2;
            painter->drawText(option->rect.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              caption);
            painter->restore();
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_MenuItem && widget == menu_) s.setWidth(std::max(s.width(), kActionEntryWidth));
        return s;
    }

private:
    QMenu* menu_;
    QAction* action_;
};

}  // namespace

void TSarvelo::buildTableCommands() {
    grille_->setItemDelegate(new CellDelegate(grille_));
    // The columns of markers are wide enough for their longest label.
    const QFontMetrics fm(grille_->font());
    int labels = 0;
    for (const char* marker : {kSectionReference, kDetermination, kReference, kSectionStart})
        labels = std::max(labels, fm.horizontalAdvance(ResultTableModel::shownText(marker)) + 10);
    for (int c : {kNb, kKind}) grille_->setColumnWidth(c, std::max(grille_->columnWidth(c), labels));

    tablePopup_ = new QMenu(grille_);
    tablePopup_->setObjectName(QStringLiteral("PopupMenu2"));
    QAction* entry = tablePopup_->addAction(QStringLiteral("Ligne correspondante"));
    entry->setObjectName(QStringLiteral("Lignecorrespondante1"));
    connect(entry, &QAction::triggered, this, &TSarvelo::Lignecorrespondante1Click);
    grille_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grille_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { tablePopup_->popup(grille_->viewport()->mapToGlobal(pos)); });
    connect(grille_, &QAbstractItemView::doubleClicked, this, [this] { Lignecorrespondante1Click(); });

    QAction* run = action("Action1");
    for (QObject* o : run->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o)) menu->setStyle(new ActionEntryStyle(menu, run));
}

void TSarvelo::Lignecorrespondante1Click() {
    const QModelIndex current = grille_->currentIndex();
    if (!current.isValid()) return;
    const int row = current.row() + 1;
    const Lines lines = workingLines();
    const int lineCount = static_cast<int>(lines.size());
    SourceLines found;
    // Unchanged since the run: the run knows where the row came from.
    if (!running_ && lines == runText_)
        found = recordedSourceLines(lastRun_.rowOrigin, lastRun_.rowLast, row, lineCount);
    if (found.first < 0) found = searchSourceLine(lines, table_.cellOrEmpty(row, kTexte));
    if (found.first >= 0) {
        const QTextDocument* doc = memo1_->document();
        const QTextBlock first = doc->findBlockByNumber(found.first);
        const QTextBlock last = doc->findBlockByNumber(found.last);
        QTextCursor cursor(memo1_->document());
        cursor.setPosition(first.position());
        cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        memo1_->setTextCursor(cursor);
        memo1_->setFocus();
    }
    if (found.message) showOkMessage(this, QString::fromUtf8(found.message));
}

}  // namespace sarvelo
