// The interactive key in a real browser: headless Chromium opens the page at
// a path given in the fragment, and the test reads the page it shows. Skipped
// when Chromium is not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "interchange/html_key.hpp"
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

// The page's document after its script ran, at `fragment`. Each page has a
// profile of its own: a second browser on a profile in use hands the page
// over to the first and shows nothing.
std::string shownPage(const std::string& browser, const std::string& file, const std::string& fragment) {
    const std::string command = browser + " --headless --no-sandbox --disable-gpu --no-first-run --disable-extensions"
                                          " --user-data-dir=" + file + ".profil"
                                          " --dump-dom 'file://" + file + "#" + fragment + "' 2>/dev/null";
    std::string dom;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) dom.append(buffer, n);
        pclose(pipe);
    }
    return dom;
}

std::string writtenPage(const Key& key, const std::string& name) {
    const std::string file = ::testing::TempDir() + name;
    std::ofstream(file, std::ios::binary) << htmlKey(key, "Clé d'essai");
    return file;
}

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

TEST(HtmlKeyInBrowser, MarkupInALeadIsShownAsText) {
    const std::string browser = chromium();
    if (browser.empty()) GTEST_SKIP() << "chromium n'est pas installé";
    const KeyBuild build = keyFromTable(sarvelo::testing::tableOf({
        {"1", "Chapeau <b>rouge</b> \"vif\" <script>document.title='x'</script>", "=>", "Amanita <i>muscaria</i>"},
        {"1", "Chapeau blanc", "=>", "Amanita alba"},
    }));
    ASSERT_FALSE(build.failure);
    const std::string dom = shownPage(browser, writtenPage(build.key, "sarvelo_markup.html"), "");
    EXPECT_NE(dom.find("<span class=\"texte\">Chapeau &lt;b&gt;rouge&lt;/b&gt; \"vif\" &lt;script&gt;"),
              std::string::npos)
        << dom;
    EXPECT_NE(dom.find("Amanita &lt;i&gt;muscaria&lt;/i&gt;"), std::string::npos);
    EXPECT_NE(dom.find("<title>Clé d'essai</title>"), std::string::npos);
}
