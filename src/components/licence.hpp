// The program's licence, as the about box and the manual pages state it.
#pragma once

namespace sarvelo {

inline constexpr const char* kLicenceLine =
    "Logiciel libre sous licence GNU GPL version 3 ou ultérieure (GPL-3.0-or-later)";

}  // namespace sarvelo
