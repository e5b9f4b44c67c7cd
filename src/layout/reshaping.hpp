// A key inside a longer paste, reshaped into one lead per line before its
// layout is read: the text before the first couplet and after the key's last
// couplet set aside, leads set out as paragraphs (a blank line between leads,
// lines wrapped) joined, and a name in emphasis marks at the end of a lead set
// apart with "=>". The user's text is only read.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/engine.hpp"

namespace sarvelo {

inline constexpr const char* kMsgTextBefore = "%d lignes de texte avant la clé laissées de côté";
inline constexpr const char* kMsgTextBeforeOne = "1 ligne de texte avant la clé laissée de côté";
inline constexpr const char* kMsgTextAfter = "%d lignes de texte après la clé laissées de côté";
inline constexpr const char* kMsgTextAfterOne = "1 ligne de texte après la clé laissée de côté";
inline constexpr const char* kMsgParagraphs = "%d entrées en paragraphes mises sur une ligne";
inline constexpr const char* kMsgParagraphsOne = "1 entrée en paragraphe mise sur une ligne";
inline constexpr const char* kMsgSplit = "%d entrées séparées de la précédente sur la même ligne";
inline constexpr const char* kMsgSplitOne = "1 entrée séparée de la précédente sur la même ligne";
inline constexpr const char* kMsgNotesAside = "%d lignes de notes entre crochets laissées de côté";
inline constexpr const char* kMsgNotesAsideOne = "1 ligne de notes entre crochets laissée de côté";
inline constexpr const char* kMsgPagesAside = "%d lignes de numéro ou de titre de page laissées de côté";
inline constexpr const char* kMsgPagesAsideOne = "1 ligne de numéro ou de titre de page laissée de côté";
inline constexpr const char* kMsgHyphens = "%d mots coupés en fin de ligne rejoints";
inline constexpr const char* kMsgHyphensOne = "1 mot coupé en fin de ligne rejoint";
inline constexpr const char* kMsgGathered = "lignes de chaque entrée rejointes";
inline constexpr const char* kMsgCaptionLines = "%d lignes de légende de figure laissées de côté";
inline constexpr const char* kMsgCaptionLinesOne = "1 ligne de légende de figure laissée de côté";
inline constexpr const char* kMsgRepaired = "%d renvois lus de travers rétablis d'après le couplet d'origine noté entre parenthèses";
inline constexpr const char* kMsgRepairedOne = "1 renvoi lu de travers rétabli d'après le couplet d'origine noté entre parenthèses";
inline constexpr const char* kMsgOddBlanks = "%d espaces insécables ou fines lues comme des espaces";
inline constexpr const char* kMsgOddBlanksOne = "1 espace insécable ou fine lue comme une espace";
inline constexpr const char* kMsgKeptHyphens = "%d traits d'union gardés dans des mots coupés en fin de ligne";
inline constexpr const char* kMsgKeptHyphensOne = "1 trait d'union gardé dans un mot coupé en fin de ligne";
inline constexpr const char* kMsgDebris = "%d signes parasites de lecture optique retirés";
inline constexpr const char* kMsgDebrisOne = "1 signe parasite de lecture optique retiré";
inline constexpr const char* kMsgNoteCalls = "%d appels de note entre crochets retirés";
inline constexpr const char* kMsgNoteCallsOne = "1 appel de note entre crochets retiré";
inline constexpr const char* kMsgPageMarks = "%d numéros de page entre crochets retirés";
inline constexpr const char* kMsgPageMarksOne = "1 numéro de page entre crochets retiré";
inline constexpr const char* kMsgSpacedStops = "%d points séparés du renvoi qu'ils terminent rattachés";
inline constexpr const char* kMsgSpacedStopsOne = "1 point séparé du renvoi qu'il termine rattaché";
inline constexpr const char* kMsgDoubledBlanks = "%d espaces doublées entre deux mots ramenées à une";
inline constexpr const char* kMsgDoubledBlanksOne = "1 espace doublée entre deux mots ramenée à une";
inline constexpr const char* kMsgFlushRight = "%d fins d'entrée alignées à droite séparées de leur texte";
inline constexpr const char* kMsgFlushRightOne = "1 fin d'entrée alignée à droite séparée de son texte";
inline constexpr const char* kMsgMisread = "%d numéros mal lus corrigés";
inline constexpr const char* kMsgMisreadOne = "1 numéro mal lu corrigé";
inline constexpr const char* kMsgRelabelled = "%d couplets nommés par un numéro et une lettre (« 3a ») renumérotés";
inline constexpr const char* kMsgRelabelledOne = "1 couplet nommé par un numéro et une lettre (« 3a ») renuméroté";
inline constexpr const char* kMsgUnmarked = "%d numéros de couplet entre marques (« =1= ») lus comme des numéros";
inline constexpr const char* kMsgUnmarkedOne = "1 numéro de couplet entre marques (« =1= ») lu comme un numéro";
inline constexpr const char* kMsgUnnumbered = "premier couplet sans numéro lu comme le couplet 0";
inline constexpr const char* kMsgAsides = "%d lignes de légende de figure ou de note laissées de côté";
inline constexpr const char* kMsgAsidesOne = "1 ligne de légende de figure ou de note laissée de côté";
inline constexpr const char* kMsgFootnotes = "%d lignes de note de bas de page laissées de côté";
inline constexpr const char* kMsgFootnotesOne = "1 ligne de note de bas de page laissée de côté";
inline constexpr const char* kMsgGluedMarks = "%d tirets d'entrée séparés de leur texte";
inline constexpr const char* kMsgGluedMarksOne = "1 tiret d'entrée séparé de son texte";
inline constexpr const char* kMsgGluedLabels = "%d numéros de couplet séparés de leur texte";
inline constexpr const char* kMsgGluedLabelsOne = "1 numéro de couplet séparé de son texte";
inline constexpr const char* kMsgGluedReferences = "%d renvois collés à une parenthèse séparés";
inline constexpr const char* kMsgGluedReferencesOne = "1 renvoi collé à une parenthèse séparé";
inline constexpr const char* kMsgToCouplets = "%d renvois à une entrée (« 2a ») lus comme renvois à son couplet";
inline constexpr const char* kMsgToCoupletsOne = "1 renvoi à une entrée (« 2a ») lu comme renvoi à son couplet";
inline constexpr const char* kMsgMarkedNames = "%d noms entre marques séparés de leur entrée";
inline constexpr const char* kMsgMarkedNamesOne = "1 nom entre marques séparé de son entrée";

// A message with its count: `many` holds "%d"; `one`, when given, is said for one.
std::string countedMessage(const char* many, const char* one, int n);

// The counts that are not zero, each with its message, joined by commas.
struct CountedPart {
    int n;
    const char* many;
    const char* one;
};
std::string countedParts(std::initializer_list<CountedPart> parts);

struct ReshapedKey {
    bool changed = false;  // false: the text is already one lead per line, alone (`lines` empty)
    Lines lines;           // the key, one lead per line
    std::vector<int> origin;  // the user's line (from 0) each line starts on
    int before = 0;        // lines of text before the key set aside
    int after = 0;         // lines of text after the key set aside
    int paragraphs = 0;    // leads of several lines joined
    int split = 0;         // leads run together on a line set apart
    int notes = 0;         // lines of notes in square brackets set aside
    int hyphens = 0;       // words cut at a line end joined
    int pages = 0;         // page numbers and running heads inside the key set aside
    int debris = 0;        // OCR signs alone before a label or after an ending taken out
    int footnotes = 0;     // lines of footnotes between the leads set aside
    int captions = 0;      // lines of figure captions between the leads set aside
    int repaired = 0;      // references misread mended by the origin their couplet names ("21(20)")
    int names = 0;         // names in marks set apart ("=Myosurus= L." -> "=> Myosurus L.")
    int bookNumbers = 0;   // the book's numbers taken out of the names of `couplets` ("18. Palmae")
    std::string message;   // what was done, in French
    // When every lead's couplet and ending were read: the key as "1. lead ...
    // 2" and "1. lead => Name", processed by `setIndentedKeyLayout`.
    Lines couplets;
    std::vector<int> coupletsOrigin;
    // When wrapped lines were joined: each lead on one line, a name set on
    // a line of its own (under a text that ended short, or after a blank
    // line) apart on the next.
    Lines gathered;
    std::vector<int> gatheredOrigin;
};
ReshapedKey reshapeKey(const Lines& text);
// Where a numbered list of paragraphs ("1. The genus is ...", "2. Species
// are ..."), each number once and in turn, ends above a key whose first
// label does not go on it: after its last item's paragraph; 0 where the text
// opens no such list.
std::size_t keyAfterNumberedList(const Lines& text);
// Where an index of names with their pages ("Acer rubrum, 12"), three
// entries at least, closes the text (with its heading); the text's size
// where none does.
std::size_t indexAfterKey(const Lines& text);
// Where numbered accounts of the taxa ("1. The first form is ...") follow
// the key under a heading in capitals, each number once and in turn, with
// neither leader nor reference: that heading; the text's size where none do.
std::size_t accountsAfterKey(const Lines& text);
// Where two lines or more without label or leader follow the key's last
// lead, set further apart from it than any two lines of the key ("Genus
// Alpha, Smith, 1890." and its prose): the blank line after that lead; the
// text's size where none do.
std::size_t proseAfterKey(const Lines& text);
// The lines of figures' captions ("Fig. 3. ...") and footnotes ("* ...",
// "† ...") set as paragraphs of their own between blank lines, a text after
// them.
std::vector<bool> captionsAndFootnotes(const Lines& text);
// The lines that are a page's running head with its number, in any case.
std::vector<bool> runningHeads(const Lines& text);

// Blanks a copy from a typeset page keeps (no-break, thin, figure spaces)
// made plain blanks in `line`: how many.
int evenBlanks(std::string& line);
// Couplet labels a scan misread as letters ("i''", "S.") read as the numbers
// the labels around them call for, in a key numbered with digits; the count.
int mendScannedLabels(Lines& lines);
// A number closing a line, set apart by blanks or a leader, in which a scan
// read "1" as "l" or "I" ("=Russula.=   I25", "..... l1"): its digits; the count.
int mendScannedNumbers(Lines& lines);
// Stops a scan read as commas: after a few of the key's labels ("1a," among
// "2a."), inside or at the end of a leader ("....,,..3"); a sign it left
// alone after a line's last word taken out; the count.
int mendScannedStops(Lines& lines);
// Two blanks a scan set between two words of a sentence ("Two  nostrils",
// "erect,  leaves"), which readers of names after a run of blanks would cut
// there, made one; a run of three or more is kept. The count.
int mendDoubledBlanks(Lines& lines);
// Endings set flush right at the page's margin, where most lines that end
// after a run of blanks end: two blanks before such an ending ("... apex
// only  White Ash") set it apart as a wider run does, widened to three so
// that readers of names after a column of blanks take it. The count.
int widenFlushRightGaps(Lines& lines);

// The name at the end of a lead printed in emphasis marks ("=Myosurus= L.",
// "_Quercus alba_"), followed by at most a few author words: where it starts
// in `line` (bytes), or npos.
std::size_t markedNameStart(std::string_view line);
// A lead's ending: a reference ("... 2", "(2)", "[7]", "go to 5", "→ 4") or
// a name (after a leader, or in marks), and the lead's text before it.
struct LeadEnding {
    std::string text;
    int reference = -1;
    std::string name;
    bool bookNumber = false;  // the book's species number before the name was left out ("14. L. alba")
    bool sentOn = false;      // the reference stood in brackets or after words or an arrow ("(2)", "voir 3")
    bool ends() const { return reference >= 0 || !name.empty(); }
};
LeadEnding splitLeadEnding(std::string_view body);
// Whether a lead's text or name ends with a sign a scan left alone after a
// blank ("... Form »", "... alba '"): OCR debris left in it.
bool endsWithDebris(std::string_view text);

// A footnote's call in square brackets glued to what it follows ("Kiemen[LXII]",
// "1. (8)[LIX]", "alba[12]"): one letter, a Roman numeral, or up to three
// digits after a letter. Taken out of `line`; the count returned.
int dropNoteCalls(std::string& line);

// The words (or the arrow, the dash) that send on to a couplet at the end
// of `head` ("voir le couplet", "weiter bei Nr.", "\u2192"): where they start,
// or npos.
std::size_t referenceWordsStart(std::string_view head);

// The length of the mark that ends `to` after a letter where a word was cut:
// a hyphen, or the signs OCR gives for one ("¬", "⸗"); 0 when none.
std::size_t cutMarkBefore(std::string_view to);
// A lead's lines joined. A word cut at a line end joins without its hyphen
// ("some-" and "what"); a hyphen that stands for a shortened compound keeps
// its blank ("Zwiebel- oder Knollen-", "pale- or dark-green").
void joinWrapped(std::string& to, std::string_view more);
// Words a line end cut after their own hyphen ("post-" over "temporal") where
// the text writes them with it elsewhere ("post-temporal") and never without:
// the first part moved to the start of the next line, so that joining the
// lines keeps the hyphen. The count of words moved.
int keepHyphensOfTheText(Lines& lines);
// Whether `s` starts with a letter in lower case, accented ones and the long
// s of Fraktur and the ligatures too ("über", "élargi", "ſehr", "ﬂach"): a line
// that carries a lead on.
bool lowerCaseStart(std::string_view s);
// A word cut at a line end: `to` ends with its first part and a hyphen, `more`
// starts with its rest ("some-" and "what"; not "pale-" and "or dark").
bool wordCutBefore(std::string_view to, std::string_view more);
// The words in a text still cut where a line ended ("some- what").
int wordsLeftCut(std::string_view text);

// A couplet label misread by a scan at the start of `line`, letters that
// look like digits before a stop, a bracket, a prime or a blank ("lb", "S.",
// "l'"), then a sentence: the number it stands for (its length in `size`), or -1.
int misreadLabelAt(std::string_view line, std::size_t& size);
// The digit a scan misreads as a letter ("l" or "I" for 1, "S" for 5), or 0.
char lookalikeDigit(char c);

// The book's number before a name ("18. Palmae", "9b. Naias") is no part of
// it: taken out, true when there was one. `bookNumberLength` gives its
// length with the blank after it, 0 when there is none.
std::size_t bookNumberLength(std::string_view name);
bool dropBookNumber(std::string& name);

// The book's number of a name set after a leader, at the end of a lead's
// text when the name in marks follows ("... hairy ...... 14." / "_L. alba_"):
// where the number starts, or npos.
std::size_t bookNumberAfterLeader(std::string_view text);

// A name without its plain-text emphasis marks (=x=, _x_, *x*).
std::string unmarkedName(std::string_view name);

// A cell or line that opens with a leader of dots ("........ Pluteus"):
// a destination set on a line of its own after its leader.
inline bool startsWithDots(std::string_view s) { return s.starts_with("..") || s.starts_with("\u2026"); }

// A page's number alone ("46"), or its running head with the number before
// or after it ("46 FLORA OF OHIO", "Zootaxa 4969 (2) \u00A9 2021 Magnolia
// Press \u00B7 245"): what a copy of printed pages keeps between them. Not a
// label: no stop after the number.
bool pageFurniture(std::string_view s);
// A running head with its page ("46 FLORA OF OHIO", "ROSACEAE. 143"), not a
// number alone: no lead reads so, and a scan leaves it wherever the page
// broke, between two leads or inside one.
bool pageHead(std::string_view s);

// A figure's caption: "Figure 1. ...", "Fig. 3: ...", "Abb. 2.", "Lám. 4." (a
// call in a lead's text, "Figure 6 (c)", is none).
bool figureCaption(std::string_view line);
// A figure call: "Fig. 3", "Figs 5, 6", "Abb. 2" (without its brackets).
bool figureCall(std::string_view call);
// A word that calls a figure or plate: "Fig.", "Taf.", "Plaat", "lám." (any case).
bool figureWord(std::string_view word);

}  // namespace sarvelo
