// "Format 1" to "Format 5": a sample key in one printed layout, shown so that
// the user can try the processing on it. "Utilise ce format" hands the sample
// over (utilise) and closes the window; "Format 5" holds its parameters in the
// hidden list criteres and lets the user edit its sample first.
#pragma once

#include <QDialog>

#include "engine/parameters.hpp"

class QListWidget;
class QPushButton;
class QTextEdit;
class QPlainTextEdit;

namespace sarvelo {

class TFormatPreset : public QDialog {
    Q_OBJECT

public:
    // number: 1 to 5.
    TFormatPreset(int number, QWidget* parent = nullptr);

    int number() const { return number_; }
    // The sample as it stands in the window (edited, for "Format 5").
    QString sampleText() const;
    // The entries of criteres (empty but for "Format 5").
    TextList criteres() const;
    QPushButton* utiliseButton() const { return utilise_; }

signals:
    // "Utilise ce format", before the window closes.
    void utilise();

private:
    int number_;
    QPlainTextEdit* plain_ = nullptr;  // Memo1 of "Format 1" to "Format 4"
    QTextEdit* rich_ = nullptr;        // memo1 of "Format 5"
    QListWidget* criteres_ = nullptr;
    QPushButton* utilise_ = nullptr;
};

// The sample key of a preset, from the program's resources.
QString presetSample(int number);

}  // namespace sarvelo
