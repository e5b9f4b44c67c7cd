// The "Structure" and "Clé terminée" windows, driven as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "engine/table.hpp"
#include "../support/tables.hpp"
#include "review/qt/finished_key_window.hpp"
#include "review/qt/structure_window.hpp"

namespace {

using sarvelo::ResultTable;

struct Lead {
    const char* nb;
    const char* texte;
    const char* kind;
    const char* target;
};

ResultTable makeTable(std::initializer_list<Lead> leads) {
    ResultTable table;
    table.setRowCount(static_cast<int>(leads.size()) + 1);
    int row = 1;
    for (const Lead& lead : leads) {
        table.cell(row, sarvelo::kNb) = lead.nb;
        table.cell(row, sarvelo::kTexte) = lead.texte;
        table.cell(row, sarvelo::kKind) = lead.kind;
        table.cell(row, sarvelo::kTarget) = lead.target;
        ++row;
    }
    return table;
}

ResultTable twoCouplets() {
    return makeTable({{"1", "Chapeau rouge", "->", "2"},
                      {"1", "Chapeau blanc", "=>", "Amanita alba"},
                      {"2", "Pied bulbeux", "=>", "Amanita phalloides"},
                      {"2", "Pied grêle", "=>", "Amanita fulva"}});
}

// The tree as the user reads it: one node per line, two spaces per level, "+" when expanded.
void dump(QTreeWidgetItem* item, int depth, QString& out) {
    out += QString(depth * 2, ' ') + item->text(0);
    if (item->childCount() && item->isExpanded()) out += " +";
    out += '\n';
    for (int i = 0; i < item->childCount(); ++i) dump(item->child(i), depth + 1, out);
}

QString dumpTree(QTreeWidget* view) {
    QString out;
    for (int i = 0; i < view->topLevelItemCount(); ++i) dump(view->topLevelItem(i), 0, out);
    return out;
}

QStringList labelTexts(QWidget* window) {
    QStringList texts;
    for (auto* label : window->findChildren<QLabel*>()) texts << label->text();
    return texts;
}

// Runs `action` and answers the first message box it opens; returns that box's text.
QString captureMessage(const std::function<void()>& action) {
    auto text = std::make_shared<QString>();
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            poll->stop();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll->start();
    action();
    poll->stop();
    delete poll;
    return *text;
}

// Another window of the program takes the focus, then `window` gets it back.
void activateFromOtherWindow(QWidget* window) {
    static QWidget* other = [] {
        auto* w = new QWidget;
        w->setWindowTitle("autre");
        return w;
    }();
    other->show();
    other->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// ---------------------------------------------------------------- Structure

class StructureWindow : public ::testing::Test {
protected:
    ResultTable table = twoCouplets();
    TStructure window{&table};
    QTreeWidget* arbre = window.findChild<QTreeWidget*>("arbre");
    QSpinBox* police = window.findChild<QSpinBox*>("police");
};

TEST_F(StructureWindow, HasItsCaptionPanelAndSize) {
    ASSERT_NE(arbre, nullptr);
    ASSERT_NE(police, nullptr);
    EXPECT_EQ(window.windowTitle(), "Structure");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.size(), QSize(407, 660));
    EXPECT_EQ(arbre->indentation(), 19);
    EXPECT_EQ(arbre->font().pointSize(), 14);
    EXPECT_EQ(police->minimum(), 6);
    EXPECT_EQ(police->maximum(), 20);
    EXPECT_EQ(police->value(), 14);
    EXPECT_TRUE(labelTexts(&window).contains("Taille des caractères"));
    EXPECT_TRUE(labelTexts(&window).contains("* = définition"));
}

TEST_F(StructureWindow, ShowingItBuildsTheTreeFullyExpanded) {
    EXPECT_EQ(arbre->topLevelItemCount(), 0);
    showActive(&window);
    EXPECT_EQ(dumpTree(arbre),
              "1 +\n"
              "  *\n"
              "  2 +\n"
              "    *\n"
              "    *\n");
}

TEST_F(StructureWindow, RebuildsWhenActivatedAgainAfterTheTableChanged) {
    showActive(&window);
    table.cell(4, sarvelo::kKind) = "->";
    table.cell(4, sarvelo::kTarget) = "3";
    table.setRowCount(7);
    table.cell(5, sarvelo::kNb) = "3";
    table.cell(5, sarvelo::kKind) = "=>";
    table.cell(6, sarvelo::kNb) = "3";
    table.cell(6, sarvelo::kKind) = "VS";
    activateFromOtherWindow(&window);
    EXPECT_EQ(dumpTree(arbre),
              "1 +\n"
              "  *\n"
              "  2 +\n"
              "    *\n"
              "    3 +\n"
              "      *\n"
              "      Section\n");
}

TEST_F(StructureWindow, RebuildReturnsTheTreeAndTellsTheMainWindow) {
    QSignalSpy spy(&window, &TStructure::treeRebuilt);
    sarvelo::Tree tree = window.rebuild();
    ASSERT_EQ(tree.roots.size(), 1u);
    EXPECT_EQ(tree.roots[0].text, "1");
    ASSERT_EQ(spy.count(), 1);

    // The main window's own tree shows the same thing.
    QTreeWidget copy;
    copy.addTopLevelItem(new QTreeWidgetItem(QStringList{"ancien"}));
    fillTree(&copy, spy.at(0).at(0).value<sarvelo::Tree>());
    EXPECT_EQ(dumpTree(&copy), dumpTree(arbre));
}

TEST_F(StructureWindow, EmptyTableGivesAnEmptyTree) {
    ResultTable empty;
    TStructure emptyWindow(&empty);
    emptyWindow.rebuild();
    EXPECT_EQ(emptyWindow.findChild<QTreeWidget*>("arbre")->topLevelItemCount(), 0);
}

TEST_F(StructureWindow, FontSizeFollowsTheSpinField) {
    showActive(&window);
    police->setFocus();
    QTest::keyClick(police, Qt::Key_Down);
    QTest::keyClick(police, Qt::Key_Down);
    EXPECT_EQ(arbre->font().pointSize(), 12);
    police->selectAll();
    QTest::keyClicks(police, "30");  // beyond the range
    EXPECT_LE(arbre->font().pointSize(), 20);
}

TEST_F(StructureWindow, SelectingACollapsedNodeExpandsIt) {
    showActive(&window);
    QTreeWidgetItem* two = arbre->topLevelItem(0)->child(1);
    ASSERT_EQ(two->text(0), "2");
    two->setExpanded(false);
    QTest::mouseClick(arbre->viewport(), Qt::LeftButton, {}, arbre->visualItemRect(two).center());
    EXPECT_TRUE(two->isSelected());
    EXPECT_TRUE(two->isExpanded());
}

// ---------------------------------------------------------------- Clé terminée

class FinishedKeyWindow : public ::testing::Test {
protected:
    ResultTable table = twoCouplets();
    TBD_Fin window{&table};
    QPlainTextEdit* fin = window.findChild<QPlainTextEdit*>("Fin");
    QSpinBox* versLigne = window.findChild<QSpinBox*>("vers_ligne");
    QPushButton* ordre = window.findChild<QPushButton*>("Ordre");
    QPushButton* aller = window.findChild<QPushButton*>("Aller");
    QPushButton* enregistrer = window.findChild<QPushButton*>("Enregistrer");
    QPushButton* fermer = window.findChild<QPushButton*>("Fermer");

    void goToLine(int line) {
        versLigne->setFocus();
        versLigne->selectAll();
        QTest::keyClicks(versLigne, QString::number(line));
        QTest::mouseClick(aller, Qt::LeftButton);
    }
};

const QString kTwoCoupletsText =
    "1,2$ Chapeau rouge\n"
    "1,0$ Chapeau blanc $ Amanita alba\n"
    "2,0$ Pied bulbeux $ Amanita phalloides\n"
    "2,0$ Pied grêle $ Amanita fulva";

TEST_F(FinishedKeyWindow, HasItsCaptionButtonsAndSize) {
    ASSERT_TRUE(fin && versLigne && ordre && aller && enregistrer && fermer);
    EXPECT_EQ(window.windowTitle(), "Clé terminée");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.size(), QSize(870, 639));
    EXPECT_EQ(fermer->text(), "Fermer");
    EXPECT_EQ(enregistrer->text(), "Enregistrer");
    EXPECT_TRUE(enregistrer->isDefault());
    EXPECT_EQ(ordre->text(), "En ordre");
    EXPECT_EQ(aller->text(), "Aller");
    EXPECT_TRUE(labelTexts(&window).contains("Allé à ligne "));
    EXPECT_EQ(fin->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(fin->isReadOnly());
    EXPECT_EQ(versLigne->minimum(), 1);
    EXPECT_EQ(versLigne->value(), 1);
    EXPECT_EQ(fin->toPlainText(), "Fin");
}

TEST_F(FinishedKeyWindow, ShowingItBuildsTheKeyFromTheTable) {
    showActive(&window);
    EXPECT_EQ(fin->toPlainText(), kTwoCoupletsText);
    EXPECT_EQ(versLigne->maximum(), 4);
}

// Corrections typed in the window stay until they are saved or the key is built again.
TEST_F(FinishedKeyWindow, ActivationFromAnotherWindowShowsTheCurrentTableButKeepsCorrections) {
    showActive(&window);
    table.cell(1, sarvelo::kTexte) = "Chapeau orange";
    activateFromOtherWindow(&window);
    EXPECT_EQ(fin->toPlainText(),
              QString(kTwoCoupletsText).replace("Chapeau rouge", "Chapeau orange"));
    QTest::keyClicks(fin, "modifie ");
    table.cell(1, sarvelo::kTexte) = "Chapeau vert";
    activateFromOtherWindow(&window);
    EXPECT_TRUE(fin->toPlainText().startsWith("modifie ")) << fin->toPlainText().toStdString();
}

TEST_F(FinishedKeyWindow, EnOrdrePutsCoupletTenAfterNine) {
    table = makeTable({{"10", "Lames libres", "=>", "Pluteus"},
                       {"9", "Anneau", "->", "10"},
                       {"9", "Sans anneau", "=>", "Volvariella"},
                       {"10", "Lames adnées", "=>", "Entoloma"}});
    showActive(&window);
    QTest::mouseClick(ordre, Qt::LeftButton);
    EXPECT_EQ(fin->toPlainText(),
              "9,0$ Sans anneau $ Volvariella\n"
              "9,10$ Anneau\n"
              "10,0$ Lames adnées $ Entoloma\n"
              "10,0$ Lames libres $ Pluteus");
}

TEST_F(FinishedKeyWindow, EnOrdreStopsOnATypedLineAndKeepsTheText) {
    showActive(&window);
    fin->moveCursor(QTextCursor::Start);
    QTest::keyClicks(fin, "x2,3$ tape");
    QTest::keyClick(fin, Qt::Key_Return);
    const QString typed = fin->toPlainText();
    ASSERT_TRUE(typed.startsWith("x2,3$ tape\n1,2$"));

    const QString message = captureMessage([&] { QTest::mouseClick(ordre, Qt::LeftButton); });
    EXPECT_EQ(message, "'0000x2' n'est pas une valeur entière correcte");
    // Coming back from the message box is not a new activation: the typed line stays.
    showActive(&window);
    EXPECT_EQ(fin->toPlainText(), typed);
}

TEST_F(FinishedKeyWindow, AllerSelectsTheLineAndGoesToItsTableRow) {
    // Row 2 has no kind and gives no line, so line 2 comes from row 3.
    table = makeTable({{"1", "Spores blanches", "->", "2"},
                       {"", "commentaire", "", ""},
                       {"1", "Spores roses", "=>", "Entoloma"},
                       {"2", "Anneau", "=>", "Amanita"},
                       {"2", "Sans anneau", "=>", "Amanitopsis"}});
    showActive(&window);
    QSignalSpy rows(&window, &TBD_Fin::goToTableRow);

    goToLine(2);
    EXPECT_EQ(fin->textCursor().selectedText(), "1,0$ Spores roses $ Entoloma");
    EXPECT_TRUE(fin->hasFocus());
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.takeFirst().at(0).toInt(), 3);

    goToLine(1);
    EXPECT_EQ(fin->textCursor().selectionStart(), 0);
    EXPECT_EQ(fin->textCursor().selectedText(), "1,2$ Spores blanches");
    EXPECT_EQ(rows.takeFirst().at(0).toInt(), 1);

    // After ordering, a line still leads to the row that gave it.
    QTest::mouseClick(ordre, Qt::LeftButton);
    goToLine(1);
    EXPECT_EQ(fin->textCursor().selectedText(), "1,0$ Spores roses $ Entoloma");
    EXPECT_EQ(rows.takeFirst().at(0).toInt(), 3);

    goToLine(4);
    EXPECT_EQ(fin->textCursor().selectedText(), "2,0$ Sans anneau $ Amanitopsis");
    EXPECT_EQ(rows.takeFirst().at(0).toInt(), 5);

    // Once the user edits the text, lines no longer stand for table rows.
    QTest::keyClicks(fin, "x");
    goToLine(2);
    EXPECT_EQ(fin->textCursor().selectedText(), "1,2$ Spores blanches");
    EXPECT_EQ(rows.count(), 0);
}

TEST_F(FinishedKeyWindow, EnregistrerWritesTheLinesAndCloses) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cle.cle");
    window.setFileNameProvider([&](QWidget*) { return path; });
    showActive(&window);
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), kTwoCoupletsText + "\n");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(FinishedKeyWindow, CancelledSaveWritesNothing) {
    QTemporaryDir dir;
    window.setFileNameProvider([](QWidget*) { return QString(); });
    showActive(&window);
    QTest::mouseClick(enregistrer, Qt::LeftButton);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(FinishedKeyWindow, FailedSaveIsReportedAndKeepsTheText) {
    QTemporaryDir dir;
    const QString path = dir.filePath("absent/cle.cle");
    window.setFileNameProvider([&](QWidget*) { return path; });
    showActive(&window);
    QTest::keyClicks(fin, "debut ");
    const QString text = fin->toPlainText();
    const QString message =
        captureMessage([&] { QTest::mouseClick(enregistrer, Qt::LeftButton); });
    EXPECT_TRUE(message.startsWith("Impossible d'enregistrer le fichier « " + path + " »"))
        << message.toStdString();
    EXPECT_TRUE(window.isVisible());
    showActive(&window);
    EXPECT_EQ(fin->toPlainText(), text);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(FinishedKeyWindow, SortedViewIsModalAndStaysInOrder) {
    table = makeTable({{"10", "Lames libres", "=>", "Pluteus"}, {"9", "Anneau", "->", "10"}});
    QString seen;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::qWait(50);
        seen = fin->toPlainText();
        wasModal = window.isModal() && QApplication::activeModalWidget() == &window;
        QTest::mouseClick(fermer, Qt::LeftButton);
    });
    window.showOrdered();  // returns once the user closes it
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(seen, "9,10$ Anneau\n10,0$ Lames libres $ Pluteus");
    EXPECT_FALSE(window.isVisible());

    // Showing it again shows the table order.
    showActive(&window);
    EXPECT_EQ(fin->toPlainText(), "10,0$ Lames libres $ Pluteus\n9,10$ Anneau");
}

TEST_F(FinishedKeyWindow, SortedViewEndsWithEnregistrerEvenWhenCancelled) {
    window.setFileNameProvider([](QWidget*) { return QString(); });
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(enregistrer, Qt::LeftButton);
    });
    window.showOrdered();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(FinishedKeyWindow, SortedViewOfAnOpenWindowOrdersItInPlace) {
    table = makeTable({{"10", "Lames libres", "=>", "Pluteus"}, {"9", "Anneau", "->", "10"}});
    showActive(&window);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.showOrdered();  // does not block
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::qWait(50);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(fin->toPlainText(), "9,10$ Anneau\n10,0$ Lames libres $ Pluteus");
}

TEST_F(FinishedKeyWindow, BuildFromTableWorksWithoutShowing) {
    window.buildFromTable();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(fin->toPlainText(), kTwoCoupletsText);
    EXPECT_EQ(window.lines().size(), 4u);
}

// A long key shows its first screenful at once and the rest in slices,
// read-only until it is whole; reading it meanwhile waits for the whole.
TEST_F(FinishedKeyWindow, ALongKeyFillsInSlicesAndIsWholeWhenRead) {
    std::vector<sarvelo::testing::Cells> chain;
    for (int c = 1; c <= 3000; ++c) {
        chain.push_back({std::to_string(c), "Chapeau " + std::to_string(c), "->", std::to_string(c + 1)});
        chain.push_back({std::to_string(c), "Pied " + std::to_string(c), "=>", "Amanita"});
    }
    chain.back() = {"3000", "Pied 3000", "=>", "Boletus"};
    chain[chain.size() - 2] = {"3000", "Chapeau 3000", "=>", "Russula"};
    table = sarvelo::testing::tableOf(chain);
    window.buildFromTable();
    EXPECT_TRUE(window.filling());
    EXPECT_TRUE(fin->isReadOnly());
    EXPECT_LT(fin->document()->blockCount(), 6000);
    // A short key built meanwhile is whole at once, and editable.
    const ResultTable chainTable = table;
    table = twoCouplets();
    window.buildFromTable();
    EXPECT_FALSE(window.filling());
    EXPECT_FALSE(fin->isReadOnly());
    table = chainTable;
    window.buildFromTable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.filling(); }, 5000));
    EXPECT_EQ(fin->document()->blockCount(), 6000);
    EXPECT_FALSE(fin->isReadOnly());
    EXPECT_FALSE(window.edited());

    window.buildFromTable();
    const auto lines = window.lines();
    ASSERT_EQ(lines.size(), 6000u);
    EXPECT_EQ(lines.back(), "3000,0$ Pied 3000 $ Boletus");
    EXPECT_FALSE(window.filling());
    QTest::keyClicks(fin, "x");
    EXPECT_TRUE(window.edited());
}

}  // namespace
