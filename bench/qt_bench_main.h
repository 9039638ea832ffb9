// Runs the benchmarks of a program that needs widgets, headless, with the
// fonts the program adds at start-up, so that they paint what it paints.
#pragma once

#include "platform/wine_fonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <functional>

// `beforeQuit` runs while the application still exists (to drop widgets).
inline int runQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    meter::addWineFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeQuit) beforeQuit();
    return 0;
}
