#include "level_explanation.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <numeric>
#include <string_view>
#include <utility>

#include "segment_walk.h"

namespace vostrel {

namespace {

// A text built from many short pieces, as an explanation is: the pieces gather
// in a buffer on the stack, so that adding one is a copy rather than a call, and
// only a text longer than the buffer goes to the heap before the end.
class Words {
public:
    Words& operator+=(std::string_view piece) {
        if (piece.size() > kRoom - used_) {
            return spill(piece);
        }
        std::memcpy(buffer_.data() + used_, piece.data(), piece.size());
        used_ += piece.size();
        return *this;
    }
    Words& operator+=(char c) { return *this += std::string_view(&c, 1); }

    std::string text() const {
        std::string whole;
        whole.reserve(spilled_.size() + used_);
        whole += spilled_;
        whole.append(buffer_.data(), used_);
        return whole;
    }

private:
    static constexpr std::size_t kRoom = 4096;

    Words& spill(std::string_view piece) {
        spilled_.append(buffer_.data(), used_);
        spilled_ += piece;
        used_ = 0;
        return *this;
    }

    std::array<char, kRoom> buffer_;
    std::size_t used_ = 0;
    std::string spilled_;
};

// Most numbers here are counts of levels under 100.
void appendNumber(Words& text, long long value) {
    if (value >= 0 && value < 100) {
        const std::array<char, 2> digits{static_cast<char>('0' + value / 10),
                                         static_cast<char>('0' + value % 10)};
        text += value < 10 ? std::string_view(&digits[1], 1) : std::string_view(digits.data(), 2);
        return;
    }
    char digits[20];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text += std::string_view(digits, static_cast<std::size_t>(end - digits));
}

// Up to four decimal places without trailing zeros (0.75, 1, 4.5), so that a
// product such as 3 x 0.1 shows as 0.3 and not as the 0.30000000000000004 it
// is held as. A value that four places miss by more than a billionth shows its
// first four places and "..." (a third is 0.3333...). Written without the
// locale, whose decimal comma the window may have set.
void appendDecimal(Words& text, double value) {
    constexpr double kPlaces = 10000.0;
    constexpr double kLargest = 1e11;  // beyond it, ten-thousandths leave the exact doubles
    const double scaled = std::nearbyint(value * kPlaces);
    if (std::abs(value) < kLargest && std::abs(value - scaled / kPlaces) <= 1e-9) {
        auto tenThousandths = static_cast<long long>(scaled);
        if (tenThousandths < 0) {
            text += '-';
            tenThousandths = -tenThousandths;
        }
        appendNumber(text, tenThousandths / 10000);
        int fraction = static_cast<int>(tenThousandths % 10000);
        if (fraction != 0) {
            text += '.';
            for (int place = 1000; fraction != 0; place /= 10) {
                text += static_cast<char>('0' + fraction / place);
                fraction %= place;
            }
        }
        return;
    }
    char digits[64];
    if (!std::isfinite(value) || std::abs(value) >= kLargest) {
        const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        text += std::string_view(digits, static_cast<std::size_t>(end - digits));
        return;
    }
    const char* end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 17).ptr;
    const std::string_view all(digits, static_cast<std::size_t>(end - digits));
    text += all.substr(0, all.find('.') + 5);
    text += "...";
}

// A save in whole numbers and sixths, the fraction in lowest terms: 2, 1/3, 2 5/6.
void appendSixths(Words& text, SaveBonus value) {
    int sixths = value.sixths;
    if (sixths < 0) {
        text += '-';
        sixths = -sixths;
    }
    const int whole = sixths / 6;
    const int rest = sixths % 6;
    if (whole != 0 || rest == 0) {
        appendNumber(text, whole);
    }
    if (rest != 0) {
        if (whole != 0) {
            text += ' ';
        }
        const int common = std::gcd(rest, 6);
        appendNumber(text, rest / common);
        text += '/';
        appendNumber(text, 6 / common);
    }
}

void appendLevels(Words& text, int levels) {
    appendNumber(text, levels);
    text += levels == 1 ? " level" : " levels";
}

void appendPossessive(Words& text, const ClassTable& table, int slot) {
    text += table.recordAt(slot).name;
    text += "'s";
}

const std::string& nameOf(const ClassTable& table, const ClassAtLevel& reached) {
    return table.recordAt(reached.slot).name;
}

// "A's", or "A's and B's" when both classes of the row share what is told.
void appendWhose(Words& text, const ClassTable& table, const SegmentSteps& row, PairSide side) {
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

void appendAtLevel(Words& text, const LevelSteps& steps) {
    text += " at level ";
    appendNumber(text, steps.level);
    text += ": row ";
    appendNumber(text, steps.last().segment);
    text += ", ";
}

// Hit die and skill points come from the level's own row alone.
void appendChoice(Words& text, const LevelSteps& steps, const ClassTable& table, bool hitDie) {
    const SegmentSteps& row = steps.last();
    const PairChoice& choice = hitDie ? row.hitDie : row.skillPoints;
    const auto valueText = [&](Words& out, int value) {
        if (hitDie) {
            out += 'd';
        }
        appendNumber(out, value);
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

// ", which rounds to 5", ", which rounds to the even 4", or nothing when the
// total is already the whole number the bonus took.
void appendRounding(Words& text, double total, std::int16_t after) {
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
    appendNumber(text, after);
}

void appendRate(Words& text, const ClassTable& table, const SegmentSteps& row) {
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
void appendSplitNote(Words& text, const LevelSteps& steps) {
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
    appendNumber(text, bab < once ? once - bab : bab - once);
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

void appendBab(Words& text, const LevelSteps& steps, const ClassTable& table) {
    text += "BAB ";
    appendNumber(text, steps.last().attack.after);
    text += " at level ";
    appendNumber(text, steps.level);
    text += ": ";
    for (int index = 0; index < steps.rowCount; ++index) {
        const SegmentSteps& row = steps.row(index);
        const AttackStep& step = row.attack;
        if (index > 0) {
            text += "; ";
        }
        text += "row ";
        appendNumber(text, row.segment);
        text += ", ";
        appendLevels(text, row.levels);
        text += " x ";
        appendDecimal(text, step.rate);
        appendRate(text, table, row);
        text += " = ";
        appendDecimal(text, step.part);
        if (index > 0) {
            text += "; ";
            appendNumber(text, step.before);
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
void appendPlusTwo(Words& text, const ClassTable& table, const SegmentSteps& row,
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
        appendNumber(text, row.first.classLevel);
        text += " + ";
        text += nameOf(table, row.second);
        text += ' ';
        appendNumber(text, row.second.classLevel);
        text += " = ";
    }
    appendNumber(text, step.pairLevels);
    text += step.plusTwo ? " class levels, no more than twice " : " class levels, more than twice ";
    appendNumber(text, row.levels);
    text += ')';
}

void appendSaveRow(Words& text, const ClassTable& table, const SegmentSteps& row,
                   const SaveStep& step) {
    text += "row ";
    appendNumber(text, row.segment);
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

void appendSave(Words& text, const LevelSteps& steps, const ClassTable& table,
                std::string_view label, SaveStep SegmentSteps::*save) {
    const SaveBonus total = (steps.last().*save).after;
    text += label;
    text += ' ';
    appendNumber(text, total.floored());
    text += " at level ";
    appendNumber(text, steps.level);
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
        appendNumber(text, total.floored());
    }
    text += '.';
}

bool holdsRows(const LevelSteps& steps) {
    return steps.rowCount >= 1 && steps.rowCount <= kSegmentCount;
}

void appendValue(Words& text, const LevelSteps& steps, LevelValue value, const ClassTable& table) {
    switch (value) {
        case LevelValue::HitDie:
            appendChoice(text, steps, table, true);
            break;
        case LevelValue::SkillPoints:
            appendChoice(text, steps, table, false);
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
    Words text;
    appendValue(text, steps, value, table);
    return text.text();
}

LevelExplanation explainLevel(const LevelRow& row, const LevelSteps& steps,
                              const ClassTable& table) {
    LevelExplanation explanation;
    if (!holdsRows(steps)) {
        return explanation;
    }
    Words text;
    text += "Level ";
    appendNumber(text, steps.level);
    text += ": row ";
    appendNumber(text, steps.last().segment);
    text += ", ";
    const auto appendClass = [&](const ClassAtLevel& reached) {
        text += nameOf(table, reached);
        text += ' ';
        appendNumber(text, reached.classLevel);
    };
    appendClass(row.first);
    if (!row.sameClass()) {
        text += " / ";
        appendClass(row.second);
    }
    text += '.';
    for (const LevelValue value : kLevelValues) {
        std::string& words = explanation.values[static_cast<std::size_t>(value)];
        words = explainValue(steps, value, table);
        text += '\n';
        text += words;
    }
    if (row.features.empty()) {
        text += "\nNo features reached at this level.";
    } else {
        // A features cell may end in its own full stop, so none is added.
        text += "\nFeatures reached: ";
        for (std::size_t index = 0; index < row.features.size(); ++index) {
            if (index > 0) {
                text += "; ";
            }
            text += row.features[index];
        }
    }
    explanation.row = text.text();
    return explanation;
}

}  // namespace vostrel
