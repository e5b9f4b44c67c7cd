// A determination as a bare name: what KeyBase links keys by. A book writes
// "12. Amanita muscaria (L.) Lam., p. 52"; KeyBase wants "Amanita muscaria".
#pragma once

#include <string>
#include <string_view>

namespace sarvelo::interchange {

// Drops a leading number or asterisk, the authors after the name and page or
// plate references and numbers at the end. A name and a number that form a
// group's name ("Group 1", "Groupe 2") stay whole. A shortcut in braces is
// bared on its own and kept.
std::string bareName(std::string_view determination);

}  // namespace sarvelo::interchange
