// The interactive key: one self-contained HTML page (no external file, no
// network) that asks one couplet at a time.
#pragma once

#include <string>
#include <string_view>

#include "interchange/formats.hpp"
#include "interchange/key_model.hpp"

namespace sarvelo::interchange {

// The page: the template with the title, the interface texts and the key,
// as JSON, put in.
std::string htmlKey(const Key& key, const ExportOptions& options);
inline std::string htmlKey(const Key& key, const std::string& title) {
    ExportOptions options;
    options.title = title;
    return htmlKey(key, options);
}

// The key as the page's script reads it:
// {"couplets":[{"n":"1","leads":[{"t":"...","c":1},{"t":"...","x":0}]}],"taxa":["..."]}
// where "c" is the index of the couplet a lead goes on to and "x" that of its
// taxon; then "langue" ("fr" or "en": the interface), and "source" and
// "auteur" when given. Written so that it can stand inside a <script> element.
std::string keyJson(const Key& key, const ExportOptions& options = {});

// The language of a key's words: "en" when English words outnumber French
// ones, "fr" otherwise.
std::string keyLanguage(const Key& key);

// The page template, built into the program from html_key_template.html.
std::string_view htmlKeyTemplate();

}  // namespace sarvelo::interchange
