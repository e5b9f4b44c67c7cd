// Real indented and hierarchical keys from public-domain books: each one
// converts, processes without error rows, and gives the finished key checked
// by hand against the book.
#include <gtest/gtest.h>

#include <filesystem>

#include "documents/encoding.hpp"
#include "engine/text.hpp"
#include "layout/indented.hpp"
#include "review/finished_key.hpp"

using namespace sarvelo;

TEST(IndentedKeys, RealKeysConvertToTheirHandCheckedFinishedKeys) {
    const auto folder = std::filesystem::path(SARVELO_TEST_DATA_DIR) / "keys" / "indented";
    int keys = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        ++keys;
        SCOPED_TRACE(entry.path().filename().string());
        const TextFile text = readTextFile(entry.path().string());
        const TextFile expected = readTextFile(std::filesystem::path(entry.path()).replace_extension(".cle").string());
        ASSERT_FALSE(text.error || expected.error);

        const IndentedKey key = convertIndentedKey(text::splitLines(text.text));
        ASSERT_TRUE(key.converted) << key.message;
        KeyParams p;
        setIndentedKeyLayout(p);
        ResultTable table;
        Host host;
        const RunResult run = runProcessing(key.lines, p, table, host);
        EXPECT_EQ(run.outcome, RunOutcome::Success);
        for (int r = 1; r <= table.dataRows(); ++r) EXPECT_FALSE(rowInError(table, r)) << "row " << r;
        EXPECT_EQ(finishedKeyLines(table), text::splitLines(expected.text));
    }
    EXPECT_GE(keys, 6);
}
