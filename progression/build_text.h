#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "build_refusal.h"
#include "class_table.h"
#include "progression.h"

namespace vostrel {

// Builds as text, to keep in notes or share in a post and paste back later.
//
// A build line holds a level count and the two classes of a row:
//     3 Ironwarden / Hedge Oracle
// A class is written by its name as the file has it. The second, third ... class
// of one name adds its place among them: "Twin (2)". A name that would not read
// back as this class on its own is written in double quotes, inside which \" is a
// quote, \\ a backslash and \t, \n, \r a tab and the line ends: names that are
// empty, start with a quote, begin or end with a space or hold a tab or a line
// end, that look like the numbered form of another class ("Twin (2)" beside two
// classes named Twin) or whose slashes would split the line elsewhere.
//
// Read back, letter case is ignored, but a name written exactly as in the file
// wins over one matching only in case: the first class of that name, or the
// numbered one. A bare "Name (n)" means the n-th class named Name when there is
// one, else the class with that whole name.

// The rows Copy Build writes: those the walk uses (the complete rows up to the
// first incomplete one, of classes of `table`), each level count without leading
// zeros, and after them rows as at start: level "0", nothing chosen. All rows as
// at start when the first row is incomplete.
BuildSheet copiedRows(const BuildSheet& sheet, const ClassTable& table);

// The rows the walk uses (the complete rows up to the first incomplete one), one
// line each, then an empty line and the report of those rows; lines end in LF.
// Empty when the first row is incomplete (emptyBuildText tells the user).
std::string buildText(const BuildSheet& sheet, const ClassTable& table);

struct PastedBuild {
    // The build's rows, and after them rows as at start: level "0", nothing chosen.
    BuildSheet sheet;
    // Why the text holds no build, naming the line; none when it does.
    std::optional<BuildRefusal> refusal;
};

// Reads the first block of non-empty lines, after any empty lines, as a build of
// at most five rows; what follows the next empty line is left alone. Lines may
// end in LF, CR LF or CR.
PastedBuild readBuildText(std::string_view text, const ClassTable& table);

}  // namespace vostrel
