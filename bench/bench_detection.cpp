// Layout detection on generated keys: the whole search, from the text to the
// scored proposals. It must feel instant: a 100-lead key well under 100 ms, a
// 3,000-lead key under 1 s; and it grows with the key, 30,000 leads ten times
// 3,000.
#include <benchmark/benchmark.h>

#include "keygen.hpp"
#include "layout/detection.hpp"

using namespace sarvelo;

namespace {

// The generated key in a "1. / –" layout with dot leaders: the commonest
// printed layout, on one line per lead, under a title.
Lines dashedKey(int leads) {
    Lines out{"Clé des espèces"};
    for (const auto& lead : bench::generatedLeads(leads)) {
        const bool second = !out.empty() && out.back().rfind(std::to_string(lead.couplet) + ". ", 0) == 0;
        std::string ending = lead.ending;
        const auto cut = ending.find(" ... ");
        const auto arrow = ending.find(" => ");
        std::string destination = cut != std::string::npos ? ending.substr(cut + 5) : ending.substr(arrow + 4);
        std::string text = lead.text + " " + ending.substr(0, std::min(cut, arrow));
        out.push_back((second ? std::string("\u2013 ") : std::to_string(lead.couplet) + ". ") + text + " ........ " +
                      destination);
    }
    return out;
}

// What was found: a detection that does not process the key times nothing.
void report(benchmark::State& state, const LayoutDetection& d) {
    state.counters["leads"] = d.proposals.empty() ? 0 : d.proposals.front().score.leads;
    state.counters["processes"] = d.processes() ? 1 : 0;
}

void BM_DetectWrappedKey(benchmark::State& state) {
    const Lines text = bench::generatedKey(static_cast<int>(state.range(0)));
    LayoutDetection d;
    for (auto _ : state) benchmark::DoNotOptimize(d = detectLayout(text));
    report(state, d);
    state.SetLabel("12. texte / suite ... 13");
}

void BM_DetectDashedKey(benchmark::State& state) {
    const Lines text = dashedKey(static_cast<int>(state.range(0)));
    LayoutDetection d;
    for (auto _ : state) benchmark::DoNotOptimize(d = detectLayout(text));
    report(state, d);
    state.SetLabel("1. / \u2013, points de conduite");
}

// Few lines, very long: detection's cost follows the bytes, not the lines
// (160 lines of 10 KB each, against the same bytes in 100-byte lines).
Lines longLines(int lines, std::size_t length) {
    Lines out;
    for (int i = 0; i < lines; ++i) {
        std::string line = std::to_string(i / 2 + 1) + ". ";
        while (line.size() < length) line += "Setae long and pale on the disk ";
        out.push_back(line + ". " + std::to_string(i / 2 + 2));
    }
    return out;
}

void BM_DetectLongLines(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const Lines text = longLines(static_cast<int>(160 * 10000 / length), length);
    LayoutDetection d;
    for (auto _ : state) benchmark::DoNotOptimize(d = detectLayout(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 160 * 10000);
    state.SetLabel("1,6 Mo en lignes de " + std::to_string(length) + " octets");
}

}  // namespace

BENCHMARK(BM_DetectLongLines)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectWrappedKey)->Arg(100)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectDashedKey)->Arg(100)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
