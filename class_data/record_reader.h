#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "class_table.h"
#include "field_reader.h"
#include "record_watches.h"
#include "refusal.h"
#include "row_census.h"

// Reads the classes of a class data file from its fields.
namespace vostrel::detail {

struct RecordsRead {
    std::optional<Refusal> refusal;  // its source not yet named
    bool windows1252 = false;        // the texts are Windows-1252, not UTF-8
    // When nonzero, the file is a sheet whose rows stop short of level 20, all
    // this many fields wide: it is best read again with this row width.
    int sheetWidth = 0;
};

// Reads every class of the data into `records`, and chooses the fault to tell
// as class_file_reader.h says (fault_choice.cpp). With a `rowWidth`, each row of
// that many fields is one class whose missing last features are empty; without,
// classes are counted field by field.
RecordsRead readRecords(ByteSource& source, int rowWidth, std::vector<ClassRecord>& records);

// Builds the classes from the fields, up to the first fault met, while its
// watches and census note what the whole file shows.
class RecordReader {
public:
    RecordReader(ByteSource& in, int rowWidth);

    // The fault met, its source not yet named; none when every class was read.
    std::optional<Refusal> readClasses(std::vector<ClassRecord>& records);
    // After a fault: reads on to the end of the data for the census alone.
    void finishCensus();

    // What the reading saw.
    bool readFailed() const { return fields_.readFailed(); }
    int rowWidth() const { return rowWidth_; }
    int classNumber() const { return classNumber_; }
    const ClassRecord& record() const { return record_; }  // the class being read, as far as read
    const Field& field() const { return field_; }          // the last field read
    const LineWatch& lines() const { return lines_; }
    const PaddingWatch& padding() const { return padding_; }
    const EncodingWatch& encoding() const { return encoding_; }
    const RowCensus& census() const { return census_; }

private:
    std::optional<Refusal> readRecord(bool& emptyRow);
    FieldStatus next();
    bool restOfRowEmpty();
    std::optional<Refusal> store(int fieldNumber);
    Refusal refusal(RefusalKind kind, std::int64_t line, int field, std::string found = {}) const;
    Refusal fieldRefusal(FieldStatus status) const;

    FieldReader fields_;
    int rowWidth_;
    Field field_;
    ClassRecord record_;
    int classNumber_ = 0;
    int fieldsRead_ = 0;
    std::int64_t lastFieldLine_ = 0;
    std::int64_t recordLine_ = 0;  // where the class being read begins
    LineWatch lines_;
    PaddingWatch padding_;
    EncodingWatch encoding_;
    RowCensus census_;  // the whole file's rows, to explain a fault met in a class
};

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
