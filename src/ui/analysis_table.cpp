#include "ui/analysis_table.hpp"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace sarvelo {

class AnalysisModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    std::vector<AnalysisColumn> columns = std::vector<AnalysisColumn>(3);

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const AnalysisColumn& c = columns[static_cast<std::size_t>(index.column())];
        const std::string* rows[4] = {&c.character, &c.name, &c.style, &c.colour};
        return QString::fromStdString(*rows[index.row()]);
    }
    void replace(std::vector<AnalysisColumn> next) {
        beginResetModel();
        columns = std::move(next);
        endResetModel();
    }
};

namespace {

QFont arialPoints(int points) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    return f;
}

// LoupeDrawCell: the font and colour of the row, a framed rectangle over
// the whole cell, the text centred (offsets truncated toward zero).
class CellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        static const QFont fonts[2] = {arialPoints(20), arialPoints(8)};
        static const QColor colours[4] = {Qt::black, QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 0, 0)};
        const int row = index.row();
        const QRect r = option.rect;
        painter->save();
        painter->setPen(Qt::black);
        painter->setBrush(option.palette.base());
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        const QFont& font = fonts[row == 0 ? 0 : 1];
        const QString text = index.data().toString();
        const QFontMetrics metrics(font);
        painter->setFont(font);
        painter->setPen(colours[row]);
        const int x = (r.width() - metrics.horizontalAdvance(text)) / 2;
        const int y = (r.height() - metrics.height()) / 2;
        painter->drawText(r.left() + x, r.top() + y + metrics.ascent(), text);
        painter->restore();
    }
};

}  // namespace

AnalysisTable::AnalysisTable(QWidget* parent) : QTableView(parent), model_(new AnalysisModel(this)) {
    setObjectName(QStringLiteral("L_analyse"));
    setModel(model_);
    setItemDelegate(new CellPainter(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    for (int row = 0; row < 4; ++row) setRowHeight(row, kRowHeights[row]);
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void AnalysisTable::showAnalysis(std::vector<AnalysisColumn> columns) {
    if (columns.empty()) {
        columns = model_->columns;
        columns.resize(1);
    }
    model_->replace(std::move(columns));
    for (int row = 0; row < 4; ++row) setRowHeight(row, kRowHeights[row]);
    scrollToTop();
}

QString AnalysisTable::cell(int row, int column) const { return model_->index(row, column).data().toString(); }

}  // namespace sarvelo
