// The six dialogs of the guided mode. Each holds its own parameter values,
// bound to controls of the same names as the main window's; "Ok" writes the
// values its step lists (guided_steps.hpp) into the main window, "Passer"
// writes nothing. GuidedMode chains them.
#pragma once

#include <QDialog>
#include <QObject>
#include <array>

#include "engine/parameters.hpp"

class QLabel;
class QPushButton;

namespace sarvelo {

inline constexpr const char* kMsgSeparatorIsReference =
    "Ce séparateur sert déjà aux renvois : les entrées deviendraient toutes des définitions";

class ParamBinding;
class TSarvelo;

class TGuidedDialog : public QDialog {
    Q_OBJECT

public:
    // How a dialog closed: by its close box, "Ok" (or "Execute et Suivant"), "Passer".
    enum Result { kClosed = QDialog::Rejected, kOk = QDialog::Accepted, kPasser };

    TGuidedDialog(int step, TSarvelo& main);
    ~TGuidedDialog() override;

    int step() const { return step_; }
    KeyParams& values() { return values_; }
    ParamBinding& binding() { return *binding_; }
    QWidget* control(std::string_view name) const;
    QPushButton* okButton() const { return ok_; }
    QPushButton* passerButton() const { return passer_; }
    QLabel* stepLabel() const { return stepLabel_; }
    // The dialog's "Texte sélectionné" button beside a parameter.
    QPushButton* selectionButton(std::string_view param) const;

private:
    void buildFormatage(QWidget* body);
    void buildNumerotation(QWidget* body);
    void buildRenvois(QWidget* body);
    void buildSections(QWidget* body);
    void buildDefinition(QWidget* body);
    void buildAutresLignes(QWidget* body);
    QWidget* make(const char* name, QWidget* parent);
    QPushButton* makeSelectionButton(const char* param, QWidget* parent);
    void connectCommands();
    void takeSelection(const QString& param);
    void addComplexFromSelection();
    void showFormatPanel();
    void okClick();
    void showSeparatorWarning();

    int step_;
    TSarvelo& main_;
    KeyParams values_;
    ParamBinding* binding_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* passer_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QWidget* panel1221_ = nullptr;
    QWidget* panelFormat_ = nullptr;
    QWidget* panelComplexe_ = nullptr;
    QLabel* separatorWarning_ = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// "Mode Dirigé": the formatting dialog modally, then the five others one
// after the other without blocking the main window, then the processing run.
class GuidedMode : public QObject {
    Q_OBJECT

public:
    explicit GuidedMode(TSarvelo& main);

    void start();
    TGuidedDialog* dialog(int step) const { return dialogs_[static_cast<std::size_t>(step)]; }

private:
    void closed(int step, int result);

    TSarvelo& main_;
    std::array<TGuidedDialog*, 6> dialogs_{};
};

}  // namespace sarvelo
