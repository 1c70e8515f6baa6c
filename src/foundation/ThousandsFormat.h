#pragma once

#include <string>

// Decimal text with a ',' before every group of three digits from the right:
// "1,234,567". Prices are never negative, but a negative value keeps its
// sign in front of the grouped digits: "-1,234".
std::string FormatThousands(long value);
