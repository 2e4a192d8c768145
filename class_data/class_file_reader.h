#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "class_table.h"

namespace vostrel {

// Why a class data file was refused: plain text for the user, naming the file,
// the line, the class and the field, what was found and what was expected.
struct ReadError {
    std::string message;
};

// A class data file of 40 wordy classes takes a few hundred KB; anything past
// this size is refused, from its size when that is known beforehand.
inline constexpr std::uintmax_t kMaxClassFileBytes = std::uintmax_t{16} * 1024 * 1024;

// Reads a class data file into `table`, which must be empty. Reads only as far
// as it needs and never throws. Only a regular file is read: anything else (a
// FIFO, a socket, a device) is refused at once, without waiting on it. On success the table holds
// the file's classes (good-save flags not yet derived); on refusal the table is left empty.
std::optional<ReadError> readClassFile(const std::filesystem::path& path, ClassTable& table);

// The same from an open stream; `sourceName` names the data in messages. The
// stream is refused once more than kMaxClassFileBytes have come from it.
std::optional<ReadError> readClassData(std::istream& in, std::string_view sourceName,
                                       ClassTable& table);

// What the window's start-up load calls once a file has been chosen: reads the
// file and derives the good-save flags. On refusal the table is left empty.
std::optional<ReadError> loadClassData(const std::filesystem::path& path, ClassTable& table);

}  // namespace vostrel
