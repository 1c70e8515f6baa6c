#include "platform/gfx/LightSet.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <numbers>

namespace gfx {

namespace {

const GLfloat* Floats(const ColorValue& color) {
    return &color.r;
}

void SpecifyLight(GLenum name, const Light& light) {
    glLightfv(name, GL_AMBIENT, Floats(light.ambient));
    glLightfv(name, GL_DIFFUSE, Floats(light.diffuse));
    glLightfv(name, GL_SPECULAR, Floats(light.specular));
    if (light.type == LightType::Directional) {
        // GL wants the way towards the light.
        const GLfloat towards[4] = {-light.direction.x, -light.direction.y, -light.direction.z,
                                    0.0f};
        glLightfv(name, GL_POSITION, towards);
        glLightf(name, GL_SPOT_CUTOFF, 180.0f);
        return;
    }
    const GLfloat position[4] = {light.position.x, light.position.y, light.position.z, 1.0f};
    glLightfv(name, GL_POSITION, position);
    // All-zero attenuation would divide by zero: treat it as none.
    const bool noAttenuation =
        light.attenuation0 == 0.0f && light.attenuation1 == 0.0f && light.attenuation2 == 0.0f;
    glLightf(name, GL_CONSTANT_ATTENUATION, noAttenuation ? 1.0f : light.attenuation0);
    glLightf(name, GL_LINEAR_ATTENUATION, light.attenuation1);
    glLightf(name, GL_QUADRATIC_ATTENUATION, light.attenuation2);
    if (light.type == LightType::Spot) {
        const GLfloat direction[3] = {light.direction.x, light.direction.y, light.direction.z};
        glLightfv(name, GL_SPOT_DIRECTION, direction);
        const float halfAngle = light.phi * 0.5f * 180.0f / std::numbers::pi_v<float>;
        glLightf(name, GL_SPOT_CUTOFF, std::clamp(halfAngle, 0.0f, 90.0f));
        glLightf(name, GL_SPOT_EXPONENT, std::clamp(light.falloff, 0.0f, 128.0f));
    } else {
        glLightf(name, GL_SPOT_CUTOFF, 180.0f);
    }
}

}  // namespace

Result LightSet::Set(uint32_t index, const Light& light) {
    if (light.type != LightType::Point && light.type != LightType::Spot &&
        light.type != LightType::Directional) {
        return kErrInvalidCall;
    }
    m_slots[index].light = light;
    return kOk;
}

Result LightSet::Get(uint32_t index, Light* light) const {
    const auto found = m_slots.find(index);
    if (light == nullptr || found == m_slots.end()) {
        return kErrInvalidCall;
    }
    *light = found->second.light;
    return kOk;
}

void LightSet::Enable(uint32_t index, bool enable) {
    auto found = m_slots.find(index);
    if (found == m_slots.end()) {
        Light light;
        light.type = LightType::Directional;
        light.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
        light.direction = {0.0f, 0.0f, 1.0f};
        found = m_slots.emplace(index, Slot{light, false}).first;
    }
    found->second.enabled = enable;
}

Result LightSet::IsEnabled(uint32_t index, bool* enable) const {
    const auto found = m_slots.find(index);
    if (enable == nullptr || found == m_slots.end()) {
        return kErrInvalidCall;
    }
    *enable = found->second.enabled;
    return kOk;
}

void LightSet::Apply(uint32_t maxActive) const {
    GLenum next = GL_LIGHT0;
    const GLenum end = GL_LIGHT0 + maxActive;
    for (const auto& [index, slot] : m_slots) {
        if (slot.enabled && next < end) {
            glEnable(next);
            SpecifyLight(next, slot.light);
            ++next;
        }
    }
    for (; next < end; ++next) {
        glDisable(next);
    }
}

}  // namespace gfx
