// Line-number recognition: does a line start with a couplet number in the
// chosen numbering style, and which text is that number. A number text is
// always a piece of the examined text, taken unchanged.
#pragma once

#include <string>
#include <string_view>

#include "engine/parameters.hpp"

namespace sarvelo {

// The character that masks, in an index pattern, what is not the number.
inline constexpr char32_t kMaskCode = U'\u00FF';
// The complex list is consulted up to this many entries.
inline constexpr std::size_t kMaxComplexEntries = 256;

std::string Verifier_nb(std::string_view text);
std::string Verifier_nba(const KeyParams& p, std::string_view text);
std::string Verifier_mixte(const KeyParams& p, std::string_view text);
std::string maj(const KeyParams& p, std::string_view text);
std::string codage(std::string_view text);
std::string decode(const KeyParams& p, std::string_view sample, std::size_t entry);
// The number of a line in the current style (Format 0, 1, else complex).
std::string numberOf(const KeyParams& p, std::string_view line);
bool avec_numero(const KeyParams& p, std::string_view line);

}  // namespace sarvelo
