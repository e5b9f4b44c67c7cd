// The whole processing run: the phases in order, then the closing sequence.
#include "engine/engine.hpp"

namespace sarvelo {

RunResult runProcessing(const Lines& working, KeyParams& p, ResultTable& table, Host& host,
                        const RunOptions& options) {
    RunResult result;
    if (!preconditionMet(p)) {
        result.outcome = RunOutcome::PreconditionFailed;
        return result;
    }
    addJoinedDeterminationSeparator(p);
    table.clearData();

    PreparedText prepared = prepareLines(working, p, host);
    buildTable(prepared, p, table, host);
    result.rowOrigin = std::move(prepared.origin);

    const int lineCount = static_cast<int>(working.size());
    if (options.partialMode) {
        host.showMessage(kMsgPartialStop);
        result.outcome = RunOutcome::PartialStop;
        result.errorLines = errorLines(table, result.rowOrigin, lineCount);
        return result;
    }

    // The finished key is a view of the table: its window and the command-line
    // program write it from the table when they show or save it.
    const std::vector<MissingTarget> missing = renumerotation(table, p, host);
    if (Erreur(table)) {
        result.outcome = RunOutcome::Errors;
        result.tree = buildTree(table);
        host.showMessage(kMsgErrors);
    } else {
        result.outcome = RunOutcome::Success;
        tidyDescriptions(table);
        result.tree = buildTree(table);
    }
    result.errorLines = errorLines(table, result.rowOrigin, lineCount);
    result.findings = checkKey(table, result.rowOrigin, missing);
    return result;
}

}  // namespace sarvelo
