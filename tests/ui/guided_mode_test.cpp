// "Mode Dirigé": the six dialogs in their order, what their buttons write,
// and a key processed through them alone.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTextEdit>

#include "../../bench/keygen.hpp"
#include "documents/config_entries.hpp"
#include "engine/text.hpp"
#include "ui/guided_dialogs.hpp"
#include "ui/guided_steps.hpp"
#include "ui/param_binding.hpp"
#include "ui/radio_group.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::MessageCatcher;
using testing::openWindow;

// The guided dialog now shown, if any.
TGuidedDialog* shownDialog(TSarvelo& w) {
    for (auto* d : w.findChildren<TGuidedDialog*>())
        if (d->isVisible()) return d;
    return nullptr;
}

void startGuidedMode(TSarvelo& w) { testing::press(w, Qt::Key_D, Qt::ControlModifier); }

// Clicks a button of the dialog in front; returns that dialog's step label
// (and its caption in `caption`).
QString clickIn(TSarvelo& w, QPushButton* (TGuidedDialog::*button)() const, QString* caption = nullptr) {
    TGuidedDialog* d = shownDialog(w);
    if (!d) return {};
    const QString label = d->stepLabel()->text();
    if (caption) *caption = d->windowTitle();
    QTest::mouseClick((d->*button)(), Qt::LeftButton);
    return label;
}

// Selects the first occurrence of `text` in the working text.
void select(TSarvelo& w, const QString& text) {
    w.memo1()->moveCursor(QTextCursor::Start);
    ASSERT_TRUE(w.memo1()->find(text)) << text.toStdString();
}

TEST(GuidedMode, PasserThroughAllSixRunsWithTheParametersUnchanged) {
    auto w = openWindow();
    w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
    testing::useSmallKeyLayout(*w);
    KeyParams expected = w->params();
    int runs = 0;
    QObject::connect(w.get(), &TSarvelo::runFinished, [&] { ++runs; });

    startGuidedMode(*w);
    ASSERT_TRUE(shownDialog(*w));
    EXPECT_TRUE(shownDialog(*w)->isModal());
    // A formatting box acts at once, even when the dialog is passed.
    testing::clickButton(static_cast<QCheckBox*>(shownDialog(*w)->control("Le_gras")));
    expected.Le_gras = true;
    QStringList labels, captions;
    for (int i = 0; i < kStepCount; ++i) labels << clickIn(*w, &TGuidedDialog::passerButton, &captions.emplace_back());
    EXPECT_EQ(labels, (QStringList{"  1/6  ", "  2/6  ", "  3/6  ", "  4/6  ", "  5/6  ", "  6/6  "}));
    EXPECT_EQ(captions, (QStringList{"Visualise le formatage du texte", "Type de numérotation des ligne utilisé",
                                     "Les renvois vers une autre ligne", "Gestion des sous-sections", "Les définitions",
                                     "Les lignes sans numéro doivent êtres traitées ..."}));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success);
    EXPECT_EQ(configurationEntries(w->params()), configurationEntries(expected));
    EXPECT_FALSE(shownDialog(*w));
    EXPECT_EQ(w->mode(), TSarvelo::Mode::Dirige);
}

TEST(GuidedMode, OkWithAnEmptyDefinitionListLeadsToTheMessage) {
    auto w = openWindow();
    w->setWorkingText(QString::fromUtf8(testing::kSmallKey));
    testing::useSmallKeyLayout(*w);
    MessageCatcher catcher;
    startGuidedMode(*w);
    for (int i = 0; i < kStepDefinition; ++i) clickIn(*w, &TGuidedDialog::passerButton);
    EXPECT_EQ(clickIn(*w, &TGuidedDialog::okButton), "  5/6  ");
    EXPECT_TRUE(w->params().Liste_separ_3.empty());
    clickIn(*w, &TGuidedDialog::passerButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !catcher.texts.isEmpty(); }, 2000));
    EXPECT_EQ(catcher.texts, QStringList{QString::fromUtf8(kMsgNoSeparator)});
}

// Every parameter of a dialog is given a value unlike the start-up one: "Ok"
// changes exactly the listed parameters of the main window, in their order.
TEST(GuidedMode, OkWritesExactlyTheListedParametersInOrder) {
    const std::vector<std::vector<std::string_view>> listed = {
        {"caractere", "Format", "les_suites", "Liste_mixte", "Liste_mixte2", "Utilise_suites", "Compter_lettres",
         "nb_lettres", "Alphabet", "indice"},
        {"meme_numero", "Separ1", "Separ2", "suivant", "Car_maxi", "format_renvois"},
        {"section", "section_depart"},
        {"Liste_separ_3"},
        {"rem", "remonte_si", "Sans_numero"},
    };
    auto w = openWindow();
    MessageCatcher catcher;  // the last one runs the processing
    for (int step = kStepNumerotation; step < kStepCount; ++step) {
        SCOPED_TRACE(step);
        resetParams(w->params());
        w->paramsChanged();
        const KeyParams before = w->params();
        auto* d = w->findChild<GuidedMode*>()->dialog(step);
        for (const ParamInfo& info : paramInfos()) {
            std::visit(
                [&info](auto* field) {
                    using T = std::remove_pointer_t<decltype(field)>;
                    if constexpr (std::is_same_v<T, std::string>) *field = "x";
                    else if constexpr (std::is_same_v<T, bool>) *field = !*field;
                    else if constexpr (std::is_same_v<T, int>) *field = *field == 1 ? 2 : 1;
                    else *field = TextList{"x"};
                },
                fieldOf(d->values(), info));
        }
        d->binding().showAll();
        std::vector<std::string_view> changed;
        auto c = QObject::connect(&w->binding(), &ParamBinding::changed,
                                  [&](const ParamInfo& info) { changed.push_back(info.name); });
        d->show();
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
        QObject::disconnect(c);
        EXPECT_EQ(changed, listed[static_cast<std::size_t>(step - 1)]);
        std::vector<std::string_view> differing;
        for (const ParamInfo& info : paramInfos())
            if (!sameValue(before, w->params(), info)) differing.push_back(info.name);
        std::vector<std::string_view> sorted = listed[static_cast<std::size_t>(step - 1)];
        auto byTable = [](std::string_view a, std::string_view b) { return findParam(a) < findParam(b); };
        std::sort(sorted.begin(), sorted.end(), byTable);
        EXPECT_EQ(differing, sorted);
        EXPECT_FALSE(d->isVisible());
    }
}

// The numbering dialog's complex list, filled from the working text, replaces
// both lists of the main window.
TEST(GuidedMode, ComplexListOfTheNumberingDialogReplacesTheMainOnes) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("1. Chapeau rouge\na) Pied court\n"));
    w->params().Liste_mixte = {"1", "a", "1a"};
    w->params().Liste_mixte2 = {"1", "a", "1a"};
    w->paramsChanged();
    startGuidedMode(*w);
    clickIn(*w, &TGuidedDialog::passerButton);
    TGuidedDialog* d = shownDialog(*w);
    ASSERT_TRUE(d);
    testing::LineIndexAnswer answer(0, 1);
    for (const QString& label : {QStringLiteral("1. "), QStringLiteral("a) ")}) {
        select(*w, label);
        QTest::mouseClick(d->selectionButton("Liste_mixte"), Qt::LeftButton);
    }
    EXPECT_EQ(answer.shown.size(), 2);
    EXPECT_EQ(d->values().Format, 2);
    const KeyParams dialog = d->values();
    EXPECT_EQ(dialog.Liste_mixte, (TextList{"1. ", "a) "}));
    clickIn(*w, &TGuidedDialog::okButton);
    EXPECT_EQ(w->params().Format, 2);
    EXPECT_EQ(w->params().Liste_mixte, dialog.Liste_mixte);
    EXPECT_EQ(w->params().Liste_mixte2, dialog.Liste_mixte2);
    EXPECT_EQ(w->params().Liste_mixte2.size(), 2u);
}

TEST(GuidedMode, CloseBoxEndsTheChainWithoutWriting) {
    auto w = openWindow();
    int runs = 0;
    QObject::connect(w.get(), &TSarvelo::runFinished, [&] { ++runs; });
    startGuidedMode(*w);
    clickIn(*w, &TGuidedDialog::passerButton);
    TGuidedDialog* numbering = shownDialog(*w);
    ASSERT_TRUE(numbering);
    numbering->close();
    EXPECT_FALSE(shownDialog(*w));
    EXPECT_EQ(runs, 0);
}

// A user who knows nothing of the parameters: the generated key of 60 leads,
// its separators taken from the text with "Texte sélectionné".
TEST(GuidedMode, ProcessesTheGeneratedKeyAlone) {
    auto w = openWindow();
    w->setWorkingText(QString::fromStdString(text::joinLines(bench::generatedKey(60))));
    startGuidedMode(*w);
    clickIn(*w, &TGuidedDialog::passerButton);          // formatting
    EXPECT_EQ(clickIn(*w, &TGuidedDialog::okButton), "  2/6  ");  // numbering: 1, 2, 3 as it stands

    TGuidedDialog* d = shownDialog(*w);
    select(*w, ". ");
    QTest::mouseClick(d->selectionButton("Separ1"), Qt::LeftButton);
    select(*w, " ...");
    QTest::mouseClick(d->selectionButton("Separ2"), Qt::LeftButton);
    testing::clickButton(static_cast<TRadioGroup*>(d->control("format_renvois"))->button(1));
    EXPECT_EQ(clickIn(*w, &TGuidedDialog::okButton), "  3/6  ");

    clickIn(*w, &TGuidedDialog::passerButton);  // sections
    d = shownDialog(*w);
    select(*w, "=>");
    QTest::mouseClick(d->selectionButton("Liste_separ_3"), Qt::LeftButton);
    EXPECT_EQ(static_cast<QListWidget*>(d->control("Liste_separ_3"))->count(), 1);
    EXPECT_EQ(clickIn(*w, &TGuidedDialog::okButton), "  5/6  ");

    d = shownDialog(*w);
    testing::clickButton(static_cast<TRadioGroup*>(d->control("Sans_numero"))->button(0));
    EXPECT_EQ(clickIn(*w, &TGuidedDialog::okButton), "  6/6  ");

    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success);
    EXPECT_EQ(w->table().dataRows(), 60);
    for (int r = 1; r <= w->table().dataRows(); ++r) EXPECT_FALSE(rowInError(w->table(), r)) << "row " << r;
}

// A novice who takes the reference separator for a determination separator
// is told at once; whatever the chain gave, F9 works after it.
TEST(GuidedMode, TheReferenceSeparatorAsADeterminationSeparatorIsToldAndF9Stays) {
    auto w = openWindow();
    w->setWorkingText(QStringLiteral("1. Chapeau rouge ..... 2\n1. Chapeau blanc => Amanita\n"
                                     "2. Pied court => Lepiota\n2. Pied long => Inocybe\n"));
    testing::useSmallKeyLayout(*w);
    w->params().Separ2 = " ..... ";
    w->params().Liste_separ_3.clear();
    w->paramsChanged();
    MessageCatcher catcher;
    startGuidedMode(*w);
    for (int i = 0; i < kStepDefinition; ++i) clickIn(*w, &TGuidedDialog::passerButton);
    TGuidedDialog* d = shownDialog(*w);
    auto* warning = d->findChild<QLabel*>(QStringLiteral("SeparateurRenvois"));
    ASSERT_TRUE(warning);
    EXPECT_FALSE(warning->isVisible());
    select(*w, "=>");
    QTest::mouseClick(d->selectionButton("Liste_separ_3"), Qt::LeftButton);
    EXPECT_FALSE(warning->isVisible());
    select(*w, " ..... ");
    QTest::mouseClick(d->selectionButton("Liste_separ_3"), Qt::LeftButton);
    EXPECT_TRUE(warning->isVisible());
    EXPECT_EQ(warning->text(), "Ce séparateur sert déjà aux renvois : les entrées deviendraient toutes des définitions");
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Efface_separ3")), Qt::LeftButton);
    EXPECT_FALSE(warning->isVisible());
    select(*w, "=>");
    QTest::mouseClick(d->selectionButton("Liste_separ_3"), Qt::LeftButton);
    clickIn(*w, &TGuidedDialog::okButton);
    clickIn(*w, &TGuidedDialog::passerButton);
    EXPECT_EQ(w->lastRun().outcome, RunOutcome::Success);
    EXPECT_TRUE(w->action("Action1")->isEnabled());
    int runs = 0;
    QObject::connect(w.get(), &TSarvelo::runFinished, [&] { ++runs; });
    testing::press(*w, Qt::Key_F9);
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace sarvelo
