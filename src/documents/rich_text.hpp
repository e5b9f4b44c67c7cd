// The working text with its formatting, without Qt: paragraphs (the lines
// of the key) made of runs of equally formatted characters. Read from and
// written to RTF by rtf_reader.cpp and rtf_writer.cpp.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarvelo {

// The editor's automatic colour: no colour of its own.
inline constexpr int kAutomaticColour = -1;

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = kAutomaticColour;  // red + 256 × green + 65536 × blue, or automatic
    bool operator==(const CharFormat&) const = default;
};

struct TextRun {
    std::string text;  // UTF-8; "\n" is a line break inside the paragraph, "\t" a tab
    CharFormat format;
    bool operator==(const TextRun&) const = default;
};

struct Paragraph {
    std::vector<TextRun> runs;
    int firstIndent = 0;  // first line, relative to the left indent, in twips (may be negative)
    int leftIndent = 0;   // in twips
    bool operator==(const Paragraph&) const = default;

    // Adds text, joining it to the last run when the format is the same.
    void append(std::string_view text, const CharFormat& format);
    std::string text() const;
};

struct RichText {
    std::vector<Paragraph> paragraphs;
    bool operator==(const RichText&) const = default;

    std::vector<std::string> lines() const;
    // Every line break inside a paragraph ("\n") starts a paragraph of its
    // own, with the same indents: each line of a key is a paragraph.
    void splitLineBreaks();
    // Unformatted paragraphs, one per line.
    static RichText fromLines(const std::vector<std::string>& lines);
};

// --- RTF ----------------------------------------------------------------

struct RtfReading {
    RichText text;
    bool wasRtf = false;  // false: the bytes were read as plain text
    std::size_t replaced = 0;  // plain text: bad bytes of UTF-8 read as U+FFFD
};

// The bytes begin as RTF does ("{\rtf", after a byte-order mark or blanks).
bool looksLikeRtf(std::string_view bytes);

// Reads RTF as word processors write it, as far as paragraphs, character
// formatting and indents go; anything else (a file not starting with
// "{\rtf") is read as plain text, Windows-1252 or UTF-8. Never fails: broken
// or truncated RTF gives what could be read.
RtfReading readRtf(std::string_view bytes);

// Writes RTF that word processors open; every character that is not ASCII
// is written as a Unicode code with a Windows-1252 (or "?") fallback.
std::string writeRtf(const RichText& text);
// Text as RTF writes it: "\\", "{" and "}" escaped, line breaks as \line,
// tabs as \tab, every non-ASCII character as a Unicode code.
void appendRtfText(std::string& out, std::string_view text);

}  // namespace sarvelo
