#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/text.hpp"
#include "review/tree.hpp"
#include "support/tables.hpp"

using namespace sarvelo;

namespace {

using sarvelo::testing::Cells;
using sarvelo::testing::tableOf;
using Row = Cells;

Row lead(std::string nb, std::string target) { return {std::move(nb), "desc", "->", std::move(target)}; }
Row determination(std::string nb) { return {std::move(nb), "desc", "=>", "Amanita"}; }

TreeNode node(std::string text, std::vector<TreeNode> children = {}) { return TreeNode{std::move(text), std::move(children)}; }

bool sameTree(const TreeNode& a, const TreeNode& b) {
    if (a.text != b.text || a.children.size() != b.children.size()) return false;
    for (std::size_t i = 0; i < a.children.size(); ++i)
        if (!sameTree(a.children[i], b.children[i])) return false;
    return true;
}

std::string shown(const Tree& t) { return treeAsText(t); }

// The build done the slow, literal way: a list of entry texts, used entries
// blanked (self-references too, once shown), the whole tree walked in display
// order at every pass. The real build must give the same trees.
class LiteralBuild {
public:
    explicit LiteralBuild(const ResultTable& table) {
        for (int r = 1; r <= table.dataRows(); ++r) {
            const std::string nb(table.cell(r, kNb));
            if (nb == "S") break;
            const std::string target(table.cell(r, kKind) == "=>"   ? "*"
                                     : table.cell(r, kKind) == "VS" ? "Section"
                                                                    : table.cell(r, kTarget));
            std::string e = "0" + nb;
            while (text::length(e) < 5) e = "0" + e;
            list_.push_back(e + "->" + target + " ! " + std::to_string(r));
        }
        std::sort(list_.begin(), list_.end(),
                  [](const std::string& a, const std::string& b) { return text::lessIgnoringCase(a, b); });
        for (auto& e : list_) e.erase(0, e.find_first_not_of('0'));
    }

    Tree run() {
        Tree tree;
        if (list_.empty()) return tree;
        Node root{number(list_[0]), {}};
        for (const auto& e : list_)
            if (number(e) == root.text) root.kids.push_back(std::make_unique<Node>(Node{target(e), {}}));
        int passes = 0;
        bool met = false;
        do {
            std::vector<Node*> order;
            collect(&root, order);
            met = false;
            for (auto it = order.rbegin(); it != order.rend(); ++it) {
                Node* n = *it;
                if (!n->kids.empty() || n->text == "Section" || n->text == "Erreur" || n->text == "*") continue;
                met = true;
                bool erred = false;  // an empty node gets one "Erreur" at most
                for (auto& e : list_) {
                    if (number(e) != n->text) continue;
                    if (target(e) == number(e)) {
                        if (!n->text.empty() || !erred) n->kids.push_back(std::make_unique<Node>(Node{"Erreur", {}}));
                        erred = true;
                    } else {
                        n->kids.push_back(std::make_unique<Node>(Node{target(e), {}}));
                    }
                    e = " ";
                }
            }
            ++passes;
        } while (met && passes < kMaxExpansionPasses);
        passesRun = passes;
        tree.roots.push_back(convert(root));
        return tree;
    }

    int passesRun = 0;

private:
    struct Node {
        std::string text;
        std::vector<std::unique_ptr<Node>> kids;
    };
    static std::string number(const std::string& e) {
        const auto a = e.find("->");
        return a == std::string::npos ? "" : e.substr(0, a);
    }
    static std::string target(const std::string& e) {
        const auto a = e.find("->");
        if (a == std::string::npos) return "";
        return e.substr(a + 2, e.find(" !", a + 2) - (a + 2));
    }
    static void collect(Node* n, std::vector<Node*>& out) {
        out.push_back(n);
        for (auto& k : n->kids) collect(k.get(), out);
    }
    static TreeNode convert(const Node& n) {
        TreeNode t{n.text, {}};
        for (const auto& k : n.kids) t.children.push_back(convert(*k));
        return t;
    }
    std::vector<std::string> list_;
};

}  // namespace

TEST(Tree, TwoCouplets) {
    const Tree t = buildTree(tableOf({lead("1", "2"), determination("1"), determination("2"), determination("2")}));
    ASSERT_EQ(t.roots.size(), 1u);
    EXPECT_TRUE(sameTree(t.roots[0], node("1", {node("*"), node("2", {node("*"), node("*")})}))) << shown(t);
    EXPECT_EQ(treeAsText(t), "1\n  *\n  2\n    *\n    *\n");
}

TEST(Tree, SelfReferenceIsAnErrorUnderItsCoupletButNotAtTheRoot) {
    // Couplet 2 leads back to itself; couplet 1 too, which the root shows as a
    // plain "1" whose own expansion then meets the self-reference. Each
    // faulty lead shows once: the second "2" stays a leaf.
    const Tree t = buildTree(tableOf({lead("1", "2"), lead("1", "1"), lead("2", "2"), determination("2")}));
    EXPECT_TRUE(sameTree(t.roots[0], node("1", {node("1", {node("Erreur"), node("2")}),
                                                node("2", {node("*"), node("Erreur")})})))
        << shown(t);
}

TEST(Tree, CoupletReferredTwiceIsPlacedOnceAndTheOtherReferenceStaysALeaf) {
    const auto table = tableOf({lead("1", "2"), lead("1", "3"), lead("2", "3"), determination("2"),
                                determination("3"), determination("3")});
    const Tree t = buildTree(table);
    // The lowest reference of the first depth reached takes couplet 3.
    EXPECT_TRUE(sameTree(t.roots[0], node("1", {node("2", {node("*"), node("3")}), node("3", {node("*"), node("*")})})))
        << shown(t);
    LiteralBuild literal(table);
    literal.run();
    EXPECT_EQ(literal.passesRun, kMaxExpansionPasses);
}

TEST(Tree, MissingCoupletsSectionsAndRowsAfterTheFirstSectionStart) {
    const Tree t = buildTree(tableOf({lead("1", "7"), {"1", "desc", "VS", "Boletus"}, {"S", "", "S", "Section I"},
                                      lead("7", "8"), determination("7")}));
    EXPECT_TRUE(sameTree(t.roots[0], node("1", {node("7"), node("Section")}))) << shown(t);
    EXPECT_TRUE(buildTree(tableOf({{"S", "", "S", "Section I"}, lead("1", "2")})).roots.empty());
    EXPECT_TRUE(buildTree(ResultTable{}).roots.empty());
}

TEST(Tree, CoupletNumbersSortAsNumbersAndTheirOwnLeadingZerosGo) {
    const Tree t = buildTree(tableOf({lead("10", "9"), lead("9", "10"), determination("9"), determination("10"),
                                      lead("007", "9")}));
    // Couplet 7 (written 007) comes first and is the root.
    EXPECT_TRUE(sameTree(t.roots[0], node("7", {node("9", {node("*"), node("10", {node("*"), node("9")})})})))
        << shown(t);
}

TEST(Tree, RowsWithoutNumberMakeAnEmptyRoot) {
    const Tree t = buildTree(tableOf({{"", "REM x", "", "1"}, lead("1", "2"), determination("1"), {"", "", "", "2"},
                                      determination("2"), determination("2")}));
    // The last pending node in display order takes its couplet first.
    EXPECT_TRUE(sameTree(t.roots[0], node("", {node("1", {node("*"), node("2")}), node("2", {node("*"), node("*")})})))
        << shown(t);
}

TEST(Tree, EmptyTargetGetsOneErrorForTheEntriesUsedSoFar) {
    const auto table = tableOf({lead("1", "2"), lead("1", "3"), lead("2", ""), determination("2"),
                                determination("3"), lead("3", "4")});
    const Tree t = buildTree(table);
    EXPECT_TRUE(sameTree(t.roots[0], node("1", {node("2", {node("", {node("Erreur")}), node("*")}),
                                                node("3", {node("*"), node("4")})})))
        << shown(t);
}

std::size_t nodeCount(const TreeNode& n) {
    std::size_t count = 1;
    for (const auto& c : n.children) count += nodeCount(c);
    return count;
}

TEST(Tree, FaultyRowsShowOnceSoTheTreeStaysAsLargeAsTheTable) {
    // Every row refers to its own couplet, or has an empty number and target.
    for (const Row& faulty : {lead("1", "1"), Row{"", "d", "", ""}}) {
        const Tree t = buildTree(tableOf(std::vector<Row>(3000, faulty)));
        ASSERT_EQ(t.roots.size(), 1u);
        EXPECT_LE(nodeCount(t.roots[0]), 2u * 3000 + 1) << faulty.nb;
    }
}

TEST(Tree, EmptyTargetTakesTheRowsWithoutNumber) {
    // Couplet "*" sorts before the rows without number and so stays the root.
    const auto table = tableOf({{"*", "d", "->", ""}, determination("*"), {"", "x", "", "7"}, {"", "x", "", ""},
                                determination("7")});
    const Tree t = buildTree(table);
    EXPECT_TRUE(sameTree(t.roots[0], node("*", {node("", {node("Erreur"), node("7", {node("*")})}), node("*")})))
        << shown(t);
}

TEST(Tree, EmptyNodeMetBeforeAnythingIsUsedWaitsForTheNextPass) {
    // A target of a control character sorts before the empty one, so the empty
    // node is the last in display order and is visited first, when nothing is
    // used yet; it stays pending and takes the used entries one pass later.
    const auto table = tableOf({lead("\x01", "\x02"), lead("\x01", ""), determination("\x02"), determination("\x02")});
    const Tree t = buildTree(table);
    EXPECT_TRUE(sameTree(t.roots[0], node("\x01", {node("\x02", {node("*"), node("*")}), node("", {node("Erreur")})})))
        << shown(t);
}

TEST(Tree, DeepKeyStopsExpandingAfterOneHundredPasses) {
    std::vector<Row> rows;
    for (int k = 1; k <= 150; ++k) {
        rows.push_back(lead(std::to_string(k), std::to_string(k + 1)));
        rows.push_back(determination(std::to_string(k)));
    }
    const Tree t = buildTree(tableOf(rows));
    const TreeNode* n = &t.roots[0];
    int depth = 0;
    while (!n->children.empty()) {
        ASSERT_EQ(n->children.size(), 2u);
        EXPECT_EQ(n->children[0].text, "*");
        n = &n->children[1];
        ++depth;
    }
    EXPECT_EQ(depth, 101);
    EXPECT_EQ(n->text, "102");
}

// Labels of every kind, then numbers only (as a renumbered key has them),
// whose padded texts do not sort as their values beyond four digits, with
// targets that differ in case only or hold the entry's own " !".
TEST(Tree, SameTreesAsTheLiteralBuildOnRandomTables) {
    struct Pool {
        std::vector<std::string> numbers, targets;
    };
    const std::vector<Pool> pools{
        {{"1", "2", "3", "4", "5", "", "0", "02", "a", "A", " 3"}, {"1", "2", "3", "4", "5", "6", "", "02", "a", "Erreur"}},
        {{"1", "2", "12", "1234", "12345", "9999", "10000", "100000", "1000000", "12345678"},
         {"1", "12", "1234", "12345", "10000", "Abc", "abc", "x !y", ""}}};
    std::mt19937 rng(12345);
    const std::vector<std::string> kinds{"->", "->", "->", "=>", "VS", "", "S"};
    for (int round = 0; round < 6000; ++round) {
        const auto& numbers = pools[static_cast<std::size_t>(round % 2)].numbers;
        const auto& targets = pools[static_cast<std::size_t>(round % 2)].targets;
        std::vector<Row> rows;
        const int n = 1 + static_cast<int>(rng() % 24);
        for (int i = 0; i < n; ++i) {
            Row r;
            r.nb = numbers[rng() % numbers.size()];
            r.kind = kinds[rng() % kinds.size()];
            if (r.kind == "S" && rng() % 4) r.kind = "->";
            if (r.kind == "S") r.nb = "S";
            r.target = rng() % 5 == 0 ? r.nb : targets[rng() % targets.size()];
            r.texte = "t";
            rows.push_back(r);
        }
        const auto table = tableOf(rows);
        const Tree expected = LiteralBuild(table).run();
        const Tree actual = buildTree(table);
        ASSERT_EQ(actual.roots.size(), expected.roots.size()) << "round " << round;
        // The text written without the nodes is the tree's own.
        ASSERT_EQ(treeText(table), shown(expected)) << "round " << round;
        if (!expected.roots.empty()) {
            ASSERT_TRUE(sameTree(actual.roots[0], expected.roots[0]))
                << "round " << round << "\n" << shown(actual) << "---\n" << shown(expected);
        }
    }
}
