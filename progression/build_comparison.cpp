#include "build_comparison.h"

#include <algorithm>
#include <map>

namespace vostrel {

namespace {

constexpr std::array<ComparedValue, kComparedValueCount> kValues{
    ComparedValue::Bab,  ComparedValue::Fort,   ComparedValue::Ref,
    ComparedValue::Will, ComparedValue::HitDie, ComparedValue::SkillPoints};

// Marks the highest value of each kind among the builds that have one, and how
// each stands against the current build.
void setSideBySide(std::vector<ComparedCells>& builds) {
    for (std::size_t v = 0; v < kComparedValueCount; ++v) {
        std::optional<int> high;
        std::optional<int> low;
        for (const ComparedCells& cells : builds) {
            if (cells[v].reached) {
                high = std::max(high.value_or(cells[v].value), cells[v].value);
                low = std::min(low.value_or(cells[v].value), cells[v].value);
            }
        }
        const ComparedCell& current = builds.front()[v];
        for (ComparedCells& cells : builds) {
            ComparedCell& cell = cells[v];
            if (!cell.reached) {
                continue;
            }
            cell.best = *low < *high && cell.value == *high;
            if (current.reached) {
                cell.overCurrent = cell.value - current.value;
            }
        }
    }
}

ComparedCells cellsOf(const LevelRow& row) {
    ComparedCells cells;
    for (std::size_t v = 0; v < kComparedValueCount; ++v) {
        cells[v].reached = true;
        cells[v].value = comparedValue(row, kValues[v]);
    }
    return cells;
}

ComparedCells totalsOf(const std::vector<LevelRow>& rows) {
    if (rows.empty()) {
        return {};
    }
    ComparedCells cells = cellsOf(rows.back());
    int sides = 0;
    int skillPoints = 0;
    for (const LevelRow& row : rows) {
        sides += row.hitDie;
        skillPoints += row.skillPoints * row.skillTimes;
    }
    cells[static_cast<std::size_t>(ComparedValue::HitDie)].value = sides;
    cells[static_cast<std::size_t>(ComparedValue::SkillPoints)].value = skillPoints;
    return cells;
}

}  // namespace

int comparedValue(const LevelRow& row, ComparedValue which) {
    switch (which) {
        case ComparedValue::Bab:
            return row.bab;
        case ComparedValue::Fort:
            return row.fort;
        case ComparedValue::Ref:
            return row.ref;
        case ComparedValue::Will:
            return row.will;
        case ComparedValue::HitDie:
            return row.hitDie;
        case ComparedValue::SkillPoints:
            return row.skillPoints;
    }
    return 0;
}

BuildComparison compareBuilds(const std::vector<std::vector<LevelRow>>& builds) {
    BuildComparison comparison;
    if (builds.empty()) {
        return comparison;
    }
    std::size_t longest = 0;
    for (const std::vector<LevelRow>& rows : builds) {
        longest = std::max(longest, rows.size());
        comparison.totals.push_back(totalsOf(rows));
    }
    setSideBySide(comparison.totals);

    // Row n of every build is its level n + 1.
    comparison.levels.resize(longest);
    for (std::size_t n = 0; n < longest; ++n) {
        ComparedLevel& level = comparison.levels[n];
        level.level = static_cast<std::int16_t>(n + 1);
        for (const std::vector<LevelRow>& rows : builds) {
            level.builds.push_back(n < rows.size() ? cellsOf(rows[n]) : ComparedCells{});
        }
        setSideBySide(level.builds);
    }

    std::map<std::string, std::size_t, std::less<>> seen;
    for (std::size_t b = 0; b < builds.size(); ++b) {
        for (const LevelRow& row : builds[b]) {
            for (const std::string& feature : row.features) {
                const auto [at, added] = seen.try_emplace(feature, comparison.features.size());
                if (added) {
                    FeatureReach& reach = comparison.features.emplace_back();
                    reach.feature = feature;
                    reach.levels.resize(builds.size());
                }
                FeatureReach& reach = comparison.features[at->second];
                if (reach.levels[b] == 0) {
                    reach.levels[b] = row.level;
                }
                if (reach.firstLevel == 0 || row.level < reach.firstLevel) {
                    reach.firstLevel = row.level;
                }
            }
        }
    }
    std::stable_sort(
        comparison.features.begin(), comparison.features.end(),
        [](const FeatureReach& a, const FeatureReach& b) { return a.firstLevel < b.firstLevel; });
    return comparison;
}

}  // namespace vostrel
