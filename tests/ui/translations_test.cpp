#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

TEST(Translations, QtsOwnButtonsAndDialogsSpeakFrench) {
    QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Oui");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Non");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Annuler");

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Annuler");

    // The "Type" column, which Qt's own French catalogue leaves in English.
    const QFileIconProvider icons;
    EXPECT_EQ(icons.type(QFileInfo(QDir::tempPath())), "Dossier");
}
