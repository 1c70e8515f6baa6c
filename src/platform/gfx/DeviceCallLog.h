#pragma once

// The states, bindings and draws a device is asked for, in the order asked,
// as a debugging layer lists them: what a pass leaves behind can be read
// back from the device, but not the order it set its states in.

#include <cstdint>
#include <vector>

#include "platform/gfx/DeviceTypes.h"

namespace gfx {

struct DeviceCall {
    enum class Kind : uint32_t {
        RenderState,        // what: the state, value: its value
        TextureStageState,  // stage, what: the state, value
        Texture,            // stage, value: 1 for a texture, 0 for none
        Transform,          // what: the transform type
        Fvf,                // value: the vertex format
        StreamSource,       // value: the stride
        Draw,               // what: the primitive type, value: the count
        DrawUP,             // what: the primitive type, value: the count
    };

    Kind kind = Kind::RenderState;
    uint32_t stage = 0;
    uint32_t what = 0;
    uint32_t value = 0;

    static DeviceCall State(RenderState state, uint32_t value) {
        return {Kind::RenderState, 0, static_cast<uint32_t>(state), value};
    }
    static DeviceCall StageState(uint32_t stage, TextureStageState state, uint32_t value) {
        return {Kind::TextureStageState, stage, static_cast<uint32_t>(state), value};
    }
    static DeviceCall Texture(uint32_t stage, bool set) {
        return {Kind::Texture, stage, 0, set ? 1u : 0u};
    }
    static DeviceCall Transform(TransformType type) {
        return {Kind::Transform, 0, static_cast<uint32_t>(type), 0};
    }
    static DeviceCall Fvf(uint32_t fvf) { return {Kind::Fvf, 0, 0, fvf}; }
    static DeviceCall StreamSource(uint32_t stride) { return {Kind::StreamSource, 0, 0, stride}; }
    static DeviceCall Draw(PrimitiveType type, uint32_t count) {
        return {Kind::Draw, 0, static_cast<uint32_t>(type), count};
    }
    static DeviceCall DrawUP(PrimitiveType type, uint32_t count) {
        return {Kind::DrawUP, 0, static_cast<uint32_t>(type), count};
    }

    friend bool operator==(const DeviceCall&, const DeviceCall&) = default;
};

using DeviceCallLog = std::vector<DeviceCall>;

}  // namespace gfx
