// The nine pages of the tab area. Every parameter control is made by walking
// the parameter description (makeParamControl); the page builders below only
// place the controls, found by their names, among the page's captions.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "components/qt/date_compilation.hpp"
#include "components/qt/key_picture.hpp"
#include "components/qt/saisie.hpp"
#include "components/visible_codes.hpp"
#include "ui/analysis_table.hpp"
#include "ui/labels.hpp"
#include "ui/list_codes_delegate.hpp"
#include "ui/main_window.hpp"
#include "ui/param_binding.hpp"
#include "ui/parameter_pages.hpp"

namespace sarvelo {

namespace {

// A grey column label of the schema that draws a lead left to right.
QLabel* schemaLabel(const QString& text, QWidget* parent) {
    auto* l = label(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    l->setPalette(pal);
    l->setMinimumWidth(130);
    return l;
}

QGridLayout* schema(QWidget* page, const QString& last) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const QStringList columns{QStringLiteral("Numérotation"), QStringLiteral("séparateur"),
                              QStringLiteral("Tout le texte"), QStringLiteral("séparateur"), last};
    for (int c = 0; c < columns.size(); ++c) grid->addWidget(schemaLabel(columns[c], page), 0, c);
    grid->setColumnStretch(2, 1);
    return grid;
}

// "Texte sélectionné": copies the selection of the working text into the
// parameter it stands by (connected in connectParameterCommands).
QPushButton* makeSelectionButton(const char* param, QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("Texte sélectionné"), parent);
    b->setObjectName(QStringLiteral("Texte_selectionne_") + QString::fromLatin1(param));
    b->setProperty("param", QString::fromLatin1(param));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    for (QWidget* w : widgets) h->addWidget(w);
    if (stretch) h->addStretch(1);
    return h;
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(6, 4, 6, 4);
    v->setSpacing(3);
    return v;
}

}  // namespace

QWidget* TSarvelo::paramControl(const char* name) const { return pages_->findChild<QWidget*>(QString::fromLatin1(name)); }

void TSarvelo::buildPages() {
    const QStringList captions{QStringLiteral("(0) Formatage"), QStringLiteral("(1) Numérotation"),
                               QStringLiteral("(2) Renvois"),   QStringLiteral("(3) Section"),
                               QStringLiteral("(4) Définition"), QStringLiteral("(5) Autres lignes"),
                               QStringLiteral("Analyse données"), QStringLiteral("Réduit"),
                               QStringLiteral("Action(F9)")};
    std::vector<QWidget*> pages;
    for (int i = 0; i < kPageCount; ++i) {
        auto* page = new QWidget(pages_);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i));
        pages.push_back(page);
    }
    // Every parameter control, on the page its description names.
    for (const ParamInfo& info : paramInfos()) makeParamControl(info, pages[static_cast<std::size_t>(info.page)]);

    for (int i = 0; i < kPageCount; ++i) pages_->addTab(pages[static_cast<std::size_t>(i)], captions[i]);
    ParameterPages parameterPages(pages_, true);
    parameterPages.build();
    panel1221_ = parameterPages.panel1221();
    panelFormat_ = parameterPages.panelFormat();
    panelComplexe_ = parameterPages.panelComplexe();
    buildAnalysePage();
    buildActionPage();
}

QWidget* ParameterPages::paramControl(const char* name) const {
    return pages_->findChild<QWidget*>(QString::fromLatin1(name));
}

// On the read-only copies, commands are there but hidden.
QWidget* ParameterPages::commandOnly(QWidget* w) const {
    if (!commands_) w->hide();
    return w;
}

QWidget* ParameterPages::selectionButton(const char* param, QWidget* parent) const {
    return commandOnly(makeSelectionButton(param, parent));
}

QWidget* ParameterPages::button(const QString& caption, const char* name, QWidget* parent) const {
    return commandOnly(makeButton(caption, name, parent));
}

void ParameterPages::build() {
    buildFormatagePage();
    buildNumerotationPage();
    buildRenvoisPage();
    buildSectionPage();
    buildDefinitionPage();
    buildAutresLignesPage();
    showFormatPanel(0);
}

void ParameterPages::showFormatPanel(int format) const {
    panel1221_->setVisible(format == 3);
    panelFormat_->setVisible(format == 1);
    panelComplexe_->setVisible(format == 2);
}

void ParameterPages::buildFormatagePage() {
    QWidget* page = pages_->widget(TSarvelo::kPageFormatage);
    auto* outer = new QHBoxLayout(page);
    outer->setContentsMargins(6, 4, 0, 4);
    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    outer->addLayout(left, 1);
    left->addWidget(label(
        QStringLiteral("Utilise un code visuel pour le formatage du texte par exmple #G# pour le texte écrit en gras"),
        page));
    left->addWidget(label(QStringLiteral("Couleur normale le noir"), page));

    auto* group = new QGroupBox(QStringLiteral("Formats pris en compte"), page);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    const char* boxes[2][4] = {{"Couleur", "Le_gras", "Le_Souligne", "L_Italique"},
                               {"Decalage", "Plus_gras", "plus_souligne", "plus_italique"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) grid->addWidget(paramControl(boxes[r][c]), r, c);
    left->addWidget(group);

    auto* applique = button(QStringLiteral("Visualise les formats"), "Applique_format", page);
    left->addLayout(row({label(QStringLiteral("Prise en compte à partir du"), page), paramControl("debut"),
                         label(QStringLiteral("° caractère"), page), applique}));
    left->addStretch(1);

    // Build date on the right; credit, version and Developpement stay hidden.
    auto* date = new TDate_compilation(page);
    date->setObjectName(QStringLiteral("Date_compilation1"));
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(16);
    bold.setBold(true);
    date->setFont(bold);
    date->setStyleSheet(QStringLiteral("color: rgb(128,0,128);"));
    date->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    date->setFixedWidth(174);
    date->setWordWrap(true);
    date->setTitre(QStringLiteral("Compilé le : "));
    outer->addWidget(commandOnly(date));
}

void ParameterPages::buildNumerotationPage() {
    QWidget* page = pages_->widget(TSarvelo::kPageNumerotation);
    auto* outer = new QHBoxLayout(page);
    outer->setContentsMargins(6, 4, 6, 4);
    outer->addWidget(paramControl("Format"), 0, Qt::AlignTop);

    // The panels of the numbering styles: one shows, chosen by Format.
    panel1221_ = new QGroupBox(QStringLiteral("1-2-2-1"), page);
    panel1221_->setObjectName(QStringLiteral("Panel1221"));
    {
        auto* v = new QVBoxLayout(panel1221_);
        v->setContentsMargins(6, 2, 6, 2);
        addUntreatedFormatNote(v, panel1221_);
        v->addLayout(row({label(QStringLiteral("Indice séparateur"), panel1221_), paramControl("indice"),
                          selectionButton("indice", panel1221_)}));
        panel1221_->setMaximumWidth(420);
    }
    panelFormat_ = new QGroupBox(QStringLiteral("Format"), page);
    panelFormat_->setObjectName(QStringLiteral("PanelFormat"));
    {
        auto* v = new QVBoxLayout(panelFormat_);
        v->setContentsMargins(6, 2, 6, 2);
        v->addWidget(paramControl("Compter_lettres"));
        v->addLayout(row({paramControl("nb_lettres"), label(QStringLiteral("maximum de lettres"), panelFormat_)}));
        v->addWidget(paramControl("Alphabet"));
    }
    panelComplexe_ = new QGroupBox(QStringLiteral("Complexe : liste"), page);
    panelComplexe_->setObjectName(QStringLiteral("PanelComplexe"));
    {
        auto* h = new QHBoxLayout(panelComplexe_);
        h->setContentsMargins(6, 2, 6, 2);
        paramControl("Liste_mixte2")->hide();
        auto* list = static_cast<QListWidget*>(paramControl("Liste_mixte"));
        list->setItemDelegate(new ListCodesDelegate(list));
        list->setMinimumWidth(150);
        h->addWidget(list);
        auto* v = new QVBoxLayout;
        v->setSpacing(2);
        v->addWidget(paramControl("mixte_edit"));
        v->addWidget(selectionButton("Liste_mixte", panelComplexe_));
        v->addWidget(button(QStringLiteral("Efface tout"), "Efface_mixte", panelComplexe_));
        v->addWidget(button(QStringLiteral("Corrige"), "Corrige_mixte", panelComplexe_));
        v->addWidget(button(QStringLiteral("Supprime"), "Supprime_mixte", panelComplexe_));
        h->addLayout(v);
    }
    outer->addWidget(panel1221_);
    outer->addWidget(panelFormat_);
    outer->addWidget(panelComplexe_);
    outer->addStretch(1);

    auto* compter = new QGroupBox(QStringLiteral("Compter caractère"), page);
    {
        auto* v = new QVBoxLayout(compter);
        v->setContentsMargins(6, 2, 6, 2);
        v->addLayout(row({paramControl("caractere"), selectionButton("caractere", compter)}));
        v->addWidget(note(QStringLiteral("Compte le nombre de caractère en début de ligne et le mentionne dans le "
                                         "tableau, utilisable pour la numérotation"),
                          compter));
        compter->setMaximumWidth(330);
    }
    outer->addWidget(compter);

    auto* suites = new QGroupBox(QStringLiteral("Utilisation de suites"), page);
    {
        auto* v = new QVBoxLayout(suites);
        v->setContentsMargins(6, 2, 6, 2);
        v->setSpacing(1);
        v->addWidget(paramControl("Utilise_suites"));
        paramControl("les_suites")->setToolTip(
            QStringLiteral("Si un des caractère est utilisé comme numérotation de la ligne, il sera remplacé par le premier"));
        v->addWidget(paramControl("les_suites"), 1);
        v->addWidget(label(QStringLiteral("Utiliser la virgule comme séparateur"), suites));
        suites->setMaximumWidth(380);
    }
    outer->addWidget(suites);
}

void ParameterPages::buildRenvoisPage() {
    QWidget* page = pages_->widget(TSarvelo::kPageRenvois);
    auto* outer = new QHBoxLayout(page);
    outer->setContentsMargins(6, 4, 6, 4);
    auto* v = new QVBoxLayout;
    v->setSpacing(3);
    outer->addLayout(v, 1);
    QGridLayout* grid = schema(page, QStringLiteral("renvois"));
    grid->addLayout(row({label(QStringLiteral("Si"), page), paramControl("meme_numero")}, false), 1, 0);
    grid->addWidget(paramControl("Separ1"), 1, 1);
    grid->addWidget(paramControl("Separ2"), 1, 3);
    grid->addLayout(row({paramControl("Car_maxi"), label(QStringLiteral("caractères maxi"), page)}), 1, 4);
    grid->addWidget(selectionButton("meme_numero", page), 2, 0);
    grid->addWidget(selectionButton("Separ1", page), 2, 1);
    grid->addWidget(selectionButton("Separ2", page), 2, 3);
    v->addLayout(grid);
    v->addLayout(row({label(QStringLiteral("est trouvé le considérer comme le même numéro que le"), page),
                      paramControl("suivant")}));
    v->addWidget(label(QStringLiteral("Si pas de caractère séparateur avant renvois trouvé on considère le numéro "
                                      "de la ligne suivante"),
                       page));
    v->addStretch(1);
    outer->addWidget(paramControl("format_renvois"), 0, Qt::AlignTop);
}

void ParameterPages::buildSectionPage() {
    QWidget* page = pages_->widget(TSarvelo::kPageSection);
    QVBoxLayout* v = pageLayout(page);
    QGridLayout* grid = schema(page, QStringLiteral("Section"));
    grid->addWidget(paramControl("section"), 1, 3);
    grid->addWidget(selectionButton("section", page), 2, 3);
    v->addLayout(grid);
    v->addLayout(row({label(QStringLiteral("Section ..."), page), paramControl("section_depart"),
                      selectionButton("section_depart", page)}));
    v->addStretch(1);
}

void ParameterPages::buildDefinitionPage() {
    QWidget* page = pages_->widget(TSarvelo::kPageDefinition);
    QVBoxLayout* v = pageLayout(page);
    QGridLayout* grid = schema(page, QStringLiteral("Définition"));
    auto* list = static_cast<QListWidget*>(paramControl("Liste_separ_3"));
    list->setItemDelegate(new ListCodesDelegate(list));
    list->setFixedHeight(120);
    grid->addWidget(list, 1, 3, 2, 1);
    auto* edit = new QVBoxLayout;
    edit->setSpacing(2);
    edit->addWidget(paramControl("Separ3"));
    edit->addWidget(selectionButton("Liste_separ_3", page));
    edit->addLayout(row({button(QStringLiteral("Corrige"), "Corrige_separ3", page),
                         button(QStringLiteral("Supprime"), "Supprime_separ3", page),
                         button(QStringLiteral("Efface tout"), "Efface_separ3", page)}));
    grid->addLayout(edit, 1, 4);
    // Legend of the visible codes; the list uses the legend's font so that
    // both show the codes alike.
    auto* legend = label(QString::fromStdString(displayGlyphs("\x1A = tabulation\n\x07 = espace")), page);
    legend->setObjectName(QStringLiteral("Legende"));
    list->setFont(legend->font());
    grid->addWidget(legend, 2, 4, Qt::AlignTop);
    grid->setRowStretch(2, 1);
    v->addLayout(grid, 1);
}

void ParameterPages::buildAutresLignesPage() {
    QWidget* page = pages_->widget(TSarvelo::kPageAutresLignes);
    auto* outer = new QHBoxLayout(page);
    outer->setContentsMargins(6, 4, 6, 4);
    outer->addWidget(paramControl("Sans_numero"), 0, Qt::AlignTop);
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("Un commentaire commence par :"), page), 0, 0);
    grid->addWidget(paramControl("rem"), 0, 1);
    grid->addWidget(selectionButton("rem", page), 0, 2);
    grid->addWidget(label(QStringLiteral("Remonte la ligne si commence par :"), page), 1, 0);
    grid->addWidget(paramControl("remonte_si"), 1, 1);
    grid->addWidget(selectionButton("remonte_si", page), 1, 2);
    grid->setRowStretch(2, 1);
    outer->addLayout(grid);
    outer->addStretch(1);
}

QWidget* TSarvelo::buildAnalysePage() {
    QWidget* page = pages_->widget(kPageAnalyse);
    QVBoxLayout* v = pageLayout(page);
    auto* group = new QGroupBox(QStringLiteral("Analyse le texte sélectionné"), page);
    auto* h = new QHBoxLayout(group);
    h->setContentsMargins(6, 2, 6, 2);
    h->addWidget(makeButton(QStringLiteral("Analyse"), "Analyse", group), 0, Qt::AlignTop);
    h->addWidget(new AnalysisTable(group), 1);
    v->addWidget(group, 1);
    return page;
}

QWidget* TSarvelo::buildActionPage() {
    QWidget* page = pages_->widget(kPageAction);
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);
    auto* h = new QHBoxLayout(page);
    h->setContentsMargins(4, 2, 8, 2);
    auto* picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(keyPicture().scaledToHeight(165, Qt::SmoothTransformation));
    h->addWidget(picture, 0, Qt::AlignLeft | Qt::AlignVCenter);

    auto* v = new QVBoxLayout;
    h->addLayout(v, 1);
    auto styled = [page](const QString& text, int px, bool bold, bool italic, const char* colour) {
        auto* l = new QLabel(text, page);
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(px);
        f.setBold(bold);
        f.setItalic(italic);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: %1;").arg(QString::fromLatin1(colour)));
        return l;
    };
    auto* name = styled(QStringLiteral("Sarvelo"), 32, true, false, "rgb(255,0,0)");
    auto* working = styled(QStringLiteral("Traitement des données en cours"), 19, true, true, "rgb(0,0,255)");
    working->setObjectName(QStringLiteral("Traitement_en_cours"));
    auto* credit = styled(QString::fromUtf8(kCredit), 16, true, false, "black");
    credit->setAlignment(Qt::AlignRight);
    v->addWidget(name, 0, Qt::AlignHCenter | Qt::AlignTop);
    v->addStretch(1);
    v->addWidget(working, 0, Qt::AlignHCenter);
    v->addStretch(1);
    v->addWidget(credit, 0, Qt::AlignRight | Qt::AlignBottom);
    return page;
}

}  // namespace sarvelo
