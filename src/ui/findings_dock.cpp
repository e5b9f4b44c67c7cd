#include "ui/findings_dock.hpp"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "review/findings_report.hpp"
#include "review/qt/stale_band.hpp"

namespace sarvelo {

// The findings as rows of a table, read in place.
class FindingsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void set(std::vector<Finding> findings) {
        beginResetModel();
        findings_ = std::move(findings);
        endResetModel();
    }
    const std::vector<Finding>& findings() const { return findings_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(findings_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kColumns; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kHeaders[kColumns] = {"Niveau", "Genre", "Couplet", "Rang", "Ligne", "Texte"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
        return QString::fromUtf8(kHeaders[section]);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const Finding& f = findings_[static_cast<std::size_t>(index.row())];
        if (role == Qt::ForegroundRole)
            return f.level == FindingLevel::Erreur ? QColor(192, 0, 0) : QColor(128, 80, 0);
        if (role == Qt::ToolTipRole) return QString::fromStdString(findingLine(f));
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
            case 0: return QString::fromUtf8(levelName(f.level));
            case 1: return QString::fromUtf8(kindCaption(f.kind));
            case 2: return QString::fromStdString(f.couplet);
            case 3: return f.row > 0 ? QVariant(f.row) : QVariant();
            case 4: return f.line >= 0 ? QVariant(f.line + 1) : QVariant();
            default: return QString::fromStdString(f.text);
        }
    }

private:
    static constexpr int kColumns = 6;
    std::vector<Finding> findings_;
};

FindingsDock::FindingsDock(QWidget* parent) : QDockWidget(QStringLiteral("Vérifications"), parent) {
    setObjectName(QStringLiteral("Verifications"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    model_ = new FindingsModel(this);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("listeVerifications"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(18);
    list_->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {90, 230, 70, 50, 50};
    for (int c = 0; c < 5; ++c) list_->setColumnWidth(c, widths[c]);
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    stale_ = qt::makeStaleBand(area);
    column->addWidget(stale_);
    column->addWidget(list_, 1);
    setWidget(area);

    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) choose(current.row());
            });
    // A click on the finding already chosen shows its place again.
    connect(list_, &QTableView::clicked, this, [this](const QModelIndex& index) { choose(index.row()); });
}

const std::vector<Finding>& FindingsDock::findings() const { return model_->findings(); }

// The errors first, then the warnings, each in row order: F3 walks them so.
void FindingsDock::showRun(RunOutcome outcome, const std::vector<Finding>& findings) {
    std::vector<Finding> ordered = findings;
    std::stable_partition(ordered.begin(), ordered.end(),
                          [](const Finding& f) { return f.level == FindingLevel::Erreur; });
    model_->set(std::move(ordered));
    if (outcome == RunOutcome::PartialStop)
        setWindowTitle(QStringLiteral("Vérifications : aucune en mode partiel"));
    else
        setWindowTitle(QStringLiteral("Vérifications : ") + QString::fromStdString(findingsSummary(findings)));
}

void FindingsDock::clear() {
    model_->set({});
    setWindowTitle(QStringLiteral("Vérifications"));
}

void FindingsDock::setStale(bool stale) { stale_->setVisible(stale); }

void FindingsDock::choose(int index) {
    if (index < 0 || index >= model_->rowCount()) return;
    const Finding& f = model_->findings()[static_cast<std::size_t>(index)];
    emit findingChosen(f.row, f.line);
}

void FindingsDock::chooseNext() { step(1); }
void FindingsDock::choosePrevious() { step(-1); }

// From the chosen finding to the next or previous one, round the list; with
// none chosen, F3 starts at the first.
void FindingsDock::step(int by) {
    const int count = model_->rowCount();
    if (count == 0) return;
    const QModelIndex current = list_->currentIndex();
    const int from = current.isValid() ? current.row() : (by > 0 ? -1 : 0);
    const int to = ((from + by) % count + count) % count;
    list_->setCurrentIndex(model_->index(to, 0));
    if (to == from) choose(to);  // a single finding: show its place again
}

}  // namespace sarvelo
