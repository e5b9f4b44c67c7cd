// RTF writing: one paragraph per line, formatting written only where it
// changes, every non-ASCII character as \uN with a one-character fallback.
#include <string>
#include <unordered_map>
#include <vector>

#include "documents/rich_text.hpp"
#include "engine/text.hpp"

namespace sarvelo {

namespace {

void appendUnicode(std::string& out, char32_t c) {
    auto code = [&](unsigned unit, const char* fallback) {
        // RTF numbers are signed 16-bit values.
        out += "\\u";
        out += std::to_string(unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit));
        out += fallback;
    };
    if (c > 0xFFFF) {
        const unsigned v = static_cast<unsigned>(c) - 0x10000;
        code(0xD800 + (v >> 10), "?");
        code(0xDC00 + (v & 0x3FF), "?");
        return;
    }
    const int byte = text::toWindows1252(c);
    if (byte >= 0x80) {
        static const char* const hex = "0123456789abcdef";
        const char fallback[5] = {'\\', '\'', hex[byte >> 4], hex[byte & 15], 0};
        code(static_cast<unsigned>(c), fallback);
    } else {
        code(static_cast<unsigned>(c), "?");
    }
}

// Writes the control words that take `from` to `to`, then a delimiter.
void appendFormatChange(std::string& out, const CharFormat& from, const CharFormat& to,
                        const std::unordered_map<int, int>& colourIndex) {
    const std::size_t before = out.size();
    if (from.bold != to.bold) out += to.bold ? "\\b" : "\\b0";
    if (from.italic != to.italic) out += to.italic ? "\\i" : "\\i0";
    if (from.underline != to.underline) out += to.underline ? "\\ul" : "\\ulnone";
    if (from.colour != to.colour) {
        out += "\\cf";
        out += std::to_string(to.colour == kAutomaticColour ? 0 : colourIndex.at(to.colour));
    }
    if (out.size() != before) out += ' ';
}

}  // namespace

void appendRtfText(std::string& out, std::string_view s) {
    std::size_t p = 0;
    while (p < s.size()) {
        const auto b = static_cast<unsigned char>(s[p]);
        if (b >= 0x20 && b < 0x7F) {
            if (b == '\\' || b == '{' || b == '}') out += '\\';
            out += static_cast<char>(b);
            ++p;
            continue;
        }
        if (b == '\r' || b == '\n') {
            // A line break inside a paragraph, whichever way it was written.
            out += "\\line ";
            p += (b == '\r' && p + 1 < s.size() && s[p + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (b == '\t') {
            out += "\\tab ";
            ++p;
            continue;
        }
        appendUnicode(out, text::nextChar(s, p));
    }
}

std::string writeRtf(const RichText& doc) {
    std::unordered_map<int, int> colourIndex;
    std::vector<int> colours;
    std::size_t size = 0;
    for (const auto& para : doc.paragraphs)
        for (const auto& run : para.runs) {
            size += run.text.size() + 8;
            const int c = run.format.colour;
            if (c != kAutomaticColour && colourIndex.emplace(c, static_cast<int>(colours.size()) + 1).second)
                colours.push_back(c);
        }

    std::string out;
    out.reserve(size + size / 4 + 256);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n{\\colortbl ;";
    for (const int c : colours) {
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    }
    // Word processors that see no generator take the file for Word's and turn
    // runs of spaces into other characters; naming ours keeps "[Separ2]  ..." whole.
    out += "}\n{\\*\\generator Sarvelo;}\\viewkind4\\plain\\f0\\fs20\n";

    CharFormat current;
    for (const auto& para : doc.paragraphs) {
        out += "\\pard";
        if (para.firstIndent) out += "\\fi" + std::to_string(para.firstIndent);
        if (para.leftIndent) out += "\\li" + std::to_string(para.leftIndent);
        out += ' ';
        for (const auto& run : para.runs) {
            appendFormatChange(out, current, run.format, colourIndex);
            current = run.format;
            appendRtfText(out, run.text);
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

}  // namespace sarvelo
