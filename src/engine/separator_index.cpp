#include "engine/separator_index.hpp"

#include <algorithm>

namespace sarvelo {

namespace {
std::uint64_t edge(std::uint32_t state, unsigned char byte) { return (std::uint64_t{state} << 8) | byte; }
}  // namespace

SeparatorIndex::SeparatorIndex(const std::vector<std::string>& texts) : fail_(1, 0), best_(1, kNone) {
    if (texts.size() <= kShortList) {
        shortList_ = texts;
        return;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        std::uint32_t state = 0;
        for (const char c : texts[i]) {
            const auto b = static_cast<unsigned char>(c);
            std::uint32_t next = child(state, b);
            if (next == kNone) {
                next = static_cast<std::uint32_t>(best_.size());
                best_.push_back(kNone);
                fail_.push_back(0);
                children_.emplace(edge(state, b), next);
            }
            state = next;
        }
        best_[state] = std::min(best_[state], static_cast<std::uint32_t>(i));
    }
    rootHasChildren_ = best_.size() > 1;

    // Suffix links breadth first, so that a state's link is complete before
    // its children need it. The children of each state come from one sweep of
    // the edges grouped by parent.
    std::vector<std::vector<std::pair<unsigned char, std::uint32_t>>> kids(best_.size());
    for (const auto& [key, to] : children_) kids[key >> 8].emplace_back(static_cast<unsigned char>(key & 0xFF), to);
    std::vector<std::uint32_t> queue;
    queue.reserve(best_.size());
    for (const auto& [b, to] : kids[0]) queue.push_back(to);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t state = queue[head];
        best_[state] = std::min(best_[state], best_[fail_[state]]);
        for (const auto& [b, to] : kids[state]) {
            std::uint32_t f = fail_[state];
            while (f != 0 && child(f, b) == kNone) f = fail_[f];
            const std::uint32_t link = child(f, b);
            fail_[to] = link != kNone && link != to ? link : 0;
            queue.push_back(to);
        }
    }
}

std::uint32_t SeparatorIndex::child(std::uint32_t state, unsigned char byte) const {
    const auto it = children_.find(edge(state, byte));
    return it == children_.end() ? kNone : it->second;
}

std::uint32_t SeparatorIndex::step(std::uint32_t state, unsigned char byte) const {
    for (;;) {
        const std::uint32_t next = child(state, byte);
        if (next != kNone) return next;
        if (state == 0) return 0;
        state = fail_[state];
    }
}

std::optional<std::size_t> SeparatorIndex::firstInList(std::string_view s) const {
    if (!shortList_.empty()) {
        for (std::size_t i = 0; i < shortList_.size(); ++i)
            if (!shortList_[i].empty() && s.find(shortList_[i]) != std::string_view::npos) return i;
        return std::nullopt;
    }
    if (!rootHasChildren_) return std::nullopt;
    std::uint32_t state = 0;
    std::uint32_t best = kNone;
    for (const char c : s) {
        state = step(state, static_cast<unsigned char>(c));
        best = std::min(best, best_[state]);
        if (best == 0) break;  // nothing comes before the first entry
    }
    if (best == kNone) return std::nullopt;
    return best;
}

}  // namespace sarvelo
