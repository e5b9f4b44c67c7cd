// F9 in the main window on a generated key: from the key press to the table,
// the tree (when shown), the marked working text and the finished-key window
// with its first screenful, as the user waits for them; and once, the time
// until the finished key is whole. Runs offscreen unless a display is given.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstdlib>

#include "keygen.hpp"
#include "ui/ui_bench_main.hpp"
#include "review/qt/finished_key_window.hpp"
#include "ui/main_window.hpp"

using namespace sarvelo;

namespace {

// Runs F9 on a generated key; with `errors`, the separator before references
// is wrong, so that every reference row is in error and its line is marked.
void runF9(benchmark::State& state, bool errors) {
    const int leads = static_cast<int>(state.range(0));
    // Message boxes are answered at once, as a waiting user would.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    answer.start(0);
    TSarvelo window;
    window.resize(1400, 900);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    window.params() = bench::generatedKeyParams();
    if (errors) window.params().Separ2 = " ---";
    window.paramsChanged();
    QString text;
    for (const std::string& line : bench::generatedKey(leads)) text += QString::fromStdString(line) + '\n';
    window.setWorkingText(text);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        // The user presses F9 again once the last finished key is whole.
        state.PauseTiming();
        while (window.finishedKeyWindow()->filling()) QCoreApplication::processEvents();
        state.ResumeTiming();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_F9);
        // Let the view draw what the run left before the clock stops.
        QCoreApplication::processEvents();
    }
    // Then the whole finished key, which goes in by slices after the result shows.
    QElapsedTimer whole;
    whole.start();
    QTest::keyClick(&window, Qt::Key_F9);
    while (window.finishedKeyWindow()->filling()) QCoreApplication::processEvents();
    state.counters["cle_terminee_entiere_ms"] = static_cast<double>(whole.elapsed());
    const int rows = window.grille()->model()->rowCount();
    const RunOutcome expected = errors ? RunOutcome::Errors : RunOutcome::Success;
    // The tree beside the table is built only while it is shown.
    const bool treeShown = !window.arbre()->isHidden();
    if (rows != leads || (treeShown && window.arbre()->topLevelItemCount() != 1) || window.lastRun().outcome != expected)
        state.SkipWithError("the run did not fill the table and the tree");
    state.counters["rows"] = rows;
    state.counters["marked_lines"] = static_cast<double>(window.lastRun().errorLines.size());
}

void BM_F9(benchmark::State& state) { runF9(state, false); }
void BM_F9_WithErrors(benchmark::State& state) { runF9(state, true); }
BENCHMARK(BM_F9)->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_F9_WithErrors)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

SARVELO_UI_BENCHMARK_MAIN()
