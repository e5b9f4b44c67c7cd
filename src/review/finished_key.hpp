// The finished key: one compact line per lead, and its couplet ordering.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/table.hpp"

namespace sarvelo {

inline constexpr const char* kMsgNotAnInteger = "'%s' n'est pas une valeur entière correcte";

// One line per row of kind "->", "=>" or "VS", in table order.
std::vector<std::string> finishedKeyLines(const ResultTable& table);

struct OrderResult {
    std::vector<std::string> lines;  // the ordered lines (input unchanged on failure)
    std::optional<std::string> failure;  // the message, when a number part is not an integer
};

// "En ordre": the lines in couplet order.
OrderResult orderFinishedKey(const std::vector<std::string>& lines);

}  // namespace sarvelo
