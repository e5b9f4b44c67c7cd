// Many texts searched for in one pass: the determination separators, of which
// a key may list thousands, are all looked for in a line at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sarvelo {

// A short list is searched text by text (each search runs at memory speed);
// a long one through an Aho-Corasick automaton over the bytes of the texts.
// Each state knows the smallest list position among the texts that end there
// (through its suffix links), so a line is read once whatever the number of
// texts.
class SeparatorIndex {
public:
    explicit SeparatorIndex(const std::vector<std::string>& texts);

    // The position in the list of the first text, in list order, that occurs
    // anywhere in s; none when no text occurs (empty texts never do).
    std::optional<std::size_t> firstInList(std::string_view s) const;

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    static constexpr std::size_t kShortList = 16;
    std::uint32_t child(std::uint32_t state, unsigned char byte) const;
    std::uint32_t step(std::uint32_t state, unsigned char byte) const;

    std::unordered_map<std::uint64_t, std::uint32_t> children_;  // (state << 8 | byte) -> state
    std::vector<std::uint32_t> fail_;
    std::vector<std::uint32_t> best_;  // smallest list position ending here, kNone for none
    bool rootHasChildren_ = false;
    std::vector<std::string> shortList_;  // the texts themselves, when few
};

}  // namespace sarvelo
