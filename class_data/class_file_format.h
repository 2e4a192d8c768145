#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The shape of a class data file, and the place in it that a refusal names.
namespace vostrel {

inline constexpr int kFieldCount = 27;        // fields to a class
inline constexpr int kFirstFeatureField = 8;  // fields 8..27 are the features of levels 1..20
inline constexpr int kMaxClasses = 40;        // slots 1..40; slot 0 stands for "no class"
inline constexpr std::int16_t kMaxHitDie = 20;

// No field may be longer, so that any file, whatever its size, is answered with
// bounded memory.
inline constexpr std::size_t kMaxFieldBytes = 65536;

// A class data file of 40 wordy classes takes a few hundred KB; anything past
// this size is refused, from its size when that is known beforehand.
inline constexpr std::uintmax_t kMaxClassFileBytes = std::uintmax_t{16} * 1024 * 1024;

// Where in a class data file, or on which line of a pasted build.
struct Place {
    std::int64_t line = 0;
    int classNumber = 0;                     // counted from 1; 0 where no one class is meant
    std::optional<std::string> className{};  // once the class's name field has been read
    int field = 0;                           // 1..27; 0 where no one field is meant

    bool operator==(const Place&) const = default;
};

}  // namespace vostrel
