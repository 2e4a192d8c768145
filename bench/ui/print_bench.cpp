// How long the build sheet takes to become a PDF: a 20-level build of five rows
// over the sample file with each level's explanation, from the build to the file
// on disk (goal: under 150 ms). The file is written through the same save-file as
// File > Save as PDF..., into a temporary folder.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "class_file_reader.h"
#include "pdf_file.h"
#include "sheet_document.h"
#include "window_bench_main.h"

namespace {

void BM_SheetAsPdf(benchmark::State& state) {
    vostrel::ClassTable table;
    if (vostrel::loadClassData(VOSTREL_SAMPLE_CLASSES, table)) {
        state.SkipWithError("the sample class file did not load");
        return;
    }
    vostrel::BuildSheet build;
    const std::int16_t classes[] = {1, 2, 3, 4, 5, 6, 7, 1, 2, 3};
    for (std::size_t row = 0; row < 5; ++row) {
        build.segments[row] = {"4", classes[2 * row], classes[2 * row + 1]};
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        const SheetDocument sheet =
            sheetDocument(build, table, QStringLiteral("classes.csv"), true);
        const QString problem = writePdf(path, *sheet.document);
        if (!problem.isEmpty()) {
            state.SkipWithError(qPrintable(problem));
            return;
        }
    }
}
BENCHMARK(BM_SheetAsPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
