// "Rechercher" (Ctrl+F) and "Remplacer" (Ctrl+H) in the working text, and
// "Imprimer" (Ctrl+Shift+P) of the finished key, driven from the keyboard.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTextEdit>

#include "review/qt/finished_key_window.hpp"
#include "ui/find_replace.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::MessageCatcher;
using testing::openWindow;
using testing::press;

TRecherche* openSearch(TSarvelo& w, Qt::Key key) {
    press(w, key, Qt::ControlModifier);
    auto* dialog = w.findChild<TRecherche*>(QStringLiteral("TRecherche"));
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

void typeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

TEST(FindReplace, CtrlFFindsEachOccurrenceRoundTheText) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("Chapeau rouge\nchapeau blanc\nPied"));
    TRecherche* search = openSearch(*w, Qt::Key_F);
    ASSERT_TRUE(search);
    EXPECT_EQ(search->windowTitle(), "Rechercher");
    EXPECT_FALSE(search->replaceField()->isVisible());
    typeInto(search->findField(), QStringLiteral("chapeau"));
    QStringList found;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(search->findField(), Qt::Key_Return);
        const QTextCursor c = w->memo1()->textCursor();
        found << QStringLiteral("%1:%2").arg(c.blockNumber()).arg(c.selectedText());
    }
    EXPECT_EQ(found, (QStringList{"0:Chapeau", "1:chapeau", "0:Chapeau"}));
    testing::clickButton(search->findChild<QCheckBox*>(QStringLiteral("Casse")));
    QTest::keyClick(search->findField(), Qt::Key_Return);
    EXPECT_EQ(w->memo1()->textCursor().blockNumber(), 1);
    typeInto(search->findField(), QStringLiteral("lames"));
    QTest::keyClick(search->findField(), Qt::Key_Return);
    EXPECT_EQ(search->status()->text(), "« lames » est introuvable.");
}

TEST(FindReplace, CtrlHReplacesOneOrAllAsOneStepOfCtrlZ) {
    auto w = openWindow();
    const QString text = QStringLiteral("Chapeau rouge\nchapeau blanc\nPied");
    w->setWorkingText(text);
    TRecherche* search = openSearch(*w, Qt::Key_H);
    ASSERT_TRUE(search);
    EXPECT_EQ(search->windowTitle(), "Remplacer");
    typeInto(search->findField(), QStringLiteral("chapeau"));
    typeInto(search->replaceField(), QStringLiteral("Cap"));
    QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("Suivant")), Qt::LeftButton);
    QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("RemplacerUn")), Qt::LeftButton);
    EXPECT_EQ(w->memo1()->toPlainText(), "Cap rouge\nchapeau blanc\nPied");
    EXPECT_EQ(w->memo1()->textCursor().selectedText(), "chapeau");  // the next one
    w->setWorkingText(text);
    QTest::mouseClick(search->findChild<QPushButton*>(QStringLiteral("ToutRemplacer")), Qt::LeftButton);
    EXPECT_EQ(w->memo1()->toPlainText(), "Cap rouge\nCap blanc\nPied");
    EXPECT_EQ(search->status()->text(), "2 remplacement(s).");
    w->memo1()->setFocus();
    QTest::keyClick(w->memo1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->memo1()->toPlainText(), text);
}

TEST(Printing, CtrlShiftPPrintsTheFinishedKeyOrSaysThereIsNone) {
    auto w = openWindow();
    const QString pdf = QString::fromStdString(::testing::TempDir() + "sarvelo_ui_cle.pdf");
    QFile::remove(pdf);
    int asked = 0;
    w->finishedKeyWindow()->setPrinterChooser([&](QPrinter& printer, QWidget*) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    {
        MessageCatcher none;
        press(*w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(none.texts, QStringList{"Aucune clé terminée à imprimer : F9 traite la clé."});
    }
    EXPECT_EQ(asked, 0);
    testing::useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
    press(*w, Qt::Key_F9);
    press(*w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(asked, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

}  // namespace
}  // namespace sarvelo
