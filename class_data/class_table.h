#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "class_file_format.h"

namespace vostrel {

inline constexpr int kSlotCount = kMaxClasses + 1;
inline constexpr int kMaxLevel = 20;  // class levels and features run 1..20
static_assert(kFieldCount == kFirstFeatureField - 1 + kMaxLevel);

// One class's data. A default-constructed record is the empty record.
struct ClassRecord {
    std::string name;
    std::int16_t hitDie = 0;
    std::int16_t skillPoints = 0;
    double babRate = 0.0;
    bool fortGood = false;
    std::string fortText;
    bool refGood = false;
    std::string refText;
    bool willGood = false;
    std::string willText;
    std::array<std::string, kMaxLevel + 1> features{};  // index 0 is never filled
};

// The classes of one run: 41 slots, slot 0 always the empty record, slots
// 1..classCount() the classes in file order, the rest empty.
class ClassTable {
public:
    // Stores the record in the next free slot. Returns false, storing nothing,
    // when all 40 class slots are already taken.
    bool appendRecord(ClassRecord record);

    // Sets each good-save flag of slots 1..classCount() whose column reads exactly "TRUE".
    void deriveGoodSaves();

    int classCount() const { return count_; }
    std::vector<std::string> classNames() const;

    // Any slot outside 0..40 reads as the empty record, so no caller can ever
    // read outside the table.
    const ClassRecord& recordAt(int slot) const;

private:
    std::array<ClassRecord, kSlotCount> slots_{};
    int count_ = 0;
};

}  // namespace vostrel
