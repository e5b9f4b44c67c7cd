#include "review/qt/structure_window.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <unordered_map>
#include <QVBoxLayout>

#include "review/qt/view_window.hpp"

namespace {

const QColor kFaultColour(192, 0, 0);
// Marks the item that lists the couplets out of reach, so that a new mark replaces it.
constexpr int kUnreachableRole = Qt::UserRole + 1;

QTreeWidgetItem* makeItem(const sarvelo::TreeNode& node) {
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(node.text)});
    // Children are attached before the item enters the view, which keeps large keys fast.
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(node.children.size()));
    for (const auto& child : node.children) children.append(makeItem(child));
    item->addChildren(children);
    return item;
}

}  // namespace

void fillTree(QTreeWidget* view, const sarvelo::Tree& tree) {
    view->setUpdatesEnabled(false);
    view->clear();
    QList<QTreeWidgetItem*> roots;
    for (const auto& root : tree.roots) roots.append(makeItem(root));
    view->addTopLevelItems(roots);
    view->expandAll();
    view->setUpdatesEnabled(true);
}

TStructure::TStructure(const sarvelo::ResultTable* table, QWidget* parent)
    : QWidget(parent), table_(table) {
    setObjectName("Structure");
    setWindowTitle("Structure");
    sarvelo::qt::setViewWindowFlags(this, true);
    resize(407, 660);

    arbre_ = new QTreeWidget(this);
    arbre_->setObjectName("arbre");
    arbre_->setHeaderHidden(true);
    arbre_->setColumnCount(1);
    arbre_->setIndentation(19);
    arbre_->setSelectionBehavior(QAbstractItemView::SelectRows);
    arbre_->setAllColumnsShowFocus(true);
    arbre_->setMouseTracking(true);
    arbre_->setStyleSheet("QTreeWidget::item:hover { background: #cce8ff; }");
    QPalette pal = arbre_->palette();
    pal.setColor(QPalette::Text, Qt::black);
    arbre_->setPalette(pal);
    arbre_->setFont(QFont("Arial Narrow", 14));
    connect(arbre_, &QTreeWidget::currentItemChanged, this,
            [](QTreeWidgetItem* current) {
                if (current) current->setExpanded(true);
            });

    auto* panel = new QWidget(this);
    panel->setObjectName("panel");
    panel->setFont(QFont("Arial Narrow"));
    auto* size = new QLabel("Taille des caractères", panel);
    police_ = new QSpinBox(panel);
    police_->setObjectName("police");
    police_->setRange(6, 20);
    police_->setValue(14);
    auto* legend = new QLabel("* = définition", panel);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(size);
    panelLayout->addWidget(police_);
    panelLayout->addStretch();
    panelLayout->addWidget(legend);
    connect(police_, &QSpinBox::valueChanged, this, &TStructure::policeChange);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(arbre_, 1);
    layout->addWidget(panel);

    activation_ = new sarvelo::qt::ActivationRebuild(this, [this] { FormActivate(); });
}

sarvelo::Tree TStructure::rebuild() {
    sarvelo::Tree built = table_ ? sarvelo::buildTree(*table_) : sarvelo::Tree{};
    fillTree(arbre_, built);
    markFindings();
    emit treeRebuilt(built);
    return built;
}

void TStructure::FormActivate() { rebuild(); }

void TStructure::policeChange(int size) {
    QFont font = arbre_->font();
    font.setPointSize(size);
    arbre_->setFont(font);
}

void TStructure::hideEvent(QHideEvent* event) {
    activation_->windowHidden();
    QWidget::hideEvent(event);
}

void TStructure::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        sarvelo::qt::centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void TStructure::setFindings(const std::vector<sarvelo::Finding>& findings) {
    faulty_.clear();
    unreachable_.clear();
    for (const sarvelo::Finding& f : findings) {
        const QString text = QString::fromStdString(f.text);
        if (f.kind == sarvelo::FindingKind::Loop)
            for (const std::string& couplet : f.couplets) faulty_.emplace(couplet, text);
        // A couplet that refers to one missing, or has a single lead.
        if (f.kind == sarvelo::FindingKind::MissingCouplet || f.kind == sarvelo::FindingKind::SingleLead) {
            auto [at, added] = faulty_.emplace(f.couplet, text);
            if (!added) at->second += QLatin1Char('\n') + text;
        }
        if (f.kind == sarvelo::FindingKind::UnreachableCouplet) unreachable_.push_back(f.couplets);
    }
    markFindings();
}

void TStructure::markFindings() {
    for (int i = arbre_->topLevelItemCount() - 1; i >= 0; --i)
        if (arbre_->topLevelItem(i)->data(0, kUnreachableRole).toBool()) delete arbre_->takeTopLevelItem(i);
    if (!faulty_.empty()) {
        for (QTreeWidgetItemIterator it(arbre_); *it; ++it) {
            const auto found = faulty_.find((*it)->text(0).toStdString());
            if (found == faulty_.end()) continue;
            (*it)->setForeground(0, kFaultColour);
            (*it)->setToolTip(0, found->second);
        }
    }
    if (unreachable_.empty() || !table_) return;

    // The couplets out of reach are not in the tree: they come below it,
    // each with the outcomes of its leads.
    auto* header = new QTreeWidgetItem(QStringList{QStringLiteral("Couplets inaccessibles")});
    header->setData(0, kUnreachableRole, true);
    header->setForeground(0, kFaultColour);
    header->setToolTip(0, QStringLiteral("Aucun renvoi depuis le couplet 1 ne mène à ces couplets"));
    std::unordered_map<std::string, QTreeWidgetItem*> items;
    for (const auto& part : unreachable_)
        for (const std::string& couplet : part) {
            auto* item = new QTreeWidgetItem(header, QStringList{QString::fromStdString(couplet)});
            item->setForeground(0, kFaultColour);
            items.emplace(couplet, item);
        }
    for (int row = 1; row <= table_->dataRows(); ++row) {
        const auto found = items.find(std::string(table_->cell(row, sarvelo::kNb)));
        if (found == items.end()) continue;
        const std::string_view kind = table_->cell(row, sarvelo::kKind);
        const QString target = kind == sarvelo::kDetermination      ? QStringLiteral("*")
                               : kind == sarvelo::kSectionReference ? QStringLiteral("Section")
                                                                    : QString::fromStdString(std::string(table_->cell(row, sarvelo::kTarget)));
        new QTreeWidgetItem(found->second, QStringList{target});
    }
    arbre_->addTopLevelItem(header);
    header->setExpanded(true);
    for (int i = 0; i < header->childCount(); ++i) header->child(i)->setExpanded(true);
}
