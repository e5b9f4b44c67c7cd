// The main menu. Entries whose commands belong to other parts of the program
// (documents, presets, toolbar, analysis, dialogs, review windows) are here
// with their captions and shortcuts; they are connected where those parts
// live.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include "documents/qt/rich_text_qt.hpp"
#include "ui/detection_dialog.hpp"
#include "ui/find_replace.hpp"
#include "ui/indented_command.hpp"
#include "ui/keybase_import.hpp"
#include "ui/main_window.hpp"

namespace sarvelo {

namespace {

QAction* entry(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
    auto* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    return a;
}

}  // namespace

void TSarvelo::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* fichier = bar->addMenu(QStringLiteral("Fichier"));
    fichier->setObjectName(QStringLiteral("Fichier1"));
    entry(fichier, "Nouveau1", QStringLiteral("Nouveau"));
    fichier->addSeparator();
    entry(fichier, "Ouvrir1", QStringLiteral("Ouvrir"), QKeySequence(QStringLiteral("Ctrl+O")));
    entry(fichier, "Enregistrer1", QStringLiteral("Enregistrer"), QKeySequence(QStringLiteral("Ctrl+S")))
        ->setEnabled(false);
    entry(fichier, "Enregistrersous1", QStringLiteral("Enregistrer sous"), QKeySequence(QStringLiteral("Ctrl+Alt+S")));
    // The finished key on paper (Ctrl+P is the partial mode).
    entry(fichier, "Imprimer1", QStringLiteral("Imprimer"), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    fichier->addSeparator();
    entry(fichier, "Ouvrirfichiertexte1", QStringLiteral("Ouvrir fichier texte"),
          QKeySequence(QStringLiteral("Ctrl+Alt+T")));
    connect(entry(fichier, "ImporterKeyBase1", QStringLiteral("Importer une clé KeyBase...")), &QAction::triggered,
            this, [this] { importKeyBaseCommand(*this); });
    fichier->addSeparator();
    // Closing asks about unsaved changes first (see DocumentCommands).
    connect(entry(fichier, "Fermer1", QStringLiteral("Fermer"), QKeySequence(QStringLiteral("Ctrl+F4"))),
            &QAction::triggered, this, [this] {
                if (close()) QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            });

    QMenu* edition = bar->addMenu(QStringLiteral("Edition"));
    edition->setObjectName(QStringLiteral("Edition1"));
    // Every command that replaces the working text is one step of its history.
    QAction* undo = entry(edition, "Annuler1", QStringLiteral("Annuler"), QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction* redo = entry(edition, "Retablir1", QStringLiteral("Rétablir"), QKeySequence(QStringLiteral("Ctrl+Y")));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, memo1_, &QTextEdit::undo);
    connect(redo, &QAction::triggered, memo1_, &QTextEdit::redo);
    connect(memo1_, &QTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(memo1_, &QTextEdit::redoAvailable, redo, &QAction::setEnabled);
    edition->addSeparator();
    entry(edition, "Rappeldelacleactuelle1", QStringLiteral("Rappel de la clé actuelle"));
    entry(edition, "Memorisecettetat1", QStringLiteral("Mémorise cette état"));
    edition->addSeparator();
    entry(edition, "Collereffacetoutetcolle1", QStringLiteral("Coller (efface tout et colle)"),
          QKeySequence(QStringLiteral("Ctrl+W")));
    edition->addSeparator();
    entry(edition, "Collerentexte1", QStringLiteral("Coller en texte"), QKeySequence(QStringLiteral("Ctrl+Alt+V")));
    edition->addSeparator();
    connect(entry(edition, "Copier1", QStringLiteral("Copier"), QKeySequence(QStringLiteral("Ctrl+C"))),
            &QAction::triggered, memo1_, &QTextEdit::copy);
    connect(entry(edition, "Couper1", QStringLiteral("Couper"), QKeySequence(QStringLiteral("Ctrl+X"))),
            &QAction::triggered, memo1_, &QTextEdit::cut);
    entry(edition, "Coller1", QStringLiteral("Coller"), QKeySequence(QStringLiteral("Ctrl+V")));
    connect(entry(edition, "Effaceslection1", QStringLiteral("Efface sélection")), &QAction::triggered, this,
            [this] { memo1_->textCursor().removeSelectedText(); });
    connect(entry(edition, "Effacetout1", QStringLiteral("Efface tout")), &QAction::triggered, this,
            [this] { replaceEditorRichText(*memo1_, RichText{}); });
    edition->addSeparator();
    auto* recherche = new TRecherche(memo1_, this);
    connect(entry(edition, "Rechercher1", QStringLiteral("Rechercher..."), QKeySequence(QStringLiteral("Ctrl+F"))),
            &QAction::triggered, recherche, [recherche] { recherche->showFor(false); });
    connect(entry(edition, "Remplacer1", QStringLiteral("Remplacer..."), QKeySequence(QStringLiteral("Ctrl+H"))),
            &QAction::triggered, recherche, [recherche] { recherche->showFor(true); });

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    auto* modes = new QActionGroup(this);
    QAction* expert = entry(options, "ModeExpert1", QStringLiteral("Mode Expert"), QKeySequence(QStringLiteral("Ctrl+E")));
    QAction* assiste = entry(options, "ModeAssist1", QStringLiteral("Mode Assisté"));
    QAction* dirige = entry(options, "ModeDirig1", QStringLiteral("Mode Dirigé"), QKeySequence(QStringLiteral("Ctrl+D")));
    for (QAction* a : {expert, assiste, dirige}) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    assiste->setVisible(false);
    assiste->setEnabled(false);
    connect(expert, &QAction::triggered, this, [this] { setMode(Mode::Expert); });
    connect(assiste, &QAction::triggered, this, [this] { setMode(Mode::Assiste); });
    connect(dirige, &QAction::triggered, this, [this] { setMode(Mode::Dirige); });
    options->addSeparator();
    QAction* partiel = entry(options, "Mode_partiel", QStringLiteral("Mode partiel (sans numérotation)"),
                             QKeySequence(QStringLiteral("Ctrl+P")));
    partiel->setCheckable(true);
    options->addSeparator();
    entry(options, "Parametrelabarredicone1", QStringLiteral("Paramètre la barre d'icone"));

    QMenu* traitement = bar->addMenu(QStringLiteral("Traitement"));
    traitement->setObjectName(QStringLiteral("Traitement1"));
    connect(entry(traitement, "Action1", QStringLiteral("Action"), QKeySequence(Qt::Key_F9)), &QAction::triggered,
            this, &TSarvelo::Action1Click);
    connect(entry(traitement, "Convertirlacleindentee1", QString::fromUtf8(kConvertIndentedCaption)),
            &QAction::triggered, this, [this] { convertIndentedWorkingText(*this); });
    QAction* detect = entry(traitement, "Detecterlamiseenpage1", QString::fromUtf8(kDetectLayoutCaption));
    detect->setStatusTip(QString::fromUtf8(kDetectLayoutHint));
    connect(detect, &QAction::triggered, this, [this] { detectLayoutCommand(*this); });
    traitement->addSeparator();
    entry(traitement, "rierlacltermine1", QStringLiteral("Trier la clé terminée"));
    traitement->addSeparator();
    entry(traitement, "Voirlastructure1", QStringLiteral("Voir la structure"), QKeySequence(QStringLiteral("Ctrl+U")));
    entry(traitement, "Voirrsultat1", QStringLiteral("Voir résultat"), QKeySequence(QStringLiteral("Ctrl+R")))
        ->setEnabled(false);
    traitement->addSeparator();
    connect(entry(traitement, "Rinitialiserlesparamtres1", QStringLiteral("Réinitialiser les paramètres")),
            &QAction::triggered, this, [this] {
                resetParams(params_);
                paramsChanged();
            });

    QMenu* affichage = bar->addMenu(QStringLiteral("Affichage"));
    affichage->setObjectName(QStringLiteral("Affichage1"));
    connect(entry(affichage, "Horizontal1", QStringLiteral("Horizontal")), &QAction::triggered, this,
            &TSarvelo::applyHorizontal);
    connect(entry(affichage, "Vertical1", QStringLiteral("Vertical")), &QAction::triggered, this,
            &TSarvelo::applyVertical);
    affichage->addSeparator();
    QAction* tableau = entry(affichage, "ableauvisible1", QStringLiteral("Tableau visible"));
    tableau->setCheckable(true);
    tableau->setChecked(params_.Developpement);
    connect(tableau, &QAction::triggered, this, &TSarvelo::toggleTableVisible);
    QAction* structure = entry(affichage, "Structurevisible1", QStringLiteral("Structure visible"));
    structure->setCheckable(true);
    connect(structure, &QAction::triggered, this, &TSarvelo::toggleStructureVisible);
    affichage->addSeparator();
    entry(affichage, "Augmentelapolice1", QStringLiteral("Augmente la police (perte du format)"));
    entry(affichage, "Diminuslapolice1", QStringLiteral("Diminus la police (perte du format)"));

    QMenu* archives = bar->addMenu(QStringLiteral("Archives"));
    archives->setObjectName(QStringLiteral("Archives1"));
    archives->menuAction()->setVisible(false);
    for (int i = 1; i <= 5; ++i) {
        const QByteArray name = "Format" + QByteArray::number(i) + "1";
        entry(archives, name.constData(), QStringLiteral("Format %1").arg(i));
    }

    QMenu* aide = bar->addMenu(QStringLiteral("Aide"));
    aide->setObjectName(QStringLiteral("Aide1"));
    entry(aide, "Apropos1", QStringLiteral("A propos ..."), QKeySequence(Qt::Key_F1));
}

}  // namespace sarvelo
