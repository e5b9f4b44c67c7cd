// A numbered key in indented order whose indentation was lost (a web page's
// nested lists copied as lines, a scanned book): every lead carries its
// couplet's number ("2.", "2′.", "1''"), a lead that leads on has no
// reference and is followed by the first lead of its couplet, the other
// leads of a couplet come after the whole sub-key of the one before, and a
// name may stand alone on the line under its lead. Read into the numbered
// couplet form; the user's text is only read.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

struct OrderedKey {
    Lines couplets;           // "1. lead ... 2", "1. lead => Name"; empty when the text is not such a key
    std::vector<int> origin;  // the user's line (from 0) of each lead
    int before = 0;           // lines of text before the key set aside
    int after = 0;            // lines of text after the key set aside
    int notes = 0;            // lines in square brackets inside the key set aside
    int captions = 0;         // figures' captions inside the key set aside
    int pages = 0;            // pages' numbers and running heads inside the key set aside
    int bookNumbers = 0;      // pages and book's numbers taken out of the names
    int guessedNames = 0;     // names found with no separator (run into the lead, at the right, under it)
    std::string message;      // what was set aside, in French
};
OrderedKey readNumberedInOrder(const Lines& text);
// The reading in indented order alone (a lead without ending goes on to the
// couplet that follows): the other reading of a key read above by names it
// had to guess (`guessedNames`).
OrderedKey readLeadsGoingOn(const Lines& text);
// A key whose couplets are set in braces, as transcriptions draw them: the
// couplet's number at the left of the brace ("  1 {"), its leads on the
// lines inside it, each ending with a reference or a name ("{ ... 2",
// "{      _Carterius Stepanowi._").
OrderedKey readBracedCouplets(const Lines& text);
// The same, with the text's reshaping (`reshapeKey(text)`) already made.
OrderedKey readNumberedInOrder(const Lines& text, const ReshapedKey& reshaped);

inline constexpr const char* kMsgSections = "%d titres de section (\u00AB \u00A7 I. \u00BB) lus comme les entr\u00E9es d'un premier couplet";
// A key split into sections headed "§ I.", "§ II." (the ordinal's letters
// raised or not, a dash after the stop), each heading a choice: the headings
// set out as the leads of a first couplet "0.", each going to the first
// couplet of its section, or run into the one lead without label its
// section holds. Empty when the text has no such sections.
struct SectionsCouplet {
    Lines lines;
    std::vector<int> origin;  // the user's line (from 0) of each line
    int sections = 0;
};
SectionsCouplet sectionsAsCouplet(const Lines& text);

}  // namespace sarvelo
