#include "platform/gfx/DepthStencilReach.h"

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

bool DrawReachesDepthStencil(uint32_t zEnable, uint32_t zWriteEnable, uint32_t zFunc,
                             uint32_t stencilEnable, float depth) {
    if (stencilEnable != 0) {
        return true;
    }
    if (zEnable == 0) {
        return false;
    }
    // Only the ends of the range pass every fragment whatever the buffer's
    // precision.
    const bool passesAll = zFunc == kCmpAlways || (zFunc == kCmpLessEqual && depth >= 1.0f) ||
                           (zFunc == kCmpGreaterEqual && depth <= 0.0f);
    return zWriteEnable != 0 || !passesAll;
}

}  // namespace gfx
