// Table construction: every prepared line becomes a row of the result table
// (number, description, kind of ending, reference or determination), then two
// passes over the rows resolve the same-number markers, fill the references
// that point to the next row and clean the determinations.
#include <algorithm>

#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo {

namespace {

// Markers as they stand in column 0 until the marker pass replaces them.
constexpr const char* kAboveMark = "/!\\";
constexpr const char* kBelowMark = "\\!/";
constexpr const char* kSameNumber = "...";

// Number of leading repetitions of `mark` in s. Only a one-character mark is
// compared: the count goes character by character.
std::size_t leadingCount(std::string_view s, std::string_view mark) {
    if (text::length(mark) != 1) return 0;
    std::size_t m = 0;
    std::size_t at = 0;
    while (s.substr(at, mark.size()) == mark) {
        at += mark.size();
        ++m;
    }
    return m;
}

std::string numberInStyle(const KeyParams& p, std::string_view s) {
    switch (p.Format) {
        case 0: return Verifier_nb(s);
        case 1: return Verifier_nba(p, s);
        case 2: return Verifier_mixte(p, s);
        default: return {};  // hierarchical numbers are not handled
    }
}

void setSectionStart(ResultTable& table, int r, std::string heading) {
    const std::string mark = kSectionStart;
    table.cell(r, kNb) = mark;
    table.cell(r, kSource) = std::to_string(r);
    table.cell(r, kTexte).clear();
    table.cell(r, kKind) = mark;
    table.cell(r, kTarget) = std::move(heading);
}

bool contains(std::string_view s, std::string_view t) { return !t.empty() && s.find(t) != std::string_view::npos; }

// Splits one prepared line into the cells of row r.
void splitLine(std::string s, int r, const KeyParams& p, const std::string& sectionStartUpper,
               const std::string& sectionUpper, ResultTable& table) {
    std::string& nb = table.cell(r, kNb);
    std::string& kind = table.cell(r, kKind);
    std::string& target = table.cell(r, kTarget);

    if (!p.caractere.empty()) {
        const std::size_t m = leadingCount(s, p.caractere);
        if (m > 0) {
            table.cell(r, kSource) = std::to_string(m);
            text::removeFirstChars(s, m * text::length(p.caractere));
        }
    }

    if (text::startsWith(text::upper(s), "REM")) return;  // comment

    // A heading kept for its section_depart is recognised as it stands: the
    // cuts below would otherwise eat into it when it has no Separ1.
    if (!sectionStartUpper.empty() && text::startsWith(text::upper(s), sectionStartUpper)) {
        setSectionStart(table, r, std::move(s));
        return;
    }

    bool sameNumberMark = false;
    if (text::startsWith(s, kAboveMark) || text::startsWith(s, kBelowMark)) {
        if (p.Sans_numero == 1) nb = kAboveMark;
        else if (p.Sans_numero == 2) nb = kBelowMark;
    } else {
        nb = numberInStyle(p, s);
        if (nb.empty() && !p.meme_numero.empty() && text::startsWith(s, p.meme_numero)) {
            // Only the mark goes: a cut through "..." would find the dot
            // leader of the lead and take the description with it.
            nb = kSameNumber;
            s.erase(0, p.meme_numero.size());
            sameNumberMark = true;
        }
    }

    if (!sameNumberMark) text::cutThrough(s, nb);
    text::cutThrough(s, p.Separ1);

    if (kind.empty() && !sectionStartUpper.empty() && text::startsWith(text::upper(s), sectionStartUpper)) {
        setSectionStart(table, r, std::move(s));
        return;
    }

    if (kind.empty() && text::pos(sectionUpper, text::upper(s)) > 1) {
        table.cell(r, kSource) = std::to_string(r);
        table.cell(r, kTexte) = text::textBefore(s, p.section);
        const std::size_t at = text::pos(p.section, s);
        if (at > 0) text::removeFirstChars(s, at - 1);
        kind = kSectionReference;
        target = std::move(s);
        return;
    }

    if (kind.empty()) {
        for (const std::string& separator : p.Liste_separ_3) {
            if (!target.empty()) break;
            if (!contains(s, separator)) continue;
            table.cell(r, kSource) = std::to_string(r);
            table.cell(r, kTexte) = text::textBefore(s, separator);
            text::cutThrough(s, separator);
            kind = kDetermination;
            target = s;
        }
    }

    if (!kind.empty()) return;
    if (p.format_renvois == 0) {
        table.cell(r, kSource) = std::to_string(r);
        table.cell(r, kTexte) = std::move(s);
        kind = kReference;
    } else if (p.format_renvois == 1 && contains(s, p.Separ2)) {
        table.cell(r, kTexte) = text::textBefore(s, p.Separ2);
        text::cutThrough(s, p.Separ2);
        std::string cleaned = text::referenceCleanup(s);
        table.cell(r, kSource) = std::to_string(r);
        if (text::length(cleaned) > static_cast<std::size_t>(std::max(p.Car_maxi, 0))) {
            kind = kDetermination;
            target = std::move(s);
        } else {
            kind = kReference;
            target = std::move(cleaned);
        }
    }
}

// Same-number markers take the number of a neighbouring row. Going downwards,
// a run of "/!\" all receive the number above the run.
void markerPass(ResultTable& table, const KeyParams& p) {
    const int n = table.dataRows();
    for (int r = 1; r <= n; ++r) {
        std::string& nb = table.cell(r, kNb);
        if (nb == kAboveMark) nb = table.cell(r - 1, kNb);  // row 1 takes the header
        if (nb == kBelowMark) nb = table.cellOrEmpty(r + 1, kNb);
        if (nb == kSameNumber) nb = p.suivant == 0 ? table.cellOrEmpty(r + 1, kNb) : table.cell(r - 1, kNb);
    }
}

void cleanDetermination(std::string& d) {
    text::removeAll(d, "..");
    text::removeAll(d, "\u2026");
    text::removeAll(d, ". .");
    text::trimStart(d, " ");
    text::removeAll(d, "-");
    text::removeAll(d, "\t");
    // Dots go in pairs above: an odd dot leader would leave one behind.
    text::trimStart(d, ".");
    text::trimStart(d, " ");
}

void nextRowPass(ResultTable& table, Host& host) {
    const int n = table.dataRows();
    for (int r = 1; r <= n; ++r) {
        std::string& target = table.cell(r, kTarget);
        if (table.cell(r, kKind) == kDetermination) {
            cleanDetermination(target);
            host.letEventsThrough();
        }
        if (target.empty()) target = table.cellOrEmpty(r + 1, kNb);
    }
}

}  // namespace

void buildTable(const PreparedText& prepared, const KeyParams& p, ResultTable& table, Host& host) {
    const int n = static_cast<int>(prepared.lines.size());
    table.setRowCount(n + 1);
    table.setColumnCount(ResultTable::kShownColumns);
    for (int r = 1; r <= n; ++r)
        for (int c = kNb; c <= kTarget; ++c) table.cell(r, c).clear();

    const std::string sectionStartUpper = text::upper(p.section_depart);
    const std::string sectionUpper = text::upper(p.section);

    host.setProgressMaximum(std::max(n - 1, 0));
    for (int k = 0; k < n; ++k) {
        host.setProgress(k);
        splitLine(prepared.lines[k], k + 1, p, sectionStartUpper, sectionUpper, table);
    }
    host.setProgress(0);

    markerPass(table, p);
    nextRowPass(table, host);
}

void tidyDescriptions(ResultTable& table) {
    const int n = table.dataRows();
    for (int r = 1; r <= n; ++r) {
        std::string& t = table.cell(r, kTexte);
        if (t.empty()) continue;
        text::trimStart(t, " ");
        text::trimEnd(t, " ");
        text::removeAll(t, "\t");
        text::trimStart(t, " ");
        // Runs of spaces shrink to one.
        std::string single;
        single.reserve(t.size());
        for (char c : t)
            if (c != ' ' || single.empty() || single.back() != ' ') single.push_back(c);
        t = std::move(single);
        text::removeAll(t, "\u2026");
        text::trimStart(t, ".");
        text::trimEnd(t, "..");
    }
}

}  // namespace sarvelo
