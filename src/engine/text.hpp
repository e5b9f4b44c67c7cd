// Character helpers for the engine. Texts are UTF-8 std::string; every position
// and count here is in characters (code points), never in bytes, and positions
// start at 1 as in the key parameters' documentation. Upper- and lower-casing
// touch only the 26 unaccented letters, so a text keeps its byte length.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_lines.hpp"

namespace sarvelo::text {

// Number of characters (code points) of a UTF-8 text.
std::size_t length(std::string_view s);

// Byte offset of the character that follows the first `count` characters
// (s.size() when the text is shorter).
std::size_t byteOffsetOfChar(std::string_view s, std::size_t count);

// The first `count` characters (the whole text when it is shorter).
std::string_view firstChars(std::string_view s, std::size_t count);

// Removes the first `count` characters (everything when the text is shorter).
void removeFirstChars(std::string& s, std::size_t count);

// Decodes the first character at `pos` (a byte offset) and advances `pos`.
// An invalid byte reads as itself (U+0080..U+00FF range is not assumed).
char32_t nextChar(std::string_view s, std::size_t& pos);
std::u32string toUtf32(std::string_view s);
std::string fromUtf32(std::u32string_view s);
void appendUtf8(std::string& out, char32_t c);

// Windows-1252: the character a byte stands for (the five unassigned codes
// read as the control character of the same number, so that they survive a
// round trip), and the byte of a character, -1 when the code page lacks it.
char32_t fromWindows1252(unsigned char byte);
int toWindows1252(char32_t c);

bool isDigit(char32_t c);
bool isLetter(char32_t c);  // the 26 unaccented letters, either case
// A letter of the Latin, Greek or Cyrillic alphabets, accented or not, or a
// combining accent (which belongs to the letter before it).
bool isAnyLetter(char32_t c);

std::string upper(std::string_view s);
std::string lower(std::string_view s);

bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);

// 1-based character position of the first occurrence of t in s; 0 when t
// does not occur or is empty.
std::size_t pos(std::string_view t, std::string_view s);

// The table construction's text operations.
// cut through t: remove the first p + length(t) - 1 characters, p = pos(t, s).
void cutThrough(std::string& s, std::string_view t);
void cutThrough(std::string_view& s, std::string_view t);  // the same on a view
// The same when the first t of s is known to stand at byte `at`.
void cutThroughAt(std::string_view& s, std::string_view t, std::size_t at);
// Whether the upper-case form of s begins with `upperPrefix` (upper case).
bool startsWithUpper(std::string_view s, std::string_view upperPrefix);
// text before t: the characters before the first occurrence of t.
std::string textBefore(std::string_view s, std::string_view t);
void removeAll(std::string& s, std::string_view t);
void trimStart(std::string& s, std::string_view t);
// Removes every "-" except a hyphen between two letters (accented ones too)
// or two digits, so that dash leaders go, beside spaces of any kind or other
// dashes, and names such as "uva-ursi" keep their hyphen.
void removeDashesOutsideWords(std::string& s);
void trimEnd(std::string& s, std::string_view t);
// s without its blanks (spaces and tabs) at both ends.
std::string_view withoutBlanks(std::string_view s);
std::string trimmedBlanks(std::string_view s);
// remove all ".", "…", " ", "-" and tab characters, in that order.
std::string referenceCleanup(std::string s);

// Splits at every line break: "\r\n", "\n", or a carriage return alone (old
// Mac files, some PDF copies); a text ending with a line break has no empty
// last line.
std::vector<std::string> splitLines(std::string_view s);
std::string joinLines(const std::vector<std::string>& lines, std::string_view sep = "\n");
// The text on one line: every control character (line breaks, tabs, NUL)
// and the Unicode line and paragraph separators become a space, so that a
// line break inside a lead cannot split it and no NUL byte is written.
std::string oneLine(std::string_view s);
void appendOneLine(std::string& out, std::string_view s);

// Text order ignoring case, as the lists of the views sort: blanks and
// punctuation first, then digits, then letters (upper and lower case alike),
// then every other character in code-point order. The key compares with
// plain std::string comparison, so a list sorts by precomputed keys.
std::string sortKeyIgnoringCase(std::string_view s);
bool lessIgnoringCase(std::string_view a, std::string_view b);
// The positions of the texts in that order; texts equal but for case keep
// their relative order.
std::vector<std::size_t> orderIgnoringCase(const std::vector<std::string>& texts);
std::vector<std::size_t> orderIgnoringCase(LinesView texts);

// The words that note, in brackets after a name, its number in the book
// ("L. alba (no. 14)", "(Nr. 3)"): the name's own number, no reference.
inline constexpr std::string_view kBookNumberWords[] = {"no.", "No.", "Nr.", "n\u00B0"};

// The words before the book's page after a name, in the key's languages
// ("Acer, p. 12", "Oxyporus S. 45", "Quercus pág. 3", "Salix blz. 7").
inline constexpr std::string_view kPageWords[] = {"p.", "pp.", "page", "pages", "S.", "pág.", "pag.", "Seite", "blz."};

// Whether a word, followed by a number, names a group of a key rather than a
// taxon and its page: "Group 1", "Groupe 2", "Section 3", "Clé 4" (any case,
// a final dot aside).
bool namesAGroup(std::string_view word);

// A decimal integer: optional leading spaces, an optional sign, digits and
// nothing else, within the range of int. Anything else gives no value.
std::optional<int> toInteger(std::string_view s);

}  // namespace sarvelo::text
