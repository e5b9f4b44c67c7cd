// Keys pasted inside longer texts or in layouts the parameters cannot read:
// reshaped into one lead per line, then read couplet by couplet.
#include <gtest/gtest.h>

#include "layout/detection.hpp"
#include "layout/indented.hpp"
#include "layout/reshaping.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

TEST(Reshaping, LeadEndingsGiveTheReferenceOrTheNameAndTheTextBefore) {
    struct Case {
        const char* body;
        const char* text;
        int reference;
        const char* name;
    };
    const Case cases[] = {
        {"Wings dark ........ 2", "Wings dark", 2, ""},
        {"Wings dark. 12", "Wings dark.", 12, ""},
        {"Wings dark (2)", "Wings dark", 2, ""},
        {"Wings dark [7]", "Wings dark", 7, ""},
        {"Wings dark, go to 5", "Wings dark", 5, ""},
        {"Ailes sombres voir 3", "Ailes sombres", 3, ""},
        {"Ailes sombres ..... voir le couplet 3", "Ailes sombres", 3, ""},
        {"Flügel dunkel ..... weiter bei Nr. 3", "Flügel dunkel", 3, ""},
        {"Alas oscuras ..... pasa al par 3", "Alas oscuras", 3, ""},
        {"Asas escuras ..... ir para o 3", "Asas escuras", 3, ""},
        {"Alae obscurae ..... v. 3", "Alae obscurae", 3, ""},
        {"Ali scure ..... vedi 3", "Ali scure", 3, ""},
        {"Flügel dunkel ..... \u017Fiehe 3", "Flügel dunkel", 3, ""},
        {"Vleugels donker, ga naar 3", "Vleugels donker", 3, ""},
        {"1\tWings dark\tgo to 3", "1\tWings dark", 3, ""},
        {"Wings dark \u2192 4", "Wings dark", 4, ""},
        {"Cells | Wings dark | 2 |", "Cells | Wings dark |", 2, ""},
        {"Wings dark ........ E. laevigatus Fan and He", "Wings dark", -1, "E. laevigatus Fan and He"},
        {"Wings dark\u2026\u2026 Plega", "Wings dark", -1, "Plega"},
        {"_Toes webbed_ ..... 2", "_Toes webbed_", 2, ""},
        {"Toes webbed ____ Plega", "Toes webbed", -1, "Plega"},
        {"Ovule ascending.--Species 50. =Ranunculus= L.", "Ovule ascending.--Species 50.", -1, "Ranunculus L."},
        {"Wings with four ridges E. pingbianensis sp. nov.", "Wings with four ridges", -1, "E. pingbianensis sp. nov."},
        {"Disk white-pruinose 14. L. _alba_", "Disk white-pruinose", -1, "L. alba"},
        {"Wings pale Plega alba (no. 14)", "Wings pale", -1, "Plega alba (no. 14)"},
        {"Flügel hell (Nr. 14)", "Flügel hell", 14, ""},
        {"Apex rounded (Fig. 14G) P.rufiposterus sp. nov.", "Apex rounded (Fig. 14G)", -1, "P.rufiposterus sp. nov."},
        {"Plants woody 12-15", "Plants woody 12-15", -1, ""},
        {"Kernel sweet ........ C. alba (no. 1)", "Kernel sweet", -1, "C. alba (no. 1)"},
        {"Kernel sweet ........ \u201CC. alba\u201D group (no. 20)", "Kernel sweet", -1, "\u201CC. alba\u201D group (no. 20)"},
        {"Stripe below eye,          _H. alba_", "Stripe below eye", -1, "H. alba"},
        {"Ovule erect (Including _Ficaria_ Dill.)      Ranunculus L.", "Ovule erect (Including _Ficaria_ Dill.)", -1,
         "Ranunculus L."},
        {"Kernel sweet ........ (2)", "Kernel sweet", 2, ""},
        {"Tibia long (Fig. 3)", "Tibia long (Fig. 3)", -1, ""},
        {"Wings dark ........ hemera sp. nov. (p. 180)", "Wings dark", -1, "hemera sp. nov. (p. 180)"},
        {"Wings dark ........ Plega masii (Giordani Soika, 1933)", "Wings dark", -1, "Plega masii (Giordani Soika, 1933)"},
        {"Wings dark ( Fig. 228", "Wings dark ( Fig. 228", -1, ""},
        {"Leaves 4\u20137.9", "Leaves 4\u20137.9", -1, ""},
        {"Leaves 10\u201314", "Leaves 10\u201314", -1, ""},
        {"Wings dark \u2022 \u2022 \u2022 \u2022 2", "Wings dark", 2, ""},
        {"Wings pale \u2022 \u2022 \u2022 Plega alba", "Wings pale", -1, "Plega alba"},
        {"Legs short _P. rufa_ (p. 4)", "Legs short", -1, "P. rufa"},
        {"Ridges many    _          T. ferox_, p. 479", "Ridges many", -1, "T. ferox"},
        {"Tail short =Plega alba= (p. 4)", "Tail short", -1, "Plega alba"},
        {"Tail short. =Plega alba= (not reported in U. S.).", "Tail short.", -1, "Plega alba (not reported in U. S.)"},
        {"Ailes sombres, voir 3.", "Ailes sombres", 3, ""},
        {"Ailes sombres (voir 3)", "Ailes sombres", 3, ""},
        {"Alas oscuras, v\u00E9ase 5", "Alas oscuras", 5, ""},
        {"Asas escuras, ir para 6", "Asas escuras", 6, ""},
        {"Alae nigrae, vide 7", "Alae nigrae", 7, ""},
        {"Folia opposita ........ ad 2", "Folia opposita", 2, ""},
        {"Fl\u00FCgel dunkel, s. 8", "Fl\u00FCgel dunkel", 8, ""},
        {"Alas oscuras, pasa a 9", "Alas oscuras", 9, ""},
        {"Tarsi black [see 12]", "Tarsi black", 12, ""},
        {"Thallus lobate ..... *Paulia F\u00E9e (no. 14)", "Thallus lobate", -1, "*Paulia F\u00E9e (no. 14)"},
        {"Wings dark (2), p. 14", "Wings dark", 2, ""},
        {"Wings dark ........ 2 (Fig. 3)", "Wings dark (Fig. 3)", 2, ""},
        {"Wings pale ........ P. alba (Figs 4, 5)", "Wings pale (Figs 4, 5)", -1, "P. alba"},
        {"Wings pale\tP. alba Raf. (Fig. 1D\u2013L)", "Wings pale", -1, "P. alba Raf. (Fig. 1D\u2013L)"},
        {"Bl\u00E4tter rund, weiter bei 12", "Bl\u00E4tter rund", 12, ""},
        {"Leaves cover 2", "Leaves cover", 2, ""},
        {"Stamens 5.", "Stamens 5.", -1, ""},
        {"Augen genähert                2.", "Augen genähert", 2, ""},
        {"Iris bronze _P. alba_ group--2", "Iris bronze _P. alba_ group", 2, ""},
        {"Apex lobed\tL. alba Smith et al., 2001", "Apex lobed", -1, "L. alba Smith et al., 2001"},
        {"Wings dark ........ R. alba sp. nov. ( R. pavo group), p. 90", "Wings dark", -1,
         "R. alba sp. nov. ( R. pavo group), p. 90"},
        {"Rostgelb. \u2013 ( C. alba Solsky.)", "Rostgelb. \u2013 ( C. alba Solsky.)", -1, ""},
        {"Au\u00DFenplatte verdickt (2).", "Au\u00DFenplatte verdickt", 2, ""},
        {"Vleesch riekend naar meel:      P. alba No. 26.", "Vleesch riekend naar meel:", -1, "P. alba"},
        {"Fl\u00FCgel dunkel Nr. 3", "Fl\u00FCgel dunkel", 3, ""},
        {"Au\u00DFenplatte verdickt (_Pfirsich_).", "Au\u00DFenplatte verdickt", -1, "Pfirsich"},
        {"Ventrals 147 (_Vipera alba_) to 330 (_Coluber niger_).", "Ventrals 147 (_Vipera alba_) to 330 (_Coluber niger_).", -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const LeadEnding e = splitLeadEnding(c.body);
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(e.reference, c.reference);
        EXPECT_EQ(e.name, c.name);
    }
}

TEST(Reshaping, ASignAloneAtTheEndOfALeadIsOcrDebris) {
    const std::pair<const char*, bool> cases[] = {
        {"K\u00F6rper von Form \u00BB", true}, {"Plega alba L. '", true}, {"Wings dark ,", true},
        {"Behaarung. \u201E", true},         {"UGattung Hypostenus Rey. |", true},
        {"Hsch. u. die Fld. angu= *", true},  {"| 2 | Wings dark | 3 |", false},
        {"Wings *dark* *", false},           {"Leaves opposite 3 \u2022", true},
        {"Carex alba L. \u00B7", true},       {"Wings dark \u2022 \u2022", false},
        {"K\u00F6rper von Form", false},      {"Wings \u00BBdark\u00AB", false}, {"\u00BB", false},
    };
    for (const auto& [text, debris] : cases) EXPECT_EQ(endsWithDebris(text), debris) << text;
}

TEST(Reshaping, ANameSetAtTheRightUnderALeadThatFilledItsLastLineIsReadWhole) {
    const Lines text{"Key", "", "1a. Leaves fan-shaped and palmately veined; the spadix once",
                     "branched, the berry sunk at the", "top                                    Mauritia. Moriche.", "",
                     "1b. Leaves pinnate                                              2", "",
                     "2a. Stems thin, climbing; the midrib ending in a long whip set",
                     "with hooked spines, paired on both sides of the midrib, the hooks",
                     "bent back", "                                              Desmoncus. Bamba.", "",
                     "2b. Stems erect, the midrib not drawn out              Oreodoxa."};
    const ReshapedKey r = reshapeKey(text);
    ASSERT_EQ(r.couplets.size(), 4u);
    EXPECT_TRUE(r.couplets[0].ends_with("top => Mauritia. Moriche.")) << r.couplets[0];
    EXPECT_TRUE(r.couplets[2].ends_with("hooks bent back => Desmoncus. Bamba.")) << r.couplets[2];
}

TEST(Reshaping, AConvertedLeadKeepsDotsThatCannotBeReadAsALeader) {
    const std::pair<const char*, const char*> cases[] = {
        {"Aartjes 5-6-... kafjes", "Aartjes 5-6-... kafjes"}, {"Wings dark ..... 2 pairs", "Wings dark .. 2 pairs"},
        {"Wings => dark", "Wings = > dark"}};
    for (const auto& [text, converted] : cases) EXPECT_EQ(safeDescription(text), converted);
}

TEST(Reshaping, NamesLoseTheirEmphasisMarksButNotANoteCall) {
    const std::pair<const char*, const char*> cases[] = {
        {"_P. alba_", "P. alba"},
        {"=Plega alba= L.", "Plega alba L."},
        {"*L. alba*", "L. alba"},
        {"L. tenuinervis*", "L. tenuinervis*"},
    };
    for (const auto& [name, unmarked] : cases) EXPECT_EQ(unmarkedName(name), unmarked) << name;
}

TEST(Reshaping, EachLayoutIsReadCoupletByCouplet) {
    struct Case {
        const char* layout;
        Lines text;
        Lines finished;
        const char* message;  // part of what the proposal says it did
    };
    const Lines finished{"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,0$ Legs long $ Plega nigra",
                         "2,0$ Legs short $ Plega rufa"};
    const Case cases[] = {
        {"back-referenced numbers, second lead unnumbered, prose around",
         {"Plega", "publication ID |", "Key to the species of Plega", "1. Wings dark ........ 2",
          "Wings pale ........ Plega alba", "2(1). Legs long ........ Plega nigra", "Legs short ........ Plega rufa",
          "No known copyright restrictions apply."},
         finished, "3 lignes de texte avant la clé laissées de côté, 1 ligne de texte après"},
        {"paragraphs, names in marks on a line of their own",
         {"FAMILY 12. PLEGIDAE", "", "Shrubs. Leaves opposite.--Genera 2, species", "40. (Plate 4.)", "",
          "1. Wings", "dark. 2", "", "Wings pale.--Species 3.", "=Plega alba= L.", "", "2. (1.) Legs long.",
          "=Plega nigra= L.", "", "Legs", "", "[Illustration: PLEGIDAE.", "", "_Pl. 4._", "", "]", "", "short.",
          "=Plega rufa= Hook. fil.", "", "", "FAMILY 13. OTHERIDAE", "", "Herbs."},
         {"1,2$ Wings dark.", "1,0$ Wings pale.--Species 3. $ Plega alba L.", "2,0$ Legs long. $ Plega nigra L.",
          "2,0$ Legs short. $ Plega rufa Hook. fil."},
         "entrées en paragraphes"},
        {"paragraphs, the second lead run on after the first lead's marked name, a marked name in brackets",
         {"FAMILY 12. PLEGIDAE", "", "1. Wings", "dark. 2", "", "Wings pale.--Species 3.",
          "(Including _Otheria_ Reitt. and _Pla_ Aub\u00E9.) =Plega alba= L.", "",
          "2. Legs long, black.--Species 2. =Plega nigra= L. Legs", "short, pale, thin. 3", "",
          "3. Tarsi black.--Species 1. =Plega rufa= Hook. fil.", "", "Tarsi white.--Species 1.", "=Plega nivea= L."},
         {"1,2$ Wings dark.", "1,0$ Wings pale.--Species 3. (Including _Otheria_ Reitt. and _Pla_ Aub\u00E9.) $ Plega alba L.",
          "2,0$ Legs long, black.--Species 2. $ Plega nigra L.", "2,3$ Legs short, pale, thin.",
          "3,0$ Tarsi black.--Species 1. $ Plega rufa Hook. fil.", "3,0$ Tarsi white.--Species 1. $ Plega nivea L."},
         "1 entrée séparée de la précédente sur la même ligne"},
        {"both leads on one line, the second unnumbered",
         {"Key to Plega", "1. Wings dark ........ 2 Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra Legs short ........ Plega rufa"},
         finished, "2 entrées séparées de la précédente sur la même ligne"},
        {"a page break between a name after a leader and its authors",
         {"Key to Plega", "1. Wings dark . . . . . . 2", "\u2013 Wings pale . . . . . . Plega", "", "312", "",
          "alba L.", "2. Legs long . . . . . . Plega nigra", "\u2013 Legs short . . . . . . Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba L.", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         "1 ligne de num\u00E9ro ou de titre de page"},
        {"a journal's foot with its page, then a running head in title case with the next page inside a lead",
         {"Key to Plega", "1. Wings dark . . . . . . 2", "\u2013 Wings pale . . . . . . Plega alba", "",
          "312 \u00B7 ZooKeys 123: 1\u201350 (2019)", "", "2. Legs long and thin, the", "", "Bull. Mus. nat. Hist. 313", "",
          "hairs black . . . . . . Plega nigra", "\u2013 Legs short . . . . . . Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,0$ Legs long and thin, the hairs black $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         "2 lignes de num\u00E9ro ou de titre de page"},
        {"the book's number glued to the name after a leader, as copied from a typeset page",
         {"Key to Plega", "1. Wings dark ........ 2", "\u2013 Wings pale ........ 5.Plega alba",
          "2. Legs long ........ 2.Plega nigra", "\u2013 Legs short ........ 7.Plega rufa"},
         finished, "3 num\u00E9ros d'esp\u00E8ce ou de page du livre"},
        {"labels glued to the lead's first word, as copied from a typeset page",
         {"Key to Plega", "1.Wings dark ........ 2", "\u2013Wings pale ........ Plega alba",
          "2(1).Legs long ........ Plega nigra", "\u2013Legs short ........ Plega rufa"},
         finished, ""},
        {"both leads on one line, opening alike in lower case after the first lead's name",
         {"Key to Plega", "1. Wings dark ........ 2 Wings pale ........ Plega alba",
          "2. a = 4\u20135; legs long ........ Plega nigra a = 6\u20137; legs short ........ Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,0$ a = 4\u20135; legs long $ Plega nigra",
          "2,0$ a = 6\u20137; legs short $ Plega rufa"},
         "2 entr\u00E9es s\u00E9par\u00E9es de la pr\u00E9c\u00E9dente sur la m\u00EAme ligne"},
        {"the whole key on one line after its title",
         {"Key to Plega 1 Wings dark ........ 2 - Wings pale ........ Plega alba 2(1) Legs long ........ "
          "Plega nigra - Legs short ........ Plega rufa"},
         finished, "1 ligne de texte avant la clé laissée de côté"},
        {"each field on a line of its own, as a journal's XML page copies",
         {"Zootaxa", "2011", "1", "Key to the species of", "Plega", "1. Wings dark (", "Fig. 2", ")........", "2", ".",
          "- Wings pale ........", "P. alba", "sp. nov.", "2. Legs long ........ P. nigra", "- Legs short ........ P. rufa"},
         {"1,2$ Wings dark ( Fig. 2 )", "1,0$ Wings pale $ P. alba sp. nov.", "2,0$ Legs long $ P. nigra",
          "2,0$ Legs short $ P. rufa"},
         "5 lignes de texte avant la clé laissées de côté"},
        {"each field on a line of its own, every lead closed by its stop alone, second leads unmarked",
         {"Key to the species of", "Plega", "1. Wings dark ........", "2", ".", "Wings pale ........", "P. alba",
          "Smith", ".", "2. Legs 2", "\u2013", "4 mm long ........", "P. nigra", ".", "Legs short ........", "P. rufa",
          "."},
         {"1,2$ Wings dark", "1,0$ Wings pale $ P. alba Smith .", "2,0$ Legs 2 \u2013 4 mm long $ P. nigra .",
          "2,0$ Legs short $ P. rufa ."},
         "2 lignes de texte avant la clé laissées de côté"},
        {"a scanned book: a word cut at a line end, a running head and a page number between pages",
         {"FLORA OF PLEGA 45", "", "1. Wings dark, the veins some-", "what raised . . . . . . 2",
          "- Wings pale, pale-", "or dark-veined . . . Plega alba", "46 FLORA OF PLEGA", "2. Legs long . . . . . Plega nigra",
          "", "47", "", "- Legs short . . . . . . Plega rufa"},
         {"1,2$ Wings dark, the veins somewhat raised", "1,0$ Wings pale, pale- or dark-veined $ Plega alba",
          "2,0$ Legs long $ Plega nigra", "2,0$ Legs short $ Plega rufa"},
         "1 mot coupé en fin de ligne rejoint, 2 lignes de numéro ou de titre de page laissées de côté"},
        {"couplets named by letters in marks, references to them followed by a page",
         {"=A.= Wings dark (=B.=) page 12.", "=A.= Wings pale . . . Plega alba", "=B.= Legs long . . . Plega nigra",
          "=B.= Legs short . . . Plega rufa"},
         finished, "couplets désignés par des lettres"},
        {"references and names each alone on the line after their lead",
         {"Key to Plega", "1. Wings dark", "2", "1'. Wings pale", "Plega alba", "2. Legs long", "Plega nigra",
          "2'. Legs short", "Plega rufa"},
         finished, "1 ligne de texte avant la clé laissée de côté"},
        {"a book's sub-key from its couplet 16, in paragraphs, the book's numbers in the marked names",
         {"16. Wings dark. 17", "", "Wings pale. =4. Plega alba.=", "", "17. Legs long. =5. Plega nigra.=", "",
          "Legs short, the", "1 pair bent. =6. Plega rufa.="},
         {"1,2$ Wings dark.", "1,0$ Wings pale. $ Plega alba.", "2,0$ Legs long. $ Plega nigra.",
          "2,0$ Legs short, the 1 pair bent. $ Plega rufa."},
         "3 numéros d'espèce ou de page du livre retirés des noms"},
        {"each field on a line of its own: a bracket open over lines, a figure caption, the book's number alone",
         {"Key to Plega", "1. Wings dark (", "Figures 1", "(h,i), 2(e,f)", "\u2013", "d)) ........", "2",
          "- Wings pale (", "Colby", "2009", ", fig. 5) ........", "6.", "P. alba", "sp. nov.",
          "Figure 1. Plega alba, holotype (a,", "b), male.", "2. Legs 4\u20137.9", "\u00D7", "1.5\u20133 mm ........",
          "P. nigra", "- Legs short ........ P. rufa"},
         {"1,2$ Wings dark ( Figures 1 (h,i), 2(e,f) \u2013 d))", "1,0$ Wings pale ( Colby 2009 , fig. 5) $ P. alba sp. nov.",
          "2,0$ Legs 4\u20137.9 \u00D7 1.5\u20133 mm $ P. nigra", "2,0$ Legs short $ P. rufa"},
         "2 lignes de légende de figure laissées de côté"},
        {"a key from its middle run together on one line, back-references, accented capitals",
         {"Clave para Plega (modificada de Smith 1987)",
          "16 (15) \u00C9litros verdes ........ 17 - \u00C9litros pardos ........ P. alba Smith. 17 (16) Patas "
          "largas ........ P. nigra Baly. - Patas cortas ........ P. rufa (Say) (en parte)."},
         {"1,2$ \u00C9litros verdes", "1,0$ \u00C9litros pardos $ P. alba Smith.", "2,0$ Patas largas $ P. nigra Baly.",
          "2,0$ Patas cortas $ P. rufa (Say) (en parte)."},
         "3 entrées séparées de la précédente sur la même ligne"},
        {"tab-separated cells, back-references, a reference misread in a scan, a year after the authors",
         {"Key to Plega", "1\tWings 2\tpale group... 2", "\u2013\tWings 3\tdark group... 3",
          "2(1)\tLegs long\tP. alba Smith et al., 2001", "\u2013\tLegs short\tP. nigra", "3(1)\tTarsi black\t1",
          "\u2013\tTarsi white\tP. rufa", "4(3)\tEyes red\tP. nivea", "\u2013\tEyes black\tP. fusca"},
         {"1,2$ Wings 2 pale group", "1,3$ Wings 3 dark group", "2,0$ Legs long $ P. alba Smith et al., 2001",
          "2,0$ Legs short $ P. nigra", "3,4$ Tarsi black", "3,0$ Tarsi white $ P. rufa", "4,0$ Eyes red $ P. nivea",
          "4,0$ Eyes black $ P. fusca"},
         "1 renvoi lu de travers rétabli"},
        {"a figure's caption after the key, which a reading of the whole paste would take into the last name",
         {"Key to Plega", "1\tWings dark\t2", "1'\tWings pale\tP. alba Smith", "2\tLegs long\tP. nigra",
          "2'\tLegs short\tP. rufa Baly", "", "Figures 1\u20134.", "Plega alba female. 1 Head, frontal view 2 wing"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ P. alba Smith", "2,0$ Legs long $ P. nigra",
          "2,0$ Legs short $ P. rufa Baly"},
         "2 lignes de légende de figure"},
        {"paragraphs, the second lead unnumbered, a reference after a dash, names in marks after a run of blanks, "
         "a heading with a marked name after the key",
         {"KEY TO ADULTS", "", "1.  Wings dark; tarsal fold", "    weak                       _P. alba_ group--2", "",
          "    Wings pale; no tarsal", "    fold                                          _P. nivea_", "",
          "2.  Legs long; spots", "    black                        _P. nigra_", "", "    Legs short; spots brown",
          "                                                  _P. rufa_", "", "", "          The _Plega alba_ Group", "",
          "Three species in group; adults having a tarsal fold."},
         {"1,2$ Wings dark; tarsal fold weak _P. alba_ group", "1,0$ Wings pale; no tarsal fold $ P. nivea",
          "2,0$ Legs long; spots black $ P. nigra", "2,0$ Legs short; spots brown $ P. rufa"},
         "entrées en paragraphes"},
        {"paragraphs, names in marks followed by the book's page",
         {"KEY TO PLEGA", "", "     1. Wings dark; tubercles", "        present                      2", "",
          "        Wings pale; ridges many    _          P. alba_, p. 479", "", "     2. Legs long; spots black",
          "                                 _nigra nigra_, p. 502", "", "        Legs short",
          "                                 _P. rufa_ (p. 4)", "", "", "Systematic Account of Species", "",
          "=Plega alba= (Smith)", "Florida Plega"},
         {"1,2$ Wings dark; tubercles present", "1,0$ Wings pale; ridges many $ P. alba",
          "2,0$ Legs long; spots black $ nigra nigra", "2,0$ Legs short $ P. rufa"},
         "3 numéros d'espèce ou de page du livre retirés des noms"},
        {"a French copy with no-break and thin blanks, a reference sent on by a word after a colon",
         {"Cl\u00E9 des esp\u00E8ces", "1.\u00A0Wings dark\u202F: voir\u00A02", "\u2013\u00A0Wings pale\u00A0\u2026\u2026 Plega\u00A0alba",
          "2.\u00A0Legs long \u2026\u2026 Plega nigra", "\u2013\u00A0Legs short \u2026\u2026 Plega rufa"},
         finished, "espaces ins\u00E9cables ou fines lues comme des espaces"},
        {"OCR debris before a label and after an ending",
         {"Key", "\u25A0 1. Wings dark .......... 2", "- Wings pale .......... Plega alba \u00BB",
          "2. Legs long .......... Plega nigra", "' - Legs short .......... Plega rufa"},
         finished, "3 signes parasites de lecture optique retir\u00E9s"},
        {"OCR stops, bullets and low quotes before a label, and lines of signs alone between leads",
         {"Key", "\u2022 1. Wings dark .......... 2", "'", "- Wings pale .......... Plega alba", "\u201E",
          ". 2. Legs long .......... Plega nigra", "\u201E ,", "- Legs short .......... Plega rufa"},
         finished, "5 signes parasites de lecture optique retir\u00E9s"},
        {"a leader of dots carried over to the start of the next line is no OCR debris",
         {"Key", "1. Wings dark", "........ 2", "- Wings pale", "........ A. alba", "2. Legs long ........ A. nigra",
          "- Legs short ........ A. rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ A. alba", "2,0$ Legs long $ A. nigra", "2,0$ Legs short $ A. rufa"},
         ""},
        {"OCR text of a key numbering both leads: a dash starting a wrapped line is the text's, the name under a short last line",
         {"Key to the species", "1'' Wings dark, the veins brown and the membrane", "smoky; 5-6 mm.",
          "\u2013 In Europe", "alba Reitt.", "1' Wings pale, the veins yellow, the membrane clear",
          "and the hind wing plain. \u2013 In Asia", "nigra Aub\u00E9."},
         {"1,0$ Wings dark, the veins brown and the membrane smoky; 5-6 mm. \u2013 In Europe $ alba Reitt.",
          "1,0$ Wings pale, the veins yellow, the membrane clear and the hind wing plain. \u2013 In Asia $ nigra Aub\u00E9."},
         ""},
        {"a page's number in square brackets before a label",
         {"Key", "1. Wings dark ........ 2", "\u2013 Wings pale ........ Plega alba", "[162] 2. Legs long ........ Plega nigra",
          "\u2013 Legs short ........ Plega rufa"},
         finished, "1 num\u00E9ro de page entre crochets retir\u00E9"},
        {"leads in paragraphs, each name with the book's page on a line of its own, a heading after the key",
         {"Untergattungen:", "", "1'' Wings dark, the veins brown and", "the membrane smoky", "", "Plega s. str. 226.", "",
          "[225] 1' Wings pale, the veins yellow and the", "membrane clear", "", "Otheria Steph. 228.", "", "",
          "Untergattung: Plega s. str."},
         {"1,0$ Wings dark, the veins brown and the membrane smoky $ Plega s. str.",
          "1,0$ Wings pale, the veins yellow and the membrane clear $ Otheria Steph."},
         "1 ligne de texte apr\u00E8s la cl\u00E9"},
        {"leads in indented order wrapped by a scan, each name apart under its lead, the source after the key",
         {"Arten:", "", "1'' Wings dark, the veins brown and the", "membrane smoky. 5-6 mm. \u2013 In Europe.", "", "alba L.", "",
          "1' Wings pale.", "", "", "2'' Legs long, black; the tarsi with long", "hairs. \u2013 In Asia, rare.", "", "nigra Gyll.",
          "", "2' Legs short, the tarsi bare. \u2013 In", "Africa.", "", "rufa L.", "", "Quelle:",
          "Smith: Fauna. Stuttgart, 1909, S. 162-163."},
         {"1,0$ Wings dark, the veins brown and the membrane smoky. 5-6 mm. \u2013 In Europe. $ alba L.", "1,2$ Wings pale.",
          "2,0$ Legs long, black; the tarsi with long hairs. \u2013 In Asia, rare. $ nigra Gyll.",
          "2,0$ Legs short, the tarsi bare. \u2013 In Africa. $ rufa L."},
         ""},
        {"first leads numbered, in paragraphs, references and names in brackets before a stop, a reference left out, a table after",
         {"Bestimmungstabelle:", "", "1. Fl\u00FCgel dunkel, die Adern braun und die", "Membran rauchig (2).", "",
          "Fl\u00FCgel hell, die Adern gelb und", "die Membran klar (3).", "", "2. Beine lang, schwarz; die Tarsen mit",
          "langen Haaren (_Plega nigra_).", "", "Beine kurz, die Tarsen kahl, die", "Schenkel gelb (_Plega rufa_).", "",
          "3. F\u00FChler lang, die Glieder", "schmal (_Plega alba_).", "", "F\u00FChler kurz, die Glieder", "breit.", "",
          "4. Augen gro\u00DF, rund (_Plega nivea_).", "", "Augen klein, oval (_Plega minor_).", "",
          "-----------------------------------", "      |  L\u00E4nge  |  Breite", "==================================="},
         {"1,2$ Fl\u00FCgel dunkel, die Adern braun und die Membran rauchig", "1,3$ Fl\u00FCgel hell, die Adern gelb und die Membran klar",
          "2,0$ Beine lang, schwarz; die Tarsen mit langen Haaren $ Plega nigra",
          "2,0$ Beine kurz, die Tarsen kahl, die Schenkel gelb $ Plega rufa", "3,0$ F\u00FChler lang, die Glieder schmal $ Plega alba",
          "3,4$ F\u00FChler kurz, die Glieder breit.", "4,0$ Augen gro\u00DF, rund $ Plega nivea", "4,0$ Augen klein, oval $ Plega minor"},
         ""},
        {"first leads numbered, the others at the wrapped lines' margin, names set deeper after a colon with the book's number, a note after",
         {"TABEL DER SOORTEN.", "", "1.  Vroeg in 't voorjaar verschijnend, in weilanden en in", "    bosschen. Vleesch riekend naar meel:",
          "            P. alba No. 26.", "    Pas in den zomer verschijnend:    2", "", "2.  H. zuiver wit, glanzend:",
          "            P. nigra No. 27.", "    H. paars, met fijne zwarte schubjes, in bosschen:", "            P. rufa No. 28.",
          "    H. geel:                         3", "", "3.  St. lang en dun:", "            P. nivea No. 29.",
          "    St. kort en dik:", "            P. minor No. 30.", "", "Voor P. major zie blz. 223."},
         {"1,0$ Vroeg in 't voorjaar verschijnend, in weilanden en in bosschen. Vleesch riekend naar meel $ P. alba",
          "1,2$ Pas in den zomer verschijnend", "2,0$ H. zuiver wit, glanzend $ P. nigra",
          "2,0$ H. paars, met fijne zwarte schubjes, in bosschen $ P. rufa", "2,3$ H. geel", "3,0$ St. lang en dun $ P. nivea",
          "3,0$ St. kort en dik $ P. minor"},
         "1 ligne de texte apr\u00E8s la cl\u00E9"},
        {"lettered couplets in paragraphs, names ending with a stop, some after one blank, a reference set at the right under a count",
         {"Key", "", "1a. Leaves in a rosette; flowers large, white, set singly on a",
          "long stalk                                                  Plega.", "",
          "1b. Leaves along the stem                                         2", "", "2a. Lip with a spur. Pollinia 2",
          "                                                                  3", "",
          "2b. Lip without a spur, the petals and sepals spread wide and the",
          "lip flat, broad at the top Otheria. Lady-slipper.", "",
          "3a. Spur long, curved                                          Pla.", "",
          "3b. Spur short, straight                                          4", "",
          "4a. Lip ending in a point like a needle as long as the column and",
          "the petals narrow Plana.", "", "4b. Lip blunt                                                  Plena."},
         {"1,0$ Leaves in a rosette; flowers large, white, set singly on a long stalk $ Plega.", "1,2$ Leaves along the stem",
          "2,3$ Lip with a spur. Pollinia 2",
          "2,0$ Lip without a spur, the petals and sepals spread wide and the lip flat, broad at the top $ Otheria. Lady-slipper.",
          "3,0$ Spur long, curved $ Pla.", "3,4$ Spur short, straight",
          "4,0$ Lip ending in a point like a needle as long as the column and the petals narrow $ Plana.", "4,0$ Lip blunt $ Plena."},
         ""},
        {"OCR signs alone between a lead and its name set on the next line",
         {"Key", "1' Wings dark.", "2", "1'' Wings pale.", "'", "Plega alba", "\u2022 2' Legs long.", "Plega nigra",
          "2'' Legs short.", ",", "Plega rufa"},
         {"1,2$ Wings dark.", "1,0$ Wings pale. $ Plega alba", "2,0$ Legs long. $ Plega nigra",
          "2,0$ Legs short. $ Plega rufa"},
         "3 signes parasites de lecture optique retir\u00E9s"},
        {"numbers misread by OCR at a line's start and end",
         {"Key", "1. Wings dark .......... l2", "- Wings pale .......... Plega alba", "l2. Legs long .......... Plega nigra",
          "- Legs short .......... Plega rufa"},
         finished, "2 num\u00E9ros mal lus corrig\u00E9s"},
        {"back-references misread by OCR as letters",
         {"Key", "1. Wings dark .......... 2", "- Wings pale .......... Plega alba", "2(l). Legs long .......... Plega nigra",
          "- Legs short .......... Plega rufa"},
         finished, "1 num\u00E9ro mal lu corrig\u00E9"},
        {"back-references misread by OCR, one blank after the number",
         {"Key", "1. Wings dark .......... 2", "- Wings pale .......... Plega alba", "2 (I). Legs long .......... Plega nigra",
          "- Legs short .......... Plega rufa"},
         finished, "1 num\u00E9ro mal lu corrig\u00E9"},
        {"a five misread by OCR as an S inside a number",
         {"Key", "1. Wings dark .......... 1S", "- Wings pale .......... Plega alba", "1S. Legs long .......... Plega nigra",
          "- Legs short .......... Plega rufa"},
         finished, "2 num\u00E9ros mal lus corrig\u00E9s"},
        {"an eight misread by OCR as a B, at a line's start between its neighbours and after a leader",
         {"Key", "7. Wings dark .......... B", "- Wings pale .......... 9", "B. Legs long .......... Plega nigra",
          "- Legs short .......... Plega rufa", "9. Tarsi black .......... Plega nivea", "- Tarsi white .......... Plega alba"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ Plega nigra", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black $ Plega nivea", "3,0$ Tarsi white $ Plega alba"},
         "2 num\u00E9ros mal lus corrig\u00E9s"},
        {"a figure's panel (\"1B\") at a line's start or end is no misread number",
         {"Key", "1. Wings dark (Figs 1A,", "1B) .......... 2", "- Wings pale (Fig. 1B)", ".......... Plega alba",
          "2. Legs long .......... Plega nigra", "- Legs short .......... Plega rufa"},
         {"1,2$ Wings dark (Figs 1A, 1B)", "1,0$ Wings pale (Fig. 1B) $ Plega alba", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         ""},
        {"OCR in a key that numbers both leads: an 8 read as a B on either lead, an 11 read as i1",
         {"Key", "7. Wings dark .......... 8", "7. Wings pale .......... 11", "B. Legs long, the hairs black .......... Plega nigra",
          "8. Legs short .......... Plega rufa", "i1. Tarsi black .......... Plega nivea", "11. Tarsi white .......... Plega alba"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long, the hairs black $ Plega nigra", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black $ Plega nivea", "3,0$ Tarsi white $ Plega alba"},
         "2 num\u00E9ros mal lus corrig\u00E9s"},
        {"an 8 read as a B glued to the digit before it, in a label and in a reference",
         {"Key", "27. Wings dark .......... 2B", "27. Wings pale .......... Plega alba", "2B. Legs long .......... Plega nigra",
          "28. Legs short .......... Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,0$ Legs long $ Plega nigra", "2,0$ Legs short $ Plega rufa"},
         "2 num\u00E9ros mal lus corrig\u00E9s"},
        {"a label misread as an S before a first word in emphasis marks",
         {"1. =Wings= dark .......... 5", "1. =Wings= pale .......... Plega alba", "S. =Legs= long .......... Plega nigra",
          "5. =Legs= short .......... Plega rufa"},
         {"1,2$ =Wings= dark", "1,0$ =Wings= pale $ Plega alba", "2,0$ =Legs= long $ Plega nigra",
          "2,0$ =Legs= short $ Plega rufa"},
         "1 num\u00E9ro mal lu corrig\u00E9"},
        {"a reference misread as an S on the line after its leader",
         {"1. Wings dark . . . . . . 4", "1. Wings pale . . . . . . Plega alba", "4. Legs long, the hairs brown . . . . . .",
          ". S", "4. Legs short . . . . . . Plega rufa", "5. Tarsi black . . . . . . Plega nigra",
          "5. Tarsi white . . . . . . Plega nivea"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,3$ Legs long, the hairs brown",
          "2,0$ Legs short $ Plega rufa", "3,0$ Tarsi black $ Plega nigra", "3,0$ Tarsi white $ Plega nivea"},
         "1 num\u00E9ro mal lu corrig\u00E9"},
        {"couplet 1 misread by OCR as an l",
         {"Key", "l. Wings dark .......... 2", "l'. Wings pale .......... Plega alba", "2. Legs long .......... 3",
          "2'. Legs short .......... Plega rufa", "3. Tarsi black .......... Plega nigra", "3'. Tarsi white .......... Plega nivea"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,3$ Legs long", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black $ Plega nigra", "3,0$ Tarsi white $ Plega nivea"},
         "2 num\u00E9ros mal lus corrig\u00E9s"},
        {"a reference in brackets followed by the book's page, arrows before names",
         {"Key", "1. Wings dark (2), p. 14", "1'. Wings pale \u2192 P. alba", "2. Legs long \u2192 P. nigra",
          "2'. Legs short \u2192 P. rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ P. alba", "2,0$ Legs long $ P. nigra", "2,0$ Legs short $ P. rufa"},
         "1 num\u00E9ro d'esp\u00E8ce ou de page du livre retir\u00E9"},
        {"a running head in title case after the page's number between two leads",
         {"Key", "1. Wings dark .......... 2", "- Wings pale .......... Plega alba", "46 Bulletin of the Museum of Plega",
          "2. Legs long .......... 3", "- Legs short .......... Plega rufa", "3. Tarsi black ...... Plega nigra",
          "- Tarsi white ...... Plega nivea"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,3$ Legs long", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black $ Plega nigra", "3,0$ Tarsi white $ Plega nivea"},
         "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"leads labelled 1a and 1b, references to a couplet's first lead (\"2a\")",
         {"Key", "1a. Wings dark ........ 2a", "1b. Wings pale ........ Plega alba", "2a. Legs long ........ Plega nigra",
          "2b. Legs short ........ Plega rufa"},
         finished, "1 renvoi \u00E0 une entr\u00E9e (\u00AB 2a \u00BB) lu comme renvoi \u00E0 son couplet"},
        {"couplets inserted as 3a and 3b, named so in the references, cells between tabs",
         {"Key", "3\tWings dark\t3a", "\u2013\tWings pale\t3b", "3a\tLegs long\tPlega nigra", "\u2013\tLegs short\tPlega rufa",
          "3b\tTarsi black\tPlega alba", "\u2013\tTarsi white\tPlega nivea"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ Plega nigra", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black $ Plega alba", "3,0$ Tarsi white $ Plega nivea"},
         "3 couplets nomm\u00E9s par un num\u00E9ro et une lettre"},
        {"an unnumbered first couplet, numbers in marks, names in marks followed by their page, a footnote's call, "
         "a couplet of three leads",
         {"THE PLEGAS.", "", "       =Wings= dark, the veins", "       raised.                         1", "",
          "       =Wings= pale.                   =Plega alba.=[G]", "",
          "  =1=--=Legs= long.                   =Plega nigra.=      32", "", "       =Legs= short.                   2", "",
          "  =2=--=Tarsi= black.                 =Plega rufa.=       45", "",
          "       =Tarsi= white.                 =Plega nivea.=      48", "", "       =Tarsi= red.                   =Plega rubra.=",
          "", "", "GLOSSARY.", "", "  cm. = centimeter."},
         {"1,2$ =Wings= dark, the veins raised.", "1,0$ =Wings= pale. $ Plega alba.", "2,0$ =Legs= long. $ Plega nigra.",
          "2,3$ =Legs= short.", "3,0$ =Tarsi= black. $ Plega rufa.", "3,0$ =Tarsi= white. $ Plega nivea.",
          "3,0$ =Tarsi= red. $ Plega rubra."},
         "premier couplet sans num\u00E9ro"},
        {"a reference in brackets after a word, one after words on the next line, a word cut at a line end",
         {"Cl\u00E9", "1. Wings dark, the veins some-", "what raised (voir 2)", "1'. Wings pale . . . Plega alba",
          "2. Legs long", "go to 3", "2'. Legs short . . . Plega rufa", "3. Tarsi black . . . Plega nigra",
          "3'. Tarsi white . . . Plega nivea"},
         {"1,2$ Wings dark, the veins somewhat raised", "1,0$ Wings pale $ Plega alba", "2,3$ Legs long",
          "2,0$ Legs short $ Plega rufa", "3,0$ Tarsi black $ Plega nigra", "3,0$ Tarsi white $ Plega nivea"},
         "1 mot coup\u00E9 en fin de ligne rejoint"},
        {"a footnote between two pages of the key",
         {"Key", "1. Wings dark .......... 2", "- Wings pale .......... Plega alba\u2020",
          "\u2020 Fide Smith, 1990; the type is lost,", "and no other specimen is known.",
          "2. Legs long .......... Plega nigra", "- Legs short .......... Plega rufa"},
         finished, "2 lignes de note de bas de page laiss\u00E9es de c\u00F4t\u00E9"},
        {"paragraphs in German, references with their stop in a column, names in marks with authors",
         {"Tabelle zur Bestimmung der Gattungen.", "", "  1.  Die Augen nahe bei einander, der Mittellinie",
          "      sehr gen\u00E4hert                                   2.", "",
          "      Die Augen weit von einander    _Plega_, Latr.", "",
          "  2.  Alle F\u00FCsse ohne Borsten           _Pla_, C. L. Koch.", "",
          "      Nur das vierte Fusspaar ohne Borsten", "                                  _Plax_, M\u00FCller.", "",
          "      Der R\u00FCcken weichh\u00E4utig        _Plox_, Neuman.", "", "", "Die Gattung Plega."},
         {"1,2$ Die Augen nahe bei einander, der Mittellinie sehr gen\u00E4hert",
          "1,0$ Die Augen weit von einander $ Plega, Latr.", "2,0$ Alle F\u00FCsse ohne Borsten $ Pla, C. L. Koch.",
          "2,0$ Nur das vierte Fusspaar ohne Borsten $ Plax, M\u00FCller.", "2,0$ Der R\u00FCcken weichh\u00E4utig $ Plox, Neuman."},
         "entr\u00E9es en paragraphes"},
        {"second leads' dashes glued to their text, references with a stop after the leader",
         {"Key", "1. Wings dark ..........2.", "\u2013Wings pale .......... Plega alba", "2. Legs long .......... Plega nigra",
          "\u2013Legs short .......... Plega rufa"},
         finished, "2 tirets d'entr\u00E9e s\u00E9par\u00E9s de leur texte"},
        {"leaders of spaced dashes",
         {"Key", "1. Wings dark \u2014 \u2014 \u2014 \u2014 2", "\u2013 Wings pale \u2014 \u2014 \u2014 \u2014 Plega alba",
          "2. Legs long \u2014 \u2014 \u2014 \u2014 Plega nigra", "\u2013 Legs short \u2014 \u2014 \u2014 \u2014 Plega rufa"},
         finished, ""},
        {"a running head in capitals alone between two pages of the key",
         {"Key", "1. Wings dark .......... 2", "- Wings pale .......... Plega alba", "FLORA OF THE PLEGAS",
          "2. Legs long .......... Plega nigra", "- Legs short .......... Plega rufa"},
         finished, "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"references in brackets and words",
         {"1. Wings dark (2)", "1'. Wings pale ........ Plega alba", "2. Legs long, see [3]",
          "2'. Legs short ........ Plega rufa", "3. Tarsi black \u2192 Plega nigra", "3'. Tarsi white ........ Plega nivea"},
         {}, ""},
        {"a reference in brackets, names after leaders with the book's page in brackets",
         {"1. Wings dark (2)", "\u2013 Wings pale ........ Plega alba (p. 12)", "2. Legs long ........ Plega nigra (p. 14)",
          "\u2013 Legs short ........ Plega rufa, p. 15"},
         finished, "3 num\u00E9ros d'esp\u00E8ce ou de page du livre retir\u00E9s des noms"},
        {"an OCR copy that marks words cut at a line end with \u00AB\u00A0\u00AC\u00A0\u00BB",
         {"Key", "1. Wings dark ........ 2", "\u2013 Wings pale, the veins yel\u00AC", "lowish ........ Plega alba",
          "2. Legs long ........ Plega nigra", "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale, the veins yellowish $ Plega alba", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         "1 mot coup\u00E9"},
        {"a scan that glued the couplet numbers to the text",
         {"Key", "1Wings dark ........ 2", "- Wings pale ........ Plega alba", "2Legs long ........ Plega nigra",
          "- Legs short ........ Plega rufa"},
         finished, "2 num\u00E9ros de couplet s\u00E9par\u00E9s de leur texte"},
        {"a short key whose first label a scan read as a letter",
         {"Key to the species", "l. Wings dark ........ 2", "- Wings pale ........ Plega alba", "2. Legs long ........ 3",
          "- Legs short ........ Plega rufa", "3. Tarsi black ........ Plega nigra", "- Tarsi white ........ Plega nivea"},
         {}, "1 num\u00E9ro mal lu corrig\u00E9"},
        {"an OCR copy of a Fraktur book: its double hyphen read as a dash, blanks left at the line ends",
         {"Schl\u00FCssel", "1. Wings dark, the veins some\u2014 ", "what raised ........ 2",
          "\u2013 Wings pale ........ Plega alba", "2. Legs long, the tarsi yel= ", "lowish ........ Plega nigra",
          "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark, the veins somewhat raised", "1,0$ Wings pale $ Plega alba",
          "2,0$ Legs long, the tarsi yellowish $ Plega nigra", "2,0$ Legs short $ Plega rufa"},
         "2 mots coup\u00E9s"},
        {"primed second leads, the genus at a line's end and its epithet on the next, a treatment after the key",
         {"Key", "1 Wings dark . . . . . 2", "1' Wings pale . . . . . Plega", "alba", "2 Legs long . . . . . Plega nigra",
          "2' Legs short . . . . . Plega rufa", "", "Species treatment", "", "Only one species is treated here.", "",
          "Plega alba sp. n."},
         finished, "3 lignes de texte apr\u00E8s la cl\u00E9"},
        {"leads numbered with their partner's number, footnote calls glued to words and labels, the footnotes after",
         {"Key", "1. (3)[I] Wings dark .......... 2.", "2. (4) Legs long .......... Plega nigra",
          "4. (2) Legs short[II] .......... Plega rufa", "3. (1) Wings pale .......... Plega alba", "",
          "[I] Rarely pale.", "[II] The tarsi of dry specimens."},
         finished, "2 appels de note entre crochets retir\u00E9s"},
        {"no leaders, a journal's running head with its page, a figure's caption set apart by blank lines",
         {"Key", "1 Wings dark 2", "1' Wings pale Plega alba", "", "Revision of the genus Plega 57", "",
          "2 Legs long Plega nigra", "", "Figure 2. Plega nigra, habitus.", "", "2' Legs short Plega rufa"},
         finished, "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"an OCR copy that sets the stops after references apart",
         {"Key", "1. Wings dark ..... 2 .", "- Wings pale ..... Plega alba", "2. Legs long ..... Plega nigra",
          "- Legs short ..... Plega rufa"},
         finished, "1 point s\u00E9par\u00E9 du renvoi qu'il termine rattach\u00E9"},
        {"leads run together on a line, names with their authors and years before the next lead",
         {"Key", "1. Wings dark ........ 2 Wings pale ........ P. alba Smith & Jones, 2011 2. Legs long ........ "
                 "P. nigra Cid del Prado, 1999 Legs short ........ P. rufa Zhao, 2011"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ P. alba Smith & Jones, 2011", "2,0$ Legs long $ P. nigra Cid del Prado, 1999",
          "2,0$ Legs short $ P. rufa Zhao, 2011"},
         "3 entr\u00E9es s\u00E9par\u00E9es"},
        {"paragraphs, a running head between two pages after a name and its author",
         {"Key", "", "1. Wings dark,", "veins raised. 2", "", "Wings pale. =Plega alba= L.", "", "", "248 BULLETIN OF THE MUSEUM",
          "", "2. Legs long,", "black. =Plega nigra= L.", "", "Legs short. =Plega rufa= L."},
         {"1,2$ Wings dark, veins raised.", "1,0$ Wings pale. $ Plega alba L.", "2,0$ Legs long, black. $ Plega nigra L.",
          "2,0$ Legs short. $ Plega rufa L."},
         "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"a book's sub-key from its couplet 39, a running head above it",
         {"Key", "248 BULLETIN OF THE MUSEUM", "39 (38) Wings dark ........ 40", "\u2013 Wings pale ........ Plega alba",
          "40 (39) Legs long ........ Plega nigra", "\u2013 Legs short ........ Plega rufa"},
         finished, "2 lignes de texte avant la cl\u00E9"},
        {"paragraphs, a lead cut by a running head going on with a number",
         {"Key", "", "1. Wings dark, the veins", "", "248 BULLETIN OF THE MUSEUM", "", "4-5-branched. 2", "",
          "Wings pale,", "thin. =Plega alba= L.", "", "2. Legs long,", "black. =Plega nigra= L.", "", "Legs short,", "pale. =Plega rufa= L."},
         {"1,2$ Wings dark, the veins 4-5-branched.", "1,0$ Wings pale, thin. $ Plega alba L.",
          "2,0$ Legs long, black. $ Plega nigra L.", "2,0$ Legs short, pale. $ Plega rufa L."},
         "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"paragraphs, a scan that left a page's running head inside a lead with no blank line",
         {"Key", "", "1. Wings dark, the veins", "MANUAL OF THE FAMILIES. 87", "4-5-branched. 2", "",
          "Wings pale,", "thin. =Plega alba= L.", "", "2. Legs long,", "88 FLORA OF PLEGA", "black. =Plega nigra= L.", "",
          "Legs short,", "pale. =Plega rufa= L."},
         {"1,2$ Wings dark, the veins 4-5-branched.", "1,0$ Wings pale, thin. $ Plega alba L.",
          "2,0$ Legs long, black. $ Plega nigra L.", "2,0$ Legs short, pale. $ Plega rufa L."},
         "2 lignes de num\u00E9ro ou de titre de page laiss\u00E9es de c\u00F4t\u00E9"},
        {"paragraphs, a page's number alone inside a lead and after a lead that has its name, no blank line",
         {"Key", "", "1. Wings dark, the veins", "87", "branched. 2", "", "Wings pale,", "thin. =Plega alba= L.", "",
          "2. Legs long,", "black. =Plega nigra= L.", "88", "", "Legs short,", "pale. =Plega rufa= L."},
         {"1,2$ Wings dark, the veins branched.", "1,0$ Wings pale, thin. $ Plega alba L.",
          "2,0$ Legs long, black. $ Plega nigra L.", "2,0$ Legs short, pale. $ Plega rufa L."},
         "2 lignes de num\u00E9ro ou de titre de page laiss\u00E9es de c\u00F4t\u00E9"},
        {"paragraphs in German, a lead cut by a page going on with an accented word",
         {"Schl\u00FCssel", "", "1. Fl\u00FCgel dunkel, die Adern", "", "\u2014 24 \u2014", "", "\u00FCberall verzweigt. 2", "",
          "Fl\u00FCgel hell. =Plega alba= L.", "", "2. Beine lang. =Plega nigra= L.", "", "Beine kurz. =Plega rufa= L."},
         {"1,2$ Fl\u00FCgel dunkel, die Adern \u00FCberall verzweigt.", "1,0$ Fl\u00FCgel hell. $ Plega alba L.",
          "2,0$ Beine lang. $ Plega nigra L.", "2,0$ Beine kurz. $ Plega rufa L."},
         "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"a journal's key wrapped: lines going on with a figure's panel or a range before a leader, a name's tail, "
         "authors in brackets",
         {"Key", "1 Wings dark (Fig.", "3A)........ 2", "- Wings pale (Figs", "1\u201310 )........ P. alba new", "species",
          "2(1) Legs long ........ P. nigra", "- Legs short ........ P. rufa", "(Say, 1824)"},
         {"1,2$ Wings dark (Fig. 3A)", "1,0$ Wings pale (Figs 1\u201310 ) $ P. alba new species",
          "2,0$ Legs long $ P. nigra", "2,0$ Legs short $ P. rufa (Say, 1824)"},
         "1 ligne de texte avant"},
        {"every field of a lead on a line of its own, a blank line after each, a name's tail",
         {"Key", "", "1. Wings dark", "", "2", "", "\u2013 Wings pale", "", "Plega alba", "", "sp. nov.", "",
          "2. Legs long", "", "Plega nigra", "", "\u2013 Legs short", "", "Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba sp. nov.", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         "1 ligne de texte avant"},
        {"a key pasted as one paragraph after its title, ellipses for leaders",
         {"Key to Plega 1 Wings dark \u2026\u2026 2 - Wings pale \u2026\u2026 Plega alba 2(1) Legs long \u2026\u2026 "
          "Plega nigra - Legs short \u2026\u2026 Plega rufa"},
         finished, "3 entr\u00E9es s\u00E9par\u00E9es"},
        {"wrapped leads with a hanging indent, wrapped lines starting with a number and a capital",
         {"Key to Plega", "1. Wings dark ........ 2", "\u2013 Wings pale ........ 3", "2. Legs long.--Species",
          "    5. Asia ........ Plega nigra", "\u2013 Legs short. Stamens", "    3.--Species 10 ........ Plega rufa",
          "3. Tarsi black ........ 4", "\u2013 Tarsi white ........ Plega alba", "4. Eyes red ........ Plega nivea",
          "\u2013 Eyes black ........ Plega atra"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long.--Species 5. Asia $ Plega nigra",
          "2,0$ Legs short. Stamens 3.--Species 10 $ Plega rufa", "3,4$ Tarsi black", "3,0$ Tarsi white $ Plega alba",
          "4,0$ Eyes red $ Plega nivea", "4,0$ Eyes black $ Plega atra"},
         ""},
        {"wrapped leads: a line ending in a count, then the leader and reference on the next; a name's authors and page wrapped",
         {"Key to Plega", "1. Legs 3 and 4 further apart than legs 1 and 2", "    ........... 2",
          "\u2013 Legs evenly spaced ........ Plega alba", "    (Less.) H. Rob.", "2. Wings dark ........ Plega nigra",
          "    ( P. alba group)", "    (p. 90)", "\u2013 Wings pale ........ Plega rufa"},
         {"1,2$ Legs 3 and 4 further apart than legs 1 and 2", "1,0$ Legs evenly spaced $ Plega alba (Less.) H. Rob.",
          "2,0$ Wings dark $ Plega nigra ( P. alba group) (p. 90)", "2,0$ Wings pale $ Plega rufa"},
         ""},
        {"a name after a leader wrapped under its lead with a hanging indent, the book's number after it",
         {"Key", "1. Cap tan, the gills crowded ........ 2", "\u2013 Cap red ........ Lactarius",
          "    pallidomarginatus", "    (no. 6)", "2. Stem hollow ........ Order", "    Rhynchocephalia",
          "\u2013 Stem solid ........ Lactarius alba"},
         {"1,2$ Cap tan, the gills crowded", "1,0$ Cap red $ Lactarius pallidomarginatus (no. 6)",
          "2,0$ Stem hollow $ Order Rhynchocephalia", "2,0$ Stem solid $ Lactarius alba"},
         ""},
        {"a copy that lost the blank between a bracket and the reference after it",
         {"Key", "1. Wings dark (Fig. 6 C)2", "- Wings pale ........ 3", "2 (1). Legs long ........ Plega nigra",
          "- Legs short ........ Plega rufa", "3 (1). Tarsi black (Fig. 7)........ Plega nivea",
          "- Tarsi white ........ Plega alba"},
         {"1,2$ Wings dark (Fig. 6 C)", "1,3$ Wings pale", "2,0$ Legs long $ Plega nigra", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black (Fig. 7) $ Plega nivea", "3,0$ Tarsi white $ Plega alba"},
         "1 renvoi coll\u00E9 \u00E0 une parenth\u00E8se s\u00E9par\u00E9"},
        {"running heads with their page inside wrapped leads: a journal's foot, a title in any case, one inside brackets",
         {"Key", "1. Wings dark, the veins", "", "54 \u00B7 ZooKeys 123: 1\u201350 (2019)", "", "    brown ........ 2",
          "\u2013 Wings pale ........ 3", "2(1) Legs long (Smith 2011:", "", "REVISION OF THE GENUS 377", "",
          "    figs 1A, 1B) ........ Plega nigra", "\u2013 Legs short ........ Plega rufa", "3(1) Tarsi black, the",
          "", "Bull. Mus. nat. Hist. 195", "", "    claws pale ........ Plega nivea", "\u2013 Tarsi white ........ Plega alba"},
         {"1,2$ Wings dark, the veins brown", "1,3$ Wings pale", "2,0$ Legs long (Smith 2011: figs 1A, 1B) $ Plega nigra",
          "2,0$ Legs short $ Plega rufa", "3,0$ Tarsi black, the claws pale $ Plega nivea", "3,0$ Tarsi white $ Plega alba"},
         "3 lignes de num\u00E9ro ou de titre de page laiss\u00E9es de c\u00F4t\u00E9"},
        {"couplet numbers in brackets, the second lead primed inside them",
         {"Key", "(1) Wings dark ........ 2", "(1\u2019) Wings pale ........ 3", "(2) Legs long ........ Plega nigra",
          "(2\u2019) Legs short ........ Plega rufa", "(3) Tarsi black ........ Plega nivea",
          "(3\u2019) Tarsi white ........ Plega alba"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ Plega nigra", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi black $ Plega nivea", "3,0$ Tarsi white $ Plega alba"},
         ""},
        {"wrapped leads: a comma left at a line's end inside brackets, a name cut after its genus with the book's number",
         {"Key", "1 Wings dark ( Smith 2009 ,", "    fig. 55) ........ 2", "1\u2019 Wings pale ........ Plega alba",
          "2 Legs long, the hairs rusty ........ P.", "    Buckleyi (no. 8)", "2\u2019 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark ( Smith 2009 , fig. 55)", "1,0$ Wings pale $ Plega alba", "2,0$ Legs long, the hairs rusty $ P. Buckleyi (no. 8)",
          "2,0$ Legs short $ Plega rufa"},
         ""},
        {"a hanging indent: wrapped lines ending with a count, or starting with one before a capital, carry their lead on",
         {"Key", "1 Teeth longest in front; 9 or 10", "    in each jaw ........ 2", "1\u2019 Teeth equal; 14 to 17",
          "    in each jaw ........ 3", "2 Fangs grooved.--Species", "    3. Tropics ........ Plega nigra", "2\u2019 Fangs solid, 2",
          "    on each side ........ Plega rufa", "3 Snout long ........ Plega nivea", "3\u2019 Snout short ........ Plega alba"},
         {"1,2$ Teeth longest in front; 9 or 10 in each jaw", "1,3$ Teeth equal; 14 to 17 in each jaw",
          "2,0$ Fangs grooved.--Species 3. Tropics $ Plega nigra", "2,0$ Fangs solid, 2 on each side $ Plega rufa",
          "3,0$ Snout long $ Plega nivea", "3,0$ Snout short $ Plega alba"},
         ""},
        {"a wrapped line that starts with a dash inside an open lead, lost indentation",
         {"Key", "1. Wings dark (Figs 2c", "\u2013 d) ........ 2", "\u2013 Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark (Figs 2c \u2013 d)", "1,0$ Wings pale $ Plega alba", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         ""},
        {"a journal's running head between two pages inside a bracket left open",
         {"Key", "1. Wings dark (some species of", "", "Zootaxa 4969 (2) \u00A9 2021 Magnolia Press \u00B7 179", "",
          "    Plega excepted) ........ 2", "\u2013 Wings pale ........ Plega alba", "2. Legs long ........ Plega nigra",
          "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark (some species of Plega excepted)", "1,0$ Wings pale $ Plega alba", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         "1 ligne de num\u00E9ro ou de titre de page laiss\u00E9e de c\u00F4t\u00E9"},
        {"lost indentation: a line ending with a count after a word, the lead going on in lower case",
         {"Key", "1. Wings dark; fifth leg with 4", "setae on exopod ........ 2", "\u2013 Wings pale ........ Plega alba",
          "2. Legs long, scales in 17 or 19", "rows ........ Plega nigra", "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark; fifth leg with 4 setae on exopod", "1,0$ Wings pale $ Plega alba",
          "2,0$ Legs long, scales in 17 or 19 rows $ Plega nigra", "2,0$ Legs short $ Plega rufa"},
         ""},
        {"lost indentation: a line ending with a figure's call, its number starting the next line",
         {"Key", "1. Wings dark ........ 2", "\u2013 Wings pale ........ 3", "2. Legs long, the pattern as in Fig.",
          "3. (S-India) ........ Plega nigra", "\u2013 Legs short ........ Plega rufa", "3. Tarsi black ........ Plega nivea",
          "\u2013 Tarsi white ........ Plega alba"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long, the pattern as in Fig. 3. (S-India) $ Plega nigra",
          "2,0$ Legs short $ Plega rufa", "3,0$ Tarsi black $ Plega nivea", "3,0$ Tarsi white $ Plega alba"},
         ""},
        {"lost indentation: a name after a leader carried on in lower case on the next line",
         {"Key", "1. Wings dark ........ 2", "\u2013 Wings pale ........ P.", "alba sp. nov. ( P. nivea group)",
          "2. Legs long ........ Plega nigra", "group (001\u2013003)", "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ P. alba sp. nov. ( P. nivea group)",
          "2,0$ Legs long $ Plega nigra group (001\u2013003)", "2,0$ Legs short $ Plega rufa"},
         ""},
        {"wrapped leads whose first word stands in emphasis marks",
         {"1. =Wings= dark, the veins", "    brown ........ 2", "\u2013 =Wings= pale ........ Plega alba",
          "2. =Legs= long ........ Plega nigra", "\u2013 =Legs= short, the hairs", "    black ........ Plega rufa"},
         {"1,2$ =Wings= dark, the veins brown", "1,0$ =Wings= pale $ Plega alba", "2,0$ =Legs= long $ Plega nigra",
          "2,0$ =Legs= short, the hairs black $ Plega rufa"},
         ""},
        {"an OCR copy that reads some dots of the leaders as commas",
         {"Key", "1. Wings dark . . , . . . 2", "\u2013 Wings pale . . . , . Plega alba",
          "2. Legs long . , . . . Plega nigra", "\u2013 Legs short . . . . . Plega rufa"},
         finished, "3 signes parasites"},
        {"no leaders: an epithet alone or with its genus after one blank, the references after one blank",
         {"1. Wings dark 2", "\u2013 Wings pale, veins brown albida", "2. Legs long, black nigra", "\u2013 Legs short 3",
          "3. Tarsi 5, 2n=12 Plega nivea subsp. minor", "\u2013 Tarsi 4, 2n=24 P. nivea major"},
         {"1,2$ Wings dark", "1,0$ Wings pale, veins brown $ albida", "2,0$ Legs long, black $ nigra",
          "2,3$ Legs short", "3,0$ Tarsi 5, 2n=12 $ Plega nivea subsp. minor",
          "3,0$ Tarsi 4, 2n=24 $ P. nivea major"},
         ""},
        {"no leaders: a genus and its authors after a sentence's end",
         {"1. Wings dark. 2", "\u2013 Wings pale.--Species 2. Europe. Plega A. Gray",
          "2. Legs long. Used in medicine. Otheria L.", "\u2013 Legs short. (Plate 9.) Plana Webb & Berth."},
         {"1,2$ Wings dark.", "1,0$ Wings pale.--Species 2. Europe. $ Plega A. Gray",
          "2,0$ Legs long. Used in medicine. $ Otheria L.", "2,0$ Legs short. (Plate 9.) $ Plana Webb & Berth."},
         ""},
        {"rows between tabs inside prose, a figure call after the name in its cell, a panel letter like a digit",
         {"In the present study we accept six species.", "", "Key to the genera", "", "1.\tWings dark\t2",
          "\u2013\tWings pale\tPlega alba L. (Fig. 1O)", "2.\tLegs long\tPlega nigra (Fig. 1D\u2013L)",
          "\u2013\tLegs short\tPlega rufa", "", "Taxon classification", "Plantae"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba L. (Fig. 1O)", "2,0$ Legs long $ Plega nigra (Fig. 1D\u2013L)",
          "2,0$ Legs short $ Plega rufa"},
         ""},
        {"a figure caption between two couplets, dots glued to a word inside a lead",
         {"Key to the species", "1. Wings dark...(Genus Plega) ........ 2", "\u2013 Wings pale ........ Otheria alba",
          "Fig. 4. Structural elements. A. Paxillus \u2013 a process on ring 15. Not drawn to scale.",
          "2. Legs long ........ Plega nigra", "\u2013 Legs short ........ Plega rufa"},
         {"1,2$ Wings dark...(Genus Plega)", "1,0$ Wings pale $ Otheria alba", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa"},
         "1 ligne de l\u00E9gende de figure"},
        {"labels and back-references set apart by blanks, a lead's end on the line of the next couplet",
         {"Key", "1 . Wings dark ..... 2", "- Wings pale ..... 3", "2 ( 1 ). Legs long ..... Plega nigra",
          "- Legs short, the tarsi", "black ..... Plega rufa 3 ( 1 ). Tarsi white ..... Plega alba",
          "- Tarsi brown ..... Plega fusca"},
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ Plega nigra", "2,0$ Legs short, the tarsi black $ Plega rufa",
          "3,0$ Tarsi white $ Plega alba", "3,0$ Tarsi brown $ Plega fusca"},
         "1 entr\u00E9e s\u00E9par\u00E9e de la pr\u00E9c\u00E9dente"},
        {"both leads numbered in indented order, then a species account numbered like a lead",
         {"Chave para as esp\u00E9cies", "1. Wings dark", "2. Legs long ........ Plega nigra",
          "2. Legs short ........ Plega rufa", "1. Wings pale ........ Plega alba",
          "1. Plega alba Smith. Fl. Bras. 3(6): 520. 1906.", "Figuras 2 a-h"},
         finished, "2 lignes de texte apr\u00E8s la cl\u00E9 laiss\u00E9es de c\u00F4t\u00E9"},
        {"paragraphs, names at the right, one alone at the margin under its lead's last sentence",
         {"Key to Plega", "", "1a. Wings dark, the veins raised and the margin", "narrow and pale                      2",
          "", "1b. Wings pale, the veins flat, the margin broad.", "Plega (Otheria).", "",
          "2a. Legs long, the tarsi black or brown and", "the claws long                 Plega nigra.", "",
          "2b. Legs short, the tarsi brown and the", "claws short                    Plega rufa."},
         {"1,2$ Wings dark, the veins raised and the margin narrow and pale",
          "1,0$ Wings pale, the veins flat, the margin broad. $ Plega (Otheria)",
          "2,0$ Legs long, the tarsi black or brown and the claws long $ Plega nigra",
          "2,0$ Legs short, the tarsi brown and the claws short $ Plega rufa"},
         "entr\u00E9es en paragraphes"},
        {"both leads numbered alike, a first lead with no reference before the couplet printed next",
         {"Key to Plega", "1. Wings dark ........ 2", "1. Wings pale ........ Plega alba", "2. Legs long, tarsi 4 mm.",
          "2. Legs short ........ Plega rufa", "3. Tarsi white ........ Plega nivea", "3. Tarsi brown ........ Plega fusca"},
         {"1,2$ Wings dark", "1,0$ Wings pale $ Plega alba", "2,3$ Legs long, tarsi 4 mm.", "2,0$ Legs short $ Plega rufa",
          "3,0$ Tarsi white $ Plega nivea", "3,0$ Tarsi brown $ Plega fusca"},
         ""},
        {"only first leads numbered, the others at the hanging indent after a reference set apart, a heading after the key",
         {"TABEL TOT HET BEPALEN DER PLEGA-SOORTEN.", "", "1.  Wings dark, the veins raised.        2",
          "    Wings pale, the veins flat.          3", "", "2.  Legs long:                           4",
          "    Legs short:", "            Plega nana.", "    Legs none:", "            Plega nuda.", "",
          "3.  Tarsi white:", "            Plega alba.", "    Tarsi brown:", "            Plega fusca.", "",
          "4.  Claws black:", "            Plega nigra.", "    Claws red:", "            Plega rufa.", "", "", "",
          "GROEP V. PLEGIDAE MET LANGE POTEN.", "", "De soorten van deze groep zijn", "alle zwart."},
         {"1,2$ Wings dark, the veins raised.", "1,3$ Wings pale, the veins flat.", "2,4$ Legs long",
          "2,0$ Legs short $ Plega nana", "2,0$ Legs none $ Plega nuda", "3,0$ Tarsi white $ Plega alba",
          "3,0$ Tarsi brown $ Plega fusca", "4,0$ Claws black $ Plega nigra", "4,0$ Claws red $ Plega rufa"},
         "3 lignes de texte apr\u00E8s la cl\u00E9"},
        {"wrapped leads under a hanging indent, a couplet of three, a genus with its authors and year after the key",
         {"Key", "1. Wings dark, the veins raised and", "   brown ........ 2", "\u2013 Wings pale ........ Plega alba",
          "\u2013 Wings none ........ Plega nuda", "2. Legs long, the tarsi", "   black ........ Plega nigra",
          "\u2013 Legs short ........ Plega rufa", "", "", "PLEGA L. Sp. Pl. 999. 1753.", "", "Wings with scaly veins."},
         {"1,2$ Wings dark, the veins raised and brown", "1,0$ Wings pale $ Plega alba", "1,0$ Wings none $ Plega nuda",
          "2,0$ Legs long, the tarsi black $ Plega nigra", "2,0$ Legs short $ Plega rufa"},
         "2 lignes de texte apr\u00E8s la cl\u00E9"},
        {"leads wrapped under a hanging indent, names after a stop, a genus with its year two blank lines under the key",
         {"Key", "1. Wings dark, the veins raised and", "   brown. ........ 2", "\u2013 Wings pale, the veins", "  flat. Plega alba Smith.",
          "2. Legs long, the tarsi", "   black. Plega nigra Lour.", "\u2013 Legs short, the tarsi", "  red. Plega rufa Th. Fr.", "", "",
          "PLEGA L. Sp. Pl. 999. 1753.", "", "Wings with scaly veins."},
         {"1,2$ Wings dark, the veins raised and brown", "1,0$ Wings pale, the veins flat $ Plega alba Smith",
          "2,0$ Legs long, the tarsi black $ Plega nigra Lour", "2,0$ Legs short, the tarsi red $ Plega rufa Th. Fr"},
         "2 lignes de texte apr\u00E8s la cl\u00E9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const LayoutDetection d = detectLayout(c.text);
        ASSERT_TRUE(d.processes());
        const LayoutProposal& best = d.proposals.front();
        // Blanks and leaders at the ends of a lead's text are the page's, as the corpus measures it.
        if (!c.finished.empty())
            EXPECT_EQ(sarvelo::testing::finishedLeadsOf(sarvelo::testing::finishedKeyOf(c.text, best)),
                      sarvelo::testing::finishedLeadsOf(c.finished));
        else EXPECT_EQ(best.score.leads, 6);
        EXPECT_NE(best.summary.find(c.message), std::string::npos) << best.summary;
    }
}

TEST(Reshaping, AKeyAlreadyAloneAndOneLeadPerLineIsLeftAsItIs) {
    const ReshapedKey r = reshapeKey({"1. Wings dark ........ 2", "- Wings pale ........ Plega alba"});
    EXPECT_FALSE(r.changed);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.couplets, (Lines{"1. Wings dark ... 2", "1. Wings pale => Plega alba"}));
}

TEST(Reshaping, ALeadCopiedOneFieldALineIsGatheredUpToItsEnding) {
    struct Case {
        const char* layout;
        Lines text;
        Lines couplets;
    };
    const Case cases[] = {
        {"a name's genus, epithet and authors on lines of their own, then text after the key",
         {"1. Wings dark ........ 2", "- Wings pale ........", "Plega", "alba", "Smith, 1990", "2. Legs long ........",
          "Plega nigra", "- Legs short ........", "Plega rufa", "", "Remarks", "Plega alba is common."},
         {"1. Wings dark ... 2", "1. Wings pale => Plega alba Smith, 1990", "2. Legs long => Plega nigra",
          "2. Legs short => Plega rufa"}},
        {"a reference alone after the lead's leader, a number inside a bracket left open",
         {"1. Wings dark (", "Smith", "1990", ") ........", "2", "- Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "- Legs short ........ Plega rufa"},
         {"1. Wings dark ( Smith 1990 ) ... 2", "1. Wings pale => Plega alba", "2. Legs long => Plega nigra",
          "2. Legs short => Plega rufa"}},
    };
    for (const Case& c : cases) EXPECT_EQ(reshapeKey(c.text).couplets, c.couplets) << c.layout;
}

TEST(Reshaping, FigureCaptionsAreToldFromFigureCalls) {
    const std::pair<const char*, bool> cases[] = {
        {"Figure 1. Plega alba, holotype", true}, {"Figs 3\u20135: wings", true}, {"FIGURE 2. Head", true},
        {"\u2022 Fg. 54. K. von Oxyporus.", true}, {"Abb. 4. Kopf", true},   {"L\u00E1m. 3. Alas", true},
        {"Figure 6 (c)", false},                   {"Figures 1", false},      {"Fig. 3 shows the wing", false},
        {"Wings dark (Fig. 3)", false},
    };
    for (const auto& [line, caption] : cases) EXPECT_EQ(figureCaption(line), caption) << line;
}

TEST(Reshaping, WordsCutAtALineEndAreToldFromShortenedCompounds) {
    const std::pair<const char*, int> cases[] = {
        {"the veins some- what raised", 1}, {"pale- or dark-veined", 0}, {"Zwiebel- oder Knollen- pflanzen", 1},
        {"length 12- 15 mm", 0},           {"yel- lowish and some- what", 2},
        {"in langen Trau\u00AC ben", 1},    {"Bl\u00FC\u2E17 ten gelb", 1},
        {"Knollen\u00AC oder Zwiebeln", 0}, {"Bladeren enkel- of meermalen", 0}, {"wit- en geel", 0},
        // Fraktur's double hyphen as a scan reads it, a dash between words, a name in marks.
        {"Bl\u00FCten\u2014 scheide", 1}, {"Wald= pflanze", 1},   {"Staubgef\u00E4\u00DF \u2014 und", 0},
        {"=Quercus= alba", 0},                {"Wings dark\u2014\u2014\u2014 alba", 0},
        // A rest that starts with an accented letter, the long s or a ligature.
        {"Bl\u00FCten- \u017Ftand", 1}, {"les feuilles \u00E9- largies", 1},
        {"die Blatt- \uFB02\u00E4che", 1},
    };
    for (const auto& [text, cut] : cases) EXPECT_EQ(wordsLeftCut(text), cut) << text;
}

TEST(Reshaping, AHyphenTheTextWritesElsewhereIsKeptWhereALineEndCutsTheWord) {
    struct Case {
        const char* why;
        Lines text, expected;
    };
    const Case cases[] = {
        {"written with it further on", {"  I. Jaws long; post-", "    temporal simple.", "    Body scaly; post-temporal forked."},
         {"  I. Jaws long;", "    post-temporal simple.", "    Body scaly; post-temporal forked."}},
        {"never written with it", {"  I. Jaws long; some-", "    what simple."}, {"  I. Jaws long; some-", "    what simple."}},
        {"written both ways", {"Jaws post-", "temporal; posttemporal and post-temporal"},
         {"Jaws post-", "temporal; posttemporal and post-temporal"}},
        {"alone on its line", {"post-", "temporal; post-temporal"}, {"post-", "temporal; post-temporal"}},
        {"a label under it", {"Jaws post-", "B. Temporal; post-temporal"}, {"Jaws post-", "B. Temporal; post-temporal"}},
    };
    for (const Case& c : cases) {
        Lines lines = c.text;
        const int moved = keepHyphensOfTheText(lines);
        EXPECT_EQ(lines, c.expected) << c.why;
        EXPECT_EQ(moved, c.text == c.expected ? 0 : 1) << c.why;
    }
}

TEST(Reshaping, ARunningHeadIsATitleInCapitalsWithItsPage) {
    const std::pair<const char*, bool> cases[] = {
        {"142 FLORA OF THE COUNTY", true}, {"MANUAL OF THE FAMILIES. 87", true}, {"46", false},
        {"=CALOPHYLLOIDEAE=.] 14", false}, {"CALOPHYLLEAE. 14", false},      {"1 LEAVES OPPOSITE 2", false},
        {"Flora of Ohio 46", false},
    };
    for (const auto& [line, head] : cases) EXPECT_EQ(pageHead(line), head) << line;
}

TEST(Reshaping, ARunningHeadInAnyCaseComesBackOrFollowsAPageAboveTheCouplets) {
    struct Case {
        const char* layout;
        Lines text;
        std::vector<bool> heads;
    };
    const Case cases[] = {
        {"pages in sequence, a head with its page, a number between dashes",
         {"1. Wings dark 2", "", "Hydrachniden. 353", "", "Wings pale 3", "", "\u2014 354 \u2014", "",
          "2. Legs long A. alba", "", "355 Familie: Curculionidae.", "", "Legs short A. nigra"},
         {false, false, true, true, false, false, true, false, false, false, true, true, false}},
        {"pages in sequence in a key followed by its source's year",
         {"1 Wings dark 2", "", "Hydrachniden. 353", "", "Wings pale A. alba", "", "\u2014 354 \u2014", "",
          "2 Legs long A. nigra", "Legs short A. rufa", "1911, S. 120-121."},
         {false, false, true, true, false, false, true, false, false, false, false}},
        {"a page's number between dashes that broke a lead, with the blanks of the break",
         {"1. Wings dark 2", "1. Wings pale, the veins", "", "\u2014 212 \u2014", "", "brown A. alba", "2. Legs long A. nigra",
          "2. Legs short A. rufa"},
         {false, false, true, true, true, false, false, false}},
        {"the same title with another page",
         {"1 Wings dark 2", "", "Tabelle der Gattungen. 12", "", "1' Wings pale A. alba", "2 Legs long A. nigra",
          "", "Tabelle der Gattungen. 14", "", "2' Legs short A. rufa"},
         {false, false, true, true, false, false, false, true, true, false}},
        {"a single head with its page that broke a lead above its name's line, with the blanks of the break",
         {"1. Wings dark 2", "1. Wings pale, the veins brown.", "", "172    REVISION OF THE GENUS", "", "Tribe 5. ALBIDES.",
          "2. Legs long A. nigra", "2. Legs short A. rufa"},
         {false, false, true, true, true, false, false, false}},
        {"a single head between two leads keeps the blank lines",
         {"1. Wings dark 2", "1. Wings pale A. alba", "", "172    REVISION OF THE GENUS", "", "2. Legs long A. nigra",
          "2. Legs short A. rufa"},
         std::vector<bool>(7, false)},
        {"the same title with another page, set by a scan between two lines of a lead",
         {"1 Wings dark 2", "1' Wings pale, the", "Tabelle der Gattungen. 12", "veins brown A. alba", "2 Legs long A. nigra",
          "2' Legs short,", "14 Tabelle der Gattungen.", "tarsi white A. rufa"},
         {false, false, true, false, false, false, true, false}},
        {"a head under a lead's text keeps the blank line that parts the lead from a figure",
         {"1 Wings dark 2", "1' Wings pale A. alba", "Tabelle der Gattungen. 12", "", "[Illustration: Plega alba.]", "",
          "2 Legs long A. nigra", "", "Tabelle der Gattungen. 14", "", "2' Legs short A. rufa"},
         {false, false, true, false, false, false, false, false, true, true, false}},
        {"a figure's call on a line of its own is no head",
         {"1. Wings dark (e.g.", "Fig. 228", ") ..... 2", "- Wings pale (", "Fig. 234", ") ..... A. alba"},
         std::vector<bool>(6, false)},
        {"leads set apart whose references follow one another are no heads",
         {"1 Wings dark", "", "Legs long 2", "", "Legs short 3", "", "2 Eyes red A. alba", "", "Eyes black A. nigra", "",
          "3 Tarsi white A. rufa", "", "Tarsi brown: 4", "", "Tarsi red: 5"},
         std::vector<bool>(15, false)},
    };
    for (const Case& c : cases) EXPECT_EQ(runningHeads(c.text), c.heads) << c.layout;
}

TEST(Reshaping, ANumberAloneIsAPageUnlessACoupletBearsIt) {
    struct Case {
        Lines text;
        int pages;
    };
    const Case cases[] = {
        {{"Key", "1. Wings dark", "46", "1'. Wings pale ........ Plega alba"}, 1},
        {{"Key", "1. Wings dark", "2", "1'. Wings pale ........ Plega alba", "2. Legs long ........ Plega nigra",
          "2'. Legs short ........ Plega rufa"}, 0},
        {{"Key", "1. Wings dark ........ 2", "\u2014 24 \u2014", "1'. Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "2'. Legs short ........ Plega rufa"}, 1},
        {{"Key", "1. Wings dark ........ 2", "- 24 -", "1'. Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "2'. Legs short ........ Plega rufa"}, 1},
        {{"Key", "1. Wings dark ........ 2", "", "166 JOURNAL OF NATURAL HISTORY", "", "1'. Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "", "Bull. Mus. nat. Hist. 167", "", "2'. Legs short ........ Plega rufa"}, 2},
        {{"Key", "1. Wings dark ........", "", "155", "", "2", "1'. Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "2'. Legs short ........ Plega rufa"}, 1},
        {{"Key", "1. Wings dark. [Tribe", "    =ALBOIDEAE=.] ........ 2", "1'. Wings pale ........ Plega alba",
          "2. Legs long ........ Plega nigra", "2'. Legs short ........ Plega rufa"}, 0},
        {{"Key", "1. Wings dark ........ 2", "1'. Wings pale ........ Plega alba Oliv.", "", "117", "",
          "2. Legs long ........ Plega nigra", "2'. Legs short ........ Plega rufa"}, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(reshapeKey(c.text).pages, c.pages) << c.text[2];
}

// What the readers set aside is told with its count, in the singular for one.
TEST(Reshaping, CountsAreToldInTheSingularForOne) {
    EXPECT_EQ(countedParts({{1, kMsgParagraphs, kMsgParagraphsOne}, {0, kMsgSplit, kMsgSplitOne},
                            {2, kMsgMarkedNames, kMsgMarkedNamesOne}}),
              "1 entrée en paragraphe mise sur une ligne, 2 noms entre marques séparés de leur entrée");
    EXPECT_EQ(countedMessage(kMsgBookNumbers, kMsgBookNumbersOne, 1),
              "1 numéro d'espèce ou de page du livre retiré des noms");
}

// A key cut short by the copy never closes its tree: the text set further
// apart than any two leads, after a lead that has ended, is still not a lead.
TEST(Reshaping, TheTextAfterAKeyCutShortIsSetAside) {
    const ReshapedKey r = reshapeKey({"Key", "1 Wings dark ........ 2", "\u2013 Wings pale ........ 5",
                                      "2 Legs long ........ Plega nigra", "\u2013 Legs short ........ Plega rufa", "", "",
                                      "Species accounts", "", "The species are treated below."});
    EXPECT_EQ(r.after, 2);
    EXPECT_EQ(r.couplets, (Lines{"1. Wings dark ... 2", "1. Wings pale ... 5", "2. Legs long => Plega nigra",
                                 "2. Legs short => Plega rufa"}));
}

TEST(Reshaping, LabelsMisreadByAScanAreMendedForEveryReaderUnlessLettersLabelTheKey) {
    struct Case {
        const char* layout;
        Lines text;
        Lines mended;  // empty: left as printed
    };
    const Case cases[] = {
        {"primed labels in indented order, the first read as a letter",
         {"Title", "i'' Wings dark.", "2'' Legs long.", "Plega nigra", "2' Legs short.", "Plega rufa", "1' Wings pale.",
          "Plega alba"},
         {"Title", "1'' Wings dark.", "2'' Legs long.", "Plega nigra", "2' Legs short.", "Plega rufa", "1' Wings pale.",
          "Plega alba"}},
        {"primed labels in indented order, a second lead's going back read as a letter",
         {"Title", "1'' Wings dark.", "2'' Legs long.", "Plega nigra", "2' Legs short.", "Plega rufa", "l' Wings pale.",
          "Plega alba"},
         {"Title", "1'' Wings dark.", "2'' Legs long.", "Plega nigra", "2' Legs short.", "Plega rufa", "1' Wings pale.",
          "Plega alba"}},
        {"a heading numbered as the book's genus above the key",
         {"140. Gattung: Plega Steph.", "", "i'' Wings dark.", "Plega nigra", "1' Wings pale.", "Plega alba"},
         {"140. Gattung: Plega Steph.", "", "1'' Wings dark.", "Plega nigra", "1' Wings pale.", "Plega alba"}},
        {"a heading's number misread too, prose between",
         {"i40. Gattung: Plega Steph.", "", "Die Arten leben in Pilzen.", "", "i'' Wings dark.", "", "Plega nigra", "",
          "1' Wings pale.", "Plega alba"},
         {"i40. Gattung: Plega Steph.", "", "Die Arten leben in Pilzen.", "", "1'' Wings dark.", "", "Plega nigra", "",
          "1' Wings pale.", "Plega alba"}},
        {"a wrapped line that starts with an abbreviation in lower case",
         {"Key", "i'' Wings dark, the veins and", "u. the legs black.", "Plega nigra", "1' Wings pale.", "Plega alba"},
         {"Key", "1'' Wings dark, the veins and", "u. the legs black.", "Plega nigra", "1' Wings pale.", "Plega alba"}},
        {"a heading's number misread, stopped over a key of primed labels",
         {"i. Gattung: Plega Steph.", "", "1'' Wings dark.", "Plega nigra", "1' Wings pale.", "Plega alba"}, {}},
        {"groups labelled by Roman numerals over numbered couplets",
         {"I. Wings dark.", "1. Legs long ..... Plega nigra", "- Legs short ..... Plega rufa", "II. Wings pale.",
          "2. Tarsi black ..... Plega nivea", "- Tarsi white ..... Plega alba"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        Lines text = c.text;
        const int mended = mendScannedLabels(text);
        EXPECT_EQ(text, c.mended.empty() ? c.text : c.mended);
        EXPECT_EQ(mended, c.mended.empty() ? 0 : 1);
    }
}

TEST(Reshaping, StopsAScanReadAsCommasAreMendedInLabelsAndLeaders) {
    struct Case {
        const char* layout;
        Lines text, mended;
    };
    const Case cases[] = {
        {"a label's stop among labels stopped",
         {"1a. Cap white .... 2", "1b, Cap brown .... 3", "2a. Gills free .... Amanita", "2b. Gills adnate .... Russula"},
         {"1a. Cap white .... 2", "1b. Cap brown .... 3", "2a. Gills free .... Amanita", "2b. Gills adnate .... Russula"}},
        {"two labels of five with a comma, one before the couplet it comes from",
         {"1. Pupil elliptical ..... 2", "1, Pupil round ..... Natrix", "2. Pit present ..... 3",
          "2, (1) Pit absent ..... Coluber", "3. Rattle present ..... Crotalus"},
         {"1. Pupil elliptical ..... 2", "1. Pupil round ..... Natrix", "2. Pit present ..... 3",
          "2. (1) Pit absent ..... Coluber", "3. Rattle present ..... Crotalus"}},
        {"labels that all take a comma keep it",
         {"1, Cap white .... 2", "1, Cap brown .... 3", "2, Gills free .... Amanita"},
         {"1, Cap white .... 2", "1, Cap brown .... 3", "2, Gills free .... Amanita"}},
        {"commas inside a leader, closing one, before a blank",
         {"Cap white ....,,.. 2", "Cap brown ......,3", "Gills free ...,, Amanita"},
         {"Cap white ........ 2", "Cap brown .......3", "Gills free ..... Amanita"}},
        {"a sign a scan left alone after a line's last word",
         {"  1. Toes webbed, bare sac under throat \u00BB", "Gorgers", "  1. Toes free. \u201E", "Perchers"},
         {"  1. Toes webbed, bare sac under throat", "Gorgers", "  1. Toes free.", "Perchers"}},
        {"a quote in a bracket left open, a table's bars",
         {"1. Toes webbed (see \u00AB", "| 1 | Toes free | 2 |", "2. Toes long ..... Ardea*"},
         {"1. Toes webbed (see \u00AB", "| 1 | Toes free | 2 |", "2. Toes long ..... Ardea*"}},
        {"a sentence's stop and comma, an abbreviation's dot",
         {"Cap white, gills free. Spores 5-7 mm., 2", "Lam. 3, fig. 2, Amanita"},
         {"Cap white, gills free. Spores 5-7 mm., 2", "Lam. 3, fig. 2, Amanita"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        Lines lines = c.text;
        EXPECT_EQ(mendScannedStops(lines) > 0, c.text != c.mended);
        EXPECT_EQ(lines, c.mended);
    }
}

TEST(Reshaping, NumbersAScanMisreadAndBlanksItDoubledAreMended) {
    struct Case {
        const char* layout;
        int (*mend)(Lines&);
        Lines text, mended;
    };
    const Case cases[] = {
        {"pages in a column after names, references after leaders", mendScannedNumbers,
         {"  Gills white.      =Russula.=     I25", "Cap red ..... l1", "Cap brown ..... I0."},
         {"  Gills white.      =Russula.=     125", "Cap red ..... 11", "Cap brown ..... 10."}},
        {"a roman numeral, a word, a number within the text, a number alone", mendScannedNumbers,
         {"Cap red         II", "Cap brown ..... Il", "Cap white, gills l2 mm", "           I2"}, {}},
        {"two blanks inside a lead's text, after a comma too", mendDoubledBlanks,
         {"  A. Two  nostrils on each side.", "    1. Fins erect,  rays 6 ..... Berycidae"},
         {"  A. Two nostrils on each side.", "    1. Fins erect, rays 6 ..... Berycidae"}},
        {"a run of blanks before a name, a number or a capital kept", mendDoubledBlanks,
         {"Cap white   amanita", "Cap brown  2", "Gills free  Russula alba"}, {}},
        {"two blanks that set a word in a table's column", mendDoubledBlanks,
         {"    Olive spots on leaves     page 5   Scab", "    Galls on the roots        page 7   Crown Gall",
          "    Masses on the older bark  page 9   Lichens", "    Strands on limbs          page 9   Moss"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        Lines lines = c.text;
        EXPECT_EQ(c.mend(lines) > 0, !c.mended.empty());
        EXPECT_EQ(lines, c.mended.empty() ? c.text : c.mended);
    }
}
