#include <benchmark/benchmark.h>

#include "engine/engine.hpp"
#include "keygen.hpp"

using namespace sarvelo;

static void BM_Preparation(benchmark::State& state) {
    const auto lines = bench::generatedKey(static_cast<int>(state.range(0)));
    const auto params = bench::generatedKeyParams();
    Host host;
    for (auto _ : state) {
        auto prepared = prepareLines(lines, params, host);
        benchmark::DoNotOptimize(prepared);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.SetComplexityN(static_cast<long>(lines.size()));
}
BENCHMARK(BM_Preparation)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
