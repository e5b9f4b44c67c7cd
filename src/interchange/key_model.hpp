// The finished key as couplets and leads, the shape every export format
// writes: each lead goes on to another couplet or ends in a taxon.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/table.hpp"
#include "engine/text_lines.hpp"

namespace sarvelo::interchange {

struct Lead {
    std::string text;
    int couplet = -1;   // index of the couplet it leads to, or -1
    std::string taxon;  // the determination when it leads to no couplet
    int row = 0;        // the table row it comes from
    // A determination "Clé : Name" when the key holds that linked key: its
    // name and its first couplet (the lead itself stays a determination).
    std::string linkedKey;
    int linkedCouplet = -1;
};

struct Couplet {
    std::string number;  // as in the table, after the renumbering
    std::vector<Lead> leads;
    std::string subkey;  // the linked key it belongs to; empty in the main key
};

// Couplets in the order of their first lead in the table; the first one is
// where the key starts.
struct Key {
    std::vector<Couplet> couplets;
};

// A heading "Clé : Name" starts a linked key, which a determination
// "Clé : Name" leads to: KeyBase's sub-keys.
inline constexpr std::string_view kLinkedKeyPrefix = "Clé : ";

struct KeyBuild {
    Key key;
    std::optional<std::string> failure;  // French reason the table cannot be exported
};

// The key of an error-free result table. Rows that are no lead (comments,
// section starts, rows without an ending) are left out. A reference to a
// section goes on to the first couplet after the section start of the same
// heading (compared ignoring case, spaces and final punctuation); without
// one, the section's name stands as the lead's end. Couplets under a heading
// "Clé : Name" belong to that linked key.
KeyBuild keyFromTable(const ResultTable& table);

// The title a key text proposes: its first non-blank line when the table's
// first row is no lead (a heading above the key), otherwise `fallback`.
std::string proposedTitle(LinesView workingText, const ResultTable& table,
                          const std::string& fallback = "Clé d'identification");
inline std::string proposedTitle(const std::vector<std::string>& workingText, const ResultTable& table,
                                 const std::string& fallback = "Clé d'identification") {
    return proposedTitle(LinesView(workingText), table, fallback);
}

}  // namespace sarvelo::interchange
