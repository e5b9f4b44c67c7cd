#include "interchange/formats.hpp"

#include <algorithm>
#include <array>

#include "documents/rich_text.hpp"
#include "engine/text.hpp"

#include "interchange/bare_name.hpp"
#include "interchange/html_key.hpp"
#include "interchange/keybase.hpp"
#include "interchange/printed.hpp"

namespace sarvelo::interchange {

namespace {

constexpr std::array kFormats{
    FormatInfo{ExportFormat::KeyBaseCsv, "csv", "KeyBase CSV", "csv"},
    FormatInfo{ExportFormat::KeyBaseTsv, "tsv", "KeyBase TSV (tabulations)", "tsv"},
    FormatInfo{ExportFormat::Html, "html", "Clé interactive HTML", "html"},
    FormatInfo{ExportFormat::Bracketed, "crochets", "Clé à crochets, texte", "txt"},
    FormatInfo{ExportFormat::Indented, "indentee", "Clé indentée, texte", "txt"},
    FormatInfo{ExportFormat::BracketedRtf, "crochets-rtf", "Clé à crochets, RTF", "rtf"},
    FormatInfo{ExportFormat::IndentedRtf, "indentee-rtf", "Clé indentée, RTF", "rtf"},
    FormatInfo{ExportFormat::IndentedPdf, "pdf", "Clé indentée, PDF", "pdf"},
    FormatInfo{ExportFormat::BracketedPdf, "crochets-pdf", "Clé à crochets, PDF", "pdf"},
};

}  // namespace

std::span<const FormatInfo> exportFormats() { return kFormats; }

const FormatInfo* findFormat(std::string_view name) {
    for (const FormatInfo& info : kFormats)
        if (info.name == name) return &info;
    return nullptr;
}

std::string formatNames() {
    std::string out;
    for (const FormatInfo& info : kFormats) {
        if (!out.empty()) out += ", ";
        out += info.name;
    }
    return out;
}

bool isPdf(ExportFormat format) { return format == ExportFormat::IndentedPdf || format == ExportFormat::BracketedPdf; }

KeyBuild exportedKey(const ResultTable& table, const ExportOptions& options) {
    KeyBuild build = keyFromTable(table);
    if (!build.failure && options.bareNames)
        for (Couplet& couplet : build.key.couplets)
            for (Lead& lead : couplet.leads)
                if (lead.couplet < 0 && lead.linkedKey.empty()) lead.taxon = bareName(lead.taxon);
    return build;
}

Exported exportKey(const ResultTable& table, ExportFormat format, const ExportOptions& options) {
    if (isPdf(format)) return {{}, "Le format PDF n'est pas disponible ici", {}};
    const KeyBuild build = exportedKey(table, options);
    if (build.failure) return {{}, build.failure, {}};
    if (format == ExportFormat::KeyBaseCsv || format == ExportFormat::KeyBaseTsv) {
        if (auto problem = keyBaseProblem(build.key)) return {{}, std::move(problem), {}};
        const char delimiter = format == ExportFormat::KeyBaseCsv ? ',' : '\t';
        return {keyBaseText(build.key, delimiter, options.spreadsheetSafe), {},
                keyBaseWarnings(build.key, options.spreadsheetSafe)};
    }
    const PrintedOptions printed{options.backReferences};
    switch (format) {
        case ExportFormat::KeyBaseCsv:
        case ExportFormat::KeyBaseTsv: break;
        case ExportFormat::Html: return {htmlKey(build.key, options), {}, {}};
        case ExportFormat::Bracketed: return {printedText(bracketedLayout(build.key, printed)), {}, {}};
        case ExportFormat::Indented: return {printedText(indentedLayout(build.key, printed)), {}, {}};
        case ExportFormat::BracketedRtf: return {printedRtf(bracketedLayout(build.key, printed), options.title), {}, {}};
        case ExportFormat::IndentedRtf: return {printedRtf(indentedLayout(build.key, printed), options.title), {}, {}};
        case ExportFormat::IndentedPdf:
        case ExportFormat::BracketedPdf: break;
    }
    return {};
}

}  // namespace sarvelo::interchange
