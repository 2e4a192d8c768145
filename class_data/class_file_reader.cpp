#include "class_file_reader.h"

#include <fstream>

namespace vostrel {

// Placeholder until the reader lands.
std::optional<ReadError> readClassData(std::istream&, std::string_view sourceName, ClassTable&) {
    return ReadError{std::string(sourceName) + ": not implemented"};
}

std::optional<ReadError> readClassFile(const std::filesystem::path& path, ClassTable& table) {
    std::ifstream in(path, std::ios::binary);
    return readClassData(in, path.string(), table);
}

std::optional<ReadError> loadClassData(const std::filesystem::path& path, ClassTable& table) {
    auto error = readClassFile(path, table);
    if (!error) {
        table.deriveGoodSaves();
    }
    return error;
}

}  // namespace vostrel
