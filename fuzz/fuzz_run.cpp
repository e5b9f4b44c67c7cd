// The whole processing run on any input: the configuration lines come before
// the first form feed, the key text after it (both read as a file would be).
// The first byte picks the run's options and the answer to the nested-key
// question. Every view of the result is built too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "engine/engine.hpp"
#include "engine/text.hpp"
#include "review/finished_key.hpp"
#include "review/tree.hpp"

namespace {

class FuzzHost : public sarvelo::Host {
public:
    explicit FuzzHost(bool answer) : answer_(answer) {}
    bool askYesNo(const std::string&, const std::string&) override { return answer_; }

private:
    bool answer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sarvelo;
    if (size == 0) return 0;
    const std::uint8_t switches = data[0];
    const std::string input = decodeText(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    const auto cut = input.find('\f');
    const std::string_view config = std::string_view(input).substr(0, cut);
    const std::string_view key = cut == std::string::npos ? std::string_view() : std::string_view(input).substr(cut + 1);

    KeyParams p;
    // Start from a layout the run accepts, so that the fuzz reaches the phases.
    p.Liste_separ_3 = {"=>"};
    const auto lines = text::splitLines(config);
    if (switches & 1) {
        if (applyConfiguration(p, lines)) return 0;
    } else if (applyConfigurationOver(p, lines)) {
        return 0;
    }
    ResultTable table;
    FuzzHost host(switches & 2);
    RunOptions options;
    options.partialMode = switches & 4;
    const Lines working = text::splitLines(key);
    const RunResult result = runProcessing(working, p, table, host, options);
    if (result.outcome == RunOutcome::PreconditionFailed) return 0;

    const Tree tree = buildTree(table);
    (void)treeAsText(tree);
    const auto finished = finishedKeyLines(table);
    (void)orderFinishedKey(finished);
    (void)configurationEntries(p);
    (void)errorLinesFromColumn1(table, static_cast<int>(working.size()));
    return 0;
}
