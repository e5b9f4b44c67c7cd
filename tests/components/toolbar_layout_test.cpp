#include "components/toolbar_layout.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "documents/file_io.hpp"
#include "engine/text.hpp"

namespace sarvelo::toolbar {
namespace {

const std::string kOuvrir = "Fichier =>| Ouvrir";

std::vector<Command> someCommands() {
    return {{"Fichier =>| Nouveau", "", "", -1},
            {kOuvrir, "Ouvre une clé", "Ctrl+O", -1},
            {"Traitement =>| Action", "", "F9", 2},
            {"Aide", "", "", -1}};
}

// Per process: the same tests may run side by side from other build folders.
// The files go when the process ends.
std::string tempPath(const std::string& name) {
    static struct Made {
        std::vector<std::string> paths;
        ~Made() {
            for (const auto& p : paths) std::remove(p.c_str());
        }
    } made;
    made.paths.push_back(::testing::TempDir() + "sarvelo_" + std::to_string(::getpid()) + "_" + name);
    return made.paths.back();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) { return readFileBytes(path).bytes; }

TEST(ToolbarEntries, TextsOfEntriesAndNames) {
    EXPECT_EQ(text::length(kSeparator), 48u);
    EXPECT_EQ(text::length(kDivider), 54u);
    EXPECT_EQ(commandEntry(kOuvrir, 1, -1), "Fichier =>| Ouvrir ¯1®-1");
    EXPECT_EQ(displayName(MenuPlace::MainMenuEntry, "Fichier", "Ouvrir"), kOuvrir);
    EXPECT_EQ(displayName(MenuPlace::MainMenuTop, "", "Aide"), "Aide");
    EXPECT_EQ(displayName(MenuPlace::PopupEntry, "Couleurs", "Rouge"), "-[Couleurs]-| Rouge");

    struct Case {
        std::string entry, caption, hint;
    } cases[] = {
        {"Fichier =>| Ouvrir ¯1®-1", "Ouvrir", "Fichier =>"},
        {"-[Couleurs]-| Rouge ¯12®3", "Rouge", "-[Couleurs]-"},
        {"Aide ¯4®-1", "Aide", "Aide ¯4®-1"},
        {std::string(kSeparator), std::string(kSeparator), std::string(kSeparator)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entryCaption(c.entry), c.caption) << c.entry;
        EXPECT_EQ(entryHint(c.entry), c.hint) << c.entry;
    }
    EXPECT_EQ(withImage("Fichier =>| Ouvrir ¯1®-1", 7), "Fichier =>| Ouvrir ¯1®7");
    EXPECT_EQ(entryImage("Fichier =>| Ouvrir ¯1®7"), 7);
    EXPECT_FALSE(entryImage("Erreur"));
}

TEST(ToolbarDialog, SeparatorsAndDividersNeverDoubleNorLead) {
    LayoutEditor e(someCommands(), {});
    e.addSeparator();
    e.addDivider();
    EXPECT_TRUE(e.layout().entries.empty());
    e.selectCommand(0);
    e.add();
    e.addSeparator();
    e.addSeparator();
    e.addDivider();
    e.addDivider();
    e.addSeparator();
    EXPECT_EQ(e.layout().entries, (std::vector<std::string>{"Fichier =>| Nouveau ¯0®-1", std::string(kSeparator),
                                                             std::string(kDivider), std::string(kSeparator)}));
}

TEST(ToolbarDialog, AddTakesConsecutiveCommandsAndSkipsOnesAlreadyThere) {
    LayoutEditor e(someCommands(), {});
    e.add();  // no command selected
    EXPECT_TRUE(e.layout().entries.empty());
    EXPECT_FALSE(e.buttons().ajouter);
    e.selectCommand(2);
    EXPECT_TRUE(e.buttons().ajouter);
    e.add();
    e.add();
    EXPECT_EQ(e.selectedCommand(), 0);  // past the last, back to the first
    e.selectCommand(2);
    e.add();  // already there with the same icon: nothing, and the selection stays
    EXPECT_EQ(e.selectedCommand(), 2);
    EXPECT_EQ(e.layout().entries, (std::vector<std::string>{"Traitement =>| Action ¯2®2", "Aide ¯3®-1"}));
}

TEST(ToolbarDialog, InsertGoesBeforeTheSelectedEntry) {
    LayoutEditor e(someCommands(), {});
    e.selectCommand(0);
    e.add();
    e.add();
    e.selectEntry(1);
    e.selectCommand(3);
    e.insert();
    EXPECT_EQ(e.layout().entries[1], "Aide ¯3®-1");
    EXPECT_EQ(e.selectedEntry(), 2);  // still the entry the user chose
}

TEST(ToolbarDialog, MovingRemovingAndButtons) {
    LayoutEditor e(someCommands(), {});
    e.selectCommand(0);
    e.add();
    e.add();
    e.addSeparator();
    EXPECT_FALSE(e.buttons().enlever);
    e.selectEntry(0);
    e.up();  // first: stays
    EXPECT_EQ(e.selectedEntry(), 0);
    e.down();
    EXPECT_EQ(e.selectedEntry(), 1);
    EXPECT_EQ(e.layout().entries[1], "Fichier =>| Nouveau ¯0®-1");
    e.selectEntry(2);
    e.down();  // last: stays
    EXPECT_EQ(e.selectedEntry(), 2);
    EXPECT_FALSE(e.buttons().icones);  // a separator has no icon
    e.selectEntry(1);
    const auto b = e.buttons();
    EXPECT_TRUE(b.enlever && b.effacer && b.insert && b.haut && b.bas && b.icones);
    e.toggleChooser();
    EXPECT_TRUE(e.chooserShown());
    EXPECT_FALSE(e.buttons().enlever || e.buttons().effacer || e.buttons().haut || e.buttons().bas);
    e.chooseImage(4);
    EXPECT_EQ(e.layout().entries[1], "Fichier =>| Nouveau ¯0®4");
    e.toggleChooser();
    e.remove();
    EXPECT_EQ(e.layout().entries.size(), 2u);
    e.remove();  // nothing selected any more
    EXPECT_EQ(e.layout().entries.size(), 2u);
    e.clear();
    EXPECT_TRUE(e.layout().entries.empty());
}

TEST(ToolbarFile, ShorterLayoutSavedOverALongerOne) {
    const std::string path = tempPath("toolbar_shorter.ini");
    std::remove(path.c_str());
    std::string reason;
    Layout five{{"a ¯0®-1", "b ¯1®-1", std::string(kSeparator), "c ¯2®-1", "d ¯3®-1"}, true, false};
    ASSERT_TRUE(saveLayout(path, "Tralven Sarvelo", five, reason)) << reason;
    Layout three{{"a ¯0®-1", std::string(kDivider), "Fichier =>| Ouvrir ¯1®-1"}, false, true};
    ASSERT_TRUE(saveLayout(path, "Tralven Sarvelo", three, reason)) << reason;

    const std::string bytes = readBytes(path);
    EXPECT_NE(bytes.find("Totals=3"), std::string::npos);
    EXPECT_NE(bytes.find("4=d \xAF" "3\xAE-1"), std::string::npos);  // left behind, in Windows-1252
    EXPECT_EQ(bytes.find('\xC2'), std::string::npos);                 // no UTF-8
    Layout back;
    ASSERT_TRUE(loadLayout(path, "Tralven Sarvelo", back));
    EXPECT_EQ(back, three);
}

TEST(ToolbarFile, ReadsUtf8AndKeepsOtherSections) {
    const std::string path = tempPath("toolbar_utf8.ini");
    writeBytes(path, "[Autre]\nclé=été\n[Tralven Sarvelo]\nTotals=1\nRaccourci=1\n0=Fichier =>| Ouvrir ¯1®-1\n");
    Layout layout;
    ASSERT_TRUE(loadLayout(path, "Tralven Sarvelo", layout));
    EXPECT_EQ(layout, (Layout{{"Fichier =>| Ouvrir ¯1®-1"}, true, false}));
    std::string reason;
    ASSERT_TRUE(saveLayout(path, "Tralven Sarvelo", layout, reason));
    EXPECT_NE(readBytes(path).find("cl\xE9=\xE9t\xE9"), std::string::npos);
}

TEST(ToolbarFile, MissingFileLeavesTheLayoutAndEmptyPathDoesNothing) {
    Layout layout{{"a ¯0®-1"}, true, true};
    EXPECT_FALSE(loadLayout(tempPath("no_such_file.ini"), "S", layout));
    EXPECT_FALSE(loadLayout("", "S", layout));
    EXPECT_EQ(layout.entries.size(), 1u);
    std::string reason;
    EXPECT_TRUE(saveLayout("", "S", layout, reason));
}

TEST(ToolbarFile, DamagedFilesGiveAnEmptyOrPartialToolbar) {
    std::string many = "[S]\nTotals=10000\n";
    for (int i = 0; i < 10000; ++i) many += std::to_string(i) + "=Aide ¯3®-1\n";
    std::string binary(3000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7);
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t entries, buttons;
    } cases[] = {
        {"binary", binary, 0, 0},
        {"truncated", "[S]\nTotals=3\n0=Aide \xAF" "3\xAE-1\n1=Fichier =>| Ouv", 3, 0},
        {"huge totals", "[S]\nTotals=2147483647\n", kMaxEntries, 0},
        {"negative totals", "[S]\nTotals=-5\n0=Aide \xAF" "3\xAE-1\n", 0, 0},
        {"ten thousand entries", many, kMaxEntries, kMaxEntries},
        {"unknown commands", "[S]\nTotals=3\n0=Aide \xAF" "3\xAE-1\n1=Zut \xAF" "99\xAE-1\n2=Aide \xAF" "3\xAE-1\n", 3, 1},
    };
    for (const Case& c : cases) {
        const std::string path = tempPath("toolbar_damaged.ini");
        writeBytes(path, c.bytes);
        Layout layout{{"old"}, false, false};
        EXPECT_TRUE(loadLayout(path, "S", layout)) << c.name;
        EXPECT_EQ(layout.entries.size(), c.entries) << c.name;
        EXPECT_EQ(planToolbar(layout, someCommands()).buttons.size(), c.buttons) << c.name;
    }
}

TEST(ToolbarFile, TotalsBeyondTheStoredEntriesReadAsErreur) {
    const std::string path = tempPath("toolbar_totals.ini");
    writeBytes(path, "[S]\nTotals=3\n0=Aide \xAF" "3\xAE-1\n");
    Layout layout;
    ASSERT_TRUE(loadLayout(path, "S", layout));
    EXPECT_EQ(layout.entries, (std::vector<std::string>{"Aide ¯3®-1", "Erreur", "Erreur"}));
    EXPECT_TRUE(planToolbar(layout, someCommands()).buttons.empty());
}

TEST(ToolbarPlan, ButtonsHintsAndStops) {
    Layout layout{{"Fichier =>| Ouvrir ¯1®-1", std::string(kSeparator), "Traitement =>| Action ¯2®2",
                   std::string(kDivider), "Aide ¯3®-1"},
                  true, false};
    ToolbarPlan plan = planToolbar(layout, someCommands());
    ASSERT_EQ(plan.buttons.size(), 5u);
    EXPECT_EQ(plan.buttons[0].hint, "Ouvrir (Ctrl+O)");
    EXPECT_EQ(plan.buttons[0].command, 1);
    EXPECT_EQ(plan.buttons[1].kind, ButtonPlan::Kind::Separator);
    EXPECT_EQ(plan.buttons[2].image, 2);
    EXPECT_EQ(plan.buttons[3].kind, ButtonPlan::Kind::Divider);
    EXPECT_EQ(plan.buttons[4].hint, "Aide");
    EXPECT_FALSE(plan.message);

    layout.raccourci = false;
    layout.aide = true;
    EXPECT_EQ(planToolbar(layout, someCommands()).buttons[0].hint, "Ouvrir\nOuvre une clé");

    // An unreadable position stops silently, an unreadable image index with a message.
    layout.entries[2] = "Traitement =>| Action ¯x®2";
    plan = planToolbar(layout, someCommands());
    EXPECT_EQ(plan.buttons.size(), 2u);
    EXPECT_FALSE(plan.message);
    layout.entries[2] = "Traitement =>| Action ¯2®deux";
    plan = planToolbar(layout, someCommands());
    EXPECT_EQ(plan.buttons.size(), 2u);
    EXPECT_EQ(plan.message, "'deux' n'est pas une valeur entière correcte");
}

}  // namespace
}  // namespace sarvelo::toolbar
