// The printed key as PDF, read back by poppler's pdftotext and pdffonts:
// skipped when they are not installed.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "../support/command_output.hpp"
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
