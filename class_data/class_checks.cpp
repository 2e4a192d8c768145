#include "class_checks.h"

#include <algorithm>

namespace vostrel {

bool isDoubtfulSaveText(std::string_view text) {
    return !text.empty() && text != kGoodSaveText && text != "FALSE";
}

bool isListedHitDie(int die) {
    return std::find(kListedHitDice.begin(), kListedHitDice.end(), die) != kListedHitDice.end();
}

}  // namespace vostrel
