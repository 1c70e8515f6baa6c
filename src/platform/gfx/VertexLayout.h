#pragma once

// Where each component of a vertex lies, from its flexible vertex format.

#include <array>
#include <cstdint>

namespace gfx {

struct VertexLayout {
    static constexpr int kMaxTexCoordSets = 8;

    // False for a format without a position.
    bool valid = false;
    // Pre-transformed: x, y in render-target pixels, z depth 0..1, then 1/w.
    bool transformed = false;
    int normalOffset = -1;
    int diffuseOffset = -1;
    int specularOffset = -1;
    int texCoordSets = 0;
    std::array<int, kMaxTexCoordSets> texCoordOffsets{};
    uint32_t size = 0;

    [[nodiscard]] static VertexLayout FromFvf(uint32_t fvf);
};

}  // namespace gfx
