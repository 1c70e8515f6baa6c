#pragma once

#include <cstdint>

// Integer point and rectangle with the Windows field names and 32-bit fields,
// as stored records and the drawing code use them.
struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

static_assert(sizeof(POINT) == 8);
static_assert(sizeof(RECT) == 16);
