// A KeyBase file of any content: read as a key, processed with the parameters
// the import gives, exported to every format when the run is clean, and the
// KeyBase export read and processed again, which must give the same file.
// Rows are counted on the way: every lead read is a row of the export.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "engine/engine.hpp"
#include "interchange/formats.hpp"
#include "interchange/keybase.hpp"

namespace {

struct Processed {
    sarvelo::ResultTable table;
    sarvelo::RunOutcome outcome = sarvelo::RunOutcome::PreconditionFailed;
    std::size_t leads = 0;  // lines of the working text that are leads, not headings
    bool checked = false;   // no finding of the checks is an error
};

Processed processImport(const std::string& text) {
    using namespace sarvelo;
    Processed out;
    const interchange::ImportedKey imported = interchange::importKeyBase(text);
    if (imported.error) return out;
    for (const std::string& line : imported.text) out.leads += !line.starts_with(interchange::kLinkedKeyPrefix);
    KeyParams p;
    if (applyConfiguration(p, imported.configuration)) std::abort();  // the import writes valid entries
    Host host;
    const RunResult result = runProcessing(imported.text, p, out.table, host);
    out.outcome = result.outcome;
    out.checked = !hasErreur(result.findings);
    return out;
}

// The KeyBase export of the key processed from a KeyBase file; empty when the
// run is not clean or its table is no exportable key.
std::string keyBaseExport(const std::string& file) {
    using namespace sarvelo;
    const Processed processed = processImport(file);
    if (processed.outcome != RunOutcome::Success) return {};
    std::string csv;
    for (const auto& info : interchange::exportFormats()) {
        interchange::Exported exported = interchange::exportKey(processed.table, info.format, "Titre");
        // A taxon holding ":", "|" or "{" reads back as a shortcut or a marker:
        // the export warns, and such a file is no round trip.
        if (info.format == interchange::ExportFormat::KeyBaseCsv && exported.warnings.empty())
            csv = std::move(exported.bytes);
    }
    // The header, then one line per lead: no field holds a line break.
    if (!csv.empty() && processed.checked && static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) != processed.leads + 1)
        std::abort();
    return csv;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = sarvelo::decodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    // Reading a file may tidy it (spaces, doubtful rows), and the run's clean-up
    // of determinations may leave what reading tidies again (the two blanks of
    // a removed " - "); after that, the way through the processing and back to
    // a file changes nothing, and an exported key always reads back.
    const std::string once = keyBaseExport(input);
    if (once.empty()) return 0;
    const std::string twice = keyBaseExport(once);
    if (twice.empty() || keyBaseExport(twice) != twice) std::abort();
    return 0;
}
