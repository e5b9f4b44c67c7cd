// F9 in the main window on a generated key: from the key press to the table,
// the tree, the marked working text and the finished-key window, as the user
// waits for them. Runs offscreen unless a display is given.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstdlib>

#include "keygen.hpp"
#include "ui/main_window.hpp"

using namespace sarvelo;

namespace {

void BM_F9(benchmark::State& state) {
    const int leads = static_cast<int>(state.range(0));
    TSarvelo window;
    window.resize(1400, 900);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    window.params() = bench::generatedKeyParams();
    window.paramsChanged();
    QString text;
    for (const std::string& line : bench::generatedKey(leads)) text += QString::fromStdString(line) + '\n';
    window.setWorkingText(text);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_F9);
        // Let the view draw what the run left before the clock stops.
        QCoreApplication::processEvents();
    }
    const int rows = window.grille()->model()->rowCount();
    if (rows != leads || window.arbre()->topLevelItemCount() != 1 || window.lastRun().outcome != RunOutcome::Success)
        state.SkipWithError("the run did not fill the table and the tree");
    state.counters["rows"] = rows;
}
BENCHMARK(BM_F9)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
