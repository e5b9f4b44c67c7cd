// Key layouts shared by the tests.
#pragma once

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

}  // namespace sarvelo::testing
