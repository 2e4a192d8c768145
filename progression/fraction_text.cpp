#include "fraction_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <string_view>

#include "number_text.h"

namespace vostrel {

void appendDecimal(std::string& text, double value) {
    constexpr double kPlaces = 10000.0;
    constexpr double kLargest = 1e11;  // beyond it, ten-thousandths leave the exact doubles
    const double scaled = std::nearbyint(value * kPlaces);
    if (std::abs(value) < kLargest && std::abs(value - scaled / kPlaces) <= 1e-9) {
        auto tenThousandths = static_cast<long long>(scaled);
        if (tenThousandths < 0) {
            text += '-';
            tenThousandths = -tenThousandths;
        }
        appendInteger(text, tenThousandths / 10000);
        int fraction = static_cast<int>(tenThousandths % 10000);
        if (fraction != 0) {
            text += '.';
            for (int place = 1000; fraction != 0; place /= 10) {
                text += static_cast<char>('0' + fraction / place);
                fraction %= place;
            }
        }
        return;
    }
    char digits[64];
    if (!std::isfinite(value) || std::abs(value) >= kLargest) {
        const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        text.append(digits, static_cast<std::size_t>(end - digits));
        return;
    }
    const char* end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 17).ptr;
    const std::string_view all(digits, static_cast<std::size_t>(end - digits));
    text += all.substr(0, all.find('.') + 5);
    text += "...";
}

void appendSixths(std::string& text, SaveBonus value) {
    int sixths = value.sixths;
    if (sixths < 0) {
        text += '-';
        sixths = -sixths;
    }
    const int whole = sixths / 6;
    const int rest = sixths % 6;
    if (whole != 0 || rest == 0) {
        appendInteger(text, whole);
    }
    if (rest != 0) {
        if (whole != 0) {
            text += ' ';
        }
        const int common = std::gcd(rest, 6);
        appendInteger(text, rest / common);
        text += '/';
        appendInteger(text, 6 / common);
    }
}

}  // namespace vostrel
