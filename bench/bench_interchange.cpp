// Export of a processed 10,000-lead key to each format (PDF through Qt,
// offscreen), and the reading of a KeyBase file of that size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "engine/engine.hpp"
#include "interchange/formats.hpp"
#include "interchange/keybase.hpp"
#include "interchange/qt/printed_pdf.hpp"
#include "keygen.hpp"

using namespace sarvelo;

namespace {

const ResultTable& processedKey() {
    static const ResultTable table = [] {
        ResultTable t;
        KeyParams p = bench::generatedKeyParams();
        Host host;
        runProcessing(bench::generatedKey(10000), p, t, host);
        return t;
    }();
    return table;
}

void BM_Export(benchmark::State& state) {
    const auto format = static_cast<interchange::ExportFormat>(state.range(0));
    const ResultTable& table = processedKey();
    for (auto _ : state) {
        interchange::Exported out = interchange::exportKeyWithPdf(table, format, {"Clé générée"});
        if (out.failure) state.SkipWithError(out.failure->c_str());
        benchmark::DoNotOptimize(out.bytes.data());
    }
    state.SetLabel(std::string(interchange::exportFormats()[static_cast<std::size_t>(state.range(0))].name));
}
BENCHMARK(BM_Export)
    ->DenseRange(0, static_cast<int>(interchange::exportFormats().size()) - 1)
    ->Unit(benchmark::kMillisecond);

void BM_ImportKeyBase(benchmark::State& state) {
    const std::string csv = interchange::exportKey(processedKey(), interchange::ExportFormat::KeyBaseCsv, "").bytes;
    for (auto _ : state) {
        interchange::ImportedKey in = interchange::importKeyBase(csv);
        benchmark::DoNotOptimize(in.text.data());
    }
}
BENCHMARK(BM_ImportKeyBase)->Unit(benchmark::kMillisecond);

// Leads holding arrows of every length ("x --> y", "x ---> y", ...): the
// separators the import chooses must cost one look at each text, so the
// time per row stays the same from 2,000 to 8,000 rows.
void BM_ImportKeyBaseArrows(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string csv = "from,statement,to\n";
    for (int i = 1; i <= rows / 2; ++i) {
        const std::string n = std::to_string(i);
        csv += n + ",\"x " + std::string(static_cast<std::size_t>(i), '-') + "> y " + std::string(static_cast<std::size_t>(i % 7 + 1), '=') +
               "> z\"," + (2 * i <= rows / 2 ? std::to_string(2 * i) : "Taxon " + n) + "\n";
        csv += n + ",autre," + (2 * i + 1 <= rows / 2 ? std::to_string(2 * i + 1) : "Taxon b" + n) + "\n";
    }
    for (auto _ : state) {
        interchange::ImportedKey in = interchange::importKeyBase(csv);
        benchmark::DoNotOptimize(in.text.data());
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(csv.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(csv.size()));
}
BENCHMARK(BM_ImportKeyBaseArrows)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const auto application = interchange::applicationForPrinting(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
