// The line-index dialog's result and the complex numbering list it feeds.
// Liste_mixte holds class patterns, Liste_mixte2 at the same positions the
// index patterns that say which part of a matching label is the couplet
// number; every edit below keeps the two lists the same length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/parameters.hpp"

namespace sarvelo {

inline constexpr const char* kMsgComplexListFull =
    "La liste complexe contient déjà 256 formats : supprimer un format avant d'en ajouter un autre.";

// The three parts of an index pattern: the highlighted characters
// (`length` characters from character `start`) kept, every character before
// and after masked with U+00FF.
struct IndexPatternParts {
    std::string avant, pendant, apres;
    std::string joined() const { return avant + pendant + apres; }
};
IndexPatternParts indexPatternParts(std::string_view pattern, std::size_t start, std::size_t length);

enum class ComplexAdd { Added, Empty, AlreadyListed, Full };

// Whether a class pattern may be added (checked before the dialog is shown).
ComplexAdd canAddComplexEntry(const KeyParams& p, std::string_view classPattern);
// Appends the pair when canAddComplexEntry allows it; returns its verdict.
ComplexAdd addComplexEntry(KeyParams& p, const std::string& classPattern, const std::string& indexPattern);
// Replaces the pair at `row`; false when there is no such row.
bool correctComplexEntry(KeyParams& p, int row, const std::string& classPattern, const std::string& indexPattern);
// Removes the pair at `row`; false when there is no such row.
bool removeComplexEntry(KeyParams& p, int row);
void clearComplexList(KeyParams& p);

// The determination separators, edited through Separ3: the entry at `row`
// replaced by Separ3, or removed; false when there is no such row.
bool correctDefinitionSeparator(KeyParams& p, int row);
bool removeDefinitionSeparator(KeyParams& p, int row);

}  // namespace sarvelo
