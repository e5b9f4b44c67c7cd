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
#include <unordered_map>
#include <utility>

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

// The lines of les_suites, indexed by item. A cell matches a line when
// "," + cell + "," occurs in "," + line + ",": its comma-separated items stand
// side by side in the line. The index finds the first matching line at or
// after a given one without searching every line for every cell.
class Sequences {
public:
    explicit Sequences(const KeyParams& p) {
        if (!p.Utilise_suites) return;
        firsts_.reserve(p.les_suites.size());
        items_.resize(p.les_suites.size());
        for (std::size_t k = 0; k < p.les_suites.size(); ++k) {
            const std::string& line = p.les_suites[k];
            firsts_.push_back(line.substr(0, line.find(',')));
            items_[k] = splitItems(line);
            for (std::size_t pos = 0; pos < items_[k].size(); ++pos)
                where_[items_[k][pos]].push_back({k, pos});
        }
    }

    bool empty() const { return firsts_.empty(); }

    // A label found in a line stands for the line's first item; a label
    // changed by one line is tried on the next ones with its new text.
    void fold(CellRef cell) const {
        std::size_t from = 0;
        while (from < firsts_.size()) {
            const std::size_t line = firstMatch(cell, from);
            if (line == kNone) return;
            cell = firsts_[line];
            from = line + 1;
        }
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    struct Place {
        std::size_t line;
        std::size_t pos;
    };

    static std::vector<std::string> splitItems(std::string_view s) {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (;;) {
            const auto comma = s.find(',', start);
            out.emplace_back(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
            if (comma == std::string_view::npos) return out;
            start = comma + 1;
        }
    }

    std::size_t firstMatch(std::string_view cell, std::size_t from) const {
        const std::vector<std::string> wanted = splitItems(cell);
        const auto found = where_.find(wanted.front());
        if (found == where_.end()) return kNone;
        const std::vector<Place>& places = found->second;
        auto it = std::lower_bound(places.begin(), places.end(), from,
                                   [](const Place& a, std::size_t line) { return a.line < line; });
        for (; it != places.end(); ++it) {
            const std::vector<std::string>& items = items_[it->line];
            if (it->pos + wanted.size() > items.size()) continue;
            if (std::equal(wanted.begin() + 1, wanted.end(), items.begin() + static_cast<std::ptrdiff_t>(it->pos) + 1))
                return it->line;
        }
        return kNone;
    }

    std::vector<std::string> firsts_;
    std::vector<std::vector<std::string>> items_;
    std::unordered_map<std::string, std::vector<Place>> where_;
};

void fold(CellRef cell, const Sequences& sequences) { sequences.fold(cell); }

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

    std::size_t size() const { return labels_.size(); }

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

    // Views of the table's cells, whose texts stay for the whole run.
    std::vector<std::string_view> labels_;
    std::vector<std::uint64_t> slots_;  // check bits << 32 | number; 0 is empty
    std::size_t mask_ = 0;
};

std::string joinPath(const std::vector<std::string_view>& path) {
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

// The path from the top of the key to every row, on the new numbers: its
// depth for each row and the first paths for the nested-key question. The
// working columns (path, depth, current target, sign) are written only when
// `write`: they matter for a key that looks nested alone, and on a long key
// they would be most of the table.
void tracePaths(ResultTable& table, const std::vector<char>& isReference, std::vector<int>& depth,
                std::string& report, bool write) {
    const int n = table.dataRows();
    // Views of the cells: the table keeps their texts for the whole run.
    std::vector<std::string_view> path;
    std::string_view previous;
    std::string_view current;
    report.clear();
    for (int r = 1; r <= n; ++r) {
        const std::string_view nb = std::as_const(table).cell(r, kNb);
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
        if (isReference[static_cast<std::size_t>(r)]) current = std::as_const(table).cell(r, kTarget);
        depth[static_cast<std::size_t>(r)] = static_cast<int>(path.size());
        if (r <= 15) {
            if (r > 1) report += '\n';
            report += joinPath(path);
        }
        if (!write) continue;
        table.cell(r, kPath) = joinPath(path);
        table.cell(r, kDepth) = std::to_string(path.size());
        table.share(r, kCurrent, current);
        if (r >= 2) table.cell(r, kDepthSign) = std::string(1, signOf(depth[static_cast<std::size_t>(r) - 1], depth[static_cast<std::size_t>(r)]));
    }
}

}  // namespace

std::vector<MissingTarget> renumerotation(ResultTable& table, const KeyParams& p, Host& host) {
    const int n = table.dataRows();
    std::vector<MissingTarget> missing;
    table.setColumnCount(ResultTable::kMaxColumns);
    const Sequences sequences(p);

    // First-appearance numbering. A label takes the next number at the first
    // row (not a section start) that carries it; from there down every row
    // with that label shares it, and every reference to it follows. Two
    // passes over the rows: the labels and their numbers, then the
    // references (which may point forward), the new texts and the paths.
    LabelIndex couplets(static_cast<std::size_t>(n));
    std::vector<int> number(static_cast<std::size_t>(n) + 1, 0);  // 0: none
    std::vector<char> isReference(static_cast<std::size_t>(n) + 1, 0);
    for (int r = 1; r <= n; ++r) {
        CellRef nb = table.cell(r, kNb);
        const std::string_view kind = std::as_const(table).cell(r, kKind);
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

    // New numbers and references first: the paths below read them. Each
    // number's text is kept once and shared by its rows and references.
    std::vector<std::string_view> numberText(static_cast<std::size_t>(couplets.size()) + 1);
    const auto textOf = [&](int k) {
        std::string_view& text = numberText[static_cast<std::size_t>(k)];
        if (text.empty()) text = table.keep(std::to_string(k));
        return text;
    };
    for (int r = 1; r <= n; ++r) {
        if (number[r]) table.share(r, kNb, textOf(number[r]));
        if (isReference[r]) {
            // A reference to a label that no row carries keeps its text, which
            // may now read as another couplet's new number: it is recorded.
            const std::string_view target = std::as_const(table).cell(r, kTarget);
            if (const int found = couplets.find(target))
                table.share(r, kTarget, textOf(found));
            else if (!target.empty())
                missing.push_back({r, std::string(target)});
        }
        // Read through the const table: a working column nobody wrote stays
        // unallocated.
        for (int c = kPath; c <= kLastWork; ++c)
            if (!std::as_const(table).cell(r, c).empty()) table.cell(r, c).clear();
    }

    std::vector<int> depth(static_cast<std::size_t>(n) + 1, 0);
    std::string report;
    // The paths are kept in the working columns for a key that looks nested.
    tracePaths(table, isReference, depth, report, nested);

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
        const char sign = r >= 2 ? signOf(depth[r - 1], depth[r]) : '=';
        if (sign == '-') {
            const int above = lastAtDepth[depth[r]];
            currentNumber = newNumber[above ? above : 1];
        } else if (sign == '+') {
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
