// The "Structure" window: the key as a tree of couplets, rebuilt from the result table.
#pragma once

#include <QWidget>
#include <map>

#include "engine/engine.hpp"

#include "review/tree.hpp"

class QLabel;
class QSpinBox;
class QTreeWidget;

namespace sarvelo::qt {
class ActivationRebuild;
}

// Fills `view` with `tree` (replacing what it held) and expands every node.
void fillTree(QTreeWidget* view, const sarvelo::Tree& tree);

class TStructure : public QWidget {
    Q_OBJECT
public:
    // `table` is the main window's result table; it must outlive the window.
    explicit TStructure(const sarvelo::ResultTable* table, QWidget* parent = nullptr);

    // Builds the tree from the table, shows it and returns it (the main window copies it).
    sarvelo::Tree rebuild();

    QTreeWidget* tree() const { return arbre_; }

    // The key checks of the last run: couplets in loops are marked in the
    // tree, couplets out of reach are listed under it (they are not in it).
    void setFindings(const std::vector<sarvelo::Finding>& findings);

public slots:
    // Rebuilds the tree from the current table; runs on each activation of the window.
    void FormActivate();
    void policeChange(int size);

signals:
    // Emitted after every build, so that the main window's tree shows the same key.
    void treeRebuilt(const sarvelo::Tree& tree);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void markFindings();

    const sarvelo::ResultTable* table_;
    std::map<std::string, QString> faulty_;             // couplet, what is wrong (loop, missing couplet, one lead)
    std::vector<std::vector<std::string>> unreachable_;  // parts of the key out of reach
    QTreeWidget* arbre_;
    QSpinBox* police_;
    sarvelo::qt::ActivationRebuild* activation_;
    bool shownOnce_ = false;
};
