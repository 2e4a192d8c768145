#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "field_reader.h"
#include "refusal.h"

namespace vostrel::detail {

// What the rows of a file look like, taken beside the reading of its classes:
// a row is a line of fields (a line end inside quotes does not end it). Rows of
// nothing but empty cells are left out. Spreadsheet exports show themselves
// here: rows all of one width, a header row, a column after level 20.
class RowCensus {
public:
    // Every field of the file, in order.
    void note(const Field& field);
    // The empty field after a row's last comma, which the reader steps over.
    void noteTrailingEmptyField(std::int64_t line);
    // All of the data has been seen.
    void noteEndOfData() { complete_ = true; }
    bool complete() const { return complete_; }

    // What the whole file shows may say better than the counted reading why it
    // failed: the refusal to tell instead of `told`, given the fault `found` where
    // reading stopped.
    Refusal verdict(const Refusal& found, Refusal told) const;

    std::int64_t rows() const { return rows_; }
    // The width of every row, or 0 when they differ.
    int commonWidth() const { return sameWidth_ ? width_ : 0; }

    // The first row that holds text after its 27th field, in a file whose
    // other rows each hold exactly one class.
    struct LongRow {
        std::int64_t line = 0;
        std::int64_t row = 0;  // counted from 1, so the number of its class
        int width = 0;
        std::string name;
        std::string extra;      // its first filled field after the 27th
        bool everyRow = false;  // no row stops at 27 fields
    };
    std::optional<LongRow> longRow() const;

    // The first row's hit-die and skill-point fields, when both are words.
    struct Header {
        std::int64_t line = 0;
        std::string hitDie;
        std::string skillPoints;
    };

private:
    void endRow();

    std::int64_t rows_ = 0;
    int width_ = 0;
    bool sameWidth_ = true;
    std::int64_t wholeRows_ = 0;  // 27 fields, or more of which the rest are empty
    std::int64_t longRows_ = 0;
    std::int64_t exactRows_ = 0;  // 27 fields, not one more
    std::optional<LongRow> firstLong_;
    std::optional<Header> header_;
    // A true value in a spreadsheet's other language ("WAHR") in a save column.
    std::optional<std::string> foreignTrue_;
    bool complete_ = false;

    // The row being counted.
    int fields_ = 0;
    std::int64_t line_ = 0;
    bool empty_ = true;
    std::string name_;
    std::string hitDie_;
    std::string skillPoints_;
    std::optional<std::string> extra_;
};

}  // namespace vostrel::detail
