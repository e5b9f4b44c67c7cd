// A key whose couplets are named by letters: each lead starts with its
// couplet's letter ("A.", "=B.=", "_c._") and a lead that goes on names the
// next couplet by its letter, in brackets ("(=B.=)", "(C)", "[d]"), maybe
// followed by the book's page ("(=C.=) page 12."). The letters become
// numbers, in the order the couplets first appear, so that the key reads as
// a numbered one. The user's text is only read.
#pragma once

#include "engine/engine.hpp"

namespace sarvelo {

// The text with its letters numbered line for line ("1. Leaves simple (2)"),
// or empty when the text is not such a key.
Lines numberedFromLetters(const Lines& text);

// A key whose couplet's number opens its first lead, each lead then named by
// a letter ("1. (a) Tail short ... 2" over "(b) Tail long ... 5"), or stands
// over it with the group's name ("1. _Gymnostomina_." over "a. Mouth ..."):
// every lead given its couplet's number, line for line, the headings set
// aside (blank), and the couplet above the groups that sends to them made
// couplet 0; empty when fewer than two couplets are set so.
inline constexpr const char* kMsgGroupHeadings = "%d titres de groupe au-dessus de leurs entrées laissés de côté";
inline constexpr const char* kMsgGroupHeadingsOne = "1 titre de groupe au-dessus de ses entrées laissé de côté";
struct LetteredLeads {
    Lines lines;
    int headings = 0;    // groups' headings set aside
    int unnumbered = 0;  // leads of the couplet above the groups numbered 0
};
LetteredLeads numberedFromLeadLetters(const Lines& text);

// A lead letter after the couplet's number or alone at a lead's start: "(a)",
// "(_b_)", "a.", "=b.=", followed by a blank at `end`. The letter, or '\0'.
char leadLetterAt(std::string_view s, std::size_t at, std::size_t& end);

}  // namespace sarvelo
