// A numbered key in indented order, read by its order alone. One walk down
// the lines with a stack of the couplets still open: a new number opens a
// couplet that the lead before leads to; a number already open gives that
// couplet its next lead and closes the couplets opened since; a number
// already closed, or a new couplet after a lead that has its name, ends the
// key. A lead followed by another lead of an open couplet must end in a name:
// on its line after a leader, or on the last line under it.
#include "layout/ordered.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <utility>

#include "engine/text.hpp"
#include "layout/detection.hpp"
#include "layout/indented.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

// The primes after a label's number: 2 for "1''" and "1″", 1 for "1'".
int primesOf(std::string_view gap) {
    int n = 0;
    for (std::size_t at = 0; at < gap.size();)
        if (const int primes = primesAt(gap, at); primes > 0) n += primes;
        else ++at;
    return n;
}

// A page mark before a line's label ("[162] 2'' ..."): the line without it.
std::string_view withoutPageMark(std::string_view line) {
    if (line.size() < 4 || line[0] != '[') return line;
    std::size_t at = 1;
    while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]))) ++at;
    if (at == 1 || at > 6 || at + 1 >= line.size() || line[at] != ']' || line[at + 1] != ' ') return line;
    ++at;
    while (at < line.size() && line[at] == ' ') ++at;
    return line.substr(at);
}

// The couplet number that starts a lead ("2.", "2′.", "1''"), before a
// word that starts a sentence; -1 otherwise. In a key that primes its first
// leads too ("1''" / "1'"), a number without primes is a heading's or the
// book's ("125. Gattung: Oxyporus"), not a lead's.
int leadNumber(const std::string& line, std::size_t& textStart, bool primedKey = false) {
    const LineStart ls = readLineStart(line);
    if (ls.kind != LineStart::Kind::Digits || ls.label.size() > 4 || ls.textStart >= line.size()) return -1;
    // "1 pair of ..." goes on from a line cut; a number with its stop before
    // a word in lower case is a lead's whose text the book starts so ("4.
    // tail pattern ...").
    if (lowerCaseStart(std::string_view(line).substr(ls.textStart)) && !ls.gap.starts_with('.')) return -1;
    if (primedKey && primesOf(ls.gap) == 0) return -1;
    textStart = ls.textStart;
    return std::stoi(ls.label);
}

// A figure's caption set between the leads ("• Fg. 54. K. von Oxyporus.",
// "Fig. 3. Wing"): no part of a lead.
bool isCaption(std::string_view line) {
    if (line.compare(0, 3, "\u2022") == 0) line.remove_prefix(3);
    while (!line.empty() && line[0] == ' ') line.remove_prefix(1);
    for (std::string_view word : {"Fig. ", "Fg. ", "Figure ", "Figura ", "Abb. ", "Taf. "})
        if (line.size() > word.size() && line.compare(0, word.size(), word) == 0 &&
            std::isdigit(static_cast<unsigned char>(line[word.size()])))
            return true;
    return false;
}

// A name alone on its line: a few words, no heading (ending in a colon).
bool nameShaped(const std::string& s) {
    return !s.empty() && s.back() != ':' && s.find(": ") == std::string::npos &&
           std::count(s.begin(), s.end(), ' ') <= 9;
}

// The first two words of a text, without marks and the punctuation after them.
std::pair<std::string, std::string> firstTwoWords(std::string_view s) {
    std::string words[2];
    std::size_t at = 0;
    for (std::string& w : words) {
        while (at < s.size() && (s[at] == ' ' || s[at] == '_' || s[at] == '=' || s[at] == '*')) ++at;
        const std::size_t from = at;
        while (at < s.size() && s[at] != ' ') ++at;
        w = s.substr(from, at - from);
        while (!w.empty() && (w.back() == '_' || w.back() == '=' || w.back() == '*' || w.back() == ',')) w.pop_back();
    }
    return {words[0], words[1]};
}

// The binomials a key determines, as "Genus epithet" and, for a genus
// abbreviated ("C. fasciola"), as its initial and epithet.
struct DeterminedNames {
    std::set<std::pair<std::string, std::string>> whole, abbreviated;
    void add(std::string_view name) {
        auto [genus, epithet] = firstTwoWords(name);
        if (genus.empty() || epithet.empty()) return;
        if (genus.size() == 2 && genus.back() == '.') abbreviated.insert({genus.substr(0, 1), std::move(epithet)});
        else whole.insert({std::move(genus), std::move(epithet)});
    }
    // A text that starts with one of them ("Campylocentrum fasciola (Lindl.)
    // Cogn." for "C. fasciola"): the heading of that species' account after
    // the key, not a lead.
    bool startsText(std::string_view text) const {
        auto [genus, epithet] = firstTwoWords(text);
        if (genus.empty() || epithet.empty() || !std::isupper(static_cast<unsigned char>(genus.front())) ||
            !std::islower(static_cast<unsigned char>(epithet.front())))
            return false;
        return whole.count({genus, epithet}) > 0 || abbreviated.count({genus.substr(0, 1), epithet}) > 0;
    }
};

// Names in emphasis marks listed before the name read at the lead's end
// ("... am Hinterleib   _Sialis_, _Sisyra_."), with a comma or a word of the
// key's languages: taken into the name. True when some were.
bool takeListedNames(LeadEnding& ending) {
    for (bool taken = false;;) {
        std::string_view t = ending.text;
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
        std::string joiner;
        if (!t.empty() && t.back() == ',') {
            t.remove_suffix(1);
            joiner = ", ";
        } else {
            for (std::string_view w : {" oder", " und", " or", " and", " et", " ou", " y", " e"})
                if (t.ends_with(w)) {
                    t.remove_suffix(w.size());
                    joiner = std::string(w) + " ";
                    break;
                }
        }
        if (joiner.empty() || t.size() < 3 || !(t.back() == '_' || t.back() == '=' || t.back() == '*')) return taken;
        const std::size_t open = t.rfind(t.back(), t.size() - 2);
        if (open == std::string_view::npos || t.substr(open).find(' ') != std::string_view::npos ||
            (open > 0 && t[open - 1] != ' '))
            return taken;
        const std::string listed = unmarkedName(t.substr(open));
        if (listed.empty() || !text::isLetter(static_cast<unsigned char>(listed[0]))) return taken;
        ending.name = listed + joiner + ending.name;
        ending.text = text::trimmedBlanks(t.substr(0, open));
        taken = true;
    }
}

// A name set at the right of its lead's line after a run of blanks, with no
// leader ("Legs short      Plega rufa"): where it starts, or npos.
std::size_t rightNameStart(std::string_view lead) {
    const std::size_t run = lead.rfind("   ");
    if (run == std::string_view::npos) return std::string_view::npos;
    const std::size_t at = lead.find_first_not_of(" \t", run);
    if (at == std::string_view::npos || lead.find_first_not_of(" \t") >= run) return std::string_view::npos;
    const std::string_view name = lead.substr(at);
    const unsigned char c = static_cast<unsigned char>(name[0]);
    const bool capital = (c >= 'A' && c <= 'Z') || c == '_' || c == '*' || c >= 0x80;
    return capital && std::count(name.begin(), name.end(), ' ') <= 5 ? at : std::string_view::npos;
}

// The converted line of a lead that goes on: its text, then the couplet the
// printed reference names; false when no couplet bears that number.
bool goesOnTo(std::string& line, std::string body, int reference, const std::map<int, int>& number) {
    const auto to = number.find(reference);
    if (to == number.end()) return false;
    line += safeDescription(std::move(body)) + " ... " + std::to_string(to->second);
    return true;
}

// A name without the call of its figure after it: "_Odonaten_ (Fig. =9=,
// 19-22).", "Cyphon (Abb. 3)".
std::string withoutFigureCall(std::string name) {
    const std::string whole = text::trimmedBlanks(name);
    std::string_view t = whole;
    while (!t.empty() && t.back() == '.') t.remove_suffix(1);
    if (t.empty() || t.back() != ')') return name;
    const std::size_t open = t.rfind('(');
    if (open == std::string_view::npos || open == 0) return name;
    std::string_view inside = t.substr(open + 1);
    while (!inside.empty() && (inside.front() == '=' || inside.front() == '_')) inside.remove_prefix(1);
    for (std::string_view call : {"Fig", "fig", "Abb", "Taf", "Pl.", "pl.", "Lám", "lám", "Est.", "Prancha"})
        if (inside.starts_with(call)) return text::trimmedBlanks(t.substr(0, open));
    return name;
}

// A lead numbered on its own with its partner's number in brackets, "1(4)",
// "2 (3)." or "1. (8)" before a blank: the two numbers, or -1.
int pairedLabel(std::string_view line, int& partner, std::size_t& textStart) {
    auto digitsAt = [&](std::size_t& at) {
        int n = 0, count = 0;
        for (; at < line.size() && std::isdigit(static_cast<unsigned char>(line[at])) && count < 4; ++at, ++count)
            n = n * 10 + (line[at] - '0');
        return count > 0 ? n : -1;
    };
    std::size_t at = 0;
    const int number = digitsAt(at);
    if (number < 0) return -1;
    if (at < line.size() && line[at] == '.') ++at;  // "1. (8)"
    while (at < line.size() && line[at] == ' ') ++at;
    if (at >= line.size() || line[at] != '(') return -1;
    ++at;
    partner = digitsAt(at);
    if (partner < 0 || at >= line.size() || line[at] != ')') return -1;
    ++at;
    if (at < line.size() && line[at] == '.') ++at;
    // A transcription's note call after the label: "(8)[LIX]".
    if (at < line.size() && line[at] == '[') {
        const std::size_t close = line.find(']', at);
        if (close != std::string_view::npos && close - at <= 8) at = close + 1;
    }
    if (at >= line.size() || (line[at] != ' ' && line[at] != '\t')) return -1;
    textStart = line.find_first_not_of(" \t", at);
    return textStart == std::string_view::npos ? -1 : number;
}

// A key whose every lead carries its own number and its partner's, "1(4)"
// ... "4(1)": the two leads of a couplet name each other, a lead without
// ending goes on to the lead numbered after it, a reference names a lead.
// Empty when the numbers do not pair up so.
OrderedKey readPairedLeads(const Lines& text) {
    struct Lead {
        int number, partner;
        std::string text;
        int origin;
        std::size_t indent = std::string::npos;    // of the lead's second line
        std::size_t nameAt = std::string::npos;    // where a line set deeper than the lead's starts in its text
        std::string under;                         // the lines after a blank line under a lead that has no ending
    };
    std::vector<Lead> leads;
    OrderedKey out;
    std::size_t last = 0;  // the line after the last lead's lines
    bool gap = false;      // a blank line since the last lead
    int calls = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::string line = text::trimmedBlanks(text[k]);
        if (line.empty()) {
            gap = !leads.empty();
            continue;
        }
        calls += dropNoteCalls(line);
        int partner = -1;
        std::size_t at = 0;
        if (const int number = pairedLabel(line, partner, at); number >= 0) {
            leads.push_back({number, partner, line.substr(at), static_cast<int>(k), std::string::npos, std::string::npos, {}});
            last = k + 1;
            gap = false;
        } else if (leads.empty()) {
            ++out.before;
        } else if (gap && (k + 1 == text.size() || text::trimmedBlanks(text[k + 1]).empty()) && pageFurniture(line) &&
                   !splitLeadEnding(leads.back().text).ends()) {
            // A page's number or running head alone between blank lines where
            // a page broke a lead: no part of it; the lead goes on after it.
            ++out.pages;
            while (k + 1 < text.size() && text::trimmedBlanks(text[k + 1]).empty()) ++k;
            gap = false;
        } else if (!gap) {
            // A line set deeper than the lead's own lines may be its name.
            Lead& lead = leads.back();
            if (!lead.under.empty()) {
                joinWrapped(lead.under, line);
            } else {
                const std::size_t indent = text[k].find_first_not_of(" \t");
                if (lead.nameAt == std::string::npos && lead.indent != std::string::npos && indent > lead.indent)
                    lead.nameAt = lead.text.size() + 1;
                if (lead.indent == std::string::npos) lead.indent = indent;
                joinWrapped(lead.text, line);
            }
            last = k + 1;
        } else if (leads.back().under.empty() && !splitLeadEnding(leads.back().text).ends()) {
            // After a blank line, maybe the name set under a lead that has
            // none: kept apart until the lead is known not to go on.
            leads.back().under = line;
            last = k + 1;
            gap = false;
        }
    }
    if (leads.size() < 4) return {};
    std::map<int, std::size_t> byNumber;
    for (std::size_t l = 0; l < leads.size(); ++l)
        if (!byNumber.emplace(leads[l].number, l).second) return {};
    // A partner misprinted ("11(12)" where no 12 names 11 back) is the one
    // lead that names this one as its partner.
    auto namesBack = [&](const Lead& lead) {
        const auto it = byNumber.find(lead.partner);
        return it != byNumber.end() && leads[it->second].partner == lead.number && lead.partner != lead.number;
    };
    // A misprint is rare: numbers in brackets that name the couplet of
    // origin ("2. (1)", "3. (2)") would pair up by such mending, chained.
    const std::size_t mendable = std::max<std::size_t>(1, leads.size() / 16);
    std::size_t mended = 0;
    // The leads that name each number as their partner, kept as leads are mended.
    std::map<int, std::vector<std::size_t>> namedBy;
    for (std::size_t l = 0; l < leads.size(); ++l)
        if (leads[l].partner != leads[l].number) namedBy[leads[l].partner].push_back(l);
    for (std::size_t l = 0; l < leads.size(); ++l) {
        Lead& lead = leads[l];
        if (namesBack(lead)) continue;
        const auto it = namedBy.find(lead.number);
        if (it == namedBy.end() || it->second.size() != 1) continue;
        const Lead& mate = leads[it->second.front()];
        if (namesBack(mate) || ++mended > mendable) continue;
        if (lead.partner != lead.number) std::erase(namedBy[lead.partner], l);
        lead.partner = mate.number;
        namedBy[lead.partner].push_back(l);
    }
    if (mended > mendable) return {};
    for (const Lead& lead : leads)
        if (!namesBack(lead)) return {};
    for (std::size_t k = last; k < text.size(); ++k)
        if (!text::trimmedBlanks(text[k]).empty()) ++out.after;
    // Couplets numbered as their first lead comes.
    std::map<int, int> coupletOf;  // the smaller number of the pair -> couplet
    for (const Lead& lead : leads) coupletOf.emplace(std::min(lead.number, lead.partner), 0);
    {
        int n = 0;
        std::vector<std::pair<std::size_t, int>> firsts;
        for (std::size_t l = 0; l < leads.size(); ++l)
            if (leads[l].number < leads[l].partner) firsts.emplace_back(l, leads[l].number);
        for (const auto& [l, pairKey] : firsts) coupletOf[pairKey] = ++n;
    }
    auto couplet = [&](std::size_t l) { return coupletOf[std::min(leads[l].number, leads[l].partner)]; };
    std::vector<std::size_t> order(leads.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return couplet(a) < couplet(b); });
    // The ending in a cell of its own after a tab, else as the lead's line
    // shows it.
    std::vector<LeadEnding> endings(leads.size());
    std::set<int> referenced;
    for (std::size_t l = 0; l < leads.size(); ++l) {
        LeadEnding& ending = endings[l];
        if (const std::size_t tab = leads[l].text.rfind('\t'); tab != std::string::npos) {
            const std::string cell = text::trimmedBlanks(std::string_view(leads[l].text).substr(tab + 1));
            ending.text = text::trimmedBlanks(std::string_view(leads[l].text).substr(0, tab));
            if (!cell.empty() && cell.size() <= 4 && std::all_of(cell.begin(), cell.end(), [](char c) {
                    return std::isdigit(static_cast<unsigned char>(c));
                }))
                ending.reference = std::stoi(cell);
            else
                ending.name = cell;
        } else {
            ending = splitLeadEnding(leads[l].text);
        }
        if (ending.reference >= 0) referenced.insert(ending.reference);
    }
    for (std::size_t l : order) {
        LeadEnding& ending = endings[l];
        int target = -1;
        if (ending.reference >= 0) {
            target = ending.reference;
        } else if (!ending.name.empty() && takeListedNames(ending)) {
            // Names in marks listed before the last one joined to it.
        } else if (!ending.name.empty() && leads[l].nameAt < leads[l].text.size() &&
                   ending.text.size() > leads[l].nameAt) {
            // The name read inside the line set apart under the lead: that
            // whole line is the name ("_Schnabelkerfe_ oder _Rhynchoten_").
            ending.name = text::trimmedBlanks(std::string_view(leads[l].text).substr(leads[l].nameAt));
            ending.text = text::trimmedBlanks(std::string_view(leads[l].text).substr(0, leads[l].nameAt));
        } else if (ending.name.empty()) {
            // A lead that cannot go on to the lead after it (its partner, a
            // second lead, a couplet a reference names, or none) ends with a
            // name, run into its text without a leader.
            target = leads[l].number + 1;
            const auto next = byNumber.find(target);
            const bool goesOn = next != byNumber.end() && target < leads[next->second].partner && !referenced.count(target);
            std::size_t name = runInNameStart(leads[l].text);
            if (name == std::string_view::npos && leads[l].nameAt < leads[l].text.size()) name = leads[l].nameAt;
            if (name == std::string_view::npos) name = rightNameStart(leads[l].text);
            if (!goesOn && !leads[l].under.empty()) {
                ending.name = leads[l].under;
                ending.text = leads[l].text;
                target = -1;
            } else if (!goesOn && name != std::string_view::npos) {
                ending.name = text::trimmedBlanks(std::string_view(leads[l].text).substr(name));
                ending.text = text::trimmedBlanks(std::string_view(leads[l].text).substr(0, name));
                target = -1;
            }
        }
        std::string line = std::to_string(couplet(l)) + ". ";
        if (target >= 0) {
            const auto it = byNumber.find(target);
            if (it == byNumber.end()) return {};
            std::string body = ending.reference >= 0 ? ending.text : leads[l].text;
            dropPageMarks(body);
            line += safeDescription(std::move(body)) + " ... " + std::to_string(couplet(it->second));
        } else {
            std::string body = ending.text;
            dropPageMarks(body);
            // The book's species number before the name ("2. Taridius piceus"),
            // not the year after its author.
            std::string name = ending.name;
            std::size_t digits = 0;
            while (digits < name.size() && digits < 4 && std::isdigit(static_cast<unsigned char>(name[digits]))) ++digits;
            if (digits > 0 && name.compare(digits, 2, ". ") == 0) {
                name = text::trimmedBlanks(std::string_view(name).substr(digits + 2));
                ++out.bookNumbers;
            }
            if (name.size() >= 3 && name.back() == '.' && name.find(' ') != std::string::npos &&
                name[name.size() - 2] != '.' && !name.ends_with(" n."))
                name.pop_back();  // the sentence's stop after "(Kirschenhofer, 1996)."
            dropPageMarks(name);
            name = unmarkedName(withoutFigureCall(name));
            if (name.size() >= 3 && name.back() == '.' && name.find(' ') == std::string::npos) name.pop_back();  // "_Cyphon._"
            line += safeDescription(std::move(body)) + " => " + safeDescription(name);
        }
        out.couplets.push_back(std::move(line));
        out.origin.push_back(leads[l].origin);
    }
    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne},
                                {out.after, kMsgTextAfter, kMsgTextAfterOne},
                                {out.bookNumbers, kMsgBookNumbers, kMsgBookNumbersOne},
                                {out.pages, kMsgPagesAside, kMsgPagesAsideOne},
                                {calls, kMsgNoteCalls, kMsgNoteCallsOne}});
    return out;
}

// A lead's ending as its line shows it, also a reference after a double
// hyphen ("_P. euthysanota_ group--2") and a name in marks before the book's
// page ("_spinifer asper_, p. 502").
LeadEnding endingOf(std::string_view body) {
    LeadEnding e;
    // A name the reshaping set apart already: "... thumb => P. spinipollex".
    if (const std::size_t arrow = body.rfind(" => "); arrow != std::string_view::npos) {
        e.text = text::trimmedBlanks(body.substr(0, arrow));
        e.name = text::trimmedBlanks(body.substr(arrow + 4));
        if (!e.name.empty()) return e;
        e = {};
    }
    std::size_t digits = body.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(body[digits - 1]))) --digits;
    // A name in marks, then the book's page: "=Claudopus.=      149".
    if (digits > 0 && digits < body.size() && body.size() - digits <= 4 && body[digits - 1] == ' ') {
        const std::string head = text::trimmedBlanks(body.substr(0, digits));
        const std::size_t mark = head.empty() || (head.back() != '=' && head.back() != '_') ? std::string::npos
                                                                                            : markedNameStart(head);
        if (mark != std::string::npos && mark > 0) {
            e.text = text::trimmedBlanks(std::string_view(head).substr(0, mark));
            e.name = unmarkedName(std::string_view(head).substr(mark));
            e.bookNumber = true;
            return e;
        }
    }
    // A name in marks followed by a remark in brackets: "=Locellina= (not
    // reported in U. S.)." The remark stays with the name, the sentence's stop
    // goes.
    if (std::string_view b = body; !b.empty()) {
        if (b.back() == '.') b.remove_suffix(1);
        if (!b.empty() && b.back() == ')') {
            const std::size_t open = b.rfind(" (");
            if (open != std::string_view::npos && open > 0 && (b[open - 1] == '=' || b[open - 1] == '_'))
                if (const std::size_t mark = markedNameStart(b.substr(0, open)); mark != std::string_view::npos && mark > 0) {
                    e.text = text::trimmedBlanks(b.substr(0, mark));
                    e.name = unmarkedName(b.substr(mark, open - mark)) + std::string(b.substr(open));
                    return e;
                }
        }
    }
    // A name after a colon that ends the lead, the book's number after it.
    if (const std::size_t at = nameAfterColon(body); at != std::string_view::npos) {
        e.text = text::trimmedBlanks(body.substr(0, body.rfind(": ", at)));
        e.name = text::trimmedBlanks(body.substr(at));
        return e;
    }
    e = splitLeadEnding(body);
    if (e.ends()) return e;
    if (digits >= 3 && digits < body.size() && body.size() - digits <= 4 && body.substr(digits - 2, 2) == "--") {
        e.text = text::trimmedBlanks(body.substr(0, digits - 2));
        e.reference = std::stoi(std::string(body.substr(digits)));
        return e;
    }
    for (std::string_view page : {", p. ", ", pp. ", " p. "})
        if (const std::size_t at = body.rfind(page); at != std::string_view::npos && at + page.size() == digits &&
                                                     digits < body.size()) {
            const std::size_t mark = markedNameStart(body.substr(0, at));
            if (mark == std::string_view::npos) break;
            e.text = text::trimmedBlanks(body.substr(0, mark));
            e.name = unmarkedName(text::trimmedBlanks(body.substr(mark, at - mark)));
            e.bookNumber = true;
            return e;
        }
    // After a run of blanks that sets the ending at the right of the page.
    if (const std::size_t run = body.rfind("   "); run != std::string_view::npos && run > 0) {
        const std::string ending = text::trimmedBlanks(body.substr(run));
        if (!ending.empty() && ending.find("  ") == std::string::npos) {
            e.text = text::trimmedBlanks(body.substr(0, run));
            // The couplet's number, maybe with the full stop the book sets after it ("6.").
            const std::string_view number =
                ending.size() > 1 && ending.back() == '.' ? std::string_view(ending).substr(0, ending.size() - 1)
                                                          : std::string_view(ending);
            if (number.size() <= 4 && std::all_of(number.begin(), number.end(), [](char c) {
                    return std::isdigit(static_cast<unsigned char>(c));
                }))
                e.reference = std::stoi(std::string(number));
            else
                e.name = unmarkedName(ending);
        }
    }
    return e;
}

// Only the first lead of a couplet numbered, the others following it without
// a number ("2. lead ... 3" then "lead ... Name"), one lead a line or set out
// in paragraphs; every lead ends with a reference or a name. Empty when the
// leads do not read so.
OrderedKey readFirstLeadNumbered(const Lines& lines, const ReshapedKey& reshaped, const Lines& given);

// The text as paragraphs, one a line: the lines between blank lines joined.
// A page's number or running head set apart where a page broke a lead in
// the middle of a sentence ("... der", "225", "Geschlechtsdeckklappe.") is
// left out, the lead's two parts joined.
ReshapedKey paragraphsOf(const Lines& text) {
    ReshapedKey out;
    bool overPage = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::string line = text::trimmedBlanks(text[k]);
        if (line.empty()) continue;
        const bool alone = (k == 0 || text::trimmedBlanks(text[k - 1]).empty()) &&
                           (k + 1 == text.size() || text::trimmedBlanks(text[k + 1]).empty());
        if (alone && !out.lines.empty() && pageFurniture(line)) {
            const char last = out.lines.back().back();
            if ((last >= 'a' && last <= 'z') || last == ',' || last == '-') {
                ++out.pages;
                overPage = true;
                continue;
            }
        }
        if (std::exchange(overPage, false) ||
            (k > 0 && !text::trimmedBlanks(text[k - 1]).empty() && !out.lines.empty())) {
            joinWrapped(out.lines.back(), line);
            ++out.paragraphs;
        } else {
            out.lines.push_back(line);
            out.origin.push_back(static_cast<int>(k));
        }
    }
    out.changed = out.paragraphs > 0;
    return out;
}

OrderedKey readFirstLeadNumbered(const Lines& given, const ReshapedKey& reshaped) {
    OrderedKey key = readFirstLeadNumbered(reshaped.changed ? reshaped.lines : given, reshaped, given);
    // The paragraphs as printed, when the reshaped text reads no key or
    // fewer leads (a running head taken for the key's end).
    if (const ReshapedKey paragraphs = paragraphsOf(given); paragraphs.changed) {
        OrderedKey other = readFirstLeadNumbered(paragraphs.lines, paragraphs, given);
        if (other.couplets.size() > key.couplets.size()) key = std::move(other);
    }
    return key;
}

OrderedKey readFirstLeadNumbered(const Lines& lines, const ReshapedKey& reshaped, const Lines& given) {
    struct Lead {
        int couplet;  // as printed
        LeadEnding ending;
        int origin;
    };
    std::vector<Lead> leads;
    std::map<int, int> number;  // printed couplet -> couplet in order
    OrderedKey out;
    // A key whose second leads are dashed is the parameters' to read, unless
    // a name stands where they cannot find it (run into its lead, under it,
    // at the right without a leader).
    bool dashed = false, namesApart = false;
    out.before = reshaped.changed ? reshaped.before : 0;
    out.after = reshaped.changed ? reshaped.after : 0;
    out.pages = reshaped.changed ? reshaped.pages : 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string line = text::trimmedBlanks(lines[k]);
        if (line.empty()) continue;
        // A page's number or running head after a lead that has its ending:
        // where the page broke, no part of the key.
        if (!leads.empty() && pageFurniture(line)) {
            ++out.pages;
            continue;
        }
        const LineStart ls = readLineStart(line);
        int couplet = leads.empty() ? -1 : leads.back().couplet;
        std::string_view body = line;
        // The number bare or in marks ("=2=--"), the first couplet maybe
        // without one (its leads before the first number: couplet 0).
        const bool numbered = (ls.kind == LineStart::Kind::Digits ||
                               (ls.kind == LineStart::Kind::Bracketed && !ls.label.empty() &&
                                std::all_of(ls.label.begin(), ls.label.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))) &&
                              ls.label.size() <= 4 && ls.textStart < line.size();
        if (numbered) {
            // The couplet's number again ("1'." after "1."): its next lead.
            const int printed = std::stoi(ls.label);
            if (!number.emplace(printed, static_cast<int>(number.size()) + 1).second && printed != couplet) return {};
            couplet = printed;
            body = std::string_view(line).substr(ls.textStart);
        } else if (ls.kind == LineStart::Kind::Mark && (ls.label == "-" || ls.label == "\u2013" || ls.label == "\u2014") &&
                   couplet >= 0 && ls.textStart < line.size()) {
            // A dash for the couplet's next lead, as a lead without number.
            body = std::string_view(line).substr(ls.textStart);
            dashed = true;
        } else if (ls.kind != LineStart::Kind::None && !(ls.kind == LineStart::Kind::Bracketed && ls.label.size() > 2)) {
            // (A word in marks, "=Gills=", is the lead's emphasis, no label.)
            if (leads.empty()) {
                ++out.before;
                continue;
            }
            return {};
        } else if (couplet < 0) {
            if (endingOf(body).ends() && !number.count(0)) {
                couplet = 0;
                number.emplace(0, 1);
            } else {
                ++out.before;
                continue;
            }
        }
        const int origin = reshaped.changed && k < reshaped.origin.size() ? reshaped.origin[k] : static_cast<int>(k);
        // A third lead set further apart than the leads before it (two blank
        // lines or more): a heading after the key.
        int blanks = 0;
        for (int j = origin - 1; j >= 0 && text::trimmedBlanks(given[static_cast<std::size_t>(j)]).empty(); --j) ++blanks;
        const bool apart = !numbered && blanks >= 2 && leads.size() >= 2 &&
                           leads[leads.size() - 2].couplet == couplet && leads.back().couplet == couplet;
        LeadEnding ending = apart ? LeadEnding{} : endingOf(body);
        // A name run into the lead after its last sentence, with no leader
        // ("2. Legs long. Plega nigra"): for a numbered lead or the second
        // lead of its couplet, never for a third line that may be prose.
        const bool second = !leads.empty() && leads.back().couplet == couplet &&
                            (leads.size() < 2 || leads[leads.size() - 2].couplet != couplet);
        if (!ending.ends() && !apart && (numbered || second))
            if (std::size_t name = runInNameStart(body); name != std::string_view::npos ||
                                                        (name = rightNameStart(body)) != std::string_view::npos) {
                ending.name = text::trimmedBlanks(body.substr(name));
                ending.text = text::trimmedBlanks(body.substr(0, name));
                namesApart = true;
                ++out.guessedNames;
            }
        // A name alone on the line under its lead: a few words from a capital,
        // no label, no ending of their own ("1. Leaves in bundles" over
        // "Pinus").
        if (!ending.ends() && !apart && (numbered || second) && !body.empty() && body.back() != ',' && body.back() != '-') {
            std::size_t j = k + 1;
            while (j < lines.size() && text::trimmedBlanks(lines[j]).empty()) ++j;
            if (j < lines.size()) {
                const std::string next = text::trimmedBlanks(lines[j]);
                const unsigned char c = static_cast<unsigned char>(next[0]);
                if (readLineStart(next).kind == LineStart::Kind::None && !endingOf(next).ends() &&
                    std::count(next.begin(), next.end(), ' ') <= 5 && nameShaped(next) &&
                    ((c >= 'A' && c <= 'Z') || c == '_' || c == '*' || c >= 0x80)) {
                    ending.text = text::trimmedBlanks(body);
                    ending.name = next;
                    k = j;
                    namesApart = true;
                    ++out.guessedNames;
                }
            }
        }
        if (!ending.ends()) {
            // Text after the key: what follows the last lead that ends.
            if (leads.empty() || numbered) return {};
            for (std::size_t j = k; j < lines.size(); ++j)
                if (!text::trimmedBlanks(lines[j]).empty()) ++out.after;
            break;
        }
        // Runs of blanks inside the lead are its line's layout.
        std::string collapsed;
        for (char c : ending.text)
            if (c != ' ' || collapsed.empty() || collapsed.back() != ' ') collapsed += c == '\t' ? ' ' : c;
        ending.text = std::move(collapsed);
        leads.push_back({couplet, std::move(ending), origin});
    }
    if (leads.size() < 4 || number.size() < 2 || (dashed && !namesApart)) return {};
    // A couplet of one lead is no couplet: its lead goes on with the one lead
    // that leads to it ("=4=--Basidia forked ..." under "Plants gelatinous
    // ... 4"), and the couplets after it are numbered one less.
    std::map<int, int> members;
    for (const Lead& lead : leads) ++members[lead.couplet];
    for (const auto& [member, count] : members) {
        if (count >= 2) continue;
        const int couplet = member;  // a binding a lambda can take
        const auto lone = std::find_if(leads.begin(), leads.end(), [&](const Lead& l) { return l.couplet == couplet; });
        std::vector<Lead>::iterator above = leads.end();
        for (auto it = leads.begin(); it != leads.end(); ++it)
            if (it->ending.reference == couplet) {
                if (above != leads.end()) return {};
                above = it;
            }
        if (above == leads.end() || lone == leads.end()) return {};
        joinWrapped(above->ending.text, lone->ending.text);
        above->ending.reference = lone->ending.reference;
        above->ending.name = lone->ending.name;
        above->ending.bookNumber = lone->ending.bookNumber;
        leads.erase(lone);
        const int gone = number[couplet];
        number.erase(couplet);
        for (auto& [printed, n] : number)
            if (n > gone) --n;
    }
    for (const Lead& lead : leads) {
        std::string line = std::to_string(number[lead.couplet]) + ". ";
        std::string body = lead.ending.text;
        dropPageMarks(body);
        if (lead.ending.reference >= 0) {
            if (!goesOnTo(line, std::move(body), lead.ending.reference, number)) return {};
        } else {
            // A footnote's mark glued to the name ("Montagnites.[G]") goes.
            std::string printed = lead.ending.name;
            if (const std::size_t open = printed.rfind('['); open != std::string::npos && open > 0 &&
                printed.back() == ']' && printed.size() - open <= 5 &&
                std::all_of(printed.begin() + static_cast<std::ptrdiff_t>(open) + 1, printed.end() - 1,
                            [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
                printed.erase(open);
            bool numbered = false;
            const std::string name = printedName(printed, numbered);
            if (numbered || lead.ending.bookNumber) ++out.bookNumbers;
            line += safeDescription(std::move(body)) + " => " + safeDescription(name);
        }
        out.couplets.push_back(std::move(line));
        out.origin.push_back(lead.origin);
    }
    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne},
                                {out.after, kMsgTextAfter, kMsgTextAfterOne},
                                {out.pages, kMsgPagesAside, kMsgPagesAsideOne},
                                {out.bookNumbers, kMsgBookNumbers, kMsgBookNumbersOne}});
    return out;
}

OrderedKey readInIndentedOrder(const Lines& text) {
    struct Lead {
        int couplet;             // in the order the couplets open, from 1
        std::string text;
        std::string name;        // after a leader on the lead's line
        int next = 0;            // the couplet it leads to
        std::vector<std::string> under;  // lines under it, up to the next lead
        int origin;
    };
    // Each line without a page mark before its label.
    std::vector<std::string> lines(text.size());
    bool primedKey = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        lines[k] = std::string(withoutPageMark(text::trimmedBlanks(text[k])));
        const LineStart ls = readLineStart(lines[k]);
        primedKey = primedKey || (ls.kind == LineStart::Kind::Digits && primesOf(ls.gap) >= 2);
    }
    // The key starts at its smallest number, when that comes first.
    int smallest = -1;
    std::size_t start = text.size();
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::size_t at = 0;
        const int number = leadNumber(lines[k], at, primedKey);
        if (number < 0) continue;
        if (start == text.size()) start = k;
        if (smallest < 0 || number < smallest) smallest = number;
    }
    if (start == text.size()) return {};
    {
        std::size_t at = 0;
        if (leadNumber(lines[start], at, primedKey) != smallest) return {};
    }
    OrderedKey out;
    for (std::size_t k = 0; k < start; ++k)
        if (!text::trimmedBlanks(text[k]).empty()) ++out.before;

    std::vector<Lead> leads;
    std::map<int, int> open;  // printed number -> couplet, for the couplets still open
    std::vector<int> stack;   // printed numbers of the open couplets
    std::set<int> seen;
    DeterminedNames names;  // the binomials determined so far
    int couplets = 0;
    std::size_t end = text.size();
    for (std::size_t k = start; k < text.size(); ++k) {
        const std::string& line = lines[k];
        if (line.empty()) continue;
        // An editor's note between the leads ("[Pg 616]"), a figure's caption.
        if (line.front() == '[' && line.back() == ']') {
            ++out.notes;
            continue;
        }
        if (isCaption(line)) {
            ++out.captions;
            continue;
        }
        std::size_t at = 0;
        const int number = leadNumber(line, at, primedKey);
        if (number < 0) {
            leads.back().under.push_back(line);
            continue;
        }
        // The accounts of the species after the key, numbered as leads are
        // (whatever their citation ends with).
        if (names.startsText(std::string_view(line).substr(at))) {
            end = k;
            break;
        }
        const LeadEnding ending = splitLeadEnding(std::string_view(line).substr(at));
        if (ending.reference >= 0) return {};  // a key with references: read otherwise
        if (!ending.name.empty()) names.add(ending.name);
        int couplet;
        if (const auto it = open.find(number); it != open.end()) {
            couplet = it->second;
            while (stack.back() != number) {
                open.erase(stack.back());
                stack.pop_back();
            }
        } else {
            // A new couplet after a lead that has its name, or a number
            // closed before: the text after the key.
            if ((!leads.empty() && !leads.back().name.empty()) || !seen.insert(number).second) {
                end = k;
                break;
            }
            couplet = ++couplets;
            if (!leads.empty()) leads.back().next = couplet;
            open[number] = couplet;
            stack.push_back(number);
        }
        leads.push_back({couplet, ending.name.empty() ? std::string(std::string_view(line).substr(at)) : ending.text,
                         ending.name, 0, {}, static_cast<int>(k)});
    }
    if (leads.size() < 2) return {};

    // The endings: a lead that leads on carries its lines as its text; one
    // that does not, its name on its line or on the last line under it.
    for (std::size_t l = 0; l < leads.size(); ++l) {
        Lead& lead = leads[l];
        const bool last = l + 1 == leads.size();
        std::size_t used = lead.under.size();
        if (lead.next > 0) {
            for (const auto& u : lead.under) joinWrapped(lead.text, u);
        } else if (!lead.name.empty()) {
            if (last) used = 0;
            else
                for (const auto& u : lead.under) joinWrapped(lead.name, u);
            // The book's species number before the name ("5. L. blumeanus").
            bool numbered = false;
            lead.name = printedName(lead.name, numbered);
            if (numbered) ++out.bookNumbers;
        } else if (const std::size_t number = lead.under.empty() || (last && out.bookNumbers > 0)
                                                  ? numberedNameStart(lead.text)
                                                  : std::string::npos;
                   number != std::string::npos && number > 0) {
            // A lead that must end does so in a name after the book's
            // number, one blank before it ("... apically 3. Acropoditius");
            // under the key's last lead so named is the text after the key.
            used = 0;
            lead.name = notedName(lead.text.substr(number));
            lead.text = text::trimmedBlanks(std::string_view(lead.text).substr(0, number));
            ++out.bookNumbers;
        } else {
            if (lead.under.empty()) return {};
            // The last lead's name is its first line under it; what follows
            // is the text after the key.
            const std::size_t at = last ? 0 : lead.under.size() - 1;
            for (std::size_t u = 0; u < at; ++u) joinWrapped(lead.text, lead.under[u]);
            // The lead's last line may carry the end of its text and its
            // name after a leader.
            std::string nameLine = lead.under[at];
            if (!nameShaped(nameLine) || nameLine.find("..") != std::string::npos) {
                const LeadEnding e = splitLeadEnding(nameLine);
                if (e.name.empty() || e.text.empty()) return {};
                joinWrapped(lead.text, e.text);
                nameLine = e.name;
            }
            // The colon that announces the name on the line below is no part of the lead.
            if (!lead.text.empty() && lead.text.back() == ':') lead.text.pop_back();
            bool numbered = false;
            lead.name = printedName(nameLine, numbered);
            if (numbered) ++out.bookNumbers;
            used = at + 1;
        }
        if (last) out.after = static_cast<int>(lead.under.size() - used);
        if (lead.name.empty() && lead.next == 0) return {};
    }
    // Lines after the key's last lead that were not read.
    for (std::size_t k = end; k < text.size(); ++k)
        if (!text::trimmedBlanks(text[k]).empty()) ++out.after;

    // The key's last lead alone in its couplet (a lone lead printed under
    // the last one) is no couplet: it goes on with the lead that leads to
    // it. The couplets are then numbered again in order.
    std::vector<int> members(static_cast<std::size_t>(couplets) + 1, 0);
    for (const Lead& lead : leads) ++members[static_cast<std::size_t>(lead.couplet)];
    if (const int c = leads.back().couplet; members[static_cast<std::size_t>(c)] == 1 && c > 1) {
        const auto above = std::find_if(leads.begin(), leads.end(), [&](const Lead& x) { return x.next == c; });
        if (above != leads.end()) {
            joinWrapped(above->text, leads.back().text);
            above->name = leads.back().name;
            above->next = 0;
            leads.pop_back();
            members[static_cast<std::size_t>(c)] = 0;
        }
    }
    std::vector<int> renumbered(members.size(), 0);
    for (std::size_t c = 1, n = 0; c < members.size(); ++c)
        if (members[c] > 0) renumbered[c] = static_cast<int>(++n);
    for (Lead& lead : leads) {
        lead.couplet = renumbered[static_cast<std::size_t>(lead.couplet)];
        if (lead.next > 0) lead.next = renumbered[static_cast<std::size_t>(lead.next)];
    }

    // Each couplet's leads together, in the order the couplets open.
    std::vector<std::size_t> order(leads.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return leads[a].couplet < leads[b].couplet; });
    for (std::size_t k : order) {
        const Lead& lead = leads[k];
        std::string text = lead.text;
        dropPageMarks(text);
        std::string line = std::to_string(lead.couplet) + ". " + safeDescription(std::move(text));
        line += lead.next > 0 ? " ... " + std::to_string(lead.next) : " => " + safeDescription(lead.name);
        out.couplets.push_back(std::move(line));
        out.origin.push_back(lead.origin);
    }
    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne},
                                  {out.after, kMsgTextAfter, kMsgTextAfterOne},
                                  {out.notes, kMsgNotes, kMsgNotesOne},
                                  {out.captions, kMsgCaptions, kMsgCaptionsOne},
                                  {out.bookNumbers, kMsgBookNumbers, kMsgBookNumbersOne}});
    return out;
}

}  // namespace

// --- Couplets in braces ---------------------------------------------------------

namespace {

// A brace's piece at the start of a line, as transcriptions draw it.
std::size_t braceAt(std::string_view s, std::size_t at) {
    for (std::string_view b : {"{", "[", "}", "|", "\u23A7", "\u23A8", "\u23A9", "\u23AA", "\u23AB", "\u23AC", "\u23AD",
                               "\u2502"})
        if (s.substr(at, b.size()) == b) return b.size();
    return 0;
}

// A line of a braced couplet: the couplet's number at the left of the
// brace (on one of its lines), then the brace, then the text.
struct BracedLine {
    bool braced = false;
    int number = -1;
    std::string_view content;
};
BracedLine bracedLine(std::string_view s) {
    BracedLine out;
    std::size_t at = s.find_first_not_of(" \t");
    if (at == std::string_view::npos) return out;
    std::size_t digits = at;
    while (digits < s.size() && std::isdigit(static_cast<unsigned char>(s[digits])) && digits - at < 4) ++digits;
    if (digits > at) {
        if (digits < s.size() && s[digits] == '.') ++digits;
        if (digits >= s.size() || (s[digits] != ' ' && s[digits] != '\t')) return out;
        out.number = std::stoi(std::string(s.substr(at, digits - at)));
        at = s.find_first_not_of(" \t", digits);
        if (at == std::string_view::npos) return {};
    }
    const std::size_t brace = braceAt(s, at);
    if (brace == 0) return {};
    out.braced = true;
    out.content = s.substr(at + brace);
    return out;
}

}  // namespace

OrderedKey readBracedCouplets(const Lines& text) {
    struct Lead {
        std::string text;
        LeadEnding ending;
        int origin = -1;
    };
    struct Couplet {
        int number = -1;
        std::vector<Lead> leads;
    };
    std::vector<Couplet> couplets;
    OrderedKey out;
    bool open = false;  // inside a group of braced lines
    std::size_t last = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const BracedLine line = bracedLine(text[k]);
        if (!line.braced) {
            if (!text::trimmedBlanks(text[k]).empty()) {
                if (couplets.empty()) ++out.before;
                else break;  // the text after the key
            }
            open = false;
            continue;
        }
        if (!open) couplets.emplace_back();
        open = true;
        last = k + 1;
        Couplet& c = couplets.back();
        if (line.number >= 0) {
            if (c.number >= 0) return {};  // two numbers in one brace
            c.number = line.number;
        }
        const std::string content = text::trimmedBlanks(line.content);
        if (content.empty()) continue;
        // A lead starts on the brace's first line and after a line that ends one.
        if (c.leads.empty() || c.leads.back().ending.ends()) c.leads.push_back({{}, {}, static_cast<int>(k)});
        Lead& lead = c.leads.back();
        LeadEnding ending = splitLeadEnding(line.content);
        if (ending.ends()) {
            joinWrapped(lead.text, text::trimmedBlanks(ending.text));
            lead.ending = ending;
            continue;
        }
        // A name alone at the right of the brace ends the lead above it.
        if (const std::size_t right = line.content.find_first_not_of(" \t"); !lead.text.empty() && right >= 4) {
            ending = splitLeadEnding(lead.text + std::string(line.content));
            if (ending.ends() && ending.text.size() >= lead.text.size()) {
                lead.text = text::trimmedBlanks(ending.text);
                lead.ending = ending;
                continue;
            }
            if (right >= 8 && std::count(content.begin(), content.end(), ' ') < 6) {
                lead.ending.name = content;
                continue;
            }
        }
        joinWrapped(lead.text, content);
    }
    if (couplets.size() < 2) return {};
    std::map<int, int> coupletOf;  // printed number -> couplet
    for (const Couplet& c : couplets) {
        if (c.number < 0 || c.leads.size() < 2 || !coupletOf.emplace(c.number, static_cast<int>(coupletOf.size()) + 1).second)
            return {};
        for (const Lead& lead : c.leads)
            if (!lead.ending.ends() || lead.text.empty()) return {};
    }
    for (const Couplet& c : couplets)
        for (const Lead& lead : c.leads) {
            std::string line = std::to_string(coupletOf[c.number]) + ". ";
            std::string body = lead.text;
            dropPageMarks(body);
            if (lead.ending.reference >= 0) {
                if (!goesOnTo(line, std::move(body), lead.ending.reference, coupletOf)) return {};
            } else {
                bool numbered = false;
                line += safeDescription(std::move(body)) + " => " + safeDescription(printedName(lead.ending.name, numbered));
                out.bookNumbers += numbered ? 1 : 0;
            }
            out.couplets.push_back(std::move(line));
            out.origin.push_back(lead.origin);
        }
    for (std::size_t k = last; k < text.size(); ++k)
        if (!text::trimmedBlanks(text[k]).empty()) ++out.after;
    out.message = countedParts({{out.before, kMsgTextBefore, kMsgTextBeforeOne},
                                {out.after, kMsgTextAfter, kMsgTextAfterOne},
                                {out.bookNumbers, kMsgBookNumbers, kMsgBookNumbersOne}});
    return out;
}

OrderedKey readNumberedInOrder(const Lines& text, const ReshapedKey& reshaped) {
    // The strict readings first: each needs every lead to end.
    if (OrderedKey paired = readPairedLeads(text); !paired.couplets.empty()) return paired;
    if (OrderedKey first = readFirstLeadNumbered(text, reshaped); !first.couplets.empty()) return first;
    return readInIndentedOrder(text);
}

OrderedKey readNumberedInOrder(const Lines& text) { return readNumberedInOrder(text, reshapeKey(text)); }

OrderedKey readLeadsGoingOn(const Lines& text) { return readInIndentedOrder(text); }

SectionsCouplet sectionsAsCouplet(const Lines& text) {
    static constexpr std::string_view kRoman[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
    struct Heading {
        std::size_t line;
        std::string words;
    };
    std::vector<Heading> headings;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string t = text::trimmedBlanks(text[i]);
        if (!t.starts_with("\u00A7")) continue;
        std::size_t at = t.find_first_not_of(' ', 2), end = at;
        while (end < t.size() && (t[end] == 'I' || t[end] == 'V' || t[end] == 'X')) ++end;
        if (at == std::string::npos || end == at) continue;
        const auto roman = std::ranges::find(kRoman, std::string_view(t).substr(at, end - at));
        if (roman == std::end(kRoman)) continue;
        if (roman - std::begin(kRoman) != static_cast<std::ptrdiff_t>(headings.size())) return {};
        // The ordinal's letters, raised or not ("I^{er}", "Ier").
        if (t.compare(end, 2, "^{") == 0) end = t.find('}', end) == std::string::npos ? end : t.find('}', end) + 1;
        while (end < t.size() && std::islower(static_cast<unsigned char>(t[end]))) ++end;
        if (end >= t.size() || t[end] != '.') continue;
        ++end;
        for (std::string_view dash : {"--", "\u2014", "\u2013", "-"})
            if (t.compare(end, dash.size(), dash) == 0) {
                end += dash.size();
                break;
            }
        if (std::string words = text::trimmedBlanks(std::string_view(t).substr(end)); !words.empty())
            headings.push_back({i, std::move(words)});
    }
    if (headings.size() < 2) return {};
    const auto labelNumber = [](std::string_view line) {
        const LineStart ls = readLineStart(line);
        return ls.kind == LineStart::Kind::Digits && ls.label.size() <= 6 ? std::stoi(ls.label) : -1;
    };
    SectionsCouplet out;
    out.sections = static_cast<int>(headings.size());
    bool labelled = false;
    std::size_t from = 0;
    for (std::size_t h = 0; h < headings.size(); ++h) {
        for (std::size_t i = from; i < headings[h].line; ++i) {
            out.lines.push_back(text[i]);
            out.origin.push_back(static_cast<int>(i));
        }
        const std::size_t next = h + 1 < headings.size() ? headings[h + 1].line : text.size();
        std::size_t first = headings[h].line + 1;
        while (first < next && text::trimmedBlanks(text[first]).empty()) ++first;
        if (first == next) return {};
        out.origin.push_back(static_cast<int>(headings[h].line));
        from = headings[h].line + 1;
        if (const int label = labelNumber(text[first]); label >= 0) {
            // The section's first couplet: the heading leads to it.
            out.lines.push_back("0. " + headings[h].words + "      " + std::to_string(label));
            labelled = true;
        } else {
            // One lead without label: the heading opens it.
            out.lines.push_back("0. " + headings[h].words + " " + text::trimmedBlanks(text[first]));
            from = first + 1;
            std::size_t last = first;
            while (last < next && !text::trimmedBlanks(text[last]).empty()) ++last;
            for (std::size_t i = first; i < last; ++i)
                if (labelNumber(text[i]) >= 0) return {};
        }
    }
    for (std::size_t i = from; i < text.size(); ++i) {
        out.lines.push_back(text[i]);
        out.origin.push_back(static_cast<int>(i));
    }
    if (!labelled) return {};
    return out;
}

}  // namespace sarvelo
