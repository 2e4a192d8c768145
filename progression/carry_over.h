#pragma once

#include <string>
#include <vector>

#include "class_table.h"
#include "progression.h"

// A build chosen among the classes of one file, kept when another file (or the
// same file saved anew) takes its place: classes are found again by name, so a
// class that moved in the file, or whose numbers changed, stays chosen.
namespace vostrel {

// A class list whose class the new file no longer has.
struct LostChoice {
    int row = 0;          // 1..5
    bool second = false;  // the row's second list, else its first
    std::string name;     // as the build text writes it: "Twin (2)" for a second Twin
};

struct CarriedBuild {
    BuildSheet sheet;
    std::vector<LostChoice> lost;  // row by row, each row's first list first
};

// The slot in `to` of the class in `slot` of `from`: found as Paste Build finds a
// name (exact text first, then ignoring case; the n-th of a name stays the n-th).
// 0 for a class `to` does not have; -1 and 0 stay as they are, and a slot `from`
// holds no class becomes -1, nothing chosen.
int carriedSlot(int slot, const ClassTable& from, const ClassTable& to);

// The build with every chosen class carried from `from` to `to`; level boxes keep
// their text, and a list whose class is gone is set to "<None>".
CarriedBuild carryOverBuild(const BuildSheet& sheet, const ClassTable& from, const ClassTable& to);

// Row 2, second class: the file no longer has a class named "Gloam".
std::string lostChoiceText(const LostChoice& lost);

}  // namespace vostrel
