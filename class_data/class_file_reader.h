#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string_view>

#include "class_file_format.h"
#include "class_table.h"
#include "refusal.h"

namespace vostrel {

// Reads a class data file into `table`, which must be empty. Reads only as far
// as it needs and never throws. Only a regular file is read: anything else (a
// FIFO, a socket, a device) is refused at once, without waiting on it. On success the table holds
// the file's classes (good-save flags not yet derived); on refusal the table is left empty.
std::optional<Refusal> readClassFile(const std::filesystem::path& path, ClassTable& table);

// The same from an open stream; `sourceName` names the data in messages. The
// stream is refused once more than kMaxClassFileBytes have come from it.
std::optional<Refusal> readClassData(std::istream& in, std::string_view sourceName,
                                     ClassTable& table);

// What the window's start-up load calls once a file has been chosen: reads the
// file and derives the good-save flags. On refusal the table is left empty.
std::optional<Refusal> loadClassData(const std::filesystem::path& path, ClassTable& table);

}  // namespace vostrel
