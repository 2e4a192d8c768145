#pragma once

#include <string>

#include "progression.h"

// The numbers of an explanation that are not whole: attack rates and totals,
// and saves. Written without the locale, whose decimal comma the window may have set.
namespace vostrel {

// Up to four decimal places without trailing zeros (0.75, 1, 4.5), so that a
// product such as 3 x 0.1 shows as 0.3 and not as the 0.30000000000000004 it
// is held as. A value that four places miss by more than a billionth shows its
// first four places and "..." (a third is 0.3333...).
void appendDecimal(std::string& text, double value);

// A save in whole numbers and sixths, the fraction in lowest terms: 2, 1/3, 2 5/6.
void appendSixths(std::string& text, SaveBonus value);

}  // namespace vostrel
