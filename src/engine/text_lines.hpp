// Lines of text with a small cost per line: the lines one after the other in
// one buffer and where each ends, so that a text of many short (or empty)
// lines costs four bytes a line instead of a string each. `LinesView` reads
// either this or a list of strings, the run's two kinds of input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarvelo {

class TextLines {
public:
    TextLines() = default;
    // Cut at "\r\n", "\r" and "\n", as `text::splitLines` cuts.
    static TextLines split(std::string_view text);
    // The same in the text's own room: the lines close up over their ends.
    static TextLines splitOwned(std::string&& text);
    static TextLines of(const std::vector<std::string>& lines);

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    void push_back(std::string_view line) { add(line); }
    // Keeps the first `count` lines (giving back the room of most of the text).
    void truncate(std::size_t count);
    std::vector<std::string> toLines() const;

private:
    void add(std::string_view line);

    std::string text_;
    std::vector<std::uint32_t> ends_;
};

// A read-only view of either kind of line list.
class LinesView {
public:
    LinesView(const std::vector<std::string>& lines) : lines_(&lines) {}  // NOLINT: a view converts
    LinesView(const TextLines& lines) : text_(&lines) {}                   // NOLINT: a view converts

    std::size_t size() const { return lines_ ? lines_->size() : text_->size(); }
    std::string_view operator[](std::size_t i) const { return lines_ ? std::string_view((*lines_)[i]) : (*text_)[i]; }

private:
    const std::vector<std::string>* lines_ = nullptr;
    const TextLines* text_ = nullptr;
};

}  // namespace sarvelo
