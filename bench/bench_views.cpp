// The views of a run's result on a renumbered table: the tree, the finished
// key and its ordering, the error scan and the configuration entries.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "documents/config_entries.hpp"
#include "engine/engine.hpp"
#include "review/tree.hpp"
#include "review/finished_key.hpp"

using namespace sarvelo;

namespace {

// A balanced key of `rows` leads: couplet k leads to 2k and 2k + 1 while they
// exist, otherwise to a determination.
ResultTable balancedTable(int rows) {
    const int couplets = (rows + 1) / 2;
    ResultTable t;
    t.setRowCount(2 * couplets + 1);
    int r = 1;
    for (int k = 1; k <= couplets; ++k) {
        for (int side = 0; side < 2; ++side, ++r) {
            const int target = 2 * k + side;
            t.cell(r, kNb) = std::to_string(k);
            t.cell(r, kSource) = std::to_string(r);
            t.cell(r, kTexte) = side ? "Chapeau rouge, lames libres" : "Chapeau blanc, lames adnées";
            if (target <= couplets) {
                t.cell(r, kKind) = kReference;
                t.cell(r, kTarget) = std::to_string(target);
            } else {
                t.cell(r, kKind) = kDetermination;
                t.cell(r, kTarget) = "Amanita species" + std::to_string(target);
            }
        }
    }
    return t;
}

void BM_BuildTree(benchmark::State& state) {
    const ResultTable table = balancedTable(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Tree tree = buildTree(table);
        benchmark::DoNotOptimize(tree);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_TreeAsText(benchmark::State& state) {
    const Tree tree = buildTree(balancedTable(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(treeAsText(tree));
}
BENCHMARK(BM_TreeAsText)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FinishedKeyLines(benchmark::State& state) {
    const ResultTable table = balancedTable(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(finishedKeyLines(table));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FinishedKeyLines)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_OrderFinishedKey(benchmark::State& state) {
    auto lines = finishedKeyLines(balancedTable(static_cast<int>(state.range(0))));
    std::reverse(lines.begin(), lines.end());
    for (auto _ : state) benchmark::DoNotOptimize(orderFinishedKey(lines));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OrderFinishedKey)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ErrorScanAndMarking(benchmark::State& state) {
    ResultTable table = balancedTable(static_cast<int>(state.range(0)));
    std::vector<int> origin(static_cast<std::size_t>(table.dataRows()));
    for (std::size_t i = 0; i < origin.size(); ++i) origin[i] = static_cast<int>(i + i / 10);
    const int lineCount = origin.empty() ? 0 : origin.back() + 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Erreur(table));
        benchmark::DoNotOptimize(errorLines(table, origin, lineCount));
    }
}
BENCHMARK(BM_ErrorScanAndMarking)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ConfigurationRoundTrip(benchmark::State& state) {
    KeyParams p;
    p.Liste_separ_3 = {"=>", " ...", "…"};
    for (auto _ : state) {
        KeyParams read;
        benchmark::DoNotOptimize(applyConfiguration(read, configurationEntries(p)));
    }
}
BENCHMARK(BM_ConfigurationRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
