#pragma once

// Names in another letter case than the class file has them, and the slot each
// must find, typed into a class list or pasted in a build alike (0: none).
namespace vostrel::testing {

inline constexpr const char* kCasedClasses[] = {"Άρης", "Змея", "Ａ", "Ǆ", "Straße", "𐐀"};

struct CasedName {
    const char* name;
    const char* typed;
    int slot;
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
    {"BeyondTheBasicPlane", "𐐨", 6},
};

}  // namespace vostrel::testing
