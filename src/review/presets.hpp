// The preset formats "Format 1" to "Format 5": sample keys in five printed
// layouts. "Format 5" also carries the parameters of its sample as a list of
// entries (criteres), applied by position.
#pragma once

#include <string_view>
#include <vector>

#include "engine/parameters.hpp"

namespace sarvelo {

inline constexpr int kPresetCount = 5;

// The 13 entries of "Format 5", by position.
const TextList& format5Criteres();

// Applies the entries to the parameters in their fixed order: Format,
// Separ1, Separ2, format_renvois, Car_maxi, Liste_separ_3 (from position 9 up
// to the entry "fin"), Sans_numero, rem. Returns the names written, in that
// order. A choice or number that does not read as one leaves its parameter
// alone; missing entries write nothing.
std::vector<std::string_view> applyCriteres(KeyParams& p, const TextList& criteres);

}  // namespace sarvelo
