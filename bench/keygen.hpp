// Generated keys for the benchmarks: a balanced dichotomous key in the layout
// "12. Description ... 13", with wrapped descriptions and blank lines so that
// every phase of a run has work to do.
#pragma once

#include <string>
#include <vector>

#include "engine/parameters.hpp"

namespace sarvelo::bench {

inline KeyParams generatedKeyParams() {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Car_maxi = 6;
    p.Liste_separ_3 = {"=>"};
    p.Sans_numero = 0;
    return p;
}

// `leads` leads (rounded up to an even number): couplet k leads to 2k and
// 2k + 1 while they exist, otherwise to a determination.
inline std::vector<std::string> generatedKey(int leads) {
    const int couplets = (leads + 1) / 2;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(couplets) * 5);
    for (int k = 1; k <= couplets; ++k) {
        for (int side = 0; side < 2; ++side) {
            const int target = 2 * k + side;
            const std::string n = std::to_string(k);
            lines.push_back(n + ". Chapeau " + (side ? "rouge" : "blanc") + " de " + n + " cm,");
            if (target <= couplets)
                lines.push_back("lames libres et serrées ... " + std::to_string(target));
            else
                lines.push_back("lames adnées => Amanita species" + std::to_string(target));
        }
        if (k % 10 == 0) lines.emplace_back();
    }
    return lines;
}

}  // namespace sarvelo::bench
