// Converting indented keys: by indentation (a deep, balanced key) and by
// labels alone (a flat key whose indentation was lost, "A1." ... "C2.").
#include <benchmark/benchmark.h>

#include <string>

#include "layout/indented.hpp"

using namespace sarvelo;

namespace {

// About `lines` leads in a balanced key of couplets of two, each lead
// indented by its depth; leaves end with a dot leader and a name, every
// tenth leaf with a page number, every seventh lead wraps onto a
// continuation line.
Lines indentedKey(int lines, bool labels) {
    Lines out;
    out.reserve(static_cast<std::size_t>(lines) + lines / 7 + 1);
    int depth = 1;
    while ((2 << depth) < lines) ++depth;
    int leaf = 0;
    // Depth-first over the implicit tree: node n has children 2n and 2n+1.
    std::vector<std::pair<long, int>> stack{{3, 1}, {2, 1}};
    while (!stack.empty() && static_cast<int>(out.size()) < lines) {
        const auto [node, level] = stack.back();
        stack.pop_back();
        std::string line = labels ? std::string{} : std::string(static_cast<std::size_t>(level) * 2, ' ');
        if (labels) {
            // A letter for the level ("A", then "a" after "Z") and a number
            // for the lead: every level has a series of its own.
            const int sibling = static_cast<int>(node % 2) + 1;
            const char letter = static_cast<char>(level <= 26 ? 'A' + level - 1 : 'a' + level - 27);
            line += std::string(1, letter) + std::to_string(sibling) + ". ";
        }
        line += "Chapeau " + std::to_string(node) + " rouge, lames libres";
        if (level == depth) {
            line += " ........ Amanita " + std::to_string(++leaf);
            if (leaf % 10 == 0) line += ", p. " + std::to_string(leaf % 400);
            out.push_back(std::move(line));
        } else {
            out.push_back(std::move(line));
            if (node % 7 == 0) out.push_back(std::string(static_cast<std::size_t>(level) * 2 + 4, ' ') + "et pied fibreux");
            stack.push_back({node * 2 + 1, level + 1});
            stack.push_back({node * 2, level + 1});
        }
    }
    return out;
}

void convert(benchmark::State& state, bool labels) {
    const Lines lines = indentedKey(static_cast<int>(state.range(0)), labels);
    for (auto _ : state) {
        IndentedKey key = convertIndentedKey(lines);
        if (!key.converted) state.SkipWithError(key.message.c_str());
        benchmark::DoNotOptimize(key);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.SetComplexityN(static_cast<long>(lines.size()));
}

}  // namespace

static void BM_ConvertIndented(benchmark::State& state) { convert(state, false); }
static void BM_ConvertLabelled(benchmark::State& state) { convert(state, true); }
BENCHMARK(BM_ConvertIndented)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ConvertLabelled)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
