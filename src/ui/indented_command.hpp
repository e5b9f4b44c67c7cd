// "Convertir la clé indentée" (menu "Traitement"): the working text, an
// indented or hierarchical key, becomes a numbered couplet key and the
// parameters become those that process it, so that F9 follows at once.
#pragma once

namespace sarvelo {

class TSarvelo;

inline constexpr const char* kConvertIndentedCaption = "Convertir la clé indentée";
inline constexpr const char* kMsgUndoConversion = "Annuler (Ctrl+Z) dans le texte rend la clé d'origine.";

// The text is replaced as one editing step, so that an undo brings the
// original back; a text that is not indented is left as it is, with a message.
void convertIndentedWorkingText(TSarvelo& window);

}  // namespace sarvelo
