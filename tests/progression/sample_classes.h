#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "class_table.h"
#include "progression.h"

namespace vostrel::testing {

// Slots of the sample table. Warden, Mystic and Scout are the classes of the
// worked report; A to D the four classes of the worked attack and save example.
enum Slot : std::int16_t {
    Warden = 1,
    Mystic,
    Scout,
    A,
    B,
    C,
    D,
    Adept,     // d4, rate 0.5, no good save
    Brute,     // d12
    Giant,     // d20: tallied, never listed
    Odd,       // d3: tallied, never listed
    Blank,     // d8, every features cell empty
    Bard,      // features cells holding commas
    Monster,   // d21: cannot be tallied
    Negative,  // d-2: cannot be tallied
    Dunce,     // skill points -1
    Cursed,    // rate -0.5
    Hermit,    // d6, rate 0.5, no good save
    Sage,      // rate a third
    Tithe,     // rate 0.1
};

struct ClassOutline {
    const char* name;
    int hitDie;
    int skillPoints;
    double babRate;
    const char* saves;  // any of "F", "R", "W": the good saves
};

ClassRecord makeClass(const ClassOutline& outline);
ClassTable makeTable(std::vector<ClassRecord> records);
const ClassTable& sampleTable();

// Segments 1..n as given; the rest empty with nothing chosen.
BuildSheet makeSheet(std::initializer_list<Segment> segments);

// Names each case of a parameterised suite after its `name` field.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
        return param.param.name;
    }
};

// The report's lines, split at CR LF.
std::vector<std::string> reportLines(const std::string& report);

}  // namespace vostrel::testing
