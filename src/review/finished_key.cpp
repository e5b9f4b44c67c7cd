#include "review/finished_key.hpp"

#include "engine/text.hpp"

namespace sarvelo {

namespace {

constexpr std::size_t kPaddedWidth = 6;

struct Split {
    std::string_view number;  // before the first ","; empty without ","
    std::string_view rest;    // from that "," on; the whole line without ","
};

Split splitLine(std::string_view line) {
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) return {{}, line};
    return {line.substr(0, comma), line.substr(comma)};
}

}  // namespace

std::string notAnIntegerMessage(std::string_view value) {
    const std::string_view pattern = kMsgNotAnInteger;
    const auto at = pattern.find("%s");
    std::string message;
    message.reserve(pattern.size() + value.size());
    message.append(pattern.substr(0, at)).append(value).append(pattern.substr(at + 2));
    return message;
}

std::vector<std::string> finishedKeyLines(const ResultTable& table) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(table.dataRows()));
    for (int row = 1; row <= table.dataRows(); ++row) {
        const std::string& kind = table.cell(row, kKind);
        if (kind != kReference && kind != kDetermination && kind != kSectionReference) continue;
        // A line break inside a cell (a "\\line" of a document) would split the entry.
        const std::string nb = text::oneLine(table.cell(row, kNb));
        const std::string texte = text::oneLine(table.cell(row, kTexte));
        const std::string target = text::oneLine(table.cell(row, kTarget));
        if (kind == kReference)
            lines.push_back(nb + "," + target + "$ " + texte);
        else if (kind == kDetermination)
            lines.push_back(nb + ",0$ " + texte + " $ " + target);
        else if (kind == kSectionReference)
            lines.push_back(nb + ",0$ " + texte + " (Ss.-section " + target + ")");
    }
    return lines;
}

OrderResult orderFinishedKey(const std::vector<std::string>& lines) {
    // The number parts padded with zeros, so that a text sort is a numeric one.
    std::vector<std::string> padded;
    padded.reserve(lines.size());
    for (const auto& line : lines) {
        const Split parts = splitLine(line);
        const std::size_t width = text::length(parts.number) + 1;
        std::string withZeros(width < kPaddedWidth ? kPaddedWidth - width + 1 : 1, '0');
        withZeros.append(parts.number).append(parts.rest);
        padded.push_back(std::move(withZeros));
    }
    OrderResult result;
    result.lines.reserve(lines.size());
    for (std::size_t i : text::orderIgnoringCase(padded)) {
        // Read back: the text before the first "," (the whole line without one).
        const std::string_view line = padded[i];
        const auto comma = line.find(',');
        const std::string_view number = comma == std::string_view::npos ? line : line.substr(0, comma);
        const auto value = text::toInteger(number);
        if (!value) {
            result.lines = lines;
            result.failure = notAnIntegerMessage(number);
            return result;
        }
        result.lines.push_back(std::to_string(*value) +
                               std::string(comma == std::string_view::npos ? std::string_view{} : line.substr(comma)));
    }
    return result;
}

}  // namespace sarvelo
