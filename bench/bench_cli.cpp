// sarvelo-cli end to end on generated keys: reading, the whole run, writing
// the finished key, the table and the tree. Each run's peak memory is read
// from the child's own resource use; `wc -l` on the same file, timed in the
// same benchmark, gives the ratio to the time of reading the text once.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "documents/config_entries.hpp"
#include "keygen.hpp"

using namespace sarvelo;

namespace {

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    double peakMb = 0;  // maximum resident set size
};

// Forked, not spawned: a child sharing the benchmark's memory until it
// starts the program would report the benchmark's peak as its own.
ChildRun runChild(const std::vector<std::string>& args, bool quietOutput) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (quietOutput) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        run.ok = WIFEXITED(status) && WEXITSTATUS(status) != 127;
        run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

const std::string kDir = "/tmp/";
const std::string kConf = kDir + "sarvelo_bench_conf.txt";

void writeConfiguration() {
    std::ofstream c(kConf);
    for (const auto& line : configurationEntries(bench::generatedKeyParams())) c << line << '\n';
}

// Times the command line on `key`, and `wc -l` on it, in the same loop.
// With SARVELO_CLI_COMPARE naming another build of the program (an earlier
// one, say), that one runs in the same loop too: `x_compare` is the ratio of
// the two, measured side by side.
void timeCli(benchmark::State& state, const std::string& key, double units, const char* unitName) {
    std::vector<std::string> cli{SARVELO_CLI, "-q", key, "-c", kConf, "-o", kDir + "sarvelo_bench.cle",
                                 "-t", kDir + "sarvelo_bench.tsv", "-a", kDir + "sarvelo_bench_tree.txt"};
    const char* compare = std::getenv("SARVELO_CLI_COMPARE");
    std::vector<std::string> other = cli;
    if (compare) other.front() = compare;
    double cliSeconds = 0, wcSeconds = 0, otherSeconds = 0, peak = 0;
    for (auto _ : state) {
        const ChildRun run = runChild(cli, false);
        if (!run.ok) state.SkipWithError("sarvelo-cli did not run");
        state.SetIterationTime(run.seconds);
        cliSeconds += run.seconds;
        peak = std::max(peak, run.peakMb);
        state.PauseTiming();
        wcSeconds += runChild({"wc", "-l", key}, true).seconds;
        if (compare) otherSeconds += runChild(other, true).seconds;
        state.ResumeTiming();
    }
    if (compare) state.counters["x_compare"] = otherSeconds > 0 ? cliSeconds / otherSeconds : 0;
    std::ifstream in(key, std::ios::ate | std::ios::binary);
    const double sizeMb = static_cast<double>(in.tellg()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peak;
    state.counters["peak_per_input"] = sizeMb > 0 ? peak / sizeMb : 0;
    state.counters["x_wc"] = wcSeconds > 0 ? cliSeconds / wcSeconds : 0;
    state.counters[unitName] = benchmark::Counter(units * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CliEndToEnd(benchmark::State& state) {
    const std::string key = kDir + "sarvelo_bench_key.txt";
    {
        std::ofstream out(key);
        for (const auto& line : bench::generatedKey(static_cast<int>(state.range(0)))) out << line << '\n';
    }
    writeConfiguration();
    timeCli(state, key, static_cast<double>(state.range(0)), "s_per_lead");
}
BENCHMARK(BM_CliEndToEnd)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond)->UseManualTime();

// Megabytes of the shortest lines: a two-lead key then empty lines, or a
// KeyBase file of one-column rows; the peak is compared with the input's size.
void BM_CliShortLines(benchmark::State& state) {
    const bool keyBase = state.range(1) == 1;
    const std::string key = kDir + (keyBase ? "sarvelo_bench_short.csv" : "sarvelo_bench_blank.txt");
    {
        std::ofstream out(key, std::ios::binary);
        if (keyBase) {
            for (std::int64_t i = 0; i < state.range(0) / 2; ++i) out << "a\n";
        } else {
            out << "1. a ... 2\n1. b => T\n" << std::string(static_cast<std::size_t>(state.range(0)), '\n');
        }
    }
    writeConfiguration();
    timeCli(state, key, static_cast<double>(state.range(0)), "s_per_byte");
}
BENCHMARK(BM_CliShortLines)->Args({6000000, 0})->Args({6000000, 1})->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
