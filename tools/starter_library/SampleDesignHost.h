#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "document/DesignFileView.h"
#include "document/DesignScene.h"
#include "document/DocumentViews.h"

// What the document and the scene reach while a sample design is built
// without a window: a 3D view that hands out the scene, a plan frame whose
// wall bar gives the heights, the offscreen device to build meshes on, and
// the camera the design file keeps.
class SampleDesignHost : public I3DView,
                         public IPlanView,
                         public IPlanFrame,
                         public ISceneRenderTarget,
                         public IDesignFileView {
public:
    SampleDesignHost(CDesignScene& scene, gfx::Device& device);

    // The wall bar's top, bottom and thickness, in cm.
    void SetWallBar(float top, float bottom, float thickness);
    void SetCamera(const DesignViewState& state) { m_state = state; }

    // I3DView
    void OnDocumentUpdate(int) override {}
    void ActivateFrame() override {}
    void ShowFrame(bool) override {}
    void RepaintNow() override {}
    void SetStatusText(std::string_view) override {}
    CameraPosition GetCameraPosition() const override;
    void SetCameraPosition(float x, float y, float z) override;
    double GetCameraHeading() const override { return m_state.heading; }
    double GetCameraPitch() const override { return m_state.pitch; }
    void SetCameraAngles(double heading, double pitch) override;
    void SetWireframe(bool) override {}
    void ToggleWireframe() override {}
    void ToggleGrid() override {}
    void SetClearColor(uint8_t, uint8_t, uint8_t) override {}
    bool SaveDesign(int) override { return false; }
    void ClearDesign() override {}
    CDesignScene* GetScene() override { return &m_scene; }

    // IPlanView
    IPlanFrame* GetPlanFrame() override { return this; }
    void HideCoordinateInputBox() override {}
    void ResetToolState() override {}
    void RedrawNow() override {}
    void ResetScrollPosition() override {}
    int GetArcDirection() const override { return 1; }
    bool GetFullDrawFlag() const override { return true; }
    void InvalidateLineCache(int) override {}
    void EndSelectionDrag() override {}

    // IPlanFrame
    int GetZoomSelection() const override { return -1; }
    std::string GetWallBarText(int controlId) const override;
    void SetWallBarText(int controlId, std::string_view text) override;
    void SetZoomLevel(int) override {}
    void UpdateFloorControls() override {}
    void SetFloorComboTexts(const std::vector<std::string>&) override {}

    // ISceneRenderTarget
    gfx::Device* GetDevice() const override { return &m_device; }
    void SetDefaultRenderStates() override {}
    void DrawGrid() override {}
    bool IsOrthographic() const override { return false; }
    float GetEyeHeight() const override { return m_state.eye.y; }

    // IDesignFileView
    DesignViewState GetViewState() const override { return m_state; }
    ShadowColor GetShadowColor() const override { return {0.0f, 0.0f, 0.0f, 0.4f}; }
    const ViewPointTable& GetViewPointTable() const override { return m_viewPoints; }
    void ApplyViewState(const DesignViewState& state, const AmbientBytes&) override {
        m_state = state;
    }
    void SetShadowColor(const ShadowColor&) override {}
    void SetViewPointTable(const ViewPointTable& table) override { m_viewPoints = table; }
    void SetStoredIdCounter(double) override {}

private:
    CDesignScene& m_scene;
    gfx::Device& m_device;
    DesignViewState m_state;
    ViewPointTable m_viewPoints{};
    std::map<int, std::string> m_wallBar;
};
