// "Importer une clé KeyBase..." of the menu "Fichier": a KeyBase file becomes
// the working text, with the key parameters that process it.
#pragma once

#include <QString>

namespace sarvelo {

class TSarvelo;

// Asks for the file, then imports it.
void importKeyBaseCommand(TSarvelo& window);

// Imports the file; a non-empty working text is replaced only when the user
// agrees. Rows that needed a decision are listed afterwards. True when the key
// was loaded.
bool importKeyBaseFile(TSarvelo& window, const QString& fileName);

}  // namespace sarvelo
