#include "platform/gfx/VertexLayout.h"

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

VertexLayout VertexLayout::FromFvf(uint32_t fvf) {
    VertexLayout layout;
    uint32_t offset = 0;
    if ((fvf & kFvfXyzRhw) != 0) {
        layout.transformed = true;
        offset = 16;
    } else if ((fvf & kFvfXyz) != 0) {
        offset = 12;
    } else {
        return layout;
    }
    if ((fvf & kFvfNormal) != 0) {
        layout.normalOffset = static_cast<int>(offset);
        offset += 12;
    }
    if ((fvf & kFvfDiffuse) != 0) {
        layout.diffuseOffset = static_cast<int>(offset);
        offset += 4;
    }
    if ((fvf & kFvfSpecular) != 0) {
        layout.specularOffset = static_cast<int>(offset);
        offset += 4;
    }
    const uint32_t sets = (fvf & kFvfTexCountMask) >> kFvfTexCountShift;
    if (sets > kMaxTexCoordSets) {
        return layout;
    }
    layout.texCoordSets = static_cast<int>(sets);
    for (uint32_t i = 0; i < sets; ++i) {
        layout.texCoordOffsets[i] = static_cast<int>(offset);
        offset += 8;
    }
    layout.size = offset;
    layout.valid = true;
    return layout;
}

}  // namespace gfx
