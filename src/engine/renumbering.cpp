// Renumbering: couplets get 1, 2, 3 ... in order of first appearance and the
// references follow them. Along the way the path from the top of the key to
// every row is traced; when the numbers step down and up again the key looks
// nested, and on the user's word every couplet of the nested key gets a
// number of its own along those paths.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "engine/engine.hpp"

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

// A line of les_suites: ",a,b,c," and its first item "a".
struct Sequence {
    std::string items;
    std::string first;
};

std::vector<Sequence> sequencesOf(const KeyParams& p) {
    std::vector<Sequence> out;
    if (!p.Utilise_suites) return out;
    out.reserve(p.les_suites.size());
    for (const std::string& line : p.les_suites) out.push_back({"," + line + ",", line.substr(0, line.find(','))});
    return out;
}

// A label found in a sequence stands for the sequence's first item; a label
// changed by one line is tried on the next ones with its new text.
void fold(std::string& cell, const std::vector<Sequence>& sequences) {
    for (const Sequence& seq : sequences)
        if (seq.items.find("," + cell + ",") != std::string::npos) cell = seq.first;
}

// Couplet labels and their new numbers (1, 2, 3 ... in order of first
// appearance). Open addressing over a list of the labels in that order: a
// lookup costs a probe into a compact slot array and one comparison.
class LabelIndex {
public:
    explicit LabelIndex(std::size_t expected) {
        std::size_t size = 16;
        while (size < 2 * expected) size *= 2;
        slots_.assign(size, 0);
        mask_ = size - 1;
        labels_.reserve(expected);
    }

    // The label's number, 0 when it has none.
    int find(std::string_view label) const {
        const std::uint64_t h = hashOf(label);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) return 0;
            const int number = static_cast<int>(slot & 0xFFFFFFFF);
            if ((slot >> 32) == (h >> 32) && labels_[static_cast<std::size_t>(number) - 1] == label) return number;
        }
    }

    // The label's number, the next one when it is new.
    int insert(std::string_view label) {
        const std::uint64_t h = hashOf(label);
        std::size_t i = h & mask_;
        for (;; i = (i + 1) & mask_) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) break;
            const int number = static_cast<int>(slot & 0xFFFFFFFF);
            if ((slot >> 32) == (h >> 32) && labels_[static_cast<std::size_t>(number) - 1] == label) return number;
        }
        labels_.emplace_back(label);
        const auto number = static_cast<std::uint64_t>(labels_.size());
        slots_[i] = (h & 0xFFFFFFFF00000000ULL) | number;
        return static_cast<int>(number);
    }

private:
    // Low bits choose the slot, high bits are the check.
    static std::uint64_t hashOf(std::string_view label) {
        // Couplet numbers are mostly decimal and met in roughly increasing
        // order, as are the references to them: placed by their value, they
        // stay in neighbouring slots and long keys keep to the cache.
        if (!label.empty() && label.size() <= 9) {
            std::uint64_t value = 0;
            bool digits = true;
            for (char c : label) {
                if (c < '0' || c > '9') {
                    digits = false;
                    break;
                }
                value = value * 10 + static_cast<std::uint64_t>(c - '0');
            }
            // Every fourth slot: other labels that land among them find a
            // free slot at once.
            if (digits) return value << 32 | (value * 4 & 0xFFFFFFFF);
        }
        // Other labels: spread the hash so that both halves are well mixed.
        std::uint64_t h = std::hash<std::string_view>{}(label);
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return h;
    }

    std::vector<std::string> labels_;
    std::vector<std::uint64_t> slots_;  // check bits << 32 | number; 0 is empty
    std::size_t mask_ = 0;
};

std::string joinPath(const std::vector<std::string>& path) {
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i) out += '-';
        out += path[i];
    }
    return out;
}

char signOf(int before, int now) {
    if (now < before) return '-';
    if (now > before) return '+';
    return '=';
}

}  // namespace

std::vector<MissingTarget> renumerotation(ResultTable& table, const KeyParams& p, Host& host) {
    const int n = table.dataRows();
    std::vector<MissingTarget> missing;
    table.setColumnCount(ResultTable::kMaxColumns);
    const std::vector<Sequence> sequences = sequencesOf(p);

    // First-appearance numbering. A label takes the next number at the first
    // row (not a section start) that carries it; from there down every row
    // with that label shares it, and every reference to it follows. Two
    // passes over the rows: the labels and their numbers, then the
    // references (which may point forward), the new texts and the paths.
    LabelIndex couplets(static_cast<std::size_t>(n));
    std::vector<int> number(static_cast<std::size_t>(n) + 1, 0);  // 0: none
    std::vector<char> isReference(static_cast<std::size_t>(n) + 1, 0);
    for (int r = 1; r <= n; ++r) {
        std::string& nb = table.cell(r, kNb);
        const std::string& kind = table.cell(r, kKind);
        isReference[r] = kind == kReference;
        // A section start keeps its "S": folded into a sequence it would read
        // as a lead without description.
        if (!sequences.empty() && kind != kSectionStart) {
            fold(nb, sequences);
            fold(table.cell(r, kTarget), sequences);
        }
        if (nb.empty()) continue;
        if (kind != kSectionStart) {
            number[r] = couplets.insert(nb);
        } else {
            number[r] = couplets.find(nb);
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

    std::vector<std::string> path;
    std::vector<int> depth(static_cast<std::size_t>(n) + 1, 0);
    std::string previous;
    std::string current;
    for (int r = 1; r <= n; ++r) {
        std::string& nb = table.cell(r, kNb);
        const bool reference = isReference[r];
        if (number[r]) nb = std::to_string(number[r]);
        if (reference) {
            // A reference to a label that no row carries keeps its text, which
            // may now read as another couplet's new number: it is recorded.
            std::string& target = table.cell(r, kTarget);
            if (const int found = couplets.find(target))
                target = std::to_string(found);
            else if (!target.empty())
                missing.push_back({r, target});
        }
        for (int c = kDepthSign; c <= kLastWork; ++c)
            if (!table.cell(r, c).empty()) table.cell(r, c).clear();

        // The path from the top of the key, on the new numbers.
        if (r == 1) current = nb;
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
        if (reference) current = table.cell(r, kTarget);
        depth[r] = static_cast<int>(path.size());
        table.cell(r, kPath) = joinPath(path);
        table.cell(r, kDepth) = std::to_string(depth[r]);
        table.cell(r, kCurrent) = current;
        if (r >= 2) table.cell(r, kDepthSign).assign(1, signOf(depth[r - 1], depth[r]));
    }

    std::string report = n >= 1 ? table.cell(1, kPath) : std::string();
    for (int r = 2; r <= std::min(n, 15); ++r) {
        report += '\n';
        report += table.cell(r, kPath);
    }

    table.setColumnCount(ResultTable::kShownColumns);

    if (!nested) return missing;
    if (!host.askYesNo(kNestedTitle, std::string(kNestedQuestion) + "\n\n" + report)) return missing;

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
    // A section start stays one: with a number it would read as a lead
    // without description.
    for (int r = 1; r <= n; ++r) {
        if (table.cell(r, kKind) == kSectionStart) continue;
        table.cell(r, kNb) = table.cell(r, kNewNb);
        if (table.cell(r, kKind) == kReference) table.cell(r, kTarget) = table.cell(r, kNewTarget);
    }
    return missing;
}

}  // namespace sarvelo
