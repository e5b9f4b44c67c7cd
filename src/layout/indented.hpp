// Indented keys: a pass before the run. Keys that show their structure by
// indentation, label series (I., A., a., 1., AA.) or path numbers (1.2.1.)
// become a numbered couplet key, "1. lead ... 2" and "1. lead => Name", that
// the layout set by `setIndentedKeyLayout` processes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"

namespace sarvelo {

inline constexpr const char* kMsgNotIndented = "Aucun niveau trouvé : le texte n'est pas une clé indentée";
inline constexpr const char* kMsgAlreadyNumbered =
    "Le texte semble déjà numéroté par couplets, avec ses renvois : il n'est pas converti";
inline constexpr const char* kMsgConverted = "Clé indentée convertie : %d couplets, %d entrées";
inline constexpr const char* kMsgSetAside = "%d lignes d'en-tête laissées de côté";
inline constexpr const char* kMsgSetAsideOne = "1 ligne d'en-tête laissée de côté";
inline constexpr const char* kMsgNotes = "%d notes entre crochets laissées de côté";
inline constexpr const char* kMsgNotesOne = "1 note entre crochets laissée de côté";
inline constexpr const char* kMsgCaptions = "%d légendes de figure laissées de côté";
inline constexpr const char* kMsgCaptionsOne = "1 légende de figure laissée de côté";
inline constexpr const char* kMsgBookNumbers = "%d numéros d'espèce ou de page du livre retirés des noms";
inline constexpr const char* kMsgBookNumbersOne = "1 numéro d'espèce ou de page du livre retiré des noms";
inline constexpr const char* kMsgWithoutEnding = "%d entrées sans définition ni suite";
inline constexpr const char* kMsgWithoutEndingOne = "1 entrée sans définition ni suite";

struct IndentedKey {
    bool converted = false;  // false: the text is not an indented key
    std::string message;     // what was done, or why nothing was
    Lines lines;             // the couplet key, one lead per line
    std::vector<int> origin; // for each of its lines, the text's line its lead starts on
    int couplets = 0;
    int leads = 0;
    int setAside = 0;        // title and introduction lines left out
    int notes = 0;           // lines in square brackets left out ("[Illustration]")
    int withoutEnding = 0;   // leads with neither sub-leads nor determination
    int bookNumbers = 0;     // the book's species numbers and pages taken out of the names
    int specks = 0;          // a scan's signs alone after a lead's text or name taken out
};
// Tabs count up to the next multiple of `tabWidth` columns.
IndentedKey convertIndentedKey(const Lines& text, int tabWidth = 8);
// A description that must not hold the converted key's own separators
// ("=>", "...") keeps its words ("= >", "..").
std::string safeDescription(std::string s);
// Page marks of a transcription in a lead's text ("abwechselnden[83]
// Zwischenräume", "... astringent [59]") taken out; a figure's number in
// brackets ("(Fig. [300])") stays.
void dropPageMarks(std::string& s);
// A name as printed after its lead, without the book's number or page
// ("14. L. alba", "Lepiota, p. 77", "Name, pp. 62, 63"), emphasis marks and
// a final stop that closes no abbreviation; `numbered` tells whether a
// number or page was taken out. A number written after the name ("Mycéna
// No. 202") stays as its note ("(no. 202)").
std::string printedName(const std::string& printed, bool& numbered);
// Where the book's number starts before a name run into a lead after one
// blank ("... apically 3. Acropoditius", "... 14a. L. alba, p. 52"), or npos.
std::size_t numberedNameStart(std::string_view lead);
// A name as printed with every number and page the book sets with it kept
// as notes after it: "14. L. _alba_, p. 52" is "L. alba (no. 14) (p. 52)".
std::string notedName(const std::string& printed);
// A name run into the end of a lead after its last sentence ("... leaves in
// pairs. Pinus resinosa", "... flat. Thuja."): where it starts, or npos.
std::size_t runInNameStart(std::string_view lead);
// The primes after a label's letter or number ("A´", "a''", "B″") that start
// at `at`: how many ("″" counts two); `at` moves past them.
int primesAt(std::string_view s, std::size_t& at);
// The raised or lowered number after a label's letter ("a¹", "A₂"; "a^1",
// "A_{2}" in plain-text and wiki copies) that starts at `at`: the number, or
// 0; `at` moves past it.
int raisedNumberAt(std::string_view s, std::size_t& at);
// Where the name starts after a colon that ends a lead, the book's number
// written after it ("...: Lepióta granulósa. No. 196."), or npos.
std::size_t nameAfterColon(std::string_view lead);
// The parameters that process a converted key (everything else reset).
void setIndentedKeyLayout(KeyParams& p);

}  // namespace sarvelo
