// TIndice_ligne, "Indice de ligne": shows a class pattern and lets the user
// highlight the characters that carry the couplet's index. "Ok" leaves the
// three parts of the index pattern in avant, pendant and apres.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

class TIndice_ligne : public QDialog {
    Q_OBJECT

public:
    explicit TIndice_ligne(QWidget* parent = nullptr);

    // Puts the class pattern in codenb as its only line, shows the dialog
    // modally and returns the index pattern when it closes with "Ok".
    std::optional<std::string> ask(const std::string& classPattern);

    QLineEdit* codenb() const { return codenb_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return annuler_; }
    const std::string& avant() const { return avant_; }
    const std::string& pendant() const { return pendant_; }
    const std::string& apres() const { return apres_; }

private:
    void OkClick();

    QLineEdit* codenb_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* annuler_ = nullptr;
    std::string pattern_;  // what codenb shows, without its visible codes
    std::string avant_, pendant_, apres_;
};
