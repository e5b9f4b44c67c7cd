// RTF reading: a single pass over the bytes with a stack of group states.
// It keeps paragraphs, bold, italic, underline, colour and the first-line
// and left indents, and steps over everything else (tables of fonts and
// styles, pictures, binary data, headers, footers, field instructions,
// ignorable destinations). Bad input never stops it: unbalanced braces,
// truncation and huge numbers give what could be read.
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "documents/encoding.hpp"
#include "documents/rich_text.hpp"
#include "engine/text.hpp"

namespace sarvelo {

namespace {

enum class Destination { Text, Skip, ColourTable };

struct GroupState {
    CharFormat format;
    int firstIndent = 0;
    int leftIndent = 0;
    int fallbackCount = 1;  // \ucN: characters that follow each \uN for older readers
    Destination destination = Destination::Text;
};

// Deeper groups share their parent's state, so that a flood of "{" cannot
// exhaust memory.
constexpr std::size_t kMaxDepth = 4096;
constexpr long kNumberLimit = 1'000'000'000;
// Indents beyond about 55 cm mean nothing on a page.
constexpr int kIndentLimit = 31680;

// Destinations whose content is not part of the text.
constexpr std::array kSkipped = {
    "fonttbl", "stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
    "footerr", "footerf", "footnote", "fldinst", "nonshppict", "pn", "pntxta", "pntxtb", "xe", "tc", "txe",
    "rxe", "bkmkstart", "bkmkend", "objdata", "listtable", "listoverridetable", "revtbl", "rsidtbl",
    "filetbl", "template", "annotation", "atnid", "atnauthor", "do", "ud", "xmlnstbl", "themedata",
    "colorschememapping", "datastore", "latentstyles", "generator", "userprops", "docvar", "pgdsctbl"};

bool isSkipped(std::string_view word) {
    return std::find(kSkipped.begin(), kSkipped.end(), word) != kSkipped.end();
}

struct Special {
    const char* word;
    const char* text;
};
constexpr std::array kSpecials = {
    Special{"tab", "\t"},           Special{"line", "\n"},          Special{"cell", "\t"},
    Special{"nestcell", "\t"},      Special{"emdash", "\u2014"},    Special{"endash", "\u2013"},
    Special{"bullet", "\u2022"},    Special{"lquote", "\u2018"},    Special{"rquote", "\u2019"},
    Special{"ldblquote", "\u201C"}, Special{"rdblquote", "\u201D"}, Special{"emspace", "\u2003"},
    Special{"enspace", "\u2002"},   Special{"qmspace", "\u2005"},   Special{"zwj", "\u200D"},
    Special{"zwnj", "\u200C"}};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    RichText read() {
        while (pos_ < in_.size() && !finished_) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                closeGroup();
            } else if (c == '\\') {
                ++pos_;
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                textByte(static_cast<unsigned char>(c));
            }
        }
        // A truncated file or a last paragraph without its end mark.
        if (!para_.runs.empty()) endParagraph();
        return std::move(out_);
    }

private:
    void openGroup() {
        pendingFallback_ = 0;
        if (depth_++ < kMaxDepth) stack_.push_back(state_);
    }

    void closeGroup() {
        pendingFallback_ = 0;
        ignorable_ = false;
        if (depth_ == 0) return;  // a "}" too many
        if (depth_-- <= kMaxDepth) {
            state_ = stack_.back();
            stack_.pop_back();
        }
        if (depth_ == 0) finished_ = true;  // the document's group is closed
    }

    void controlSequence() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_])) ++pos_;
        const std::string_view word = in_.substr(start, std::min<std::size_t>(pos_ - start, 32));
        bool hasNumber = false;
        long number = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && in_[pos_ + 1] >= '0' &&
            in_[pos_ + 1] <= '9') {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
            hasNumber = true;
            number = std::min(number * 10 + (in_[pos_] - '0'), kNumberLimit);
            ++pos_;
        }
        if (negative) number = -number;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        controlWord(word, hasNumber, number);
    }

    void controlSymbol(char c) {
        if (c == '*') {
            ignorable_ = true;
            return;
        }
        if (c == '\'') {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (hi < 0) return;
            const int lo = ++pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (lo < 0) return;  // a broken code is dropped with its digit
            ++pos_;
            if (consumeFallback()) return;
            emit(text::fromWindows1252(static_cast<unsigned char>(hi * 16 + lo)));
            return;
        }
        if (consumeFallback()) return;
        switch (c) {
            case '\\':
            case '{':
            case '}': textByte(static_cast<unsigned char>(c)); break;
            case '~': emit(0xA0); break;
            case '_': emit('-'); break;
            case '\r':
            case '\n': if (inText()) endParagraph(); break;
            default: break;  // \- optional hyphen, \: index entries, \| formulas
        }
    }

    void controlWord(std::string_view word, bool hasNumber, long number) {
        if (word == "bin") {
            // Binary data: skipped whatever the destination, braces included.
            const auto n = static_cast<std::size_t>(std::max(0L, number));
            pos_ += std::min(n, in_.size() - pos_);
            return;
        }
        if (state_.destination == Destination::Skip) return;
        const bool wasIgnorable = std::exchange(ignorable_, false);
        if (wasIgnorable || isSkipped(word)) {
            state_.destination = Destination::Skip;
            return;
        }
        if (word == "colortbl") {
            state_.destination = Destination::ColourTable;
            red_ = green_ = blue_ = -1;
            return;
        }
        if (state_.destination == Destination::ColourTable) {
            const int v = static_cast<int>(std::clamp(number, 0L, 255L));
            if (word == "red") red_ = v;
            else if (word == "green") green_ = v;
            else if (word == "blue") blue_ = v;
            return;
        }
        if (word == "u") {
            unicode(number);
            pendingFallback_ = state_.fallbackCount;
            return;
        }
        if (consumeFallback()) return;
        const bool on = !hasNumber || number != 0;
        CharFormat& f = state_.format;
        if (word == "b") f.bold = on;
        else if (word == "i") f.italic = on;
        else if (word == "ulnone") f.underline = false;
        else if (word.starts_with("ul") && word != "ulc") f.underline = on;
        else if (word == "cf") f.colour = colourAt(number);
        else if (word == "plain") f = CharFormat{};
        else if (word == "pard") state_.firstIndent = state_.leftIndent = 0;
        else if (word == "fi") state_.firstIndent = indent(number);
        else if (word == "li") state_.leftIndent = indent(number);
        else if (word == "uc") state_.fallbackCount = static_cast<int>(std::clamp(number, 0L, 16L));
        else if (word == "par") endParagraph();
        else if (word == "sect" || word == "page" || word == "row" || word == "nestrow") {
            if (word.ends_with("row")) dropCellTab();
            if (!para_.runs.empty()) endParagraph();
        } else {
            for (const auto& s : kSpecials)
                if (word == s.word && inText()) para_.append(s.text, state_.format);
        }
    }

    // A fallback character after \uN is read by older programs only.
    bool consumeFallback() {
        if (pendingFallback_ == 0) return false;
        --pendingFallback_;
        return true;
    }

    bool inText() const { return state_.destination == Destination::Text; }

    void textByte(unsigned char b) {
        ignorable_ = false;
        if (consumeFallback()) return;
        if (state_.destination == Destination::ColourTable) {
            if (b == ';') {
                colours_.push_back(red_ < 0 && green_ < 0 && blue_ < 0
                                       ? kAutomaticColour
                                       : std::max(red_, 0) + 256 * std::max(green_, 0) + 65536 * std::max(blue_, 0));
                red_ = green_ = blue_ = -1;
            }
            return;
        }
        if (state_.destination != Destination::Text) return;
        if (b < 0x80) {
            const char c = static_cast<char>(b);
            para_.append(std::string_view(&c, 1), state_.format);
        } else {
            emit(text::fromWindows1252(b));
        }
    }

    void unicode(long number) {
        if (!inText()) return;
        long code = number < 0 ? number + 65536 : number;
        if (code >= 0xD800 && code <= 0xDBFF) {
            highSurrogate_ = static_cast<char32_t>(code);
            return;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            code = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (code - 0xDC00) : 0xFFFD;
        } else if (highSurrogate_) {
            emit(0xFFFD);  // a high surrogate left alone
        }
        highSurrogate_ = 0;
        emit(code < 0 || code > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(code));
    }

    void emit(char32_t c) {
        if (!inText()) return;
        if (c == '\r') c = '\n';  // an escaped carriage return breaks the line as \line does
        std::string utf8;
        text::appendUtf8(utf8, c);
        para_.append(utf8, state_.format);
    }

    int colourAt(long index) const {
        return index >= 0 && index < static_cast<long>(colours_.size()) ? colours_[index] : kAutomaticColour;
    }

    static int indent(long twips) { return static_cast<int>(std::clamp<long>(twips, -kIndentLimit, kIndentLimit)); }

    // The tab written for the last cell of a table row.
    void dropCellTab() {
        if (!para_.runs.empty() && para_.runs.back().text.ends_with('\t')) {
            para_.runs.back().text.pop_back();
            if (para_.runs.back().text.empty()) para_.runs.pop_back();
        }
    }

    void endParagraph() {
        if (state_.destination != Destination::Text) return;
        highSurrogate_ = 0;
        para_.firstIndent = state_.firstIndent;
        para_.leftIndent = state_.leftIndent;
        out_.paragraphs.push_back(std::move(para_));
        para_ = Paragraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::size_t depth_ = 0;
    bool finished_ = false;
    bool ignorable_ = false;
    int pendingFallback_ = 0;
    char32_t highSurrogate_ = 0;
    GroupState state_;
    std::vector<GroupState> stack_;
    std::vector<int> colours_;
    int red_ = -1, green_ = -1, blue_ = -1;
    Paragraph para_;
    RichText out_;
};

}  // namespace

bool looksLikeRtf(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    while (!bytes.empty() && (bytes[0] == ' ' || bytes[0] == '\r' || bytes[0] == '\n' || bytes[0] == '\t'))
        bytes.remove_prefix(1);
    return bytes.starts_with("{\\rtf");
}

RtfReading readRtf(std::string_view bytes) {
    RtfReading result;
    result.wasRtf = looksLikeRtf(bytes);
    if (result.wasRtf) result.text = Reader(bytes).read();
    else {
        DecodedText decoded = decodeTextCounted(bytes);
        result.text = RichText::fromLines(text::splitLines(decoded.text));
        result.replaced = decoded.replaced;
    }
    return result;
}

}  // namespace sarvelo
