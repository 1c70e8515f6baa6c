#pragma once

#include <cstdint>

// Where plan drawing starts on a DC, and the zoom it draws at.
struct PlanDrawOrigin {
    int32_t x = 0;
    int32_t y = 0;
    int32_t zoomPercent = 0;
};

static_assert(sizeof(PlanDrawOrigin) == 12);
