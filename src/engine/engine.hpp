// The processing run, phase by phase. A run turns the working text (a list of
// lines) into the result table, renumbers it and scans it for errors. The
// views of the result (the tree, the finished key) are built from the table
// by whoever shows or writes them.
#pragma once

#include <string>
#include <vector>

#include "engine/host.hpp"
#include "engine/parameters.hpp"
#include "engine/recognition.hpp"
#include "engine/table.hpp"
#include "engine/text_lines.hpp"

namespace sarvelo {

using Lines = std::vector<std::string>;

// Messages of the run, shown by whoever runs it.
inline constexpr const char* kMsgNoSeparator = "Liste de séparateur pour définition vide";
inline constexpr const char* kMsgPartialStop =
    "La procédure de traitement a été stoppée à ce niveau pour chercher les erreurs\n"
    "Aller dans Options et décocher le Mode partiel avant de relancer le traitement";
inline constexpr const char* kMsgErrors = "Il y a des erreurs, voir dans le tableau";
inline constexpr const char* kNestedTitle = "Confirmation";
inline constexpr const char* kNestedQuestion = "La clé semble récursive ?";

// Markers written by the preparation and read by the table construction.
inline constexpr const char* kSameAsAbove = "/!\\ ";
inline constexpr const char* kSameAsBelow = "\\!/ ";
inline constexpr const char* kComment = "REM ";
inline constexpr const char* kJoinedDetermination = " => ";

// The working text after preparation: one entry per prepared line, a view of
// `text`, with the indices (from 0) of the user's lines it starts and ends on.
struct PreparedText {
    TextArena text;
    std::vector<std::string_view> lines;
    std::vector<int> origin;
    std::vector<int> last;
    Lines texts() const { return Lines(lines.begin(), lines.end()); }
};

// --- Preparation (preparation.cpp) -----------------------------------------
// Precondition: at least one determination separator.
bool preconditionMet(const KeyParams& p);
// With Sans_numero 4, "=>" joins determinations: make sure it is a separator.
void addJoinedDeterminationSeparator(KeyParams& p);
// The backward pass: joins, deletes and marks lines, bottom to top.
PreparedText prepareLines(LinesView working, const KeyParams& p, Host& host);
inline PreparedText prepareLines(const Lines& working, const KeyParams& p, Host& host) {
    return prepareLines(LinesView(working), p, host);
}

// --- Table construction (construction.cpp) ---------------------------------
// Per-line pass, marker pass and next-row pass; the table gets one row per
// prepared line.
void buildTable(const PreparedText& prepared, const KeyParams& p, ResultTable& table, Host& host);
// The same, the table taking over the prepared text: its cells are views of
// it, and only the texts a phase rewrites are stored anew.
void buildTable(PreparedText&& prepared, const KeyParams& p, ResultTable& table, Host& host);
// Tidies every non-empty description (only after an error-free scan); true
// when one of them tidies to nothing.
bool tidyDescriptions(ResultTable& table);

// --- Renumbering (renumbering.cpp) ------------------------------------------
// A reference to a label that no row carries: the table keeps its old text,
// which may read as the new number of another couplet.
struct MissingTarget {
    int row;            // table row of the reference
    std::string label;  // the label it named
};
// Couplets 1, 2, 3 in order of first appearance, references rewritten; may ask
// the nested-key question through the host. Section starts keep their "S".
// Returns the references that found no couplet.
std::vector<MissingTarget> renumerotation(ResultTable& table, const KeyParams& p, Host& host);

// --- Error scan (errors.cpp) -------------------------------------------------
// True when a data row is in error; hides the working columns.
bool Erreur(ResultTable& table);
bool rowInError(const ResultTable& table, int row);
// The user's lines (0-based) to paint red: one per row in error, found
// through the origin of the row's prepared line.
std::vector<int> errorLines(const ResultTable& table, const std::vector<int>& rowOrigin, int lineCount);
// The same rows located by the number in the hidden column 1 (the prepared
// row, or the row above plus one): right only while no line was joined or
// deleted by the preparation; kept for comparison with the rule above.
std::vector<int> errorLinesFromColumn1(const ResultTable& table, int lineCount);

// --- Key checks (checks.cpp) -------------------------------------------------
// What the error scan does not see: references to missing couplets, couplets
// out of reach or in loops, couplets of one lead, leads without ending, and
// warnings on what is often a slip. Linear in the number of rows.
enum class FindingLevel { Erreur, Avertissement };
enum class FindingKind {
    RowInError,               // a row the error scan counts
    MissingCouplet,           // reference to a couplet that does not exist
    UnreachableCouplet,       // no path from the first couplet
    Loop,                     // following references comes back
    SingleLead,               // couplet with one lead
    NoEnding,                 // lead with neither reference nor determination
    ManyLeads,                // three leads or more
    SameDestination,          // two leads of a couplet going to the same place
    SameText,                 // two leads of a couplet with the same text
    ScatteredLeads,           // leads of a couplet interleaved with other couplets
    NumberLikeDetermination,  // a determination that reads as a number or page
    RepeatedTaxon,            // one determination reached from several couplets
    SharedCouplet,            // a couplet reached from several couplets (a reticulation)
    NoReference,              // no lead refers to another couplet
};

struct Finding {
    FindingLevel level = FindingLevel::Erreur;
    FindingKind kind = FindingKind::RowInError;
    std::string couplet;  // empty for the whole key
    int row = 0;          // table row, 0 for the whole key
    int line = -1;        // the user's line (0-based), -1 when unknown
    std::string text;     // what is wrong, in French
    std::vector<std::string> couplets;  // a loop: its couplets in order; a part out of reach: its couplets
};

FindingLevel levelOf(FindingKind kind);
const char* levelName(FindingLevel level);  // "erreur", "avertissement"
const char* kindCaption(FindingKind kind);   // French, for people
const char* kindCode(FindingKind kind);      // stable, for scripts

struct CheckOptions {
    // The name the user knows each couplet number by (a label of the file a
    // key was read from), index = number; empty entries keep the number.
    const std::vector<std::string>* coupletLabels = nullptr;
    // One finding per taxon reached from several couplets, instead of one
    // line for them all.
    bool everyRepeatedTaxon = false;
};

// Findings over the renumbered table, in row order (the whole key first).
// `rowOrigin` gives the user's line of each data row; `missing` what the
// renumbering could not resolve.
std::vector<Finding> checkKey(const ResultTable& table, const std::vector<int>& rowOrigin,
                              const std::vector<MissingTarget>& missing, const CheckOptions& options = {});
bool hasErreur(const std::vector<Finding>& findings);

// --- The whole run (run.cpp) --------------------------------------------------
enum class RunOutcome { PreconditionFailed, PartialStop, Errors, Success };

struct RunOptions {
    bool partialMode = false;  // Mode_partiel: stop after the table
    CheckOptions checks;
};

struct RunResult {
    RunOutcome outcome = RunOutcome::PreconditionFailed;
    std::vector<int> rowOrigin;   // per data row (index r-1): the user's line
    std::vector<int> rowLast;     // per data row: the last user's line joined into it
    std::vector<int> errorLines;  // user's lines (0-based) in error
    std::vector<Finding> findings;  // after a renumbered run
};

// Runs every phase on the working text. The working text itself is never
// changed (the prepared lines live only during the run). Messages go through
// the host, except the precondition failure, which the caller reports with
// its page change.
RunResult runProcessing(LinesView working, KeyParams& p, ResultTable& table, Host& host,
                        const RunOptions& options = {});
inline RunResult runProcessing(const Lines& working, KeyParams& p, ResultTable& table, Host& host,
                               const RunOptions& options = {}) {
    return runProcessing(LinesView(working), p, table, host, options);
}

}  // namespace sarvelo
