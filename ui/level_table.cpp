#include "level_table.h"

namespace {

QString classesText(const vostrel::LevelRow& row, const vostrel::ClassTable& table) {
    const auto classAt = [&table](const vostrel::ClassAtLevel& reached) {
        return QString::fromStdString(table.recordAt(reached.slot).name) + QLatin1Char(' ') +
               QString::number(reached.classLevel);
    };
    // A class chosen in both lists is one class, as in the class-level tally.
    if (row.sameClass()) {
        return classAt(row.first);
    }
    return classAt(row.first) + QStringLiteral(" / ") + classAt(row.second);
}

}  // namespace

std::shared_ptr<const ShownLevels> shownLevels(vostrel::LevelByLevelResult result,
                                               const vostrel::ClassTable& table) {
    auto shown = std::make_shared<ShownLevels>();
    if (result.outcome != vostrel::ProgressionOutcome::Finished) {
        return shown;
    }
    shown->rows = std::move(result.rows);
    for (std::size_t i = 0; i < shown->rows.size(); ++i) {
        shown->classes.append(classesText(shown->rows[i], table));
        shown->explanations.push_back(
            vostrel::explainLevel(shown->rows[i], result.steps[i], table));
    }
    return shown;
}

// The bonuses as the report writes them: BAB bare, the saves with their plus sign.
std::vector<TableColumn> levelColumns(std::shared_ptr<const ShownLevels> shown) {
    const auto at = [shown](int row) -> const vostrel::LevelRow& {
        return shown->rows[static_cast<std::size_t>(row)];
    };
    // A number's cell tells how it came about, to the eye and to a screen reader.
    const auto number = [&at, &shown](const QString& title, vostrel::LevelValue which, auto value,
                                      const QString& sign = {}) {
        TableColumn column = numberColumn(
            title, [at, value](int r) { return int{value(at(r))}; }, sign);
        column.toolTip = [shown, which](int r) {
            return QString::fromStdString(
                shown->explanations[static_cast<std::size_t>(r)].of(which));
        };
        column.toolTipDescribes = true;
        return column;
    };
    using vostrel::LevelValue;
    using Row = vostrel::LevelRow;
    const QString plus = QStringLiteral("+");
    // "4 x 4" at level 1, which the report counts four times: the column then adds
    // up to what the report's multipliers say.
    TableColumn skills = number(QStringLiteral("Skill Points"), LevelValue::SkillPoints,
                                [](const Row& l) { return l.skillPoints; });
    skills.display = [at](int r) {
        const Row& level = at(r);
        const QString points = QString::number(level.skillPoints);
        return level.skillTimes == 1 ? points
                                     : QStringLiteral("%1 x %2").arg(points).arg(level.skillTimes);
    };
    return {
        numberColumn(QStringLiteral("Level"), [at](int r) { return int{at(r).level}; }),
        {.title = QStringLiteral("Classes"),
         .display = [shown](int r) { return shown->classes[r]; }},
        number(
            QStringLiteral("Hit Die"), LevelValue::HitDie, [](const Row& l) { return l.hitDie; },
            QStringLiteral("d")),
        skills,
        number(QStringLiteral("BAB"), LevelValue::Bab, [](const Row& l) { return l.bab; }),
        number(
            QStringLiteral("Fort"), LevelValue::Fort, [](const Row& l) { return l.fort; }, plus),
        number(
            QStringLiteral("Ref"), LevelValue::Ref, [](const Row& l) { return l.ref; }, plus),
        number(
            QStringLiteral("Will"), LevelValue::Will, [](const Row& l) { return l.will; }, plus),
        // The features take what room is left; the tooltip has them whole.
        {.title = QStringLiteral("Features"),
         .display = [at](int r) { return QString::fromStdString(vostrel::featuresText(at(r))); },
         .toolTip = [at](int r) { return QString::fromStdString(vostrel::featuresText(at(r))); }},
    };
}
