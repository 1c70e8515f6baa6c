#include "platform/gfx/SamplerSettings.h"

#include <epoxy/gl.h>

#include <algorithm>

#include "platform/gfx/GLStateMap.h"

namespace gfx {

namespace {

// The member a state names, const or not as the settings are.
template <typename Settings>
auto Field(Settings& s, SamplerState type) -> decltype(&s.addressU) {
    switch (type) {
        case SamplerState::AddressU:
            return &s.addressU;
        case SamplerState::AddressV:
            return &s.addressV;
        case SamplerState::MagFilter:
            return &s.magFilter;
        case SamplerState::MinFilter:
            return &s.minFilter;
        case SamplerState::MipFilter:
            return &s.mipFilter;
        case SamplerState::MaxAnisotropy:
            return &s.maxAnisotropy;
    }
    return nullptr;
}

}  // namespace

bool SamplerSettings::Set(SamplerState type, uint32_t value) {
    uint32_t* field = Field(*this, type);
    if (field == nullptr) {
        return false;
    }
    *field = value;
    return true;
}

bool SamplerSettings::Get(SamplerState type, uint32_t* value) const {
    const uint32_t* field = Field(*this, type);
    if (field == nullptr || value == nullptr) {
        return false;
    }
    *value = *field;
    return true;
}

void SamplerSettings::ApplyTo(unsigned sampler, uint32_t anisotropyLimit) const {
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, AddressToGL(addressU));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, AddressToGL(addressV));
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, MinFilterToGL(minFilter, mipFilter));
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, MagFilterToGL(magFilter));
    if (anisotropyLimit > 1) {
        const bool anisotropic = minFilter == kFilterAnisotropic || magFilter == kFilterAnisotropic;
        const uint32_t anisotropy =
            anisotropic ? std::clamp(maxAnisotropy, 1u, anisotropyLimit) : 1;
        glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT,
                            static_cast<GLfloat>(anisotropy));
    }
}

}  // namespace gfx
