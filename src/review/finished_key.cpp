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

namespace {

// Appends the finished-key line of a row; false for a row that gives none.
bool appendFinishedKeyLine(const ResultTable& table, int row, std::string& out) {
    // A view: compared with the kinds' texts without a call per comparison.
    const std::string_view kind = table.cell(row, kKind);
    if (kind != kReference && kind != kDetermination && kind != kSectionReference) return false;
    // A line break inside a cell (a "\\line" of a document) would split the entry.
    text::appendOneLine(out, table.cell(row, kNb));
    if (kind == kReference) {
        out += ',';
        text::appendOneLine(out, table.cell(row, kTarget));
        out += "$ ";
        text::appendOneLine(out, table.cell(row, kTexte));
    } else if (kind == kDetermination) {
        out += ",0$ ";
        text::appendOneLine(out, table.cell(row, kTexte));
        out += " $ ";
        text::appendOneLine(out, table.cell(row, kTarget));
    } else {
        out += ",0$ ";
        text::appendOneLine(out, table.cell(row, kTexte));
        out += " (Ss.-section ";
        text::appendOneLine(out, table.cell(row, kTarget));
        out += ')';
    }
    return true;
}

}  // namespace

std::vector<std::string> finishedKeyLines(const ResultTable& table) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(table.dataRows()));
    std::string line;
    for (int row = 1; row <= table.dataRows(); ++row) {
        line.clear();
        if (appendFinishedKeyLine(table, row, line)) lines.push_back(line);
    }
    return lines;
}

std::string finishedKeyText(const ResultTable& table) {
    // Sized first: a long key's text is written once, without regrowing.
    std::size_t size = 0;
    for (int row = 1; row <= table.dataRows(); ++row)
        size += table.cell(row, kNb).size() + table.cell(row, kTexte).size() + table.cell(row, kTarget).size() + 20;
    std::string out;
    out.reserve(size);
    for (int row = 1; row <= table.dataRows(); ++row)
        if (appendFinishedKeyLine(table, row, out)) out += '\n';
    return out;
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
