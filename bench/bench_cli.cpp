// sarvelo-cli end to end on generated keys: reading, the whole run, writing
// the finished key, the table and the tree.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "documents/config_entries.hpp"
#include "keygen.hpp"

using namespace sarvelo;

static void BM_CliEndToEnd(benchmark::State& state) {
    const std::string dir = "/tmp/";
    const std::string key = dir + "sarvelo_bench_key.txt";
    const std::string conf = dir + "sarvelo_bench_conf.txt";
    {
        std::ofstream out(key);
        for (const auto& line : bench::generatedKey(static_cast<int>(state.range(0)))) out << line << '\n';
        std::ofstream c(conf);
        for (const auto& line : configurationEntries(bench::generatedKeyParams())) c << line << '\n';
    }
    const std::string command = std::string(SARVELO_CLI) + " -q " + key + " -c " + conf + " -o " + dir +
                                "sarvelo_bench.cle -t " + dir + "sarvelo_bench.tsv -a " + dir + "sarvelo_bench_tree.txt";
    for (auto _ : state) {
        const int status = std::system(command.c_str());
        if (status != 0) state.SkipWithError("sarvelo-cli did not succeed");
    }
}
BENCHMARK(BM_CliEndToEnd)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
