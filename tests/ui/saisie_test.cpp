#include "components/qt/saisie.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

namespace sarvelo {
namespace {

// What the overlay holds, code characters included, and what it draws.
struct Shown {
    QString coded;
    QString drawn;
};

Shown shown(const TSaisie& field) { return {field.codedText(), field.overlay()->text()}; }

class SaisieTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 80);
        field = new TSaisie(&window);
        field->setGeometry(10, 10, 200, 26);
        other = new QLineEdit(&window);
        other->setGeometry(10, 45, 200, 26);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    TSaisie* field = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SaisieTest, ShowsCodesOverTheRealText) {
    field->setText(QStringLiteral(" "));
    EXPECT_TRUE(field->overlayShown());
    EXPECT_EQ(shown(*field).coded, QString(QChar(7)));
    EXPECT_EQ(field->overlay()->palette().color(QPalette::Window), QColor(255, 255, 0));

    field->setText(QStringLiteral("a\tb"));
    EXPECT_EQ(shown(*field).coded, QStringLiteral("a") + QChar(26) + QStringLiteral("b"));

    field->setText(QStringLiteral("\r\n"));
    EXPECT_EQ(shown(*field).coded, QStringLiteral("¶¶"));

    // The field itself gives back the real characters, never the codes.
    field->setText(QStringLiteral(" .\t=> "));
    EXPECT_EQ(field->text(), QStringLiteral(" .\t=> "));
    EXPECT_EQ(shown(*field).coded, QChar(7) + QStringLiteral(".") + QChar(26) + QStringLiteral("=>") + QChar(7));
}

TEST_F(SaisieTest, DrawsCodesSevenAndTwentySixAsDistinctVisibleGlyphs) {
    field->setText(QStringLiteral(" \t"));
    const QString drawn = shown(*field).drawn;
    ASSERT_EQ(drawn.size(), 2);
    EXPECT_NE(drawn[0], drawn[1]);
    for (QChar c : drawn) {
        EXPECT_TRUE(c.isPrint()) << int(c.unicode());
        EXPECT_FALSE(c.isSpace()) << int(c.unicode());
    }
    // The overlay's pixels differ from an empty yellow block.
    const QImage withCodes = field->overlay()->grab().toImage();
    field->setText(QStringLiteral("x"));
    field->setText(QStringLiteral(" "));
    EXPECT_NE(withCodes, field->overlay()->grab().toImage());
}

TEST_F(SaisieTest, EmptyTextHidesTheOverlay) {
    field->setText(QStringLiteral(". "));
    ASSERT_TRUE(field->overlayShown());
    field->setText(QString());
    EXPECT_FALSE(field->overlayShown());
}

TEST_F(SaisieTest, ChangingACodeRebuildsTheOverlayAndNotifies) {
    field->setText(QStringLiteral("a b c"));
    int notified = 0;
    QObject::connect(field, &QLineEdit::textChanged, [&] { ++notified; });
    field->setCode_espace(95);
    EXPECT_EQ(shown(*field).drawn, QStringLiteral("a_b_c"));
    EXPECT_EQ(notified, 1);
    field->setCode_tabulation(35);
    field->setText(QStringLiteral("\t"));
    EXPECT_EQ(shown(*field).drawn, QStringLiteral("#"));
    field->setCode_Retour_a_la_ligne(124);
    field->setText(QStringLiteral("\r"));
    EXPECT_EQ(shown(*field).drawn, QStringLiteral("|"));
    EXPECT_EQ(field->text(), QStringLiteral("\r"));
}

TEST_F(SaisieTest, ColourAndSpeedProperties) {
    EXPECT_EQ(field->Vitesse(), 500);
    EXPECT_EQ(field->timer()->interval(), 500);
    field->setVitesse(120);
    EXPECT_EQ(field->timer()->interval(), 120);
    field->setAffichage_couleur(QColor(0, 255, 255));
    EXPECT_EQ(field->overlay()->palette().color(QPalette::Window), QColor(0, 255, 255));
    // Published under their own names for the windows that set them by name.
    EXPECT_TRUE(field->setProperty("Code_espace", 45));
    field->setText(QStringLiteral(" "));
    EXPECT_EQ(shown(*field).drawn, QStringLiteral("-"));
}

TEST_F(SaisieTest, ClickUncoversTheFieldAndLeavingCoversItAgain) {
    field->setText(QStringLiteral(". "));
    ASSERT_TRUE(field->overlayShown());
    QTest::mouseClick(field->overlay(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(field->overlayShown());
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->timer()->isActive());

    // Typing edits the real text; each change shows the codes again.
    QTest::keyClick(field, Qt::Key_End);
    EXPECT_FALSE(field->overlayShown());
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(field->text(), QStringLiteral(".  "));
    EXPECT_TRUE(field->overlayShown());
    EXPECT_EQ(shown(*field).coded, QStringLiteral(".") + QChar(7) + QChar(7));

    // The timer does nothing while the field has the focus.
    field->overlay()->hide();
    QTest::qWait(field->Vitesse() + 200);
    EXPECT_FALSE(field->overlayShown());

    other->setFocus();
    EXPECT_TRUE(field->overlayShown());
    EXPECT_FALSE(field->timer()->isActive());
    EXPECT_EQ(field->text(), QStringLiteral(".  "));
}

TEST_F(SaisieTest, TimerCoversAnUnfocusedFieldAfterTheMouseRests) {
    field->setVitesse(50);
    field->setText(QStringLiteral("x"));
    other->setFocus();
    QTest::mouseClick(field->overlay(), Qt::LeftButton, {}, QPoint(5, 5));
    other->setFocus();  // covered at once by the loss of focus
    ASSERT_TRUE(field->overlayShown());
    field->overlay()->hide();
    field->timer()->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return field->overlayShown(); }, 1000));
    EXPECT_FALSE(field->timer()->isActive());
}

}  // namespace
}  // namespace sarvelo
