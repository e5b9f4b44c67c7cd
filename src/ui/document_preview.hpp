// TFormat_X: the window "Format X" through which a key document is opened.
// It shows the document's key text and its stored parameters on read-only
// copies of the parameter tabs, marks in red those that differ from the
// parameters in use, and lets the user take the parameters alone
// ("Utilise que le format") or the parameters and the text ("Ouvre").
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "documents/key_document.hpp"
#include "engine/parameters.hpp"

class QPushButton;
class QTabWidget;
class QTextEdit;

namespace sarvelo {

class ParamBinding;
class ParameterPages;

class TFormat_X : public QDialog {
    Q_OBJECT

public:
    enum class Choice { Cancelled, FormatOnly, Open };

    explicit TFormat_X(QWidget* parent = nullptr);
    ~TFormat_X() override;

    // Shows the document: its key text in memo1, its configuration applied
    // to the mirror controls, which are compared with `current` when given
    // (when no document is current they are all shown grey). Returns the
    // message of a configuration that could not be applied whole.
    std::optional<std::string> present(const KeyDocument& document, const KeyParams* current);
    Choice choice() const { return choice_; }

    const std::vector<std::string>& criteres() const { return criteres_; }
    const KeyParams& mirror() const { return mirror_; }
    QTextEdit* memo1() const { return memo1_; }
    QTabWidget* onglets() const { return onglets_; }
    QWidget* control(std::string_view name) const;
    // True when the control is painted as differing.
    bool markedDifferent(std::string_view name) const;

signals:
    // ongletsChange: the main window follows the preview's tab.
    void tabSelected(int index);

private:
    void FormatClick();
    void mark(QWidget* control, bool different);
    void finish(Choice choice);

    KeyParams mirror_;
    ParamBinding* binding_ = nullptr;
    std::vector<std::string> criteres_;
    QTextEdit* memo1_ = nullptr;
    QTabWidget* onglets_ = nullptr;
    std::unique_ptr<ParameterPages> pages_;
    Choice choice_ = Choice::Cancelled;
};

}  // namespace sarvelo
