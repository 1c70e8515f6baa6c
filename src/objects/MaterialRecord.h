#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "objects/TextureMappingRecord.h"
#include "platform/gfx/MathTypes.h"

// One material of a 3D object as design files and undo snapshots keep it:
// the texture's stored path in CP950 (zero-filled, no terminator when it
// fills all 100 bytes; "材質" for none), the four colours in the order
// ambient, diffuse, specular, emissive (power is not kept), the refine
// switch of a surface face and the texture mapping.
struct MaterialRecord {
    static constexpr std::size_t kNameSize = 100;
    // Design files of version 6.04 and earlier lack the mapping's seam block.
    static constexpr std::size_t kShortSize = 212;

    std::array<char, kNameSize> name{};
    gfx::ColorValue ambient;
    gfx::ColorValue diffuse;
    gfx::ColorValue specular;
    gfx::ColorValue emissive;
    std::int32_t refineFlag = 0;
    std::int32_t refineValue = 0;
    TextureMappingRecord mapping;
};

static_assert(sizeof(MaterialRecord) == 228);
static_assert(offsetof(MaterialRecord, ambient) == 100);
static_assert(offsetof(MaterialRecord, refineFlag) == 164);
static_assert(offsetof(MaterialRecord, mapping) == 172);
