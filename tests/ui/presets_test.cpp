// The menu "Archives": each preset puts its sample in the working text, and
// each sample processes without error rows under the parameters kept beside
// it ("Format 5" under the parameters it sets itself).
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include "documents/config_entries.hpp"
#include "documents/file_io.hpp"
#include "engine/text.hpp"
#include "review/presets.hpp"
#include "review/qt/preset_window.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::MessageCatcher;
using testing::openWindow;

// Chooses "Format n" (the menu is hidden: its entry is triggered as the
// toolbar does) and presses "Utilise ce format" in the modal window.
void usePresetByClick(TSarvelo& w, int n) {
    auto* preset = w.findChild<TFormatPreset*>(QStringLiteral("Format_%1").arg(n));
    ASSERT_TRUE(preset);
    QTimer::singleShot(0, preset, [preset] {
        (void)QTest::qWaitFor([preset] { return preset->isVisible(); }, 1000);
        QTest::mouseClick(preset->utiliseButton(), Qt::LeftButton);
    });
    QAction* entry = w.action(("Format" + std::to_string(n) + "1").c_str());
    ASSERT_TRUE(entry);
    entry->trigger();
    EXPECT_FALSE(preset->isVisible());
}

TextList keptConfiguration(int n) {
    const FileBytes file = readFileBytes(std::string(SARVELO_PRESETS_DIR) + "/format" + std::to_string(n) + ".cfg");
    return file.error ? TextList{} : text::splitLines(file.bytes);
}

TEST(Presets, EachReplacesTheTextAndProcessesCleanly) {
    for (int n = 1; n <= kPresetCount; ++n) {
        SCOPED_TRACE(n);
        auto w = openWindow();
        w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
        testing::useSmallKeyLayout(*w);
        w->setPageByCommand(TSarvelo::kPageRenvois);
        const TextList before = configurationEntries(w->params());

        MessageCatcher replace(QStringLiteral("&Non"));  // the key typed in is not kept
        usePresetByClick(*w, n);
        EXPECT_EQ(w->workingLines(), text::splitLines(presetSample(n).toStdString()));
        EXPECT_GE(w->workingLines().size(), 20u);
        EXPECT_EQ(w->pages()->currentIndex(), TSarvelo::kPageRenvois);

        if (n < kPresetCount) {
            EXPECT_EQ(configurationEntries(w->params()), before);
            // The parameters kept beside the sample, over the start-up values.
            resetParams(w->params());
            const TextList kept = keptConfiguration(n);
            ASSERT_FALSE(kept.empty());
            ASSERT_FALSE(applyConfigurationOver(w->params(), kept));
            w->paramsChanged();
        } else {
            const KeyParams& p = w->params();
            EXPECT_EQ(p.Format, 0);
            EXPECT_EQ(p.Separ1, "");
            EXPECT_EQ(p.Separ2, "\t");
            EXPECT_EQ(p.format_renvois, 1);
            EXPECT_EQ(p.Car_maxi, 2);
            EXPECT_EQ(p.Liste_separ_3, TextList{"\t"});
            EXPECT_EQ(p.Sans_numero, 0);
            EXPECT_EQ(p.rem, "");
        }
        MessageCatcher catcher;  // "La clé semble récursive ?" of the hierarchical key: Non
        w->Action1Click();
        EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success);
        const ResultTable& t = w->table();
        ASSERT_GE(t.dataRows(), 18);  // nine couplets at least
        for (int r = 1; r <= t.dataRows(); ++r) EXPECT_FALSE(rowInError(t, r)) << "row " << r;
        if (n == kPresetCount) {
            // The tab ends references and determinations alike, and the
            // determination separators are tried first.
            for (int r = 1; r <= t.dataRows(); ++r) EXPECT_EQ(t.cell(r, kKind), "=>") << "row " << r;
        }
    }
}

// As a new user does it: a fresh window, "Format 5", "Utilise ce format", F9.
TEST(Presets, Format5ProcessesItsSampleInAFreshWindow) {
    auto w = openWindow();
    usePresetByClick(*w, 5);
    MessageCatcher questions(QStringLiteral("&Oui"));
    testing::press(*w, Qt::Key_F9);
    EXPECT_TRUE(questions.texts.isEmpty()) << questions.texts.join(" / ").toStdString();
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success);
    for (int r = 1; r <= w->table().dataRows(); ++r) EXPECT_FALSE(rowInError(w->table(), r)) << "row " << r;
}

// A sample edited in "Format 5" is what goes into the working text.
TEST(Presets, Format5TakesItsEditedSample) {
    auto w = openWindow();
    auto* preset = w->findChild<TFormatPreset*>(QStringLiteral("Format_5"));
    auto* memo = preset->findChild<QTextEdit*>(QStringLiteral("memo1"));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "17 Note");
    usePresetByClick(*w, 5);
    EXPECT_EQ(w->workingLines().back(), "17 Note");
}

// Missing or unreadable entries change nothing they would have set.
TEST(Presets, CriteresAppliedAsFarAsTheyGo) {
    struct Case {
        TextList entries;
        std::vector<std::string_view> written;
    };
    const Case cases[] = {
        {format5Criteres(),
         {"Format", "Separ1", "Separ2", "format_renvois", "Car_maxi", "Liste_separ_3", "Sans_numero", "rem"}},
        {{"vide", "xx", "", "", "", "a", "b", "02", "deux"}, {"Separ1", "Separ2", "format_renvois"}},
        {{"vide", "02", "", "", "", "vide", "vide", "01", "3", ";", ":"},
         {"Format", "Separ1", "Separ2", "format_renvois", "Car_maxi", "Liste_separ_3"}},
    };
    for (const Case& c : cases) {
        KeyParams p;
        p.Liste_separ_3 = {"=>"};
        EXPECT_EQ(applyCriteres(p, c.entries), c.written);
    }
    KeyParams p;
    applyCriteres(p, cases[2].entries);
    EXPECT_EQ(p.Format, 1);
    EXPECT_EQ(p.Liste_separ_3, (TextList{";", ":"}));  // no "fin": to the end
}

}  // namespace
}  // namespace sarvelo
