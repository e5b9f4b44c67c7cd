#include "engine/text_lines.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace sarvelo {

void TextLines::add(std::string_view line) {
    // Input files are bounded far below this; a text beyond it is refused
    // like any text too large for memory.
    if (text_.size() + line.size() > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
    text_.append(line);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

TextLines TextLines::split(std::string_view s) { return splitOwned(std::string(s)); }

TextLines TextLines::splitOwned(std::string&& s) {
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
    TextLines out;
    const bool returns = s.find('\r') != std::string::npos;
    std::size_t breaks = 1 + static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
    if (returns) breaks += static_cast<std::size_t>(std::count(s.begin(), s.end(), '\r'));
    out.ends_.reserve(breaks);
    out.text_ = std::move(s);
    std::string& t = out.text_;
    std::size_t start = 0;
    std::size_t kept = 0;  // where the next line goes: never after its start
    while (start < t.size()) {
        auto end = returns ? t.find_first_of("\r\n", start) : t.find('\n', start);
        if (end == std::string::npos) end = t.size();
        if (kept != start) std::memmove(t.data() + kept, t.data() + start, end - start);
        kept += end - start;
        out.ends_.push_back(static_cast<std::uint32_t>(kept));
        start = end + 1;
        if (end < t.size() && t[end] == '\r' && start < t.size() && t[start] == '\n') ++start;
    }
    t.resize(kept);
    if (t.capacity() > t.size() + t.size() / 4) t.shrink_to_fit();
    if (out.ends_.capacity() > out.ends_.size() + out.ends_.size() / 4) out.ends_.shrink_to_fit();
    return out;
}

TextLines TextLines::of(const std::vector<std::string>& lines) {
    TextLines out;
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size();
    out.text_.reserve(total);
    out.ends_.reserve(lines.size());
    for (const auto& line : lines) out.add(line);
    return out;
}

void TextLines::truncate(std::size_t count) {
    if (count >= ends_.size()) return;
    text_.resize(count == 0 ? 0 : ends_[count - 1]);
    ends_.resize(count);
    // Most of the text gone: its room goes too.
    if (text_.size() < text_.capacity() / 2) text_.shrink_to_fit();
    if (ends_.size() < ends_.capacity() / 2) ends_.shrink_to_fit();
}

std::vector<std::string> TextLines::toLines() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) out.emplace_back((*this)[i]);
    return out;
}

}  // namespace sarvelo
