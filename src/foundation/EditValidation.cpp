#include "foundation/EditValidation.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "foundation/TextFormat.h"
#include "platform/text/CLocale.h"

namespace {

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int ParseIntText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
    }
    int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

float ParseFloatText(std::string_view text) {
    std::string terminated(text);
    double value = strtod_l(terminated.c_str(), nullptr, text::GetCLocale());
    // Narrowing a double beyond float's range is undefined; it reads as infinite.
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        constexpr float kInfinity = std::numeric_limits<float>::infinity();
        return value < 0 ? -kInfinity : kInfinity;
    }
    return static_cast<float>(value);
}

IntEditCheck CheckIntEdit(std::string_view text, int current, int minimum, int maximum) {
    int value = ParseIntText(text);
    if (value < minimum || value > maximum) {
        return IntEditCheck{false, current, FormatString("%d", current)};
    }
    return IntEditCheck{true, value, {}};
}

std::optional<float> CheckFloatEdit(std::string_view text, float minimum, float maximum) {
    float value = ParseFloatText(text);
    if (value >= minimum && value <= maximum) {
        return value;
    }
    return std::nullopt;
}
