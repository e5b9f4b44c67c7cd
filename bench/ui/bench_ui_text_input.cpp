// The text commands of the main window as the user waits for them, offscreen:
// "Ouvrir fichier texte" on a 10 MB text file and on a 10 MB RTF file (the
// window does nothing else meanwhile: this is how long it stays frozen, with
// the longest wait of the event loop while the editor lays the rest out),
// "Visualise les formats" on a formatted key of about 5,000 lines, the pastes
// of 100,000 lines, and "Détecter la mise en page" on 100,000 lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "documents/file_io.hpp"
#include "documents/qt/rich_text_qt.hpp"
#include "engine/text.hpp"
#include "keygen.hpp"
#include "ui/ui_bench_main.hpp"
#include "ui/main_window.hpp"
#include "ui/detection_dialog.hpp"
#include "ui/document_commands.hpp"
#include "ui/text_input.hpp"

using namespace sarvelo;

namespace {

constexpr std::size_t kTenMegabytes = 10u * 1024u * 1024u;

std::unique_ptr<TSarvelo> shownWindow() {
    auto window = std::make_unique<TSarvelo>();
    window->resize(1400, 900);
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
    return window;
}

std::string writeBench(const char* name, const std::string& bytes) {
    const std::string path = "/tmp/sarvelo_bench_" + std::to_string(::getpid()) + name;
    std::string reason;
    if (!writeFileAtomically(path, bytes, reason)) std::abort();
    return path;
}

double longestStall(std::chrono::milliseconds during) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(1);
    while (clock.elapsed() < during.count()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return static_cast<double>(longest);
}

void openFile(benchmark::State& state, const std::string& bytes) {
    const std::string path = writeBench(".key", bytes);
    auto window = shownWindow();
    window->textInput()->setFileChooser([&path] { return QString::fromStdString(path); });
    for (auto _ : state) {
        state.PauseTiming();
        window->documents()->rememberSavedState();  // no question: the opened text replaces the last one
        state.ResumeTiming();
        window->textInput()->Ouvrirfichiertexte1Click();
        QCoreApplication::processEvents();  // the first screenful is drawn
    }
    state.counters["lignes"] = window->memo1()->document()->blockCount();
    // The editor goes on laying the text out while the window is in use:
    // the longest wait between two turns of the event loop afterwards.
    state.counters["attente_max_ms"] = longestStall(std::chrono::seconds(4));
    state.counters["Mo"] = static_cast<double>(bytes.size()) / (1024 * 1024);
    std::remove(path.c_str());
}

void BM_OpenTextFile(benchmark::State& state) {
    std::string text;
    const std::vector<std::string> key = bench::generatedKey(2000);
    while (text.size() < kTenMegabytes)
        for (const std::string& line : key) text += line + "\r\n";
    openFile(state, text);
}

void BM_OpenRtfFile(benchmark::State& state) {
    RichText key = bench::formattedKey(2000);
    std::string rtf = writeRtf(key);
    RichText big;
    while (big.paragraphs.size() * (rtf.size() / key.paragraphs.size()) < kTenMegabytes)
        big.paragraphs.insert(big.paragraphs.end(), key.paragraphs.begin(), key.paragraphs.end());
    openFile(state, writeRtf(big));
}

void BM_VisualiseLesFormats(benchmark::State& state) {
    auto window = shownWindow();
    KeyParams& p = window->params();
    p.Le_gras = p.Plus_gras = p.L_Italique = p.plus_italique = p.Couleur = p.Decalage = true;
    window->paramsChanged();
    const RichText key = bench::formattedKey(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        setDocumentRichText(*window->memo1()->document(), key);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->textInput()->Applique_formatClick();
        QCoreApplication::processEvents();
    }
    state.counters["lignes"] = window->memo1()->document()->blockCount();
}

QString keyOfLines(int lines) {
    std::vector<std::string> key = bench::generatedKey(lines);
    key.resize(static_cast<std::size_t>(lines));
    return QString::fromStdString(text::joinLines(key));
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
    state.counters["attente_max_ms"] = longestStall(std::chrono::seconds(3));
}

// "Détecter la mise en page" on a long text: how long the user waits, and the
// longest wait between two turns of the event loop meanwhile (the search runs
// beside the window, which must go on repainting).
void BM_DetectLongText(benchmark::State& state) {
    auto window = shownWindow();
    window->setWorkingText(keyOfLines(static_cast<int>(state.range(0))));
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    for (auto _ : state) {
        clock.start();
        last = 0;
        tick.start(1);
        window->action("Detecterlamiseenpage1")->trigger();
        tick.stop();
        state.PauseTiming();
        if (auto* detection = window->findChild<TDetection*>(QStringLiteral("TDetection"))) detection->hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["attente_max_ms"] = static_cast<double>(longest);
}

void BM_PasteIntoEmptyText(benchmark::State& state) { paste(state, false); }
void BM_PasteReplacingTheText(benchmark::State& state) { paste(state, true); }

BENCHMARK(BM_OpenTextFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_OpenRtfFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_VisualiseLesFormats)->Arg(2450)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PasteIntoEmptyText)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_PasteReplacingTheText)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_DetectLongText)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

SARVELO_UI_BENCHMARK_MAIN()
