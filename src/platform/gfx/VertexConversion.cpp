#include "platform/gfx/VertexConversion.h"

#include <algorithm>
#include <cstring>

namespace gfx {
namespace {

void CopyComponent(const uint8_t* source, int fromOffset, uint8_t* target, int toOffset,
                   size_t size) {
    if (fromOffset >= 0 && toOffset >= 0) {
        std::memcpy(target + toOffset, source + fromOffset, size);
    }
}

}  // namespace

void ConvertVertex(const uint8_t* source, const VertexLayout& from, uint8_t* target,
                   const VertexLayout& to) {
    std::memset(target, 0, to.size);
    std::memcpy(target, source, 12);  // the position leads every layout
    CopyComponent(source, from.normalOffset, target, to.normalOffset, 12);
    CopyComponent(source, from.diffuseOffset, target, to.diffuseOffset, 4);
    CopyComponent(source, from.specularOffset, target, to.specularOffset, 4);
    const int sets = std::min(from.texCoordSets, to.texCoordSets);
    for (int i = 0; i < sets; ++i) {
        CopyComponent(source, from.texCoordOffsets[i], target, to.texCoordOffsets[i], 8);
    }
}

}  // namespace gfx
