#include "foundation/ColorConversion.h"

#include <cmath>
#include <cstdint>

namespace {

// A factor, not a division by 255: the two differ in the last bit.
constexpr float kByteToUnit = 0.003921569f;

// The low byte of the channel times 255 truncated; in double so that the
// truncation does not depend on how float products are evaluated. A
// non-finite channel gives 0 rather than an undefined conversion.
uint8_t ChannelByte(float channel) {
    const double scaled = std::trunc(static_cast<double>(channel) * 255.0);
    if (!std::isfinite(scaled)) {
        return 0;
    }
    double low = std::fmod(scaled, 256.0);
    if (low < 0) {
        low += 256.0;
    }
    return static_cast<uint8_t>(low);
}

}  // namespace

gfx::ColorValue ColorRefToColorValue(draw::COLORREF color) {
    return {static_cast<float>(draw::RedOf(color)) * kByteToUnit,
            static_cast<float>(draw::GreenOf(color)) * kByteToUnit,
            static_cast<float>(draw::BlueOf(color)) * kByteToUnit, 1.0f};
}

draw::COLORREF ColorValueToColorRef(const gfx::ColorValue& color) {
    return draw::Rgb(ChannelByte(color.r), ChannelByte(color.g), ChannelByte(color.b));
}
