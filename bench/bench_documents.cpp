// Key documents: writing and reading a 5,000-lead key with formatting on
// every line (bold numbers, italic coloured names, indents), about 500 KB.
#include <benchmark/benchmark.h>

#include "documents/key_document.hpp"
#include "keygen.hpp"

using namespace sarvelo;

namespace {

void BM_WriteDocument(benchmark::State& state) {
    const RichText key = bench::formattedKey(static_cast<int>(state.range(0)));
    const KeyParams params = bench::generatedKeyParams();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string rtf = keyDocumentRtf(key, params);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.counters["octets"] = static_cast<double>(bytes);
}

void BM_ReadDocument(benchmark::State& state) {
    const std::string rtf = keyDocumentRtf(bench::formattedKey(static_cast<int>(state.range(0))), bench::generatedKeyParams());
    for (auto _ : state) {
        auto doc = readKeyDocument(rtf);
        benchmark::DoNotOptimize(doc->keyText.paragraphs.data());
    }
    state.counters["octets"] = static_cast<double>(rtf.size());
}

}  // namespace

BENCHMARK(BM_WriteDocument)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDocument)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
