#include "review/findings_report.hpp"

#include <algorithm>

namespace sarvelo {

namespace {

std::string counted(long count, const char* one, const char* none) {
    if (count == 0) return none;
    return std::to_string(count) + " " + one + (count > 1 ? "s" : "");
}

// Tabs and line breaks inside a cell would break the columns.
std::string cellText(const std::string& s) {
    std::string out = s;
    std::replace(out.begin(), out.end(), '\t', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

}  // namespace

std::string findingLine(const Finding& f) {
    std::string out = levelName(f.level);
    std::string where;
    if (f.line >= 0) where = "ligne " + std::to_string(f.line + 1);
    if (f.row > 0) {
        std::string place = "rang " + std::to_string(f.row);
        if (!f.couplet.empty()) place += ", couplet " + f.couplet;
        where = where.empty() ? place : where + " (" + place + ")";
    }
    if (where.empty()) where = "clé entière";
    return out + " : " + where + " : " + kindCaption(f.kind) + " : " + f.text;
}

std::string findingsSummary(const std::vector<Finding>& findings) {
    const long errors = std::count_if(findings.begin(), findings.end(),
                                      [](const Finding& f) { return f.level == FindingLevel::Erreur; });
    const long warnings = static_cast<long>(findings.size()) - errors;
    return counted(errors, "erreur", "aucune erreur") + ", " + counted(warnings, "avertissement", "aucun avertissement");
}

std::vector<std::string> findingsReport(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    lines.reserve(findings.size() + 1);
    lines.push_back("Vérification de la clé : " + findingsSummary(findings));
    for (const Finding& f : findings) lines.push_back(findingLine(f));
    return lines;
}

std::vector<std::string> findingsTsv(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    lines.reserve(findings.size() + 1);
    lines.emplace_back("niveau\tgenre\tcouplet\trang\tligne\ttexte");
    for (const Finding& f : findings)
        lines.push_back(std::string(levelName(f.level)) + '\t' + kindCode(f.kind) + '\t' + cellText(f.couplet) + '\t' +
                        (f.row > 0 ? std::to_string(f.row) : "") + '\t' + (f.line >= 0 ? std::to_string(f.line + 1) : "") +
                        '\t' + cellText(f.text));
    return lines;
}

}  // namespace sarvelo
