// The desktop entry that installs Sarvelo in the applications menu.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(DesktopEntry, IsValidForTheDesktopTools) {
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    const std::string command = std::string("desktop-file-validate '") + SARVELO_DATA_DIR + "/sarvelo.desktop' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
