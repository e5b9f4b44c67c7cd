// "Convertir la clé indentée" (menu "Traitement"): the working text, an
// indented or hierarchical key, becomes a numbered couplet key and the
// parameters become those that process it, so that F9 follows at once.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QPushButton;
class QSpinBox;

namespace sarvelo {

class TSarvelo;

inline constexpr const char* kConvertIndentedCaption = "Convertir la clé indentée";
inline constexpr const char* kMsgUndoConversion = "Annuler (Ctrl+Z) dans le texte rend la clé d'origine.";
inline constexpr const char* kTabWidthTitle = "Largeur des tabulations";
inline constexpr const char* kTabWidthText = "Des lignes de la clé sont en retrait par des tabulations.";
inline constexpr const char* kTabWidthCaption = "Une tabulation compte pour";
inline constexpr const char* kTabWidthUnit = " colonnes";

// "Largeur des tabulations": asked before a conversion when tabs indent the
// key, since they decide which leads stand at the same level. The dialog
// belongs to the window and keeps the last width for the next conversion.
class TTabulation : public QDialog {
    Q_OBJECT

public:
    explicit TTabulation(QWidget* parent = nullptr);

    // Shows the dialog modally; the width when it closes with "Ok".
    std::optional<int> ask();

    QSpinBox* largeur() const { return largeur_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return annuler_; }

private:
    QSpinBox* largeur_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* annuler_ = nullptr;
};

// The working text replaced by a converted key as one editing step: a
// single undo in the text gives the user's text back.
void replaceWorkingText(TSarvelo& window, const std::vector<std::string>& lines);

// The text is replaced as one editing step, so that an undo brings the
// original back; a text that is not indented is left as it is, with a message.
void convertIndentedWorkingText(TSarvelo& window);

}  // namespace sarvelo
