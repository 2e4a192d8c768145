// How long View > Classes takes to its first paint, the first time, with a file of
// 40 classes whose feature texts are long: the window is built on first use, so
// this is what the user waits for.
#include <benchmark/benchmark.h>

#include "table_window_bench.h"
#include "window_bench_main.h"

namespace {

void BM_ClassesFirstOpening(benchmark::State& state) {
    const QTemporaryDir dir;
    timeFirstOpening(state, writeLongClassFile(dir), QStringLiteral("Menu_Classes"),
                     QStringLiteral("ClassesWindow"));
}
BENCHMARK(BM_ClassesFirstOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
