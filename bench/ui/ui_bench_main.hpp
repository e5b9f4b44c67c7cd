// The main() of the window benchmarks: an application, offscreen unless a
// display is asked for, then every registered benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#define SARVELO_UI_BENCHMARK_MAIN()                                                       \
    int main(int argc, char** argv) {                                                     \
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);  \
        QApplication app(argc, argv);                                                     \
        benchmark::Initialize(&argc, argv);                                               \
        benchmark::RunSpecifiedBenchmarks();                                              \
        benchmark::Shutdown();                                                            \
        return 0;                                                                         \
    }
