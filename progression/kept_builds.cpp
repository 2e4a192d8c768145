#include "kept_builds.h"

#include "build_text.h"
#include "carry_over.h"
#include "field_values.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// A name typed or pasted into the rename box, line ends around it included.
std::string trimmedName(const std::string& name) {
    return std::string(trimmed(name, " \t\r\n"));
}

}  // namespace

KeptBuilds::Keeping KeptBuilds::keep(const BuildSheet& sheet, const ClassTable& table,
                                     const std::string& name) {
    const BuildSheet rows = copiedRows(sheet, table);
    if (!walk::isAccepted(rows.segments.front())) {
        return {Outcome::Empty};
    }
    if (const auto same = find(rows, table)) {
        return {Outcome::AlreadyKept, *same};
    }
    if (full()) {
        return {Outcome::Full};
    }
    builds_.push_back({freeName(trimmedName(name)), rows});
    return {Outcome::Kept, builds_.size() - 1};
}

std::optional<std::size_t> KeptBuilds::find(const BuildSheet& sheet,
                                            const ClassTable& table) const {
    const BuildSheet rows = copiedRows(sheet, table);
    for (std::size_t i = 0; i < builds_.size(); ++i) {
        if (builds_[i].rows == rows) {
            return i;
        }
    }
    return std::nullopt;
}

bool KeptBuilds::rename(std::size_t index, const std::string& name) {
    const std::string trimmed = trimmedName(name);
    if (index >= builds_.size() || trimmed.empty() || nameTaken(trimmed, index)) {
        return false;
    }
    builds_[index].name = trimmed;
    return true;
}

void KeptBuilds::remove(std::size_t index) {
    if (index < builds_.size()) {
        builds_.erase(builds_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void KeptBuilds::carryOver(const ClassTable& from, const ClassTable& to) {
    for (KeptBuild& build : builds_) {
        build.rows = carryOverBuild(build.rows, from, to).sheet;
    }
}

bool KeptBuilds::nameTaken(const std::string& name, std::size_t except) const {
    for (std::size_t i = 0; i < builds_.size(); ++i) {
        if (i != except && builds_[i].name == name) {
            return true;
        }
    }
    return false;
}

std::string KeptBuilds::freeName(const std::string& wanted) const {
    if (wanted.empty()) {
        for (std::size_t n = 1;; ++n) {
            std::string name = "Build " + std::to_string(n);
            if (!nameTaken(name, kNone)) {
                return name;
            }
        }
    }
    std::string name = wanted;
    for (std::size_t n = 2; nameTaken(name, kNone); ++n) {
        name = wanted + " (" + std::to_string(n) + ")";
    }
    return name;
}

}  // namespace vostrel
