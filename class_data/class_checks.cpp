#include "class_checks.h"

#include <algorithm>

namespace vostrel {

bool isDoubtfulSaveText(std::string_view text) {
    return !text.empty() && text != kGoodSaveText && text != "FALSE";
}

DoubtfulSaves doubtfulSaves(const ClassTable& table) {
    DoubtfulSaves found;
    for (int slot = 1; slot <= table.classCount(); ++slot) {
        const ClassRecord& record = table.recordAt(slot);
        bool counted = false;
        for (const std::string* text : {&record.fortText, &record.refText, &record.willText}) {
            if (isDoubtfulSaveText(*text)) {
                found.classes += counted ? 0 : 1;
                counted = true;
                if (found.firstText.empty()) {
                    found.firstText = *text;
                }
            }
        }
    }
    return found;
}

bool isListedHitDie(int die) {
    return std::find(kListedHitDice.begin(), kListedHitDice.end(), die) != kListedHitDice.end();
}

}  // namespace vostrel
