#pragma once

// Moving vertices between vertex formats, for mesh clones and merges.

#include <cstdint>

#include "platform/gfx/VertexLayout.h"

namespace gfx {

// Writes one vertex of layout `to` from one of layout `from`: the components
// both have are copied (texture coordinate sets up to the smaller count),
// those only the target has are zero, those only the source has are dropped.
// Both layouts are valid and untransformed.
void ConvertVertex(const uint8_t* source, const VertexLayout& from, uint8_t* target,
                   const VertexLayout& to);

}  // namespace gfx
