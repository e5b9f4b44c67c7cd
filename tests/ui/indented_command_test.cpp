// "Convertir la clé indentée" in the main window: the working text becomes a
// couplet key, the parameter controls follow, F9 processes it, and an undo
// gives the user's text back.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTextEdit>

#include "ui/indented_command.hpp"
#include "ui_support.hpp"

using namespace sarvelo;
using namespace sarvelo::testing;

namespace {

const char* kIndented =
    "Spores white\n"
    "    Gills free ........ Amanita\n"
    "    Gills attached\n"
    "        Stem central .... Tricholoma\n"
    "        Stem lateral .... Pleurotus\n"
    "Spores pink ........ Pluteus\n";

}  // namespace

TEST(IndentedCommand, ConvertsTheWorkingTextAndSetsTheParametersForF9) {
    auto w = openWindow();
    w->setWorkingText(QString::fromUtf8(kIndented));
    MessageCatcher messages;
    w->action("Convertirlacleindentee1")->trigger();

    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(QStringLiteral("Clé indentée convertie : 3 couplets, 6 entrées")))
        << messages.texts[0].toStdString();
    EXPECT_EQ(w->memo1()->toPlainText().toStdString(),
              "1. Spores white ... 2\n1. Spores pink => Pluteus\n2. Gills free => Amanita\n"
              "2. Gills attached ... 3\n3. Stem central => Tricholoma\n3. Stem lateral => Pleurotus\n");
    // The controls show the new parameters.
    EXPECT_EQ(w->findChild<QSpinBox*>(QStringLiteral("Car_maxi"))->value(), 10);
    auto* separators = w->findChild<QListWidget*>(QStringLiteral("Liste_separ_3"));
    ASSERT_NE(separators, nullptr);
    ASSERT_EQ(separators->count(), 1);

    // One undo in the text gives the pasted key back.
    w->activateWindow();
    w->memo1()->setFocus();
    QTest::keyClick(w->memo1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->memo1()->toPlainText().toStdString(), kIndented);

    w->action("Convertirlacleindentee1")->trigger();
    press(*w, Qt::Key_F9);
    EXPECT_EQ(messages.texts.size(), 2) << messages.texts.join("/").toStdString();
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success);
    EXPECT_EQ(w->grille()->model()->rowCount(), 6);
}

TEST(IndentedCommand, TextWithoutLevelsIsLeftAsItIs) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita\n"));
    const KeyParams before = w->params();
    MessageCatcher messages;
    w->action("Convertirlacleindentee1")->trigger();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0].toStdString(), kMsgNotIndented);
    EXPECT_EQ(w->memo1()->toPlainText(), QStringLiteral("1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita\n"));
    for (const ParamInfo& info : paramInfos()) EXPECT_TRUE(sameValue(before, w->params(), info)) << info.name;
}
