#include "review/tree.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>

#include "engine/text.hpp"
#include "engine/text_index.hpp"

namespace sarvelo {

namespace {

constexpr std::size_t kPaddedWidth = 5;

// One row of the key as the build lists it: "number->target ! row", padded
// with zeros to sort in couplet order, then read back without them. Both
// parts are views into the list of padded entries.
struct Entry {
    std::string_view number;
    std::string_view target;
};

// What a row leads to, as its entry names it.
std::string_view targetOf(const ResultTable& table, int row) {
    const std::string_view kind = table.cell(row, kKind);
    if (kind == kDetermination) return "*";
    if (kind == kSectionReference) return "Section";
    return table.cell(row, kTarget);
}

void appendPaddedEntry(const ResultTable& table, int row, std::string& entry) {
    const std::string_view target = targetOf(table, row);
    const std::string_view nb = table.cell(row, kNb);
    const std::size_t width = text::length(nb) + 1;
    entry.append(width < kPaddedWidth ? kPaddedWidth - width + 1 : 1, '0');
    entry.append(nb).append("->").append(target).append(" ! ").append(std::to_string(row));
}

// The entry with its leading zeros removed, split into number and target.
Entry readEntry(std::string_view entry) {
    const auto firstOther = entry.find_first_not_of('0');
    entry.remove_prefix(firstOther == std::string_view::npos ? entry.size() : firstOther);
    const auto arrow = entry.find("->");
    const auto stop = entry.find(" !", arrow + 2);
    return Entry{entry.substr(0, arrow), entry.substr(arrow + 2, stop - (arrow + 2))};
}

// The rows above the first section start.
int listedRows(const ResultTable& table) {
    int rows = 0;
    while (rows < table.dataRows() && table.cell(rows + 1, kNb) != kSectionStart) ++rows;
    return rows;
}

// The padded entries of the listed rows, in one buffer: a long key would
// make a string of each.
TextLines paddedEntries(const ResultTable& table, int rows) {
    TextLines raw;
    std::string entry;
    for (int row = 1; row <= rows; ++row) {
        entry.clear();
        appendPaddedEntry(table, row, entry);
        raw.push_back(entry);
    }
    return raw;
}

// A number as its padded entry begins ("00012", "012345"), as eight bytes
// that order as those texts do, a shorter one first: for a number of digits
// without leading zero, of 7 digits at most, and none otherwise.
std::optional<std::uint64_t> paddedKey(std::string_view nb) {
    if (nb.empty() || nb.size() > 7 || nb.front() == '0') return std::nullopt;
    std::uint64_t key = 0;
    int bytes = 0;
    const auto put = [&](char c) { key |= static_cast<std::uint64_t>(static_cast<unsigned char>(c)) << (8 * (7 - bytes++)); };
    const std::size_t width = nb.size() + 1;
    for (std::size_t z = width < kPaddedWidth ? kPaddedWidth - width + 1 : 1; z > 0; --z) put('0');
    for (const char c : nb) {
        if (c < '0' || c > '9') return std::nullopt;
        put(c);
    }
    return key;
}

// The entries of the listed rows in the order of their padded texts
// (ignoring case, equal ones in row order), read as the padded texts read.
// A key numbered by the renumbering is ordered on its numbers, the rest of
// an entry compared only between rows of one number, and its entries are
// views of the table; any other key goes through the padded texts, kept in
// `raw`.
std::vector<Entry> sortedEntries(const ResultTable& table, TextLines& raw) {
    const int rows = listedRows(table);
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(rows));
    struct Keyed {
        std::uint64_t key;
        int row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row) {
        const auto key = paddedKey(table.cell(row, kNb));
        // A target holding " !" would be cut there by the padded text's reading.
        if (!key || targetOf(table, row).find(" !") != std::string_view::npos) {
            keyed.clear();
            break;
        }
        keyed.push_back({*key, row});
    }
    if (static_cast<int>(keyed.size()) == rows) {
        std::string a, b;
        const auto rest = [&table](int row, std::string& out) {
            out.assign(targetOf(table, row)).append(" ! ").append(std::to_string(row));
        };
        const auto less = [&](const Keyed& x, const Keyed& y) {
            if (x.key != y.key) return x.key < y.key;
            rest(x.row, a);
            rest(y.row, b);
            return text::lessIgnoringCase(a, b);
        };
        // Under 10,000 couplets, rows in order of their numbers are sorted already.
        if (!std::is_sorted(keyed.begin(), keyed.end(), less)) std::stable_sort(keyed.begin(), keyed.end(), less);
        for (const Keyed& k : keyed) entries.push_back(Entry{table.cell(k.row, kNb), targetOf(table, k.row)});
        return entries;
    }
    raw = paddedEntries(table, rows);
    for (std::size_t i : text::orderIgnoringCase(raw)) entries.push_back(readEntry(raw[i]));
    return entries;
}

constexpr std::string_view kErreur = "Erreur";

bool isFinal(std::string_view t) { return t == "Section" || t == kErreur || t == "*"; }

// The tree under construction: nodes in one vector, the children of a node
// next to each other (a node receives all its children in one visit).
struct Node {
    std::string_view text;
    int group = -1;  // the entries whose number is this text, -1 for none
    int first = -1;
    int count = 0;
};

class Builder {
public:
    // Entries of one number mostly follow each other in the sorted list, so
    // the number is looked up once per run of them. The entry positions of
    // every number stand together in one list, in list order.
    explicit Builder(const ResultTable& table) : entries_(sortedEntries(table, raw_)), groupOf_(entries_.size()) {
        used_.assign(entries_.size(), 0);
        std::vector<int> groupOfEntry(entries_.size());
        std::vector<int> sizes;
        int current = -1;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::string_view number = entries_[i].number;
            if (i == 0 || number != entries_[i - 1].number) {
                const auto [group, added] = groupOf_.insert(number, static_cast<int>(sizes.size()));
                if (added) sizes.push_back(0);
                current = group;
            }
            groupOfEntry[i] = current;
            ++sizes[static_cast<std::size_t>(current)];
            if (entries_[i].target.empty()) trackUsedOrder_ = true;
        }
        groupBegin_.resize(sizes.size());
        groupEnd_.resize(sizes.size());
        int at = 0;
        for (std::size_t g = 0; g < sizes.size(); ++g) {
            groupBegin_[g] = groupEnd_[g] = at;
            at += sizes[g];
        }
        positions_.resize(entries_.size());
        for (std::size_t i = 0; i < entries_.size(); ++i)
            positions_[static_cast<std::size_t>(groupEnd_[static_cast<std::size_t>(groupOfEntry[i])]++)] = static_cast<int>(i);
        // Each entry gives about one node: sized once, a long key's nodes are
        // not copied as they grow.
        nodes_.reserve(entries_.size() + 1);
    }

    Tree build() {
        Tree tree;
        if (entries_.empty()) return tree;
        placeRoot();
        expand();
        tree.roots.push_back(toTreeNode(0));
        return tree;
    }

    // The text of the tree `build` gives, written from the nodes themselves.
    std::string text() {
        std::string out;
        if (entries_.empty()) return out;
        placeRoot();
        expand();
        out.reserve(textSize(0, 0));
        appendNode(0, 0, out);
        return out;
    }

private:
    bool pending(int node) const { return nodes_[node].count == 0 && !isFinal(nodes_[node].text); }

    void addChild(int parent, std::string_view text) {
        Node& p = nodes_[parent];
        if (p.count == 0) p.first = static_cast<int>(nodes_.size());
        ++p.count;
        // Only a pending node is ever looked up.
        const int group = isFinal(text) || text.empty() ? -1 : groupOf_.find(text);
        nodes_.push_back(Node{text, group});
    }

    void markUsed(int position) {
        used_[position] = 1;
        if (trackUsedOrder_) usedPositions_.insert(position);
    }

    // The positions of a group not cleared yet.
    const int* groupBegin(int group) const { return positions_.data() + groupBegin_[static_cast<std::size_t>(group)]; }
    const int* groupEnd(int group) const { return positions_.data() + groupEnd_[static_cast<std::size_t>(group)]; }
    void clearGroup(int group) { groupEnd_[static_cast<std::size_t>(group)] = groupBegin_[static_cast<std::size_t>(group)]; }

    // The root's leads are placed without the self-reference test and stay
    // available, so a lead back to the first couplet shows its leads again.
    void placeRoot() {
        nodes_.push_back(Node{entries_.front().number, 0});
        for (const int* p = groupBegin(0); p != groupEnd(0); ++p) addChild(0, entries_[*p].target);
    }

    // Passes over the pending nodes, one depth at a time. A non-empty node
    // that found nothing never will (entries only get used, never freed), so
    // it is dropped from the list: it would keep the passes going to the
    // limit, but could change nothing.
    void expand() {
        std::vector<int> pendingNodes;
        for (int c = 0; c < nodes_[0].count; ++c)
            if (pending(nodes_[0].first + c)) pendingNodes.push_back(nodes_[0].first + c);
        std::vector<int> next;
        for (int pass = 0; pass < kMaxExpansionPasses && !pendingNodes.empty(); ++pass) {
            for (auto it = pendingNodes.rbegin(); it != pendingNodes.rend(); ++it) visit(*it);
            next.clear();
            for (int node : pendingNodes) {
                const Node& n = nodes_[node];
                if (n.count > 0) {
                    for (int c = n.first; c < n.first + n.count; ++c)
                        if (pending(c)) next.push_back(c);
                } else if (n.text.empty()) {
                    next.push_back(node);  // may still match entries used later
                }
            }
            pendingNodes.swap(next);
        }
    }

    void visit(int node) {
        if (nodes_[node].text.empty())
            visitEmpty(node);
        else
            visitNumber(node);
    }

    // Entries of this number not used yet give their targets and are used
    // up; a self-reference gives "Erreur" once, so that a faulty row shows in
    // one place only and the tree stays as large as the table.
    void visitNumber(int node) {
        const int group = nodes_[node].group;
        if (group < 0) return;
        for (const int* p = groupBegin(group); p != groupEnd(group); ++p) {
            const int position = *p;
            if (used_[position]) continue;
            const Entry& e = entries_[position];
            addChild(node, e.target == e.number ? kErreur : e.target);
            markUsed(position);
        }
        clearGroup(group);
    }

    // An empty node matches every used entry (its number reads as empty) and
    // every entry whose own number is empty, in list order. It is one faulty
    // place: all the used entries and entries without target that match it
    // give it a single "Erreur".
    void visitEmpty(int node) {
        const int group = groupOf_.find("");
        const int* emptyNumbered = group < 0 ? nullptr : groupBegin(group);
        const std::size_t emptyCount = group < 0 ? 0 : static_cast<std::size_t>(groupEnd(group) - emptyNumbered);
        auto usedIt = usedPositions_.begin();
        bool erred = false;
        std::size_t k = 0;
        while (true) {
            while (k < emptyCount && used_[emptyNumbered[k]]) ++k;
            const bool haveUsed = !erred && usedIt != usedPositions_.end();
            const bool haveEmpty = k < emptyCount;
            if (!haveUsed && !haveEmpty) break;
            if (haveUsed && (!haveEmpty || *usedIt < emptyNumbered[k])) {
                addChild(node, kErreur);
                erred = true;
                continue;
            }
            const int position = emptyNumbered[k++];
            if (entries_[position].target.empty()) {
                if (!erred) addChild(node, kErreur);
                erred = true;
            } else {
                addChild(node, entries_[position].target);
            }
            markUsed(position);  // lands before usedIt: not met again here
        }
        if (group >= 0) clearGroup(group);  // every entry met is used now
    }

    TreeNode toTreeNode(int node) {
        TreeNode out;
        out.text = nodes_[node].text;
        out.children.reserve(static_cast<std::size_t>(nodes_[node].count));
        for (int c = nodes_[node].first; c < nodes_[node].first + nodes_[node].count; ++c)
            out.children.push_back(toTreeNode(c));
        return out;
    }

    std::size_t textSize(int node, int depth) const {
        std::size_t size = static_cast<std::size_t>(depth) * 2 + nodes_[node].text.size() + 1;
        for (int c = nodes_[node].first; c < nodes_[node].first + nodes_[node].count; ++c) size += textSize(c, depth + 1);
        return size;
    }

    void appendNode(int node, int depth, std::string& out) const {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += nodes_[node].text;
        out += '\n';
        for (int c = nodes_[node].first; c < nodes_[node].first + nodes_[node].count; ++c) appendNode(c, depth + 1, out);
    }

    TextLines raw_;  // the padded entries, when the views below read them
    std::vector<Entry> entries_;
    std::vector<char> used_;
    TextIndex groupOf_;
    std::vector<int> positions_;
    std::vector<int> groupBegin_, groupEnd_;
    // Used entries in list order; only an empty node reads them, and empty
    // nodes exist only when some entry has an empty target.
    bool trackUsedOrder_ = false;
    std::set<int> usedPositions_;
    std::vector<Node> nodes_;
};

void appendText(const TreeNode& node, int depth, std::string& out) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += node.text;
    out += '\n';
    for (const auto& child : node.children) appendText(child, depth + 1, out);
}

}  // namespace

Tree buildTree(const ResultTable& table) { return Builder(table).build(); }

std::string treeText(const ResultTable& table) { return Builder(table).text(); }

std::string treeAsText(const Tree& tree) {
    std::string out;
    for (const auto& root : tree.roots) appendText(root, 0, out);
    return out;
}

}  // namespace sarvelo
