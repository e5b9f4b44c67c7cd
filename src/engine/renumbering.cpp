// Renumbering: couplets get 1, 2, 3 ... in order of first appearance and the
// references follow them. Along the way the path from the top of the key to
// every row is traced; when the numbers step down and up again the key looks
// nested, and on the user's word every couplet of the nested key gets a
// number of its own along those paths.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo {

namespace {

// Working columns, used only during a renumbering.
enum WorkColumn : int {
    kPath = 5,       // path from the top, bottom entry first, joined by "-"
    kDepth = 6,      // entries on the path
    kCurrent = 7,    // current target
    kDepthSign = 8,  // "+", "-" or "=" against the row above
    kNewNb = 9,      // number given by the nested renumbering
    kNewTarget = 10, // its target
    kLastWork = 11,
};

// Deeper keys than this are not followed further: a push onto a full path
// drops its bottom entry, so the path keeps the deepest couplets, which are
// the first ones the key comes back to.
constexpr std::size_t kMaxPath = 15;

constexpr int kShownAfterNesting = 10;

// Folds every label found in a sequence into the sequence's first item.
void applySequences(ResultTable& table, const KeyParams& p) {
    if (!p.Utilise_suites || p.les_suites.empty()) return;
    struct Sequence {
        std::string items;  // ",a,b,c,"
        std::string first;
    };
    std::vector<Sequence> sequences;
    sequences.reserve(p.les_suites.size());
    for (const std::string& line : p.les_suites)
        sequences.push_back({"," + line + ",", line.substr(0, line.find(','))});

    const auto fold = [&](std::string& cell) {
        for (const Sequence& seq : sequences)
            if (seq.items.find("," + cell + ",") != std::string::npos) cell = seq.first;
    };
    for (int r = 1; r <= table.dataRows(); ++r) {
        fold(table.cell(r, kNb));
        fold(table.cell(r, kTarget));
    }
}

std::string joinPath(const std::vector<std::string>& path) {
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i) out += '-';
        out += path[i];
    }
    return out;
}

const char* signOf(int before, int now) {
    if (now < before) return "-";
    if (now > before) return "+";
    return "=";
}

}  // namespace

void renumerotation(ResultTable& table, const KeyParams& p, Host& host) {
    const int n = table.dataRows();
    table.setColumnCount(ResultTable::kMaxColumns);
    for (int r = 1; r <= n; ++r)
        for (int c = kPath; c <= kLastWork; ++c) table.cell(r, c).clear();

    applySequences(table, p);

    // First-appearance numbering. A label takes the next number at the first
    // row (not a section start) that carries it; from there down every row
    // with that label shares it, and every reference to it follows.
    struct Couplet {
        int number;
        int firstRow;
    };
    std::unordered_map<std::string, Couplet> couplets;
    couplets.reserve(static_cast<std::size_t>(n));
    int given = 0;
    for (int r = 1; r <= n; ++r) {
        const std::string& nb = table.cell(r, kNb);
        if (nb.empty() || table.cell(r, kKind) == kSectionStart) continue;
        if (couplets.try_emplace(nb, Couplet{given + 1, r}).second) ++given;
    }
    std::vector<int> number(static_cast<std::size_t>(n) + 1, 0);  // 0: none
    std::vector<int> target(static_cast<std::size_t>(n) + 1, 0);
    for (int r = 1; r <= n; ++r) {
        const std::string& nb = table.cell(r, kNb);
        if (!nb.empty()) {
            const auto it = couplets.find(nb);
            if (it != couplets.end() && it->second.firstRow <= r) number[r] = it->second.number;
        }
        if (table.cell(r, kKind) == kReference) {
            const auto it = couplets.find(table.cell(r, kTarget));
            if (it != couplets.end()) target[r] = it->second.number;
        }
    }

    // Nesting suspicion: the numbers step down and then up again, below a
    // row where they already went up.
    bool nested = false;
    bool upAbove = false;
    for (int r = 2; r < n && !nested; ++r) {
        const bool down = number[r] && number[r - 1] && number[r] < number[r - 1];
        const bool upNext = number[r + 1] && number[r] && number[r + 1] > number[r];
        if (down && upNext && upAbove) nested = true;
        if (number[r] && number[r - 1] && number[r] > number[r - 1]) upAbove = true;
    }

    for (int r = 1; r <= n; ++r) {
        if (number[r]) table.cell(r, kNb) = std::to_string(number[r]);
        if (target[r]) table.cell(r, kTarget) = std::to_string(target[r]);
    }

    // Path pass on the new numbers.
    std::vector<std::string> path;
    std::vector<int> depth(static_cast<std::size_t>(n) + 1, 0);
    std::string previous;
    std::string current = n >= 1 ? table.cell(1, kNb) : std::string();
    for (int r = 1; r <= n; ++r) {
        const std::string& nb = table.cell(r, kNb);
        if (nb != previous) {
            previous = nb;
            if (nb == current) {
                if (path.size() == kMaxPath) path.erase(path.begin());
                path.push_back(nb);
            } else {
                while (!path.empty()) {
                    path.pop_back();
                    if (!path.empty() && path.back() == nb) break;
                }
            }
        }
        if (table.cell(r, kKind) == kReference) current = table.cell(r, kTarget);
        depth[r] = static_cast<int>(path.size());
        table.cell(r, kPath) = joinPath(path);
        table.cell(r, kDepth) = std::to_string(depth[r]);
        table.cell(r, kCurrent) = current;
        if (r >= 2) table.cell(r, kDepthSign) = signOf(depth[r - 1], depth[r]);
    }

    std::string report = n >= 1 ? table.cell(1, kPath) : std::string();
    for (int r = 2; r <= std::min(n, 15); ++r) {
        report += '\n';
        report += table.cell(r, kPath);
    }

    table.setColumnCount(ResultTable::kShownColumns);

    if (!nested) return;
    if (!host.askYesNo(kNestedTitle, std::string(kNestedQuestion) + "\n\n" + report)) return;

    table.setColumnCount(kShownAfterNesting);
    host.letEventsThrough();
    table.cell(0, kPath) = "Cheminemt";
    table.cell(0, kDepth) = "Nb occurences";
    table.cell(0, kCurrent) = "vers";
    table.cell(0, kNewNb) = "New Nb";
    table.cell(0, kNewTarget) = "New vers";

    // The nearest row above with the same depth is found through the last
    // row seen at each depth.
    std::array<int, kMaxPath + 1> lastAtDepth{};
    std::vector<int> newNumber(static_cast<std::size_t>(n) + 1, 0);
    int last = 1;
    int currentNumber = 1;
    for (int r = 1; r <= n; ++r) {
        const std::string& sign = table.cell(r, kDepthSign);
        if (sign == "-") {
            const int above = lastAtDepth[depth[r]];
            currentNumber = newNumber[above ? above : 1];
        } else if (sign == "+") {
            currentNumber = ++last;
        }
        newNumber[r] = currentNumber;
        table.cell(r, kNewNb) = std::to_string(currentNumber);
        if (r >= 2 && table.cell(r - 1, kKind) == kReference && table.cell(r - 1, kTarget) == table.cell(r, kNb))
            table.cell(r - 1, kNewTarget) = table.cell(r, kNewNb);
        lastAtDepth[depth[r]] = r;
    }
    for (int r = 1; r <= n; ++r) {
        table.cell(r, kNb) = table.cell(r, kNewNb);
        if (table.cell(r, kKind) == kReference) table.cell(r, kTarget) = table.cell(r, kNewTarget);
    }
}

}  // namespace sarvelo
