// How long View > Compare Builds takes to its first paint, the first time, with
// eight builds kept of five rows each from a file of 40 classes whose feature
// texts are long; and how long a press of Go takes with the window open, to the
// window painted anew.
#include <benchmark/benchmark.h>

#include <QPushButton>
#include <QWindow>

#include "enter_build.h"
#include "table_window_bench.h"
#include "window_bench_main.h"

namespace {

// Eight builds of twenty levels, each of other pairs of classes, kept; the rows
// then hold a ninth.
void keepEightBuilds(Form1& window) {
    for (int build = 0; build <= 8; ++build) {
        const auto slot = [build](int k) { return (build * 7 + k * 3) % 40 + 1; };
        enterBuild(window, {4, 4, 4, 4, 4},
                   {slot(0), slot(1), slot(2), slot(3), slot(4), slot(5), slot(6), slot(7), slot(8),
                    slot(9)});
        if (build < 8) {
            window.findChild<QAction*>(QStringLiteral("Menu_KeepBuild"))->trigger();
        }
    }
}

void BM_CompareFirstOpening(benchmark::State& state) {
    const QTemporaryDir dir;
    timeFirstOpening(state, writeLongClassFile(dir), QStringLiteral("Menu_CompareBuilds"),
                     QStringLiteral("CompareWindow"), keepEightBuilds);
}
BENCHMARK(BM_CompareFirstOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

// From a press of Go on a changed build to the window painted anew beside the main one.
void BM_CompareGo(benchmark::State& state) {
    const QTemporaryDir dir;
    PathPrompts prompts(writeLongClassFile(dir));
    Form1 window(prompts);
    keepEightBuilds(window);
    openExposed(window, QStringLiteral("Menu_CompareBuilds"), QStringLiteral("CompareWindow"));
    auto* go = window.findChild<QPushButton*>(QStringLiteral("Cmd_go"));
    int round = 0;
    for (auto _ : state) {
        enterBuild(window, {round++ % 2 == 0 ? 3 : 4}, {});
        QElapsedTimer timer;
        timer.start();
        go->click();
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
}
BENCHMARK(BM_CompareGo)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
