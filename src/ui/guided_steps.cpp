#include "ui/guided_steps.hpp"

namespace sarvelo {

std::span<const GuidedStep> guidedSteps() {
    static const GuidedStep steps[kStepCount] = {
        // The formatting check boxes are written as soon as they change.
        {"Bd_Formatage", "Visualise le formatage du texte", "  1/6  ", {}, true},
        {"Bd_numerotation",
         "Type de numérotation des ligne utilisé",
         "  2/6  ",
         {"caractere", "Format", "les_suites", "Liste_mixte", "Liste_mixte2", "Utilise_suites", "Compter_lettres",
          "nb_lettres", "Alphabet", "indice"},
         false},
        // The dialog also asks for the length and the kind of the references:
        // they are written after the four others, or the guided mode could
        // never process a key whose references stand at the end of its leads.
        {"BD_renvois",
         "Les renvois vers une autre ligne",
         "  3/6  ",
         {"meme_numero", "Separ1", "Separ2", "suivant", "Car_maxi", "format_renvois"},
         false},
        {"BD_sections", "Gestion des sous-sections", "  4/6  ", {"section", "section_depart"}, false},
        {"BD_Definition", "Les définitions", "  5/6  ", {"Liste_separ_3"}, false},
        {"BD_autres_lignes",
         "Les lignes sans numéro doivent êtres traitées ...",
         "  6/6  ",
         {"rem", "remonte_si", "Sans_numero"},
         false},
    };
    return steps;
}

KeyParams guidedInitialValues() {
    KeyParams p;
    p.indice.clear();
    return p;
}

std::vector<std::string_view> writeGuidedStep(int step, const KeyParams& dialog, KeyParams& main) {
    std::vector<std::string_view> out;
    if (step < 0 || step >= kStepCount) return out;
    for (std::string_view name : guidedSteps()[static_cast<std::size_t>(step)].written) {
        const ParamInfo* info = findParam(name);
        copyParam(main, dialog, *info);
        out.push_back(info->name);
    }
    return out;
}

}  // namespace sarvelo
