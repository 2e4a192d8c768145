// How long View > Classes takes to its first paint, the first time, with a file of
// 40 classes whose feature texts are long: the window is built on first use, so
// this is what the user waits for.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include "form1.h"
#include "path_prompts.h"
#include "window_bench_main.h"

namespace {

QString writeLongClassFile(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("forty_long.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    const QByteArray feature =
        QByteArray(
            "\"Shieldwall, every ally in reach gains cover and the rite of the long "
            "watch\"")
            .repeated(3)
            .replace("\"\"", ", ");
    for (int i = 1; i <= 40; ++i) {
        QByteArray line = "Order of the Long Watch " + QByteArray::number(i) + ",8,4,0.75,TRUE," +
                          (i % 5 == 0 ? "True" : "FALSE") + ",FALSE";
        for (int level = 1; level <= 20; ++level) {
            line += ',' + feature;
        }
        file.write(line + "\r\n");
    }
    return path;
}

// Sees the first exposure of the Classes window; its paint follows at once.
struct ExposeWatch final : QObject {
    bool exposed = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose &&
            watched->objectName() == QLatin1String("ClassesWindowWindow")) {
            exposed = true;
        }
        return false;
    }
};

void BM_ClassesFirstOpening(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = writeLongClassFile(dir);
    for (auto _ : state) {
        PathPrompts prompts(path);
        Form1 window(prompts);
        window.show();
        QApplication::processEvents();
        auto* open = window.findChild<QAction*>(QStringLiteral("Menu_Classes"));
        if (open == nullptr) {
            qFatal("no View > Classes");
        }
        ExposeWatch watch;
        qApp->installEventFilter(&watch);
        QElapsedTimer timer;
        timer.start();
        open->trigger();
        while (!watch.exposed) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
        qApp->removeEventFilter(&watch);
    }
}
BENCHMARK(BM_ClassesFirstOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
