#include "row_census.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "field_values.h"

namespace vostrel::detail {

namespace {

constexpr std::size_t kKeptCharacters = 64;

bool isWord(std::string_view text) {
    const bool letter = std::any_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    return letter && !parseAttackRate(text);
}

// What spreadsheet programs write for a true cell in other languages.
bool isForeignTrue(std::string_view text) {
    static constexpr std::array<std::string_view, 10> kWords{
        "WAHR", "VRAI", "VERDADERO", "VERDADEIRO", "VERO",
        "WAAR", "SANT", "SAND",      "PRAWDA",     "TOSI"};
    std::string upper(text.substr(0, 16));
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return std::find(kWords.begin(), kWords.end(), upper) != kWords.end();
}

}  // namespace

void RowCensus::note(const Field& field) {
    if (fields_ == 0) {
        line_ = field.line;
    }
    ++fields_;
    empty_ = empty_ && field.isEmptyCell();
    if (!field.isEmpty()) {
        if (fields_ > kFieldCount && !extra_) {
            extra_ = field.text.substr(0, kKeptCharacters);
        }
    }
    if (fields_ == 1) {
        name_ = field.text.substr(0, kKeptCharacters);
    } else if (fields_ == 2 && rows_ == 0) {
        hitDie_ = field.text.substr(0, kKeptCharacters);
    } else if (fields_ == 3 && rows_ == 0) {
        skillPoints_ = field.text.substr(0, kKeptCharacters);
    } else if (fields_ >= 5 && fields_ <= 7 && !foreignTrue_ && isForeignTrue(field.text)) {
        foreignTrue_ = field.text;
    }
    if (field.end != FieldEnd::Comma) {
        endRow();
    }
}

void RowCensus::noteTrailingEmptyField(std::int64_t line) {
    Field empty;
    empty.line = line;
    empty.end = FieldEnd::LineEnd;
    note(empty);
}

void RowCensus::endRow() {
    if (!empty_) {
        ++rows_;
        if (rows_ == 1) {
            width_ = fields_;
            if (isWord(hitDie_) && isWord(skillPoints_)) {
                header_ = Header{line_, hitDie_, skillPoints_};
            }
        }
        sameWidth_ = sameWidth_ && fields_ == width_;
        if (extra_) {
            ++longRows_;
            if (!firstLong_) {
                firstLong_ = LongRow{line_, rows_, fields_, name_, *extra_, false};
            }
        } else if (fields_ >= kFieldCount) {
            ++wholeRows_;
        }
        exactRows_ += fields_ == kFieldCount ? 1 : 0;
    }
    fields_ = 0;
    empty_ = true;
    extra_.reset();
}

std::optional<RowCensus::LongRow> RowCensus::longRow() const {
    if (!firstLong_ || longRows_ + wholeRows_ != rows_) {
        return std::nullopt;
    }
    LongRow row = *firstLong_;
    row.everyRow = exactRows_ == 0 && rows_ >= 2;
    return row;
}

Refusal RowCensus::verdict(const Refusal& found, Refusal told) const {
    if (!complete_) {
        return told;
    }
    if (header_ && found.place.classNumber == 1) {
        return Refusal{.kind = RefusalKind::HeaderRow,
                       .place = {.line = header_->line},
                       .found = header_->hitDie,
                       .alsoFound = header_->skillPoints};
    }
    if (const auto row = longRow(); row && row->line <= found.place.line) {
        return Refusal{
            .kind = row->everyRow ? RefusalKind::ColumnAfterLevel20 : RefusalKind::LongRow,
            .place = {.line = row->line,
                      .classNumber = static_cast<int>(row->row),
                      .className = row->name},
            .found = row->extra,
            .number = row->width};
    }
    // An attack rate with a decimal comma, from a spreadsheet in another language.
    if (found.kind == RefusalKind::BadNumber && found.place.field == 4 &&
        found.found.find(',') != std::string::npos && foreignTrue_) {
        told.foreignTrue = foreignTrue_;
    }
    return told;
}

}  // namespace vostrel::detail
