#pragma once

#include "platform/draw/DrawTypes.h"
#include "platform/gfx/LightMaterial.h"

// Sets only the emissive colour: each channel's byte of the colour / 255 and
// the given alpha. The other members are left as they are.
void SetMaterialEmissive(gfx::Material& material, draw::COLORREF color, float alpha);
