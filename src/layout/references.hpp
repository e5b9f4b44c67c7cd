// References written other than as a bare number after the lead's leader:
// in brackets ("(2)", "[7]"), after words of the key's languages ("go to 5",
// "voir 3", "siehe 4"), after an arrow ("→ 4"), or alone on the next line
// after a leader; and destinations, numbers or names, each on the line under
// its lead. Set after the lead's leader, the readers of line ends read them
// as they read "...... 2". The user's text is only read.
#pragma once

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

}  // namespace sarvelo
