#include "foundation/TextFormat.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "platform/text/CLocale.h"

std::string FormatString(const char* format, ...) {
    text::CScopedCLocale cLocale;
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    return text;
}

std::string FormatNumberText(double value) {
    // Only an exact whole number drops the decimal; 2.96 rounds to "3.0".
    if (value - std::trunc(value) == 0) {
        return FormatString("%0.0f", value);
    }
    return FormatString("%0.1f", value);
}

std::string FormatPriceText(double price) {
    if (price > 0) {
        return FormatString("價格:$%.2f元", price);
    }
    return "價格:請洽詢廠商";
}
