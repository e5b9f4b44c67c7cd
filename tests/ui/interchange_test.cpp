// Export from the "Clé terminée" window and KeyBase import in the main window,
// driven as a user would.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include "engine/engine.hpp"
#include "review/finished_key.hpp"
#include "review/qt/export_options.hpp"
#include "review/qt/finished_key_window.hpp"
#include "ui/keybase_import.hpp"
#include "ui_support.hpp"

using namespace sarvelo;
using sarvelo::testing::MessageCatcher;

namespace {

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A KeyBase file "cle.csv" of the folder.
QString writtenFile(const QTemporaryDir& dir, const char* content) {
    const QString path = dir.filePath("cle.csv");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(content);
    return path;
}

}  // namespace

TEST(KeyExport, ExporterWritesTheProcessedKeyInTheChosenFormat) {
    auto w = sarvelo::testing::openWindow();
    sarvelo::testing::useSmallKeyLayout(*w);
    w->setWorkingText(sarvelo::testing::kSmallKey);
    MessageCatcher catcher;
    sarvelo::testing::press(*w, Qt::Key_F9);
    ASSERT_EQ(w->lastRun().outcome, RunOutcome::Success);
    TBD_Fin* fin = w->finishedKeyWindow();
    auto* exporter = fin->findChild<QPushButton*>("Exporter");
    ASSERT_TRUE(exporter);
    EXPECT_EQ(exporter->text(), "Exporter...");

    QTemporaryDir dir;
    const struct {
        interchange::ExportFormat format;
        const char* expectedPart;
    } cases[] = {
        {interchange::ExportFormat::KeyBaseCsv,
         "from,statement,to\n1,\"Chapeau rouge\",2\n1,\"Chapeau blanc\",\"Amanita alba\"\n2,\"Pied court\",Lepiota\n"},
        {interchange::ExportFormat::Html, "<title>Clé d'identification</title>"},
        {interchange::ExportFormat::Bracketed, "\u2013  Chapeau blanc ..."},
        {interchange::ExportFormat::BracketedPdf, "%PDF-"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath("cle");
        QString proposed;
        fin->setExportChoiceProvider([&](QWidget*, const QString& title) {
            proposed = title;
            return qt::ExportChoice{path, c.format, title};
        });
        QTest::mouseClick(exporter, Qt::LeftButton);
        EXPECT_EQ(proposed, "Clé d'identification");
        EXPECT_TRUE(fileText(path).contains(QString::fromUtf8(c.expectedPart))) << fileText(path).toStdString();
    }
    EXPECT_TRUE(catcher.texts.isEmpty()) << catcher.texts.join('\n').toStdString();
}

// The interactive key asks for its source, author and language; a printed
// key for its back-references; both for their title.
TEST(KeyExport, OptionsDialogAsksWhatTheFormatUses) {
    qt::ExportOptionsDialog html(interchange::ExportFormat::Html, "Agarics");
    html.show();
    EXPECT_FALSE(html.findChild<QCheckBox*>("Renvois"));
    auto* title = html.findChild<QLineEdit*>("Titre");
    ASSERT_TRUE(title);
    QTest::keyClicks(title, " du Jura");
    QTest::keyClicks(html.findChild<QLineEdit*>("Source"), "Flore mycologique, 1921 ");
    QTest::keyClicks(html.findChild<QLineEdit*>("Auteur"), "R. Maire");
    auto* language = html.findChild<QComboBox*>("Langue");
    QTest::keyClick(language, Qt::Key_Down);
    QTest::keyClick(language, Qt::Key_Down);
    QTest::mouseClick(html.findChild<QPushButton*>("Ok"), Qt::LeftButton);
    EXPECT_EQ(html.result(), QDialog::Accepted);
    const interchange::ExportOptions chosen = html.options();
    EXPECT_EQ(chosen.title, "Agarics du Jura");
    EXPECT_EQ(chosen.source, "Flore mycologique, 1921");
    EXPECT_EQ(chosen.author, "R. Maire");
    EXPECT_EQ(chosen.language, "en");

    qt::ExportOptionsDialog printed(interchange::ExportFormat::BracketedPdf, "Agarics");
    printed.show();
    EXPECT_FALSE(printed.findChild<QLineEdit*>("Source"));
    auto* backReferences = printed.findChild<QCheckBox*>("Renvois");
    ASSERT_TRUE(backReferences);
    QTest::mouseClick(backReferences, Qt::LeftButton);
    QTest::mouseClick(printed.findChild<QPushButton*>("Annuler"), Qt::LeftButton);
    EXPECT_EQ(printed.result(), QDialog::Rejected);
    EXPECT_TRUE(printed.options().backReferences);
    EXPECT_FALSE(qt::hasExportOptions(interchange::ExportFormat::KeyBaseCsv));
}

// A lead a spreadsheet would run as a formula: written as it stands and
// reported, or guarded with an apostrophe; names bared on request.
TEST(KeyExport, KeyBaseOptionsAndWarnings) {
    auto w = sarvelo::testing::openWindow();
    sarvelo::testing::useSmallKeyLayout(*w);
    w->setWorkingText(QString::fromStdString(std::string(sarvelo::testing::kSmallKey)).replace("Chapeau rouge", "=Chapeau rouge")
                          .replace("Amanita alba", "Amanita alba Pers. p. 12"));
    MessageCatcher catcher;
    sarvelo::testing::press(*w, Qt::Key_F9);
    ASSERT_EQ(w->lastRun().outcome, RunOutcome::Success);
    TBD_Fin* fin = w->finishedKeyWindow();
    QTemporaryDir dir;
    for (const bool guarded : {false, true}) {
        catcher.texts.clear();
        fin->setExportChoiceProvider([&](QWidget*, const QString& title) {
            interchange::ExportOptions options;
            options.bareNames = true;
            options.spreadsheetSafe = guarded;
            return qt::ExportChoice{dir.filePath("cle.csv"), interchange::ExportFormat::KeyBaseCsv, title, options};
        });
        QTest::mouseClick(fin->findChild<QPushButton*>("Exporter"), Qt::LeftButton);
        const QString written = fileText(dir.filePath("cle.csv"));
        EXPECT_TRUE(written.contains(guarded ? "1,\"'=Chapeau rouge\",2" : "1,\"=Chapeau rouge\",2")) << written.toStdString();
        EXPECT_TRUE(written.contains("1,\"Chapeau blanc\",\"Amanita alba\"\n")) << written.toStdString();
        if (guarded) {
            EXPECT_TRUE(catcher.texts.isEmpty());
        } else {
            ASSERT_EQ(catcher.texts.size(), 1);
            EXPECT_TRUE(catcher.texts[0].startsWith("Clé exportée ; à vérifier :\nRang 1 : « =Chapeau rouge »"))
                << catcher.texts[0].toStdString();
        }
    }
}

TEST(KeyExport, AKeyWithErrorsIsNotExported) {
    ResultTable table;
    table.setRowCount(2);
    table.cell(1, kNb) = "1";
    table.cell(1, kKind) = kReference;
    table.cell(1, kTarget) = "1";
    TBD_Fin fin(&table);
    QTemporaryDir dir;
    fin.setExportChoiceProvider([&](QWidget*, const QString& title) {
        return qt::ExportChoice{dir.filePath("cle.csv"), interchange::ExportFormat::KeyBaseCsv, title};
    });
    MessageCatcher catcher;
    QTest::mouseClick(fin.findChild<QPushButton*>("Exporter"), Qt::LeftButton);
    EXPECT_EQ(catcher.texts, QStringList{kMsgErrors});
    EXPECT_FALSE(QFile::exists(dir.filePath("cle.csv")));
}

TEST(KeyBaseImportWindow, ImportedFileIsProcessedAndReplacesTheTextOnlyWhenAsked) {
    auto w = sarvelo::testing::openWindow();
    ASSERT_TRUE(w->action("ImporterKeyBase1"));
    EXPECT_EQ(w->action("ImporterKeyBase1")->text(), "Importer une clé KeyBase...");
    QTemporaryDir dir;
    const QString path = writtenFile(dir, "7,Chapeau rouge,9\n7,Chapeau blanc,Amanita alba\n9,Pied court,Lepiota\n9,Pied long,\n");
    w->setWorkingText("texte à garder");
    {
        MessageCatcher refuse(QStringLiteral("&Non"));
        EXPECT_FALSE(importKeyBaseFile(*w, path));
        EXPECT_EQ(refuse.texts, QStringList{"Remplacer le texte de travail par la clé importée ?"});
    }
    EXPECT_EQ(w->memo1()->toPlainText(), "texte à garder");

    MessageCatcher accept(QStringLiteral("&Oui"));
    EXPECT_TRUE(importKeyBaseFile(*w, path));
    ASSERT_EQ(accept.texts.size(), 2);
    EXPECT_EQ(accept.texts[1], "Clé KeyBase importée ; à vérifier :\nLigne 4 : pas de destination");
    EXPECT_TRUE(w->memo1()->toPlainText().startsWith("1. Chapeau rouge -> 2\n1. Chapeau blanc => Amanita alba\n"));
    // The fourth lead has no destination: the run finds the error.
    sarvelo::testing::press(*w, Qt::Key_F9);
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Errors);
    EXPECT_EQ(finishedKeyLines(w->table()).front(), "1,2$ Chapeau rouge");
}

// The findings of a key just read name its couplets as the file does, until
// the text is edited.
TEST(KeyBaseImportWindow, FindingsNameTheFilesCouplets) {
    auto w = sarvelo::testing::openWindow();
    QTemporaryDir dir;
    const QString path = writtenFile(dir, "A,Chapeau rouge,C\nA,Chapeau blanc,Amanita\nC,Pied court,Lepiota\nC,Pied long,A\n");
    MessageCatcher catcher;
    ASSERT_TRUE(importKeyBaseFile(*w, path));
    sarvelo::testing::press(*w, Qt::Key_F9);
    ASSERT_FALSE(w->lastRun().findings.empty());
    EXPECT_EQ(w->lastRun().findings.front().text, "Les renvois reviennent au couplet A : A -> C -> A");
    w->setWorkingText(w->memo1()->toPlainText().replace("Pied long", "Pied très long"));
    sarvelo::testing::press(*w, Qt::Key_F9);
    EXPECT_EQ(w->lastRun().findings.front().text, "Les renvois reviennent au couplet 1 : 1 -> 2 -> 1");
}

// Taxa reached from several couplets: one line, or one each once the entry
// of the menu "Traitement" is checked.
TEST(KeyBaseImportWindow, RepeatedTaxaOneLineUnlessEachIsAsked) {
    auto w = sarvelo::testing::openWindow();
    QTemporaryDir dir;
    const QString path = writtenFile(dir, "1,Chapeau rouge,2\n1,Chapeau blanc,Amanita\n2,Pied court,Amanita\n2,Pied long,3\n"
                                          "3,Lames libres,Lepiota\n3,Lames serrées,4\n4,Anneau,Lepiota\n4,Volve,Inocybe\n");
    MessageCatcher catcher;
    ASSERT_TRUE(importKeyBaseFile(*w, path));
    auto repeated = [&] {
        sarvelo::testing::press(*w, Qt::Key_F9);
        return std::count_if(w->lastRun().findings.begin(), w->lastRun().findings.end(),
                             [](const Finding& f) { return f.kind == FindingKind::RepeatedTaxon; });
    };
    EXPECT_EQ(repeated(), 1);
    sarvelo::testing::clickMenuEntry(*w, "Traitement", "Chaque définition répétée");
    EXPECT_TRUE(w->action("Chaquedefinitionrepetee1")->isChecked());
    EXPECT_EQ(repeated(), 2);
}
