#include "interchange/formats.hpp"

#include <array>

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

Exported exportKey(const ResultTable& table, ExportFormat format, const std::string& title) {
    KeyBuild build = keyFromTable(table);
    if (build.failure) return {{}, build.failure};
    if (format == ExportFormat::KeyBaseCsv || format == ExportFormat::KeyBaseTsv)
        if (auto problem = keyBaseProblem(build.key)) return {{}, std::move(problem)};
    switch (format) {
        case ExportFormat::KeyBaseCsv: return {keyBaseText(build.key, ','), {}};
        case ExportFormat::KeyBaseTsv: return {keyBaseText(build.key, '\t'), {}};
        case ExportFormat::Html: return {htmlKey(build.key, title), {}};
        case ExportFormat::Bracketed: return {bracketedKey(build.key), {}};
        case ExportFormat::Indented: return {indentedKey(build.key), {}};
    }
    return {};
}

}  // namespace sarvelo::interchange
