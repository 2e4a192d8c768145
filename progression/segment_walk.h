#pragma once

#include <string_view>

#include "progression.h"

// The segment walk's own pieces, shared with the level-by-level table so that
// both read the build and advance the state through the same code.
namespace vostrel::walk {

// The level count a level box stands for: 0 for empty or non-digit text,
// more than 20 for any numeral above 20.
int levelValue(std::string_view text);

// A segment is walked when it has levels and both of its lists hold a class.
bool isAccepted(const Segment& segment);

// The checks made before any segment is walked: the level total, then segment 1.
// Finished means the walk may start.
ProgressionOutcome checkBuild(const BuildSheet& sheet);

// Stores segment k's classes and level count, tallies class levels and runs the
// per-segment steps in the walk's order.
void processSegment(ProgressionState& state, const ClassTable& table, const Segment& segment,
                    int k);

}  // namespace vostrel::walk
