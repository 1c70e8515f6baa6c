#pragma once

// The lights of a device by index, and which of them are on.

#include <cstdint>
#include <map>

#include "platform/gfx/DeviceTypes.h"
#include "platform/gfx/LightMaterial.h"

namespace gfx {

class LightSet {
public:
    Result Set(uint32_t index, const Light& light);
    Result Get(uint32_t index, Light* light) const;
    // A light never set becomes the default white directional light shining
    // along +z.
    void Enable(uint32_t index, bool enable);
    Result IsEnabled(uint32_t index, bool* enable) const;
    void Clear() { m_slots.clear(); }

    // Sends the lights that are on to GL lights 0 .. maxActive-1, lowest
    // indices first, and switches the rest off. The view matrix must be the
    // modelview matrix: positions and directions are in world space.
    void Apply(uint32_t maxActive) const;

private:
    struct Slot {
        Light light;
        bool enabled = false;
    };
    std::map<uint32_t, Slot> m_slots;
};

}  // namespace gfx
