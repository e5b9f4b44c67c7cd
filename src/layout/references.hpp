// References written other than as a bare number after the lead's leader:
// in brackets ("(2)", "[7]"), after words of the key's languages ("go to 5",
// "voir 3", "siehe 4"), after an arrow ("→ 4"), or alone on the next line
// after a leader; and destinations, numbers or names, each on the line under
// its lead. Set after the lead's leader, the readers of line ends read them
// as they read "...... 2". The user's text is only read.
#pragma once

#include <string>
#include <vector>

#include "engine/engine.hpp"

namespace sarvelo {

inline constexpr const char* kMsgBareReferences = "%d renvois ou noms (entre parenthèses, après un mot ou à la ligne) remis en fin d'entrée";
inline constexpr const char* kMsgBareReferencesOne = "1 renvoi ou nom (entre parenthèses, après un mot ou à la ligne) remis en fin d'entrée";

struct BareReferences {
    Lines lines;              // the text with its references bare; empty when none was rewritten
    std::vector<int> origin;  // the user's line of each line
    int rewritten = 0;        // references set bare (two at least, or none: one may be chance)
};
BareReferences bareReferences(const Lines& text);

// Back-references to the couplet of origin ("9 (3).") that the key's own
// references contradict: couplet 9 is reached from couplet 4 by the leads'
// references, which make the tree. A misprint the reader meets; the key is
// read by its references and the misprint told. None when most back-
// references disagree: the reading then numbers the couplets otherwise.
struct MisprintedBackReference {
    int line = -1;        // the user's line (from 0)
    int couplet = 0;      // 9
    int printed = 0;      // 3
    int reachedFrom = 0;  // 4
};
std::vector<MisprintedBackReference> misprintedBackReferences(const Lines& text, const ResultTable& table);
// Whether any line starts with a back-referenced label (a quick look first).
bool hasBackReferences(const Lines& text);
// "2 renvois au couplet d'origine mal imprimés : 9 (3) pour 9 (4), 12 (8) pour 12 (11)"
std::string misprintedBackReferencesMessage(const std::vector<MisprintedBackReference>& misprints);

}  // namespace sarvelo
