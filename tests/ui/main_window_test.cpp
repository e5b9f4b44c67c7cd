#include "ui/main_window.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include "components/qt/saisie.hpp"
#include "review/qt/finished_key_window.hpp"
#include "review/qt/structure_window.hpp"
#include "ui/param_binding.hpp"
#include "ui/qt_host.hpp"
#include "ui/radio_group.hpp"
#include "ui/guided_dialogs.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::clickMenuEntry;
using testing::kSmallKey;
using testing::MessageCatcher;
using testing::openWindow;
using testing::press;
using testing::clickButton;
using testing::useSmallKeyLayout;

QString cellShown(const TSarvelo& w, int row, int column) {
    const QAbstractItemModel* m = w.grille()->model();
    return m->data(m->index(row - 1, column), Qt::DisplayRole).toString();
}

void clickTab(TSarvelo& w, int page) {
    QTabBar* bar = w.pages()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}

// The colour the user sees behind a line: the error marking over the text's own.
QColor lineBackground(const TSarvelo& w, int line) {
    const QTextBlock block = w.memo1()->document()->findBlockByNumber(line);
    for (const auto& mark : w.memo1()->extraSelections())
        if (mark.cursor.selectionStart() <= block.position() && mark.cursor.selectionEnd() > block.position())
            return mark.format.background().color();
    return QColor(Qt::white);
}

bool popupOpensOnRightClick(TSarvelo& w) {
    QWidget* viewport = w.memo1()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), viewport->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(viewport, &event);
    const bool open = w.popup()->isVisible();
    w.popup()->hide();
    return open;
}

// --- Start-up state ----------------------------------------------------------

TEST(MainWindow, StartsWithCaptionsPagesAndLayoutOfTheWorkingWindow) {
    auto w = openWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sarvelo"));
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(192, 220, 192));
    const QStringList captions{"(0) Formatage", "(1) Numérotation", "(2) Renvois", "(3) Section", "(4) Définition",
                               "(5) Autres lignes", "Analyse données", "Réduit", "Action(F9)"};
    ASSERT_EQ(w->pages()->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i) EXPECT_EQ(w->pages()->tabText(i), captions[i]);
    EXPECT_EQ(w->pages()->currentIndex(), 0);
    EXPECT_EQ(w->pages()->height(), TSarvelo::kTabFull);

    const QAbstractItemModel* m = w->grille()->model();
    const QStringList headers{"Nb", "separ.", "texte", "separ.", "Def ou renvois"};
    ASSERT_EQ(m->columnCount(), 5);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
    EXPECT_GE(w->grille()->columnWidth(0), 64);  // wider when its labels need it
    EXPECT_EQ(w->grille()->columnWidth(1), 0);
    EXPECT_EQ(w->grille()->columnWidth(2), 360);
    EXPECT_EQ(w->grille()->height(), 120);
    EXPECT_EQ(w->barre()->height(), 10);
    EXPECT_FALSE(w->arbre()->isVisible());
    EXPECT_EQ(w->memo1()->lineWrapMode(), QTextEdit::NoWrap);
    w->memo1()->setFocus();
    QTest::keyClick(w->memo1(), Qt::Key_Tab);
    EXPECT_EQ(w->memo1()->toPlainText(), QStringLiteral("\t"));  // Tab types a tab
    EXPECT_TRUE(w->memo1()->hasFocus());
    EXPECT_EQ(w->memo1()->font().pixelSize(), 13);
    EXPECT_EQ(w->font().pixelSize(), 16);
    EXPECT_FALSE(w->action("Voirrsultat1")->isEnabled());
    EXPECT_FALSE(w->action("Enregistrer1")->isEnabled());
    EXPECT_TRUE(w->action("ModeExpert1")->isChecked());
    EXPECT_FALSE(w->action("ModeAssist1")->isVisible());
    EXPECT_TRUE(w->action("ableauvisible1")->isChecked());
}

TEST(MainWindow, MenusHoldTheirEntriesSeparatorsAndShortcuts) {
    auto w = openWindow();
    auto layout = [&](const QString& menuCaption) {
        QStringList out;
        for (QAction* m : w->menuBar()->actions())
            if (m->text() == menuCaption)
                for (QAction* a : m->menu()->actions())
                    out << (a->isSeparator() ? QStringLiteral("-")
                                             : a->text() + (a->shortcut().isEmpty() ? QString()
                                                                                     : " [" + a->shortcut().toString() + "]"));
        return out;
    };
    EXPECT_EQ(layout("Fichier"), (QStringList{"Nouveau", "-", "Ouvrir [Ctrl+O]", "Enregistrer [Ctrl+S]",
                                              "Enregistrer sous [Ctrl+Alt+S]", "Imprimer [Ctrl+Shift+P]", "-", "Ouvrir fichier texte [Ctrl+Alt+T]",
                                              "Importer une clé KeyBase...", "-", "Fermer [Ctrl+F4]"}));
    EXPECT_EQ(layout("Edition"),
              (QStringList{"Annuler [Ctrl+Z]", "Rétablir [Ctrl+Y]", "-", "Rappel de la clé actuelle", "Mémorise cette état", "-", "Coller (efface tout et colle) [Ctrl+W]",
                           "-", "Coller en texte [Ctrl+Alt+V]", "-", "Copier [Ctrl+C]", "Couper [Ctrl+X]",
                           "Coller [Ctrl+V]", "Efface sélection", "Efface tout", "-",
                           "Rechercher... [Ctrl+F]", "Remplacer... [Ctrl+H]"}));
    EXPECT_EQ(layout("Options"), (QStringList{"Mode Expert [Ctrl+E]", "Mode Assisté", "Mode Dirigé [Ctrl+D]", "-",
                                              "Mode partiel (sans numérotation) [Ctrl+P]", "-",
                                              "Paramètre la barre d'icone"}));
    EXPECT_EQ(layout("Traitement"), (QStringList{"Action [F9]", "Convertir la clé indentée", "Détecter la mise en page", "-", "Trier la clé terminée", "-",
                                                 "Voir la structure [Ctrl+U]", "Voir résultat [Ctrl+R]", "-",
                                                 "Réinitialiser les paramètres", "-", "Erreur suivante [F3]",
                                                 "Erreur précédente [Shift+F3]", "Chaque définition répétée"}));
    EXPECT_EQ(layout("Affichage"), (QStringList{"Horizontal", "Vertical", "-", "Tableau visible", "Structure visible",
                                                "Vérifications visibles", "-", "Augmente la police (perte du format)",
                                                "Diminus la police (perte du format)"}));
    EXPECT_EQ(layout("Archives"), (QStringList{"Format 1", "Format 2", "Format 3", "Format 4", "Format 5"}));
    EXPECT_EQ(layout("Aide"), (QStringList{"A propos ... [F1]"}));
}

// --- Parameters bound to named controls ------------------------------------------

TEST(MainWindow, EveryParameterHasItsNamedControlBoundToTheRecord) {
    auto w = openWindow();
    EXPECT_TRUE(w->binding().missingControls().isEmpty()) << w->binding().missingControls().join(", ").toStdString();

    // Typing into a field writes the parameter, spaces included.
    w->pages()->setCurrentIndex(TSarvelo::kPageRenvois);
    auto* separ1 = w->findChild<TSaisie*>("Separ1");
    QTest::mouseClick(separ1, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::keyClicks(separ1, QStringLiteral(". "));
    EXPECT_EQ(w->params().Separ1, ". ");

    // Clicking a choice writes its index.
    auto* renvois = w->findChild<TRadioGroup*>("format_renvois");
    clickButton(renvois->button(1));
    EXPECT_EQ(w->params().format_renvois, 1);
    w->pages()->setCurrentIndex(TSarvelo::kPageFormatage);
    clickButton(w->findChild<QCheckBox*>("Le_gras"));
    EXPECT_TRUE(w->params().Le_gras);

    // A change of the record shows in the controls.
    w->params().Car_maxi = 7;
    w->params().Sans_numero = -1;
    w->params().Liste_separ_3 = {" ", "=>"};
    w->paramsChanged();
    EXPECT_EQ(w->findChild<QSpinBox*>("Car_maxi")->value(), 7);
    EXPECT_EQ(w->findChild<TRadioGroup*>("Sans_numero")->itemIndex(), -1);
    EXPECT_EQ(w->findChild<QListWidget*>("Liste_separ_3")->count(), 2);

    // "Réinitialiser les paramètres" puts back the start-up values.
    w->action("Rinitialiserlesparamtres1")->trigger();
    EXPECT_EQ(separ1->text(), QString());
    EXPECT_EQ(renvois->itemIndex(), 0);
    EXPECT_EQ(w->findChild<QListWidget*>("Liste_separ_3")->count(), 0);
    EXPECT_EQ(w->params().indice, "");
}

TEST(MainWindow, NumberingStyleShowsItsOwnPanel) {
    auto w = openWindow();
    w->pages()->setCurrentIndex(TSarvelo::kPageNumerotation);
    auto* format = w->findChild<TRadioGroup*>("Format");
    auto panel = [&](const char* name) { return w->findChild<QWidget*>(name)->isVisible(); };
    EXPECT_FALSE(panel("PanelFormat") || panel("PanelComplexe") || panel("Panel1221"));
    clickButton(format->button(1));
    EXPECT_TRUE(panel("PanelFormat"));
    clickButton(format->button(3));
    EXPECT_TRUE(panel("Panel1221"));
    EXPECT_FALSE(panel("PanelFormat"));
    w->params().Format = 2;
    w->paramsChanged();
    EXPECT_TRUE(panel("PanelComplexe"));
    EXPECT_FALSE(panel("Panel1221"));
}

QAction* popupEntry(QMenu* menu, const QString& caption) { return testing::findMenuEntry(menu, caption); }

void selectInText(TSarvelo& w, int from, int to) {
    QTextCursor c = w.memo1()->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    w.memo1()->setTextCursor(c);
}

TEST(MainWindow, PopupEntriesSetParametersAndFollowThemWithCheckMarks) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("12. Chapeau rouge ... 13\n"));
    QMenu* popup = w->popup();
    const QStringList types{"1, 2, 3, 4, ...", "a, b, c, d, ...", "Complexe (1, 2,a, b, *, **, ...)",
                            "1-1, 1-1-1, 1-2-1-2 (le dernier)"};
    auto checkedTypes = [&] {
        QStringList out;
        for (const QString& t : types)
            if (popupEntry(popup, t)->isChecked()) out << t;
        return out;
    };
    EXPECT_EQ(checkedTypes(), QStringList{types[0]});
    EXPECT_TRUE(popupEntry(popup, "2")->isChecked());
    EXPECT_TRUE(popupEntry(popup, QStringLiteral("Pas d'action"))->isChecked());
    EXPECT_TRUE(popupEntry(popup, QStringLiteral("de la ligne précédente"))->isChecked());

    popupEntry(popup, types[3])->trigger();
    EXPECT_EQ(w->params().Format, 3);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageNumerotation);
    EXPECT_TRUE(w->findChild<QWidget*>("Panel1221")->isVisible());
    EXPECT_FALSE(w->findChild<QWidget*>("PanelFormat")->isVisible());
    EXPECT_EQ(checkedTypes(), QStringList{types[3]});

    popupEntry(popup, "7")->trigger();
    EXPECT_EQ(w->params().Car_maxi, 7);
    EXPECT_EQ(w->findChild<QSpinBox*>("Car_maxi")->value(), 7);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageRenvois);
    EXPECT_FALSE(popupEntry(popup, "2")->isChecked());
    EXPECT_TRUE(popupEntry(popup, "7")->isChecked());

    popupEntry(popup, QStringLiteral("C'est un commentaire"))->trigger();
    EXPECT_EQ(w->params().Sans_numero, 3);
    EXPECT_EQ(w->findChild<TRadioGroup*>("Sans_numero")->itemIndex(), 3);
    EXPECT_FALSE(popupEntry(popup, QStringLiteral("Pas d'action"))->isChecked());
    popupEntry(popup, QStringLiteral("Pas d'action"))->trigger();
    EXPECT_EQ(w->findChild<TRadioGroup*>("Sans_numero")->itemIndex(), -1);

    // Check marks follow a change made by any other route.
    w->params().suivant = 0;
    w->paramsChanged();
    EXPECT_TRUE(popupEntry(popup, "de la ligne suivante")->isChecked());
    EXPECT_FALSE(popupEntry(popup, QStringLiteral("de la ligne précédente"))->isChecked());

    // Entries that take the selection take it as it is, spaces included.
    selectInText(*w, 2, 4);
    popupEntry(popup, QStringLiteral("Séparateur après le numéro"))->trigger();
    EXPECT_EQ(w->params().Separ1, ". ");
    EXPECT_EQ(w->findChild<TSaisie*>("Separ1")->text(), QStringLiteral(". "));
}

TEST(MainWindow, SelectedTextButtonsAndTheDefinitionList) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("12. Chapeau rouge => Amanita\n"));
    clickTab(*w, TSarvelo::kPageDefinition);
    selectInText(*w, 17, 21);
    QTest::mouseClick(w->findChild<QPushButton*>("Texte_selectionne_Liste_separ_3"), Qt::LeftButton);
    EXPECT_EQ(w->params().Liste_separ_3, (TextList{" => "}));
    EXPECT_EQ(w->params().Separ3, " => ");
    EXPECT_TRUE(w->memo1()->hasFocus());
    auto* list = w->findChild<QListWidget*>("Liste_separ_3");
    EXPECT_EQ(list->currentRow(), 0);

    // "Corrige" replaces the selected entry by the field, "Supprime" removes it.
    auto* separ3 = w->findChild<TSaisie*>("Separ3");
    separ3->setText(QStringLiteral("=>"));
    QTest::mouseClick(w->findChild<QPushButton*>("Corrige_separ3"), Qt::LeftButton);
    EXPECT_EQ(w->params().Liste_separ_3, (TextList{"=>"}));
    selectInText(*w, 3, 4);
    QTest::mouseClick(w->findChild<QPushButton*>("Texte_selectionne_Liste_separ_3"), Qt::LeftButton);
    EXPECT_EQ(w->params().Liste_separ_3, (TextList{"=>", " "}));
    list->setCurrentRow(0);
    QTest::mouseClick(w->findChild<QPushButton*>("Supprime_separ3"), Qt::LeftButton);
    EXPECT_EQ(w->params().Liste_separ_3, (TextList{" "}));
    QTest::mouseClick(w->findChild<QPushButton*>("Efface_separ3"), Qt::LeftButton);
    EXPECT_TRUE(w->params().Liste_separ_3.empty());

    // A text parameter's button copies the selection into it.
    clickTab(*w, TSarvelo::kPageAutresLignes);
    selectInText(*w, 0, 2);
    QTest::mouseClick(w->findChild<QPushButton*>("Texte_selectionne_remonte_si"), Qt::LeftButton);
    EXPECT_EQ(w->params().remonte_si, "12");
}

// --- The processing run ---------------------------------------------------------------

TEST(MainWindow, F9OnASmallKeyFillsTheTableAndTheTree) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    MessageCatcher messages;
    press(*w, Qt::Key_F9);

    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("/").toStdString();
    ASSERT_EQ(w->grille()->model()->rowCount(), 4);
    EXPECT_EQ(cellShown(*w, 1, 0), "1");
    EXPECT_EQ(cellShown(*w, 1, 2), "Chapeau rouge");
    EXPECT_EQ(cellShown(*w, 1, 3), "Vers ligne");
    EXPECT_EQ(cellShown(*w, 1, 4), "2");
    EXPECT_EQ(cellShown(*w, 2, 3), QStringLiteral("Définition ="));
    EXPECT_EQ(cellShown(*w, 2, 4), "Amanita alba");
    EXPECT_EQ(cellShown(*w, 4, 4), "Inocybe");
    EXPECT_EQ(w->grille()->columnWidth(1), 0);

    // The tree, built once it is shown: couplet 1 with its two leads, couplet
    // 2 under the reference, all expanded.
    EXPECT_EQ(w->arbre()->topLevelItemCount(), 0);
    w->action("Structurevisible1")->trigger();
    ASSERT_EQ(w->arbre()->topLevelItemCount(), 1);
    QTreeWidgetItem* root = w->arbre()->topLevelItem(0);
    EXPECT_EQ(root->text(0), "1");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_TRUE(root->isExpanded());
    int expanded = 0, nodes = 0;
    for (QTreeWidgetItemIterator it(w->arbre()); *it; ++it, ++nodes)
        if ((*it)->childCount() == 0 || (*it)->isExpanded()) ++expanded;
    EXPECT_EQ(expanded, nodes);

    EXPECT_TRUE(w->action("Voirrsultat1")->isEnabled());
    EXPECT_EQ(w->barre()->value(), 0);
    // The working text stays the user's.
    EXPECT_EQ(w->memo1()->toPlainText().toStdString(), kSmallKey);
    EXPECT_EQ(lineBackground(*w, 0), QColor(Qt::white));
}

TEST(MainWindow, RunWithErrorsReportsThemAndMarksTheirLines) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey) + "REM une remarque\n2. Pied moyen => Lepiota\n");
    QTextCursor selection = w->memo1()->textCursor();
    selection.setPosition(3);
    selection.setPosition(10, QTextCursor::KeepAnchor);
    w->memo1()->setTextCursor(selection);
    w->action("Voirrsultat1")->setEnabled(true);

    MessageCatcher messages;
    press(*w, Qt::Key_F9);

    ASSERT_EQ(messages.texts, QStringList{QString::fromUtf8(kMsgErrors)});
    EXPECT_EQ(messages.buttons, QStringList{"OK"});
    EXPECT_FALSE(w->action("Voirrsultat1")->isEnabled());
    EXPECT_EQ(lineBackground(*w, 4), QColor(255, 0, 0));
    for (int line : {0, 1, 2, 3, 5}) EXPECT_EQ(lineBackground(*w, line), QColor(Qt::white)) << line;
    // The red is drawn over the text: text typed at the red line, or the
    // text saved, takes none of it.
    QTextCursor atRedLine(w->memo1()->document()->findBlockByNumber(4));
    atRedLine.movePosition(QTextCursor::EndOfBlock);
    atRedLine.insertText("\n3. Chapeau vert => Russula");
    EXPECT_FALSE(w->memo1()->document()->toHtml().contains("#ff0000"));
    EXPECT_EQ(lineBackground(*w, 4), QColor(255, 0, 0));
    EXPECT_EQ(lineBackground(*w, 5), QColor(Qt::white));
    atRedLine.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    atRedLine.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor);
    atRedLine.removeSelectedText();
    EXPECT_EQ(w->memo1()->textCursor().selectionStart(), 3);
    EXPECT_EQ(w->memo1()->textCursor().selectionEnd(), 10);
    w->action("Structurevisible1")->trigger();
    EXPECT_GT(w->arbre()->topLevelItemCount(), 0);

    // The marks follow the next run: a corrected text is white again.
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    press(*w, Qt::Key_F9);
    EXPECT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(w->action("Voirrsultat1")->isEnabled());
}

TEST(MainWindow, PreconditionMessageBringsTheDefinitionPageToTheFront) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    press(*w, Qt::Key_F9);
    ASSERT_EQ(w->grille()->model()->rowCount(), 4);

    w->params().Liste_separ_3.clear();
    w->paramsChanged();
    clickTab(*w, TSarvelo::kPageRenvois);
    MessageCatcher messages;
    press(*w, Qt::Key_F9);

    ASSERT_EQ(messages.texts, QStringList{QStringLiteral("Liste de séparateur pour définition vide")});
    EXPECT_EQ(messages.buttons, QStringList{"OK"});
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageDefinition);
    EXPECT_EQ(w->pages()->tabText(w->pages()->currentIndex()), QStringLiteral("(4) Définition"));
    // The table is left as it was.
    EXPECT_EQ(w->grille()->model()->rowCount(), 4);
    EXPECT_EQ(cellShown(*w, 2, 4), "Amanita alba");

    // Started from the page "Action(F9)", the run leaves the definitions in front too.
    clickTab(*w, TSarvelo::kPageRenvois);
    clickTab(*w, TSarvelo::kPageAction);
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageDefinition);
}

TEST(MainWindow, PartialModeStopsWithItsMessage) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    press(*w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(w->action("Mode_partiel")->isChecked());
    MessageCatcher messages;
    press(*w, Qt::Key_F9);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(QStringLiteral("La procédure de traitement a été stoppée")));
    EXPECT_EQ(w->grille()->model()->rowCount(), 4);
    EXPECT_FALSE(w->action("Voirrsultat1")->isEnabled());
}

TEST(MainWindow, HostAsksYesNoAndShowsProgressOnTheBar) {
    auto w = openWindow();
    QtHost host(w.get(), w->barre());
    {
        MessageCatcher answers(QStringLiteral("&Oui"));
        EXPECT_TRUE(host.askYesNo(kNestedTitle, kNestedQuestion));
        ASSERT_EQ(answers.titles, QStringList{QString::fromUtf8(kNestedTitle)});
        EXPECT_EQ(answers.texts, QStringList{QString::fromUtf8(kNestedQuestion)});
        EXPECT_EQ(answers.buttons, QStringList{QStringLiteral("&Oui|&Non")});
    }
    {
        MessageCatcher answers(QStringLiteral("&Non"));
        EXPECT_FALSE(host.askYesNo(kNestedTitle, kNestedQuestion));
    }
    host.setProgressMaximum(40);
    host.setProgress(25);
    EXPECT_EQ(w->barre()->maximum(), 40);
    EXPECT_EQ(w->barre()->value(), 25);
    // On a long run the bar moves by two-hundredths, and goes back to 0.
    host.setProgressMaximum(100000);
    for (const auto& [position, shown] : {std::pair{400, 400}, {450, 400}, {1000, 1000}, {0, 0}}) {
        host.setProgress(position);
        EXPECT_EQ(w->barre()->value(), shown) << position;
    }
}

TEST(MainWindow, NoSecondRunWhileEventsAreLetThrough) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(testing::manyDeterminations(200));
    int runs = 0, nested = 0;
    QObject::connect(w.get(), &TSarvelo::runFinished, [&] { ++runs; });
    // F9 pressed again while the run lets events through does nothing.
    QTimer again;
    QObject::connect(&again, &QTimer::timeout, [&] {
        if (w->running()) {
            ++nested;
            press(*w, Qt::Key_F9);
        }
    });
    again.start(0);
    MessageCatcher messages;
    w->Action1Click();
    again.stop();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(w->grille()->model()->rowCount(), 400);
    EXPECT_FALSE(w->running());
    EXPECT_GT(nested, 0);  // the presses did reach the window during the run
}

TEST(MainWindow, ParametersChangedDuringARunDoNotChangeThatRun) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(testing::manyDeterminations(200));
    // The user empties the determination separators while the run lets events through.
    QTimer edit;
    QObject::connect(&edit, &QTimer::timeout, [&] {
        if (!w->running()) return;
        clickButton(w->findChild<QPushButton*>(QStringLiteral("Efface_separ3")));
        edit.stop();
    });
    edit.start(0);
    MessageCatcher messages;
    w->Action1Click();
    EXPECT_TRUE(w->params().Liste_separ_3.empty());
    ASSERT_EQ(w->grille()->model()->rowCount(), 400);
    EXPECT_EQ(cellShown(*w, 400, 4), "Lepiota 200");
    EXPECT_EQ(cellShown(*w, 400, 3), QStringLiteral("Définition ="));
}

TEST(MainWindow, JoinedDeterminationSeparatorAppearsInTheList) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->params().Sans_numero = 4;
    w->paramsChanged();
    w->setWorkingText(QStringLiteral("1. Chapeau rouge ... 2\n1. Chapeau blanc\nAmanita\n2. Pied => Lepiota\n2. Lames => Russula\n"));
    MessageCatcher messages;
    press(*w, Qt::Key_F9);
    auto* list = w->findChild<QListWidget*>(QStringLiteral("Liste_separ_3"));
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(list->count() - 1)->data(Qt::EditRole).toString(), QStringLiteral("=>"));
    EXPECT_EQ(cellShown(*w, 2, 4), "Amanita");
}

TEST(MainWindow, ReviewWindowsShowTheRunsResult) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    MessageCatcher messages;
    TBD_Fin* fin = w->finishedKeyWindow();
    ASSERT_FALSE(fin->isVisible());
    press(*w, Qt::Key_F9);

    // An error-free run shows the finished key without blocking.
    EXPECT_TRUE(fin->isVisible());
    EXPECT_FALSE(fin->isModal());
    const std::vector<std::string> expected{"1,2$ Chapeau rouge", "1,0$ Chapeau blanc $ Amanita alba",
                                            "2,0$ Pied court $ Lepiota", "2,0$ Pied long $ Inocybe"};
    EXPECT_EQ(fin->lines(), expected);
    fin->hide();

    press(*w, Qt::Key_R, Qt::ControlModifier);  // "Voir résultat"
    EXPECT_TRUE(fin->isVisible());
    fin->hide();

    press(*w, Qt::Key_U, Qt::ControlModifier);  // "Voir la structure"
    TStructure* structure = w->structureWindow();
    EXPECT_TRUE(structure->isVisible());
    // Showing it activates it, and the activation builds the tree.
    ASSERT_TRUE(QTest::qWaitFor([&] { return structure->tree()->topLevelItemCount() == 1; }, 2000));
    EXPECT_EQ(structure->tree()->topLevelItem(0)->text(0), "1");
    structure->hide();

    // "Trier la clé terminée" shows the key in order, as a modal window.
    w->params().Liste_separ_3 = {"=>"};
    w->setWorkingText(QStringLiteral("2. Pied court => Lepiota\n2. Pied long => Inocybe\n"
                                     "1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita alba\n"));
    press(*w, Qt::Key_F9);
    fin->hide();
    bool wasModal = false;
    std::vector<std::string> sorted;
    QTimer::singleShot(50, [&] {
        wasModal = QApplication::activeModalWidget() == fin;
        sorted = fin->lines();
        fin->FermerClick();
    });
    w->action("rierlacltermine1")->trigger();
    EXPECT_TRUE(wasModal);
    ASSERT_EQ(sorted.size(), 4u);
    EXPECT_EQ(sorted.front().substr(0, 2), "1,");
    EXPECT_EQ(sorted.back().substr(0, 2), "2,");

    // A run with errors does not show it.
    w->setWorkingText(QString::fromUtf8(kSmallKey) + "REM remarque\n");
    press(*w, Qt::Key_F9);
    EXPECT_FALSE(fin->isVisible());
}

// --- Page changes ----------------------------------------------------------------------------

TEST(MainWindow, ReduitTwiceRestoresTheTabAreaAndThePage) {
    auto w = openWindow();
    clickTab(*w, TSarvelo::kPageSection);
    clickTab(*w, TSarvelo::kPageReduit);
    EXPECT_EQ(w->pages()->height(), TSarvelo::kTabReduced);
    EXPECT_EQ(w->pages()->tabText(TSarvelo::kPageReduit), QStringLiteral("Agrandit"));
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageSection);

    clickTab(*w, TSarvelo::kPageReduit);
    EXPECT_EQ(w->pages()->height(), TSarvelo::kTabFull);
    EXPECT_EQ(w->pages()->tabText(TSarvelo::kPageReduit), QStringLiteral("Réduit"));
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageSection);
}

TEST(MainWindow, AnyOtherPageRestoresTheFullTabArea) {
    auto w = openWindow();
    clickTab(*w, TSarvelo::kPageReduit);
    ASSERT_EQ(w->pages()->height(), TSarvelo::kTabReduced);
    clickTab(*w, TSarvelo::kPageAutresLignes);
    EXPECT_EQ(w->pages()->height(), TSarvelo::kTabFull);
    EXPECT_EQ(w->pages()->tabText(TSarvelo::kPageReduit), QStringLiteral("Réduit"));
}

TEST(MainWindow, ActionPageRunsOnceAndReturnsToThePreviousPage) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    clickTab(*w, TSarvelo::kPageRenvois);
    int runs = 0;
    QObject::connect(w.get(), &TSarvelo::runFinished, [&] { ++runs; });
    MessageCatcher messages;
    clickTab(*w, TSarvelo::kPageAction);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(w->grille()->model()->rowCount(), 4);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageRenvois);

    // A page change made by a command does not count as the user's.
    clickTab(*w, TSarvelo::kPageSection);
    EXPECT_EQ(w->previousPage(), TSarvelo::kPageRenvois);
    w->setPageByCommand(TSarvelo::kPageFormatage);
    EXPECT_EQ(w->previousPage(), TSarvelo::kPageRenvois);
    clickTab(*w, TSarvelo::kPageReduit);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageFormatage);
}

// --- Working modes ------------------------------------------------------------------------------

TEST(MainWindow, DirigeModeDisablesActionAndThePopup) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    EXPECT_TRUE(popupOpensOnRightClick(*w));

    press(*w, Qt::Key_D, Qt::ControlModifier);
    // The guided dialogs come up, the first one modal: closing it leads to
    // the next, whose close box ends the chain.
    for (int closed = 0; closed < 2; ++closed)
        for (auto* d : w->findChildren<TGuidedDialog*>())
            if (d->isVisible()) d->close();
    EXPECT_EQ(w->mode(), TSarvelo::Mode::Dirige);
    EXPECT_TRUE(w->action("ModeDirig1")->isChecked());
    EXPECT_FALSE(w->action("ModeExpert1")->isChecked());
    EXPECT_FALSE(w->action("Action1")->isEnabled());
    EXPECT_FALSE(w->pages()->isVisible());
    EXPECT_FALSE(popupOpensOnRightClick(*w));
    MessageCatcher messages;
    press(*w, Qt::Key_F9);
    EXPECT_EQ(w->grille()->model()->rowCount(), 0);
    EXPECT_TRUE(messages.texts.isEmpty());

    press(*w, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(w->mode(), TSarvelo::Mode::Expert);
    EXPECT_TRUE(w->action("Action1")->isEnabled());
    EXPECT_TRUE(w->pages()->isVisible());
    EXPECT_EQ(w->pages()->height(), TSarvelo::kTabFull);
    EXPECT_TRUE(popupOpensOnRightClick(*w));
    press(*w, Qt::Key_F9);
    EXPECT_EQ(w->grille()->model()->rowCount(), 4);
}

// --- View commands ----------------------------------------------------------------------------------

TEST(MainWindow, TableauVisibleHidesAndShowsTheTableBelowTheText) {
    auto w = openWindow();
    QSplitter* splitter = w->mainSplitter();
    clickMenuEntry(*w, "Affichage", "Vertical");
    EXPECT_EQ(splitter->orientation(), Qt::Horizontal);

    clickMenuEntry(*w, "Affichage", "Tableau visible");
    EXPECT_FALSE(w->action("ableauvisible1")->isChecked());
    EXPECT_FALSE(w->grille()->isVisible());
    EXPECT_FALSE(splitter->handle(1)->isVisible());
    EXPECT_FALSE(w->params().Developpement);

    clickMenuEntry(*w, "Affichage", "Tableau visible");
    EXPECT_TRUE(w->action("ableauvisible1")->isChecked());
    EXPECT_TRUE(w->grille()->isVisible());
    EXPECT_TRUE(splitter->handle(1)->isVisible());
    // Shown below the working area again, whatever the layout was.
    EXPECT_EQ(splitter->orientation(), Qt::Vertical);
    EXPECT_GT(w->grille()->mapTo(w.get(), QPoint(0, 0)).y(), w->memo1()->mapTo(w.get(), QPoint(0, 0)).y());
    EXPECT_EQ(w->grille()->height(), 120);
}

TEST(MainWindow, StructureVisibleShowsTheTreeBesideTheText) {
    auto w = openWindow();
    clickMenuEntry(*w, "Affichage", "Structure visible");
    EXPECT_TRUE(w->arbre()->isVisible());
    EXPECT_TRUE(w->treeSplitter()->handle(1)->isVisible());
    EXPECT_EQ(w->arbre()->width(), 121);
    EXPECT_GT(w->arbre()->x(), w->memo1()->x());
    clickMenuEntry(*w, "Affichage", "Structure visible");
    EXPECT_FALSE(w->arbre()->isVisible());
    EXPECT_FALSE(w->treeSplitter()->handle(1)->isVisible());
}

TEST(MainWindow, ReviewWindowsKeepTheirOwnCaptions) {
    auto w = openWindow();
    // The platform appends " — " and the display name to every caption it
    // does not already end with: none may be set.
    EXPECT_TRUE(QApplication::applicationDisplayName().isEmpty());
    for (const char* caption : {"Structure", "Clé terminée"}) {
        bool found = false;
        for (QWidget* top : QApplication::topLevelWidgets()) found = found || top->windowTitle() == QString::fromUtf8(caption);
        EXPECT_TRUE(found) << caption;
    }
}

TEST(MainWindow, ProgressBarIsIdleAfterARunOnOneLine) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    for (const char* text : {"", "1. Chapeau => Amanita\n"}) {
        w->setWorkingText(QString::fromUtf8(text));
        MessageCatcher messages;
        press(*w, Qt::Key_F9);
        EXPECT_GT(w->barre()->maximum(), 0) << text;  // 0 is Qt's endless busy state
        EXPECT_EQ(w->barre()->value(), 0) << text;
    }
}

}  // namespace
}  // namespace sarvelo
