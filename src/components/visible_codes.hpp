// Visible codes: short literals (separators, markers) may be or contain
// spaces, tabs and line breaks; fields and lists show them with code
// characters in their place while the stored text keeps the real characters.
#pragma once

#include <string>
#include <string_view>

namespace sarvelo {

// Code characters are given as single-byte Windows-1252 codes, as the input
// field's properties store them; 7 stays U+0007, 133 becomes "…", 182 "¶".
char32_t codeToChar(int code);

struct VisibleCodes {
    char32_t lineBreak = U'\u00B6';  // code 182, "¶"
    char32_t space = U'\u0007';      // code 7
    char32_t tab = U'\u001A';        // code 26
    // Lists leave line feeds as they are; input fields code them too.
    bool codeLineFeed = true;
};

// The text with every tab, carriage return, line feed (when asked) and space
// replaced by its code: one character in place of one character.
std::string toVisibleCodes(std::string_view text, const VisibleCodes& codes = {});

// The codes as list entries show them: line feeds left alone.
VisibleCodes listEntryCodes();

// Codes 7 and 26 are control characters that no font draws. For painting,
// every control character is replaced by a glyph that ordinary key text
// does not use: U+0007 by "·" (U+00B7), U+001A by "→" (U+2192), any other
// control character C by its control picture U+2400 + C.
std::string displayGlyphs(std::string_view coded);

}  // namespace sarvelo
