#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string_view>

#include "class_file_format.h"
#include "class_table.h"
#include "refusal.h"

// Which fault a refused file is told by. Reading stops at the first fault it
// meets, but that is not always the one that explains the file; each step below
// may replace what the steps before it chose.
//  1. Before any byte is read, the file itself: it cannot be opened, is no
//     regular file, or is larger than kMaxClassFileBytes (byte_sources.cpp).
//  2. At its first bytes: UTF-16 or UTF-32 text (field_reader.cpp).
//  3. Classes are built field by field up to the first fault in one: a field's
//     fault, or a class past the 40th (record_reader.cpp).
//  4. From here on the choice is fault_choice.cpp's. An earlier short line that
//     explains the fault is told in its place; else the fault is told with what
//     its class shows: fields parted by semicolons or tabs, a control byte, a
//     class that began in the middle of a line.
//  5. Unless the fault leaves the fields after it unreadable (a quote, a field
//     too long) or the data failed, the rest of the file is read for its rows:
//     a header row (for a fault in class 1), or a row with a column after level
//     20 at or before the fault, is told instead. A decimal comma in an attack
//     rate gets a note on a save column's TRUE written in another language.
//  6. A file read to its end without a fault can still be refused for what only
//     the whole shows: some classes ending with one empty field more than the
//     others, and after that, two encodings mixed.
//  7. When all rows are as wide as a spreadsheet writes a sheet without the
//     last features and the counted reading began classes in the middle of lines
//     or ran out inside a class, the file is read again a row to a class, and
//     that reading's outcome counts instead (class_file_reader.cpp).
//  8. Last, a refusal gives way to what stopped the data: more than
//     kMaxClassFileBytes from a stream, or a file the system failed to read
//     (told with its reason). Data that broke off with no fault found is
//     Unreadable; memory running out, OutOfMemory.
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
