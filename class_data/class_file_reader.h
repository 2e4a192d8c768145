#pragma once

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

// Reads a class data file into `table`, which must be empty. Reads only as far
// as it needs and never throws. On success the table holds the file's classes
// (good-save flags not yet derived); on refusal the table is left empty.
std::optional<ReadError> readClassFile(const std::filesystem::path& path, ClassTable& table);

// The same from an open stream; `sourceName` names the data in messages.
std::optional<ReadError> readClassData(std::istream& in, std::string_view sourceName,
                                       ClassTable& table);

// What the window's start-up load calls once a file has been chosen: reads the
// file and derives the good-save flags. On refusal the table is left empty.
std::optional<ReadError> loadClassData(const std::filesystem::path& path, ClassTable& table);

}  // namespace vostrel
