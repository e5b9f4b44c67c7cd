// The manual page of sarvelo-cli stays true to its --help: the same options,
// the same exit statuses.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "app/cli_options.hpp"
#include "support/cli_run.hpp"

namespace {

std::set<std::string> matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

TEST(ManualPage, NamesEveryOptionAndExitStatusOfTheHelp) {
    const std::string help = sarvelo::cli::usageText();
    std::string page = sarvelo::testing::readFile(std::string(SARVELO_DATA_DIR) + "/sarvelo-cli.1");
    ASSERT_FALSE(page.empty());
    // The page writes a hyphen as "\-".
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");

    // Help entries start "  -c, --config" or "      --en-ordre"; page entries
    // are the line after ".TP".
    const std::set<std::string> helpOptions = matches(help, std::regex(R"(\n  (?:-\w, |    )(--[\w-]+))"));
    const std::set<std::string> pageOptions = matches(page, std::regex(R"(\.TP\n\.BR? (?:-\w ", " )?(--[\w-]+))"));
    EXPECT_GE(helpOptions.size(), 19u);
    EXPECT_EQ(pageOptions, helpOptions);

    const auto afterHeading = [](const std::string& text, const std::string& heading) {
        return text.substr(text.find(heading));
    };
    const std::set<std::string> helpStatuses =
        matches(afterHeading(help, "Code de sortie :"), std::regex(R"(\n  (\d)  )"));
    const std::set<std::string> pageStatuses =
        matches(afterHeading(page, ".SH \"CODE DE SORTIE\""), std::regex(R"(\.TP\n\.B (\d)\n)"));
    EXPECT_EQ(helpStatuses, (std::set<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(pageStatuses, helpStatuses);
}

}  // namespace
