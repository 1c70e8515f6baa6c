#pragma once

// The texture stage cascade on OpenGL's combiner texture environment: one
// texture unit per stage.

#include <array>
#include <cstdint>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

struct TextureStageSettings {
    uint32_t colorOp = kTopDisable;
    uint32_t colorArg1 = kTaTexture;
    uint32_t colorArg2 = kTaCurrent;
    uint32_t alphaOp = kTopDisable;
    uint32_t alphaArg1 = kTaTexture;
    uint32_t alphaArg2 = kTaCurrent;
    uint32_t texCoordIndex = 0;

    // False for a state the device does not keep.
    bool Set(TextureStageState type, uint32_t value);
    bool Get(TextureStageState type, uint32_t* value) const;
};

using TextureStageArray = std::array<TextureStageSettings, kMaxTextureStages>;

// Sets up units 0 .. unitCount-1 from the stages and the GL texture bound to
// each (0 for none). A stage whose operation reads a missing texture passes
// the previous result through; whiteTexture feeds a stage that needs its
// unit running without a texture. Returns, per unit, the texture coordinate
// set it reads, or -1 for a unit that is off.
std::array<int, kMaxTextureStages> ApplyTextureStages(
    const TextureStageArray& stages, const std::array<unsigned, kMaxTextureStages>& textures,
    Color textureFactor, unsigned whiteTexture, int unitCount);

}  // namespace gfx
