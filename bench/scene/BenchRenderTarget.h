#pragma once

// The 3D view the scene renders for: a device with the base states the
// raw frame sets too, no grid, a perspective camera.

#include "document/DesignScene.h"

class CBenchRenderTarget final : public ISceneRenderTarget {
public:
    CBenchRenderTarget(gfx::Device* device, float eyeHeight)
        : m_device(device), m_eyeHeight(eyeHeight) {}

    gfx::Device* GetDevice() const override { return m_device; }
    // Depth test, alpha blending, Gouraud shading with specular, the
    // ambient light, and wrapped trilinear texture filtering.
    void SetDefaultRenderStates() override;
    void DrawGrid() override {}
    bool IsOrthographic() const override { return false; }
    float GetEyeHeight() const override { return m_eyeHeight; }

private:
    gfx::Device* m_device;
    float m_eyeHeight;
};
