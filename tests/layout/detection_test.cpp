// Layout detection on small keys in each printed layout: the line-start
// reader, then the whole detection, which must give the key checked by hand
// with no parameter set beforehand.
#include <gtest/gtest.h>

#include "layout/detection.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

TEST(Detection, LineStartsGiveTheLabelTheGapAndWhereTheTextBegins) {
    using K = LineStart::Kind;
    struct Case {
        const char* line;
        K kind;
        const char* label;
        const char* gap;
        const char* text;  // the line from where the description begins
    };
    const Case cases[] = {
        {"12. Chapeau rouge", K::Digits, "12", ". ", "Chapeau rouge"},
        {"  3 Pied long", K::Digits, "3", " ", "Pied long"},
        {"1a. Mirror absent", K::Digits, "1", "a. ", "Mirror absent"},
        {"1b\tMirror present", K::Digits, "1", "b\t", "Mirror present"},
        {"1 b Mirror present", K::Digits, "1", " b ", "Mirror present"},
        {"1 a. Mirror absent", K::Digits, "1", " a. ", "Mirror absent"},
        {"10 b) Mirror present", K::Digits, "10", " b) ", "Mirror present"},
        {"2 a = 45", K::Digits, "2", " ", "a = 45"},
        {"2(1) Metatarsus", K::Digits, "2", "(1) ", "Metatarsus"},
        {"3 (1*) Metatarsus", K::Digits, "3", " (1*) ", "Metatarsus"},
        {"12 ( 8 ). Metatarsus", K::Digits, "12", " ( 8 ). ", "Metatarsus"},
        {"1a (\u2013) Metatarsus", K::Digits, "1", "a (\u2013) ", "Metatarsus"},
        {"1\u2019 Dorsal process", K::Digits, "1", "\u2019 ", "Dorsal process"},
        {"4* Spores rondes", K::Digits, "4", "* ", "Spores rondes"},
        {"3\u201D\tSpores rondes", K::Digits, "3", "\u201D\t", "Spores rondes"},
        {"3\u2033 Spores rondes", K::Digits, "3", "\u2033 ", "Spores rondes"},
        {"2\u201D long, spores rondes", K::None, "", "", "2\u201D long, spores rondes"},
        {"\u2013 Aggenital setae", K::Mark, "\u2013", " ", "Aggenital setae"},
        {"- Females", K::Mark, "-", " ", "Females"},
        {"\u2014. Females", K::Mark, "\u2014", ". ", "Females"},
        {"3\u00B4 Esporas ovales", K::Digits, "3", "\u00B4 ", "Esporas ovales"},
        {"\u2212 Females", K::Mark, "\u2212", " ", "Females"},
        {"b) Spores blanches", K::Letters, "b", ") ", "Spores blanches"},
        {"AA. Plants", K::Letters, "AA", ". ", "Plants"},
        {"=1=--=Gills= acute", K::Bracketed, "1", "--", "=Gills= acute"},
        {"[B] Lames libres", K::Bracketed, "B", " ", "Lames libres"},
        {"=A.= Lames libres", K::Bracketed, "A", " ", "Lames libres"},
        {"*b.* Lames libres", K::Bracketed, "b", " ", "Lames libres"},
        {"*12. Lames libres", K::None, "", "", "*12. Lames libres"},
        {"3rd segment long", K::None, "", "", "3rd segment long"},
        {"3A)...... A. alba", K::None, "", "", "3A)...... A. alba"},
        {"1\u201310 )........ A. alba", K::None, "", "", "1\u201310 )........ A. alba"},
        {"Key to the species", K::None, "", "", "Key to the species"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const LineStart s = readLineStart(c.line);
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(s.label, c.label);
        EXPECT_EQ(s.gap, c.gap);
        EXPECT_EQ(std::string(c.line).substr(s.textStart), c.text);
    }
}

TEST(Detection, EachPrintedLayoutIsFoundAndProcessedAsCheckedByHand) {
    struct Case {
        const char* layout;
        Lines text;
        Lines finished;
    };
    const Case cases[] = {
        {"digits, dot leaders, a title",
         {"Clé des genres", "1. Chapeau blanc ........ 2", "1. Chapeau brun ........ Boletus",
          "2. Lames libres ........ Amanita", "2. Lames adnées ........ Tricholoma"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"1./\u2013 with a dash for the second lead",
         {"1. Chapeau blanc ........ 2", "\u2013 Chapeau brun ........ Boletus", "2. Lames libres ........ Amanita",
          "\u2013 Lames adnées ........ Tricholoma"},
         {"1,2$  Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$  Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"bullets for leaders",
         {"1. Chapeau blanc \u2022 \u2022 \u2022 \u2022 2", "1. Chapeau brun \u2022 \u2022 \u2022 \u2022 Boletus",
          "2. Lames libres \u2022 \u2022 \u2022 Amanita", "2. Lames adn\u00E9es \u2022 \u2022 \u2022 Tricholoma"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adn\u00E9es $ Tricholoma"}},
        {"1a/1b",
         {"1a. Spores blanches ..... 2", "1b. Spores brunes ..... Cortinarius", "2a. Anneau présent ..... Amanita",
          "2b. Anneau absent ..... Russula"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"1 a./1 b., the lead's letter apart from its number",
         {"Key to the species", "1 a. Spores blanches ..... 2", "1 b. Spores brunes ..... Cortinarius",
          "2 a. Anneau présent ..... Amanita", "2 b. Anneau absent ..... Russula"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"same number, the second primed",
         {"1 Chapeau blanc \u2026\u2026 2", "1\u2019 Chapeau brun \u2026\u2026 Boletus", "2 Lames libres \u2026\u2026 Amanita",
          "2\u2019 Lames adnées \u2026\u2026 Tricholoma"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"letters",
         {"A. Spores blanches ..... B", "A. Spores brunes ..... Cortinarius", "B. Lames libres ..... Amanita",
          "B. Lames adnées ..... Tricholoma"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"tabs, wrapped leads",
         {"1 Chapeau blanc,", "large et charnu\t2", "1 Chapeau brun\tBoletus", "2 Lames libres\tAmanita",
          "2 Lames adnées\tTricholoma"},
         {"1,2$ Chapeau blanc, large et charnu", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"spaced dots, references up to 12",
         {"1. Chapeau blanc . . . . 12", "1. Chapeau brun . . . . Boletus", "12. Lames libres . . . . Amanita",
          "12. Lames adnées . . . . Tricholoma"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"references on the next line",
         {"1. Chapeau blanc", "2. Lames libres ..... Amanita", "2. Lames adnées ..... Tricholoma",
          "1. Chapeau brun ..... Boletus"},
         {"1,2$ Chapeau blanc", "2,0$ Lames libres $ Amanita", "2,0$ Lames adnées $ Tricholoma",
          "1,0$ Chapeau brun $ Boletus"}},
        {"first lead double-primed, the epithet and its author on the next line",
         {"Untergattung: Dienerella", "1'' Halsschild schmal", "2'' Flügeldecken lang behaart", "pilifera Reitt.",
          "2' Flügeldecken kahl", "elegans Aubé", "1' Halsschild breit", "ruficollis Mannh."},
         {"1,2$ Halsschild schmal", "2,0$ Flügeldecken lang behaart $ pilifera Reitt.",
          "2,0$ Flügeldecken kahl $ elegans Aubé", "1,0$ Halsschild breit $ ruficollis Mannh."}},
        {"pipe table, the reference in a cell of its own",
         {"| 1 | Chapeau blanc | 2 |", "| | Chapeau brun | Boletus |", "| 2 | Lames libres | Amanita |",
          "| | Lames adnées | Tricholoma |"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"back-references, a dash for the second lead",
         {"1. Spores blanches ..... 2", "\u2013 Spores brunes ..... Cortinarius", "2(1). Anneau présent ..... Amanita",
          "\u2013 Anneau absent ..... Russula"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"a reference in words",
         {"1. Spores blanches, voir 2", "1'. Spores brunes ..... Cortinarius", "2. Anneau présent ..... Amanita",
          "2'. Anneau absent ..... Russula"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"a couplet of three leads",
         {"1. Spores blanches ..... 2", "1. Spores brunes ..... Cortinarius", "2. Lames libres ..... Amanita",
          "2. Lames adnées ..... Tricholoma", "2. Lames décurrentes ..... Clitocybe"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma", "2,0$ Lames décurrentes $ Clitocybe"}},
        {"only the first lead numbered",
         {"1. Spores blanches ..... 2", "Spores brunes ..... Cortinarius", "2. Anneau présent ..... Amanita",
          "Anneau absent ..... Russula"},
         {"1,2$  Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$  Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"path numbers",
         {"1. Spores blanches", "1.1. Anneau présent ..... Amanita", "1.2. Anneau absent ..... Russula",
          "2. Spores brunes ..... Cortinarius"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"every field on a line of its own",
         {"1", "Spores blanches", "2", "\u2013", "Spores brunes", "Cortinarius", "2", "Anneau présent", "Amanita",
          "\u2013", "Anneau absent", "Russula"},
         {"1,2$ Spores blanches", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"OCR: a word cut at the line end, a running head between two pages",
         {"1. Spores blanches, lames ser-", "rées ..... 2", "\u2013 Spores brunes ..... Cortinarius",
          "24 FLORE DES CHAMPIGNONS", "2. Anneau présent ..... Amanita", "\u2013 Anneau absent ..... Russula"},
         {"1,2$ Spores blanches, lames serrées", "1,0$ Spores brunes $ Cortinarius", "2,0$ Anneau présent $ Amanita",
          "2,0$ Anneau absent $ Russula"}},
        {"OCR: two blanks between words of unlabelled leads wrapped under their group, names far right",
         {"I. Gills four, a slit behind the fourth.", "", "  Body covered with  very large bony scales; ventrals",
          "    with a very strong spine                2. _Monocentridae_.", "",
          "  Dorsal very short, with few graduated spines,", "    anal very long                            3. _Pempheridae_.",
          "", "II. Gills three and a half.", "", "  Anal fin nearly as long as the  soft dorsal",
          "                                              20. _Latrididae_.", "",
          "  Anal fin much shorter than the soft dorsal", "                                         21. _Haplodactylidae_."},
         {"1,2$ Gills four, a slit behind the fourth.", "1,3$ Gills three and a half.",
          "2,0$ Body covered with very large bony scales; ventrals with a very strong spine $ Monocentridae (no. 2)",
          "2,0$ Dorsal very short, with few graduated spines, anal very long $ Pempheridae (no. 3)",
          "3,0$ Anal fin nearly as long as the soft dorsal $ Latrididae (no. 20)",
          "3,0$ Anal fin much shorter than the soft dorsal $ Haplodactylidae (no. 21)"}},
        {"a column of blanks before references and names",
         {"1. Chapeau blanc      2", "\u2013 Chapeau brun      Boletus", "2. Lames libres      Amanita",
          "\u2013 Lames adnées      Tricholoma"},
         {"1,2$  Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$  Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"OCR: labels misread as letters (\"lb\", \"S\"), a reference misread after its leader",
         {"1a Chapeau blanc ..... 4", "lb Chapeau brun ..... Boletus", "4a Lames libres ..... S",
          "4b Lames adnées ..... Tricholoma", "Sa Anneau présent ..... Amanita", "5b Anneau absent ..... Russula"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,3$ Lames libres", "2,0$ Lames adnées $ Tricholoma",
          "3,0$ Anneau présent $ Amanita", "3,0$ Anneau absent $ Russula"}},
        {"OCR: back-referenced labels misread (\"l0(9)\", \"l\")",
         {"9 Chapeau blanc ..... 10", "\u2013 Chapeau brun ..... Boletus", "l0(9) Lames libres ..... 11",
          "\u2013 Lames adnées ..... Tricholoma", "l1(10) Anneau présent ..... 12", "\u2013 Anneau absent ..... Russula",
          "12(11) Pied long ..... Lepiota", "\u2013 Pied court ..... Inocybe"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,3$ Lames libres", "2,0$ Lames adnées $ Tricholoma",
          "3,4$ Anneau présent", "3,0$ Anneau absent $ Russula", "4,0$ Pied long $ Lepiota", "4,0$ Pied court $ Inocybe"}},
        {"1a/1b between tabs, the first label misread as \"la\", text above and below",
         {"Key to the genera", "", "la\tChapeau blanc\t2", "1b\tChapeau brun\tBoletus", "2a\tLames libres\tAmanita",
          "2b\tLames adnées\tTricholoma", "", "Amanita is the largest genus."},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"no leader: references and names in full after one blank, the book's page after a name",
         {"1. Chapeau blanc 2", "\u2013 Chapeau brun Boletus edulis (p. 12)", "2. Lames libres, l'anneau", "ample Amanita muscaria",
          "\u2013 Lames adnées Tricholoma equestre (L.) Kumm."},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus edulis", "2,0$ Lames libres, l'anneau ample $ Amanita muscaria",
          "2,0$ Lames adnées $ Tricholoma equestre (L.) Kumm."}},
        {"a copy from a typeset page: labels, dashes and leaders glued to the text",
         {"1.Chapeau blanc.........2", "\u2013Chapeau brun.........Boletus", "2.Lames libres.........Amanita",
          "\u2013Lames adnées.........Tricholoma"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"a name cut at a line's end with a hyphen, its rest on the next line",
         {"1. Chapeau blanc, le pied", "    renflé ..... 2", "\u2013 Chapeau brun ..... Boletus", "2. Lames libres",
          "    ..... Amanita", "\u2013 Lames adnées, l'anneau ample ..... Tricho-", "    loma"},
         {"1,2$ Chapeau blanc, le pied renflé", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées, l'anneau ample $ Tricholoma"}},
        {"OCR: a tilde for the dash, names in emphasis marks",
         {"1. Chapeau blanc ..... 2", "~ Chapeau brun ..... _Boletus_", "2. Lames libres ..... _Amanita_",
          "~ Lames adnées ..... _Tricholoma_"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"a journal's running head between two leads, a figure call after a reference",
         {"1. Chapeau blanc ..... 2 (Fig. 3)", "\u2013 Chapeau brun ..... Boletus",
          "Zootaxa 4969 (2) \u00A9 2021 Magnolia Press \u00B7 245", "2. Lames libres ..... Amanita",
          "\u2013 Lames adnées ..... Tricholoma"},
         {"1,2$ Chapeau blanc (Fig. 3)", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"hyphens for leaders, a figure call alone on the line after a reference",
         {"1. Chapeau blanc ---------- 2", "(Fig. 3)", "\u2013 Chapeau brun ---------- Boletus",
          "2. Lames libres ---------- Amanita", "\u2013 Lames adnées ---------- Tricholoma"},
         {"1,2$ Chapeau blanc (Fig. 3)", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"a web copy with no-break blanks after the labels and before the references",
         {"1.\u00A0Chapeau blanc\u00A0.....\u00A02", "\u200B2.\u2009Lames libres ..... Amanita",
          "2.\u00A0Lames adnées ..... Tricholoma", "1.\u00A0Chapeau brun ..... Boletus"},
         {"1,2$ Chapeau blanc", "2,0$ Lames libres $ Amanita", "2,0$ Lames adnées $ Tricholoma",
          "1,0$ Chapeau brun $ Boletus"}},
        {"numbers in the marks of bold, doubled or with their stop inside",
         {"**1.** Chapeau blanc ..... 2", "\u2013 Chapeau brun ..... Boletus", "**2.** Lames libres ..... Amanita",
          "\u2013 Lames adnées ..... Tricholoma"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,0$ Lames libres $ Amanita",
          "2,0$ Lames adnées $ Tricholoma"}},
        {"numbers in bold marks with the couplet they come from inside the marks",
         {"=1.= Chapeau blanc ..... 2", "\u2013 Chapeau brun ..... 3", "=2(1).= Lames libres ..... Amanita",
          "\u2013 Lames adnées ..... Tricholoma", "=3 (1).= Pores jaunes ..... Boletus", "\u2013 Pores rouges ..... Suillus"},
         {"1,2$ Chapeau blanc", "1,3$ Chapeau brun", "2,0$ Lames libres $ Amanita", "2,0$ Lames adnées $ Tricholoma",
          "3,0$ Pores jaunes $ Boletus", "3,0$ Pores rouges $ Suillus"}},
        {"numbers in bold marks, the second lead's primed inside them",
         {"=1.= Chapeau blanc ..... 2", "=1'.= Chapeau brun ..... 3", "=2.= Lames libres ..... Amanita",
          "=2'.= Lames adnées ..... Tricholoma", "=3.= Pores jaunes ..... Boletus", "=3'.= Pores rouges ..... Suillus"},
         {"1,2$ Chapeau blanc", "1,3$ Chapeau brun", "2,0$ Lames libres $ Amanita", "2,0$ Lames adnées $ Tricholoma",
          "3,0$ Pores jaunes $ Boletus", "3,0$ Pores rouges $ Suillus"}},
        {"1a/1b in indented order, each destination alone on the line under its lead",
         {"Clé des genres", "1a Chapeau blanc, lames libres ou adnées", "2", "2a Lames libres, anneau présent", "Amanita",
          "2b Lames adnées, sans anneau", "Tricholoma", "1b Chapeau brun, pores sous le chapeau", "3",
          "3a Pores jaunes, pied lisse", "Boletus", "3b Pores rouges, pied réticulé", "Suillus"},
         {"1,2$ Chapeau blanc, lames libres ou adnées", "2,0$ Lames libres, anneau présent $ Amanita",
          "2,0$ Lames adnées, sans anneau $ Tricholoma", "1,3$ Chapeau brun, pores sous le chapeau",
          "3,0$ Pores jaunes, pied lisse $ Boletus", "3,0$ Pores rouges, pied réticulé $ Suillus"}},
        {"the couplet's number on its first lead only, each lead lettered in brackets, names and pages at the right",
         {"  1. (_a_) Tail short; skull with ridges                        2", "     (_b_) Tail long; skull smooth,",
          "         no ridges                         _P. alba_,      p. 371", "",
          "  2. (_a_) Spines wide (0.9 mm)              _P. nigra_,     p. 338",
          "     (_b_) Spines narrow                    _P. rufa_,      p. 346"},
         {"1,2$ Tail short; skull with ridges", "1,0$ Tail long; skull smooth, no ridges $ P. alba",
          "2,0$ Spines wide (0.9 mm) $ P. nigra", "2,0$ Spines narrow $ P. rufa"}},
        {"a scan's bullet after a lead's reference, primes, no leaders",
         {"1 Chapeau blanc, lames libres ou adn\u00E9es 3 \u2022", "1' Chapeau brun 2", "2 Pores jaunes Boletus",
          "2' Pores rouges Suillus", "3 Lames libres Amanita", "3' Lames adn\u00E9es Tricholoma"},
         {"1,3$ Chapeau blanc, lames libres ou adn\u00E9es", "1,2$ Chapeau brun", "2,0$ Pores jaunes $ Boletus",
          "2,0$ Pores rouges $ Suillus", "3,0$ Lames libres $ Amanita", "3,0$ Lames adn\u00E9es $ Tricholoma"}},
        {"a scan's commas for a label's stop and in the leaders",
         {"1. Chapeau blanc ........ 2", "1, Chapeau brun ........ Boletus", "2. Lames libres .......,, 3",
          "2. Lames adn\u00E9es ........ Tricholoma", "3. Pores jaunes ........ Suillus", "3. Pores rouges ........ Gyroporus"},
         {"1,2$ Chapeau blanc", "1,0$ Chapeau brun $ Boletus", "2,3$ Lames libres", "2,0$ Lames adn\u00E9es $ Tricholoma",
          "3,0$ Pores jaunes $ Suillus", "3,0$ Pores rouges $ Gyroporus"}},
        {"1a/1b, a scan's comma for the stop of one label",
         {"1a. Chapeau blanc .... 2", "1b, Chapeau brun .... 3", "2a. Lames libres .... Amanita",
          "2b. Lames adn\u00E9es .... Tricholoma", "3a. Pores jaunes .... Boletus", "3b. Pores rouges .... Suillus"},
         {"1,2$ Chapeau blanc", "1,3$ Chapeau brun", "2,0$ Lames libres $ Amanita", "2,0$ Lames adn\u00E9es $ Tricholoma",
          "3,0$ Pores jaunes $ Boletus", "3,0$ Pores rouges $ Suillus"}},
        {"German, 1a/1b, references after \"s.\" or \"siehe\", the book's page after the names",
         {"1a. Bl\u00E4tter kahl ........ s. 2", "1b. Bl\u00E4tter behaart ........ Sommera alba S. 384",
          "2a. Kelch lang ........ Sommera nigra Seite 288", "2b. Kelch kurz ........ siehe 3",
          "3a. Kelchzipfel rot ........ Sommera rufa", "3b. Kelchzipfel blau ........ Sommera caerulea S. 12"},
         {"1,2$ Bl\u00E4tter kahl", "1,0$ Bl\u00E4tter behaart $ Sommera alba", "2,0$ Kelch lang $ Sommera nigra",
          "2,3$ Kelch kurz", "3,0$ Kelchzipfel rot $ Sommera rufa", "3,0$ Kelchzipfel blau $ Sommera caerulea"}},
        {"both leads under one number, couplets indented in turn, leads wrapped deeper, names flush right",
         {"  1. Antennae short                                          2",
          "  1. Antennae long                                           3",
          "    2. Pronotum with two dense areas of yellow pubescence on",
          "        either side, subequal in length          Ceresium alba",
          "    2. Pronotum with three or four areas of pubescence on",
          "        either side, apical one largest         Ceresium nigra",
          "  3. Elytra black, shining                       Ceresium rufa",
          "  3. Elytra brown, dull                         Ceresium fusca"},
         {"1,2$ Antennae short", "1,3$ Antennae long",
          "2,0$ Pronotum with two dense areas of yellow pubescence on either side, subequal in length $ Ceresium alba",
          "2,0$ Pronotum with three or four areas of pubescence on either side, apical one largest $ Ceresium nigra",
          "3,0$ Elytra black, shining $ Ceresium rufa", "3,0$ Elytra brown, dull $ Ceresium fusca"}},
        {"both leads under one number, leads wrapped deeper, names flush right, one name ending two leads",
         {"  1. Spots on the leaves                                     2",
          "  1. Spots on the nuts                                       3",
          "    2. Small olive green velvety spots, black dots",
          "        appearing in the spots by midsummer        Leaf Blotch",
          "    2. Olive spots on the underside of the leaflets, the",
          "        veins darkened                                    Scab",
          "  3. Small black sunken or raised spots which may fuse",
          "      to cover the shuck                                  Scab",
          "  3. Pink spore masses on the shuck                  Pink Mold"},
         {"1,2$ Spots on the leaves", "1,3$ Spots on the nuts",
          "2,0$ Small olive green velvety spots, black dots appearing in the spots by midsummer $ Leaf Blotch",
          "2,0$ Olive spots on the underside of the leaflets, the veins darkened $ Scab",
          "3,0$ Small black sunken or raised spots which may fuse to cover the shuck $ Scab",
          "3,0$ Pink spore masses on the shuck $ Pink Mold"}},
        {"sections headed \u00A7 I. and \u00A7 II. as the first choice, the second holding one lead without label",
         {"Cl\u00E9 des ordres.", "", "\u00A7 I.--Animaux \u00E0 poils.", "",
          "  1. Ailes membraneuses                        =Chiropt\u00E8res=", "",
          "  1. Pas d'ailes                                            2", "",
          "  2. Dents canines pr\u00E9sentes                    =Carnivores=", "",
          "  2. Pas de canines                               =Rongeurs=", "", "\u00A7 II.--Animaux \u00E0 plumes.", "",
          "  Bec crochu.                                      =Rapaces="},
         {"1,2$ Animaux \u00E0 poils.", "2,0$ Ailes membraneuses $ Chiropt\u00E8res", "2,3$ Pas d'ailes",
          "3,0$ Dents canines pr\u00E9sentes $ Carnivores", "3,0$ Pas de canines $ Rongeurs",
          "1,0$ Animaux \u00E0 plumes. Bec crochu. $ Rapaces"}},
        {"Spanish, names after a dash, references after \"ver\"",
         {"1. Papila presente \u2014 ver 2", "1'. Papila ausente \u2014 ver 3", "2. Alas largas \u2014 Sciopemyia alba",
          "2'. Alas cortas \u2014 Sciopemyia nigra", "3. Patas largas \u2014 Sciopemyia rufa", "3'. Patas cortas \u2014 Sciopemyia fusca"},
         {"1,2$ Papila presente", "1,3$ Papila ausente", "2,0$ Alas largas $ Sciopemyia alba", "2,0$ Alas cortas $ Sciopemyia nigra",
          "3,0$ Patas largas $ Sciopemyia rufa", "3,0$ Patas cortas $ Sciopemyia fusca"}},
        {"Spanish, references after \"pasa a\"",
         {"1. Esporas blancas; pasa a 2", "1'. Esporas pardas ..... Cortinarius", "2. Anillo presente ..... Amanita",
          "2'. Anillo ausente ..... Russula"},
         {"1,2$ Esporas blancas", "1,0$ Esporas pardas $ Cortinarius", "2,0$ Anillo presente $ Amanita",
          "2,0$ Anillo ausente $ Russula"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const LayoutDetection d = detectLayout(c.text);
        ASSERT_TRUE(d.processes());
        EXPECT_TRUE(d.obstacles.empty());
        EXPECT_EQ(sarvelo::testing::finishedKeyOf(c.text, d.proposals.front()), c.finished);
    }
}

TEST(Detection, ProposalsAreDistinctAndTheBestComesFirst) {
    const Lines text{"1. Chapeau blanc ........ 2", "- Chapeau brun ........ Boletus", "2. Lames libres ........ Amanita",
                     "- Lames adnées ........ Tricholoma"};
    const LayoutDetection d = detectLayout(text);
    ASSERT_GE(d.proposals.size(), 2u);
    for (std::size_t i = 1; i < d.proposals.size(); ++i) {
        EXPECT_FALSE(betterScore(d.proposals[i].score, d.proposals[0].score));
        EXPECT_NE(sarvelo::testing::finishedKeyOf(text, d.proposals[i]), sarvelo::testing::finishedKeyOf(text, d.proposals[0]));
    }
    EXPECT_EQ(d.proposals[0].score.leads, 4);
    EXPECT_EQ(d.proposals[0].score.pairedCouplets, 2);
    EXPECT_EQ(d.proposals[0].params.meme_numero, "-");
}

// Two error-free readings of a paste: the one that keeps to the key wins.
TEST(Detection, TheReadingThatKeepsToTheKeyComesFirst) {
    struct Case {
        const char* layout;
        Lines text;
        const char* best;  // part of the best proposal's summary
    };
    const Case cases[] = {
        {"a caption after the key that the whole paste's reading joins to the last name",
         {"1\tWings dark\t2", "1'\tWings pale\tP. alba", "2\tLegs long\tP. nigra", "2'\tLegs short\tP. rufa", "",
          "Figure 1.", "Plega alba, male."},
         "clé lue couplet par couplet"},
        {"a converted reading that leaves its labels in the texts",
         {"Cl\u00E9", "1.\u00A0Ailes noires\u00A0: voir\u00A02", "\u2013\u00A0Ailes blanches\u00A0\u2026\u2026 P.\u00A0alba",
          "2.\u00A0Pattes longues \u2026\u2026 P.\u00A0nigra", "\u2013\u00A0Pattes courtes \u2026\u2026 P.\u00A0rufa"},
         "clé lue couplet par couplet"},
        {"labels in marks read whole by the parameters, no closing mark left in the leads",
         {"=1.= Ailes noires ..... 2", "\u2013 Ailes blanches ..... P. alba", "=2.= Pattes longues ..... P. nigra",
          "\u2013 Pattes courtes ..... P. rufa"},
         "\u00AB\u00A0=1.=\u00A0\u00BB"},
        {"a running head inside a key in indented order set aside, not taken into a lead",
         {"Schlüssel", "1'' Flügel dunkel", "2'' Beine lang ........ P. nigra", "", "248 BULLETIN OF THE MUSEUM", "",
          "2' Beine kurz ........ P. rufa", "1' Flügel hell ........ P. alba"},
         "laiss"},
        {"words that send on left in the leads by the parameters",
         {"1. Ailes noires ..... weiter bei Nr. 2", "1'. Ailes blanches ..... P. alba", "2. Pattes longues ..... P. nigra",
          "2'. Pattes courtes ..... P. rufa"},
         "clé lue couplet par couplet"},
        {"a column of pages glued to the names by the parameters",
         {"1\tWings dark\t2", "1'\tWings pale\tP. alba\t12", "2\tLegs long\tP. nigra\t14", "2'\tLegs short\tP. rufa\t15"},
         "tableau copié"},
        {"a word left cut at a line end by the parameters",
         {"Key", "1. Wings dark, the veins some-", "what raised .......... 2", "- Wings pale .......... P. alba",
          "2. Legs long .......... P. nigra", "- Legs short, the tarsi yel-", "lowish .......... P. rufa"},
         "mots coupés en fin de ligne rejoints"},
    };
    for (const Case& c : cases) {
        const LayoutDetection d = detectLayout(c.text);
        ASSERT_TRUE(d.processes()) << c.layout;
        EXPECT_NE(d.proposals.front().summary.find(c.best), std::string::npos) << c.layout << ": " << d.proposals.front().summary;
        // Whatever the reading, no line outside the key ends up in a lead.
        for (const std::string& line : sarvelo::testing::finishedKeyOf(c.text, d.proposals.front()))
            EXPECT_TRUE(line.find("Figure") == std::string::npos && line.find("BULLETIN") == std::string::npos &&
                        line.find('=') == std::string::npos)
                << c.layout << ": " << line;
    }
}

// Faults of both kinds count together: a reading with one lead left open
// beats one whose couplets each hold a single lead.
TEST(Detection, ReadingsAreRankedByTheirFaultsInAll) {
    auto score = [](int errorRows, int erreurs, int apart, int outside = 0, int warnings = 0, int leads = 0) {
        LayoutScore s;
        s.errorRows = errorRows;
        s.erreurs = erreurs;
        s.apart = apart;
        s.outside = outside;
        s.avertissements = warnings;
        s.leads = leads;
        return s;
    };
    // Of the warnings, those of couplets of three leads or more; leads regrouped.
    auto counted = [](LayoutScore s, int manyLeads, int regrouped) {
        s.manyLeads = manyLeads;
        s.regrouped = regrouped;
        return s;
    };
    struct Case {
        const char* why;
        LayoutScore better, worse;
    };
    const Case cases[] = {
        {"one open lead against lone-lead couplets", score(1, 1, 0), score(0, 8, 0)},
        {"as many faults, fewer rows in error", score(0, 2, 0), score(1, 1, 0)},
        {"alike, each couplet's leads together", score(0, 0, 0), score(0, 0, 2)},
        {"both failing, one fault more against text after the key taken in", score(0, 4, 0), score(0, 3, 0, 2)},
        {"error-free, whatever text after the key it takes in", score(0, 0, 0, 2), score(0, 1, 0)},
        {"a warning more, reading the whole key rather than a quarter of it", score(0, 0, 0, 0, 1, 40),
         score(0, 0, 0, 0, 0, 10)},
        {"fewer warnings where both read most of the key", score(0, 0, 0, 0, 0, 30), score(0, 0, 0, 0, 1, 40)},
        {"a warning more, against a reading that leaves half its few leads' labels in their text",
         score(0, 0, 0, 0, 1, 20), [&] {
             LayoutScore s = score(0, 0, 0, 0, 0, 8);
             s.residue = 4;
             return s;
         }()},
        {"both failing, a key cut short read lead by lead against the key run into a few leads", score(0, 4, 0, 0, 0, 12),
         score(0, 3, 0, 0, 0, 3)},
        {"a key read with faults against a clean reading that finds no lead", score(0, 3, 0, 0, 0, 12),
         score(0, 0, 0, 0, 0, 0)},
        {"both failing, against each line read as a lead", score(0, 2, 0, 0, 0, 8), score(33, 38, 0, 0, 0, 43)},
        {"both failing, a key of nine leads against the text read as one lead", score(1, 9, 0, 0, 0, 9),
         score(0, 1, 0, 0, 0, 1)},
        {"a couplet of three more, against the leads the text numbers alike regrouped",
         counted(score(0, 0, 0, 0, 2, 17), 2, 0), counted(score(0, 0, 0, 0, 1, 17), 1, 8)},
        {"a warning of another kind, against the leads regrouped where the book misprints a number",
         counted(score(0, 0, 0, 0, 1, 20), 0, 4), counted(score(0, 0, 0, 0, 4, 20), 1, 0)},
        {"a name read from two lines rather than a line of the key lost", [&] {
             LayoutScore s = score(0, 0, 0, 0, 0, 4);
             s.joinedNames = 1;
             return s;
         }(), [&] {
             LayoutScore s = score(0, 0, 0, 0, 0, 4);
             s.dropped = 1;
             return s;
         }()},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(betterScore(c.better, c.worse)) << c.why;
        EXPECT_FALSE(betterScore(c.worse, c.better)) << c.why;
    }
    // Leads run together after lettered labels, OCR debris after the last one.
    const LayoutDetection d = detectLayout(
        {"KEY TO THE CONIFERS", "", "A. Fruit, a cone.", "", "B. Leaves in bundles. The Pines BB. Leaves in tufts. The Larches",
         "", "C. Leaves flat. The Firs CC. Leaves 4-sided. The Spruces AA. Fruit, a berry. The Junipers S", "", "leaves"});
    ASSERT_FALSE(d.processes());
    EXPECT_TRUE(d.proposals.front().convertsIndented);
    EXPECT_EQ(d.proposals.front().score.errorRows + d.proposals.front().score.erreurs, 2);
    // The lines that stop it are the user's own.
    ASSERT_FALSE(d.obstacles.empty());
    for (const DetectionObstacle& o : d.obstacles) EXPECT_EQ(o.line, 6) << o.text;
}

// A key read in the converted form names what stops it by the user's lines.
TEST(Detection, AConvertedKeyIsStoppedByTheUsersOwnLines) {
    const Lines text{"Key to Plega", "1. Wings dark", "(", "Fig. 2", ") ........", "7", "- Wings pale ........",
                     "Plega alba", "2. Legs long ........ Plega nigra", "- Legs short ........ Plega rufa"};
    const LayoutDetection d = detectLayout(text);
    ASSERT_FALSE(d.processes());
    ASSERT_FALSE(d.obstacles.empty());
    EXPECT_FALSE(d.proposals.front().convertedText.empty());
    for (const DetectionObstacle& o : d.obstacles) {
        ASSERT_GE(o.line, 0);
        EXPECT_EQ(o.text, text[static_cast<std::size_t>(o.line)]);
    }
}

TEST(Detection, AnIndentedKeyIsProposedWithItsConversion) {
    const Lines text{"Spores blanches", "  Anneau présent ..... Amanita", "  Anneau absent ..... Russula",
                     "Spores brunes ..... Cortinarius"};
    const LayoutDetection d = detectLayout(text);
    ASSERT_FALSE(d.proposals.empty());
    EXPECT_TRUE(d.proposals.front().convertsIndented);
    EXPECT_TRUE(d.processes());
}

TEST(Detection, TakingALayoutKeepsTheFormattingPageAndTheHiddenFields) {
    KeyParams user;
    user.Le_gras = true;
    user.copyright = "(c) moi";
    user.Separ1 = ". ";
    user.Liste_separ_3 = {"=", ":"};
    KeyParams layout;
    layout.Separ2 = "..";
    layout.Liste_mixte = {"=1="};
    layout.Liste_mixte2 = {"\u00FF1\u00FF"};
    takeLayout(user, layout);
    EXPECT_TRUE(user.Le_gras);
    EXPECT_EQ(user.copyright, "(c) moi");
    EXPECT_EQ(user.Separ1, "");
    EXPECT_EQ(user.Separ2, "..");
    EXPECT_TRUE(user.Liste_separ_3.empty());
    EXPECT_EQ(user.Liste_mixte2, layout.Liste_mixte2);
}

TEST(Detection, AnEmptyTextIsSaidToBeEmpty) {
    const LayoutDetection d = detectLayout({"", "   "});
    EXPECT_TRUE(d.proposals.empty());
    ASSERT_EQ(d.obstacles.size(), 1u);
    EXPECT_EQ(d.obstacles.front().reason, kMsgEmptyText);
}

TEST(Detection, ALongSearchReportsItsProgressAndStopsWhenCancelled) {
    const Lines text{"1. Chapeau blanc ........ 2", "- Chapeau brun ........ Boletus", "2. Lames libres ........ Amanita",
                     "- Lames adnées ........ Tricholoma"};
    std::atomic<bool> cancel{false};
    DetectionControl control;
    std::vector<std::pair<int, int>> steps;
    control.progress = [&](int done, int total) { steps.emplace_back(done, total); };
    control.cancel = &cancel;
    EXPECT_TRUE(detectLayout(text, kDefaultProposals, control).processes());
    ASSERT_GE(steps.size(), 2u);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].first, static_cast<int>(i) + 1);
        EXPECT_LE(steps[i].first, steps[i].second);
    }

    control.progress = [&](int, int) { cancel = true; };
    const LayoutDetection stopped = detectLayout(text, kDefaultProposals, control);
    EXPECT_TRUE(stopped.proposals.empty());
    ASSERT_EQ(stopped.obstacles.size(), 1u);
    EXPECT_EQ(stopped.obstacles.front().reason, kMsgDetectionCancelled);
}

TEST(Detection, TheLinesThatStopAKeyAreNamedByTheirFirstCharacters) {
    const Lines text{"1. Chapeau blanc ........ 2", "- Chapeau brun " + std::string(5000, 'x') + " ........ 7"};
    const LayoutDetection d = detectLayout(text);
    ASSERT_FALSE(d.obstacles.empty());
    for (const DetectionObstacle& o : d.obstacles) EXPECT_LE(o.text.size(), kObstacleChars);
}

TEST(Detection, AWordCutAfterItsOwnHyphenKeepsItAndIsTold) {
    const Lines text{"I. Jaws long; post-", "  temporal simple.", "  A. Body scaly; post-temporal forked .... Esocidae",
                     "  B. Body naked .... Galaxiidae", "II. Jaws short .... Dalliidae"};
    const LayoutDetection d = detectLayout(text);
    ASSERT_TRUE(d.processes());
    EXPECT_NE(d.proposals.front().summary.find("1 trait d'union gardé dans un mot coupé en fin de ligne"), std::string::npos)
        << d.proposals.front().summary;
    EXPECT_TRUE(sarvelo::testing::detectsKey(
        text, {"1,2$ Jaws long; post-temporal simple.", "1,0$ Jaws short $ Dalliidae",
               "2,0$ Body scaly; post-temporal forked $ Esocidae", "2,0$ Body naked $ Galaxiidae"}));
}
