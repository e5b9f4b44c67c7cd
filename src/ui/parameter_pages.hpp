// The six parameter pages "(0) Formatage" to "(5) Autres lignes", laid out in
// the pages of a tab set whose parameter controls already exist (made by
// makeParamControl). The main window's pages carry the command buttons; the
// preview's read-only copies have them hidden.
#pragma once

#include <QWidget>

class QTabWidget;

namespace sarvelo {

class ParameterPages {
public:
    ParameterPages(QTabWidget* pages, bool withCommands) : pages_(pages), commands_(withCommands) {}
    void build();

    // The panels beside Format: "1-2-2-1", "Format", "Complexe : liste".
    QWidget* panel1221() const { return panel1221_; }
    QWidget* panelFormat() const { return panelFormat_; }
    QWidget* panelComplexe() const { return panelComplexe_; }
    // Shows the panel that matches a Format value (none for 0).
    void showFormatPanel(int format) const;

private:
    QWidget* paramControl(const char* name) const;
    QWidget* commandOnly(QWidget* w) const;
    QWidget* selectionButton(const char* param, QWidget* parent) const;
    QWidget* button(const QString& caption, const char* name, QWidget* parent) const;
    void buildFormatagePage();
    void buildNumerotationPage();
    void buildRenvoisPage();
    void buildSectionPage();
    void buildDefinitionPage();
    void buildAutresLignesPage();

    QTabWidget* pages_;
    bool commands_;
    QWidget* panel1221_ = nullptr;
    QWidget* panelFormat_ = nullptr;
    QWidget* panelComplexe_ = nullptr;
};

}  // namespace sarvelo
