#pragma once

// Names in another letter case than a class file has them, and the class each
// must find, typed into a class list or pasted in a build alike.
namespace vostrel::testing {

// The classes of the file, slots 1 to 5.
inline constexpr const char* kCasedClasses[] = {"Άρης", "Змея", "Ａ", "Ǆ", "Straße"};

struct CasedName {
    const char* name;
    const char* typed;
    int slot;  // 0: no class
};

inline constexpr CasedName kCasedNames[] = {
    {"GreekWithAccent", "άρης", 1},
    {"FinalSigmaAsCapital", "ΆΡΗΣ", 1},
    {"CyrillicToItsLastLetter", "ЗМЕЯ", 2},
    {"Fullwidth", "ａ", 3},
    {"SmallDigraph", "ǆ", 4},
    {"TitlecaseDigraph", "ǅ", 4},
    {"CapitalSharpS", "STRAẞE", 5},
    {"SharpSIsNotTwoLetters", "STRASSE", 0},
    {"AccentStaysApart", "Αρης", 0},
};

}  // namespace vostrel::testing
