// Layout detection: the key parameters proposed from the text itself. The
// line starts give the numbering, the line ends the separators before
// references and determinations; the candidates are combined, tried on a
// sample with partial runs, and the best few run in full and scored. The text
// is only read: nothing here changes it or the user's parameters.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "layout/indented.hpp"

namespace sarvelo {

// --- Candidate readers ---------------------------------------------------------

// The start of one line: its label and where its description begins.
struct LineStart {
    enum class Kind { None, Digits, Letters, Mark, Bracketed };
    Kind kind = Kind::None;
    std::string label;      // the couplet number, letters, or the same-number mark
    std::string gap;        // what stands between the label and the description
    std::string pattern;    // Bracketed: the class pattern of the label ("=1=", "[a]")
    std::size_t textStart = 0;  // byte offset of the description in the line
};
LineStart readLineStart(std::string_view line);
// A trailing reference, "=>", or a clear leader before a name.
bool endsWithDestination(std::string_view line);

// Numbering: style, separator after the number, same-number mark.
struct NumberingCandidate {
    int format = 0;
    int alphabet = 2;
    bool countLetters = false;
    int maxLetters = 1;
    std::string mixte;   // Format 2: the one class pattern ...
    std::string mixte2;  // ... and its index pattern
    std::string separ1;
    std::string sameMark;
    bool operator==(const NumberingCandidate&) const = default;
};
std::vector<NumberingCandidate> numberingCandidates(const Lines& text);

// Endings: how references and determinations are introduced.
struct EndingCandidate {
    int formatRenvois = 1;
    std::string separ2;
    int carMaxi = 2;
    std::vector<std::string> determinationSeparators;
    bool operator==(const EndingCandidate&) const = default;
};
std::vector<EndingCandidate> endingCandidates(const Lines& text);

// Treatments of the lines without number (`Sans_numero`), most likely first.
std::vector<int> otherLineCandidates(const Lines& text, const KeyParams& numbering);

// The parameters of one combination, everything else at its start-up value.
// A first line that is not a lead (a title) becomes a heading.
KeyParams layoutParams(const Lines& text, const NumberingCandidate& n, const EndingCandidate& e, int sansNumero);

// --- Proposals ----------------------------------------------------------------------

struct LayoutScore {
    int errorRows = 0;
    int erreurs = 0;          // erreur-level findings
    int avertissements = 0;   // warnings
    int manyLeads = 0;        // of them, couplets of three leads or more
    int leads = 0;
    int couplets = 0;
    int pairedCouplets = 0;   // couplets of exactly two leads
    int lostText = 0;         // leads whose description starts inside their text
    int residue = 0;          // leads whose description keeps label characters
    int joinedNames = 0;      // determinations read from two lines or more
    int dropped = 0;          // lines with words inside the key that no row takes in
    int outside = 0;          // lines not of the key (after it, captions, notes, pages) a reading of the whole paste takes in
    int apart = 0;            // leads set apart from the other leads of their couplet (indented order kept)
    int regrouped = 0;        // leads a converted reading puts with leads the text numbers otherwise
    int cutNames = 0;         // names that open with a lead's words cut at a wrapped line's indentation
    long long kept = 0;       // characters of descriptions and endings
};
// True when a is the better outcome.
bool betterScore(const LayoutScore& a, const LayoutScore& b);

struct ProposalRow {
    std::string nb, texte, kind, target;
};

struct LayoutProposal {
    KeyParams params;
    bool convertsIndented = false;  // the text is an indented key, converted first
    Lines convertedText;            // the text the parameters process when not the user's own
    std::string summary;            // the layout in a few French words
    RunOutcome outcome = RunOutcome::PreconditionFailed;
    LayoutScore score;
    std::vector<ProposalRow> firstRows;
    std::size_t reading = 0;  // the table it gives, hashed: proposals differ in it
};

// What stops a text from processing: a line (from 0), its first characters
// (at most `kObstacleChars`) and the reason.
inline constexpr std::size_t kObstacleChars = 200;
struct DetectionObstacle {
    int line = -1;
    std::string text;
    std::string reason;
};

inline constexpr const char* kMsgNothingProcesses =
    "Aucune mise en page ne traite ce texte sans erreur : voir les lignes signalées";
inline constexpr const char* kMsgChecksFindErrors =
    "La meilleure mise en page traite le texte, mais les vérifications y trouvent des erreurs : voir les lignes signalées";
inline constexpr const char* kMsgEmptyText = "Le texte est vide : rien à détecter";
inline constexpr const char* kMsgNoLabels =
    "Aucune ligne ne commence par un numéro de couplet, une lettre ou une étiquette : "
    "une entrée par ligne est attendue";

struct LayoutDetection {
    std::vector<LayoutProposal> proposals;  // best first
    std::vector<DetectionObstacle> obstacles;  // of the best proposal, when it has errors
    bool processes() const;                 // the best proposal is error-free
};

inline constexpr const char* kMsgDetectionCancelled = "Détection annulée";

// What the caller of a long detection follows and stops: `progress` is told
// the runs done out of those planned; a set `cancel` stops the search at the
// next run, and the detection then holds only the message above.
struct DetectionControl {
    std::function<void(int done, int total)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

inline constexpr int kDefaultProposals = 4;
inline constexpr int kPreviewRows = 12;
LayoutDetection detectLayout(const Lines& text, int proposals = kDefaultProposals, const DetectionControl& control = {});

// Takes over the layout of a proposal: the parameters the processing reads;
// the formatting page and the hidden fields stay as they are.
void takeLayout(KeyParams& target, const KeyParams& layout);

}  // namespace sarvelo
