// L_analyse, the table of the tab "Analyse données": four rows (the
// character, the name of an invisible one, the style, the colour number) and
// one 60-pixel column per analysed character, drawn by the table itself
// (LoupeDrawCell): a framed cell with its text centred.
#pragma once

#include <QTableView>
#include <vector>

#include "documents/char_analysis.hpp"

namespace sarvelo {

class AnalysisModel;

class AnalysisTable : public QTableView {
    Q_OBJECT

public:
    static constexpr int kRowHeights[4] = {35, 22, 20, 21};
    static constexpr int kColumnWidth = 60;
    // The analysis is for looking at a few characters: a whole key selected
    // by mistake is analysed up to here, and does not freeze the window.
    static constexpr int kMaxColumns = 10'000;

    explicit AnalysisTable(QWidget* parent);

    // One column per character; none keeps the first column as it was.
    void showAnalysis(std::vector<AnalysisColumn> columns);
    QString cell(int row, int column) const;

private:
    AnalysisModel* model_;
};

}  // namespace sarvelo
