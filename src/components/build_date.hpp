// The day this program was built (UTC), for the build-date label.
#pragma once

namespace sarvelo {

struct BuildDate {
    int year = 0, month = 0, day = 0;
};

BuildDate buildDate();

}  // namespace sarvelo
