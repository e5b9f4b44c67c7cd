// Key layouts shared by the tests.
#pragma once

#include <string>
#include <type_traits>

#include "engine/parameters.hpp"

namespace sarvelo::testing {

// The layout of the worked examples: "12. Chapeau rouge ... 13", determinations after "=>".
inline KeyParams dottedLayout() {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Car_maxi = 2;
    p.Liste_separ_3 = {"=>"};
    return p;
}

// Every parameter moved away from its start-up value, texts with spaces at
// both ends, lists with an empty item.
inline KeyParams everythingChanged() {
    KeyParams p;
    int n = 0;
    for (const auto& info : paramInfos()) {
        ++n;
        std::visit(
            [&](auto* field) {
                using T = std::remove_pointer_t<decltype(field)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    std::string value("  ");
                    value.append(info.name).append(" é… ").append(std::to_string(n)).append(" ");
                    *field = value;
                } else if constexpr (std::is_same_v<T, bool>) {
                    *field = !*field;
                } else if constexpr (std::is_same_v<T, int>) {
                    *field = *field == info.maximum ? info.minimum : info.maximum;
                } else {
                    std::string first(" ");
                    first += info.name;
                    *field = {first, "", "x,y\tz "};
                }
            },
            fieldOf(p, info));
    }
    return p;
}

}  // namespace sarvelo::testing
