#include "review/line_index.hpp"

#include <algorithm>

#include "engine/recognition.hpp"
#include "engine/text.hpp"

namespace sarvelo {

namespace {

std::string masked(std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) text::appendUtf8(out, kMaskCode);
    return out;
}

// A configuration may have brought lists of different lengths: the index
// list follows the class list (an entry without index pattern keeps none).
void keepParallel(KeyParams& p) { p.Liste_mixte2.resize(p.Liste_mixte.size()); }

bool validRow(const KeyParams& p, int row) { return row >= 0 && static_cast<std::size_t>(row) < p.Liste_mixte.size(); }

}  // namespace

IndexPatternParts indexPatternParts(std::string_view pattern, std::size_t start, std::size_t length) {
    const std::size_t total = text::length(pattern);
    start = std::min(start, total);
    length = std::min(length, total - start);
    IndexPatternParts parts;
    parts.avant = masked(start);
    const std::string_view from = pattern.substr(text::byteOffsetOfChar(pattern, start));
    parts.pendant = std::string(text::firstChars(from, length));
    parts.apres = masked(total - start - length);
    return parts;
}

ComplexAdd canAddComplexEntry(const KeyParams& p, std::string_view classPattern) {
    if (classPattern.empty()) return ComplexAdd::Empty;
    if (std::find(p.Liste_mixte.begin(), p.Liste_mixte.end(), classPattern) != p.Liste_mixte.end())
        return ComplexAdd::AlreadyListed;
    // Recognition consults only the first entries: a pattern beyond them would never count.
    if (p.Liste_mixte.size() >= kMaxComplexEntries) return ComplexAdd::Full;
    return ComplexAdd::Added;
}

ComplexAdd addComplexEntry(KeyParams& p, const std::string& classPattern, const std::string& indexPattern) {
    const ComplexAdd verdict = canAddComplexEntry(p, classPattern);
    if (verdict != ComplexAdd::Added) return verdict;
    keepParallel(p);
    p.Liste_mixte.push_back(classPattern);
    p.Liste_mixte2.push_back(indexPattern);
    return verdict;
}

bool correctComplexEntry(KeyParams& p, int row, const std::string& classPattern, const std::string& indexPattern) {
    if (!validRow(p, row)) return false;
    keepParallel(p);
    p.Liste_mixte[static_cast<std::size_t>(row)] = classPattern;
    p.Liste_mixte2[static_cast<std::size_t>(row)] = indexPattern;
    return true;
}

bool removeComplexEntry(KeyParams& p, int row) {
    if (!validRow(p, row)) return false;
    keepParallel(p);
    p.Liste_mixte.erase(p.Liste_mixte.begin() + row);
    p.Liste_mixte2.erase(p.Liste_mixte2.begin() + row);
    return true;
}

void clearComplexList(KeyParams& p) {
    p.Liste_mixte.clear();
    p.Liste_mixte2.clear();
}

bool correctDefinitionSeparator(KeyParams& p, int row) {
    if (row < 0 || row >= static_cast<int>(p.Liste_separ_3.size())) return false;
    p.Liste_separ_3[static_cast<std::size_t>(row)] = p.Separ3;
    return true;
}

bool removeDefinitionSeparator(KeyParams& p, int row) {
    if (row < 0 || row >= static_cast<int>(p.Liste_separ_3.size())) return false;
    p.Liste_separ_3.erase(p.Liste_separ_3.begin() + row);
    return true;
}

}  // namespace sarvelo
