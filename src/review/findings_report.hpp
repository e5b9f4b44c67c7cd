// The findings of the key checks written out: one line per finding for
// people, tab-separated values for scripts.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.hpp"

namespace sarvelo {

// "erreur : ligne 5 (rang 4, couplet 3) : Couplet inexistant : Renvoi au couplet 7, qui n'existe pas"
std::string findingLine(const Finding& f);
// "2 erreurs, 1 avertissement", "aucune erreur, aucun avertissement"
std::string findingsSummary(const std::vector<Finding>& findings);
// A title line with the summary, then one line per finding.
std::vector<std::string> findingsReport(const std::vector<Finding>& findings);
// A header line, then niveau, genre, couplet, rang, ligne, texte per finding.
std::vector<std::string> findingsTsv(const std::vector<Finding>& findings);

}  // namespace sarvelo
