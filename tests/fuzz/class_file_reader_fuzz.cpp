#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "class_file_reader.h"
#include "text_encoding.h"

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool isEmptyRecord(const vostrel::ClassRecord& record) {
    return record.name.empty() && record.hitDie == 0 && record.skillPoints == 0 &&
           record.babRate == 0.0 && record.willText.empty() && record.features[20].empty();
}

}  // namespace

// Any bytes at all: the reader either loads at most 40 sound classes or refuses
// with a message and leaves the table empty.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    vostrel::ClassTable table;
    const auto error = vostrel::readClassData(in, "fuzz.csv", table);
    if (error) {
        require(table.classCount() == 0);
        require(!vostrel::describe(*error).empty());
        require(vostrel::detail::isValidUtf8(vostrel::describe(*error)));
        return 0;
    }
    require(table.classCount() >= 0 && table.classCount() <= vostrel::kMaxClasses);
    table.deriveGoodSaves();
    for (int slot = 1; slot <= table.classCount(); ++slot) {
        const vostrel::ClassRecord& record = table.recordAt(slot);
        require(record.hitDie >= 0 && record.hitDie <= 20);
        require(record.babRate >= -1000.0 && record.babRate <= 1000.0);
        require(record.features[0].empty());
        require(vostrel::detail::isValidUtf8(record.name));
        for (const std::string& feature : record.features) {
            require(vostrel::detail::isValidUtf8(feature));
        }
    }
    require(isEmptyRecord(table.recordAt(0)));
    require(isEmptyRecord(table.recordAt(table.classCount() + 1)));
    return 0;
}
