#include "documents/rich_text.hpp"

namespace sarvelo {

void Paragraph::append(std::string_view text, const CharFormat& format) {
    if (text.empty()) return;
    if (runs.empty() || runs.back().format != format) runs.push_back({std::string(), format});
    runs.back().text.append(text);
}

std::string Paragraph::text() const {
    std::string out;
    for (const auto& run : runs) out += run.text;
    return out;
}

std::vector<std::string> RichText::lines() const {
    std::vector<std::string> out;
    out.reserve(paragraphs.size());
    for (const auto& p : paragraphs) out.push_back(p.text());
    return out;
}

void RichText::splitLineBreaks() {
    std::vector<Paragraph> out;
    out.reserve(paragraphs.size());
    for (Paragraph& p : paragraphs) {
        Paragraph* line = &out.emplace_back();
        line->firstIndent = p.firstIndent;
        line->leftIndent = p.leftIndent;
        for (const TextRun& run : p.runs) {
            std::string_view rest = run.text;
            for (auto br = rest.find('\n'); br != std::string_view::npos; br = rest.find('\n')) {
                line->append(rest.substr(0, br), run.format);
                const Paragraph indents{{}, line->firstIndent, line->leftIndent};
                line = &out.emplace_back(indents);
                rest.remove_prefix(br + 1);
            }
            line->append(rest, run.format);
        }
    }
    paragraphs = std::move(out);
}

RichText RichText::fromLines(const std::vector<std::string>& lines) {
    RichText out;
    out.paragraphs.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) out.paragraphs[i].append(lines[i], {});
    return out;
}

}  // namespace sarvelo
