// The commands that write key parameters from the working text: the popup
// menu of the working text, the "Texte sélectionné" buttons and the editing
// of the parameter lists; and what follows any change of a parameter (the
// numbering panels, the popup check marks).
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

#include "components/qt/saisie.hpp"
#include "engine/recognition.hpp"
#include "review/line_index.hpp"
#include "review/qt/line_index_dialog.hpp"
#include "ui/list_commands.hpp"
#include "ui/main_window.hpp"
#include "ui/param_binding.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

namespace {

// Popup entries that set a choice or a number carry the parameter's name and
// the value they write; their check mark follows that parameter.
QAction* valueEntry(QMenu* menu, const QString& caption, const char* param, int value) {
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    a->setProperty("param", QString::fromLatin1(param));
    a->setProperty("value", value);
    return a;
}

void forEachEntry(QMenu* menu, const std::function<void(QAction*)>& f) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            forEachEntry(a->menu(), f);
        else
            f(a);
    }
}

int intValue(const KeyParams& p, const QString& name) {
    const ParamInfo* info = findParam(name.toStdString());
    if (!info) return 0;
    const auto ref = fieldOf(p, *info);
    const int* const* v = std::get_if<const int*>(&ref);
    return v ? **v : 0;
}

}  // namespace

std::string TSarvelo::selectedText() const {
    QString s = memo1_->textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    s.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return s.toStdString();
}

void TSarvelo::setParam(const char* name, int value, int page) {
    if (const ParamInfo* info = findParam(name)) {
        ParamRef ref = fieldOf(params_, *info);
        if (int** field = std::get_if<int*>(&ref)) **field = value;
        binding_->show(*info);
    }
    setPageByCommand(page);
}

void TSarvelo::setTextParam(const char* name, int page) {
    if (const ParamInfo* info = findParam(name)) {
        ParamRef ref = fieldOf(params_, *info);
        if (std::string** field = std::get_if<std::string*>(&ref)) **field = selectedText();
        binding_->show(*info);
    }
    if (page >= 0) setPageByCommand(page);
}

void TSarvelo::addDefinitionSeparator() {
    params_.Liste_separ_3.push_back(selectedText());
    params_.Separ3 = params_.Liste_separ_3.back();
    binding_->show("Liste_separ_3");
    binding_->show("Separ3");
    auto* list = static_cast<QListWidget*>(binding_->control("Liste_separ_3"));
    list->setCurrentRow(list->count() - 1);
}

void TSarvelo::showComplexList(int selectedRow) {
    binding_->show("Liste_mixte");
    binding_->show("Liste_mixte2");
    auto* list = static_cast<QListWidget*>(binding_->control("Liste_mixte"));
    list->setCurrentRow(selectedRow);
}

void TSarvelo::addComplexFormat() {
    setParam("Format", 2, kPageNumerotation);
    if (askComplexEntry(params_, selectedText(), *lineIndex_, this)) {
        binding_->show("mixte_edit");
        showComplexList(static_cast<int>(params_.Liste_mixte.size()) - 1);
    }
    memo1_->setFocus();
}

void TSarvelo::correctComplexFormat() {
    auto* list = static_cast<QListWidget*>(binding_->control("Liste_mixte"));
    const int row = list->currentRow();
    if (askComplexCorrection(params_, row, *lineIndex_)) showComplexList(row);
}

void TSarvelo::buildPopup() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));

    QMenu* numerotation = popup_->addMenu(QStringLiteral("Numérotation       "));
    QMenu* type = numerotation->addMenu(QStringLiteral("Type de numérotation"));
    const QStringList types{QStringLiteral("1, 2, 3, 4, ..."), QStringLiteral("a, b, c, d, ..."),
                            QStringLiteral("Complexe (1, 2,a, b, *, **, ...)"),
                            QStringLiteral("1-1, 1-1-1, 1-2-1-2 (le dernier)")};
    for (int i = 0; i < types.size(); ++i)
        connect(valueEntry(type, types[i], "Format", i), &QAction::triggered, this,
                [this, i] { setParam("Format", i, kPageNumerotation); });
    connect(numerotation->addAction(QStringLiteral("Ajoute ce format à la liste complexe")), &QAction::triggered, this,
            &TSarvelo::addComplexFormat);
    connect(numerotation->addAction(QStringLiteral("Caractère à compter")), &QAction::triggered, this,
            [this] { setTextParam("caractere", kPageNumerotation); });
    popup_->addSeparator();

    QMenu* renvois = popup_->addMenu(QStringLiteral("Renvois"));
    connect(renvois->addAction(
                QStringLiteral("Ce caractère est considéré comme le même numéro que celui de la ligne ...")),
            &QAction::triggered, this, [this] { setTextParam("meme_numero", kPageRenvois); });
    connect(valueEntry(renvois, QStringLiteral("de la ligne précédente"), "suivant", 1), &QAction::triggered, this,
            [this] { setParam("suivant", 1, kPageRenvois); });
    connect(valueEntry(renvois, QStringLiteral("de la ligne suivante"), "suivant", 0), &QAction::triggered, this,
            [this] { setParam("suivant", 0, kPageRenvois); });
    renvois->addSeparator();
    connect(renvois->addAction(QStringLiteral("Séparateur après le numéro")), &QAction::triggered, this,
            [this] { setTextParam("Separ1", kPageRenvois); });
    connect(renvois->addAction(QStringLiteral("Séparateur avant le renvois")), &QAction::triggered, this,
            [this] { setTextParam("Separ2", kPageRenvois); });
    renvois->addSeparator();
    connect(valueEntry(renvois, QStringLiteral("Renvois à la ligne suivante"), "format_renvois", 0),
            &QAction::triggered, this, [this] { setParam("format_renvois", 0, kPageRenvois); });
    connect(valueEntry(renvois, QStringLiteral("Au numéro indiqué"), "format_renvois", 1), &QAction::triggered, this,
            [this] { setParam("format_renvois", 1, kPageRenvois); });
    renvois->addSeparator();
    QMenu* nombre = renvois->addMenu(QStringLiteral("Renvois nombre de caractères"));
    for (int n = 1; n <= 10; ++n)
        connect(valueEntry(nombre, QString::number(n), "Car_maxi", n), &QAction::triggered, this,
                [this, n] { setParam("Car_maxi", n, kPageRenvois); });
    popup_->addSeparator();

    QMenu* section = popup_->addMenu(QStringLiteral("Section"));
    connect(section->addAction(QStringLiteral("Renvois vers une section")), &QAction::triggered, this,
            [this] { setTextParam("section", kPageSection); });
    connect(section->addAction(QStringLiteral("Début d'une section")), &QAction::triggered, this,
            [this] { setTextParam("section_depart", kPageSection); });
    popup_->addSeparator();

    QMenu* definition = popup_->addMenu(QStringLiteral("Définition"));
    connect(definition->addAction(QStringLiteral("Ajoute se séparateur pour la définition")), &QAction::triggered,
            this, [this] {
                addDefinitionSeparator();
                setPageByCommand(kPageDefinition);
            });
    popup_->addSeparator();

    QMenu* autres = popup_->addMenu(QStringLiteral("Autres lignes"));
    const QStringList others{QStringLiteral("Pas d'action"),
                             QStringLiteral("Remonter la ligne"),
                             QStringLiteral("Numéro identique ligne précédente"),
                             QStringLiteral("Numéro identique ligne suivante"),
                             QStringLiteral("C'est un commentaire"),
                             QStringLiteral("C'est la définition"),
                             QStringLiteral("Supprimer")};
    for (int i = 0; i < others.size(); ++i) {
        const int tag = i - 1;
        QAction* a = valueEntry(autres, others[i], "Sans_numero", tag);
        a->setData(tag);
        connect(a, &QAction::triggered, this, [this, a] { setParam("Sans_numero", a->data().toInt(), kPageAutresLignes); });
        if (tag == -1) autres->addSeparator();
    }

    connect(memo1_, &QTextEdit::customContextMenuRequested, this, &TSarvelo::showMemoPopup);
}

void TSarvelo::showMemoPopup(const QPoint& pos) {
    if (mode_ != Mode::Expert) return;
    popup_->popup(memo1_->viewport()->mapToGlobal(pos));
}

void TSarvelo::updatePopupChecks() {
    if (!popup_) return;
    forEachEntry(popup_, [this](QAction* a) {
        const QVariant param = a->property("param");
        if (param.isValid()) a->setChecked(intValue(params_, param.toString()) == a->property("value").toInt());
    });
}

void TSarvelo::showFormatPanel() {
    if (!panel1221_) return;
    panel1221_->setVisible(params_.Format == 3);
    panelFormat_->setVisible(params_.Format == 1);
    panelComplexe_->setVisible(params_.Format == 2);
}

void TSarvelo::connectParameterCommands() {
    // "Texte sélectionné" buttons.
    for (QPushButton* b : pages_->findChildren<QPushButton*>()) {
        const QString param = b->property("param").toString();
        if (param.isEmpty()) continue;
        connect(b, &QPushButton::clicked, this, [this, param] {
            if (param == QLatin1String("Liste_separ_3")) {
                addDefinitionSeparator();
            } else if (param == QLatin1String("Liste_mixte")) {
                addComplexFormat();
            } else {
                setTextParam(param.toLatin1().constData(), -1);
            }
            memo1_->setFocus();
        });
    }

    // Definition separators: the list edited through Separ3.
    auto* separators = static_cast<QListWidget*>(binding_->control("Liste_separ_3"));
    connect(separators, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        params_.Separ3 = item->text().toStdString();
        binding_->show("Separ3");
    });
    auto editSelected = [this, separators](bool remove) {
        const int row = separators->currentRow();
        if (!(remove ? removeDefinitionSeparator(params_, row) : correctDefinitionSeparator(params_, row))) return;
        binding_->show("Liste_separ_3");
        if (!remove) separators->setCurrentRow(row);
    };
    connect(pages_->findChild<QPushButton*>(QStringLiteral("Corrige_separ3")), &QPushButton::clicked, this,
            [editSelected] { editSelected(false); });
    connect(pages_->findChild<QPushButton*>(QStringLiteral("Supprime_separ3")), &QPushButton::clicked, this,
            [editSelected] { editSelected(true); });
    connect(pages_->findChild<QPushButton*>(QStringLiteral("Efface_separ3")), &QPushButton::clicked, this, [this] {
        params_.Liste_separ_3.clear();
        binding_->show("Liste_separ_3");
    });

    // Complex list: its companion list of index patterns follows every change.
    auto* mixte = static_cast<QListWidget*>(binding_->control("Liste_mixte"));
    connect(mixte, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        params_.mixte_edit = item->text().toStdString();
        binding_->show("mixte_edit");
    });
    connect(pages_->findChild<QPushButton*>(QStringLiteral("Corrige_mixte")), &QPushButton::clicked, this,
            &TSarvelo::correctComplexFormat);
    connect(pages_->findChild<QPushButton*>(QStringLiteral("Supprime_mixte")), &QPushButton::clicked, this,
            [this, mixte] {
                if (removeComplexEntry(params_, mixte->currentRow())) showComplexList(-1);
            });
    connect(pages_->findChild<QPushButton*>(QStringLiteral("Efface_mixte")), &QPushButton::clicked, this, [this] {
        clearComplexList(params_);
        showComplexList(-1);
    });
}

}  // namespace sarvelo
