// Published keys of every family, read with no parameter set by hand and
// compared with their finished keys checked by hand. Each folder under the
// corpus holds an `index.tsv` (file, set, source, licence, families). Prints a
// table per set and family (keys fully right, leads right, and keys whose
// every lead has its couplet and destination, its words aside); only the
// development set is scored against its floor unless SARVELO_CORPUS_SETS
// names others ("dev,test").
// SARVELO_CORPUS_DIR replaces the corpus folder (several, separated by ':');
// SARVELO_CORPUS_KEYS set prints each key's leads read right.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <utility>
#include <sstream>

#include "documents/encoding.hpp"
#include "engine/text.hpp"
#include "support/detected.hpp"

using namespace sarvelo;
namespace fs = std::filesystem;

namespace {

// Share of the development keys read fully right today, in percent: the
// reading may only get better.
constexpr int kDevFloorPercent = 92;

struct Tally {
    int keys = 0, right = 0, leads = 0, leadsRight = 0, shapes = 0;
    void add(const sarvelo::testing::KeyComparison& c) {
        ++keys;
        right += c.fullyRight ? 1 : 0;
        shapes += c.shapeRight ? 1 : 0;
        leads += c.leads;
        leadsRight += c.leadsRight;
    }
};

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) out.push_back(part);
    return out;
}

std::vector<fs::path> corpusRoots() {
    if (const char* env = std::getenv("SARVELO_CORPUS_DIR"); env && *env) {
        std::vector<fs::path> out;
        for (const auto& p : split(env, ':'))
            if (!p.empty()) out.emplace_back(p);
        return out;
    }
    return {fs::path(SARVELO_TEST_DATA_DIR) / "keys" / "corpus"};
}

std::set<std::string> scoredSets() {
    const char* env = std::getenv("SARVELO_CORPUS_SETS");
    std::set<std::string> out;
    for (const auto& s : split(env && *env ? env : "dev", ',')) out.insert(s);
    return out;
}

}  // namespace

TEST(LayoutCorpus, EachFamilyIsReadAsCheckedByHand) {
    std::vector<fs::path> indexes;
    for (const fs::path& root : corpusRoots()) {
        std::error_code ec;
        if (!fs::is_directory(root, ec)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root, ec))
            if (entry.path().filename() == "index.tsv") indexes.push_back(entry.path());
    }
    if (indexes.empty()) GTEST_SKIP() << "Pas de corpus de clés (index.tsv) sous " << corpusRoots().front();

    const std::set<std::string> sets = scoredSets();
    const char* perKey = std::getenv("SARVELO_CORPUS_KEYS");
    std::map<std::string, std::map<std::string, Tally>> table;  // set -> family -> tally
    std::string misses;
    for (const fs::path& index : indexes) {
        const TextFile listing = readTextFile(index.string());
        ASSERT_FALSE(listing.error) << index;
        bool header = true;
        for (const std::string& row : text::splitLines(listing.text)) {
            if (std::exchange(header, false) || row.empty()) continue;
            const auto fields = split(row, '\t');
            ASSERT_GE(fields.size(), 5u) << index << ": " << row;
            const std::string& name = fields[0];
            const std::string& set = fields[1];
            if (!sets.count(set)) continue;
            const TextFile text = readTextFile((index.parent_path() / (name + ".txt")).string());
            const TextFile expected = readTextFile((index.parent_path() / (name + ".cle")).string());
            ASSERT_FALSE(text.error || expected.error) << name;
            const auto compared =
                sarvelo::testing::compareDetected(text::splitLines(text.text), text::splitLines(expected.text));
            if (!compared.fullyRight) misses += " " + name;
            if (perKey && *perKey)
                std::printf("clé %-5s %-50s %4d / %-4d %s%s\n", set.c_str(), name.c_str(), compared.leadsRight,
                            compared.leads, compared.fullyRight ? "juste" : "manquée",
                            !compared.fullyRight && compared.shapeRight ? " (forme juste)" : "");
            table[set]["toutes"].add(compared);
            for (const auto& family : split(fields[4], ','))
                if (!family.empty()) table[set][family].add(compared);
        }
    }
    for (const auto& [set, families] : table) {
        std::printf("%-5s %-8s %12s %14s %12s\n", set.c_str(), "famille", "clés justes", "entrées justes",
                    "formes justes");
        for (const auto& [family, t] : families)
            std::printf("%-5s %-8s %5d / %-5d %6d / %-6d %5d / %-5d\n", set.c_str(), family.c_str(), t.right, t.keys,
                        t.leadsRight, t.leads, t.shapes, t.keys);
    }
    std::printf("manquées :%s\n", misses.c_str());
    if (table.count("dev")) {
        const Tally& dev = table["dev"]["toutes"];
        EXPECT_GE(dev.right * 100, kDevFloorPercent * dev.keys) << "manquées :" << misses;
    }
}
