// Keys of the families read by their structure (letters naming levels or
// couplets, couplets of three, first leads only numbered, indented keys,
// path numbers, back-references, partner numbers), pasted as users paste
// them: detection weighs each reading by the key checks and the best one
// gives the finished key checked by hand.
#include <gtest/gtest.h>


#include "engine/text.hpp"
#include "support/detected.hpp"

using namespace sarvelo;

TEST(StructureReadings, DetectionKeepsTheReadingTheChecksAccept) {
    struct Case {
        const char* layout;
        const char* text;
        std::vector<std::string> finished;  // in any order
    };
    const Case cases[] = {
        {"a letter a level, both leads under it, no indentation, names after the sentence",
         "a. Flowers white.\nb. Leaves entire. V. alba.\nb. Leaves toothed. V. hirta.\na. Flowers blue.\n"
         "b. Spur short. V. palustris.\nb. Spur long. V. odorata.\n",
         {"1,2$ Flowers white.", "1,3$ Flowers blue.", "2,0$ Leaves entire. $ V. alba", "2,0$ Leaves toothed. $ V. hirta",
          "3,0$ Spur short. $ V. palustris", "3,0$ Spur long. $ V. odorata"}},
        {"a couplet of three whose leads stand apart around a sub-key",
         "A. Leaves simple.\n   B. Fruit a nut.\n      C. Cup covering the nut ..... Castanea\n"
         "      C. Cup shallow ..... Quercus\n   B. Fruit a samara ..... Acer\n   B. Fruit a berry ..... Viburnum\n"
         "A. Leaves compound ..... Fraxinus\n",
         {"1,2$ Leaves simple.", "1,0$ Leaves compound $ Fraxinus", "2,3$ Fruit a nut.", "2,0$ Fruit a samara $ Acer",
          "2,0$ Fruit a berry $ Viburnum", "3,0$ Cup covering the nut $ Castanea", "3,0$ Cup shallow $ Quercus"}},
        {"couplets named by letters, references after words",
         "A. Leaves simple, go to B\nA. Leaves compound, go to C\nB. Fruit a nut . . . Quercus\n"
         "B. Fruit a samara . . . Acer\nC. Leaflets 3 . . . Ptelea\nC. Leaflets many . . . Fraxinus\n",
         {"1,2$ Leaves simple", "1,3$ Leaves compound", "2,0$ Fruit a nut $ Quercus", "2,0$ Fruit a samara $ Acer",
          "3,0$ Leaflets 3 $ Ptelea", "3,0$ Leaflets many $ Fraxinus"}},
        {"couplets named by a number and a letter, the second lead dashed, names after a tab",
         "3\tWings long\t3a\n\u2013\tWings short\t3b\n3a\tElytra black\tPterostichus niger\n"
         "\u2013\tElytra red\tPterostichus ruber\n3b\tLegs pale\tPterostichus pallidus\n"
         "\u2013\tLegs dark\tPterostichus fuscus\n",
         {"1,2$ Wings long", "1,3$ Wings short", "2,0$ Elytra black $ Pterostichus niger",
          "2,0$ Elytra red $ Pterostichus ruber", "3,0$ Legs pale $ Pterostichus pallidus",
          "3,0$ Legs dark $ Pterostichus fuscus"}},
        {"couplets named by a letter, the second lead by the letter doubled, references after a leader",
         "a. Wings dark ............ b.\naa. Wings pale ........... c.\nb. Legs long ............. P. nigra\n"
         "bb. Legs short ........... P. rufa\nc. Antennae long ......... P. alba\ncc. Antennae short ....... P. brevis\n",
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ P. nigra", "2,0$ Legs short $ P. rufa",
          "3,0$ Antennae long $ P. alba", "3,0$ Antennae short $ P. brevis"}},
        {"letters in brackets, the second lead primed, references in brackets",
         "(a) Wings dark ..... (b)\n(a\u2032) Wings pale ..... (c)\n(b) Legs long ..... P. nigra\n"
         "(b\u2032) Legs short ..... P. rufa\n(c) Antennae long ..... P. alba\n(c\u2032) Antennae short ..... P. brevis\n",
         {"1,2$ Wings dark", "1,3$ Wings pale", "2,0$ Legs long $ P. nigra", "2,0$ Legs short $ P. rufa",
          "3,0$ Antennae long $ P. alba", "3,0$ Antennae short $ P. brevis"}},
        {"an indented key labelled in bold marks, the names in italic marks",
         "=A.= Wings dark.\n  =B.= Legs long ..... _P. nigra_\n  =B.= Legs short ..... _P. rufa_\n=A.= Wings pale.\n"
         "  =C.= Antennae long ..... _P. alba_\n  =C.= Antennae short ..... _P. brevis_\n",
         {"1,2$ Wings dark.", "1,3$ Wings pale.", "2,0$ Legs long $ P. nigra", "2,0$ Legs short $ P. rufa",
          "3,0$ Antennae long $ P. alba", "3,0$ Antennae short $ P. brevis"}},
        {"a heading and prose after the key, not joined to the last name",
         "1\tWings dark\tPlega nigra Smith\n1\u2019\tWings pale\t2\n2(1\u2019)\tLegs long\tPlega alba Smith\n"
         "2\u2019\tLegs short\tPlega rufa (Jones)\n\nSpecies treatment\n\nOnly the following new species is treated "
         "here.\n\nPlega alba sp. n.\n",
         {"1,0$ Wings dark $ Plega nigra Smith", "1,2$ Wings pale", "2,0$ Legs long $ Plega alba Smith",
          "2,0$ Legs short $ Plega rufa (Jones)"}},
        {"an indented key, binomials with authors in brackets under the leads, a page's number between two pages",
         "Leaves in bundles.\n    Bundles of two.\n        Pinus resinosa Ait.\n    Bundles of five.\n"
         "        Pinus strobus L.\nLeaves single.\n\n                 24\n\n    Leaves flat.\n        Abies balsamea (L.) Mill.\n"
         "    Leaves four-sided.\n        Tsuga canadensis (de Candolle, 1805)\n",
         {"1,2$ Leaves in bundles.", "1,3$ Leaves single.", "2,0$ Bundles of two. $ Pinus resinosa Ait.",
          "2,0$ Bundles of five. $ Pinus strobus L.", "3,0$ Leaves flat. $ Abies balsamea (L.) Mill.",
          "3,0$ Leaves four-sided. $ Tsuga canadensis (de Candolle, 1805)"}},
        {"an indented lettered key, the running head of the next page between its leads",
         "A. Leaves in bundles.\n   B. Bundles of two ..... Pinus resinosa\n   BB. Bundles of five ..... Pinus strobus\n\n"
         "24                        TREES OF THE NORTH\n\nAA. Leaves single.\n   C. Leaves flat ..... Abies balsamea\n"
         "   CC. Leaves four-sided ..... Picea rubens\n",
         {"1,2$ Leaves in bundles.", "1,3$ Leaves single.", "2,0$ Bundles of two $ Pinus resinosa",
          "2,0$ Bundles of five $ Pinus strobus", "3,0$ Leaves flat $ Abies balsamea", "3,0$ Leaves four-sided $ Picea rubens"}},
        {"only the first lead numbered, names run into the leads after their last sentence",
         "1. Wings dark; body black. 2\nWings pale; body yellow. 3\n2. Legs long. Plega nigra\nLegs short. Plega rufa\n"
         "3. Antennae long. Plega alba\nAntennae short. Plega brevis\n",
         {"1,2$ Wings dark; body black.", "1,3$ Wings pale; body yellow.", "2,0$ Legs long. $ Plega nigra",
          "2,0$ Legs short. $ Plega rufa", "3,0$ Antennae long. $ Plega alba", "3,0$ Antennae short. $ Plega brevis"}},
        {"a dash for the second lead, references in brackets, names run into the leads",
         "1. Leaves in bundles. (2)\n\u2013 Leaves single. (3)\n2. Bundles of two. Pinus resinosa\n"
         "\u2013 Bundles of five. Pinus strobus\n3. Leaves flat. Abies balsamea\n\u2013 Leaves four-sided. Picea rubens\n",
         {"1,2$ Leaves in bundles.", "1,3$ Leaves single.", "2,0$ Bundles of two. $ Pinus resinosa",
          "2,0$ Bundles of five. $ Pinus strobus", "3,0$ Leaves flat. $ Abies balsamea", "3,0$ Leaves four-sided. $ Picea rubens"}},
        {"an indented key with a footnote called in the prose above it and set after it",
         "KEY TO THE OAKS.\n\nUse leaves and fruit together.[A]\n\nLeaves bristle-tipped.\n"
         "    Leaves deeply lobed ..... _Q. coccinea_, p. 34\n    Leaves shallowly lobed ..... _Q. rubra_, p. 36\n"
         "Leaves without bristles.\n    Leaves lobed ..... _Q. alba_, p. 40\n    Leaves toothed ..... _Q. prinus_, p. 42\n\n"
         "[A] The fruit is often wanting in spring,\n    and the leaves in winter.\n",
         {"1,2$ Leaves bristle-tipped.", "1,3$ Leaves without bristles.", "2,0$ Leaves deeply lobed $ Q. coccinea",
          "2,0$ Leaves shallowly lobed $ Q. rubra", "3,0$ Leaves lobed $ Q. alba", "3,0$ Leaves toothed $ Q. prinus"}},
        {"only the first lead numbered, each name alone on the line under its lead",
         "1. Leaves in bundles\nPinus\nLeaves single, not in bundles ..... 2\n2. Leaves flat\nAbies balsamea\n"
         "Leaves four-sided\nPicea rubens\n",
         {"1,0$ Leaves in bundles $ Pinus", "1,2$ Leaves single, not in bundles", "2,0$ Leaves flat $ Abies balsamea",
          "2,0$ Leaves four-sided $ Picea rubens"}},
        {"numbered in indented order, the leads that go on ending in capitalised words after their sentence",
         "1. Plants woody. Trees or Shrubs\n2. Leaves needle-like ..... Pinus\n2. Leaves broad ..... Quercus\n"
         "1. Plants herbaceous. Herbs\n3. Flowers white ..... Anemone\n3. Flowers yellow ..... Ranunculus\n",
         {"1,2$ Plants woody. Trees or Shrubs", "1,3$ Plants herbaceous. Herbs", "2,0$ Leaves needle-like $ Pinus",
          "2,0$ Leaves broad $ Quercus", "3,0$ Flowers white $ Anemone", "3,0$ Flowers yellow $ Ranunculus"}},
        {"couplets in braces, the number at the left",
         "  1 { Spores white ................... 2\n    { Spores pink .................... Pluteus cervinus\n\n"
         "    { Gills free\n  2 {                     Amanita muscaria\n    { Gills attached ........ Tricholoma album\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus cervinus", "2,0$ Gills free $ Amanita muscaria",
          "2,0$ Gills attached $ Tricholoma album"}},
        {"couplets named by letters, each reference or name alone on the line under its lead",
         "A. Leaves in bundles.\nB\nA. Leaves single.\nC\nB. Bundles of two.\nPinus resinosa\nB. Bundles of five.\n"
         "Pinus strobus\nC. Leaves flat.\nAbies balsamea\nC. Leaves four-sided.\nPicea rubens\n",
         {"1,2$ Leaves in bundles.", "1,3$ Leaves single.", "2,0$ Bundles of two. $ Pinus resinosa",
          "2,0$ Bundles of five. $ Pinus strobus", "3,0$ Leaves flat. $ Abies balsamea",
          "3,0$ Leaves four-sided. $ Picea rubens"}},
        {"the book's numbers before the names in their cells",
         "Key to the species\n\n1\tLatex white\t2\n1\u2019\tLatex orange\t20. \u201CLactarius deliciosus\u201D group\n"
         "2\tCap dry\t18. Lactarius barrowsii\n2\u2019\tCap sticky\t19. Lactarius rubrilacteus\n",
         {"1,2$ Latex white", "1,0$ Latex orange $ \u201CLactarius deliciosus\u201D group", "2,0$ Cap dry $ Lactarius barrowsii",
          "2,0$ Cap sticky $ Lactarius rubrilacteus"}},
        {"stars, then crosses",
         "* Leaves simple.\n  + Fruit a nut ..... Quercus\n  + Fruit a samara ..... Acer\n** Leaves compound ..... Fraxinus\n",
         {"1,2$ Leaves simple.", "1,0$ Leaves compound $ Fraxinus", "2,0$ Fruit a nut $ Quercus",
          "2,0$ Fruit a samara $ Acer"}},
        {"an indented key numbered by couplets, no references",
         "1. Spores white\n    2. Gills free .... Amanita\n    2. Gills attached .... Tricholoma\n1. Spores pink .... Pluteus\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus", "2,0$ Gills free $ Amanita", "2,0$ Gills attached $ Tricholoma"}},
        {"an indented key with prose above, binomials with their authors under the leads",
         "KEY TO THE SPECIES.\n\nThe species are told apart by the leaves and fruit, which should\n"
         "be examined together.\n\nLeaves lobed.\n    Lobes rounded.\n        Quercus alba L.\n    Lobes bristle-tipped.\n"
         "        Quercus rubra L.\nLeaves not lobed.\n    Quercus Phellos L.\n",
         {"1,2$ Leaves lobed.", "1,0$ Leaves not lobed. $ Quercus Phellos L.", "2,0$ Lobes rounded. $ Quercus alba L.",
          "2,0$ Lobes bristle-tipped. $ Quercus rubra L."}},
        {"path numbers", "1. Spores white\n1.1. Gills free .... Amanita\n1.2. Gills attached\n1.2.1. Stem central .... Tricholoma\n"
                         "1.2.2. Stem lateral .... Pleurotus\n2. Spores pink .... Pluteus\n",
         {"1,2$ Spores white", "1,0$ Spores pink $ Pluteus", "2,0$ Gills free $ Amanita", "2,3$ Gills attached",
          "3,0$ Stem central $ Tricholoma", "3,0$ Stem lateral $ Pleurotus"}},
        {"leads numbered with their partners' numbers",
         "1(4)\tSpores white.\n2(3)\tGills free\tAmanita muscaria\n3(2)\tGills attached\tTricholoma album\n"
         "4(1)\tSpores pink\tPluteus cervinus\n",
         {"1,2$ Spores white.", "1,0$ Spores pink $ Pluteus cervinus", "2,0$ Gills free $ Amanita muscaria",
          "2,0$ Gills attached $ Tricholoma album"}},
        {"groups opened by leads ending in a dash, the indentation lost",
         "Hymenium inferior--\nHymenium with gills ..... Agaricaceae\nHymenium with pores ..... Polyporaceae\n"
         "Hymenium superior--\nHymenium club-shaped ..... Clavariaceae\nHymenium lobed ..... Tremellaceae\n",
         {"1,2$ Hymenium inferior--", "1,3$ Hymenium superior--", "2,0$ Hymenium with gills $ Agaricaceae",
          "2,0$ Hymenium with pores $ Polyporaceae", "3,0$ Hymenium club-shaped $ Clavariaceae",
          "3,0$ Hymenium lobed $ Tremellaceae"}},
        {"an indented key under prose and a heading set two blank lines apart, groups opened by a dash",
         "KEY.\n\nThe key is easy to use once the colour of the spores\nis known.\n\n\nGROUP I--FLESHY FUNGI.\n\n"
         "Fungus fleshy or woody,\nspores naked.\n\n  Hymenium inferior--\n  Hymenium with gills       Agaricaceae.\n"
         "  Hymenium with pores       Polyporaceae.\n  Hymenium superior--\n  Hymenium club-shaped      Clavariaceae.\n"
         "  Hymenium lobed            Tremellaceae.\n\n\nFAMILY 1--AGARICACEAE.\n\nGills radiating from the stem.\n",
         {"1,2$ Hymenium inferior--", "1,3$ Hymenium superior--", "2,0$ Hymenium with gills $ Agaricaceae",
          "2,0$ Hymenium with pores $ Polyporaceae", "3,0$ Hymenium club-shaped $ Clavariaceae",
          "3,0$ Hymenium lobed $ Tremellaceae"}},
        {"a synopsis that names first, remarks in paragraphs set under the leads",
         "KEY\n\nA. Woods with resin ducts.\n\n1. Pines. Resin ducts numerous,\n    prominent.\n\n"
         "2. Douglas fir. Resin ducts few.\n\n    Douglas fir is a tree of the Pacific\n    Coast.\n\n"
         "B. Woods without resin ducts.\n\n1. Hemlock. The wood has a rancid odor.\n\n"
         "2. Balsam fir. The wood is odorless and soft.\n\n    The wood is used for pulp.\n",
         {"1,2$ Woods with resin ducts.", "1,3$ Woods without resin ducts.",
          "2,0$ Resin ducts numerous, prominent. $ Pines",
          "2,0$ Resin ducts few. Douglas fir is a tree of the Pacific Coast. $ Douglas fir",
          "3,0$ The wood has a rancid odor. $ Hemlock",
          "3,0$ The wood is odorless and soft. The wood is used for pulp. $ Balsam fir"}},
        {"a synopsis that names first in italic marks closed by a dash, the leads' lines hung under their text",
         "KEY\n\nA. Green weeds. Fronds grass-green.\n\n1. _Confervaceæ_--Frond thread-like,\n    of cylindrical cells.\n\n"
         "2. _Ulvaceæ_--Frond flat or tubular.\n\nB. Olive weeds. Frond leathery.\n\n1. _Fucaceæ_--Frond large and tough.\n\n"
         "2. _Laminariaceæ_--Frond with a stalk.\n",
         {"1,2$ Green weeds. Fronds grass-green.", "1,3$ Olive weeds. Frond leathery.",
          "2,0$ Frond thread-like, of cylindrical cells. $ Confervaceæ", "2,0$ Frond flat or tubular. $ Ulvaceæ",
          "3,0$ Frond large and tough. $ Fucaceæ", "3,0$ Frond with a stalk. $ Laminariaceæ"}},
        {"a synopsis numbered straight through under group headings, the number and name inside bold marks",
         "  A. TREES OR SHRUBS\n\n       =1. Salicaceæ=--Flowers in catkins. Fruit\n            a capsule.\n\n"
         "       =2. Betulaceæ=--Fruit a small nut.\n\n       =3. Oleaceæ=--Leaves opposite.\n\n  B. HERBS\n\n"
         "       =4. Urticaceæ=--Hairs stinging.\n\n       =5. Polygonaceæ=--Stipules sheathing.\n",
         {"1,2$ TREES OR SHRUBS", "1,3$ HERBS", "2,0$ Flowers in catkins. Fruit a capsule. $ Salicaceæ (no. 1)",
          "2,0$ Fruit a small nut. $ Betulaceæ (no. 2)", "2,0$ Leaves opposite. $ Oleaceæ (no. 3)",
          "3,0$ Hairs stinging. $ Urticaceæ (no. 4)", "3,0$ Stipules sheathing. $ Polygonaceæ (no. 5)"}},
        {"only the first lead numbered, in paragraphs, each reference or name alone at the right under its lead",
         "KEY TO THE SPECIES\n\n 1. Finger webbed to mid-length of phalange; skull\n    casqued\n"
         "                                          _O. taurinus_\n\n    Finger webbed to base of phalange; skull\n"
         "    smooth\n                                          2\n\n 2. Flanks areolate; lips barred\n"
         "                                          _O. buckleyi_\n\n    Flanks smooth; lips not barred\n"
         "                                          _O. planiceps_\n",
         {"1,0$ Finger webbed to mid-length of phalange; skull casqued $ O. taurinus",
          "1,2$ Finger webbed to base of phalange; skull smooth", "2,0$ Flanks areolate; lips barred $ O. buckleyi",
          "2,0$ Flanks smooth; lips not barred $ O. planiceps"}},
        {"one number for both leads in indented order, leads going on set wholly in bold or italic marks",
         "1. =Wings short= ..... RUNNERS\n1. =Wings long= (except the penguin)\n2. _Toes webbed_\n"
         "3. Feet far back ..... DIVERS\n3. Bill flat ..... STRAINERS\n2. _Toes free_ ..... PERCHERS\n",
         {"1,0$ =Wings short= $ RUNNERS", "1,2$ =Wings long= (except the penguin)", "2,3$ _Toes webbed_",
          "2,0$ _Toes free_ $ PERCHERS", "3,0$ Feet far back $ DIVERS", "3,0$ Bill flat $ STRAINERS"}},
        {"numbered couplets, the second lead dashed, each name followed by a comma and the book's page",
         "1. Leaves simple ........ 2\n\u2013 Leaves compound ........ Fraxinus nigra, 156\n"
         "2. Fruit a nut ........ Quercus alba, 88\n\u2013 Fruit a samara ........ Acer rubrum, 212\n",
         {"1,2$ Leaves simple", "1,0$ Leaves compound $ Fraxinus nigra (p. 156)", "2,0$ Fruit a nut $ Quercus alba (p. 88)",
          "2,0$ Fruit a samara $ Acer rubrum (p. 212)"}},
        {"numbered couplets, the second lead lettered, each name in marks after the book's number and a leader",
         "1a. Leaves simple ........ 2\n1b. Leaves compound ........ 14. _Fraxinus nigra_\n"
         "2a. Fruit a nut ........ 15. _Quercus alba_\n2b. Fruit a samara ........ 16. _Acer rubrum_\n",
         {"1,2$ Leaves simple", "1,0$ Leaves compound $ Fraxinus nigra (no. 14)", "2,0$ Fruit a nut $ Quercus alba (no. 15)",
          "2,0$ Fruit a samara $ Acer rubrum (no. 16)"}},
        {"numbered couplets, the second lead dashed, the book's number in brackets after each name",
         "1. Leaves simple ........ 2\n\u2013 Leaves compound ........ Fraxinus nigra (14)\n"
         "2. Fruit a nut ........ Quercus alba (15)\n\u2013 Fruit a samara ........ Acer rubrum (16)\n",
         {"1,2$ Leaves simple", "1,0$ Leaves compound $ Fraxinus nigra (no. 14)", "2,0$ Fruit a nut $ Quercus alba (no. 15)",
          "2,0$ Fruit a samara $ Acer rubrum (no. 16)"}},
        {"numbered couplets, the second lead dashed, a note's figure after each group name in capitals",
         "1. Tail long ........ 2\n\u2013 Tail short ........ MICROCHIROPTERA 1\n"
         "2. Ears large ........ MEGADERMATIDAE 2\n\u2013 Ears small ........ PTEROPODIDAE 1\n",
         {"1,2$ Tail long", "1,0$ Tail short $ MICROCHIROPTERA", "2,0$ Ears large $ MEGADERMATIDAE",
          "2,0$ Ears small $ PTEROPODIDAE"}},
        // Readings alike by the checks: the one that keeps together the leads
        // the text numbers alike is the key's, even with a couplet of three
        // more or a lead fewer (a first lead taken for a heading).
        {"primed leads, a couplet of three ending in names, its reference in square brackets after a dash",
         "1. Gleba in persistent chambers--\t[2]\n1'. Gleba in plates\tGyrophragmium\n"
         "1''. Gleba chambers soon gone\tPodaxon\n2. Peridium club-shaped\tCauloglossum\n"
         "2'. Peridium round, breaking away at the base\tSecotium\n",
         {"1,2$ Gleba in persistent chambers", "1,0$ Gleba in plates $ Gyrophragmium",
          "1,0$ Gleba chambers soon gone $ Podaxon", "2,0$ Peridium club-shaped $ Cauloglossum",
          "2,0$ Peridium round, breaking away at the base $ Secotium"}},
        {"primed leads, a couplet of three sending on twice, references in square brackets after a dash",
         "1. Wings dark--\t[2]\n1'. Wings pale--\t[3]\n1''. Wings none\tPlega aptera\n2. Legs long\tPlega nigra\n"
         "2'. Legs short\tPlega rufa\n3. Antennae long\tPlega alba\n3'. Antennae short\tPlega brevis\n",
         {"1,2$ Wings dark", "1,3$ Wings pale", "1,0$ Wings none $ Plega aptera", "2,0$ Legs long $ Plega nigra",
          "2,0$ Legs short $ Plega rufa", "3,0$ Antennae long $ Plega alba", "3,0$ Antennae short $ Plega brevis"}},
        {"primed leads, a couplet of three first, its first lead not to be taken for a heading",
         "1. Antennule 6-segmented\tPlega sexta\n1'. Antennule 5-segmented\tPlega quinta\n"
         "1''. Antennule 4-segmented\t[2]\n2. Third segment with crenulate margin\t[3]\n"
         "2'. Third segment with smooth margin\tPlega laevis\n3. Endopodal lobe without process\tPlega nuda\n"
         "3'. Endopodal lobe with a curved process\tPlega curvata\n",
         {"1,0$ Antennule 6-segmented $ Plega sexta", "1,0$ Antennule 5-segmented $ Plega quinta",
          "1,2$ Antennule 4-segmented", "2,3$ Third segment with crenulate margin",
          "2,0$ Third segment with smooth margin $ Plega laevis", "3,0$ Endopodal lobe without process $ Plega nuda",
          "3,0$ Endopodal lobe with a curved process $ Plega curvata"}},
        // A reference to a lettered couplet left in a lead's text ("(b)", "go
        // to B"), the lead sent on by position, is not read.
        {"couplets named by letters, references after words, the first lead ending in a name",
         "A. Wings dark . . . . . Plega nigra\nA. Wings pale, go to B\n"
         "B. Legs long, antennae shorter than the body . . . . . Plega alba\n"
         "B. Legs short, antennae longer than the body . . . . . Plega rufa\n",
         {"1,0$ Wings dark $ Plega nigra", "1,2$ Wings pale", "2,0$ Legs long, antennae shorter than the body $ Plega alba",
          "2,0$ Legs short, antennae longer than the body $ Plega rufa"}},
        {"couplets named by a letter and the letter doubled, references in brackets",
         "a. Wings dark ...... Plega nigra\naa. Wings pale (b)\n"
         "b. Legs long, antennae shorter than the body ...... Plega alba\n"
         "bb. Legs short, antennae longer than the body ...... Plega rufa\n",
         {"1,0$ Wings dark $ Plega nigra", "1,2$ Wings pale", "2,0$ Legs long, antennae shorter than the body $ Plega alba",
          "2,0$ Legs short, antennae longer than the body $ Plega rufa"}},
    };
    for (const Case& c : cases) EXPECT_TRUE(sarvelo::testing::detectsKey(text::splitLines(c.text), c.finished)) << c.layout;
}
