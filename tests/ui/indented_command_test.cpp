// "Convertir la clé indentée" in the main window: the working text becomes a
// couplet key, the parameter controls follow, F9 processes it, and an undo
// gives the user's text back.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTextEdit>

#include "layout/indented.hpp"
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

// Level 1 indented by four spaces, level 2 by a tab: at the usual width of 8
// the tab is the deeper indentation, at a width of 4 it is the same one.
const char* kTabIndented =
    "Spores white\n"
    "    Gills free .... Amanita\n"
    "    Gills joined to the stem\n"
    "\tStem central .... Tricholoma\n"
    "\tStem lateral .... Pleurotus\n"
    "Spores pink .... Pluteus\n";

// Answers "Largeur des tabulations" the next times it comes up: types `width`
// (none: keeps what it shows) then presses Enter, or clicks "Annuler".
class TabWidthAnswer {
public:
    explicit TabWidthAnswer(QString width, bool ok = true) : width_(std::move(width)), ok_(ok) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    QStringList shown;  // what the field showed when the dialog opened

private:
    void poll() {
        auto* dialog = qobject_cast<TTabulation*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        QSpinBox* largeur = dialog->largeur();
        shown << largeur->text();
        if (!width_.isEmpty()) {
            QTest::keyClick(largeur, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(largeur, width_);
        }
        if (ok_)
            QTest::keyClick(largeur, Qt::Key_Return);
        else
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    }
    QString width_;
    bool ok_;
    QTimer timer_;
};

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

TEST(IndentedCommand, TabsInTheIndentationAskTheirWidthWhichIsKept) {
    auto w = openWindow();
    MessageCatcher messages;
    const std::string nested =
        "1. Spores white ... 2\n1. Spores pink => Pluteus\n2. Gills free => Amanita\n"
        "2. Gills joined to the stem ... 3\n3. Stem central => Tricholoma\n3. Stem lateral => Pleurotus\n";
    // Tabs as wide as four spaces set the tab lines at the margin of the lead
    // above them, which ends nowhere: the first carries it on.
    const std::string flat =
        "1. Spores white ... 2\n1. Spores pink => Pluteus\n2. Gills free => Amanita\n"
        "2. Gills joined to the stem Stem central => Tricholoma\n2. Stem lateral => Pleurotus\n";
    struct Case {
        QString typed;
        bool ok;
        QString offered;
        std::string after;  // the working text after the command
    };
    const Case cases[] = {
        {"", true, "8 colonnes", nested},       // the usual width: the tab lines nest
        {"4", true, "8 colonnes", flat},        // a tab as wide as four spaces: one level
        {"", true, "4 colonnes", flat},         // the width typed last is offered again
        {"2", false, "4 colonnes", kTabIndented},  // "Annuler": nothing changes
        {"", true, "4 colonnes", flat},         // and what was typed before it is forgotten
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + (c.ok ? " Ok" : " Annuler"));
        w->setWorkingText(QString::fromUtf8(kTabIndented));
        const auto before = messages.texts.size();
        TabWidthAnswer answer(c.typed, c.ok);
        clickMenuEntry(*w, QStringLiteral("Traitement"), QString::fromUtf8(kConvertIndentedCaption));
        ASSERT_EQ(answer.shown, QStringList{c.offered});
        EXPECT_EQ(messages.texts.size(), before + (c.ok ? 1 : 0));
        EXPECT_EQ(w->memo1()->toPlainText().toStdString(), c.after);
    }
}
