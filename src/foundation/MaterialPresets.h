#pragma once

#include "platform/gfx/LightMaterial.h"

// The fixed materials new objects start from. Each returns one shared record
// that is refilled on every call, so a caller copies it before changing it.
const gfx::Material* GetDefaultMaterial();
const gfx::Material* GetMatteWhiteMaterial();
const gfx::Material* GetLightMapMaterial();
const gfx::Material* GetShadowMapMaterial();
