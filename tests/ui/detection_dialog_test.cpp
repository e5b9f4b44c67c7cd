// "Détecter la mise en page" in the main window: the proposals of a real key,
// "Applique" then F9, "Paramètres précédents"; a text nothing processes names
// its lines, and a double click shows one in the text.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QListWidget>
#include <QTableWidget>
#include <QTextEdit>

#include "ui/detection_dialog.hpp"
#include "ui_support.hpp"

using namespace sarvelo;
using namespace sarvelo::testing;

namespace {

QString sharedKey(const char* name) {
    QFile file(QStringLiteral(SARVELO_KEYS_DIR "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

TDetection* openDetection(TSarvelo& w) {
    w.action("Detecterlamiseenpage1")->trigger();
    return w.findChild<TDetection*>(QStringLiteral("TDetection"));
}

}  // namespace

TEST(DetectionDialog, AppliesAProposalThatF9ProcessesAndBringsThePreviousParametersBack) {
    auto w = openWindow();
    w->setWorkingText(QString::fromUtf8("Clé des genres\n"
                                        "1. Chapeau blanc ........ 2\n"
                                        "\u2013 Chapeau brun ........ Boletus\n"
                                        "2. Lames libres ........ Amanita\n"
                                        "\u2013 Lames adnées ........ Tricholoma\n"));
    w->params().Separ1 = "xyz";
    w->params().Le_gras = true;
    w->paramsChanged();
    TDetection* d = openDetection(*w);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_GE(d->proposalsTable()->rowCount(), 1);
    EXPECT_EQ(d->proposalsTable()->item(0, 1)->text(), QStringLiteral("4"));  // leads
    EXPECT_EQ(d->proposalsTable()->item(0, 3)->text(), QStringLiteral("0"));  // rows in error
    EXPECT_EQ(d->previewTable()->item(1, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(d->previewTable()->item(1, 3)->text(), QStringLiteral("2"));
    EXPECT_FALSE(d->obstaclesList()->isVisible());
    EXPECT_FALSE(d->previousButton()->isEnabled());
    const std::string textBefore = w->memo1()->toPlainText().toStdString();

    QTest::mouseClick(d->applyButton(), Qt::LeftButton);
    EXPECT_EQ(w->params().meme_numero, "\u2013");
    EXPECT_EQ(w->params().Separ1, "");
    EXPECT_TRUE(w->params().Le_gras);  // the formatting page is the user's
    EXPECT_EQ(w->memo1()->toPlainText().toStdString(), textBefore);
    MessageCatcher messages;
    press(*w, Qt::Key_F9);
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success) << messages.texts.join("/").toStdString();

    ASSERT_TRUE(d->previousButton()->isEnabled());
    QTest::mouseClick(d->previousButton(), Qt::LeftButton);
    EXPECT_EQ(w->params().Separ1, "xyz");
    EXPECT_EQ(w->params().meme_numero, "");
    EXPECT_FALSE(d->previousButton()->isEnabled());
}

TEST(DetectionDialog, ATextNothingProcessesListsItsLinesAndShowsThemInTheText) {
    auto w = openWindow();
    w->setWorkingText(sharedKey("atkinson-1900-white-spored-agarics.txt"));
    TDetection* d = openDetection(*w);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->detection().processes());
    const std::string status = d->statusLabel()->text().toStdString();
    EXPECT_TRUE(status == kMsgNothingProcesses || status == kMsgChecksFindErrors) << status;
    ASSERT_TRUE(d->obstaclesList()->isVisible());
    ASSERT_GE(d->obstaclesList()->count(), 1);
    QListWidgetItem* first = d->obstaclesList()->item(0);
    EXPECT_TRUE(first->text().startsWith(QStringLiteral("ligne "))) << first->text().toStdString();
    const int line = first->data(Qt::UserRole).toInt();
    const QRect rect = d->obstaclesList()->visualItemRect(first);
    QTest::mouseClick(d->obstaclesList()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(d->obstaclesList()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(w->memo1()->textCursor().blockNumber(), line);
    EXPECT_TRUE(w->memo1()->textCursor().hasSelection());
}

TEST(DetectionDialog, AKeyInsideProseIsAppliedAsItsConvertedTextInOneUndoableEdit) {
    auto w = openWindow();
    const QString pasted = QString::fromUtf8(
        "Plega\npublication ID |\nKey to the species of Plega\n"
        "1. Wings dark ........ 2\nWings pale ........ Plega alba\n"
        "2(1). Legs long ........ Plega nigra\nLegs short ........ Plega rufa\n"
        "No known copyright restrictions apply.\n");
    w->setWorkingText(pasted);
    TDetection* d = openDetection(*w);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->detection().processes());
    EXPECT_TRUE(d->proposalsTable()->item(0, 0)->text().contains(
        QString::fromUtf8("3 lignes de texte avant la clé laissées de côté")));
    QTest::mouseClick(d->applyButton(), Qt::LeftButton);
    EXPECT_EQ(w->memo1()->toPlainText(), QStringLiteral("1. Wings dark ... 2\n1. Wings pale => Plega alba\n"
                                                        "2. Legs long => Plega nigra\n2. Legs short => Plega rufa\n"));
    EXPECT_TRUE(d->statusLabel()->text().contains(QStringLiteral("Ctrl+Z")));
    MessageCatcher messages;
    press(*w, Qt::Key_F9);
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success) << messages.texts.join("/").toStdString();
    QTest::keyClick(w->memo1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->memo1()->toPlainText(), pasted);
}

// "F9 traite la clé", as the window says: with the focus in it too.
TEST(DetectionDialog, F9ProcessesTheKeyWhileTheWindowHasTheFocus) {
    auto w = openWindow();
    useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(kSmallKey));
    TDetection* d = openDetection(*w);
    ASSERT_NE(d, nullptr);
    QApplication::setActiveWindow(d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    d->proposalsTable()->setFocus();
    int runs = 0;
    QObject::connect(w.get(), &TSarvelo::runFinished, [&] { ++runs; });
    MessageCatcher messages;
    QTest::keyClick(d->proposalsTable(), Qt::Key_F9);
    EXPECT_EQ(runs, 1);
}

TEST(DetectionDialog, AnnulerStopsTheSearchOfALongText) {
    auto w = openWindow();
    QString text;
    for (int n = 1; n <= 100000; ++n)
        text += QStringLiteral("%1. Chapeau blanc, couplet %1 ........ %2\n").arg(n).arg(n + 1);
    w->setWorkingText(text);
    // The progress shows after a while; "Annuler" is clicked once it does.
    bool clicked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = w->findChild<QProgressDialog*>(QStringLiteral("ProgressionDetection"));
        if (clicked || !progress || !progress->isVisible()) return;
        for (QPushButton* b : progress->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Annuler")) {
                QTest::mouseClick(b, Qt::LeftButton);
                clicked = true;
            }
    });
    poll.start(50);
    TDetection* d = openDetection(*w);
    poll.stop();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(d->statusLabel()->text(), QString::fromUtf8(kMsgDetectionCancelled));
    EXPECT_EQ(d->proposalsTable()->rowCount(), 0);
    EXPECT_FALSE(d->applyButton()->isEnabled());
}
