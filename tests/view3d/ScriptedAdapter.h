#pragma once

// An adapter that answers the engine's questions from a script and records
// every device creation attempt; the devices themselves come from the real
// adapter of the offscreen context.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/gfx/Device.h"
#include "view3d/GLGraphicsAdapter.h"
#include "view3d/GraphicsAdapter.h"

struct AdapterScript {
    bool hardwareTransformAndLight = true;
    // Unset: the real adapter answers.
    std::optional<std::vector<gfx::Format>> backBufferFormats;
    std::optional<std::vector<gfx::Format>> depthFormats;
    std::optional<std::vector<gfx::MultisampleType>> sampleCounts;
    uint32_t qualityLevels = 3;
    // The first attempts fail before reaching the real adapter.
    int failingAttempts = 0;
    // The device made has no depth or stencil buffer.
    bool withoutDepth = false;

    struct Attempt {
        gfx::DeviceType type;
        uint32_t behaviorFlags;
        gfx::Format format;
        gfx::Format depth;
        gfx::MultisampleType samples;
        uint32_t quality;
    };
    std::vector<Attempt> attempts;
};

class ScriptedAdapter final : public IGraphicsAdapter {
public:
    ScriptedAdapter(std::unique_ptr<IGraphicsAdapter> real, AdapterScript& script)
        : m_real(std::move(real)), m_script(script) {}

    gfx::Result GetDeviceCaps(gfx::DeviceType type, gfx::Caps* caps) override {
        const gfx::Result result = m_real->GetDeviceCaps(type, caps);
        if (!m_script.hardwareTransformAndLight) {
            caps->devCaps &= ~gfx::kDevCapsHwTransformAndLight;
        }
        return result;
    }
    gfx::Result GetAdapterDisplayMode(gfx::DisplayMode* mode) override {
        return m_real->GetAdapterDisplayMode(mode);
    }
    gfx::Result CheckDeviceType(gfx::DeviceType type, gfx::Format adapterFormat,
                                gfx::Format backBufferFormat, bool windowed) override {
        if (m_script.backBufferFormats) {
            return Listed(*m_script.backBufferFormats, backBufferFormat);
        }
        return m_real->CheckDeviceType(type, adapterFormat, backBufferFormat, windowed);
    }
    gfx::Result CheckDeviceMultiSampleType(gfx::DeviceType type, gfx::Format surfaceFormat,
                                           bool windowed, gfx::MultisampleType samples,
                                           uint32_t* qualityLevels) override {
        if (!m_script.sampleCounts) {
            return m_real->CheckDeviceMultiSampleType(type, surfaceFormat, windowed, samples,
                                                      qualityLevels);
        }
        if (surfaceFormat == gfx::Format::Unknown ||
            gfx::Failed(Listed(*m_script.sampleCounts, samples))) {
            return gfx::kErrNotAvailable;
        }
        *qualityLevels = m_script.qualityLevels;
        return gfx::kOk;
    }
    gfx::Result CheckDepthStencilMatch(gfx::DeviceType type, gfx::Format adapterFormat,
                                       gfx::Format renderTargetFormat,
                                       gfx::Format depthStencilFormat) override {
        if (m_script.depthFormats) {
            return Listed(*m_script.depthFormats, depthStencilFormat);
        }
        return m_real->CheckDepthStencilMatch(type, adapterFormat, renderTargetFormat,
                                              depthStencilFormat);
    }
    gfx::Result CreateDevice(gfx::DeviceType type, gfx::RenderContext* window,
                             uint32_t behaviorFlags, gfx::PresentParameters* params,
                             std::unique_ptr<gfx::Device>* device) override {
        m_script.attempts.push_back({type, behaviorFlags, params->backBufferFormat,
                                     params->autoDepthStencilFormat, params->multiSampleType,
                                     params->multiSampleQuality});
        if (static_cast<int>(m_script.attempts.size()) <= m_script.failingAttempts) {
            return gfx::kErrNotAvailable;
        }
        if (m_script.withoutDepth) {
            gfx::PresentParameters plain = *params;
            plain.enableAutoDepthStencil = false;
            return m_real->CreateDevice(type, window, behaviorFlags, &plain, device);
        }
        return m_real->CreateDevice(type, window, behaviorFlags, params, device);
    }

private:
    template <typename T>
    static gfx::Result Listed(const std::vector<T>& values, T value) {
        return std::find(values.begin(), values.end(), value) != values.end()
                   ? gfx::kOk
                   : gfx::kErrNotAvailable;
    }

    std::unique_ptr<IGraphicsAdapter> m_real;
    AdapterScript& m_script;
};

// The engine's adapter factory for a script.
inline auto ScriptedAdapterFactory(AdapterScript& script) {
    return [&script](gfx::RenderContext& window) -> std::unique_ptr<IGraphicsAdapter> {
        auto real = CGLGraphicsAdapter::Create(window);
        if (!real) {
            return nullptr;
        }
        return std::make_unique<ScriptedAdapter>(std::move(real), script);
    };
}
