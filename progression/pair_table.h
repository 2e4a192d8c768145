#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "class_table.h"
#include "progression.h"

namespace vostrel {

// What Go reports for a one-row build of two different classes of the file at a
// chosen level, with a number for each column that sorts as its text reads.
struct PairRow {
    // The pair's place among all pairs of the file, in file order (1 for the first
    // two classes, then the first class with each later one, and so on); a filter
    // leaves it as it is.
    std::int16_t number = 0;
    std::int16_t first = 0;  // class slots, first < second
    std::int16_t second = 0;
    std::string hitDice;  // as the "HD=" line writes it, e.g. "20d10"; empty for an unlisted die
    std::int16_t hitDie = 0;       // the die size
    std::string skillText;         // as the "Skill Points:" line writes it
    std::int16_t skillPoints = 0;  // per level, before the intelligence modifier
    std::int16_t bab = 0;
    int fort = 0;  // floored, as the report shows them
    int ref = 0;
    int will = 0;
    int goodSaves = 0;     // 0..3: saves that either class has good
    std::string features;  // as the "Class Features: " line writes it, without that label

    bool operator==(const PairRow&) const = default;
};

// A "with class" of 0 (or below) keeps every pair.
inline constexpr std::int16_t kAnyClass = 0;

// One row for each pair of two different classes of the table at character level
// `level` (1..20), each pair once and in order of their numbers, keeping only the
// pairs that hold `withClass` unless it is kAnyClass. No rows for a level outside
// 1..20 or a table of fewer than two classes.
std::vector<PairRow> pairRows(const ClassTable& table, int level,
                              std::int16_t withClass = kAnyClass);

// Where a chosen pair goes in a build, or why it cannot.
enum class PairFit { Fits, NoFreeRow, RowIncomplete, NoLevelLeft };

struct PairPlace {
    PairFit fit = PairFit::NoFreeRow;
    int segment = 0;  // 1..5, when it fits or for the incomplete row
    int levels = 0;   // the row's new level count, when it fits
};

// The pair goes where the report stops, the first row not complete, when neither
// of its lists holds a class; a row there with a class is kept and the pair refused,
// as it would not count below it. The row gets `level` levels, or as many as the
// other rows' boxes leave below 21 if fewer: its own box is written over, so only
// the others count.
PairPlace placeOfPair(const BuildSheet& sheet, int level);

}  // namespace vostrel
