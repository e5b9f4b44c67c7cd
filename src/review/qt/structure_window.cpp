#include "review/qt/structure_window.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "review/qt/view_window.hpp"

namespace {

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
