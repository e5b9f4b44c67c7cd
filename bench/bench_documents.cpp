// Key documents: writing and reading a 5,000-lead key with formatting on
// every line (bold numbers, italic coloured names, indents), about 500 KB.
#include <benchmark/benchmark.h>

#include "documents/key_document.hpp"
#include "keygen.hpp"

using namespace sarvelo;

namespace {

RichText formattedKey(int leads) {
    RichText t;
    for (const std::string& line : bench::generatedKey(leads)) {
        Paragraph& p = t.paragraphs.emplace_back();
        p.leftIndent = 360;
        p.firstIndent = -360;
        const auto space = line.find(' ');
        if (space == std::string::npos) {
            p.append(line, {});
            continue;
        }
        p.append(line.substr(0, space), {true, false, false, kAutomaticColour});
        p.append(" é ", {});
        p.append(line.substr(space), {false, true, false, 0x800000});
    }
    return t;
}

void BM_WriteDocument(benchmark::State& state) {
    const RichText key = formattedKey(static_cast<int>(state.range(0)));
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
    const std::string rtf = keyDocumentRtf(formattedKey(static_cast<int>(state.range(0))), bench::generatedKeyParams());
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
