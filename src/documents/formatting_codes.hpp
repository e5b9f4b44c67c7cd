// "Visualise les formats": visible codes written into the working text where
// the chosen kinds of formatting begin or end ("#G#" ... "#PG#", "#S#",
// "#I#", "/colour\", ">>indent<<"), so that the processing, which reads plain
// characters, can use them as separators. The codes are ordinary characters;
// nothing turns them back into formatting.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "documents/rich_text.hpp"
#include "engine/parameters.hpp"

namespace sarvelo {

// The indent of a paragraph's second and later lines relative to its first
// line, in points (twips / 20, truncated toward zero): a hanging indent is
// positive, a first-line indent negative.
int indentNumber(const Paragraph& paragraph);

struct CodeInsertion {
    std::size_t line = 0;    // paragraph
    std::size_t offset = 0;  // character offset in the line as it was read
    std::string code;
    // The character whose format the code takes (the one it marks); the
    // line's first character for the indent code, npos on an empty line.
    std::size_t formatOf = 0;
    bool operator==(const CodeInsertion&) const = default;
};

// The codes the ticked kinds (Le_gras, Plus_gras, Le_Souligne, plus_souligne,
// L_Italique, plus_italique, Couleur, Decalage, from character `debut` of
// each line) give, in text order: inserted from the last to the first, every
// offset still points where it did. One pass over the text.
std::vector<CodeInsertion> formattingCodes(const RichText& text, const KeyParams& params);

// The text with the codes inserted, each in the format of its character.
RichText withFormattingCodes(const RichText& text, const std::vector<CodeInsertion>& codes);

}  // namespace sarvelo
