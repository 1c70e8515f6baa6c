#pragma once

#include <string>

// Text formatting that never follows the user's locale: numbers always take
// a '.' decimal point, as files and edit fields expect.

std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "3" for a whole number, else one decimal: "2.4", "-0.5", and "3.0" for 2.96.
std::string FormatNumberText(double value);

// "價格:$12.50元", or "價格:請洽詢廠商" for a price that is not above 0.
std::string FormatPriceText(double price);
