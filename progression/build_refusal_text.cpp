#include <string_view>

#include "build_refusal.h"
#include "number_text.h"
#include "quoted_text.h"

namespace vostrel {

namespace {

std::string shown(std::string_view typed) {
    return quotedText(typed, kPastedText);
}

}  // namespace

std::string describe(const BuildRefusal& r) {
    using K = BuildRefusalKind;
    const std::string line = "line " + integerText(r.line) + ": ";
    switch (r.kind) {
        case K::NoBuild:
            return "The clipboard holds no build.";
        case K::TooManyBuildLines:
            return line + "a build has five lines at most";
        case K::BadLevelCount:
            return line + "the level count must be one or two digits, not " + shown(r.found);
        case K::NoClassNames:
            return line + "two class names parted by \" / \" must follow the level count";
        case K::NoClassNamed:
            return line + "the loaded file has no class named " + shown(r.found) +
                   (r.alsoFound.empty() ? "" : ". Did you mean " + r.alsoFound + "?");
        case K::BadEscape:
            return line + "the quoted name " + shown(r.found) +
                   " holds a backslash that is not one of \\\" \\\\ \\t \\n \\r";
        case K::UnclosedName:
            return line + "the quoted name " + shown(r.found) + " has no closing quote";
        case K::TextAfterQuotedName:
            return line + shown(r.found) + " follows the quoted name " + shown(r.alsoFound) +
                   " where \" / \" belongs";
    }
    return {};  // not reached: every kind is listed
}

std::string emptyBuildText(EmptyBuildUse use) {
    const std::string needed = "two classes and a level count";
    switch (use) {
        case EmptyBuildUse::NoReport:
            return "No report: the first row needs " + needed + ".";
        case EmptyBuildUse::ReportHint:
            return "Choose " + needed + " in the first row, then press Go.";
        case EmptyBuildUse::NoRows:
            return "Choose " + needed + " in the first row.";
    }
    return {};  // not reached: every use is listed
}

std::string describe(const PairPlace& place) {
    switch (place.fit) {
        case PairFit::Fits:
            return {};
        case PairFit::NoFreeRow:
            return "Every row of the build already has a class. To use a pair, set both lists of "
                   "a row to <None>.";
        case PairFit::RowIncomplete: {
            const std::string row = integerText(place.segment);
            return "Row " + row +
                   " has a class but is not complete, and the report stops there: the pair "
                   "would not count below it. Complete row " +
                   row + ", or set both of its lists to <None> for the pair.";
        }
        case PairFit::NoLevelLeft:
            return "The other rows of the build already add up to 20 levels: no level is left "
                   "for the pair.";
    }
    return {};  // not reached: every fit is listed
}

}  // namespace vostrel
