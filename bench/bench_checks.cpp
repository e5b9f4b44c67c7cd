// The key checks alone, on the table a whole run leaves: a clean generated
// key, and the same key with a loop and with an unreachable part planted.
#include <benchmark/benchmark.h>

#include "engine/engine.hpp"
#include "keygen.hpp"

using namespace sarvelo;

static void BM_KeyChecks(benchmark::State& state) {
    const auto fault = static_cast<bench::Fault>(state.range(1));
    const bench::PlantedKey key = bench::plantedKey(static_cast<int>(state.range(0)), fault);
    KeyParams params = bench::generatedKeyParams();
    Host host;
    ResultTable table;
    // The run itself, outside the timing; it keeps what the renumbering left
    // unresolved, which the checks need.
    const PreparedText prepared = prepareLines(key.lines, params, host);
    buildTable(prepared, params, table, host);
    const std::vector<MissingTarget> missing = renumerotation(table, params, host);
    Erreur(table);
    for (auto _ : state) {
        auto findings = checkKey(table, prepared.origin, missing);
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(checkKey(table, prepared.origin, missing).size());
}
BENCHMARK(BM_KeyChecks)
    ->Args({10000, static_cast<int>(bench::Fault::None)})
    ->Args({100000, static_cast<int>(bench::Fault::None)})
    ->Args({100000, static_cast<int>(bench::Fault::Loop)})
    ->Args({100000, static_cast<int>(bench::Fault::Unreachable)})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
