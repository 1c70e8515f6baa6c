#pragma once

#include <cstddef>
#include <cstdint>

// The seam of a tiled texture: the grout lines drawn between tiles. The
// texture caches tell textures apart by it.
struct TextureSeamBlock {
    std::int32_t seamFlag = 0;
    float seamWidth = 0.0f;
    float seamHeight = 0.0f;
    std::int32_t seamColor = 0;  // COLORREF
};

// How one material's texture is laid on its faces. Stored in design files
// and undo records as these 14 words, in this order.
struct TextureMappingRecord {
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    float rotation = 0.0f;  // degrees
    std::int32_t flipU = 0;
    std::int32_t flipV = 0;
    float tileWidth = 0.0f;  // centimetres
    float tileHeight = 0.0f;
    std::int32_t tileFlag = 0;
    std::int32_t bumpFlag = 0;
    float bumpAmplitude = 0.0f;
    TextureSeamBlock seam;

    void Clear() { *this = TextureMappingRecord(); }
};

static_assert(sizeof(TextureSeamBlock) == 16);
static_assert(sizeof(TextureMappingRecord) == 56);
static_assert(offsetof(TextureMappingRecord, seam) == 40);
