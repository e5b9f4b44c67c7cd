#include "interchange/printed.hpp"

#include <algorithm>

#include "documents/rich_text.hpp"
#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

constexpr std::string_view kOtherLead = "\u2013";  // the en dash of the leads after the first
constexpr std::size_t kIndent = 2;

// The couplet number as labels write it: "2." or, with back-references, "2(1).".
std::vector<std::string> coupletLabels(const Key& key, const PrintedOptions& options) {
    std::vector<int> from(key.couplets.size(), -1);
    if (options.backReferences)
        for (std::size_t c = 0; c < key.couplets.size(); ++c)
            for (const Lead& lead : key.couplets[c].leads)
                if (lead.couplet >= 0 && from[static_cast<std::size_t>(lead.couplet)] < 0)
                    from[static_cast<std::size_t>(lead.couplet)] = static_cast<int>(c);
    std::vector<std::string> labels;
    labels.reserve(key.couplets.size());
    for (std::size_t c = 0; c < key.couplets.size(); ++c) {
        std::string label = text::oneLine(key.couplets[c].number);
        if (from[c] >= 0) label += "(" + text::oneLine(key.couplets[static_cast<std::size_t>(from[c])].number) + ")";
        labels.push_back(label + ".");
    }
    return labels;
}

PrintedLead leadOf(const Key& key, const Lead& lead, std::string label, bool first, int level) {
    const bool taxon = lead.couplet < 0;
    MarkedText statement = readMarkup(text::oneLine(lead.text));
    return PrintedLead{std::move(label),
                       std::move(statement.text),
                       std::move(statement.italics),
                       taxon ? readMarkup(text::oneLine(lead.taxon)).text
                             : text::oneLine(key.couplets[static_cast<std::size_t>(lead.couplet)].number),
                       taxon,
                       first,
                       level,
                       {}};
}

// A linked key starts under its heading wherever its couplets begin, in
// either layout (the main key, first, needs none: the title heads it).
void addHeadings(const Key& key, const std::vector<int>& coupletOfLead, PrintedLayout& layout) {
    const std::string* open = nullptr;
    for (std::size_t i = 0; i < layout.leads.size(); ++i) {
        const std::string& subkey = key.couplets[static_cast<std::size_t>(coupletOfLead[i])].subkey;
        if (!layout.leads[i].first || (open ? *open == subkey : subkey.empty())) continue;
        open = &subkey;
        if (!subkey.empty()) layout.leads[i].heading = std::string(kLinkedKeyPrefix) + text::oneLine(subkey);
    }
}

// `start` then a dot leader up to the width, then the end of the lead.
void appendLine(std::string& out, std::string_view start, std::string_view end) {
    out += start;
    if (!end.empty()) {
        const std::size_t used = text::length(start) + text::length(end) + 2;
        out += ' ';
        out.append(used < kPrintedWidth ? std::max<std::size_t>(kPrintedWidth - used, 3) : 3, '.');
        out += ' ';
        out += end;
    }
    out += '\n';
}

}  // namespace

PrintedLayout bracketedLayout(const Key& key, const PrintedOptions& options) {
    const std::vector<std::string> labels = coupletLabels(key, options);
    PrintedLayout layout;
    layout.leads.reserve(key.couplets.size() * 2);
    std::vector<int> coupletOfLead;
    coupletOfLead.reserve(key.couplets.size() * 2);
    for (std::size_t c = 0; c < key.couplets.size(); ++c) {
        const auto& leads = key.couplets[c].leads;
        for (std::size_t i = 0; i < leads.size(); ++i) {
            layout.leads.push_back(leadOf(key, leads[i], i == 0 ? labels[c] : std::string(kOtherLead), i == 0, 0));
            coupletOfLead.push_back(static_cast<int>(c));
        }
    }
    addHeadings(key, coupletOfLead, layout);
    return layout;
}

PrintedLayout indentedLayout(const Key& key, const PrintedOptions& options) {
    const std::vector<std::string> labels = coupletLabels(key, options);
    PrintedLayout layout;
    layout.indented = true;
    layout.leads.reserve(key.couplets.size() * 2);
    std::vector<char> placed(key.couplets.size(), 0);
    std::vector<int> coupletOfLead;
    coupletOfLead.reserve(key.couplets.size() * 2);
    struct Place {
        int couplet;
        std::size_t lead;
        int depth;
    };
    std::vector<Place> stack;
    for (std::size_t root = 0; root < key.couplets.size(); ++root) {
        if (placed[root]) continue;
        placed[root] = 1;
        stack.push_back(Place{static_cast<int>(root), 0, 0});
        while (!stack.empty()) {
            Place& place = stack.back();
            const auto c = static_cast<std::size_t>(place.couplet);
            const Couplet& couplet = key.couplets[c];
            if (place.lead == couplet.leads.size()) {
                stack.pop_back();
                continue;
            }
            const bool first = place.lead == 0;
            const Lead& lead = couplet.leads[place.lead++];
            const int depth = place.depth;
            std::string label = labels[c];
            if (depth > kMaxPrintedLevel) label = "[" + std::to_string(depth + 1) + "] " + label;
            PrintedLead& printed = layout.leads.emplace_back(
                leadOf(key, lead, std::move(label), first, std::min(depth, kMaxPrintedLevel)));
            coupletOfLead.push_back(place.couplet);
            if (lead.couplet >= 0 && !placed[static_cast<std::size_t>(lead.couplet)]) {
                printed.end.clear();
                placed[static_cast<std::size_t>(lead.couplet)] = 1;
                stack.push_back(Place{lead.couplet, 0, depth + 1});  // `place` is not used after this
            }
        }
    }
    addHeadings(key, coupletOfLead, layout);
    return layout;
}

std::string printedText(const PrintedLayout& layout) {
    std::size_t width = 1;
    if (!layout.indented)
        for (const PrintedLead& lead : layout.leads) width = std::max(width, text::length(lead.label));
    std::string out;
    out.reserve(layout.leads.size() * (kPrintedWidth + 4));
    std::string start;
    for (const PrintedLead& lead : layout.leads) {
        if (!lead.heading.empty()) out.append("\n").append(lead.heading).append("\n");
        start.assign(static_cast<std::size_t>(lead.level) * kIndent, ' ');
        start += lead.label;
        if (!layout.indented) start.append(width - std::min(width, text::length(lead.label)), ' ');
        start.append(" ").append(lead.text);
        appendLine(out, start, lead.end);
    }
    return out;
}

std::string printedRtf(const PrintedLayout& layout, const std::string& title) {
    // A4, 2 cm margins; 11 pt serif as books set keys.
    constexpr int kPaperWidth = 11906, kMargin = 1134, kRight = kPaperWidth - 2 * kMargin;
    constexpr int kLevelIndent = 360;
    std::size_t widest = 1;
    for (const PrintedLead& lead : layout.leads) widest = std::max(widest, text::length(lead.label));
    // About a digit's width at 11 pt a character, and a gap before the text.
    const int hang = std::max<int>(425, static_cast<int>(std::min<std::size_t>(widest, 24)) * 125 + 140);
    std::string out;
    out.reserve(layout.leads.size() * 160 + 512);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\n"
           "{\\*\\generator Sarvelo;}\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134"
           "\\viewkind4\\plain\\f0\\fs22\n";
    if (!title.empty()) {
        out += "\\pard\\qc\\sa240\\b\\fs28 ";
        appendRtfText(out, text::oneLine(title));
        out += "\\b0\\fs22\\par\n";
    }
    for (const PrintedLead& lead : layout.leads) {
        if (!lead.heading.empty()) {
            out += "\\pard\\keepn\\sb360\\sa120\\b ";
            appendRtfText(out, lead.heading);
            out += "\\b0\\par\n";
        }
        const int left = lead.level * kLevelIndent + hang;
        out += "\\pard\\li" + std::to_string(left) + "\\fi-" + std::to_string(hang) + "\\sa40";
        if (lead.first) out += "\\sb120";
        out += "\\tx" + std::to_string(left) + "\\tqr\\tldot\\tx" + std::to_string(kRight) + ' ';
        appendRtfText(out, lead.label);
        out += "\\tab ";
        std::size_t at = 0;
        for (const auto& [from, to] : lead.italics) {
            appendRtfText(out, std::string_view(lead.text).substr(at, from - at));
            out += "{\\i ";
            appendRtfText(out, std::string_view(lead.text).substr(from, to - from));
            out += '}';
            at = to;
        }
        appendRtfText(out, std::string_view(lead.text).substr(at));
        if (!lead.end.empty()) {
            out += "\\tab ";
            if (lead.taxon) out += "{\\i ";
            appendRtfText(out, lead.end);
            if (lead.taxon) out += '}';
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

}  // namespace sarvelo::interchange
