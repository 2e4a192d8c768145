// Start-up measurements and a demo mode for screenshots:
//   vostrel-ui-startup form <class file>   the real start; quits once the window is exposed
//   vostrel-ui-startup empty               an empty main window of the same size, run the same way
//   vostrel-ui-startup label               the same holding one label: what showing any text costs
//   vostrel-ui-startup demo <class file>   the real window with a build and its report, kept
//                                          open until killed; prints "ready" and its frame
//                                          (x y width height) once painted
//   vostrel-ui-startup levels <class file> the same with the Level by Level window open beside
//                                          it; the frame printed holds both windows
//   vostrel-ui-startup classes <class file> the same with the Classes window open beside it
//   vostrel-ui-startup pairs <class file>   the same with the Pairs window open beside it
//   vostrel-ui-startup compare <class file> the same with two builds kept and the Compare
//                                          Builds window open beside it
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>

#include "enter_build.h"
#include "form1.h"
#include "path_prompts.h"

namespace {

// Runs `then` once, after the first exposure of `window` has been painted.
void whenExposed(QWidget& window, std::function<void()> then) {
    window.winId();  // creates the platform window so that its first exposure is seen
    struct ExposeWatch final : QObject {
        std::function<void()> then;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, this, then);
            }
            return false;
        }
    };
    auto* watch = new ExposeWatch;
    watch->then = std::move(then);
    watch->setParent(&window);
    window.windowHandle()->installEventFilter(watch);
}

// The build shown in the screenshot, by position in the sample file's lists.
void enterDemoBuild(Form1& window) {
    enterBuild(window, {6, 5}, {1, 6, 3, 8});
    window.findChild<QPushButton*>(QStringLiteral("Cmd_go"))->click();
}

void printReady(const QRect& frame) {
    // The screenshot script waits for this line and crops to the geometry.
    std::printf("ready %d %d %d %d\n", frame.x(), frame.y(), frame.width(), frame.height());
    std::fflush(stdout);
}

int usage() {
    std::fputs(
        "usage: vostrel-ui-startup form|demo|levels|classes|pairs|compare <class file> | empty | "
        "label\n",
        stderr);
    return 64;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    const auto quit = [] { QApplication::quit(); };

    if ((mode == QLatin1String("empty") || mode == QLatin1String("label")) && args.size() == 2) {
        QMainWindow window;
        window.setFixedSize(312, 346 + window.menuBar()->sizeHint().height());
        if (mode == QLatin1String("label")) {
            window.setCentralWidget(new QLabel(QStringLiteral("Vostrel Progression Calculator")));
        }
        whenExposed(window, quit);
        window.show();
        return QApplication::exec();
    }
    // Each table window's menu command and window.
    const QMap<QString, std::pair<QString, QString>> tableWindows{
        {QStringLiteral("levels"),
         {QStringLiteral("Menu_LevelByLevel"), QStringLiteral("LevelByLevelWindow")}},
        {QStringLiteral("classes"),
         {QStringLiteral("Menu_Classes"), QStringLiteral("ClassesWindow")}},
        {QStringLiteral("pairs"), {QStringLiteral("Menu_Pairs"), QStringLiteral("PairsWindow")}},
        {QStringLiteral("compare"),
         {QStringLiteral("Menu_CompareBuilds"), QStringLiteral("CompareWindow")}},
    };
    const bool classes = mode == QLatin1String("classes");
    if (tableWindows.contains(mode) && args.size() == 3) {
        PathPrompts prompts(args[2]);
        Form1 window(prompts);
        enterDemoBuild(window);
        if (mode == QLatin1String("compare")) {
            // The demo build and two others, kept as they are entered.
            const auto keep = [&window] {
                window.findChild<QAction*>(QStringLiteral("Menu_KeepBuild"))->trigger();
            };
            keep();
            enterBuild(window, {11, 0}, {1, 6, 0, 0});
            keep();
            enterBuild(window, {5, 6}, {3, 8, 1, 6});
            window.findChild<QPushButton*>(QStringLiteral("Cmd_go"))->click();
        }
        window.show();
        window.findChild<QAction*>(tableWindows[mode].first)->trigger();
        auto* opened = window.findChild<QWidget*>(tableWindows[mode].second);
        if (classes) {
            // A class whose features fill most levels.
            auto* table = opened->findChild<QAbstractItemView*>(QStringLiteral("classesTable"));
            table->setCurrentIndex(table->model()->index(3, 1));
        }
        whenExposed(*opened, [&window, opened] {
            printReady(window.frameGeometry().united(opened->frameGeometry()));
        });
        return QApplication::exec();
    }
    if ((mode == QLatin1String("form") || mode == QLatin1String("demo")) && args.size() == 3) {
        PathPrompts prompts(args[2]);
        Form1 window(prompts);
        if (mode == QLatin1String("demo")) {
            enterDemoBuild(window);
            whenExposed(window, [&window] { printReady(window.frameGeometry()); });
        } else {
            whenExposed(window, quit);
        }
        window.show();
        return QApplication::exec();
    }
    return usage();
}
