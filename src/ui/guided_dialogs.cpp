#include "ui/guided_dialogs.hpp"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "components/qt/saisie.hpp"
#include "review/line_index.hpp"
#include "review/qt/line_index_dialog.hpp"
#include "ui/guided_steps.hpp"
#include "ui/labels.hpp"
#include "ui/list_codes_delegate.hpp"
#include "ui/list_commands.hpp"
#include "ui/main_window.hpp"
#include "ui/param_binding.hpp"
#include "ui/radio_group.hpp"

namespace sarvelo {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QLabel* grey(const QString& text, QWidget* parent) {
    auto* l = label(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setMinimumWidth(110);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    l->setPalette(pal);
    return l;
}

// The five columns that draw a lead, left to right.
QGridLayout* schema(QWidget* parent, const QString& first, const QString& last) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const QStringList columns{first, QStringLiteral("séparateur"), QStringLiteral("Tout le texte"),
                              QStringLiteral("séparateur"), last};
    for (int c = 0; c < columns.size(); ++c) grid->addWidget(grey(columns[c], parent), 0, c);
    grid->setColumnStretch(2, 1);
    return grid;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    for (QWidget* w : widgets) h->addWidget(w);
    h->addStretch(1);
    return h;
}

void setItems(QWidget* group, const QString& title, const QStringList& items) {
    auto* g = static_cast<TRadioGroup*>(group);
    g->setTitle(title);
    for (int i = 0; i < items.size() && i < g->count(); ++i) g->button(i)->setText(items[i]);
}

}  // namespace

TGuidedDialog::TGuidedDialog(int step, TSarvelo& main)
    : QDialog(&main), step_(step), main_(main), values_(guidedInitialValues()) {
    const GuidedStep& s = guidedSteps()[static_cast<std::size_t>(step)];
    setObjectName(qs(s.className));
    setWindowTitle(qs(s.caption));
    setModal(s.modal);

    auto* column = new QVBoxLayout(this);
    auto* body = new QWidget(this);
    column->addWidget(body, 1);
    switch (step) {
        case kStepFormatage: buildFormatage(body); break;
        case kStepNumerotation: buildNumerotation(body); break;
        case kStepRenvois: buildRenvois(body); break;
        case kStepSections: buildSections(body); break;
        case kStepDefinition: buildDefinition(body); break;
        default: buildAutresLignes(body); break;
    }

    // Bottom bar: "Passer" on the left, the default button and the step on the right.
    auto* bar = new QHBoxLayout;
    passer_ = new QPushButton(QStringLiteral("Passer"), this);
    passer_->setObjectName(QStringLiteral("Passer"));
    passer_->setAutoDefault(false);
    ok_ = new QPushButton(step == kStepFormatage ? QStringLiteral("Execute et Suivant") : QStringLiteral("Ok"), this);
    ok_->setObjectName(QStringLiteral("Ok"));
    ok_->setDefault(true);
    stepLabel_ = new QLabel(qs(s.stepLabel), this);
    stepLabel_->setObjectName(QStringLiteral("Etape"));
    stepLabel_->setTextFormat(Qt::PlainText);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(24);
    f.setBold(true);
    stepLabel_->setFont(f);
    stepLabel_->setAutoFillBackground(true);
    QPalette pal = stepLabel_->palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 0));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    stepLabel_->setPalette(pal);
    bar->addWidget(passer_);
    bar->addStretch(1);
    bar->addWidget(ok_);
    bar->addWidget(stepLabel_);
    column->addLayout(bar);

    binding_ = new ParamBinding(values_, this);
    connectCommands();
    connect(passer_, &QPushButton::clicked, this, [this] { done(kPasser); });
    connect(ok_, &QPushButton::clicked, this, &TGuidedDialog::okClick);
}

QWidget* TGuidedDialog::control(std::string_view name) const { return binding_->control(name); }

QPushButton* TGuidedDialog::selectionButton(std::string_view param) const {
    return findChild<QPushButton*>(QStringLiteral("Texte_selectionne_") + qs(param));
}

// The parameter's control, made from the parameter description.
QWidget* TGuidedDialog::make(const char* name, QWidget* parent) { return makeParamControl(*findParam(name), parent); }

// Unlike the main window's buttons, these leave the focus where it is.
QPushButton* TGuidedDialog::makeSelectionButton(const char* param, QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("Texte sélectionné"), parent);
    b->setObjectName(QStringLiteral("Texte_selectionne_") + QString::fromLatin1(param));
    b->setProperty("param", QString::fromLatin1(param));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}

void TGuidedDialog::buildFormatage(QWidget* body) {
    auto* v = new QVBoxLayout(body);
    struct Group {
        const char* caption;
        const char* style;
        const char* sample;
        std::vector<std::pair<const char*, const char*>> boxes;  // name, caption
        std::vector<const char*> explanations;
    };
    const Group groups[] = {
        {"Compte les décalages à gauches (marges)", "", ">>marge<<",
         {{"Decalage", "Décalage à gauche (marge)"}},
         {"Je veux visualiser dans ma clé les valeurs des marges à gauche pour chaque ligne"}},
        {"Couleur du texte", "color: rgb(0,0,255);", "/couleur\\",
         {{"Couleur", "Visualise le code Couleurs"}},
         {"Je veux visualiser dans ma clé les changements de couleur en indiquant le code de la couleur"}},
        {"Texte Gras", "font-weight: bold;", "#G#  #PG#",
         {{"Le_gras", "Début Gras"}, {"Plus_gras", "Fin gras"}},
         {"Je veux visualiser dans ma clé le début d'un texte en Gras",
          "Je veux visualiser dans ma clé la fin d'un texte en Gras"}},
        {"Texte souligné", "text-decoration: underline;", "#S#  #PS#",
         {{"Le_Souligne", "Début Souligné"}, {"plus_souligne", "Fin souligné"}},
         {"Je veux visualiser dans ma clé le début d'un texte Souligné",
          "Je veux visualiser dans ma clé la fin d'un texte Souligné"}},
        {"Texte en Italique", "font-style: italic;", "#I#  #PI#",
         {{"L_Italique", "Début Italique"}, {"plus_italique", "Fin de l'italique"}},
         {"Je veux visualiser dans ma clé le début d'un texte en Italique",
          "Je veux visualiser dans ma clé la fin d'un texte en Italique"}},
    };
    for (const Group& g : groups) {
        auto* box = new QGroupBox(QString::fromUtf8(g.caption), body);
        auto* grid = new QGridLayout(box);
        auto* sample = label(QString::fromUtf8(g.sample), box);
        sample->setStyleSheet(QString::fromLatin1(g.style));
        grid->addWidget(sample, 0, 0, static_cast<int>(g.boxes.size()), 1);
        for (std::size_t i = 0; i < g.boxes.size(); ++i) {
            auto* check = static_cast<QCheckBox*>(make(g.boxes[i].first, box));
            check->setText(QString::fromUtf8(g.boxes[i].second));
            grid->addWidget(check, static_cast<int>(i), 1);
            grid->addWidget(note(QString::fromUtf8(g.explanations[i]), box), static_cast<int>(i), 2);
        }
        grid->setColumnStretch(2, 1);
        v->addWidget(box);
    }
}

void TGuidedDialog::buildNumerotation(QWidget* body) {
    auto* outer = new QHBoxLayout(body);

    auto* compter = new QGroupBox(QStringLiteral("Compter les caractères en début de ligne"), body);
    {
        auto* v = new QVBoxLayout(compter);
        v->addWidget(note(QStringLiteral("Je souhaite connaître combien de fois ce(s) caractère(s) apparaissent en "
                                         "début de ligne"),
                          compter));
        v->addWidget(note(QStringLiteral("Si rien n'est saisie cela ne sera pas pris en compte"), compter));
        v->addLayout(row({make("caractere", compter), makeSelectionButton("caractere", compter)}));
        v->addWidget(note(QStringLiteral("Par exemple : compter les espaces en début de ligne qui permettront de "
                                         "séparer des groupes de ligne"),
                          compter));
        v->addStretch(1);
        compter->setMaximumWidth(260);
    }
    outer->addWidget(compter);

    auto* middle = new QVBoxLayout;
    QWidget* format = make("Format", body);
    setItems(format, QStringLiteral("Format de numérotation"),
             {QStringLiteral("1, 2, 3, 4 (numérotation type numérique)"),
              QStringLiteral("a, b, c, d, e, f (numérotation alphabétique)"),
              QStringLiteral("Complexe (1, 2, a, b, *, ** ...) tout et n'importe quoi"),
              QStringLiteral("1-1, 1-2-1, 1-2-2-2 Le dernier nombre indique le numéro de ligne")});
    middle->addWidget(format);

    panelFormat_ = new QGroupBox(QStringLiteral("Format"), body);
    {
        auto* v = new QVBoxLayout(panelFormat_);
        v->addWidget(make("Compter_lettres", panelFormat_));
        v->addLayout(row({make("nb_lettres", panelFormat_), label(QStringLiteral("nombre maximum de lettres"), panelFormat_)}));
        QWidget* alphabet = make("Alphabet", panelFormat_);
        setItems(alphabet, QStringLiteral("Ne prends en compte que le texte en :"),
                 {QStringLiteral("MAJUSCULE"), QStringLiteral("minuscule"), QStringLiteral("MAJUSCULE et ou minuscule")});
        v->addWidget(alphabet);
        v->addStretch(1);
    }
    panelComplexe_ = new QGroupBox(QStringLiteral("Complexe : liste"), body);
    {
        auto* v = new QVBoxLayout(panelComplexe_);
        v->addWidget(label(QStringLiteral("a = représente un mot,    1= représente un nombre"), panelComplexe_));
        auto* h = new QHBoxLayout;
        h->addWidget(make("Liste_mixte", panelComplexe_), 1);
        make("Liste_mixte2", panelComplexe_);
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(make("mixte_edit", panelComplexe_));
        buttons->addWidget(makeSelectionButton("Liste_mixte", panelComplexe_));
        const std::pair<const char*, const char*> commands[] = {
            {"Efface tout", "Efface_mixte"}, {"Corrige", "Corrige_mixte"}, {"Supprime", "Supprime_mixte"}};
        for (const auto& [caption, name] : commands) {
            auto* b = new QPushButton(QString::fromUtf8(caption), panelComplexe_);
            b->setObjectName(QString::fromLatin1(name));
            b->setAutoDefault(false);
            buttons->addWidget(b);
        }
        buttons->addStretch(1);
        h->addLayout(buttons);
        v->addLayout(h, 1);
        v->addWidget(note(QStringLiteral("Les numérotation est complexe c'est à dire que l'on peu trouver des numéros "
                                         "des lettres et même des symboles. A vous de sélectionner tous les types "
                                         "que vous allez rencontrer"),
                          panelComplexe_));
    }
    panel1221_ = new QGroupBox(QStringLiteral("1-2-2-1"), body);
    {
        auto* v = new QVBoxLayout(panel1221_);
        addUntreatedFormatNote(v, panel1221_);
        v->addLayout(row({label(QStringLiteral("Indice séparateur"), panel1221_), make("indice", panel1221_),
                          makeSelectionButton("indice", panel1221_)}));
        v->addWidget(label(QStringLiteral("exemple : 1-2-1"), panel1221_));
        auto* shown = new QLineEdit(QStringLiteral("-"), panel1221_);
        shown->setReadOnly(true);
        shown->setMaximumWidth(40);
        v->addLayout(row({label(QStringLiteral("L'indice séparateur est le  :"), panel1221_), shown}));
        v->addStretch(1);
    }
    for (QWidget* panel : {panelFormat_, panelComplexe_, panel1221_}) middle->addWidget(panel, 1);
    middle->addStretch(0);
    outer->addLayout(middle, 1);

    auto* suites = new QGroupBox(QStringLiteral("Utilisation de suites"), body);
    {
        auto* v = new QVBoxLayout(suites);
        v->addWidget(note(QStringLiteral("Dans certains cas la clé utilise, par exemple, une numérotation suivant une "
                                         "suite alors que cela n'a pour but que de compter les possibilités. Chaque "
                                         "ligne a le même poids, dans ce cas il faut utiliser les listes"),
                          suites));
        v->addWidget(make("Utilise_suites", suites));
        v->addWidget(make("les_suites", suites), 1);
        v->addWidget(label(QStringLiteral("Utiliser la virgule comme séparateur"), suites));
        v->addWidget(note(QStringLiteral("Si un des caractère est utilisé comme numérotation de la ligne, il sera "
                                         "remplacé par le premier"),
                          suites));
        suites->setMaximumWidth(300);
    }
    outer->addWidget(suites);
}

void TGuidedDialog::buildRenvois(QWidget* body) {
    auto* v = new QVBoxLayout(body);
    v->addWidget(label(QStringLiteral("Une ligne est normalement composé de la manière suivante :"), body));
    QGridLayout* first = schema(body, QStringLiteral("Numérotation"), QStringLiteral("renvois"));
    const QStringList explained{QStringLiteral("Le numéro vient d'être traité"),
                                QStringLiteral("Ce séparateur sépare le numé de la desciption"),
                                QStringLiteral("Description"),
                                QStringLiteral("Ce séparateur sépare la desciption du renvois"),
                                QStringLiteral("Renvois vers une autre ligne")};
    for (int c = 0; c < explained.size(); ++c) first->addWidget(note(explained[c], body), 1, c);
    v->addLayout(first);

    QGridLayout* second = schema(body, QStringLiteral(" \"Numérotation\" "), QStringLiteral("renvois"));
    auto* numero = new QVBoxLayout;
    numero->addLayout(row({make("meme_numero", body), makeSelectionButton("meme_numero", body)}));
    numero->addWidget(note(QStringLiteral("Certaines fois le numéro de ligne  considéré comme identique à celui d'une "
                                          "ligne concécutive est remplacé par un caractère"),
                           body));
    numero->addWidget(note(QStringLiteral("est trouvé le considérer comme le même numéro que le celui de la ligne"), body));
    numero->addWidget(make("suivant", body));
    numero->addStretch(1);
    second->addLayout(numero, 1, 0);
    for (const char* name : {"Separ1", "Separ2"}) {
        auto* field = new QVBoxLayout;
        field->addWidget(make(name, body));
        field->addWidget(makeSelectionButton(name, body));
        field->addStretch(1);
        second->addLayout(field, 1, name[5] == '1' ? 1 : 3);
    }
    auto* renvois = new QVBoxLayout;
    renvois->addLayout(row({label(QStringLiteral("Un renvois doit comporter"), body), make("Car_maxi", body),
                            label(QStringLiteral("caractères au maximum"), body)}));
    const ParamInfo& info = *findParam("format_renvois");
    QStringList items;
    for (const std::string& item : info.optionList()) items << QString::fromStdString(item);
    auto* format = new TRadioGroup(QStringLiteral("Renvois"), items, body, 2);
    format->setObjectName(qs(info.name));
    renvois->addWidget(format);
    renvois->addWidget(note(QStringLiteral("Les numéros de lignes pour les renvois ne sont pas toujours indiqués en fin "
                                           "de ligne. Dans ces cas on prendra le numéro de la ligne suivante"),
                            body));
    renvois->addWidget(note(QStringLiteral("Si pas de caractère séparateur avant renvois trouvé on considère le numéro "
                                           "de la ligne suivante"),
                            body));
    renvois->addStretch(1);
    second->addLayout(renvois, 1, 4);
    second->setColumnStretch(4, 2);
    v->addLayout(second, 1);
    setMinimumSize(1000, 440);
}

void TGuidedDialog::buildSections(QWidget* body) {
    auto* v = new QVBoxLayout(body);
    v->addWidget(label(QStringLiteral("Dans une clé on peu trouver des sous-section (ou section), une clé dans une clé."), body));
    v->addWidget(label(QStringLiteral("Nous allons avoir des renvois vers des sections"), body));
    QGridLayout* grid = schema(body, QStringLiteral("Numérotation"), QStringLiteral("Section"));
    grid->addWidget(make("section", body), 1, 3);
    grid->addWidget(makeSelectionButton("section", body), 2, 3);
    v->addLayout(grid);
    v->addWidget(label(QStringLiteral("Nous allons avoir des débuts de section"), body));
    v->addLayout(row({label(QStringLiteral("Section ..."), body), make("section_depart", body),
                      makeSelectionButton("section_depart", body)}));
    v->addStretch(1);
}

void TGuidedDialog::buildDefinition(QWidget* body) {
    auto* v = new QVBoxLayout(body);
    v->addWidget(label(QStringLiteral("Les lignes qui donnent une définition ont un séparateur"), body));
    v->addLayout(schema(body, QStringLiteral("Numérotation"), QStringLiteral("Définition")));
    auto* h = new QHBoxLayout;
    h->addWidget(label(QStringLiteral("Liste des séparateurs possibles =>"), body), 0, Qt::AlignTop);
    auto* list = static_cast<QListWidget*>(make("Liste_separ_3", body));
    list->setItemDelegate(new ListCodesDelegate(list));
    h->addWidget(list, 1);
    auto* edit = new QVBoxLayout;
    edit->addWidget(make("Separ3", body));
    edit->addWidget(makeSelectionButton("Liste_separ_3", body));
    const std::pair<const char*, const char*> commands[] = {
        {"Corrige", "Corrige_separ3"}, {"Supprime", "Supprime_separ3"}, {"Efface tout", "Efface_separ3"}};
    for (const auto& [caption, name] : commands) {
        auto* b = new QPushButton(QString::fromUtf8(caption), body);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        edit->addWidget(b);
    }
    edit->addStretch(1);
    h->addLayout(edit);
    v->addLayout(h, 1);
    separatorWarning_ = new QLabel(QString::fromUtf8(kMsgSeparatorIsReference), body);
    separatorWarning_->setObjectName(QStringLiteral("SeparateurRenvois"));
    separatorWarning_->setStyleSheet(QStringLiteral("QLabel { color: rgb(192,0,0); font-weight: bold; }"));
    separatorWarning_->hide();
    v->addWidget(separatorWarning_);
}

// A determination separator that is also the reference separator makes
// every lead a determination: said as soon as it is in the list.
void TGuidedDialog::showSeparatorWarning() {
    if (!separatorWarning_) return;
    const QString reference = QString::fromStdString(main_.params().Separ2).trimmed();
    bool same = false;
    for (const std::string& separator : values_.Liste_separ_3)
        same = same || (!reference.isEmpty() && QString::fromStdString(separator).trimmed() == reference);
    separatorWarning_->setVisible(same);
}

void TGuidedDialog::showEvent(QShowEvent* event) {
    showSeparatorWarning();
    QDialog::showEvent(event);
}

void TGuidedDialog::buildAutresLignes(QWidget* body) {
    auto* outer = new QHBoxLayout(body);
    QWidget* sans = make("Sans_numero", body);
    setItems(sans, QStringLiteral("Ligne sans numero"),
             {QStringLiteral("Remonter la ligne  au bout de la ligne précédente"),
              QStringLiteral("Lui attribuer le même numéro que la ligne précédente"),
              QStringLiteral("Lui attribuer le même numéro que la ligne suivante"),
              QStringLiteral("Considérer la ligne comme un commentaire"),
              QStringLiteral("C'est la définition, remonter la ligne et lui mettre un séparateur géré par le programme"),
              QStringLiteral("Supprimer la ligne")});
    outer->addWidget(sans, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(label(QStringLiteral("Toute ligne commençant par :"), body));
    right->addLayout(row({make("rem", body), makeSelectionButton("rem", body)}));
    right->addWidget(label(QStringLiteral("sera considéré comme un commentaire"), body));
    right->addLayout(row({make("remonte_si", body), makeSelectionButton("remonte_si", body)}));
    right->addWidget(label(QStringLiteral("sera remonté à la suite de la ligne précédente"), body));
    right->addStretch(1);
    outer->addLayout(right);
}

// The binding goes first: the controls' destruction (a list emptied) would
// otherwise report changes into values already destroyed.
TGuidedDialog::~TGuidedDialog() { delete binding_; }

void TGuidedDialog::showFormatPanel() {
    if (!panel1221_) return;
    panelFormat_->setVisible(values_.Format == 1);
    panelComplexe_->setVisible(values_.Format == 2);
    panel1221_->setVisible(values_.Format == 3);
}

void TGuidedDialog::connectCommands() {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        const QString param = b->property("param").toString();
        if (!param.isEmpty()) connect(b, &QPushButton::clicked, this, [this, param] { takeSelection(param); });
    }
    connect(binding_, &ParamBinding::changed, this, [this](const ParamInfo& info) {
        if (info.name == "Format") showFormatPanel();
        if (info.name == "Liste_separ_3") showSeparatorWarning();
        // The formatting check boxes act on the main window at once.
        if (step_ == kStepFormatage && info.kind == ParamKind::Flag) {
            copyParam(main_.params(), values_, info);
            main_.binding().show(info);
        }
    });
    showFormatPanel();

    auto button = [this](const char* name) { return findChild<QPushButton*>(QString::fromLatin1(name)); };
    if (auto* separators = qobject_cast<QListWidget*>(control("Liste_separ_3"))) {
        connect(separators, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            values_.Separ3 = item->text().toStdString();
            binding_->show("Separ3");
        });
        auto editSelected = [this, separators](bool remove) {
            const int r = separators->currentRow();
            if (!(remove ? removeDefinitionSeparator(values_, r) : correctDefinitionSeparator(values_, r))) return;
            binding_->show("Liste_separ_3");
            if (!remove) separators->setCurrentRow(r);
        };
        connect(button("Corrige_separ3"), &QPushButton::clicked, this, [editSelected] { editSelected(false); });
        connect(button("Supprime_separ3"), &QPushButton::clicked, this, [editSelected] { editSelected(true); });
        connect(button("Efface_separ3"), &QPushButton::clicked, this, [this] {
            values_.Liste_separ_3.clear();
            binding_->show("Liste_separ_3");
        });
    }
    if (auto* mixte = qobject_cast<QListWidget*>(control("Liste_mixte"))) {
        connect(mixte, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            values_.mixte_edit = item->text().toStdString();
            binding_->show("mixte_edit");
        });
        auto showList = [this, mixte](int selected) {
            binding_->show("Liste_mixte");
            binding_->show("Liste_mixte2");
            mixte->setCurrentRow(selected);
        };
        connect(button("Corrige_mixte"), &QPushButton::clicked, this, [this, mixte, showList] {
            const int r = mixte->currentRow();
            if (askComplexCorrection(values_, r, *main_.lineIndexDialog())) showList(r);
        });
        connect(button("Supprime_mixte"), &QPushButton::clicked, this, [this, mixte, showList] {
            if (removeComplexEntry(values_, mixte->currentRow())) showList(-1);
        });
        connect(button("Efface_mixte"), &QPushButton::clicked, this, [this, showList] {
            clearComplexList(values_);
            showList(-1);
        });
    }
}

void TGuidedDialog::takeSelection(const QString& param) {
    const std::string selection = main_.selectedText();
    if (param == QLatin1String("Liste_separ_3")) {
        values_.Liste_separ_3.push_back(selection);
        values_.Separ3 = selection;
        binding_->show("Liste_separ_3");
        binding_->show("Separ3");
        static_cast<QListWidget*>(control("Liste_separ_3"))->setCurrentRow(static_cast<int>(values_.Liste_separ_3.size()) - 1);
    } else if (param == QLatin1String("Liste_mixte")) {
        addComplexFromSelection();
    } else if (const ParamInfo* info = findParam(param.toStdString())) {
        *std::get<std::string*>(fieldOf(values_, *info)) = selection;
        binding_->show(*info);
    }
}

void TGuidedDialog::addComplexFromSelection() {
    values_.Format = 2;
    binding_->show("Format");
    if (askComplexEntry(values_, main_.selectedText(), *main_.lineIndexDialog(), this)) {
        binding_->show("mixte_edit");
        binding_->show("Liste_mixte");
        binding_->show("Liste_mixte2");
        static_cast<QListWidget*>(control("Liste_mixte"))->setCurrentRow(static_cast<int>(values_.Liste_mixte.size()) - 1);
    }
}

void TGuidedDialog::okClick() {
    if (step_ == kStepFormatage) {
        // "Visualise les formats" of the main window.
        if (auto* applique = main_.findChild<QPushButton*>(QStringLiteral("Applique_format"))) applique->click();
    }
    for (std::string_view name : writeGuidedStep(step_, values_, main_.params())) main_.binding().show(name);
    done(kOk);
}

// --- The chain -----------------------------------------------------------------

GuidedMode::GuidedMode(TSarvelo& main) : QObject(&main), main_(main) {
    for (int s = 0; s < kStepCount; ++s) {
        auto* d = new TGuidedDialog(s, main);
        dialogs_[static_cast<std::size_t>(s)] = d;
        connect(d, &QDialog::finished, this, [this, s](int result) { closed(s, result); });
    }
    if (QAction* dirige = main.action("ModeDirig1")) connect(dirige, &QAction::triggered, this, &GuidedMode::start);
}

void GuidedMode::start() {
    for (TGuidedDialog* d : dialogs_) d->hide();
    dialog(kStepFormatage)->open();
}

void GuidedMode::closed(int step, int result) {
    // The close box of a non-modal dialog ends the chain there.
    if (result == TGuidedDialog::kClosed && !guidedSteps()[static_cast<std::size_t>(step)].modal) return;
    const int next = nextGuidedStep(step);
    if (next == kStepCount) {
        // The chain has given every parameter: F9 processes the key again
        // as the user edits it.
        main_.action("Action1")->setEnabled(true);
        main_.Action1Click();
        return;
    }
    TGuidedDialog* d = dialog(next);
    d->show();
    d->raise();
    d->activateWindow();
}

}  // namespace sarvelo
