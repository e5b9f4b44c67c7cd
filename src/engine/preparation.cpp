// The preparation: the working text becomes a list in which every line is a
// lead, a comment, a section heading or a marked line. The pass runs from the
// last line upwards so that chains of continuation lines resolve completely.
#include <algorithm>
#include <cstring>
#include <optional>

#include "engine/engine.hpp"
#include "engine/text.hpp"

namespace sarvelo {

bool preconditionMet(const KeyParams& p) { return !p.Liste_separ_3.empty(); }

void addJoinedDeterminationSeparator(KeyParams& p) {
    if (p.Sans_numero != 4) return;
    if (std::find(p.Liste_separ_3.begin(), p.Liste_separ_3.end(), "=>") == p.Liste_separ_3.end())
        p.Liste_separ_3.emplace_back("=>");
}

namespace {

// A line's text with room before it: the pass joins a line to the block
// below it, which grows downwards as it absorbs lines, so the new text goes in
// front. Prepending with spare room costs the size of the prepended part
// only, which keeps a chain of joins linear. Until something is prepended the
// text is the user's line itself, not a copy; the room is taken from the
// prepared text's arena, where the line then stays.
class FrontText {
public:
    explicit FrontText(std::string_view s) : begin_(s.data()), size_(s.size()) {}
    std::string_view view() const { return {begin_, size_}; }
    bool empty() const { return size_ == 0; }
    void prepend(std::string_view s, TextArena& arena) {
        if (s.empty()) return;
        if (!room_ || s.size() > static_cast<std::size_t>(begin_ - room_)) {
            const std::size_t before = s.size() + std::max(size_, std::size_t{16});
            char* grown = arena.allocate(before + size_);
            if (size_) std::memcpy(grown + before, begin_, size_);
            room_ = grown;
            begin_ = grown + before;
        }
        char* start = room_ + (begin_ - room_) - s.size();
        std::memcpy(start, s.data(), s.size());
        begin_ = start;
        size_ += s.size();
    }
    // The text as the arena keeps it.
    std::string_view take(TextArena& arena) const { return room_ ? view() : arena.store(view()); }

private:
    const char* begin_;
    std::size_t size_;
    char* room_ = nullptr;  // the owned room's start; none while borrowed
};

struct Line {
    FrontText text;
    int origin;
    int last;  // the user's last line joined into this one
};

// `current` (the user's line, not copied yet) takes the place of `block`
// with `current + sep + block` as text.
Line joined(std::string_view current, int origin, std::string_view sep, Line&& block, TextArena& arena) {
    block.text.prepend(sep, arena);
    block.text.prepend(current, arena);
    return Line{std::move(block.text), origin, block.last};
}

}  // namespace

PreparedText prepareLines(LinesView working, const KeyParams& p, Host& host) {
    const int n = static_cast<int>(working.size());
    host.setProgressMaximum(std::max(n - 2, 0));

    // Lines 0..i wait untouched in `working`; the lines already examined sit
    // in `below` in reverse order (its back is line i + 1), so that deleting
    // or joining line i + 1 costs nothing. A line is copied only when it
    // reaches `below`, and an empty one leaves it at the next step: a text of
    // blank lines costs nothing per line.
    std::vector<Line> below;
    // It never holds more than the text's non-empty lines and one more: its
    // room taken once, a long key's lines are not moved and faulted in again
    // at every doubling.
    std::size_t nonEmpty = 0;
    for (std::size_t i = 0; i < working.size(); ++i) nonEmpty += !working[i].empty();
    below.reserve(nonEmpty + 1);
    if (n > 0) below.push_back({FrontText(working[static_cast<std::size_t>(n - 1)]), n - 1, n - 1});

    PreparedText out;
    const std::string sectionStart = text::upper(p.section_depart);
    for (int i = n - 2; i >= 0; --i) {
        host.setProgress(static_cast<int>(below.size()) - 1);
        // The user's line is copied only when it stays a line of its own: a
        // line joined to the block below goes straight in front of it.
        const std::string_view line = working[static_cast<std::size_t>(i)];
        std::optional<Line> current;
        const auto take = [&](std::string_view sep) {
            Line block = std::move(below.back());
            below.pop_back();
            current = joined(current ? current->text.view() : line, i, sep, std::move(block), out.text);
        };

        if (!p.remonte_si.empty() && !below.empty() && text::startsWith(below.back().text.view(), p.remonte_si)) take(" ");

        if (!below.empty()) {
            Line& nextLine = below.back();
            const std::string_view next = nextLine.text.view();
            if (next.empty()) {
                below.pop_back();
            } else if (avec_numero(p, next)) {
            } else if (text::startsWithUpper(next, "REM")) {
            } else if (!sectionStart.empty() && text::startsWithUpper(next, sectionStart)) {
            } else {
                switch (p.Sans_numero) {
                    case 0: take(" "); break;
                    case 1: nextLine.text.prepend(kSameAsAbove, out.text); break;
                    case 2: nextLine.text.prepend(kSameAsBelow, out.text); break;
                    case 3: nextLine.text.prepend(kComment, out.text); break;
                    case 4: take(kJoinedDetermination); break;
                    default: below.pop_back(); break;
                }
            }
        }
        below.push_back(current ? std::move(*current) : Line{FrontText(line), i, i});
    }

    out.lines.reserve(below.size());
    out.origin.reserve(below.size());
    out.last.reserve(below.size());
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        out.lines.push_back(it->text.take(out.text));
        out.origin.push_back(it->origin);
        out.last.push_back(it->last);
    }
    host.setProgress(0);
    return out;
}

}  // namespace sarvelo
