// The finished key: one compact line per lead, and its couplet ordering.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/table.hpp"

namespace sarvelo {

inline constexpr const char* kMsgNotAnInteger = "'%s' n'est pas une valeur entière correcte";
// The message above about this value.
std::string notAnIntegerMessage(std::string_view value);

// One line per row of kind "->", "=>" or "VS", in table order.
std::vector<std::string> finishedKeyLines(const ResultTable& table);
// The same lines as one text, each ended by "\n", without a string per line.
std::string finishedKeyText(const ResultTable& table);

struct OrderResult {
    std::vector<std::string> lines;  // the ordered lines (input unchanged on failure)
    std::optional<std::string> failure;  // the message, when a number part is not an integer
};

// "En ordre": the lines in couplet order. Lines that compare equal (ignoring
// case) keep their order, so the result never depends on the sort.
OrderResult orderFinishedKey(const std::vector<std::string>& lines);

}  // namespace sarvelo
