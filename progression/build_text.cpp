#include "build_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "name_folding.h"
#include "number_text.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr auto npos = std::string_view::npos;
// A text quoted in a message is cut short after this many bytes: a pasted line
// may be as long as a whole clipboard.
constexpr std::size_t kShownLength = 60;
// A line whose names hold many slashes is tried at this many of them, so that a
// long line of slashes cannot keep the window waiting. Copy quotes a name that
// needs more, so every copied line still reads back.
constexpr std::size_t kSplitsTried = 16;
const Segment kStartRow{"0", -1, -1};

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string shown(std::string_view text) {
    std::string out = "\"";
    if (text.size() <= kShownLength) {
        out += text;
    } else {
        std::size_t cut = kShownLength;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) {
            --cut;  // not inside a character
        }
        out += text.substr(0, cut);
        out += "...";
    }
    out += '"';
    return out;
}

std::string noClassNamed(std::string_view name) {
    return "the loaded file has no class named " + shown(name);
}

const std::string kNoNames = "two class names parted by \" / \" must follow the level count";

// One or two ASCII digits, as a level box holds them.
std::optional<int> smallNumber(std::string_view text) {
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The n-th class (from 1) of the name, matched exactly or ignoring case; 0 for none.
int nthClassNamed(const ClassTable& table, std::string_view name, int n, bool ignoreCase) {
    for (int slot = 1; slot <= table.classCount(); ++slot) {
        const std::string& candidate = table.recordAt(slot).name;
        if ((ignoreCase ? sameIgnoringCase(candidate, name) : candidate == name) && --n == 0) {
            return slot;
        }
    }
    return 0;
}

int nthClassNamed(const ClassTable& table, std::string_view name, int n) {
    const int exact = nthClassNamed(table, name, n, false);
    return exact != 0 ? exact : nthClassNamed(table, name, n, true);
}

// "(n)" with n from 1 to 99.
std::optional<int> placeNumber(std::string_view text) {
    if (text.size() < 3 || text.front() != '(' || text.back() != ')') {
        return std::nullopt;
    }
    const std::optional<int> place = smallNumber(text.substr(1, text.size() - 2));
    return place && *place > 0 ? place : std::nullopt;
}

struct NumberedName {
    std::string_view name;
    int place = 0;
};

// "Name (n)" read as the n-th class of that name.
std::optional<NumberedName> numberedForm(std::string_view text) {
    const std::size_t open = text.rfind('(');
    if (open == npos || open == 0 || kBlanks.find(text[open - 1]) == npos) {
        return std::nullopt;
    }
    const std::optional<int> place = placeNumber(text.substr(open));
    const std::string_view name = trimmed(text.substr(0, open));
    if (!place || name.empty()) {
        return std::nullopt;
    }
    return NumberedName{name, *place};
}

struct QuotedName {
    std::string name;
    std::size_t end = 0;  // just past the closing quote
    std::string error;
};

// A name in double quotes at the start of `text`, its escapes undone.
QuotedName readQuoted(std::string_view text) {
    QuotedName quoted;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted.end = i + 1;
            return quoted;
        }
        if (c != '\\') {
            quoted.name += c;
            continue;
        }
        if (++i == text.size()) {
            break;
        }
        switch (text[i]) {
            case '"':
            case '\\':
                quoted.name += text[i];
                break;
            case 't':
                quoted.name += '\t';
                break;
            case 'n':
                quoted.name += '\n';
                break;
            case 'r':
                quoted.name += '\r';
                break;
            default:
                quoted.error = "the quoted name " + shown(text.substr(0, i + 1)) +
                               " holds a backslash that is not one of \\\" \\\\ \\t \\n \\r";
                return quoted;
        }
    }
    quoted.error = "the quoted name " + shown(text) + " has no closing quote";
    return quoted;
}

struct NameRead {
    int slot = 0;       // 0 when the loaded file has no such class
    std::string error;  // the name is not written in a form that reads at all
};

// One of a line's names, its blanks around it already cut.
NameRead readName(std::string_view text, const ClassTable& table) {
    NameRead read;
    if (text.front() == '"') {
        const QuotedName quoted = readQuoted(text);
        if (!quoted.error.empty()) {
            read.error = quoted.error;
            return read;
        }
        const std::string_view after = trimmed(text.substr(quoted.end));
        const std::optional<int> place = after.empty() ? 1 : placeNumber(after);
        if (!place) {
            read.error = shown(after) + " follows the quoted name " +
                         shown(text.substr(0, quoted.end)) + " where \" / \" belongs";
            return read;
        }
        read.slot = nthClassNamed(table, quoted.name, *place);
        return read;
    }
    // Exact before ignoring case; within each, the numbered reading first, so
    // that "Twin (2)" is the second Twin beside a class named "Twin (2)".
    const std::optional<NumberedName> numbered = numberedForm(text);
    for (const bool ignoreCase : {false, true}) {
        if (numbered) {
            read.slot = nthClassNamed(table, numbered->name, numbered->place, ignoreCase);
        }
        if (read.slot == 0) {
            read.slot = nthClassNamed(table, text, 1, ignoreCase);
        }
        if (read.slot != 0) {
            break;
        }
    }
    return read;
}

struct LineRead {
    Segment row;
    std::string error;  // without the line's number
};

LineRead readLine(std::string_view line, const ClassTable& table) {
    LineRead read;
    line = trimmed(line);
    const std::size_t gap = std::min(line.find_first_of(kBlanks), line.size());
    const std::string_view count = line.substr(0, gap);
    if (!smallNumber(count)) {
        read.error = "the level count must be one or two digits, not " + shown(count);
        return read;
    }
    read.row.levelText = std::string(count);
    const std::string_view names = trimmed(line.substr(gap));

    // The slash between the names comes after a quoted first name's closing quote.
    std::size_t from = 0;
    if (!names.empty() && names.front() == '"') {
        const QuotedName quoted = readQuoted(names);
        if (!quoted.error.empty()) {
            read.error = quoted.error;
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
        std::string fault = kNoNames;
        if (!left.empty() && !right.empty()) {
            const NameRead first = readName(left, table);
            const NameRead second = first.slot != 0 ? readName(right, table) : NameRead{};
            if (first.slot != 0 && second.slot != 0) {
                read.row.firstClass = static_cast<std::int16_t>(first.slot);
                read.row.secondClass = static_cast<std::int16_t>(second.slot);
                read.error.clear();
                return read;
            }
            if (first.slot == 0) {
                fault = first.error.empty() ? noClassNamed(left) : first.error;
            } else {
                fault = second.error.empty() ? noClassNamed(right) : second.error;
            }
        }
        if (read.error.empty()) {
            read.error = std::move(fault);
        }
    }
    if (splitCount == 0) {
        read.error = kNoNames;
    }
    return read;
}

bool mustQuote(std::string_view name) {
    return name.empty() || name.front() == '"' || trimmed(name).size() != name.size() ||
           name.find_first_of("\t\r\n") != npos;
}

std::string writtenName(const ClassTable& table, int slot, bool quote) {
    const std::string& name = table.recordAt(slot).name;
    std::string out;
    if (quote || mustQuote(name)) {
        out += '"';
        for (const char c : name) {
            switch (c) {
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                default:
                    out += c;
                    break;
            }
        }
        out += '"';
    } else {
        out = name;
    }
    int place = 0;
    for (int earlier = 1; earlier <= slot; ++earlier) {
        place += table.recordAt(earlier).name == name ? 1 : 0;
    }
    if (place > 1) {
        out += " (";
        appendInteger(out, place);
        out += ')';
    }
    return out;
}

// The plainest form that reads back as the row's classes: names bare where they
// can be, else quoted, the first before the second. Both quoted always reads back.
std::string buildLine(const Segment& row, const ClassTable& table) {
    std::string count(row.levelText.substr(row.levelText.find_first_not_of('0')));
    std::string line;
    constexpr std::array<std::pair<bool, bool>, 4> kQuoting{
        {{false, false}, {true, false}, {false, true}, {true, true}}};
    for (const auto& [quoteFirst, quoteSecond] : kQuoting) {
        line = count + ' ' + writtenName(table, row.firstClass, quoteFirst) + " / " +
               writtenName(table, row.secondClass, quoteSecond);
        const LineRead read = readLine(line, table);
        if (read.error.empty() && read.row.firstClass == row.firstClass &&
            read.row.secondClass == row.secondClass) {
            break;
        }
    }
    return line;
}

PastedBuild refused(std::string error) {
    PastedBuild pasted;
    pasted.error = std::move(error);
    return pasted;
}

std::string lineFault(int number, std::string_view fault) {
    std::string text = "line ";
    appendInteger(text, number);
    text += ": ";
    text += fault;
    return text;
}

}  // namespace

std::string buildText(const BuildSheet& sheet, const ClassTable& table) {
    BuildSheet written;
    written.segments.fill(kStartRow);
    std::string text;
    for (std::size_t k = 0; k < sheet.segments.size(); ++k) {
        const Segment& row = sheet.segments[k];
        if (!walk::isAccepted(row) || row.firstClass > table.classCount() ||
            row.secondClass > table.classCount()) {
            break;
        }
        written.segments[k] = row;
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
            return refused(lineFault(number, "a build has five lines at most"));
        }
        LineRead read = readLine(line, table);
        if (!read.error.empty()) {
            return refused(lineFault(number, read.error));
        }
        pasted.sheet.segments[rows++] = std::move(read.row);
    }
    if (rows == 0) {
        return refused(kNoBuildText);
    }
    return pasted;
}

}  // namespace vostrel
