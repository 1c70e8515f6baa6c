#pragma once

// The 3D view a benchmark's document reaches its scene through. There is
// no window: refreshes, frames and the camera are ignored.

#include <cstdint>
#include <string_view>

#include "document/DocumentViews.h"

class CBench3DView final : public I3DView {
public:
    explicit CBench3DView(CDesignScene* scene) : m_scene(scene) {}

    void OnDocumentUpdate(int /*hint*/) override {}
    void ActivateFrame() override {}
    void ShowFrame(bool /*show*/) override {}
    void RepaintNow() override {}
    void SetStatusText(std::string_view /*text*/) override {}
    CameraPosition GetCameraPosition() const override { return {}; }
    void SetCameraPosition(float /*x*/, float /*y*/, float /*z*/) override {}
    double GetCameraHeading() const override { return 0.0; }
    double GetCameraPitch() const override { return 0.0; }
    void SetCameraAngles(double /*heading*/, double /*pitch*/) override {}
    void SetWireframe(bool /*wireframe*/) override {}
    void ToggleWireframe() override {}
    void ToggleGrid() override {}
    void SetClearColor(uint8_t /*red*/, uint8_t /*green*/, uint8_t /*blue*/) override {}
    bool SaveDesign(int /*mode*/) override { return false; }
    void ClearDesign() override {}
    CDesignScene* GetScene() override { return m_scene; }

private:
    CDesignScene* m_scene;
};
