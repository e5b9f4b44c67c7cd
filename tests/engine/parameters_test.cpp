#include <gtest/gtest.h>

#include <set>

#include "engine/parameters.hpp"

using namespace sarvelo;

TEST(Parameters, StartUpValues) {
    const KeyParams p;
    EXPECT_EQ(p.Format, 0);
    EXPECT_EQ(p.Alphabet, 2);
    EXPECT_EQ(p.nb_lettres, 1);
    EXPECT_EQ(p.indice, "-");
    EXPECT_EQ(p.suivant, 1);
    EXPECT_EQ(p.Car_maxi, 2);
    EXPECT_EQ(p.Sans_numero, -1);
    EXPECT_TRUE(p.Developpement);
    EXPECT_EQ(p.Version, "2.02.2011");
    EXPECT_EQ(p.les_suites.size(), 3u);
    EXPECT_EQ(p.les_suites[1].substr(0, 5), "a,b,c");
}

TEST(Parameters, DescriptionFollowsTheEntryTable) {
    const auto infos = paramInfos();
    ASSERT_EQ(infos.size(), 36u);
    EXPECT_EQ(infos.front().name, "copyright");
    EXPECT_EQ(infos[12].name, "Format");
    EXPECT_EQ(infos[31].name, "Liste_separ_3");
    EXPECT_EQ(infos.back().name, "remonte_si");
    std::set<std::string_view> names;
    for (const auto& info : infos) names.insert(info.name);
    EXPECT_EQ(names.size(), infos.size());
    EXPECT_EQ(findParam("Sans_numero")->optionList().size(), 6u);
    EXPECT_EQ(findParam("Format")->optionList()[2], "Complexe (1, 2, a, b, *, ** ...)");
    EXPECT_EQ(findParam("nb_lettres")->maximum, 10);
    EXPECT_EQ(findParam("sans_numero"), nullptr);
}

TEST(Parameters, ResetDiffersFromStartUpOnlyForIndiceAndLeavesHiddenOnesAlone) {
    KeyParams p;
    p.Format = 2;
    p.Liste_separ_3 = {"=>"};
    p.les_suites.clear();
    p.copyright = "moi";
    p.Developpement = false;
    p.Sans_numero = 3;
    resetParams(p);
    const KeyParams fresh;
    for (const auto& info : paramInfos()) {
        if (info.leftAloneOnReset || info.name == "indice") continue;
        EXPECT_TRUE(sameValue(p, fresh, info)) << info.name;
    }
    EXPECT_EQ(p.indice, "");
    EXPECT_EQ(p.copyright, "moi");
    EXPECT_FALSE(p.Developpement);
}

TEST(Parameters, BlankBringsNumbersIntoRangeAndChoicesToNone) {
    KeyParams p;
    blankParams(p);
    EXPECT_EQ(p.nb_lettres, 1);
    EXPECT_EQ(p.Car_maxi, 1);
    EXPECT_EQ(p.debut, 0);
    EXPECT_EQ(p.Format, -1);
    EXPECT_TRUE(p.les_suites.empty());
    EXPECT_EQ(p.indice, "");
    EXPECT_FALSE(p.Developpement);
}
