#include "documents/config_entries.hpp"

#include <algorithm>
#include <string_view>

#include "engine/text.hpp"
#include "review/finished_key.hpp"

namespace sarvelo {

namespace {

void addEntry(std::vector<std::string>& out, std::string_view name, std::string_view lead, std::string_view rest) {
    std::string line;
    line.reserve(name.size() + lead.size() + rest.size() + 2);
    line.append("[").append(name).append("]").append(lead).append(rest);
    out.push_back(std::move(line));
}

void addValue(std::vector<std::string>& out, const ParamInfo& info, const std::string* text) {
    addEntry(out, info.name, " ", *text);
}
void addValue(std::vector<std::string>& out, const ParamInfo& info, const bool* ticked) {
    addEntry(out, info.name, *ticked ? info.caption : " ", {});
}
void addValue(std::vector<std::string>& out, const ParamInfo& info, const int* number) {
    addEntry(out, info.name, " ", std::to_string(*number));
}
void addValue(std::vector<std::string>& out, const ParamInfo& info, const TextList* items) {
    for (const auto& item : *items) addEntry(out, info.name, " ", item);
}

// Sets the parameter from one entry's value; false when a number is needed
// and the value is not one.
bool setValue(const ParamInfo&, std::string* text, const std::string& value) {
    *text = value;
    return true;
}
bool setValue(const ParamInfo&, bool* ticked, const std::string& value) {
    *ticked = !value.empty();
    return true;
}
bool setValue(const ParamInfo& info, int* number, const std::string& value) {
    const auto read = text::toInteger(value);
    if (!read) return false;
    // A choice out of its items reads as the nearest end: none below, the
    // last item above.
    const int lowest = info.kind == ParamKind::Choice ? -1 : info.minimum;
    *number = std::clamp(*read, lowest, info.maximum);
    return true;
}
bool setValue(const ParamInfo&, TextList* items, const std::string& value) {
    items->push_back(value);
    return true;
}

// Applies the lines in order. With `listsNamed`, a list starts empty at the
// first line that names it (the set records those already emptied).
std::optional<std::string> applyLines(KeyParams& p, const std::vector<std::string>& lines,
                                      std::set<std::string_view>* listsNamed) {
    for (const auto& line : lines) {
        // The name runs from the second character to the first "]".
        const std::size_t start = text::byteOffsetOfChar(line, 1);
        const auto close = line.find(']');
        if (close == std::string::npos || close <= start) continue;  // no "]", or an empty name
        const std::string_view name = std::string_view(line).substr(start, close - start);
        const ParamInfo* info = findParam(name);
        if (!info) continue;
        if (listsNamed && (info->kind == ParamKind::List || info->kind == ParamKind::Lines) &&
            listsNamed->insert(info->name).second)
            std::get<TextList*>(fieldOf(p, *info))->clear();
        // The character right after "]" (normally the space) is not part of the value.
        std::string_view rest = std::string_view(line).substr(close + 1);
        rest.remove_prefix(text::byteOffsetOfChar(rest, 1));
        const std::string value(rest);
        const bool ok = std::visit([&](auto* field) { return setValue(*info, field, value); }, fieldOf(p, *info));
        if (!ok) return notAnIntegerMessage(value);
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> configurationEntries(const KeyParams& p) {
    std::vector<std::string> out;
    for (const auto& info : paramInfos())
        std::visit([&](const auto* field) { addValue(out, info, field); }, fieldOf(p, info));
    return out;
}

std::optional<std::string> applyConfiguration(KeyParams& p, const std::vector<std::string>& lines,
                                              const std::set<std::string, std::less<>>& leaveAlone) {
    {
        KeyParams before = p;
        blankParams(p);
        for (const auto& info : paramInfos()) {
            if (!leaveAlone.contains(info.name)) continue;
            std::visit([&](auto* field) { *field = *std::get<decltype(field)>(fieldOf(before, info)); },
                       fieldOf(p, info));
        }
    }
    return applyLines(p, lines, nullptr);
}

std::optional<std::string> applyConfigurationOver(KeyParams& p, const std::vector<std::string>& lines) {
    std::set<std::string_view> named;
    return applyLines(p, lines, &named);
}

SplitDocument splitDocument(const std::vector<std::string>& lines) {
    SplitDocument doc;
    const auto marker = std::find(lines.begin(), lines.end(), kConfigurationMarker);
    doc.keyText.assign(lines.begin(), marker);
    if (marker != lines.end()) {
        doc.hasMarker = true;
        doc.configuration.assign(marker + 1, lines.end());
    }
    return doc;
}

}  // namespace sarvelo
