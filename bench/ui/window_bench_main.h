#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>

// The body of a window benchmark's main: the offscreen platform unless the caller
// chose another, so that the figures do not depend on a display.
inline int runWindowBenchmarks(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
