#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "class_table.h"
#include "level_by_level.h"
#include "level_explanation.h"
#include "table_model.h"

// The build level by level as a table shows it and a printed sheet lists it.

// What the table shows, as it was when the build was taken.
struct ShownLevels {
    std::vector<vostrel::LevelRow> rows;
    QStringList classes;                                  // the Classes column, row by row
    std::vector<vostrel::LevelExplanation> explanations;  // row by row
};

// The rows of `result`, none unless it finished.
std::shared_ptr<const ShownLevels> shownLevels(vostrel::LevelByLevelResult result,
                                               const vostrel::ClassTable& table);

// Level, Classes, Hit Die, Skill Points, BAB, Fort, Ref, Will, Features.
std::vector<TableColumn> levelColumns(std::shared_ptr<const ShownLevels> shown);
