#include "carry_over.h"

#include <array>
#include <cstdint>

#include "class_lookup.h"
#include "class_name_text.h"
#include "number_text.h"

namespace vostrel {

namespace {

std::int16_t carried(std::int16_t slot, const ClassTable& from, const ClassTable& to) {
    // Slots run 0..40, so every carried slot fits.
    return static_cast<std::int16_t>(carriedSlot(slot, from, to));
}

}  // namespace

int carriedSlot(int slot, const ClassTable& from, const ClassTable& to) {
    if (slot == -1 || slot == 0) {
        return slot;
    }
    if (slot < 0 || slot > from.classCount()) {
        return -1;
    }
    const std::vector<std::string> names = to.classNames();
    const std::array<SoughtName, 1> sought{
        {{from.recordAt(slot).name, name_text::placeAmongNamesakes(from, slot)}}};
    const auto found = findEntry(names, sought);
    return found ? static_cast<int>(*found) + 1 : 0;
}

CarriedBuild carryOverBuild(const BuildSheet& sheet, const ClassTable& from, const ClassTable& to) {
    CarriedBuild build{sheet, {}};
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        Segment& row = build.sheet.segments[k];
        for (const bool second : {false, true}) {
            std::int16_t& slot = second ? row.secondClass : row.firstClass;
            const std::int16_t before = slot;
            slot = carried(before, from, to);
            if (slot == 0 && before > 0 && before <= from.classCount()) {
                const int place = name_text::placeAmongNamesakes(from, before);
                std::string name = from.recordAt(before).name;
                if (place > 1) {
                    name += " (" + integerText(place) + ")";
                }
                build.lost.push_back({static_cast<int>(k) + 1, second, std::move(name)});
            }
        }
    }
    return build;
}

std::string lostChoiceText(const LostChoice& lost) {
    return "Row " + integerText(lost.row) + (lost.second ? ", second" : ", first") +
           " class: the file no longer has a class named \"" + lost.name + "\".";
}

}  // namespace vostrel
