// A file named on the command line (`sarvelo FICHIER`, or a document opened
// from the file manager), opened as the menus would open it.
#pragma once

#include <QString>

namespace sarvelo {

class TSarvelo;

// A ".Sarvelo" key document through "Ouvrir" (its preview), a KeyBase ".csv"
// or ".tsv" through "Importer une clé KeyBase...", anything else through
// "Ouvrir fichier texte". A file that cannot be read gives the menu's message.
void openFileAsMenusWould(TSarvelo& window, const QString& path);

}  // namespace sarvelo
