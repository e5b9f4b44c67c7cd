// The key as printed in books, in plain text: bracketed (the leads of each
// couplet together, couplet after couplet) and indented (each couplet under
// the lead that leads to it).
#pragma once

#include <string>

#include "interchange/key_model.hpp"

namespace sarvelo::interchange {

// Lines end where the dot leader reaches this many characters, unless the
// lead is longer.
inline constexpr std::size_t kPrintedWidth = 72;

// "1. lead ........ 2" then "–  lead ........ Taxon" for the other leads.
std::string bracketedKey(const Key& key);

// "1. lead" with the couplet it leads to indented below it, before the next
// lead; a couplet already written elsewhere is named by its number. Couplets
// that no lead reaches follow, from the left margin.
std::string indentedKey(const Key& key);

}  // namespace sarvelo::interchange
