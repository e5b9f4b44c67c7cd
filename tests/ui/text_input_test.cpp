// Bringing a key in and turning its formatting into codes, driven as a user
// does: menu entries, shortcuts, the buttons of the tabs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextEdit>
#include <fstream>

#include "documents/qt/rich_text_qt.hpp"
#include "documents/text_input.hpp"
#include "ui/analysis_table.hpp"
#include "ui/text_input.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::clickMenuEntry;
using testing::MessageCatcher;
using testing::openWindow;
using testing::press;

std::string tempFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "sarvelo_ui_text_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

const char* kHtml =
    "<p><b>1</b> <i>Spores</i> <u>sous</u> <span style=\"color:#ff0000\">rouge</span></p><p>2 fin<br>3 suite</p>";
const char* kRtf =
    "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\b 1\\b0  \\i Spores\\i0  \\ul sous\\ulnone  \\cf1 rouge\\cf0"
    "\\par 2 fin\\line 3 suite\\par}";
// What "Visualise les formats" makes of both, every kind ticked.
const char* kCoded = "/-16777208\\#G#1#PG# #I#Spores#PI# #S#sous#PS# /255\\rouge";

void putOnClipboard(const char* type, const QByteArray& data) {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(type), data);
    mime->setText(QStringLiteral("1 Spores sous rouge\n2 fin\n3 suite"));
    QApplication::clipboard()->setMimeData(mime);
}

class TextInput : public ::testing::Test {
protected:
    void openFile(const std::string& path) {
        w->textInput()->setFileChooser([path] { return QString::fromStdString(path); });
        clickMenuEntry(*w, "Fichier", "Ouvrir fichier texte");
    }
    QTextEdit* buffer(const char* name) { return w->findChild<QTextEdit*>(name); }
    QString text(const char* name = "memo1") { return buffer(name)->toPlainText(); }
    RichText rich(const char* name = "memo1") { return richTextFromDocument(*buffer(name)->document()); }
    void tick(std::initializer_list<const char*> names) {
        w->setPageByCommand(TSarvelo::kPageFormatage);
        for (const char* name : names) testing::clickButton(w->findChild<QCheckBox*>(name));
    }
    void visualise() { QTest::mouseClick(w->findChild<QPushButton*>("Applique_format"), Qt::LeftButton); }

    std::unique_ptr<TSarvelo> w = openWindow();
};

// A wrong file must not cost the key being worked on.
TEST_F(TextInput, AFileThatCannotBeOpenedLeavesTheWorkingTextAsItWas) {
    RichText key;
    key.paragraphs.emplace_back().append("1. Chapeau rouge", {true, false, false, 255});
    setDocumentRichText(*w->memo1()->document(), key);
    const std::string bad[] = {::testing::TempDir(), ::testing::TempDir() + "sarvelo_absent.txt",
                               tempFile("binary.doc", std::string("\xD0\xCF\x11\xE0\0\0\0\0", 8)),
                               tempFile("long.txt", std::string(kMaxLineChars + 1, 'x'))};
    for (const std::string& path : bad) {
        MessageCatcher messages;
        openFile(path);
        ASSERT_EQ(messages.texts, QStringList{"Erreur sur le fichier, impossible à ouvrir"}) << path;
        EXPECT_EQ(rich(), key) << path;
    }
    MessageCatcher messages;
    openFile("");  // cancelled
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(rich(), key);
}

// A UTF-8 file with a damaged byte keeps its accents; the byte is shown and counted.
TEST_F(TextInput, AUtf8FileWithABadByteIsReadAsUtf8AndSaysSo) {
    const std::string path = tempFile("abime.txt", "1. Lames serr\xC3\xA9" "es \xFF => Russula\n");
    MessageCatcher messages;
    openFile(path);
    EXPECT_EQ(text(), QStringLiteral("1. Lames serrées \uFFFD => Russula"));
    EXPECT_EQ(messages.texts, QStringList{"1 octet qui n'est pas de l'UTF-8 a été lu comme \"\uFFFD\""});
}

TEST_F(TextInput, RichPastesKeepBoldItalicUnderlineAndColour) {
    MessageCatcher replace(QStringLiteral("&Non"));  // the text replaced is not kept
    tick({"Couleur", "Le_gras", "Le_Souligne", "L_Italique", "Plus_gras", "plus_souligne", "plus_italique"});
    const std::pair<const char*, QByteArray> pastes[] = {{"text/html", kHtml}, {"text/rtf", kRtf}};
    for (const auto& [type, data] : pastes) {
        w->setWorkingText("ancienne clé");
        putOnClipboard(type, data);
        press(*w, Qt::Key_W, Qt::ControlModifier);  // Coller (efface tout et colle)
        EXPECT_EQ(text(), "1 Spores sous rouge\n2 fin\n3 suite") << type;
        EXPECT_EQ(w->memo1()->document()->blockCount(), 3) << type;  // a line break makes a line
        EXPECT_EQ(rich("memoOuvre"), rich()) << type;
        EXPECT_FALSE(w->memo1()->textCursor().hasSelection()) << type;
        visualise();
        EXPECT_EQ(text().section('\n', 0, 0), kCoded) << type;
        w->memo1()->undo();
        // At the caret, with its formatting.
        w->memo1()->moveCursor(QTextCursor::End);
        clickMenuEntry(*w, "Edition", "Coller");
        EXPECT_EQ(text(), "1 Spores sous rouge\n2 fin\n3 suite1 Spores sous rouge\n2 fin\n3 suite") << type;
        EXPECT_EQ(rich().paragraphs[2].runs.at(1), (TextRun{"1", {true, false, false, kAutomaticColour}})) << type;
    }
}

TEST_F(TextInput, CollerEnTexteGivesPlainLinesInTheBaseFont) {
    MessageCatcher replace(QStringLiteral("&Non"));  // the text replaced is not kept
    putOnClipboard("text/html", QByteArray(kHtml) + "<p>3 ligne<br>coupée</p>");
    press(*w, Qt::Key_W, Qt::ControlModifier);
    tick({"Le_gras"});
    visualise();
    w->memo1()->selectAll();
    press(*w, Qt::Key_C, Qt::ControlModifier);
    press(*w, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);  // Coller en texte
    const QString plain = "#G#1 Spores sous rouge\n2 fin\n3 suite\n3 ligne\ncoupée";
    EXPECT_EQ(text(), plain);
    EXPECT_EQ(text("memoOuvre"), plain);
    for (const char* name : {"memo1", "memoOuvre"})
        for (const Paragraph& p : rich(name).paragraphs)
            for (const TextRun& run : p.runs) EXPECT_EQ(run.format, CharFormat{}) << name << " " << run.text;
    const QTextCharFormat shown = w->memo1()->document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(QFontInfo(shown.font()).pixelSize(), 13);
    EXPECT_EQ(shown.font().family(), "Arial");
}

TEST_F(TextInput, EffaceToutKeepsTheReferenceCopyForRappel) {
    MessageCatcher replace(QStringLiteral("&Non"));  // the text replaced is not kept
    putOnClipboard("text/rtf", kRtf);
    press(*w, Qt::Key_W, Qt::ControlModifier);
    const RichText key = rich();
    clickMenuEntry(*w, "Edition", "Efface tout");
    EXPECT_TRUE(w->memo1()->document()->isEmpty());
    clickMenuEntry(*w, "Edition", "Rappel de la clé actuelle");
    EXPECT_EQ(rich(), key);
}

TEST_F(TextInput, FontSizeStepsByTwoPointsBetweenSixAndTwentyAndDropsTheFormatting) {
    putOnClipboard("text/rtf", kRtf);
    press(*w, Qt::Key_W, Qt::ControlModifier);
    std::vector<int> sizes;
    for (int i = 0; i < 6; ++i) {
        clickMenuEntry(*w, "Affichage", "Augmente la police (perte du format)");
        sizes.push_back(w->textInput()->fontPoints());
    }
    EXPECT_EQ(sizes, (std::vector<int>{12, 14, 16, 18, 20, 20}));
    EXPECT_EQ(QFontInfo(w->memo1()->document()->defaultFont()).pixelSize(), 27);
    EXPECT_EQ(rich(), RichText::fromLines({"1 Spores sous rouge", "2 fin", "3 suite"}));
    sizes.clear();
    for (int i = 0; i < 9; ++i) {
        clickMenuEntry(*w, "Affichage", "Diminus la police (perte du format)");
        sizes.push_back(w->textInput()->fontPoints());
    }
    EXPECT_EQ(sizes, (std::vector<int>{18, 16, 14, 12, 10, 8, 6, 6, 6}));
    EXPECT_EQ(QFontInfo(w->memo1()->document()->defaultFont()).pixelSize(), 8);
}

TEST_F(TextInput, AnalyseShowsTheSelectionCharacterByCharacter) {
    AnalysisTable* table = w->textInput()->analysisTable();
    EXPECT_EQ(table->model()->columnCount(), 3);
    w->setWorkingText("a\tb c\nd");
    QTextCursor c = w->memo1()->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    w->memo1()->setTextCursor(c);
    w->setPageByCommand(TSarvelo::kPageAnalyse);
    QTest::mouseClick(w->findChild<QPushButton*>("Analyse"), Qt::LeftButton);
    ASSERT_EQ(table->model()->columnCount(), 3);
    const QString rows[4][3] = {{"a", "\t", "b"}, {"", "Tabulation", ""}, {"Normal", "Normal", "Normal"},
                                {"-16777208", "-16777208", "-16777208"}};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(table->cell(r, k), rows[r][k]) << r << "," << k;
    EXPECT_EQ(w->memo1()->textCursor().selectionStart(), 2);
    EXPECT_EQ(w->memo1()->textCursor().selectionEnd(), 3);
    EXPECT_TRUE(w->memo1()->hasFocus());

    c.setPosition(5);
    c.setPosition(7, QTextCursor::KeepAnchor);  // across the line break
    w->memo1()->setTextCursor(c);
    w->textInput()->AnalyseClick();
    EXPECT_EQ(table->cell(1, 0), "Entrer");
    // Nothing selected: one column, as it was.
    c.clearSelection();
    w->memo1()->setTextCursor(c);
    w->textInput()->AnalyseClick();
    EXPECT_EQ(table->model()->columnCount(), 1);
    EXPECT_EQ(table->cell(1, 0), "Entrer");
}

// The key a word processor made, its determinations in italics: opened
// (the reference copy and the document name stay), given codes, processed
// with "#I#" as the determination separator.
TEST_F(TextInput, ItalicDeterminationsBecomeProcessableThroughVisualiseLesFormats) {
    openFile(std::string(SARVELO_TEST_DATA_DIR) + "/rtf/libreoffice-italic-key.rtf");
    EXPECT_EQ(rich().paragraphs.at(2).runs.back(),
              (TextRun{"Amanita muscaria", {false, true, false, kAutomaticColour}}));
    EXPECT_EQ(text("memoOuvre"), "MemoOuvre");
    EXPECT_EQ(w->windowTitle(), "Sarvelo");
    EXPECT_FALSE(w->memo1()->textCursor().hasSelection());
    tick({"L_Italique"});
    visualise();
    EXPECT_EQ(w->memo1()->document()->findBlockByNumber(2).text(),
              "2. Pied portant un anneau et une volve #I#Amanita muscaria");
    // The analysis shows the last line as the pass read it.
    EXPECT_EQ(w->textInput()->analysisTable()->model()->columnCount(),
              QStringLiteral("4. Spores brun pourpre, dans les prés Agaricus campestris").size());
    testing::useSmallKeyLayout(*w);
    w->params().Liste_separ_3 = {"#I#"};
    w->paramsChanged();
    press(*w, Qt::Key_F9);
    ASSERT_EQ(w->lastRun().outcome, RunOutcome::Success);
    const char* expected[][3] = {
        {"1", "->", "2"}, {"1", "->", "3"}, {"2", "=>", "Amanita muscaria"}, {"2", "=>", "Russula emetica"},
        {"3", "=>", "Cantharellus cibarius"}, {"3", "->", "4"}, {"4", "=>", "Pluteus cervinus"},
        {"4", "=>", "Agaricus campestris"}};
    ASSERT_EQ(w->table().dataRows(), 8);
    for (int r = 1; r <= 8; ++r)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(w->table().cell(r, k == 0 ? 0 : k + 2), expected[r - 1][k]) << r;
    // One step undoes the whole pass.
    w->memo1()->undo();
    EXPECT_EQ(w->memo1()->document()->findBlockByNumber(2).text(),
              "2. Pied portant un anneau et une volve Amanita muscaria");
}

}  // namespace
}  // namespace sarvelo
