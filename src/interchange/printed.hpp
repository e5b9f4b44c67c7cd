// The key as printed in books: bracketed (the leads of each couplet together,
// couplet after couplet) and indented (each couplet under the lead that leads
// to it). The layout is decided here, once, and written as fixed-width text,
// as RTF, or as PDF (interchange/qt/printed_pdf.cpp).
#pragma once

#include <string>
#include <vector>

#include "interchange/key_model.hpp"
#include "interchange/markup.hpp"

namespace sarvelo::interchange {

// Lines end where the dot leader reaches this many characters, unless the
// lead is longer.
inline constexpr std::size_t kPrintedWidth = 72;
// The indented layout indents no further than this many levels; a lead
// deeper down shows its level as a number ("[14] 14. ..."), so that a long
// chain of couplets stays as long as the key.
inline constexpr int kMaxPrintedLevel = 10;

// One lead as printed: its label hangs in the margin, its text wraps under
// itself, a dot leader runs to its end (a couplet number or a taxon).
struct PrintedLead {
    std::string label;     // "1.", "2(1).", "–" for the second lead of a bracketed couplet
    std::string text;      // on one line, a statement's markup read (interchange/markup.hpp)
    std::vector<std::pair<std::size_t, std::size_t>> italics;  // byte ranges of `text` in italics
    std::string end;       // empty when the couplet it leads to follows below it
    bool taxon = false;    // `end` names a taxon (set in italics)
    bool first = false;    // first lead of its couplet (space above it)
    int level = 0;         // indentation, at most kMaxPrintedLevel
    std::string heading;   // "Clé : Name" above the first lead of a linked key
};

struct PrintedLayout {
    std::vector<PrintedLead> leads;
    bool indented = false;
};

struct PrintedOptions {
    // "2(1)": each couplet number followed by the couplet that first leads to it.
    bool backReferences = false;
};

PrintedLayout bracketedLayout(const Key& key, const PrintedOptions& options = {});
// A couplet already written elsewhere is named by its number. Couplets that
// no lead reaches follow, from the left margin.
PrintedLayout indentedLayout(const Key& key, const PrintedOptions& options = {});

// Fixed-width text: "1. lead ........ 2" then "–  lead ........ Taxon";
// indented two spaces a level; a linked key's heading after a blank line.
std::string printedText(const PrintedLayout& layout);

// RTF for a word processor: the label hanging in the margin, the text
// wrapped under itself, a right tab with a dot leader to the end, taxa in
// italics; `title` (if any) above the key, each linked key under its
// heading in bold.
std::string printedRtf(const PrintedLayout& layout, const std::string& title);

// Shorthands of the text layouts.
inline std::string bracketedKey(const Key& key) { return printedText(bracketedLayout(key)); }
inline std::string indentedKey(const Key& key) { return printedText(indentedLayout(key)); }

}  // namespace sarvelo::interchange
