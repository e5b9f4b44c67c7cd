// "Rechercher" (Ctrl+F) and "Remplacer" (Ctrl+H) in the working text: one
// window without blocking the main one, searching with Qt's own
// QTextDocument::find. "Tout remplacer" is one step that Ctrl+Z takes back.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace sarvelo {

class TRecherche : public QDialog {
    Q_OBJECT

public:
    TRecherche(QTextEdit* editor, QWidget* parent);

    // Shows the window, with the replacement row when `replace`; the
    // selection of the text, on one line, is proposed as what to find.
    void showFor(bool replace);
    bool findNext();
    void replaceOne();
    int replaceAll();

    QLineEdit* findField() const { return find_; }
    QLineEdit* replaceField() const { return replace_; }
    QLabel* status() const { return status_; }

private:
    int flags() const;

    QTextEdit* editor_;
    QLineEdit* find_;
    QLineEdit* replace_;
    QLabel* replaceLabel_;
    QCheckBox* matchCase_;
    QPushButton* next_;
    QPushButton* replaceOne_;
    QPushButton* replaceAll_;
    QLabel* status_;
};

}  // namespace sarvelo
