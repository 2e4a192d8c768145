#include "class_name_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <span>
#include <system_error>
#include <utility>
#include <vector>

#include "class_lookup.h"
#include "field_values.h"
#include "number_text.h"

namespace vostrel::name_text {

namespace {

constexpr auto npos = std::string_view::npos;
// A quoted name's escapes: the character and the letter after the backslash.
constexpr std::array<std::pair<char, char>, 5> kEscapes{
    {{'"', '"'}, {'\\', '\\'}, {'\t', 't'}, {'\n', 'n'}, {'\r', 'r'}}};

// The slot of the class that the names sought stand for; 0 for none.
int slotNamed(const ClassTable& table, std::span<const SoughtName> sought) {
    const std::optional<std::size_t> found = findEntry(table.classNames(), sought);
    return found ? static_cast<int>(*found) + 1 : 0;
}

// "(n)" with n from 1 to 99.
std::optional<int> placeNumber(std::string_view text) {
    if (text.size() < 3 || text.front() != '(' || text.back() != ')') {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(1, text.size() - 2);
    int place = 0;
    const auto [end, fault] = std::from_chars(digits.data(), digits.data() + digits.size(), place);
    if (digits.size() > 2 || fault != std::errc{} || end != digits.data() + digits.size() ||
        place <= 0) {
        return std::nullopt;
    }
    return place;
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

bool mustQuote(std::string_view name) {
    return name.empty() || name.front() == '"' || trimmed(name).size() != name.size() ||
           name.find_first_of("\t\r\n") != npos;
}

}  // namespace

BuildRefusal lineFault(BuildRefusalKind kind, std::string_view found, std::string_view alsoFound) {
    return BuildRefusal{
        .kind = kind, .found = std::string(found), .alsoFound = std::string(alsoFound)};
}

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
        const auto escape = std::find_if(kEscapes.begin(), kEscapes.end(),
                                         [&](const auto& pair) { return pair.second == text[i]; });
        if (escape == kEscapes.end()) {
            quoted.refusal = lineFault(BuildRefusalKind::BadEscape, text.substr(0, i + 1));
            return quoted;
        }
        quoted.name += escape->first;
    }
    quoted.refusal = lineFault(BuildRefusalKind::UnclosedName, text);
    return quoted;
}

NameRead readName(std::string_view text, const ClassTable& table) {
    NameRead read;
    if (text.front() == '"') {
        const QuotedName quoted = readQuoted(text);
        if (quoted.refusal) {
            read.refusal = quoted.refusal;
            return read;
        }
        const std::string_view after = trimmed(text.substr(quoted.end));
        const std::optional<int> place = after.empty() ? 1 : placeNumber(after);
        if (!place) {
            read.refusal =
                lineFault(BuildRefusalKind::TextAfterQuotedName, after, text.substr(0, quoted.end));
            return read;
        }
        const SoughtName sought{quoted.name, *place};
        read.slot = slotNamed(table, {&sought, 1});
        return read;
    }
    // Exact before ignoring case; within each, the numbered reading first, so
    // that "Twin (2)" is the second Twin beside a class named "Twin (2)".
    std::vector<SoughtName> sought;
    if (const std::optional<NumberedName> numbered = numberedForm(text)) {
        sought.push_back({numbered->name, numbered->place});
    }
    sought.push_back({text});
    read.slot = slotNamed(table, sought);
    return read;
}

int placeAmongNamesakes(const ClassTable& table, int slot) {
    int place = 0;
    for (int earlier = 1; earlier <= slot; ++earlier) {
        place += table.recordAt(earlier).name == table.recordAt(slot).name ? 1 : 0;
    }
    return place;
}

std::string writtenName(const ClassTable& table, int slot, bool quote) {
    const std::string& name = table.recordAt(slot).name;
    std::string out;
    if (quote || mustQuote(name)) {
        out += '"';
        for (const char c : name) {
            const auto escape = std::find_if(kEscapes.begin(), kEscapes.end(),
                                             [c](const auto& pair) { return pair.first == c; });
            if (escape == kEscapes.end()) {
                out += c;
            } else {
                out += '\\';
                out += escape->second;
            }
        }
        out += '"';
    } else {
        out = name;
    }
    if (const int place = placeAmongNamesakes(table, slot); place > 1) {
        out += " (";
        appendInteger(out, place);
        out += ')';
    }
    return out;
}

}  // namespace vostrel::name_text
