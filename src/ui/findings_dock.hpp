// "Vérifications": the findings of the key checks after a run, in a dock of
// the main window. Choosing a finding (click, arrow keys, F3) asks the main
// window to show its table row and its line of the working text.
#pragma once

#include <QDockWidget>
#include <vector>

#include "engine/engine.hpp"

class QLabel;
class QTableView;

namespace sarvelo {

class FindingsModel;

class FindingsDock : public QDockWidget {
    Q_OBJECT

public:
    explicit FindingsDock(QWidget* parent = nullptr);

    // After every run: the findings of a renumbered run; a partial run has none
    // and says why.
    void showRun(RunOutcome outcome, const std::vector<Finding>& findings);
    // No key: an empty list under the plain caption.
    void clear();
    // The grey band of a result made from an earlier text.
    void setStale(bool stale);
    const std::vector<Finding>& findings() const;
    QTableView* list() const { return list_; }

    // The next finding after the chosen one (the first when none is), or the one before.
    void chooseNext();
    void choosePrevious();

signals:
    // `row` is the table row (0 for the whole key), `line` the user's line
    // from 0 (-1 when unknown).
    void findingChosen(int row, int line);

private:
    void choose(int index);
    void step(int by);

    FindingsModel* model_;
    QTableView* list_;
    QLabel* stale_;
};

}  // namespace sarvelo
