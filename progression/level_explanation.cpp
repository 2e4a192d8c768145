#include "level_explanation.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "fraction_text.h"
#include "number_text.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

// Room for the longest texts of five rows with class names of ordinary length,
// so that a text is not moved while it grows.
constexpr std::size_t kValueRoom = 1024;
constexpr std::size_t kRowRoom = 4 * kValueRoom;

void appendLevels(std::string& text, int levels) {
    appendInteger(text, levels);
    text += levels == 1 ? " level" : " levels";
}

void appendPossessive(std::string& text, const ClassTable& table, int slot) {
    text += table.recordAt(slot).name;
    text += "'s";
}

const std::string& nameOf(const ClassTable& table, const ClassAtLevel& reached) {
    return table.recordAt(reached.slot).name;
}

// "A's", or "A's and B's" when both classes of the row share what is told.
void appendWhose(std::string& text, const ClassTable& table, const SegmentSteps& row,
                 PairSide side) {
    if (side != PairSide::Second) {
        appendPossessive(text, table, row.first.slot);
    }
    if (side == PairSide::Both && !row.sameClass()) {
        text += " and ";
    }
    if (side != PairSide::First && (side == PairSide::Second || !row.sameClass())) {
        appendPossessive(text, table, row.second.slot);
    }
}

void appendAtLevel(std::string& text, const LevelSteps& steps) {
    text += " at level ";
    appendInteger(text, steps.level);
    text += ": row ";
    appendInteger(text, steps.last().segment);
    text += ", ";
}

// Hit die and skill points come from the level's own row alone.
void appendChoice(std::string& text, const LevelSteps& steps, const ClassTable& table,
                  bool hitDie) {
    const SegmentSteps& row = steps.last();
    const PairChoice& choice = hitDie ? row.hitDie : row.skillPoints;
    const auto valueText = [&](std::string& out, int value) {
        if (hitDie) {
            out += 'd';
        }
        appendInteger(out, value);
    };
    const auto valueOfSlot = [&](int slot) {
        const ClassRecord& record = table.recordAt(slot);
        return hitDie ? record.hitDie : record.skillPoints;
    };
    text += hitDie ? "Hit die " : "Skill points ";
    valueText(text, choice.value);
    appendAtLevel(text, steps);
    const std::string_view perLevel = hitDie ? "" : " a level";
    if (choice.from == PairSide::Both && !row.sameClass()) {
        text += nameOf(table, row.first);
        text += " and ";
        text += nameOf(table, row.second);
        text += hitDie ? " both have " : " both give ";
        valueText(text, choice.value);
        text += perLevel;
        text += '.';
        return;
    }
    const ClassAtLevel& giver = choice.from == PairSide::First ? row.first : row.second;
    appendPossessive(text, table, giver.slot);
    text += ' ';
    valueText(text, choice.value);
    text += perLevel;
    if (!row.sameClass()) {
        const ClassAtLevel& other = choice.from == PairSide::First ? row.second : row.first;
        text += hitDie ? ", larger than " : ", more than ";
        appendPossessive(text, table, other.slot);
        text += ' ';
        valueText(text, valueOfSlot(other.slot));
    }
    text += '.';
}

// Why the column reads "4 x 4" at level 1 where the report's first term ends in "* 4"
// for a one-level row.
void appendFirstLevelSkills(std::string& text, int points) {
    text +=
        " A character gets four times a level's skill points at first level, so the "
        "report counts level 1 four times: (";
    appendInteger(text, points);
    text += " + int modifier) x ";
    appendInteger(text, kFirstLevelSkillTimes);
    text += '.';
}

// ", which rounds to 5", ", which rounds to the even 4", or nothing when the
// total is already the whole number the bonus took.
void appendRounding(std::string& text, double total, std::int16_t after) {
    if (total == static_cast<double>(after)) {
        return;
    }
    if (std::nearbyint(total) != static_cast<double>(after)) {
        text += ", kept at ";  // beyond the 16-bit range, or not a number
    } else if (std::abs(total - std::trunc(total)) == 0.5) {
        text += ", which rounds to the even ";
    } else {
        text += ", which rounds to ";
    }
    appendInteger(text, after);
}

void appendRate(std::string& text, const ClassTable& table, const SegmentSteps& row) {
    const AttackStep& step = row.attack;
    text += " (";
    if (step.rateFrom == PairSide::Both && !row.sameClass()) {
        text += "the rate ";
        text += nameOf(table, row.first);
        text += " and ";
        text += nameOf(table, row.second);
        text += " share";
    } else {
        appendWhose(text, table, row, step.rateFrom);
        text += " rate";
        if (!row.sameClass()) {
            text += ", the higher of its pair";
        }
    }
    text += ')';
}

// The bonus is rounded after every row, so splitting levels into rows, or
// ordering the rows, can move it. The note appears when it did: when the rows'
// parts added up and rounded once would give another number than the one the
// rows gave. Rounding once over the same levels is what one row would do, so the
// note speaks of exactly the effect players ask about.
void appendSplitNote(std::string& text, const LevelSteps& steps) {
    if (steps.rowCount < 2) {
        return;
    }
    double sum = 0.0;
    for (int index = 0; index < steps.rowCount; ++index) {
        sum += steps.row(index).attack.part;
    }
    const std::int16_t once = walk::roundedAttackBonus(sum, 0);
    const int bab = steps.last().attack.after;
    if (once == bab) {
        return;
    }
    text += " Because the bonus is rounded after every row, this is ";
    appendInteger(text, bab < once ? once - bab : bab - once);
    text += bab < once ? " less" : " more";
    text += " than the parts rounded once: ";
    for (int index = 0; index < steps.rowCount; ++index) {
        if (index > 0) {
            text += " + ";
        }
        appendDecimal(text, steps.row(index).attack.part);
    }
    text += " = ";
    appendDecimal(text, sum);
    appendRounding(text, sum, once);
    text += '.';
}

void appendBab(std::string& text, const LevelSteps& steps, const ClassTable& table) {
    text += "BAB ";
    appendInteger(text, steps.last().attack.after);
    text += " at level ";
    appendInteger(text, steps.level);
    text += ": ";
    for (int index = 0; index < steps.rowCount; ++index) {
        const SegmentSteps& row = steps.row(index);
        const AttackStep& step = row.attack;
        if (index > 0) {
            text += "; ";
        }
        text += "row ";
        appendInteger(text, row.segment);
        text += ", ";
        appendLevels(text, row.levels);
        text += " x ";
        appendDecimal(text, step.rate);
        appendRate(text, table, row);
        text += " = ";
        appendDecimal(text, step.part);
        if (index > 0) {
            text += "; ";
            appendInteger(text, step.before);
            text += step.part < 0 ? " - " : " + ";
            appendDecimal(text, std::abs(step.part));
            text += " = ";
            appendDecimal(text, step.total);
        }
        appendRounding(text, step.total, step.after);
    }
    text += '.';
    appendSplitNote(text, steps);
}

// Why a good row got the +2 or not: the pair's class levels after the row against
// twice the row's levels, which holds only while both classes are new.
void appendPlusTwo(std::string& text, const ClassTable& table, const SegmentSteps& row,
                   const SaveStep& step) {
    const bool firstHad = row.first.classLevel > row.levels;
    const bool secondHad = !row.sameClass() && row.second.classLevel > row.levels;
    if (step.plusTwo || (!firstHad && !secondHad)) {
        text += step.plusTwo ? "+2, as the pair is new (" : "no +2 (";
    } else {
        text += "no +2, as ";
        if (firstHad) {
            text += nameOf(table, row.first);
        }
        if (firstHad && secondHad) {
            text += " and ";
        }
        if (secondHad) {
            text += nameOf(table, row.second);
        }
        text += " had levels before this row (";
        text += nameOf(table, row.first);
        text += ' ';
        appendInteger(text, row.first.classLevel);
        text += " + ";
        text += nameOf(table, row.second);
        text += ' ';
        appendInteger(text, row.second.classLevel);
        text += " = ";
    }
    appendInteger(text, step.pairLevels);
    text += step.plusTwo ? " class levels, no more than twice " : " class levels, more than twice ";
    appendInteger(text, row.levels);
    text += ')';
}

void appendSaveRow(std::string& text, const ClassTable& table, const SegmentSteps& row,
                   const SaveStep& step) {
    text += "row ";
    appendInteger(text, row.segment);
    text += ", ";
    appendLevels(text, row.levels);
    text += step.good ? ", good (" : ", poor (";
    appendWhose(text, table, row, step.good ? step.goodFrom : PairSide::Both);
    text += "): ";
    if (!step.good) {
        text += "a third of ";
        appendLevels(text, row.levels);
        text += ": ";
        appendSixths(text, step.levelShare);
        return;
    }
    appendPlusTwo(text, table, row, step);
    if (step.plusTwo) {
        text += ", plus half of ";
        appendLevels(text, row.levels);
        text += ": 2 + ";
        appendSixths(text, step.levelShare);
        text += " = ";
        appendSixths(text, step.part());
        return;
    }
    text += ", so only half of ";
    appendLevels(text, row.levels);
    text += ": ";
    appendSixths(text, step.levelShare);
}

void appendSave(std::string& text, const LevelSteps& steps, const ClassTable& table,
                std::string_view label, SaveStep SegmentSteps::*save) {
    const SaveBonus total = (steps.last().*save).after;
    text += label;
    text += ' ';
    appendInteger(text, total.floored());
    text += " at level ";
    appendInteger(text, steps.level);
    text += ": ";
    for (int index = 0; index < steps.rowCount; ++index) {
        if (index > 0) {
            text += "; ";
        }
        appendSaveRow(text, table, steps.row(index), steps.row(index).*save);
    }
    text += "; in all ";
    for (int index = 0; index < steps.rowCount; ++index) {
        if (index > 0) {
            text += " + ";
        }
        appendSixths(text, (steps.row(index).*save).part());
    }
    if (steps.rowCount > 1) {
        text += " = ";
        appendSixths(text, total);
    }
    if (total.sixths % 6 != 0) {
        text += ", floored to ";
        appendInteger(text, total.floored());
    }
    text += '.';
}

bool holdsRows(const LevelSteps& steps) {
    return steps.rowCount >= 1 && steps.rowCount <= kSegmentCount;
}

void appendValue(std::string& text, const LevelSteps& steps, LevelValue value,
                 const ClassTable& table) {
    switch (value) {
        case LevelValue::HitDie:
            appendChoice(text, steps, table, true);
            break;
        case LevelValue::SkillPoints:
            appendChoice(text, steps, table, false);
            if (steps.level == 1) {
                appendFirstLevelSkills(text, steps.last().skillPoints.value);
            }
            break;
        case LevelValue::Bab:
            appendBab(text, steps, table);
            break;
        case LevelValue::Fort:
            appendSave(text, steps, table, "Fort", &SegmentSteps::fort);
            break;
        case LevelValue::Ref:
            appendSave(text, steps, table, "Ref", &SegmentSteps::ref);
            break;
        case LevelValue::Will:
            appendSave(text, steps, table, "Will", &SegmentSteps::will);
            break;
    }
}

}  // namespace

std::string explainValue(const LevelSteps& steps, LevelValue value, const ClassTable& table) {
    if (!holdsRows(steps)) {
        return {};
    }
    std::string text;
    text.reserve(kValueRoom);
    appendValue(text, steps, value, table);
    return text;
}

LevelExplanation explainLevel(const LevelRow& row, const LevelSteps& steps,
                              const ClassTable& table) {
    LevelExplanation explanation;
    if (!holdsRows(steps)) {
        return explanation;
    }
    std::string text;
    text.reserve(kRowRoom);
    text += "Level ";
    appendInteger(text, steps.level);
    text += ": row ";
    appendInteger(text, steps.last().segment);
    text += ", ";
    const auto appendClass = [&](const ClassAtLevel& reached) {
        text += nameOf(table, reached);
        text += ' ';
        appendInteger(text, reached.classLevel);
    };
    appendClass(row.first);
    if (!row.sameClass()) {
        text += " / ";
        appendClass(row.second);
    }
    text += '.';
    for (const LevelValue value : kLevelValues) {
        // Written once, into the row, and copied out at its own size.
        text += '\n';
        const std::size_t start = text.size();
        appendValue(text, steps, value, table);
        explanation.values[static_cast<std::size_t>(value)].assign(text, start);
    }
    if (row.features.empty()) {
        text += "\nNo features gained at this level.";
    } else {
        // A features cell may end in its own full stop, so none is added.
        text += "\nFeatures gained at this level: ";
        for (std::size_t index = 0; index < row.features.size(); ++index) {
            if (index > 0) {
                text += "; ";
            }
            text += row.features[index];
        }
    }
    explanation.row = std::move(text);
    return explanation;
}

}  // namespace vostrel
