#pragma once

#include <string>

#include "pair_table.h"

// Why a pasted build or a pair chosen for the build is refused, and the words
// that tell the user.
namespace vostrel {

// What made a pasted build be refused. The comments say which texts each kind fills.
enum class BuildRefusalKind {
    NoBuild,
    TooManyBuildLines,
    BadLevelCount,        // found: the level count's text
    NoClassNames,         // no " / " parts two names after the level count
    NoClassNamed,         // found: the name; alsoFound: a class's name close to it, if any
    BadEscape,            // found: the quoted name up to its unknown escape
    UnclosedName,         // found: the quoted name
    TextAfterQuotedName,  // found: the text; alsoFound: the quoted name before it
};

struct BuildRefusal {
    BuildRefusalKind kind = BuildRefusalKind::NoBuild;
    int line = 0;  // the pasted line, counted from 1
    std::string found{};
    std::string alsoFound{};
};

// The refusal in plain English for the user, naming the line.
std::string describe(const BuildRefusal& refusal);

// Where a command finds the first row without its two classes or its level
// count, so that the build is empty: Go's word to a screen reader, the empty
// report box's hint, or a command that takes the build's rows (Copy Build, the
// level-by-level window).
enum class EmptyBuildUse { NoReport, ReportHint, NoRows };

// What the command says to that.
std::string emptyBuildText(EmptyBuildUse use);

// Why the pair cannot go into the build; empty when it fits.
std::string describe(const PairPlace& place);

}  // namespace vostrel
