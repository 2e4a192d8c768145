#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "build_refusal.h"
#include "class_table.h"

// How a build line names a class (the forms are told in build_text.h), shared by
// copying and pasting builds.
namespace vostrel::name_text {

// A fault of a pasted line, its line not yet set.
BuildRefusal lineFault(BuildRefusalKind kind, std::string_view found = {},
                       std::string_view alsoFound = {});

struct QuotedName {
    std::string name;     // its escapes undone
    std::size_t end = 0;  // just past the closing quote
    std::optional<BuildRefusal> refusal;
};

// The name in double quotes at the start of `text`.
QuotedName readQuoted(std::string_view text);

struct NameRead {
    int slot = 0;                         // 0 when the loaded file has no such class
    std::optional<BuildRefusal> refusal;  // the name is not written in a form that reads at all
};

// One of a line's names, the blanks around it already cut.
NameRead readName(std::string_view text, const ClassTable& table);

// The place of the class in `slot` among the classes of its name, from 1: the n
// of a written "Twin (n)".
int placeAmongNamesakes(const ClassTable& table, int slot);

// The class in `slot` as a line writes it: quoted when `quote` or when its name
// needs it, with its place among the classes of its name from the second on.
std::string writtenName(const ClassTable& table, int slot, bool quote);

}  // namespace vostrel::name_text
