// The commands that take parameters from the working text, the line-index
// dialog and "Ligne correspondante", driven by clicks and keys.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>

#include "components/qt/saisie.hpp"
#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "engine/recognition.hpp"
#include "engine/text.hpp"
#include "review/line_index.hpp"
#include "review/qt/line_index_dialog.hpp"
#include "review/source_line.hpp"
#include "ui/radio_group.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::MessageCatcher;
using testing::LineIndexAnswer;
using testing::openWindow;

const std::string M = "\u00FF";

QAction* entryIn(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions())
        if (a->text() == caption) return a;
    return nullptr;
}


// Right click in the working text, then a click on each entry of `path`
// (submenus, then the entry itself).
void choosePopup(TSarvelo& w, const QStringList& path) {
    QWidget* viewport = w.memo1()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), viewport->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(viewport, &event);
    QMenu* menu = w.popup();
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000));
    for (const QString& caption : path) {
        QAction* a = entryIn(menu, caption);
        ASSERT_TRUE(a) << caption.toStdString();
        QTest::mouseMove(menu, menu->actionGeometry(a).center());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        if (a->menu()) {
            menu = a->menu();
            ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000)) << caption.toStdString();
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&w] { return !w.popup()->isVisible(); }, 1000));
}

// Selects `needle` (its occurrence after `after`) in the working text with
// the keyboard: the caret goes to its start, Shift+Right extends over it.
void selectText(TSarvelo& w, const QString& needle, const QString& after = {}) {
    QTextEdit* memo = w.memo1();
    const QString all = memo->toPlainText();
    const int at = all.indexOf(needle, after.isEmpty() ? 0 : all.indexOf(after));
    ASSERT_GE(at, 0) << needle.toStdString();
    QTextCursor c = memo->textCursor();
    c.setPosition(at);
    memo->setTextCursor(c);
    memo->setFocus();
    for (int i = 0; i < needle.size(); ++i) QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(memo->textCursor().selectedText(), needle);
}

void click(TSarvelo& w, const char* button) {
    auto* b = w.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_TRUE(b) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList checkedIn(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        if (a->isChecked()) out << a->text();
    return out;
}

// --- The popup menu ---------------------------------------------------------------

TEST(PopupMenu, HasItsSubmenusCaptionsAndSeparators) {
    auto w = openWindow();
    auto captions = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    };
    QMenu* popup = w->popup();
    EXPECT_EQ(captions(popup), (QStringList{QStringLiteral("Numérotation       "), "-", "Renvois", "-", "Section", "-",
                                            QStringLiteral("Définition"), "-", "Autres lignes"}));
    EXPECT_EQ(captions(entryIn(popup, "Renvois")->menu()),
              (QStringList{QStringLiteral("Ce caractère est considéré comme le même numéro que celui de la ligne ..."),
                           QStringLiteral("de la ligne précédente"), "de la ligne suivante", "-",
                           QStringLiteral("Séparateur après le numéro"), QStringLiteral("Séparateur avant le renvois"),
                           "-", QStringLiteral("Renvois à la ligne suivante"), QStringLiteral("Au numéro indiqué"), "-",
                           QStringLiteral("Renvois nombre de caractères")}));
    EXPECT_EQ(captions(entryIn(popup, "Autres lignes")->menu()).mid(0, 3),
              (QStringList{"Pas d'action", "-", "Remonter la ligne"}));
    EXPECT_EQ(checkedIn(testing::findMenuEntry(popup, "Type de numérotation")->menu()), QStringList{"1, 2, 3, 4, ..."});
}

TEST(PopupMenu, EntriesSetTheirParameterShowTheirPageAndMoveTheCheckMark) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("12. Chapeau rouge ... 13\n"));
    QMenu* popup = w->popup();
    const QString numerotation = QStringLiteral("Numérotation       ");

    choosePopup(*w, {numerotation, QStringLiteral("Type de numérotation"), QStringLiteral("1-1, 1-1-1, 1-2-1-2 (le dernier)")});
    EXPECT_EQ(w->params().Format, 3);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageNumerotation);
    for (const char* panel : {"PanelFormat", "PanelComplexe"}) EXPECT_FALSE(w->findChild<QWidget*>(panel)->isVisible());
    EXPECT_TRUE(w->findChild<QWidget*>("Panel1221")->isVisible());
    EXPECT_EQ(checkedIn(testing::findMenuEntry(popup, "Type de numérotation")->menu()),
              QStringList{QStringLiteral("1-1, 1-1-1, 1-2-1-2 (le dernier)")});

    choosePopup(*w, {"Renvois", QStringLiteral("Renvois nombre de caractères"), "7"});
    EXPECT_EQ(w->params().Car_maxi, 7);
    EXPECT_EQ(w->findChild<QSpinBox*>("Car_maxi")->value(), 7);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageRenvois);
    EXPECT_EQ(checkedIn(testing::findMenuEntry(popup, QStringLiteral("Renvois nombre de caractères"))->menu()), QStringList{"7"});

    choosePopup(*w, {"Autres lignes", QStringLiteral("C'est un commentaire")});
    choosePopup(*w, {"Autres lignes", QStringLiteral("Pas d'action")});
    EXPECT_EQ(w->params().Sans_numero, -1);
    EXPECT_EQ(w->findChild<TRadioGroup*>("Sans_numero")->itemIndex(), -1);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageAutresLignes);
    EXPECT_EQ(checkedIn(entryIn(popup, "Autres lignes")->menu()), QStringList{"Pas d'action"});

    // The check marks follow a loaded configuration and a reset as well.
    ASSERT_FALSE(applyConfiguration(w->params(), {"[suivant] 0", "[Car_maxi] 3", "[Format] 1"}));
    w->paramsChanged();
    QMenu* renvois = entryIn(popup, "Renvois")->menu();
    EXPECT_TRUE(entryIn(renvois, "de la ligne suivante")->isChecked());
    EXPECT_FALSE(entryIn(renvois, QStringLiteral("de la ligne précédente"))->isChecked());
    EXPECT_EQ(checkedIn(testing::findMenuEntry(popup, QStringLiteral("Renvois nombre de caractères"))->menu()), QStringList{"3"});
    EXPECT_TRUE(w->findChild<QWidget*>("PanelFormat")->isVisibleTo(w->pages()->widget(TSarvelo::kPageNumerotation)));
    testing::clickMenuEntry(*w, "Traitement", QStringLiteral("Réinitialiser les paramètres"));
    EXPECT_TRUE(entryIn(renvois, QStringLiteral("de la ligne précédente"))->isChecked());
    EXPECT_EQ(checkedIn(testing::findMenuEntry(popup, QStringLiteral("Renvois nombre de caractères"))->menu()), QStringList{"2"});
}

// --- The two lists ---------------------------------------------------------------------

TEST(ParameterLists, AnEmptySelectionAddsAnEmptyDefinitionSeparator) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("1. Chapeau => Amanita\n"));
    w->memo1()->setFocus();
    choosePopup(*w, {QStringLiteral("Définition"), QStringLiteral("Ajoute se séparateur pour la définition")});
    EXPECT_EQ(w->params().Liste_separ_3, TextList{""});
    EXPECT_EQ(w->findChild<QListWidget*>("Liste_separ_3")->count(), 1);
    EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageDefinition);
}

TEST(ParameterLists, ComplexPatternsGoThroughTheLineIndexDialogOnceEach) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("12a) Chapeau rouge ... 3\n3b) Chapeau blanc => Amanita\n"));
    w->setPageByCommand(TSarvelo::kPageNumerotation);
    auto* list = w->findChild<QListWidget*>("Liste_mixte");
    {
        LineIndexAnswer answer(0, 1);
        selectText(*w, "12a)");
        click(*w, "Texte_selectionne_Liste_mixte");
        EXPECT_EQ(answer.shown, QStringList{"1a)"});
    }
    EXPECT_EQ(w->params().Format, 2);
    EXPECT_TRUE(w->findChild<QWidget*>("PanelComplexe")->isVisible());
    EXPECT_EQ(w->params().Liste_mixte, TextList{"1a)"});
    EXPECT_EQ(w->params().Liste_mixte2, TextList{"1" + M + M});
    EXPECT_EQ(w->params().mixte_edit, "1a)");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(w->focusWidget(), w->memo1());  // it has the focus when the window is active again

    // The same pattern from another label adds nothing to either list.
    {
        LineIndexAnswer answer(1, 1);
        selectText(*w, "3b)");
        choosePopup(*w, {QStringLiteral("Numérotation       "), QStringLiteral("Ajoute ce format à la liste complexe")});
    }
    EXPECT_EQ(w->params().Liste_mixte.size(), 1u);
    EXPECT_EQ(w->params().Liste_mixte2.size(), 1u);

    // "Annuler" changes nothing, "Corrige" replaces both entries of the pair.
    {
        LineIndexAnswer cancel(0, 3, false);
        selectText(*w, "Chapeau");
        click(*w, "Texte_selectionne_Liste_mixte");
        ASSERT_EQ(cancel.shown, QStringList{"a"});
    }
    EXPECT_EQ(w->params().Liste_mixte.size(), 1u);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    w->findChild<TSaisie*>("mixte_edit")->setText(QStringLiteral("12a."));
    {
        LineIndexAnswer answer(1, 1);
        click(*w, "Corrige_mixte");
        EXPECT_EQ(answer.shown, QStringList{"1a."});
    }
    EXPECT_EQ(w->params().Liste_mixte, TextList{"1a."});
    EXPECT_EQ(w->params().Liste_mixte2, TextList{M + "a" + M});

    // "Supprime" removes the pair.
    {
        LineIndexAnswer answer(0, 1);
        selectText(*w, "3b)");
        click(*w, "Texte_selectionne_Liste_mixte");
    }
    ASSERT_EQ(w->params().Liste_mixte, (TextList{"1a.", "1a)"}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    click(*w, "Supprime_mixte");
    EXPECT_EQ(w->params().Liste_mixte, TextList{"1a)"});
    EXPECT_EQ(w->params().Liste_mixte2, TextList{"1" + M + M});
    EXPECT_EQ(list->count(), 1);
}

TEST(ParameterLists, The257thComplexPatternIsRefusedWithAMessage) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("12a) Chapeau rouge ... 3\n"));
    for (int i = 1; i <= 256; ++i) {
        w->params().Liste_mixte.push_back(std::string(static_cast<std::size_t>(i), '*'));
        w->params().Liste_mixte2.push_back(std::string(static_cast<std::size_t>(i), '*'));
    }
    w->paramsChanged();
    LineIndexAnswer answer(0, 1);
    MessageCatcher messages;
    selectText(*w, "12a)");
    click(*w, "Texte_selectionne_Liste_mixte");
    EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(kMsgComplexListFull)});
    EXPECT_TRUE(answer.shown.isEmpty());  // nothing to highlight for
    EXPECT_EQ(w->params().Liste_mixte.size(), 256u);
    EXPECT_EQ(w->params().Liste_mixte2.size(), 256u);
}

}  // namespace
}  // namespace sarvelo

namespace sarvelo {
namespace {

// --- The result table -------------------------------------------------------------------

const char* kThreeSpores =
    "1. Spores white ... 2\n"
    "1. Spores pink => Entoloma\n"
    "2. Spores white => Amanita\n"
    "2. Cap brown ... 3\n"
    "3. Spores white => Lepiota\n"
    "3. Cap red => Russula\n";

QString selectedLine(const TSarvelo& w) { return w.memo1()->textCursor().selectedText(); }

void doubleClickRow(TSarvelo& w, int row) {
    QTableView* grid = w.grille();
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, kTexte));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

TEST(ResultTable, LigneCorrespondanteSelectsTheRowsOwnLineUntilTheTextIsEdited) {
    auto w = openWindow();
    testing::useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kThreeSpores));
    MessageCatcher messages;
    testing::press(*w, Qt::Key_F9);
    ASSERT_EQ(w->lastRun().outcome, RunOutcome::Success) << messages.texts.join("/").toStdString();
    messages.texts.clear();

    // Row 3 ("Spores white" of couplet 2): the run knows its line.
    doubleClickRow(*w, 3);
    EXPECT_EQ(selectedLine(*w), QStringLiteral("2. Spores white => Amanita"));
    EXPECT_TRUE(w->memo1()->hasFocus());
    EXPECT_TRUE(messages.texts.isEmpty());

    // The current cell is drawn aqua, the other cells keep their colours.
    const QImage shot = w->grille()->viewport()->grab().toImage();
    const QRect current = w->grille()->visualRect(w->grille()->currentIndex());
    EXPECT_EQ(shot.pixelColor(current.center() + QPoint(current.width() / 2 - 3, 0)), QColor(0, 255, 255));
    const QRect other = w->grille()->visualRect(w->grille()->model()->index(0, kTexte));
    EXPECT_EQ(shot.pixelColor(other.topLeft() + QPoint(2, 2)), QColor(255, 255, 255));

    // After an edit the table's text is searched for: three lines hold it.
    QTextCursor end = w->memo1()->textCursor();
    end.movePosition(QTextCursor::End);
    w->memo1()->setTextCursor(end);
    QTest::keyClicks(w->memo1(), QStringLiteral("Note"));
    doubleClickRow(*w, 3);
    EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(kMsgSeveralLines)});
    EXPECT_EQ(selectedLine(*w), QStringLiteral("3. Spores white => Lepiota"));

    // The table's popup menu has the same command.
    messages.texts.clear();
    QTableView* grid = w->grille();
    const QPoint at = grid->visualRect(grid->model()->index(3, kTexte)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    QMenu* popup = w->tablePopup();
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 1000));
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(popup->actions().value(0)).center());
    EXPECT_EQ(selectedLine(*w), QStringLiteral("2. Cap brown ... 3"));
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(ResultTable, MarkerLabelsAreReadableInFull) {
    auto w = openWindow();
    const QFontMetrics fm(w->grille()->font());
    for (int c : {kNb, kKind})
        for (const char* label : {"Définition =", "Début section", "Vers section", "Vers ligne"})
            EXPECT_GE(w->grille()->columnWidth(c), fm.horizontalAdvance(QString::fromUtf8(label)) + 5) << label;
}

TEST(ResultTable, ActionEntryIsYellowAndGreenAlsoWhileDisabled) {
    auto w = openWindow();
    QAction* run = w->action("Action1");
    QMenu* menu = nullptr;
    for (QAction* a : w->menuBar()->actions())
        if (a->text() == "Traitement") menu = a->menu();
    ASSERT_TRUE(menu);
    for (TSarvelo::Mode mode : {TSarvelo::Mode::Expert, TSarvelo::Mode::Dirige}) {
        w->setMode(mode);
        QMenuBar* bar = w->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000));
        const QRect entry = menu->actionGeometry(run);
        EXPECT_GE(entry.width(), 250);
        const QImage shot = menu->grab(entry).toImage();
        int yellow = 0, green = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                yellow += c == QColor(255, 255, 0);
                green += c.green() > 100 && c.red() < 60 && c.blue() < 60;
            }
        EXPECT_GT(yellow, shot.width() * shot.height() / 2) << "mode " << static_cast<int>(mode);
        EXPECT_GT(green, 10) << "mode " << static_cast<int>(mode);
        EXPECT_EQ(run->isEnabled(), mode == TSarvelo::Mode::Expert);
        menu->hide();
    }
}

}  // namespace
}  // namespace sarvelo

namespace sarvelo {
namespace {

// --- A walkthrough: Atkinson's key to the white-spored agarics -----------------------------

// Puts the caret right after `needle` (as a click there would).
void caretAfter(TSarvelo& w, const QString& needle) {
    QTextEdit* memo = w.memo1();
    const int at = memo->toPlainText().indexOf(needle);
    ASSERT_GE(at, 0) << needle.toStdString();
    QTextCursor c = memo->textCursor();
    c.setPosition(at + static_cast<int>(needle.size()));
    memo->setTextCursor(c);
    memo->setFocus();
}

void type(TSarvelo& w, const QString& text) { QTest::keyClicks(w.memo1(), text); }
void key(TSarvelo& w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w.memo1(), k, m); }

// The key as the file gives it: an introductory note, a first couplet
// without number, labels "=1=--" on the first lead of each couplet only,
// two notes in brackets on lines of their own, and a last line cut short.
TEST(Walkthrough, AtkinsonKeyToACleanTableWithSelectionsAndThePopupMenu) {
    const TextFile file = readTextFile(SARVELO_KEYS_DIR "/atkinson-1900-white-spored-agarics.txt");
    ASSERT_FALSE(file.error);
    auto w = openWindow();
    w->setWorkingText(QString::fromStdString(file.text));
    const QString numerotation = QStringLiteral("Numérotation       ");

    // The edits the key needs.
    // 1. The introductory note is not part of the key: its line goes.
    QTextCursor start = w->memo1()->textCursor();
    start.movePosition(QTextCursor::Start);
    w->memo1()->setTextCursor(start);
    key(*w, Qt::Key_Down, Qt::ShiftModifier);
    key(*w, Qt::Key_Delete);
    // 2. The first couplet gets a label like the others (renumbering makes it 1).
    type(*w, QStringLiteral("=0=--"));
    // 3. The note under the first lead of couplet 4 joins its lead, the full
    //    stop moving behind the bracket, before the reference.
    caretAfter(*w, QStringLiteral("=4=--=Stipe= central or sub-central."));
    key(*w, Qt::Key_Backspace);
    key(*w, Qt::Key_Delete);
    type(*w, QStringLiteral(" "));
    selectText(*w, QStringLiteral(".)"), QStringLiteral("usually not decurrent"));
    type(*w, QStringLiteral(")."));
    // 4. The same for the note under the lead that ends in Pleurotus.
    caretAfter(*w, QStringLiteral("rarely with the stipe sub-central."));
    key(*w, Qt::Key_Delete);
    type(*w, QStringLiteral(" "));
    selectText(*w, QStringLiteral(".)"), QStringLiteral("c.l.i.tocybe are sub-central"));
    type(*w, QStringLiteral(")."));
    // 5. The last line, cut short in the middle of a word, goes.
    caretAfter(*w, QStringLiteral("=Collybia.= 92"));
    key(*w, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    key(*w, Qt::Key_Delete);

    // The parameters, from selections and the popup menu.
    {
        LineIndexAnswer answer(1, 1);  // the "1" of "=1=--"
        selectText(*w, QStringLiteral("=1=--"));
        choosePopup(*w, {numerotation, QStringLiteral("Ajoute ce format à la liste complexe")});
        EXPECT_EQ(answer.shown, QStringList{"=1=--"});
    }
    selectText(*w, QStringLiteral("--"), QStringLiteral("=1=--"));
    choosePopup(*w, {"Renvois", QStringLiteral("Séparateur après le numéro")});
    selectText(*w, QStringLiteral(". "), QStringLiteral("edge. 2"));
    choosePopup(*w, {"Renvois", QStringLiteral("Séparateur avant le renvois")});
    choosePopup(*w, {"Renvois", QStringLiteral("Au numéro indiqué")});
    selectText(*w, QStringLiteral(". ="), QStringLiteral("consistency. =Hygrophorus"));
    choosePopup(*w, {QStringLiteral("Définition"), QStringLiteral("Ajoute se séparateur pour la définition")});
    choosePopup(*w, {"Autres lignes", QStringLiteral("Numéro identique ligne précédente")});

    const KeyParams& p = w->params();
    EXPECT_EQ(p.Format, 2);
    EXPECT_EQ(p.Liste_mixte, TextList{"=1=--"});
    EXPECT_EQ(p.Liste_mixte2, TextList{M + "1" + M + M + M});
    EXPECT_EQ(p.Separ1, "--");
    EXPECT_EQ(p.Separ2, ". ");
    EXPECT_EQ(p.format_renvois, 1);
    EXPECT_EQ(p.Liste_separ_3, TextList{". ="});
    EXPECT_EQ(p.Sans_numero, 1);

    MessageCatcher messages;
    testing::press(*w, Qt::Key_F9);
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success) << messages.texts.join("/").toStdString();
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("/").toStdString();
    const ResultTable& t = w->table();
    ASSERT_EQ(t.dataRows(), 23);
    for (int r = 1; r <= t.dataRows(); ++r) EXPECT_FALSE(rowInError(t, r)) << "row " << r;
    // Couplets 1 to 10 of the book become 2 to 11; the joined note stays in its lead.
    EXPECT_EQ(t.cell(3, kTexte), "=Gills= acute on the edge");
    EXPECT_EQ(t.cell(3, kTarget), "3");
    EXPECT_EQ(t.cell(4, kTexte), "=Edge= of the gills obtuse, or gills fold-like, or vein-like, but prominent");
    EXPECT_EQ(t.cell(4, kNb), "2");
    EXPECT_EQ(t.cell(9, kTexte),
              "=Stipe= central or sub-central (Some species of Pleurotus are sub-central, but the gills are usually "
              "not decurrent)");
    EXPECT_EQ(t.cell(9, kTarget), "6");
    EXPECT_EQ(t.cell(10, kKind), kDetermination);
    EXPECT_EQ(t.cell(10, kTarget), "Pleurotus.= 102");
    EXPECT_EQ(t.cell(23, kTarget), "Collybia.= 92");
}

}  // namespace
}  // namespace sarvelo
