// Layout detection on generated keys: the whole search, from the text to the
// scored proposals. It must feel instant: a 100-lead key well under 100 ms, a
// 3,000-lead key under 1 s.
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

}  // namespace

BENCHMARK(BM_DetectWrappedKey)->Arg(100)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectDashedKey)->Arg(100)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
