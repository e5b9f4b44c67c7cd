// Inputs that once made a run slow or huge: a long chain of unnumbered lines
// joined to one lead, keys whose every row is faulty (the tree), and many
// label sequences on a long key, thousands of determination separators, a
// text of empty or one-character lines. Each whole run, from the lines to the
// tree.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/engine.hpp"
#include "keygen.hpp"
#include "review/tree.hpp"

using namespace sarvelo;

namespace {

KeyParams dotLeaders() {
    KeyParams p;
    p.Format = 0;
    p.Separ1 = ". ";
    p.Liste_separ_3 = {"....."};
    p.Sans_numero = 0;
    return p;
}

void runAndTree(benchmark::State& state, const Lines& lines, KeyParams params) {
    for (auto _ : state) {
        Host host;
        ResultTable table;
        KeyParams p = params;
        runProcessing(lines, p, table, host);
        benchmark::DoNotOptimize(buildTree(table));
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}

}  // namespace

// "1. start ..... 2" then continuation lines without number, all joined.
static void BM_JoinedContinuations(benchmark::State& state) {
    Lines lines{"1. start ..... 2"};
    for (int k = 0; k < state.range(0); ++k) lines.push_back("continuation " + std::to_string(k));
    for (const int mode : {0, 4}) {
        if (mode != state.range(1)) continue;
        KeyParams p = dotLeaders();
        p.Sans_numero = mode;
        runAndTree(state, lines, p);
    }
}
BENCHMARK(BM_JoinedContinuations)->Args({40000, 0})->Args({75000, 0})->Args({40000, 4})->Unit(benchmark::kMillisecond);

// Every lead refers to its own couplet.
static void BM_SelfReferences(benchmark::State& state) {
    runAndTree(state, Lines(static_cast<std::size_t>(state.range(0)), "1. d0 ..... 1"), dotLeaders());
}
BENCHMARK(BM_SelfReferences)->Arg(8000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Lines of a single digit: rows without description, or without target.
static void BM_DigitLines(benchmark::State& state) {
    Lines lines;
    for (int k = 0; k < state.range(0); ++k) lines.push_back(std::to_string(k % 10));
    runAndTree(state, lines, dotLeaders());
}
BENCHMARK(BM_DigitLines)->Arg(40000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A two-lead key followed by a million blank lines: the preparation drops
// them without keeping a copy of each.
static void BM_BlankLines(benchmark::State& state) {
    Lines lines{"1. a ..... 2", "1. b ..... T"};
    lines.resize(static_cast<std::size_t>(state.range(0)) + 2);
    runAndTree(state, lines, dotLeaders());
}
BENCHMARK(BM_BlankLines)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// 1,000 sequence lines on a 100,000-lead key.
static void BM_ManySequences(benchmark::State& state) {
    KeyParams p = bench::generatedKeyParams();
    p.Utilise_suites = true;
    p.les_suites.clear();
    for (int k = 0; k < state.range(1); ++k) {
        std::string line;
        for (int i = 0; i < 10; ++i) line += (i ? "," : "") + ("x" + std::to_string(k) + "_" + std::to_string(i));
        p.les_suites.push_back(line);
    }
    runAndTree(state, bench::generatedKey(static_cast<int>(state.range(0))), p);
}
BENCHMARK(BM_ManySequences)->Args({100000, 1000})->Unit(benchmark::kMillisecond);

// A 20,000-line key with thousands of determination separators, the one
// that matches last in the list.
static void BM_ManySeparators(benchmark::State& state) {
    KeyParams p = bench::generatedKeyParams();
    p.Liste_separ_3.clear();
    for (int k = 0; k < state.range(0); ++k) p.Liste_separ_3.push_back("=" + std::to_string(k) + ">");
    p.Liste_separ_3.push_back("=>");
    runAndTree(state, bench::generatedKey(8000), p);
}
BENCHMARK(BM_ManySeparators)->Arg(1)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
