#pragma once

#include <string>

#include "class_table.h"
#include "progression.h"

// The report's lines that are lists, shared with the pair table so that its cells
// are written by the same code as the report.
namespace vostrel::report {

// The hit-dice list of the "HD=" line: counts of the listed die sizes, smallest first.
void appendHitDice(std::string& text, const ProgressionState& state);

// The list of the "Class Features: " line: each class of the build once, in slot
// order, with the features cell of the total level it reached.
void appendClassFeatures(std::string& text, const ProgressionState& state, const ClassTable& table);

}  // namespace vostrel::report
