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
};

// A printed layout as RTF: one paragraph per line, the leading spaces of the
// indented layout turned into a left indent (two spaces a level, a level
// 360 twips), so that a word processor keeps the nesting when lines wrap.
std::string printedRtf(const std::string& plain) {
    RichText rich;
    for (const std::string& line : text::splitLines(plain)) {
        const std::size_t spaces = std::min(line.find_first_not_of(' '), line.size());
        Paragraph& p = rich.paragraphs.emplace_back();
        p.leftIndent = static_cast<int>(spaces / 2) * 360;
        p.append(std::string_view(line).substr(spaces), {});
    }
    return writeRtf(rich);
}

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

Exported exportKey(const ResultTable& table, ExportFormat format, const std::string& title,
                   const ExportOptions& options) {
    KeyBuild build = keyFromTable(table);
    if (build.failure) return {{}, build.failure, {}};
    if (options.bareNames)
        for (Couplet& couplet : build.key.couplets)
            for (Lead& lead : couplet.leads)
                if (lead.couplet < 0 && lead.linkedKey.empty()) lead.taxon = bareName(lead.taxon);
    if (format == ExportFormat::KeyBaseCsv || format == ExportFormat::KeyBaseTsv) {
        if (auto problem = keyBaseProblem(build.key)) return {{}, std::move(problem), {}};
        const char delimiter = format == ExportFormat::KeyBaseCsv ? ',' : '\t';
        return {keyBaseText(build.key, delimiter, options.spreadsheetSafe), {},
                keyBaseWarnings(build.key, options.spreadsheetSafe)};
    }
    switch (format) {
        case ExportFormat::KeyBaseCsv:
        case ExportFormat::KeyBaseTsv: break;
        case ExportFormat::Html: return {htmlKey(build.key, title), {}, {}};
        case ExportFormat::Bracketed: return {bracketedKey(build.key), {}, {}};
        case ExportFormat::Indented: return {indentedKey(build.key), {}, {}};
        case ExportFormat::BracketedRtf: return {printedRtf(bracketedKey(build.key)), {}, {}};
        case ExportFormat::IndentedRtf: return {printedRtf(indentedKey(build.key)), {}, {}};
    }
    return {};
}

}  // namespace sarvelo::interchange
