// The interactive key in a real browser: headless Chromium opens the page at
// a path given in the fragment, and the test reads the page it shows. Skipped
// when Chromium is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>

#include "interchange/html_key.hpp"
#include "support/command_output.hpp"
#include "support/layouts.hpp"
#include "support/processing.hpp"
#include "support/tables.hpp"

using namespace sarvelo;
using namespace sarvelo::interchange;

namespace {

std::string chromium() {
    for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (std::ifstream(path).good()) return path;
    return {};
}

// The page's document after its script ran, at `fragment`. Each load has a
// profile of its own: a second browser on a profile in use (the last one still
// closing) hands the page over to the first and shows nothing. On a loaded
// machine the browser sometimes starts and dumps no document at all: that load
// is tried again, a page that shows something wrong is not.
std::string shownPage(const std::string& browser, const std::string& file, const std::string& fragment) {
    static int loads = 0;
    std::string dom;
    for (int attempt = 0; attempt < 3 && dom.find("</html>") == std::string::npos; ++attempt) {
        const std::string command = browser +
                                    " --headless --no-sandbox --disable-gpu --no-first-run --disable-extensions"
                                    " --virtual-time-budget=10000 --user-data-dir=" + file + ".profil" +
                                    std::to_string(++loads) + " --dump-dom 'file://" + file + "#" + fragment +
                                    "' 2>/dev/null";
        dom = sarvelo::testing::commandOutput(command);
    }
    return dom;
}

ExportOptions inFrench() {
    ExportOptions options;
    options.language = "fr";
    return options;
}

// The page, with `acts` (a script standing for the user's typing and
// clicks) run after the page's own.
std::string writtenPage(const Key& key, const std::string& name, ExportOptions options = inFrench(),
                        const std::string& acts = "") {
    const std::string file = ::testing::TempDir() + name;
    if (options.title.empty()) options.title = "Clé d'essai";
    std::string page = htmlKey(key, options);
    if (!acts.empty()) page.insert(page.rfind("</body>"), "<script>" + acts + "</script>");
    std::ofstream(file, std::ios::binary) << page;
    return file;
}

Key atkinsonKey() {
    const auto processed =
        sarvelo::testing::process(sarvelo::testing::testDataLines("keys/atkinson-1900-agarics-stipe-fleshy.txt"),
                                  sarvelo::testing::dottedLayout());
    return keyFromTable(processed.table).key;
}

bool has(const std::string& dom, const std::string& part) { return dom.find(part) != std::string::npos; }

// For each taxon, the leads to choose from the first couplet (counted from 1), as a fragment.
std::map<std::string, std::string> pathsToTaxa(const Key& key) {
    std::map<std::string, std::string> paths;
    std::vector<std::pair<int, std::string>> todo{{0, ""}};
    std::vector<char> seen(key.couplets.size(), 0);
    seen[0] = 1;
    while (!todo.empty()) {
        const auto [couplet, path] = todo.back();
        todo.pop_back();
        const auto& leads = key.couplets[static_cast<std::size_t>(couplet)].leads;
        for (std::size_t i = 0; i < leads.size(); ++i) {
            const std::string step = (path.empty() ? "" : path + ",") + std::to_string(i + 1);
            if (leads[i].couplet < 0)
                paths.emplace(leads[i].taxon, step);
            else if (!seen[static_cast<std::size_t>(leads[i].couplet)]++)
                todo.emplace_back(leads[i].couplet, step);
        }
    }
    return paths;
}

}  // namespace

TEST(HtmlKeyInBrowser, EveryTaxonOfARealKeyIsReachedThroughItsPath) {
    const std::string browser = chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium n'est pas installé";
    const auto processed =
        sarvelo::testing::process(sarvelo::testing::testDataLines("keys/atkinson-1900-agarics-stipe-fleshy.txt"),
                                  sarvelo::testing::dottedLayout());
    const KeyBuild build = keyFromTable(processed.table);
    ASSERT_FALSE(build.failure);
    const std::string file = writtenPage(build.key, "sarvelo_atkinson.html");
    const auto paths = pathsToTaxa(build.key);
    ASSERT_EQ(paths.size(), 8u);
    for (const auto& [taxon, path] : paths) {
        const std::string dom = shownPage(browser, file, path);
        EXPECT_NE(dom.find("<h2 id=\"titre-etape\">Résultat</h2>"), std::string::npos) << path;
        EXPECT_NE(dom.find("<p id=\"taxon\">" + taxon + "</p>"), std::string::npos) << path;
    }
    // Part of the way: the couplet reached, with the taxa still possible.
    const std::string dom = shownPage(browser, file, "2");
    EXPECT_NE(dom.find("<h2 id=\"titre-etape\">Couplet 3</h2>"), std::string::npos);
    EXPECT_NE(dom.find("Taxons encore possibles (3)"), std::string::npos);
}

TEST(HtmlKeyInBrowser, SafeMarkupIsRenderedAndAnyOtherShownAsText) {
    const std::string browser = chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium n'est pas installé";
    const KeyBuild build = keyFromTable(sarvelo::testing::tableOf({
        {"1", "Chapeau <b>rouge</b> \"vif\" <script>document.title='x'</script> 1&deg; &#x3b1; &bogus; </em>",
         "=>", "Amanita <i>muscaria</i>"},
        {"1", "Chapeau <i onclick=\"x()\">blanc</i> <sup>2<img src=x>", "=>", "Amanita alba"},
    }));
    ASSERT_FALSE(build.failure);
    const std::string dom = shownPage(browser, writtenPage(build.key, "sarvelo_markup.html"), "");
    EXPECT_TRUE(has(dom, "<span class=\"texte\">Chapeau <b>rouge</b> \"vif\" &lt;script&gt;document.title='x'"
                         "&lt;/script&gt; 1° α &amp;bogus; &lt;/em&gt;</span>"))
        << dom;
    EXPECT_TRUE(has(dom, "<span class=\"taxon\">Amanita <i>muscaria</i></span>"));
    EXPECT_TRUE(has(dom, "Chapeau &lt;i onclick=\"x()\"&gt;blanc&lt;/i&gt; <sup>2&lt;img src=x&gt;</sup>"));
    EXPECT_TRUE(has(dom, "<title>Clé d'essai</title>"));
}

TEST(HtmlKeyInBrowser, AnUnreadableAddressStartsAgainAtTheFirstCouplet) {
    const std::string browser = chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium n'est pas installé";
    const std::string file = writtenPage(atkinsonKey(), "sarvelo_fragment.html");
    for (const std::string fragment : {"%", "1,%", "%E0%A4%A"}) {
        const std::string dom = shownPage(browser, file, fragment);
        EXPECT_TRUE(has(dom, "<h2 id=\"titre-etape\">Couplet 1</h2>")) << fragment;
        EXPECT_TRUE(has(dom, "<p class=\"note\" id=\"chemin-invalide\">L'adresse de la page est illisible")) << fragment;
        EXPECT_TRUE(has(dom, "<span class=\"texte\">")) << fragment;
    }
}

// Part of the way down: the taxa still possible and those ruled out; a
// search among the remaining ones goes down to the couplet that separates them.
TEST(HtmlKeyInBrowser, DiscardedTaxaSearchAndTheWholeKey) {
    const std::string browser = chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium n'est pas installé";
    const Key key = atkinsonKey();
    std::string dom = shownPage(browser, writtenPage(key, "sarvelo_suite.html"), "2");
    EXPECT_TRUE(has(dom, "Taxons encore possibles (3)"));
    EXPECT_TRUE(has(dom, "Taxons écartés (5)"));

    // One taxon found: the path goes to the couplet whose lead names it.
    const auto paths = pathsToTaxa(key);
    const auto& [taxon, path] = *paths.rbegin();
    const std::string search = "var r = document.getElementById('recherche'); r.value = '" + taxon +
                               "'; r.dispatchEvent(new Event('input')); document.querySelector('#trouves button').click();";
    dom = shownPage(browser, writtenPage(key, "sarvelo_cherche.html", inFrench(), search), "");
    // The couplet reached by all but the last step of the taxon's path.
    std::vector<int> steps;
    for (std::size_t at = 0; at < path.size(); at = path.find(',', at) + 1) {
        steps.push_back(std::stoi(path.substr(at)));
        if (path.find(',', at) == std::string::npos) break;
    }
    int couplet = 0;
    for (std::size_t i = 0; i + 1 < steps.size(); ++i)
        couplet = key.couplets[static_cast<std::size_t>(couplet)].leads[static_cast<std::size_t>(steps[i] - 1)].couplet;
    EXPECT_TRUE(has(dom, "<h2 id=\"titre-etape\">Couplet " + key.couplets[static_cast<std::size_t>(couplet)].number))
        << taxon << " " << path;
    EXPECT_TRUE(has(dom, "<span class=\"taxon\">" + taxon + "</span>")) << taxon;
    EXPECT_FALSE(has(dom, "Résultat</h2>"));

    // The whole key: every couplet, its number a link to the couplet.
    dom = shownPage(browser, writtenPage(key, "sarvelo_entiere.html", inFrench(), "document.getElementById('bloc-entiere').open = true;"), "");
    for (const Couplet& couplet : key.couplets)
        EXPECT_TRUE(has(dom, "\">" + couplet.number + ".</a>")) << couplet.number;
    EXPECT_TRUE(has(dom, "<span class=\"num\" id=\"couplet-0\"><a href=\"#\" title=\"Commencer à ce couplet\">"));
}

TEST(HtmlKeyInBrowser, EnglishInterfaceWithSourceAndAuthor) {
    const std::string browser = chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium n'est pas installé";
    ExportOptions options;  // the language guessed from the key's words
    options.source = "Atkinson 1900, Studies of American Fungi";
    options.author = "G. F. Atkinson <i>";
    const std::string dom = shownPage(browser, writtenPage(atkinsonKey(), "sarvelo_en.html", options), "");
    EXPECT_TRUE(has(dom, "<html lang=\"en\">"));
    EXPECT_TRUE(has(dom, "Taxa remaining (8)"));
    EXPECT_TRUE(has(dom, "Author: G. F. Atkinson &lt;i&gt;</span> — <span>Source: Atkinson 1900"));
}
