// Pasting a long key in the main window, offscreen, as the user waits for
// it: "Coller" (Ctrl+V) into an empty text, and "Coller (efface tout et
// colle)" (Ctrl+W) over a text as long, which stays one step of Ctrl+Z.
// The longest wait of the event loop afterwards is reported beside.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "engine/text.hpp"
#include "keygen.hpp"
#include "ui/document_commands.hpp"
#include "ui/main_window.hpp"
#include "ui/text_input.hpp"
#include "ui/ui_bench_main.hpp"

using namespace sarvelo;

namespace {

QString keyOfLines(int lines) {
    std::vector<std::string> key = bench::generatedKey(lines);
    key.resize(static_cast<std::size_t>(lines));
    return QString::fromStdString(text::joinLines(key));
}

std::unique_ptr<TSarvelo> shownWindow() {
    auto window = std::make_unique<TSarvelo>();
    window->resize(1400, 900);
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
    return window;
}

// The longest time between two turns of the event loop over `ms`.
double longestStall(int ms) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(1);
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return static_cast<double>(longest);
}

void paste(benchmark::State& state, bool replace) {
    const int lines = static_cast<int>(state.range(0));
    QApplication::clipboard()->setText(keyOfLines(lines));
    std::unique_ptr<TSarvelo> window;
    for (auto _ : state) {
        state.PauseTiming();
        window = shownWindow();
        if (replace) {
            window->setWorkingText(keyOfLines(lines));
            window->documents()->rememberSavedState();
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (replace) window->textInput()->Coller1Click();
        else window->textInput()->Coller2Click();
        QCoreApplication::processEvents();  // the first screenful is drawn
    }
    state.counters["lignes"] = window->memo1()->document()->blockCount();
    state.counters["attente_max_ms"] = longestStall(3000);
}

void BM_PasteIntoEmptyText(benchmark::State& state) { paste(state, false); }
void BM_PasteReplacingTheText(benchmark::State& state) { paste(state, true); }

BENCHMARK(BM_PasteIntoEmptyText)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_PasteReplacingTheText)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

SARVELO_UI_BENCHMARK_MAIN()
