#include <gtest/gtest.h>

#include <algorithm>

#include "documents/config_entries.hpp"
#include "engine/text.hpp"
#include "support/layouts.hpp"

using namespace sarvelo;
using sarvelo::testing::everythingChanged;

namespace {

using Lines = std::vector<std::string>;

std::string nameOf(const std::string& entry) { return entry.substr(1, entry.find(']') - 1); }

}  // namespace

TEST(ConfigEntries, StartUpValuesGiveTheEntryForms) {
    KeyParams p;
    p.Le_gras = true;
    p.Liste_separ_3 = {"=>", " ..."};
    const Lines entries = configurationEntries(p);
    EXPECT_EQ(entries.front(), std::string("[copyright] ") + kCredit);
    EXPECT_EQ(entries[1], "[Version] 2.02.2011");
    EXPECT_EQ(entries[2], "[Couleur] ");
    EXPECT_EQ(entries[3], "[Le_gras]Gras");
    const auto has = [&](const std::string& line) {
        return std::find(entries.begin(), entries.end(), line) != entries.end();
    };
    EXPECT_TRUE(has("[debut] 0"));
    EXPECT_TRUE(has("[Developpement]Developpement"));
    EXPECT_TRUE(has("[Format] 0"));
    EXPECT_TRUE(has("[indice] -"));
    EXPECT_TRUE(has("[Car_maxi] 2"));
    EXPECT_TRUE(has("[Sans_numero] -1"));
    EXPECT_TRUE(has("[Separ1] "));
    EXPECT_TRUE(has("[les_suites] a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z"));
    EXPECT_TRUE(has("[Liste_separ_3] =>"));
    EXPECT_TRUE(has("[Liste_separ_3]  ..."));
    EXPECT_EQ(entries.back(), "[remonte_si] ");

    // Entry-table order; empty lists write nothing.
    std::vector<std::string> names;
    for (const auto& e : entries)
        if (names.empty() || names.back() != nameOf(e)) names.push_back(nameOf(e));
    std::vector<std::string> expected;
    for (const auto& info : paramInfos())
        if (info.name != "Liste_mixte" && info.name != "Liste_mixte2") expected.emplace_back(info.name);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](auto& e) { return nameOf(e) == "les_suites"; }), 3);
}

TEST(ConfigEntries, EveryParameterComesBack) {
    const KeyParams original = everythingChanged();
    KeyParams read;
    EXPECT_FALSE(applyConfiguration(read, configurationEntries(original)));
    for (const auto& info : paramInfos()) EXPECT_TRUE(sameValue(read, original, info)) << info.name;
    EXPECT_EQ(read.Separ1, "  Separ1 é… 27 ");

    // And the start-up values, whose lists and memo differ in kind.
    KeyParams fresh;
    KeyParams back = everythingChanged();
    EXPECT_FALSE(applyConfiguration(back, configurationEntries(fresh)));
    for (const auto& info : paramInfos()) EXPECT_TRUE(sameValue(back, fresh, info)) << info.name;
}

TEST(ConfigEntries, ApplyingStartsFromBlankParameters) {
    KeyParams p = everythingChanged();
    EXPECT_FALSE(applyConfiguration(p, {"[Separ2]x.."}));
    EXPECT_EQ(p.Separ2, "..");  // the character after "]" is skipped, whatever it is
    EXPECT_EQ(p.copyright, "");
    EXPECT_FALSE(p.Developpement);
    EXPECT_EQ(p.nb_lettres, 1);
    EXPECT_EQ(p.Car_maxi, 1);
    EXPECT_EQ(p.debut, 0);
    EXPECT_EQ(p.Format, -1);
    EXPECT_TRUE(p.les_suites.empty());
    EXPECT_TRUE(p.Liste_separ_3.empty());

    KeyParams kept = everythingChanged();
    EXPECT_FALSE(applyConfiguration(kept, {"[Liste_mixte] b"}, {"Liste_mixte"}));
    EXPECT_EQ(kept.Liste_mixte, (TextList{" Liste_mixte", "", "x,y\tz ", "b"}));
    EXPECT_TRUE(kept.Liste_mixte2.empty());
}

TEST(ConfigEntries, ValuesAreReadByKind) {
    KeyParams p;
    EXPECT_FALSE(applyConfiguration(p, {
                                           "[Le_gras]Gras",
                                           "[Couleur]C",  // one character: the value is empty
                                           "[Car_maxi] 50",
                                           "[nb_lettres] -4",
                                           "[debut] 7",
                                           "[Sans_numero] 9",
                                           "[Format] -3",
                                           "[Alphabet] 1",
                                           "[les_suites] 1,2",
                                           "[les_suites] ",
                                       }));
    EXPECT_TRUE(p.Le_gras);
    EXPECT_FALSE(p.Couleur);
    EXPECT_EQ(p.Car_maxi, 10);
    EXPECT_EQ(p.nb_lettres, 1);
    EXPECT_EQ(p.debut, 7);
    EXPECT_EQ(p.Sans_numero, 5);
    EXPECT_EQ(p.Format, -1);
    EXPECT_EQ(p.Alphabet, 1);
    EXPECT_EQ(p.les_suites, (TextList{"1,2", ""}));
}

TEST(ConfigEntries, LinesWithoutAUsableNameAreSkipped) {
    KeyParams p;
    EXPECT_FALSE(applyConfiguration(p, {"", "Separ1 x", "[] x", "[separ1] x", "[Inconnu] 3", "]Separ1] x",
                                        "[Separ1 x", "Configuration pour Sarvelo", "xSepar2] ok"}));
    EXPECT_EQ(p.Separ1, "");
    EXPECT_EQ(p.Separ2, "ok");  // the name starts at the second character, whatever the first
}

TEST(ConfigEntries, LongValuesAreReadWhole) {
    KeyParams p;
    std::string numbers;
    for (int i = 1; i <= 100; ++i) numbers += (i > 1 ? "," : "") + std::to_string(i);
    ASSERT_EQ(numbers.size(), 291u);
    p.les_suites = {numbers};
    p.section = std::string(300, 'x') + "é";
    KeyParams read;
    EXPECT_FALSE(applyConfiguration(read, configurationEntries(p)));
    EXPECT_EQ(read.les_suites, p.les_suites);
    EXPECT_EQ(read.section, p.section);
}

TEST(ConfigEntries, ALineBreakInATextStaysInItsEntry) {
    KeyParams p;
    p.Separ1 = ".\r\nChapeau";
    const Lines entries = configurationEntries(p);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "[Separ1] .\r\nChapeau"), entries.end());
    KeyParams read;
    EXPECT_FALSE(applyConfiguration(read, entries));
    EXPECT_EQ(read.Separ1, ".\r\nChapeau");
    // Written the old way, as two lines: the first part only, as before.
    EXPECT_FALSE(applyConfiguration(read, {"[Separ1] .", "Chapeau"}));
    EXPECT_EQ(read.Separ1, ".");
}

TEST(ConfigEntries, AValueThatIsNotAnIntegerStopsTheApplication) {
    KeyParams p;
    p.Separ1 = "zz";
    const auto failure = applyConfiguration(p, {"[Format] 2", "[Le_gras]Gras", "[Car_maxi] x5", "[Separ1] ."});
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "'x5' n'est pas une valeur entière correcte");
    EXPECT_EQ(p.Format, 2);
    EXPECT_TRUE(p.Le_gras);
    EXPECT_EQ(p.Car_maxi, 1);
    EXPECT_EQ(p.Separ1, "");

    EXPECT_EQ(applyConfiguration(p, {"[Sans_numero] "}), std::optional<std::string>("'' n'est pas une valeur entière correcte"));
    EXPECT_TRUE(applyConfiguration(p, {"[debut] 3 "}));
    EXPECT_TRUE(applyConfiguration(p, {"[debut] 99999999999"}));
}

TEST(ConfigEntries, SplittingADocumentAtTheFirstMarker) {
    const SplitDocument doc = splitDocument({"1. Chapeau", kConfigurationMarker, "[Separ1] .",
                                             kConfigurationMarker, "[Separ2] x"});
    EXPECT_TRUE(doc.hasMarker);
    EXPECT_EQ(doc.keyText, Lines{"1. Chapeau"});
    EXPECT_EQ(doc.configuration, (Lines{"[Separ1] .", kConfigurationMarker, "[Separ2] x"}));

    const SplitDocument emptyKey = splitDocument({kConfigurationMarker});
    EXPECT_TRUE(emptyKey.hasMarker);
    EXPECT_TRUE(emptyKey.keyText.empty());
    EXPECT_TRUE(emptyKey.configuration.empty());

    const SplitDocument noMarker = splitDocument({"1. Chapeau", "Configuration pour Sarvelo "});
    EXPECT_FALSE(noMarker.hasMarker);
    EXPECT_EQ(noMarker.keyText.size(), 2u);
    EXPECT_TRUE(noMarker.configuration.empty());
}
