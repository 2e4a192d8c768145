#include "build_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "class_lookup.h"
#include "class_name_text.h"
#include "field_values.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

using name_text::lineFault;
constexpr auto npos = std::string_view::npos;
// A line whose names hold many slashes is tried at this many of them, so that a
// long line of slashes cannot keep the window waiting. Copy quotes a name that
// needs more, so every copied line still reads back.
constexpr std::size_t kSplitsTried = 16;
const Segment kStartRow{"0", -1, -1};

struct LineRead {
    Segment row;
    std::optional<BuildRefusal> fault;  // without the line's number
};

// The class whose name is closest to the one not found, if any is close, for the
// message to offer; sought only once a line has failed.
void suggestClass(BuildRefusal& fault, const ClassTable& table) {
    std::string_view name = fault.found;
    const name_text::QuotedName quoted =
        name.starts_with('"') ? name_text::readQuoted(name) : name_text::QuotedName{};
    if (name.starts_with('"')) {
        name = quoted.name;
    }
    const std::vector<std::string> names = table.classNames();
    if (const std::optional<std::size_t> closest = closestEntry(names, name)) {
        fault.alsoFound = names[*closest];
    }
}

LineRead readLine(std::string_view line, const ClassTable& table) {
    LineRead read;
    line = trimmed(line);
    const std::size_t gap = std::min(line.find_first_of(kBlanks), line.size());
    const std::string_view count = line.substr(0, gap);
    if (count.size() > 2 || !levelCount(count)) {
        read.fault = lineFault(BuildRefusalKind::BadLevelCount, count);
        return read;
    }
    read.row.levelText = std::string(count);
    const std::string_view names = trimmed(line.substr(gap));

    // The slash between the names comes after a quoted first name's closing quote.
    std::size_t from = 0;
    if (!names.empty() && names.front() == '"') {
        const name_text::QuotedName quoted = name_text::readQuoted(names);
        if (quoted.refusal) {
            read.fault = quoted.refusal;
            return read;
        }
        from = quoted.end;
    }
    // Slashes that may part the names, those with a blank either side first.
    std::array<std::size_t, kSplitsTried> splits{};
    std::size_t splitCount = 0;
    for (const bool spaced : {true, false}) {
        for (std::size_t at = names.find('/', from); at != npos && splitCount < kSplitsTried;
             at = names.find('/', at + 1)) {
            const bool blankBoth = at > 0 && at + 1 < names.size() &&
                                   kBlanks.find(names[at - 1]) != npos &&
                                   kBlanks.find(names[at + 1]) != npos;
            if (blankBoth == spaced) {
                splits[splitCount++] = at;
            }
        }
    }
    // The first split where both names read wins; a fault is told of the likeliest split.
    for (std::size_t i = 0; i < splitCount; ++i) {
        const std::string_view left = trimmed(names.substr(0, splits[i]));
        const std::string_view right = trimmed(names.substr(splits[i] + 1));
        BuildRefusal fault = lineFault(BuildRefusalKind::NoClassNames);
        if (!left.empty() && !right.empty()) {
            const name_text::NameRead first = name_text::readName(left, table);
            const name_text::NameRead second =
                first.slot != 0 ? name_text::readName(right, table) : name_text::NameRead{};
            if (first.slot != 0 && second.slot != 0) {
                read.row.firstClass = static_cast<std::int16_t>(first.slot);
                read.row.secondClass = static_cast<std::int16_t>(second.slot);
                read.fault.reset();
                return read;
            }
            if (first.slot == 0) {
                fault = first.refusal.value_or(lineFault(BuildRefusalKind::NoClassNamed, left));
            } else {
                fault = second.refusal.value_or(lineFault(BuildRefusalKind::NoClassNamed, right));
            }
        }
        if (!read.fault) {
            read.fault = std::move(fault);
        }
    }
    if (splitCount == 0) {
        read.fault = lineFault(BuildRefusalKind::NoClassNames);
    }
    if (read.fault && read.fault->kind == BuildRefusalKind::NoClassNamed) {
        suggestClass(*read.fault, table);
    }
    return read;
}

// The plainest form that reads back as the row's classes: names bare where they
// can be, else quoted, the first before the second. Both quoted always reads back.
std::string buildLine(const Segment& row, const ClassTable& table) {
    const std::string& count = row.levelText;
    std::string line;
    constexpr std::array<std::pair<bool, bool>, 4> kQuoting{
        {{false, false}, {true, false}, {false, true}, {true, true}}};
    for (const auto& [quoteFirst, quoteSecond] : kQuoting) {
        line = count + ' ' + name_text::writtenName(table, row.firstClass, quoteFirst) + " / " +
               name_text::writtenName(table, row.secondClass, quoteSecond);
        const LineRead read = readLine(line, table);
        if (!read.fault && read.row.firstClass == row.firstClass &&
            read.row.secondClass == row.secondClass) {
            break;
        }
    }
    return line;
}

PastedBuild refused(BuildRefusal refusal, int line) {
    PastedBuild pasted;
    refusal.line = line;
    pasted.refusal = std::move(refusal);
    return pasted;
}

}  // namespace

BuildSheet copiedRows(const BuildSheet& sheet, const ClassTable& table) {
    BuildSheet written;
    written.segments.fill(kStartRow);
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        const Segment& row = sheet.segments[k];
        if (!walk::isAccepted(row) || row.firstClass > table.classCount() ||
            row.secondClass > table.classCount()) {
            break;
        }
        // An accepted row's count has a digit other than 0.
        written.segments[k] = {row.levelText.substr(row.levelText.find_first_not_of('0')),
                               row.firstClass, row.secondClass};
    }
    return written;
}

std::string buildText(const BuildSheet& sheet, const ClassTable& table) {
    const BuildSheet written = copiedRows(sheet, table);
    std::string text;
    for (const Segment& row : written.segments) {
        if (!walk::isAccepted(row)) {
            break;
        }
        text += buildLine(row, table);
        text += '\n';
    }
    if (text.empty()) {
        return text;
    }
    // The report of the rows written, so that the text pastes back to what it says;
    // level boxes below the first incomplete row are not part of it.
    text += '\n';
    const ProgressionResult result = computeProgression(written, table);
    if (result.outcome == ProgressionOutcome::Finished) {
        const std::string report = buildReportText(result.state, table);
        for (std::size_t at = 0; at < report.size(); ++at) {
            if (report[at] != '\r' || report.compare(at, 2, "\r\n") != 0) {
                text += report[at];
            }
        }
    } else {
        text += kTooManyLevelsText;
    }
    text += '\n';
    return text;
}

PastedBuild readBuildText(std::string_view text, const ClassTable& table) {
    PastedBuild pasted;
    pasted.sheet.segments.fill(kStartRow);
    std::size_t rows = 0;
    int number = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++number;
        if (trimmed(line).empty()) {
            if (rows > 0) {
                break;
            }
            continue;
        }
        if (rows == pasted.sheet.segments.size()) {
            return refused(lineFault(BuildRefusalKind::TooManyBuildLines), number);
        }
        LineRead read = readLine(line, table);
        if (read.fault) {
            return refused(std::move(*read.fault), number);
        }
        pasted.sheet.segments[rows++] = std::move(read.row);
    }
    if (rows == 0) {
        return refused(lineFault(BuildRefusalKind::NoBuild), 0);
    }
    return pasted;
}

}  // namespace vostrel
