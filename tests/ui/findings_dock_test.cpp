// The "Vérifications" list after F9: what it shows, where a finding leads,
// F3 from one finding to the next, and the marks in the "Structure" window.
#include <gtest/gtest.h>

#include <QAction>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "review/qt/structure_window.hpp"
#include "ui/findings_dock.hpp"
#include "ui_support.hpp"

namespace sarvelo {

using testing::MessageCatcher;
using testing::openWindow;
using testing::press;
using testing::useSmallKeyLayout;

// Three faults: a reference to a missing couplet 7, a loop between 2 and 3,
// and a couplet 4 of one lead that nothing leads to.
inline const char* kThreeFaults =
    "1. Chapeau rouge ... 2\n"
    "1. Chapeau blanc ... 7\n"
    "2. Pied court ... 3\n"
    "2. Pied long => Inocybe\n"
    "3. Lames libres ... 2\n"
    "3. Lames serrées => Russula\n"
    "4. Spores roses => Entoloma\n";

TEST(FindingsDock, F9ListsTheFindingsAndEachOneLeadsToItsRowAndLine) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kThreeFaults));
    MessageCatcher messages;
    press(*w, Qt::Key_F9);

    // The run's own outcome is unchanged: no error row, the finished key offered.
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("/").toStdString();
    EXPECT_TRUE(w->action("Voirrsultat1")->isEnabled());

    FindingsDock* dock = w->findingsDock();
    ASSERT_TRUE(dock->isVisible());
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Vérifications : 4 erreurs, aucun avertissement"));
    QAbstractItemModel* list = dock->list()->model();
    ASSERT_EQ(list->rowCount(), 4);
    auto shown = [&](int row, int column) { return list->index(row, column).data().toString(); };
    EXPECT_EQ(shown(0, 1), QStringLiteral("Couplet inexistant"));
    EXPECT_EQ(shown(1, 1), QStringLiteral("Boucle"));
    EXPECT_EQ(shown(2, 1), QStringLiteral("Couplet inaccessible"));
    EXPECT_EQ(shown(3, 1), QStringLiteral("Couplet à une seule entrée"));
    EXPECT_EQ(shown(1, 0), QStringLiteral("erreur"));
    EXPECT_EQ(shown(1, 4), QStringLiteral("3"));
    EXPECT_EQ(shown(1, 5), QStringLiteral("Les renvois reviennent au couplet 2 : 2 -> 3 -> 2"));

    // A click on the loop selects row 3 of the table and line 3 of the text.
    QTableView* view = dock->list();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(list->index(1, 5)).center());
    EXPECT_EQ(w->grille()->currentIndex().row(), 2);
    EXPECT_EQ(w->memo1()->textCursor().block().blockNumber(), 2);
    EXPECT_EQ(w->memo1()->textCursor().selectedText(), QStringLiteral("2. Pied court ... 3"));

    // F3 goes on to the next finding.
    press(*w, Qt::Key_F3);
    EXPECT_EQ(view->currentIndex().row(), 2);
    EXPECT_EQ(w->memo1()->textCursor().block().blockNumber(), 6);

    // The Structure window marks the loop and lists the couplet out of reach.
    w->structureWindow()->show();
    w->structureWindow()->rebuild();
    QTreeWidget* tree = w->structureWindow()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* outOfReach = tree->topLevelItem(1);
    EXPECT_EQ(outOfReach->text(0), QStringLiteral("Couplets inaccessibles"));
    ASSERT_EQ(outOfReach->childCount(), 1);
    EXPECT_EQ(outOfReach->child(0)->text(0), "4");
    EXPECT_EQ(outOfReach->child(0)->child(0)->text(0), "*");
    QTreeWidgetItem* couplet2 = tree->topLevelItem(0)->child(0);
    ASSERT_EQ(couplet2->text(0), "2");
    EXPECT_EQ(couplet2->foreground(0).color(), QColor(192, 0, 0));
    // Couplet 1 refers to the missing couplet 7.
    EXPECT_EQ(tree->topLevelItem(0)->foreground(0).color(), QColor(192, 0, 0));
    w->structureWindow()->hide();

    // A clean key empties the list.
    w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
    press(*w, Qt::Key_F9);
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Vérifications : aucune erreur, aucun avertissement"));
}

// A warning on couplet 1, then a reference to a missing couplet 7 and a
// couplet 3 of one lead: F3 shows the errors first, the Structure window
// marks both faulty couplets, and the dock's menu entry keeps its caption.
TEST(FindingsDock, F3WalksTheErrorsFirstAndTheStructureMarksEachFaultyCouplet) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QStringLiteral("1. Chapeau ... 2\n1. Chapeau => Amanita\n2. Pied court ... 7\n"
                                     "2. Pied long ... 3\n3. Lames => Russula\n"));
    MessageCatcher messages;
    press(*w, Qt::Key_F9);
    QAbstractItemModel* list = w->findingsDock()->list()->model();
    ASSERT_EQ(list->rowCount(), 3);
    QStringList levels;
    for (int r = 0; r < 3; ++r) levels << list->index(r, 0).data().toString();
    EXPECT_EQ(levels, (QStringList{"erreur", "erreur", "avertissement"}));
    press(*w, Qt::Key_F3);
    EXPECT_EQ(w->memo1()->textCursor().block().blockNumber(), 2);  // the missing couplet, not line 1

    w->structureWindow()->show();
    w->structureWindow()->rebuild();
    QStringList marked;
    for (QTreeWidgetItemIterator it(w->structureWindow()->tree()); *it; ++it)
        if ((*it)->foreground(0).color() == QColor(192, 0, 0)) marked << (*it)->text(0);
    EXPECT_EQ(marked, (QStringList{"2", "3"}));
    w->structureWindow()->hide();

    EXPECT_EQ(w->action("Verificationsvisibles1")->text(), QStringLiteral("Vérifications visibles"));
    EXPECT_TRUE(w->action("Verificationsvisibles1")->isChecked());
    testing::clickMenuEntry(*w, "Affichage", "Vérifications visibles");
    EXPECT_FALSE(w->findingsDock()->isVisible());
    EXPECT_FALSE(w->action("Verificationsvisibles1")->isChecked());
}

}  // namespace sarvelo
