// What "Exporter..." asks beside the file: the title of an interactive or
// printed key, the source, author and language of the interactive key, the
// back-references of a printed key.
#pragma once

#include <QDialog>

#include "interchange/formats.hpp"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace sarvelo::qt {

class ExportOptionsDialog : public QDialog {
public:
    ExportOptionsDialog(interchange::ExportFormat format, const QString& title, QWidget* parent = nullptr);
    // The options as the fields give them.
    interchange::ExportOptions options() const;

private:
    QLineEdit* title_;
    QLineEdit* source_ = nullptr;
    QLineEdit* author_ = nullptr;
    QComboBox* language_ = nullptr;
    QCheckBox* backReferences_ = nullptr;
};

// Formats with something to ask: the interactive key and the printed ones.
bool hasExportOptions(interchange::ExportFormat format);

}  // namespace sarvelo::qt
