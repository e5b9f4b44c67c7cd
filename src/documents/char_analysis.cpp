#include "documents/char_analysis.hpp"

#include "engine/text.hpp"

namespace sarvelo {

namespace {

const char* invisibleName(char32_t c) {
    switch (c) {
        case ' ': return "Espace";
        case '\t': return "Tabulation";
        case '\r':
        case '\n': return "Entrer";
        default: return "";
    }
}

std::string styleOf(const CharFormat& f) {
    std::string s;
    if (f.bold) s += "G.";
    if (f.underline) s += "S.";
    if (f.italic) s += "I.";
    return s.empty() ? "Normal" : s;
}

void addColumn(std::vector<AnalysisColumn>& out, char32_t c, const CharFormat& f) {
    AnalysisColumn& column = out.emplace_back();
    text::appendUtf8(column.character, c);
    column.name = invisibleName(c);
    column.style = styleOf(f);
    column.colour = std::to_string(colourNumber(f));
}

}  // namespace

int colourNumber(const CharFormat& format) {
    return format.colour == kAutomaticColour ? kAutomaticColourNumber : format.colour;
}

std::vector<AnalysisColumn> analyseCharacters(const RichText& selection) {
    std::vector<AnalysisColumn> out;
    for (std::size_t i = 0; i < selection.paragraphs.size(); ++i) {
        const Paragraph& p = selection.paragraphs[i];
        for (const TextRun& run : p.runs)
            for (std::size_t pos = 0; pos < run.text.size();) addColumn(out, text::nextChar(run.text, pos), run.format);
        if (i + 1 < selection.paragraphs.size())
            addColumn(out, '\n', p.runs.empty() ? CharFormat{} : p.runs.back().format);
    }
    return out;
}

}  // namespace sarvelo
