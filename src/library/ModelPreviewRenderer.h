#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gfx {
class Adapter;
class Device;
class EglOffscreenContext;
}  // namespace gfx
class CModelObject;

// The furniture browser's preview: one packaged model drawn offscreen,
// turned about its vertical axis, into pixels a window can show. It needs no
// window and leaves no context current between calls, so the views' own
// contexts are untouched. Without an offscreen context it draws nothing.
class CModelPreviewRenderer {
public:
    CModelPreviewRenderer(int width, int height);
    ~CModelPreviewRenderer();
    CModelPreviewRenderer(const CModelPreviewRenderer&) = delete;
    CModelPreviewRenderer& operator=(const CModelPreviewRenderer&) = delete;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    [[nodiscard]] bool IsAvailable() const { return m_device != nullptr; }

    // Reads the package file whole and builds its model; false, with no
    // model, when the file holds none.
    bool LoadModel(const std::string& path);
    void Clear();
    [[nodiscard]] bool HasModel() const { return m_model != nullptr; }

    // The model's size as its mesh has it: width (x), depth (z), height (y).
    [[nodiscard]] std::optional<std::array<float, 3>> GetModelSize() const;

    // The model turned by the angle (radians) as B, G, R, A bytes, top row
    // first; empty without a model or a device.
    std::vector<uint8_t> Render(float turnAngle);

private:
    void ReleaseContext();

    int m_width;
    int m_height;
    std::unique_ptr<gfx::EglOffscreenContext> m_context;
    std::unique_ptr<gfx::Adapter> m_adapter;
    std::unique_ptr<gfx::Device> m_device;
    std::unique_ptr<CModelObject> m_model;
};
