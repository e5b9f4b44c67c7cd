// The user's work is never replaced without a question nor beyond Ctrl+Z,
// and a result shown is always known to belong to the text as it is.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <functional>

#include "documents/file_io.hpp"
#include "review/qt/finished_key_window.hpp"
#include "review/qt/preset_window.hpp"
#include "ui/findings_dock.hpp"
#include "ui/param_binding.hpp"
#include "ui/text_input.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::clickMenuEntry;
using testing::MessageCatcher;
using testing::openWindow;
using testing::press;

const QString kWork = QStringLiteral("1. Chapeau corrigé à la main => Amanita");

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "sarvelo_ui_kept_" + name; }

struct Replacement {
    const char* name;
    std::function<void(TSarvelo&)> act;
    QString replacedBy;
};

void usePreset1(TSarvelo& w) {
    auto* preset = w.findChild<TFormatPreset*>(QStringLiteral("Format_1"));
    QTimer::singleShot(0, preset, [preset] {
        (void)QTest::qWaitFor([preset] { return preset->isVisible(); }, 1000);
        QTest::mouseClick(preset->utiliseButton(), Qt::LeftButton);
    });
    w.action("Format11")->trigger();
}

TEST(WorkKept, EveryReplacingCommandAsksAndIsOneStepOfCtrlZ) {
    const std::string file = tempPath("autre.txt");
    std::string reason;
    ASSERT_TRUE(writeFileAtomically(file, "1. Autre clé => Boletus\n", reason));
    const std::vector<Replacement> commands = {
        {"Nouveau", [](TSarvelo& w) { clickMenuEntry(w, "Fichier", "Nouveau"); }, QString()},
        {"Ouvrir fichier texte",
         [&](TSarvelo& w) {
             w.textInput()->setFileChooser([&] { return QString::fromStdString(file); });
             clickMenuEntry(w, "Fichier", "Ouvrir fichier texte");
         },
         QStringLiteral("1. Autre clé => Boletus")},
        {"Coller (efface tout et colle)",
         [](TSarvelo& w) {
             QApplication::clipboard()->setText(QStringLiteral("collée\n"));
             press(w, Qt::Key_W, Qt::ControlModifier);
         },
         QStringLiteral("collée")},
        {"Coller en texte",
         [](TSarvelo& w) {
             QApplication::clipboard()->setText(QStringLiteral("en texte"));
             clickMenuEntry(w, "Edition", "Coller en texte");
         },
         QStringLiteral("en texte")},
        {"Rappel de la clé actuelle",
         [](TSarvelo& w) {
             w.findChild<QTextEdit*>("memoOuvre")->setPlainText(QStringLiteral("mémorisée"));
             clickMenuEntry(w, "Edition", "Rappel de la clé actuelle");
         },
         QStringLiteral("mémorisée")},
        {"Utilise ce format", usePreset1, QString()},
    };
    for (const Replacement& command : commands) {
        SCOPED_TRACE(command.name);
        auto w = openWindow();
        w->setWorkingText(kWork);
        {
            MessageCatcher cancel(QStringLiteral("Annuler"));
            command.act(*w);
            EXPECT_EQ(cancel.texts, QStringList{"Enregistrer les modifications ?"});
        }
        EXPECT_EQ(w->memo1()->toPlainText(), kWork);
        {
            MessageCatcher no(QStringLiteral("&Non"));
            command.act(*w);
            EXPECT_EQ(no.texts.size(), 1);
        }
        if (!command.replacedBy.isNull()) {
            EXPECT_EQ(w->memo1()->toPlainText(), command.replacedBy);
        }
        EXPECT_NE(w->memo1()->toPlainText(), kWork);
        press(*w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w->memo1()->toPlainText(), kWork);
        clickMenuEntry(*w, "Edition", "Rétablir");
        EXPECT_NE(w->memo1()->toPlainText(), kWork);
        clickMenuEntry(*w, "Edition", "Annuler");
        EXPECT_EQ(w->memo1()->toPlainText(), kWork);
    }
    // A text as it was opened or started is replaced without a question.
    auto w = openWindow();
    MessageCatcher none;
    QApplication::clipboard()->setText(QStringLiteral("collée"));
    press(*w, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(w->memo1()->toPlainText(), "collée");
    EXPECT_TRUE(none.texts.isEmpty());
}

class StaleResult : public ::testing::Test {
protected:
    void SetUp() override {
        testing::useSmallKeyLayout(*w);
        w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
        press(*w, Qt::Key_F9);
        ASSERT_EQ(w->grille()->model()->rowCount(), 4);
        fin()->hide();
    }
    TBD_Fin* fin() const { return w->finishedKeyWindow(); }
    // The grey bands of the table, the dock and "Clé terminée", as shown.
    std::vector<bool> bands() const {
        const auto band = [](QWidget* area) {
            auto* label = area->findChild<QLabel*>(QStringLiteral("resultatAnterieur"));
            return label && !label->isHidden() &&
                   label->text() == "Résultat d'un texte antérieur : F9 pour traiter à nouveau";
        };
        return {band(w->grille()->parentWidget()), band(w->findingsDock()), band(fin())};
    }
    void typeInText(const QString& text) {
        w->memo1()->setFocus();
        QTest::keyClicks(w->memo1(), text);
    }
    std::unique_ptr<TSarvelo> w = openWindow();
    const std::vector<bool> none{false, false, false};
    const std::vector<bool> all{true, true, true};
};

TEST_F(StaleResult, AnEditOrAParameterChangeMarksTheResultUntilTheNextRun) {
    EXPECT_EQ(bands(), none);
    typeInText("x");
    EXPECT_EQ(bands(), all);
    press(*w, Qt::Key_F9);
    EXPECT_EQ(bands(), none);
    w->binding().show("Separ2");  // no change: still the result of this text
    EXPECT_EQ(bands(), none);
    auto* caseFlag = w->pages()->findChild<QAbstractButton*>(QStringLiteral("Le_gras"));
    ASSERT_TRUE(caseFlag);
    w->setPageByCommand(TSarvelo::kPageFormatage);
    testing::clickButton(caseFlag);
    EXPECT_EQ(bands(), all);
}

TEST_F(StaleResult, NouveauAndAnOpenedTextClearTheResult) {
    typeInText("x");
    {
        MessageCatcher no(QStringLiteral("&Non"));
        clickMenuEntry(*w, "Fichier", "Nouveau");
    }
    EXPECT_EQ(bands(), none);
    EXPECT_EQ(w->grille()->model()->rowCount(), 0);
    EXPECT_TRUE(w->findingsDock()->findings().empty());
    EXPECT_EQ(w->findingsDock()->windowTitle(), "Vérifications");
    EXPECT_FALSE(w->action("Voirrsultat1")->isEnabled());
    EXPECT_TRUE(fin()->lines().empty());

    const std::string file = tempPath("ouvert.txt");
    std::string reason;
    ASSERT_TRUE(writeFileAtomically(file, testing::kSmallKey, reason));
    testing::useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
    press(*w, Qt::Key_F9);
    ASSERT_EQ(w->grille()->model()->rowCount(), 4);
    MessageCatcher no(QStringLiteral("&Non"));
    w->textInput()->setFileChooser([&] { return QString::fromStdString(file); });
    clickMenuEntry(*w, "Fichier", "Ouvrir fichier texte");
    EXPECT_EQ(bands(), none);
    EXPECT_EQ(w->grille()->model()->rowCount(), 0);
}

TEST_F(StaleResult, SavingOrExportingAStaleResultAsksFirst) {
    const QString path = QString::fromStdString(tempPath("perime.cle"));
    QFile::remove(path);
    fin()->setFileNameProvider([&](QWidget*) { return path; });
    int exportAsked = 0;
    fin()->setExportChoiceProvider([&](QWidget*, const QString&) {
        ++exportAsked;
        return std::optional<qt::ExportChoice>();
    });
    typeInText("x");
    press(*w, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(fin()->isVisible());
    {
        MessageCatcher no(QStringLiteral("&Non"));
        QTest::mouseClick(fin()->findChild<QPushButton*>("Enregistrer"), Qt::LeftButton);
        QTest::mouseClick(fin()->findChild<QPushButton*>("Exporter"), Qt::LeftButton);
        ASSERT_EQ(no.texts.size(), 2);
        EXPECT_TRUE(no.texts[0].startsWith("Résultat d'un texte antérieur : F9 pour traiter à nouveau\n"));
        EXPECT_TRUE(no.texts[0].endsWith("Enregistrer quand même ?"));
        EXPECT_TRUE(no.texts[1].endsWith("Exporter quand même ?"));
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(exportAsked, 0);
    MessageCatcher yes(QStringLiteral("&Oui"));
    QTest::mouseClick(fin()->findChild<QPushButton*>("Enregistrer"), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(StaleResult, CorrectionsInTheFinishedKeyStayUntilSavedOrProcessedAgain) {
    press(*w, Qt::Key_R, Qt::ControlModifier);
    auto* text = fin()->findChild<QPlainTextEdit*>("Fin");
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, " corrige");
    const std::vector<std::string> corrected = fin()->lines();
    QTest::mouseClick(fin()->findChild<QPushButton*>("Fermer"), Qt::LeftButton);
    press(*w, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(fin()->lines(), corrected);
    {
        MessageCatcher no(QStringLiteral("&Non"));
        press(*w, Qt::Key_F9);
        EXPECT_EQ(no.texts, QStringList{"Remplacer les corrections faites dans « Clé terminée » par la clé traitée ?"});
    }
    EXPECT_EQ(fin()->lines(), corrected);
    MessageCatcher yes(QStringLiteral("&Oui"));
    press(*w, Qt::Key_F9);
    EXPECT_NE(fin()->lines(), corrected);
}

TEST(WorkKept, SavingAFinishedKeyInErrorNamesTheFirstError) {
    auto w = openWindow();
    testing::useSmallKeyLayout(*w);
    // Clean rows, but couplet 2 leads back to couplet 1.
    w->setWorkingText(QStringLiteral("1. Chapeau rouge ... 2\n1. Chapeau blanc => Amanita alba\n"
                                     "2. Pied court ... 1\n2. Pied long => Inocybe\n"));
    press(*w, Qt::Key_F9);
    TBD_Fin* fin = w->finishedKeyWindow();
    ASSERT_TRUE(fin->isVisible());
    const QString path = QString::fromStdString(tempPath("erreur.cle"));
    QFile::remove(path);
    fin->setFileNameProvider([&](QWidget*) { return path; });
    {
        MessageCatcher no(QStringLiteral("&Non"));
        QTest::mouseClick(fin->findChild<QPushButton*>("Enregistrer"), Qt::LeftButton);
        ASSERT_EQ(no.texts.size(), 1);
        EXPECT_TRUE(no.texts[0].startsWith("La clé a des erreurs, la première : "));
        EXPECT_TRUE(no.texts[0].contains("Boucle")) << no.texts[0].toStdString();
    }
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace sarvelo
