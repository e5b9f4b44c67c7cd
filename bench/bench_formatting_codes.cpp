// "Visualise les formats" on a formatted key of about 5,000 lines (bold
// numbers, italic coloured text, hanging indents), every kind of code
// ticked: deciding the codes, and writing them into the text.
#include <benchmark/benchmark.h>

#include "documents/formatting_codes.hpp"
#include "keygen.hpp"

using namespace sarvelo;

namespace {

KeyParams everyCode() {
    KeyParams p;
    p.Le_gras = p.Plus_gras = p.Le_Souligne = p.plus_souligne = p.L_Italique = p.plus_italique = true;
    p.Couleur = p.Decalage = true;
    return p;
}

void BM_FormattingCodes(benchmark::State& state) {
    const RichText key = bench::formattedKey(static_cast<int>(state.range(0)));
    const KeyParams params = everyCode();
    std::size_t codes = 0;
    for (auto _ : state) {
        const std::vector<CodeInsertion> found = formattingCodes(key, params);
        codes = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["lignes"] = static_cast<double>(key.paragraphs.size());
    state.counters["codes"] = static_cast<double>(codes);
}

void BM_TextWithFormattingCodes(benchmark::State& state) {
    const RichText key = bench::formattedKey(static_cast<int>(state.range(0)));
    const KeyParams params = everyCode();
    for (auto _ : state) {
        const RichText coded = withFormattingCodes(key, formattingCodes(key, params));
        benchmark::DoNotOptimize(coded.paragraphs.data());
    }
    state.counters["lignes"] = static_cast<double>(key.paragraphs.size());
}

// 2,450 leads make about 5,000 lines; ten times as many show that the time
// grows with the text.
BENCHMARK(BM_FormattingCodes)->Arg(2450)->Arg(24500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextWithFormattingCodes)->Arg(2450)->Arg(24500)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
