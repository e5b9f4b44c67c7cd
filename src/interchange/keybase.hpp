// KeyBase's delimited-text form of a key: one row per lead, three columns
// and no header (the couplet, the lead's text, then the couplet it leads to
// or the taxon it ends in), both leads of a couplet under the same number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/key_model.hpp"

namespace sarvelo::interchange {

// The rows in table order, UTF-8, without the spaces around fields. With ','
// fields are quoted when they need it; with '\t' a tab or line break inside a
// field becomes a space.
std::string keyBaseText(const Key& key, char delimiter);

// Why the key cannot be written in this form: a taxon named by digits alone
// would read back as a couplet number.
std::optional<std::string> keyBaseProblem(const Key& key);

// A KeyBase file turned into a working text (one line per lead, couplets
// numbered 1, 2, 3 in order of first appearance) and the configuration
// lines of the parameters that process it.
struct ImportedKey {
    std::vector<std::string> text;
    std::vector<std::string> configuration;
    std::vector<std::string> warnings;   // French, one per row that needed a decision
    std::optional<std::string> error;    // French, when nothing usable was read
};

// Reads comma-, semicolon- or tab-separated rows (told apart by the rows
// themselves), quoted fields included. A first row naming the columns is
// skipped.
ImportedKey importKeyBase(std::string_view utf8);

// Whether a file name is that of a KeyBase file (".csv" or ".tsv").
bool isKeyBaseFileName(std::string_view path);

}  // namespace sarvelo::interchange
