#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "class_table.h"
#include "field_reader.h"
#include "refusal.h"

// Reads the classes of a class data file from its fields.
namespace vostrel::detail {

struct RecordsRead {
    std::optional<Refusal> refusal;  // its source not yet named
    bool windows1252 = false;        // the texts are Windows-1252, not UTF-8
    // When nonzero, the file is a sheet whose rows stop short of level 20, all
    // this many fields wide: it is best read again with this row width.
    int sheetWidth = 0;
};

// Reads every class of the data into `records`. With a `rowWidth`, each row of
// that many fields is one class whose missing last features are empty; without,
// classes are counted field by field.
RecordsRead readRecords(ByteSource& source, int rowWidth, std::vector<ClassRecord>& records);

// Calls `visit` on every text of a record that comes from the file.
template <typename Record, typename Visit>
void forEachText(Record& record, Visit visit) {
    visit(record.name);
    visit(record.fortText);
    visit(record.refText);
    visit(record.willText);
    std::for_each(record.features.begin(), record.features.end(), visit);
}

}  // namespace vostrel::detail
