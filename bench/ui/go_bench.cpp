// How long one press of Go takes in the real window: the build taken from the
// controls, the calculation, and the report put into the output box.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>

#include "enter_build.h"
#include "form1.h"
#include "path_prompts.h"
#include "window_bench_main.h"

namespace {

// A five-segment build of 20 levels over the first classes of the sample file.
void enterFullBuild(Form1& window) {
    enterBuild(window, {4, 4, 4, 4, 4}, {1, 2, 3, 4, 5, 6, 7, 1, 2, 3});
}

// With `paint` the window also repaints what the click changed, as it would on screen.
void BM_GoClick(benchmark::State& state, bool paint) {
    PathPrompts prompts(QStringLiteral(VOSTREL_SAMPLE_CLASSES));
    Form1 window(prompts);
    enterFullBuild(window);
    window.show();
    QApplication::processEvents();
    auto* go = window.findChild<QPushButton*>(QStringLiteral("Cmd_go"));
    for (auto _ : state) {
        go->click();
        if (paint) {
            QApplication::processEvents();
        }
    }
}
BENCHMARK_CAPTURE(BM_GoClick, compute_and_show, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GoClick, compute_show_and_paint, true)->Unit(benchmark::kMicrosecond);

// Edit > Paste Build of a five-row build: the clipboard text read, the rows
// filled and Go pressed. Against the sample's 14 classes; the core's reading
// against 40 is in the progression benchmark.
void BM_PasteBuild(benchmark::State& state) {
    PathPrompts prompts(QStringLiteral(VOSTREL_SAMPLE_CLASSES));
    Form1 window(prompts);
    window.show();
    QApplication::processEvents();
    QGuiApplication::clipboard()->setText(QStringLiteral(
        "4 Ironwarden / Marchrider\n4 Vowbound / Mire Stalker\n4 Roadpilgrim / Tidecaller\n"
        "4 Ashdancer / Ironwarden\n4 Marchrider / Vowbound\n"));
    auto* paste = window.findChild<QAction*>(QStringLiteral("Menu_PasteBuild"));
    for (auto _ : state) {
        paste->trigger();
    }
}
BENCHMARK(BM_PasteBuild)->Unit(benchmark::kMicrosecond);

// File > Reload Class File of a 40-class file with a five-row build and the Level
// by Level, Classes and Pairs windows open: the file read, the build carried
// over, every window refreshed and Go pressed, then what changed painted.
void BM_ReloadClassFile(benchmark::State& state) {
    PathPrompts prompts(QStringLiteral(VOSTREL_FORTY_CLASSES));
    Form1 window(prompts);
    enterFullBuild(window);
    window.show();
    for (const char* view : {"Menu_LevelByLevel", "Menu_Classes", "Menu_Pairs"}) {
        window.findChild<QAction*>(QString::fromUtf8(view))->trigger();
    }
    QApplication::processEvents();
    auto* reload = window.findChild<QAction*>(QStringLiteral("Menu_ReloadClassFile"));
    for (auto _ : state) {
        reload->trigger();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ReloadClassFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
