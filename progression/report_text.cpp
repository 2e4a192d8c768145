#include <array>
#include <cstddef>
#include <string_view>

#include "class_checks.h"
#include "number_text.h"
#include "progression.h"
#include "report_lines.h"

namespace vostrel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// A save keeps its fraction until here and shows only its whole part.
void appendSaveLine(std::string& text, std::string_view label, const SaveBonus& save) {
    text += label;
    appendInteger(text, save.floored());
    text += kLineBreak;
}

}  // namespace

namespace report {

void appendHitDice(std::string& text, const ProgressionState& state) {
    bool first = true;
    // Only the usual die sizes are listed; any other tallied size is left out of the line.
    for (const int die : kListedHitDice) {
        const int count = state.hitDieTally[static_cast<std::size_t>(die)];
        if (count <= 0) {
            continue;
        }
        if (!first) {
            text += " + ";
        }
        first = false;
        appendInteger(text, count);
        text += 'd';
        appendInteger(text, die);
    }
}

void appendClassFeatures(std::string& text, const ProgressionState& state,
                         const ClassTable& table) {
    bool first = true;
    for (int slot = 1; slot <= kMaxClasses; ++slot) {
        const int level = state.classLevels[static_cast<std::size_t>(slot)];
        if (level <= 0 || level > kMaxLevel) {
            continue;
        }
        if (!first) {
            text += ", ";
        }
        first = false;
        text += table.recordAt(slot).features[static_cast<std::size_t>(level)];
    }
}

}  // namespace report

std::string buildReportText(const ProgressionState& state, const ClassTable& table) {
    std::string text;
    // The fixed lines plus room for a features line of ordinary length.
    text.reserve(512 + state.skillText.size());

    text += "HD=";
    report::appendHitDice(text, state);
    text += kLineBreak;

    text += "Skill Points:";
    text += state.skillText;
    text += kLineBreak;

    text += "BAB=";
    appendInteger(text, state.bab);
    text += kLineBreak;

    appendSaveLine(text, "Fort=+", state.fort);
    appendSaveLine(text, "Ref=+", state.ref);
    appendSaveLine(text, "Will=+", state.will);

    text += "Class Features: ";
    report::appendClassFeatures(text, state, table);
    return text;
}

}  // namespace vostrel
