#pragma once

// When a draw needs the depth-stencil buffer at all, so that the buffer can
// wait until one does.

#include <cstdint>

namespace gfx {

// Whether a draw with these render states reads or writes a depth-stencil
// buffer that holds `depth` everywhere. A fragment's depth always lies in
// 0..1 (clipping and the depth range keep it there), so a test that passes
// for the whole range without writing leaves the buffer out.
[[nodiscard]] bool DrawReachesDepthStencil(uint32_t zEnable, uint32_t zWriteEnable, uint32_t zFunc,
                                           uint32_t stencilEnable, float depth);

}  // namespace gfx
