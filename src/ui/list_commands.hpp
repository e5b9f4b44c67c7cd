// The complex numbering list as the user edits it, the same in the main
// window and in the guided numbering dialog: the line-index dialog asks which
// part of the pattern is the couplet number.
#pragma once

#include <string>

#include "engine/parameters.hpp"

class QWidget;
class TIndice_ligne;

namespace sarvelo {

// "Texte sélectionné": the selection's class pattern, once the dialog has
// given its index pattern, appended to both lists (a new, non-empty pattern
// only) and put in mixte_edit. A full list is said first. True when added.
bool askComplexEntry(KeyParams& p, const std::string& selection, TIndice_ligne& dialog, QWidget* parent);

// "Corrige": the entry at `row` replaced by the pattern of mixte_edit and the
// index pattern the dialog gives. True when corrected.
bool askComplexCorrection(KeyParams& p, int row, TIndice_ligne& dialog);

}  // namespace sarvelo
