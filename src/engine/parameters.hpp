// The key parameters: the one description of every parameter (name, kind,
// range, caption, page, start-up and reset value) and the record the engine
// reads. Everything generic (reset, configuration entries, binding to the
// window's named controls, difference marking) walks this description.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sarvelo {

enum class ParamKind { Text, Flag, Integer, Choice, List, Lines };

using TextList = std::vector<std::string>;

// Value types by kind.
using Text_t = std::string;
using Flag_t = bool;
using Integer_t = int;
using Choice_t = int;
using List_t = TextList;
using Lines_t = TextList;

// Reset rules besides an explicit value.
struct SameAsStartUp {};
struct LeftAlone {};

const TextList& defaultSequences();
extern const char* const kCredit;
extern const char* const kVersion;

// One line per parameter, in the order of the key document's entry table.
// kind, name, caption, minimum, maximum, page, hidden, options ("|"-separated,
// choices only), start-up value, reset value.
#define SARVELO_KEY_PARAMETERS(X)                                                                      \
    X(Text, copyright, "", 0, 0, 0, true, "", kCredit, LeftAlone{})                                    \
    X(Text, Version, "", 0, 0, 0, true, "", kVersion, LeftAlone{})                                     \
    X(Flag, Couleur, "Couleurs", 0, 1, 0, false, "", false, SameAsStartUp{})                           \
    X(Flag, Le_gras, "Gras", 0, 1, 0, false, "", false, SameAsStartUp{})                               \
    X(Flag, Le_Souligne, "Souligné", 0, 1, 0, false, "", false, SameAsStartUp{})                       \
    X(Flag, L_Italique, "Italique", 0, 1, 0, false, "", false, SameAsStartUp{})                        \
    X(Flag, Plus_gras, "plus en gras", 0, 1, 0, false, "", false, SameAsStartUp{})                     \
    X(Flag, plus_souligne, "plus souligné", 0, 1, 0, false, "", false, SameAsStartUp{})                \
    X(Flag, plus_italique, "plus en italique", 0, 1, 0, false, "", false, SameAsStartUp{})             \
    X(Flag, Decalage, "Décalage à gauche", 0, 1, 0, false, "", false, SameAsStartUp{})                 \
    X(Integer, debut, "° caractère", 0, 100, 0, false, "", 0, SameAsStartUp{})                         \
    X(Flag, Developpement, "Developpement", 0, 1, 0, true, "", true, LeftAlone{})                      \
    X(Choice, Format, "Type de numérotation", 0, 3, 1, false,                                          \
      "1, 2, 3, 4|a, b, c, d, e, f|Complexe (1, 2, a, b, *, ** ...)|1-1, 1-1-1, 1-2-1-2 (le dernier)", 0, \
      SameAsStartUp{})                                                                                 \
    X(List, Liste_mixte, "", 0, 0, 1, false, "", TextList{}, SameAsStartUp{})                          \
    X(List, Liste_mixte2, "", 0, 0, 1, true, "", TextList{}, SameAsStartUp{})                          \
    X(Text, mixte_edit, "", 0, 0, 1, false, "", "", SameAsStartUp{})                                   \
    X(Text, caractere, "Compter caractère", 0, 0, 1, false, "", "", SameAsStartUp{})                   \
    X(Lines, les_suites, "Utilisation de suites", 0, 0, 1, false, "", defaultSequences(), SameAsStartUp{}) \
    X(Flag, Utilise_suites, "Utilise les suites", 0, 1, 1, false, "", false, SameAsStartUp{})          \
    X(Choice, Alphabet, "Alphabet", 0, 2, 1, false, "MAJUSCULE|minuscule|MAJ. et min.", 2, SameAsStartUp{}) \
    X(Flag, Compter_lettres, "Compter les lettres", 0, 1, 1, false, "", false, SameAsStartUp{})        \
    X(Integer, nb_lettres, "maximum de lettres", 1, 10, 1, false, "", 1, SameAsStartUp{})              \
    X(Text, indice, "Indice séparateur", 0, 0, 1, false, "", "-", std::string{})                       \
    X(Choice, format_renvois, "Renvois", 0, 1, 2, false, "A la ligne suivante|Au numéro indiqué", 0,   \
      SameAsStartUp{})                                                                                 \
    X(Integer, Car_maxi, "caractères maxi", 1, 10, 2, false, "", 2, SameAsStartUp{})                   \
    X(Choice, suivant, "", 0, 1, 2, false, "suivant|précédent", 1, SameAsStartUp{})                    \
    X(Text, Separ1, "séparateur", 0, 0, 2, false, "", "", SameAsStartUp{})                             \
    X(Text, meme_numero, "Numérotation", 0, 0, 2, false, "", "", SameAsStartUp{})                      \
    X(Text, Separ2, "séparateur", 0, 0, 2, false, "", "", SameAsStartUp{})                             \
    X(Text, section, "Section", 0, 0, 3, false, "", "", SameAsStartUp{})                               \
    X(Text, section_depart, "Section ...", 0, 0, 3, false, "", "", SameAsStartUp{})                    \
    X(List, Liste_separ_3, "Définition", 0, 0, 4, false, "", TextList{}, SameAsStartUp{})              \
    X(Text, Separ3, "", 0, 0, 4, false, "", "", SameAsStartUp{})                                       \
    X(Choice, Sans_numero, "Ligne sans numero", 0, 5, 5, false,                                        \
      "Remonter la ligne|Numéro idem ligne précédente|Numéro idem ligne suivante|"                     \
      "C'est un commentaire|C'est la définition|Supprimer",                                            \
      -1, SameAsStartUp{})                                                                             \
    X(Text, rem, "Un commentaire commence par :", 0, 0, 5, false, "", "", SameAsStartUp{})             \
    X(Text, remonte_si, "Remonte la ligne si commence par :", 0, 0, 5, false, "", "", SameAsStartUp{})

// The parameter record: one field per parameter, with its start-up value.
struct KeyParams {
#define SARVELO_FIELD(kind, nm, caption, lo, hi, page, hidden, options, start, reset) \
    kind##_t nm = start;
    SARVELO_KEY_PARAMETERS(SARVELO_FIELD)
#undef SARVELO_FIELD
};

// Description of one parameter.
struct ParamInfo {
    std::string_view name;
    ParamKind kind;
    std::string_view caption;  // check box caption, group or label text
    int minimum;
    int maximum;
    int page;                  // parameter page "(page) ..." of the main window
    bool hidden;
    std::string_view options;  // choices: the items, separated by "|"
    bool leftAloneOnReset;

    std::vector<std::string> optionList() const;
};

// All parameters, in entry-table order.
std::span<const ParamInfo> paramInfos();
const ParamInfo* findParam(std::string_view name);

// A reference to one field of a record, typed by kind.
using ParamRef = std::variant<std::string*, bool*, int*, TextList*>;
using ConstParamRef = std::variant<const std::string*, const bool*, const int*, const TextList*>;
ParamRef fieldOf(KeyParams& p, const ParamInfo& info);
ConstParamRef fieldOf(const KeyParams& p, const ParamInfo& info);

// "Réinitialiser les paramètres" and "Nouveau": every parameter back to its
// reset value; credit, version and Developpement are left alone.
void resetParams(KeyParams& p);

// The blank state that applying a configuration starts from: texts, lists
// and lines empty, flags off, numbers 0 brought into range, choices none.
void blankParams(KeyParams& p);

// True when both records hold the same value for this parameter.
bool sameValue(const KeyParams& a, const KeyParams& b, const ParamInfo& info);

// Copies one parameter's value from one record to another.
void copyParam(KeyParams& to, const KeyParams& from, const ParamInfo& info);

}  // namespace sarvelo
