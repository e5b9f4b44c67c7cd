// The printed key as PDF, read back by poppler's pdftotext and pdffonts:
// skipped when they are not installed; and what every printed format shares.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "../support/command_output.hpp"
#include "../support/tables.hpp"
#include "documents/rich_text.hpp"
#include "interchange/qt/printed_pdf.hpp"

using namespace sarvelo::interchange;
using sarvelo::testing::commandOutput;

namespace {

bool installed(const char* tool) { return std::ifstream(std::string("/usr/bin/") + tool).good(); }

}  // namespace

TEST(PrintedPdf, EachLeadEndsOnItsLastLineWithItsDestinationAndTaxaAreItalic) {
    if (!installed("pdftotext") || !installed("pdffonts")) GTEST_SKIP() << "poppler-utils n'est pas installé";
    const std::string longLead = "Chapeau blanc, couvert de verrues fugaces, lames libres et serrées, anneau ample "
                                 "et membraneux, volve en sac, odeur faible, chair blanche ne changeant pas à la coupe";
    Key key;
    key.couplets.push_back(Couplet{"1", {Lead{"Chapeau rouge", 1, "", 0}, Lead{longLead, -1, "Amanita virosa", 0}}});
    key.couplets.push_back(Couplet{"2", {Lead{"Pied court", -1, "Russula emetica", 0},
                                         Lead{"Pied long", -1, "Amanita muscaria", 0}}});
    QTemporaryDir dir;
    const std::string file = dir.filePath("cle.pdf").toStdString();
    std::ofstream(file, std::ios::binary) << printedPdf(bracketedLayout(key, {true}), "Agarics");

    const QStringList lines = QString::fromStdString(commandOutput("pdftotext -layout '" + file + "' -"))
                                  .split('\n', Qt::SkipEmptyParts);
    auto lineOf = [&](const QString& words) {
        for (const QString& line : lines)
            if (line.simplified().contains(words)) return line.simplified();
        return QString();
    };
    EXPECT_EQ(lineOf("Agarics"), "Agarics");
    EXPECT_EQ(lineOf("Chapeau rouge"), "1. Chapeau rouge 2");
    EXPECT_EQ(lineOf("Pied court"), "2(1). Pied court Russula emetica");
    // The long lead wraps under itself; its taxon stands on its last line.
    EXPECT_TRUE(lineOf("Chapeau blanc").startsWith("– Chapeau blanc, couvert"));
    EXPECT_FALSE(lineOf("Chapeau blanc").contains("Amanita virosa"));
    EXPECT_TRUE(lineOf("à la coupe").endsWith("à la coupe Amanita virosa"));
    EXPECT_TRUE(QString::fromStdString(commandOutput("pdffonts '" + file + "'")).contains("Italic"));
}

namespace {

// The lines of a printed key as a reader sees them, whatever its format.
QStringList printedLines(ExportFormat format, const std::string& bytes) {
    if (isPdf(format)) {
        QTemporaryDir dir;
        const std::string file = dir.filePath("cle.pdf").toStdString();
        std::ofstream(file, std::ios::binary) << bytes;
        return QString::fromStdString(commandOutput("pdftotext -layout '" + file + "' -")).split('\n', Qt::SkipEmptyParts);
    }
    QStringList lines;
    if (bytes.starts_with("{\\rtf")) {
        for (const sarvelo::Paragraph& p : sarvelo::readRtf(bytes).text.paragraphs) lines << QString::fromStdString(p.text());
    } else {
        lines = QString::fromStdString(bytes).split('\n', Qt::SkipEmptyParts);
    }
    return lines;
}

qsizetype lineWith(const QStringList& lines, const QString& words) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].simplified().contains(words)) return i;
    return -1;
}

}  // namespace

TEST(PrintedKey, EachLinkedKeyStartsUnderItsHeadingInEveryPrintedFormat) {
    const auto table = sarvelo::testing::tableOf({
        {"1", "Feuilles simples", "=>", "Clé : Groupe A"},
        {"1", "Feuilles composées", "=>", "Cercis"},
        {"S", "", "S", "Clé : Groupe A"},
        {"2", "Fleurs rouges", "->", "3"},
        {"2", "Fleurs blanches", "=>", "Acer"},
        {"3", "Pétales libres", "=>", "Buxus"},
        {"3", "Pétales soudés", "=>", "Ilex"},
    });
    for (const ExportFormat format : {ExportFormat::Bracketed, ExportFormat::Indented, ExportFormat::BracketedRtf,
                                      ExportFormat::IndentedRtf, ExportFormat::BracketedPdf, ExportFormat::IndentedPdf}) {
        if (isPdf(format) && !installed("pdftotext")) continue;
        const Exported out = exportKeyWithPdf(table, format, {"Arbres"});
        ASSERT_FALSE(out.failure) << *out.failure;
        const QStringList lines = printedLines(format, out.bytes);
        // The determination that leads there names it too: the heading is a line alone.
        qsizetype heading = -1;
        for (qsizetype i = 0; i < lines.size() && heading < 0; ++i)
            if (lines[i].simplified() == "Clé : Groupe A") heading = i;
        ASSERT_GE(heading, 0) << static_cast<int>(format) << "\n" << lines.join('\n').toStdString();
        EXPECT_LT(lineWith(lines, "Feuilles composées"), heading) << static_cast<int>(format);
        EXPECT_EQ(lineWith(lines, "Fleurs rouges"), heading + 1) << static_cast<int>(format);
        EXPECT_EQ(lines.filter("Groupe A").size(), 2) << static_cast<int>(format);
    }
}

// Words are shaped once and leads composed of them: what Qt would find in
// another font, and a word longer than a line, are printed all the same.
TEST(PrintedPdf, EveryCharacterOfALeadIsPrinted) {
    if (!installed("pdftotext")) GTEST_SKIP() << "poppler-utils n'est pas installé";
    const struct {
        std::string lead;
        QString expected;  // the lead as read back, line breaks and spaces aside
    } cases[] = {
        {"Mâles ♂ plus grands que les femelles ♀, 12–15 µm", "Mâles♂plusgrandsquelesfemelles♀,12–15µm"},
        {std::string(400, 'x'), QString(400, 'x')},
        {"Soies 1234567890 fois plus longues", "Soies1234567890foispluslongues"},
    };
    for (const auto& c : cases) {
        Key key;
        key.couplets.push_back(Couplet{"1", {Lead{c.lead, -1, "Amanita", 0}, Lead{"Autre", -1, "Boletus", 0}}});
        QStringList lines = printedLines(ExportFormat::BracketedPdf, printedPdf(bracketedLayout(key), ""));
        QString read = lines.join("").remove(' ');
        EXPECT_TRUE(read.contains(c.expected)) << read.toStdString();
    }
}

TEST(PrintedPdf, DeterminationsAreBareNamesWhenAsked) {
    if (!installed("pdftotext")) GTEST_SKIP() << "poppler-utils n'est pas installé";
    const auto table = sarvelo::testing::tableOf({
        {"1", "Chapeau rouge", "=>", "Amanita muscaria (L.) Lam."},
        {"1", "Chapeau blanc", "=>", "Amanita virosa Bertill."},
    });
    ExportOptions options;
    options.bareNames = true;
    const Exported out = exportKeyWithPdf(table, ExportFormat::BracketedPdf, options);
    ASSERT_FALSE(out.failure) << *out.failure;
    const QString read = printedLines(ExportFormat::BracketedPdf, out.bytes).join('\n');
    EXPECT_TRUE(read.contains("Amanita muscaria") && read.contains("Amanita virosa")) << read.toStdString();
    EXPECT_FALSE(read.contains("Lam.") || read.contains("Bertill.")) << read.toStdString();
}

// A key over several pages: each page ends with its own number.
TEST(PrintedPdf, EachPageEndsWithItsNumber) {
    if (!installed("pdftotext")) GTEST_SKIP() << "poppler-utils n'est pas installé";
    Key key;
    for (int c = 1; c <= 120; ++c)
        key.couplets.push_back(Couplet{std::to_string(c),
                                       {Lead{"Chapeau rouge", c < 120 ? c : -1, "Amanita", 0},
                                        Lead{"Chapeau blanc", -1, "Boletus " + std::to_string(c), 0}}});
    QTemporaryDir dir;
    const std::string file = dir.filePath("cle.pdf").toStdString();
    std::ofstream(file, std::ios::binary) << printedPdf(bracketedLayout(key), "Agarics");
    const QStringList pages =
        QString::fromStdString(commandOutput("pdftotext '" + file + "' -")).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    for (qsizetype p = 0; p < pages.size(); ++p)
        EXPECT_EQ(pages[p].split('\n', Qt::SkipEmptyParts).last().trimmed(), QString::number(p + 1));
}
