#include "documents/formatting_codes.hpp"

#include <algorithm>

#include "documents/char_analysis.hpp"
#include "engine/text.hpp"

namespace sarvelo {

namespace {

// The formats of a line's characters, one per character.
void characterFormats(const Paragraph& p, std::vector<const CharFormat*>& out) {
    out.clear();
    for (const TextRun& run : p.runs)
        for (std::size_t pos = 0; pos < run.text.size();) {
            text::nextChar(run.text, pos);
            out.push_back(&run.format);
        }
}

void lineCodes(std::size_t line, const Paragraph& p, const std::vector<const CharFormat*>& f, const KeyParams& params,
               std::vector<CodeInsertion>& out) {
    const std::size_t n = f.size();
    const int indent = indentNumber(p);
    if (params.Decalage && indent != 0)
        out.push_back({line, 0, ">>" + std::to_string(indent) + "<<", n ? 0 : std::string::npos});
    const std::size_t from = static_cast<std::size_t>(std::max(params.debut, 0));
    for (std::size_t k = from; k < n; ++k) {
        const CharFormat& c = *f[k];
        const CharFormat* prev = k > 0 ? f[k - 1] : nullptr;
        const CharFormat* next = k + 1 < n ? f[k + 1] : nullptr;
        std::string start;
        const int colour = colourNumber(c);
        if (params.Couleur && (prev ? colourNumber(*prev) != colour : colour != 0))
            start += "/" + std::to_string(colour) + "\\";
        if (params.L_Italique && c.italic && !(prev && prev->italic)) start += "#I#";
        if (params.Le_Souligne && c.underline && !(prev && prev->underline)) start += "#S#";
        if (params.Le_gras && c.bold && !(prev && prev->bold)) start += "#G#";
        if (!start.empty()) out.push_back({line, k, std::move(start), k});
        std::string end;
        if (params.plus_italique && c.italic && !(next && next->italic)) end += "#PI#";
        if (params.plus_souligne && c.underline && !(next && next->underline)) end += "#PS#";
        if (params.Plus_gras && c.bold && !(next && next->bold)) end += "#PG#";
        if (!end.empty()) out.push_back({line, k + 1, std::move(end), k});
    }
}

}  // namespace

int indentNumber(const Paragraph& paragraph) { return -paragraph.firstIndent / 20; }

std::vector<CodeInsertion> formattingCodes(const RichText& text, const KeyParams& params) {
    std::vector<CodeInsertion> out;
    std::vector<const CharFormat*> formats;
    for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
        characterFormats(text.paragraphs[i], formats);
        lineCodes(i, text.paragraphs[i], formats, params, out);
    }
    return out;
}

RichText withFormattingCodes(const RichText& text, const std::vector<CodeInsertion>& codes) {
    RichText out;
    out.paragraphs.reserve(text.paragraphs.size());
    auto code = codes.begin();
    std::vector<std::pair<std::string_view, const CharFormat*>> chars;
    for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
        const Paragraph& in = text.paragraphs[i];
        chars.clear();
        for (const TextRun& run : in.runs)
            for (std::size_t pos = 0; pos < run.text.size();) {
                const std::size_t start = pos;
                text::nextChar(run.text, pos);
                chars.emplace_back(std::string_view(run.text).substr(start, pos - start), &run.format);
            }
        Paragraph& p = out.paragraphs.emplace_back();
        p.firstIndent = in.firstIndent;
        p.leftIndent = in.leftIndent;
        for (std::size_t k = 0; k <= chars.size(); ++k) {
            for (; code != codes.end() && code->line == i && code->offset == k; ++code)
                p.append(code->code, code->formatOf < chars.size() ? *chars[code->formatOf].second : CharFormat{});
            if (k < chars.size()) p.append(chars[k].first, *chars[k].second);
        }
    }
    return out;
}

}  // namespace sarvelo
