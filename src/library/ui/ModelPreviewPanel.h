#pragma once

#include <wx/bitmap.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

class CModelPreviewRenderer;

// The furniture browser's "ModelView": the selected entry's model drawn
// offscreen and shown as a picture, turned step by step while the
// turntable runs.
class CModelPreviewPanel : public wxPanel {
public:
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 180;
    // Timer 0 of the view, every 100 ms.
    static constexpr int kTurnIntervalMs = 100;

    CModelPreviewPanel(wxWindow* parent, int id);
    ~CModelPreviewPanel() override;

    // Shows the package's model; the same file again keeps the model.
    void ShowModel(const std::string& path);
    void ClearModel();
    const std::string& GetModelPath() const { return m_path; }
    // Width, depth and height of the shown model's mesh.
    std::optional<std::array<float, 3>> GetModelSize() const;

    // A picture of the model is shown.
    bool HasFrame() const { return m_frame.IsOk(); }

    void SetTurning(bool turn);
    bool IsTurning() const { return m_timer.IsRunning(); }

private:
    void RenderFrame();
    void OnPaint(wxPaintEvent& event);
    void OnTimer(wxTimerEvent& event);

    std::unique_ptr<CModelPreviewRenderer> m_renderer;
    std::string m_path;
    wxBitmap m_frame;
    float m_angle = 0.0f;
    wxTimer m_timer;
};
