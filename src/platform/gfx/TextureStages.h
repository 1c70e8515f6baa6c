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

// What a unit was last set up with, so that a draw re-sends only the units
// whose texture or combiner changed.
struct AppliedTextureUnit {
    bool valid = false;
    bool enabled = false;
    unsigned texture = 0;
    Color factor = 0;
    std::array<uint32_t, 6> combine{};
};

using AppliedTextureUnits = std::array<AppliedTextureUnit, kMaxTextureStages>;

// Sets up units 0 .. unitCount-1 from the stages and the GL texture bound
// to each (0 for none), skipping units whose set-up applied already holds. A
// stage whose operation reads a missing texture passes the previous result
// through; whiteTexture feeds a stage that needs its unit running without a
// texture. Returns, per unit, the texture coordinate set it reads, or -1 for
// a unit that is off.
std::array<int, kMaxTextureStages> ApplyTextureStages(
    const TextureStageArray& stages, const std::array<unsigned, kMaxTextureStages>& textures,
    Color textureFactor, unsigned whiteTexture, int unitCount, AppliedTextureUnits& applied);

}  // namespace gfx
