// Where a key starts and ends inside a longer paste, and what is set aside.
#include <gtest/gtest.h>

#include "layout/detection.hpp"
#include "layout/reshaping.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

namespace {

const Lines kFinished = {"1,2$ Wings dark", "1,0$ Wings pale $ A. alba", "2,0$ Legs long $ A. nigra",
                         "2,0$ Legs short $ A. rufa"};
const Lines kParagraphs = {"1,2$ Wings dark. Legs long and thin.", "1,0$ Wings pale. Legs short and thick. $ A. alba",
                           "2,0$ Legs long. Antennae long and thin. $ A. nigra",
                           "2,0$ Legs short. Antennae short and thick. $ A. rufa"};
const Lines kInOrder = {"1,2$ Wings dark.", "1,3$ Wings pale.", "2,0$ Legs long $ A. alba", "2,0$ Legs short $ A. nigra",
                        "3,0$ Eyes red $ A. rufa", "3,0$ Eyes black $ A. lutea"};
const Lines kInOrderThree = {"1,2$ Wings dark.",         "2,0$ Legs long $ A. alba", "2,0$ Legs short $ A. nigra",
                             "1,3$ Wings pale.",         "3,0$ Eyes red $ A. rufa",  "3,0$ Eyes black $ A. lutea",
                             "1,4$ Wings none.",         "4,0$ Body red $ A. rosea", "4,0$ Body black $ A. atra"};
const Lines kInOrderThreeEnded = {"1,2$ Wings dark.", "2,0$ Legs long $ A. alba",  "2,0$ Legs short $ A. nigra",
                                  "1,3$ Wings pale.", "3,0$ Eyes red $ A. rufa",   "3,0$ Eyes black $ A. lutea",
                                  "1,0$ Wings none $ A. aptera"};

}  // namespace

TEST(KeyBounds, TheKeyIsReadAloneWhateverIsPrintedAroundIt) {
    struct Case {
        const char* layout;
        Lines text;
        const Lines& finished;
    };
    const Case cases[] = {
        {"a numbered list of paragraphs above the key",
         {"GENUS", "", "1. The genus is known from the north. Its species differ", "in colour.", "",
          "2. Species are told by the legs. They vary", "little.", "", "3. Males were not seen.", "",
          "1. Wings dark ..... 2", "1'. Wings pale ..... A. alba", "2. Legs long ..... A. nigra",
          "2'. Legs short ..... A. rufa"},
         kFinished},
        {"a numbered list, a title, then a key with its second leads dashed",
         {"1. The genus is known from the north.", "2. Species are told by the legs.", "", "KEY TO THE SPECIES", "",
          "1. Wings dark ..... 2", "\u2013 Wings pale ..... A. alba", "2. Legs long ..... A. nigra",
          "\u2013 Legs short ..... A. rufa"},
         kFinished},
        {"a key in paragraphs, a figure's caption and a footnote between its couplets",
         {"1. Wings dark. Legs long and", "thin. 2", "", "Wings pale. Legs short and", "thick. =A. alba=", "",
          "Fig. 3. A. alba, dorsal view.", "", "2. Legs long. Antennae long", "and thin. =A. nigra=", "",
          "\u2020 The legs fade in alcohol.", "", "Legs short. Antennae short", "and thick. =A. rufa="},
         kParagraphs},
        {"a footnote called by a star between couplets set in paragraphs",
         {"1. Wings dark. Legs long and", "thin. 2", "", "Wings pale. Legs short and", "thick. =A. alba=", "",
          "* Measured on dry specimens.", "", "2. Legs long. Antennae long", "and thin. =A. nigra=", "",
          "Legs short. Antennae short", "and thick. =A. rufa="},
         kParagraphs},
        {"an index of names with their pages after the key",
         {"1. Wings dark ..... 2", "1'. Wings pale ..... A. alba", "2. Legs long ..... A. nigra",
          "2'. Legs short ..... A. rufa", "", "", "INDEX", "", "A", "A. alba Smith, 12", "A. nigra, 14, 20-21",
          "A. rufa Jones, 1910, 17", "", "B", "Bombus, 3"},
         kFinished},
        {"the same number on the three leads of the first couplet, each before its sub-key",
         {"1. Wings dark.", "    2. Legs long ..... A. alba", "    2. Legs short ..... A. nigra", "1. Wings pale.",
          "    3. Eyes red ..... A. rufa", "    3. Eyes black ..... A. lutea", "1. Wings none.",
          "    4. Body red ..... A. rosea", "    4. Body black ..... A. atra"},
         kInOrderThree},
        {"the first couplet's third lead ending in a name after a leader",
         {"1. Wings dark.", "    2. Legs long ..... A. alba", "    2. Legs short ..... A. nigra", "1. Wings pale.",
          "    3. Eyes red ..... A. rufa", "    3. Eyes black ..... A. lutea", "1. Wings none ..... A. aptera"},
         kInOrderThreeEnded},
        {"the last couplet's third lead, each name alone on the line under its lead, a heading after the key",
         {"1. Wings dark.", "2. Legs long", "        A. alba", "2. Legs short", "        A. nigra", "1. Wings pale.",
          "3. Eyes red", "        A. rufa", "3. Eyes black", "        A. lutea", "3. Eyes white", "        A. candida", "", "",
          "CANDIDA L. Syst. Nat. 214. 1758."},
         {"1,2$ Wings dark.", "1,3$ Wings pale.", "2,0$ Legs long $ A. alba", "2,0$ Legs short $ A. nigra",
          "3,0$ Eyes red $ A. rufa", "3,0$ Eyes black $ A. lutea", "3,0$ Eyes white $ A. candida"}},
        {"the first couplet's third lead last, each name after the book's number, a heading after the key",
         {"1. Wings dark.", "2. Legs long 1. A. alba", "2. Legs short 2. A. nigra, p. 12", "1. Wings pale 3. A. rufa",
          "1. Wings none 4. A. candida", "", "", "CANDIDA L. Syst. Nat. 214. 1758."},
         {"1,2$ Wings dark.", "1,0$ Wings pale $ A. rufa", "1,0$ Wings none $ A. candida", "2,0$ Legs long $ A. alba",
          "2,0$ Legs short $ A. nigra (no. 2) (p. 12)"}},
        {"a footnote after a lead without reference, in a key in indented order",
         {"1\tWings dark.\t", "2\tLegs long\tA. alba", "2\u2019\tLegs short\tA. nigra", "1\u2019\tWings pale.\t", "",
          "* Measured on dry specimens.", "", "3\tEyes red\tA. rufa", "3\u2019\tEyes black\tA. lutea"},
         kInOrder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const LayoutDetection d = detectLayout(c.text);
        ASSERT_TRUE(d.processes());
        EXPECT_EQ(sarvelo::testing::finishedKeyOf(c.text, d.proposals.front()), c.finished);
    }
}

TEST(KeyBounds, ANumberedListAboveTheKeyEndsWhereItsNumbersStopGoingOn) {
    struct Case {
        const char* layout;
        Lines text;
        std::size_t keyStart;
    };
    const Case cases[] = {
        {"items in turn, then the key's first couplet",
         {"Notes", "1. The genus is known.", "2. Species vary.", "", "1. Wings dark 2", "1'. Wings pale A. alba"}, 3},
        {"a number wrapped inside an item is the text's",
         {"1. The genus has species", "480. Its range is wide.", "2. Species vary.", "", "Key", "1. Wings dark 2"}, 3},
        {"a key pasted from its middle under the list",
         {"1. The genus is known.", "2. Species vary.", "Key to males:", "16. Wings dark 17", "Wings pale 18"}, 3},
        {"a first couplet without number between the list and the first label stays the key's",
         {"1. The genus is known.", "2. Species vary.", "", "Wings dark  1", "Wings pale  2", "",
          "=1=--Legs long  A. alba", "Legs short  A. nigra"},
         2},
        {"a key whose first label the copy glued to its text",
         {"1. The genus is known.", "2. Species vary.", "", "Key", "1Wings dark ..... 2", "-Wings pale ..... A. alba"},
         2},
        {"one item is no list", {"1. The genus is known.", "", "1. Wings dark 2", "1'. Wings pale A. alba"}, 0},
        {"second leads unnumbered between the numbers: a key, no list",
         {"1. Wings dark. 2", "", "Wings pale. A. alba", "", "2. Legs long. A. nigra", "", "Legs short. A. rufa", "",
          "1. Second key"},
         0},
        {"numbers going on in turn into a lead with a leader: the key's first couplets in indented order",
         {"1. Thallus flat.", "2. Lobes broad.", "3. Lobes white ..... Parmelia", "3. Lobes grey ..... Physcia",
          "2. Lobes narrow ..... Cetraria", "1. Thallus shrubby ..... Usnea"},
         0},
        {"the same with the names set after a run of blanks",
         {"1. Thallus flat.", "2. Lobes broad.", "3. Lobes white        Parmelia", "3. Lobes grey        Physcia",
          "2. Lobes narrow        Cetraria", "1. Thallus shrubby        Usnea"},
         0},
        {"numbers going on in turn at ever deeper margins, the names on the lines under them",
         {"1. Thallus flat.", "   2. Lobes broad.", "      3. Lobes white.", "            Parmelia",
          "      3. Lobes grey.", "            Physcia", "   2. Lobes narrow.", "         Cetraria"},
         0},
        {"leaders: a key whose leads are numbered once",
         {"1. Wings dark ..... 2", "2. Legs long ..... A. nigra", "1. Second key"}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(keyAfterNumberedList(c.text), c.keyStart) << c.layout;
}

TEST(KeyBounds, TreatmentsNumberedFromOneAgainEndAKeyCutShort) {
    // The copy stops before couplet 3; the species accounts that follow are no leads.
    const Lines text = {"1. Wings dark ..... 2", "\u2013 Wings pale ..... A. alba", "2. Legs long ..... A. nigra",
                        "\u2013 Legs short ..... 3", "", "1. A. alba Smith, 1906.", "   Found in the north.", "",
                        "2. A. nigra Jones, 1910.", "   Found in the south."};
    const LayoutDetection d = detectLayout(text);
    ASSERT_FALSE(d.proposals.empty());
    EXPECT_EQ(sarvelo::testing::finishedKeyOf(text, d.proposals.front()),
              (Lines{"1,2$ Wings dark", "1,0$ Wings pale $ A. alba", "2,0$ Legs long $ A. nigra", "2,3$ Legs short"}));
}

TEST(KeyBounds, AnIndexOfNamesWithTheirPagesClosesTheText) {
    struct Case {
        const char* layout;
        Lines text;
        std::size_t indexStart;
    };
    const Case cases[] = {
        {"entries under their letters, the heading with them",
         {"1. Wings dark 2", "1'. Wings pale A. alba", "", "Index", "", "A", "A. alba, 4", "Apis, 7, 9", "", "B",
          "Bombus, 12-14."},
         3},
        {"two entries are no index", {"1. Wings dark 2", "1'. Wings pale A. alba", "", "A. alba, 4", "Apis, 7"}, 5},
        {"leads ending with a leader and a number are no entries",
         {"A. Wings dark ..... 12", "B. Wings pale ..... 14", "C. Legs long ..... 16"}, 3},
        {"a table of contents under its heading, titles and pages apart",
         {"    Wings dark, the veins        page 8   Plega alba", "    brown", "", "", "          CONTENTS", "",
          "  Key to Diseases                           2", "  Key to Insects                           2",
          "  Spray Schedule ........................... 4", "  Introduction                              5"},
         4},
        {"titles and pages without a heading are leads and their references",
         {"Wings dark                 2", "Wings pale                 3", "Legs long                  4"}, 3},
        {"pages out of order are no contents",
         {"1. Wings dark  2", "", "CONTENTS", "", "Key                9", "Schedule           4", "Introduction       5"}, 7},
    };
    for (const Case& c : cases) EXPECT_EQ(indexAfterKey(c.text), c.indexStart) << c.layout;
}

// Numbered accounts under a heading, or a heading and its prose set well
// apart, after the key: where each reading of what follows says it starts.
TEST(KeyBounds, TextAfterTheKeyIsNotItsLastLeads) {
    using After = std::size_t (*)(const Lines&);
    struct Case {
        const char* layout;
        After after;
        Lines text;
        std::size_t start;
    };
    const Lines key = {"1. Wings dark ..... 2", "\u2013 Wings pale ..... A. alba", "2. Legs long ..... A. nigra",
                       "\u2013 Legs short ..... A. rufa", ""};
    auto with = [&](Lines after) {
        Lines text = key;
        text.insert(text.end(), after.begin(), after.end());
        return text;
    };
    const Case cases[] = {
        {"accounts in turn under a heading, a footnote among them", accountsAfterKey,
         with({"DESCRIPTIONS OF THE SPECIES", "", "1. A. alba is found in the north,", "mostly on sand.", "",
               "* Measured dry.", "", "2. A. nigra is rare."}),
         5},
        {"a sub-key under a heading has leaders", accountsAfterKey,
         with({"KEY TO THE VARIETIES", "", "1. Legs red ..... var. rubra", "\u2013 Legs black ..... var. alba"}), 9},
        {"couplets numbered on under a group heading", accountsAfterKey,
         with({"GROUP II", "", "3. Eyes large. 4", "Eyes small. A. rufa"}), 9},
        {"a numbered item sending to a couplet", accountsAfterKey, with({"NOTES", "", "1. See also the figures. 2"}), 8},
        {"no couplet 1 above the heading", accountsAfterKey, {"GENERAL REMARKS", "", "1. The genus is small."}, 3},
        {"a genus and its description two blank lines under the key", proseAfterKey,
         {"1. Wings dark ..... 2", "1'. Wings pale ..... A. alba", "2. Legs long ..... A. nigra",
          "2'. Legs short, the tarsi", "    pale ..... A. rufa", "", "", "Genus Beta, Smith, 1890.", "",
          "Length of the largest 12"},
         5},
        {"leads set apart as widely as the text after them", proseAfterKey,
         {"1. Wings dark ..... 2", "", "", "1'. Wings pale ..... A. alba", "", "", "2. Legs long ..... A. nigra", "",
          "", "2'. Legs short ..... A. rufa", "", "", "Genus Beta.", "Small."},
         14},
        {"one line far below the key is left to the readers", proseAfterKey,
         with({"", "RUFA L. Syst. Nat. 214. 1758."}), 7},
        {"a name alone one blank line under its lead", proseAfterKey,
         {"1. Wings dark 2", "1'. Wings pale", "", "A. alba", "2. Legs long A. nigra", "2'. Legs short", "", "A. rufa"},
         8},
    };
    for (const Case& c : cases) EXPECT_EQ(c.after(c.text), c.start) << c.layout;
}

TEST(KeyBounds, CaptionsAndFootnotesAreParagraphsOfTheirOwnAndNotesAtTheMargin) {
    struct Case {
        const char* layout;
        Lines text;
        std::vector<bool> aside;
    };
    const Case cases[] = {
        {"a caption and a footnote between blank lines",
         {"1. Wings dark 2", "", "Fig. 3. A. alba, dorsal", "view.", "", "\u2020 Fide Smith.", "", "2. Legs long A. alba"},
         {false, false, true, true, false, true, false, false}},
        {"a star before a sentence at the margin", {"1. Wings dark 2", "", "* Measured dry.", "", "1'. Wings pale 3"},
         {false, false, true, false, false}},
        {"stars that come doubled label leads", {"* Scales smooth", "", "* Legs long.", "", "** Scales keeled"},
         std::vector<bool>(5, false)},
        {"an indented dagger labels a lead", {"1. Wings dark 2", "", "   \u2020 Calyptra smooth.", "", "x"},
         std::vector<bool>(5, false)},
        {"a caption glued to a lead's line is no paragraph of its own", {"1. Wings dark 2", "Fig. 3. A. alba.", "", "x"},
         std::vector<bool>(4, false)},
        {"the author's notes, indented or not, and a list's column heads in marks",
         {"A^2 Wings dark   B", "", "  _Note 1._--When wings are folded,", "  look beneath.", "", "Note.--The genus Alba",
          "is placed here.", "", "     _Insects with no wings_        _Order_", "", "a. Body long   Plega"},
         {false, false, true, true, false, true, true, false, true, false, false}},
        {"a note word that starts a lead, a name in marks alone",
         {"1. Wings dark 2", "", "Notes of the wing pale 3", "", "_Plega alba_", "", "x"}, std::vector<bool>(7, false)},
        {"an editor's note in brackets, on one line or over two",
         {"1. Wings dark 2", "", "[Illustration: Fig. 3.--A. alba.]", "", "[Illustration: Fig. 4.", "A. nigra.]", "",
          "2. Legs long A. alba"},
         {false, false, true, false, true, true, false, false}},
        {"a bracket closed before the paragraph's end opens a lead",
         {"[1] Wings dark 2", "", "[2] Legs long [A. alba]", "", "[2] Legs short A. nigra"}, std::vector<bool>(5, false)},
    };
    for (const Case& c : cases) EXPECT_EQ(captionsAndFootnotes(c.text), c.aside) << c.layout;
}

TEST(KeyBounds, LinesBeforeTheKeyAreCountedOnceWhoeverSetThemAside) {
    // The list is cut above the key, then the reader of keys in paragraphs
    // sets the title and its prose aside: one count of the five lines.
    const Lines text = {"1. The genus is known from the north.", "2. Species are told by the legs.", "",
                        "KEY TO THE SPECIES", "", "The key is drawn from the museum's specimens and may",
                        "not hold for others.", "", "1. Wings dark. Legs long and thin. 2", "",
                        "Wings pale. Legs short and thick. =A. alba=", "",
                        "2. Legs long. Antennae long and thin. =A. nigra=", "",
                        "Legs short. Antennae short and thick. =A. rufa="};
    const LayoutDetection d = detectLayout(text);
    ASSERT_TRUE(d.processes());
    const std::string& summary = d.proposals.front().summary;
    EXPECT_NE(summary.find("5 lignes de texte avant la clé laissées de côté"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("avant la clé"), summary.rfind("avant la clé")) << summary;
}

TEST(KeyBounds, AKeyPastedFromItsMiddleEndsAtAccountsNumberedFromOne) {
    // The paste starts at couplet 4; the accounts after it start over at one.
    struct Case {
        const char* layout;
        Lines text;
    };
    const Lines accounts = {"", "1. A. alba Smith, 1906.", "   Found in the north.", "", "2. A. nigra Jones, 1910.",
                            "   Found in the south."};
    const Case cases[] = {
        {"mate after a dash", {"4. Wings dark ..... 5", "\u2013 Wings pale ..... A. alba", "5. Legs long ..... A. nigra",
                               "\u2013 Legs short ..... 6", "6. Eyes red ..... A. rubra", "\u2013 Eyes black ..... A. atra"}},
        {"number twice", {"4. Wings dark ..... 5", "4. Wings pale ..... A. alba", "5. Legs long ..... A. nigra",
                          "5. Legs short ..... 6", "6. Eyes red ..... A. rubra", "6. Eyes black ..... A. atra"}},
    };
    for (const Case& c : cases) {
        Lines text = c.text;
        text.insert(text.end(), accounts.begin(), accounts.end());
        const LayoutDetection d = detectLayout(text);
        ASSERT_FALSE(d.proposals.empty()) << c.layout;
        EXPECT_EQ(sarvelo::testing::finishedKeyOf(text, d.proposals.front()),
                  (Lines{"1,2$ Wings dark", "1,0$ Wings pale $ A. alba", "2,0$ Legs long $ A. nigra", "2,3$ Legs short",
                         "3,0$ Eyes red $ A. rubra", "3,0$ Eyes black $ A. atra"}))
            << c.layout;
    }
}

TEST(KeyBounds, TheSameKeyPrintedAgainBelowItIsTextAfterTheKey) {
    // An indented key, then its first label again at its first level: a second key.
    const Lines key = {"I. Teeth few ..... Typhlops", "II. Teeth in both jaws.", "    A. Fangs in front ..... Vipera",
                       "    B. No fangs.", "        a. Teeth equal ..... Coronella", "        b. Teeth unequal ..... Zamenis"};
    struct Case {
        const char* layout;
        Lines above, between;
    };
    const Case cases[] = {
        {"heading in sentence case", {}, {"", "", "Key to the females", ""}},
        {"under an introduction", {"The genera may be arranged as follows:", ""}, {"", "Key to the females", ""}},
        {"blank line only", {"The genera may be arranged as follows:", ""}, {""}},
    };
    for (const Case& c : cases) {
        Lines text = c.above;
        text.insert(text.end(), key.begin(), key.end());
        text.insert(text.end(), c.between.begin(), c.between.end());
        text.insert(text.end(), key.begin(), key.end());
        const LayoutDetection d = detectLayout(text);
        ASSERT_FALSE(d.proposals.empty()) << c.layout;
        EXPECT_EQ(sarvelo::testing::finishedKeyOf(text, d.proposals.front()),
                  (Lines{"1,0$ Teeth few $ Typhlops", "1,2$ Teeth in both jaws.", "2,0$ Fangs in front $ Vipera",
                         "2,3$ No fangs.", "3,0$ Teeth equal $ Coronella", "3,0$ Teeth unequal $ Zamenis"}))
            << c.layout;
    }
}

TEST(KeyBounds, AKeyRunTogetherOnOneLineIsReadAboveAccountsInParagraphs) {
    // A scan's text: the whole key on one line, then accounts set as paragraphs.
    Lines text = {"Key to the species",
                  "1 Wings dark ..... 2 \u2013 Wings pale ..... 3 2 Legs long ..... A. alba \u2013 Legs short ..... A. nigra "
                  "3 Eyes red ..... A. rubra \u2013 Eyes black ..... A. atra",
                  ""};
    int number = 0;
    for (const char* name : {"A. alba Smith, 1906.", "A. nigra Jones, 1910.", "A. rubra Brown, 1921.", "A. atra Lee, 1930."}) {
        text.push_back(std::to_string(++number) + ". " + name);
        text.insert(text.end(), {"   Found in the north, in woods and", "meadows of the plain.", ""});
    }
    const LayoutDetection d = detectLayout(text);
    ASSERT_FALSE(d.proposals.empty());
    EXPECT_EQ(sarvelo::testing::finishedKeyOf(text, d.proposals.front()),
              (Lines{"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ A. alba", "2,0$ Legs short $ A. nigra",
                     "3,0$ Eyes red $ A. rubra", "3,0$ Eyes black $ A. atra"}));
}

TEST(KeyBounds, AccountsNumberedFromOneUnderAnIndentedKeyAreTextAfterIt) {
    // A series the key never used, set no deeper than its first lead: no sub-key.
    struct Case {
        const char* layout;
        Lines key;
    };
    const Case cases[] = {
        {"sub-leads deeper", {"A. Wings dark.", "    a. Legs long ..... A. alba", "    b. Legs short ..... A. nigra",
                              "B. Wings pale.", "    a. Eyes red ..... A. rubra", "    b. Eyes black ..... A. atra"}},
        {"labels centred", {"        A. Wings dark.", "  a. Legs long ..... A. alba", "  b. Legs short ..... A. nigra",
                            "        B. Wings pale.", "  a. Eyes red ..... A. rubra", "  b. Eyes black ..... A. atra"}},
    };
    for (const Case& c : cases) {
        Lines text = c.key;
        text.insert(text.end(), {"", "1. A. alba Smith, 1906.", "   Found in the north.", "", "2. A. nigra Jones, 1910.",
                                 "   Found in the south."});
        const LayoutDetection d = detectLayout(text);
        ASSERT_FALSE(d.proposals.empty()) << c.layout;
        EXPECT_EQ(sarvelo::testing::finishedKeyOf(text, d.proposals.front()),
                  (Lines{"1,2$ Wings dark.", "1,3$ Wings pale.", "2,0$ Legs long $ A. alba", "2,0$ Legs short $ A. nigra",
                         "3,0$ Eyes red $ A. rubra", "3,0$ Eyes black $ A. atra"}))
            << c.layout;
    }
}

TEST(KeyBounds, AKeyInGroupsOfManyRowsIsReadAboveTheTableOfContentsAfterIt) {
    // Group headings in capitals over rows with a page and a name; one group
    // holds most of the rows.
    const char* text =
        "                Key to Diseases\n"
        "\n"
        "\n"
        "  DISEASES OF THE LEAVES\n"
        "    Olive spots on the leaf               page 5   Scab\n"
        "    Downy buff lesions                    page 7   Downy Spot\n"
        "    Small reddish spots                   page 6   Leaf Spot\n"
        "    Dark lesions on veins                 page 6   Vein Spot\n"
        "    Tiny white tufts                      page 9   Leaf Mold\n"
        "    Olive velvety spots                   page 7   Leaf Blotch\n"
        "    Leaflets yellowish                    page 8   Rosette\n"
        "    Broomy twig growth                    page 8   Bunch Disease\n"
        "  DISEASES OF THE ROOTS\n"
        "    Galls on larger roots                 page 7   Crown Gall\n"
        "    Bark split, strands of                page 10  Root Rot\n"
        "    fungal growth present\n"
        "\n"
        "\n"
        "\n"
        "                    CONTENTS\n"
        "\n"
        "\n"
        "  Key to Diseases                                           2\n"
        "  Spray Schedule                                            4\n"
        "  Introduction                                              5\n";
    EXPECT_TRUE(sarvelo::testing::detectsKey(text::splitLines(text),
                                             {"1,2$ DISEASES OF THE LEAVES",
                                              "1,3$ DISEASES OF THE ROOTS",
                                              "2,0$ Olive spots on the leaf $ Scab",
                                              "2,0$ Downy buff lesions $ Downy Spot",
                                              "2,0$ Small reddish spots $ Leaf Spot",
                                              "2,0$ Dark lesions on veins $ Vein Spot",
                                              "2,0$ Tiny white tufts $ Leaf Mold",
                                              "2,0$ Olive velvety spots $ Leaf Blotch",
                                              "2,0$ Leaflets yellowish $ Rosette",
                                              "2,0$ Broomy twig growth $ Bunch Disease",
                                              "3,0$ Galls on larger roots $ Crown Gall",
                                              "3,0$ Bark split, strands of fungal growth present $ Root Rot"}));
}
