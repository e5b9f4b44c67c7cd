// Table construction: every prepared line becomes a row of the result table
// (number, description, kind of ending, reference or determination); the rows
// then get the numbers their same-number markers stand for, references to the
// next row and cleaned determinations.
#include <algorithm>
#include <utility>

#include "engine/engine.hpp"
#include "engine/separator_index.hpp"
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

// Puts the parts of a prepared line in its row's cells: views of the line
// when the table keeps the prepared text, else copies.
struct LineParts {
    ResultTable& table;
    bool views;
    void put(int r, int column, std::string_view part) const {
        if (views) table.share(r, column, part);
        else table.cell(r, column) = part;
    }
};

void setSectionStart(ResultTable& table, int r, std::string_view heading, const LineParts& parts) {
    table.share(r, kNb, kSectionStart);
    table.cell(r, kSource) = std::to_string(r);
    table.cell(r, kTexte).clear();
    table.share(r, kKind, kSectionStart);
    parts.put(r, kTarget, heading);
}

// `text::textBefore` as a view: the cell takes it without a string in between
// (and keeps its room from a run before).
std::string_view before(std::string_view s, std::string_view t) {
    if (t.empty()) return {};
    const auto at = s.find(t);
    return at == std::string_view::npos ? std::string_view{} : s.substr(0, at);
}

// True when the upper-case form of s begins with `prefixUpper` (already upper
// case and not empty).
bool beginsWithUpper(std::string_view s, std::string_view prefixUpper) {
    return !prefixUpper.empty() && text::startsWithUpper(s, prefixUpper);
}

// Splits one prepared line into the cells of row r. The cuts move the start
// of a view: the line is copied only into the cells it fills.
void splitLine(std::string_view s, int r, const KeyParams& p, const std::string& sectionStartUpper,
               const std::string& sectionUpper, const SeparatorIndex& separators, ResultTable& table,
               const LineParts& parts) {
    CellRef nb = table.cell(r, kNb);
    CellRef kind = table.cell(r, kKind);
    CellRef target = table.cell(r, kTarget);

    if (!p.caractere.empty()) {
        const std::size_t m = leadingCount(s, p.caractere);
        if (m > 0) {
            table.cell(r, kSource) = std::to_string(m);
            s.remove_prefix(text::byteOffsetOfChar(s, m * text::length(p.caractere)));
        }
    }

    if (beginsWithUpper(s, "REM")) return;  // comment

    // A heading kept for its section_depart is recognised as it stands: the
    // cuts below would otherwise eat into it when it has no Separ1.
    if (beginsWithUpper(s, sectionStartUpper)) {
        setSectionStart(table, r, s, parts);
        return;
    }

    bool sameNumberMark = false;
    if (text::startsWith(s, kAboveMark) || text::startsWith(s, kBelowMark)) {
        if (p.Sans_numero == 1) table.share(r, kNb, kAboveMark);
        else if (p.Sans_numero == 2) table.share(r, kNb, kBelowMark);
    } else {
        // Hierarchical numbers (and no style chosen) are not handled.
        if (p.Format >= 0 && p.Format <= 2) nb = numberOf(p, s);
        if (nb.empty() && !p.meme_numero.empty() && text::startsWith(s, p.meme_numero)) {
            // Only the mark goes: a cut through "..." would find the dot
            // leader of the lead and take the description with it.
            table.share(r, kNb, kSameNumber);
            s.remove_prefix(p.meme_numero.size());
            sameNumberMark = true;
        }
    }

    if (!sameNumberMark) text::cutThrough(s, nb);
    text::cutThrough(s, p.Separ1);

    if (kind.empty() && beginsWithUpper(s, sectionStartUpper)) {
        setSectionStart(table, r, s, parts);
        return;
    }

    if (kind.empty() && !sectionUpper.empty() && text::pos(sectionUpper, text::upper(s)) > 1) {
        table.cell(r, kSource) = std::to_string(r);
        parts.put(r, kTexte, before(s, p.section));
        const std::size_t at = text::pos(p.section, s);
        if (at > 0) s.remove_prefix(text::byteOffsetOfChar(s, at - 1));
        table.share(r, kKind, kSectionReference);
        parts.put(r, kTarget, s);
        return;
    }

    // The first separator in list order that occurs, wherever it stands.
    if (kind.empty() && target.empty()) {
        if (const auto found = separators.firstInList(s)) {
            const std::string& separator = p.Liste_separ_3[*found];
            table.cell(r, kSource) = std::to_string(r);
            parts.put(r, kTexte, before(s, separator));
            text::cutThrough(s, separator);
            table.share(r, kKind, kDetermination);
            parts.put(r, kTarget, s);
            return;
        }
    }

    if (!kind.empty()) return;
    if (p.format_renvois == 0) {
        table.cell(r, kSource) = std::to_string(r);
        parts.put(r, kTexte, s);
        table.share(r, kKind, kReference);
    } else if (const std::size_t at = p.format_renvois == 1 && !p.Separ2.empty() ? s.find(p.Separ2) : s.npos;
               at != s.npos) {
        // One search: the description ends and the reference starts there.
        parts.put(r, kTexte, s.substr(0, at));
        text::cutThroughAt(s, p.Separ2, at);
        std::string cleaned = text::referenceCleanup(std::string(s));
        table.cell(r, kSource) = std::to_string(r);
        if (text::length(cleaned) > static_cast<std::size_t>(std::max(p.Car_maxi, 0))) {
            table.share(r, kKind, kDetermination);
            parts.put(r, kTarget, s);
        } else {
            table.share(r, kKind, kReference);
            target = cleaned;
        }
    }
}

// Same-number markers take the number of a neighbouring row: the row above
// as already resolved, the row below as split. Going downwards, a run of
// "/!\" all receive the number above the run.
void resolveMarker(ResultTable& table, int r, const KeyParams& p) {
    // The neighbour's number is shared, not copied.
    const auto is = [&table, r](std::string_view mark) { return std::as_const(table).cell(r, kNb) == mark; };
    if (is(kAboveMark)) table.share(r, kNb, std::as_const(table).cell(r - 1, kNb));  // row 1 takes the header
    if (is(kBelowMark)) table.share(r, kNb, table.cellOrEmpty(r + 1, kNb));
    if (is(kSameNumber))
        table.share(r, kNb, p.suivant == 0 ? table.cellOrEmpty(r + 1, kNb) : std::as_const(table).cell(r - 1, kNb));
}

void cleanDetermination(std::string& d) {
    text::removeAll(d, "..");
    text::removeAll(d, "\u2026");
    text::removeAll(d, ". .");
    text::trimStart(d, " ");
    // A hyphen inside a name is part of it ("Arctostaphylos uva-ursi").
    text::removeDashesOutsideWords(d);
    text::removeAll(d, "\t");
    // Dots go in pairs above: an odd dot leader would leave one behind.
    text::trimStart(d, ".");
    text::trimStart(d, " ");
}

// Whether cleaning would leave the determination as it is: nothing it
// removes (dots, "…", dashes, tabs, a leading space) is in it. Most names
// are so, and keep their text without a copy.
bool alreadyClean(std::string_view d) {
    if (!d.empty() && d.front() == ' ') return false;
    for (const char c : d)
        if (c == '.' || c == '-' || c == '\t' || c == '\xE2') return false;
    return true;
}

// Cleans a determination (in `scratch`, written back only when it changes),
// then gives a row without target the number of the row below, once that
// row's marker is resolved.
void fillFromNextRow(ResultTable& table, int r, std::string& scratch, Host& host) {
    const std::string_view target = std::as_const(table).cell(r, kTarget);
    if (std::as_const(table).cell(r, kKind) == kDetermination) {
        if (!alreadyClean(target)) {
            scratch.assign(target);
            cleanDetermination(scratch);
            if (scratch != target) table.cell(r, kTarget) = scratch;
        }
        host.letEventsThrough();
    }
    if (std::as_const(table).cell(r, kTarget).empty()) table.share(r, kTarget, table.cellOrEmpty(r + 1, kNb));
}

// With `text`, the lines are views of it: the table takes it over first, so
// that its cells never outlive the text they show.
void buildRows(const std::vector<std::string_view>& lines, TextArena* text, const KeyParams& p, ResultTable& table,
               Host& host) {
    // A table filled again starts from an empty arena.
    table.clearData();
    if (text) table.adoptTexts(std::move(*text));
    const LineParts parts{table, text != nullptr};
    const int n = static_cast<int>(lines.size());
    table.setRowCount(n + 1);
    table.setColumnCount(ResultTable::kShownColumns);

    const std::string sectionStartUpper = text::upper(p.section_depart);
    const std::string sectionUpper = text::upper(p.section);
    const SeparatorIndex separators(p.Liste_separ_3);
    std::string scratch;

    // One sweep down the table: the marker of a row is resolved once the row
    // below is split, and its target filled once the row below is resolved.
    // Each step sees exactly what it would see in three separate passes, and
    // a long key is walked through once instead of three times.
    host.setProgressMaximum(std::max(n - 1, 0));
    for (int k = 0; k < n; ++k) {
        host.setProgress(k);
        const int r = k + 1;
        for (int c = kNb; c <= kTarget; ++c) table.cell(r, c).clear();
        splitLine(lines[k], r, p, sectionStartUpper, sectionUpper, separators, table, parts);
        if (r >= 2) resolveMarker(table, r - 1, p);
        if (r >= 3) fillFromNextRow(table, r - 2, scratch, host);
    }
    host.setProgress(0);
    if (n >= 1) resolveMarker(table, n, p);
    for (int r = std::max(n - 1, 1); r <= n; ++r) fillFromNextRow(table, r, scratch, host);
}

}  // namespace

void buildTable(const PreparedText& prepared, const KeyParams& p, ResultTable& table, Host& host) {
    buildRows(prepared.lines, nullptr, p, table, host);
}

void buildTable(PreparedText&& prepared, const KeyParams& p, ResultTable& table, Host& host) {
    buildRows(prepared.lines, &prepared.text, p, table, host);
}

namespace {

// A description the tidying leaves as it is once trimmed of spaces: no dot
// at either end, no tab, no two spaces together and no byte that may start
// "…". Most descriptions are, and one look at them spares the passes below.
bool alreadyTidy(std::string_view t) {
    if (t.front() == '.' || t.back() == '.') return false;
    char before = 0;
    for (const char c : t) {
        if (c == '\t' || c == '\xE2' || (c == ' ' && before == ' ')) return false;
        before = c;
    }
    return true;
}

}  // namespace

bool tidyDescriptions(ResultTable& table) {
    const int n = table.dataRows();
    bool emptied = false;
    std::string t;
    for (int r = 1; r <= n; ++r) {
        std::string_view cell = std::as_const(table).cell(r, kTexte);
        if (cell.empty()) continue;
        // Trimmed, a description is a part of its own text: the cell shows
        // that part, without a copy.
        const auto first = cell.find_first_not_of(' ');
        cell = first == std::string_view::npos ? std::string_view{} : cell.substr(first, cell.find_last_not_of(' ') - first + 1);
        if (cell.empty() || alreadyTidy(cell)) {
            table.share(r, kTexte, cell);
            emptied = emptied || cell.empty();
            continue;
        }
        t.assign(cell);
        text::removeAll(t, "\t");
        text::trimStart(t, " ");
        // Runs of spaces shrink to one, in place.
        std::size_t kept = 0;
        for (const char c : t)
            if (c != ' ' || kept == 0 || t[kept - 1] != ' ') t[kept++] = c;
        t.resize(kept);
        text::removeAll(t, "\u2026");
        text::trimStart(t, ".");
        text::trimEnd(t, "..");
        table.cell(r, kTexte) = t;
        emptied = emptied || t.empty();
    }
    return emptied;
}

}  // namespace sarvelo
