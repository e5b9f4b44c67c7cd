// Preparation, table construction and renumbering on generated keys: the
// whole run up to the error scan, then each of the two table phases alone.
#include <benchmark/benchmark.h>

#include "engine/engine.hpp"
#include "keygen.hpp"

using namespace sarvelo;

namespace {

void perLead(benchmark::State& state) {
    const auto leads = static_cast<double>(state.range(0));
    // Seconds per lead, shown next to the time per iteration.
    state.counters["per_lead"] =
        benchmark::Counter(leads, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetComplexityN(state.range(0));
}

}  // namespace

static void BM_RunPhases(benchmark::State& state) {
    const auto lines = bench::generatedKey(static_cast<int>(state.range(0)));
    const auto params = bench::generatedKeyParams();
    Host host;
    // The table lives as long as the window and is refilled by every run.
    ResultTable table;
    for (auto _ : state) {
        const PreparedText prepared = prepareLines(lines, params, host);
        buildTable(prepared, params, table, host);
        renumerotation(table, params, host);
        benchmark::DoNotOptimize(table);
    }
    perLead(state);
}
BENCHMARK(BM_RunPhases)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

static void BM_Construction(benchmark::State& state) {
    const auto lines = bench::generatedKey(static_cast<int>(state.range(0)));
    const auto params = bench::generatedKeyParams();
    Host host;
    const PreparedText prepared = prepareLines(lines, params, host);
    ResultTable table;
    for (auto _ : state) {
        buildTable(prepared, params, table, host);
        benchmark::DoNotOptimize(table);
    }
    perLead(state);
}
BENCHMARK(BM_Construction)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

static void BM_Renumbering(benchmark::State& state) {
    const auto lines = bench::generatedKey(static_cast<int>(state.range(0)));
    const auto params = bench::generatedKeyParams();
    Host host;
    ResultTable built;
    buildTable(prepareLines(lines, params, host), params, built, host);
    ResultTable table;
    for (auto _ : state) {
        state.PauseTiming();
        table = built;  // a fresh copy, made and released outside the timing
        state.ResumeTiming();
        renumerotation(table, params, host);
        benchmark::DoNotOptimize(table);
    }
    perLead(state);
}
BENCHMARK(BM_Renumbering)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
