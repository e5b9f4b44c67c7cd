// Key checks: what a reader of the printed key would stumble on and the error
// scan does not see, found on the renumbered table. The couplets form a graph
// (a lead that refers to another couplet is an edge); one pass over the rows
// builds it, then a breadth-first walk finds what cannot be reached and a
// strongly-connected-components walk finds the loops. Everything is linear in
// the number of rows.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/engine.hpp"
#include "engine/text.hpp"
#include "engine/text_index.hpp"

namespace sarvelo {

namespace {

struct KindInfo {
    FindingLevel level;
    const char* caption;
    const char* code;
};

// In the order of FindingKind.
constexpr KindInfo kKinds[] = {
    {FindingLevel::Erreur, "Rang en erreur", "rang_en_erreur"},
    {FindingLevel::Erreur, "Couplet inexistant", "couplet_inexistant"},
    {FindingLevel::Erreur, "Couplet inaccessible", "couplet_inaccessible"},
    {FindingLevel::Erreur, "Boucle", "boucle"},
    {FindingLevel::Erreur, "Couplet à une seule entrée", "entree_seule"},
    {FindingLevel::Erreur, "Entrée sans renvoi ni définition", "sans_renvoi_ni_definition"},
    {FindingLevel::Avertissement, "Couplet à plus de deux entrées", "plus_de_deux_entrees"},
    {FindingLevel::Avertissement, "Même destination", "meme_destination"},
    {FindingLevel::Avertissement, "Même texte", "meme_texte"},
    {FindingLevel::Avertissement, "Entrées éloignées", "entrees_eloignees"},
    {FindingLevel::Avertissement, "Définition numérique", "definition_numerique"},
    {FindingLevel::Avertissement, "Définition répétée", "definition_repetee"},
    {FindingLevel::Avertissement, "Couplet atteint plusieurs fois", "couplet_partage"},
    {FindingLevel::Avertissement, "Aucun renvoi", "aucun_renvoi"},
};

const KindInfo& info(FindingKind kind) { return kKinds[static_cast<int>(kind)]; }

// Row kinds as views: compared by length first, which most cells fail at once.
constexpr std::string_view kRef = kReference;
constexpr std::string_view kDet = kDetermination;
constexpr std::string_view kSection = kSectionStart;

// Longer loops and lists are cut in the texts.
constexpr std::size_t kShownSteps = 10;

// A determination as compared: without surrounding blanks and final dots.
std::string_view determinationKey(std::string_view s) {
    s = text::withoutBlanks(s);
    while (!s.empty() && s.back() == '.') s.remove_suffix(1);
    return text::withoutBlanks(s);
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "52", or a name followed by a number: "Amanita. 52", "Lepiota p. 77", "Russula (12)".
enum class NumberLike { No, Number, EndsWithNumber };
NumberLike numberLike(std::string_view determination) {
    std::string_view s = text::withoutBlanks(determination);
    while (!s.empty() && (s.back() == '.' || s.back() == ')')) s.remove_suffix(1);
    if (allDigits(s)) return NumberLike::Number;
    const auto start = s.find_last_not_of("0123456789");
    if (start == std::string_view::npos || start + 1 == s.size()) return NumberLike::No;
    const char before = s[start];
    if (before != ' ' && before != '.' && before != '(' && before != '\t') return NumberLike::No;
    // "Group 1", "Section 2": the number belongs to the name; so does the
    // year after its author ("Zhao, 2011", "(de Man, 1880)").
    if (before == ' ' || before == '\t') {
        const std::string_view head = text::withoutBlanks(s.substr(0, start));
        if (s.size() - start - 1 == 4 && head.ends_with(",")) return NumberLike::No;
        // The book's number or page noted in brackets after the name
        // ("L. alba (no. 14)", "Pinus (p. 4)"): said as such, no reference.
        if (const std::string_view whole = text::withoutBlanks(determination); whole.size() > s.size() && whole[s.size()] == ')') {
            // Several numbers noted together: "(no. 10 en 11)", "(no. 3, 4)".
            std::string_view listed = head;
            for (bool more = true; more;) {
                bool joined = listed.ends_with(",");
                if (joined) listed.remove_suffix(1);
                for (std::string_view joining : {" en", " and", " und", " et", " &"})
                    if (!joined && listed.ends_with(joining)) {
                        listed.remove_suffix(joining.size());
                        joined = true;
                    }
                const auto digits = listed.find_last_not_of("0123456789-");
                more = joined && digits != std::string_view::npos && digits + 1 < listed.size();
                if (more) listed = text::withoutBlanks(listed.substr(0, digits + 1));
            }
            for (std::string_view word : text::kBookNumberWords)
                if (head.ends_with("(" + std::string(word)) || listed.ends_with("(" + std::string(word))) return NumberLike::No;
            for (std::string_view page : {"(p.", "(pp.", "(S."})
                if (head.ends_with(page)) return NumberLike::No;
        }
        const auto space = head.find_last_of(" \t");
        if (text::namesAGroup(space == std::string_view::npos ? head : head.substr(space + 1))) return NumberLike::No;
    }
    return NumberLike::EndsWithNumber;
}

// The last word of a description when it reads as a taxon name ("=Amanita.="
// gives "Amanita"): a reference after it is likely a page number.
std::string_view trailingName(std::string_view texte) {
    constexpr std::string_view kMarks = " \t.=*_,;:";
    const auto end = texte.find_last_not_of(kMarks);
    if (end == std::string_view::npos) return {};
    const auto begin = texte.find_last_of(kMarks, end);
    std::string_view word = texte.substr(begin == std::string_view::npos ? 0 : begin + 1,
                                         end - (begin == std::string_view::npos ? 0 : begin + 1) + 1);
    if (word.size() < 3 || word[0] < 'A' || word[0] > 'Z') return {};
    if (!std::all_of(word.begin() + 1, word.end(), [](char c) { return c >= 'a' && c <= 'z'; })) return {};
    return word;
}

std::string quoted(std::string_view s) { return "« " + std::string(s) + " »"; }

// Couplet numbers to indices in order of first appearance. After the
// renumbering they are mostly 1, 2, 3 ... in decimal, which index a vector.
class CoupletIndex {
public:
    explicit CoupletIndex(int rows) : byValue_(static_cast<std::size_t>(rows) + 1, -1), others_(static_cast<std::size_t>(rows)) {}

    int find(std::string_view nb) const {
        const int value = smallValue(nb);
        if (value >= 0) return byValue_[value];
        return others_.find(nb);
    }

    int insert(std::string_view nb, int row) {
        const int value = smallValue(nb);
        const int next = static_cast<int>(names_.size());
        int found;
        if (value >= 0) {
            int& slot = byValue_[value];
            if (slot < 0) slot = next;
            found = slot;
        } else {
            found = others_.insert(nb, next).first;
        }
        if (found == next) {
            names_.push_back(nb);
            firstRow_.push_back(row);
        }
        return found;
    }

    int size() const { return static_cast<int>(names_.size()); }
    std::string name(int couplet) const { return std::string(names_[couplet]); }
    int firstRow(int couplet) const { return firstRow_[couplet]; }

private:
    // The value of a decimal number without leading zero that fits the
    // vector, -1 for any other text.
    int smallValue(std::string_view s) const {
        if (s.empty() || s.size() > 9 || s[0] == '0') return -1;
        long long v = 0;
        for (char c : s) {
            if (c < '0' || c > '9') return -1;
            v = v * 10 + (c - '0');
        }
        return v < static_cast<long long>(byValue_.size()) ? static_cast<int>(v) : -1;
    }

    std::vector<int> byValue_;
    TextIndex others_;
    std::vector<std::string_view> names_;  // cells of the table, which does not change meanwhile
    std::vector<int> firstRow_;
};

// Items grouped by a key from 0 to keys - 1, each group in item order (a
// counting sort); items with a negative key are left out.
struct Groups {
    std::vector<int> start;  // keys + 1 entries
    std::vector<int> items;
    const int* begin(int key) const { return items.data() + start[key]; }
    const int* end(int key) const { return items.data() + start[key + 1]; }
};

template <typename KeyOf>
Groups groupBy(int keys, int count, KeyOf keyOf) {
    Groups g;
    g.start.assign(static_cast<std::size_t>(keys) + 1, 0);
    for (int i = 0; i < count; ++i)
        if (const int k = keyOf(i); k >= 0) ++g.start[k + 1];
    for (int k = 0; k < keys; ++k) g.start[k + 1] += g.start[k];
    g.items.resize(static_cast<std::size_t>(g.start.back()));
    std::vector<int> fill(g.start.begin(), g.start.end() - 1);
    for (int i = 0; i < count; ++i)
        if (const int k = keyOf(i); k >= 0) g.items[fill[k]++] = i;
    return g;
}

class Checker {
public:
    Checker(const ResultTable& table, const std::vector<int>& rowOrigin, const std::vector<MissingTarget>& missing,
            const CheckOptions& options)
        : t_(table), origin_(rowOrigin), n_(table.dataRows()), couplets_(n_), options_(options) {
        missingLabel_.assign(static_cast<std::size_t>(n_) + 1, nullptr);
        for (const MissingTarget& m : missing)
            if (m.row >= 1 && m.row <= n_) missingLabel_[m.row] = &m.label;
    }

    std::vector<Finding> run() {
        numberRows();
        checkRows();
        groupLeads();
        checkCouplets();
        buildGraph();
        checkLoops();
        checkShared();
        checkReach();
        checkRepeatedTaxa();
        if (references_ == 0 && couplets_.size() > 1)
            add(FindingKind::NoReference, -1, 0,
                "Aucune entrée ne renvoie à un autre couplet : toutes sont des définitions. Le séparateur de "
                "définition précède-t-il aussi les renvois ? (page (4) Définition)");
        std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
            return a.row != b.row ? a.row < b.row : a.kind < b.kind;
        });
        return std::move(findings_);
    }

private:
    // Where a lead goes, as compared between the leads of a couplet.
    struct RowEnd {
        enum Kind : char { kNone, kToCouplet, kToDetermination, kToSection };
        Kind kind = kNone;
        int couplet = -1;       // kToCouplet
        std::string_view text;  // kToDetermination, kToSection
        explicit operator bool() const { return kind != kNone; }
        auto operator<=>(const RowEnd&) const = default;
    };

    // A lead that refers to another couplet.
    struct Edge {
        int from;
        int to;
        int row;
    };

    std::string_view cell(int row, int column) const { return t_.cell(row, column); }

    // A couplet number as the user knows it: the label of the file it was
    // read from, when there is one.
    std::string label(std::string_view number) const {
        const std::vector<std::string>* labels = options_.coupletLabels;
        if (labels && allDigits(number) && number.size() < 10) {
            const auto value = static_cast<std::size_t>(std::stoll(std::string(number)));
            if (value < labels->size() && !(*labels)[value].empty()) return (*labels)[value];
        }
        return std::string(number);
    }
    std::string name(int couplet) const { return label(couplets_.name(couplet)); }

    Finding& add(FindingKind kind, int couplet, int row, std::string text) {
        Finding f;
        f.kind = kind;
        f.level = info(kind).level;
        if (couplet >= 0) f.couplet = name(couplet);
        f.row = row;
        if (row >= 1 && static_cast<std::size_t>(row - 1) < origin_.size()) f.line = origin_[row - 1];
        f.text = std::move(text);
        findings_.push_back(std::move(f));
        return findings_.back();
    }

    // Every lead gets the index of its couplet; a section start opens a part
    // of the key whose first couplet is reached through the section.
    void numberRows() {
        couplet_.assign(static_cast<std::size_t>(n_) + 1, -1);
        ends_.assign(static_cast<std::size_t>(n_) + 1, RowEnd{});
        bool rootNext = true;
        for (int r = 1; r <= n_; ++r) {
            const std::string_view nb = cell(r, kNb);
            if (nb == kSection) {
                rootNext = true;
                continue;
            }
            if (nb.empty()) continue;
            const int c = couplets_.insert(nb, r);
            couplet_[r] = c;
            if (rootNext) {
                roots_.push_back(c);
                rootNext = false;
            }
        }
    }

    void checkRows() {
        for (int r = 1; r <= n_; ++r) {
            const std::string_view nb = cell(r, kNb);
            if (nb == kSection) continue;
            const std::string_view kind = cell(r, kKind);
            const std::string_view target = cell(r, kTarget);
            const int c = couplet_[r];
            const bool inError = rowInError(t_, r);
            if (kind.empty() && (!nb.empty() || !inError)) {
                add(FindingKind::NoEnding, c, r, "Aucun séparateur de renvoi ni de définition sur la ligne");
            } else if (inError) {
                std::string text;
                if (!nb.empty() && nb == target)
                    text = kind == kDet ? "La définition " + quoted(target) + " est le numéro du couplet"
                                                  : "L'entrée renvoie à son propre couplet " + std::string(nb);
                else if (nb.empty() && kind.empty())
                    text = "Ligne sans numéro ni description (commentaire ou ligne non reconnue)";
                else
                    text = "Entrée sans description";
                add(FindingKind::RowInError, c, r, std::move(text));
            }
            if (kind == kRef) {
                ++references_;
                checkReference(r, c, target);
            } else if (kind == kDet) {
                checkDetermination(r, c, target);
            } else if (kind == kSectionReference && !text::withoutBlanks(target).empty()) {
                ends_[r] = {RowEnd::kToSection, -1, text::withoutBlanks(target)};
            }
        }
    }

    void checkReference(int r, int c, std::string_view target) {
        const std::string* label = missingLabel_[r];
        const int to = label ? -1 : couplets_.find(target);
        if (label || (to < 0 && !target.empty())) {
            const std::string named = this->label(label ? *label : target);
            std::string text = "Renvoi au couplet " + named + ", qui n'existe pas";
            if (couplets_.find(target) >= 0)
                text += " dans le texte : le " + this->label(target) + " du tableau est un autre couplet";
            if (const std::string_view name = trailingName(cell(r, kTexte)); !name.empty())
                text += " (après " + quoted(name) + " : un numéro de page ?)";
            add(FindingKind::MissingCouplet, c, r, std::move(text));
            return;
        }
        if (to < 0) {
            add(FindingKind::NoEnding, c, r, "Renvoi vide : l'entrée ne mène nulle part");
            return;
        }
        if (to == c) return;  // counted by the error scan
        ends_[r] = {RowEnd::kToCouplet, to, {}};
        if (c < 0)
            extraRoots_.push_back(to);  // a lead without number still leads somewhere
        else
            edges_.push_back({c, to, r});
    }

    void checkDetermination(int r, int c, std::string_view target) {
        const std::string_view key = determinationKey(target);
        if (!key.empty()) {
            determinations_.push_back({key, r});
            ends_[r] = {RowEnd::kToDetermination, -1, key};
        }
        switch (numberLike(target)) {
            case NumberLike::Number:
                add(FindingKind::NumberLikeDetermination, c, r,
                    "La définition " + quoted(text::withoutBlanks(target)) + " est un nombre : un renvoi lu comme une définition ?");
                break;
            case NumberLike::EndsWithNumber:
                add(FindingKind::NumberLikeDetermination, c, r,
                    "La définition " + quoted(text::withoutBlanks(target)) + " se termine par un nombre : numéro de page ou renvoi ?");
                break;
            case NumberLike::No:
                break;
        }
    }

    // The rows of each couplet, in row order.
    void groupLeads() {
        leads_ = groupBy(couplets_.size(), n_ + 1, [&](int r) { return couplet_[r]; });
    }

    // For each lead of a group, the first earlier lead with an equal key:
    // pairs for the few leads of an ordinary couplet, a sort for a large one.
    template <typename Key, typename Report>
    void forEachRepeat(const int* begin, const int* end, Key key, Report report) {
        const auto count = end - begin;
        if (count <= 16) {
            for (const int* j = begin + 1; j < end; ++j) {
                const auto kj = key(*j);
                if (!kj) continue;
                for (const int* i = begin; i < j; ++i)
                    if (key(*i) == kj) {
                        report(*i, *j);
                        break;
                    }
            }
            return;
        }
        std::vector<int> rows(begin, end);
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return key(a) < key(b); });
        for (std::size_t i = 0; i < rows.size();) {
            std::size_t j = i + 1;
            while (j < rows.size() && key(rows[j]) == key(rows[i])) ++j;
            if (key(rows[i]))
                for (std::size_t m = i + 1; m < j; ++m) report(rows[i], rows[m]);
            i = j;
        }
    }

    void checkCouplets() {
        // Rows that carry a couplet, counted up to each row: the leads of a
        // couplet are interleaved when other couplets stand between two of them.
        std::vector<int> numbered(static_cast<std::size_t>(n_) + 1, 0);
        for (int r = 1; r <= n_; ++r)
            numbered[r] = numbered[r - 1] + (couplet_[r] >= 0);

        for (int c = 0; c < couplets_.size(); ++c) {
            const int* begin = leads_.begin(c);
            const int* end = leads_.end(c);
            const auto count = end - begin;
            if (count == 1) add(FindingKind::SingleLead, c, *begin, "Le couplet " + name(c) + " n'a qu'une entrée");
            if (count >= 3)
                add(FindingKind::ManyLeads, c, *begin, "Le couplet " + name(c) + " a " + std::to_string(count) + " entrées");

            forEachRepeat(begin, end, [&](int r) { return ends_[r]; }, [&](int first, int r) {
                const std::string_view kind = cell(r, kKind);
                std::string where = kind == kRef      ? "au couplet " + label(cell(r, kTarget))
                                    : kind == kDet ? "à la définition " + quoted(determinationKey(cell(r, kTarget)))
                                                             : "à " + quoted(text::withoutBlanks(cell(r, kTarget)));
                add(FindingKind::SameDestination, c, r,
                    "Les entrées des rangs " + std::to_string(first) + " et " + std::to_string(r) + " mènent toutes deux " + where);
            });
            forEachRepeat(begin, end, [&](int r) -> std::optional<std::string_view> {
                const std::string_view texte = text::withoutBlanks(cell(r, kTexte));
                if (texte.empty()) return std::nullopt;
                return texte;
            }, [&](int first, int r) {
                add(FindingKind::SameText, c, r,
                    "Les entrées des rangs " + std::to_string(first) + " et " + std::to_string(r) + " ont le même texte");
            });

            // A nested key puts the sub-key of a lead right under it: other
            // couplets between the leads are then its layout, not a slip.
            for (const int* p = begin + 1; p < end; ++p) {
                const int q = *(p - 1);
                const int r = *p;
                if (numbered[r - 1] == numbered[q]) continue;
                const bool subKeyBelow = ends_[q].kind == RowEnd::kToCouplet && q + 1 <= n_ && couplet_[q + 1] >= 0 &&
                                         ends_[q].couplet == couplet_[q + 1];
                if (subKeyBelow) continue;
                add(FindingKind::ScatteredLeads, c, r,
                    "Les entrées du couplet " + name(c) + " sont séparées par d'autres couplets (rangs " +
                        std::to_string(q) + " et " + std::to_string(r) + ")");
                break;
            }
        }
    }

    // The references by the couplet they leave.
    void buildGraph() {
        out_ = groupBy(couplets_.size(), static_cast<int>(edges_.size()), [&](int e) { return edges_[e].from; });
    }
    const Edge& outEdge(int position) const { return edges_[out_.items[position]]; }

    // A couplet that leads of several couplets go on to: the paths through
    // the key join (a reticulation), reported at the second couplet's lead.
    // A lead inside the couplet's own loop is the loop's finding.
    void checkShared() {
        // Edges are made in row order; grouped by target they stay in it.
        const Groups in = groupBy(couplets_.size(), static_cast<int>(edges_.size()), [&](int e) { return edges_[e].to; });
        std::vector<int> from;
        std::vector<int> seenFor(static_cast<std::size_t>(couplets_.size()), -1);  // by source: the last target counted
        for (int c = 0; c < couplets_.size(); ++c) {
            from.clear();
            const Edge* second = nullptr;
            for (const int* e = in.begin(c); e < in.end(c); ++e) {
                const Edge& edge = edges_[*e];
                if (seenFor[edge.from] == c || component_[edge.from] == component_[c]) continue;
                seenFor[edge.from] = c;
                from.push_back(edge.from);
                if (from.size() == 2) second = &edge;
            }
            if (!second) continue;
            std::string list;
            for (std::size_t m = 0; m < from.size() && m < kShownSteps; ++m) list += (m ? ", " : "") + name(from[m]);
            if (from.size() > kShownSteps) list += ", …";
            add(FindingKind::SharedCouplet, c, second->row,
                "Le couplet " + name(c) + " est atteint depuis " + std::to_string(from.size()) + " couplets (" + list +
                    ") : les chemins de la clé se rejoignent");
        }
    }

    // The couplets out of reach of the first couplet (and of the sections'
    // first couplets). One finding per part of the key that nothing leads
    // into: a couplet, or a loop, no reachable couplet refers to; the
    // couplets it leads to come with it.
    void checkReach() {
        const int k = couplets_.size();
        if (k == 0) return;
        std::vector<char> reached(static_cast<std::size_t>(k), 0);
        std::vector<int> queue;
        queue.reserve(static_cast<std::size_t>(k));
        auto walk = [&](std::size_t from) {
            for (std::size_t i = from; i < queue.size(); ++i)
                for (int e = out_.start[queue[i]]; e < out_.start[queue[i] + 1]; ++e) {
                    const int to = outEdge(e).to;
                    if (!reached[to]) {
                        reached[to] = 1;
                        queue.push_back(to);
                    }
                }
        };
        for (int c : roots_) reached[c] = 1, queue.push_back(c);
        for (int c : extraRoots_)
            if (!reached[c]) reached[c] = 1, queue.push_back(c);
        walk(0);
        if (static_cast<int>(queue.size()) == k) return;

        // Components entered from another component are not where a part starts.
        std::vector<char> entered(static_cast<std::size_t>(components_), 0);
        for (const Edge& e : edges_)
            if (component_[e.from] != component_[e.to])
                entered[component_[e.to]] = 1;
        const Groups members = groupBy(components_, k, [&](int c) { return component_[c]; });
        const std::string first = name(roots_.front());
        for (int c = 0; c < k; ++c) {
            const int comp = component_[c];
            if (reached[c] || entered[comp]) continue;
            const std::size_t begin = queue.size();
            // Couplets are numbered in text order: c is its component's first.
            for (const int* m = members.begin(comp); m < members.end(comp); ++m) {
                reached[*m] = 1;
                queue.push_back(*m);
            }
            const std::size_t loop = queue.size() - begin;
            walk(begin);
            const std::string named = name(c);
            std::string text = loop > 1 ? "Le couplet " + named + " n'est atteint que depuis sa boucle"
                                        : "Aucune entrée ne renvoie au couplet " + named;
            text += " : il ne peut être atteint depuis le couplet " + first;
            const std::size_t below = queue.size() - begin - 1;
            if (below == 1) text += ", ni l'autre couplet qui en dépend";
            if (below > 1) text += ", ni les " + std::to_string(below) + " couplets qui en dépendent";
            Finding& f = add(FindingKind::UnreachableCouplet, c, couplets_.firstRow(c), std::move(text));
            for (std::size_t i = begin; i < queue.size(); ++i) f.couplets.push_back(name(queue[i]));
        }
    }

    // Strongly connected components (Tarjan's walk, without recursion); each
    // component of two couplets or more holds a loop, reported once.
    void checkLoops() {
        const int k = couplets_.size();
        std::vector<int> order(static_cast<std::size_t>(k), -1), low(static_cast<std::size_t>(k), 0);
        std::vector<int>& component = component_;
        component.assign(static_cast<std::size_t>(k), -1);
        std::vector<char> onStack(static_cast<std::size_t>(k), 0);
        std::vector<int> stack;
        std::vector<std::pair<int, int>> walk;  // couplet, next edge
        int counter = 0;
        int& components = components_;
        for (int start = 0; start < k; ++start) {
            if (order[start] >= 0) continue;
            walk.push_back({start, out_.start[start]});
            order[start] = low[start] = counter++;
            stack.push_back(start);
            onStack[start] = 1;
            while (!walk.empty()) {
                auto& [v, e] = walk.back();
                if (e < out_.start[v + 1]) {
                    const int w = outEdge(e++).to;
                    if (order[w] < 0) {
                        order[w] = low[w] = counter++;
                        stack.push_back(w);
                        onStack[w] = 1;
                        walk.push_back({w, out_.start[w]});
                    } else if (onStack[w]) {
                        low[v] = std::min(low[v], order[w]);
                    }
                    continue;
                }
                const int done = v;
                walk.pop_back();
                if (!walk.empty())
                    low[walk.back().first] =
                        std::min(low[walk.back().first], low[done]);
                if (low[done] != order[done]) continue;
                std::size_t size = 0;
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[w] = 0;
                    component[w] = components;
                    ++size;
                } while (w != done);
                if (size >= 2) loopStarts_.push_back(done);
                ++components;
            }
        }
        std::vector<int> position(static_cast<std::size_t>(k), -1);
        for (int start : loopStarts_) reportLoop(start, component, position);
    }

    // Follows references inside the component until a couplet comes back:
    // the steps from its first visit form the loop.
    void reportLoop(int start, const std::vector<int>& component, std::vector<int>& position) {
        std::vector<const Edge*> steps;
        int v = start;
        while (position[v] < 0) {
            position[v] = static_cast<int>(steps.size());
            const Edge* next = nullptr;
            for (int e = out_.start[v]; e < out_.start[v + 1] && !next; ++e)
                if (component[outEdge(e).to] == component[v]) next = &outEdge(e);
            steps.push_back(next);
            v = next->to;
        }
        const auto from = static_cast<std::size_t>(position[static_cast<std::size_t>(v)]);
        // The loop starts at the couplet met first in the text.
        std::size_t first = from;
        for (std::size_t i = from; i < steps.size(); ++i)
            if (steps[i]->from < steps[first]->from) first = i;
        std::vector<std::string> names;
        std::string path;
        const std::size_t length = steps.size() - from;
        for (std::size_t i = 0; i < length; ++i) {
            const Edge& step = *steps[from + (first - from + i) % length];
            names.push_back(name(step.from));
            if (i < kShownSteps) path += names.back() + " -> ";
        }
        if (length > kShownSteps) path += "… -> ";
        path += names.front();
        if (length > kShownSteps) path += " (" + std::to_string(length) + " couplets)";
        const Edge& opening = *steps[first];
        Finding& f = add(FindingKind::Loop, opening.from, opening.row,
                         "Les renvois reviennent au couplet " + names.front() + " : " + path);
        f.couplets = std::move(names);
        for (std::size_t i = 0; i < steps.size(); ++i) position[steps[i]->from] = -1;
    }

    // One determination reached from several couplets: common and often
    // meant ("p.p.", a family keyed out in several places), reported once,
    // at its first row; unless asked for each, all of them in one line.
    void checkRepeatedTaxa() {
        TextIndex firstOf(determinations_.size());
        std::vector<int> next(determinations_.size(), -1), last(determinations_.size(), -1);
        for (int i = 0; i < static_cast<int>(determinations_.size()); ++i) {
            const auto [first, added] = firstOf.insert(determinations_[i].first, i);
            if (added) {
                last[i] = i;
                continue;
            }
            next[last[first]] = i;
            last[first] = i;
        }
        struct Repeated {
            int first;  // index in determinations_
            std::vector<int> from;
        };
        std::vector<Repeated> repeated;
        for (int i = 0; i < static_cast<int>(determinations_.size()); ++i) {
            if (last[i] < 0 || last[i] == i) continue;
            std::vector<int> from;
            for (int j = i; j >= 0; j = next[j]) {
                const int c = couplet_[determinations_[j].second];
                if (std::find(from.begin(), from.end(), c) == from.end()) from.push_back(c);
            }
            if (from.size() >= 2) repeated.push_back({i, std::move(from)});
        }
        if (repeated.size() > 1 && !options_.everyRepeatedTaxon) {
            std::string list;
            for (std::size_t m = 0; m < repeated.size() && m < kShownSteps; ++m)
                list += (m ? ", " : "") + quoted(determinations_[repeated[m].first].first) + " (" +
                        std::to_string(repeated[m].from.size()) + ")";
            if (repeated.size() > kShownSteps) list += ", …";
            const int row = determinations_[repeated.front().first].second;
            add(FindingKind::RepeatedTaxon, couplet_[row], row,
                std::to_string(repeated.size()) + " définitions sont atteintes depuis plusieurs couplets "
                "(nombre de couplets) : " + list);
            return;
        }
        for (const Repeated& r : repeated) {
            std::string list;
            for (std::size_t m = 0; m < r.from.size() && m < kShownSteps; ++m)
                list += (m ? ", " : "") + (r.from[m] >= 0 ? name(r.from[m]) : std::string("?"));
            if (r.from.size() > kShownSteps) list += ", …";
            const int row = determinations_[r.first].second;
            add(FindingKind::RepeatedTaxon, couplet_[row], row,
                quoted(determinations_[r.first].first) + " est atteinte depuis " +
                    std::to_string(r.from.size()) + " couplets : " + list);
        }
    }

    const ResultTable& t_;
    const std::vector<int>& origin_;
    const int n_;
    CoupletIndex couplets_;
    const CheckOptions& options_;
    std::vector<const std::string*> missingLabel_;  // per row
    std::vector<int> couplet_;                      // per row, -1 for none
    std::vector<RowEnd> ends_;                      // per row
    std::vector<int> roots_;
    std::vector<int> extraRoots_;
    std::vector<Edge> edges_;
    Groups out_;    // edges by couplet
    Groups leads_;  // rows by couplet
    std::vector<int> loopStarts_;
    std::vector<int> component_;  // per couplet: its strongly connected component
    int components_ = 0;
    std::vector<std::pair<std::string_view, int>> determinations_;  // key, row
    int references_ = 0;
    std::vector<Finding> findings_;
};

}  // namespace

FindingLevel levelOf(FindingKind kind) { return info(kind).level; }
const char* levelName(FindingLevel level) { return level == FindingLevel::Erreur ? "erreur" : "avertissement"; }
const char* kindCaption(FindingKind kind) { return info(kind).caption; }
const char* kindCode(FindingKind kind) { return info(kind).code; }

std::vector<Finding> checkKey(const ResultTable& table, const std::vector<int>& rowOrigin,
                              const std::vector<MissingTarget>& missing, const CheckOptions& options) {
    return Checker(table, rowOrigin, missing, options).run();
}

bool hasErreur(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.level == FindingLevel::Erreur; });
}

}  // namespace sarvelo
