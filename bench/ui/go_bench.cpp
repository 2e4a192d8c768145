// How long one press of Go takes in the real window: the build taken from the
// controls, the calculation, and the report put into the output box.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "form1.h"
#include "path_prompts.h"

namespace {

// A five-segment build of 20 levels over the first classes of the sample file.
void enterFullBuild(Form1& window) {
    for (int k = 0; k < 5; ++k) {
        window.findChild<QLineEdit*>(QStringLiteral("Txt_Lvl_%1").arg(k))->setText("4");
        for (int side = 0; side < 2; ++side) {
            window.findChild<QComboBox*>(QStringLiteral("Cbo_Class_%1").arg(2 * k + side))
                ->setCurrentIndex(1 + (2 * k + side) % 7);
        }
    }
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

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
