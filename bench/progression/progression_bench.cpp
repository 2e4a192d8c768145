#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "build_text.h"
#include "class_table.h"
#include "level_by_level.h"
#include "level_explanation.h"
#include "pair_table.h"
#include "progression.h"

namespace vostrel {
namespace {

ClassTable benchTable() {
    ClassTable table;
    for (int slot = 1; slot <= kMaxClasses; ++slot) {
        ClassRecord record;
        record.name = "Class number " + std::to_string(slot);
        record.hitDie = static_cast<std::int16_t>(4 + 2 * (slot % 5));
        record.skillPoints = static_cast<std::int16_t>(2 + slot % 7);
        record.babRate = 0.5 + 0.25 * (slot % 3);
        record.fortText = slot % 2 == 0 ? "TRUE" : "FALSE";
        record.refText = slot % 3 == 0 ? "TRUE" : "FALSE";
        record.willText = slot % 5 == 0 ? "TRUE" : "FALSE";
        for (std::size_t level = 1; level <= kMaxLevel; ++level) {
            record.features[level] = "Feature of level " + std::to_string(level);
        }
        table.appendRecord(std::move(record));
    }
    table.deriveGoodSaves();
    return table;
}

// Five complete segments of four levels with ten different classes: the
// longest report a build can produce.
BuildSheet fullBuild() {
    BuildSheet sheet;
    std::int16_t slot = 1;
    for (Segment& segment : sheet.segments) {
        segment.levelText = "4";
        segment.firstClass = slot++;
        segment.secondClass = slot++;
    }
    return sheet;
}

void computeAndReport(benchmark::State& state) {
    const ClassTable table = benchTable();
    const BuildSheet sheet = fullBuild();
    for (auto _ : state) {
        const ProgressionResult result = computeProgression(sheet, table);
        std::string report = buildReportText(result.state, table);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(computeAndReport);

// The same twenty levels, one row per level.
void levelByLevelOfTwentyLevels(benchmark::State& state) {
    const ClassTable table = benchTable();
    const BuildSheet sheet = fullBuild();
    for (auto _ : state) {
        LevelByLevelResult result = levelByLevel(sheet, table);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(levelByLevelOfTwentyLevels);

// The Pairs window's rows for 40 classes at level 20: 780 one-row builds and
// their report cells. Goal: a few ms at most, well inside the window's 20 ms.
void pairRowsOfFortyClasses(benchmark::State& state) {
    const ClassTable table = benchTable();
    for (auto _ : state) {
        std::vector<PairRow> rows = pairRows(table, kMaxCharacterLevel);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(pairRowsOfFortyClasses)->Unit(benchmark::kMicrosecond);
// The same twenty levels with every number and every row in words, as the
// table's tooltips and its "How" pane would ask for all of them. Goal: under 50 us.
void explanationsOfTwentyLevels(benchmark::State& state) {
    const ClassTable table = benchTable();
    const BuildSheet sheet = fullBuild();
    for (auto _ : state) {
        const LevelByLevelResult result = levelByLevel(sheet, table);
        std::vector<LevelExplanation> explanations;
        explanations.reserve(result.rows.size());
        for (std::size_t n = 0; n < result.rows.size(); ++n) {
            explanations.push_back(explainLevel(result.rows[n], result.steps[n], table));
        }
        benchmark::DoNotOptimize(explanations);
    }
}
BENCHMARK(explanationsOfTwentyLevels)->Unit(benchmark::kMicrosecond);

// Paste Build's part in the core: a five-row build copied with its report, read
// back against 40 classes whose names differ only at their end. Goal: well under 1 ms.
void readFiveRowBuildText(benchmark::State& state) {
    const ClassTable table = benchTable();
    const std::string text = buildText(fullBuild(), table);
    for (auto _ : state) {
        PastedBuild pasted = readBuildText(text, table);
        benchmark::DoNotOptimize(pasted);
    }
}
BENCHMARK(readFiveRowBuildText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vostrel

BENCHMARK_MAIN();
