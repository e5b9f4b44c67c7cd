// The configuration block of a key document: one "[Name] value" line per
// stored parameter value, after the marker line.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/parameters.hpp"

namespace sarvelo {

inline constexpr const char* kConfigurationMarker = "Configuration pour Sarvelo";

// The entry lines of a parameter set, in entry-table order. A value holding a
// line break keeps it: the key document writes it inside the entry's
// paragraph, so that the entry stays one line. Values are read whole.
std::vector<std::string> configurationEntries(const KeyParams& p);

// Applies configuration lines: every parameter blanked first (those named in
// `leaveAlone` keep their value through that), then each line in order.
// Lines without a usable name, or naming no parameter, are skipped. A number
// or choice whose value is not an integer stops the application: the
// parameters keep what the earlier lines gave them and the message is returned.
std::optional<std::string> applyConfiguration(KeyParams& p, const std::vector<std::string>& lines,
                                              const std::set<std::string, std::less<>>& leaveAlone = {});

// Applies configuration lines over the values the record already holds (for
// hand-written files that name only some parameters): a list or lines
// parameter named by the lines starts empty at its first entry, every other
// parameter keeps its value unless a line sets it. Same errors as above.
std::optional<std::string> applyConfigurationOver(KeyParams& p, const std::vector<std::string>& lines);

// A loaded document: the key text before the first marker line, the
// configuration lines after it. Without a marker line, all of it is key text.
struct SplitDocument {
    std::vector<std::string> keyText;
    std::vector<std::string> configuration;
    bool hasMarker = false;
};
SplitDocument splitDocument(const std::vector<std::string>& lines);

}  // namespace sarvelo
