#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "build_comparison.h"
#include "build_text.h"
#include "level_by_level.h"
#include "level_explanation.h"
#include "pair_table.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

using enum ProgressionOutcome;

int pick(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

ClassTable randomTable(std::mt19937& rng) {
    static const std::array<double, 6> kRates{0.0, 0.25, 0.5, 0.75, 1.0, 1.0 / 3.0};
    static const std::array<const char*, 4> kSaveTexts{"TRUE", "FALSE", "True", ""};
    const auto saveText = [&] { return kSaveTexts[static_cast<std::size_t>(pick(rng, 0, 3))]; };

    ClassTable table;
    const int count = pick(rng, 0, kMaxClasses);
    for (int slot = 1; slot <= count; ++slot) {
        ClassRecord record;
        record.name = "K" + std::to_string(slot);
        record.hitDie = static_cast<std::int16_t>(pick(rng, 0, kMaxLevel));
        record.skillPoints = static_cast<std::int16_t>(pick(rng, -1, 8));
        record.babRate = pick(rng, 0, 1) == 0
                             ? kRates[static_cast<std::size_t>(pick(rng, 0, 5))]
                             : std::uniform_real_distribution<double>(0.0, 1.5)(rng);
        record.fortText = saveText();
        record.refText = saveText();
        record.willText = saveText();
        for (std::size_t level = 1; level <= kMaxLevel; ++level) {
            record.features[level] = record.name + ":" + std::to_string(level);
        }
        table.appendRecord(std::move(record));
    }
    table.deriveGoodSaves();
    return table;
}

BuildSheet randomSheet(std::mt19937& rng, int classCount) {
    BuildSheet sheet;
    const auto position = [&] {
        return static_cast<std::int16_t>(pick(rng, 0, 9) < 8 ? pick(rng, 1, std::max(1, classCount))
                                                             : pick(rng, -1, kMaxClasses + 2));
    };
    for (Segment& segment : sheet.segments) {
        const int levels = pick(rng, 0, 8);
        switch (pick(rng, 0, 5)) {
            case 0:
                segment.levelText = "";
                break;
            case 1:
                segment.levelText = "0" + std::to_string(levels);
                break;
            default:
                segment.levelText = std::to_string(levels);
                break;
        }
        segment.firstClass = position();
        segment.secondClass = position();
    }
    return sheet;
}

// An exact fraction, so that the model's saves carry no rounding of their own.
struct Fraction {
    long long num = 0;
    long long den = 1;

    Fraction& operator+=(Fraction other) {
        num = num * other.den + other.num * den;
        den *= other.den;
        const long long common = std::gcd(num, den);
        num /= common;
        den /= common;
        return *this;
    }
    long long floored() const { return num / den; }
    double value() const { return static_cast<double>(num) / static_cast<double>(den); }
};

// The rules, restated plainly: a save gets the 2 when both classes are new.
struct Expected {
    ProgressionOutcome outcome = NothingToShow;
    std::array<int, kSlotCount> classLevels{};
    int acceptedLevels = 0;
    int bab = 0;
    Fraction fort, ref, will;
};

Expected expectedFor(const BuildSheet& sheet, const ClassTable& table) {
    Expected e;
    int total = 0;
    for (const Segment& s : sheet.segments) {
        total += s.levelText.empty() ? 0 : std::stoi(s.levelText);
    }
    if (total > kMaxCharacterLevel) {
        e.outcome = TooManyLevels;
        return e;
    }
    for (const Segment& s : sheet.segments) {
        const int levels = s.levelText.empty() ? 0 : std::stoi(s.levelText);
        const auto inTable = [](int p) { return p >= 1 && p <= kMaxClasses; };
        if (levels <= 0 || !inTable(s.firstClass) || !inTable(s.secondClass)) {
            break;
        }
        e.outcome = Finished;
        const ClassRecord& a = table.recordAt(s.firstClass);
        const ClassRecord& b = table.recordAt(s.secondClass);
        auto& levelsA = e.classLevels[static_cast<std::size_t>(s.firstClass)];
        auto& levelsB = e.classLevels[static_cast<std::size_t>(s.secondClass)];
        const bool bothNew = levelsA == 0 && levelsB == 0;
        levelsA += levels;
        if (s.secondClass != s.firstClass) {
            levelsB += levels;
        }
        e.acceptedLevels += levels;
        e.bab = static_cast<int>(std::nearbyint(levels * std::max(a.babRate, b.babRate) + e.bab));
        const auto advance = [&](Fraction& save, bool good) {
            if (!good) {
                save += {levels, 3};
            } else {
                save += {bothNew ? 2 : 0, 1};
                save += {levels, 2};
            }
        };
        advance(e.fort, a.fortGood || b.fortGood);
        advance(e.ref, a.refGood || b.refGood);
        advance(e.will, a.willGood || b.willGood);
    }
    return e;
}

std::string flooredLine(const char* label, Fraction save) {
    return label + std::to_string(save.floored());
}

// The build stopped after its first n levels: the segment holding level n cut to
// its levels up to n, the ones after it emptied.
BuildSheet cutAfter(const BuildSheet& sheet, int n) {
    BuildSheet cut = sheet;
    int remaining = n;
    for (Segment& segment : cut.segments) {
        const int levels = segment.levelText.empty() ? 0 : std::stoi(segment.levelText);
        if (remaining <= 0) {
            segment = Segment{"0", -1, -1};
        } else if (levels >= remaining) {
            segment.levelText = std::to_string(remaining);
        }
        remaining -= levels;
    }
    return cut;
}

// A row's bonuses as lines 3 to 6 of the report write them.
std::vector<std::string> bonusLines(const LevelRow& row) {
    return {"BAB=" + std::to_string(row.bab), "Fort=+" + std::to_string(row.fort),
            "Ref=+" + std::to_string(row.ref), "Will=+" + std::to_string(row.will)};
}

std::vector<std::string> reportBonusLines(const ProgressionState& state, const ClassTable& table) {
    const std::vector<std::string> lines = reportLines(buildReportText(state, table));
    return {lines.begin() + 2, lines.begin() + 6};
}

// Every row is what the report says of the build stopped at that level, and the
// level's hit die is the one the tally gained.
void expectRowsAgreeWithCutBuilds(const BuildSheet& sheet, const ClassTable& table,
                                  const LevelByLevelResult& byLevel) {
    ProgressionState before;
    for (const LevelRow& row : byLevel.rows) {
        SCOPED_TRACE("level " + std::to_string(row.level));
        const ProgressionResult cut = computeProgression(cutAfter(sheet, row.level), table);
        ASSERT_EQ(cut.outcome, Finished);
        const ProgressionState& state = cut.state;
        EXPECT_EQ(bonusLines(row), reportBonusLines(state, table));
        EXPECT_EQ(row.first.classLevel,
                  state.classLevels[static_cast<std::size_t>(row.first.slot)]);
        EXPECT_EQ(row.second.classLevel,
                  state.classLevels[static_cast<std::size_t>(row.second.slot)]);
        EXPECT_EQ(row.skillPoints, state.segmentSkillPoints[static_cast<std::size_t>(row.segment)]);
        for (std::size_t die = 0; die <= kMaxLevel; ++die) {
            EXPECT_EQ(state.hitDieTally[die] - before.hitDieTally[die],
                      static_cast<int>(die) == row.hitDie ? 1 : 0)
                << "d" << die;
        }
        before = state;
    }
}

// Every level's steps, added up and rounded or floored under the rules, give the
// numbers of its row, and its words hold them.
void expectStepsExplainRows(const LevelByLevelResult& byLevel, const ClassTable& table) {
    ASSERT_EQ(byLevel.steps.size(), byLevel.rows.size());
    for (std::size_t n = 0; n < byLevel.rows.size(); ++n) {
        const LevelRow& row = byLevel.rows[n];
        const LevelSteps& steps = byLevel.steps[n];
        ASSERT_EQ(steps.rowCount, row.segment);
        int bab = 0;
        std::array<int, 3> sixths{};
        for (int index = 0; index < steps.rowCount; ++index) {
            const SegmentSteps& s = steps.row(index);
            const ClassRecord& a = table.recordAt(s.first.slot);
            const ClassRecord& b = table.recordAt(s.second.slot);
            EXPECT_EQ(s.attack.before, bab);
            EXPECT_EQ(s.attack.total, s.levels * std::max(a.babRate, b.babRate) + bab);
            bab = static_cast<int>(std::nearbyint(s.attack.total));
            const bool bothNew = s.first.classLevel == s.levels && s.second.classLevel == s.levels;
            const std::array<bool, 3> good{a.fortGood || b.fortGood, a.refGood || b.refGood,
                                           a.willGood || b.willGood};
            const std::array<const SaveStep*, 3> saves{&s.fort, &s.ref, &s.will};
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(saves[i]->plusTwo, good[i] && bothNew);
                EXPECT_EQ(saves[i]->levelShare.sixths, (good[i] ? 3 : 2) * s.levels);
                sixths[i] += saves[i]->part().sixths;
            }
        }
        EXPECT_EQ((std::array<int, 4>{bab, sixths[0] / 6, sixths[1] / 6, sixths[2] / 6}),
                  (std::array<int, 4>{row.bab, row.fort, row.ref, row.will}));
        const LevelExplanation words = explainLevel(row, steps, table);
        const std::string at = " at level " + std::to_string(row.level) + ": ";
        for (const auto& [value, opening] :
             {std::pair{LevelValue::Bab, "BAB " + std::to_string(row.bab)},
              {LevelValue::Fort, "Fort " + std::to_string(row.fort)},
              {LevelValue::Ref, "Ref " + std::to_string(row.ref)},
              {LevelValue::Will, "Will " + std::to_string(row.will)}}) {
            EXPECT_TRUE(words.of(value).starts_with(opening + at)) << words.of(value);
            EXPECT_NE(words.row.find('\n' + words.of(value) + '\n'), std::string::npos);
        }
    }
}

// The Skill Points column adds up as the report counts: in each row of the build,
// the levels' points and how often each counts make the report's term.
void expectSkillColumnAgreesWithReport(const LevelByLevelResult& byLevel,
                                       const std::string& skillText) {
    std::vector<std::pair<int, int>> terms;  // points and multiplier, row by row
    for (const LevelRow& row : byLevel.rows) {
        if (terms.size() < static_cast<std::size_t>(row.segment)) {
            terms.emplace_back(row.skillPoints, 0);
        }
        EXPECT_EQ(terms.back().first, row.skillPoints);
        terms.back().second += row.skillTimes;
    }
    std::size_t from = 0;
    for (const auto& [points, times] : terms) {
        const std::string term =
            "(" + std::to_string(points) + " + int modifier) * " + std::to_string(times) + " (";
        from = skillText.find(term, from);
        ASSERT_NE(from, std::string::npos) << term << " in " << skillText;
    }
}

// The table under names that a build line must quote, number or split with care,
// drawn often enough that most tables hold some of them twice.
ClassTable withHardNames(const ClassTable& table, std::mt19937& rng) {
    // clang-format off
    static const std::array<const char*, 24> kHardNames{
        "Twin", "twin", "TWIN", "Twin (2)", "twin (3)", " Twin", "Twin ", "", " ", "A / B", "A /",
        "/ B", "A/B", "\"Q\" (2)", "\"", "Back\\slash, \"hi\"", "Tab\there", "Line\nend", "CR\r",
        "(2)", "Twin (2) (2)", "\xC3\x89lan", "\xC3\xA9LAN", "A / \"B\""};
    // clang-format on

    ClassTable renamed;
    for (int slot = 1; slot <= table.classCount(); ++slot) {
        ClassRecord record = table.recordAt(slot);
        if (pick(rng, 0, 1) == 0) {
            record.name = kHardNames[static_cast<std::size_t>(pick(rng, 0, 23))];
        }
        renamed.appendRecord(std::move(record));
    }
    return renamed;
}

// A copied build pastes back as the rows the walk uses, the rest as at start, and
// what it pastes gives the report the text shows.
void expectBuildTextRoundTrip(const BuildSheet& sheet, const ClassTable& table) {
    const std::string text = buildText(sheet, table);
    const auto inTable = [&](int p) { return p >= 1 && p <= table.classCount(); };
    std::size_t rows = 0;
    while (rows < sheet.segments.size() && !sheet.segments[rows].levelText.empty() &&
           std::stoi(sheet.segments[rows].levelText) > 0 &&
           inTable(sheet.segments[rows].firstClass) && inTable(sheet.segments[rows].secondClass)) {
        ++rows;
    }
    const PastedBuild pasted = readBuildText(text, table);
    if (rows == 0) {
        EXPECT_EQ(text, "");
        return;
    }
    ASSERT_FALSE(pasted.refusal) << text;
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        const Segment want = k < rows ? sheet.segments[k] : Segment{"0", -1, -1};
        const Segment& got = pasted.sheet.segments[k];
        EXPECT_EQ(got.levelText, std::to_string(std::stoi(want.levelText))) << text;
        EXPECT_EQ(got.firstClass, want.firstClass) << text;
        EXPECT_EQ(got.secondClass, want.secondClass) << text;
    }
    const ProgressionResult again = computeProgression(pasted.sheet, table);
    std::string report = kTooManyLevelsText;
    if (again.outcome == Finished) {
        report.clear();
        for (const std::string& line : reportLines(buildReportText(again.state, table))) {
            report += (report.empty() ? "" : "\n") + line;
        }
    }
    EXPECT_EQ(text.substr(text.find("\n\n") + 2), report + "\n");
}

TEST(ProgressionProperty, AgreesWithTheRulesOverGeneratedBuilds) {
    std::mt19937 rng(20261207);
    std::mt19937 nameRng(14);
    int finished = 0;
    for (int tableIndex = 0; tableIndex < 300 && !HasFailure(); ++tableIndex) {
        const ClassTable table = randomTable(rng);
        const ClassTable named = withHardNames(table, nameRng);
        for (int buildIndex = 0; buildIndex < 20 && !HasFailure(); ++buildIndex) {
            SCOPED_TRACE("table " + std::to_string(tableIndex) + ", build " +
                         std::to_string(buildIndex));
            const BuildSheet sheet = randomSheet(rng, table.classCount());
            const Expected e = expectedFor(sheet, table);
            const ProgressionResult result = computeProgression(sheet, table);
            ASSERT_EQ(result.outcome, e.outcome);
            const LevelByLevelResult byLevel = levelByLevel(sheet, table);
            ASSERT_EQ(byLevel.outcome, e.outcome);
            expectBuildTextRoundTrip(sheet, named);
            if (e.outcome != Finished) {
                EXPECT_TRUE(byLevel.rows.empty());
                continue;
            }
            ++finished;
            const ProgressionState& state = result.state;
            int tallied = 0;
            for (const auto count : state.hitDieTally) {
                tallied += count;
            }
            EXPECT_EQ(tallied, e.acceptedLevels);
            for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
                EXPECT_EQ(state.classLevels[slot], e.classLevels[slot]) << "slot " << slot;
            }
            EXPECT_EQ(state.bab, e.bab);
            EXPECT_EQ(state.fort.value(), e.fort.value());
            EXPECT_EQ(state.ref.value(), e.ref.value());
            EXPECT_EQ(state.will.value(), e.will.value());

            const std::string report = buildReportText(state, table);
            const std::vector<std::string> lines = reportLines(report);
            ASSERT_EQ(lines.size(), 7U) << report;
            for (const std::string& line : lines) {
                EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << report;
            }
            EXPECT_EQ(lines[2], "BAB=" + std::to_string(e.bab));
            EXPECT_EQ(lines[3], flooredLine("Fort=+", e.fort));
            EXPECT_EQ(lines[4], flooredLine("Ref=+", e.ref));
            EXPECT_EQ(lines[5], flooredLine("Will=+", e.will));

            // The last row agrees with the report of the whole build.
            ASSERT_EQ(byLevel.rows.size(), static_cast<std::size_t>(e.acceptedLevels));
            EXPECT_EQ(bonusLines(byLevel.rows.back()), reportBonusLines(state, table));
            expectRowsAgreeWithCutBuilds(sheet, table, byLevel);
            expectStepsExplainRows(byLevel, table);
            expectSkillColumnAgreesWithReport(byLevel, state.skillText);
        }
    }
    // Enough of the generated builds must reach the report for the test to mean anything.
    EXPECT_GT(finished, 1000);
}

// Every pair of two different classes once, in file order, each row what Go
// reports for the pair's one-row build; a filter keeps exactly the rows with its class.
TEST(ProgressionProperty, PairRowsAgreeWithTheReportOfEachPair) {
    std::mt19937 rng(26);
    for (int tableIndex = 0; tableIndex < 80 && !HasFailure(); ++tableIndex) {
        const ClassTable table = randomTable(rng);
        const int level = pick(rng, 1, kMaxCharacterLevel);
        const auto withClass = static_cast<std::int16_t>(pick(rng, -1, table.classCount() + 1));
        SCOPED_TRACE("table " + std::to_string(tableIndex) + ", level " + std::to_string(level));
        const std::vector<PairRow> rows = pairRows(table, level);
        std::vector<PairRow> kept;
        auto row = rows.begin();
        for (std::int16_t a = 1; a <= table.classCount(); ++a) {
            for (auto b = static_cast<std::int16_t>(a + 1); b <= table.classCount(); ++b, ++row) {
                ASSERT_NE(row, rows.end());
                EXPECT_EQ(std::tuple(row->number, row->first, row->second),
                          std::tuple(row - rows.begin() + 1, a, b));
                const std::vector<std::string> shown{"HD=" + row->hitDice,
                                                     "Skill Points:" + row->skillText,
                                                     "BAB=" + std::to_string(row->bab),
                                                     "Fort=+" + std::to_string(row->fort),
                                                     "Ref=+" + std::to_string(row->ref),
                                                     "Will=+" + std::to_string(row->will),
                                                     "Class Features: " + row->features};
                const BuildSheet sheet = makeSheet({{std::to_string(level), a, b}});
                EXPECT_EQ(shown, reportLines(buildReportText(computeProgression(sheet, table).state,
                                                             table)));
                // A good save always shows more than the poor third of a point per level.
                const auto good = std::count_if(shown.begin() + 3, shown.begin() + 6, [&](auto& s) {
                    return !s.ends_with("+" + std::to_string(level / 3));
                });
                const ClassRecord& first = table.recordAt(a);
                const ClassRecord& second = table.recordAt(b);
                EXPECT_EQ(std::tuple(row->hitDie, row->skillPoints, row->goodSaves),
                          std::tuple(std::max(first.hitDie, second.hitDie),
                                     std::max(first.skillPoints, second.skillPoints), good));
                if (withClass <= kAnyClass || a == withClass || b == withClass) {
                    kept.push_back(*row);
                }
            }
        }
        EXPECT_EQ(row, rows.end());
        EXPECT_EQ(pairRows(table, level, withClass), kept) << "with class " << withClass;
    }
}

// Feature cells drawn from a few texts, many empty, so that builds share some.
ClassTable withSharedFeatures(const ClassTable& table, std::mt19937& rng) {
    ClassTable shared;
    for (int slot = 1; slot <= table.classCount(); ++slot) {
        ClassRecord record = table.recordAt(slot);
        for (std::size_t level = 1; level <= kMaxLevel; ++level) {
            record.features[level] =
                pick(rng, 0, 2) == 0 ? "" : "F" + std::to_string(pick(rng, 1, 9));
        }
        shared.appendRecord(std::move(record));
    }
    return shared;
}

// Each cell against the builds' rows: its value, marked best exactly when it is
// the highest of values that differ, and its difference from the current build's.
void expectSideBySide(const std::vector<ComparedCells>& cells,
                      const std::vector<std::optional<std::array<int, 6>>>& values) {
    ASSERT_EQ(cells.size(), values.size());
    for (std::size_t v = 0; v < kComparedValueCount; ++v) {
        std::vector<int> reached;
        for (const auto& value : values) {
            if (value) {
                reached.push_back((*value)[v]);
            }
        }
        const auto [low, high] = std::minmax_element(reached.begin(), reached.end());
        for (std::size_t b = 0; b < cells.size(); ++b) {
            const ComparedCell& cell = cells[b][v];
            SCOPED_TRACE("build " + std::to_string(b) + ", value " + std::to_string(v));
            ASSERT_EQ(cell.reached, values[b].has_value());
            if (!cell.reached) {
                continue;
            }
            EXPECT_EQ(cell.value, (*values[b])[v]);
            EXPECT_EQ(cell.best, *low < *high && cell.value == *high);
            EXPECT_EQ(cell.overCurrent,
                      values[0] ? std::optional((*values[b])[v] - (*values[0])[v]) : std::nullopt);
        }
    }
}

TEST(ProgressionProperty, ComparisonMarksTheBestAndTheFirstLevelOfEachFeature) {
    std::mt19937 rng(32);
    for (int tableIndex = 0; tableIndex < 60 && !HasFailure(); ++tableIndex) {
        const ClassTable table = withSharedFeatures(randomTable(rng), rng);
        std::vector<std::vector<LevelRow>> builds(static_cast<std::size_t>(pick(rng, 1, 9)));
        std::map<std::string, std::vector<std::int16_t>> firstLevels;
        for (std::size_t b = 0; b < builds.size(); ++b) {
            builds[b] = levelByLevel(randomSheet(rng, table.classCount()), table).rows;
            for (const LevelRow& row : builds[b]) {
                for (const std::string& feature : row.features) {
                    auto& levels = firstLevels.try_emplace(feature, builds.size()).first->second;
                    levels[b] = levels[b] == 0 ? row.level : levels[b];
                }
            }
        }
        SCOPED_TRACE("table " + std::to_string(tableIndex));
        const BuildComparison comparison = compareBuilds(builds);
        const auto valuesOf = [](const LevelRow& row) {
            return std::array<int, 6>{row.bab,  row.fort,   row.ref,
                                      row.will, row.hitDie, row.skillPoints};
        };
        std::vector<std::optional<std::array<int, 6>>> totals;
        for (const std::vector<LevelRow>& rows : builds) {
            std::optional<std::array<int, 6>> total;
            if (!rows.empty()) {
                total = valuesOf(rows.back());
                (*total)[4] = (*total)[5] = 0;
                for (const LevelRow& row : rows) {
                    (*total)[4] += row.hitDie;
                    (*total)[5] += row.skillPoints * (row.level == 1 ? 4 : 1);
                }
            }
            totals.push_back(total);
        }
        expectSideBySide(comparison.totals, totals);
        for (std::size_t n = 0; n < comparison.levels.size(); ++n) {
            EXPECT_EQ(comparison.levels[n].level, static_cast<std::int16_t>(n + 1));
            std::vector<std::optional<std::array<int, 6>>> values;
            for (const std::vector<LevelRow>& rows : builds) {
                values.push_back(n < rows.size() ? std::optional(valuesOf(rows[n])) : std::nullopt);
            }
            expectSideBySide(comparison.levels[n].builds, values);
        }
        std::size_t longest = 0;
        for (const auto& rows : builds) {
            longest = std::max(longest, rows.size());
        }
        EXPECT_EQ(comparison.levels.size(), longest);
        ASSERT_EQ(comparison.features.size(), firstLevels.size());
        for (std::size_t f = 0; f < comparison.features.size(); ++f) {
            const FeatureReach& reach = comparison.features[f];
            EXPECT_EQ(reach.levels, firstLevels[reach.feature]) << reach.feature;
            std::int16_t first = kMaxCharacterLevel + 1;
            for (const std::int16_t level : reach.levels) {
                first = level > 0 ? std::min(first, level) : first;
            }
            EXPECT_EQ(reach.firstLevel, first);
            EXPECT_TRUE(f == 0 || comparison.features[f - 1].firstLevel <= first);
        }
    }
}

TEST(ProgressionProperty, PairRowsNeedTwoClassesAndALevelOfACharacter) {
    const ClassRecord twin = makeClass({"Twin", 8, 2, 0.75, "F"});
    // Classes, level, rows.
    for (const auto& [classes, level, count] : std::vector<std::array<int, 3>>{
             {40, 20, 780}, {2, 1, 1}, {1, 20, 0}, {3, 0, 0}, {3, 21, 0}}) {
        const ClassTable table = makeTable(std::vector(static_cast<std::size_t>(classes), twin));
        EXPECT_EQ(pairRows(table, level).size(), static_cast<std::size_t>(count))
            << classes << " classes, level " << level;
    }
}

}  // namespace
}  // namespace vostrel::testing
