#pragma once

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QWindow>
#include <functional>

#include "form1.h"
#include "path_prompts.h"

// A file of 40 classes whose feature texts are long, in `dir`: the most a table
// window has to lay out.
inline QString writeLongClassFile(const QTemporaryDir& dir) {
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

// Times each opening of a table window, by the menu command `action`, in a new
// main window loaded from `path` and readied by `prepare`, to the first paint of the
// window `name`: the window is built on first use, so this is what the user waits for.
inline void timeFirstOpening(benchmark::State& state, const QString& path, const QString& action,
                             const QString& name, const std::function<void(Form1&)>& prepare = {}) {
    // Sees the window's first exposure; its paint follows at once.
    struct ExposeWatch final : QObject {
        QString window;
        bool exposed = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && watched->objectName() == window) {
                exposed = true;
            }
            return false;
        }
    };
    for (auto _ : state) {
        PathPrompts prompts(path);
        Form1 window(prompts);
        if (prepare) {
            prepare(window);
        }
        window.show();
        QApplication::processEvents();
        auto* open = window.findChild<QAction*>(action);
        if (open == nullptr) {
            qFatal("no %s", qPrintable(action));
        }
        ExposeWatch watch;
        watch.window = name + QStringLiteral("Window");
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

// Opens the table window `name` by the menu command `action` beside `window`,
// which is shown, and returns it once it is exposed and painted.
inline QWidget* openExposed(Form1& window, const QString& action, const QString& name) {
    window.show();
    window.findChild<QAction*>(action)->trigger();
    auto* opened = window.findChild<QWidget*>(name);
    while (!opened->isVisible() || opened->windowHandle() == nullptr ||
           !opened->windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();
    return opened;
}
