#include "foundation/MaterialEmissive.h"

void SetMaterialEmissive(gfx::Material& material, draw::COLORREF color, float alpha) {
    // A factor, not a division by 255: the two differ in the last bit.
    constexpr float kByteToUnit = 0.003921569f;
    material.emissive.r = static_cast<float>(draw::RedOf(color)) * kByteToUnit;
    material.emissive.g = static_cast<float>(draw::GreenOf(color)) * kByteToUnit;
    material.emissive.b = static_cast<float>(draw::BlueOf(color)) * kByteToUnit;
    material.emissive.a = alpha;
}
