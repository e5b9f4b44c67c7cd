// The whole processing run: the phases in order, then the closing sequence.
#include "engine/engine.hpp"

namespace sarvelo {

RunResult runProcessing(LinesView working, KeyParams& p, ResultTable& table, Host& host,
                        const RunOptions& options) {
    RunResult result;
    if (!preconditionMet(p)) {
        result.outcome = RunOutcome::PreconditionFailed;
        return result;
    }
    addJoinedDeterminationSeparator(p);
    table.clearData();

    PreparedText prepared = prepareLines(working, p, host);
    buildTable(std::move(prepared), p, table, host);  // the table keeps the prepared text
    std::vector<std::string_view>().swap(prepared.lines);
    result.rowOrigin = std::move(prepared.origin);
    result.rowLast = std::move(prepared.last);

    const int lineCount = static_cast<int>(working.size());
    if (options.partialMode) {
        host.showMessage(kMsgPartialStop);
        result.outcome = RunOutcome::PartialStop;
        result.errorLines = errorLines(table, result.rowOrigin, lineCount);
        return result;
    }

    // The tree and the finished key are views of the table: their windows and
    // the command-line program build them when they show or write them.
    const std::vector<MissingTarget> missing = renumerotation(table, p, host);
    bool errors = Erreur(table);
    if (!errors) {
        // A description of blanks, tabs or ellipses only is empty once tidied:
        // its row is in error like any lead without description. Nothing else
        // changed, so the table is scanned again only then.
        if (tidyDescriptions(table)) errors = Erreur(table);
    }
    if (errors) {
        result.outcome = RunOutcome::Errors;
        host.showMessage(kMsgErrors);
    } else {
        result.outcome = RunOutcome::Success;
    }
    // A key without errors has no line to mark: its table is not walked again.
    if (errors) result.errorLines = errorLines(table, result.rowOrigin, lineCount);
    result.findings = checkKey(table, result.rowOrigin, missing, options.checks);
    return result;
}

}  // namespace sarvelo
