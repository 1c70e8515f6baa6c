#pragma once

#include "platform/draw/DrawTypes.h"
#include "platform/gfx/MathTypes.h"

// Settings and the plan keep colours as COLORREF bytes, the device as floats.
gfx::ColorValue ColorRefToColorValue(draw::COLORREF color);

// Each channel times 255, truncated toward zero and cut to its low byte, as
// stored colours have always been converted: out-of-range channels wrap
// instead of clamping (1.5 gives 126). Alpha is ignored.
draw::COLORREF ColorValueToColorRef(const gfx::ColorValue& color);
