#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "class_table.h"
#include "progression.h"

namespace vostrel {

inline constexpr std::size_t kMaxKeptBuilds = 8;

struct KeptBuild {
    std::string name;
    BuildSheet rows;  // the rows Copy Build would write (copiedRows)
};

// The builds kept in one run to set beside the one in the window, in the order
// kept: at most kMaxKeptBuilds, no two with the same rows or the same name.
class KeptBuilds {
public:
    enum class Outcome { Kept, Empty, AlreadyKept, Full };
    struct Keeping {
        Outcome outcome = Outcome::Empty;
        std::size_t index = 0;  // where the build went, or the build of the same rows
    };

    // Keeps the rows Copy Build would write of `sheet`, under `name` or, when that
    // is empty, "Build n" for the lowest n not taken; a name already taken gets
    // " (2)", " (3)" ... Keeps nothing when the first row is incomplete, when a
    // build of the same rows is kept or when the list is full.
    Keeping keep(const BuildSheet& sheet, const ClassTable& table, const std::string& name = {});
    // The kept build of the same rows as `sheet`, if any.
    std::optional<std::size_t> find(const BuildSheet& sheet, const ClassTable& table) const;

    // Blanks around a name are dropped. False, renaming nothing, for a name left
    // empty or one another build has.
    bool rename(std::size_t index, const std::string& name);
    void remove(std::size_t index);
    // After another class file took the place of `from`: each build's classes
    // found again by name in `to`, as the rows' are; a class `to` lacks leaves its
    // list on "<None>", so that the build stops there.
    void carryOver(const ClassTable& from, const ClassTable& to);

    std::size_t size() const { return builds_.size(); }
    bool full() const { return builds_.size() >= kMaxKeptBuilds; }
    const KeptBuild& operator[](std::size_t index) const { return builds_[index]; }

private:
    bool nameTaken(const std::string& name, std::size_t except) const;
    std::string freeName(const std::string& wanted) const;

    std::vector<KeptBuild> builds_;
};

}  // namespace vostrel
