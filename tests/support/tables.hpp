// Result tables written out row by row for the tests.
#pragma once

#include <string>
#include <vector>

#include "engine/table.hpp"

namespace sarvelo::testing {

// The visible cells of one data row; the hidden source column comes last
// because most tests leave it empty.
struct Cells {
    std::string nb, texte, kind, target;
    std::string source = {};
};

inline ResultTable tableOf(const std::vector<Cells>& rows) {
    ResultTable t;
    t.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        t.cell(r, kNb) = rows[i].nb;
        t.cell(r, kSource) = rows[i].source;
        t.cell(r, kTexte) = rows[i].texte;
        t.cell(r, kKind) = rows[i].kind;
        t.cell(r, kTarget) = rows[i].target;
    }
    return t;
}

}  // namespace sarvelo::testing
