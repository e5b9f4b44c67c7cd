// The key as a tree of couplets, built from the result table.
#pragma once

#include <string>
#include <vector>

#include "engine/table.hpp"

namespace sarvelo {

struct TreeNode {
    std::string text;
    std::vector<TreeNode> children;
};

// The whole tree: empty roots when the table gives no entry.
struct Tree {
    std::vector<TreeNode> roots;  // zero or one root
};

inline constexpr int kMaxExpansionPasses = 100;

Tree buildTree(const ResultTable& table);

// The tree as indented text, two spaces per level (for the command line).
std::string treeAsText(const Tree& tree);
// The same text straight from the table, without the tree's nodes (a long
// key's tree would hold a string and a vector per node).
std::string treeText(const ResultTable& table);

}  // namespace sarvelo
