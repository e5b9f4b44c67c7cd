// A statement's HTML markup, as KeyBase keeps it ("<i>Acacia</i>",
// "4&ndash;5 mm"), read for the printed keys: the list of tags and entities
// the interactive key renders, and nothing else.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvelo::interchange {

struct MarkedText {
    std::string text;  // tags gone, entities as their characters
    // Byte ranges of `text` in italics (<i>, <em>), in order, apart.
    std::vector<std::pair<std::size_t, std::size_t>> italics;
};

// Tags i, em (italics), b, strong, sup, sub (their text kept plain) in any
// case; named entities of a common list and numeric ones. Anything else,
// a lone "<" or "&" or an unknown name, stays as written.
MarkedText readMarkup(std::string statement);

}  // namespace sarvelo::interchange
