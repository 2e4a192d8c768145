#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "record_reader.h"
#include "text_encoding.h"

// Which of the faults a reading saw is told, in the order class_file_reader.h gives.
namespace vostrel::detail {

namespace {

constexpr std::size_t kSeparatorHintCount = 3;

std::size_t countOf(std::string_view text, char wanted) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), wanted));
}

// A fault after which the fields that follow cannot be told apart.
bool breaksFieldGrammar(RefusalKind kind) {
    return kind == RefusalKind::UnclosedQuote || kind == RefusalKind::ClosingQuoteMissing ||
           kind == RefusalKind::TextAfterQuote || kind == RefusalKind::FieldTooLong;
}

// Spreadsheet programs in some languages separate fields with semicolons, and
// some export tabs; such a file fails somewhere odd, so say what it looks like.
std::optional<char> separatorIn(const RecordReader& reader, std::string_view raw) {
    std::size_t semicolons = countOf(raw, ';');
    std::size_t tabs = countOf(raw, '\t');
    forEachText(reader.record(), [&](std::string_view text) {
        semicolons += countOf(text, ';');
        tabs += countOf(text, '\t');
    });
    if (std::max(semicolons, tabs) < kSeparatorHintCount) {
        return std::nullopt;
    }
    return semicolons >= tabs ? ';' : '\t';
}

// A byte no text holds, in the class as far as it was read.
std::optional<unsigned char> controlByteIn(const RecordReader& reader, std::string_view raw) {
    std::optional<unsigned char> found = firstControlByte(raw);
    if (!found) {
        found = firstControlByte(reader.field().text);
    }
    forEachText(reader.record(), [&found](const std::string& text) {
        if (!found) {
            found = firstControlByte(text);
        }
    });
    return found;
}

// The refusal to tell of a fault found in the class being read: a short line
// that explains it, or the fault with what else the class shows.
Refusal told(const RecordReader& reader, const Refusal& found) {
    if (auto shortLine = reader.lines().verdict(found)) {
        return *shortLine;
    }
    Refusal told = found;
    // The field's own text counts where it is what the fault is about.
    const std::string_view raw =
        found.kind == RefusalKind::ControlCharacter ? std::string_view() : found.found;
    if (reader.classNumber() <= kMaxClasses) {
        told.separator = separatorIn(reader, raw);
    }
    if (found.kind != RefusalKind::ControlCharacter) {
        told.controlByte = controlByteIn(reader, raw);
    }
    told.beganMidLine = reader.lines().beganMidLine();
    return told;
}

// The width of the file's rows when they are all as wide as a spreadsheet writes
// a sheet without the last features, and a counted reading began classes in the
// middle of lines or ran out inside one (`cutShort`); else 0.
int sheetWidth(const RecordReader& reader, bool cutShort) {
    constexpr int kFewestColumns = kFirstFeatureField - 1;
    const RowCensus& census = reader.census();
    const int width = census.commonWidth();
    const bool spreadsheetRows = width >= kFewestColumns && width < kFieldCount;
    return reader.rowWidth() == 0 && census.complete() && census.rows() >= 2 && spreadsheetRows &&
                   (reader.lines().anyBeganMidLine() || cutShort)
               ? width
               : 0;
}

}  // namespace

RecordsRead readRecords(ByteSource& source, int rowWidth, std::vector<ClassRecord>& records) {
    RecordReader reader(source, rowWidth);
    RecordsRead read;
    const std::optional<Refusal> found = reader.readClasses(records);
    if (found && found->place.classNumber > 0) {
        read.refusal = told(reader, *found);
        if (!breaksFieldGrammar(found->kind) && !reader.readFailed()) {
            reader.finishCensus();
            read.refusal = reader.census().verdict(*found, std::move(*read.refusal));
        }
    } else if (found) {
        read.refusal = found;
    } else if (reader.readFailed()) {
        read.refusal = Refusal{.kind = RefusalKind::Unreadable};
    } else {
        read.refusal = reader.padding().verdict();
        if (!read.refusal) {
            read.refusal = reader.encoding().verdict();
        }
    }
    read.windows1252 = reader.encoding().windows1252();
    read.sheetWidth = sheetWidth(reader, found && (found->kind == RefusalKind::DataEndsEarly ||
                                                   found->kind == RefusalKind::BlankLineInClass));
    return read;
}

}  // namespace vostrel::detail
