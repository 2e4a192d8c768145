#include "class_table.h"

#include <cstddef>
#include <utility>

#include "class_checks.h"

namespace vostrel {

namespace {

const ClassRecord kEmptyRecord{};

void deriveFlag(const std::string& text, bool& flag) {
    // Only ever set: a flag starts false and nothing clears it.
    if (text == kGoodSaveText) {
        flag = true;
    }
}

}  // namespace

bool ClassTable::appendRecord(ClassRecord record) {
    if (count_ >= kMaxClasses) {
        return false;
    }
    ++count_;
    slots_[static_cast<std::size_t>(count_)] = std::move(record);
    return true;
}

void ClassTable::deriveGoodSaves() {
    for (int slot = 1; slot <= count_; ++slot) {
        ClassRecord& record = slots_[static_cast<std::size_t>(slot)];
        deriveFlag(record.fortText, record.fortGood);
        deriveFlag(record.refText, record.refGood);
        deriveFlag(record.willText, record.willGood);
    }
}

std::vector<std::string> ClassTable::classNames() const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count_));
    for (int slot = 1; slot <= count_; ++slot) {
        names.push_back(slots_[static_cast<std::size_t>(slot)].name);
    }
    return names;
}

const ClassRecord& ClassTable::recordAt(int slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        return kEmptyRecord;
    }
    return slots_[static_cast<std::size_t>(slot)];
}

}  // namespace vostrel
