#pragma once

// The sampler states of one texture stage, kept in a GL sampler object.

#include <cstdint>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

struct SamplerSettings {
    uint32_t addressU = kAddressWrap;
    uint32_t addressV = kAddressWrap;
    uint32_t magFilter = kFilterPoint;
    uint32_t minFilter = kFilterPoint;
    uint32_t mipFilter = kFilterNone;
    uint32_t maxAnisotropy = 1;

    // False for a state the device does not keep.
    bool Set(SamplerState type, uint32_t value);
    bool Get(SamplerState type, uint32_t* value) const;
    // Anisotropy is raised only under an anisotropic filter, and never
    // above what the context offers (1: no anisotropic filtering at all).
    void ApplyTo(unsigned sampler, uint32_t anisotropyLimit) const;
};

}  // namespace gfx
