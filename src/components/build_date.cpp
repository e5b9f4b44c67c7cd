#include "components/build_date.hpp"

#include "build_date_generated.hpp"

namespace sarvelo {

BuildDate buildDate() { return {SARVELO_BUILD_YEAR, SARVELO_BUILD_MONTH, SARVELO_BUILD_DAY}; }

}  // namespace sarvelo
