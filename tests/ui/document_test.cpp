// The key-document commands driven as a user does: menu entries, the
// preview's buttons, the question before quitting.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QClipboard>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <fstream>
#include <functional>

#include "documents/config_entries.hpp"
#include "documents/file_io.hpp"
#include "documents/key_document.hpp"
#include "documents/qt/rich_text_qt.hpp"
#include "ui/document_commands.hpp"
#include "ui/document_preview.hpp"
#include "ui/open_file.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::clickMenuEntry;
using testing::MessageCatcher;
using testing::openWindow;

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "sarvelo_ui_doc_" + name; }

// Answers the preview once it shows: `inspect` looks at it, then the button
// of that name is clicked (an empty name closes the window with its close box).
class PreviewAnswer {
public:
    PreviewAnswer(TSarvelo& w, QString button, std::function<void(TFormat_X&)> inspect = {})
        : preview_(*w.documents()->preview()), button_(std::move(button)), inspect_(std::move(inspect)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!preview_.isVisible() || QApplication::activeModalWidget() != &preview_) return;
            timer_.stop();
            ++shown;
            if (inspect_) inspect_(preview_);
            if (button_.isEmpty()) preview_.reject();
            else QTest::mouseClick(preview_.findChild<QPushButton*>(button_), Qt::LeftButton);
        });
        timer_.start(10);
    }
    int shown = 0;

private:
    TFormat_X& preview_;
    QString button_;
    std::function<void(TFormat_X&)> inspect_;
    QTimer timer_;
};

// A formatted key and a layout different from the start-up one.
void fillWindow(TSarvelo& w) {
    RichText key;
    Paragraph& p = key.paragraphs.emplace_back();
    p.leftIndent = 300;
    p.append("1. ", {true, false, false, kAutomaticColour});
    p.append("Chapeau rouge", {false, true, true, 255});
    p.append(" ... 2", {});
    key.paragraphs.emplace_back().append("2. Pied => Amanita", {});
    setDocumentRichText(*w.memo1()->document(), key);
    testing::useSmallKeyLayout(w);
    w.params().les_suites = {"1,2,3", "  a,b "};
}

void useFile(TSarvelo& w, const std::string& path) {
    w.documents()->setFileChooser([path](bool, const QString&) { return QString::fromStdString(path); });
}

void saveAs(TSarvelo& w, const std::string& path) {
    useFile(w, path);
    clickMenuEntry(w, "Fichier", "Enregistrer sous");
}

class Documents : public ::testing::Test {
protected:
    std::unique_ptr<TSarvelo> w = openWindow();
};

TEST_F(Documents, SavedThenOpenedGivesBackTextFormattingAndParameters) {
    fillWindow(*w);
    const RichText text = richTextFromDocument(*w->memo1()->document());
    const KeyParams params = w->params();
    const std::string path = tempPath("round.Sarvelo");
    saveAs(*w, path);
    EXPECT_EQ(w->windowTitle(), "Sarvelo [sarvelo_ui_doc_round.Sarvelo]");
    EXPECT_TRUE(w->action("Enregistrer1")->isEnabled());

    clickMenuEntry(*w, "Fichier", "Nouveau");
    EXPECT_EQ(w->windowTitle(), "Sarvelo");
    EXPECT_FALSE(w->action("Enregistrer1")->isEnabled());
    EXPECT_TRUE(w->memo1()->document()->isEmpty());

    useFile(*w, path);
    PreviewAnswer answer(*w, "BitBtn1");
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    ASSERT_EQ(answer.shown, 1);
    EXPECT_EQ(richTextFromDocument(*w->memo1()->document()), text);
    auto* ref = w->findChild<QTextEdit*>("memoOuvre");
    EXPECT_EQ(richTextFromDocument(*ref->document()), text);
    for (const auto& info : paramInfos()) EXPECT_TRUE(sameValue(w->params(), params, info)) << info.name;
    EXPECT_EQ(w->windowTitle(), "Sarvelo [sarvelo_ui_doc_round.Sarvelo]");
    EXPECT_FALSE(w->documents()->changedSinceSaved());
}

TEST_F(Documents, OpeningPaintsTheLastRunsErrorLinesOverTheOpenedText) {
    testing::useSmallKeyLayout(*w);
    w->setWorkingText("1. Chapeau ... 2\n2. Pied ... 2\n2. Pied nu => Amanita\n1. Chapeau blanc => Russula\n");
    {
        MessageCatcher messages;
        testing::press(*w, Qt::Key_F9);
    }
    const std::string path = tempPath("marked.Sarvelo");
    saveAs(*w, path);
    w->setWorkingText(QStringLiteral("autre"));
    useFile(*w, path);
    MessageCatcher replace(QStringLiteral("&Non"));
    PreviewAnswer answer(*w, "BitBtn1");
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    const auto marks = w->memo1()->extraSelections();
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(marks[0].cursor.block().blockNumber(), 1);  // "2. Pied ... 2" leads back to itself
}

TEST_F(Documents, ThePreviewMarksExactlyTheDifferingParameters) {
    fillWindow(*w);
    const std::string path = tempPath("marks.Sarvelo");
    saveAs(*w, path);
    w->params().Car_maxi = 5;
    w->params().Le_gras = true;
    w->params().les_suites.pop_back();
    w->paramsChanged();
    useFile(*w, path);
    std::vector<std::string> marked;
    PreviewAnswer answer(*w, "", [&](TFormat_X& preview) {
        EXPECT_EQ(preview.memo1()->toPlainText(), "1. Chapeau rouge ... 2\n2. Pied => Amanita");
        for (const auto& info : paramInfos())
            if (preview.markedDifferent(info.name)) marked.emplace_back(info.name);
        EXPECT_EQ(preview.control("Car_maxi")->palette().color(QPalette::Window), QColor(255, 0, 0));
        EXPECT_EQ(preview.onglets()->currentIndex(), 1);
        // The disabled pages' labels keep the ordinary text colour, to stay readable.
        EXPECT_EQ(preview.onglets()->widget(2)->palette().color(QPalette::Disabled, QPalette::WindowText),
                  w->palette().color(QPalette::Active, QPalette::WindowText));
        preview.onglets()->setCurrentIndex(4);
        EXPECT_EQ(w->pages()->currentIndex(), 4);  // the main window follows
    });
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    ASSERT_EQ(answer.shown, 1);
    EXPECT_EQ(marked, (std::vector<std::string>{"Le_gras", "les_suites", "Car_maxi"}));
    // Closed with its close box: nothing taken over.
    EXPECT_EQ(w->params().Car_maxi, 5);

    // With no document current there is nothing to compare with: all grey.
    {
        MessageCatcher discard(QStringLiteral("&Non"));
        clickMenuEntry(*w, "Fichier", "Nouveau");
    }
    std::size_t red = 1;
    PreviewAnswer again(*w, "", [&](TFormat_X& preview) {
        red = 0;
        for (const auto& info : paramInfos()) red += preview.markedDifferent(info.name);
    });
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    ASSERT_EQ(again.shown, 1);
    EXPECT_EQ(red, 0u);
}

TEST_F(Documents, FormatOnlyKeepsTheTextAndEmptiesTheReferenceCopy) {
    fillWindow(*w);
    const std::string path = tempPath("format.Sarvelo");
    saveAs(*w, path);
    clickMenuEntry(*w, "Fichier", "Nouveau");
    w->setWorkingText("texte en cours");
    useFile(*w, path);
    PreviewAnswer answer(*w, "Utilise");
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    ASSERT_EQ(answer.shown, 1);
    EXPECT_EQ(w->memo1()->toPlainText(), "texte en cours");
    EXPECT_EQ(w->params().Separ2, " ...");
    EXPECT_EQ(w->windowTitle(), "Sarvelo [sarvelo_ui_doc_format.Sarvelo]");
    clickMenuEntry(*w, "Edition", "Rappel de la clé actuelle");
    EXPECT_TRUE(w->memo1()->document()->isEmpty());
}

TEST_F(Documents, MemorisedTextComesBackOnRecall) {
    fillWindow(*w);
    const RichText text = richTextFromDocument(*w->memo1()->document());
    MessageCatcher catcher;
    clickMenuEntry(*w, "Edition", "Mémorise cette état");
    EXPECT_EQ(catcher.texts, QStringList{"Au prochain rappel de la clé ce sera ce format, merci"});
    EXPECT_FALSE(w->memo1()->textCursor().hasSelection());
    w->setWorkingText("autre chose");
    clickMenuEntry(*w, "Edition", "Rappel de la clé actuelle");
    EXPECT_EQ(richTextFromDocument(*w->memo1()->document()).lines(), text.lines());
    EXPECT_EQ(QApplication::clipboard()->text(), "1. Chapeau rouge ... 2\n2. Pied => Amanita");
}

TEST_F(Documents, AFailedSaveKeepsTheFileTheTextAndTheCaption) {
    const std::string dir = tempPath("locked");
    ::mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/cle.Sarvelo";
    fillWindow(*w);
    saveAs(*w, path);
    const std::string before = readFileBytes(path, kMaxTextFileBytes, false).bytes;
    w->setWorkingText("changé");
    MessageCatcher catcher;
    saveAs(*w, dir);  // a folder cannot be written as a file
    EXPECT_EQ(catcher.texts.size(), 1);
    EXPECT_TRUE(catcher.texts.value(0).startsWith(QStringLiteral("Impossible de créer le fichier \"%1\". ")
                                                      .arg(QString::fromStdString(dir))));
    EXPECT_EQ(readFileBytes(path, kMaxTextFileBytes, false).bytes, before);
    EXPECT_EQ(w->memo1()->toPlainText(), "changé");
    EXPECT_EQ(w->windowTitle(), "Sarvelo [cle.Sarvelo]");
}

TEST_F(Documents, ANonIntegerValueStopsTheConfigurationWithItsMessage) {
    const std::string path = tempPath("bad.Sarvelo");
    {
        std::string reason;
        ASSERT_TRUE(writeFileAtomically(
            path, writeRtf(RichText::fromLines({"1. a => b", "Configuration pour Sarvelo", "[Separ1] ;", "[Car_maxi] x",
                                                "[Separ2] jamais"})),
            reason));
    }
    useFile(*w, path);
    MessageCatcher catcher;
    PreviewAnswer answer(*w, "Utilise");
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    ASSERT_EQ(answer.shown, 1);
    EXPECT_EQ(catcher.texts, (QStringList{"'x' n'est pas une valeur entière correcte",
                                          "'x' n'est pas une valeur entière correcte"}));
    EXPECT_EQ(w->params().Separ1, ";");
    EXPECT_EQ(w->params().Separ2, "");
}

TEST_F(Documents, QuittingWithChangesAsksFirst) {
    // A window that closes ends the program: the quit it asks for must not
    // end the next test's message boxes.
    const auto closed = [&] {
        const bool ok = w->close();
        QTest::qWait(20);
        w->show();
        return ok;
    };
    {
        MessageCatcher none;
        EXPECT_TRUE(w->documents()->maySafelyQuit());  // nothing changed: no question
        EXPECT_TRUE(none.texts.isEmpty());
    }
    w->setWorkingText("une clé");
    {
        MessageCatcher cancel(QStringLiteral("Annuler"));
        EXPECT_FALSE(closed());
        EXPECT_EQ(cancel.texts, QStringList{"Enregistrer les modifications ?"});
        QStringList buttons = cancel.buttons.value(0).split('|');
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{"&Non", "&Oui", "Annuler"}));
    }
    const std::string path = tempPath("quit.Sarvelo");
    ::unlink(path.c_str());
    useFile(*w, path);
    {
        MessageCatcher yes(QStringLiteral("&Oui"));
        EXPECT_TRUE(closed());
    }
    EXPECT_NE(readFileBytes(path, kMaxTextFileBytes, false).bytes.find("une cl\\u233"), std::string::npos);
    EXPECT_FALSE(w->documents()->changedSinceSaved());
    w->params().Car_maxi = 7;
    MessageCatcher no(QStringLiteral("&Non"));
    EXPECT_TRUE(closed());
    EXPECT_EQ(no.texts.size(), 1);
}

TEST(CommandLineFile, OpensAsTheMenusWouldByItsKind) {
    RichText key;
    key.paragraphs.emplace_back().append("1. Chapeau rouge ... 2", {});
    KeyParams params;
    params.les_suites = {"1,2,3"};
    ASSERT_FALSE(saveKeyDocument(tempPath("cmd.Sarvelo"), key, params));
    std::ofstream(tempPath("cmd.txt")) << "1. Lames libres => Lepiota\n";
    std::ofstream(tempPath("cmd.csv")) << "1,Chapeau rouge,2\n1,Chapeau blanc,Amanita\n2,Pied bulbeux,Boletus\n"
                                          "2,Pied grêle,Lepiota\n";
    const struct {
        const char* file;
        const char* shown;
        int previews;
    } cases[] = {{"cmd.Sarvelo", "1. Chapeau rouge ... 2", 1},
                 {"cmd.txt", "1. Lames libres => Lepiota", 0},
                 {"cmd.csv", "Pied grêle", 0}};
    for (const auto& c : cases) {
        auto w = openWindow();
        PreviewAnswer answer(*w, "BitBtn1");
        openFileAsMenusWould(*w, QString::fromStdString(tempPath(c.file)));
        EXPECT_EQ(answer.shown, c.previews) << c.file;
        EXPECT_TRUE(w->memo1()->toPlainText().contains(QString::fromUtf8(c.shown))) << c.file;
    }
    auto w = openWindow();
    MessageCatcher messages;
    openFileAsMenusWould(*w, QStringLiteral("/nonexistent/cle.txt"));
    EXPECT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(w->memo1()->document()->isEmpty());
}

// The marker line inside the key text would cut the key short on reopening:
// the save is refused, naming the line, and nothing is written.
TEST_F(Documents, AKeyTextHoldingTheMarkerLineIsNotSaved) {
    w->setWorkingText(QStringLiteral("1. Chapeau => Amanita\nConfiguration pour Sarvelo\n2. Pied => Lepiota"));
    const std::string path = tempPath("marqueur.Sarvelo");
    ::unlink(path.c_str());
    MessageCatcher catcher;
    saveAs(*w, path);
    EXPECT_EQ(catcher.texts,
              QStringList{"La ligne 2 du texte de la clé est \"Configuration pour Sarvelo\" : le document "
                          "s'arrêterait à elle en s'ouvrant. Modifiez cette ligne avant d'enregistrer."});
    EXPECT_TRUE(readFileBytes(path, kMaxTextFileBytes, false).error);
    EXPECT_TRUE(w->documents()->changedSinceSaved());
}

// A key saved by a word processor, without configuration: the text with the
// start-up parameters, said in a message; the table and the credit stay.
TEST_F(Documents, ADocumentWithoutConfigurationOpensWithTheStartUpParameters) {
    const std::string path = tempPath("sans_config.rtf");
    std::string reason;
    ASSERT_TRUE(writeFileAtomically(path, writeRtf(RichText::fromLines({"1. Chapeau => Amanita"})), reason));
    w->params().Car_maxi = 9;
    w->paramsChanged();
    w->documents()->setFileChooser([path](bool, const QString&) { return QString::fromStdString(path); });
    MessageCatcher catcher(QStringLiteral("&Non"));
    PreviewAnswer answer(*w, "BitBtn1");
    clickMenuEntry(*w, "Fichier", "Ouvrir");
    ASSERT_EQ(answer.shown, 1);
    EXPECT_EQ(catcher.texts.value(catcher.texts.size() - 1),
              "Ce document n'a pas de configuration : il est ouvert comme texte, avec les paramètres de démarrage.");
    EXPECT_EQ(w->memo1()->toPlainText(), "1. Chapeau => Amanita");
    EXPECT_EQ(configurationEntries(w->params()), configurationEntries(KeyParams{}));
    EXPECT_TRUE(w->grille()->isVisible());
    EXPECT_EQ(w->params().copyright, kCredit);
    EXPECT_EQ(w->params().Version, kVersion);
}

// "Ouvre" replaces a changed text only when the user says so, and Ctrl+Z
// brings it back.
TEST_F(Documents, OuvreAsksBeforeReplacingAChangedTextAndCtrlZUndoesIt) {
    fillWindow(*w);
    const std::string path = tempPath("ouvre.Sarvelo");
    saveAs(*w, path);
    w->setWorkingText(QStringLiteral("travail en cours"));
    useFile(*w, path);
    {
        MessageCatcher cancel(QStringLiteral("Annuler"));
        PreviewAnswer answer(*w, "BitBtn1");
        clickMenuEntry(*w, "Fichier", "Ouvrir");
        EXPECT_EQ(cancel.texts, QStringList{"Enregistrer les modifications ?"});
    }
    EXPECT_EQ(w->memo1()->toPlainText(), "travail en cours");
    {
        MessageCatcher no(QStringLiteral("&Non"));
        PreviewAnswer answer(*w, "BitBtn1");
        clickMenuEntry(*w, "Fichier", "Ouvrir");
    }
    EXPECT_EQ(w->memo1()->toPlainText(), "1. Chapeau rouge ... 2\n2. Pied => Amanita");
    testing::press(*w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->memo1()->toPlainText(), "travail en cours");
}

}  // namespace
}  // namespace sarvelo
