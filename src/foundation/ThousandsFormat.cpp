#include "foundation/ThousandsFormat.h"

#include "foundation/TextFormat.h"

std::string FormatThousands(long value) {
    const std::string digits = FormatString("%ld", value);
    const std::size_t firstDigit = value < 0 ? 1 : 0;
    std::string text = digits.substr(0, firstDigit);
    for (std::size_t i = firstDigit; i < digits.size(); ++i) {
        if (i > firstDigit && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}
