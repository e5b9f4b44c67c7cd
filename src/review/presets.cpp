#include "review/presets.hpp"

#include <algorithm>

#include "engine/text.hpp"

namespace sarvelo {

namespace {

constexpr const char* kEmptyEntry = "vide";

// "vide" stands for an empty text.
std::string textOf(const std::string& entry) { return entry == kEmptyEntry ? std::string() : entry; }

// "01 ..." is the first choice, that is the value 0.
std::optional<int> choiceOf(const std::string& entry) {
    const auto n = text::toInteger(text::firstChars(entry, 2));
    if (!n) return std::nullopt;
    return *n - 1;
}

}  // namespace

const TextList& format5Criteres() {
    static const TextList entries{
        "vide", "01 numérique", "sans séparateur", "vide", "vide", "vide", "\t", "02 numéro indiqué", "2",
        "\t",   "fin",          "01 Remonterl la igne", "vide"};
    return entries;
}

std::vector<std::string_view> applyCriteres(KeyParams& p, const TextList& c) {
    std::vector<std::string_view> written;
    auto at = [&c](std::size_t i) -> const std::string* { return i < c.size() ? &c[i] : nullptr; };
    auto setChoice = [&](int& field, std::string_view name, const std::string* entry) {
        if (!entry) return;
        if (const auto v = choiceOf(*entry)) {
            const ParamInfo* info = findParam(name);
            field = std::clamp(*v, -1, info->maximum);
            written.push_back(info->name);
        }
    };
    auto setText = [&](std::string& field, std::string_view name, const std::string* entry) {
        if (!entry) return;
        field = textOf(*entry);
        written.push_back(findParam(name)->name);
    };

    setChoice(p.Format, "Format", at(1));
    setText(p.Separ1, "Separ1", at(5));
    setText(p.Separ2, "Separ2", at(6));
    setChoice(p.format_renvois, "format_renvois", at(7));
    if (const std::string* e = at(8)) {
        if (const auto n = text::toInteger(*e)) {
            const ParamInfo* info = findParam("Car_maxi");
            p.Car_maxi = std::clamp(*n, info->minimum, info->maximum);
            written.push_back(info->name);
        }
    }
    std::size_t i = 9;
    if (i < c.size()) {
        p.Liste_separ_3.clear();
        for (; i < c.size() && c[i] != "fin"; ++i) p.Liste_separ_3.push_back(c[i]);
        written.push_back(findParam("Liste_separ_3")->name);
        ++i;  // past "fin"
    }
    setChoice(p.Sans_numero, "Sans_numero", at(i));
    setText(p.rem, "rem", at(i + 1));
    return written;
}

}  // namespace sarvelo
