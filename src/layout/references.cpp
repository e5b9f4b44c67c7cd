#include "layout/references.hpp"

#include "engine/text.hpp"
#include "layout/reshaping.hpp"

namespace sarvelo {

namespace {

// The leader characters a printed key sets between a lead and its destination.
std::size_t leaderCharAt(std::string_view s, std::size_t i) {
    for (std::string_view c : {" ", "\t", ".", "\u2026", "\u00B7", "_"})
        if (s.substr(i, c.size()) == c) return c.size();
    return 0;
}

// A run of leader characters that is a clear leader, not a sentence's stop.
bool clearLeader(std::string_view run) {
    return run.find("..") != std::string_view::npos || run.find(". .") != std::string_view::npos ||
           run.find('\t') != std::string_view::npos || run.find("\u2026") != std::string_view::npos ||
           run.find("\u00B7") != std::string_view::npos || run.find("   ") != std::string_view::npos;
}

// The leader that ends `s` (npos when it ends with none).
std::size_t trailingLeaderStart(std::string_view s) {
    std::size_t b = s.size();
    for (bool more = true; more && b > 0;) {
        more = false;
        for (std::size_t len : {1u, 2u, 3u})
            if (b >= len && leaderCharAt(s, b - len) == len) {
                b -= len;
                more = true;
                break;
            }
    }
    return b < s.size() && clearLeader(s.substr(b)) ? b : std::string_view::npos;
}

bool numberAlone(std::string_view s) {
    return !s.empty() && s.size() <= 3 && s.find_first_not_of("0123456789") == std::string_view::npos && s[0] != '0';
}

}  // namespace

BareReferences bareReferences(const Lines& text) {
    BareReferences out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::string line = text[k];
        const std::string t = text::trimmedBlanks(line);
        // A reference alone on the line after a lead that ends with a leader.
        if (numberAlone(t) && !out.lines.empty()) {
            std::string& before = out.lines.back();
            const std::string prior = text::trimmedBlanks(before);
            if (!prior.empty() && trailingLeaderStart(before) != std::string::npos && splitLeadEnding(prior).reference < 0) {
                while (!before.empty() && before.back() == ' ') before.pop_back();
                before += (before.ends_with("\t") ? "" : " ") + t;
                ++out.rewritten;
                continue;
            }
        }
        const LeadEnding read = splitLeadEnding(line);
        if (read.reference > 0 && read.sentOn && !read.text.empty()) {
            const std::size_t at = line.find(read.text);
            if (at != std::string::npos) {
                std::size_t end = at + read.text.size();
                const std::size_t from = end;
                while (end < line.size())
                    if (const std::size_t l = leaderCharAt(line, end)) end += l;
                    else break;
                // The user's leader kept; a reference with none gets one.
                const bool leader = clearLeader(std::string_view(line).substr(from, end - from));
                line = leader ? line.substr(0, end) : line.substr(0, from) + " ...";
                if (!line.ends_with(" ") && !line.ends_with("\t")) line += ' ';
                line += std::to_string(read.reference);
                ++out.rewritten;
            }
        }
        out.lines.push_back(std::move(line));
        out.origin.push_back(static_cast<int>(k));
    }
    if (out.rewritten < 2) return {};
    return out;
}

}  // namespace sarvelo
