#include "foundation/MaterialEmissive.h"

#include "foundation/ColorConversion.h"

void SetMaterialEmissive(gfx::Material& material, draw::COLORREF color, float alpha) {
    material.emissive = ColorRefToColorValue(color);
    material.emissive.a = alpha;
}
