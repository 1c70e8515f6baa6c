#include "foundation/ParseUnsignedInt.h"

#include <limits>

bool ParseUnsignedInt(std::string_view text, int& out) {
    if (text.empty()) {
        return false;
    }
    constexpr int kMax = std::numeric_limits<int>::max();
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        const int digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    out = value;
    return true;
}
