// How long View > Pairs takes to its first paint, the first time, with a file of
// 40 classes (780 pairs) whose feature texts are long; and how long a new level or
// class to pair with takes to show.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QSpinBox>
#include <QWindow>

#include "table_window_bench.h"
#include "window_bench_main.h"

namespace {

void BM_PairsFirstOpening(benchmark::State& state) {
    const QTemporaryDir dir;
    timeFirstOpening(state, writeLongClassFile(dir), QStringLiteral("Menu_Pairs"),
                     QStringLiteral("PairsWindow"));
}
BENCHMARK(BM_PairsFirstOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the change to the table painted anew, the window open beside the main one.
template <typename Change>
void timeChanges(benchmark::State& state, Change change) {
    const QTemporaryDir dir;
    PathPrompts prompts(writeLongClassFile(dir));
    Form1 window(prompts);
    QWidget* pairs =
        openExposed(window, QStringLiteral("Menu_Pairs"), QStringLiteral("PairsWindow"));
    int round = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        change(*pairs, round++ % 2 == 0);
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
}

void BM_PairsLevelChange(benchmark::State& state) {
    timeChanges(state, [](QWidget& pairs, bool odd) {
        pairs.findChild<QSpinBox*>(QStringLiteral("levelBox"))->setValue(odd ? 19 : 20);
    });
}
BENCHMARK(BM_PairsLevelChange)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PairsClassChange(benchmark::State& state) {
    timeChanges(state, [](QWidget& pairs, bool odd) {
        pairs.findChild<QComboBox*>(QStringLiteral("withClassList"))->setCurrentIndex(odd ? 7 : 0);
    });
}
BENCHMARK(BM_PairsClassChange)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
