#include "interchange/printed.hpp"

#include <algorithm>
#include <vector>

#include "engine/text.hpp"

namespace sarvelo::interchange {

namespace {

constexpr std::string_view kOtherLead = "\u2013";  // the en dash of the leads after the first
constexpr std::size_t kIndent = 2;

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

std::string_view endOf(const Key& key, const Lead& lead) {
    return lead.couplet >= 0 ? std::string_view(key.couplets[static_cast<std::size_t>(lead.couplet)].number)
                             : std::string_view(lead.taxon);
}

// A label padded with spaces to `width` characters.
std::string padded(std::string_view label, std::size_t width) {
    std::string out(label);
    const std::size_t n = text::length(label);
    if (n < width) out.append(width - n, ' ');
    return out;
}

}  // namespace

std::string bracketedKey(const Key& key) {
    std::size_t width = 1;
    for (const Couplet& couplet : key.couplets) width = std::max(width, text::length(couplet.number) + 1);
    std::string out;
    out.reserve(key.couplets.size() * 2 * (kPrintedWidth + 4));
    for (const Couplet& couplet : key.couplets) {
        for (std::size_t i = 0; i < couplet.leads.size(); ++i) {
            const Lead& lead = couplet.leads[i];
            std::string start = padded(i == 0 ? couplet.number + "." : std::string(kOtherLead), width);
            start.append(" ").append(lead.text);
            appendLine(out, start, endOf(key, lead));
        }
    }
    return out;
}

std::string indentedKey(const Key& key) {
    std::string out;
    out.reserve(key.couplets.size() * 2 * (kPrintedWidth + 4));
    std::vector<char> placed(key.couplets.size(), 0);
    struct Place {
        int couplet;
        std::size_t lead;
        std::size_t depth;
    };
    std::vector<Place> stack;
    for (std::size_t root = 0; root < key.couplets.size(); ++root) {
        if (placed[root]) continue;
        placed[root] = 1;
        stack.push_back(Place{static_cast<int>(root), 0, 0});
        while (!stack.empty()) {
            Place& place = stack.back();
            const Couplet& couplet = key.couplets[static_cast<std::size_t>(place.couplet)];
            if (place.lead == couplet.leads.size()) {
                stack.pop_back();
                continue;
            }
            const Lead& lead = couplet.leads[place.lead++];
            std::string start(place.depth * kIndent, ' ');
            start.append(couplet.number).append(". ").append(lead.text);
            if (lead.couplet >= 0 && !placed[static_cast<std::size_t>(lead.couplet)]) {
                appendLine(out, start, {});
                placed[static_cast<std::size_t>(lead.couplet)] = 1;
                stack.push_back(Place{lead.couplet, 0, place.depth + 1});  // `place` is not used after this
            } else {
                appendLine(out, start, endOf(key, lead));
            }
        }
    }
    return out;
}

}  // namespace sarvelo::interchange
