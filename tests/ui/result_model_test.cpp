#include "ui/result_model.hpp"

#include <gtest/gtest.h>

#include <QBrush>

namespace sarvelo {
namespace {

ResultTable tableOf(std::initializer_list<std::array<const char*, 4>> rows) {
    ResultTable t;
    t.setRowCount(static_cast<int>(rows.size()) + 1);
    int r = 1;
    for (const auto& row : rows) {
        t.cell(r, kNb) = row[0];
        t.cell(r, kTexte) = row[1];
        t.cell(r, kKind) = row[2];
        t.cell(r, kTarget) = row[3];
        ++r;
    }
    return t;
}

QColor background(const ResultTableModel& m, int row, int column) {
    return m.data(m.index(row - 1, column), Qt::BackgroundRole).value<QBrush>().color();
}
QColor foreground(const ResultTableModel& m, int row, int column) {
    return m.data(m.index(row - 1, column), Qt::ForegroundRole).value<QBrush>().color();
}
QString shown(const ResultTableModel& m, int row, int column) {
    return m.data(m.index(row - 1, column), Qt::DisplayRole).toString();
}

const QColor kRed(255, 0, 0), kWhite(255, 255, 255), kBlue(0, 0, 255), kGreen(0, 128, 0);

TEST(ResultTableModel, ShowsMarkersWithTheirLabelsAndTheHeaderFromTheTable) {
    const ResultTable t = tableOf({{"1", "Chapeau", "->", "2"},
                                   {"1", "Pied", "=>", "Amanita"},
                                   {"S", "", "S", "Section A"},
                                   {"2", "Anneau", "VS", "Section A"}});
    ResultTableModel m(t);
    ASSERT_EQ(m.rowCount(), 4);
    EXPECT_EQ(m.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "Def ou renvois");
    EXPECT_EQ(shown(m, 1, 3), "Vers ligne");
    EXPECT_EQ(shown(m, 2, 3), QStringLiteral("Définition ="));
    EXPECT_EQ(shown(m, 3, 0), QStringLiteral("Début section"));
    EXPECT_EQ(shown(m, 4, 3), "Vers section");
    // Only a whole cell equal to a marker is relabelled; the stored text stays.
    EXPECT_EQ(shown(m, 3, 4), "Section A");
    EXPECT_EQ(m.data(m.index(1, 3), Qt::EditRole).toString(), "=>");
}

TEST(ResultTableModel, PaintsErrorsRedAndDeterminationsGreen) {
    const ResultTable t = tableOf({{"12", "Chapeau", "->", "12"},
                                   {"3", "Pied", "=>", "Amanita"},
                                   {"S", "", "S", "Section"},
                                   {"", "", "", ""},
                                   {"4", "", "->", ""}});
    ResultTableModel m(t);
    EXPECT_EQ(background(m, 1, kNb), kRed);
    EXPECT_EQ(background(m, 1, kTarget), kRed);
    EXPECT_EQ(background(m, 1, kTexte), kWhite);
    EXPECT_EQ(foreground(m, 1, kTexte), kBlue);
    for (int c : {0, 2, 3, 4}) EXPECT_EQ(foreground(m, 2, c), kGreen) << c;
    EXPECT_EQ(background(m, 3, kTexte), kWhite);  // a section start needs no description
    for (int c : {0, 2, 3, 4}) EXPECT_EQ(background(m, 4, c), kWhite) << c;  // empty row
    EXPECT_EQ(background(m, 5, kTexte), kRed);
    EXPECT_EQ(background(m, 5, kTarget), kRed);
}

TEST(ResultTableModel, FollowsTheTableOnlyWhenRefreshedAndNeverReadsPastIt) {
    ResultTable t = tableOf({{"1", "a", "->", "2"}, {"1", "b", "=>", "c"}});
    ResultTableModel m(t);
    t.setRowCount(1);  // as a run does before the model is refreshed
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(shown(m, 2, kTexte), QString());
    m.refresh();
    EXPECT_EQ(m.rowCount(), 0);
}

}  // namespace
}  // namespace sarvelo
