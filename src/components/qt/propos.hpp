// Tpropos: the about box ("A propos"), the program's picture with its name,
// version and credit lines. The version and credit texts are read from their
// owner each time the box becomes active.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace sarvelo {

class Tpropos : public QDialog {
    Q_OBJECT

public:
    Tpropos(std::function<QString()> version, std::function<QString()> credit, QWidget* parent = nullptr);

    QLabel* LaVersion() const { return laVersion_; }
    QLabel* Copyright() const { return copyright_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fill();

    std::function<QString()> version_, credit_;
    QLabel* laVersion_;
    QLabel* copyright_;
};

}  // namespace sarvelo
