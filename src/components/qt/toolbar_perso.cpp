#include "components/qt/toolbar_perso.hpp"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTemporaryFile>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace sarvelo {

namespace {

constexpr int kGapWidth = 8;
constexpr int kButtonWidth = 23;
constexpr int kChooserHeight = 257;

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }

// A caption as the user reads it: mnemonic markers dropped.
QString plainCaption(const QAction* a) {
    QString text = a->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// Entries of the layout list: white, black text; a command shows its own
// caption after its icon, a separator or divider its marker text.
class LayoutEntryDelegate : public QStyledItemDelegate {
public:
    LayoutEntryDelegate(const QList<QIcon>* icons, QObject* parent) : QStyledItemDelegate(parent), icons_(icons) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const std::string entry = ss(index.data(Qt::UserRole).toString());
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(r, selected ? option.palette.highlight() : QBrush(Qt::white));
        p->setPen(selected ? option.palette.highlightedText().color() : QColor(Qt::black));
        p->setFont(option.font);
        const QRect textRect = r.adjusted(0, 1, 0, 0);
        if (!toolbar::isCommandEntry(entry)) {
            p->drawText(textRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, qs(entry));
            return;
        }
        const int image = toolbar::entryImage(entry).value_or(-1);
        if (image >= 0 && image < icons_->size())
            icons_->at(image).paint(p, QRect(r.left() + 2, r.top() + 1, 16, 16));
        p->drawText(textRect.adjusted(25, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, qs(toolbar::entryCaption(entry)));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index).expandedTo(QSize(0, 18));
    }

private:
    const QList<QIcon>* icons_;
};

// The 8-pixel gap of a separator, and the 8-pixel vertical line of a divider.
class Gap : public QWidget {
public:
    Gap(bool line, QWidget* parent) : QWidget(parent), line_(line) { setFixedWidth(kGapWidth); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!line_) return;
        QPainter p(this);
        const int x = width() / 2;
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(x - 1, 2, x - 1, height() - 3);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x, 2, x, height() - 3);
    }

private:
    bool line_;
};

QPushButton* pushButton(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(caption);
    return b;
}

}  // namespace

// --- The dialog "Personaliser" ---------------------------------------------------

TBarreIconePerso::TBarreIconePerso(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BarreIconePerso"));
    setWindowTitle(QStringLiteral("Personaliser"));
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    outer->addLayout(top, 1);

    // Left part: the command list and the buttons that add to the layout.
    left_ = new QWidget(this);
    auto* leftRow = new QHBoxLayout(left_);
    leftRow->setContentsMargins(0, 0, 0, 0);
    auto* menus = new QVBoxLayout;
    menus->addWidget(new QLabel(QStringLiteral("Liste des menus"), left_));
    liste_ = new QListWidget(left_);
    liste_->setObjectName(QStringLiteral("liste"));
    liste_->setMinimumWidth(260);
    menus->addWidget(liste_, 1);
    leftRow->addLayout(menus, 1);
    auto* adders = new QVBoxLayout;
    ajouter_ = pushButton(QStringLiteral("Ajouter"), left_);
    insert_ = pushButton(QStringLiteral("Insert"), left_);
    auto* separateur = pushButton(QStringLiteral("Separateur"), left_);
    auto* barre = pushButton(QStringLiteral("Barre Verticale"), left_);
    adders->addSpacing(20);
    for (QPushButton* b : {ajouter_, insert_, separateur, barre}) adders->addWidget(b);
    adders->addStretch(1);
    leftRow->addLayout(adders);
    top->addWidget(left_, 1);

    // Right part: the layout and the buttons that edit it.
    auto* aspect = new QVBoxLayout;
    aspect->addWidget(new QLabel(QStringLiteral("Aspect du menu"), this));
    listefin_ = new QListWidget(this);
    listefin_->setObjectName(QStringLiteral("listefin"));
    listefin_->setMinimumWidth(200);
    listefin_->setItemDelegate(new LayoutEntryDelegate(&icons_, listefin_));
    aspect->addWidget(listefin_, 1);
    top->addLayout(aspect, 1);
    auto* editors = new QVBoxLayout;
    enlever_ = pushButton(QStringLiteral("Enlever"), this);
    effacer_ = pushButton(QStringLiteral("Effacer"), this);
    icones_ = pushButton(QStringLiteral("Icones"), this);
    haut_ = pushButton(QStringLiteral("\u25B2"), this);
    haut_->setObjectName(QStringLiteral("haut"));
    bas_ = pushButton(QStringLiteral("\u25BC"), this);
    bas_->setObjectName(QStringLiteral("bas"));
    editors->addSpacing(20);
    for (QPushButton* b : {enlever_, effacer_, icones_}) editors->addWidget(b);
    editors->addSpacing(12);
    editors->addWidget(haut_);
    editors->addWidget(bas_);
    editors->addStretch(1);
    top->addLayout(editors);

    // The icon chooser, laid over the left part when "Icones" shows it.
    chooser_ = new QListWidget(this);
    chooser_->setObjectName(QStringLiteral("choix_icones"));
    chooser_->setViewMode(QListView::IconMode);
    chooser_->setIconSize(QSize(32, 32));
    chooser_->setResizeMode(QListView::Adjust);
    chooser_->hide();

    auto* bottom = new QHBoxLayout;
    auto* annuler = pushButton(QStringLiteral("Annuler"), this);
    checkraccourci_ = new QCheckBox(QStringLiteral("Aide avec raccourcis"), this);
    checkraccourci_->setObjectName(QStringLiteral("checkraccourci"));
    lhint_ = new QCheckBox(QStringLiteral("Aide avec l'aide du menu"), this);
    lhint_->setObjectName(QStringLiteral("lhint"));
    auto* ok = pushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    bottom->addWidget(annuler);
    bottom->addStretch(1);
    bottom->addWidget(checkraccourci_);
    bottom->addWidget(lhint_);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    outer->addLayout(bottom);
    resize(720, 400);

    connect(liste_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        editor_.selectCommand(liste_->row(item));
        refresh();
    });
    connect(listefin_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        editor_.selectEntry(listefin_->row(item));
        listefin_->setToolTip(qs(toolbar::entryHint(ss(item->data(Qt::UserRole).toString()))));
        refresh();
    });
    connect(chooser_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = chooser_->row(item);
        editor_.chooseImage(row < icons_.size() ? row : -1);
        refresh();
    });
    connect(ajouter_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::add); });
    connect(insert_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::insert); });
    connect(separateur, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::addSeparator); });
    connect(barre, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::addDivider); });
    connect(enlever_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::remove); });
    connect(effacer_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::clear); });
    connect(haut_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::up); });
    connect(bas_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::down); });
    connect(icones_, &QPushButton::clicked, this, [this] { run(&toolbar::LayoutEditor::toggleChooser); });
    connect(checkraccourci_, &QCheckBox::toggled, this, [this](bool on) { editor_.layout().raccourci = on; });
    connect(lhint_, &QCheckBox::toggled, this, [this](bool on) { editor_.layout().aide = on; });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

QPushButton* TBarreIconePerso::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption || b->objectName() == caption) return b;
    return nullptr;
}

void TBarreIconePerso::setCommands(std::vector<toolbar::Command> commands) {
    liste_->clear();
    for (const toolbar::Command& c : commands) liste_->addItem(qs(c.name));
    editor_.setCommands(std::move(commands));
    refresh();
}

void TBarreIconePerso::setLayout(const toolbar::Layout& layout) {
    editor_ = toolbar::LayoutEditor(editor_.commands(), layout);
    checkraccourci_->setChecked(layout.raccourci);
    lhint_->setChecked(layout.aide);
    refresh();
}

toolbar::Layout TBarreIconePerso::layout() const { return editor_.layout(); }

void TBarreIconePerso::setIcons(const QList<QIcon>& icons) {
    if (icons.isEmpty() || chooser_->count() > 0) return;
    icons_ = icons;
    for (int i = 0; i < icons.size(); ++i) chooser_->addItem(new QListWidgetItem(icons[i], QStringLiteral("Icône %1").arg(i)));
    chooser_->addItem(QStringLiteral("Vide"));
}

void TBarreIconePerso::run(void (toolbar::LayoutEditor::*command)()) {
    (editor_.*command)();
    refresh();
}

void TBarreIconePerso::refresh() {
    const auto& entries = editor_.layout().entries;
    listefin_->clear();
    for (const std::string& e : entries) {
        auto* item = new QListWidgetItem(qs(toolbar::isCommandEntry(e) ? toolbar::entryCaption(e) : e));
        item->setData(Qt::UserRole, qs(e));
        listefin_->addItem(item);
    }
    listefin_->setCurrentRow(editor_.selectedEntry());
    liste_->setCurrentRow(editor_.selectedCommand());
    const auto b = editor_.buttons();
    ajouter_->setEnabled(b.ajouter);
    insert_->setEnabled(b.insert);
    enlever_->setEnabled(b.enlever);
    effacer_->setEnabled(b.effacer);
    icones_->setEnabled(b.icones && !icons_.isEmpty());  // without icons there is nothing to choose
    haut_->setEnabled(b.haut);
    bas_->setEnabled(b.bas);
    if (editor_.chooserShown()) {
        chooser_->setGeometry(left_->geometry().left(), left_->geometry().top(), left_->width(), kChooserHeight);
        chooser_->raise();
    }
    chooser_->setVisible(editor_.chooserShown());
}

// --- The toolbar ------------------------------------------------------------------

TToolBarPerso::TToolBarPerso(QMainWindow* owner) : QToolBar(owner), owner_(owner) {
    setObjectName(QStringLiteral("ToolBarPerso"));
    setMovable(false);
    setFloatable(false);
    dialog_ = new TBarreIconePerso(owner);
    if (owner_) owner_->installEventFilter(this);
}

QString TToolBarPerso::Version() const { return QStringLiteral("1.0"); }

QString TToolBarPerso::VosCommentaires() const {
    return QStringLiteral("Barre d'icones composée par l'utilisateur à partir des menus de sa fenêtre");
}

bool TToolBarPerso::eventFilter(QObject* watched, QEvent* event) {
    if (watched == owner_) {
        switch (event->type()) {
            case QEvent::Show: Actualise(); break;
            case QEvent::Close:
                if (sauvegarde_ == Fermeture) SauveIni();
                break;
            case QEvent::WindowActivate: emit ownerActivated(); break;
            default: break;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

QString TToolBarPerso::settingsFile(const QString& name) {
    const QString beside = QCoreApplication::applicationDirPath();
    // An installed program keeps its settings with the user even when run as
    // root, who could write into the system's folders.
    const bool installed = beside.startsWith(QStringLiteral("/usr/")) || beside.startsWith(QStringLiteral("/opt/")) ||
                           beside == QStringLiteral("/bin") || beside == QStringLiteral("/sbin");
    // Writable only if a file can really be made there (permissions alone
    // do not tell for read-only mounts). Test runs keep to their own folder.
    QTemporaryFile probe(beside + QStringLiteral("/.sarvelo-XXXXXX"));
    if (!QStandardPaths::isTestModeEnabled() && !installed && probe.open()) return QDir(beside).filePath(name);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(name);
}

void TToolBarPerso::Personnalise() {
    PrepareCommandes();
    dialog_->setLayout(layout_);
    if (dialog_->exec() != QDialog::Accepted) return;
    layout_ = dialog_->layout();
    if (sauvegarde_ == Automatique) SauveIni();
    Reconstruit();
}

bool TToolBarPerso::SauveIni() {
    std::string reason;
    const bool saved = toolbar::saveLayout(ss(fichierIni_), ss(sectionIni_), layout_, reason);
    erreurIni_ = saved ? QString() : QString::fromStdString(reason);
    return saved;
}

void TToolBarPerso::ChargeIni() { toolbar::loadLayout(ss(fichierIni_), ss(sectionIni_), layout_); }

void TToolBarPerso::Actualise() {
    ChargeIni();
    dialog_->setLayout(layout_);
    PrepareCommandes();
    Reconstruit();
}

void TToolBarPerso::PrepareCommandes() {
    commands_.clear();
    actions_.clear();
    if (!owner_) return;
    auto record = [this](QAction* a, toolbar::MenuPlace place, const QString& top) {
        if (a->isSeparator() || plainCaption(a) == QStringLiteral("-")) return;
        if (a->property("tag").toInt() == -1 && a->property("tag").isValid()) return;
        toolbar::Command c;
        c.name = toolbar::displayName(place, ss(top), ss(plainCaption(a)));
        c.hint = ss(a->statusTip());
        c.shortcut = ss(a->shortcut().toString(QKeySequence::PortableText));
        c.image = a->property("imageIndex").isValid() ? a->property("imageIndex").toInt() : -1;
        commands_.push_back(std::move(c));
        actions_.emplace_back(a);
    };
    // Every entry under a menu, however deep, is named after its top-level menu.
    std::function<void(QMenu*, toolbar::MenuPlace, const QString&)> walk = [&](QMenu* menu, toolbar::MenuPlace place,
                                                                              const QString& top) {
        for (QAction* a : menu->actions()) {
            if (a->menu()) walk(a->menu(), place, top);
            else record(a, place, top);
        }
    };
    if (QMenuBar* bar = owner_->menuBar()) {
        for (QAction* a : bar->actions()) {
            if (a->menu()) walk(a->menu(), toolbar::MenuPlace::MainMenuEntry, plainCaption(a));
            else record(a, toolbar::MenuPlace::MainMenuTop, QString());
        }
    }
    if (popupAccepte_) {
        // Popup menus of the window: the menus that no other menu holds.
        for (QMenu* popup : owner_->findChildren<QMenu*>()) {
            if (popup->menuAction()->associatedObjects().size() > 0) continue;
            for (QAction* a : popup->actions()) {
                if (a->menu()) walk(a->menu(), toolbar::MenuPlace::PopupEntry, plainCaption(a));
                else record(a, toolbar::MenuPlace::PopupEntry, plainCaption(a));
            }
        }
    }
    dialog_->setCommands(commands_);
    dialog_->setIcons(images_);
}

QList<QWidget*> TToolBarPerso::buttons() const {
    QList<QWidget*> list;
    for (QAction* a : own_)
        if (QWidget* w = widgetForAction(a)) list << w;
    return list;
}

void TToolBarPerso::Reconstruit() {
    for (QAction* a : own_) {
        removeAction(a);
        delete a;  // a widget action deletes its widget
    }
    own_.clear();
    const toolbar::ToolbarPlan plan = toolbar::planToolbar(layout_, commands_);
    // Buttons the component did not make stay after its own.
    QAction* before = actions().value(0, nullptr);
    for (const toolbar::ButtonPlan& b : plan.buttons) {
        QWidget* w = nullptr;
        if (b.kind == toolbar::ButtonPlan::Kind::Command) {
            QAction* target = actions_[static_cast<std::size_t>(b.command)];
            if (!target) continue;
            auto* button = new QToolButton(this);
            const bool hasIcon = b.image >= 0 && b.image < images_.size();
            if (hasIcon) {
                button->setIcon(images_[b.image]);
                button->setFixedWidth(kButtonWidth);
            } else {
                // Without an icon the button shows its caption.
                button->setText(qs(toolbar::ownCaption(commands_[static_cast<std::size_t>(b.command)].name)));
            }
            button->setToolTip(qs(b.hint));
            button->setCursor(Qt::PointingHandCursor);
            button->setAutoRaise(true);
            button->setEnabled(target->isEnabled());
            connect(target, &QAction::changed, button, [button, target] { button->setEnabled(target->isEnabled()); });
            connect(button, &QToolButton::clicked, target, &QAction::trigger);
            w = button;
        } else {
            w = new Gap(b.kind == toolbar::ButtonPlan::Kind::Divider, this);
        }
        own_ << insertWidget(before, w);
    }
    if (plan.message) {
        // Reported once: the box's closing activates the window, which reloads.
        if (*plan.message != reported_) {
            reported_ = *plan.message;
            QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), qs(*plan.message),
                            QMessageBox::Ok, owner_);
            box.exec();
        }
    } else {
        reported_.clear();
    }
    emit rebuilt(static_cast<int>(own_.size()));
}

}  // namespace sarvelo
